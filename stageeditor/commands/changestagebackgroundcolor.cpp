#include "changestagebackgroundcolor.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeStageBackgroundColor::ChangeStageBackgroundColor(KvStageEditor* editor,
                                                       const QColor& oldValue,
                                                       const QColor& newValue, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_old(oldValue)
    , m_new(newValue)
{
}

ChangeStageBackgroundColor::~ChangeStageBackgroundColor() = default;

void ChangeStageBackgroundColor::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    m_editor->setStageBackgroundColor(m_new);
    m_editor->updateStageProtertyValues();
}

void ChangeStageBackgroundColor::undo()
{
    if (!m_editor)
        return;
    m_editor->setStageBackgroundColor(m_old);
    m_editor->updateStageProtertyValues();
}

} // namespace Commands
} // namespace Kova
