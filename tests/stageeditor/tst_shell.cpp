// The editor shell: docks and their layout, the menu contract, the shared actions, the help
// menu, applying command availability, the active side, closing, and the pictures the code
// names.

#include "kvcontentpreviewwidget.h"
#include "kvdockwidget.h"
#include "kveditorconfig.h"
#include "kveditormenus.h"
#include "kveditoruserconfig.h"
#include "kvlibrarywidget.h"
#include "kvmodalwatcher.h"
#include "kvpluginloader.h"
#include "kvscreen.h"
#include "kvscreenpropertywidget.h"
#include "kvsequencecontainer.h"
#include "kvstage.h"
#include "kvstageeditor.h"
#include "kvstagepropertywidget.h"
#include "kvstagewidget.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGraphicsScene>
#include <QImageReader>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QUndoGroup>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using namespace Kova;
using namespace Kova::Test;

class TestShell : public QObject
{
    Q_OBJECT

private:
    // A main window of a fixed size holding an editor, started (exec) unless asked not to.
    struct Fixture
    {
        explicit Fixture(int height = 1000, bool start = true)
        {
            window.reset(new QMainWindow);
            window->setGeometry(50, 50, 1400, height);
            editor.reset(new KvStageEditor(window.get()));
            if (start) {
                window->show();
                editor->exec();
                QCoreApplication::processEvents();
                QCoreApplication::processEvents();
            }
        }
        // Answers the stage chooser that the first layout opens, and any other modal; the
        // members go in reverse order: the editor before its window, the watcher last.
        KvModalWatcher watcher;
        std::unique_ptr<QMainWindow> window;
        std::unique_ptr<KvStageEditor> editor;
    };

    static QMenu* mainMenu(KvStageEditor* editor, int index) { return editor->menu().value(index); }
    static QList<KvDockWidget*> docks(KvStageEditor* e)
    {
        return {e->stagePropertyDock(), e->screenPropertyDock(), e->contentPreviewDock(),
                e->libraryDock(), e->sequenceDock()};
    }

