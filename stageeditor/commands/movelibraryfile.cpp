#include "movelibraryfile.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

MoveLibraryFile::MoveLibraryFile(KvStageEditor* editor, const QStringList& files,
                                 const QString& destination, QUndoCommand* parentCommand,
                                 QObject* parent)
    : LibraryFileOperation(parentCommand, parent)
{
    m_editor = editor;
    m_fileList = files;
    m_destination = destination;
}

void MoveLibraryFile::redo()
{
    if (m_editor)
        m_editor->moveFileTo(m_fileList, m_destination, this, true);
}

void MoveLibraryFile::undo()
{
    if (!m_editor)
        return;
    if (m_pathPairList) {
        PathPairList pairs = reversed(*m_pathPairList);
        m_editor->moveFileTo(pairs, false);
    }
    // The files the move replaced come back from the trash.
    if (m_trashPairList) {
        PathPairList pairs = reversed(*m_trashPairList);
        m_editor->moveFileTo(pairs, false);
    }
}

} // namespace Commands
} // namespace Kova
