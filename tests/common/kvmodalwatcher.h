#pragma once

// Test helper: answers the modal dialogs and message boxes a code path opens, so
// the test drives them instead of blocking on them.
//
//   KvModalWatcher watcher;
//   watcher.answer(QMessageBox::Yes);        // the next message box gets "Yes"
//   editor.closeCurrentStageTab();           // opens the box, the watcher answers it
//   QCOMPARE(watcher.seen().value(0).title, QString("Notice"));

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <functional>

class KvModalWatcher : public QObject
{
public:
    struct Seen
    {
        QString className;
        QString title;
        QString text; // the message box text, empty for other dialogs
        QString informativeText;
    };

    explicit KvModalWatcher(QObject* parent = nullptr)
        : QObject(parent)
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &KvModalWatcher::poll);
        m_timer.start();
    }

    // Queue answers, used in order, one per modal widget that appears. Without a queued
    // answer a message box is rejected with Escape and a dialog is rejected.
    void answer(QMessageBox::StandardButton button)
    {
        m_answers.append([button](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                if (QAbstractButton* b = box->button(button)) {
                    b->click();
                    return;
                }
                box->reject();
            } else if (auto* dialog = qobject_cast<QDialog*>(w)) {
                dialog->done(button == QMessageBox::Ok || button == QMessageBox::Yes
                                 ? QDialog::Accepted
                                 : QDialog::Rejected);
            }
        });
    }
    // A free-form answer: the function gets the modal widget and must close it.
    void answerWith(std::function<void(QWidget*)> handler) { m_answers.append(handler); }

    // Answers the next input dialog: types `text` over its proposal (a null text keeps the
    // proposal) and accepts it. `offered`, if given, gets the proposal the dialog showed.
    void answerText(const QString& text, QStringList* offered = nullptr)
    {
        m_answers.append([text, offered](QWidget* w) {
            auto* input = qobject_cast<QInputDialog*>(w);
            if (!input) {
                w->close();
                return;
            }
            if (offered)
                offered->append(input->textValue());
            if (!text.isNull()) {
                auto* edit = input->findChild<QLineEdit*>();
                edit->selectAll();
                QTest::keyClicks(edit, text);
            }
            input->accept();
        });
    }

    // Picks `path` in Qt's own file dialog and accepts it. The whole path is typed into the
    // dialog's name field (it may name a folder that does not exist):
    // QFileDialog::selectFile leaves that field alone while it has the focus, and the dialog
    // would then accept its initial file.
    static void acceptFile(QFileDialog* dialog, const QString& path)
    {
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(QFileInfo(path).absoluteFilePath());
        else
            dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    }

    // Progress dialogs are left alone unless a test means to answer (cancel) them.
    void setAnswersProgressDialogs(bool answers) { m_answersProgress = answers; }

    const QList<Seen>& seen() const { return m_seen; }
    int count() const { return m_seen.count(); }
    void clear() { m_seen.clear(); }

private:
    void poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        // A progress dialog is not a question: it closes itself when the work ends. Answering
        // it would cancel the work and take the answer meant for the question that follows.
        if (!w || (!m_answersProgress && qobject_cast<QProgressDialog*>(w)))
            return;
        if (w == m_last) {
            // An answer that did not close the widget must not hang the test: after a
            // while the widget is rejected (and the test's own checks will fail).
            if (m_since.elapsed() > 3000) {
                if (auto* dialog = qobject_cast<QDialog*>(w))
                    dialog->reject();
                else
                    w->close();
                m_since.restart();
            }
            return;
        }
        m_last = w;
        m_since.restart();
        Seen s;
        s.className = QString::fromLatin1(w->metaObject()->className());
        s.title = w->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            s.text = box->text();
            s.informativeText = box->informativeText();
        }
        m_seen.append(s);
        std::function<void(QWidget*)> handler;
        if (!m_answers.isEmpty())
            handler = m_answers.takeFirst();
        // The answer runs outside this timer's slot: answering may open another modal widget
        // (an overwrite question, say) whose nested event loop still needs this timer.
        QPointer<QWidget> target(w);
        QTimer::singleShot(0, this, [target, handler]() {
            if (!target)
                return;
            if (handler)
                handler(target);
            else if (auto* dialog = qobject_cast<QDialog*>(target.data()))
                dialog->reject();
            else
                target->close();
        });
    }

    QTimer m_timer;
    QPointer<QWidget> m_last;
    QElapsedTimer m_since;
    QList<std::function<void(QWidget*)>> m_answers;
    QList<Seen> m_seen;
    bool m_answersProgress = false;
};
