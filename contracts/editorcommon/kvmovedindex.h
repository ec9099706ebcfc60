#pragma once

namespace Kova {

// One medium moved from (screen row, sequence index) to another.
class KvMovedIndex
{
public:
    KvMovedIndex() = default;
    KvMovedIndex(int fromScrIndex, int fromSeqIndex, int toScrIndex, int toSeqIndex)
        : fromScrIndex(fromScrIndex)
        , fromSeqIndex(fromSeqIndex)
        , toScrIndex(toScrIndex)
        , toSeqIndex(toSeqIndex)
    {
    }

    int fromScrIndex = -1;
    int fromSeqIndex = -1;
    int toScrIndex = -1;
    int toSeqIndex = -1;
};

} // namespace Kova
