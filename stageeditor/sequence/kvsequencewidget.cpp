#include "kvsequencewidget.h"

#include "kveditorconfig.h"
#include "kveventaction.h"
#include "kvextension.h"
#include "kvmediapropertycopierdialog.h"
#include "kvmediapropertycopierwidget.h"
#include "kvmediapropertydialog.h"
#include "kvmenuaction.h"
#include "kvpluginguiinterface.h"
#include "kvpreservedmedia.h"
#include "kvrulerwidget.h"
#include "kvscreen.h"
#include "kvseqlabelareawidget.h"
#include "kvseqmainscene.h"
#include "kvseqmainview.h"
#include "kvseqscreenlineitem.h"
#include "kvstage.h"
#include "path.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHash>
#include <QMenu>
#include <QMessageBox>
#include <QMetaMethod>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTimer>

namespace Kova {

namespace {

const QString LISTEN_ACTION_PREFIX = QStringLiteral("Action_Listen_Event_Screen_");
const QString TEXT_MIME_TYPE = QStringLiteral("text/plain");
constexpr int SCROLL_DELAY_MS = 20;

bool hasRaiseEventOfType(const KvScreen* screen, int type)
{
    for (const KvEvent& event : screen->raiseEventList()) {
        if (event.type() == type)
            return true;
    }
    return false;
}

// The screen types named by a clipboard screen-type part ("ScreenType{multimedia,telop};").
QList<ScreenType::ScreenTypes> parseScreenTypes(QString text)
{
    QList<ScreenType::ScreenTypes> types;
    const QString prefix = QStringLiteral("ScreenType{");
    if (!text.startsWith(prefix, Qt::CaseInsensitive))
        return types;
    text.remove(0, prefix.length());
    text.remove(QLatin1Char('}'));
    text.remove(QLatin1Char(';'));
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const ScreenType::ScreenTypes type = ScreenType::Convert::toType(part);
        if (type != ScreenType::Unknown)
            types.append(type);
    }
    return types;
}

} // namespace

KvSequenceWidget::KvSequenceWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("SequenceWidget"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QScrollArea().palette().color(QPalette::Window));
    setPalette(pal);
    setAutoFillBackground(true);

    m_view = new KvSeqMainView(this);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_scene = new KvSeqMainScene(m_view);
    m_view->setScene(m_scene);
    m_labelArea = new KvSeqLabelAreaWidget(this);
    m_labelArea->setRows(&m_rows);
    m_ruler = new KvRulerWidget(KvRulerWidget::Horizontal, QColor(Qt::lightGray), QColor(Qt::black),
                                this);
    m_ruler->setScaleRate(KvSeqMediaItem::SECOND_PAR_PIXEL);
    m_ruler->setTimeMode(true);

    auto* layout = new QGridLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_ruler, 1, 1, Qt::AlignBottom);
    layout->addWidget(m_labelArea, 2, 0);
    layout->addWidget(m_view, 2, 1);

    using V = KvSeqMainView;
    using W = KvSequenceWidget;
    connect(m_view, &V::sceneZeroPointChangedGlobalPos, m_ruler,
            &KvRulerWidget::onZeroPointChanged);
    connect(m_view, &V::mousePositionChanged, m_ruler, &KvRulerWidget::onMousePositionChanged);
    connect(m_view, &V::sceneZeroPointChanged, m_labelArea,
            [this](QPoint pos) { m_labelArea->updateMainScenePos(pos, true); });
    connect(m_view, &V::resized, this, &W::onMainViewSizeChanged);
    connect(m_view, &V::requestUpdateFileProperty, this, &W::onRequestUpdateFileProperty);
    connect(m_view, &V::requestAddMedia, this, &W::onRequestAddMedia);
    connect(m_view, &V::deleteKeyPressed, this, &W::onDeleteKeyPressed);
    connect(m_view, &V::leftKeyPressed, this, &W::onLeftKeyPressedAtSeqMainView);
    connect(m_view, &V::rightKeyPressed, this, &W::onRightKeyPressedAtSeqMainView);
    connect(m_view, &V::enterKeyPressed, this, &W::onEnterKeyPressedAtSeqMainView);
    connect(m_view, &V::undoKeyPressed, this, &W::onUndoKeyPressedAtSeqMainView);
    connect(m_view, &V::mouseReleased, this, &W::onMainViewMouseReleased);
    connect(m_view, &V::mousePressed, this, &W::onMousePressed);
    connect(m_view, &V::mediaItemDropped, this, &W::onSeqMediaItemDropped);
    connect(m_view, &V::tellSeqScreenExists, this, &W::seqScreenExists);
    connect(m_view, &V::requestMoveSeqItemToPreservedPos, this, &W::moveSeqMediaItemToPreservedPos);
    connect(m_view, &QWidget::customContextMenuRequested, this, &W::onMainViewContextMenuRequested);

    connect(m_labelArea, &KvSeqLabelAreaWidget::mousePressed, this, &W::onLabelWidgetMousePressed);
    connect(m_labelArea, &KvSeqLabelAreaWidget::mouseMoved, this, &W::onLabelWidgetMouseMoved);
    connect(m_labelArea, &KvSeqLabelAreaWidget::leaved, this, &W::onLabelWidgetLeaved);
    connect(m_labelArea, &QWidget::customContextMenuRequested, this,
            &W::onLabelWidgetContextMenuReqested);

    connect(m_scene, &QGraphicsScene::selectionChanged, this, &W::onSceneSelectionChanged);
    connect(m_scene, &QGraphicsScene::sceneRectChanged, this, &W::onSceneRectChanged);
}

KvSequenceWidget::~KvSequenceWidget()
{
    // The rows take their line items (and media items) out of the scene first.
    m_ignoreSceneSelection = true;
    qDeleteAll(m_rows);
    m_rows.clear();
    m_hoveredRow = nullptr;
    qDeleteAll(m_clipboardMedia);
    m_clipboardMedia.clear();
    if (QGraphicsScene* scene = takeGraphicsScene()) {
        static const QMetaMethod purged =
            QMetaMethod::fromSignal(&KvSequenceWidget::graphicsScenePurged);
        if (isSignalConnected(purged))
            emit graphicsScenePurged(scene);
        else
            delete scene; // nobody takes it over
    }
}

