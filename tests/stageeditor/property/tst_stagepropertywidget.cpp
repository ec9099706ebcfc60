// The stage property panel on its own: what it shows for a stage and which signal each edit
// sends. The commands these signals become are tested in tst_panels.

#include "kvcolorwidget.h"
#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvlineedit.h"
#include "kvmodalwatcher.h"
#include "kvstage.h"
#include "kvstagepropertywidget.h"
#include "kvtestfactories.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QSpinBox>
#include <QUrl>
#include <QtTest>
#include <memory>
#include <vector>

using namespace Kova;

namespace {

using Test::field;

// X, Y, W and H as the panel shows them.
QRect fields(QWidget* panel)
{
    return QRect(field<QSpinBox>(panel, "spinBox_Left")->value(),
                 field<QSpinBox>(panel, "spinBox_Top")->value(),
                 field<QSpinBox>(panel, "spinBox_Width")->value(),
                 field<QSpinBox>(panel, "spinBox_Height")->value());
}

// Counts every signal the panel declares.
struct AllSignals
{
    explicit AllSignals(KvStagePropertyWidget* panel)
    {
        const QMetaObject& meta = KvStagePropertyWidget::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).methodType() == QMetaMethod::Signal)
                spies.emplace_back(new QSignalSpy(panel, meta.method(i)));
        }
    }
    int count() const
    {
        int n = 0;
        for (const auto& spy : spies)
            n += spy->count();
        return n;
    }
    std::vector<std::unique_ptr<QSignalSpy>> spies;
};

} // namespace

class TestStagePropertyWidget : public QObject
{
    Q_OBJECT

private:
    // "Lobby" at (10, 20), 1920 x 1080, colour (1, 2, 3), no options, owned by `owner`.
    KvStage* makeLobby(QObject* owner, const QString& name = QStringLiteral("Lobby"))
    {
        KvStage* stage = Test::makeStage(m_data.stagePath("lobby.kstg"), QSize(), 0, owner);
        stage->setName(name);
        stage->setRect(QRect(10, 20, 1920, 1080));
        stage->setBackgroundColor(QColor(1, 2, 3));
        return stage;
    }

