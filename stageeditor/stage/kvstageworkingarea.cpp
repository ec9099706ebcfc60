#include "kvstageworkingarea.h"

#include "kvstagescene.h"
#include "kvstageview.h"

#include <QUndoStack>

namespace Kova {

KvStageWorkingArea::UndoMediaReader KvStageWorkingArea::s_undoMediaReader = nullptr;

KvStageWorkingArea::KvStageWorkingArea(KvStage* stage, QString dataFolder, QWidget* parent)
    : QWidget(parent)
    , m_undoStack(new QUndoStack(this))
    , m_stage(stage)
    , m_dataFolder(dataFolder)
{
    m_view = new KvStageView(this);
    m_scene = new KvStageScene(m_view);
    m_view->setScene(m_scene);
}

KvStageWorkingArea::~KvStageWorkingArea() = default;

KvScreen* KvStageWorkingArea::createScreen(int, const QRectF&, const QString&)
{
    return nullptr;
}
void KvStageWorkingArea::addScreenItems(const QList<KvScreen*>&)
{
}
void KvStageWorkingArea::removeScreenItem(KvScreen*)
{
}
void KvStageWorkingArea::clearScreenSelection()
{
}
void KvStageWorkingArea::selectScreenItem(const QList<KvScreen*>&, bool, bool)
{
}
QList<KvScreen*> KvStageWorkingArea::selectedScreens() const
{
    return {};
}
QList<KvScreen*> KvStageWorkingArea::screens() const
{
    return {};
}
bool KvStageWorkingArea::hasSelectedItem() const
{
    return false;
}
bool KvStageWorkingArea::hasLockedScreenItemInSelection() const
{
    return false;
}
QRectF KvStageWorkingArea::selectionRect(QMap<KvScreen*, QRectF>*) const
{
    return QRectF();
}
QMap<KvScreen*, QPointF> KvStageWorkingArea::selectedScreenMoved()
{
    return {};
}
QMap<KvScreen*, QRectF> KvStageWorkingArea::selectedScreenResized()
{
    return {};
}
void KvStageWorkingArea::setSelectedItemName(const QString&)
{
}
void KvStageWorkingArea::updateScreenItemBackColor(const QList<KvScreen*>&)
{
}
void KvStageWorkingArea::updateScreenItemName(KvScreen*)
{
}
void KvStageWorkingArea::updateScreenItemPos(const QList<KvScreen*>&)
{
}
void KvStageWorkingArea::updateScreenItemRect(const QList<KvScreen*>&)
{
}
void KvStageWorkingArea::updateScreenItemZIndex(const QMap<KvScreen*, bool>&, bool)
{
}
void KvStageWorkingArea::updateSelectedHandle()
{
}
bool KvStageWorkingArea::isStageChanged() const
{
    return false;
}
void KvStageWorkingArea::resetInitialStage()
{
}
QGraphicsScene* KvStageWorkingArea::takeScene()
{
    return nullptr;
}
QColor KvStageWorkingArea::setStageBackgroundColor(const QColor&)
{
    return QColor();
}
QString KvStageWorkingArea::setStageBackgroundImage(const QString&, bool*)
{
    return QString();
}
unsigned int KvStageWorkingArea::setStageOptions(unsigned int)
{
    return 0;
}
QPointF KvStageWorkingArea::setStagePos(const QPointF&)
{
    return QPointF();
}
QSizeF KvStageWorkingArea::setStageSize(const QSizeF&)
{
    return QSizeF();
}
void KvStageWorkingArea::setStageItemSize(const QSizeF&)
{
}
bool KvStageWorkingArea::isFileUsingInOpenedStage(const QStringList&, QPair<QString, QString>*,
                                                  Qt::CaseSensitivity) const
{
    return false;
}
void KvStageWorkingArea::setUndoMediaReader(UndoMediaReader reader)
{
    s_undoMediaReader = reader;
}
KvStageWorkingArea::UndoMediaReader KvStageWorkingArea::undoMediaReader()
{
    return s_undoMediaReader;
}
void KvStageWorkingArea::onDeleteKeyPressed()
{
    emit deleteKeyPressed();
}
void KvStageWorkingArea::onMouseReleased(QPointF)
{
}
void KvStageWorkingArea::onScreenMoved()
{
    emit screenMoved();
}
void KvStageWorkingArea::onScreenResized()
{
    emit screenResized();
}
void KvStageWorkingArea::onContextMenuRequired(QPoint)
{
}
void KvStageWorkingArea::onItemSelectionChanged()
{
    emit screenSelectionChanged(this);
}
void KvStageWorkingArea::onSelectedHandleRectChanged(QRectF rect)
{
    emit selectedHandleRectChanged(rect);
}
void KvStageWorkingArea::onMainViewScaleRateChanged(double)
{
}
void KvStageWorkingArea::changeSelectedItemsPos(QPointF)
{
}
void KvStageWorkingArea::commitSelectedItemsPos()
{
}
void KvStageWorkingArea::changeSelectedItemsSize(QSizeF)
{
}
void KvStageWorkingArea::commitSelectedItemsSize()
{
}
void KvStageWorkingArea::onMousePressedOnMainViewScrollBar()
{
    emit mousePressed();
}
void KvStageWorkingArea::onSelectedItemsCountChanged(bool)
{
    emit screenSelectionChanged(this);
}
void KvStageWorkingArea::onRequestAddMedia(QList<KvPreservedMedia*>& mediaList, KvScreen* screen)
{
    emit requestAddMedia(mediaList, screen);
}
int KvStageWorkingArea::zoomRateAsPercent() const
{
    return 100;
}
double KvStageWorkingArea::zoomRate() const
{
    return 1.0;
}
void KvStageWorkingArea::setZoomRate(int)
{
}
void KvStageWorkingArea::setZoomRate(double)
{
}
void KvStageWorkingArea::onStagePropertyChanged(bool)
{
    emit requestTabLabelNameToUnsavedState(this);
}
void KvStageWorkingArea::onStagePropertyChanged(int)
{
    emit requestTabLabelNameToUnsavedState(this);
}
bool KvStageWorkingArea::eventFilter(QObject* watched, QEvent* event)
{
    return QWidget::eventFilter(watched, event);
}
void KvStageWorkingArea::buildLayout()
{
}
void KvStageWorkingArea::connectScene()
{
}
void KvStageWorkingArea::disconnectScene()
{
}
KvScreenItem* KvStageWorkingArea::newScreenItem(KvScreen*)
{
    return nullptr;
}
QList<KvScreenItem*> KvStageWorkingArea::selectedScreenItems() const
{
    return {};
}
void KvStageWorkingArea::selectExactly(const QList<KvScreen*>&)
{
}
bool KvStageWorkingArea::matchesPath(const QString&, const QString&, Qt::CaseSensitivity)
{
    return false;
}

} // namespace Kova