    QTemporaryDir m_dataDir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dataDir.isValid());
        qRegisterMetaType<KvDockWidget*>("KvDockWidget*");
        KvEditorConfig::setDataDir(m_dataDir.path());
        // The menus are pinned as built without an extended-screen plug-in (tst_pluginscreens
        // has them with one): a plug-in of another kind keeps the loader from finding the
        // shipped ones in the build tree.
        QVERIFY(KvPluginLoader::registerStaticPlugin(
            {{"id", "test.other"}, {"name", "Other"}, {"group", "Other"}, {"interfaceVersion", 1}},
            []() { return new QObject; }));
    }

    void init()
    {
        // Every case starts without stored settings.
        if (QSettings* settings = KvEditorUserConfig::settings()) {
            settings->clear();
            settings->sync();
        }
        KvEditorUserConfig::reset();
    }

    // ---- construction and dock layout -----------------------------------------------

    void constructionBuildsEverythingButShowsNothing()
    {
        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QCOMPARE(e->stageWidget()->objectName(), QStringLiteral("StageWidget"));
        QVERIFY(!e->undoGroup()->stacks().contains(e->libraryUndoStack()));
        QVERIFY(e->usingStageList() && e->usingContentList());
        const QStringList names = {
            "StagePropertyDock|Stage Property", "ScreenPropertyDock|Screen Property",
            "ContentPreviewDock|Content Preview", "LibraryDock|Library", "SequenceDock|Sequence"};
        const QList<QWidget*> widgets = {e->stagePropertyWidget(), e->screenPropertyWidget(),
                                         e->contentPreviewWidget(), e->libraryWidget(),
                                         e->sequenceContainer()};
        for (int i = 0; i < names.count(); ++i) {
            KvDockWidget* dock = docks(e).at(i);
            QVERIFY2(dock && widgets.at(i), qPrintable(names.at(i)));
            QCOMPARE(dock->objectName() + '|' + dock->windowTitle(), names.at(i));
            QCOMPARE(dock->widget(), widgets.at(i));
            // Nothing is in the main window before exec().
            QVERIFY(dock->parent() != f.window.get());
        }
        QVERIFY(f.window->centralWidget() != e->stageWidget());
        QCOMPARE(f.window->tabPosition(Qt::LeftDockWidgetArea), QTabWidget::West);
        QCOMPARE(f.window->tabPosition(Qt::RightDockWidgetArea), QTabWidget::West);
    }

    void dockSizes_data()
    {
        QTest::addColumn<int>("height");
        // Stage property, screen property, library, content preview, sequence.
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("1000") << 1000 << QList<int>{375, 375, 494, 256, 250};
        QTest::newRow("600: sequence raised to 128") << 600 << QList<int>{256, 272, 288, 162, 128};
        // 0.25 * 3.0 of 801 is 600.75: truncated to 600, half of it 300.
        QTest::newRow("801 truncates") << 801 << QList<int>{300, 300, 344, 256, 201};
        // A - 256 = 287 is just below 288: the library keeps 288.
        QTest::newRow("725 boundary") << 725 << QList<int>{271, 272, 288, 255, 182};
        QTest::newRow("726 boundary") << 726 << QList<int>{272, 272, 288, 256, 182};
    }

    void dockSizes()
    {
        QFETCH(int, height);
        const KvStageEditor::DockSizes s = KvStageEditor::defaultDockSizes(height);
        QTEST((QList<int>{s.stageProperty, s.screenProperty, s.library, s.contentPreview,
                          s.sequence}),
              "sizes");
    }

    void defaultLayoutWithoutStoredGeometry_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("sequence");
        QTest::newRow("1000") << 1000 << 250;
        QTest::newRow("600") << 600 << 128;
    }

    void defaultLayoutWithoutStoredGeometry()
    {
        QFETCH(int, height);
        QFETCH(int, sequence);
        Fixture f(height);
        KvStageEditor* e = f.editor.get();
        QCOMPARE(f.window->geometry().height(), height);
        QCOMPARE(f.window->centralWidget(), e->stageWidget());
        const Qt::DockWidgetArea areas[] = {Qt::LeftDockWidgetArea, Qt::LeftDockWidgetArea,
                                            Qt::RightDockWidgetArea, Qt::RightDockWidgetArea,
                                            Qt::BottomDockWidgetArea};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(f.window->dockWidgetArea(docks(e).at(i)), areas[i]);
        for (KvDockWidget* dock : docks(e)) {
            QVERIFY2(dock->isVisible(), qPrintable(dock->objectName()));
            QVERIFY(!dock->isFloating());
        }

        // Once the window is laid out, the default sizes are forced one dock after the
        // other; the sequence dock comes last and keeps exactly its size.
        emit e->requestRestoreDockWidgetSetting(true, false);
        QCoreApplication::sendPostedEvents(e, QEvent::MetaCall);
        QCOMPARE(e->sequenceDock()->height(), sequence);
        QCOMPARE((QList<int>{e->stagePropertyDock()->width(), e->screenPropertyDock()->width(),
                             e->libraryDock()->width(), e->contentPreviewDock()->width()}),
                 (QList<int>{272, 272, 256, 256}));
        for (KvDockWidget* dock : docks(e)) {
            // The forced sizes are released afterwards.
            QVERIFY2(dock->maximumHeight() > 100000 && dock->maximumWidth() > 100000,
                     qPrintable(dock->objectName()));
            QVERIFY(dock->minimumHeight() < 128);
        }
    }

    // A stored layout is restored on the next start; To Default Position ignores it and
    // docks every dock in its default place again.
    void storedLayoutAndToDefaultPosition()
    {
        {
            Fixture f(1000);
            f.window->addDockWidget(Qt::LeftDockWidgetArea, f.editor->libraryDock());
            QCoreApplication::processEvents();
            f.editor->close();
        }
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        QTRY_COMPARE(f.window->dockWidgetArea(e->libraryDock()), Qt::LeftDockWidgetArea);
        QSignalSpy floating(e->sequenceDock(), &KvDockWidget::dockFloatingChanged);
        e->sequenceDock()->setFloating(true);
        f.window->addDockWidget(Qt::RightDockWidgetArea, e->screenPropertyDock());
        e->contentPreviewDock()->hide();
        QCoreApplication::processEvents();
        QVERIFY(e->sequenceDock()->isFloating());
        QCOMPARE(floating.count(), 1);
        QCOMPARE(floating.at(0).at(0).value<KvDockWidget*>(), e->sequenceDock());
        QVERIFY(floating.at(0).at(1).toBool());

        QSignalSpy chooser(e, &KvStageEditor::requestToShowStageChooser);
        QSignalSpy restore(e, &KvStageEditor::requestRestoreDockWidgetSetting);
        editorAction(*e, "Action_Windows_To_Default_Position")->trigger();
        QCOMPARE(restore.count(), 1);
        QVERIFY(restore.at(0).at(0).toBool() && !restore.at(0).at(1).toBool());
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        for (KvDockWidget* dock : docks(e)) {
            QVERIFY2(!dock->isFloating(), qPrintable(dock->objectName()));
            QVERIFY2(dock->isVisible(), qPrintable(dock->objectName()));
            QCOMPARE(dock->parent(), f.window.get());
        }
        QCOMPARE(f.window->dockWidgetArea(e->screenPropertyDock()), Qt::LeftDockWidgetArea);
        QCOMPARE(f.window->dockWidgetArea(e->libraryDock()), Qt::RightDockWidgetArea);
        QCOMPARE(f.window->dockWidgetArea(e->sequenceDock()), Qt::BottomDockWidgetArea);
        QCOMPARE(chooser.count(), 0);
    }

    // ---- menus and actions ----------------------------------------------------------

    void mainMenus_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("objectName");
        // Entries by ";": "text|objectName|shortcut|flags" with the flags i (has an icon),
        // d (disabled), c (checkable), k (checked), h (hidden); "-name" for a separator (name
        // may be empty), "-name|h" hidden; ">name" for a submenu.
        QTest::addColumn<QString>("entries");
        const auto row = [](const char* tag, int index, const char* title, const char* name,
                            const char* entries) {
            QTest::newRow(tag) << index << QString(title) << QString(name) << QString(entries);
        };
        row("File", 0, "&File", "",
            "&New Stage...||Ctrl+N|i;&Open Stage...||Ctrl+O;-;"
            "&Close Stage|Action_Close_Stage|Ctrl+W;C&lose All Stage|Action_Close_All_Stage|;"
            "Close Stage &Editor||;-;&Save Stage|Action_Save_Stage|Ctrl+S;"
            "Save Stage &As...|Action_Save_Stage_As|Ctrl+Shift+S;-;&Quit||Ctrl+Q;");
        row("Edit", 1, "&Edit", "Menu_Edit",
            "&Undo|Action_Undo|Ctrl+Z|i;&Redo|Action_Redo|Ctrl+Y|i;-;Cu&t|Action_Cut|Ctrl+X;"
            "&Copy|Action_Copy|Ctrl+C;&Paste|Action_Paste|Ctrl+V;&Delete|Action_Delete||i;-;"
            "&Configuration....|Action_Configuration|;");
        row("Screen", 2, "&Screen", "Menu_Screen",
            "Add &Multimedia Screen|Action_Add_Multimedia_Screen||i;"
            "Add &Telop Screen|Action_Add_Telop_Screen||i;"
            "Add E&xtended Screen|Action_Add_Extended_Screen||idh;"
            "Edit E&vent...|Action_Edit_Event||i;-;Lock|Action_Lock_Screen||i;-;"
            "Bring to &Front|Action_Bring_to_Front|Ctrl+Shift+]|i;"
            "Bring F&orward|Action_Bring_Forward|Ctrl+]|i;"
            "Send &Backward|Action_Send_Backward|Ctrl+[|i;"
            "Send to B&ack|Action_Send_to_Back|Ctrl+Shift+[|i;-;>Menu_Align;-;"
            "&Preview Stage...|Action_Preview_Stage||i;-Action_Separator_Begin_Plugin|h;"
            "-Action_Separator_End_Plugin|h;");
        row("Align", -1, "A&lign", "Menu_Align",
            "Align &Left Edges|Action_Align_Left_Edges||i;"
            "Align &Horizontal Centers|Action_Align_Horizontal_Centers||i;"
            "Align &Right Edges|Action_Align_Right_Edges||i;"
            "Align &Top Edges|Action_Align_Top_Edges||i;"
            "Align &Vertical Centers|Action_Align_Vertical_Centers||i;"
            "Align &Bottom Edges|Action_Align_Bottom_Edges||i;-;"
            "&Distribute Top Edges|Action_Distribute_Top_Edges||i;"
            "D&istribute Vertical Centers|Action_Distribute_Vertical_Centers||i;"
            "Di&stribute Bottom Edges|Action_Distribute_Bottom_Edges||i;"
            "Dist&ribute Left Edges|Action_Distribute_Left_Edges||i;"
            "Distribut&e Horizontal Centers|Action_Distribute_Horizontal_Centers||i;"
            "Distribute Ri&ght Edges|Action_Distribute_Right_Edges||i;");
        row("Sequence", 3, "Se&quence", "Menu_Sequence",
            "To &First|Action_Move_First||i;&Previous|Action_Move_Previous||i;"
            "&Next|Action_Move_Next||i;To &Last|Action_Move_Last||i;-;"
            "&Content Property...|Action_Content_Property||id;"
            "C&opy Content Property To...|Action_Copy_Content_Property_To||d;-;"
            "Show &Duration|Action_Show_Duration||ic;&Normal View|Action_Normal_View||id;"
            "&Time View|Action_Time_View||i;-;Set &Raise Event...|Action_Set_Raise_Event||i;"
            "Set &Listen Event...|Action_Set_Listen_Event||i;-Action_Separator_Begin_Plugin|h;"
            "-Action_Separator_End_Plugin|h;");
        row("Library", 4, "&Library", "Menu_Library",
            "Add Content File...|Action_Add_Content_File|;"
            "Edit Content File...|Action_Edit_Content_File||d;-;New Telop...|Action_New_Telop|;"
            "New Url...|Action_New_Url|;Add PPT file...|Action_Add_Ppt_File|;-;"
            "New Folder|Action_New_Folder||d;-;Small|ActionSmall||id;Large|ActionLarge||i;"
            "Create &Thumbnail|Action_Create_Thumbnail|;Update View|ActionUpdateView||i;-;"
            "Open Folder with Explorer...|Action_Open_Folder_With_Shell||d;");
        row("Window", 5, "&Window", "Menu_Window",
            "Stage Property|Action_Set_Visible_Stage_Property||ck;"
            "Screen Property|Action_Set_Visible_Screen_Property||ck;"
            "Content Preview|Action_Set_Visible_Content_Preview||ck;"
            "Library|Action_Set_Visible_Library||ck;Sequence|Action_Set_Visible_Sequence||ck;-;"
            "To Default Position|Action_Windows_To_Default_Position|;");
    }

    void mainMenus()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, objectName);
        QFETCH(QString, entries);

        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QCOMPARE(e->menu().count(), 6);
        QMenu* menu = index >= 0 ? mainMenu(e, index) : editorSubMenu(*e, objectName);
        QVERIFY(menu);
        QCOMPARE(menu->title(), title);
        QCOMPARE(menu->objectName(), objectName);
        QVERIFY2(menu->parent() == nullptr, "menus belong to the editor, not to a widget");

        const QStringList list = entries.split(';', Qt::SkipEmptyParts);
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.count(), list.count());
        for (int i = 0; i < list.count(); ++i) {
            const QStringList fields = list.at(i).split('|');
            const QString flags = fields.value(3);
            QAction* a = actions.at(i);
            const QByteArray where = QStringLiteral("%1 #%2").arg(title).arg(i).toUtf8();
            if (fields.at(0).startsWith('-')) {
                QVERIFY2(a->isSeparator(), where);
                QCOMPARE(a->objectName(), fields.at(0).mid(1));
                QCOMPARE(a->isVisible(), fields.value(1) != QLatin1String("h"));
            } else if (fields.at(0).startsWith('>')) {
                QVERIFY2(a->menu(), where);
                QCOMPARE(a->menu()->objectName(), fields.at(0).mid(1));
            } else {
                QCOMPARE(a->text(), fields.at(0));
                QCOMPARE(a->objectName(), fields.at(1));
                QCOMPARE(a->shortcut(), QKeySequence(fields.at(2)));
                QVERIFY2(a->icon().isNull() != flags.contains('i'), where + " icon");
                QVERIFY2(a->icon().isNull() || !a->icon().pixmap(16, 16).isNull(), where);
                QVERIFY2(a->isEnabled() != flags.contains('d'), where + " enabled");
                QCOMPARE(a->isCheckable(), flags.contains('c'));
                QCOMPARE(a->isChecked(), flags.contains('k'));
                QCOMPARE(a->isVisible(), !flags.contains('h'));
                // A named action is the only one of its name.
                if (!fields.at(1).isEmpty())
                    QCOMPARE(editorAction(*e, fields.at(1)), a);
            }
        }
    }

    // The context menus hold the shared actions themselves, by name; the sequence container
    // is handed the same actions.
    void contextMenus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("names");
        const auto row = [](const char* tag, const char* menu, const char* names) {
            QTest::newRow(tag) << QString(menu) << QString(names);
        };
        row("stage", "Menu_Context_Stage",
            "Action_Edit_Event - Action_Bring_to_Front Action_Bring_Forward "
            "Action_Send_Backward Action_Send_to_Back - Action_Lock_Screen - "
            "Menu_Align - Action_Cut Action_Copy Action_Paste Action_Delete "
            "+Action_Separator_Begin_Plugin +Action_Separator_End_Plugin");
        row("sequence label", "Menu_Context_SequenceLabel",
            "Action_Bring_to_Front Action_Bring_Forward Action_Send_Backward "
            "Action_Send_to_Back "
            "- Action_Delete - Action_Set_Raise_Event Action_Set_Listen_Event");
        row("sequence main view", "Manu_Context_SequenceMainView",
            "Action_Move_First Action_Move_Previous Action_Move_Next Action_Move_Last - "
            "Action_Content_Property Action_Copy_Content_Property_To - Action_Cut Action_Copy "
            "Action_Paste Action_Delete Action_Separator_Begin_Plugin "
            "Action_Separator_End_Plugin");
        row("raise-event actions", "raise",
            "Action_Bring_to_Front Action_Bring_Forward "
            "Action_Send_Backward Action_Send_to_Back "
            "Action_Set_Raise_Event Action_Set_Listen_Event");
        row("view-menu actions", "view",
            "Action_Move_First Action_Move_Previous Action_Move_Next Action_Move_Last "
            "Action_Copy_Content_Property_To Action_Show_Duration Action_Normal_View "
            "Action_Time_View");
    }

    void contextMenus()
    {
        QFETCH(QString, menu);
        QFETCH(QString, names);
        const QStringList entries = names.split(' ');
        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QList<QAction*> actions;
        if (menu == QLatin1String("raise"))
            actions = e->sequenceContainer()->raiseEventActions();
        else if (menu == QLatin1String("view"))
            actions = e->sequenceContainer()->viewMenuActions();
        for (QMenu* context : {e->stageContextMenu(), e->sequenceLabelContextMenu(),
                               e->sequenceMainViewContextMenu()}) {
            if (context->objectName() == menu)
                actions = context->actions();
        }
        QCOMPARE(actions.count(), entries.count());
        for (int i = 0; i < entries.count(); ++i) {
            QAction* a = actions.at(i);
            QString name = entries.at(i);
            if (a->menu()) {
                QCOMPARE(a->menu(), editorSubMenu(*e, name));
            } else if (a->isSeparator()) {
                // A "+" marks a plug-in separator shown in this menu; the others are hidden.
                const bool shown = name.startsWith('+');
                name.remove('+');
                QCOMPARE(a->objectName(), name == QLatin1String("-") ? QString() : name);
                QCOMPARE(a->isVisible(), shown || name == QLatin1String("-"));
            } else {
                QCOMPARE(a, editorAction(*e, name));
            }
        }
    }

    void actionsTriggerTheirSlots()
    {
        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QSignalSpy quit(e, &KvStageEditor::quitApp);
        QSignalSpy configuration(e, &KvStageEditor::showConfiguration);
        mainMenu(e, 0)->actions().last()->trigger();
        QCOMPARE(quit.count(), 1);
        editorAction(*e, "Action_Configuration")->trigger();
        QCOMPARE(configuration.count(), 1);

        // The view switches keep exactly one of the two view actions enabled.
        editorAction(*e, "Action_Time_View")->trigger();
        QVERIFY(editorAction(*e, "Action_Normal_View")->isEnabled());
        QVERIFY(!editorAction(*e, "Action_Time_View")->isEnabled());
        editorAction(*e, "Action_Normal_View")->trigger();
        QVERIFY(!editorAction(*e, "Action_Normal_View")->isEnabled());
        QVERIFY(editorAction(*e, "Action_Time_View")->isEnabled());

        // Undo and Redo act on the undo group's active stack.
        QUndoStack stack;
        e->addUndoStack(&stack);
        e->setActiveUndoStack(&stack);
        stack.push(new QUndoCommand(QStringLiteral("one")));
        editorAction(*e, "Action_Undo")->trigger();
        QCOMPARE(stack.index(), 0);
        editorAction(*e, "Action_Redo")->trigger();
        QCOMPARE(stack.index(), 1);
        QVERIFY(e->undoGroup()->stacks().contains(&stack));
    }

    void helpMenuAndLookupRules()
    {
        auto f = std::make_unique<Fixture>(1000, false);
        KvStageEditor* e = f->editor.get();
        QPointer<QMenu> help = new QMenu(QStringLiteral("&Help"));
        help->setObjectName(QStringLiteral("Menu_Help"));
        QVERIFY(e->takeHelpMenu() == nullptr);
        e->setHelpMenu(help);
        e->setHelpMenu(help);
        e->setHelpMenu(nullptr);
        QCOMPARE(e->menu().count(), 7);
        QCOMPARE(e->menu().last(), help.data());
        // Only the exact name "Menu_Help" is taken.
        QPointer<QMenu> other = new QMenu;
        other->setObjectName(QStringLiteral("menu_help"));
        e->setHelpMenu(other);
        QCOMPARE(e->takeHelpMenu(), help.data());
        QVERIFY(e->takeHelpMenu() == nullptr);
        QCOMPARE(e->menu().last(), other.data());

        // The editor hands the help menu back when it goes, and deletes the other menus of
        // its list, its submenus and context menus.
        e->setHelpMenu(help);
        QPointer<QMenu> file = e->menu().first();
        QPointer<QMenu> align = editorSubMenu(*e, "Menu_Align");
        QPointer<QMenu> stageContext = e->stageContextMenu();
        f.reset();
        QVERIFY(help && !other && !file && !align && !stageContext);
        delete help.data();
    }

    void windowMenuFollowsDockVisibility()
    {
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        QMenu* window = mainMenu(e, 5);
        QAction* stageProperty = editorAction(*e, "Action_Set_Visible_Stage_Property");
        QAction* library = editorAction(*e, "Action_Set_Visible_Library");

        e->libraryDock()->close(); // the dock's own close button
        QVERIFY(library->isChecked());
        emit window->aboutToShow();
        QVERIFY(!library->isChecked());
        QVERIFY(stageProperty->isChecked());
        // Syncing the marks must not touch the docks.
        QVERIFY(e->stagePropertyDock()->isVisible());

        stageProperty->trigger();
        QVERIFY(!stageProperty->isChecked());
        QVERIFY(!e->stagePropertyDock()->isVisible());
        library->trigger();
        QVERIFY(e->libraryDock()->isVisible());
        emit window->aboutToShow();
        QVERIFY(library->isChecked());
        QVERIFY(!stageProperty->isChecked());

        e->action_setVisibleSequence(false);
        emit window->aboutToShow();
        QVERIFY(!editorAction(*e, "Action_Set_Visible_Sequence")->isChecked());
    }

    // ---- command availability applied ------------------------------------------------

    // The rules are KvCommandAvailability's (tst_commandavailability); here: the editor
    // gathers the facts from the current tab and applies the answer to its actions.
    void availabilityIsApplied_data()
    {
        QTest::addColumn<bool>("stageOpen");
        QTest::addColumn<QList<int>>("selected"); // of three screens, back to front
        QTest::addColumn<int>("locked");          // -1: none
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* tag, bool stageOpen, QList<int> selected, int locked,
                            int side, const char* name, bool enabled, const char* text = "") {
            QTest::newRow(tag) << stageOpen << selected << locked << side << QString(name)
                               << enabled << QString(text);
        };
        row("close: no stage", false, {}, -1, 0, "Action_Close_Stage", false);
        row("close: a stage", true, {}, -1, 0, "Action_Close_Stage", true);
        row("lock: all locked", true, {0}, 0, 0, "Action_Lock_Screen", true, "Unlock");
        row("lock: one unlocked", true, {0, 1}, 0, 0, "Action_Lock_Screen", true, "Lock");
        row("front: front-most", true, {0, 2}, -1, 0, "Action_Bring_to_Front", false);
        row("front: behind others", true, {0, 1}, -1, 0, "Action_Bring_to_Front", true);
        row("align: two", true, {0, 1}, -1, 0, "Menu_Align", true);
        row("align: one", true, {1}, -1, 0, "Menu_Align", false);
        row("delete: locked screen", true, {0}, 0, 0, "Action_Delete", false);
        row("delete: unlocked screen", true, {1}, 0, 0, "Action_Delete", true);
        row("delete: sequence side", true, {1}, -1, 1, "Action_Delete", false);
        row("cut: locked screen", true, {0}, 0, 0, "Action_Cut", false);
        row("cut: unlocked screen", true, {1}, 0, 0, "Action_Cut", true);
        row("copy: nothing selected", true, {}, -1, 0, "Action_Copy", false);
    }

    void availabilityIsApplied()
    {
        QFETCH(bool, stageOpen);
        QFETCH(QList<int>, selected);
        QFETCH(int, locked);
        QFETCH(int, side);
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        QFETCH(QString, text);

        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        KvStageWidget* sw = e->stageWidget();
        if (stageOpen) {
            QVERIFY(sw->addStage(new KvStage(m_dataDir.filePath("stage/one.xml"))) >= 0);
            QList<KvScreen*> screens;
            for (int i = 0; i < 3; ++i)
                screens << sw->addMultimediaScreen();
            if (locked >= 0)
                screens.at(locked)->setLockScreen(true);
            QList<KvScreen*> selection;
            for (int i : selected)
                selection << screens.at(i);
            sw->selectScreenItem(selection, true, true);
        }
        if (side == KvStageEditor::SequenceSide) {
            // A press on the sequence dock's title bar, away from the rows.
            KvDockWidget* dock = e->sequenceDock();
            QTest::mousePress(dock, Qt::LeftButton, Qt::NoModifier, QPoint(dock->width() / 2, 4));
            QTest::mouseRelease(dock, Qt::LeftButton, Qt::NoModifier, QPoint(dock->width() / 2, 4));
        }
        QCOMPARE(e->activeSide(), side);
        QMenu* align = name == QLatin1String("Menu_Align") ? editorSubMenu(*e, name) : nullptr;
        QAction* a = align ? align->menuAction() : editorAction(*e, name);
        // The opposite first, so that only the check can give the expected state; the check
        // runs when the main menu holding the entry is about to show.
        align ? align->setEnabled(!enabled) : a->setEnabled(!enabled);
        QMenu* menu = nullptr;
        for (QMenu* m : e->menu())
            menu = m->actions().contains(a) ? m : menu;
        QVERIFY(menu);
        emit menu->aboutToShow();
        QCOMPARE(align ? align->isEnabled() : a->isEnabled(), enabled);
        if (!text.isEmpty())
            QCOMPARE(a->text(), text);
        emit menu->aboutToHide();
    }

    // The widgets' reports set the active side (presses in the sequence dock above and on the
    // canvas in tst_mediacommands): a screen label activated in the timeline is the stage's.
    void activeSideFollowsTheWidgets()
    {
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        emit e->sequenceContainer()->mousePressed();
        QCOMPARE(e->activeSide(), int(KvStageEditor::SequenceSide));
        emit e->sequenceContainer()->seqScreenActivated();
        QCOMPARE(e->activeSide(), int(KvStageEditor::StageSide));
    }

    // A scene a closed tab gives up goes to whoever listens to the editor; with nobody
    // listening, the editor deletes it.
    void purgedScenesGoToTheListenerOrAreDeleted()
    {
        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QPointer<QGraphicsScene> lost = new QGraphicsScene;
        emit e->stageWidget()->graphicsScenePurged(lost.data());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!lost);

        QSignalSpy spy(e, qOverload<QGraphicsScene*>(&KvStageEditor::graphicsScenePurged));
        QPointer<QGraphicsScene> kept = new QGraphicsScene;
        emit e->stageWidget()->graphicsScenePurged(kept.data());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(spy.count(), 1);
        QVERIFY(kept);
        delete kept.data();
    }

    // ---- closing --------------------------------------------------------------------

    // Closing writes the sequence settings, tears the widgets down and asks to empty the
    // library trash only when there is one.
    void close_data()
    {
        QTest::addColumn<bool>("timeViewShown");
        QTest::addColumn<bool>("showDuration");
        QTest::addColumn<QString>("viewType");
        QTest::addColumn<bool>("trash");
        QTest::newRow("normal view, no trash") << false << false << "normalView" << false;
        QTest::newRow("time view, a trash") << true << true << "timeView" << true;
    }

    void close()
    {
        QFETCH(bool, timeViewShown);
        QFETCH(bool, showDuration);
        QFETCH(QString, viewType);
        QFETCH(bool, trash);

        QDir data(KvEditorConfig::dataDir());
        QVERIFY(trash ? data.mkpath("._kvtrash")
                      : data.rmpath("._kvtrash") || !data.exists("._kvtrash"));
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        if (timeViewShown)
            editorAction(*e, "Action_Time_View")->trigger();
        editorAction(*e, "Action_Show_Duration")->setChecked(showDuration);
        QCOMPARE(editorAction(*e, "Action_Normal_View")->isEnabled(), timeViewShown);

        QSignalSpy closed(e, &KvStageEditor::closed);
        QSignalSpy emptyTrash(e, &KvStageEditor::requestEmptyTrash);
        QPointer<QWidget> stage = e->stageWidget();
        QPointer<QWidget> library = e->libraryDock();
        e->close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(emptyTrash.count(), trash ? 1 : 0);
        if (trash)
            QCOMPARE(QDir::cleanPath(emptyTrash.at(0).at(0).toString()),
                     QDir::cleanPath(data.absoluteFilePath("._kvtrash")));
        QVERIFY(e->stageWidget() == nullptr && e->libraryDock() == nullptr);
        QVERIFY(f.window->centralWidget() == nullptr);
        QTRY_VERIFY(!stage && !library);

        // Written and synced to the file.
        QSettings onDisk(KvEditorUserConfig::settings()->fileName(), QSettings::IniFormat);
        QCOMPARE(onDisk.value("sequence/viewType").toString(), viewType);
        QCOMPARE(onDisk.value("sequence/showDuration").toBool(), showDuration);

        // Nothing is left to act on, and nothing breaks.
        e->action_setVisibleLibrary(true);
        e->windowsToDefaultPosition();
        e->adjustWidgetSize();
        QVERIFY(e->currentStage() == nullptr);
        data.rmpath("._kvtrash");
    }

    void closeStageEditorActionClosesTheEditor()
    {
        Fixture f(1000);
        QSignalSpy closed(f.editor.get(), &KvStageEditor::closed);
        // The stage tool bar's last button, queued to the editor.
        f.editor->stageWidget()->actionList().last()->trigger();
        QCOMPARE(closed.count(), 0);
        QTRY_COMPARE(closed.count(), 1);
    }

    // ---- dock widget and pictures ----------------------------------------------------

    // A dock's sizes held for docking and given back (its floating report: the stored-layout
    // test above).
    void dockWidgetDockedSize()
    {
        QMainWindow window;
        window.resize(800, 600);
        KvDockWidget dock(QStringLiteral("Dock"));
        dock.setWidget(new QWidget);
        window.addDockWidget(Qt::LeftDockWidgetArea, &dock);
        window.show();
        QCoreApplication::processEvents();
        dock.setMinimumSize(10, 20);
        dock.resize(300, 400);
        const QSize defaultMaximum = dock.maximumSize();

        dock.setDockedSize(200, 500);
        QCOMPARE(dock.maximumWidth(), 200);  // at least that wide: capped
        QCOMPARE(dock.minimumHeight(), 500); // smaller: raised
        QCOMPARE(dock.preDockedMinimumSize(), QSize(10, 20));
        dock.restorePreDockedSize();
        QCOMPARE(dock.minimumSize(), QSize(10, 20));
        QCOMPARE(dock.maximumSize(), defaultMaximum);
        // A negative value leaves that direction alone.
        dock.setDockedSize(-1, -1);
        QCOMPARE(dock.minimumSize(), QSize(10, 20));
        QCOMPARE(dock.maximumSize(), defaultMaximum);
    }

    void everyPictureNamedInTheCodeLoads()
    {
        QStringList names;
        const QRegularExpression pattern(QStringLiteral("\":/images/([^\"]+)\""));
        QDirIterator it(QStringLiteral(KOVA_SOURCE_DIR "/stageeditor"),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (auto m = pattern.globalMatch(QString::fromUtf8(file.readAll())); m.hasNext();)
                names << m.next().captured(1);
        }
        // The blank thumbnails are named by the suite, not by this code.
        names << "exclusion/transparent.png"
              << "exclusion/standardblank.png"
              << "exclusion/smallblank.png";
        names.removeDuplicates();
        QVERIFY(names.count() >= 40);
        for (const QString& name : names) {
            const QString path = QStringLiteral(":/images/") + name;
            QVERIFY2(QFile::exists(path), qPrintable(path));
            const bool loads = name.endsWith(QLatin1String(".svg"))
                                   ? QSvgRenderer(path).isValid()
                                   : !QImageReader(path).read().isNull();
            QVERIFY2(loads, qPrintable(path));
        }
        // The three blank thumbnails must differ, or one would stand for another.
        const QImage a(":/images/exclusion/transparent.png");
        const QImage b(":/images/exclusion/standardblank.png");
        const QImage c(":/images/exclusion/smallblank.png");
        QVERIFY(a != b && b != c && a != c);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
