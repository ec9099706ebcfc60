#pragma once
// Test helper: the editor's actions and submenus by object name, reached through its main
// menus as a user reaches them.

#include "kvstageeditor.h"

#include <QAction>
#include <QMenu>

namespace Kova::Test {

// The editor's main menus followed by their submenus.
inline QList<QMenu*> editorMenus(const KvStageEditor& editor)
{
    QList<QMenu*> menus = editor.menu();
    for (int i = 0; i < menus.count(); ++i) {
        for (QAction* action : menus.at(i)->actions()) {
            if (action->menu() && !menus.contains(action->menu()))
                menus.append(action->menu());
        }
    }
    return menus;
}

// The first action of that object name in the editor's menus and submenus.
inline QAction* editorAction(const KvStageEditor& editor, const QString& name)
{
    for (QMenu* menu : editorMenus(editor)) {
        for (QAction* action : menu->actions()) {
            if (action->objectName() == name)
                return action;
        }
    }
    return nullptr;
}

// The submenu of that object name.
inline QMenu* editorSubMenu(const KvStageEditor& editor, const QString& name)
{
    for (QMenu* menu : editorMenus(editor).mid(editor.menu().count())) {
        if (menu->objectName() == name)
            return menu;
    }
    return nullptr;
}

} // namespace Kova::Test
