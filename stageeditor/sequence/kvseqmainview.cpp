#include "kvseqmainview.h"

#include "kveditorcommon.h"
#include "kvmedia.h"
#include "kvmediadroprules.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvseqscreenlineitem.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QResizeEvent>

#include <limits>

namespace Kova {

namespace {

constexpr double TOP_Z_VALUE = std::numeric_limits<double>::max();
// A press must be followed by a move longer than this (Manhattan length) to start a drag.
constexpr int DRAG_START_DISTANCE = 3;

bool sameScreenType(const KvSeqScreen* a, const KvSeqScreen* b)
{
    return a && b && a->screen() && b->screen() && a->screen()->type() == b->screen()->type();
}

QList<KvSeqMediaItem*> selectedMediaItems(const QGraphicsScene* scene)
{
    QList<KvSeqMediaItem*> items;
    if (!scene)
        return items;
    for (QGraphicsItem* item : scene->selectedItems()) {
        if (auto* media = qgraphicsitem_cast<KvSeqMediaItem*>(item))
            items.append(media);
    }
    return items;
}

} // namespace

KvSeqMainView::KvSeqMainView(QWidget* parent)
    : QGraphicsView(parent)
{
    setObjectName(QStringLiteral("SequenceMainView"));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setAcceptDrops(true);
    connect(this, &KvSeqMainView::requestChangeItemZValue, this, &KvSeqMainView::setItemZValue,
            Qt::QueuedConnection);
}

KvSeqMainView::~KvSeqMainView() = default;

KvSeqMediaItem* KvSeqMainView::lastHoveredItem() const
{
    return m_lastHoveredItem;
}

KvSeqMediaItem* KvSeqMainView::pressedItem() const
{
    return m_pressedItem;
}

KvSeqScreen* KvSeqMainView::dropRow() const
{
    return m_dropRow;
}

KvSeqScreenLineItem* KvSeqMainView::lineItemAt(const QPointF& scenePos) const
{
    if (!scene())
        return nullptr;
    // Every line item starts at x = 0 and is at least 50 pixels wide, so looking at x = 0
    // finds the row of any height without visiting the media items of a long row.
    const QList<QGraphicsItem*> found = scene()->items(
        QPointF(0.0, scenePos.y()), Qt::IntersectsItemBoundingRect, Qt::DescendingOrder);
    for (QGraphicsItem* item : found) {
        if (auto* line = qgraphicsitem_cast<KvSeqScreenLineItem*>(item))
            return line;
    }
    return nullptr;
}

void KvSeqMainView::onMediaItemRemoved(KvSeqMediaItem* item)
{
    if (!item)
        return;
    if (m_lastHoveredItem == item)
        m_lastHoveredItem = nullptr;
    if (m_itemUnderDrag == item)
        m_itemUnderDrag = nullptr;
    if (item->scene())
        item->scene()->removeItem(item);
}

void KvSeqMainView::setItemZValue(QGraphicsItem* item, double zValue)
{
    // The request is queued: the item may be gone by now, so it is looked up among the
    // scene's items before it is used.
    if (item && scene() && scene()->items().contains(item))
        item->setZValue(zValue);
}

void KvSeqMainView::onSceneZeroPointChanged()
{
    const QPoint zero = mapFromScene(QPointF(0.0, 0.0));
    emit sceneZeroPointChanged(zero);
    emit sceneZeroPointChangedGlobalPos(viewport()->mapToGlobal(zero));
}

void KvSeqMainView::mousePressEvent(QMouseEvent* event)
{
    m_pressPos = event->pos();
    m_pressedItem = nullptr;
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = true;
        m_pressedItem = qgraphicsitem_cast<KvSeqMediaItem*>(itemAt(event->pos()));
        m_pressedLineItem =
            m_pressedItem ? qgraphicsitem_cast<KvSeqScreenLineItem*>(m_pressedItem->parentItem())
                          : nullptr;
    }
    QGraphicsView::mousePressEvent(event);
    emit mousePressed();
}

void KvSeqMainView::setHoveredItem(KvSeqMediaItem* item)
{
    if (item == m_lastHoveredItem)
        return;
    if (m_lastHoveredItem) {
        m_lastHoveredItem->setMouseHovered(false);
        m_lastHoveredItem->update();
    }
    m_lastHoveredItem = item;
    if (item) {
        item->setMouseHovered(true);
        item->update();
    }
}

