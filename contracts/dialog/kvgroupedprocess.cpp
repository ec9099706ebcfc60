#include "kvgroupedprocess.h"

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace Kova {

KvGroupedProcess::KvGroupedProcess(QObject* parent)
    : QProcess(parent)
{
}

KvGroupedProcess::~KvGroupedProcess()
{
    killGroup();
}

void KvGroupedProcess::killGroup()
{
    if (state() == QProcess::NotRunning)
        return;
    const qint64 leader = processId();
    // The started program leads the group, so the group's id is its process id.
    if (leader > 0)
        ::kill(-static_cast<pid_t>(leader), SIGKILL);
    kill();
    waitForFinished(-1);
}

void KvGroupedProcess::setupChildProcess()
{
    // Runs in the child between fork and exec.
    ::setpgid(0, 0);
}

} // namespace Kova
