// Stage tabs: labels, unsaved marks, the save question on closing, the screen actions, the
// screen clipboard, the stage setters and the preview command line.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGraphicsScene>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvmodalwatcher.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvstageitem.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvtestfactories.h"

using namespace Kova;
using Kova::Test::addScreen;
using Kova::Test::makeScreen;

class TestStageWidget : public QObject
{
    Q_OBJECT

private:
    KvStage* makeStage(const QString& name, int width = 640, int height = 480) const
    {
        return Kova::Test::makeStage(m_data->stagePath(name), QSize(width, height));
    }

    KvStageWidget* m_widget = nullptr;
    std::unique_ptr<Kova::Test::TempDataDir> m_data;
    QStringList m_launched; // program, then arguments, of the latest preview
    int m_launchCount = 0;

private slots:
    void initTestCase()
    {
        // The signals name the types as declared inside the namespace.
        qRegisterMetaType<KvStage*>("KvStage*");
        qRegisterMetaType<QList<QGraphicsScene*>>("QList<QGraphicsScene*>");
    }

    void init()
    {
        m_data.reset(new Kova::Test::TempDataDir);
        QVERIFY(m_data->isValid());
        KvEditorConfig::setDataDir(m_data->path());
        m_widget = new KvStageWidget(nullptr);
        m_launchCount = 0;
        m_widget->setPreviewLauncher([this](const QString& program, const QStringList& arguments) {
            m_launched = QStringList{program} + arguments;
            ++m_launchCount;
            return true;
        });
    }

    void cleanup()
    {
        // Changed stages ask whether to save: the watcher says no.
        KvModalWatcher watcher;
        m_widget->closeAllStageTab();
        delete m_widget;
        m_widget = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_data.reset();
    }

    // The tool bar's buttons, the preview waiting for the first tab and going off with the last
    // (the close button is never touched, and the tabs hide). New tabs are named "StageN" with
    // the first number free, or as asked; a stage from a file by the file's name.
    void toolBarAndTabLabels()
    {
        QStringList names;
        for (QAction* action : m_widget->actionList())
            names << action->objectName();
        QCOMPARE(names, QStringList({"Action_Add_Multimedia_Screen", "Action_Add_Telop_Screen",
                                     "Action_Add_Extended_Screen", "Action_Preview_Stage",
                                     "Action_Close_Stage"}));
        QAction* preview = m_widget->actionList().at(3);
        QVERIFY(!preview->isEnabled());
        QVERIFY(m_widget->actionList().at(4)->isEnabled());
        QSignalSpy first(m_widget, &KvStageWidget::firstStageTabAdded);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(m_widget->addStageTab(QString(), nullptr), i);
        QCOMPARE(first.count(), 1);
        QVERIFY(preview->isEnabled());
        QCOMPARE(m_widget->tabLabel(2), QString("Stage3"));
        QSignalSpy closed(m_widget, &KvStageWidget::stageTabClosed);
        m_widget->closeStageTab(1);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(m_widget->openedStageCount(), 2);
        const int index = m_widget->addStageTab(QString(), nullptr);
        QCOMPARE(m_widget->tabLabel(index), QString("Stage2"));
        QVERIFY(m_widget->hasStageName("Stage3"));
        QVERIFY(!m_widget->hasStageName("Stage4"));
        QCOMPARE(m_widget->tabLabel(m_widget->addStageTab("Mine", nullptr)), QString("Mine"));
        const int file = m_widget->addStageTab("ignored", makeStage("Lobby Screen.kst"));
        QCOMPARE(m_widget->tabLabel(file), QString("Lobby Screen.kst"));
        QVERIFY(m_widget->hasStageFileOpened(m_data->stagePath("Lobby Screen.kst").toUpper()));
        QVERIFY(!m_widget->hasStageFileOpened(m_data->stagePath("other.kst")));

        QSignalSpy all(m_widget, &KvStageWidget::allStageTabClosed);
        m_widget->closeAllStageTab();
        QCOMPARE(all.count(), 1);
        QVERIFY(!preview->isEnabled());
        QVERIFY(!m_widget->tabWidget()->isVisibleTo(m_widget));
    }

