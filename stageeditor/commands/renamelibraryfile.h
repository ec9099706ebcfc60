#pragma once

#include "libraryfileoperation.h"

namespace Kova {
namespace Commands {

// A file or folder renamed in the tree. The tree has renamed it already when the command is
// pushed, so the first redo only moves the thumbnail along; later runs rename on disk.
class RenameLibraryFile : public LibraryFileOperation
{
    Q_OBJECT
public:
    RenameLibraryFile(KvStageEditor* editor, const QString& dirPath, const QString& oldName,
                      const QString& newName, QUndoCommand* parentCommand = nullptr,
                      QObject* parent = nullptr);
    void redo() override;
    void undo() override;

private:
    QString m_dirPath;
    QString m_oldName;
    QString m_newName;
    bool m_firstRun = true;
};

} // namespace Commands
} // namespace Kova
