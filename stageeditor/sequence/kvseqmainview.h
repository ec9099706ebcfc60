#pragma once

// The media item and row are complete here: the meta-object of the view registers their
// pointer types for its signals.
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"

#include <QGraphicsView>
#include <QList>
#include <QMutex>
#include <QPoint>
#include <QPointer>
#include <QStringList>

namespace Kova {

class KvPreservedMedia;
class KvSeqScreenLineItem;

// The view of a stage's timeline: hovering, dragging selected media to a new place (within a
// row or into another row of the same screen type) with room made for them, keys, and drops
// of files onto rows. It reports; the sequence widget decides.
class KvSeqMainView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit KvSeqMainView(QWidget* parent = nullptr);
    ~KvSeqMainView() override;

    KvSeqMediaItem* lastHoveredItem() const;
    KvSeqMediaItem* pressedItem() const;
    bool isDragging() const { return m_dragging; }
    QPoint pressPos() const { return m_pressPos; }
    QPoint releasePos() const { return m_releasePos; }
    // The row showing a drop or move gap; null when none.
    KvSeqScreen* dropRow() const;

    // The line item whose vertical span holds the scene point; null when none.
    KvSeqScreenLineItem* lineItemAt(const QPointF& scenePos) const;

signals:
    void resized(QSize size);
    void sceneZeroPointChanged(QPoint pos);
    void sceneZeroPointChangedGlobalPos(QPoint pos);
    void mousePositionChanged(QPoint pos);
    void requestUpdateFileProperty(QStringList& fileList);
    void requestAddMedia(QList<KvPreservedMedia*>& mediaList, Kova::KvSeqScreen* seqScreen);
    void deleteKeyPressed();
    void leftKeyPressed();
    void rightKeyPressed();
    void enterKeyPressed();
    void undoKeyPressed();
    void mouseReleased();
    void mousePressed();
    void mediaItemDropped(QPoint pos, Kova::KvSeqMediaItem* pressedItem, bool* result = nullptr);
    void requestChangeItemZValue(QGraphicsItem* item, double zValue);
    void tellSeqScreenExists(const Kova::KvSeqScreen* seqScreen, bool* exists);
    void requestMoveSeqItemToPreservedPos(Kova::KvSeqScreen* exceptScreen = nullptr);

public slots:
    // Forgets the item as the hovered one and takes it out of the scene.
    void onMediaItemRemoved(Kova::KvSeqMediaItem* item);
    void setItemZValue(QGraphicsItem* item, double zValue);

protected slots:
    void onSceneZeroPointChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setHoveredItem(KvSeqMediaItem* item);
    void updateDragTarget(const QPoint& viewPos);
    // Sends the dragged media back unless the drop was carried out; clears the rows' gaps.
    void endDrag(bool carriedOut, KvSeqScreen* pressedRow);
    // The row of the media item or line item at the view point, with that item as the
    // target of a file drop; null when there is none.
    KvSeqScreen* fileDropRowAt(const QPoint& viewPos, QGraphicsItem** target) const;
    void resetDropRow();
    bool rowExists(const KvSeqScreen* row);

    // Items and rows are watched: a row or medium may go away while the pointer is held.
    QPointer<KvSeqMediaItem> m_lastHoveredItem;
    QPoint m_pressPos;
    bool m_leftPressed = false;
    bool m_dragging = false;
    QPointer<KvSeqMediaItem> m_pressedItem;
    QPointer<KvSeqScreenLineItem> m_pressedLineItem;
    QPoint m_releasePos;
    QPointer<KvSeqScreen> m_dropRow;
    QPointer<KvSeqMediaItem> m_itemUnderDrag;
    QMutex m_mutex;
};

} // namespace Kova