    void unsavedMark()
    {
        m_widget->addStageTab(QString(), nullptr);
        QSignalSpy spy(m_widget, &KvStageWidget::unsavedStateChanged);
        m_widget->changeTabLabelNameToUnsavedState(0, true);
        QCOMPARE(m_widget->tabLabel(0), QString("Stage1*"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(1).toBool(), true);
        // Marking again changes nothing and tells nothing.
        m_widget->changeTabLabelNameToUnsavedState(0, true);
        QCOMPARE(m_widget->tabLabel(0), QString("Stage1*"));
        QCOMPARE(spy.count(), 1);
        // Every trailing asterisk goes.
        m_widget->tabWidget()->setTabText(0, "Stage1**");
        m_widget->changeTabLabelNameToUnsavedState(0, false);
        QCOMPARE(m_widget->tabLabel(0), QString("Stage1"));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(1).toBool(), false);
        // Unmarking an unmarked label tells nothing; an index outside the tabs does nothing.
        m_widget->changeTabLabelNameToUnsavedState(0, false);
        m_widget->changeTabLabelNameToUnsavedState(7, true);
        QCOMPARE(spy.count(), 2);
        // An edit recorded in the tab's undo stack marks it: tst_panels.
    }

    void copyAndPasteIntoAnotherStage()
    {
        KvStage* source = makeStage("s.kst", 1920, 1080);
        KvScreen* s1 =
            addScreen(source, 1, ScreenType::Multimedia, QRectF(100, 100, 200, 100), "Main", 2);
        KvScreen* s2 =
            addScreen(source, 2, ScreenType::Multimedia, QRectF(400.5, 300, 100, 100), "Side", 1);
        m_widget->addStageTab(QString(), source);
        m_widget->selectScreenItem({s1, s2}, true, true);
        const QList<KvScreen*> copied = m_widget->copyScreen();
        QCOMPARE(copied.count(), 2);
        // Ascending z-index: Side (z 1) first, in the copies and on the system clipboard.
        QCOMPARE(copied.at(0)->name(), QString("Side"));
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        QCOMPARE(mime->text(),
                 QString("Screen{id=2;name=Side;x=400.5;y=300;z=1;width=100;height=100;};"
                         "Screen{id=1;name=Main;x=100;y=100;z=2;width=200;height=100;};"));
        QCOMPARE(mime->data(KvEditorCommon::MIME_TYPE_SCREEN_OBJECT), mime->text().toLatin1());

        KvStage* target = makeStage("t.kst", 1920, 1080);
        addScreen(target, 5, ScreenType::Multimedia, QRectF(0, 0, 50, 50), "Main", 3);
        addScreen(target, 3, ScreenType::Multimedia, QRectF(0, 0, 50, 50), "Side", 1);
        m_widget->setCurrentStageTab(m_widget->addStageTab(QString(), target));
        QVERIFY(m_widget->canPasteScreen());
        m_widget->currentStageWorkingArea()->setLastPressedScenePos(QPointF(1000, 500));
        const QList<KvScreen*> pasted = m_widget->pasteScreen();
        QCOMPARE(pasted.count(), 2);
        // New ids and z-indexes above the stage's.
        QCOMPARE(QPoint(pasted.at(0)->id(), pasted.at(1)->id()), QPoint(6, 7));
        QCOMPARE(QPoint(pasted.at(0)->zIndex(), pasted.at(1)->zIndex()), QPoint(4, 5));
        QVERIFY(pasted.at(0)->name() != "Side");
        QVERIFY(pasted.at(1)->name() != "Main");
        QVERIFY(pasted.at(0)->name() != pasted.at(1)->name());
        // Union (100, 100)-(500.5, 400) centred on (1000, 500): offset (699.75, 250).
        QCOMPARE(pasted.at(0)->rect(), QRectF(1100.25, 550, 100, 100));
        QCOMPARE(pasted.at(1)->rect(), QRectF(799.75, 350, 200, 100));
        QCOMPARE(target->screenList().count(), 4);
        QCOMPARE(target->screenList().last(), pasted.at(1));
        QCOMPARE(m_widget->selectedScreens().count(), 2);
        // The copies are new objects; the originals are untouched.
        QVERIFY(!pasted.contains(s1) && !pasted.contains(s2));
        QCOMPARE(s1->rect(), QRectF(100, 100, 200, 100));
    }

    void pasteWithoutClipboardOrScreens()
    {
        m_widget->addStageTab(QString(), makeStage("e.kst"));
        QVERIFY(m_widget->pasteScreen().isEmpty());
        QVERIFY(!m_widget->canPasteScreen());
        QVERIFY(m_widget->copyScreen().isEmpty());
        // A clipboard whose system side lost the screen format cannot paste.
        QVERIFY(m_widget->addMultimediaScreen());
        m_widget->copyScreen();
        QVERIFY(m_widget->canPasteScreen());
        QApplication::clipboard()->setText("plain");
        QVERIFY(!m_widget->canPasteScreen());
        // An empty stage gets nothing pasted.
        m_widget->setCurrentStageTab(m_widget->addStageTab(QString(), makeStage("f.kst")));
        QVERIFY(m_widget->pasteScreen().isEmpty());
        QVERIFY(m_widget->screens().isEmpty());
    }

