#include "cutlibraryfile.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

CutLibraryFile::CutLibraryFile(KvStageEditor* editor, const QStringList& files,
                               QUndoCommand* parentCommand, QObject* parent)
    : RemoveLibraryFile(editor, files, parentCommand, parent)
{
}

void CutLibraryFile::redo()
{
    if (m_editor)
        m_editor->cutFile(m_fileList, this);
}

} // namespace Commands
} // namespace Kova
