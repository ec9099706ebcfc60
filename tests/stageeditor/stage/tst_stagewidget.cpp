// Stage tabs: labels, unsaved marks, the save question on closing, new-screen defaults,
// the screen clipboard, the stage setters and the preview command line.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGraphicsScene>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "kveditorcommon.h"
#include "kvmedia.h"
#include "kvmodalwatcher.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"

using namespace Kova;

namespace {

KvStage* makeStage(const QString& path, int width, int height)
{
    auto* stage = new KvStage(path);
    stage->setRect(QRect(0, 0, width, height));
    return stage;
}

KvScreen* addScreenTo(KvStage* stage, int id, int z, const QRectF& rect, const QString& name)
{
    auto* screen = new KvScreen(ScreenType::Multimedia, id);
    screen->setZIndex(z);
    screen->setRect(rect);
    screen->setName(name);
    stage->addScreen(screen);
    return screen;
}

QString g_launchedProgram;
QStringList g_launchedArguments;
int g_launchCount = 0;

bool recordLaunch(const QString& program, const QStringList& arguments)
{
    g_launchedProgram = program;
    g_launchedArguments = arguments;
    ++g_launchCount;
    return true;
}

} // namespace

class TstStageWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void toolBarAndActions();
    void tabLabelsAreNumberedAndReused();
    void tabLabelOfStageIsFileName();
    void unsavedMark();
    void multimediaDefaultsOnFullHd();
    void telopDefaultsOnFullHd();
    void smallStageClampsDefaults();
    void nextIdFillsGap();
    void clipboardTextFormat();
    void copyAndPasteIntoAnotherStage();
    void pasteWithoutClipboardOrScreens();
    void canCopyAndDelete();
    void backgroundImageRelativeAndUnchanged();
    void stageSettersReturnOldValues();
    void closingChangedTabAsksAndSaves();
    void closingChangedTabWhenSaveFails();
    void closingUnchangedTabAsksNothing();
    void previewArgumentsForOrdinaryPath();
    void previewArgumentsCannotBeInjected_data();
    void previewArgumentsCannotBeInjected();
    void previewStartsPlayer();
    void noTabMeansDefaults();
    void newStageShowsAtHalfZoom();
    void closingHandsOverBothScenes();
    void currentTabChangeSignals();
    void clickingTabFinishesEditingFirst();
    void droppedMediaGetScreenAndSequenceIndexes();

private:
    KvStageWidget* m_widget = nullptr;
    QTemporaryDir* m_dir = nullptr;
};

void TstStageWidget::initTestCase()
{
    // The signals name the types as declared inside the namespace.
    qRegisterMetaType<KvStage*>("KvStage*");
    qRegisterMetaType<KvStageWorkingArea*>("KvStageWorkingArea*");
    qRegisterMetaType<QList<QGraphicsScene*>>("QList<QGraphicsScene*>");
}

void TstStageWidget::init()
{
    m_dir = new QTemporaryDir;
    m_widget = new KvStageWidget(nullptr);
    g_launchCount = 0;
    KvStageWidget::setPreviewLauncher(&recordLaunch);
}

