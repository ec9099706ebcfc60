#include "kvstagescene.h"

#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvscreenselectedhandle.h"

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace Kova {

KvStageScene::SelectionBatch::SelectionBatch(KvStageScene* scene)
    : m_scene(scene)
{
    if (m_scene) {
        m_scene->beginSelectionBatch();
    }
}

KvStageScene::SelectionBatch::~SelectionBatch()
{
    if (m_scene) {
        m_scene->endSelectionBatch();
    }
}

KvStageScene::KvStageScene(QObject* parent)
    : QGraphicsScene(parent)
{
    setBackgroundBrush(QBrush(Qt::gray, Qt::SolidPattern));
}

KvStageScene::~KvStageScene()
{
    // Items report to the scene while they are removed; let them go while this is still
    // a stage scene, and ignore what they say from now on.
    m_destroying = true;
    m_handle = nullptr;
    clear();
    m_selectionMap.clear();
    m_screenItems.clear();
}

void KvStageScene::setScaleRate(double rate)
{
    if (rate > 0.0) {
        m_scaleRate = rate;
    }
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
    for (auto it = m_selectionMap.constBegin(); it != m_selectionMap.constEnd(); ++it) {
        auto* item = qgraphicsitem_cast<KvScreenItem*>(it.key());
        if (item && item->screen() && item->screen()->lockScreen()) {
            return true;
        }
    }
    return false;
}

KvScreenItem* KvStageScene::screenItemOf(const KvScreen* screen) const
{
    if (!screen) {
        return nullptr;
    }
    KvScreenItem* known = m_screenItems.value(screen, nullptr);
    if (known && known->scene() == this && known->screen() == screen) {
        return known;
    }
    const QList<QGraphicsItem*> all = items();
    for (QGraphicsItem* item : all) {
        auto* screenItem = qgraphicsitem_cast<KvScreenItem*>(item);
        if (screenItem && screenItem->screen() == screen) {
            return screenItem;
        }
    }
    return nullptr;
}

QList<KvScreenItem*> KvStageScene::screenItems() const
{
    QList<KvScreenItem*> result;
    const QList<QGraphicsItem*> all = items();
    for (QGraphicsItem* item : all) {
        if (auto* screenItem = qgraphicsitem_cast<KvScreenItem*>(item)) {
            result.append(screenItem);
        }
    }
    return result;
}

QList<KvScreenItem*> KvStageScene::selectedScreenItems() const
{
    QList<KvScreenItem*> result;
    for (auto it = m_selectionMap.constBegin(); it != m_selectionMap.constEnd(); ++it) {
        if (auto* screenItem = qgraphicsitem_cast<KvScreenItem*>(it.key())) {
            result.append(screenItem);
        }
    }
    return result;
}

void KvStageScene::forgetItem(QGraphicsItem* item)
{
    if (!item) {
        return;
    }
    m_selectionMap.remove(item);
    if (auto* screenItem = qgraphicsitem_cast<KvScreenItem*>(item)) {
        auto it = m_screenItems.find(screenItem->screen());
        if (it != m_screenItems.end() && it.value() == screenItem) {
            m_screenItems.erase(it);
        }
    }
}

void KvStageScene::registerScreenItem(KvScreenItem* item)
{
    if (item && item->screen()) {
        m_screenItems.insert(item->screen(), item);
    }
}

QRectF KvStageScene::selectionBoundingRect() const
{
    if (m_selectionMap.isEmpty()) {
        return QRectF();
    }
    bool first = true;
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    for (auto it = m_selectionMap.constBegin(); it != m_selectionMap.constEnd(); ++it) {
        const QPointF pos = it.value();
        const QSizeF size = it.key()->boundingRect().size();
        if (first) {
            left = pos.x();
            top = pos.y();
            right = pos.x() + size.width();
            bottom = pos.y() + size.height();
            first = false;
            continue;
        }
        left = std::min(left, pos.x());
        top = std::min(top, pos.y());
        right = std::max(right, pos.x() + size.width());
        bottom = std::max(bottom, pos.y() + size.height());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void KvStageScene::refreshStoredPositions()
{
    for (auto it = m_selectionMap.begin(); it != m_selectionMap.end(); ++it) {
        it.value() = it.key()->pos();
    }
}

void KvStageScene::saveStartRects()
{
    const QList<KvScreenItem*> selected = selectedScreenItems();
    for (KvScreenItem* item : selected) {
        item->saveStartRect();
    }
}

void KvStageScene::setStartRects(const QMap<KvScreen*, QRectF>& rects)
{
    const QList<KvScreenItem*> selected = selectedScreenItems();
    for (KvScreenItem* item : selected) {
        auto it = rects.constFind(item->screen());
        if (it != rects.constEnd()) {
            item->setStartRect(it.value());
        }
    }
}

void KvStageScene::resizeSelectedItems(const QRectF& from, const QRectF& to)
{
    if (!(from.width() > 0.0) || !(from.height() > 0.0)) {
        return;
    }
    const double sx = to.width() / from.width();
    const double sy = to.height() / from.height();
    const QList<KvScreenItem*> selected = selectedScreenItems();
    for (KvScreenItem* item : selected) {
        const QRectF r = item->startRect();
        item->setTrackPosition(false);
        item->setGeometry(to.x() + (r.x() - from.x()) * sx, to.y() + (r.y() - from.y()) * sy,
                          r.width() * sx, r.height() * sy);
        item->setTrackPosition(true);
        m_selectionMap.insert(item, item->pos());
    }
}

void KvStageScene::showDropHighlight(const QRectF& rect)
{
    const QRectF old = m_dropHighlightRect;
    const bool wasShown = m_dropHighlightState == DropHighlightShown;
    m_dropHighlightRect = rect;
    m_dropHighlightState = DropHighlightShown;
    if (wasShown) {
        update(highlightArea(old));
    }
    update(highlightArea(rect));
}

void KvStageScene::hideDropHighlight()
{
    if (m_dropHighlightState != DropHighlightShown) {
        return;
    }
    m_dropHighlightState = DropHighlightHidden;
    update(highlightArea(m_dropHighlightRect));
}

QRectF KvStageScene::highlightArea(const QRectF& rect) const
{
    const double margin = 2.0 * scaleFactor() + 1.0;
    return rect.adjusted(-margin, -margin, margin, margin);
}

void KvStageScene::beginSelectionBatch()
{
    ++m_batchDepth;
}

void KvStageScene::endSelectionBatch()
{
    if (m_batchDepth <= 0) {
        return;
    }
    if (--m_batchDepth > 0) {
        return;
    }
    const bool countChanged = m_countPending;
    const bool rectChanged = m_rectPending;
    m_countPending = false;
    m_rectPending = false;
    if (countChanged) {
        emit selectedItemsCountChanged(!m_selectionMap.isEmpty());
    }
    if (countChanged || rectChanged) {
        emitBoundingRect();
    }
    if (countChanged) {
        update();
    }
}

void KvStageScene::onSceneRectChanged(QRectF rect)
{
    Q_UNUSED(rect)
    update();
}

void KvStageScene::onItemPositionChanged(QGraphicsItem* item, QPointF pos)
{
    if (m_destroying || !item) {
        return;
    }
    m_selectionMap.insert(item, pos);
    if (m_batchDepth > 0) {
        m_rectPending = true;
        return;
    }
    emitBoundingRect();
}

void KvStageScene::onItemSelectionChanged(QGraphicsItem* item, bool isSelected)
{
    if (m_destroying || !item) {
        return;
    }
    if (isSelected) {
        m_selectionMap.insert(item, item->pos());
    } else {
        m_selectionMap.remove(item);
    }
    if (m_batchDepth > 0) {
        m_countPending = true;
        return;
    }
    emit selectedItemsCountChanged(!m_selectionMap.isEmpty());
    emitBoundingRect();
    update();
}

void KvStageScene::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsScene::drawForeground(painter, rect);
    if (m_dropHighlightState != DropHighlightShown) {
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    QPen pen(Qt::green);
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(2.0 / m_scaleRate);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::BevelJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::transparent);
    painter->drawRect(m_dropHighlightRect);
    painter->restore();
}

void KvStageScene::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsScene::mousePressEvent(event);
}

void KvStageScene::emitBoundingRect()
{
    emit selectedItemsBoundingRectChanged(selectionBoundingRect());
}

} // namespace Kova
