#pragma once

#include "mediatype.h"
#include "screentype.h"

#include <QStringList>

namespace Kova {

// The file extensions the suite plays, by media type (lower case, without dot).
class KvExtension
{
public:
    // image: png jpg jpeg bmp gif; movie: mp4 avi mov wmv mpg mpeg mkv; flash: swf;
    // web: url html htm; telop: txt. Empty for other types.
    static QStringList getExtensions(int mediaType);
    // Case-insensitive; Unknown for anything else.
    static MediaType::MediaTypes getMediaType(const QString& extension);
    // Telop files play on telop screens, the other known types on multimedia screens;
    // Unknown otherwise.
    static ScreenType::ScreenTypes getScreenType(const QString& extension);
};

} // namespace Kova
