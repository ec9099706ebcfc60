#include "kvextension.h"

namespace Kova {

QStringList KvExtension::getExtensions(int mediaType)
{
    switch (mediaType) {
    case MediaType::Image:
        return {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                QStringLiteral("bmp"), QStringLiteral("gif")};
    case MediaType::Movie:
        return {QStringLiteral("mp4"), QStringLiteral("avi"), QStringLiteral("mov"),
                QStringLiteral("wmv"), QStringLiteral("mpg"), QStringLiteral("mpeg"),
                QStringLiteral("mkv")};
    case MediaType::Flash:
        return {QStringLiteral("swf")};
    case MediaType::Web:
        return {QStringLiteral("url"), QStringLiteral("html"), QStringLiteral("htm")};
    case MediaType::Telop:
        return {QStringLiteral("txt")};
    default:
        break;
    }
    return QStringList();
}

MediaType::MediaTypes KvExtension::getMediaType(const QString& extension)
{
    static const MediaType::MediaTypes fileTypes[] = {
        MediaType::Image, MediaType::Movie, MediaType::Flash, MediaType::Web, MediaType::Telop};
    if (extension.isEmpty())
        return MediaType::Unknown;
    for (MediaType::MediaTypes type : fileTypes) {
        if (getExtensions(type).contains(extension, Qt::CaseInsensitive))
            return type;
    }
    return MediaType::Unknown;
}

ScreenType::ScreenTypes KvExtension::getScreenType(const QString& extension)
{
    switch (getMediaType(extension)) {
    case MediaType::Telop:
        return ScreenType::Telop;
    case MediaType::Unknown:
        return ScreenType::Unknown;
    default:
        break;
    }
    return ScreenType::Multimedia;
}

} // namespace Kova
