#pragma once

#include "kvfilelistcreator.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// Base of the library's file commands: keeps the pairs of paths the file manipulator
// reported for the last run (what it really copied or moved, and where replaced or removed
// files went in the trash), so that undo can replay them in reverse.
class LibraryFileOperation : public QObject, public QUndoCommand
{
    Q_OBJECT
public:
    using PathPairList = QList<KvFileListCreator::PathPair>;

    LibraryFileOperation(QUndoCommand* parentCommand = nullptr, QObject* parent = nullptr);
    ~LibraryFileOperation() override;

    const PathPairList* pathPairList() const { return m_pathPairList; }
    const PathPairList* trashPairList() const { return m_trashPairList; }

    // A copy of `pairs` with first and second of every pair swapped.
    static PathPairList reversed(const PathPairList& pairs);
    // Every pair's second.
    static QStringList destinations(const PathPairList& pairs);

public slots:
    virtual void onFileListCreationCompleted(QList<KvFileListCreator::PathPair>* list);
    virtual void onTrashFileListCreated(QList<KvFileListCreator::PathPair>* list);

protected:
    KvStageEditor* m_editor = nullptr;
    QStringList m_fileList;
    QString m_destination;
    PathPairList* m_pathPairList = nullptr;
    PathPairList* m_trashPairList = nullptr;
};

} // namespace Commands
} // namespace Kova
