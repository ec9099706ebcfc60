#include "changestagebackgroundcolor.h"

namespace Kova {
namespace Commands {

ChangeStageBackgroundColor::ChangeStageBackgroundColor(KvStageEditor* editor,
                                                       const QColor& oldValue,
                                                       const QColor& newValue, QUndoCommand* parent)
    : StageValueChange(editor, oldValue, newValue, parent)
{
}

void ChangeStageBackgroundColor::apply(const QColor& value)
{
    m_editor->setStageBackgroundColor(value);
}

} // namespace Commands
} // namespace Kova
