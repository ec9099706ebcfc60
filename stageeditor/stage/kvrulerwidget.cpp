#include "kvrulerwidget.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <cmath>

namespace Kova {

namespace {

// In time mode a tick stands for 70 pixels and every second one is labelled, so the
// labels 1, 2, 3 ... sit centred between full-height lines 140 pixels apart.
const int TimeStep = 70;
const int TimeLabelInterval = 140;

} // namespace

KvRulerWidget::KvRulerWidget(int orientation, QColor background, QColor text, QWidget* parent)
    : QWidget(parent)
    , m_orientation(orientation == Vertical ? Vertical : Horizontal)
    , m_backgroundColor(background)
    , m_textColor(text)
{
    setMouseTracking(true);
    if (m_orientation == Horizontal) {
        setFixedHeight(m_thickness);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    } else {
        setFixedWidth(m_thickness);
        setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    }
    QPalette pal = palette();
    pal.setColor(QPalette::Window, m_backgroundColor);
    setPalette(pal);
    setAutoFillBackground(true);
}

KvRulerWidget::~KvRulerWidget() = default;

void KvRulerWidget::setTimeMode(bool timeMode)
{
    m_timeMode = timeMode;
    redraw();
}

QList<KvRulerWidget::Tick> KvRulerWidget::ticks() const
{
    QList<Tick> result;
    const bool horizontal = m_orientation == Horizontal;
    const double length = (horizontal ? width() : height()) - 2;
    const double zero = horizontal ? m_zeroPoint.x() : m_zeroPoint.y();
    const double s = m_scaleRate;

    int unit = 10;
    int interval = 100;
    double step = 0.0;
    if (m_timeMode) {
        unit = TimeStep;
        interval = TimeStep;
        step = TimeStep;
    } else {
        if (s < 0.2) {
            unit = 100;
            interval = 200;
        } else if (s <= 1.25) {
            unit = 10;
            interval = 100;
        } else if (s < 3.0) {
            unit = 10;
            interval = 50;
        } else if (s < 4.0) {
            unit = 1;
            interval = 20;
        } else {
            unit = 1;
            interval = 10;
        }
        step = unit * s;
    }
    // A zero or negative rate would never leave the loops below.
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(zero)) {
        return result;
    }

    const int half = m_thickness / 2;
    auto makeTick = [&](double q, qint64 value) {
        Tick tick;
        int inset = 4;
        if (m_timeMode) {
            if (value % TimeLabelInterval != 0) {
                tick.label = QString::number((value + TimeStep) / TimeLabelInterval);
                inset = half;
            } else {
                inset = -half;
            }
        } else {
            if (value % interval == 0) {
                tick.label = QString::number(value);
            }
            if (value % (interval / 2) == 0) {
                inset = 1;
            }
        }
        const int position = qRound(q);
        if (horizontal) {
            tick.start = QPoint(position, half + inset);
            tick.end = QPoint(position, height());
        } else {
            tick.start = QPoint(half + inset, position);
            tick.end = QPoint(width(), position);
        }
        tick.color = value < 0 ? QColor(Qt::gray) : QColor(Qt::black);
        result.append(tick);
    };

    // Ticks lying more than a pixel outside the ruler are never seen; when the scene
    // origin is far away they are skipped in one jump instead of one by one.
    const double origin = zero + 1.0;
    qint64 first = 0;
    if (origin < -1.0) {
        first = qint64(std::floor((-1.0 - origin) / step));
    }
    for (qint64 k = first;; ++k) {
        const double q = origin + k * step;
        if (!(q < length)) {
            break;
        }
        makeTick(q, k * unit);
    }
    qint64 back = 1;
    if (origin - step > length + 1.0) {
        back = qMax<qint64>(1, qint64(std::floor((origin - length - 1.0) / step)));
    }
    for (qint64 k = back;; ++k) {
        const double q = origin - k * step;
        if (!(q > 0.0)) {
            break;
        }
        makeTick(q, -k * unit);
    }
    return result;
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
    m_pointerPosition = event->pos() - QPoint(1, 1);
    redraw();
    event->accept();
}

void KvRulerWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    if (m_buffer.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_buffer);
}

void KvRulerWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_buffer = QPixmap(size());
    redraw();
}

void KvRulerWidget::redraw()
{
    if (m_buffer.size() != size()) {
        m_buffer = size().isEmpty() ? QPixmap() : QPixmap(size());
    }
    if (m_buffer.isNull()) {
        update();
        return;
    }
    m_buffer.fill(Qt::transparent);

    const bool horizontal = m_orientation == Horizontal;
    QPainter painter(&m_buffer);
    painter.setPen(QPen(Qt::darkGray));
    painter.setBrush(Qt::NoBrush);
    if (horizontal) {
        painter.drawRect(0, 0, width() - 1, height());
        const int x = m_pointerPosition.x() + 1;
        painter.drawLine(x, 1, x, height());
    } else {
        painter.drawRect(0, 0, width(), height() - 1);
        const int y = m_pointerPosition.y() + 1;
        painter.drawLine(1, y, width(), y);
    }

    QFont textFont = painter.font();
    textFont.setPixelSize(10);
    painter.setFont(textFont);
    const QFontMetrics metrics(textFont);
    const QColor negativeColor(Qt::gray);
    const QList<Tick> tickList = ticks();
    for (const Tick& tick : tickList) {
        painter.setPen(QPen(tick.color));
        if (tick.start != tick.end) {
            painter.drawLine(tick.start, tick.end);
        }
        if (tick.label.isEmpty()) {
            continue;
        }
        painter.setPen(QPen(tick.color == negativeColor ? negativeColor : m_textColor));
        if (horizontal) {
            const int labelWidth = metrics.horizontalAdvance(tick.label);
            const int baseline = tick.start.y() - (m_timeMode ? 5 : 1);
            painter.drawText(QPoint(tick.start.x() - labelWidth / 2, baseline), tick.label);
        } else {
            painter.drawText(QPoint(2, tick.start.y()), tick.label);
        }
    }
    painter.end();
    update();
}

} // namespace Kova
