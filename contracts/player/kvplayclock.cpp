#include "kvplayclock.h"

namespace Kova {

KvPlayClock::~KvPlayClock() = default;

} // namespace Kova
