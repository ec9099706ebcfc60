#include "changeselectedscreengraphicstype.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenGraphicsType::ChangeSelectedScreenGraphicsType(
    KvStageEditor* editor, const GraphicsType::GraphicsTypes& value, QUndoCommand* parent)
    : SelectedScreenValueChange(editor, value, parent)
{
}

ChangeSelectedScreenGraphicsType::Values
ChangeSelectedScreenGraphicsType::apply(const QList<KvScreen*>& screens,
                                        const GraphicsType::GraphicsTypes& value)
{
    return m_editor->changeScreenGraphicsType(screens, value);
}

void ChangeSelectedScreenGraphicsType::restore(const Values& values)
{
    m_editor->updateScreenGraphicsType(values);
}

void ChangeSelectedScreenGraphicsType::refresh(const Values& values)
{
    m_editor->updateScreenPropertyGraphicsType(values);
}

} // namespace Commands
} // namespace Kova
