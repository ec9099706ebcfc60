#include "selectedscreenresized.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

SelectedScreenResized::SelectedScreenResized(KvStageEditor* editor, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
{
}

SelectedScreenResized::~SelectedScreenResized() = default;

void SelectedScreenResized::apply(const QMap<KvScreen*, QRectF>& rects)
{
    for (auto it = rects.cbegin(); it != rects.cend(); ++it)
        it.key()->setRect(it.value());
    QList<KvScreen*> screens = rects.keys();
    // Nothing resized: the selection stays as it is.
    if (!screens.isEmpty())
        m_editor->updateScreenItemRect(screens);
    m_editor->updateSelectedHandle();
    if (!screens.isEmpty())
        m_editor->updateDuration(screens);
}

void SelectedScreenResized::redo()
{
    if (!m_editor)
        return;
    if (!m_done) {
        m_done = true;
        m_oldRects = m_editor->selectedScreenResized();
        for (auto it = m_oldRects.cbegin(); it != m_oldRects.cend(); ++it)
            m_newRects.insert(it.key(), it.key()->rect());
        // A gesture that resized nothing (a click on a handle) is no step to undo: the
        // stack drops it.
        if (m_oldRects.isEmpty())
            setObsolete(true);
    }
    apply(m_newRects);
}

void SelectedScreenResized::undo()
{
    if (!m_editor)
        return;
    apply(m_oldRects);
}

} // namespace Commands
} // namespace Kova
