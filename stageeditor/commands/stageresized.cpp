#include "stageresized.h"

namespace Kova {
namespace Commands {

StageResized::StageResized(KvStageEditor* editor, const QSizeF& oldValue, const QSizeF& newValue,
                           QUndoCommand* parent)
    : StageValueChange(editor, oldValue, newValue, parent)
{
}

void StageResized::apply(const QSizeF& value)
{
    m_editor->setStageSize(value);
}

} // namespace Commands
} // namespace Kova
