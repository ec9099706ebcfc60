#include "kvstagescene.h"

namespace Kova {

KvStageScene::KvStageScene(QObject* parent)
    : QGraphicsScene(parent)
{
    setBackgroundBrush(QBrush(Qt::gray, Qt::SolidPattern));
}

KvStageScene::~KvStageScene() = default;

void KvStageScene::setScaleRate(double rate)
{
    m_scaleRate = rate;
}
double KvStageScene::scaleFactor() const
{
    return m_scaleRate > 0.0 ? 1.0 / m_scaleRate : 1.0;
}
void KvStageScene::setHandle(KvScreenSelectedHandle* handle)
{
    m_handle = handle;
}
bool KvStageScene::hasLockedScreenInSelection() const
{
    return false;
}
KvScreenItem* KvStageScene::screenItemOf(const KvScreen*) const
{
    return nullptr;
}
QList<KvScreenItem*> KvStageScene::screenItems() const
{
    return {};
}
QList<KvScreenItem*> KvStageScene::selectedScreenItems() const
{
    return {};
}
void KvStageScene::forgetItem(QGraphicsItem* item)
{
    m_selectionMap.remove(item);
}
void KvStageScene::registerScreenItem(KvScreenItem*)
{
}
QRectF KvStageScene::selectionBoundingRect() const
{
    return QRectF();
}
void KvStageScene::saveStartRects()
{
}
void KvStageScene::setStartRects(const QMap<KvScreen*, QRectF>&)
{
}
void KvStageScene::resizeSelectedItems(const QRectF&, const QRectF&)
{
}
void KvStageScene::showDropHighlight(const QRectF& rect)
{
    m_dropHighlightRect = rect;
}
void KvStageScene::hideDropHighlight()
{
}
void KvStageScene::onSceneRectChanged(QRectF)
{
}
void KvStageScene::onItemPositionChanged(QGraphicsItem*, QPointF)
{
}
void KvStageScene::onItemSelectionChanged(QGraphicsItem*, bool)
{
}
void KvStageScene::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsScene::drawForeground(painter, rect);
}
void KvStageScene::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsScene::mousePressEvent(event);
}
void KvStageScene::emitBoundingRect()
{
}

} // namespace Kova
