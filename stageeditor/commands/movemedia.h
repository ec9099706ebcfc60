#pragma once

#include "kvmovedindex.h"

#include <QList>
#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// Media moved within the timeline, one entry per medium. Undo moves them back: every
// entry reversed, in the same order, so that the sources stay in ascending order.
class MoveMedia : public QUndoCommand
{
public:
    MoveMedia(KvStageEditor* editor, const QList<KvMovedIndex>& entries,
              QUndoCommand* parent = nullptr);
    ~MoveMedia() override;
    void undo() override;
    void redo() override;

private:
    KvStageEditor* m_editor;
    QList<KvMovedIndex> m_entries;
};

} // namespace Commands
} // namespace Kova
