#pragma once

namespace Kova {

// Suite-wide configuration the core knows of.
class KvConfig
{
public:
    // Whether stages use the platform's own media players by default. The name is the
    // suite's own.
    static bool usePlatformPalyer();
    static void setUsePlatformPalyer(bool use);
};

} // namespace Kova
