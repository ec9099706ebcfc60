#include "kvscreenitem.h"

#include "kvscreen.h"

#include <QPixmap>

namespace Kova {

KvScreenItem::KvScreenItem(KvScreen* screen, QGraphicsItem* parent)
    : QGraphicsItem(parent)
{
    setScreen(screen);
}

KvScreenItem::~KvScreenItem()
{
    delete m_lockPicture;
}

void KvScreenItem::setScreen(KvScreen* screen)
{
    m_screen = screen;
}

void KvScreenItem::setName(const QString& name)
{
    m_name = name;
}

bool KvScreenItem::isLocked() const
{
    return m_screen ? m_screen->lockScreen() : m_locked;
}

void KvScreenItem::refreshBackColor(bool select)
{
    setSelected(select);
}

void KvScreenItem::refreshName(bool select)
{
    setSelected(select);
}

void KvScreenItem::refreshPos(bool select)
{
    setSelected(select);
}

void KvScreenItem::refreshRect(bool select)
{
    setSelected(select);
}

void KvScreenItem::setTrackPosition(bool track)
{
    m_trackPosition = track;
}

void KvScreenItem::saveStartRect()
{
    m_startRect = boundingRect().translated(pos());
}

void KvScreenItem::setStartRect(const QRectF& rect)
{
    m_startRect = rect;
}

void KvScreenItem::setGeometry(double x, double y, double width, double height)
{
    prepareGeometryChange();
    m_width = width;
    m_height = height;
    setPos(x, y);
}

bool KvScreenItem::isMovedFromScreen() const
{
    return false;
}

QPointF KvScreenItem::commitPos()
{
    return QPointF();
}

QRectF KvScreenItem::commitRect()
{
    return QRectF();
}

QRectF KvScreenItem::boundingRect() const
{
    return QRectF(0, 0, m_width, m_height);
}

void KvScreenItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Q_UNUSED(painter);
    Q_UNUSED(option);
    Q_UNUSED(widget);
}

double KvScreenItem::scaleFactor() const
{
    return scaleFactorOf(scene());
}

double KvScreenItem::scaleFactorOf(const QGraphicsScene* scene)
{
    Q_UNUSED(scene);
    return 1.0;
}

bool KvScreenItem::hasLockedScreenInSelection(const QGraphicsScene* scene)
{
    Q_UNUSED(scene);
    return false;
}

int KvScreenItem::lockPictureSide(double scaleFactor)
{
    return scaleFactor > 1.0 ? int(16.0 * scaleFactor) : 16;
}

KvScreenItem::LabelLayout KvScreenItem::labelLayout(double scaleFactor) const
{
    Q_UNUSED(scaleFactor);
    return LabelLayout();
}

QVariant KvScreenItem::itemChange(GraphicsItemChange change, const QVariant& value)
{
    return QGraphicsItem::itemChange(change, value);
}

void KvScreenItem::syncLockedFlag()
{
    if (m_screen) {
        m_locked = m_screen->lockScreen();
    }
}

} // namespace Kova
