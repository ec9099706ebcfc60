#pragma once

#include "kvmedia.h"

#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// The properties of one medium edited in its property dialog. The command keeps its own
// copies of the medium before and after the edit; redo and undo give the medium at
// (row, index) every property of one of them.
class UpdateMediaProperties : public QUndoCommand
{
public:
    UpdateMediaProperties(KvStageEditor* editor, const KvMedia& before, const KvMedia& after,
                          int screenIndex, int sequenceIndex, QUndoCommand* parent = nullptr);
    ~UpdateMediaProperties() override;
    void undo() override;
    void redo() override;

private:
    KvStageEditor* m_editor;
    KvMedia m_before;
    KvMedia m_after;
    int m_screenIndex;
    int m_sequenceIndex;
};

} // namespace Commands
} // namespace Kova