    // The stage setters, on a 640 x 480 red stage without options whose background image is
    // `initialImage`. In `value`, "@" stands for the data folder and "^" for it in capitals.
    void stageSetters_data()
    {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("old");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("initialImage");
        QTest::addColumn<bool>("unchanged");
        const auto row = [](const char* name, const char* setter, const QVariant& value,
                            const QVariant& old, const QVariant& stored,
                            const QString& initialImage = QString(), bool unchanged = false) {
            QTest::newRow(name) << setter << value << old << stored << initialImage << unchanged;
        };

        const QString a = "image/a.png";
        row("colour", "colour", QColor(Qt::green), QColor(Qt::red), QColor(Qt::green));
        row("same image again reports unchanged", "image", "@/image/a.png", a, a, a, true);
        row("folder prefix in other case, leading slashes dropped", "image", "^//image/a.png",
            QString(), a);
        row("image outside kept as given, missing picture keeps the old one", "image",
            "/elsewhere/b.png", a, "/elsewhere/b.png", a);
        row("options beyond the two flags", "options", 0xffu, 0u, 3u);
        row("position truncated toward zero", "position", QPointF(10.7, -3.9), QPointF(0, 0),
            QPointF(10, -3));
        row("size truncated", "size", QSizeF(800.9, 600), QSizeF(640, 480), QSizeF(800, 600));
    }

    void stageSetters()
    {
        QFETCH(QString, setter);
        QFETCH(QVariant, value);
        QFETCH(QVariant, old);
        QFETCH(QVariant, stored);
        QFETCH(QString, initialImage);
        QFETCH(bool, unchanged);

        QVERIFY(Kova::Test::writeImage(m_data->filePath("image/a.png")));
        KvStage* stage = makeStage("s.kst");
        stage->setBackgroundColor(Qt::red);
        stage->setBackgroundImage(initialImage);
        m_widget->addStageTab(QString(), stage);
        const QString dataDir = m_widget->currentStageWorkingArea()->dataFolder();
        QCOMPARE(dataDir, m_data->path());

        QVariant returned;
        QVariant now;
        bool reportedUnchanged = false;
        if (setter == "colour") {
            returned = m_widget->setStageBackgroundColor(value.value<QColor>());
            now = stage->backgroundColor();
        } else if (setter == "image") {
            const QString path =
                value.toString().replace("@", dataDir).replace("^", dataDir.toUpper());
            returned = m_widget->setStageBackgroundImage(path, &reportedUnchanged);
            now = stage->backgroundImage();
        } else if (setter == "options") {
            returned = m_widget->setStageOptions(value.toUInt());
            now = stage->options();
        } else if (setter == "position") {
            returned = m_widget->setStagePos(value.toPointF());
            now = QPointF(stage->rect().topLeft());
        } else {
            returned = m_widget->setStageSize(value.toSizeF());
            now = QSizeF(stage->rect().size());
        }
        QCOMPARE(returned, old);
        QCOMPARE(now, stored);
        QCOMPARE(reportedUnchanged, unchanged);
        // The canvas shows the stage as it now is.
        const KvStageItem* item = m_widget->currentStageWorkingArea()->stageItem();
        QCOMPARE(item->rect(), QRectF(QPointF(0, 0), stage->rect().size()));
        QCOMPARE(item->brush().color(), stage->backgroundColor());
        QCOMPARE(item->backgroundPicture() != nullptr, setter == "image");
    }

    // Closing the first of two tabs, its stage `file` changed, the save question answered with
    // `answer` (the one answered No is the documents' test): the boxes shown ("title: text") and
    // whether the file was written. The tab goes in every case and hands over its scene and the
    // one the sequence side gives up for its stage.
    void closingAsksToSave_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("written");

