#include "kvcolorwidget.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace Kova {

KvColorWidget::KvColorWidget(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setToolTip(m_backColor.name());
}

void KvColorWidget::setBackColor(const QColor& color)
{
    if (!color.isValid() || color == m_backColor)
        return;
    m_backColor = color;
    setToolTip(color.alpha() < 255 ? color.name(QColor::HexArgb) : color.name());
    update();
}

QSize KvColorWidget::sizeHint() const
{
    return QSize(64, 22);
}

QSize KvColorWidget::minimumSizeHint() const
{
    return QSize(24, 16);
}

void KvColorWidget::chooseColor()
{
    if (!isEnabled())
        return;
    QPointer<KvColorWidget> self(this);
    QColorDialog dialog(m_backColor, this);
    dialog.setWindowTitle(tr("Select Color"));
    dialog.setOption(QColorDialog::ShowAlphaChannel, m_alphaEnabled);
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    const int result = dialog.exec();
    // The widget may have gone while the dialog was open.
    if (!self || result != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid() || chosen == m_backColor)
        return;
    const QColor old = m_backColor;
    setBackColor(chosen);
    emit colorChanged(m_backColor, old);
}

void KvColorWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    const QRect swatch = frame.adjusted(2, 2, -1, -1);
    if (m_backColor.alpha() < 255) {
        // A checkerboard shows through transparent colours.
        const int cell = 4;
        for (int y = swatch.top(); y <= swatch.bottom(); y += cell) {
            for (int x = swatch.left(); x <= swatch.right(); x += cell) {
                const bool dark = ((x - swatch.left()) / cell + (y - swatch.top()) / cell) % 2;
                painter.fillRect(QRect(x, y, cell, cell) & swatch,
                                 dark ? QColor(200, 200, 200) : Qt::white);
            }
        }
    }
    painter.fillRect(swatch, isEnabled() ? m_backColor : m_backColor.darker(150));
    painter.setPen(palette().color(m_pressed ? QPalette::Highlight : QPalette::Mid));
    painter.drawRect(frame);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(frame.adjusted(1, 1, -1, -1));
    }
}

void KvColorWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        update();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void KvColorWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        update();
        event->accept();
        if (rect().contains(event->pos()))
            chooseColor();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void KvColorWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        chooseColor();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace Kova
