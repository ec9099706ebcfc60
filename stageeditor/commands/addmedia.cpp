#include "addmedia.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

AddMedia::AddMedia(KvStageEditor* editor, const QList<KvPreservedMedia*>& records,
                   QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_records(records)
{
}

AddMedia::~AddMedia() = default;

void AddMedia::redo()
{
    if (!m_editor)
        return;
    m_editor->addMedia(m_records.list());
    m_records.settleOwnership();
}

void AddMedia::undo()
{
    if (!m_editor)
        return;
    m_editor->removeMedia(m_records.list(), false);
    m_records.settleOwnership();
}

} // namespace Commands
} // namespace Kova
