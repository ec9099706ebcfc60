#include "kvplayertelopview.h"

#include "kvmedia.h"
#include "kvtelopfile.h"

#include <QFile>
#include <QPainter>

namespace Kova {

namespace {

enum Direction { Still = 1, RightToLeft = 2, BottomToTop = 3, LeftToRight = 4, TopToBottom = 5 };

bool isVertical(int direction)
{
    return direction == BottomToTop || direction == TopToBottom;
}

// A telop file's text and, when the file has a style block, its colours. The medium's
// font, direction, step and wait rule the travel: the stage's timeline measures with them.
struct TelopContent
{
    QString text;
    QColor color = Qt::white;
    QColor background;
};

TelopContent readTelop(const QString& filePath, int direction)
{
    TelopContent content;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return content;
    const QString raw = QString::fromUtf8(file.readAll());
    const KvTelopFile telop = KvTelopFile::fromText(raw);
    if (raw.midRef(raw.startsWith(QChar(0xfeff)) ? 1 : 0)
            .startsWith(QLatin1String("#kova-telop"))) {
        content.color = telop.color;
        content.background = telop.background;
    }
    content.text = telop.text.trimmed();
    // Horizontal travel shows one line: line ends read as blanks.
    if (direction == RightToLeft || direction == LeftToRight)
        content.text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return content;
}

} // namespace

KvPlayerTelopView::KvPlayerTelopView(const QString& filePath, const KvMedia& media,
                                     const QSizeF& stageSize, QWidget* parent)
    : KvPlayerMediaView(parent)
    , m_font(media.font())
    , m_stageSize(stageSize)
    , m_direction(media.playingDirection())
    , m_step(qMax(1, media.step()))
{
    if (m_direction < Still || m_direction > TopToBottom)
        m_direction = RightToLeft;
    const TelopContent content = readTelop(filePath, m_direction);
    const QString& text = content.text;
    m_textColor = content.color;
    m_backgroundColor = content.background;
    // A step then repaints only the strip, not the screen and stage beneath it.
    if (m_backgroundColor.isValid() && m_backgroundColor.alpha() == 255)
        setAttribute(Qt::WA_OpaquePaintEvent);
    m_text.setTextFormat(Qt::PlainText);
    m_text.setText(text);
    m_text.setPerformanceHint(QStaticText::AggressiveCaching);
    if (m_direction != RightToLeft && m_direction != LeftToRight) {
        m_text.setTextWidth(m_stageSize.width());
        m_text.setTextOption(QTextOption(Qt::AlignHCenter));
    }
    m_text.prepare(QTransform(), m_font);
    m_textSize = m_text.size();
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(media.waitAuto() ? 1000 / 60 : qMax(1, media.wait()));
    connect(&m_timer, &QTimer::timeout, this, &KvPlayerTelopView::step);
    if (text.isEmpty())
        QTimer::singleShot(0, this, &KvPlayerMediaView::failed);
}

KvPlayerTelopView::~KvPlayerTelopView() = default;

double KvPlayerTelopView::passLength() const
{
    if (isVertical(m_direction))
        return m_stageSize.height() + m_textSize.height();
    return m_stageSize.width() + m_textSize.width();
}

QPointF KvPlayerTelopView::textPosition() const
{
    const double centredX = (m_stageSize.width() - m_textSize.width()) / 2.0;
    const double centredY = (m_stageSize.height() - m_textSize.height()) / 2.0;
    switch (m_direction) {
    case RightToLeft:
        return QPointF(m_stageSize.width() - m_offset, centredY);
    case LeftToRight:
        return QPointF(m_offset - m_textSize.width(), centredY);
    case BottomToTop:
        return QPointF(0.0, m_stageSize.height() - m_offset);
    case TopToBottom:
        return QPointF(0.0, m_offset - m_textSize.height());
    default:
        return QPointF(isVertical(m_direction) ? 0.0 : centredX, centredY);
    }
}

void KvPlayerTelopView::step()
{
    m_offset += m_step;
    if (m_offset >= passLength()) {
        m_offset = 0.0;
        emit ended();
    }
    update();
}

void KvPlayerTelopView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (m_backgroundColor.isValid())
        painter.fillRect(rect(), m_backgroundColor);
    if (m_stageSize.isEmpty())
        return;
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(width() / m_stageSize.width(), height() / m_stageSize.height());
    painter.setFont(m_font);
    painter.setPen(m_textColor);
    painter.drawStaticText(textPosition(), m_text);
}

void KvPlayerTelopView::showEvent(QShowEvent* /*event*/)
{
    if (m_direction != Still && !m_text.text().isEmpty())
        m_timer.start();
}

void KvPlayerTelopView::hideEvent(QHideEvent* /*event*/)
{
    m_timer.stop();
}

} // namespace Kova
