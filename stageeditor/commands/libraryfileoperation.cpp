#include "libraryfileoperation.h"

namespace Kova {
namespace Commands {

LibraryFileOperation::LibraryFileOperation(QUndoCommand* parentCommand, QObject* parent)
    : QObject(parent)
    , QUndoCommand(parentCommand)
{
}

LibraryFileOperation::~LibraryFileOperation()
{
    delete m_pathPairList;
    delete m_trashPairList;
}

LibraryFileOperation::PathPairList LibraryFileOperation::reversed(const PathPairList& pairs)
{
    PathPairList result;
    result.reserve(pairs.count());
    for (const KvFileListCreator::PathPair& pair : pairs)
        result.append(KvFileListCreator::PathPair(pair.second, pair.first));
    return result;
}

QStringList LibraryFileOperation::destinations(const PathPairList& pairs)
{
    QStringList result;
    result.reserve(pairs.count());
    for (const KvFileListCreator::PathPair& pair : pairs)
        result.append(pair.second);
    return result;
}

void LibraryFileOperation::onFileListCreationCompleted(QList<KvFileListCreator::PathPair>* list)
{
    delete m_pathPairList;
    m_pathPairList = list ? new PathPairList(*list) : nullptr;
}

void LibraryFileOperation::onTrashFileListCreated(QList<KvFileListCreator::PathPair>* list)
{
    delete m_trashPairList;
    m_trashPairList = list ? new PathPairList(*list) : nullptr;
}

} // namespace Commands
} // namespace Kova
