#pragma once

#include <QFileInfo>

namespace Kova {

// Operations on one file and what belongs to it.
class KvSingleFile
{
public:
    // The same numbering as KvFileManipulator's operations.
    enum Operation { Copy = 0, Move = 1, Remove = 2 };

    // Makes the thumbnail of `from` follow what happened to the file: moved or copied to the
    // thumbnail place of `to` (<folder>/._kvthumb/<name>.png), or removed (`to` unused). An
    // existing thumbnail of `to` is replaced when `overwrite` is set, else kept. A folder's own
    // thumbnail is handled like a file's; the thumbnails of the files in it travel with the
    // folder, inside it. The per-folder property record is not touched:
    // its entry for the old name goes stale and the media tool makes a new one for the new
    // name. Returns false only when a thumbnail existed and could not be handled.
    static bool syncThumbnail(const QFileInfo& from, const QFileInfo& to, int operation,
                              bool overwrite);
};

} // namespace Kova
