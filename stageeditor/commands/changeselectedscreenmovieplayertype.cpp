#include "changeselectedscreenmovieplayertype.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenMoviePlayerType::ChangeSelectedScreenMoviePlayerType(
    KvStageEditor* editor, const PlayerType::PlayerTypes& value, QUndoCommand* parent)
    : SelectedScreenValueChange(editor, value, parent)
{
}

ChangeSelectedScreenMoviePlayerType::Values
ChangeSelectedScreenMoviePlayerType::apply(const QList<KvScreen*>& screens,
                                           const PlayerType::PlayerTypes& value)
{
    return m_editor->changeScreenMovieType(screens, value);
}

void ChangeSelectedScreenMoviePlayerType::restore(const Values& values)
{
    m_editor->updateScreenMoviePlayerType(values);
}

void ChangeSelectedScreenMoviePlayerType::refresh(const Values& values)
{
    m_editor->updateScreenPropertyMoviePlayerType(values);
}

} // namespace Commands
} // namespace Kova