void KvSequenceWidget::recalculateLineWidth()
{
    double widest = 0.0;
    for (const KvSeqScreen* row : qAsConst(m_rows))
        widest = qMax(widest, row->totalWidth());
    if (widest != m_lineWidth) {
        m_lineWidth = widest;
        emit updateLineItemWidth(m_lineWidth);
    }
}

QGraphicsScene* KvSequenceWidget::takeGraphicsScene()
{
    KvSeqMainScene* scene = m_scene;
    if (!scene)
        return nullptr;
    m_scene = nullptr;
    disconnect(scene, nullptr, this, nullptr);
    disconnect(this, nullptr, scene, nullptr);
    if (m_view) {
        disconnect(scene, nullptr, m_view, nullptr);
        m_view->setScene(nullptr);
    }
    scene->setParent(nullptr);
    return scene;
}

// ---- Rows ---------------------------------------------------------------------------------

void KvSequenceWidget::addScreenToSequence(QList<KvScreen*>& screens, bool selected,
                                           bool clearSelectionFirst)
{
    if (screens.isEmpty() || !m_scene)
        return;
    if (clearSelectionFirst) {
        for (KvSeqScreen* row : qAsConst(m_rows)) {
            row->setSelected(false);
            if (row->lineItem())
                row->lineItem()->setSelected(false);
        }
    }
    QList<KvScreen*> sorted = screens;
    KvEditorCommon::sortScreenByZIndexAscending(sorted);
    const double width = m_lineWidth > 0.0 ? m_lineWidth : double(m_view->width());

    QStringList paths;
    // New rows show their media selected until the scene selection is cleared below.
    m_ignoreSceneSelection = true;
    m_addingRows = true;
    using W = KvSequenceWidget;
    for (KvScreen* screen : qAsConst(sorted)) {
        if (!screen || rowOfScreen(screen))
            continue;
        auto* row = new KvSeqScreen(screen, m_scene);
        row->setViewMode(m_viewMode);
        row->setShowDuration(m_showDuration);
        row->setSelected(selected);
        row->updateLineItemWidth(width);
        connect(row, &KvSeqScreen::mediaItemAdded, this, &W::onMediaItemAdded);
        connect(row, &KvSeqScreen::mediaItemRemoved, m_view, &KvSeqMainView::onMediaItemRemoved);
        connect(row, &KvSeqScreen::restoreZValueSeqScreenLineItemsRequested, this,
                &W::restoreZValueSeqScreenLineItems);
        connect(row, &KvSeqScreen::mediaItemsWidthChanged, this, &W::onMediaItemsWidthChanged);
        connect(this, &W::updateLineItemWidth, row, &KvSeqScreen::updateLineItemWidth);
        connect(row, &KvSeqScreen::durationChanged, this, &W::onSeqScreenDurationChanged);
        connect(row, &KvSeqScreen::mediaUriDisabled, this, &W::onMediaUriDisabled);
        m_rows.append(row);
        for (KvSeqMediaItem* item : row->items())
            emit row->mediaItemAdded(item);
        row->updateDuration();
        for (const QString& path : row->mediaFilePaths()) {
            if (!paths.contains(path))
                paths.append(path);
        }
    }
    m_ignoreSceneSelection = false;
    m_addingRows = false;
    sortRows();
    arrangeRows();
    m_labelArea->updateLabelPixmap();
    m_ignoreSceneSelection = true;
    m_scene->clearSelection();
    m_ignoreSceneSelection = false;
    emit requestUpdateFileProperty(paths);
    emit requestArrangeMenuOpenningCheckOnSequence();
    correctSceneRect();
}

void KvSequenceWidget::sortRows()
{
    for (int i = 0; i < m_rows.count(); ++i) {
        for (int j = i + 1; j < m_rows.count(); ++j) {
            if (m_rows.at(i)->screen()->zIndex() > m_rows.at(j)->screen()->zIndex())
                m_rows.swapItemsAt(i, j);
        }
    }
}

void KvSequenceWidget::arrangeRows(const QList<KvScreen*>& selectedScreens)
{
    double y = -1.0;
    for (int i = m_rows.count() - 1; i >= 0; --i) {
        KvSeqScreen* row = m_rows.at(i);
        row->setTop(int(y + 1.0));
        y = row->rect().bottom();
        if (!selectedScreens.isEmpty())
            row->setSelected(selectedScreens.contains(row->screen()));
    }
}

void KvSequenceWidget::removeScreensFromSequence(QList<KvScreen*>& screens,
                                                 QMap<KvScreen*, QList<int>>* preservedSelection)
{
    m_ignoreSceneSelection = true;
    for (int i = m_rows.count() - 1; i >= 0; --i) {
        KvSeqScreen* row = m_rows.at(i);
        if (!screens.contains(row->screen()))
            continue;
        if (preservedSelection)
            preservedSelection->insert(row->screen(), row->selectedIndices());
        m_rows.removeAt(i);
        if (m_hoveredRow == row)
            m_hoveredRow = nullptr;
        delete row;
    }
    m_ignoreSceneSelection = false;
    arrangeRows();
    m_labelArea->updateLabelPixmap();
    if (m_scene)
        m_scene->update();
    correctSceneRect();
    emit requestArrangeMenuOpenningCheckOnSequence();
}

KvSeqScreen* KvSequenceWidget::rowAt(int screenIndex) const
{
    return m_rows.value(screenIndex, nullptr);
}

KvSeqScreen* KvSequenceWidget::rowOfScreen(const KvScreen* screen) const
{
    for (KvSeqScreen* row : m_rows) {
        if (row->screen() == screen)
            return row;
    }
    return nullptr;
}

KvSeqScreen* KvSequenceWidget::rowAtLabelY(int y) const
{
    const double sceneY = y - m_labelArea->scenePos().y();
    for (KvSeqScreen* row : m_rows) {
        const QRectF rect = row->rect();
        if (sceneY >= rect.top() && sceneY <= rect.bottom())
            return row;
    }
    return nullptr;
}

KvSeqScreen* KvSequenceWidget::rowAtViewPos(const QPoint& viewPos) const
{
    if (!m_scene)
        return nullptr;
    KvSeqScreenLineItem* line = m_view->lineItemAt(m_view->mapToScene(viewPos));
    KvSeqScreen* row = line ? line->seqScreen() : nullptr;
    return m_rows.contains(row) ? row : nullptr;
}

QPointF KvSequenceWidget::lastReleaseScenePos() const
{
    return m_view->mapToScene(m_view->releasePos());
}

