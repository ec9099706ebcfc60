#include "kvsystemclock.h"

namespace Kova {

KvSystemClock::KvSystemClock()
{
    m_timer.start();
}

qint64 KvSystemClock::nowMs() const
{
    return m_timer.elapsed();
}

} // namespace Kova
