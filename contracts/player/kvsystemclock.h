#pragma once

#include "kvplayclock.h"

#include <QElapsedTimer>

namespace Kova {

// Monotonic milliseconds since the clock was made.
class KvSystemClock : public KvPlayClock
{
public:
    KvSystemClock();
    qint64 nowMs() const override;

private:
    QElapsedTimer m_timer;
};

} // namespace Kova