void KvSequenceWidget::updateRowDuration(KvSeqScreen* row)
{
    row->updateDuration();
    row->updateItemsLayout();
}

void KvSequenceWidget::correctSceneRect()
{
    if (!m_scene)
        return;
    QRectF rect;
    for (const KvSeqScreen* row : qAsConst(m_rows)) {
        if (const KvSeqScreenLineItem* line = row->lineItem())
            rect = rect.united(line->boundingRect().translated(line->pos()));
    }
    m_scene->setSceneRect(rect);
}

void KvSequenceWidget::onMainViewSizeChanged(QSize size)
{
    Q_UNUSED(size)
    for (KvSeqScreen* row : qAsConst(m_rows))
        row->updateLineItemWidth(m_lineWidth);
    correctSceneRect();
}

void KvSequenceWidget::onMediaItemsWidthChanged(double oldWidth, double newWidth)
{
    if (newWidth > m_lineWidth) {
        m_lineWidth = newWidth;
    } else if (newWidth < oldWidth) {
        double widest = 0.0;
        for (const KvSeqScreen* row : qAsConst(m_rows))
            widest = qMax(widest, row->totalWidth());
        m_lineWidth = widest;
    } else {
        return;
    }
    emit updateLineItemWidth(m_lineWidth);
}

void KvSequenceWidget::correctScrollPosition()
{
    KvSeqMediaItem* item = m_lastAddedItem;
    m_lastAddedItem = nullptr;
    if (!item || !item->seqScreen() || !m_rows.contains(item->seqScreen()))
        return;
    QRectF rect = item->boundingRect().translated(item->scenePos());
    rect.moveTop(item->seqScreen()->rect().top());
    QScrollBar* h = m_view->horizontalScrollBar();
    if (rect.left() < h->value())
        h->setValue(int(rect.left()));
    else if (rect.right() > h->value() + h->pageStep())
        h->setValue(int(rect.right() - h->pageStep()));
    QScrollBar* v = m_view->verticalScrollBar();
    if (rect.top() < v->value())
        v->setValue(int(rect.top()));
    else if (rect.bottom() > v->value() + v->pageStep())
        v->setValue(int(rect.bottom() - v->pageStep()));
}

void KvSequenceWidget::onSceneRectChanged(QRectF rect)
{
    Q_UNUSED(rect)
}

// ---- Selection ----------------------------------------------------------------------------

void KvSequenceWidget::onScreenSelectionChanged(QList<KvScreen*> screens)
{
    for (KvSeqScreen* row : qAsConst(m_rows)) {
        const bool selected = screens.contains(row->screen());
        row->setSelected(selected);
        if (!selected)
            row->clearSelection();
    }
    m_labelArea->updateLabelPixmap();
}

void KvSequenceWidget::onSceneSelectionChanged()
{
    if (m_ignoreSceneSelection || !m_scene)
        return;
    const QList<QGraphicsItem*> selected = m_scene->selectedItems();
    if (selected.isEmpty())
        return;
    auto* item = qgraphicsitem_cast<KvSeqMediaItem*>(selected.first());
    KvSeqScreen* row = item ? item->seqScreen() : nullptr;
    if (!row || !m_rows.contains(row))
        return;
    for (const KvSeqScreen* other : qAsConst(m_rows)) {
        if (other->isSelected() != (other == row)) {
            emit changeScreenSelection({row->screen()});
            return;
        }
    }
}

void KvSequenceWidget::onLabelWidgetMousePressed(QMouseEvent* event)
{
    if (!event || event->button() != Qt::LeftButton)
        return;
    emit seqScreenActivated();
    KvSeqScreen* pressed = rowAtLabelY(event->pos().y());
    QList<KvScreen*> screens;
    if (event->modifiers() & Qt::ControlModifier) {
        for (KvSeqScreen* row : qAsConst(m_rows)) {
            const bool selected = row == pressed ? !row->isSelected() : row->isSelected();
            if (selected)
                screens.append(row->screen());
        }
    } else if (pressed) {
        screens.append(pressed->screen());
    }
    emit changeScreenSelection(screens);
}

void KvSequenceWidget::onLabelWidgetMouseMoved(QMouseEvent* event)
{
    KvSeqScreen* hovered = event ? rowAtLabelY(event->pos().y()) : nullptr;
    for (KvSeqScreen* row : qAsConst(m_rows))
        row->setHovered(row == hovered);
    if (hovered != m_hoveredRow) {
        m_hoveredRow = hovered;
        m_labelArea->updateLabelPixmap();
    }
}

void KvSequenceWidget::onLabelWidgetLeaved()
{
    for (KvSeqScreen* row : qAsConst(m_rows))
        row->setHovered(false);
    if (m_hoveredRow) {
        m_hoveredRow = nullptr;
        m_labelArea->updateLabelPixmap();
    }
}

void KvSequenceWidget::onLabelWidgetContextMenuReqested(QPoint pos)
{
    emit sequenceLabelContextMenuRequested(m_labelArea->mapToGlobal(pos));
}

void KvSequenceWidget::onMainViewContextMenuRequested(QPoint pos)
{
    // A scroll area reports the request in its viewport's coordinates.
    emit sequenceMainViewContextMenuRequested(m_view->viewport()->mapToGlobal(pos));
}

void KvSequenceWidget::updateSequenceMediaItemSelection(
    const QMap<KvScreen*, QList<int>>& selection)
{
    if (!m_scene)
        return;
    m_ignoreSceneSelection = true;
    m_scene->clearSelection();
    for (KvSeqScreen* row : qAsConst(m_rows)) {
        if (selection.contains(row->screen()))
            row->selectByIndices(selection.value(row->screen()));
    }
    m_ignoreSceneSelection = false;
}

QList<KvSeqMediaItem*> KvSequenceWidget::selectedMediaItems() const
{
    QList<KvSeqMediaItem*> items;
    for (const KvSeqScreen* row : m_rows)
        items += row->selectedItems();
    return items;
}

QList<QPair<int, int>> KvSequenceWidget::selectedMediaIndices() const
{
    QList<QPair<int, int>> pairs;
    for (int r = 0; r < m_rows.count(); ++r) {
        for (int index : m_rows.at(r)->selectedIndices())
            pairs.append(qMakePair(r, index));
    }
    return pairs;
}

bool KvSequenceWidget::hasSelectedMedia() const
{
    for (const KvSeqScreen* row : m_rows) {
        if (!row->selectedIndices().isEmpty())
            return true;
    }
    return false;
}

