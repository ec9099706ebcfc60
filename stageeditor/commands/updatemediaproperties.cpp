#include "updatemediaproperties.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

UpdateMediaProperties::UpdateMediaProperties(KvStageEditor* editor, const KvMedia& before,
                                             const KvMedia& after, int screenIndex,
                                             int sequenceIndex, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_before(before)
    , m_after(after)
    , m_screenIndex(screenIndex)
    , m_sequenceIndex(sequenceIndex)
{
}

UpdateMediaProperties::~UpdateMediaProperties() = default;

void UpdateMediaProperties::redo()
{
    if (m_editor)
        m_editor->updateMediaProperties(m_after, m_screenIndex, m_sequenceIndex);
}

void UpdateMediaProperties::undo()
{
    if (m_editor)
        m_editor->updateMediaProperties(m_before, m_screenIndex, m_sequenceIndex);
}

} // namespace Commands
} // namespace Kova
