#include "changestagebackgroundimage.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeStageBackgroundImage::ChangeStageBackgroundImage(KvStageEditor* editor,
                                                       const QString& oldValue,
                                                       const QString& newValue,
                                                       QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_old(oldValue)
    , m_new(newValue)
{
}

ChangeStageBackgroundImage::~ChangeStageBackgroundImage() = default;

void ChangeStageBackgroundImage::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    m_editor->setStageBackgroundImage(m_new, nullptr);
    m_editor->updateStageProtertyValues();
}

void ChangeStageBackgroundImage::undo()
{
    if (!m_editor)
        return;
    m_editor->setStageBackgroundImage(m_old, nullptr);
    m_editor->updateStageProtertyValues();
}

} // namespace Commands
} // namespace Kova
