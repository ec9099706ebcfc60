#include "kvtickerplugin.h"

#include "kvpluginguinotifier.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QPainter>
#include <QtMath>

#include <cmath>

namespace Kova {

KvTickerPlugin::KvTickerPlugin(QObject* parent)
    : QObject(parent)
    , m_addItemAction(new QAction(tr("Add Ticker Item…"), this))
    , m_notifier(new KvPluginGuiNotifier(this))
{
    m_addItemAction->setObjectName(QStringLiteral("Action_Add_Ticker_Item"));
    connect(m_addItemAction, &QAction::triggered, this, &KvTickerPlugin::addItems);
}

KvTickerPlugin::~KvTickerPlugin() = default;

QIcon KvTickerPlugin::icon() const
{
    const KvTickerState look;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(0, 8, 32, 16), look.backgroundColor);
    painter.setPen(QPen(look.textColor, 2));
    for (int x = 4; x < 32; x += 8)
        painter.drawLine(x, 16, x + 4, 16);
    return QIcon(pixmap);
}

void KvTickerPlugin::applyState(const QVariant& state)
{
    m_state = KvTickerState::fromVariant(state);
    const QVariantMap map = state.toMap();
    m_screenId = map.value(screenIdKey()).toInt();
    m_contentCount = qMax(0, map.value(contentCountKey()).toInt());
}

QImage KvTickerPlugin::contentPicture(const QVariant& content, const QSize& size) const
{
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(m_state.backgroundColor);
    QPainter painter(&image);
    QFont font = m_state.font;
    font.setPixelSize(qMax(6, size.height() / 3));
    painter.setFont(font);
    painter.setPen(m_state.textColor);
    const QRect area = image.rect().adjusted(2, 0, -2, 0);
    const QString text = QFontMetrics(font).elidedText(KvTickerState::itemText(content),
                                                       Qt::ElideRight, area.width());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
}

void KvTickerPlugin::paint(QPainter* painter, const QRectF& rect, const QVariant& state,
                           const QVariant& content, qint64 msSinceStart) const
{
    const KvTickerState ticker = KvTickerState::fromVariant(state);
    const QString text = KvTickerState::itemText(content);
    painter->save();
    painter->fillRect(rect, ticker.backgroundColor);
    painter->setClipRect(rect);
    painter->setFont(ticker.font);
    painter->setPen(ticker.textColor);
    // The text enters at the right edge and runs left until it has left the screen, then
    // starts again.
    const QFontMetricsF metrics(ticker.font);
    const qreal travel = rect.width() + metrics.horizontalAdvance(text);
    const qreal moved = std::fmod(qMax<qint64>(0, msSinceStart) * ticker.speed / 1000.0, travel);
    const qreal baseline = rect.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    painter->drawText(QPointF(rect.right() - moved, baseline), text);
    painter->restore();
}

void KvTickerPlugin::showContentProperty(int sequenceIndex, const QRect& globalRect)
{
    // An item is its text, which its name and picture show (canShowContentProperty).
    Q_UNUSED(sequenceIndex)
    Q_UNUSED(globalRect)
}

void KvTickerPlugin::addItems()
{
    bool ok = false;
    const QString text = QInputDialog::getMultiLineText(
        QApplication::activeWindow(), tr("Add Ticker Item"),
        tr("Text of the new item (one item per line):"), QString(), &ok);
    if (!ok)
        return;
    QMap<int, QVariant> contents;
    int index = m_contentCount;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString item = line.trimmed();
        if (!item.isEmpty())
            contents.insert(index++, KvTickerState::itemContent(item));
    }
    if (!contents.isEmpty())
        emit m_notifier->requestAddContents(m_screenId, contents);
}

} // namespace Kova
