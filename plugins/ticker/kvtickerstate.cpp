#include "kvtickerstate.h"

#include <QVariantMap>

namespace Kova {

KvTickerState::KvTickerState()
    : textColor(Qt::yellow)
    , backgroundColor(QColor(0, 0, 96))
{
    font.setFamily(QStringLiteral("Sans Serif"));
    font.setPointSize(28);
}

QVariant KvTickerState::toVariant() const
{
    QVariantMap map;
    map.insert(QStringLiteral("speed"), speed);
    map.insert(QStringLiteral("font"), font.toString());
    map.insert(QStringLiteral("textColor"), textColor.name(QColor::HexArgb));
    map.insert(QStringLiteral("backgroundColor"), backgroundColor.name(QColor::HexArgb));
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
    const QString fontText = map.value(QStringLiteral("font")).toString();
    QFont font;
    if (!fontText.isEmpty() && font.fromString(fontText))
        state.font = font;
    const QColor text(map.value(QStringLiteral("textColor")).toString());
    if (text.isValid())
        state.textColor = text;
    const QColor background(map.value(QStringLiteral("backgroundColor")).toString());
    if (background.isValid())
        state.backgroundColor = background;
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
