#include "movezindexofscreen.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

MoveZIndexOfScreen::MoveZIndexOfScreen(KvStageEditor* editor,
                                       const QMap<KvScreen*, int>& oldZIndexes,
                                       const QMap<KvScreen*, int>& newZIndexes,
                                       const QMap<KvScreen*, bool>& selection, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_old(oldZIndexes)
    , m_new(newZIndexes)
    , m_selection(selection)
{
}

MoveZIndexOfScreen::~MoveZIndexOfScreen() = default;

void MoveZIndexOfScreen::apply(const QMap<KvScreen*, int>& zIndexes)
{
    for (auto it = zIndexes.cbegin(); it != zIndexes.cend(); ++it)
        it.key()->setZIndex(it.value());
}

void MoveZIndexOfScreen::redo()
{
    if (!m_editor)
        return;
    if (m_skip)
        m_skip = false;
    else
        apply(m_new);
    m_editor->updateScreenItemZIndex(m_selection);
}

void MoveZIndexOfScreen::undo()
{
    if (!m_editor)
        return;
    apply(m_old);
    m_editor->updateScreenItemZIndex(m_selection);
}

} // namespace Commands
} // namespace Kova
