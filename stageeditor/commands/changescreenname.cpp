#include "changescreenname.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeScreenName::ChangeScreenName(KvStageEditor* editor, KvScreen* screen, const QString& name,
                                   QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_screen(screen)
    , m_newName(name)
{
}

ChangeScreenName::~ChangeScreenName() = default;

void ChangeScreenName::redo()
{
    if (!m_editor || !m_screen)
        return;
    m_oldName = m_screen->name();
    m_screen->setName(m_newName);
    m_editor->updateScreenPropertyValues();
    m_editor->updateScreenItemName(m_screen);
}

void ChangeScreenName::undo()
{
    if (!m_editor || !m_screen)
        return;
    m_screen->setName(m_oldName);
    m_editor->updateScreenPropertyValues();
    m_editor->updateScreenItemName(m_screen);
}

} // namespace Commands
} // namespace Kova
