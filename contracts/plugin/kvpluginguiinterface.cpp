#include "kvpluginguiinterface.h"

namespace Kova {

// Defined here so that the interface's type information lives once, in this library.
KvPluginGuiInterface::~KvPluginGuiInterface() = default;

} // namespace Kova
