#include "pastescreen.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

PasteScreen::PasteScreen(KvStageEditor* editor, const QList<KvScreen*>& pasted,
                         const QList<KvScreen*>& previousSelection, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_pasted(pasted)
    , m_previousSelection(previousSelection)
{
}

PasteScreen::~PasteScreen()
{
    if (m_removed)
        qDeleteAll(m_pasted);
}

void PasteScreen::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    m_editor->clearScreenSelection();
    for (KvScreen* screen : qAsConst(m_pasted))
        m_editor->addScreen(screen);
    m_removed = false;
    m_editor->updateSelectedHandle();
}

void PasteScreen::undo()
{
    if (!m_editor)
        return;
    m_editor->removeScreens(m_pasted, nullptr);
    m_removed = !m_pasted.isEmpty();
    m_editor->selectScreenItem(m_previousSelection, true, true);
}

} // namespace Commands
} // namespace Kova
