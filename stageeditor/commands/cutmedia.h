#pragma once

#include "removemedia.h"

namespace Kova {
namespace Commands {

// Media cut to the media clipboard: the copies are on the clipboard already, the command
// takes the media themselves out of the timeline, as a removal does. It takes the records over.
class CutMedia : public RemoveMedia
{
public:
    using RemoveMedia::RemoveMedia;
};

} // namespace Commands
} // namespace Kova