void KvSeqMainView::mouseMoveEvent(QMouseEvent* event)
{
    // The hover mark follows the pointer: off the media no item carries it.
    setHoveredItem(qgraphicsitem_cast<KvSeqMediaItem*>(itemAt(event->pos())));

    if (m_leftPressed && m_pressedItem && !m_dragging &&
        (event->pos() - m_pressPos).manhattanLength() > DRAG_START_DISTANCE) {
        m_dragging = true;
        m_itemUnderDrag = nullptr;
        if (m_pressedLineItem)
            m_pressedLineItem->setZValue(TOP_Z_VALUE);
        if (KvSeqScreen* row = m_pressedItem->seqScreen())
            row->setInsertIndex(m_pressedItem->sequenceIndex(), m_pressedItem);
    }

    if (m_dragging && m_pressedItem) {
        const QPointF offset(event->pos() - m_pressPos);
        for (KvSeqMediaItem* item : selectedMediaItems(scene())) {
            item->setPos(item->preservedPosition() + offset);
            item->setZValue(TOP_Z_VALUE);
            item->setOpacity(0.5);
        }
        if (m_pressedItem->isSelected())
            updateDragTarget(event->pos());
    }

    QGraphicsView::mouseMoveEvent(event);
    emit mousePositionChanged(event->globalPos());
}

bool KvSeqMainView::rowExists(const KvSeqScreen* row)
{
    // Only the owner of the rows knows whether a row is still in use (it may have been
    // removed while the pointer was held). A row nobody vouches for is left alone.
    bool exists = false;
    emit tellSeqScreenExists(row, &exists);
    return exists;
}

void KvSeqMainView::updateDragTarget(const QPoint& viewPos)
{
    QMutexLocker locker(&m_mutex);

    const QPointF scenePos = mapToScene(viewPos);
    KvSeqScreenLineItem* line = lineItemAt(scenePos);
    KvSeqScreen* row = line ? line->seqScreen() : nullptr;

    if (row != m_dropRow) {
        if (m_dropRow && rowExists(m_dropRow))
            m_dropRow->resetInsertIndex(false);
        m_dropRow = row;
        // The gap of the new row is opened from scratch.
        m_itemUnderDrag = nullptr;
    }
    if (!row) {
        m_itemUnderDrag = nullptr;
        return;
    }
    if (!m_pressedItem || !sameScreenType(row, m_pressedItem->seqScreen()))
        return;

    int index = -1;
    KvSeqMediaItem* item = row->itemAtX(scenePos.x(), &index);
    if (item != m_itemUnderDrag) {
        m_itemUnderDrag = item;
        row->setInsertIndex(index, m_pressedItem);
    }
}

void KvSeqMainView::mouseReleaseEvent(QMouseEvent* event)
{
    m_releasePos = event->pos();
    const bool wasDragging = m_dragging && m_pressedItem;
    bool carriedOut = false;

    if (wasDragging) {
        const QPointF scenePos = mapToScene(event->pos());
        KvSeqScreenLineItem* line = lineItemAt(scenePos);
        KvSeqScreen* row = line ? line->seqScreen() : nullptr;
        if (row && row->itemAtX(scenePos.x()) != m_pressedItem &&
            sameScreenType(row, m_pressedItem->seqScreen())) {
            bool result = false;
            emit mediaItemDropped(event->pos(), m_pressedItem, &result);
            carriedOut = result;
        }
    }

    QPointer<KvSeqScreen> pressedRow = m_pressedItem ? m_pressedItem->seqScreen() : nullptr;
    if (m_pressedLineItem)
        m_pressedLineItem->setZValue(0.0);
    m_leftPressed = false;
    m_dragging = false;
    m_pressedItem = nullptr;
    m_pressedLineItem = nullptr;
    QGraphicsView::mouseReleaseEvent(event);

    if (wasDragging)
        endDrag(carriedOut, pressedRow);
    emit mouseReleased();
}

