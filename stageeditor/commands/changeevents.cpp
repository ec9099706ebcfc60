#include "changeevents.h"

#include "kvstage.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeEvents::ChangeEvents(KvStageEditor* editor, const KvStage* before, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_old(before)
    , m_new(editor ? editor->currentStage() : nullptr)
{
}

ChangeEvents::~ChangeEvents() = default;

void ChangeEvents::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    m_new.restore(m_editor->currentStage());
    m_editor->updateCurrentSequenceLabelBackground(true);
}

void ChangeEvents::undo()
{
    if (!m_editor)
        return;
    m_old.restore(m_editor->currentStage());
    m_editor->updateCurrentSequenceLabelBackground(true);
}

} // namespace Commands
} // namespace Kova
