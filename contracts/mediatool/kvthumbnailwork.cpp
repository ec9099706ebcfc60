#include "kvthumbnailwork.h"
#include "kvmediastore.h"
#include "kvthumbnailasync.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QThreadPool>

#include <atomic>

namespace Kova {

namespace {

struct InFlight
{
    QList<KvThumbnailAsync*> requesters;
    bool begun = false;
};

struct Registry
{
    QMutex mutex;
    QHash<QString, InFlight> files;   // by absolute path
    QHash<QString, int> busyByFolder; // pieces of work begun and not yet made, by folder
    std::atomic<int> started{0};
};

Q_GLOBAL_STATIC(Registry, registry)

void shutDown();

struct Pool
{
    // One core is left to the GUI thread, but two workers at least, so that one slow movie
    // does not hold up every picture and file writes overlap.
    Pool()
    {
        threads.setMaxThreadCount(qMax(2, QThread::idealThreadCount() - 1));
        qAddPostRoutine(&shutDown);
    }
    QThreadPool threads;
};

Q_GLOBAL_STATIC(Pool, pool)

// When the application object goes: work not begun is dropped, running work is waited for
// (it uses the tool's other process-wide state, which goes next) and waiting records are
// written.
void shutDown()
{
    if (pool.exists()) {
        pool->threads.clear();
        pool->threads.waitForDone();
    }
    KvMediaStore::writeAllRecords();
}

QString keyOf(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace

void KvThumbnailWork::request(KvThumbnailAsync* requester, const QString& absolutePath)
{
    const QString key = keyOf(absolutePath);
    QMutexLocker lock(&registry->mutex);
    const bool isNew = !registry->files.contains(key);
    registry->files[key].requesters.append(requester);
    if (!isNew) {
        return;
    }
    // The work begins on the next turn of the event loop, so that every request of this
    // turn joins it.
    if (QCoreApplication* application = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            application, [key] { begin(key); }, Qt::QueuedConnection);
    } else {
        lock.unlock();
        begin(key);
    }
}

void KvThumbnailWork::withdraw(KvThumbnailAsync* requester, const QString& absolutePath)
{
    QMutexLocker lock(&registry->mutex);
    const auto it = registry->files.find(keyOf(absolutePath));
    if (it != registry->files.end()) {
        it->requesters.removeAll(requester);
    }
}

int KvThumbnailWork::startedCount()
{
    return registry->started.load();
}

QThreadPool* KvThumbnailWork::threadPool()
{
    return &pool->threads;
}

void KvThumbnailWork::begin(const QString& absolutePath)
{
    {
        QMutexLocker lock(&registry->mutex);
        const auto it = registry->files.find(absolutePath);
        if (it == registry->files.end() || it->begun) {
            return;
        }
        it->begun = true;
        ++registry->busyByFolder[folderOf(absolutePath)];
    }
    ++registry->started;
    threadPool()->start([absolutePath] { run(absolutePath); });
}

void KvThumbnailWork::run(const QString& absolutePath)
{
    // A folder's record is written once its last piece of work at the time is made, so a
    // batch of files makes one write instead of one per file; the requesters of that last
    // piece hear of it after the write.
    const KvThumbnail::FileProperty property = KvThumbnail::createFileProperty(absolutePath, false);
    bool lastInFolder = false;
    {
        QMutexLocker lock(&registry->mutex);
        const QString folder = folderOf(absolutePath);
        lastInFolder = --registry->busyByFolder[folder] == 0;
        if (lastInFolder) {
            registry->busyByFolder.remove(folder);
        }
    }
    if (lastInFolder) {
        KvMediaStore::writeRecord(absolutePath);
    }
    // Requesters withdraw under the same lock before they are destroyed, so every one still
    // listed is alive while its delivery is posted; a posted delivery is dropped by Qt when
    // its receiver is destroyed before it runs.
    QMutexLocker lock(&registry->mutex);
    const InFlight done = registry->files.take(absolutePath);
    for (KvThumbnailAsync* requester : done.requesters) {
        QMetaObject::invokeMethod(
            requester, [requester, property] { requester->deliver(property); },
            Qt::QueuedConnection);
    }
}

} // namespace Kova
