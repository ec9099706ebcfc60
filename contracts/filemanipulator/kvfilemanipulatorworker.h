#pragma once

#include "kvfileerrorexception.h"
#include "kvfilelistcreator.h"

#include <QAtomicInt>
#include <QElapsedTimer>
#include <QList>
#include <QSemaphore>
#include <QString>
#include <QThread>
#include <QVector>

namespace Kova {

// Carries out one copy, move or remove of KvFileManipulator on its own thread.
//
// The work goes in three steps. Listing: every source is looked at and folders are listed;
// listed() reports the totals and the work waits for proceed(). Doing: files are copied,
// renamed or moved aside, each step written in a journal. Finishing: what can only be done
// once nothing can fail any more (deleting the sources of a move across file systems, the
// files set aside for removal, emptied folders) and the thumbnails. An error or a cancel
// before the finishing step undoes the journal backwards, leaving the files as they were.
class KvFileManipulatorWorker : public QThread
{
    Q_OBJECT
public:
    using PathPair = KvFileListCreator::PathPair;

    KvFileManipulatorWorker(const QList<PathPair>& pairs, int operation, const QString& trashPath,
                            QObject* parent = nullptr);
    // Cancels and waits for the thread.
    ~KvFileManipulatorWorker() override;

    // Thread-safe. Without effect once the finishing step has begun.
    void requestCancel();
    // Lets the work go on after listed().
    void proceed();

    // Results, to be read after the thread has finished.
    bool succeeded() const { return m_succeeded; }
    bool isCanceled() const { return m_canceled; }
    bool hasError() const { return m_hasError; }
    KvFileErrorException error() const { return m_error; }
    const QList<PathPair>& pairs() const { return m_pairs; }
    const QList<PathPair>& trashPairs() const { return m_trashPairs; }
    // (wanted destination, destination used) of every name clash resolved by a new name.
    const QList<PathPair>& renamedDestinations() const { return m_renamed; }
    int fileCount() const { return m_fileCount; }
    qint64 byteCount() const { return m_byteCount; }

signals:
    void listed(int fileCount, qint64 byteCount);
    void progress(int filesDone, qint64 bytesDone, const QString& currentFile);

protected:
    void run() override;

private:
    struct Entry
    {
        QString relativePath;
        bool isDir = false;
        qint64 size = 0;
    };
    struct Item
    {
        QString source;
        QString destination;
        bool isDir = false;
        bool missing = false;
        qint64 size = 0;
        QVector<Entry> entries; // everything below a folder, folders before their content
    };
    enum class Step { CreatedFile, CreatedDir, Renamed };
    struct Done
    {
        Step step;
        QString from;
        QString to;
    };
    struct Canceled
    {
    };

    QList<PathPair> normalizedPairs() const;
    Item listItem(const QString& source, const QString& destination) const;
    void listTree(const QString& root, const QString& prefix, QVector<Entry>* entries) const;

    void copyItem(const Item& item);
    void moveItem(const Item& item);
    void removeItem(const Item& item);
    void moveAside(const Item& item, const QString& target, QList<PathPair>* report);
    void trash(const QString& path);
    void copyTree(const Item& item, const QString& destination);
    void copyFile(const QString& source, const QString& destination);
    void reportItem(const Item& item, const QString& destination, QList<PathPair>* list) const;
    void countItemDone(const Item& item);
    void finishWork();
    void rollback();

    QString freeName(const QString& path, bool isDir);
    QString trashPlace(const QString& path) const;
    void makeDir(const QString& path);
    void makeParents(const QString& path);
    void checkCancel();
    void reportProgress(const QString& current, bool force);
    [[noreturn]] void fail(const QString& path, int errorNumber) const;
    [[noreturn]] void fail(const QString& path, const QString& reason) const;

    QList<PathPair> m_input;
    int m_operation;
    QString m_trashPath;
    QString m_dataDir;

    QAtomicInt m_cancelRequested{0};
    QAtomicInt m_finishing{0};
    QSemaphore m_go;

    QList<Item> m_items;
    QVector<Done> m_journal;
    QStringList m_reserved;
    QStringList m_deleteAtEnd;
    QStringList m_emptiedFolders;

    bool m_succeeded = false;
    bool m_canceled = false;
    bool m_hasError = false;
    KvFileErrorException m_error;
    QList<PathPair> m_pairs;
    QList<PathPair> m_trashPairs;
    QList<PathPair> m_renamed;
    int m_fileCount = 0;
    qint64 m_byteCount = 0;
    int m_filesDone = 0;
    qint64 m_bytesDone = 0;
    QElapsedTimer m_sinceReport;
    int m_tempCounter = 0;
};

} // namespace Kova
