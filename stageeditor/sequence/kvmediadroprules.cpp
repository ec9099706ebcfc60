#include "kvmediadroprules.h"

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvextension.h"
#include "kvmedia.h"
#include "kvmediadroptarget.h"
#include "kvscreen.h"
#include "path.h"

#include <QFileInfo>
#include <QGraphicsItem>
#include <QMimeData>
#include <QRegExp>
#include <QStringList>
#include <QUrl>

namespace Kova {

QStringList KvMediaDropRules::filePathsOf(const QMimeData* mimeData)
{
    QStringList paths;
    if (!mimeData || !mimeData->hasFormat(KvEditorCommon::MIME_TYPE_URI)) {
        return paths;
    }
    const QString text = QString::fromLatin1(mimeData->data(KvEditorCommon::MIME_TYPE_URI));
    const QStringList lines = text.split(QRegExp("[\\r\\n]"), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        // Each line is one percent-encoded URL; it is decoded exactly once, so that a file
        // name holding "%41" stays "%41".
        const QByteArray encoded = line.toLatin1();
        const QUrl url = QUrl::fromEncoded(encoded, QUrl::TolerantMode);
        QString path = url.toLocalFile();
        if (path.isEmpty() && url.scheme().isEmpty()) {
            // A bare path instead of a file URL.
            path = QUrl::fromPercentEncoding(encoded);
        }
        paths.append(path);
    }
    return paths;
}

KvScreen* KvMediaDropRules::targetScreenOf(QGraphicsItem* item)
{
    auto* target = dynamic_cast<KvMediaDropTarget*>(item);
    return target ? target->dropTargetScreen() : nullptr;
}

bool KvMediaDropRules::passesLineRule(const QString& path, int targetType, int* mediaType)
{
    const QString extension = Path::getExtension(path);
    const int screenType = KvExtension::getScreenType(extension);
    const bool isDir = !path.isEmpty() && QFileInfo(path).isDir();
    if (screenType != targetType) {
        // Only a folder crosses screen types, and only onto a multimedia screen.
        if (isDir && targetType == ScreenType::Multimedia) {
            *mediaType = MediaType::Folder;
            return true;
        }
        return false;
    }
    if (targetType == ScreenType::Telop && isDir) {
        return false;
    }
    *mediaType = KvExtension::getMediaType(extension);
    return true;
}

bool KvMediaDropRules::canDropUris(const QMimeData* mimeData, QGraphicsItem* targetItem,
                                   Qt::DropAction* action)
{
    if (action) {
        *action = Qt::IgnoreAction;
    }
    if (!mimeData || !targetItem) {
        return false;
    }
    if (!mimeData->hasFormat(KvEditorCommon::MIME_TYPE_URI)) {
        return false;
    }
    KvScreen* screen = targetScreenOf(targetItem);
    if (!screen) {
        return false;
    }
    const QStringList paths = filePathsOf(mimeData);
    if (paths.isEmpty()) {
        return false;
    }
    const int targetType = screen->type();
    for (const QString& path : paths) {
        int mediaType = MediaType::Unknown;
        if (!passesLineRule(path, targetType, &mediaType)) {
            return false;
        }
    }
    if (action) {
        *action = Qt::CopyAction;
    }
    return true;
}

QList<KvMedia*> KvMediaDropRules::createMediaListFromMimeData(const QMimeData* mimeData,
                                                              KvScreen* screen, bool* ok)
{
    if (ok) {
        *ok = true;
    }
    QList<KvMedia*> mediaList;
    if (!mimeData || !screen || !mimeData->hasFormat(KvEditorCommon::MIME_TYPE_URI)) {
        return mediaList;
    }
    const int targetType = screen->type();
    const QStringList paths = filePathsOf(mimeData);
    for (const QString& path : paths) {
        int mediaType = MediaType::Unknown;
        if (!passesLineRule(path, targetType, &mediaType)) {
            continue;
        }
        const QString uri = KvEditorConfig::getRelativePath(QFileInfo(path).absoluteFilePath());
        auto* media = new KvMedia(uri, static_cast<MediaType::MediaTypes>(mediaType));
        media->setParent(screen);
        if (mediaType == MediaType::Movie) {
            media->setDetectTermination(true);
        } else {
            media->setPlayingDuration(10.0);
        }
        mediaList.append(media);
    }
    return mediaList;
}

} // namespace Kova
