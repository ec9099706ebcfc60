#include "copylibraryfile.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

CopyLibraryFile::CopyLibraryFile(KvStageEditor* editor, const PathPairList& pairs,
                                 QUndoCommand* parentCommand, QObject* parent)
    : LibraryFileOperation(parentCommand, parent)
{
    m_editor = editor;
    m_pathPairList = new PathPairList(pairs);
}

void CopyLibraryFile::redo()
{
    if (!m_editor || !m_pathPairList)
        return;
    // The manipulator's report replaces the list while the copy runs.
    PathPairList pairs = *m_pathPairList;
    m_editor->copyFileTo(pairs, this);
}

void CopyLibraryFile::undo()
{
    if (!m_editor || !m_pathPairList)
        return;
    // The removal reports its own pairs to this command; a later redo copies the same files
    // again, so the copied pairs are kept.
    PathPairList copies = *m_pathPairList;
    m_editor->removeFile(destinations(copies), this, false);
    onFileListCreationCompleted(&copies);
}

void CopyLibraryFile::copyingFinished()
{
    if (m_editor && m_pathPairList)
        m_editor->createThumbnail(*m_pathPairList, false);
}

} // namespace Commands
} // namespace Kova
