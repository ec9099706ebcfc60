#pragma once

#include <QColor>
#include <QWidget>

namespace Kova {

// A colour swatch. Clicking it (or pressing Space/Enter while it has focus) opens a
// colour dialog; choosing another colour there emits colorChanged. Setting the colour
// from code does not emit: only the user's choice does.
class KvColorWidget : public QWidget
{
    Q_OBJECT
public:
    explicit KvColorWidget(QWidget* parent = nullptr);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    // Whether the dialog offers an alpha channel (off by default).
    bool alphaEnabled() const { return m_alphaEnabled; }
    void setAlphaEnabled(bool enabled) { m_alphaEnabled = enabled; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Opens the colour dialog over this widget.
    void chooseColor();

signals:
    void colorChanged(QColor newColor, QColor oldColor);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_backColor = Qt::black;
    bool m_alphaEnabled = false;
    bool m_pressed = false;
};

} // namespace Kova
