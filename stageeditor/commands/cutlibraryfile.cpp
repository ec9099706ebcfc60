#include "cutlibraryfile.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

CutLibraryFile::CutLibraryFile(KvStageEditor* editor, const QStringList& files,
                               QUndoCommand* parentCommand, QObject* parent)
    : LibraryFileOperation(parentCommand, parent)
{
    m_editor = editor;
    m_fileList = files;
}

void CutLibraryFile::redo()
{
    if (m_editor)
        m_editor->cutFile(m_fileList, this);
}

void CutLibraryFile::undo()
{
    if (!m_editor || !m_pathPairList || !m_trashPairList)
        return;
    PathPairList pairs = reversed(*m_trashPairList);
    m_editor->moveFileTo(pairs, false);
}

} // namespace Commands
} // namespace Kova
