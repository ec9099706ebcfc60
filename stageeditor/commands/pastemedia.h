#pragma once

#include "kvmediarecords.h"

#include <QList>
#include <QUndoCommand>

namespace Kova {
class KvPreservedMedia;
class KvStageEditor;

namespace Commands {

// Media pasted from the media clipboard. The paste added them already, so the first redo
// does nothing; undo takes them away again. The command takes the records over.
class PasteMedia : public QUndoCommand
{
public:
    PasteMedia(KvStageEditor* editor, const QList<KvPreservedMedia*>& records,
               QUndoCommand* parent = nullptr);
    ~PasteMedia() override;
    void undo() override;
    void redo() override;

private:
    KvStageEditor* m_editor;
    KvMediaRecords m_records;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
