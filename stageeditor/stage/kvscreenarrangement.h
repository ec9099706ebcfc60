#pragma once

#include "kveditorcommon.h"

#include <QList>
#include <QMap>
#include <QPointF>
#include <QRectF>

namespace Kova {
class KvScreen;

// Align, distribute and z-order moves over the screens of a stage. They change the screens
// (rectangles or z-indexes) and hand back the old values, so that an undo command can put
// them back; refreshing the canvas is left to the caller. Null entries are skipped.
namespace ScreenArrangement {

// The edge or centre of a rectangle that an align or distribute mode works on: x, centre x,
// right, y, centre y or bottom.
double referenceEdge(const QRectF& rect, KvEditorCommon::Align mode);

// The rectangle moved, keeping its size and its other coordinate, so that its reference
// edge lies at `value`.
QRectF withReferenceEdge(const QRectF& rect, KvEditorCommon::Align mode, double value);

// Whether one of the screens is locked. A selection holding a locked screen is neither
// aligned nor distributed: no screen of it moves.
bool hasLockedScreen(const QList<KvScreen*>& screens);

// Gives every screen the same reference edge: the smallest for left and top, the largest
// for right and bottom, the mean for the centres. Needs at least two screens, none locked.
// Returns the old top-left of each screen that moved.
QMap<KvScreen*, QPointF> align(const QList<KvScreen*>& screens, KvEditorCommon::Align mode);

// The order in which distribute places the screens: ascending reference edge; screens with
// equal edges come in the reverse of their order in `screens` (a later screen first).
QList<KvScreen*> distributionOrder(const QList<KvScreen*>& screens, KvEditorCommon::Align mode);

// Spaces the reference edges evenly between the smallest and the largest one, walking the
// distribution order; the first and the last screen keep their places. Needs at least three
// screens, none locked. Returns the old top-left of each screen that moved.
QMap<KvScreen*, QPointF> distribute(const QList<KvScreen*>& screens, KvEditorCommon::Align mode);

// Index of the screen in the list; -1 when absent, null or the list is empty.
int indexOf(const KvScreen* screen, const QList<KvScreen*>& screens);

// Moves the selected screens `steps` places up (positive) or down (negative) the stacking
// order of `stageScreens`, which is sorted by ascending z-index first and kept in that order.
// The selection moves as a block: once its front-most (or back-most) screen reaches the
// edge, the others move by the same shortened step. Every screen that gets a new place has
// its old z-index in the returned map. Nothing happens (empty map) for a zero step, an empty
// selection, or a selection of at least as many screens as the stage has.
QMap<KvScreen*, int> moveZIndex(QList<KvScreen*>& stageScreens, const QList<KvScreen*>& selected,
                                int steps);

// Whether the selection can move towards the front (or the back): it is not empty and its
// outermost screen is not the stage's outermost one.
bool canMoveZIndex(const QList<KvScreen*>& selected, const QList<KvScreen*>& stageScreens,
                   bool forward);

} // namespace ScreenArrangement
} // namespace Kova
