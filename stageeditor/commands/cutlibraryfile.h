#pragma once

#include "removelibraryfile.h"

namespace Kova {
namespace Commands {

// Files cut: moved into the trash like a removal, and the copies in the trash put on the
// clipboard so that they can be pasted. Undo brings them back from the trash, as a removal's
// undo does.
class CutLibraryFile : public RemoveLibraryFile
{
    Q_OBJECT
public:
    CutLibraryFile(KvStageEditor* editor, const QStringList& files,
                   QUndoCommand* parentCommand = nullptr, QObject* parent = nullptr);
    void redo() override;
};

} // namespace Commands
} // namespace Kova
