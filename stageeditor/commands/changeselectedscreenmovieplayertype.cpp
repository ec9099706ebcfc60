#include "changeselectedscreenmovieplayertype.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenMoviePlayerType::ChangeSelectedScreenMoviePlayerType(
    KvStageEditor* editor, PlayerType::PlayerTypes type, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_value(type)
{
}

ChangeSelectedScreenMoviePlayerType::~ChangeSelectedScreenMoviePlayerType() = default;

QMap<KvScreen*, PlayerType::PlayerTypes>
ChangeSelectedScreenMoviePlayerType::valuesOf(const QList<KvScreen*>& screens) const
{
    QMap<KvScreen*, PlayerType::PlayerTypes> values;
    for (KvScreen* screen : screens)
        values.insert(screen, m_value);
    return values;
}

void ChangeSelectedScreenMoviePlayerType::redo()
{
    if (!m_editor)
        return;
    const QList<KvScreen*> screens = m_old.isEmpty() ? m_editor->selectedScreens() : m_old.keys();
    m_old = m_editor->changeScreenMovieType(screens, m_value);
    m_editor->selectScreenItem(screens, true, true);
    m_editor->updateScreenPropertyMoviePlayerType(valuesOf(screens));
}

void ChangeSelectedScreenMoviePlayerType::undo()
{
    if (!m_editor)
        return;
    m_editor->updateScreenMoviePlayerType(m_old);
    m_editor->selectScreenItem(m_old.keys(), true, true);
    m_editor->updateScreenPropertyMoviePlayerType(m_old);
}

} // namespace Commands
} // namespace Kova
