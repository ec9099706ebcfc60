// Extended screens in the editor: the plug-in entries of the menus, plug-in edits as undo steps,
// contents a plug-in asks for, creating screens through the chooser, stages whose plug-in is
// missing, and the plug-in's copy and delete rules. Fake plug-ins are registered with the
// loader; one path goes through the shipped Clock.

#include "kveditorconfig.h"
#include "kveditormenus.h"
#include "kvfakescreenplugin.h"
#include "kvmodalwatcher.h"
#include "kvpluginloader.h"
#include "kvscreenitem.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvsequencecontainer.h"
#include "kvstagedocuments.h"
#include "kvstageeditor.h"
#include "kvstagescene.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvtestfactories.h"

#include <QDialogButtonBox>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QUndoGroup>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

// The menu's entries, a hidden one in brackets.
QStringList entries(const QMenu* menu)
{
    QStringList names;
    for (const QAction* action : menu->actions()) {
        const QString name = action->objectName().isEmpty() ? action->text() : action->objectName();
        names.append(action->isVisible() ? name : "[" + name + "]");
    }
    return names;
}

// The actions between the menu's plug-in separators.
QStringList pluginEntries(const QMenu* menu)
{
    const QStringList all = entries(menu);
    const int begin = std::max(all.indexOf("Action_Separator_Begin_Plugin"),
                               all.indexOf("[Action_Separator_Begin_Plugin]"));
    return all.mid(begin + 1, all.count() - begin - 2);
}

// Opens and closes the menu as a user does.
void openAndClose(QMenu* menu)
{
    menu->popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
}

} // namespace

class TestPluginScreens : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Test::TempDataDir> m_dataDir;
    std::unique_ptr<QMainWindow> m_mainWindow;
    std::unique_ptr<KvStageEditor> m_editor;
    QList<QAction*> m_actions; // fake plug-in actions, owned here

    QAction* pluginAction(const QString& name)
    {
        m_actions.append(new QAction(name, this));
        m_actions.last()->setObjectName(name);
        return m_actions.last();
    }
    void makeEditor()
    {
        m_mainWindow.reset(new QMainWindow);
        m_editor.reset(new KvStageEditor(m_mainWindow.get()));
    }
    // Writes a stage of screens (id → plug-in id; empty: a multimedia screen), each extended
    // screen with `media` extended media, and opens it.
    KvStage* openStage(const QMap<int, QString>& screens, int media = 0)
    {
        const QString path = m_dataDir->stagePath("plugins.xml");
        std::unique_ptr<KvStage> stage(Test::makeStage(path));
        stage->setName("plugins");
        for (auto it = screens.cbegin(); it != screens.cend(); ++it) {
            KvScreen* screen = Test::addScreen(stage.get(), it.key(),
                                               it.value().isEmpty() ? ScreenType::Multimedia
                                                                    : ScreenType::Extended,
                                               Test::defaultScreenRect(it.key()));
            screen->setPiid(it.value());
            if (!it.value().isEmpty())
                screen->setPluginProperties({{"colour", "red"}});
            for (int i = 0; i < media && !it.value().isEmpty(); ++i) {
                auto* medium = new KvMedia(QString(), MediaType::Extended, screen);
                medium->setName(QString("item %1").arg(i));
                screen->addMedia(medium);
            }
        }
        if (!stage->writeToFile())
            return nullptr;
        m_editor->onStageHasBeenSelected({path});
        QCoreApplication::processEvents();
        return m_editor->currentStage();
    }
    KvScreen* screen(int id) const { return m_editor->currentStage()->getScreenObject(id); }
    void select(const QList<int>& ids)
    {
        QList<KvScreen*> screens;
        for (int id : ids)
            screens.append(screen(id));
        m_editor->selectScreenItem(screens, true, true);
    }
    QMenu* mainMenu(const QString& name) const
    {
        for (QMenu* menu : m_editor->menu()) {
            if (menu->objectName() == name)
                return menu;
        }
        return nullptr;
    }
    QUndoStack* undoStack() const { return m_editor->undoGroup()->activeStack(); }
    QString tabLabel() const
    {
        QTabWidget* tabs = m_editor->stageWidget()->tabWidget();
        return tabs->tabText(tabs->currentIndex());
    }

