#pragma once

#include "removeselectedscreens.h"

namespace Kova {
namespace Commands {

// Cuts the selected screens (they were copied to the screen clipboard just before): the
// screens go exactly as with a removal, and undo gives them back.
class CutScreen : public RemoveSelectedScreens
{
public:
    using RemoveSelectedScreens::RemoveSelectedScreens;
};

} // namespace Commands
} // namespace Kova
