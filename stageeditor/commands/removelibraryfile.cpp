#include "removelibraryfile.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

RemoveLibraryFile::RemoveLibraryFile(KvStageEditor* editor, const QStringList& files,
                                     QUndoCommand* parentCommand, QObject* parent)
    : LibraryFileOperation(parentCommand, parent)
{
    m_editor = editor;
    m_fileList = files;
}

void RemoveLibraryFile::redo()
{
    if (m_editor)
        m_editor->removeFile(m_fileList, this, true);
}

void RemoveLibraryFile::undo()
{
    if (!m_editor || !m_pathPairList || !m_trashPairList)
        return;
    PathPairList pairs = reversed(*m_trashPairList);
    m_editor->moveFileTo(pairs, false);
}

} // namespace Commands
} // namespace Kova
