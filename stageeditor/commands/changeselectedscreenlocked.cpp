#include "changeselectedscreenlocked.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenLocked::ChangeSelectedScreenLocked(KvStageEditor* editor, bool locked,
                                                       QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_value(locked)
{
}

ChangeSelectedScreenLocked::~ChangeSelectedScreenLocked() = default;

void ChangeSelectedScreenLocked::redo()
{
    if (!m_editor)
        return;
    const QList<KvScreen*> screens = m_old.isEmpty() ? m_editor->selectedScreens() : m_old.keys();
    m_old = m_editor->changeScreenLocked(screens, m_value);
    m_editor->selectScreenItem(screens, true, true);
    m_editor->updateScreenPropertyValues();
}

void ChangeSelectedScreenLocked::undo()
{
    if (!m_editor)
        return;
    m_editor->updateScreenLocked(m_old);
    m_editor->selectScreenItem(m_old.keys(), true, true);
    m_editor->updateScreenPropertyValues();
}

} // namespace Commands
} // namespace Kova
