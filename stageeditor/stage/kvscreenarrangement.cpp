#include "kvscreenarrangement.h"

#include "kvscreen.h"

#include <algorithm>
#include <cmath>

namespace Kova {
namespace ScreenArrangement {

namespace {

QList<KvScreen*> withoutNulls(const QList<KvScreen*>& screens)
{
    QList<KvScreen*> result;
    for (KvScreen* screen : screens) {
        if (screen)
            result.append(screen);
    }
    return result;
}

// Puts the reference edge of the screen at `value` and records its old top-left when the
// top-left changes by more than rounding noise.
void placeReferenceEdge(KvScreen* screen, KvEditorCommon::Align mode, double value,
                        QMap<KvScreen*, QPointF>& old)
{
    const QRectF rect = screen->rect();
    const QRectF moved = withReferenceEdge(rect, mode, value);
    if (std::fabs(moved.x() - rect.x()) <= 1e-12 && std::fabs(moved.y() - rect.y()) <= 1e-12)
        return;
    old.insert(screen, rect.topLeft());
    screen->setRect(moved);
}

// The first screen of the list with the highest (front) or lowest (back) z-index.
const KvScreen* outermostScreen(const QList<KvScreen*>& screens, bool front)
{
    const KvScreen* found = nullptr;
    for (const KvScreen* screen : screens) {
        if (screen && (!found || (front ? screen->zIndex() > found->zIndex()
                                        : screen->zIndex() < found->zIndex())))
            found = screen;
    }
    return found;
}

} // namespace

double referenceEdge(const QRectF& rect, KvEditorCommon::Align mode)
{
    switch (mode) {
    case KvEditorCommon::AlignLeft:
        return rect.x();
    case KvEditorCommon::AlignHCenter:
        return rect.x() + rect.width() / 2.0;
    case KvEditorCommon::AlignRight:
        return rect.x() + rect.width();
    case KvEditorCommon::AlignTop:
        return rect.y();
    case KvEditorCommon::AlignVCenter:
        return rect.y() + rect.height() / 2.0;
    case KvEditorCommon::AlignBottom:
        return rect.y() + rect.height();
    }
    return 0.0;
}

QRectF withReferenceEdge(const QRectF& rect, KvEditorCommon::Align mode, double value)
{
    QRectF moved = rect;
    switch (mode) {
    case KvEditorCommon::AlignLeft:
        moved.moveLeft(value);
        break;
    case KvEditorCommon::AlignHCenter:
        moved.moveLeft(value - rect.width() / 2.0);
        break;
    case KvEditorCommon::AlignRight:
        moved.moveLeft(value - rect.width());
        break;
    case KvEditorCommon::AlignTop:
        moved.moveTop(value);
        break;
    case KvEditorCommon::AlignVCenter:
        moved.moveTop(value - rect.height() / 2.0);
        break;
    case KvEditorCommon::AlignBottom:
        moved.moveTop(value - rect.height());
        break;
    }
    return moved;
}

bool hasLockedScreen(const QList<KvScreen*>& screens)
{
    return std::any_of(screens.cbegin(), screens.cend(),
                       [](const KvScreen* screen) { return screen && screen->lockScreen(); });
}

QMap<KvScreen*, QPointF> align(const QList<KvScreen*>& selection, KvEditorCommon::Align mode)
{
    QMap<KvScreen*, QPointF> old;
    const QList<KvScreen*> screens = withoutNulls(selection);
    if (screens.count() < 2 || hasLockedScreen(screens))
        return old;

    double value = referenceEdge(screens.first()->rect(), mode);
    switch (mode) {
    case KvEditorCommon::AlignLeft:
    case KvEditorCommon::AlignTop:
        for (const KvScreen* screen : screens)
            value = std::min(value, referenceEdge(screen->rect(), mode));
        break;
    case KvEditorCommon::AlignRight:
    case KvEditorCommon::AlignBottom:
        for (const KvScreen* screen : screens)
            value = std::max(value, referenceEdge(screen->rect(), mode));
        break;
    case KvEditorCommon::AlignHCenter:
    case KvEditorCommon::AlignVCenter:
        value = 0.0;
        for (const KvScreen* screen : screens)
            value += referenceEdge(screen->rect(), mode);
        value /= screens.count();
        break;
    }
    for (KvScreen* screen : screens)
        placeReferenceEdge(screen, mode, value, old);
    return old;
}

QList<KvScreen*> distributionOrder(const QList<KvScreen*>& screens, KvEditorCommon::Align mode)
{
    // Reversed first, so that the stable sort leaves equal edges in reverse selection order.
    QList<KvScreen*> order = withoutNulls(screens);
    std::reverse(order.begin(), order.end());
    std::stable_sort(order.begin(), order.end(), [mode](const KvScreen* a, const KvScreen* b) {
        return referenceEdge(a->rect(), mode) < referenceEdge(b->rect(), mode);
    });
    return order;
}

QMap<KvScreen*, QPointF> distribute(const QList<KvScreen*>& screens, KvEditorCommon::Align mode)
{
    QMap<KvScreen*, QPointF> old;
    const QList<KvScreen*> order = distributionOrder(screens, mode);
    if (order.count() < 3 || hasLockedScreen(order))
        return old;
    const double first = referenceEdge(order.first()->rect(), mode);
    const double last = referenceEdge(order.last()->rect(), mode);
    const double step = (last - first) / double(order.count() - 1);
    for (int i = 0; i < order.count(); ++i)
        placeReferenceEdge(order.at(i), mode, first + i * step, old);
    return old;
}

int indexOf(const KvScreen* screen, const QList<KvScreen*>& screens)
{
    if (!screen)
        return -1;
    for (int i = 0; i < screens.count(); ++i) {
        if (screens.at(i) == screen)
            return i;
    }
    return -1;
}

QMap<KvScreen*, int> moveZIndex(QList<KvScreen*>& list, const QList<KvScreen*>& selectedScreens,
                                int steps)
{
    QMap<KvScreen*, int> old;
    if (steps == 0 || selectedScreens.isEmpty() || selectedScreens.count() >= list.count())
        return old;

    QList<KvScreen*> selected = withoutNulls(selectedScreens);
    KvEditorCommon::sortScreenByZIndexAscending(selected);
    KvEditorCommon::sortScreenByZIndexAscending(list);
    const int n = list.count();

    // Forward moves start with the front-most selected screen, backward moves with the
    // back-most one; a step shortened at the edge stays shortened for the rest.
    if (steps > 0)
        std::reverse(selected.begin(), selected.end());
    const auto remember = [&old](KvScreen* screen) {
        if (!old.contains(screen))
            old.insert(screen, screen->zIndex());
    };
    for (KvScreen* screen : qAsConst(selected)) {
        const int i = indexOf(screen, list);
        if (i < 0)
            continue;
        int t = i + steps;
        if (t > n - 1) {
            t = n - 1;
            steps = (n - 1) - i;
        }
        if (t < 0) {
            t = 0;
            steps = -i;
        }
        remember(screen);
        const int targetZIndex = list.at(t)->zIndex();
        // The screens between the two places shift one place towards the old one.
        for (int k = i + 1; k <= t; ++k) {
            remember(list.at(k));
            list.at(k)->setZIndex(list.at(k)->zIndex() - 1);
        }
        for (int k = t; k < i; ++k) {
            remember(list.at(k));
            list.at(k)->setZIndex(list.at(k)->zIndex() + 1);
        }
        screen->setZIndex(targetZIndex);
        list.move(i, t);
    }
    return old;
}

bool canMoveZIndex(const QList<KvScreen*>& selected, const QList<KvScreen*>& stageScreens,
                   bool forward)
{
    if (selected.isEmpty())
        return false;
    const KvScreen* outermost = outermostScreen(stageScreens, forward);
    return outermost && outermostScreen(selected, forward) != outermost;
}

} // namespace ScreenArrangement
} // namespace Kova
