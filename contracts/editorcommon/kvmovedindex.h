#pragma once

namespace Kova {

// One medium moved from (screen row, sequence index) to another.
class KvMovedIndex
{
public:
    KvMovedIndex() = default;
    KvMovedIndex(int fromScr, int fromSeq, int toScr, int toSeq)
        : fromScrIndex(fromScr)
        , fromSeqIndex(fromSeq)
        , toScrIndex(toScr)
        , toSeqIndex(toSeq)
    {
    }

    int fromScrIndex = -1;
    int fromSeqIndex = -1;
    int toScrIndex = -1;
    int toSeqIndex = -1;
};

} // namespace Kova