void KvSequenceWidget::collectSelectedMedia(QList<KvPreservedMedia*>& list, bool copyMedia)
{
    for (const QPair<int, int>& pair : selectedMediaIndices()) {
        KvSeqMediaItem* item = m_rows.at(pair.first)->itemAt(pair.second);
        if (!item || !item->media())
            continue;
        KvMedia* media = copyMedia ? new KvMedia(*item->media()) : item->media();
        list.append(new KvPreservedMedia(media, pair.first, pair.second, true, true));
    }
}

int KvSequenceWidget::indexOfMediaItem(KvSeqMediaItem* item, int* screenIndex) const
{
    for (int r = 0; r < m_rows.count(); ++r) {
        const int index = m_rows.at(r)->items().indexOf(item);
        if (index >= 0) {
            if (screenIndex)
                *screenIndex = r;
            return index;
        }
    }
    if (screenIndex)
        *screenIndex = -1;
    return -1;
}

void KvSequenceWidget::clearSequenceMediaItemSelection()
{
    if (m_scene)
        m_scene->clearSelection();
}

void KvSequenceWidget::clearLastHoveredItem()
{
    // The view drops its hover mark as when the pointer leaves it.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(m_view, &leave);
}

// ---- Helpers for the view ------------------------------------------------------------------

void KvSequenceWidget::seqScreenExists(const KvSeqScreen* seqScreen, bool* exists)
{
    if (exists)
        *exists = m_rows.contains(const_cast<KvSeqScreen*>(seqScreen));
}

void KvSequenceWidget::moveSeqMediaItemToPreservedPos(KvSeqScreen* exceptScreen)
{
    for (KvSeqScreen* row : qAsConst(m_rows)) {
        if (row != exceptScreen)
            row->resetInsertIndex(false);
    }
}

void KvSequenceWidget::restoreZValueSeqScreenLineItems(KvSeqScreenLineItem* exceptItem)
{
    for (KvSeqScreen* row : qAsConst(m_rows)) {
        if (row->lineItem() && row->lineItem() != exceptItem)
            row->lineItem()->restoreZValue();
    }
}

void KvSequenceWidget::onMediaItemAdded(KvSeqMediaItem* item)
{
    if (!item)
        return;
    connect(item, &KvSeqMediaItem::mouseDoubleClicked, this,
            &KvSequenceWidget::showMediaItemProperty, Qt::UniqueConnection);
    m_lastAddedItem = item;
}

void KvSequenceWidget::onMousePressed()
{
    emit mousePressed();
}

void KvSequenceWidget::onMainViewMouseReleased()
{
    emit requestArrangeMenuOpenningCheckOnSequence();
}

void KvSequenceWidget::onRequestUpdateFileProperty(QStringList& fileList)
{
    emit requestUpdateFileProperty(fileList);
}

void KvSequenceWidget::onSeqScreenActivated()
{
    emit seqScreenActivated();
}

void KvSequenceWidget::onDeleteKeyPressed()
{
    emit deleteKeyPressed();
}

void KvSequenceWidget::onLeftKeyPressedAtSeqMainView()
{
    emit leftKeyPressedAtSeqMainView();
}

void KvSequenceWidget::onRightKeyPressedAtSeqMainView()
{
    emit rightKeyPressedAtSeqMainView();
}

void KvSequenceWidget::onUndoKeyPressedAtSeqMainView()
{
    emit undoKeyPressed();
}

void KvSequenceWidget::onEnterKeyPressedAtSeqMainView()
{
    const QList<KvSeqMediaItem*> items = selectedMediaItems();
    if (items.count() == 1)
        showMediaItemProperty(items.first());
}

void KvSequenceWidget::onSeqMediaItemDropped(QPoint pos, KvSeqMediaItem* pressedItem, bool* result)
{
    auto fail = [result]() {
        if (result)
            *result = false;
    };
    if (!m_view || !pressedItem)
        return fail();
    KvSeqScreen* row = rowAtViewPos(pos);
    const int rowIndex = m_rows.indexOf(row);
    if (!row || rowIndex < 0)
        return fail();
    int target = -1;
    if (!row->itemAtX(m_view->mapToScene(pos).x(), &target))
        target = row->count();

    int basisRow = -1;
    const int basisIndex = indexOfMediaItem(pressedItem, &basisRow);
    if (basisRow == rowIndex) {
        if (target == basisIndex)
            return fail();
        if (target >= row->count()) {
            if (basisIndex == row->count() - 1)
                return fail();
            target = row->count() - 1;
        }
    }
    if (result)
        *result = true;
    emit requestMoveSelectedMedia(rowIndex, target, basisRow, basisIndex, result);
}

void KvSequenceWidget::onRequestAddMedia(QList<KvPreservedMedia*>& mediaList,
                                         KvSeqScreen* seqScreen)
{
    const int rowIndex = m_rows.indexOf(seqScreen);
    for (KvPreservedMedia* record : qAsConst(mediaList))
        record->setScreenIndex(rowIndex);
    emit requestAddMedia(mediaList);
}

void KvSequenceWidget::addMediaTest()
{
    KvSeqScreen* row = m_rows.value(0, nullptr);
    if (!row)
        return;
    auto* media = new KvMedia(QStringLiteral("test.png"), MediaType::Image);
    QList<KvPreservedMedia*> list{new KvPreservedMedia(media, 0, row->count(), true, true)};
    addMedia(list);
    qDeleteAll(list);
}

// ---- Media --------------------------------------------------------------------------------

void KvSequenceWidget::addMedia(QList<KvPreservedMedia*>& mediaList)
{
    if (!m_scene)
        return;
    m_scene->clearSelection();
    QList<KvSeqScreen*> touched;
    QStringList paths;
    for (KvPreservedMedia* record : qAsConst(mediaList)) {
        KvSeqScreen* row = rowAt(record ? record->screenIndex() : -1);
        if (!row || !record->media())
            continue;
        if (row->addMedia(record->media(), record->sequenceIndex(), record->isSelected(), false)) {
            // The medium is its screen's again.
            record->setOwnsMedia(false);
            const QString path = KvEditorConfig::getAbsolutePath(record->media()->uri());
            if (!paths.contains(path))
                paths.append(path);
        }
        if (!touched.contains(row))
            touched.append(row);
    }
    for (KvSeqScreen* row : qAsConst(touched))
        updateRowDuration(row);
    emit requestUpdateFileProperty(paths);
    correctSceneRect();
    QTimer::singleShot(SCROLL_DELAY_MS, this, &KvSequenceWidget::correctScrollPosition);
}

