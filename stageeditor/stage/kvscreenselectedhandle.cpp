#include "kvscreenselectedhandle.h"

#include "kvscreenitem.h"

#include <QGraphicsScene>
#include <QPainter>

#include <cmath>

namespace Kova {

namespace {

const double MarginOnScreen = 3.0;

// Halves go upward: 2.5 gives 3, -2.5 gives -2.
double roundHalfUp(double value)
{
    return std::floor(value + 0.5);
}

} // namespace

KvScreenSelectedHandle::KvScreenSelectedHandle(QGraphicsItem* parent)
    : QGraphicsObject(parent)
{
    setPos(50, 50);
    setZValue(32000);
    setVisible(false);
    layoutHandles();
}

KvScreenSelectedHandle::~KvScreenSelectedHandle() = default;

QRectF KvScreenSelectedHandle::boundingRect() const
{
    return QRectF(0, 0, m_width, m_height);
}

void KvScreenSelectedHandle::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                                   QWidget* widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    // The frame runs along the selection's bounding rectangle, the handles straddle it.
    QPen pen(Qt::cyan);
    pen.setWidth(1);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->setBrush(QBrush(QColor(0, 0, 0, 0)));
    painter->drawRect(innerRect(QRectF(0, 0, m_width, m_height)));

    painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(Qt::cyan, Qt::SolidPattern));
    for (const QRectF& square : qAsConst(m_handles)) {
        painter->fillRect(square, Qt::cyan);
    }
}

double KvScreenSelectedHandle::margin() const
{
    return MarginOnScreen * KvScreenItem::scaleFactorOf(scene());
}

QRectF KvScreenSelectedHandle::outerRectOnScene() const
{
    return QRectF(pos(), QSizeF(m_width, m_height));
}

void KvScreenSelectedHandle::setSelectionRect(const QRectF& rect, bool silent)
{
    setOuterRect(outerRect(rect), silent);
}

int KvScreenSelectedHandle::handleAt(const QPointF& scenePos) const
{
    if (!isVisible()) {
        return NoHandle;
    }
    const QPointF local = mapFromScene(scenePos);
    for (auto it = m_handles.constBegin(); it != m_handles.constEnd(); ++it) {
        if (it.value().contains(local)) {
            return it.key();
        }
    }
    return NoHandle;
}

void KvScreenSelectedHandle::saveStartRect()
{
    m_startRect = outerRectOnScene();
}

void KvScreenSelectedHandle::setStartRect(const QRectF& rect)
{
    m_startRect = rect;
}

QRectF KvScreenSelectedHandle::innerRect(const QRectF& outer) const
{
    const double m = margin();
    return outer.adjusted(m, m, -m, -m);
}

QRectF KvScreenSelectedHandle::outerRect(const QRectF& inner) const
{
    const double m = margin();
    return inner.adjusted(-m, -m, m, m);
}

double KvScreenSelectedHandle::minimumOuterSize() const
{
    return std::ceil(2.0 * margin() + 1.0);
}

QRectF KvScreenSelectedHandle::resize(double dx, double dy, int handle, bool keepAspect)
{
    const double x = m_startRect.x();
    const double y = m_startRect.y();
    const double w = m_startRect.width();
    const double h = m_startRect.height();
    // Without a usable start size the aspect ratio is undefined: resize freely.
    if (!(w > 0.0) || !(h > 0.0)) {
        keepAspect = false;
    }
    const double d = (dx + dy) / 2.0;

    const QRectF current = outerRectOnScene();
    double newX = current.x();
    double newY = current.y();
    double newWidth = current.width();
    double newHeight = current.height();
    // Which edges the handle drags; the opposite edges stay where they were.
    bool movesLeft = false;
    bool movesTop = false;

    switch (handle) {
    case TopLeft: {
        const double ddx = keepAspect ? d : dx;
        const double ddy = keepAspect ? (h / w) * d : dy;
        newX = x + ddx;
        newY = y + ddy;
        newWidth = w - ddx;
        newHeight = h - ddy;
        movesLeft = movesTop = true;
        break;
    }
    case Top:
        newY = y + dy;
        newHeight = h - dy;
        movesTop = true;
        break;
    case TopRight: {
        double ddy = dy;
        if (keepAspect) {
            const double e = (dx - dy) / 2.0;
            ddy = -(h / w) * e;
            newWidth = w + e;
        } else {
            newWidth = w + dx;
        }
        newY = y + ddy;
        newHeight = h - ddy;
        movesTop = true;
        break;
    }
    case Left:
        newX = x + dx;
        newWidth = w - dx;
        movesLeft = true;
        break;
    case Right:
        newWidth = w + dx;
        break;
    case BottomLeft: {
        double ddx = dx;
        if (keepAspect) {
            const double e = (dy - dx) / 2.0;
            ddx = -(w / h) * e;
            newHeight = h + e;
        } else {
            newHeight = h + dy;
        }
        newX = x + ddx;
        newWidth = w - ddx;
        movesLeft = true;
        break;
    }
    case Bottom:
        newHeight = h + dy;
        break;
    case BottomRight:
        if (keepAspect) {
            newWidth = w + d;
            newHeight = h + (h / w) * d;
        } else {
            newWidth = w + dx;
            newHeight = h + dy;
        }
        break;
    default:
        return current;
    }

    // Lower bound: the selection inside the frame keeps at least one stage pixel of
    // width and height, so the scene's scaling (new size / start size) never divides
    // by zero on the next resize and no screen collapses or turns inside out. The edge
    // the handle drags stops; the opposite edge stays put.
    const double least = minimumOuterSize();
    if (!(newWidth >= least)) {
        if (movesLeft) {
            newX = x + w - least;
        }
        newWidth = least;
    }
    if (!(newHeight >= least)) {
        if (movesTop) {
            newY = y + h - least;
        }
        newHeight = least;
    }

    if (m_rounding) {
        newX = roundHalfUp(newX);
        newY = roundHalfUp(newY);
        newWidth = roundHalfUp(newWidth);
        newHeight = roundHalfUp(newHeight);
    }

    const QRectF outer(newX, newY, newWidth, newHeight);
    setOuterRect(outer, false);
    return outer;
}

void KvScreenSelectedHandle::onSelectedItemsBoundingRectChanged(QRectF rect)
{
    setSelectionRect(rect, false);
}

void KvScreenSelectedHandle::changeVisible(bool visible)
{
    setVisible(visible);
}

void KvScreenSelectedHandle::setOuterRect(const QRectF& outer, bool silent)
{
    prepareGeometryChange();
    m_width = outer.width();
    m_height = outer.height();
    setPos(outer.topLeft());
    layoutHandles();
    update();
    if (!silent) {
        emit boundingRectChanged(innerRect(outer));
    }
}

void KvScreenSelectedHandle::layoutHandles()
{
    const double m = margin();
    const double side = 2.0 * m;
    const double w = m_width;
    const double h = m_height;
    const double centreX = w / 2.0 - m;
    const double centreY = h / 2.0 - m;
    m_handles.clear();
    m_handles.insert(TopLeft, QRectF(0, 0, side, side));
    m_handles.insert(Top, QRectF(centreX, 0, side, side));
    m_handles.insert(TopRight, QRectF(w - side, 0, side, side));
    m_handles.insert(Left, QRectF(0, centreY, side, side));
    m_handles.insert(Right, QRectF(w - side, centreY, side, side));
    m_handles.insert(BottomLeft, QRectF(0, h - side, side, side));
    m_handles.insert(Bottom, QRectF(centreX, h - side, side, side));
    m_handles.insert(BottomRight, QRectF(w - side, h - side, side, side));
}

} // namespace Kova
