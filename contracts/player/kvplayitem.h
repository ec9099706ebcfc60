#pragma once

#include <QString>
#include <QtGlobal>

namespace Kova {

class KvMedia;

// What one screen plays at a time.
struct KvPlayItem
{
    int screenId = -1;
    // Index in the screen's media list; -1 while nothing plays.
    int mediaIndex = -1;
    // Owned by the stage.
    const KvMedia* media = nullptr;
    // Absolute; for a folder medium, the folder's file playing now.
    QString filePath;
    // MediaType of what plays (for a folder's file: that file's type).
    int mediaType = 0;
    // Clock time it started.
    qint64 startMs = 0;
    // Planned length; -1: until the view reports its end (a movie played until it ends).
    qint64 durationMs = -1;

    bool isValid() const { return mediaIndex >= 0; }
};

} // namespace Kova