void TstStageWidget::cleanup()
{
    // Changed stages ask whether to save: the watcher says no.
    KvModalWatcher watcher;
    m_widget->closeAllStageTab();
    delete m_widget;
    m_widget = nullptr;
    delete m_dir;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TstStageWidget::toolBarAndActions()
{
    QStringList names;
    for (QAction* action : m_widget->actionList())
        names << action->objectName();
    QCOMPARE(names, QStringList({"Action_Add_Multimedia_Screen", "Action_Add_Telop_Screen",
                                 "Action_Add_Extended_Screen", "Action_Preview_Stage",
                                 "Action_Close_Stage"}));
    // Disabled until the first tab opens; the close action is never touched.
    QVERIFY(!m_widget->actionList().at(0)->isEnabled());
    QVERIFY(!m_widget->actionList().at(3)->isEnabled());
    QVERIFY(m_widget->actionList().at(4)->isEnabled());
    QSignalSpy first(m_widget, SIGNAL(firstStageTabAdded()));
    m_widget->addStageTab(QString(), nullptr);
    QCOMPARE(first.count(), 1);
    QVERIFY(m_widget->actionList().at(0)->isEnabled());
    QSignalSpy all(m_widget, SIGNAL(allStageTabClosed()));
    m_widget->closeStageTab(0);
    QCOMPARE(all.count(), 1);
    QVERIFY(!m_widget->actionList().at(0)->isEnabled());
    QVERIFY(!m_widget->tabWidget()->isVisibleTo(m_widget));
}

void TstStageWidget::tabLabelsAreNumberedAndReused()
{
    QCOMPARE(m_widget->addStageTab(QString(), nullptr), 0);
    QCOMPARE(m_widget->addStageTab(QString(), nullptr), 1);
    QCOMPARE(m_widget->addStageTab(QString(), nullptr), 2);
    QCOMPARE(m_widget->tabLabel(0), QString("Stage1"));
    QCOMPARE(m_widget->tabLabel(1), QString("Stage2"));
    QCOMPARE(m_widget->tabLabel(2), QString("Stage3"));
    QSignalSpy closed(m_widget, SIGNAL(stageTabClosed(KvStage*)));
    m_widget->closeStageTab(1);
    QCOMPARE(closed.count(), 1);
    QCOMPARE(m_widget->openedStageCount(), 2);
    const int index = m_widget->addStageTab(QString(), nullptr);
    QCOMPARE(m_widget->tabLabel(index), QString("Stage2"));
    QVERIFY(m_widget->hasStageName("Stage3"));
    QVERIFY(!m_widget->hasStageName("Stage4"));
    QCOMPARE(m_widget->tabLabel(m_widget->addStageTab("Mine", nullptr)), QString("Mine"));
}

void TstStageWidget::tabLabelOfStageIsFileName()
{
    const QString path = m_dir->filePath("Lobby Screen.kst");
    const int index = m_widget->addStageTab("ignored", makeStage(path, 640, 480));
    QCOMPARE(m_widget->tabLabel(index), QString("Lobby Screen.kst"));
    QVERIFY(m_widget->hasStageFileOpened(path.toUpper()));
    QVERIFY(!m_widget->hasStageFileOpened(m_dir->filePath("other.kst")));
}

void TstStageWidget::unsavedMark()
{
    m_widget->addStageTab(QString(), nullptr);
    QSignalSpy spy(m_widget, SIGNAL(unsavedStateChanged(int, bool)));
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
    // The widget overload finds its tab; -1 is the current tab.
    m_widget->changeTabLabelNameToUnsavedState(m_widget->currentStageWorkingArea(), true);
    QCOMPARE(m_widget->tabLabel(0), QString("Stage1*"));
    m_widget->changeTabLabelNameToUnsavedState(-1, false);
    QCOMPARE(m_widget->tabLabel(0), QString("Stage1"));
}

void TstStageWidget::multimediaDefaultsOnFullHd()
{
    m_widget->addStageTab(QString(), makeStage(m_dir->filePath("a.kst"), 1920, 1080));
    KvScreen* screen = m_widget->addMultimediaScreen();
    QVERIFY(screen);
    QCOMPARE(screen->id(), 1);
    QCOMPARE(screen->zIndex(), 1);
    QCOMPARE(screen->name(), QString("Multi 1"));
    QCOMPARE(screen->rect(), QRectF(144, 81, 1632, 918));
    QCOMPARE(screen->graphicsType(), GraphicsType::Default);
    QCOMPARE(int(screen->moviePlayerType()), 1);
    QCOMPARE(int(screen->flashPlayerType()), 1);
    QCOMPARE(int(screen->webBrowserType()), 1);
    QCOMPARE(m_widget->selectedScreens(), QList<KvScreen*>{screen});
}

void TstStageWidget::telopDefaultsOnFullHd()
{
    m_widget->addStageTab(QString(), makeStage(m_dir->filePath("a.kst"), 1920, 1080));
    KvScreen* screen = m_widget->addTelopScreen();
    QVERIFY(screen);
    QCOMPARE(screen->name(), QString("Telop 1"));
    QCOMPARE(screen->rect(), QRectF(144, 486, 1632, 108));
    QCOMPARE(int(screen->moviePlayerType()), 2);
}

void TstStageWidget::smallStageClampsDefaults()
{
    m_widget->addStageTab(QString(), makeStage(m_dir->filePath("a.kst"), 200, 100));
    KvScreen* screen = m_widget->addMultimediaScreen();
    QVERIFY(screen);
    QCOMPARE(screen->rect(), QRectF(0, 0, 256, 144));
}

void TstStageWidget::nextIdFillsGap()
{
    KvStage* stage = makeStage(m_dir->filePath("a.kst"), 1920, 1080);
    addScreenTo(stage, 1, 1, QRectF(0, 0, 10, 10), "a");
    addScreenTo(stage, 2, 7, QRectF(0, 0, 10, 10), "b");
    addScreenTo(stage, 4, 3, QRectF(0, 0, 10, 10), "c");
    m_widget->addStageTab(QString(), stage);
    KvScreen* screen = m_widget->addMultimediaScreen();
    QVERIFY(screen);
    QCOMPARE(screen->id(), 3);
    QCOMPARE(screen->zIndex(), 8);
    QCOMPARE(screen->name(), QString("Multi 3"));
    // The stage's list stays in ascending z-index order.
    QCOMPARE(stage->screenList().last(), screen);
}

void TstStageWidget::clipboardTextFormat()
{
    KvScreen a(ScreenType::Multimedia, 1);
    a.setName("Front %1 door");
    a.setZIndex(2);
    a.setRect(QRectF(144, 81, 1632, 918));
    KvScreen b(ScreenType::Telop, 12);
    b.setName("tick");
    b.setZIndex(5);
    b.setRect(QRectF(0.5, -3, 1234567, 0.25));
    QCOMPARE(KvStageWidget::screenClipboardText({&a, &b}),
             QString("Screen{id=1;name=Front %1 door;x=144;y=81;z=2;width=1632;height=918;};"
                     "Screen{id=12;name=tick;x=0.5;y=-3;z=5;width=1.23457e+06;height=0.25;};"));
}

void TstStageWidget::copyAndPasteIntoAnotherStage()
{
    KvStage* source = makeStage(m_dir->filePath("s.kst"), 1920, 1080);
    KvScreen* s1 = addScreenTo(source, 1, 2, QRectF(100, 100, 200, 100), "Main");
    KvScreen* s2 = addScreenTo(source, 2, 1, QRectF(400, 300, 100, 100), "Side");
    m_widget->addStageTab(QString(), source);
    m_widget->selectScreenItem({s1, s2}, true, true);
    const QList<KvScreen*> copied = m_widget->copyScreen();
    QCOMPARE(copied.count(), 2);
    // Ascending z-index: Side (z 1) first.
    QCOMPARE(copied.at(0)->name(), QString("Side"));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    const QString expected = "Screen{id=2;name=Side;x=400;y=300;z=1;width=100;height=100;};"
                             "Screen{id=1;name=Main;x=100;y=100;z=2;width=200;height=100;};";
    QCOMPARE(data->text(), expected);
    QCOMPARE(data->data(KvEditorCommon::MIME_TYPE_SCREEN_OBJECT), expected.toLatin1());

    KvStage* target = makeStage(m_dir->filePath("t.kst"), 1920, 1080);
    addScreenTo(target, 5, 3, QRectF(0, 0, 50, 50), "Main");
    addScreenTo(target, 3, 1, QRectF(0, 0, 50, 50), "Side");
    const int tab = m_widget->addStageTab(QString(), target);
    m_widget->setCurrentStageTab(tab);
    QVERIFY(m_widget->canPasteScreen());
    m_widget->currentStageWorkingArea()->setLastPressedScenePos(QPointF(1000, 500));
    const QList<KvScreen*> pasted = m_widget->pasteScreen();
    QCOMPARE(pasted.count(), 2);
    QCOMPARE(pasted.at(0)->id(), 6);
    QCOMPARE(pasted.at(1)->id(), 7);
    QCOMPARE(pasted.at(0)->zIndex(), 4);
    QCOMPARE(pasted.at(1)->zIndex(), 5);
    QVERIFY(pasted.at(0)->name() != "Side");
    QVERIFY(pasted.at(1)->name() != "Main");
    QVERIFY(pasted.at(0)->name() != pasted.at(1)->name());
    // Union (100,100)-(500,400) centred on (1000, 500): offset (700, 250).
    QCOMPARE(pasted.at(0)->rect(), QRectF(1100, 550, 100, 100));
    QCOMPARE(pasted.at(1)->rect(), QRectF(800, 350, 200, 100));
    QCOMPARE(target->screenList().count(), 4);
    QCOMPARE(target->screenList().last(), pasted.at(1));
    QCOMPARE(m_widget->selectedScreens().count(), 2);
    // The copies are new objects; the originals are untouched.
    QVERIFY(!pasted.contains(s1) && !pasted.contains(s2));
    QCOMPARE(s1->rect(), QRectF(100, 100, 200, 100));
}

void TstStageWidget::pasteWithoutClipboardOrScreens()
{
    m_widget->addStageTab(QString(), makeStage(m_dir->filePath("e.kst"), 640, 480));
    QVERIFY(m_widget->pasteScreen().isEmpty());
    QVERIFY(!m_widget->canPasteScreen());
    QVERIFY(m_widget->copyScreen().isEmpty());
    // A clipboard whose system side lost the screen format cannot paste.
    KvScreen* screen = m_widget->addMultimediaScreen();
    QVERIFY(screen);
    m_widget->copyScreen();
    QVERIFY(m_widget->canPasteScreen());
    QApplication::clipboard()->setText("plain");
    QVERIFY(!m_widget->canPasteScreen());
    // An empty stage gets nothing pasted.
    m_widget->setCurrentStageTab(
        m_widget->addStageTab(QString(), makeStage(m_dir->filePath("f.kst"), 640, 480)));
    QVERIFY(m_widget->pasteScreen().isEmpty());
    QVERIFY(m_widget->currentStageWorkingArea()->stage()->screenList().isEmpty());
}

void TstStageWidget::canCopyAndDelete()
{
    KvStage* stage = makeStage(m_dir->filePath("c.kst"), 1920, 1080);
    KvScreen* normal = addScreenTo(stage, 1, 1, QRectF(0, 0, 10, 10), "n");
    KvScreen* ext = addScreenTo(stage, 2, 2, QRectF(0, 0, 10, 10), "x");
    ext->setType(ScreenType::Extended);
    KvScreen* locked = addScreenTo(stage, 3, 3, QRectF(0, 0, 10, 10), "l");
    locked->setLockScreen(true);
    m_widget->addStageTab(QString(), stage);
    m_widget->clearScreenSelection();
    QVERIFY(!m_widget->canCopyScreen());
    m_widget->selectScreenItem({normal}, true, true);
    QVERIFY(m_widget->canCopyScreen());
    QVERIFY(m_widget->canDeleteScreen());
    m_widget->selectScreenItem({normal, ext}, true, true);
    QVERIFY(!m_widget->canCopyScreen());
    m_widget->selectScreenItem({normal, locked}, true, true);
    QVERIFY(m_widget->canCopyScreen());
    QVERIFY(!m_widget->canDeleteScreen());
    QVERIFY(m_widget->hasLockedScreenItemInSelection());
}

void TstStageWidget::backgroundImageRelativeAndUnchanged()
{
    const QString data = m_widget->currentStageWorkingArea() ? QString() : QString();
    Q_UNUSED(data)
    KvStage* stage = makeStage(m_dir->filePath("b.kst"), 640, 480);
    m_widget->addStageTab(QString(), stage);
    const QString dataDir = m_widget->currentStageWorkingArea()->dataFolder();
    QVERIFY(!dataDir.isEmpty());
    bool unchanged = true;
    QCOMPARE(m_widget->setStageBackgroundImage(dataDir + "/images/a.png", &unchanged), QString());
    QVERIFY(!unchanged);
    QCOMPARE(stage->backgroundImage(), QString("images/a.png"));
    QCOMPARE(m_widget->setStageBackgroundImage(dataDir + "/images/a.png", &unchanged),
             QString("images/a.png"));
    QVERIFY(unchanged);
    // Outside the data folder the path stays as given.
    QCOMPARE(m_widget->setStageBackgroundImage("/elsewhere/b.png", &unchanged),
             QString("images/a.png"));
    QVERIFY(!unchanged);
    QCOMPARE(stage->backgroundImage(), QString("/elsewhere/b.png"));
}

void TstStageWidget::stageSettersReturnOldValues()
{
    KvStage* stage = makeStage(m_dir->filePath("s.kst"), 640, 480);
    stage->setBackgroundColor(Qt::red);
    m_widget->addStageTab(QString(), stage);
    QCOMPARE(m_widget->setStageBackgroundColor(Qt::green), QColor(Qt::red));
    QCOMPARE(stage->backgroundColor(), QColor(Qt::green));
    QCOMPARE(m_widget->setStageOptions(3u), 0u);
    QCOMPARE(m_widget->setStageOptions(1u), 3u);
    QCOMPARE(stage->options(), 1u);
    QCOMPARE(m_widget->setStagePos(QPointF(10.7, -3.9)), QPointF(0, 0));
    QCOMPARE(stage->rect().topLeft(), QPoint(10, -3));
    QCOMPARE(m_widget->setStageSize(QSizeF(800.9, 600)), QSizeF(640, 480));
    QCOMPARE(stage->rect().size(), QSize(800, 600));
}

void TstStageWidget::closingChangedTabAsksAndSaves()
{
    const QString path = m_dir->filePath("saved.kst");
    KvStage* stage = makeStage(path, 640, 480);
    m_widget->addStageTab(QString(), stage);
    stage->setBackgroundColor(Qt::yellow);
    QVERIFY(m_widget->isCurrentStageChangedFromInitial());
    qRegisterMetaType<QList<QGraphicsScene*>>("QList<QGraphicsScene*>");
    QSignalSpy purged(m_widget, SIGNAL(graphicsScenePurged(QList<QGraphicsScene*>)));
    KvModalWatcher watcher;
    watcher.answer(QMessageBox::Yes);
    m_widget->closeStageTab(0);
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(watcher.seen().at(0).title, QString("Notice"));
    QCOMPARE(watcher.seen().at(0).text,
             QString("The stage of \"saved.kst\" has been changed.\n\nDo you want to save it ?"));
    QVERIFY(QFile::exists(path));
    QCOMPARE(m_widget->openedStageCount(), 0);
    QCOMPARE(purged.count(), 1);
    const auto scenes = purged.at(0).at(0).value<QList<QGraphicsScene*>>();
    QCOMPARE(scenes.count(), 1);
    qDeleteAll(scenes);
}

void TstStageWidget::closingChangedTabWhenSaveFails()
{
    // A path inside a folder that does not exist cannot be written.
    const QString path = m_dir->filePath("missing/folder/broken.kst");
    KvStage* stage = makeStage(path, 640, 480);
    m_widget->addStageTab(QString(), stage);
    m_widget->addStageTab(QString(), nullptr);
    stage->setOptions(2u);
    KvModalWatcher watcher;
    watcher.answer(QMessageBox::Yes);
    watcher.answer(QMessageBox::Ok);
    QSignalSpy closed(m_widget, SIGNAL(stageTabClosed(KvStage*)));
    m_widget->closeStageTab(0);
    QCOMPARE(watcher.count(), 2);
    QCOMPARE(watcher.seen().at(1).title, QString("Error"));
    QCOMPARE(watcher.seen().at(1).text, QString("Cannot save the stage of \"broken.kst\"."));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(closed.count(), 1);
    QCOMPARE(m_widget->openedStageCount(), 1);
    QCOMPARE(m_widget->tabLabel(0), QString("Stage1"));
}

void TstStageWidget::closingUnchangedTabAsksNothing()
{
    m_widget->addStageTab(QString(), makeStage(m_dir->filePath("u.kst"), 640, 480));
    KvModalWatcher watcher;
    m_widget->closeAllStageTab();
    QTest::qWait(20);
    QCOMPARE(watcher.count(), 0);
    QCOMPARE(m_widget->openedStageCount(), 0);
}

void TstStageWidget::previewArgumentsForOrdinaryPath()
{
    const QString path = "/data/stage/Lobby.kst";
    // The documented command line, split as a shell would split it.
    const QString line = QString("-s \"%1\"  -t false -u 001 -ai true -ss true -a true -pv true "
                                 "-pp %2")
                             .arg(path, "true");
    QStringList split;
    for (QString word : line.split(' ', Qt::SkipEmptyParts))
        split << word.remove('"');
    QCOMPARE(KvStageWidget::previewArguments(path, true), split);
    QCOMPARE(KvStageWidget::previewArguments(path, false).last(), QString("false"));
    QVERIFY(KvStageWidget::previewProgram().endsWith("/KvStageScreen.exe"));
    QVERIFY(QFileInfo(KvStageWidget::previewProgram()).isAbsolute());
}

void TstStageWidget::previewArgumentsCannotBeInjected_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("spaces") << "/data/my stage/a b.kst";
    QTest::newRow("quotes") << "/data/x\" -pp false \"y.kst";
    QTest::newRow("dash-s") << "-s";
    QTest::newRow("newline") << "/data/a\n-t true.kst";
    QTest::newRow("empty") << "";
    QTest::newRow("backslashes") << "C:\\stages\\\"q\\\".kst";
}

