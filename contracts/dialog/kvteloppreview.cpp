#include "kvteloppreview.h"

#include <QFontMetrics>
#include <QPainter>

namespace Kova {

KvTelopPreview::KvTelopPreview(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(120, 60);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_timer.setInterval(TICK_MS);
    connect(&m_timer, &QTimer::timeout, this, &KvTelopPreview::advance);
    setTelop(KvTelopFile());
}

KvTelopPreview::~KvTelopPreview() = default;

void KvTelopPreview::setTelop(const KvTelopFile& telop)
{
    if (telop.direction != m_telop.direction)
        m_offset = 0;
    m_telop = telop;
    const QString shown = telop.text.left(MAX_PREVIEW_CHARACTERS);
    // Across the strip the text runs as one line; up or down it keeps its lines.
    if (horizontal())
        m_lines = QStringList(QString(shown).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    else
        m_lines = shown.split(QLatin1Char('\n'));
    const QFontMetrics metrics(telop.font());
    int width = 0;
    for (const QString& line : qAsConst(m_lines))
        width = qMax(width, metrics.horizontalAdvance(line));
    m_textSize = QSize(width, metrics.height() * m_lines.size());
    update();
}

QSize KvTelopPreview::sizeHint() const
{
    return QSize(480, 80);
}

void KvTelopPreview::advance()
{
    const int cycle = textLength() + (horizontal() ? width() : height());
    m_offset += m_telop.speed;
    if (m_offset > cycle)
        m_offset = 0;
    update();
}

bool KvTelopPreview::horizontal() const
{
    return m_telop.direction == KvTelopFile::Left || m_telop.direction == KvTelopFile::Right;
}

int KvTelopPreview::textLength() const
{
    return horizontal() ? m_textSize.width() : m_textSize.height();
}

void KvTelopPreview::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), m_telop.background);
    painter.setFont(m_telop.font());
    painter.setPen(m_telop.color);
    const QFontMetrics metrics(m_telop.font());
    // The top left corner of the text block, which enters at one edge and leaves at the other.
    QPoint origin;
    switch (m_telop.direction) {
    case KvTelopFile::Left:
        origin = QPoint(width() - m_offset, (height() - m_textSize.height()) / 2);
        break;
    case KvTelopFile::Right:
        origin = QPoint(m_offset - m_textSize.width(), (height() - m_textSize.height()) / 2);
        break;
    case KvTelopFile::Up:
        origin = QPoint((width() - m_textSize.width()) / 2, height() - m_offset);
        break;
    case KvTelopFile::Down:
        origin = QPoint((width() - m_textSize.width()) / 2, m_offset - m_textSize.height());
        break;
    }
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines.at(i);
        // Lines of a vertical telop are centred on each other.
        const int indent = (m_textSize.width() - metrics.horizontalAdvance(line)) / 2;
        painter.drawText(origin.x() + indent, origin.y() + i * metrics.height() + metrics.ascent(),
                         line);
    }
}

void KvTelopPreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_timer.start();
}

void KvTelopPreview::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

} // namespace Kova
