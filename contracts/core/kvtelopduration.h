#pragma once

#include <QRectF>
#include <QString>

namespace Kova {

class KvMedia;

// How long a telop medium plays on its screen, the same for the timeline and the player: the
// text travels across the screen, so its time is the distance (the text's extent plus the
// screen's, along the direction of travel) times the time per pixel (the wait per step,
// divided by the step). A telop that does not travel plays its playing duration.
class KvTelopDuration
{
public:
    // Seconds per step when the wait is chosen automatically: one frame at 60 Hz.
    static constexpr double AUTO_WAIT_SECONDS = 1.0 / 60.0;

    // The seconds `media` plays on a screen of `screenRect` with the text of the telop file
    // at `filePath` (its style block left out); -1 when that cannot be known (file unreadable
    // or empty, a step of 0).
    static double seconds(const KvMedia& media, const QRectF& screenRect, const QString& filePath);
    // The same with the telop's text given.
    static double secondsForText(const KvMedia& media, const QRectF& screenRect,
                                 const QString& text);
};

} // namespace Kova