void KvSequenceWidget::removeMedia(QList<QPair<int, int>>& indices, bool deleteMedia)
{
    QList<KvSeqScreen*> touched;
    for (int i = indices.count() - 1; i >= 0; --i) {
        KvSeqScreen* row = rowAt(indices.at(i).first);
        const int index = indices.at(i).second;
        if (!row || index < 0 || index >= row->count())
            continue;
        row->removeMediaAt(index, deleteMedia);
        if (!touched.contains(row))
            touched.append(row);
    }
    for (KvSeqScreen* row : qAsConst(touched))
        updateRowDuration(row);
    correctSceneRect();
    m_labelArea->updateLabelPixmap();
}

void KvSequenceWidget::moveMedia(QList<KvMovedIndex>& entries)
{
    if (entries.isEmpty() || m_rows.isEmpty())
        return;
    KvSeqScreen* source = rowAt(entries.first().fromScrIndex);
    KvSeqScreen* target = rowAt(entries.first().toScrIndex);
    if (!source || !target)
        return;

    QList<QPair<KvMedia*, int>> kept;
    QStringList paths;
    for (int i = entries.count() - 1; i >= 0; --i) {
        const int from = entries.at(i).fromSeqIndex;
        if (from < 0 || from >= source->count())
            continue;
        KvMedia* media = source->removeMediaAt(from, false);
        if (!media)
            continue;
        kept.prepend(qMakePair(media, entries.at(i).toSeqIndex));
        const QString path = KvEditorConfig::getAbsolutePath(media->uri());
        if (!paths.contains(path))
            paths.append(path);
    }
    for (const QPair<KvMedia*, int>& entry : qAsConst(kept))
        target->addMedia(entry.first, entry.second, true, false);

    source->updateItemsLayout();
    if (target != source)
        target->updateItemsLayout();
    source->updateDuration();
    target->updateDuration();
    m_labelArea->updateLabelPixmap();
    emit requestUpdateFileProperty(paths);
    correctSceneRect();
    emit requestArrangeMenuOpenningCheckOnSequence();
}

void KvSequenceWidget::updateMediaProperties(const KvMedia& media, int screenIndex,
                                             int sequenceIndex)
{
    KvSeqScreen* row = rowAt(screenIndex);
    KvSeqMediaItem* item = row ? row->itemAt(sequenceIndex) : nullptr;
    if (!item)
        return;
    item->updateMediaProperties(media);
    updateRowDuration(row);
}

// ---- Clipboard ----------------------------------------------------------------------------

void KvSequenceWidget::copyMedia(QList<KvPreservedMedia*>* cutList)
{
    QList<KvPreservedMedia*> records;
    collectSelectedMedia(records, false);
    if (records.isEmpty())
        return;

    qDeleteAll(m_clipboardMedia);
    m_clipboardMedia.clear();
    QList<ScreenType::ScreenTypes> types;
    QString mediaPart;
    for (const KvPreservedMedia* record : qAsConst(records)) {
        auto* copy = new KvMedia(*record->media());
        copy->setParent(nullptr);
        m_clipboardMedia.append(copy);
        const ScreenType::ScreenTypes type =
            KvExtension::getScreenType(Path::getExtension(copy->uri()));
        if (type != ScreenType::Unknown && !types.contains(type))
            types.append(type);
        mediaPart += QStringLiteral("Media{uri=%1;};").arg(copy->uri());
    }
    if (cutList) {
        cutList->append(records);
    } else {
        for (KvPreservedMedia* record : qAsConst(records))
            record->setOwnsMedia(false);
        qDeleteAll(records);
    }

    QStringList typeNames;
    for (ScreenType::ScreenTypes type : qAsConst(types))
        typeNames.append(ScreenType::Convert::toString(type));
    const QString screenPart = QStringLiteral("ScreenType{%1};").arg(typeNames.join(','));
    auto* mime = new QMimeData;
    mime->setData(KvEditorCommon::MIME_TYPE_SCREEN_TYPE, screenPart.toLatin1());
    mime->setData(KvEditorCommon::MIME_TYPE_MEDIA_OBJECT, mediaPart.toLatin1());
    mime->setData(TEXT_MIME_TYPE, (screenPart + mediaPart).toLatin1());
    QGuiApplication::clipboard()->setMimeData(mime);
}

bool KvSequenceWidget::canPasteMedia() const
{
    if (m_rows.isEmpty())
        return false;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasFormat(KvEditorCommon::MIME_TYPE_SCREEN_TYPE) ||
        !mime->hasFormat(KvEditorCommon::MIME_TYPE_MEDIA_OBJECT))
        return false;
    KvSeqScreen* row = rowAtViewPos(m_view->releasePos());
    if (!row || !row->screen())
        return false;
    const QList<ScreenType::ScreenTypes> types =
        parseScreenTypes(QString::fromLatin1(mime->data(KvEditorCommon::MIME_TYPE_SCREEN_TYPE)));
    return types.contains(row->screen()->type());
}

QList<KvPreservedMedia*> KvSequenceWidget::pasteMedia()
{
    QList<KvPreservedMedia*> records;
    KvSeqScreen* row = rowAtViewPos(m_view->releasePos());
    if (m_clipboardMedia.isEmpty() || !row)
        return records;
    int target = -1;
    if (!row->itemAtX(lastReleaseScenePos().x(), &target))
        target = row->count();
    const int rowIndex = m_rows.indexOf(row);
    for (int i = 0; i < m_clipboardMedia.count(); ++i) {
        auto* copy = new KvMedia(*m_clipboardMedia.at(i));
        records.append(new KvPreservedMedia(copy, rowIndex, target + i, true, true));
    }
    addMedia(records);
    return records;
}

bool KvSequenceWidget::canCopyMedia() const
{
    const QList<KvSeqMediaItem*> items = selectedMediaItems();
    if (items.isEmpty())
        return false;
    for (const KvSeqMediaItem* item : items) {
        const KvScreen* screen = item->seqScreen() ? item->seqScreen()->screen() : nullptr;
        if (!screen)
            return false;
        // A plug-in screen's GUI interface decides; an extended screen without one refuses.
        KvEditorCommon::applyPluginState(screen);
        if (const KvPluginGuiInterface* gui = KvEditorCommon::getPluginGuiInterface(screen)) {
            if (!gui->canCopyContents())
                return false;
        } else if (screen->type() == ScreenType::Extended) {
            return false;
        }
    }
    return true;
}

