#pragma once

#include "kvmediarecords.h"

#include <QList>
#include <QUndoCommand>

namespace Kova {
class KvPreservedMedia;
class KvStageEditor;

namespace Commands {

// Media cut to the media clipboard: the copies are on the clipboard already, the command
// takes the media themselves out of the timeline. It takes the records over.
class CutMedia : public QUndoCommand
{
public:
    CutMedia(KvStageEditor* editor, const QList<KvPreservedMedia*>& records,
             QUndoCommand* parent = nullptr);
    ~CutMedia() override;
    void undo() override;
    void redo() override;

private:
    KvStageEditor* m_editor;
    KvMediaRecords m_records;
};

} // namespace Commands
} // namespace Kova
