#include "kvtelopduration.h"

#include "kvcontentfiletext.h"
#include "kvmedia.h"
#include "kvtelopfile.h"

#include <QFontMetrics>

namespace Kova {

double KvTelopDuration::seconds(const KvMedia& media, const QRectF& screenRect,
                                const QString& filePath)
{
    if (media.playingDirection() == 1)
        return media.playingDuration();
    QString content;
    QString error;
    if (!KvContentFileText::read(filePath, &content, &error))
        return -1.0;
    return secondsForText(media, screenRect, KvTelopFile::fromText(content).text);
}

double KvTelopDuration::secondsForText(const KvMedia& media, const QRectF& screenRect,
                                       const QString& text)
{
    if (media.playingDirection() == 1)
        return media.playingDuration();
    if (text.isEmpty() || media.step() <= 0)
        return -1.0;
    // The player keeps the wait in single precision.
    const double secondsPerStep =
        media.waitAuto() ? AUTO_WAIT_SECONDS : double(float(media.wait()) / 1000.0f);
    const double secondsPerPixel = secondsPerStep / media.step();
    const QFontMetrics metrics(media.font());
    const int direction = media.playingDirection();
    double distance = 0.0;
    if (direction == 3 || direction == 5) {
        distance = metrics.boundingRect(screenRect.toRect(), Qt::TextWordWrap, text).height() +
                   screenRect.height();
    } else {
        distance = metrics.boundingRect(text).width() + screenRect.width();
    }
    return secondsPerPixel * distance;
}

} // namespace Kova
