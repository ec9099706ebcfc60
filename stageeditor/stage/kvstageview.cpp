#include "kvstageview.h"

#include "kveditorcommon.h"
#include "kvmediadroprules.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvscreenselectedhandle.h"
#include "kvstagescene.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>

namespace Kova {

namespace {

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

Qt::CursorShape cursorForHandle(int handleNumber)
{
    switch (handleNumber) {
    case 1:
    case 8:
        return Qt::SizeFDiagCursor;
    case 2:
    case 7:
        return Qt::SizeVerCursor;
    case 3:
    case 6:
        return Qt::SizeBDiagCursor;
    case 4:
    case 5:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

KvStageView::KvStageView(QWidget* parent)
    : QGraphicsView(parent)
{
    setDragMode(QGraphicsView::RubberBandDrag);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                   QPainter::TextAntialiasing);
    setCacheMode(QGraphicsView::CacheBackground);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true);
    setAcceptDrops(true);

    m_verticalScrollBar = verticalScrollBar();
    m_horizontalScrollBar = horizontalScrollBar();
    m_verticalScrollBar->installEventFilter(this);
    m_horizontalScrollBar->installEventFilter(this);
}

KvStageView::~KvStageView()
{
    restoreOverrideCursor();
}

KvStageScene* KvStageView::stageScene() const
{
    return qobject_cast<KvStageScene*>(scene());
}

KvScreenItem* KvStageView::screenItemAt(const QPoint& viewPos) const
{
    QGraphicsItem* top = itemAt(viewPos);
    if (!top) {
        return nullptr;
    }
    if (auto* screenItem = qgraphicsitem_cast<KvScreenItem*>(top)) {
        return screenItem;
    }
    KvStageScene* stage = stageScene();
    if (!stage || !stage->handle() || top != stage->handle()) {
        return nullptr;
    }
    // The selection handle covers the selected screens: take the highest screen under
    // the point (on equal z values the later one in the list).
    KvScreenItem* best = nullptr;
    const QList<QGraphicsItem*> under = items(viewPos);
    for (QGraphicsItem* item : under) {
        auto* screenItem = qgraphicsitem_cast<KvScreenItem*>(item);
        if (!screenItem) {
            continue;
        }
        if (!best || screenItem->zValue() >= best->zValue()) {
            best = screenItem;
        }
    }
    return best;
}

QPoint KvStageView::sceneZeroPointGlobal() const
{
    return viewport()->mapToGlobal(mapFromScene(QPointF(0.0, 0.0)));
}

void KvStageView::setScaleRate(double rate)
{
    if (!(rate > 0.0)) {
        return;
    }
    resetTransform();
    if (KvStageScene* stage = stageScene()) {
        stage->setScaleRate(rate);
    }
    scale(rate, rate);
    emit scaleRateChanged(rate);
    emit sceneZeroPointChanged(sceneZeroPointGlobal());
}

void KvStageView::onSceneRectChanged(QRectF rect)
{
    // The view's scene rectangle only ever grows.
    const QRectF s = sceneRect();
    const double x = std::min(s.x(), rect.x());
    const double y = std::min(s.y(), rect.y());
    const double width = std::max(s.width(), rect.width() - x);
    const double height = std::max(s.height(), rect.height() - y);
    setSceneRect(x, y, width, height);
}

void KvStageView::onSceneZeroPointChanged()
{
    emit sceneZeroPointChanged(sceneZeroPointGlobal());
}

int KvStageView::handleAt(const QPointF& scenePos) const
{
    KvStageScene* stage = stageScene();
    if (!stage || !stage->handle()) {
        return 0;
    }
    // A locked screen in the selection disables resizing.
    if (stage->hasLockedScreenInSelection()) {
        return 0;
    }
    return stage->handle()->handleAt(scenePos);
}

void KvStageView::mousePressEvent(QMouseEvent* event)
{
    m_pressPos = event->pos();
    const QPointF scenePos = mapToScene(event->pos());
    emit mousePressedAsScene(scenePos);

    KvStageScene* stage = stageScene();
    const int handleNumber = event->button() == Qt::LeftButton ? handleAt(scenePos) : 0;
    if (handleNumber != 0 && stage) {
        m_resizing = true;
        m_handleNumber = handleNumber;
        stage->handle()->saveStartRect();
        stage->saveStartRects();
        event->accept();
        return;
    }
    KvStageScene::SelectionBatch batch(stage);
    QGraphicsView::mousePressEvent(event);
}

void KvStageView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF scenePos = mapToScene(event->pos());
    emit mousePositionChanged(event->globalPos());
    emit mousePositionChangedAsScene(scenePos);
    emit sceneZeroPointChanged(sceneZeroPointGlobal());

