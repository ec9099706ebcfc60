#include "kvthumbnail.h"
#include "kvextension.h"
#include "kvmediastore.h"
#include "kvmovieprobe.h"
#include "kvpicturethumbnail.h"
#include "kvtelopfile.h"
#include "kvthumbnailcard.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <QUrl>

namespace Kova {

const QString KvThumbnail::THUMBNAIL_FOLDER_NAME = QStringLiteral("._kvthumb");
const int KvThumbnail::THUMBNAIL_SIZE = 160;

namespace {

// Text files are only looked at for their first lines.
constexpr qint64 textPeek = 16 * 1024;

QString sizeText(const QSize& size)
{
    return size.isValid() ? QStringLiteral("%1x%2").arg(size.width()).arg(size.height())
                          : QString();
}

QString headOfText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.read(textPeek));
}

QString firstLine(const QString& text)
{
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\r\n]")));
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty()) {
            return line.trimmed();
        }
    }
    return QString();
}

// What a web card shows: the host of a shortcut's address, or a page's title.
QString webCaption(const QString& path, const QString& suffix)
{
    const QString text = headOfText(path);
    if (suffix == QLatin1String("url")) {
        const QRegularExpressionMatch url =
            QRegularExpression(QStringLiteral("^\\s*URL\\s*=\\s*(\\S+)"),
                               QRegularExpression::MultilineOption |
                                   QRegularExpression::CaseInsensitiveOption)
                .match(text);
        const QString host = QUrl(url.captured(1)).host();
        if (!host.isEmpty()) {
            return host;
        }
    } else {
        const QRegularExpressionMatch title =
            QRegularExpression(QStringLiteral("<title[^>]*>([^<]*)</title>"),
                               QRegularExpression::CaseInsensitiveOption)
                .match(text);
        const QString caption = title.captured(1).simplified();
        if (!caption.isEmpty()) {
            return caption;
        }
    }
    return QFileInfo(path).completeBaseName();
}

void takePicture(KvThumbnail::FileProperty& property, QImage& thumbnail)
{
    const KvPictureThumbnail::Result picture =
        KvPictureThumbnail::make(property.filePath, KvThumbnail::THUMBNAIL_SIZE);
    if (picture.image.isNull()) {
        return;
    }
    property.format = QString::fromLatin1(picture.format);
    property.dimensions = sizeText(picture.size);
    thumbnail = picture.image;
}

// With frameNeeded a movie counts only when a frame could be decoded: FFmpeg opens any file
// named like a picture, whatever it holds.
void takeMovie(KvThumbnail::FileProperty& property, QImage& thumbnail, bool frameNeeded)
{
    const KvMovieProbe::Result movie =
        KvMovieProbe::probe(property.filePath, KvThumbnail::THUMBNAIL_SIZE);
    if (!movie.readable || (frameNeeded && movie.frame.isNull())) {
        return;
    }
    property.format = movie.format;
    property.dimensions = sizeText(movie.frameSize);
    property.length = movie.length;
    thumbnail = movie.frame;
}

} // namespace

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
    FileProperty recorded;
    const QString stamp = KvMediaStore::stamp(absolutePath);
    if (!stamp.isEmpty() && KvMediaStore::findProperty(absolutePath, &recorded) &&
        recorded.stamp == stamp) {
        return recorded;
    }
    return property;
}

KvThumbnail::FileProperty KvThumbnail::createFileProperty(const QString& absolutePath,
                                                          bool writeRecordNow)
{
    FileProperty property;
    property.filePath = absolutePath;
    property.thumbnailPath = thumbnailFilePath(absolutePath);
    const QFileInfo info(absolutePath);
    if (!info.isFile()) {
        property.format = QStringLiteral("missing");
        return property;
    }
    // Taken before the content is read: a file changed meanwhile is found stale next time.
    property.stamp = KvMediaStore::stamp(absolutePath);

    const QString suffix = info.suffix().toLower();
    QImage thumbnail;
    switch (KvExtension::getMediaType(suffix)) {
    case MediaType::Image:
        takePicture(property, thumbnail);
        if (property.format.isEmpty()) {
            takeMovie(property, thumbnail, true); // a movie saved under a picture's name
        }
        break;
    case MediaType::Movie:
        takeMovie(property, thumbnail, false);
        break;
    case MediaType::Telop:
        property.format = QStringLiteral("text");
        thumbnail = KvThumbnailCard::telop(
            firstLine(KvTelopFile::fromText(headOfText(absolutePath)).text), THUMBNAIL_SIZE);
        break;
    case MediaType::Web:
        property.format = suffix;
        thumbnail = KvThumbnailCard::web(webCaption(absolutePath, suffix), THUMBNAIL_SIZE);
        break;
    case MediaType::Flash:
        property.format = QStringLiteral("swf");
        thumbnail = KvThumbnailCard::label(QStringLiteral("Flash"), THUMBNAIL_SIZE);
        break;
    default:
        takePicture(property, thumbnail);
        if (property.format.isEmpty()) {
            property.format = suffix;
            thumbnail = KvThumbnailCard::label(
                suffix.isEmpty() ? info.fileName() : suffix.toUpper(), THUMBNAIL_SIZE);
        }
        break;
    }
    if (property.format.isEmpty()) {
        property.format = QStringLiteral("unreadable");
    }

    if (thumbnail.isNull()) {
        KvMediaStore::removeThumbnail(property.thumbnailPath);
    } else {
        KvMediaStore::storeThumbnail(property.thumbnailPath, thumbnail);
    }
    KvMediaStore::storeProperty(property, writeRecordNow);
    return property;
}

QString KvThumbnail::fileStamp(const QString& absolutePath)
{
    return KvMediaStore::stamp(absolutePath);
}

QImage KvThumbnail::loadThumbnail(const QString& thumbnailPath)
{
    return KvMediaStore::thumbnail(thumbnailPath);
}

} // namespace Kova
