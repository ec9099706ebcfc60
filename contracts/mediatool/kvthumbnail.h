#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

namespace Kova {

// Facts about one media file and its thumbnail. Thumbnails and the record of file properties
// are kept next to the files, in the hidden folder "._kvthumb" of each folder.
class KvThumbnail
{
public:
    // What is known about one file. Holders that do not use a field hand it back unchanged.
    struct FileProperty
    {
        QString filePath;      // absolute path of the file
        QString thumbnailPath; // absolute path of its thumbnail picture (may not exist)
        QString format;        // what the file holds, e.g. "h264 in mp4", "png"
        QString dimensions;    // picture or frame size, e.g. "1920x1080"; empty when unknown
        QString stamp;         // size and modification time the entry was made from
        qint64 length = 0;     // playing length in milliseconds (movies), 0 when unknown
    };

    // The thumbnail folder's name inside each folder.
    static const QString THUMBNAIL_FOLDER_NAME;
    // Thumbnails are at most this size, keeping the picture's aspect ratio.
    static const int THUMBNAIL_SIZE;

    // Where the thumbnail of a file lives: <folder>/._kvthumb/<file name>.png.
    static QString thumbnailFilePath(const QString& absolutePath);

    // The recorded property of a file; when nothing is recorded, or the file changed
    // (size or modification time) since, a property holding only filePath and
    // thumbnailPath.
    static FileProperty getFilePropertyFromHashFile(const QString& absolutePath);

    // Makes the thumbnail of a file and records its property, in the calling thread (a movie
    // takes a while, bounded in time; the editor goes through KvThumbnailAsync). The format
    // is "missing" when there is no regular file at the path and "unreadable" when the
    // content cannot be read as its type; neither gets a thumbnail. With writeRecordNow false
    // the entry is kept in memory (getFilePropertyFromHashFile finds it) until the folder's
    // record is written for a whole batch of files.
    static FileProperty createFileProperty(const QString& absolutePath, bool writeRecordNow = true);

    // The size and modification time of a file as a property's stamp holds them; empty when
    // there is no such file.
    static QString fileStamp(const QString& absolutePath);

    // The thumbnail picture at a property's thumbnailPath: from the file, or from memory when
    // the folder could not be written. A null image when there is none.
    static QImage loadThumbnail(const QString& thumbnailPath);
};

} // namespace Kova

Q_DECLARE_METATYPE(Kova::KvThumbnail::FileProperty)
