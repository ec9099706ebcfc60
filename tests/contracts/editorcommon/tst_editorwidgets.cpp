#include "kvcolorwidget.h"
#include "kvcommandlinkdialog.h"
#include "kviconreaderasync.h"
#include "kvmenuaction.h"
#include "kvmessageboxwithcheckbox.h"
#include "kvmodalwatcher.h"
#include "kvsvgreader.h"
#include "kvtestfactories.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QCommandLinkButton>
#include <QSettings>
#include <QtTest>

using namespace Kova;

namespace {

const QByteArray redSquareSvg = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                                "<rect x='0' y='0' width='10' height='10' fill='#ff0000'/></svg>";

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    return Kova::Test::writeFile(dir.filePath(name), content) ? dir.filePath(name) : QString();
}

} // namespace

class TestEditorWidgets : public QObject
{
    Q_OBJECT

private slots:
    // ----- KvColorWidget -----

    void colorWidgetEmitsOnlyForANewColourChosen()
    {
        KvColorWidget widget;
        widget.resize(60, 20);
        widget.show();
        QSignalSpy changed(&widget, &KvColorWidget::colorChanged);
        widget.setBackColor(QColor(10, 20, 30));
        QCOMPARE(widget.backColor(), QColor(10, 20, 30));
        QVERIFY(changed.isEmpty());

        KvModalWatcher watcher;
        watcher.answerWith([](QWidget* w) {
            auto* dialog = qobject_cast<QColorDialog*>(w);
            QVERIFY(dialog);
            dialog->setCurrentColor(Qt::red);
            dialog->accept();
        });
        QTest::mouseClick(&widget, Qt::LeftButton);
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).value<QColor>(), QColor(Qt::red));
        QCOMPARE(changed.first().at(1).value<QColor>(), QColor(10, 20, 30));
        QCOMPARE(widget.backColor(), QColor(Qt::red));

        // Cancelled, or the same colour accepted (from the keyboard): nothing is emitted.
        changed.clear();
        widget.chooseColor(); // no answer: rejected
        watcher.answerWith([](QWidget* w) {
            auto* dialog = qobject_cast<QColorDialog*>(w);
            dialog->setCurrentColor(Qt::red);
            dialog->accept();
        });
        QTest::keyClick(&widget, Qt::Key_Space);
        QCOMPARE(watcher.count(), 3);
        QVERIFY(changed.isEmpty());
        widget.setBackColor(QColor()); // invalid colours are ignored
        QCOMPARE(widget.backColor(), QColor(Qt::red));

        // Disabled, it opens nothing (the dialog would be modal: seen before chooseColor returns).
        widget.setEnabled(false);
        widget.chooseColor();
        QCOMPARE(watcher.count(), 3);
    }

    // ----- KvMenuAction -----

    void menuActionNamesItself()
    {
        KvMenuAction action("Screen 4", "Action_Listen_Event_Screen_4", nullptr);
        action.setCheckable(true);
        QSignalSpy named(&action, qOverload<QString, bool>(&KvMenuAction::triggered));
        action.trigger();
        QCOMPARE(named.count(), 1);
        QCOMPARE(named.first().at(0).toString(), QString("Action_Listen_Event_Screen_4"));
        QCOMPARE(named.first().at(1).toBool(), true);
        action.trigger();
        QCOMPARE(named.last().at(1).toBool(), false);
        action.setObjectName("Renamed");
        action.trigger();
        QCOMPARE(named.last().at(0).toString(), QString("Renamed"));
    }

    // ----- KvMessageBoxWithCheckBox -----

    void messageBoxRemembersCheckedAnswer()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Yes); // unchecked: shown again next time
        watcher.answerWith([](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            box->checkBox()->setChecked(true);
            box->button(QMessageBox::No)->click();
        });
        const auto show = [&settings]() {
            return KvMessageBoxWithCheckBox::showMessage(nullptr, &settings, QMessageBox::Warning,
                                                         "Caution", "Folder not watched",
                                                         QMessageBox::Yes | QMessageBox::No);
        };
        QCOMPARE(show(), int(QMessageBox::Yes));
        QCOMPARE(show(), int(QMessageBox::No));
        QCOMPARE(watcher.count(), 2);
        QCOMPARE(watcher.seen().first().title, QString("Caution"));
        QCOMPARE(show(), int(QMessageBox::No)); // not shown any more
        QCOMPARE(watcher.count(), 2);

        // Another message is remembered on its own.
        watcher.answer(QMessageBox::Ok);
        QCOMPARE(KvMessageBoxWithCheckBox::showMessage(nullptr, &settings, QMessageBox::Warning,
                                                       "Caution", "Other text"),
                 int(QMessageBox::Ok));
        QCOMPARE(watcher.count(), 3);

        // Without settings nothing is remembered: checked or not, it shows every time.
        for (int i = 0; i < 2; ++i) {
            watcher.answerWith([](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                box->checkBox()->setChecked(true);
                box->button(QMessageBox::Ok)->click();
            });
            KvMessageBoxWithCheckBox::showMessage(nullptr, nullptr, QMessageBox::Warning, "A", "B");
        }
        QCOMPARE(watcher.count(), 5);
    }

    void messageBoxWithDamagedSettingsStillAnswers()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
        KvMessageBoxWithCheckBox box(QMessageBox::Information, "T", "X", &settings, nullptr,
                                     QMessageBox::Ok | QMessageBox::Cancel);
        box.setSettingsKey("fixed/key");
        box.setDefaultButton(QMessageBox::Cancel);
        settings.setValue("messageBoxWithCheckBox/fixed_key/suppressed", true);
        settings.setValue("messageBoxWithCheckBox/fixed_key/answer", "garbage");
        QVERIFY(box.isSuppressed());
        QCOMPARE(box.exec(), int(QMessageBox::Cancel));
        box.resetSuppression();
        QVERIFY(!box.isSuppressed());
    }

    // ----- KvCommandLinkDialog -----

    void commandLinkDialogReturnsChosenIndex()
    {
        KvModalWatcher watcher;
        watcher.answerWith([](QWidget* w) {
            const auto links = w->findChildren<QCommandLinkButton*>();
            QCOMPARE(links.size(), 2);
            QCOMPARE(links.at(1)->text(), QString("Specified Folder"));
            links.at(1)->click();
        });
        const int chosen = KvCommandLinkDialog::show(
            nullptr, "Add To Library", "You will be adding file to the library.",
            "You can select from following option.", "Automatic Distribution", "by type",
            "Specified Folder", "to the drop target", "", "", "", "", "", "");
        QCOMPARE(chosen, 2);
        QCOMPARE(watcher.seen().first().title, QString("Add To Library"));

        QCOMPARE(KvCommandLinkDialog::show(nullptr, "T", "t", "i", "One", "d"), -1); // rejected
        // An empty command keeps the numbering of the arguments.
        watcher.answerWith([](QWidget* w) {
            const auto links = w->findChildren<QCommandLinkButton*>();
            QCOMPARE(links.size(), 2);
            links.at(1)->click();
        });
        QCOMPARE(KvCommandLinkDialog::show(nullptr, "T", "t", "i", "One", "", "", "", "Three"), 3);
    }

    // ----- KvSvgReader -----

    void svgRenderedAtRequestedSize()
    {
        QTemporaryDir dir;
        const QString svg = write(dir, "red.svg", redSquareSvg);
        const QImage image = KvSvgReader::getImage(svg, QSize(16, 16));
        QCOMPARE(image.size(), QSize(16, 16));
        QCOMPARE(QColor(image.pixel(8, 8)), QColor(Qt::red));
        QCOMPARE(KvSvgReader::getImage(svg, 40, 20).size(), QSize(40, 20));
        const QIcon icon = KvSvgReader::getIcon(svg, 16, 16, 1.0);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes().value(0), QSize(16, 16));
        QVERIFY(!KvSvgReader::getPixmap(svg, QSize(8, 8)).isNull());
    }

    void svgReaderFallsBackAndRefusesBadInput()
    {
        QTemporaryDir dir;
        QVERIFY(Kova::Test::writeImage(dir.filePath("g.png"), QSize(4, 4), Qt::green));
        const QImage scaled = KvSvgReader::getImage(dir.filePath("g.png"), QSize(12, 12));
        QCOMPARE(scaled.size(), QSize(12, 12));
        QCOMPARE(QColor(scaled.pixel(6, 6)), QColor(Qt::green));
        QVERIFY(KvSvgReader::getImage(dir.filePath("none.svg"), QSize(16, 16)).isNull());
        const QString broken = write(dir, "broken.svg", "<svg><<<");
        QVERIFY(KvSvgReader::getImage(broken, QSize(16, 16)).isNull());
        QVERIFY(KvSvgReader::getImage(dir.filePath("g.png"), QSize(0, 5)).isNull());
        QVERIFY(KvSvgReader::getImage(dir.filePath("g.png"), QSize(100000, 5)).isNull());
        QVERIFY(KvSvgReader::getIcon(dir.filePath("none.svg"), 16, 16).isNull());
        QVERIFY(KvSvgReader::isSvg("a/b.SVG"));
        QVERIFY(!KvSvgReader::isSvg("a/b.png"));
    }

    // ----- KvIconReaderAsync -----

    void iconReaderReportsEveryPath()
    {
        QTemporaryDir dir;
        QVERIFY(Kova::Test::writeImage(dir.filePath("wide.png"), QSize(80, 40), Qt::blue));
        const QString text = write(dir, "notes.txt", "hello");
        // A file that is no picture shows the thumbnail the media tool made of it.
        const QString movie = write(dir, "clip.mp4", "not a picture");
        QVERIFY(QDir(dir.path()).mkdir("._kvthumb"));
        QVERIFY(Kova::Test::writeImage(dir.filePath("._kvthumb/clip.mp4.png"), QSize(48, 27)));
        const QStringList paths{dir.filePath("wide.png"), text, movie, dir.filePath("gone.png"),
                                dir.path()};

        QPointer<KvIconReaderAsync> reader = new KvIconReaderAsync(paths);
        reader->setIconSize(QSize(32, 32));
        QStringList completed;
        QStringList failed;
        QList<QSize> sizes;
        connect(reader, &KvIconReaderAsync::iconReadCompleted, this,
                [&](const QString& path, QIcon* icon) {
                    completed.append(path);
                    sizes.append(icon->availableSizes().value(0));
                    delete icon;
                });
        connect(reader, &KvIconReaderAsync::iconReadFailed, this,
                [&](const QString& path) { failed.append(path); });
        QSignalSpy finished(reader.data(), &KvIconReaderAsync::finished);
        reader->start();
        QVERIFY(finished.wait(5000) || finished.count() == 1);
        QCOMPARE(completed, (QStringList{dir.filePath("wide.png"), movie}));
        QCOMPARE(sizes.value(0), QSize(32, 32)); // padded to a square
        QCOMPARE(failed, (QStringList{text, dir.filePath("gone.png"), dir.path()}));
        QTRY_VERIFY(reader.isNull()); // deletes itself
    }

    void iconReaderDeletedWhileRunningIsSafe()
    {
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < 30; ++i) {
            paths.append(dir.filePath(QString("%1.png").arg(i)));
            QVERIFY(Kova::Test::writeImage(paths.last(), QSize(300, 300), QColor(i, 0, 0)));
        }
        auto* reader = new KvIconReaderAsync(paths);
        int results = 0;
        connect(reader, &KvIconReaderAsync::iconReadCompleted, this, [&](QString, QIcon* icon) {
            ++results;
            delete icon;
        });
        reader->start();
        delete reader; // stops the thread; what it had posted must go nowhere
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(results, 0);
    }
};

QTEST_MAIN(TestEditorWidgets)
#include "tst_editorwidgets.moc"
