#include "kvmenutable.h"

#include "kvlibrarywidget.h"
#include "kvstageeditor.h"
#include "kvsvgreader.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>

namespace Kova {

namespace {

#define KV_TR(text) QT_TRANSLATE_NOOP("Kova::KvStageEditor", text)

using Entry = KvMenuTable::Entry;
using Icon = KvMenuTable::Icon;

Entry action(const char* text, const char* objectName, const char* icon, Icon iconKind,
             const char* shortcut, KvMenuTable::Slot triggered)
{
    Entry entry;
    entry.text = text;
    entry.objectName = objectName;
    entry.icon = icon;
    entry.iconKind = icon ? iconKind : Icon::None;
    entry.shortcut = shortcut;
    entry.triggered = triggered;
    return entry;
}

// An action with a plain icon and no shortcut.
Entry plain(const char* text, const char* objectName, const char* icon, KvMenuTable::Slot triggered)
{
    return action(text, objectName, icon, Icon::Plain, nullptr, triggered);
}

Entry toggle(const char* text, const char* objectName, const char* icon,
             KvMenuTable::ToggleSlot toggled, bool checked)
{
    Entry entry = action(text, objectName, icon, Icon::Plain, nullptr, {});
    entry.toggled = toggled;
    entry.checkable = true;
    entry.checked = checked;
    return entry;
}

Entry separator(const char* objectName = nullptr, bool visible = true)
{
    Entry entry;
    entry.kind = Entry::Separator;
    entry.objectName = objectName;
    entry.visible = visible;
    return entry;
}

Entry submenu(const char* objectName)
{
    Entry entry;
    entry.kind = Entry::Submenu;
    entry.objectName = objectName;
    return entry;
}

QString translated(const char* text)
{
    return QCoreApplication::translate("Kova::KvStageEditor", text);
}

QAction* addAction(KvStageEditor* editor, QMenu* menu, const Entry& entry)
{
    QAction* action = menu->addAction(translated(entry.text));
    if (entry.iconKind == Icon::Svg)
        action->setIcon(KvSvgReader::getIcon(QLatin1String(entry.icon), 16, 16));
    else if (entry.iconKind == Icon::Plain)
        action->setIcon(QIcon(QLatin1String(entry.icon)));
    if (entry.shortcut)
        action->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
    if (entry.objectName) {
        action->setObjectName(QLatin1String(entry.objectName));
        editor->addActionToList(action);
    }
    if (entry.checkable) {
        action->setCheckable(true);
        action->setChecked(entry.checked);
    }
    if (entry.triggered) {
        QObject::connect(action, &QAction::triggered, editor,
                         [editor, slot = entry.triggered] { slot(editor); });
    }
    if (entry.toggled) {
        QObject::connect(action, &QAction::toggled, editor,
                         [editor, slot = entry.toggled](bool on) { slot(editor, on); });
    }
    if (!entry.enabled)
        action->setEnabled(false);
    if (entry.visibleIf)
        action->setVisible((editor->*entry.visibleIf)());
    return action;
}

// The first of `list` with that object name, or null.
template <typename T> T* named(const QList<T*>& list, const QString& name)
{
    for (T* object : list) {
        if (object && object->objectName() == name)
            return object;
    }
    return nullptr;
}

QAction* addSeparator(QMenu* menu, const char* objectName, bool visible)
{
    QAction* separator = menu->addSeparator();
    if (objectName)
        separator->setObjectName(QLatin1String(objectName));
    separator->setVisible(visible);
    return separator;
}

} // namespace

QMenu* KvMenuTable::build(KvStageEditor* editor, const Menu& table, QList<QMenu*>& subMenuList)
{
    auto* menu = new QMenu(translated(table.title));
    if (table.objectName)
        menu->setObjectName(QLatin1String(table.objectName));
    if (table.aboutToShow)
        QObject::connect(menu, &QMenu::aboutToShow, editor, table.aboutToShow);
    if (table.aboutToHide)
        QObject::connect(menu, &QMenu::aboutToHide, editor, table.aboutToHide);
    // The library panel adds its actions and prepares them whenever the menu opens.
    if (KvLibraryWidget* library = table.libraryMenu ? editor->libraryWidget() : nullptr)
        library->addLibraryActionsToMenu(menu);
    for (const Entry& entry : table.entries) {
        if (entry.kind == Entry::Action) {
            addAction(editor, menu, entry);
        } else if (entry.kind == Entry::Separator) {
            // Named separators (the plug-in markers) are found by name like actions.
            QAction* separator = addSeparator(menu, entry.objectName, entry.visible);
            if (entry.objectName)
                editor->addActionToList(separator);
        } else {
            for (const Menu& sub : subMenus()) {
                if (qstrcmp(sub.objectName, entry.objectName) != 0)
                    continue;
                QMenu* subMenu = build(editor, sub, subMenuList);
                subMenuList.append(subMenu);
                menu->addMenu(subMenu);
            }
        }
    }
    return menu;
}

QMenu* KvMenuTable::build(KvStageEditor* editor, const ContextMenu& table,
                          const QList<QAction*>& actions, const QList<QMenu*>& subMenuList)
{
    auto* menu = new QMenu();
    menu->setObjectName(QLatin1String(table.objectName));
    for (Hook hook : table.aboutToShow)
        QObject::connect(menu, &QMenu::aboutToShow, editor, hook);
    if (table.aboutToHide)
        QObject::connect(menu, &QMenu::aboutToHide, editor, table.aboutToHide);
    for (const QString& name : table.entries) {
        if (name == QLatin1String("-")) {
            menu->addSeparator();
        } else if (name.startsWith(QLatin1String("Menu_"))) {
            if (QMenu* sub = named(subMenuList, name))
                menu->addMenu(sub);
        } else if (QAction* action = named(actions, name)) {
            menu->addAction(action);
        }
    }
    for (const QString& name : table.disabledActions) {
        if (QAction* action = named(actions, name))
            action->setEnabled(false);
    }
    if (table.pluginSeparators) {
        addSeparator(menu, SeparatorBeginPlugin, table.pluginSeparatorsVisible);
        addSeparator(menu, SeparatorEndPlugin, table.pluginSeparatorsVisible);
    }
    return menu;
}

QList<QAction*> KvMenuTable::actionsNamed(const QList<QAction*>& actions, const QStringList& names)
{
    QList<QAction*> found;
    for (const QString& name : names) {
        if (QAction* action = named(actions, name))
            found.append(action);
    }
    return found;
}

const char* const KvMenuTable::SeparatorBeginPlugin = "Action_Separator_Begin_Plugin";
const char* const KvMenuTable::SeparatorEndPlugin = "Action_Separator_End_Plugin";

KvMenuTable::Entry& KvMenuTable::Entry::disabled()
{
    enabled = false;
    return *this;
}

KvMenuTable::Entry& KvMenuTable::Entry::hidden()
{
    visible = false;
    return *this;
}

KvMenuTable::Entry& KvMenuTable::Entry::shownWhen(Condition condition)
{
    visibleIf = condition;
    return *this;
}

QList<KvMenuTable::Menu> KvMenuTable::mainMenus(const Hooks& hooks)
{
    using E = KvStageEditor;
    QList<Menu> menus;

    Menu file{KV_TR("&File"), nullptr, hooks.fileShown, nullptr, false, {}};
    file.entries = {
        action(KV_TR("&New Stage..."), nullptr, ":/images/new_stage_blue.svg", Icon::Svg, "Ctrl+N",
               hooks.newStage),
        action(KV_TR("&Open Stage..."), nullptr, nullptr, Icon::None, "Ctrl+O", hooks.openStage),
        separator(),
        action(KV_TR("&Close Stage"), "Action_Close_Stage", nullptr, Icon::None, "Ctrl+W",
               hooks.closeStage),
        action(KV_TR("C&lose All Stage"), "Action_Close_All_Stage", nullptr, Icon::None, nullptr,
               hooks.closeAllStages),
        action(KV_TR("Close Stage &Editor"), nullptr, nullptr, Icon::None, nullptr,
               &E::action_closeStageEditor),
        separator(),
        action(KV_TR("&Save Stage"), "Action_Save_Stage", nullptr, Icon::None, "Ctrl+S",
               hooks.save),
        action(KV_TR("Save Stage &As..."), "Action_Save_Stage_As", nullptr, Icon::None,
               "Ctrl+Shift+S", hooks.saveAs),
        separator(),
        action(KV_TR("&Quit"), nullptr, nullptr, Icon::None, "Ctrl+Q", &E::action_quit),
    };
    menus.append(file);

    Menu edit{KV_TR("&Edit"), "Menu_Edit", hooks.editShown, nullptr, false, {}};
    edit.entries = {
        action(KV_TR("&Undo"), "Action_Undo", ":/images/undo.png", Icon::Plain, "Ctrl+Z",
               &E::action_undo),
        action(KV_TR("&Redo"), "Action_Redo", ":/images/redo.png", Icon::Plain, "Ctrl+Y",
               &E::action_redo),
        separator(),
        action(KV_TR("Cu&t"), "Action_Cut", nullptr, Icon::None, "Ctrl+X", &E::action_cut),
        action(KV_TR("&Copy"), "Action_Copy", nullptr, Icon::None, "Ctrl+C", &E::action_copy),
        action(KV_TR("&Paste"), "Action_Paste", nullptr, Icon::None, "Ctrl+V", &E::action_paste),
        plain(KV_TR("&Delete"), "Action_Delete", ":/images/trash.png", &E::action_remove),
        separator(),
        plain(KV_TR("&Configuration...."), "Action_Configuration", nullptr,
              &E::action_showConfiguration),
    };
    menus.append(edit);

    Menu screen{KV_TR("&Screen"), "Menu_Screen", hooks.screenShown, hooks.screenHidden, false, {}};
    screen.entries = {
        plain(KV_TR("Add &Multimedia Screen"), "Action_Add_Multimedia_Screen",
              ":/images/tool_MultiMediaScreen2.png", &E::action_addMultimediaScreen),
        plain(KV_TR("Add &Telop Screen"), "Action_Add_Telop_Screen",
              ":/images/tool_TelopWindow2.png", &E::action_addTelopScreen),
        plain(KV_TR("Add E&xtended Screen"), "Action_Add_Extended_Screen",
              ":/images/ext_screen.svg", &E::showPluginChooserForExtendedScreen)
            .shownWhen(&E::hasExtndedScreenPlugin),
        plain(KV_TR("Edit E&vent..."), "Action_Edit_Event", ":/images/event_edit.svg",
              [](E* editor) { editor->action_editEvent(); }),
        separator(),
        action(KV_TR("Lock"), "Action_Lock_Screen", ":/images/locked_yellow.svg", Icon::Svg,
               nullptr, &E::action_toggleSelectedScreenLocked),
        separator(),
        action(KV_TR("Bring to &Front"), "Action_Bring_to_Front", ":/images/bring_to_front.png",
               Icon::Plain, "Ctrl+Shift+]", &E::action_bringToFront),
        action(KV_TR("Bring F&orward"), "Action_Bring_Forward", ":/images/bring_forward.png",
               Icon::Plain, "Ctrl+]", &E::action_bringForward),
        action(KV_TR("Send &Backward"), "Action_Send_Backward", ":/images/send_backward.png",
               Icon::Plain, "Ctrl+[", &E::action_sendBackwrard),
        action(KV_TR("Send to B&ack"), "Action_Send_to_Back", ":/images/send_to_back.png",
               Icon::Plain, "Ctrl+Shift+[", &E::action_sendToBack),
        separator(),
        submenu("Menu_Align"),
        separator(),
        plain(KV_TR("&Preview Stage..."), "Action_Preview_Stage", ":/images/LuViewerPlay24.png",
              &E::action_previewStage),
        separator(SeparatorBeginPlugin, false),
        separator(SeparatorEndPlugin, false),
    };
    menus.append(screen);

    Menu sequence{KV_TR("Se&quence"),   "Menu_Sequence", hooks.sequenceShown,
                  hooks.sequenceHidden, false,           {}};
    sequence.entries = {
        plain(KV_TR("To &First"), "Action_Move_First", ":/images/arrow_left_stop.png",
              &E::action_moveSelectedMediaToFirst),
        plain(KV_TR("&Previous"), "Action_Move_Previous", ":/images/arrow_left.png",
              &E::action_moveSelectedMediaToPrevious),
        plain(KV_TR("&Next"), "Action_Move_Next", ":/images/arrow_right.png",
              &E::action_moveSelectedMediaToNext),
        plain(KV_TR("To &Last"), "Action_Move_Last", ":/images/arrow_right_stop.png",
              &E::action_moveSelectedMediaToLast),
        separator(),
        plain(KV_TR("&Content Property..."), "Action_Content_Property", ":/images/property.svg",
              &E::showContentProperty),
        plain(KV_TR("C&opy Content Property To..."), "Action_Copy_Content_Property_To", nullptr,
              &E::showCopyContentPropertyDialog),
        separator(),
        toggle(KV_TR("Show &Duration"), "Action_Show_Duration", ":/images/show_duration.png",
               &E::showMediaDuration, false),
        plain(KV_TR("&Normal View"), "Action_Normal_View", ":/images/media_width_fixed.png",
              &E::changeSeqViewToNormalView)
            .disabled(),
        plain(KV_TR("&Time View"), "Action_Time_View", ":/images/media_width_duration.png",
              &E::changeSeqViewToTimeView),
        separator(),
        action(KV_TR("Set &Raise Event..."), "Action_Set_Raise_Event",
               ":/images/event_raise_orange.svg", Icon::Svg, nullptr,
               &E::showSequenceRaiseEventMenu),
        action(KV_TR("Set &Listen Event..."), "Action_Set_Listen_Event",
               ":/images/event_listen_green.svg", Icon::Svg, nullptr,
               &E::showSequenceListenEventMenu),
        separator(SeparatorBeginPlugin, false),
        separator(SeparatorEndPlugin, false),
    };
    menus.append(sequence);

    menus.append(Menu{KV_TR("&Library"), "Menu_Library", nullptr, nullptr, true, {}});

    Menu window{KV_TR("&Window"), "Menu_Window", hooks.windowShown, nullptr, false, {}};
    window.entries = {
        toggle(KV_TR("Stage Property"), "Action_Set_Visible_Stage_Property", nullptr,
               &E::action_setVisibleStageProperty, true),
        toggle(KV_TR("Screen Property"), "Action_Set_Visible_Screen_Property", nullptr,
               &E::action_setVisibleScreenProperty, true),
        toggle(KV_TR("Content Preview"), "Action_Set_Visible_Content_Preview", nullptr,
               &E::action_setVisibleContentPreview, true),
        toggle(KV_TR("Library"), "Action_Set_Visible_Library", nullptr,
               &E::action_setVisibleLibrary, true),
        toggle(KV_TR("Sequence"), "Action_Set_Visible_Sequence", nullptr,
               &E::action_setVisibleSequence, true),
        separator(),
        plain(KV_TR("To Default Position"), "Action_Windows_To_Default_Position", nullptr,
              &E::windowsToDefaultPosition),
    };
    menus.append(window);
    return menus;
}

QList<KvMenuTable::Menu> KvMenuTable::subMenus()
{
    using E = KvStageEditor;
    Menu align{KV_TR("A&lign"), "Menu_Align", nullptr, nullptr, false, {}};
    align.entries = {
        plain(KV_TR("Align &Left Edges"), "Action_Align_Left_Edges",
              ":/images/align_left_edges.svg", &E::action_alignSelectedScreensByLeft),
        plain(KV_TR("Align &Horizontal Centers"), "Action_Align_Horizontal_Centers",
              ":/images/align_horizontal_centers.svg", &E::action_alignSelectedScreensByHCenter),
        plain(KV_TR("Align &Right Edges"), "Action_Align_Right_Edges",
              ":/images/align_right_edges.svg", &E::action_alignSelectedScreensByRight),
        plain(KV_TR("Align &Top Edges"), "Action_Align_Top_Edges", ":/images/align_top_edges.svg",
              &E::action_alignSelectedScreensByTop),
        plain(KV_TR("Align &Vertical Centers"), "Action_Align_Vertical_Centers",
              ":/images/align_vertical_centers.svg", &E::action_alignSelectedScreensByVCenter),
        plain(KV_TR("Align &Bottom Edges"), "Action_Align_Bottom_Edges",
              ":/images/align_bottom_edges.svg", &E::action_alignSelectedScreensByBottom),
        separator(),
        plain(KV_TR("&Distribute Top Edges"), "Action_Distribute_Top_Edges",
              ":/images/distribute_top_edges.svg", &E::action_distributeSelectedScreensByTop),
        plain(KV_TR("D&istribute Vertical Centers"), "Action_Distribute_Vertical_Centers",
              ":/images/distribute_vertical_centers.svg",
              &E::action_distributeSelectedScreensByVCenter),
        plain(KV_TR("Di&stribute Bottom Edges"), "Action_Distribute_Bottom_Edges",
              ":/images/distribute_bottom_edges.svg", &E::action_distributeSelectedScreensByBottom),
        plain(KV_TR("Dist&ribute Left Edges"), "Action_Distribute_Left_Edges",
              ":/images/distribute_left_edges.svg", &E::action_distributeSelectedScreensByLeft),
        plain(KV_TR("Distribut&e Horizontal Centers"), "Action_Distribute_Horizontal_Centers",
              ":/images/distribute_horizontal_centers.svg",
              &E::action_distributeSelectedScreensByHCenter),
        plain(KV_TR("Distribute Ri&ght Edges"), "Action_Distribute_Right_Edges",
              ":/images/distribute_right_edges.svg", &E::action_distributeSelectedScreensByRight),
    };
    return {align};
}

QList<KvMenuTable::ContextMenu> KvMenuTable::contextMenus(const Hooks& hooks)
{
    using E = KvStageEditor;
    ContextMenu stage;
    stage.objectName = "Menu_Context_Stage";
    stage.entries = QStringList{"Action_Edit_Event",
                                "-",
                                "Action_Bring_to_Front",
                                "Action_Bring_Forward",
                                "Action_Send_Backward",
                                "Action_Send_to_Back",
                                "-",
                                "Action_Lock_Screen",
                                "-",
                                "Menu_Align",
                                "-",
                                "Action_Cut",
                                "Action_Copy",
                                "Action_Paste",
                                "Action_Delete"};
    stage.aboutToShow = {hooks.stageContextShown};
    stage.aboutToHide = hooks.stageContextHidden;
    stage.pluginSeparators = true;
    stage.pluginSeparatorsVisible = true;

    ContextMenu label;
    label.objectName = "Menu_Context_SequenceLabel";
    label.entries = QStringList{"Action_Bring_to_Front",
                                "Action_Bring_Forward",
                                "Action_Send_Backward",
                                "Action_Send_to_Back",
                                "-",
                                "Action_Delete",
                                "-",
                                "Action_Set_Raise_Event",
                                "Action_Set_Listen_Event"};
    label.aboutToShow = {hooks.editCheck, &E::arrangeMenuOpenningCheckOnStage};

    ContextMenu mainView;
    mainView.objectName = "Manu_Context_SequenceMainView";
    mainView.entries = QStringList{"Action_Move_First",
                                   "Action_Move_Previous",
                                   "Action_Move_Next",
                                   "Action_Move_Last",
                                   "-",
                                   "Action_Content_Property",
                                   "Action_Copy_Content_Property_To",
                                   "-",
                                   "Action_Cut",
                                   "Action_Copy",
                                   "Action_Paste",
                                   "Action_Delete"};
    mainView.aboutToShow = {hooks.mainViewContextShown};
    mainView.aboutToHide = hooks.mainViewContextHidden;
    mainView.pluginSeparators = true;
    mainView.pluginSeparatorsVisible = false;
    mainView.disabledActions =
        QStringList{"Action_Content_Property", "Action_Copy_Content_Property_To"};

    return {stage, label, mainView};
}

QStringList KvMenuTable::raiseEventActions()
{
    return {"Action_Bring_to_Front", "Action_Bring_Forward",   "Action_Send_Backward",
            "Action_Send_to_Back",   "Action_Set_Raise_Event", "Action_Set_Listen_Event"};
}

QStringList KvMenuTable::viewMenuActions()
{
    return {"Action_Move_First",
            "Action_Move_Previous",
            "Action_Move_Next",
            "Action_Move_Last",
            "Action_Copy_Content_Property_To",
            "Action_Show_Duration",
            "Action_Normal_View",
            "Action_Time_View"};
}

} // namespace Kova
