#pragma once

#include <QGraphicsView>
#include <QList>
#include <QMutex>
#include <QPoint>
#include <QStringList>

namespace Kova {

class KvPreservedMedia;
class KvSeqMediaItem;
class KvSeqScreen;
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

    KvSeqMediaItem* lastHoveredItem() const { return m_lastHoveredItem; }
    KvSeqMediaItem* pressedItem() const { return m_pressedItem; }
    bool isDragging() const { return m_dragging; }
    QPoint pressPos() const { return m_pressPos; }
    QPoint releasePos() const { return m_releasePos; }
    KvSeqScreen* dropRow() const { return m_dropRow; }

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
    void updateDragTarget(const QPoint& viewPos);
    void resetDropRow();
    bool rowExists(const KvSeqScreen* row);

    KvSeqMediaItem* m_lastHoveredItem = nullptr;
    QPoint m_pressPos;
    bool m_leftPressed = false;
    bool m_dragging = false;
    KvSeqMediaItem* m_pressedItem = nullptr;
    KvSeqScreenLineItem* m_pressedLineItem = nullptr;
    QPoint m_releasePos;
    KvSeqScreen* m_dropRow = nullptr;
    KvSeqMediaItem* m_itemUnderDrag = nullptr;
    QMutex m_mutex;
};

} // namespace Kova
