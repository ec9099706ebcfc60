#include "kvclockstate.h"

#include <QTimeZone>
#include <QVariantMap>

namespace Kova {

KvClockState::KvClockState()
    : format(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
    , textColor(Qt::white)
    , backgroundColor(Qt::black)
{
    font.setFamily(QStringLiteral("Sans Serif"));
    font.setPointSize(36);
}

QVariant KvClockState::toVariant() const
{
    QVariantMap map;
    map.insert(QStringLiteral("format"), format);
    map.insert(QStringLiteral("timeZone"), timeZone);
    map.insert(QStringLiteral("font"), font.toString());
    map.insert(QStringLiteral("textColor"), textColor.name(QColor::HexArgb));
    map.insert(QStringLiteral("backgroundColor"), backgroundColor.name(QColor::HexArgb));
    return map;
}

KvClockState KvClockState::fromVariant(const QVariant& value)
{
    KvClockState state;
    const QVariantMap map = value.toMap();
    const QString format = map.value(QStringLiteral("format")).toString();
    if (!format.isEmpty())
        state.format = format;
    const QByteArray zone = map.value(QStringLiteral("timeZone")).toString().toUtf8();
    if (!zone.isEmpty() && QTimeZone::isTimeZoneIdAvailable(zone))
        state.timeZone = QString::fromUtf8(zone);
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

QString KvClockState::text(const QDateTime& moment) const
{
    const QDateTime shown =
        timeZone.isEmpty() ? moment.toLocalTime() : moment.toTimeZone(QTimeZone(timeZone.toUtf8()));
    return shown.toString(format);
}

bool KvClockState::operator==(const KvClockState& other) const
{
    return format == other.format && timeZone == other.timeZone &&
           font.toString() == other.font.toString() && textColor == other.textColor &&
           backgroundColor == other.backgroundColor;
}

} // namespace Kova
