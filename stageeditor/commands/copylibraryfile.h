#pragma once

#include "libraryfileoperation.h"

namespace Kova {
namespace Commands {

// Files copied each to its own destination (files brought in from outside the library);
// undo deletes the copies without the trash.
class CopyLibraryFile : public LibraryFileOperation
{
    Q_OBJECT
public:
    CopyLibraryFile(KvStageEditor* editor, const PathPairList& pairs,
                    QUndoCommand* parentCommand = nullptr, QObject* parent = nullptr);
    void redo() override;
    void undo() override;

public slots:
    // Thumbnails for the copies.
    void copyingFinished();
};

} // namespace Commands
} // namespace Kova
