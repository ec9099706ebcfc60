#include "changestagebackgroundimage.h"

namespace Kova {
namespace Commands {

ChangeStageBackgroundImage::ChangeStageBackgroundImage(KvStageEditor* editor,
                                                       const QString& oldValue,
                                                       const QString& newValue,
                                                       QUndoCommand* parent)
    : StageValueChange(editor, oldValue, newValue, parent)
{
}

void ChangeStageBackgroundImage::apply(const QString& value)
{
    m_editor->setStageBackgroundImage(value, nullptr);
}

} // namespace Commands
} // namespace Kova
