#include "selectedscreenmoved.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

SelectedScreenMoved::SelectedScreenMoved(KvStageEditor* editor, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
{
}

SelectedScreenMoved::SelectedScreenMoved(KvStageEditor* editor,
                                         const QMap<KvScreen*, QPointF>& oldPositions,
                                         const QMap<KvScreen*, QPointF>& newPositions,
                                         QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_oldPos(oldPositions)
    , m_newPos(newPositions)
    , m_done(true)
    , m_skip(true)
{
}

SelectedScreenMoved::~SelectedScreenMoved() = default;

void SelectedScreenMoved::apply(const QMap<KvScreen*, QPointF>& positions)
{
    for (auto it = positions.cbegin(); it != positions.cend(); ++it) {
        QRectF rect = it.key()->rect();
        rect.moveTopLeft(it.value());
        it.key()->setRect(rect);
    }
}

void SelectedScreenMoved::redo()
{
    if (!m_editor)
        return;
    if (!m_done) {
        m_done = true;
        m_oldPos = m_editor->selectedScreenMoved();
        for (auto it = m_oldPos.cbegin(); it != m_oldPos.cend(); ++it)
            m_newPos.insert(it.key(), it.key()->rect().topLeft());
        // A gesture that moved nothing (an arrow key on a locked screen) is no step to
        // undo: the stack drops it.
        if (m_oldPos.isEmpty())
            setObsolete(true);
    } else if (m_skip) {
        m_skip = false;
    } else {
        apply(m_newPos);
    }
    // Nothing moved: the selection stays as it is.
    if (!m_newPos.isEmpty())
        m_editor->updateScreenItemPos(m_newPos.keys());
    m_editor->updateSelectedHandle();
}

void SelectedScreenMoved::undo()
{
    if (!m_editor)
        return;
    apply(m_oldPos);
    if (!m_oldPos.isEmpty())
        m_editor->updateScreenItemPos(m_oldPos.keys());
    m_editor->updateSelectedHandle();
}

} // namespace Commands
} // namespace Kova
