#pragma once

#include "libraryfileoperation.h"

namespace Kova {
namespace Commands {

// Files moved into a folder (a drag in the tree); files of the same name there go to the
// trash. Undo moves the files back and brings the replaced files back from the trash.
class MoveLibraryFile : public LibraryFileOperation
{
    Q_OBJECT
public:
    MoveLibraryFile(KvStageEditor* editor, const QStringList& files, const QString& destination,
                    QUndoCommand* parentCommand = nullptr, QObject* parent = nullptr);
    void redo() override;
    void undo() override;
};

} // namespace Commands
} // namespace Kova
