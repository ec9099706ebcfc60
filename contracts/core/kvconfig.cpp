#include "kvconfig.h"

#include <atomic>

namespace Kova {

namespace {
std::atomic<bool> s_usePlatformPlayer{true};
}

bool KvConfig::usePlatformPalyer()
{
    return s_usePlatformPlayer.load();
}

void KvConfig::setUsePlatformPalyer(bool use)
{
    s_usePlatformPlayer.store(use);
}

} // namespace Kova
