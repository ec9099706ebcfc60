#include "kvplugincommoninterface.h"

namespace Kova {

// Defined here so that the interface's type information lives once, in this library: a
// dynamic_cast between the interfaces then works for plug-ins built with hidden symbols.
KvPluginCommonInterface::~KvPluginCommonInterface() = default;

} // namespace Kova
