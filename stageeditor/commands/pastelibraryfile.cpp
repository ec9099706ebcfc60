#include "pastelibraryfile.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

PasteLibraryFile::PasteLibraryFile(KvStageEditor* editor, const QStringList& files,
                                   const QString& destination, int isCut,
                                   QUndoCommand* parentCommand, QObject* parent)
    : LibraryFileOperation(parentCommand, parent)
    , m_isCut(isCut)
{
    m_editor = editor;
    m_fileList = files;
    m_destination = destination;
}

void PasteLibraryFile::redo()
{
    if (!m_editor)
        return;
    if (m_isCut == 1)
        m_editor->moveFileTo(m_fileList, m_destination, this, false);
    else
        m_editor->copyFileTo(m_fileList, m_destination, this);
}

void PasteLibraryFile::undo()
{
    if (!m_editor || !m_pathPairList)
        return;
    if (m_isCut == 1) {
        PathPairList pairs = reversed(*m_pathPairList);
        m_editor->moveFileTo(pairs, false);
    } else {
        m_editor->removeFile(destinations(*m_pathPairList), false);
    }
}

void PasteLibraryFile::onDestinationFileNameChanged(QString oldName, QString newName)
{
    for (const QPair<QString, QString>& changed : qAsConst(m_changedNames)) {
        if (changed.first.compare(oldName, Qt::CaseInsensitive) == 0)
            return;
    }
    m_changedNames.append(qMakePair(oldName, newName));
}

void PasteLibraryFile::copyingFinished()
{
    if (!m_editor || !m_pathPairList)
        return;
    for (KvFileListCreator::PathPair& pair : *m_pathPairList) {
        for (const QPair<QString, QString>& changed : qAsConst(m_changedNames)) {
            if (pair.second.compare(changed.first, Qt::CaseInsensitive) == 0) {
                pair.second = changed.second;
                break;
            }
        }
    }
    m_editor->createThumbnail(*m_pathPairList, false);
}

} // namespace Commands
} // namespace Kova
