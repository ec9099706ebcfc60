#pragma once

#include "kvmovedindex.h"

#include <QList>
#include <QPair>

namespace Kova {
namespace Commands {

// Where selected media of a timeline go when they are moved: the entries of a MoveMedia
// command, worked out from the selection, given as (row, index) pairs in row and index
// order (a selection lies in one row), and the media count of the row concerned.
class KvMediaMovePlan
{
public:
    enum RowMove { ToFirst, ToPrevious, ToNext, ToLast };

    // Dropping the selection, dragged by the medium at (basisRow, basisIndex), onto
    // (toRow, toIndex). Within the row a rightward move places the media after the target
    // medium and a leftward one before it, counted among the media that stay; in another
    // row they go to toIndex. `rowCount` is the count of the target row. Empty when the
    // drop resolves to no move.
    static QList<KvMovedIndex> toDropPlace(const QList<QPair<int, int>>& selection, int rowCount,
                                           int toRow, int toIndex, int basisRow, int basisIndex);
    // A move inside the row that keeps the gaps between the selected media; empty when the
    // selection cannot go that way. `rowCount` is the count of the selection's row.
    static QList<KvMovedIndex> withinRow(const QList<QPair<int, int>>& selection, int rowCount,
                                         RowMove move);
};

} // namespace Commands
} // namespace Kova