        const QString question =
            "Notice: The stage of \"%1\" has been changed.\n\nDo you want to save it ?";
        QTest::newRow("saved") << "saved.kst" << int(QMessageBox::Yes)
                               << QStringList{question.arg("saved.kst")} << true;
        // A path inside a folder that does not exist cannot be written.
        QTest::newRow("save fails")
            << "missing/folder/broken.kst" << int(QMessageBox::Yes)
            << QStringList{question.arg("broken.kst"),
                           "Error: Cannot save the stage of \"broken.kst\"."}
            << false;
    }

    void closingAsksToSave()
    {
        QFETCH(QString, file);
        QFETCH(int, answer);
        QFETCH(QStringList, boxes);
        QFETCH(bool, written);

        KvStage* stage = makeStage(file);
        const QString path = stage->filePath();
        m_widget->addStageTab(QString(), stage);
        m_widget->addStageTab(QString(), nullptr);
        stage->setOptions(2u);
        QVERIFY(m_widget->isCurrentStageChangedFromInitial());
        auto* sequenceScene = new QGraphicsScene;
        const KvStage* asked = nullptr;
        QObject sequenceSide; // answers for this tab only
        connect(m_widget, &KvStageWidget::takeGraphicsSceneFromSequenceWidget, &sequenceSide,
                [&](const KvStage* s, QGraphicsScene** scene) {
                    asked = s;
                    *scene = sequenceScene;
                });
        QSignalSpy closed(m_widget, &KvStageWidget::stageTabClosed);
        QSignalSpy purged(m_widget,
                          qOverload<QList<QGraphicsScene*>>(&KvStageWidget::graphicsScenePurged));
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::StandardButton(answer));
        watcher.answer(QMessageBox::Ok);
        m_widget->closeStageTab(0);
        QStringList seen;
        for (const KvModalWatcher::Seen& box : watcher.seen())
            seen << box.title + ": " + box.text;
        QCOMPARE(seen, boxes);
        QCOMPARE(QFile::exists(path), written);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(m_widget->openedStageCount(), 1);
        QCOMPARE(m_widget->tabLabel(0), QString("Stage1"));
        QCOMPARE(asked, stage);
        QCOMPARE(purged.count(), 1);
        const auto scenes = purged.at(0).at(0).value<QList<QGraphicsScene*>>();
        QCOMPARE(scenes.count(), 2);
        QCOMPARE(scenes.at(1), sequenceScene);
        // The tab's scene is handed over: it outlives the tab.
        const QPointer<QGraphicsScene> tabScene = scenes.at(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(tabScene);
        qDeleteAll(scenes);
    }

    // The player's command line -s "<stage>" -t false -u 001 -ai true -ss true -a true -pv true
    // -pp <flag>, one list entry per word and the stage path one entry whatever it holds; the
    // flag from the configuration file of the data folder. A changed stage is saved first (the
    // question answered Yes); a save that fails stops the preview.
    void preview_data()
    {
        QTest::addColumn<QByteArray>("configuration"); // null: no configuration file
        QTest::addColumn<QString>("change");           // "", "saved" or "unwritable"
        QTest::addColumn<QString>("flag");             // empty: the player does not start

        QTest::newRow("no configuration") << QByteArray() << ""
                                          << "true";
        QTest::newRow("flag false") << QByteArray("usePlatformPalyer=false\n") << ""
                                    << "false";
        QTest::newRow("flag true") << QByteArray("usePlatformPalyer=true\n") << ""
                                   << "true";
        QTest::newRow("configuration without the flag") << QByteArray("[player]\nvolume=7\n") << ""
                                                        << "true";
        QTest::newRow("changed stage saved first") << QByteArray() << "saved"
                                                   << "true";
        QTest::newRow("failed save stops it") << QByteArray() << "unwritable"
                                              << "";
    }

    void preview()
    {
        QFETCH(QByteArray, configuration);
        QFETCH(QString, change);
        QFETCH(QString, flag);

        if (!configuration.isNull())
            QVERIFY(Kova::Test::writeFile(m_data->filePath("config.ini"), configuration));
        KvStage* stage = makeStage("with space \"q\" -pp false.kst");
        QVERIFY(stage->writeToFile());
        m_widget->addStageTab(QString(), stage);
        KvModalWatcher watcher;
        if (!change.isEmpty()) {
            stage->setBackgroundColor(Qt::cyan);
            m_widget->changeTabLabelNameToUnsavedState(0, true);
            if (change == "unwritable")
                stage->setFilePath(m_data->filePath("no/such/dir/x.kst"));
            watcher.answer(QMessageBox::Yes);
        }
        // The information box (or the save error) last.
        watcher.answer(QMessageBox::Ok);
        m_widget->previewCurrentStage();
        QCOMPARE(watcher.count(), change.isEmpty() ? 1 : 2);
        const KvModalWatcher::Seen last = watcher.seen().last();
        QCOMPARE(m_launchCount, flag.isEmpty() ? 0 : 1);
        QCOMPARE(m_widget->tabLabel(0).endsWith('*'), flag.isEmpty());
        QCOMPARE(m_widget->isCurrentStageChangedFromInitial(), flag.isEmpty());
        if (flag.isEmpty()) {
            QCOMPARE(last.title, QString("Error"));
            return;
        }
        QCOMPARE(last.title, QString("How to exit the preview"));
        QCOMPARE(last.text, QString("To exit the preview and press the \"ESC\" key."));
        const QStringList expected =
            QStringList{QCoreApplication::applicationDirPath() + "/KvStageScreen.exe", "-s",
                        stage->filePath()} +
            QString("-t false -u 001 -ai true -ss true -a true -pv true -pp").split(' ') +
            QStringList{flag};
        QCOMPARE(m_launched, expected);
    }

    void noTabMeansDefaults()
    {
        QVERIFY(!m_widget->addMultimediaScreen());
        QVERIFY(m_widget->screens().isEmpty());
        QVERIFY(!m_widget->screenListObject());
        QVERIFY(!m_widget->setStageBackgroundColor(Qt::red).isValid());
        bool unchanged = true;
        QCOMPARE(m_widget->setStageBackgroundImage("x", &unchanged), QString());
        QVERIFY(!unchanged);
        QCOMPARE(m_widget->setStageOptions(3u), 0u);
        QCOMPARE(m_widget->setStagePos(QPointF(1, 2)), QPointF());
        QCOMPARE(m_widget->setStageSize(QSizeF(1, 2)), QSizeF());
        QVERIFY(m_widget->pasteScreen().isEmpty());
        m_widget->previewCurrentStage();
        QCOMPARE(m_launchCount, 0);
        QCOMPARE(m_widget->currentTabIndex(), -1);
    }

    void newStageShowsAtHalfZoom()
    {
        QSignalSpy added(m_widget, &KvStageWidget::stageAdded);
        const int index = m_widget->addStage(makeStage("z.kst"));
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toInt(), index);
        QCoreApplication::processEvents();
        QCOMPARE(m_widget->stageWorkingArea(index)->zoomRate(), 0.5);
    }

    // A panel field still being edited must finish while its own tab is current, or the typed
    // value (already shown on the canvas) never reaches that stage.
    void clickingTabFinishesEditingFirst()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* field = new QSpinBox(&window);
        field->setRange(0, 10000);
        layout->addWidget(field);
        auto* widget = new KvStageWidget(nullptr, &window);
        layout->addWidget(widget);
        widget->addStageTab(QString(), makeStage("1.kst"));
        widget->addStageTab(QString(), makeStage("2.kst"));
        widget->setCurrentStageTab(0);
        window.resize(800, 600);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClicks(field, "200");

        int tabWhenFinished = -1;
        connect(field, &QSpinBox::editingFinished, this,
                [&] { tabWhenFinished = widget->tabWidget()->currentIndex(); });
        QTabBar* bar = widget->tabWidget()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());

        QCOMPARE(widget->tabWidget()->currentIndex(), 1);
        QCOMPARE(tabWhenFinished, 0);
        KvModalWatcher watcher;
        widget->closeAllStageTab();
    }

    void droppedMediaGetScreenAndSequenceIndexes()
    {
        KvStage* stage = makeStage("m.kst");
        addScreen(stage, 1);
        KvScreen* target = addScreen(stage, 2);
        target->addMedia(new KvMedia("image/a.png", MediaType::Image, target));
        target->addMedia(new KvMedia("image/b.png", MediaType::Image, target));
        m_widget->addStageTab(QString(), stage);
        auto records = [] {
            QList<KvPreservedMedia*> list;
            for (int i = 0; i < 2; ++i)
                list << new KvPreservedMedia(new KvMedia("image/c.png", MediaType::Image), -1, -1,
                                             true, true);
            return list;
        };
        // Nobody takes them: they are freed (the leak checker watches).
        QList<KvPreservedMedia*> unwanted = records();
        m_widget->onRequestAddMedia(unwanted, target);
        QVERIFY(unwanted.isEmpty());

        QList<KvPreservedMedia*> taken;
        connect(m_widget, &KvStageWidget::requestAddMedia, this,
                [&](QList<KvPreservedMedia*>& list) { taken = list; });
        QList<KvPreservedMedia*> dropped = records();
        m_widget->onRequestAddMedia(dropped, target);
        QCOMPARE(taken, dropped);
        // After the two media the screen (index 1) holds.
        QCOMPARE(QPoint(dropped.at(0)->screenIndex(), dropped.at(0)->sequenceIndex()),
                 QPoint(1, 2));
        QCOMPARE(dropped.at(1)->sequenceIndex(), 3);
        qDeleteAll(dropped);
    }
};

QTEST_MAIN(TestStageWidget)
#include "tst_stagewidget.moc"
