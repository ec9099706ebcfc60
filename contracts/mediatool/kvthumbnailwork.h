#pragma once

#include "kvthumbnail.h"

#include <QString>

class QThreadPool;

namespace Kova {

class KvThumbnailAsync;

// The thumbnails being made in this process: one piece of work per file on a worker
// thread, however many KvThumbnailAsync objects ask for that file. Requests made in the same
// turn of the event loop, or while the work runs, join it; each requester receives the
// result on its own thread, unless it was destroyed first.
class KvThumbnailWork
{
public:
    static void request(KvThumbnailAsync* requester, const QString& absolutePath);
    // Called by a requester that is going away; it then receives nothing.
    static void withdraw(KvThumbnailAsync* requester, const QString& absolutePath);
    // How many pieces of work were started in this process so far.
    static int startedCount();
    // The worker threads: one per core but one, at least two.
    static QThreadPool* threadPool();

private:
    static void begin(const QString& absolutePath);
    static void run(const QString& absolutePath);
};

} // namespace Kova