private slots:
    void init()
    {
        m_dataDir.reset(new Test::TempDataDir);
        QVERIFY(m_dataDir->isValid());
        KvEditorConfig::setDataDir(m_dataDir->path());
    }
    void cleanup()
    {
        if (m_editor && m_editor->stageWidget()) {
            for (KvStageWorkingArea* area : m_editor->stageWidget()->stageWorkingAreaList())
                area->resetInitialStage();
        }
        m_editor.reset();
        m_mainWindow.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        KvPluginLoader::unloadAll();
        qDeleteAll(m_actions);
        m_actions.clear();
    }

    // Add Extended Screen is offered, in the Screen menu and the stage widget's tool bar, only
    // while an extended-screen plug-in is installed.
    void addExtendedScreenOffered_data()
    {
        QTest::addColumn<bool>("extended");
        QTest::newRow("another kind of plug-in only") << false;
        QTest::newRow("an extended-screen plug-in") << true;
    }
    void addExtendedScreenOffered()
    {
        QFETCH(bool, extended);
        if (extended)
            QVERIFY(KvFakeScreenPlugin::registerAs("test.a"));
        else
            QVERIFY(KvPluginLoader::registerStaticPlugin({{"id", "test.other"},
                                                          {"name", "Other"},
                                                          {"group", "Other"},
                                                          {"interfaceVersion", 1}},
                                                         []() { return new QObject; }));
        makeEditor();
        QVERIFY(Test::editorAction(*m_editor, "Action_Add_Extended_Screen"));
        QCOMPARE(Test::editorAction(*m_editor, "Action_Add_Extended_Screen")->isVisible(),
                 extended);
        const QList<QAction*> tools = m_editor->stageWidget()->findChildren<QAction*>(
            "Action_Add_Extended_Screen", Qt::FindDirectChildrenOnly);
        QCOMPARE(tools.count(), 1);
        QCOMPARE(tools.first()->isVisible(), extended);
    }

    // The selection's plug-in actions appear once each between the plug-in separators while
    // the menu is open; closing it leaves the menu as built. The Sequence menu shows them for
    // exactly one selected screen. However often the menus open, a GUI interface is
    // connected once: one plug-in change is one undo step.
    void menuEntries_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QList<int>>("selected"); // of screens 1 (test.a), 2 (test.b), 3
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("screen: shared action once")
            << "Menu_Screen" << QList<int>{1, 2, 3} << QStringList{"Shared", "B only"};
        QTest::newRow("screen: plain screen") << "Menu_Screen" << QList<int>{3} << QStringList{};
        QTest::newRow("sequence: one screen")
            << "Menu_Sequence" << QList<int>{2} << QStringList{"Add item"};
        QTest::newRow("sequence: two screens")
            << "Menu_Sequence" << QList<int>{1, 2} << QStringList{};
    }
    void menuEntries()
    {
        QFETCH(QString, menu);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, shown);
        QAction* shared = pluginAction("Shared");
        QAction* bOnly = pluginAction("B only");
        QAction* addItem = pluginAction("Add item");
        QVERIFY(KvFakeScreenPlugin::registerAs(
            "test.a", [=](KvFakeScreenPlugin* p) { p->screenActionList = {shared}; }));
        QVERIFY(KvFakeScreenPlugin::registerAs("test.b", [=](KvFakeScreenPlugin* p) {
            p->screenActionList = {shared, bOnly};
            p->sequenceActionList = {addItem};
        }));
        makeEditor();
        QVERIFY(openStage({{1, "test.a"}, {2, "test.b"}, {3, ""}}));
        select(selected);

        QMenu* target = mainMenu(menu);
        const QStringList built = entries(target);
        QCOMPARE(built.mid(built.count() - 2),
                 (QStringList{"[Action_Separator_Begin_Plugin]", "[Action_Separator_End_Plugin]"}));
        for (int round = 0; round < 2; ++round) {
            QStringList whileOpen;
            connect(target, &QMenu::aboutToShow, this, [&]() {
                // Runs after the editor's own hook, which was connected first.
                whileOpen = pluginEntries(target);
            });
            openAndClose(target);
            target->disconnect(this);
            QCOMPARE(whileOpen, shown);
            QCOMPARE(entries(target), built);
        }

        if (!shown.isEmpty()) {
            KvFakeScreenPlugin* b = KvFakeScreenPlugin::made("test.b");
            b->applyState(screen(2)->toPluginScreen());
            b->edit("colour", "blue");
            QCOMPARE(undoStack()->count(), 1);
        }
    }

    // A plug-in's change is an undo step: undo hands the plug-in the state before (the screen,
    // selected, takes it back, and its media take the plug-in's pictures again) and marks the
    // tab unsaved; redo hands it the state after.
    void valuesUpdateUndoRedo()
    {
        QAction* settings = pluginAction("Settings");
        QVERIFY(KvFakeScreenPlugin::registerAs(
            "test.a", [=](KvFakeScreenPlugin* p) { p->screenActionList = {settings}; }));
        makeEditor();
        QVERIFY(openStage({{1, "test.a"}, {2, "test.a"}}, 1));
        select({1});
        openAndClose(mainMenu("Menu_Screen"));
        KvFakeScreenPlugin* plugin = KvFakeScreenPlugin::made("test.a");
        plugin->applyState(screen(1)->toPluginScreen());
        plugin->edit("colour", "blue");
        QCOMPARE(undoStack()->count(), 1);
        QCOMPARE(screen(1)->pluginProperties().value("colour"), QVariant("blue"));
        QVERIFY(tabLabel().endsWith("*"));
        QVERIFY(KvStageDocuments::save(*m_editor));
        QVERIFY(!tabLabel().endsWith("*"));

        select({2});
        plugin->pictureColor = Qt::green;
        undoStack()->undo();
        QCOMPARE(plugin->applied.last().toMap().value("colour"), QVariant("red"));
        QCOMPARE(screen(1)->pluginProperties().value("colour"), QVariant("red"));
        QCOMPARE(m_editor->selectedScreens(), QList<KvScreen*>{screen(1)});
        const KvSeqMediaItem* item = m_editor->sequenceContainer()->rowAt(0)->itemAt(0);
        QCOMPARE(item->thumbnailImage().toImage().pixelColor(4, 4), QColor(Qt::green));
        QVERIFY(tabLabel().endsWith("*"));

        undoStack()->redo();
        QCOMPARE(plugin->applied.last().toMap().value("colour"), QVariant("blue"));
        QCOMPARE(screen(1)->pluginProperties().value("colour"), QVariant("blue"));
    }

    // Requested contents become extended media at their keys, as one undo step, with the
    // plug-in's pictures; a request for a screen the stage lacks adds nothing.
    void contentsRequest_data()
    {
        QTest::addColumn<int>("screenId");
        QTest::addColumn<QStringList>("names"); // the row afterwards
        QTest::newRow("keys 2 and 5")
            << 1 << QStringList{"item 0", "item 1", "new 2", "item 2", "item 3", "new 5"};
        QTest::newRow("unknown screen") << 9 << QStringList{"item 0", "item 1", "item 2", "item 3"};
    }
    void contentsRequest()
    {
        QFETCH(int, screenId);
        QFETCH(QStringList, names);
        QAction* add = pluginAction("Add");
        QVERIFY(KvFakeScreenPlugin::registerAs(
            "test.a", [=](KvFakeScreenPlugin* p) { p->sequenceActionList = {add}; }));
        makeEditor();
        QVERIFY(openStage({{1, "test.a"}}, 4));
        select({1});
        openAndClose(mainMenu("Menu_Sequence"));
        KvFakeScreenPlugin::made("test.a")->requestContents(
            screenId, {{5, QVariantMap{{"name", "new 5"}}}, {2, QVariantMap{{"name", "new 2"}}}});

        QStringList row;
        for (const KvMedia* media : screen(1)->mediaList())
            row.append(media->name());
        QCOMPARE(row, names);
        QCOMPARE(undoStack()->count(), screenId == 1 ? 1 : 0);
        if (screenId != 1)
            return;
        QCOMPARE(screen(1)->mediaList().at(5)->mediaType(), MediaType::Extended);
        const KvSeqMediaItem* item = m_editor->sequenceContainer()->rowAt(0)->itemAt(5);
        QCOMPARE(item->thumbnailImage().toImage().pixelColor(4, 4), QColor(Qt::magenta));
        undoStack()->undo();
        QCOMPARE(screen(1)->mediaCount(), 4);
    }

    // Deleting media below the screen's minimum is refused with a notice.
    void deleteBelowMinimum_data()
    {
        QTest::addColumn<int>("selected"); // of 2 media, from the first
        QTest::addColumn<int>("left");
        QTest::newRow("one of two") << 1 << 1;
        QTest::newRow("both") << 2 << 2;
    }
    void deleteBelowMinimum()
    {
        QFETCH(int, selected);
        QFETCH(int, left);
        QVERIFY(KvFakeScreenPlugin::registerAs("test.a",
                                               [](KvFakeScreenPlugin* p) { p->minimum = 1; }));
        makeEditor();
        QVERIFY(openStage({{1, "test.a"}}, 2));
        QList<int> indices;
        for (int i = 0; i < selected; ++i)
            indices.append(i);
        m_editor->updateSequenceMediaItemSelection({{screen(1), indices}});
        KvModalWatcher watcher;
        m_editor->action_removeSelectedSeqMediaItems();
        QCOMPARE(screen(1)->mediaCount(), left);
        const bool refused = left == 2;
        QCOMPARE(watcher.count(), refused ? 1 : 0);
        if (refused)
            QCOMPARE(watcher.seen().first().text,
                     QString("It can not be deleted.\nThis screen needs at least 1 content."));
    }

    // The GUI interface decides whether a screen and its contents may be copied and whether
    // a content's properties show; an extended screen without one refuses all of it.
    void copyRules_data()
    {
        QTest::addColumn<bool>("gui");
        QTest::addColumn<bool>("allows");
        QTest::addColumn<bool>("copyScreen");
        QTest::addColumn<bool>("copyMedia");
        QTest::addColumn<bool>("showProperty");
        QTest::newRow("GUI allows") << true << true << true << true << true;
        QTest::newRow("GUI refuses") << true << false << false << false << false;
        QTest::newRow("no GUI") << false << true << false << false << false;
    }
    void copyRules()
    {
        QFETCH(bool, gui);
        QFETCH(bool, allows);
        QVERIFY(KvFakeScreenPlugin::registerAs("test.a", [=](KvFakeScreenPlugin* p) {
            p->hasGui = gui;
            p->copyScreen = p->copyContents = p->showProperty = allows;
        }));
        makeEditor();
        QVERIFY(openStage({{1, "test.a"}}, 1));
        select({1});
        m_editor->updateSequenceMediaItemSelection({{screen(1), {0}}});
        bool copyProperty = !allows;
        QTEST(m_editor->stageWidget()->canCopyScreen(), "copyScreen");
        QTEST(m_editor->sequenceContainer()->canCopyMedia(), "copyMedia");
        QTEST(m_editor->canShowMediaProperty(&copyProperty), "showProperty");
        QTEST(copyProperty, "copyMedia");
    }

    // A stage whose plug-in is not installed opens with a notice; its screen stays, says so,
    // and is saved as it was read.
    void missingPlugin()
    {
        QVERIFY(KvFakeScreenPlugin::registerAs("test.a"));
        makeEditor();
        const QString path = m_dataDir->stagePath("gone.xml");
        {
            std::unique_ptr<KvStage> stage(Test::makeStage(path));
            KvScreen* gone = Test::addScreen(stage.get(), 1, ScreenType::Extended,
                                             QRectF(0, 0, 800, 400), "Gone");
            gone->setPiid("test.gone");
            gone->setPluginProperties({{"speed", 3}});
            gone->addMedia(new KvMedia(QString(), MediaType::Extended, gone));
            QVERIFY(stage->writeToFile());
        }
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);
        m_editor->onStageHasBeenSelected({path});
        QCoreApplication::processEvents();
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().first().title, QString("Notice"));
        QVERIFY(watcher.seen().first().text.contains("test.gone"));

        KvScreen* gone = screen(1);
        QVERIFY(gone && !gone->plugin());
        const KvScreenItem* item =
            m_editor->stageWidget()->currentStageWorkingArea()->scene()->screenItemOf(gone);
        QCOMPARE(item->labelLayout(1.0).text,
                 QString("Gone\nPlug-in \"test.gone\" is not installed"));
        QVERIFY(KvStageDocuments::save(*m_editor));
        KvStage reread(path);
        QVERIFY(reread.readFile());
        QCOMPARE(reread.getScreenObject(1)->piid(), QString("test.gone"));
        QCOMPARE(reread.getScreenObject(1)->pluginProperties(), (QVariantMap{{"speed", 3}}));
        QCOMPARE(reread.getScreenObject(1)->mediaCount(), 1);
    }

    // Through the shipped Clock: the chooser over the main window makes a clock screen of the
    // plug-in's default state, the Screen menu shows its settings action, and the state
    // survives saving and reopening.
    void clockThroughChooser()
    {
        makeEditor();
        QVERIFY2(m_editor->hasExtndedScreenPlugin(), "the shipped plug-ins were not found");
        QVERIFY(openStage({}));
        KvModalWatcher watcher;
        QWidget* chooserParent = nullptr;
        watcher.answerWith([&](QWidget* dialog) {
            chooserParent = dialog->parentWidget();
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        m_editor->showPluginChooserForExtendedScreen();
        QCOMPARE(chooserParent, m_mainWindow.get());
        QTRY_COMPARE(m_editor->currentStage()->screenList().count(), 1);

        KvScreen* clock = m_editor->currentStage()->screenList().first();
        QCOMPARE(clock->name(), QString("Clock 1"));
        QCOMPARE(clock->piid(), QString("org.kova.clock"));
        QVERIFY(clock->plugin());
        const QVariantMap state = clock->pluginProperties();
        QVERIFY(!state.isEmpty() && !state.contains("screenId"));
        QStringList whileOpen;
        QMenu* menu = mainMenu("Menu_Screen");
        connect(menu, &QMenu::aboutToShow, this, [&]() { whileOpen = pluginEntries(menu); });
        openAndClose(menu);
        QCOMPARE(whileOpen, QStringList{"Action_Clock_Settings"});

        QVERIFY(KvStageDocuments::save(*m_editor));
        const QString path = m_editor->currentStage()->filePath();
        const int id = clock->id();
        m_editor->stageWidget()->closeAllStageTab();
        m_editor->onStageHasBeenSelected({path});
        QCoreApplication::processEvents();
        KvScreen* reopened = m_editor->currentStage()->getScreenObject(id);
        QVERIFY(reopened && reopened->plugin());
        QCOMPARE(reopened->pluginProperties(), state);
    }
};

QTEST_MAIN(TestPluginScreens)
#include "tst_pluginscreens.moc"
