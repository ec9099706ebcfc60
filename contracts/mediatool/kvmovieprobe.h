#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>

namespace Kova {

// Reads the facts of one movie file with FFmpeg's libraries: its playing length, frame size
// and codec, and a representative frame scaled down for a thumbnail. Bounded in time (a
// deadline checked while FFmpeg reads), in bytes (probe size and analysis duration) and in
// packets read while looking for a frame, so a broken or hostile file never hangs a worker.
// Safe to call from several threads at once.
class KvMovieProbe
{
public:
    struct Result
    {
        bool readable = false; // FFmpeg could open the file and found its streams
        QString error;         // why it could not, when not readable
        QString format;        // e.g. "h264 in mp4"
        QSize frameSize;       // display size of the video, invalid without video
        qint64 length = 0;     // playing length in milliseconds, 0 when unknown
        QImage frame;          // the chosen frame, fitting maxSide; null when none decoded
    };

    // Probes the file; the frame fits a maxSide x maxSide box (aspect ratio kept). The whole
    // probe gives up after timeoutMs milliseconds.
    static Result probe(const QString& filePath, int maxSide, int timeoutMs = 10000);

    // Mean luma (0-255) of a picture; frames darker than darkLuma() are passed over when a
    // brighter one follows soon.
    static int meanLuma(const QImage& image);
    static int darkLuma() { return 24; }
};

} // namespace Kova
