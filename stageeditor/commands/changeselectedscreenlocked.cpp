#include "changeselectedscreenlocked.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenLocked::ChangeSelectedScreenLocked(KvStageEditor* editor, const bool& value,
                                                       QUndoCommand* parent)
    : SelectedScreenValueChange(editor, value, parent)
{
}

ChangeSelectedScreenLocked::Values
ChangeSelectedScreenLocked::apply(const QList<KvScreen*>& screens, const bool& value)
{
    return m_editor->changeScreenLocked(screens, value);
}

void ChangeSelectedScreenLocked::restore(const Values& values)
{
    m_editor->updateScreenLocked(values);
}

} // namespace Commands
} // namespace Kova
