#include "changestageoptions.h"

namespace Kova {
namespace Commands {

ChangeStageOptions::ChangeStageOptions(KvStageEditor* editor, unsigned int oldValue,
                                       unsigned int newValue, QUndoCommand* parent)
    : StageValueChange(editor, oldValue, newValue, parent)
{
}

void ChangeStageOptions::apply(const unsigned int& value)
{
    m_editor->setStageOptions(value);
}

} // namespace Commands
} // namespace Kova
