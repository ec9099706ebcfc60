#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QVariant>

#include "kvtextlook.h"

namespace Kova {

// How a ticker screen runs its items: speed in pixels per second, font and colours.
class KvTickerState : public KvTextLook
{
public:
    KvTickerState();

    // The state as a screen keeps it: a QVariantMap ("speed" an int, "font", "textColor",
    // "backgroundColor" strings).
    QVariant toVariant() const;
    // The state of such a map; missing or unusable values keep their defaults.
    static KvTickerState fromVariant(const QVariant& value);

    // The text of a ticker item's content ("text", else its "name").
    static QString itemText(const QVariant& content);
    // The content of a new ticker item, as requestAddContents carries it.
    static QVariant itemContent(const QString& text);

    int speed = 120;
};

} // namespace Kova