void TstStageWidget::previewArgumentsCannotBeInjected()
{
    QFETCH(QString, path);
    const QStringList args = KvStageWidget::previewArguments(path, false);
    QCOMPARE(args.count(), 16);
    QCOMPARE(args.at(0), QString("-s"));
    QCOMPARE(args.at(1), path);
    QCOMPARE(args.mid(2), QStringList({"-t", "false", "-u", "001", "-ai", "true", "-ss", "true",
                                       "-a", "true", "-pv", "true", "-pp", "false"}));
}

void TstStageWidget::previewStartsPlayer()
{
    const QString path = m_dir->filePath("with space \"q\".kst");
    KvStage* stage = makeStage(path, 640, 480);
    QVERIFY(stage->writeToFile());
    m_widget->addStageTab(QString(), stage);
    // Unchanged: only the information box, then the player.
    {
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);
        m_widget->previewCurrentStage();
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().at(0).title, QString("How to exit the preview"));
        QCOMPARE(watcher.seen().at(0).text,
                 QString("To exit the preview and press the \"ESC\" key."));
    }
    QCOMPARE(g_launchCount, 1);
    QCOMPARE(g_launchedProgram, KvStageWidget::previewProgram());
    QCOMPARE(g_launchedArguments.at(1), path);
    // Changed and saved: the mark goes and the player starts.
    stage->setBackgroundColor(Qt::cyan);
    m_widget->changeTabLabelNameToUnsavedState(0, true);
    {
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Yes);
        watcher.answer(QMessageBox::Ok);
        m_widget->previewCurrentStage();
        QCOMPARE(watcher.count(), 2);
    }
    QCOMPARE(g_launchCount, 2);
    QVERIFY(!m_widget->tabLabel(0).endsWith('*'));
    QVERIFY(!m_widget->isCurrentStageChangedFromInitial());
    // A failed save stops the preview.
    stage->setFilePath(m_dir->filePath("no/such/dir/x.kst"));
    stage->setBackgroundColor(Qt::magenta);
    {
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Yes);
        watcher.answer(QMessageBox::Ok);
        m_widget->previewCurrentStage();
        QCOMPARE(watcher.count(), 2);
        QCOMPARE(watcher.seen().at(1).title, QString("Error"));
    }
    QCOMPARE(g_launchCount, 2);
}

