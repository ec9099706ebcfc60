#include "changeselectedscreenflashplayertype.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenFlashPlayerType::ChangeSelectedScreenFlashPlayerType(
    KvStageEditor* editor, PlayerType::PlayerTypes type, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_value(type)
{
}

ChangeSelectedScreenFlashPlayerType::~ChangeSelectedScreenFlashPlayerType() = default;

QMap<KvScreen*, PlayerType::PlayerTypes>
ChangeSelectedScreenFlashPlayerType::valuesOf(const QList<KvScreen*>& screens) const
{
    QMap<KvScreen*, PlayerType::PlayerTypes> values;
    for (KvScreen* screen : screens)
        values.insert(screen, m_value);
    return values;
}

void ChangeSelectedScreenFlashPlayerType::redo()
{
    if (!m_editor)
        return;
    const QList<KvScreen*> screens = m_old.isEmpty() ? m_editor->selectedScreens() : m_old.keys();
    m_old = m_editor->changeScreenFlashPlayerType(screens, m_value);
    m_editor->selectScreenItem(screens, true, true);
    m_editor->updateScreenPropertyFlashPlayerType(valuesOf(screens));
}

void ChangeSelectedScreenFlashPlayerType::undo()
{
    if (!m_editor)
        return;
    m_editor->updateScreenFlashPlayerType(m_old);
    m_editor->selectScreenItem(m_old.keys(), true, true);
    m_editor->updateScreenPropertyFlashPlayerType(m_old);
}

} // namespace Commands
} // namespace Kova
