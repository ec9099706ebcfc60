#include "kvplayrules.h"

#include <kvextension.h>
#include <kvmedia.h>
#include <kvmovieprobe.h>
#include <kvtelopduration.h>
#include <kvthumbnail.h>
#include <path.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace Kova {

namespace {

// Probing a movie for its length gives up after this long.
constexpr int PROBE_TIMEOUT_MS = 5000;

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qint64 clampedMs(double seconds)
{
    return std::max(KvPlayRules::MINIMUM_PLAY_MS, qint64(std::llround(seconds * 1000.0)));
}

} // namespace

QString KvPlayRules::absolutePath(const QString& uri, const QString& dataDir)
{
    if (isAddress(uri)) {
        return uri;
    }
    const QString path = QDir::fromNativeSeparators(uri);
    if (QDir::isRelativePath(path)) {
        return QDir::cleanPath(Path::combine(dataDir, path));
    }
    return QDir::cleanPath(path);
}

bool KvPlayRules::isAddress(const QString& uri)
{
    // Two letters at least before the colon, so a Windows drive ("C:") is not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(uri).hasMatch();
}

bool KvPlayRules::isPlayableType(int mediaType)
{
    switch (mediaType) {
    case MediaType::Image:
    case MediaType::Movie:
    case MediaType::Flash:
    case MediaType::Web:
    case MediaType::Telop:
    case MediaType::Folder:
    case MediaType::Extended:
        return true;
    default:
        return false;
    }
}

bool KvPlayRules::needsFile(const KvMedia& media)
{
    return media.mediaType() != MediaType::Extended && !isAddress(media.uri());
}

double KvPlayRules::timelineSeconds(const KvMedia& media, const QRectF& screenRect,
                                    const QString& dataDir, qint64 movieLengthMs)
{
    const double playing = media.playingDuration();
    switch (media.mediaType()) {
    case MediaType::Image:
    case MediaType::Flash:
    case MediaType::Web:
        return (media.detectTermination() || playing == 0.0) ? -1.0 : playing;
    case MediaType::Movie:
        if (!media.detectTermination()) {
            return playing > 0.0 ? playing : -1.0;
        }
        // The timeline shows 10 s for a movie whose length is not recorded yet.
        return movieLengthMs > 0 ? movieLengthMs / 1000.0 : 10.0;
    case MediaType::Telop:
        return KvTelopDuration::seconds(media, screenRect, absolutePath(media.uri(), dataDir));
    case MediaType::Folder: {
        const QFileInfo folder(absolutePath(media.uri(), dataDir));
        if (!folder.isDir()) {
            return 0.0;
        }
        return folderFiles(folder.absoluteFilePath()).count() * playing;
    }
    default:
        return -1.0;
    }
}

qint64 KvPlayRules::playMs(const KvMedia& media, const QRectF& screenRect, const QString& dataDir,
                           qint64 movieLengthMs)
{
    if (media.mediaType() == MediaType::Movie) {
        // A movie played until its end whose length nobody knows waits for the view to
        // report its end (the timeline shows 10 s for it).
        if (media.detectTermination()) {
            return movieLengthMs > 0 ? clampedMs(movieLengthMs / 1000.0) : -1;
        }
        const double seconds = timelineSeconds(media, screenRect, dataDir, movieLengthMs);
        return seconds > 0.0 ? clampedMs(seconds) : -1;
    }
    const double seconds = timelineSeconds(media, screenRect, dataDir, movieLengthMs);
    return clampedMs(seconds > 0.0 ? seconds : media.playingDuration());
}

qint64 KvPlayRules::folderFileMs(const KvMedia& media)
{
    return clampedMs(media.playingDuration());
}

QStringList KvPlayRules::folderFiles(const QString& folderPath)
{
    QStringList files;
    const QFileInfoList entries =
        QDir(folderPath).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        const MediaType::MediaTypes type = KvExtension::getMediaType(entry.suffix());
        if (type != MediaType::Unknown && type != MediaType::Telop) {
            files.append(entry.absoluteFilePath());
        }
    }
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return naturalLess(Path::getName(a), Path::getName(b));
    });
    return files;
}

bool KvPlayRules::naturalLess(const QString& a, const QString& b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a.at(i)) && isDigit(b.at(j))) {
            int startA = i;
            int startB = j;
            while (startA < a.size() - 1 && a.at(startA) == QLatin1Char('0') &&
                   isDigit(a.at(startA + 1))) {
                ++startA;
            }
            while (startB < b.size() - 1 && b.at(startB) == QLatin1Char('0') &&
                   isDigit(b.at(startB + 1))) {
                ++startB;
            }
            i = startA;
            j = startB;
            while (i < a.size() && isDigit(a.at(i))) {
                ++i;
            }
            while (j < b.size() && isDigit(b.at(j))) {
                ++j;
            }
            const QStringRef digitsA = a.midRef(startA, i - startA);
            const QStringRef digitsB = b.midRef(startB, j - startB);
            if (digitsA.size() != digitsB.size()) {
                return digitsA.size() < digitsB.size();
            }
            const int order = digitsA.compare(digitsB);
            if (order != 0) {
                return order < 0;
            }
            continue;
        }
        const QChar ca = a.at(i).toCaseFolded();
        const QChar cb = b.at(j).toCaseFolded();
        if (ca != cb) {
            return ca < cb;
        }
        ++i;
        ++j;
    }
    const int restA = a.size() - i;
    const int restB = b.size() - j;
    if (restA != restB) {
        return restA < restB;
    }
    return a < b;
}

qint64 KvPlayRules::movieLengthMs(const QString& filePath)
{
    const qint64 recorded = KvThumbnail::getFilePropertyFromHashFile(filePath).length;
    if (recorded > 0) {
        return recorded;
    }
    return KvMovieProbe::probe(filePath, 1, PROBE_TIMEOUT_MS).length;
}

} // namespace Kova
