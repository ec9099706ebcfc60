#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace Kova {

// A ruler along the top (horizontal) or the left (vertical) of the stage view.
// It follows the view's zoom, scroll position and pointer through its slots and
// draws everything into an off-screen buffer that paintEvent copies.
// In time mode (used by the sequence timeline) the ticks ignore the zoom.
class KvRulerWidget : public QWidget
{
    Q_OBJECT
public:
    enum Orientation { Horizontal = 0, Vertical = 1 };

    // One tick of a redraw: its line, colour and (possibly empty) label.
    struct Tick
    {
        QColor color;
        QString label;
        QPoint start;
        QPoint end;
    };

    KvRulerWidget(int orientation, QColor background, QColor text, QWidget* parent = nullptr);
    ~KvRulerWidget() override;

    int orientation() const { return m_orientation; }
    int thickness() const { return m_thickness; }
    double scaleRate() const { return m_scaleRate; }
    // In ruler coordinates.
    QPoint pointerPosition() const { return m_pointerPosition; }
    QPoint zeroPoint() const { return m_zeroPoint; }
    QColor backgroundColor() const { return m_backgroundColor; }
    QColor textColor() const { return m_textColor; }

    void setTimeMode(bool timeMode);
    bool isTimeMode() const { return m_timeMode; }

    // The ticks for the current length, zero point, scale rate and mode.
    QList<Tick> ticks() const;
    // The picture the widget shows (remade on every resize, redrawn on every change).
    QPixmap buffer() const { return m_buffer; }

public slots:
    void onMousePositionChanged(QPoint globalPos);
    void onZeroPointChanged(QPoint globalPos);
    void setScaleRate(double rate);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void redraw();

    int m_thickness = 20;
    QPoint m_pointerPosition;
    QPoint m_zeroPoint;
    int m_orientation = Horizontal;
    QPixmap m_buffer;
    double m_scaleRate = 1.0;
    QColor m_backgroundColor;
    QColor m_textColor;
    bool m_timeMode = false;
};

} // namespace Kova
