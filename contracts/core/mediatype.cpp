#include "mediatype.h"

namespace Kova {
namespace MediaType {

QString Convert::toString(MediaTypes type)
{
    switch (type) {
    case Image:
        return QStringLiteral("image");
    case Movie:
        return QStringLiteral("movie");
    case Flash:
        return QStringLiteral("flash");
    case Web:
        return QStringLiteral("web");
    case Telop:
        return QStringLiteral("telop");
    case Folder:
        return QStringLiteral("folder");
    case Extended:
        return QStringLiteral("extended");
    case Unknown:
        break;
    }
    return QString();
}

MediaTypes Convert::toType(const QString& text)
{
    static const MediaTypes all[] = {Image, Movie, Flash, Web, Telop, Folder, Extended};
    for (MediaTypes type : all) {
        if (text.compare(toString(type), Qt::CaseInsensitive) == 0)
            return type;
    }
    return Unknown;
}

} // namespace MediaType
} // namespace Kova
