#include "kvplayercardview.h"

#include <QPainter>

namespace Kova {

namespace {
const QColor cardColor(48, 48, 52);
const QColor titleColor(235, 235, 235);
const QColor captionColor(170, 170, 178);
} // namespace

KvPlayerCardView::KvPlayerCardView(const QString& title, const QString& caption, QWidget* parent)
    : KvPlayerMediaView(parent)
    , m_title(title)
    , m_caption(caption)
{
}

KvPlayerCardView::~KvPlayerCardView() = default;

void KvPlayerCardView::setTexts(const QString& title, const QString& caption)
{
    m_title = title;
    m_caption = caption;
    update();
}

void KvPlayerCardView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), cardColor);
    if (width() < 8 || height() < 8)
        return;
    // Letters follow the card's size so a small screen still shows its whole title.
    const int titlePixels = qBound(8, qMin(height() / 6, width() / 12), 96);
    const QRect area = rect().adjusted(width() / 20, height() / 20, -width() / 20, -height() / 20);
    QFont font = painter.font();
    font.setPixelSize(titlePixels);
    painter.setFont(font);
    painter.setPen(titleColor);
    QRect titleRect = area;
    titleRect.setBottom(area.center().y());
    painter.drawText(titleRect, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, m_title);
    font.setPixelSize(qMax(8, titlePixels / 2));
    painter.setFont(font);
    painter.setPen(captionColor);
    QRect captionRect = area;
    captionRect.setTop(area.center().y() + titlePixels / 3);
    painter.drawText(captionRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere,
                     m_caption);
}

} // namespace Kova
