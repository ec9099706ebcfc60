#include "movemedia.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

MoveMedia::MoveMedia(KvStageEditor* editor, const QList<KvMovedIndex>& entries,
                     QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_entries(entries)
{
}

MoveMedia::~MoveMedia() = default;

void MoveMedia::redo()
{
    if (!m_editor)
        return;
    QList<KvMovedIndex> entries = m_entries;
    m_editor->clearSequenceMediaItemSelection();
    m_editor->moveMedia(entries);
}

void MoveMedia::undo()
{
    if (!m_editor)
        return;
    QList<KvMovedIndex> reversed;
    reversed.reserve(m_entries.size());
    for (const KvMovedIndex& entry : qAsConst(m_entries))
        reversed.append(KvMovedIndex(entry.toScrIndex, entry.toSeqIndex, entry.fromScrIndex,
                                     entry.fromSeqIndex));
    m_editor->clearSequenceMediaItemSelection();
    m_editor->moveMedia(reversed);
}

} // namespace Commands
} // namespace Kova
