#include "kvconfig.h"

#include <atomic>

namespace Kova {

namespace {
std::atomic<bool> s_usePlatformPlayer{true};
}

QString KvConfig::usePlatformPlayerKey()
{
    return QStringLiteral("usePlatformPalyer");
}

bool KvConfig::usePlatformPalyer()
{
    return s_usePlatformPlayer.load();
}

void KvConfig::setUsePlatformPalyer(bool use)
{
    s_usePlatformPlayer.store(use);
}

bool KvConfig::usePlatformPalyer(const QVariantMap& config)
{
    const QVariant value = config.value(usePlatformPlayerKey());
    return value.isValid() ? value.toBool() : usePlatformPalyer();
}

} // namespace Kova
