#pragma once

#include <QList>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;

namespace Kova {

class KvStageEditor;

// The editor's menus as data: the main menus with their actions, the Align submenu and the
// three context menus, which list the shared actions by object name. KvStageEditor builds
// every menu from these tables once, during construction.
class KvMenuTable
{
public:
    // What an action runs when it is triggered or toggled (usually a slot of the editor).
    using Slot = std::function<void(KvStageEditor*)>;
    using ToggleSlot = std::function<void(KvStageEditor*, bool)>;
    // A menu hook: a slot of the editor run when the menu opens or closes.
    using Hook = void (KvStageEditor::*)();
    using Condition = bool (KvStageEditor::*)() const;

    enum class Icon { None, Plain, Svg };

    // One entry of a menu: an action, a separator, or the submenu named by objectName.
    struct Entry
    {
        enum Kind { Action, Separator, Submenu };
        Kind kind = Action;
        const char* text = nullptr; // translated in the editor's context
        const char* objectName = nullptr;
        const char* icon = nullptr;
        Icon iconKind = Icon::None;
        const char* shortcut = nullptr;
        Slot triggered;
        ToggleSlot toggled;
        bool checkable = false;
        bool checked = false;
        bool enabled = true;
        bool visible = true;
        Condition visibleIf = nullptr; // shown only when the editor answers true

        Entry& disabled();
        Entry& hidden();
        Entry& shownWhen(Condition condition);
    };

    struct Menu
    {
        const char* title = nullptr;
        const char* objectName = nullptr;
        Hook aboutToShow = nullptr;
        Hook aboutToHide = nullptr;
        // The library panel fills this menu and prepares it before it opens.
        bool libraryMenu = false;
        QList<Entry> entries;
    };

    // The editor's own (private) slots the menus run, handed over by the editor: the hooks
    // of the main and context menus and the File menu's stage actions.
    struct Hooks
    {
        Hook fileShown = nullptr;
        Hook editShown = nullptr;
        Hook screenShown = nullptr;
        Hook screenHidden = nullptr;
        Hook sequenceShown = nullptr;
        Hook sequenceHidden = nullptr;
        Hook windowShown = nullptr;
        Hook stageContextShown = nullptr;
        Hook stageContextHidden = nullptr;
        Hook editCheck = nullptr;
        Hook mainViewContextShown = nullptr;
        Hook mainViewContextHidden = nullptr;
        Slot newStage;
        Slot openStage;
        Slot closeStage;
        Slot closeAllStages;
        Slot save;
        Slot saveAs;
    };

    struct ContextMenu
    {
        const char* objectName = nullptr;
        // Shared actions by object name; "-" is a separator, a "Menu_" name a submenu.
        QStringList entries;
        QList<Hook> aboutToShow;
        Hook aboutToHide = nullptr;
        // Whether the plug-in separators end the menu, and whether they are shown.
        bool pluginSeparators = false;
        bool pluginSeparatorsVisible = false;
        // Actions this menu holds that start disabled.
        QStringList disabledActions;
    };

    // File, Edit, Screen, Sequence, Library, Window, in menu-bar order.
    static QList<Menu> mainMenus(const Hooks& hooks);
    // The submenus the main menus name (the Align submenu).
    static QList<Menu> subMenus();
    // Stage, sequence label area, sequence main view.
    static QList<ContextMenu> contextMenus(const Hooks& hooks);
    // The shared actions handed to the sequence container.
    static QStringList raiseEventActions();
    static QStringList viewMenuActions();

    // Builds a main menu or submenu for `editor`: its actions (named ones added to the
    // editor's action list, in creation order), the submenus it names (appended to
    // `subMenuList`) and its hooks. The menu has no parent.
    static QMenu* build(KvStageEditor* editor, const Menu& menu, QList<QMenu*>& subMenuList);
    // Builds a context menu from the editor's shared actions (`actions`, looked up by object
    // name) and the submenus in `subMenuList`; no parent.
    static QMenu* build(KvStageEditor* editor, const ContextMenu& menu,
                        const QList<QAction*>& actions, const QList<QMenu*>& subMenuList);
    // The actions of those names that `actions` holds, in that order.
    static QList<QAction*> actionsNamed(const QList<QAction*>& actions, const QStringList& names);

    static const char* const SeparatorBeginPlugin;
    static const char* const SeparatorEndPlugin;
};

} // namespace Kova
