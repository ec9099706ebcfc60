#include "renamelibraryfile.h"

#include "kvstageeditor.h"

#include <QDir>

namespace Kova {
namespace Commands {

RenameLibraryFile::RenameLibraryFile(KvStageEditor* editor, const QString& dirPath,
                                     const QString& oldName, const QString& newName,
                                     QUndoCommand* parentCommand, QObject* parent)
    : LibraryFileOperation(parentCommand, parent)
    , m_dirPath(dirPath)
    , m_oldName(oldName)
    , m_newName(newName)
{
    m_editor = editor;
}

void RenameLibraryFile::redo()
{
    if (!m_editor)
        return;
    if (m_firstRun) {
        m_firstRun = false;
        const QDir dir(m_dirPath);
        m_editor->syncThumbnailFile(dir.absoluteFilePath(m_oldName),
                                    dir.absoluteFilePath(m_newName));
        return;
    }
    m_editor->renameFile(m_dirPath, m_oldName, m_newName, this);
}

void RenameLibraryFile::undo()
{
    if (m_editor)
        m_editor->renameFile(m_dirPath, m_newName, m_oldName, this);
}

} // namespace Commands
} // namespace Kova