void KvSeqMainView::endDrag(bool carriedOut, KvSeqScreen* pressedRow)
{
    m_itemUnderDrag = nullptr;
    for (KvSeqMediaItem* item : selectedMediaItems(scene())) {
        if (carriedOut)
            item->setOpacity(1.0);
        else
            item->moveBackPositionWithAnimation();
    }
    // The rows leave their drag state: gaps close, insert indices are cleared.
    {
        QMutexLocker locker(&m_mutex);
        if (m_dropRow && rowExists(m_dropRow))
            m_dropRow->resetInsertIndex(false);
        m_dropRow = nullptr;
    }
    if (pressedRow && rowExists(pressedRow))
        pressedRow->resetInsertIndex(false);
    emit requestMoveSeqItemToPreservedPos();
}

void KvSeqMainView::leaveEvent(QEvent* event)
{
    setHoveredItem(nullptr);
    QGraphicsView::leaveEvent(event);
}

void KvSeqMainView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        emit deleteKeyPressed();
        break;
    case Qt::Key_Left:
        emit leftKeyPressed();
        break;
    case Qt::Key_Right:
        emit rightKeyPressed();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterKeyPressed();
        break;
    case Qt::Key_Z:
        if (event->modifiers() & Qt::ControlModifier)
            emit undoKeyPressed();
        break;
    default:
        break;
    }
}

void KvSeqMainView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    emit resized(event->size());
}

void KvSeqMainView::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    onSceneZeroPointChanged();
}

KvSeqScreen* KvSeqMainView::fileDropRowAt(const QPoint& viewPos, QGraphicsItem** target) const
{
    QGraphicsItem* item = itemAt(viewPos);
    KvSeqScreen* row = nullptr;
    if (auto* media = qgraphicsitem_cast<KvSeqMediaItem*>(item))
        row = media->seqScreen();
    else if (auto* line = qgraphicsitem_cast<KvSeqScreenLineItem*>(item))
        row = line->seqScreen();
    *target = row ? item : nullptr;
    return row;
}

void KvSeqMainView::resetDropRow()
{
    if (m_dropRow)
        m_dropRow->resetInsertIndex(true);
    m_dropRow = nullptr;
}

void KvSeqMainView::dragEnterEvent(QDragEnterEvent* event)
{
    // Whether the files suit the row under the pointer is decided on every move.
    if (event->mimeData() && event->mimeData()->hasFormat(KvEditorCommon::MIME_TYPE_URI))
        event->acceptProposedAction();
    else
        event->ignore();
}

void KvSeqMainView::dragMoveEvent(QDragMoveEvent* event)
{
    QGraphicsItem* target = nullptr;
    KvSeqScreen* row = fileDropRowAt(event->pos(), &target);
    Qt::DropAction action = Qt::IgnoreAction;
    if (!row || !KvMediaDropRules::canDropUris(event->mimeData(), target, &action)) {
        event->ignore();
        resetDropRow();
        return;
    }
    event->setDropAction(action);
    event->accept();
    if (row != m_dropRow) {
        resetDropRow();
        m_dropRow = row;
    }
    row->setInsertIndexAtX(mapToScene(event->pos()).x(), nullptr);
}

void KvSeqMainView::dragLeaveEvent(QDragLeaveEvent* event)
{
    resetDropRow();
    event->accept();
}

void KvSeqMainView::dropEvent(QDropEvent* event)
{
    QGraphicsItem* target = nullptr;
    KvSeqScreen* row = fileDropRowAt(event->pos(), &target);
    bool ok = false;
    const QList<KvMedia*> media =
        row ? KvMediaDropRules::createMediaListFromMimeData(event->mimeData(), row->screen(), &ok)
            : QList<KvMedia*>();
    if (media.isEmpty()) {
        event->ignore();
        resetDropRow();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();

    int index = -1;
    row->itemAtX(mapToScene(event->pos()).x(), &index);
    if (index < 0)
        index = row->count();
    QList<KvPreservedMedia*> list;
    for (int i = 0; i < media.count(); ++i)
        list.append(new KvPreservedMedia(media.at(i), -1, index + i, true, true));
    // The gap stays open: the new media take its place when they are laid out.
    m_dropRow = nullptr;
    emit requestAddMedia(list, row);
}

} // namespace Kova
