#include "kvseqscreen.h"

#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvscreen.h"
#include "kvseqmediaitem.h"
#include "kvseqscreenlineitem.h"

#include <QGraphicsScene>
#include <QSet>

namespace Kova {

namespace {
constexpr int ROW_HEIGHT = 24;
constexpr int ANIMATION_MS = 300;

// Sets a flag for the lifetime of the guard and puts the previous value back afterwards.
class FlagGuard
{
public:
    explicit FlagGuard(bool& flag)
        : m_flag(flag)
        , m_previous(flag)
    {
        m_flag = true;
    }
    ~FlagGuard() { m_flag = m_previous; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
    bool m_previous;
};

QRectF preservedRect(const KvSeqMediaItem* item)
{
    return QRectF(item->preservedPosition(), item->size());
}

double preservedRight(const KvSeqMediaItem* item)
{
    return item->preservedPosition().x() + item->width();
}

bool isAway(const KvSeqMediaItem* item)
{
    const QPointF pos = item->pos();
    const QPointF preserved = item->preservedPosition();
    return qAbs(pos.x() - preserved.x()) > 1e-12 || qAbs(pos.y() - preserved.y()) > 1e-12;
}
} // namespace

KvSeqScreen::KvSeqScreen(KvScreen* screen, QGraphicsScene* scene, QObject* parent)
    : QObject(parent)
    , m_screen(screen)
    , m_scene(scene)
    , m_rect(0, 0, LABEL_WIDTH, ROW_HEIGHT)
{
    if (!screen || !scene)
        return;
    m_lineItem = new KvSeqScreenLineItem(m_rect.size(), this);
    m_lineItem->setPos(m_rect.topLeft());
    connect(m_lineItem, &KvSeqScreenLineItem::broughtToFront, this,
            &KvSeqScreen::onRestoreZValueSeqScreenLineItemsRequested);
    // Nobody listens yet, so laying out once after the last medium gives the same row as
    // laying out after each one. The row joins the scene with its media already selected:
    // the scene then takes the selection in one step instead of one change per medium.
    const QList<KvMedia*> media = screen->mediaList();
    for (KvMedia* medium : media)
        addMedia(medium, -1, true, false);
    updateItemsLayout();
    scene->addItem(m_lineItem);
}

KvSeqScreen::~KvSeqScreen()
{
    if (m_lineItem) {
        // The media items are the line item's children and go with it.
        delete m_lineItem.data();
    } else if (!m_scene) {
        // Rows made without a scene keep parentless items.
        qDeleteAll(m_items);
    }
    m_items.clear();
    m_itemOfMedia.clear();
}

void KvSeqScreen::setShowDuration(bool show)
{
    if (m_showDuration == show)
        return;
    m_showDuration = show;
    for (KvSeqMediaItem* item : qAsConst(m_items))
        item->update();
    if (m_lineItem)
        m_lineItem->update();
}

KvSeqMediaItem* KvSeqScreen::addMedia(KvMedia* media, int index, bool selected, bool relayout)
{
    FlagGuard adding(m_adding);
    if (!media || !m_screen)
        return nullptr;

    QList<KvMedia*>& mediaList = m_screen->mediaList();
    int at = mediaList.indexOf(media);
    if (at < 0) {
        if (index >= 0 && index < mediaList.count()) {
            mediaList.insert(index, media);
            at = index;
        } else {
            mediaList.append(media);
            at = mediaList.count() - 1;
        }
    }

    KvSeqMediaItem* item = m_itemOfMedia.value(media);
    bool placed = false;
    if (!item) {
        item = new KvSeqMediaItem(this, m_lineItem);
        connect(item, &KvSeqMediaItem::mediaUriDisabled, this, &KvSeqScreen::onMediaUriDisabled);
        if (media->parent() != m_screen)
            media->setParent(m_screen);
        item->setMedia(media);
        m_itemOfMedia.insert(media, item);
        if (at >= 0 && at < m_items.count())
            m_items.insert(at, item);
        else
            m_items.append(item);
        item->updateAllFromMedia();
        item->setVisible(true);
        placed = true;
    } else {
        const int existing = m_items.indexOf(item);
        if (at >= 0 && at < m_items.count()) {
            m_items.move(existing, at);
            placed = true;
        }
    }

    if (placed) {
        const bool validation = item->selectedValidation();
        item->setSelectedValidation(false);
        item->setSelected(selected);
        item->setSelectedValidation(validation);
    }

    if (relayout)
        updateItemsLayout();

    connect(item, &KvSeqMediaItem::durationChanged, this, &KvSeqScreen::updateDuration,
            Qt::UniqueConnection);
    emit mediaItemAdded(item);
    return item;
}

KvMedia* KvSeqScreen::removeMediaAt(int index, bool deleteMedia)
{
    if (index < 0 || m_items.isEmpty())
        return nullptr;
    if (index >= m_items.count())
        index = m_items.count() - 1;

    KvSeqMediaItem* item = m_items.takeAt(index);
    // The neighbours must not point at the item once it is gone.
    KvSeqMediaItem* backward = index > 0 ? m_items.at(index - 1) : nullptr;
    KvSeqMediaItem* forward = index < m_items.count() ? m_items.at(index) : nullptr;
    if (backward)
        backward->setForwardMediaItem(forward);
    if (forward)
        forward->setBackwardMediaItem(backward);

    // Listeners may still hold the item (the view's hover mark): they hear of it first.
    emit mediaItemRemoved(item);
    KvMedia* media = item->media();
    m_itemOfMedia.remove(media);
    delete item;

    if (m_screen)
        m_screen->takeMedia(media);
    if (deleteMedia) {
        delete media;
        return nullptr;
    }
    return media;
}

void KvSeqScreen::updateItemsLayout()
{
    const int count = m_items.count();
    for (int i = 0; i < count; ++i) {
        KvSeqMediaItem* item = m_items.at(i);
        // A width change goes through prepareGeometryChange, which costs a scene index update
        // per item; in the normal view every item keeps its fixed width.
        const bool fixedWidthKept = m_viewMode == KvEditorCommon::NormalView &&
                                    item->viewMode() == KvEditorCommon::NormalView &&
                                    item->width() == KvSeqMediaItem::FIXED_VIEW_WIDTH;
        item->setViewMode(m_viewMode);
        if (!fixedWidthKept)
            item->updateWidth();
        item->setBackwardMediaItem(i > 0 ? m_items.at(i - 1) : nullptr);
        item->setForwardMediaItem(i + 1 < count ? m_items.at(i + 1) : nullptr);
        // setZValue consults itemChange even when the value stays.
        if (item->zValue() != double(i))
            item->setZValue(i);
        item->updatePos();
    }

    const double oldWidth = m_totalWidth;
    m_totalWidth = count > 0 ? m_items.last()->x() + m_items.last()->width() : 0.0;
    if (m_totalWidth != oldWidth)
        emit mediaItemsWidthChanged(oldWidth, m_totalWidth);
}

KvSeqMediaItem* KvSeqScreen::itemAt(int index) const
{
    return index >= 0 && index < m_items.count() ? m_items.at(index) : nullptr;
}

int KvSeqScreen::indexOfMedia(KvMedia* media) const
{
    KvSeqMediaItem* item = media ? m_itemOfMedia.value(media) : nullptr;
    return item ? m_items.indexOf(item) : -1;
}

KvSeqMediaItem* KvSeqScreen::itemAtX(double x, int* index) const
{
    // This runs on every pointer move of a drag. The row lays its items out left to right
    // without gaps, so the first item whose preserved right edge reaches x is the one, found
    // by halving. When that item does not hold the point (a gap or a moved item: the row is
    // not laid out there), every item is tried in order instead.
    const QPointF point(x, 1.0);
    const int count = m_items.count();
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (preservedRight(m_items.at(middle)) < x)
            low = middle + 1;
        else
            high = middle;
    }
    int found = -1;
    if (low < count)
        found = preservedRect(m_items.at(low)).contains(point) ? low : scanForX(x);
    if (index)
        *index = found;
    return found >= 0 ? m_items.at(found) : nullptr;
}

int KvSeqScreen::scanForX(double x) const
{
    const QPointF point(x, 1.0);
    for (int i = 0; i < m_items.count(); ++i) {
        if (preservedRect(m_items.at(i)).contains(point))
            return i;
    }
    return -1;
}

QList<KvSeqMediaItem*> KvSeqScreen::selectedItems() const
{
    QList<KvSeqMediaItem*> selected;
    for (KvSeqMediaItem* item : m_items) {
        if (item->isSelected())
            selected.append(item);
    }
    return selected;
}

QList<int> KvSeqScreen::selectedIndices() const
{
    QList<int> indices;
    for (int i = 0; i < m_items.count(); ++i) {
        if (m_items.at(i)->isSelected())
            indices.append(i);
    }
    return indices;
}

void KvSeqScreen::selectByIndices(const QList<int>& indices)
{
    for (int i = 0; i < m_items.count(); ++i)
        m_items.at(i)->setSelected(indices.contains(i));
}

void KvSeqScreen::clearSelection()
{
    if (m_adding)
        return;
    for (KvSeqMediaItem* item : qAsConst(m_items))
        item->setSelected(false);
}

QStringList KvSeqScreen::mediaFilePaths() const
{
    QStringList paths;
    QSet<QString> seen;
    for (const KvSeqMediaItem* item : m_items) {
        if (!item->media())
            continue;
        const QString path = KvEditorConfig::getAbsolutePath(item->media()->uri());
        if (!seen.contains(path)) {
            seen.insert(path);
            paths.append(path);
        }
    }
    return paths;
}

void KvSeqScreen::setTop(int y)
{
    m_rect.moveTop(y);
    if (m_lineItem)
        m_lineItem->setPos(0, y);
}

void KvSeqScreen::setInsertIndex(int index, KvSeqMediaItem* dragged)
{
    if (index == m_insertIndex)
        return;
    const int oldIndex = m_insertIndex;
    m_insertIndex = index;

    const int count = m_items.count();
    if (index < 0 || index >= count) {
        resetInsertIndex(dragged == nullptr);
        return;
    }
    KvSeqMediaItem* target = m_items.at(index);
    if (target == dragged) {
        moveBackItems(false);
        return;
    }

    const double w = target->width();
    const bool oldValid = oldIndex >= 0 && oldIndex < count;
    const int draggedIndex = dragged ? m_items.indexOf(dragged) : -1;

    if (draggedIndex < 0) {
        // From another row or from files: everything from the index on makes room.
        if (oldValid && oldIndex < index) {
            for (int i = oldIndex; i < index; ++i)
                m_items.at(i)->moveBackPositionWithAnimation();
        }
        for (int i = index; i < count; ++i) {
            KvSeqMediaItem* item = m_items.at(i);
            animateTo(item, item->preservedPosition() + QPointF(w, 0.0));
        }
        return;
    }

    if (target->isSelected())
        return;

    if (draggedIndex < index) {
        // Moving right: the items passed over shift left by the target's width.
        if (oldValid && oldIndex > index) {
            KvSeqMediaItem* item = m_items.at(oldIndex);
            if (!item->isSelected())
                item->moveBackPositionWithAnimation();
        } else {
            for (int i = draggedIndex; i <= index; ++i) {
                KvSeqMediaItem* item = m_items.at(i);
                if (!item->isSelected())
                    animateTo(item, item->preservedPosition() - QPointF(w, 0.0));
            }
        }
    } else if (draggedIndex > index) {
        // Moving left: the items passed over shift right by the target's width.
        if (oldValid && oldIndex < index) {
            KvSeqMediaItem* item = m_items.at(oldIndex);
            if (!item->isSelected())
                item->moveBackPositionWithAnimation();
        } else {
            for (int i = draggedIndex - 1; i >= index; --i) {
                KvSeqMediaItem* item = m_items.at(i);
                if (!item->isSelected())
                    animateTo(item, item->preservedPosition() + QPointF(w, 0.0));
            }
        }
    }
}

void KvSeqScreen::setInsertIndexAtX(double x, KvSeqMediaItem* dragged)
{
    int index = -1;
    itemAtX(x, &index);
    setInsertIndex(index, dragged);
}

void KvSeqScreen::resetInsertIndex(bool includeSelected)
{
    moveBackItems(includeSelected);
    m_insertIndex = -1;
}

void KvSeqScreen::moveBackItems(bool includeSelected)
{
    for (KvSeqMediaItem* item : qAsConst(m_items)) {
        if (!includeSelected && item->isSelected())
            continue;
        if (isAway(item))
            animateTo(item, item->preservedPosition());
    }
}

void KvSeqScreen::setViewMode(KvEditorCommon::SequenceViewModes mode)
{
    // The items take the mode in the layout; a row made while the timeline shows another
    // mode has to show it at once.
    if (m_viewMode == mode)
        return;
    m_viewMode = mode;
    updateItemsLayout();
}

void KvSeqScreen::moveBackPositionSelectedItem()
{
    for (KvSeqMediaItem* item : qAsConst(m_items)) {
        if (item->isSelected())
            item->moveBackPositionWithAnimation();
    }
}

void KvSeqScreen::onRestoreZValueSeqScreenLineItemsRequested(KvSeqScreenLineItem* exceptItem)
{
    emit restoreZValueSeqScreenLineItemsRequested(exceptItem);
}

void KvSeqScreen::onMediaItemMovingStarted()
{
    emit mediaItemMovingStarted();
}

void KvSeqScreen::updateLineItemWidth(double width)
{
    if (m_lineItem)
        m_lineItem->setWidth(width);
}

void KvSeqScreen::updateDuration()
{
    // An item whose duration changes below reports it through durationChanged, which leads
    // back here; this pass already counts it.
    if (m_updatingDuration)
        return;
    FlagGuard updating(m_updatingDuration);

    double total = 0.0;
    bool incomplete = false;
    for (KvSeqMediaItem* item : qAsConst(m_items)) {
        const double old = item->duration();
        item->updateDuration();
        const double duration = item->duration();
        if (duration != old)
            item->updateDurationImage();
        if (duration > 0.0)
            total += duration;
        else
            incomplete = true;
    }
    if (m_lineItem)
        m_lineItem->update();
    if (total != m_totalDuration) {
        m_totalDuration = total;
        m_durationImage = QPixmap::fromImage(
            KvEditorCommon::getDurationImage(KvEditorCommon::getDurationString(total, incomplete)));
        emit durationChanged();
    }
}

void KvSeqScreen::updateDurationImage(bool plus)
{
    m_durationImage = QPixmap::fromImage(
        KvEditorCommon::getDurationImage(KvEditorCommon::getDurationString(m_totalDuration, plus)));
}

void KvSeqScreen::onMediaItemDurationChanged()
{
    updateDuration();
}

void KvSeqScreen::onMediaUriDisabled(QString uri)
{
    if (m_disabledUris.contains(uri))
        return;
    m_disabledUris.append(uri);
    emit mediaUriDisabled(uri);
}

void KvSeqScreen::animateTo(KvSeqMediaItem* item, const QPointF& target)
{
    item->startPosAnimation(item->pos(), target, ANIMATION_MS);
}

} // namespace Kova
