// Extended screens in the editor, with fake plug-ins registered in the loader and one path
// through the shipped Clock: menu entries, plug-in edits and contents as undo steps, the
// chooser, stages whose plug-in is missing, and the plug-in's copy and delete rules.

#include "kveditorconfig.h"
#include "kveditormenus.h"
#include "kveditorteardown.h"
#include "kvfakescreenplugin.h"
#include "kvmodalwatcher.h"
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
#include <QPushButton>
#include <QTabWidget>
#include <QUndoGroup>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

// The menu's entries by object name, a hidden one in brackets; with `whileOpen`, opens and
// closes the menu as a user does and gives the plug-in entries it showed meanwhile.
QStringList entries(QMenu* menu, bool whileOpen = false)
{
    QStringList names;
    for (const QAction* action : menu->actions())
        names.append(action->isVisible() ? action->objectName() : "[" + action->objectName() + "]");
    if (!whileOpen)
        return names;
    // Connected after the editor's own hook, so it runs after it.
    const auto hook = QObject::connect(menu, &QMenu::aboutToShow, [&]() {
        const QStringList all = entries(menu);
        const int begin = std::max(all.lastIndexOf("Action_Separator_Begin_Plugin"),
                                   all.lastIndexOf("[Action_Separator_Begin_Plugin]"));
        names = all.mid(begin + 1, all.count() - begin - 2);
    });
    menu->popup(QPoint(10, 10));
    if (QTest::qWaitForWindowExposed(menu))
        QTest::keyClick(menu, Qt::Key_Escape);
    QObject::disconnect(hook);
    return names;
}

} // namespace

