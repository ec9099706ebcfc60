#include "kvstageview.h"

#include "kvstagescene.h"

namespace Kova {

KvStageView::KvStageView(QWidget* parent)
    : QGraphicsView(parent)
{
}

KvStageView::~KvStageView() = default;

KvStageScene* KvStageView::stageScene() const
{
    return qobject_cast<KvStageScene*>(scene());
}
KvScreenItem* KvStageView::screenItemAt(const QPoint&) const
{
    return nullptr;
}
QPoint KvStageView::sceneZeroPointGlobal() const
{
    return QPoint();
}
void KvStageView::setScaleRate(double)
{
}
void KvStageView::onSceneRectChanged(QRectF)
{
}
void KvStageView::onSceneZeroPointChanged()
{
}
void KvStageView::mousePressEvent(QMouseEvent* event)
{
    QGraphicsView::mousePressEvent(event);
}
void KvStageView::mouseReleaseEvent(QMouseEvent* event)
{
    QGraphicsView::mouseReleaseEvent(event);
}
void KvStageView::mouseMoveEvent(QMouseEvent* event)
{
    QGraphicsView::mouseMoveEvent(event);
}
void KvStageView::keyPressEvent(QKeyEvent* event)
{
    QGraphicsView::keyPressEvent(event);
}
void KvStageView::keyReleaseEvent(QKeyEvent* event)
{
    QGraphicsView::keyReleaseEvent(event);
}
void KvStageView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
}
void KvStageView::dragEnterEvent(QDragEnterEvent* event)
{
    QGraphicsView::dragEnterEvent(event);
}
void KvStageView::dragMoveEvent(QDragMoveEvent* event)
{
    QGraphicsView::dragMoveEvent(event);
}
void KvStageView::dragLeaveEvent(QDragLeaveEvent* event)
{
    QGraphicsView::dragLeaveEvent(event);
}
void KvStageView::dropEvent(QDropEvent* event)
{
    QGraphicsView::dropEvent(event);
}
void KvStageView::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
}
bool KvStageView::eventFilter(QObject* watched, QEvent* event)
{
    return QGraphicsView::eventFilter(watched, event);
}
int KvStageView::handleAt(const QPointF&) const
{
    return 0;
}
void KvStageView::updateOverrideCursor(int)
{
}
void KvStageView::restoreOverrideCursor()
{
}
void KvStageView::hideDropTarget()
{
}

} // namespace Kova
