#include "kvsinglefile.h"

#include "kvthumbnail.h"

#include <QDir>
#include <QFile>

namespace Kova {

bool KvSingleFile::syncThumbnail(const QFileInfo& from, const QFileInfo& to, int operation,
                                 bool overwrite)
{
    const QString source = KvThumbnail::thumbnailFilePath(from.absoluteFilePath());
    if (!QFileInfo::exists(source))
        return true;
    const QString sourceFolder = QFileInfo(source).absolutePath();
    if (operation == Remove) {
        const bool removed = QFile::remove(source);
        QDir().rmdir(sourceFolder); // only when nothing else is left in it
        return removed;
    }
    if (operation != Copy && operation != Move)
        return false;

    const QString target = KvThumbnail::thumbnailFilePath(to.absoluteFilePath());
    if (target == source)
        return true;
    if (QFileInfo::exists(target)) {
        if (!overwrite)
            return true;
        if (!QFile::remove(target))
            return false;
    }
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    if (operation == Copy)
        return QFile::copy(source, target);
    // QFile::rename copies and removes when the folders lie on different file systems.
    const bool moved = QFile::rename(source, target);
    if (moved)
        QDir().rmdir(sourceFolder);
    return moved;
}

} // namespace Kova
