#pragma once

#include "libraryfileoperation.h"

namespace Kova {
namespace Commands {

// Files cut: moved into the trash, and the copies in the trash put on the clipboard so that
// they can be pasted. Undo brings them back from the trash.
class CutLibraryFile : public LibraryFileOperation
{
    Q_OBJECT
public:
    CutLibraryFile(KvStageEditor* editor, const QStringList& files,
                   QUndoCommand* parentCommand = nullptr, QObject* parent = nullptr);
    void redo() override;
    void undo() override;
};

} // namespace Commands
} // namespace Kova
