#include "kvpluginextscreeninterface.h"

namespace Kova {

// Defined here so that the interface's type information lives once, in this library.
KvPluginExtScreenInterface::~KvPluginExtScreenInterface() = default;

} // namespace Kova
