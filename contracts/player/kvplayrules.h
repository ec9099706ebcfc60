#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace Kova {

class KvMedia;

// How long media play and which files a medium stands for. The timeline's figures
// (timelineSeconds) are those the editor's sequence blocks show; the player's (playMs) follow
// them wherever the timeline knows a length.
class KvPlayRules
{
public:
    // No medium plays shorter, so media of zero length cannot make a screen loop without end.
    static constexpr qint64 MINIMUM_PLAY_MS = 100;

    // The uri as an absolute path: relative uris are taken from the data folder. Web addresses
    // (with a scheme such as http:) are returned as they are.
    static QString absolutePath(const QString& uri, const QString& dataDir);
    // True for a web medium whose uri is an address rather than a file.
    static bool isAddress(const QString& uri);
    // The media types the player plays (every MediaType but Unknown and unused values).
    static bool isPlayableType(int mediaType);
    // Whether the medium needs a file or folder at its path (extended media and web
    // addresses do not).
    static bool needsFile(const KvMedia& media);

    // The playing time the timeline shows, in seconds; -1.0 when unknown. movieLengthMs is the
    // movie's recorded length (0 when unknown), screenRect the rectangle of the medium's
    // screen (for telop travel).
    static double timelineSeconds(const KvMedia& media, const QRectF& screenRect,
                                  const QString& dataDir, qint64 movieLengthMs);
    // The time the player gives a medium that is not a folder, in milliseconds: the timeline's
    // figure when it knows one; otherwise -1 for a movie (it plays until it ends) and the
    // medium's playing duration for the other types. Never below MINIMUM_PLAY_MS but for -1.
    static qint64 playMs(const KvMedia& media, const QRectF& screenRect, const QString& dataDir,
                         qint64 movieLengthMs);
    // The time each file of a folder medium plays, in milliseconds.
    static qint64 folderFileMs(const KvMedia& media);

    // The files of a folder that a folder medium plays: files (no hidden ones) whose type is
    // known and not telop, in natural name order. Absolute paths.
    static QStringList folderFiles(const QString& folderPath);
    // Natural order: case-insensitive, runs of digits compared by their value ("img2" before
    // "img10"); names equal that way are ordered by their exact text.
    static bool naturalLess(const QString& a, const QString& b);

    // A movie's length in milliseconds: the media tool's recorded length when it has one,
    // else probed from the file; 0 when neither tells.
    static qint64 movieLengthMs(const QString& filePath);
};

} // namespace Kova
