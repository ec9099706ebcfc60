// Figures of a series of timings for the benchmarks' printouts: median, 90th percentile, mean,
// worst and how many exceed a limit, and the calling thread's CPU time (on a shared machine the
// wall-clock figures also hold the time the process waited for a core).

#ifndef KVBENCHFIGURES_H
#define KVBENCHFIGURES_H

#include <QByteArray>
#include <QFile>
#include <QList>

#include <algorithm>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace Kova {
namespace Bench {

struct Figures
{
    double median = 0.0;
    double p90 = 0.0;
    double mean = 0.0;
    double worst = 0.0;
    int overLimit = 0; // values above the limit given to summarise()
};

inline Figures summarise(std::vector<double> values, double limit = 0.0)
{
    Figures f;
    if (values.empty())
        return f;
    std::sort(values.begin(), values.end());
    f.median = values[values.size() / 2];
    f.p90 = values[values.size() * 9 / 10];
    double sum = 0.0;
    for (double v : values) {
        sum += v;
        f.overLimit += v > limit ? 1 : 0;
    }
    f.mean = sum / values.size();
    f.worst = values.back();
    return f;
}

// The CPU time the calling thread has used, in milliseconds.
inline double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The process's resident set size in KiB, from /proc/self/statm (second field, in pages);
// -1 when it cannot be read.
inline long residentKiB()
{
    QFile file(QStringLiteral("/proc/self/statm"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = file.readAll().split(' ');
    if (fields.count() < 2)
        return -1;
    return fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace Bench
} // namespace Kova

#endif // KVBENCHFIGURES_H
