#include "changestagepos.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeStagePos::ChangeStagePos(KvStageEditor* editor, const QPointF& oldValue,
                               const QPointF& newValue, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_old(oldValue)
    , m_new(newValue)
{
}

ChangeStagePos::~ChangeStagePos() = default;

void ChangeStagePos::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    m_editor->setStagePos(m_new);
    m_editor->updateStageProtertyValues();
}

void ChangeStagePos::undo()
{
    if (!m_editor)
        return;
    m_editor->setStagePos(m_old);
    m_editor->updateStageProtertyValues();
}

} // namespace Commands
} // namespace Kova
