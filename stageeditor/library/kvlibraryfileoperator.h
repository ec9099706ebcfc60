#pragma once

#include "kvfileerrorexception.h"
#include "kvfilelistcreator.h"
#include "kvusingfilelist.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

namespace Kova {

class KvStageWidget;

namespace Commands {
class LibraryFileOperation;
}

// One operation on the library's files: refuses it while an open or a saved stage uses one
// of the files, else runs it through a modal KvFileManipulator (copy, move, remove) or
// renames at once. The manipulator's lists go to the command, which keeps them for undo.
class KvLibraryFileOperator : public QObject
{
    Q_OBJECT
public:
    enum OperationType { Remove = 0, Move = 1, Copy = 2, Rename = 3 };
    using PathPairList = QList<KvFileListCreator::PathPair>;

    explicit KvLibraryFileOperator(int operationType, QObject* parent = nullptr);
    ~KvLibraryFileOperator() override;

    void setFileList(const QStringList& files) { m_fileList = files; }
    void setDestination(const QString& destination) { m_destination = destination; }
    void setPathPairList(const PathPairList& pairs);
    void setCommand(Commands::LibraryFileOperation* command) { m_command = command; }
    void setUseTrash(bool use) { m_useTrash = use; }
    void setTrashPath(const QString& path) { m_trashPath = path; }
    void setDataDir(const QString& path) { m_dataDir = path; }
    void setDialogParent(QWidget* parent) { m_dialogParent = parent; }
    void setStageWidget(KvStageWidget* widget) { m_stageWidget = widget; }
    void setUsingFileList(KvUsingFileList* list) { m_usingFileList = list; }
    void setCaseSensitivity(Qt::CaseSensitivity sensitivity) { m_caseSensitivity = sensitivity; }

    // The manipulator's own number for an operation type (copy 0, move 1, remove 2), -1 for
    // rename and unknown types.
    static int manipulatorOperationType(int operationType);
    // The translated verb the refusal messages use.
    static QString verb(int operationType);

    // True (after a message box) when an open stage uses one of the files.
    bool isFileUsingInOpenedStage();
    // True (after a message box) when a saved stage uses one of the files or a file in one
    // of the folders.
    bool isFileUsingInSavedStage();

signals:
    void discontinued();
    void finished();
    void requestShowCriticalMessageBox(QString title, QString message);
    void removingFinished(QList<KvFileListCreator::PathPair>& trashedFilePairList);
    void operationFinished(QList<KvFileListCreator::PathPair> filsList);

public slots:
    void exec();
    void onFinished();
    void onCreateUsingContentListFinished();
    void onAborted();
    void onErrorOccuredInFileOperation(KvFileErrorException e);
    void showCriticalMessageBox(QString title, QString message);
    void onRemovingFinished();
    void onTrashFileListCreated(QList<KvFileListCreator::PathPair>* trashFileList);
    void onOperationFinished(QList<KvFileListCreator::PathPair> fileList);

private:
    void discontinue();
    void run();
    void runManipulator();
    void runRename();

    int m_operationType;
    QStringList m_fileList;
    QString m_destination;
    QString m_trashPath;
    bool m_useTrash = false;
    PathPairList* m_pathPairList = nullptr;
    Commands::LibraryFileOperation* m_command = nullptr;
    KvStageWidget* m_stageWidget = nullptr;
    QPointer<KvUsingFileList> m_usingFileList;
    QPointer<QWidget> m_dialogParent;
    QString m_dataDir;
    Qt::CaseSensitivity m_caseSensitivity = Qt::CaseInsensitive;
    PathPairList* m_trashedPairs = nullptr;
};

} // namespace Kova
