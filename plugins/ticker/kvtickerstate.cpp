#include "kvtickerstate.h"

#include <QVariantMap>

namespace Kova {

KvTickerState::KvTickerState()
    : KvTextLook(QFont(QStringLiteral("Sans Serif"), 28), Qt::yellow, QColor(0, 0, 96))
{
}

QVariant KvTickerState::toVariant() const
{
    QVariantMap map;
    map.insert(QStringLiteral("speed"), speed);
    writeTo(map);
    return map;
}

KvTickerState KvTickerState::fromVariant(const QVariant& value)
{
    KvTickerState state;
    const QVariantMap map = value.toMap();
    bool ok = false;
    const int speed = map.value(QStringLiteral("speed")).toInt(&ok);
    if (ok && speed > 0)
        state.speed = speed;
    state.readFrom(map);
    return state;
}

QString KvTickerState::itemText(const QVariant& content)
{
    const QVariantMap map = content.toMap();
    const QString text = map.value(QStringLiteral("text")).toString();
    return text.isEmpty() ? map.value(QStringLiteral("name")).toString() : text;
}

QVariant KvTickerState::itemContent(const QString& text)
{
    QVariantMap map;
    map.insert(QStringLiteral("name"), text);
    map.insert(QStringLiteral("text"), text);
    return map;
}

} // namespace Kova
