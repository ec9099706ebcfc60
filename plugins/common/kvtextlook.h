#pragma once

#include <QColor>
#include <QFont>
#include <QVariantMap>

namespace Kova {

// The look of the text a shipped plug-in's screen shows: font, text colour and background
// colour, kept in the screen's state as strings under "font", "textColor" and
// "backgroundColor".
class KvTextLook
{
public:
    KvTextLook(const QFont& initialFont, const QColor& initialText,
               const QColor& initialBackground);

    void writeTo(QVariantMap& map) const;
    // Takes each of the three values that the map holds in a usable form; the others stay.
    void readFrom(const QVariantMap& map);

    bool sameLook(const KvTextLook& other) const;

    QFont font;
    QColor textColor;
    QColor backgroundColor;
};

} // namespace Kova
