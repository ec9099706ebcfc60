#include "kvscreenselectedhandle.h"

#include "kvscreenitem.h"

#include <QPainter>

namespace Kova {

KvScreenSelectedHandle::KvScreenSelectedHandle(QGraphicsItem* parent)
    : QGraphicsObject(parent)
{
}

KvScreenSelectedHandle::~KvScreenSelectedHandle() = default;

QRectF KvScreenSelectedHandle::boundingRect() const
{
    return QRectF(0, 0, m_width, m_height);
}

void KvScreenSelectedHandle::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                                   QWidget* widget)
{
    Q_UNUSED(painter);
    Q_UNUSED(option);
    Q_UNUSED(widget);
}

double KvScreenSelectedHandle::margin() const
{
    return 3.0 * KvScreenItem::scaleFactorOf(scene());
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
    Q_UNUSED(scenePos);
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

QRectF KvScreenSelectedHandle::resize(double dx, double dy, int handle, bool keepAspect)
{
    Q_UNUSED(dx);
    Q_UNUSED(dy);
    Q_UNUSED(handle);
    Q_UNUSED(keepAspect);
    return outerRectOnScene();
}

double KvScreenSelectedHandle::minimumOuterSize() const
{
    return 1.0;
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
    if (!silent) {
        emit boundingRectChanged(innerRect(outer));
    }
}

void KvScreenSelectedHandle::layoutHandles()
{
}

} // namespace Kova
