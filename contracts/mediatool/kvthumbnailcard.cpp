#include "kvthumbnailcard.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace Kova {

namespace {

QImage blankCard(int width, const QColor& colour)
{
    QImage image(width, qMax(1, width * 9 / 16), QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

QFont cardFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(6, pixelSize));
    font.setBold(bold);
    return font;
}

void drawElided(QPainter& painter, const QRect& rect, const QString& text, int flags)
{
    const QString elided =
        painter.fontMetrics().elidedText(text.simplified(), Qt::ElideRight, rect.width());
    painter.drawText(rect, flags, elided);
}

} // namespace

QImage KvThumbnailCard::telop(const QString& firstLine, int width)
{
    QImage image = blankCard(width, QColor(0x8a, 0x90, 0x96));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int stripHeight = image.height() * 2 / 5;
    const QRect strip(0, image.height() - stripHeight - image.height() / 8, image.width(),
                      stripHeight);
    painter.fillRect(strip, QColor(0x1c, 0x20, 0x24));
    painter.setPen(Qt::white);
    painter.setFont(cardFont(stripHeight / 2, true));
    drawElided(painter, strip.adjusted(6, 0, -6, 0), firstLine, Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

QImage KvThumbnailCard::web(const QString& caption, int width)
{
    QImage image = blankCard(width, QColor(0xf2, 0xf5, 0xf9));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int captionHeight = image.height() / 4;
    const int diameter = image.height() - captionHeight - 8;
    const QRectF globe((image.width() - diameter) / 2.0, 4, diameter, diameter);
    painter.setPen(QPen(QColor(0x1f, 0x5f, 0xb0), qMax(1.0, diameter / 40.0)));
    painter.setBrush(QColor(0xcf, 0xe3, 0xfa));
    painter.drawEllipse(globe);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(globe.adjusted(diameter / 4.0, 0, -diameter / 4.0, 0));
    painter.drawLine(QPointF(globe.center().x(), globe.top()),
                     QPointF(globe.center().x(), globe.bottom()));
    for (const qreal fraction : {0.3, 0.5, 0.7}) {
        const qreal y = globe.top() + globe.height() * fraction;
        const qreal half = globe.width() / 2.0 * std::sqrt(1.0 - std::pow(2 * fraction - 1, 2));
        painter.drawLine(QPointF(globe.center().x() - half, y),
                         QPointF(globe.center().x() + half, y));
    }
    painter.setPen(QColor(0x0b, 0x2e, 0x5c));
    painter.setFont(cardFont(diameter / 3, true));
    painter.drawText(globe, Qt::AlignCenter, QStringLiteral("www"));
    painter.setFont(cardFont(captionHeight * 2 / 3, false));
    drawElided(painter,
               QRect(4, image.height() - captionHeight - 2, image.width() - 8, captionHeight),
               caption, Qt::AlignCenter);
    return image;
}

QImage KvThumbnailCard::label(const QString& text, int width)
{
    QImage image = blankCard(width, Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(image.rect()).adjusted(2, 2, -2, -2);
    painter.setPen(QPen(QColor(0x5a, 0x60, 0x68), 2));
    painter.setBrush(QColor(0xe6, 0xe8, 0xeb));
    painter.drawRoundedRect(card, 8, 8);
    painter.setPen(QColor(0x2a, 0x2e, 0x33));
    painter.setFont(cardFont(image.height() / 4, true));
    drawElided(painter, card.toRect().adjusted(6, 0, -6, 0), text, Qt::AlignCenter);
    return image;
}

} // namespace Kova