class TestPluginScreens : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Test::TempDataDir> m_dataDir;
    std::unique_ptr<QMainWindow> m_mainWindow;
    std::unique_ptr<KvStageEditor> m_editor;
    QList<QAction*> m_actions; // the fake plug-ins' actions

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
    // Writes and opens a stage of screens (id → plug-in id, empty: multimedia); each extended
    // one has the state {colour: red} and `media` extended media "item <n>".
    KvStage* openStage(const QMap<int, QString>& screens, int media = 0)
    {
        const QString path = m_dataDir->stagePath("plugins.xml");
        std::unique_ptr<KvStage> stage(Test::makeStage(path));
        for (auto it = screens.cbegin(); it != screens.cend(); ++it) {
            KvScreen* screen = Test::addScreen(stage.get(), it.key(),
                                               it.value().isEmpty() ? ScreenType::Multimedia
                                                                    : ScreenType::Extended,
                                               Test::defaultScreenRect(it.key()), "S");
            screen->setPiid(it.value());
            if (!it.value().isEmpty())
                screen->setPluginProperties({{"colour", "red"}});
            for (int i = 0; i < media && !it.value().isEmpty(); ++i) {
                screen->addMedia(new KvMedia(QString(), MediaType::Extended, screen));
                screen->mediaList().last()->setName(QString("item %1").arg(i));
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
    // File, Edit, Screen, Sequence, ... in menu-bar order.
    QMenu* menu(int index) const { return m_editor->menu().at(index); }
    QUndoStack* undoStack() const { return m_editor->undoGroup()->activeStack(); }
    QColor picture(int row, int index) const
    {
        return m_editor->sequenceContainer()
            ->rowAt(row)
            ->itemAt(index)
            ->thumbnailImage()
            .toImage()
            .pixelColor(4, 4);
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
        Test::discardEditor(m_editor, m_mainWindow);
        KvPluginLoader::unloadAll();
        qDeleteAll(m_actions);
        m_actions.clear();
    }

    // The selection's plug-in actions appear once each while the menu is open; the Sequence
    // menu shows them for one selected screen only. Closing leaves the menu as built, and the
    // GUI interfaces, however often shown, are connected once: one change, one undo step.
    void menuEntries_data()
    {
        QTest::addColumn<int>("menu");            // 2 Screen, 3 Sequence
        QTest::addColumn<QList<int>>("selected"); // of screens 1 (test.a), 2 (test.b), 3
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("screen: shared action once")
            << 2 << QList<int>{1, 2, 3} << QStringList{"Shared", "B only"};
        QTest::newRow("screen: plain screen") << 2 << QList<int>{3} << QStringList{};
        QTest::newRow("sequence: one screen") << 3 << QList<int>{2} << QStringList{"Add item"};
        QTest::newRow("sequence: two screens") << 3 << QList<int>{1, 2} << QStringList{};
    }
    void menuEntries()
    {
        QFETCH(int, menu);
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
        QMenu* target = this->menu(menu);
        const QStringList built = entries(target);
        QCOMPARE(built.mid(built.count() - 2),
                 (QStringList{"[Action_Separator_Begin_Plugin]", "[Action_Separator_End_Plugin]"}));
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(entries(target, true), shown);
            QTRY_COMPARE(entries(target), built);
        }
        KvFakeScreenPlugin* b = KvFakeScreenPlugin::made("test.b");
        b->applyState(screen(2)->toPluginScreen());
        b->edit("colour", "blue");
        QCOMPARE(undoStack()->count(), shown.isEmpty() ? 0 : 1); // connected when shown
    }

    // Undo hands the plug-in the state before: the screen takes it back and is selected, its
    // media take the plug-in's pictures again and the saved tab is marked; redo the state after.
    void valuesUpdateUndoRedo()
    {
        QAction* settings = pluginAction("Settings");
        QVERIFY(KvFakeScreenPlugin::registerAs(
            "test.a", [=](KvFakeScreenPlugin* p) { p->screenActionList = {settings}; }));
        makeEditor();
        QVERIFY(openStage({{1, "test.a"}, {2, "test.a"}}, 1));
        select({1});
        entries(menu(2), true);
        KvFakeScreenPlugin* plugin = KvFakeScreenPlugin::made("test.a");
        plugin->edit("colour", "blue");
        QCOMPARE(undoStack()->count(), 1);
        QCOMPARE(screen(1)->pluginProperties(), (QVariantMap{{"colour", "blue"}}));
        QVERIFY(KvStageDocuments::save(*m_editor));

        select({2});
        plugin->pictureColor = Qt::green;
        undoStack()->undo();
        QCOMPARE(plugin->applied.last().toMap().value("colour"), QVariant("red"));
        QCOMPARE(screen(1)->pluginProperties(), (QVariantMap{{"colour", "red"}}));
        QCOMPARE(m_editor->selectedScreens(), QList<KvScreen*>{screen(1)});
        QCOMPARE(picture(0, 0), QColor(Qt::green));
        QVERIFY(m_editor->stageWidget()->tabWidget()->tabText(0).endsWith("*"));
        undoStack()->redo();
        QCOMPARE(plugin->applied.last().toMap().value("colour"), QVariant("blue"));
    }

    // Requested contents become extended media at their keys, as one undo step, with the
    // plug-in's pictures; a request for a screen the stage lacks adds nothing.
    void contentsRequest_data()
    {
        QTest::addColumn<int>("screenId");
        QTest::addColumn<QStringList>("names");
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
        entries(menu(3), true);
        emit KvFakeScreenPlugin::made("test.a")->notifier()->requestAddContents(
            screenId, {{5, QVariantMap{{"name", "new 5"}}}, {2, QVariantMap{{"name", "new 2"}}}});
        QStringList row;
        for (const KvMedia* media : screen(1)->mediaList())
            row.append(media->name());
        QCOMPARE(row, names);
        QCOMPARE(undoStack()->count(), screenId == 1 ? 1 : 0);
        if (screenId == 1) {
            QCOMPARE(screen(1)->mediaList().at(5)->mediaType(), MediaType::Extended);
            QCOMPARE(picture(0, 5), QColor(Qt::magenta));
        }
    }

    // Deleting media below the screen's minimum is refused with a notice; the plug-in's GUI
    // interface decides on copying screens and contents and on content properties, and an
    // extended screen without one refuses them.
    void pluginRules_data()
    {
        QTest::addColumn<bool>("gui");
        QTest::addColumn<bool>("allows");
        QTest::addColumn<int>("deleted"); // of the screen's two media, minimum 1
        QTest::addColumn<int>("left");
        QTest::newRow("GUI allows, one deleted") << true << true << 1 << 1;
        QTest::newRow("GUI refuses, both deleted") << true << false << 2 << 2;
        QTest::newRow("no GUI") << false << true << 2 << 2;
    }
    void pluginRules()
    {
        QFETCH(bool, gui);
        QFETCH(bool, allows);
        QFETCH(int, deleted);
        QVERIFY(KvFakeScreenPlugin::registerAs("test.a", [=](KvFakeScreenPlugin* p) {
            p->hasGui = gui;
            p->allows = allows;
            p->minimum = 1;
        }));
        makeEditor();
        QVERIFY(openStage({{1, "test.a"}}, 2));
        select({1});
        m_editor->updateSequenceMediaItemSelection({{screen(1), {0}}});
        const bool expected = gui && allows;
        bool copyProperty = !expected;
        QCOMPARE(m_editor->stageWidget()->canCopyScreen(), expected);
        QCOMPARE(m_editor->sequenceContainer()->canCopyMedia(), expected);
        QCOMPARE(m_editor->canShowMediaProperty(&copyProperty), expected);
        QCOMPARE(copyProperty, expected);

        m_editor->updateSequenceMediaItemSelection(
            {{screen(1), deleted == 1 ? QList<int>{0} : QList<int>{0, 1}}});
        KvModalWatcher watcher;
        m_editor->action_removeSelectedSeqMediaItems();
        QTEST(screen(1)->mediaCount(), "left");
        QCOMPARE(watcher.seen().value(0).text,
                 QString(deleted == 2 ? "It can not be deleted.\nThis screen needs at least 1 "
                                        "content."
                                      : ""));
    }

    // A stage whose plug-in is missing opens after a notice; its screen says so and is saved
    // with its state and media.
    void missingPlugin()
    {
        QVERIFY(KvFakeScreenPlugin::registerAs("test.a"));
        makeEditor();
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);
        KvScreen* gone = openStage({{1, "test.gone"}}, 1)->getScreenObject(1);
        QCOMPARE(watcher.seen().value(0).title, QString("Notice"));
        QVERIFY(watcher.seen().value(0).text.contains("test.gone"));
        QVERIFY(!gone->plugin());
        QCOMPARE(m_editor->stageWidget()
                     ->currentStageWorkingArea()
                     ->scene()
                     ->screenItemOf(gone)
                     ->labelLayout(1.0)
                     .text,
                 QString("S\nPlug-in \"test.gone\" is not installed"));
        QVERIFY(KvStageDocuments::save(*m_editor));
        KvStage reread(m_dataDir->stagePath("plugins.xml"));
        QVERIFY(reread.readFile());
        QCOMPARE(reread.getScreenObject(1)->piid(), QString("test.gone"));
        QCOMPARE(reread.getScreenObject(1)->pluginProperties(), (QVariantMap{{"colour", "red"}}));
        QCOMPARE(reread.getScreenObject(1)->mediaCount(), 1);
    }

    // The shipped Clock, chosen in the chooser over the main window: a screen of its default
    // state with its settings action in the Screen menu, kept through saving and reopening.
    void clockThroughChooser()
    {
        makeEditor();
        QVERIFY(Test::editorAction(*m_editor, "Action_Add_Extended_Screen")->isVisible());
        QVERIFY(openStage({}));
        KvModalWatcher watcher;
        QWidget* parent = nullptr;
        watcher.answerWith([&](QWidget* dialog) {
            parent = dialog->parentWidget();
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        m_editor->showPluginChooserForExtendedScreen();
        QCOMPARE(parent, m_mainWindow.get());
        QTRY_VERIFY(screen(1));
        QCOMPARE(screen(1)->name(), QString("Clock 1"));
        QCOMPARE(screen(1)->piid(), QString("org.kova.clock"));
        const QVariantMap state = screen(1)->pluginProperties();
        QVERIFY(!state.isEmpty() && !state.contains("screenId"));
        QCOMPARE(entries(menu(2), true), QStringList{"Action_Clock_Settings"});

        QVERIFY(KvStageDocuments::save(*m_editor));
        m_editor->stageWidget()->closeAllStageTab();
        m_editor->onStageHasBeenSelected({m_dataDir->stagePath("plugins.xml")});
        QCoreApplication::processEvents();
        QVERIFY(screen(1)->plugin());
        QCOMPARE(screen(1)->pluginProperties(), state);
    }
};

QTEST_MAIN(TestPluginScreens)
#include "tst_pluginscreens.moc"
