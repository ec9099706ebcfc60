#pragma once

#include <QtGlobal>

namespace Kova {

// The time base of playback, in milliseconds. The schedule reads it and never waits on it:
// the window arms its own timer, tests and benchmarks move a manual clock by hand.
class KvPlayClock
{
public:
    virtual ~KvPlayClock();
    virtual qint64 nowMs() const = 0;
};

} // namespace Kova
