#include "changestagepos.h"

namespace Kova {
namespace Commands {

ChangeStagePos::ChangeStagePos(KvStageEditor* editor, const QPointF& oldValue,
                               const QPointF& newValue, QUndoCommand* parent)
    : StageValueChange(editor, oldValue, newValue, parent)
{
}

void ChangeStagePos::apply(const QPointF& value)
{
    m_editor->setStagePos(value);
}

} // namespace Commands
} // namespace Kova
