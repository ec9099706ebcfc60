#include "changeselectedscreenbackcolor.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenBackColor::ChangeSelectedScreenBackColor(KvStageEditor* editor,
                                                             const QColor& value,
                                                             QUndoCommand* parent)
    : SelectedScreenValueChange(editor, value, parent)
{
}

ChangeSelectedScreenBackColor::Values
ChangeSelectedScreenBackColor::apply(const QList<KvScreen*>& screens, const QColor& value)
{
    return m_editor->changeScreenBackColor(screens, value);
}

void ChangeSelectedScreenBackColor::restore(const Values& values)
{
    m_editor->updateScreenBackColor(values);
}

} // namespace Commands
} // namespace Kova
