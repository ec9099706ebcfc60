#pragma once

#include <QString>
#include <QVariantMap>

namespace Kova {

// Suite-wide configuration the core knows of.
class KvConfig
{
public:
    // The key of the platform-player flag in the suite's configuration file (config.ini in
    // the data folder, read by KvEditorConfig::getConfig). The name is the suite's own.
    static QString usePlatformPlayerKey();

    // Whether stages use the platform's own media players by default: true until set.
    static bool usePlatformPalyer();
    static void setUsePlatformPalyer(bool use);
    // The flag as the configuration values give it ("true" or "false"); usePlatformPalyer()
    // when they do not name it.
    static bool usePlatformPalyer(const QVariantMap& config);
};

} // namespace Kova
