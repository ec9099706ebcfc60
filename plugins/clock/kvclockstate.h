#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QString>
#include <QVariant>

#include "kvtextlook.h"

namespace Kova {

// What a clock screen shows: the date and time in a format (QDateTime::toString's), in a
// time zone (an IANA id; empty for the player's local time), with a font and two colours.
class KvClockState : public KvTextLook
{
public:
    KvClockState();

    // The state as a screen keeps it: a QVariantMap of strings ("format", "timeZone",
    // "font", "textColor", "backgroundColor").
    QVariant toVariant() const;
    // The state of such a map; missing or unusable values keep their defaults.
    static KvClockState fromVariant(const QVariant& value);

    // The text the clock shows at the moment `moment`.
    QString text(const QDateTime& moment) const;

    bool operator==(const KvClockState& other) const;
    bool operator!=(const KvClockState& other) const { return !(*this == other); }

    QString format;
    QString timeZone;
};

} // namespace Kova