    KvStageScene* stage = stageScene();
    if (!m_resizing || !stage || !stage->handle()) {
        const int handleNumber = handleAt(scenePos);
        if (handleNumber != 0) {
            updateOverrideCursor(handleNumber);
        } else {
            restoreOverrideCursor();
        }
        KvStageScene::SelectionBatch batch(stage);
        QGraphicsView::mouseMoveEvent(event);
        return;
    }

    const QTransform t = transform();
    const double sx = t.m11() != 0.0 ? t.m11() : 1.0;
    const double sy = t.m22() != 0.0 ? t.m22() : 1.0;
    const double dx = (event->pos().x() - m_pressPos.x()) / sx;
    const double dy = (event->pos().y() - m_pressPos.y()) / sy;
    const bool keepAspect = event->modifiers() & Qt::ShiftModifier;
    KvScreenSelectedHandle* handle = stage->handle();
    const QRectF outer = handle->resize(dx, dy, m_handleNumber, keepAspect);
    stage->resizeSelectedItems(handle->innerRect(handle->startRect()), handle->innerRect(outer));
    stage->update();
    QGraphicsView::mouseMoveEvent(event);
}

void KvStageView::mouseReleaseEvent(QMouseEvent* event)
{
    KvStageScene* stage = stageScene();
    if (m_resizing) {
        emit screenResized();
    } else if (event->pos() != m_pressPos && stage) {
        const QList<KvScreenItem*> selected = stage->selectedScreenItems();
        for (KvScreenItem* item : selected) {
            if (item->isMovedFromScreen()) {
                emit screenMoved();
                break;
            }
        }
    }
    m_resizing = false;
    m_handleNumber = 0;
    emit mouseReleasedAsScene(mapToScene(event->pos()));
    KvStageScene::SelectionBatch batch(stageScene());
    QGraphicsView::mouseReleaseEvent(event);
}

void KvStageView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Delete) {
        emit deleteKeyPressed();
        event->accept();
        QGraphicsView::keyPressEvent(event);
        return;
    }
    KvStageScene* stage = stageScene();
    if (isArrowKey(key) && stage) {
        const QList<KvScreenItem*> selected = stage->selectedScreenItems();
        if (!selected.isEmpty()) {
            double dx = 0.0;
            double dy = 0.0;
            switch (key) {
            case Qt::Key_Left:
                dx = -1.0;
                break;
            case Qt::Key_Right:
                dx = 1.0;
                break;
            case Qt::Key_Up:
                dy = -1.0;
                break;
            default:
                dy = 1.0;
                break;
            }
            {
                // Each item checks the locks itself and refuses the move when needed.
                KvStageScene::SelectionBatch batch(stage);
                for (KvScreenItem* item : selected) {
                    item->moveBy(dx, dy);
                }
            }
            m_arrowKey = true;
            event->accept();
            return;
        }
    }
    QGraphicsView::keyPressEvent(event);
}

