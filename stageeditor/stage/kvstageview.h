#pragma once

#include <QGraphicsView>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRectF>

class QScrollBar;

namespace Kova {

class KvPreservedMedia;
class KvScreen;
class KvScreenItem;
class KvStageScene;

// The view of a stage tab. It turns mouse and keyboard input into moves of the selected
// screen items, resizes through the selection handle, deletion requests and media drops;
// zooming happens only through setScaleRate (driven by the tab's zoom box).
class KvStageView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit KvStageView(QWidget* parent = nullptr);
    ~KvStageView() override;

    KvStageScene* stageScene() const;
    // The screen item under a point in view coordinates (the highest screen when the
    // selection handle covers the point); null elsewhere.
    KvScreenItem* screenItemAt(const QPoint& viewPos) const;

    bool isResizing() const { return m_resizing; }
    int draggedHandle() const { return m_handleNumber; }
    bool isArrowKeyMoving() const { return m_arrowKey; }
    // The screen item highlighted as a drop target, or null.
    KvScreenItem* dropTargetItem() const { return m_dropTarget; }
    // Forgets the drop target and hides its highlight (its item is about to go).
    void clearDropTarget();
    // The global screen position of the scene origin.
    QPoint sceneZeroPointGlobal() const;
    // Whether files dragged onto a screen are taken (false at first): off, every drag of
    // files is refused on entering the view.
    void setMediaDropEnabled(bool enabled) { m_mediaDropEnabled = enabled; }
    bool isMediaDropEnabled() const { return m_mediaDropEnabled; }
    // Whether the view has an application override cursor up (over a resize handle).
    bool hasOverrideCursor() const { return m_overrideCursorSet; }

signals:
    void mousePositionChanged(QPoint globalPos);
    void mousePositionChangedAsScene(QPointF pos);
    void mousePressedAsScene(QPointF pos);
    void mouseReleasedAsScene(QPointF pos);
    void sceneZeroPointChanged(QPoint globalPos);
    void scaleRateChanged(double rate);
    void deleteKeyPressed();
    void screenMoved();
    void screenResized();
    void mousePressedOnScrollBar();
    void arrowKeyReleased();
    void requestAddMedia(QList<KvPreservedMedia*>& mediaList, KvScreen* screen);

public slots:
    void setScaleRate(double rate);
    void onSceneRectChanged(QRectF rect);

protected slots:
    void onSceneZeroPointChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int handleAt(const QPointF& scenePos) const;
    void updateOverrideCursor(int handleNumber);
    void restoreOverrideCursor();
    void hideDropTarget();

    bool m_resizing = false;
    bool m_arrowKey = false;
    int m_handleNumber = 0;
    QPoint m_pressPos;
    QScrollBar* m_verticalScrollBar = nullptr;
    QScrollBar* m_horizontalScrollBar = nullptr;
    KvScreenItem* m_dropTarget = nullptr;
    bool m_overrideCursorSet = false;
    bool m_mediaDropEnabled = false;
};

} // namespace Kova
