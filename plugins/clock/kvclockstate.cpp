#include "kvclockstate.h"

#include <QTimeZone>
#include <QVariantMap>

namespace Kova {

KvClockState::KvClockState()
    : KvTextLook(QFont(QStringLiteral("Sans Serif"), 36), Qt::white, Qt::black)
    , format(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
{
}

QVariant KvClockState::toVariant() const
{
    QVariantMap map;
    map.insert(QStringLiteral("format"), format);
    map.insert(QStringLiteral("timeZone"), timeZone);
    writeTo(map);
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
    state.readFrom(map);
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
    return format == other.format && timeZone == other.timeZone && sameLook(other);
}

} // namespace Kova
