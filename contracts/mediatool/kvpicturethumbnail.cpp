#include "kvpicturethumbnail.h"

#include <QImageIOHandler>
#include <QImageReader>

namespace Kova {

KvPictureThumbnail::Result KvPictureThumbnail::make(const QString& filePath, int maxSide)
{
    Result result;
    QImageReader reader(filePath);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    result.format = reader.format();
    if (result.format.isEmpty()) {
        result.error = reader.errorString();
        return result;
    }

    // The reader scales the stored picture and turns it afterwards, so for a quarter turn the
    // box is applied to the stored size with width and height exchanged.
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize stored = reader.size();
    if (stored.isValid()) {
        result.size = quarterTurn ? stored.transposed() : stored;
        if (stored.width() > maxSide || stored.height() > maxSide) {
            const QSize shown = result.size.scaled(maxSide, maxSide, Qt::KeepAspectRatio);
            reader.setScaledSize((quarterTurn ? shown.transposed() : shown).expandedTo({1, 1}));
        }
    }
    QImage image = reader.read();
    if (image.isNull()) {
        result.error = reader.errorString();
        return result;
    }
    // A format that cannot tell its size up front is scaled after reading.
    if (!stored.isValid()) {
        result.size = image.size();
        if (image.width() > maxSide || image.height() > maxSide) {
            image = image.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
    }
    result.image = image;
    return result;
}

} // namespace Kova
