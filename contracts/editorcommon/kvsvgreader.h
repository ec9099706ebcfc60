#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace Kova {

// Pictures from SVG files (resources included) rendered at the size they are shown at.
// Paths that are not SVG are loaded as ordinary pictures and scaled. Rendered images are
// kept in a small cache shared by all threads.
class KvSvgReader
{
public:
    // An icon whose pixmap is rendered at width x height (times the device pixel ratio;
    // 0 takes the application's). A null icon when the file cannot be read.
    static QIcon getIcon(const QString& path, int width, int height, qreal devicePixelRatio = 0);
    // The picture rendered into exactly `size` (transparent background); a null image
    // when the file cannot be read or the size is empty.
    static QImage getImage(const QString& path, const QSize& size);
    static QImage getImage(const QString& path, int width, int height);
    static QPixmap getPixmap(const QString& path, const QSize& size);

    // Whether the path names an SVG picture (by suffix, also compressed ".svgz").
    static bool isSvg(const QString& path);
};

} // namespace Kova
