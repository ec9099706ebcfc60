#pragma once

#include <QString>

namespace Kova {

// What a screen does when an event it listens for arrives, or when its last
// medium has finished.
class KvEventAction
{
public:
    enum Actions { None = 0, GotoNext = 1, GotoFirst = 2, Stop = 3, Repeat = 4 };

    static QString toString(Actions action);
    // Unknown text gives None.
    static Actions toAction(const QString& text);
};

} // namespace Kova
