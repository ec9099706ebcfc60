#pragma once

#include "kvmediarecords.h"

#include <QList>
#include <QUndoCommand>

namespace Kova {
class KvPreservedMedia;
class KvStageEditor;

namespace Commands {

// New media (dropped files) joining the timeline of the current stage; the command takes
// the records over.
class AddMedia : public QUndoCommand
{
public:
    AddMedia(KvStageEditor* editor, const QList<KvPreservedMedia*>& records,
             QUndoCommand* parent = nullptr);
    ~AddMedia() override;
    void undo() override;
    void redo() override;

private:
    KvStageEditor* m_editor;
    KvMediaRecords m_records;
};

} // namespace Commands
} // namespace Kova
