#include "kvseqscreenlineitem.h"

#include "kvseqscreen.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>

#include <limits>

namespace Kova {

namespace {
// Room kept right of the widest of the row's width and the views' width.
constexpr double TRAILING_SPACE = 50.0;
} // namespace

KvSeqScreenLineItem::KvSeqScreenLineItem(const QSizeF& size, KvSeqScreen* seqScreen,
                                         QGraphicsItem* parent)
    : QGraphicsObject(parent)
    , m_width(size.width())
    , m_height(size.height())
    , m_seqScreen(seqScreen)
{
}

QRectF KvSeqScreenLineItem::boundingRect() const
{
    return QRectF(0.0, 0.0, m_width, m_height);
}

void KvSeqScreenLineItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                                QWidget* widget)
{
    Q_UNUSED(option)
    Q_UNUSED(widget)
    const QRectF rect = boundingRect();
    painter->fillRect(rect, QColor(255, 255, 255, 128));
    painter->setPen(QPen(Qt::black, 0));
    // The bottom pixel row of the strip, so the line stays inside the bounding rectangle.
    const double bottom = rect.bottom() - 1.0;
    painter->drawLine(QPointF(rect.left(), bottom), QPointF(rect.right(), bottom));
}

void KvSeqScreenLineItem::setWidth(double width)
{
    QGraphicsScene* graphicsScene = scene();
    double widest = width;
    if (graphicsScene) {
        const QList<QGraphicsView*> views = graphicsScene->views();
        for (const QGraphicsView* view : views)
            widest = qMax(widest, double(view->width()));
    }
    const double newWidth = widest + TRAILING_SPACE;
    if (newWidth != m_width) {
        prepareGeometryChange();
        m_width = newWidth;
    }
    if (graphicsScene && graphicsScene->width() != newWidth) {
        QRectF sceneRect = graphicsScene->sceneRect();
        sceneRect.setWidth(newWidth);
        graphicsScene->setSceneRect(sceneRect);
    }
}

void KvSeqScreenLineItem::setSize(const QSizeF& size)
{
    prepareGeometryChange();
    m_width = size.width();
    m_height = size.height();
}

KvScreen* KvSeqScreenLineItem::dropTargetScreen() const
{
    return m_seqScreen ? m_seqScreen->screen() : nullptr;
}

void KvSeqScreenLineItem::restoreZValue()
{
    if (zValue() != m_preservedZValue)
        setZValue(m_preservedZValue);
}

void KvSeqScreenLineItem::preserveZValue()
{
    m_preservedZValue = zValue();
}

void KvSeqScreenLineItem::bringToFront()
{
    setZValue(std::numeric_limits<double>::max());
    emit broughtToFront(this);
}

} // namespace Kova