// ---- View modes and durations --------------------------------------------------------------

void KvSequenceWidget::setViewMode(KvEditorCommon::SequenceViewModes mode)
{
    if (mode == m_viewMode)
        return;
    m_viewMode = mode;
    emit viewModeChanged(mode);
}

void KvSequenceWidget::changeViewToNormalView()
{
    if (m_ruler->isTimeMode())
        return;
    m_ruler->setTimeMode(true);
    m_ruler->update();
    setViewMode(KvEditorCommon::NormalView);
    for (KvSeqScreen* row : qAsConst(m_rows)) {
        row->setViewMode(m_viewMode);
        row->updateItemsLayout();
    }
}

void KvSequenceWidget::changeViewToTimeView()
{
    if (!m_ruler->isTimeMode())
        return;
    m_ruler->setTimeMode(false);
    m_ruler->update();
    setViewMode(KvEditorCommon::TimeView);
    for (KvSeqScreen* row : qAsConst(m_rows)) {
        row->setViewMode(m_viewMode);
        row->updateItemsLayout();
    }
}

void KvSequenceWidget::showMediaDuration(bool visible)
{
    if (visible == m_showDuration)
        return;
    m_showDuration = visible;
    for (KvSeqScreen* row : qAsConst(m_rows))
        row->setShowDuration(visible);
    m_labelArea->setShowDuration(visible);
    m_labelArea->updateLabelPixmap();
    if (m_scene)
        m_scene->update();
}

void KvSequenceWidget::updateDuration(QList<KvScreen*>& screens)
{
    for (KvSeqScreen* row : qAsConst(m_rows)) {
        if (screens.contains(row->screen()))
            updateRowDuration(row);
    }
    m_labelArea->updateLabelPixmap();
}

void KvSequenceWidget::updateDuration(QList<KvSeqScreen*>& rows)
{
    for (KvSeqScreen* row : qAsConst(rows)) {
        if (m_rows.contains(row))
            updateRowDuration(row);
    }
    m_labelArea->updateLabelPixmap();
}

void KvSequenceWidget::onSeqScreenDurationChanged()
{
    if (!m_addingRows)
        m_labelArea->updateLabelPixmap();
}

void KvSequenceWidget::updateLabelAreaBackground(bool updateWidget)
{
    m_labelArea->updateLabelPixmap(updateWidget);
}

// ---- Files --------------------------------------------------------------------------------

void KvSequenceWidget::onFilePropertyUpdated(KvThumbnail::FileProperty property)
{
    KvSeqMediaItem::forgetLookedUpFile(property.filePath);
    // A stage's media name few files many times over: each URI is resolved once.
    QHash<QString, bool> uriMatches;
    QList<KvSeqMediaItem*> items;
    for (const KvSeqScreen* row : qAsConst(m_rows)) {
        for (KvSeqMediaItem* item : row->items()) {
            if (!item->media())
                continue;
            const QString uri = item->media()->uri();
            auto match = uriMatches.find(uri);
            if (match == uriMatches.end())
                match = uriMatches.insert(uri, KvEditorConfig::getAbsolutePath(uri) ==
                                                   property.filePath);
            if (match.value())
                items.append(item);
        }
    }
    if (items.isEmpty())
        return;
    QPixmap picture = KvSeqMediaItem::timelineThumbnail(property, true);
    QList<KvSeqScreen*> rows;
    for (KvSeqMediaItem* item : qAsConst(items)) {
        item->setThumbnailImage(picture);
        item->setFileProperty(property);
        item->update();
        if (!rows.contains(item->seqScreen()))
            rows.append(item->seqScreen());
    }
    for (KvSeqScreen* row : qAsConst(rows))
        row->updateItemsLayout();
}

void KvSequenceWidget::onMediaUriDisabled(QString uri)
{
    if (!m_disabledUris.contains(uri))
        m_disabledUris.append(uri);
}

void KvSequenceWidget::checkMediaDisabledUris()
{
    for (const KvSeqScreen* row : qAsConst(m_rows)) {
        for (const QString& uri : row->disabledUris())
            onMediaUriDisabled(uri);
    }
    QString files;
    for (const QString& uri : qAsConst(m_disabledUris)) {
        if (m_reportedUris.contains(uri))
            continue;
        m_reportedUris.append(uri);
        files += QStringLiteral("\n  %1").arg(QDir::toNativeSeparators(uri));
    }
    if (files.isEmpty())
        return;
    QMessageBox::critical(this, tr("Invalid Contents"),
                          tr("There are files that does not exist in the contents on the "
                             "sequence.\nPlease check the library.\n\nFiles: %1")
                              .arg(files));
}

bool KvSequenceWidget::fileMissing(const KvSeqMediaItem* item)
{
    const KvScreen* screen = item->seqScreen() ? item->seqScreen()->screen() : nullptr;
    return item->uriDisabled() && !(screen && screen->type() == ScreenType::Extended);
}

void KvSequenceWidget::showNotFound(const KvSeqMediaItem* item)
{
    QMessageBox::critical(this, tr("Not found"),
                          tr("File does not exist, or is invalid.\n\"%1\"\nThis content should "
                             "be set again.")
                              .arg(QDir::toNativeSeparators(item->media()->uri())));
}

// ---- Property dialogs ----------------------------------------------------------------------

void KvSequenceWidget::showMediaItemProperty(KvSeqMediaItem* item)
{
    if (!item || !item->media() || !item->seqScreen())
        return;
    if (fileMissing(item)) {
        showNotFound(item);
        return;
    }
    KvScreen* screen = item->seqScreen()->screen();
    if (!screen)
        return;
    if (screen->type() == ScreenType::Extended) {
        KvEditorCommon::applyPluginState(screen);
        if (KvPluginGuiInterface* gui = KvEditorCommon::getPluginGuiInterface(screen)) {
            emit requestUsePluginGui(gui);
            const QRectF sceneRect = item->mapRectToScene(item->boundingRect());
            const QRect viewRect = m_view->mapFromScene(sceneRect).boundingRect();
            gui->showContentProperty(
                item->sequenceIndex(),
                QRect(m_view->viewport()->mapToGlobal(viewRect.topLeft()), viewRect.size()));
        }
        return;
    }

    if (!m_mediaPropertyDialog)
        m_mediaPropertyDialog = new KvMediaPropertyDialog(this);
    KvMedia copy(*item->media());
    KvSeqMediaItem* next = item->forwardMediaItem();
    KvSeqMediaItem* previous = item->backwordMediaItem();
    m_mediaPropertyDialog->setMediaInformations(screen, &copy, next ? next->media() : nullptr,
                                                previous ? previous->media() : nullptr,
                                                screen->mediaList().indexOf(item->media()));
    m_mediaPropertyDialog->setPropertyToWidgetFromMediaInformation();
    QPointer<KvSeqMediaItem> guard(item);
    const int answer = m_mediaPropertyDialog->exec();
    m_mediaPropertyDialog->setMediaInformations(nullptr, nullptr, nullptr, nullptr, -1);
    if (answer == QDialog::Accepted && guard && !item->media()->isMatch(copy, true, false))
        emit updateMediaPropertiesRequested(item, copy);
}

