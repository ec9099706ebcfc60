#pragma once

#include <QGraphicsObject>
#include <QMap>
#include <QRectF>

namespace Kova {

// The frame around the selected screens with eight resize handles. Its outer
// rectangle is the selection's bounding rectangle grown by the margin on every side;
// the margin and the handles keep their size on screen at every zoom.
// Handle numbers: 1 top-left, 2 top, 3 top-right, 4 left, 5 right, 6 bottom-left,
// 7 bottom, 8 bottom-right.
class KvScreenSelectedHandle : public QGraphicsObject
{
    Q_OBJECT
public:
    enum HandleNumber {
        NoHandle = 0,
        TopLeft = 1,
        Top = 2,
        TopRight = 3,
        Left = 4,
        Right = 5,
        BottomLeft = 6,
        Bottom = 7,
        BottomRight = 8
    };

    // Starts 100 x 100 at (50, 50), z value 32000, hidden.
    explicit KvScreenSelectedHandle(QGraphicsItem* parent = nullptr);
    ~KvScreenSelectedHandle() override;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

    // 3 x the scene's scale factor (3.0 outside a scene).
    double margin() const;
    double outerWidth() const { return m_width; }
    double outerHeight() const { return m_height; }
    // The outer rectangle on the scene.
    QRectF outerRectOnScene() const;
    // Squares in item coordinates, by handle number.
    QMap<int, QRectF> handles() const { return m_handles; }

    // Frames `rect` (a selection's bounding rectangle on the scene).
    void setSelectionRect(const QRectF& rect, bool silent = false);
    // 0 when hidden or when no handle square contains the scene point.
    int handleAt(const QPointF& scenePos) const;

    void saveStartRect();
    void setStartRect(const QRectF& rect);
    QRectF startRect() const { return m_startRect; }

    QRectF innerRect(const QRectF& outer) const;
    QRectF outerRect(const QRectF& inner) const;

    // The new outer rectangle for a mouse travel of (dx, dy) scene units since the
    // press on handle `handle`; keepAspect while Shift is held. Becomes the handle's
    // frame and is announced with boundingRectChanged.
    QRectF resize(double dx, double dy, int handle, bool keepAspect);

    // The least outer width and height a resize leaves: the inner rectangle keeps at
    // least one scene unit (one stage pixel), rounded up to a whole number.
    double minimumOuterSize() const;

signals:
    void boundingRectChanged(QRectF innerRectOnScene);

public slots:
    void onSelectedItemsBoundingRectChanged(QRectF rect);
    void changeVisible(bool visible);

private:
    void setOuterRect(const QRectF& outer, bool silent);
    void layoutHandles();

    double m_width = 100.0;
    double m_height = 100.0;
    QRectF m_startRect;
    QMap<int, QRectF> m_handles;
    bool m_rounding = true;
};

} // namespace Kova
