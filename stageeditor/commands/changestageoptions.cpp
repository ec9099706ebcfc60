#include "changestageoptions.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeStageOptions::ChangeStageOptions(KvStageEditor* editor, unsigned int oldValue,
                                       unsigned int newValue, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_old(oldValue)
    , m_new(newValue)
{
}

ChangeStageOptions::~ChangeStageOptions() = default;

void ChangeStageOptions::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    m_editor->setStageOptions(m_new);
    m_editor->updateStageProtertyValues();
}

void ChangeStageOptions::undo()
{
    if (!m_editor)
        return;
    m_editor->setStageOptions(m_old);
    m_editor->updateStageProtertyValues();
}

} // namespace Commands
} // namespace Kova
