#pragma once

#include "kvthumbnail.h"

#include <QImage>
#include <QString>

namespace Kova {

// Keeps thumbnails and the per-folder record of file properties in the thumbnail folder of
// each folder: <folder>/._kvthumb/<file name>.png and <folder>/._kvthumb/properties.json.
// Files are replaced atomically. Writers in this process take turns per folder and merge
// what another process wrote meanwhile, so no entry is lost. When a folder cannot be
// written its thumbnails and entries stay in memory for the life of the process, with one
// warning for the folder. Safe to call from several threads at once.
class KvMediaStore
{
public:
    // Name of the record file inside the thumbnail folder.
    static const QString RECORD_FILE_NAME;

    // "size:modification time in ms" of a file, empty when it does not exist.
    static QString stamp(const QString& absolutePath);

    // Records a file's property (its format, dimensions, stamp and length). It is found in
    // memory at once; the folder's record file is written now, or with writeNow false by the
    // next writeRecord of the folder, so that a batch of files makes one write.
    static void storeProperty(const KvThumbnail::FileProperty& property, bool writeNow = true);
    // Writes the record of the file's folder when entries wait to be written.
    static void writeRecord(const QString& absolutePath);
    // Writes every record that has entries waiting.
    static void writeAllRecords();
    // The recorded property of a file whatever its stamp; false when none is recorded.
    static bool findProperty(const QString& absolutePath, KvThumbnail::FileProperty* property);

    // Writes a thumbnail picture, or keeps it in memory when its folder cannot be written.
    static void storeThumbnail(const QString& thumbnailPath, const QImage& image);
    // Removes a thumbnail from the folder and from memory.
    static void removeThumbnail(const QString& thumbnailPath);
    // The thumbnail at a path, from memory first, then from the file; null when none.
    static QImage thumbnail(const QString& thumbnailPath);
};

} // namespace Kova
