#include "removeselectedscreens.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

RemoveSelectedScreens::RemoveSelectedScreens(KvStageEditor* editor, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
{
}

RemoveSelectedScreens::~RemoveSelectedScreens()
{
    // Screens off the stage are referred to by nothing else any more.
    if (m_removed)
        qDeleteAll(m_screens);
}

void RemoveSelectedScreens::redo()
{
    if (!m_editor)
        return;
    if (!m_done) {
        m_done = true;
        m_screens = m_editor->removeSelectedScreen(&m_mediaSelection);
    } else {
        m_editor->removeScreens(m_screens, nullptr);
    }
    m_removed = !m_screens.isEmpty();
    m_editor->updateSelectedHandle();
}

void RemoveSelectedScreens::undo()
{
    if (!m_editor)
        return;
    m_editor->clearScreenSelection();
    m_editor->addScreen(m_screens);
    m_removed = false;
    m_editor->updateSelectedHandle();
    m_editor->updateSequenceMediaItemSelection(m_mediaSelection);
}

} // namespace Commands
} // namespace Kova
