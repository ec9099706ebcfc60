#pragma once

#include "kvfileerrorexception.h"
#include "kvfilelistcreator.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QEventLoop;
class QProgressDialog;
class QWidget;

namespace Kova {

class KvFileManipulatorWorker;

// Copies, moves or removes files and whole folders, modally, with a progress dialog.
//
// exec() returns when the work is over; meanwhile the files are handled on a worker thread
// and the event loop runs. The progress dialog (files and bytes done, a Cancel button) appears
// only when the work takes longer than the delay given to the constructor; until then user
// input waits. Name clashes, the trash, the reported lists and what an error leaves behind
// are described in docs/file-manipulator.md.
//
// Signals at the end of exec(), in this order. Done: destinationFileNameChanged() for every
// clash solved by a new name, fileListCreationCompleted() with every (source, destination)
// handled, trashFileListCreated() (only with a trash path) with every (former path, path in
// the trash), operationFinished(), closed(). Cancelled: aborted(), closed(). Failed:
// errorOccured(), closed(). The lists handed by pointer live until the manipulator is
// destroyed.
class KvFileManipulator : public QObject
{
    Q_OBJECT
public:
    using PathPair = KvFileListCreator::PathPair;
    enum Operation { Copy = 0, Move = 1, Remove = 2 };

    // The files (and folders) into the destination folder, under their own names; for
    // Remove the destination is not used.
    KvFileManipulator(const QStringList& files, const QString& destination, int operation,
                      int dialogDelay, QWidget* parent = nullptr);
    // Each source to its own destination path; for Remove the destinations are not used.
    KvFileManipulator(const QList<PathPair>& pairs, int operation, int dialogDelay,
                      QWidget* parent = nullptr);
    ~KvFileManipulator() override;

    int operation() const { return m_operation; }
    // Milliseconds of work after which the progress dialog appears.
    int dialogDelay() const { return m_dialogDelay; }
    // The trash folder: a move puts replaced files in it, a remove the removed ones, each at
    // its path relative to the trash folder's parent (the data folder). Empty: no trash.
    QString trashPath() const { return m_trashPath; }
    void setTrashPath(const QString& path) { m_trashPath = path; }

    bool isRunning() const { return m_running; }
    bool wasCanceled() const { return m_canceled; }
    // The progress dialog while it is shown, else null.
    QProgressDialog* progressDialog() const;
    // What the last run reported.
    const QList<PathPair>& pathPairs() const { return m_pairs; }
    const QList<PathPair>& trashPairs() const { return m_trashPairs; }

public slots:
    // Runs the operation; returns true when it was done completely. Runs once.
    bool exec();
    // Stops the work and undoes what was done; aborted() follows. No effect once the work
    // is past the point where it can be undone.
    void cancel();

signals:
    // The totals, once every source has been looked at and before any file is touched.
    void listingFinished(int fileCount, qint64 byteCount);
    void progressChanged(int filesDone, int fileCount, qint64 bytesDone, qint64 byteCount);
    void destinationFileNameChanged(const QString& oldPath, const QString& newPath);
    void fileListCreationCompleted(QList<KvFileListCreator::PathPair>* list);
    void trashFileListCreated(QList<KvFileListCreator::PathPair>* list);
    void operationFinished(QList<KvFileListCreator::PathPair> list);
    void errorOccured(KvFileErrorException error);
    void aborted();
    void closed();

private:
    void onListed(int fileCount, qint64 byteCount);
    void onProgress(int filesDone, qint64 bytesDone, const QString& currentFile);
    void onWorkerFinished();
    void showDialog();
    void updateDialog();

    QList<PathPair> m_input;
    int m_operation;
    int m_dialogDelay;
    QPointer<QWidget> m_dialogParent;
    QString m_trashPath;

    KvFileManipulatorWorker* m_worker = nullptr;
    QPointer<QProgressDialog> m_dialog;
    QEventLoop* m_loop = nullptr;
    bool m_running = false;
    bool m_started = false;
    bool m_workerDone = false;
    bool m_canceled = false;
    int m_fileCount = 0;
    qint64 m_byteCount = 0;
    int m_filesDone = 0;
    qint64 m_bytesDone = 0;
    QString m_currentFile;
    QList<PathPair> m_pairs;
    QList<PathPair> m_trashPairs;
};

} // namespace Kova