void KvSequenceWidget::showCopyMediaItemProperty(KvSeqMediaItem* item)
{
    if (!item || !item->media())
        return;
    if (fileMissing(item)) {
        showNotFound(item);
        return;
    }
    KvMediaPropertyCopierDialog dialog(this);
    if (!m_copierDialogGeometry.isEmpty())
        dialog.setGeometry(m_copierDialogGeometry);
    dialog.mainWidget()->setMedia(item->media());
    dialog.mainWidget()->setScreens(m_stage ? m_stage->screenList() : QList<KvScreen*>());
    const int answer = dialog.exec();
    m_copierDialogGeometry = dialog.geometry();
    if (answer != QDialog::Accepted)
        return;
    const KvMedia* media = dialog.mainWidget()->media();
    const int screenId = dialog.mainWidget()->selectedScreenId();
    const QList<int> indices = dialog.mainWidget()->selectedMediaIndices();
    if (media && screenId >= 0 && !indices.isEmpty())
        emit requestCopyMediaPropertyToOthers(media, screenId, indices);
}

KvScreen* KvSequenceWidget::screenById(int id) const
{
    if (!m_stage)
        return nullptr;
    for (KvScreen* screen : m_stage->screenList()) {
        if (screen->id() == id)
            return screen;
    }
    return nullptr;
}

void KvSequenceWidget::copyMediaPropertyExceptUri(const KvMedia* source, int dstScreenId,
                                                  QList<int> dstMediaIndex,
                                                  QMap<int, KvMedia*>* preservedMedia)
{
    KvScreen* screen = source ? screenById(dstScreenId) : nullptr;
    if (!screen)
        return;
    for (int index : qAsConst(dstMediaIndex)) {
        KvMedia* media = screen->mediaList().value(index, nullptr);
        if (!media)
            continue;
        if (preservedMedia)
            preservedMedia->insert(index, new KvMedia(*media));
        const QString uri = media->uri();
        media->copyFrom(*source);
        media->setUri(uri);
    }
    if (KvSeqScreen* row = rowOfScreen(screen)) {
        for (KvSeqMediaItem* item : row->items())
            item->updateMediaProperties(*item->media());
        updateRowDuration(row);
    }
}

void KvSequenceWidget::restoreMediaPropertyExceptUri(int screenId,
                                                     QMap<int, KvMedia*>* sourceMediaList)
{
    KvScreen* screen = screenById(screenId);
    if (!screen || !sourceMediaList)
        return;
    for (auto it = sourceMediaList->cbegin(); it != sourceMediaList->cend(); ++it) {
        KvMedia* media = screen->mediaList().value(it.key(), nullptr);
        if (!media || !it.value())
            continue;
        const QString uri = media->uri();
        media->copyFrom(*it.value());
        media->setUri(uri);
    }
    if (KvSeqScreen* row = rowOfScreen(screen)) {
        for (KvSeqMediaItem* item : row->items())
            item->updateMediaProperties(*item->media());
        updateRowDuration(row);
    }
}

// ---- Event menus ---------------------------------------------------------------------------

KvScreen* KvSequenceWidget::currentScreen() const
{
    for (const KvSeqScreen* row : m_rows) {
        if (row->isSelected())
            return row->screen();
    }
    return nullptr;
}

QMenu* KvSequenceWidget::buildRaiseEventMenu()
{
    delete m_eventMenu;
    KvScreen* screen = currentScreen();
    if (!screen)
        return nullptr;
    auto* menu = new QMenu(tr("Raise Event of \"%1\"").arg(screen->name()), this);
    m_eventMenu = menu;
    QAction* title = menu->addAction(QIcon(QStringLiteral(":/images/event_raise_orange.svg")),
                                     tr("Raise Event"));
    title->setObjectName(QStringLiteral("Action_Raise_Event_Title"));
    title->setEnabled(false);
    menu->addSeparator();
    m_raiseStartAction = menu->addAction(tr("On Content Start"));
    m_raiseStartAction->setObjectName(QStringLiteral("Action_Event_On_Content_Start"));
    m_raiseStartAction->setCheckable(true);
    m_raiseStartAction->setChecked(hasRaiseEventOfType(screen, KvEvent::ContentStart));
    connect(m_raiseStartAction, &QAction::triggered, this,
            &KvSequenceWidget::raiseEventStartedActionTriggered);
    m_raiseEndAction = menu->addAction(tr("On Content End"));
    m_raiseEndAction->setObjectName(QStringLiteral("Action_Event_On_Content_End"));
    m_raiseEndAction->setCheckable(true);
    m_raiseEndAction->setChecked(hasRaiseEventOfType(screen, KvEvent::ContentEnd));
    connect(m_raiseEndAction, &QAction::triggered, this,
            &KvSequenceWidget::raiseEventFinishedActionTriggered);
    menu->addSeparator();
    QAction* edit =
        menu->addAction(QIcon(QStringLiteral(":/images/event_edit.svg")), tr("Edit Event..."));
    edit->setObjectName(QStringLiteral("Action_Edit_Event_At_Raise"));
    connect(edit, &QAction::triggered, this, &KvSequenceWidget::editRaiseEventActionTriggered);
    return menu;
}

