#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace Kova {

// Makes the thumbnail of a picture file with QImageReader. The reader is asked for the
// thumbnail's size directly (formats such as JPEG then decode at a fraction of the full
// size, so a 6000x4000 photograph is never held whole), the EXIF orientation is honoured, and
// the format is recognised from the file's content, so a wrong extension does no harm.
class KvPictureThumbnail
{
public:
    struct Result
    {
        QImage image;      // the thumbnail, null when the file is not a readable picture
        QByteArray format; // the format found in the content, e.g. "jpeg"
        QSize size;        // the picture's size as shown, after its orientation
        QString error;     // why there is no thumbnail
    };

    // The thumbnail fits a maxSide x maxSide box, aspect ratio kept; smaller pictures keep
    // their size.
    static Result make(const QString& filePath, int maxSide);
};

} // namespace Kova
