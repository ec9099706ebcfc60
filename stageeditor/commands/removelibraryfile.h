#pragma once

#include "libraryfileoperation.h"

namespace Kova {
namespace Commands {

// Files deleted into the trash; undo brings them back from the trash.
class RemoveLibraryFile : public LibraryFileOperation
{
    Q_OBJECT
public:
    RemoveLibraryFile(KvStageEditor* editor, const QStringList& files,
                      QUndoCommand* parentCommand = nullptr, QObject* parent = nullptr);
    void redo() override;
    void undo() override;
};

} // namespace Commands
} // namespace Kova