QMenu* KvSequenceWidget::buildListenEventMenu()
{
    delete m_eventMenu;
    KvScreen* screen = currentScreen();
    if (!screen || !m_stage)
        return nullptr;
    auto* menu = new QMenu(tr("Listen Event of \"%1\"").arg(screen->name()), this);
    m_eventMenu = menu;
    QAction* title = menu->addAction(QIcon(QStringLiteral(":/images/event_listen_green.svg")),
                                     tr("Listen Event"));
    title->setObjectName(QStringLiteral("Action_Listen_Event_Title"));
    title->setEnabled(false);
    menu->addSeparator();
    for (const KvScreen* other : m_stage->screenList()) {
        auto* action = new KvMenuAction(other->name(),
                                        LISTEN_ACTION_PREFIX + QString::number(other->id()), menu);
        action->setCheckable(true);
        bool listening = false;
        for (const KvEvent& event : screen->waitEventList())
            listening = listening || event.screenId() == other->id();
        action->setChecked(listening);
        action->setEnabled(other != screen && (hasRaiseEventOfType(other, KvEvent::ContentStart) ||
                                               hasRaiseEventOfType(other, KvEvent::ContentEnd)));
        connect(action, qOverload<QString, bool>(&KvMenuAction::triggered), this,
                &KvSequenceWidget::listenEventActionTriggered);
        menu->addAction(action);
    }
    menu->addSeparator();
    QAction* edit =
        menu->addAction(QIcon(QStringLiteral(":/images/event_edit.svg")), tr("Edit Event..."));
    edit->setObjectName(QStringLiteral("Action_Edit_Event_At_Listen"));
    connect(edit, &QAction::triggered, this, &KvSequenceWidget::editListenEventActionTriggered);
    return menu;
}

void KvSequenceWidget::showRaiseEventMenu()
{
    if (QMenu* menu = buildRaiseEventMenu())
        menu->exec(QCursor::pos());
}

void KvSequenceWidget::showListenEventMenu()
{
    if (QMenu* menu = buildListenEventMenu())
        menu->exec(QCursor::pos());
}

void KvSequenceWidget::emitScreenEventChanges(const QList<KvPreservedEvent>& records)
{
    // Screens whose events stayed as they were take no part.
    QList<KvPreservedEvent> changed;
    for (const KvPreservedEvent& record : records) {
        if (!record.isEmpty())
            changed.append(record);
    }
    if (!changed.isEmpty())
        emit screenEventChanged(changed);
    m_labelArea->updateLabelPixmap();
}

void KvSequenceWidget::raiseEventStartedActionTriggered(bool checked)
{
    if (checked && m_raiseEndAction)
        m_raiseEndAction->setChecked(false);
    changeSelectedScreenRaiseEventByMenuChecked();
}

void KvSequenceWidget::raiseEventFinishedActionTriggered(bool checked)
{
    if (checked && m_raiseStartAction)
        m_raiseStartAction->setChecked(false);
    changeSelectedScreenRaiseEventByMenuChecked();
}

void KvSequenceWidget::editRaiseEventActionTriggered()
{
    emit requestEditEvent(currentScreen(), nullptr);
}

void KvSequenceWidget::editListenEventActionTriggered()
{
    emit requestEditEvent(nullptr, currentScreen());
}

void KvSequenceWidget::changeSelectedScreenRaiseEventByMenuChecked()
{
    const bool start = m_raiseStartAction && m_raiseStartAction->isChecked();
    const bool end = m_raiseEndAction && m_raiseEndAction->isChecked();
    QList<KvPreservedEvent> records;
    QMap<int, int> recordOf; // screen id -> index in records
    auto recordFor = [&records, &recordOf](const KvScreen* screen) -> KvPreservedEvent& {
        if (!recordOf.contains(screen->id())) {
            recordOf.insert(screen->id(), records.count());
            records.append(KvPreservedEvent(screen->id()));
        }
        return records[recordOf.value(screen->id())];
    };

    QList<int> lostRaise;
    for (const KvSeqScreen* row : qAsConst(m_rows)) {
        KvScreen* screen = row->screen();
        if (!row->isSelected() || !screen)
            continue;
        const QList<QPair<int, bool>> wanted = {{KvEvent::ContentStart, start},
                                                {KvEvent::ContentEnd, end}};
        for (const QPair<int, bool>& want : wanted) {
            const KvEvent event(want.first, screen->id(), KvEvent::Raise, {}, false, screen);
            const bool has = hasRaiseEventOfType(screen, want.first);
            if (want.second && !has) {
                recordFor(screen).addEvent(event, screen);
            } else if (!want.second && has) {
                for (const KvEvent& existing : QList<KvEvent>(screen->raiseEventList())) {
                    if (existing.type() == want.first)
                        recordFor(screen).removeEvent(existing, screen);
                }
                if (!lostRaise.contains(screen->id()))
                    lostRaise.append(screen->id());
            }
        }
    }
    for (const KvSeqScreen* row : qAsConst(m_rows)) {
        KvScreen* screen = row->screen();
        for (const KvEvent& waited : QList<KvEvent>(screen->waitEventList())) {
            if (lostRaise.contains(waited.screenId()))
                recordFor(screen).removeEvent(waited, screen);
        }
    }
    emitScreenEventChanges(records);
}

void KvSequenceWidget::listenEventActionTriggered(QString objectName, bool checked)
{
    if (!objectName.startsWith(LISTEN_ACTION_PREFIX))
        return;
    bool ok = false;
    const int id = objectName.mid(LISTEN_ACTION_PREFIX.length()).toInt(&ok);
    if (ok)
        changeSelectedScreenListenEventByMenuChecked(id, checked);
}

void KvSequenceWidget::changeSelectedScreenListenEventByMenuChecked(int raiseScreenId, bool checked)
{
    const KvScreen* raising = screenById(raiseScreenId);
    int type = KvEvent::ContentStart;
    if (raising) {
        for (const KvEvent& event : raising->raiseEventList()) {
            if (event.type() == KvEvent::ContentStart || event.type() == KvEvent::ContentEnd) {
                type = event.type();
                break;
            }
        }
    }
    QList<KvPreservedEvent> records;
    for (const KvSeqScreen* row : qAsConst(m_rows)) {
        KvScreen* screen = row->screen();
        if (!row->isSelected() || !screen)
            continue;
        KvPreservedEvent record(screen->id());
        record.removeAllEvents(KvEvent::Wait, screen, true);
        if (checked) {
            const KvEvent event(type, raiseScreenId, KvEvent::Wait,
                                {KvEventAction::toString(KvEventAction::GotoNext)}, false, screen);
            record.addEvent(event, screen);
        }
        records.append(record);
    }
    emitScreenEventChanges(records);
}

} // namespace Kova
