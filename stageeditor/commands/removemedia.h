#pragma once

#include "kvmediarecords.h"

#include <QList>
#include <QUndoCommand>

namespace Kova {
class KvPreservedMedia;
class KvStageEditor;

namespace Commands {

// Media taken out of the timeline; undo puts the same media back at their places, selected
// as they were. The command takes the records over.
class RemoveMedia : public QUndoCommand
{
public:
    RemoveMedia(KvStageEditor* editor, const QList<KvPreservedMedia*>& records,
                QUndoCommand* parent = nullptr);
    ~RemoveMedia() override;
    void undo() override;
    void redo() override;

private:
    KvStageEditor* m_editor;
    KvMediaRecords m_records;
};

} // namespace Commands
} // namespace Kova