    Test::TempDataDir m_data;

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
    }

    // Showing, refreshing and clearing write the fields without sending any edit. A stage
    // without a name of its own is shown by its file name.
    void showsAndClearsWithoutEdits()
    {
        QObject owner;
        KvStage* stage = makeLobby(&owner);
        stage->setOptions(KvStage::UseDesktopSize | KvStage::AutoAdjustment);
        KvStagePropertyWidget panel(nullptr);
        QVERIFY(!panel.widget()->isEnabled());
        AllSignals edits(&panel);
        auto* adjust = field<QCheckBox>(&panel, "checkBox_AutomaticAdjustment");

        panel.onCurrentStageChanged(stage);
        QVERIFY(panel.widget()->isEnabled());
        QCOMPARE(field<QLabel>(&panel, "label_Name")->text(), QStringLiteral("Stage Name: Lobby"));
        QCOMPARE(fields(&panel), QRect(10, 20, 1920, 1080));
        QCOMPARE(field<KvColorWidget>(&panel, "widget_BackgroundColor")->backColor(),
                 QColor(1, 2, 3));
        QVERIFY(field<QCheckBox>(&panel, "checkBox_UseDesktopSize")->isChecked());
        QVERIFY(adjust->isChecked() && adjust->isEnabled());

        stage->setOptions(0);
        stage->setRect(QRect(0, 0, 800, 600));
        stage->setName(QString());
        stage->setFilePath(QStringLiteral("/data/stage/Entrance Hall.kstg"));
        panel.onCurrentStageChanged(stage);
        QCOMPARE(field<QLabel>(&panel, "label_Name")->text(),
                 QStringLiteral("Stage Name: Entrance Hall.kstg"));
        QCOMPARE(fields(&panel), QRect(0, 0, 800, 600));
        QVERIFY(!adjust->isChecked() && !adjust->isEnabled());
        QVERIFY(!field<QLabel>(&panel, "label_CheckBoxAutomaticAdjustment")->isEnabled());
        stage->setFilePath(QString());
        panel.onCurrentStageChanged(stage);
        QCOMPARE(field<QLabel>(&panel, "label_Name")->text(), QStringLiteral("Stage Name: "));

        panel.onCurrentStageChanged(nullptr);
        QVERIFY(!panel.widget()->isEnabled());
        QCOMPARE(field<QLabel>(&panel, "label_Name")->text(), QStringLiteral("Stage Name: "));
        QVERIFY(field<QSpinBox>(&panel, "spinBox_Width")->text().isEmpty());
        QCOMPARE(field<KvColorWidget>(&panel, "widget_BackgroundColor")->backColor(),
                 QColor(Qt::gray));
        QVERIFY(!field<QCheckBox>(&panel, "checkBox_BackgroundImage")->isChecked());
        QCOMPARE(edits.count(), 0);
    }

    // Width and height send the size while typing, for the canvas to follow; every field sends
    // its value to commit when the editing finishes (Return, Enter or the focus leaving).
    void numberFields_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("finish"); // a key, or 0 for the focus leaving
        QTest::addColumn<QVariant>("committed");
        const auto row = [](const char* name, const char* box, const char* typed, int finish,
                            QVariant committed) {
            QTest::newRow(name) << QString("spinBox_") + box << QString(typed) << finish
                                << committed;
        };
        row("width", "Width", "1280", Qt::Key_Return, QSizeF(1280, 1080));
        row("height", "Height", "720", Qt::Key_Enter, QSizeF(1920, 720));
        // A size cannot be negative: the minus sign is refused.
        row("width typed negative", "Width", "-5", 0, QSizeF(5, 1080));
        row("x", "Left", "-40", 0, QPointF(-40, 20));
        row("y", "Top", "5", Qt::Key_Return, QPointF(10, 5));
        // No value gets through that the stage file cannot hold: the last digit is refused.
        row("width beyond the largest", "Width", "167772150", 0, QSizeF(16777215, 1080));
        row("x beyond the smallest", "Left", "-167772150", 0, QPointF(-16777215, 20));
    }

    void numberFields()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(int, finish);
        QFETCH(QVariant, committed);
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeLobby(&owner));
        auto* box = field<QSpinBox>(&panel, name.toLatin1().constData());
        QSignalSpy live(&panel, &KvStagePropertyWidget::stageSizeValueChanged);
        QSignalSpy sizeCommit(&panel, &KvStagePropertyWidget::stageSizeValueChangingCommitted);
        QSignalSpy posCommit(&panel, &KvStagePropertyWidget::stagePosValueChangingCommitted);
        const bool isSize = committed.type() == QVariant::SizeF;

        box->selectAll();
        QTest::keyClicks(box, typed);
        QCOMPARE(sizeCommit.count() + posCommit.count(), 0);
        if (isSize) {
            QVERIFY(live.count() > 0);
            QCOMPARE(live.last().at(0), committed);
        } else {
            QCOMPARE(live.count(), 0);
        }
        if (finish) {
            QTest::keyClick(box, Qt::Key(finish));
        } else {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(box, &out);
        }
        QSignalSpy& commit = isSize ? sizeCommit : posCommit;
        QCOMPARE(commit.count(), 1);
        QCOMPARE(commit.at(0).at(0), committed);
        QCOMPARE((isSize ? posCommit : sizeCommit).count(), 0);
    }

    // Scrolling the panel over a box without the focus must not resize the stage on the
    // canvas: such a change would never be committed. A narrow panel wraps its groups onto more
    // rows.
    void wheelAndNarrowPanel()
    {
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeLobby(&owner));
        AllSignals edits(&panel);
        for (const char* name :
             {"spinBox_Left", "spinBox_Top", "spinBox_Width", "spinBox_Height"}) {
            auto* box = field<QSpinBox>(&panel, name);
            QVERIFY(!box->hasFocus());
            const int before = box->value();
            const QPointF at = box->rect().center();
            QWheelEvent wheel(at, box->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &wheel);
            QCOMPARE(box->value(), before);
        }
        QCOMPARE(edits.count(), 0);

        auto* position = field<QGroupBox>(&panel, "groupBox_Position");
        auto* size = field<QGroupBox>(&panel, "groupBox_Size");
        panel.resize(1600, 400);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QTRY_COMPARE(size->y(), position->y());
        panel.resize(position->width() + 40, 400);
        QTRY_VERIFY(size->y() > position->y());
    }

    void backgroundImageShown_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("exists");
        QTest::newRow("none") << "" << false;
        QTest::newRow("in the data folder") << "image/back.png" << true;
        QTest::newRow("missing") << "image/deleted.png" << false;
    }

    // A missing background image is struck out and marked with the red sign, and reported in
    // one box: refreshes after commands and a switch to another stage and back give no second
    // one.
    void backgroundImageShown()
    {
        QFETCH(QString, image);
        QFETCH(bool, exists);
        if (exists)
            QVERIFY(Test::writeImage(m_data.filePath(image)));
        const bool missing = !image.isEmpty() && !exists;
        QObject owner;
        KvStage* stage = makeLobby(&owner);
        stage->setBackgroundImage(image);
        KvStagePropertyWidget panel(nullptr);
        KvModalWatcher watcher;
        QSignalSpy failed(&panel, &KvStagePropertyWidget::requestShowBackgroundImageFailed);
        for (KvStage* shown : {stage, stage, makeLobby(&owner, QStringLiteral("Hall")), stage})
            panel.onCurrentStageChanged(shown);
        auto* edit = field<KvLineEdit>(&panel, "lineEdit_BackgroundImage");
        QCOMPARE(field<QCheckBox>(&panel, "checkBox_BackgroundImage")->isChecked(),
                 !image.isEmpty());
        QCOMPARE(edit->text(), QDir::toNativeSeparators(image));
        QCOMPARE(edit->font().strikeOut(), missing);
        QCOMPARE(edit->toolTip(),
                 missing ? QStringLiteral("Background Image can not be found.") : image);
        QCOMPARE(field<QLabel>(&panel, "label_BkImageNone")->isHidden(), !missing);
        // The report of a missing image is queued: it has run once this returns.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(watcher.count(), missing ? 1 : 0);
        QCOMPARE(failed.count(), missing ? 1 : 0);
        if (!missing)
            return;
        QCOMPARE(watcher.seen().at(0).title, QStringLiteral("No Background File"));
        QCOMPARE(watcher.seen().at(0).text,
                 QStringLiteral("The background image file of the stage is not found.\nPlease "
                                "check the library.\n\nFile: %1")
                     .arg(QDir::toNativeSeparators(image)));
    }

    void droppedFiles_data()
    {
        QTest::addColumn<QStringList>("files"); // empty: a text
        QTest::addColumn<bool>("fromLibrary");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("png from the desktop") << QStringList{"poster.png"} << false << true;
        QTest::newRow("upper-case JPG") << QStringList{"photo.JPG"} << true << true;
        QTest::newRow("movie") << QStringList{"clip.mp4"} << true << false;
        QTest::newRow("telop text") << QStringList{"news.txt"} << false << false;
        QTest::newRow("no extension") << QStringList{"README"} << true << false;
        // The library's list: percent-encoded, empty entries skipped, the first one taken.
        QTest::newRow("first of the library's list")
            << QStringList{"with space.png", "other.png"} << true << true;
        QTest::newRow("a text, not a file") << QStringList() << false << false;
    }

    // A file dragged over the field highlights it. An image file dropped there is sent as the
    // new background image; any other file is refused with a box.
    void droppedFiles()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, fromLibrary);
        QFETCH(bool, accepted);
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeLobby(&owner));
        auto* edit = field<KvLineEdit>(&panel, "lineEdit_BackgroundImage");
        auto highlighted = [&panel] {
            QWidget* frame = field<QWidget>(&panel, "widget_outer_lineEdit_BackgroundImage");
            return frame->autoFillBackground() &&
                   frame->palette().color(QPalette::Window) == QColor(Qt::cyan);
        };
        QSignalSpy image(&panel, &KvStagePropertyWidget::stageBackImageValueChanged);
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);

        QMimeData data;
        QByteArray list;
        QList<QUrl> urls;
        for (const QString& file : files) {
            urls.append(QUrl::fromLocalFile(m_data.filePath(file)));
            list += urls.last().toEncoded() + "\r\n\r\n";
        }
        if (files.isEmpty())
            data.setText(QStringLiteral("not a file"));
        else if (fromLibrary)
            data.setData(KvEditorCommon::MIME_TYPE_URI, list);
        else
            data.setUrls(urls);
        const QPoint pos = edit->rect().center();
        QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QCOMPARE(enter.isAccepted(), !files.isEmpty());
        QCOMPARE(highlighted(), !files.isEmpty());
        if (files.isEmpty())
            return;
        QDragLeaveEvent leave;
        QApplication::sendEvent(edit, &leave);
        QVERIFY(!highlighted());
        QApplication::sendEvent(edit, &enter);
        QDropEvent drop(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
        QVERIFY(drop.isAccepted());
        QVERIFY(!highlighted());

        // The refusal is a modal box inside the drop: it has been answered by now.
        QCOMPARE(image.count(), accepted ? 1 : 0);
        QCOMPARE(watcher.count(), accepted ? 0 : 1);
        if (accepted) {
            QCOMPARE(image.at(0).at(0).toString(), m_data.filePath(files.first()));
        } else {
            QCOMPARE(watcher.seen().at(0).title, QStringLiteral("File type is invalid."));
            QCOMPARE(watcher.seen().at(0).text,
                     QStringLiteral("This file can not be used as a background image."));
        }
        // The field shows the stage, which only a command changes.
        QVERIFY(edit->text().isEmpty());
    }
};

QTEST_MAIN(TestStagePropertyWidget)
#include "tst_stagepropertywidget.moc"
