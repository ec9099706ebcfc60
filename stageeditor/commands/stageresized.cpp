#include "stageresized.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

StageResized::StageResized(KvStageEditor* editor, const QSizeF& oldValue, const QSizeF& newValue,
                           QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_old(oldValue)
    , m_new(newValue)
{
}

StageResized::~StageResized() = default;

void StageResized::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    m_editor->setStageSize(m_new);
    m_editor->updateStageProtertyValues();
}

void StageResized::undo()
{
    if (!m_editor)
        return;
    m_editor->setStageSize(m_old);
    m_editor->updateStageProtertyValues();
}

} // namespace Commands
} // namespace Kova
