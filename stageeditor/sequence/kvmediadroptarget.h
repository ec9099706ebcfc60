#pragma once

namespace Kova {

class KvScreen;

// A graphics item that takes dropped media files: a screen of the stage canvas, and the
// timeline's media items and row lines. It names the screen the new media go to.
class KvMediaDropTarget
{
public:
    virtual ~KvMediaDropTarget() = default;
    // Null when the item stands for no screen (at the moment).
    virtual KvScreen* dropTargetScreen() const = 0;
};

} // namespace Kova
