#include "kvrulerwidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace Kova {

KvRulerWidget::KvRulerWidget(int orientation, QColor background, QColor text, QWidget* parent)
    : QWidget(parent)
    , m_orientation(orientation)
    , m_backgroundColor(background)
    , m_textColor(text)
{
}

KvRulerWidget::~KvRulerWidget() = default;

void KvRulerWidget::setTimeMode(bool timeMode)
{
    m_timeMode = timeMode;
    redraw();
}

QList<KvRulerWidget::Tick> KvRulerWidget::ticks() const
{
    return {};
}

void KvRulerWidget::onMousePositionChanged(QPoint globalPos)
{
    m_pointerPosition = mapFromGlobal(globalPos);
    redraw();
}

void KvRulerWidget::onZeroPointChanged(QPoint globalPos)
{
    m_zeroPoint = mapFromGlobal(globalPos);
    redraw();
}

void KvRulerWidget::setScaleRate(double rate)
{
    m_scaleRate = rate;
    redraw();
}

void KvRulerWidget::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
}

void KvRulerWidget::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
}

void KvRulerWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
}

void KvRulerWidget::redraw()
{
    update();
}

} // namespace Kova
