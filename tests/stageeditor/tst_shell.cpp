// The editor shell: docks and their layout, menus and shared actions, the help menu,
// the active side, the settings written on close and the pictures the code names.

#include "kvcontentpreviewwidget.h"
#include "kvdockwidget.h"
#include "kveditorconfig.h"
#include "kveditoruserconfig.h"
#include "kvlibrarywidget.h"
#include "kvmodalwatcher.h"
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

class TstShell : public QObject
{
    Q_OBJECT

private:
    // A main window of a fixed size holding a started editor.
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
        ~Fixture()
        {
            editor.reset();
            window.reset();
        }
        // Answers the stage chooser that the first layout opens, and any other modal.
        KvModalWatcher watcher;
        std::unique_ptr<QMainWindow> window;
        std::unique_ptr<KvStageEditor> editor;
    };

    static QAction* action(KvStageEditor* editor, const QString& name)
    {
        return editor->getAction(name);
    }
    static QMenu* mainMenu(KvStageEditor* editor, int index) { return editor->menu().value(index); }

    QTemporaryDir m_dataDir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dataDir.isValid());
        qRegisterMetaType<KvDockWidget*>("KvDockWidget*");
        KvEditorConfig::setDataDir(m_dataDir.path());
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

    // ---- construction -------------------------------------------------------------

    void constructionBuildsEverythingButShowsNothing()
    {
        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QCOMPARE(e->objectName(), QStringLiteral("StageEditor"));
        QCOMPARE(e->mainWindow(), f.window.get());
        QVERIFY(e->stageWidget());
        QCOMPARE(e->stageWidget()->objectName(), QStringLiteral("StageWidget"));
        QCOMPARE(e->activeSide(), 0);
        QVERIFY(e->undoGroup());
        QVERIFY(e->libraryUndoStack());
        QVERIFY(!e->undoGroup()->stacks().contains(e->libraryUndoStack()));
        QVERIFY(e->usingStageList());
        QVERIFY(e->usingContentList());
        QVERIFY(e->currentStage() == nullptr);
        QCOMPARE(e->dataDir(), KvEditorConfig::dataDir());

        struct Expected
        {
            KvDockWidget* dock;
            const char* name;
            const char* title;
            QWidget* widget;
        };
        const Expected docks[] = {
            {e->stagePropertyDock(), "StagePropertyDock", "Stage Property",
             e->stagePropertyWidget()},
            {e->screenPropertyDock(), "ScreenPropertyDock", "Screen Property",
             e->screenPropertyWidget()},
            {e->contentPreviewDock(), "ContentPreviewDock", "Content Preview",
             e->contentPreviewWidget()},
            {e->libraryDock(), "LibraryDock", "Library", e->libraryWidget()},
            {e->sequenceDock(), "SequenceDock", "Sequence", e->sequenceContainer()},
        };
        for (const Expected& d : docks) {
            QVERIFY2(d.dock, d.name);
            QCOMPARE(d.dock->objectName(), QLatin1String(d.name));
            QCOMPARE(d.dock->windowTitle(), QLatin1String(d.title));
            QVERIFY(d.widget);
            QCOMPARE(d.dock->widget(), d.widget);
            // Nothing is in the main window before exec().
            QVERIFY(d.dock->parent() != f.window.get());
        }
        QCOMPARE(e->libraryWidget()->objectName(), QStringLiteral("LibraryWidget"));
        QVERIFY(f.window->centralWidget() != e->stageWidget());
        QCOMPARE(f.window->tabPosition(Qt::LeftDockWidgetArea), QTabWidget::West);
        QCOMPARE(f.window->tabPosition(Qt::RightDockWidgetArea), QTabWidget::West);
    }

    // ---- dock layout ----------------------------------------------------------------

    void dockSizes_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("stageProperty");
        QTest::addColumn<int>("screenProperty");
        QTest::addColumn<int>("library");
        QTest::addColumn<int>("preview");
        QTest::addColumn<int>("sequence");
        QTest::newRow("1000") << 1000 << 375 << 375 << 494 << 256 << 250;
        QTest::newRow("600: sequence raised to 128") << 600 << 256 << 272 << 288 << 162 << 128;
        // 0.25 * 3.0 of 801 is 600.75: truncated to 600, half of it 300.
        QTest::newRow("801 truncates") << 801 << 300 << 300 << 344 << 256 << 201;
        // A - 256 = 287 is just below 288: the library keeps 288.
        QTest::newRow("725 boundary") << 725 << 271 << 272 << 288 << 255 << 182;
        QTest::newRow("726 boundary") << 726 << 272 << 272 << 288 << 256 << 182;
    }

    void dockSizes()
    {
        QFETCH(int, height);
        const KvStageEditor::DockSizes s = KvStageEditor::defaultDockSizes(height);
        QTEST(s.stageProperty, "stageProperty");
        QTEST(s.screenProperty, "screenProperty");
        QTEST(s.library, "library");
        QTEST(s.contentPreview, "preview");
        QTEST(s.sequence, "sequence");
    }

    void execPutsDocksInTheirAreasAndOpensTheChooserOnce()
    {
        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QSignalSpy chooser(e, SIGNAL(requestToShowStageChooser()));
        QSignalSpy restore(e, SIGNAL(requestRestoreDockWidgetSetting(bool, bool)));
        f.window->show();
        QVERIFY(e->exec());
        // The layout and the chooser wait for the event loop.
        QCOMPARE(restore.count(), 1);
        QCOMPARE(restore.at(0).at(0).toBool(), false);
        QCOMPARE(restore.at(0).at(1).toBool(), true);
        QCOMPARE(chooser.count(), 0);
        QCOMPARE(f.window->centralWidget(), e->stageWidget());
        QCOMPARE(f.window->dockWidgetArea(e->stagePropertyDock()), Qt::LeftDockWidgetArea);
        QCOMPARE(f.window->dockWidgetArea(e->screenPropertyDock()), Qt::LeftDockWidgetArea);
        QCOMPARE(f.window->dockWidgetArea(e->contentPreviewDock()), Qt::RightDockWidgetArea);
        QCOMPARE(f.window->dockWidgetArea(e->libraryDock()), Qt::RightDockWidgetArea);
        QCOMPARE(f.window->dockWidgetArea(e->sequenceDock()), Qt::BottomDockWidgetArea);
        QTRY_COMPARE(chooser.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(chooser.count(), 1);
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
        const QList<KvDockWidget*> docks = {e->stagePropertyDock(), e->screenPropertyDock(),
                                            e->contentPreviewDock(), e->libraryDock(),
                                            e->sequenceDock()};
        for (KvDockWidget* dock : docks) {
            QVERIFY2(dock->isVisible(), qPrintable(dock->objectName()));
            QVERIFY(!dock->isFloating());
        }

        // Once the window is laid out, the default sizes are forced one dock after the
        // other; the sequence dock comes last and keeps exactly its size.
        e->restoreDockWidgetSetting(true, false);
        QCOMPARE(e->sequenceDock()->height(), sequence);
        QCOMPARE(e->stagePropertyDock()->width(), 272);
        QCOMPARE(e->screenPropertyDock()->width(), 272);
        QCOMPARE(e->libraryDock()->width(), 256);
        QCOMPARE(e->contentPreviewDock()->width(), 256);
        for (KvDockWidget* dock : docks) {
            // The forced sizes are released afterwards.
            QVERIFY2(dock->maximumHeight() > 100000 && dock->maximumWidth() > 100000,
                     qPrintable(dock->objectName()));
            QVERIFY(dock->minimumHeight() < 128);
        }
    }

    void toDefaultPositionRedocksFloatingDocks()
    {
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        e->libraryDock()->setFloating(true);
        e->sequenceDock()->setFloating(true);
        f.window->addDockWidget(Qt::RightDockWidgetArea, e->screenPropertyDock());
        e->contentPreviewDock()->hide();
        QCoreApplication::processEvents();
        QVERIFY(e->libraryDock()->isFloating());

        QSignalSpy chooser(e, SIGNAL(requestToShowStageChooser()));
        QSignalSpy restore(e, SIGNAL(requestRestoreDockWidgetSetting(bool, bool)));
        action(e, "Action_Windows_To_Default_Position")->trigger();
        QCOMPARE(restore.count(), 1);
        QCOMPARE(restore.at(0).at(0).toBool(), true);
        QCOMPARE(restore.at(0).at(1).toBool(), false);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        for (KvDockWidget* dock : {e->stagePropertyDock(), e->screenPropertyDock(),
                                   e->contentPreviewDock(), e->libraryDock(), e->sequenceDock()}) {
            QVERIFY2(!dock->isFloating(), qPrintable(dock->objectName()));
            QVERIFY2(dock->isVisible(), qPrintable(dock->objectName()));
            QCOMPARE(dock->parent(), f.window.get());
        }
        QCOMPARE(f.window->dockWidgetArea(e->screenPropertyDock()), Qt::LeftDockWidgetArea);
        QCOMPARE(f.window->dockWidgetArea(e->libraryDock()), Qt::RightDockWidgetArea);
        QCOMPARE(f.window->dockWidgetArea(e->sequenceDock()), Qt::BottomDockWidgetArea);
        QCOMPARE(chooser.count(), 0);
        // The default sizes hold once the limits used to force them are released.
        QTRY_COMPARE(e->stagePropertyDock()->width(), 272);
        QCOMPARE(e->libraryDock()->width(), 256);
    }

    void storedGeometryIsRestoredOnTheNextStart()
    {
        {
            Fixture f(1000);
            f.window->addDockWidget(Qt::LeftDockWidgetArea, f.editor->libraryDock());
            QCoreApplication::processEvents();
            f.editor->close();
        }
        Fixture f(1000);
        QTRY_COMPARE(f.window->dockWidgetArea(f.editor->libraryDock()), Qt::LeftDockWidgetArea);
        // To Default Position ignores what was stored.
        action(f.editor.get(), "Action_Windows_To_Default_Position")->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(f.window->dockWidgetArea(f.editor->libraryDock()), Qt::RightDockWidgetArea);
    }

    // ---- menus and actions ----------------------------------------------------------

    void mainMenus_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("objectName");
        // "text|objectName|shortcut|icon|enabled|checkable|checked|visible", or
        // "-|objectName|visible" for a separator, or ">|objectName" for a submenu.
        QTest::addColumn<QStringList>("entries");

        QTest::newRow("File") << 0 << "&File"
                              << ""
                              << QStringList{"&New Stage...||Ctrl+N|1|1|0|0|1",
                                             "&Open Stage...||Ctrl+O|0|1|0|0|1",
                                             "-||1",
                                             "&Close Stage|Action_Close_Stage|Ctrl+W|0|1|0|0|1",
                                             "C&lose All Stage|Action_Close_All_Stage||0|1|0|0|1",
                                             "Close Stage &Editor|||0|1|0|0|1",
                                             "-||1",
                                             "&Save Stage|Action_Save_Stage|Ctrl+S|0|1|0|0|1",
                                             "Save Stage &As...|Action_Save_Stage_As|Ctrl+Shift+S|"
                                             "0|1|0|0|1",
                                             "-||1",
                                             "&Quit||Ctrl+Q|0|1|0|0|1"};
        QTest::newRow("Edit") << 1 << "&Edit"
                              << "Menu_Edit"
                              << QStringList{"&Undo|Action_Undo|Ctrl+Z|1|1|0|0|1",
                                             "&Redo|Action_Redo|Ctrl+Y|1|1|0|0|1",
                                             "-||1",
                                             "Cu&t|Action_Cut|Ctrl+X|0|1|0|0|1",
                                             "&Copy|Action_Copy|Ctrl+C|0|1|0|0|1",
                                             "&Paste|Action_Paste|Ctrl+V|0|1|0|0|1",
                                             "&Delete|Action_Delete||1|1|0|0|1",
                                             "-||1",
                                             "&Configuration....|Action_Configuration||0|1|0|0|1"};
        QTest::newRow("Screen")
            << 2 << "&Screen"
            << "Menu_Screen"
            << QStringList{"Add &Multimedia Screen|Action_Add_Multimedia_Screen||1|1|0|0|1",
                           "Add &Telop Screen|Action_Add_Telop_Screen||1|1|0|0|1",
                           // No extended-screen plug-in is installed: the entry is hidden.
                           "Add E&xtended Screen|Action_Add_Extended_Screen||1|0|0|0|0",
                           "Edit E&vent...|Action_Edit_Event||1|1|0|0|1", "-||1",
                           "Lock|Action_Lock_Screen||1|1|0|0|1", "-||1",
                           "Bring to &Front|Action_Bring_to_Front|Ctrl+Shift+]|1|1|0|0|1",
                           "Bring F&orward|Action_Bring_Forward|Ctrl+]|1|1|0|0|1",
                           "Send &Backward|Action_Send_Backward|Ctrl+[|1|1|0|0|1",
                           "Send to B&ack|Action_Send_to_Back|Ctrl+Shift+[|1|1|0|0|1", "-||1",
                           ">|Menu_Align", "-||1",
                           "&Preview Stage...|Action_Preview_Stage||1|1|0|0|1",
                           "-|Action_Separator_Begin_Plugin|0", "-|Action_Separator_End_Plugin|0"};
        QTest::newRow("Align")
            << -1 << "A&lign"
            << "Menu_Align"
            << QStringList{
                   "Align &Left Edges|Action_Align_Left_Edges||1|1|0|0|1",
                   "Align &Horizontal Centers|Action_Align_Horizontal_Centers||1|1|0|0|1",
                   "Align &Right Edges|Action_Align_Right_Edges||1|1|0|0|1",
                   "Align &Top Edges|Action_Align_Top_Edges||1|1|0|0|1",
                   "Align &Vertical Centers|Action_Align_Vertical_Centers||1|1|0|0|1",
                   "Align &Bottom Edges|Action_Align_Bottom_Edges||1|1|0|0|1",
                   "-||1",
                   "&Distribute Top Edges|Action_Distribute_Top_Edges||1|1|0|0|1",
                   "D&istribute Vertical Centers|Action_Distribute_Vertical_Centers||1|1|0|0|1",
                   "Di&stribute Bottom Edges|Action_Distribute_Bottom_Edges||1|1|0|0|1",
                   "Dist&ribute Left Edges|Action_Distribute_Left_Edges||1|1|0|0|1",
                   "Distribut&e Horizontal Centers|Action_Distribute_Horizontal_Centers||1|1|0|0|1",
                   "Distribute Ri&ght Edges|Action_Distribute_Right_Edges||1|1|0|0|1"};
        QTest::newRow("Sequence")
            << 3 << "Se&quence"
            << "Menu_Sequence"
            << QStringList{
                   "To &First|Action_Move_First||1|1|0|0|1",
                   "&Previous|Action_Move_Previous||1|1|0|0|1", "&Next|Action_Move_Next||1|1|0|0|1",
                   "To &Last|Action_Move_Last||1|1|0|0|1", "-||1",
                   // Disabled by the main view context menu, which shares it.
                   "&Content Property...|Action_Content_Property||1|0|0|0|1",
                   "C&opy Content Property To...|Action_Copy_Content_Property_To||0|0|0|0|1",
                   "-||1", "Show &Duration|Action_Show_Duration||1|1|1|0|1",
                   "&Normal View|Action_Normal_View||1|0|0|0|1",
                   "&Time View|Action_Time_View||1|1|0|0|1", "-||1",
                   "Set &Raise Event...|Action_Set_Raise_Event||1|1|0|0|1",
                   "Set &Listen Event...|Action_Set_Listen_Event||1|1|0|0|1",
                   "-|Action_Separator_Begin_Plugin|0", "-|Action_Separator_End_Plugin|0"};
        QTest::newRow("Library") << 4 << "&Library"
                                 << "Menu_Library" << QStringList{};
        QTest::newRow("Window")
            << 5 << "&Window"
            << "Menu_Window"
            << QStringList{"Stage Property|Action_Set_Visible_Stage_Property||0|1|1|1|1",
                           "Screen Property|Action_Set_Visible_Screen_Property||0|1|1|1|1",
                           "Content Preview|Action_Set_Visible_Content_Preview||0|1|1|1|1",
                           "Library|Action_Set_Visible_Library||0|1|1|1|1",
                           "Sequence|Action_Set_Visible_Sequence||0|1|1|1|1",
                           "-||1",
                           "To Default Position|Action_Windows_To_Default_Position||0|1|0|0|1"};
    }

    void mainMenus()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, objectName);
        QFETCH(QStringList, entries);

        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QCOMPARE(e->menu().count(), 6);
        QMenu* menu =
            index >= 0 ? mainMenu(e, index) : KvStageEditor::getMenu(e->m_subMenuList, objectName);
        QVERIFY(menu);
        QCOMPARE(menu->title(), title);
        QCOMPARE(menu->objectName(), objectName);
        QVERIFY2(menu->parent() == nullptr, "menus belong to the editor, not to a widget");

        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.count(), entries.count());
        for (int i = 0; i < entries.count(); ++i) {
            const QStringList fields = entries.at(i).split(QLatin1Char('|'));
            QAction* a = actions.at(i);
            const QString where = QStringLiteral("%1 #%2").arg(title).arg(i);
            if (fields.at(0) == QLatin1String("-")) {
                QVERIFY2(a->isSeparator(), qPrintable(where));
                QCOMPARE(a->objectName(), fields.at(1));
                QCOMPARE(a->isVisible(), fields.at(2) == QLatin1String("1"));
                continue;
            }
            if (fields.at(0) == QLatin1String(">")) {
                QVERIFY2(a->menu(), qPrintable(where));
                QCOMPARE(a->menu()->objectName(), fields.at(1));
                continue;
            }
            QCOMPARE(a->text(), fields.at(0));
            QCOMPARE(a->objectName(), fields.at(1));
            QCOMPARE(a->shortcut(), QKeySequence(fields.at(2)));
            QVERIFY2(a->icon().isNull() == (fields.at(3) == QLatin1String("0")),
                     qPrintable(where + " icon"));
            if (!a->icon().isNull())
                QVERIFY2(!a->icon().pixmap(16, 16).isNull(), qPrintable(where + " pixmap"));
            QVERIFY2(a->isEnabled() == (fields.at(4) == QLatin1String("1")),
                     qPrintable(where + " enabled"));
            QCOMPARE(a->isCheckable(), fields.at(5) == QLatin1String("1"));
            QCOMPARE(a->isChecked(), fields.at(6) == QLatin1String("1"));
            QCOMPARE(a->isVisible(), fields.at(7) == QLatin1String("1"));
            // Named actions are found by their name, unnamed ones are not in the list.
            if (!fields.at(1).isEmpty())
                QCOMPARE(action(e, fields.at(1)), a);
            else
                QVERIFY(!e->m_actionList.contains(a));
        }
    }

    void namedActionsAreInCreationOrder()
    {
        Fixture f(1000, false);
        const QList<QAction*>& list = f.editor->m_actionList;
        QStringList names;
        for (QAction* a : list)
            names << a->objectName();
        QCOMPARE(names.first(), QStringLiteral("Action_Close_Stage"));
        QVERIFY(names.indexOf("Action_Undo") < names.indexOf("Action_Add_Multimedia_Screen"));
        QVERIFY(names.indexOf("Action_Align_Left_Edges") < names.indexOf("Action_Preview_Stage"));
        QCOMPARE(names.last(), QStringLiteral("Action_Windows_To_Default_Position"));
        for (const QString& name : names)
            QVERIFY2(name.startsWith(QLatin1String("Action_")), qPrintable(name));
    }

    void actionsTriggerTheirSlots()
    {
        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QSignalSpy quit(e, SIGNAL(quitApp()));
        QSignalSpy configuration(e, SIGNAL(showConfiguration()));
        mainMenu(e, 0)->actions().last()->trigger();
        QCOMPARE(quit.count(), 1);
        action(e, "Action_Configuration")->trigger();
        QCOMPARE(configuration.count(), 1);

        // The view switches keep exactly one of the two view actions enabled.
        action(e, "Action_Time_View")->trigger();
        QVERIFY(action(e, "Action_Normal_View")->isEnabled());
        QVERIFY(!action(e, "Action_Time_View")->isEnabled());
        action(e, "Action_Normal_View")->trigger();
        QVERIFY(!action(e, "Action_Normal_View")->isEnabled());
        QVERIFY(action(e, "Action_Time_View")->isEnabled());

        // Undo and Redo act on the undo group's active stack.
        QUndoStack stack;
        e->addUndoStack(&stack);
        e->setActiveUndoStack(&stack);
        stack.push(new QUndoCommand(QStringLiteral("one")));
        action(e, "Action_Undo")->trigger();
        QCOMPARE(stack.index(), 0);
        action(e, "Action_Redo")->trigger();
        QCOMPARE(stack.index(), 1);
        QVERIFY(e->undoGroup()->stacks().contains(&stack));
    }

    void contextMenusShareTheActions()
    {
        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        QMenu* stage = e->stageContextMenu();
        QMenu* label = e->sequenceLabelContextMenu();
        QMenu* mainView = e->sequenceMainViewContextMenu();
        QVERIFY(stage && label && mainView);
        QCOMPARE(stage->objectName(), QStringLiteral("Menu_Context_Stage"));
        QCOMPARE(label->objectName(), QStringLiteral("Menu_Context_SequenceLabel"));
        QCOMPARE(mainView->objectName(), QStringLiteral("Manu_Context_SequenceMainView"));

        auto names = [](QMenu* menu) {
            QStringList list;
            for (QAction* a : menu->actions()) {
                if (a->menu())
                    list << a->menu()->objectName();
                else if (a->isSeparator())
                    list << (a->objectName().isEmpty() ? QStringLiteral("-") : a->objectName());
                else
                    list << a->objectName();
            }
            return list;
        };
        QCOMPARE(names(stage),
                 (QStringList{"Action_Edit_Event", "-", "Action_Bring_to_Front",
                              "Action_Bring_Forward", "Action_Send_Backward", "Action_Send_to_Back",
                              "-", "Action_Lock_Screen", "-", "Menu_Align", "-", "Action_Cut",
                              "Action_Copy", "Action_Paste", "Action_Delete",
                              "Action_Separator_Begin_Plugin", "Action_Separator_End_Plugin"}));
        QCOMPARE(names(label),
                 (QStringList{"Action_Bring_to_Front", "Action_Bring_Forward",
                              "Action_Send_Backward", "Action_Send_to_Back", "-", "Action_Delete",
                              "-", "Action_Set_Raise_Event", "Action_Set_Listen_Event"}));
        QCOMPARE(names(mainView),
                 (QStringList{"Action_Move_First", "Action_Move_Previous", "Action_Move_Next",
                              "Action_Move_Last", "-", "Action_Content_Property",
                              "Action_Copy_Content_Property_To", "-", "Action_Cut", "Action_Copy",
                              "Action_Paste", "Action_Delete", "Action_Separator_Begin_Plugin",
                              "Action_Separator_End_Plugin"}));
        // The plug-in separators are the menu's own: shown in the stage menu, hidden in the
        // main view menu and in the Screen menu.
        QVERIFY(KvStageEditor::getAction(stage, "Action_Separator_Begin_Plugin")->isVisible());
        QVERIFY(!KvStageEditor::getAction(mainView, "Action_Separator_End_Plugin")->isVisible());
        QVERIFY(!KvStageEditor::getAction(mainMenu(e, 2), "Action_Separator_Begin_Plugin")
                     ->isVisible());

        QAction* cut = action(e, "Action_Cut");
        cut->setEnabled(false);
        QCOMPARE(KvStageEditor::getAction(mainMenu(e, 1), "Action_Cut"), cut);
        QCOMPARE(KvStageEditor::getAction(stage, "Action_Cut"), cut);
        QCOMPARE(KvStageEditor::getAction(mainView, "Action_Cut"), cut);
        QVERIFY(!KvStageEditor::getAction(stage, "Action_Cut")->isEnabled());
        QVERIFY(!KvStageEditor::getAction(mainView, "Action_Cut")->isEnabled());

        // The same actions are handed to the sequence container.
        QStringList raise, view;
        for (QAction* a : e->sequenceContainer()->raiseEventActions())
            raise << a->objectName();
        for (QAction* a : e->sequenceContainer()->viewMenuActions())
            view << a->objectName();
        QCOMPARE(raise, (QStringList{"Action_Bring_to_Front", "Action_Bring_Forward",
                                     "Action_Send_Backward", "Action_Send_to_Back",
                                     "Action_Set_Raise_Event", "Action_Set_Listen_Event"}));
        QCOMPARE(view,
                 (QStringList{"Action_Move_First", "Action_Move_Previous", "Action_Move_Next",
                              "Action_Move_Last", "Action_Copy_Content_Property_To",
                              "Action_Show_Duration", "Action_Normal_View", "Action_Time_View"}));
    }

    void helpMenuRules()
    {
        auto f = std::make_unique<Fixture>(1000, false);
        KvStageEditor* e = f->editor.get();
        QPointer<QMenu> help = new QMenu(QStringLiteral("&Help"));
        help->setObjectName(QStringLiteral("Menu_Help"));
        QVERIFY(e->takeHelpMenu() == nullptr);
        QCOMPARE(e->menu().count(), 6);

        e->setHelpMenu(help);
        e->setHelpMenu(help);
        e->setHelpMenu(nullptr);
        QCOMPARE(e->menu().count(), 7);
        QCOMPARE(e->menu().last(), help.data());

        // Only the exact name "Menu_Help" is taken.
        QMenu other;
        other.setObjectName(QStringLiteral("menu_help"));
        e->setHelpMenu(&other);
        QCOMPARE(e->takeHelpMenu(), help.data());
        QCOMPARE(e->menu().count(), 7);
        QVERIFY(e->takeHelpMenu() == nullptr);
        QCOMPARE(e->menu().count(), 7);
        QCOMPARE(e->menu().last(), &other);
        e->m_menuList.removeAll(&other);

        // The editor hands the help menu back when it goes, and deletes its own menus.
        e->setHelpMenu(help);
        QPointer<QMenu> file = e->menu().first();
        QPointer<QMenu> align = KvStageEditor::getMenu(e->m_subMenuList, "Menu_Align");
        QPointer<QMenu> stageContext = e->stageContextMenu();
        f.reset();
        QVERIFY(help);
        QVERIFY(!file);
        QVERIFY(!align);
        QVERIFY(!stageContext);
        delete help.data();
    }

    void actionListRules()
    {
        Fixture f(1000, false);
        KvStageEditor* e = f.editor.get();
        const int count = e->m_actionList.count();
        QAction* cut = action(e, "Action_Cut");
        QVERIFY(cut);
        e->addActionToList(cut);
        e->addActionToList(nullptr);
        QCOMPARE(e->m_actionList.count(), count);

        QVERIFY(action(e, "action_cut") == nullptr);
        QVERIFY(action(e, "Action_Unknown") == nullptr);
        QVERIFY(action(e, QString()) == nullptr);
        QVERIFY(KvStageEditor::getAction(nullptr, "Action_Cut") == nullptr);
        QVERIFY(KvStageEditor::getMenu(e->m_subMenuList, "menu_align") == nullptr);

        QAction own(QStringLiteral("Own"));
        own.setObjectName(QStringLiteral("Action_Own"));
        e->addActionToList(&own);
        e->addActionToList(&own);
        QCOMPARE(e->m_actionList.count(), count + 1);
        QCOMPARE(action(e, "Action_Own"), &own);
        e->m_actionList.removeAll(&own);
    }

    void windowMenuFollowsDockVisibility()
    {
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        QMenu* window = mainMenu(e, 5);
        QAction* stageProperty = action(e, "Action_Set_Visible_Stage_Property");
        QAction* library = action(e, "Action_Set_Visible_Library");

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
        QVERIFY(!action(e, "Action_Set_Visible_Sequence")->isChecked());
    }

    // ---- command availability -------------------------------------------------------

    void withoutStageTheStageCommandsAreOff()
    {
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        QCOMPARE(e->stageWidget()->openedStageCount(), 0);
        emit mainMenu(e, 0)->aboutToShow();
        QVERIFY(!action(e, "Action_Close_Stage")->isEnabled());
        QVERIFY(!action(e, "Action_Close_All_Stage")->isEnabled());
        QVERIFY(!action(e, "Action_Save_Stage")->isEnabled());
        QVERIFY(action(e, "Action_Save_Stage_As")->isEnabled());

        emit mainMenu(e, 2)->aboutToShow();
        for (const char* name :
             {"Action_Add_Multimedia_Screen", "Action_Add_Telop_Screen",
              "Action_Add_Extended_Screen", "Action_Edit_Event", "Action_Preview_Stage"})
            QVERIFY2(!action(e, name)->isEnabled(), name);
        // No screen selected: the entry offers to unlock, and cannot.
        QCOMPARE(action(e, "Action_Lock_Screen")->text(), QStringLiteral("Unlock"));
        QVERIFY(!action(e, "Action_Lock_Screen")->isEnabled());
        QVERIFY(!KvStageEditor::getMenu(e->m_subMenuList, "Menu_Align")->isEnabled());
        emit mainMenu(e, 2)->aboutToHide();

        emit mainMenu(e, 3)->aboutToShow();
        for (const char* name :
             {"Action_Show_Duration", "Action_Normal_View", "Action_Time_View",
              "Action_Set_Raise_Event", "Action_Set_Listen_Event", "Action_Move_First",
              "Action_Move_Last", "Action_Content_Property", "Action_Copy_Content_Property_To"})
            QVERIFY2(!action(e, name)->isEnabled(), name);
        emit mainMenu(e, 3)->aboutToHide();

        for (int side : {0, 1}) {
            e->m_activeSide = side;
            emit mainMenu(e, 1)->aboutToShow();
            for (const char* name : {"Action_Undo", "Action_Redo", "Action_Cut", "Action_Copy",
                                     "Action_Paste", "Action_Delete"})
                QVERIFY2(!action(e, name)->isEnabled(), name);
        }
    }

    void availabilityFollowsTheSelection()
    {
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        KvStageWidget* sw = e->stageWidget();
        auto* stage = new KvStage(m_dataDir.filePath(QStringLiteral("stage/one.xml")));
        QVERIFY(sw->addStage(stage) >= 0);
        QCoreApplication::processEvents();
        KvScreen* s1 = sw->addMultimediaScreen();
        KvScreen* s2 = sw->addMultimediaScreen();
        KvScreen* s3 = sw->addTelopScreen();
        QVERIFY(s1 && s2 && s3);
        QVERIFY(s1->zIndex() < s2->zIndex() && s2->zIndex() < s3->zIndex());
        QMenu* screenMenu = mainMenu(e, 2);
        QMenu* align = KvStageEditor::getMenu(e->m_subMenuList, "Menu_Align");

        sw->selectScreenItem({s1}, true, true);
        emit screenMenu->aboutToShow();
        QVERIFY(action(e, "Action_Add_Multimedia_Screen")->isEnabled());
        QVERIFY(action(e, "Action_Preview_Stage")->isEnabled());
        QCOMPARE(action(e, "Action_Lock_Screen")->text(), QStringLiteral("Lock"));
        QVERIFY(action(e, "Action_Lock_Screen")->isEnabled());
        QVERIFY(action(e, "Action_Bring_to_Front")->isEnabled()); // s1 is at the back
        QVERIFY(!action(e, "Action_Send_to_Back")->isEnabled());
        QVERIFY(!align->isEnabled());
        emit screenMenu->aboutToHide();

        sw->selectScreenItem({s1, s2}, true, true);
        emit screenMenu->aboutToShow();
        QVERIFY(align->isEnabled());
        QVERIFY(!action(e, "Action_Distribute_Top_Edges")->isEnabled());
        emit screenMenu->aboutToHide();

        // Three selected, one of them front-most: no way forward, every way to distribute.
        sw->selectScreenItem({s1, s2, s3}, true, true);
        emit screenMenu->aboutToShow();
        QVERIFY(align->isEnabled());
        QVERIFY(action(e, "Action_Distribute_Right_Edges")->isEnabled());
        QVERIFY(!action(e, "Action_Bring_to_Front")->isEnabled());
        QVERIFY(!action(e, "Action_Bring_Forward")->isEnabled());
        QVERIFY(!action(e, "Action_Send_Backward")->isEnabled());
        emit screenMenu->aboutToHide();

        // A locked screen: "Unlock" only when all are locked; no deleting on the stage side.
        s1->setLockScreen(true);
        sw->selectScreenItem({s1, s2}, true, true);
        emit screenMenu->aboutToShow();
        QCOMPARE(action(e, "Action_Lock_Screen")->text(), QStringLiteral("Lock"));
        emit screenMenu->aboutToHide();
        sw->selectScreenItem({s1}, true, true);
        emit screenMenu->aboutToShow();
        QCOMPARE(action(e, "Action_Lock_Screen")->text(), QStringLiteral("Unlock"));
        emit screenMenu->aboutToHide();

        e->m_activeSide = 0;
        emit mainMenu(e, 1)->aboutToShow();
        QVERIFY(!action(e, "Action_Delete")->isEnabled());
        QVERIFY(!action(e, "Action_Cut")->isEnabled());
        QVERIFY(action(e, "Action_Copy")->isEnabled());
        // Screens were added by undoable commands or directly: Undo follows the stack.
        QCOMPARE(action(e, "Action_Undo")->isEnabled(), e->undoGroup()->canUndo());

        sw->selectScreenItem({s2}, true, true);
        emit mainMenu(e, 1)->aboutToShow();
        QVERIFY(action(e, "Action_Delete")->isEnabled());
        QVERIFY(action(e, "Action_Cut")->isEnabled());

        // The sequence side has no media selected, whatever the canvas holds.
        e->m_activeSide = 1;
        emit mainMenu(e, 1)->aboutToShow();
        QVERIFY(!action(e, "Action_Delete")->isEnabled());
        QVERIFY(!action(e, "Action_Copy")->isEnabled());

        // With a stage open the view entries are left as the timeline set them.
        action(e, "Action_Show_Duration")->setEnabled(true);
        emit mainMenu(e, 3)->aboutToShow();
        QVERIFY(action(e, "Action_Show_Duration")->isEnabled());
        emit mainMenu(e, 3)->aboutToHide();
    }

    // ---- active side ----------------------------------------------------------------

    void activeSideFollowsMousePresses()
    {
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        QWidget* stage = e->stageWidget();
        QWidget* sequence = e->sequenceContainer();
        QCOMPARE(e->activeSide(), 0);

        QTest::mousePress(sequence, Qt::LeftButton, Qt::NoModifier,
                          QPoint(sequence->width() / 2, sequence->height() / 2));
        QCOMPARE(e->activeSide(), 1);
        QTest::mouseRelease(sequence, Qt::LeftButton);

        QTest::mousePress(stage, Qt::LeftButton, Qt::NoModifier,
                          QPoint(stage->width() / 2, stage->height() - 4));
        QCOMPARE(e->activeSide(), 0);
        QTest::mouseRelease(stage, Qt::LeftButton);

        // A press on the dock's own frame counts for the sequence side too.
        QTest::mousePress(e->sequenceDock(), Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
        QCOMPARE(e->activeSide(), 1);
        QTest::mouseRelease(e->sequenceDock(), Qt::RightButton, Qt::NoModifier, QPoint(2, 2));

        // The widgets' own signals set the side as well.
        emit e->sequenceContainer()->seqScreenActivated();
        QCOMPARE(e->activeSide(), 0);
        emit e->sequenceContainer()->mousePressed();
        QCOMPARE(e->activeSide(), 1);
        emit e->stageWidget()->mousePressed();
        QCOMPARE(e->activeSide(), 0);

        // Other events leave it alone.
        QTest::mouseMove(sequence, QPoint(5, 5));
        QCOMPARE(e->activeSide(), 0);
    }

    void emptySidesDoNothing()
    {
        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        QUndoStack stack;
        e->addUndoStack(&stack);
        e->setActiveUndoStack(&stack);
        for (int side : {0, 1}) {
            e->m_activeSide = side;
            e->action_copy();
            e->action_cut();
            e->action_paste();
            e->action_remove();
            // Nothing selected, nothing pasteable: no command.
            QCOMPARE(stack.count(), 0);
        }
    }

    // ---- closing --------------------------------------------------------------------

    void closeWritesSequenceSettings_data()
    {
        QTest::addColumn<bool>("timeViewShown");
        QTest::addColumn<bool>("showDuration");
        QTest::addColumn<QString>("viewType");
        QTest::newRow("normal view") << false << false << "normalView";
        QTest::newRow("time view") << true << true << "timeView";
    }

    void closeWritesSequenceSettings()
    {
        QFETCH(bool, timeViewShown);
        QFETCH(bool, showDuration);
        QFETCH(QString, viewType);

        Fixture f(1000);
        KvStageEditor* e = f.editor.get();
        if (timeViewShown)
            action(e, "Action_Time_View")->trigger();
        action(e, "Action_Show_Duration")->setChecked(showDuration);
        QCOMPARE(action(e, "Action_Normal_View")->isEnabled(), timeViewShown);

        QSignalSpy closed(e, SIGNAL(closed()));
        QPointer<QWidget> stage = e->stageWidget();
        QPointer<QWidget> library = e->libraryDock();
        e->close();
        QCOMPARE(closed.count(), 1);
        QVERIFY(e->stageWidget() == nullptr);
        QVERIFY(e->libraryDock() == nullptr);
        QVERIFY(f.window->centralWidget() == nullptr);
        QTRY_VERIFY(!stage);
        QTRY_VERIFY(!library);

        QSettings* settings = KvEditorUserConfig::settings();
        QVERIFY(settings);
        QCOMPARE(settings->value("sequence/viewType").toString(), viewType);
        QCOMPARE(settings->value("sequence/showDuration").toBool(), showDuration);
        // The file on disk has them too (the group was synced).
        QSettings onDisk(settings->fileName(), QSettings::IniFormat);
        QCOMPARE(onDisk.value("sequence/viewType").toString(), viewType);

        // Nothing is left to act on, and nothing breaks.
        e->action_setVisibleLibrary(true);
        e->windowsToDefaultPosition();
        e->adjustWidgetSize();
        QVERIFY(e->currentStage() == nullptr);
    }

    void closeAsksToEmptyTheTrashOnlyWhenThereIsOne()
    {
        QDir data(KvEditorConfig::dataDir());
        data.rmpath(QStringLiteral("._kvtrash"));
        {
            Fixture f(1000);
            QSignalSpy trash(f.editor.get(), SIGNAL(requestEmptyTrash(QString)));
            f.editor->close();
            QCOMPARE(trash.count(), 0);
        }
        QVERIFY(data.mkpath(QStringLiteral("._kvtrash")));
        Fixture f(1000);
        QSignalSpy trash(f.editor.get(), SIGNAL(requestEmptyTrash(QString)));
        QSignalSpy closed(f.editor.get(), SIGNAL(closed()));
        f.editor->close();
        QCOMPARE(trash.count(), 1);
        QCOMPARE(QDir::cleanPath(trash.at(0).at(0).toString()),
                 QDir::cleanPath(data.absoluteFilePath("._kvtrash")));
        QCOMPARE(closed.count(), 1);
        data.rmpath(QStringLiteral("._kvtrash"));
    }

    void closeStageEditorActionClosesTheEditor()
    {
        Fixture f(1000);
        QSignalSpy closed(f.editor.get(), SIGNAL(closed()));
        emit f.editor->stageWidget()->closeButtonTriggerd(); // queued to the editor
        QCOMPARE(closed.count(), 0);
        QTRY_COMPARE(closed.count(), 1);
    }

    // ---- dock widget ----------------------------------------------------------------

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

        QSignalSpy spy(&dock, SIGNAL(dockFloatingChanged(KvDockWidget*, bool)));
        dock.setFloating(true);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<KvDockWidget*>(), &dock);
        QCOMPARE(spy.at(0).at(1).toBool(), true);
        dock.setFloating(false);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(1).toBool(), false);
    }

    void floatingLibraryDockStillTakesDrops()
    {
        Fixture f(1000);
        KvDockWidget* library = f.editor->libraryDock();
        library->setAcceptDrops(true);
        library->setFloating(true);
        QCoreApplication::processEvents();
        QVERIFY(library->acceptDrops());
    }

    // ---- pictures -------------------------------------------------------------------

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
            const QString text = QString::fromUtf8(file.readAll());
            auto matches = pattern.globalMatch(text);
            while (matches.hasNext()) {
                const QString name = matches.next().captured(1);
                if (!name.isEmpty() && !name.endsWith(QLatin1Char('/')))
                    names << name;
            }
        }
        // The align and distribute pictures are named by file name alone.
        for (const char* n :
             {"align_left_edges.svg", "align_horizontal_centers.svg", "align_right_edges.svg",
              "align_top_edges.svg", "align_vertical_centers.svg", "align_bottom_edges.svg",
              "distribute_top_edges.svg", "distribute_vertical_centers.svg",
              "distribute_bottom_edges.svg", "distribute_left_edges.svg",
              "distribute_horizontal_centers.svg", "distribute_right_edges.svg",
              "exclusion/transparent.png", "exclusion/standardblank.png",
              "exclusion/smallblank.png"})
            names << QLatin1String(n);
        names.removeDuplicates();
        QVERIFY(names.count() >= 40);
        for (const QString& name : names) {
            const QString path = QStringLiteral(":/images/") + name;
            QVERIFY2(QFile::exists(path), qPrintable(path));
            if (name.endsWith(QLatin1String(".svg"))) {
                QSvgRenderer renderer(path);
                QVERIFY2(renderer.isValid(), qPrintable(path));
            } else {
                QImageReader reader(path);
                const QImage image = reader.read();
                QVERIFY2(!image.isNull(), qPrintable(path + ": " + reader.errorString()));
                QVERIFY(image.width() >= 16 && image.width() <= 32);
            }
        }
        // The three blank thumbnails must differ, or one would stand for another.
        const QImage a(":/images/exclusion/transparent.png");
        const QImage b(":/images/exclusion/standardblank.png");
        const QImage c(":/images/exclusion/smallblank.png");
        QVERIFY(a != b && b != c && a != c);
    }
};

QTEST_MAIN(TstShell)
#include "tst_shell.moc"
