#include "kvtextlook.h"

namespace Kova {

KvTextLook::KvTextLook(const QFont& initialFont, const QColor& initialText,
                       const QColor& initialBackground)
    : font(initialFont)
    , textColor(initialText)
    , backgroundColor(initialBackground)
{
}

void KvTextLook::writeTo(QVariantMap& map) const
{
    map.insert(QStringLiteral("font"), font.toString());
    map.insert(QStringLiteral("textColor"), textColor.name(QColor::HexArgb));
    map.insert(QStringLiteral("backgroundColor"), backgroundColor.name(QColor::HexArgb));
}

void KvTextLook::readFrom(const QVariantMap& map)
{
    const QString fontText = map.value(QStringLiteral("font")).toString();
    QFont read;
    if (!fontText.isEmpty() && read.fromString(fontText))
        font = read;
    const QColor text(map.value(QStringLiteral("textColor")).toString());
    if (text.isValid())
        textColor = text;
    const QColor background(map.value(QStringLiteral("backgroundColor")).toString());
    if (background.isValid())
        backgroundColor = background;
}

bool KvTextLook::sameLook(const KvTextLook& other) const
{
    return font.toString() == other.font.toString() && textColor == other.textColor &&
           backgroundColor == other.backgroundColor;
}

} // namespace Kova
