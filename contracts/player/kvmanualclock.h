#pragma once

#include "kvplayclock.h"

namespace Kova {

// A clock that moves only when told to.
class KvManualClock : public KvPlayClock
{
public:
    explicit KvManualClock(qint64 nowMs = 0)
        : m_nowMs(nowMs)
    {
    }
    qint64 nowMs() const override { return m_nowMs; }
    void setNowMs(qint64 nowMs) { m_nowMs = nowMs; }
    void advance(qint64 ms) { m_nowMs += ms; }

private:
    qint64 m_nowMs = 0;
};

} // namespace Kova