void TstStageWidget::noTabMeansDefaults()
{
    QVERIFY(!m_widget->addMultimediaScreen());
    QVERIFY(m_widget->screens().isEmpty());
    QVERIFY(!m_widget->screenListObject());
    QVERIFY(!m_widget->setStageBackgroundColor(Qt::red).isValid());
    bool unchanged = true;
    QCOMPARE(m_widget->setStageBackgroundImage("x", &unchanged), QString());
    QVERIFY(!unchanged);
    QVERIFY(m_widget->pasteScreen().isEmpty());
    m_widget->previewCurrentStage();
    QCOMPARE(g_launchCount, 0);
    QCOMPARE(m_widget->currentTabIndex(), -1);
}

void TstStageWidget::newStageShowsAtHalfZoom()
{
    QSignalSpy added(m_widget, SIGNAL(stageAdded(int)));
    const int index = m_widget->addStage(makeStage(m_dir->filePath("z.kst"), 640, 480));
    QCOMPARE(added.count(), 1);
    QCOMPARE(added.at(0).at(0).toInt(), index);
    QCoreApplication::processEvents();
    QCOMPARE(m_widget->stageWorkingArea(index)->zoomRate(), 0.5);
}

void TstStageWidget::closingHandsOverBothScenes()
{
    KvStage* stage = makeStage(m_dir->filePath("h.kst"), 640, 480);
    m_widget->addStageTab(QString(), stage);
    auto* sequenceScene = new QGraphicsScene;
    const KvStage* asked = nullptr;
    connect(m_widget, &KvStageWidget::takeGraphicsSceneFromSequenceWidget,
            [&](const KvStage* s, QGraphicsScene** scene) {
                asked = s;
                *scene = sequenceScene;
            });
    qRegisterMetaType<QList<QGraphicsScene*>>("QList<QGraphicsScene*>");
    QSignalSpy purged(m_widget, SIGNAL(graphicsScenePurged(QList<QGraphicsScene*>)));
    QSignalSpy all(m_widget, SIGNAL(allStageTabClosed()));
    m_widget->closeCurrentStage();
    QCOMPARE(asked, stage);
    QCOMPARE(all.count(), 1);
    QCOMPARE(purged.count(), 1);
    const auto scenes = purged.at(0).at(0).value<QList<QGraphicsScene*>>();
    QCOMPARE(scenes.count(), 2);
    QCOMPARE(scenes.at(1), sequenceScene);
    qDeleteAll(scenes);
}

