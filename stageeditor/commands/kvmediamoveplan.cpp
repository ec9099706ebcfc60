#include "kvmediamoveplan.h"

namespace Kova {
namespace Commands {

namespace {

bool isSelected(const QList<QPair<int, int>>& selection, int row, int index)
{
    return selection.contains(qMakePair(row, index));
}

// The target index within the basis row, or -1 when the drop resolves to no move.
int sameRowTarget(const QList<QPair<int, int>>& selection, int rowCount, int row, int toIndex,
                  int basisIndex)
{
    if (basisIndex == toIndex)
        return -1;
    const bool rightwards = basisIndex < toIndex;
    int target = toIndex;
    if (isSelected(selection, row, toIndex)) {
        // The target is itself moving: the nearest staying medium towards the pressed one
        // takes its place; none before the pressed one means no move.
        const int step = rightwards ? -1 : 1;
        const int farEnd = rightwards ? 0 : rowCount - 1;
        for (int i = toIndex; i != farEnd;) {
            i += step;
            if (i == basisIndex)
                return -1;
            if (!isSelected(selection, row, i)) {
                target = i;
                break;
            }
        }
    }
    // The place among the media that stay.
    int staying = -1;
    int position = 0;
    for (int i = 0; i < rowCount; ++i) {
        if (isSelected(selection, row, i))
            continue;
        if (i == target) {
            staying = position;
            break;
        }
        ++position;
    }
    return qBound(0, rightwards ? staying + 1 : staying, rowCount);
}

} // namespace

QList<KvMovedIndex> KvMediaMovePlan::toDropPlace(const QList<QPair<int, int>>& selection,
                                                 int rowCount, int toRow, int toIndex, int basisRow,
                                                 int basisIndex)
{
    if (selection.isEmpty())
        return {};
    int target = toIndex;
    if (basisRow == toRow) {
        target = sameRowTarget(selection, rowCount, toRow, toIndex, basisIndex);
        if (target < 0)
            return {};
    }
    QList<KvMovedIndex> entries;
    entries.reserve(selection.size());
    for (int i = 0; i < selection.size(); ++i) {
        const QPair<int, int>& from = selection.at(i);
        entries.append(KvMovedIndex(from.first, from.second, toRow, target + i));
    }
    return entries;
}

QList<KvMovedIndex> KvMediaMovePlan::withinRow(const QList<QPair<int, int>>& selection,
                                               int rowCount, RowMove move)
{
    if (selection.isEmpty())
        return {};
    const int first = selection.first().second;
    const int last = selection.last().second;
    int shift = 0;
    switch (move) {
    case ToFirst:
        shift = -first;
        break;
    case ToPrevious:
        shift = first < 1 ? 0 : -1;
        break;
    case ToNext:
        shift = last >= rowCount - 1 ? 0 : 1;
        break;
    case ToLast:
        shift = last >= rowCount - 1 ? 0 : rowCount - 1 - last;
        break;
    }
    if (shift == 0)
        return {};
    QList<KvMovedIndex> entries;
    entries.reserve(selection.size());
    for (const QPair<int, int>& pair : selection)
        entries.append(KvMovedIndex(pair.first, pair.second, pair.first, pair.second + shift));
    return entries;
}

} // namespace Commands
} // namespace Kova
