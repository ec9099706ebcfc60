#include "changeselectedscreenbackcolor.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenBackColor::ChangeSelectedScreenBackColor(KvStageEditor* editor,
                                                             const QColor& color,
                                                             QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_value(color)
{
}

ChangeSelectedScreenBackColor::~ChangeSelectedScreenBackColor() = default;

void ChangeSelectedScreenBackColor::redo()
{
    if (!m_editor)
        return;
    const QList<KvScreen*> screens = m_old.isEmpty() ? m_editor->selectedScreens() : m_old.keys();
    m_old = m_editor->changeScreenBackColor(screens, m_value);
    m_editor->updateScreenPropertyValues();
}

void ChangeSelectedScreenBackColor::undo()
{
    if (!m_editor)
        return;
    m_editor->updateScreenBackColor(m_old);
    m_editor->updateScreenPropertyValues();
}

} // namespace Commands
} // namespace Kova
