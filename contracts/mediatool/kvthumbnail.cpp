#include "kvthumbnail.h"

#include <QFileInfo>

namespace Kova {

const QString KvThumbnail::THUMBNAIL_FOLDER_NAME = QStringLiteral("._kvthumb");
const int KvThumbnail::THUMBNAIL_SIZE = 160;

QString KvThumbnail::thumbnailFilePath(const QString& absolutePath)
{
    const QFileInfo info(absolutePath);
    return info.absolutePath() + '/' + THUMBNAIL_FOLDER_NAME + '/' + info.fileName() + ".png";
}

KvThumbnail::FileProperty KvThumbnail::getFilePropertyFromHashFile(const QString& absolutePath)
{
    FileProperty property;
    property.filePath = absolutePath;
    property.thumbnailPath = thumbnailFilePath(absolutePath);
    return property;
}

QImage KvThumbnail::loadThumbnail(const QString& thumbnailPath)
{
    return QImage(thumbnailPath);
}

} // namespace Kova
