#pragma once

#include "kveditorcommon.h"
#include "kvseqscreenlineitem.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRectF>
#include <QStringList>

class QGraphicsScene;

namespace Kova {

class KvMedia;
class KvScreen;
class KvSeqMediaItem;

// One row of the timeline: the media items of one screen, laid out left to right in
// sequence order on a background strip (the line item, which it owns). The row is not a
// graphics item itself; its label rectangle says where it stands (120 x 24 at its top).
class KvSeqScreen : public QObject
{
    Q_OBJECT
public:
    static constexpr int LABEL_WIDTH = 120;

    KvSeqScreen(KvScreen* screen, QGraphicsScene* scene, QObject* parent = nullptr);
    ~KvSeqScreen() override;

    KvScreen* screen() const { return m_screen; }
    QGraphicsScene* scene() const { return m_scene; }
    KvSeqScreenLineItem* lineItem() const { return m_lineItem; }
    QRectF rect() const { return m_rect; }
    KvEditorCommon::SequenceViewModes viewMode() const { return m_viewMode; }
    double totalWidth() const { return m_totalWidth; }
    double totalDuration() const { return m_totalDuration; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }
    bool isHovered() const { return m_hovered; }
    void setHovered(bool hovered) { m_hovered = hovered; }
    bool showDuration() const { return m_showDuration; }
    void setShowDuration(bool show);
    QPixmap durationImage() const { return m_durationImage; }
    QStringList disabledUris() const { return m_disabledUris; }
    int insertIndex() const { return m_insertIndex; }
    const QList<KvSeqMediaItem*>& items() const { return m_items; }
    int count() const { return m_items.count(); }

    // Shows `media` at `index` (appended when outside the list), putting it into the screen's
    // media list when it is not there yet. Returns the item; null without medium or screen.
    KvSeqMediaItem* addMedia(KvMedia* media, int index, bool selected, bool relayout);
    // Removes the item at index (an index at or past the end means the last one) and takes
    // its medium out of the screen; the medium is deleted with deleteMedia, else returned.
    KvMedia* removeMediaAt(int index, bool deleteMedia);
    void updateItemsLayout();

    KvSeqMediaItem* itemAt(int index) const;
    int indexOfMedia(KvMedia* media) const;
    // The first item whose preserved rectangle holds (x, 1.0); null and -1 when none.
    KvSeqMediaItem* itemAtX(double x, int* index = nullptr) const;

    QList<KvSeqMediaItem*> selectedItems() const;
    QList<int> selectedIndices() const;
    void selectByIndices(const QList<int>& indices);
    void clearSelection();

    // Absolute paths of the media files, without duplicates.
    QStringList mediaFilePaths() const;

    void setTop(int y);

    // Opens a gap for a medium dragged to `index` (dragged is null for files and for media
    // of another row).
    void setInsertIndex(int index, KvSeqMediaItem* dragged);
    void setInsertIndexAtX(double x, KvSeqMediaItem* dragged);
    void resetInsertIndex(bool includeSelected);
    void moveBackItems(bool includeSelected);

signals:
    void mediaItemAdded(Kova::KvSeqMediaItem* item);
    void mediaItemRemoved(Kova::KvSeqMediaItem* item);
    void restoreZValueSeqScreenLineItemsRequested(Kova::KvSeqScreenLineItem* exceptItem = nullptr);
    void mediaItemMovingStarted();
    void mediaItemsWidthChanged(double oldWidth, double newWidth);
    void durationChanged();
    void mediaUriDisabled(QString uri);

public slots:
    // Lays the items out again when the mode changes.
    void setViewMode(Kova::KvEditorCommon::SequenceViewModes mode);
    void moveBackPositionSelectedItem();
    void
    onRestoreZValueSeqScreenLineItemsRequested(Kova::KvSeqScreenLineItem* exceptItem = nullptr);
    void onMediaItemMovingStarted();
    void updateLineItemWidth(double width);
    void updateDuration();
    void updateDurationImage(bool plus = false);

private slots:
    void onMediaItemDurationChanged();
    void onMediaUriDisabled(QString uri);

private:
    void animateTo(KvSeqMediaItem* item, const QPointF& target);
    // Index of the first item whose preserved rectangle holds (x, 1.0), trying every item.
    int scanForX(double x) const;

    KvScreen* m_screen = nullptr;
    QGraphicsScene* m_scene = nullptr;
    bool m_selected = false;
    bool m_hovered = false;
    QRectF m_rect;
    // Guarded: the scene deletes its items when it goes first.
    QPointer<KvSeqScreenLineItem> m_lineItem;
    QList<KvSeqMediaItem*> m_items;
    // The item showing each medium of the row, so that adding does not search the row.
    QHash<const KvMedia*, KvSeqMediaItem*> m_itemOfMedia;
    KvEditorCommon::SequenceViewModes m_viewMode = KvEditorCommon::NormalView;
    int m_insertIndex = -1;
    double m_totalWidth = 0.0;
    bool m_showDuration = false;
    double m_totalDuration = 0.0;
    QPixmap m_durationImage;
    bool m_adding = false;
    bool m_updatingDuration = false;
    QStringList m_disabledUris;
};

} // namespace Kova