// A panel field still being edited must finish while its own tab is current, or the typed
// value (already shown on the canvas) never reaches that stage.
void TstStageWidget::clickingTabFinishesEditingFirst()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* field = new QSpinBox(&window);
    field->setRange(0, 10000);
    layout->addWidget(field);
    auto* widget = new KvStageWidget(nullptr, &window);
    layout->addWidget(widget);
    widget->addStageTab(QString(), makeStage(m_dir->filePath("1.kst"), 640, 480));
    widget->addStageTab(QString(), makeStage(m_dir->filePath("2.kst"), 640, 480));
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

void TstStageWidget::currentTabChangeSignals()
{
    QSignalSpy stages(m_widget, SIGNAL(currentStageTabChanged(KvStage*)));
    QSignalSpy areas(m_widget, SIGNAL(currentStageTabChanged(KvStageWorkingArea*)));
    KvStage* first = makeStage(m_dir->filePath("1.kst"), 640, 480);
    KvStage* second = makeStage(m_dir->filePath("2.kst"), 640, 480);
    m_widget->addStageTab(QString(), first);
    m_widget->addStageTab(QString(), second);
    m_widget->setCurrentStageTab(1);
    QCOMPARE(stages.last().at(0).value<KvStage*>(), second);
    QCOMPARE(areas.last().at(0).value<KvStageWorkingArea*>(), m_widget->stageWorkingArea(1));
    m_widget->closeAllStageTab();
    QCOMPARE(stages.last().at(0).value<KvStage*>(), static_cast<KvStage*>(nullptr));
    QCOMPARE(areas.last().at(0).value<KvStageWorkingArea*>(),
             static_cast<KvStageWorkingArea*>(nullptr));
}

