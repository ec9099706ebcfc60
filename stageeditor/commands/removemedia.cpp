#include "removemedia.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

RemoveMedia::RemoveMedia(KvStageEditor* editor, const QList<KvPreservedMedia*>& records,
                         QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_records(records)
{
}

RemoveMedia::~RemoveMedia() = default;

void RemoveMedia::redo()
{
    if (!m_editor)
        return;
    m_editor->removeMedia(m_records.list(), false);
    m_records.settleOwnership();
}

void RemoveMedia::undo()
{
    if (!m_editor)
        return;
    m_editor->addMedia(m_records.list());
    m_records.settleOwnership();
}

} // namespace Commands
} // namespace Kova