void KvStageView::keyReleaseEvent(QKeyEvent* event)
{
    if (isArrowKey(event->key()) && !event->isAutoRepeat() && m_arrowKey) {
        m_arrowKey = false;
        emit arrowKeyReleased();
        event->accept();
        return;
    }
    QGraphicsView::keyReleaseEvent(event);
}

void KvStageView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    emit sceneZeroPointChanged(sceneZeroPointGlobal());
}

void KvStageView::leaveEvent(QEvent* event)
{
    // A resize cursor must not stay behind once the pointer has left the canvas.
    if (!m_resizing) {
        restoreOverrideCursor();
    }
    QGraphicsView::leaveEvent(event);
}

void KvStageView::dragEnterEvent(QDragEnterEvent* event)
{
    // Whether a screen suits the files is settled over each screen in dragMoveEvent.
    if (m_mediaDropEnabled && event->mimeData() &&
        event->mimeData()->hasFormat(KvEditorCommon::MIME_TYPE_URI)) {
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
        return;
    }
    event->ignore();
}

void KvStageView::dragMoveEvent(QDragMoveEvent* event)
{
    KvStageScene* stage = stageScene();
    KvScreenItem* item = m_mediaDropEnabled ? screenItemAt(event->pos()) : nullptr;
    Qt::DropAction action = Qt::IgnoreAction;
    if (item && stage && KvMediaDropRules::canDropUris(event->mimeData(), item, &action)) {
        event->setDropAction(action);
        event->accept();
        if (item != m_dropTarget) {
            stage->hideDropHighlight();
            m_dropTarget = item;
            stage->showDropHighlight(item->sceneBoundingRect());
        }
        return;
    }
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
    hideDropTarget();
}

void KvStageView::dragLeaveEvent(QDragLeaveEvent* event)
{
    hideDropTarget();
    event->accept();
}

void KvStageView::dropEvent(QDropEvent* event)
{
    hideDropTarget();
    KvScreenItem* item = m_mediaDropEnabled ? screenItemAt(event->pos()) : nullptr;
    KvScreen* screen = item ? item->screen() : nullptr;
    if (!screen) {
        event->ignore();
        return;
    }
    // What the drag refused over this screen is refused on the drop as well.
    if (!KvMediaDropRules::canDropUris(event->mimeData(), item, nullptr)) {
        event->ignore();
        return;
    }
    bool ok = false;
    const QList<KvMedia*> mediaList =
        KvMediaDropRules::createMediaListFromMimeData(event->mimeData(), screen, &ok);
    if (mediaList.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    QList<KvPreservedMedia*> records;
    records.reserve(mediaList.size());
    for (KvMedia* media : mediaList) {
        records.append(new KvPreservedMedia(media, -1, -1, true, true));
    }
    emit requestAddMedia(records, screen);
}

void KvStageView::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    emit sceneZeroPointChanged(sceneZeroPointGlobal());
}

bool KvStageView::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_verticalScrollBar || watched == m_horizontalScrollBar) &&
        event->type() == QEvent::MouseButtonPress) {
        emit mousePressedOnScrollBar();
        return false;
    }
    return QGraphicsView::eventFilter(watched, event);
}

void KvStageView::updateOverrideCursor(int handleNumber)
{
    const Qt::CursorShape shape = cursorForHandle(handleNumber);
    if (m_overrideCursorSet) {
        QApplication::changeOverrideCursor(QCursor(shape));
        return;
    }
    QApplication::setOverrideCursor(QCursor(shape));
    m_overrideCursorSet = true;
}

void KvStageView::restoreOverrideCursor()
{
    if (!m_overrideCursorSet) {
        return;
    }
    QApplication::restoreOverrideCursor();
    m_overrideCursorSet = false;
}

void KvStageView::clearDropTarget()
{
    hideDropTarget();
}

void KvStageView::hideDropTarget()
{
    m_dropTarget = nullptr;
    if (KvStageScene* stage = stageScene()) {
        stage->hideDropHighlight();
    }
}

} // namespace Kova
