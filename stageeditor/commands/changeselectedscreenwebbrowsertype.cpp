#include "changeselectedscreenwebbrowsertype.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenWebBrowserType::ChangeSelectedScreenWebBrowserType(KvStageEditor* editor,
                                                                       PlayerType::PlayerTypes type,
                                                                       QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_value(type)
{
}

ChangeSelectedScreenWebBrowserType::~ChangeSelectedScreenWebBrowserType() = default;

QMap<KvScreen*, PlayerType::PlayerTypes>
ChangeSelectedScreenWebBrowserType::valuesOf(const QList<KvScreen*>& screens) const
{
    QMap<KvScreen*, PlayerType::PlayerTypes> values;
    for (KvScreen* screen : screens)
        values.insert(screen, m_value);
    return values;
}

void ChangeSelectedScreenWebBrowserType::redo()
{
    if (!m_editor)
        return;
    const QList<KvScreen*> screens = m_old.isEmpty() ? m_editor->selectedScreens() : m_old.keys();
    m_old = m_editor->changeScreenWebBrowserType(screens, m_value);
    m_editor->selectScreenItem(screens, true, true);
    m_editor->updateScreenPropertyWebBrowserType(valuesOf(screens));
}

void ChangeSelectedScreenWebBrowserType::undo()
{
    if (!m_editor)
        return;
    m_editor->updateScreenWebBrowserType(m_old);
    m_editor->selectScreenItem(m_old.keys(), true, true);
    m_editor->updateScreenPropertyWebBrowserType(m_old);
}

} // namespace Commands
} // namespace Kova