void TstStageWidget::droppedMediaGetScreenAndSequenceIndexes()
{
    KvStage* stage = makeStage(m_dir->filePath("m.kst"), 640, 480);
    addScreenTo(stage, 1, 1, QRectF(0, 0, 10, 10), "a");
    KvScreen* target = addScreenTo(stage, 2, 2, QRectF(0, 0, 10, 10), "b");
    target->addMedia(new KvMedia("image/a.png", MediaType::Image));
    target->addMedia(new KvMedia("image/b.png", MediaType::Image));
    m_widget->addStageTab(QString(), stage);
    QList<KvPreservedMedia*> records{
        new KvPreservedMedia(new KvMedia("image/c.png", MediaType::Image), -1, -1, true, true),
        new KvPreservedMedia(new KvMedia("image/d.png", MediaType::Image), -1, -1, true, true)};
    int emitted = 0;
    connect(m_widget, &KvStageWidget::requestAddMedia,
            [&](QList<KvPreservedMedia*>& list) { emitted = list.count(); });
    m_widget->onRequestAddMedia(records, target);
    QCOMPARE(emitted, 2);
    QCOMPARE(records.at(0)->screenIndex(), 1);
    QCOMPARE(records.at(0)->sequenceIndex(), 2);
    QCOMPARE(records.at(1)->sequenceIndex(), 3);
    qDeleteAll(records);
}

QTEST_MAIN(TstStageWidget)
#include "tst_stagewidget.moc"
