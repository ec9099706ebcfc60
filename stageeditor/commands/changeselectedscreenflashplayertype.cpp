#include "changeselectedscreenflashplayertype.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenFlashPlayerType::ChangeSelectedScreenFlashPlayerType(
    KvStageEditor* editor, const PlayerType::PlayerTypes& value, QUndoCommand* parent)
    : SelectedScreenValueChange(editor, value, parent)
{
}

ChangeSelectedScreenFlashPlayerType::Values
ChangeSelectedScreenFlashPlayerType::apply(const QList<KvScreen*>& screens,
                                           const PlayerType::PlayerTypes& value)
{
    return m_editor->changeScreenFlashPlayerType(screens, value);
}

void ChangeSelectedScreenFlashPlayerType::restore(const Values& values)
{
    m_editor->updateScreenFlashPlayerType(values);
}

void ChangeSelectedScreenFlashPlayerType::refresh(const Values& values)
{
    m_editor->updateScreenPropertyFlashPlayerType(values);
}

} // namespace Commands
} // namespace Kova
