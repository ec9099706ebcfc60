#include "kvsvgreader.h"

#include <QCache>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace Kova {

namespace {

// Sizes beyond this are taken as a caller's mistake, not rendered.
const int maximumSide = 8192;

QMutex& cacheMutex()
{
    static QMutex mutex;
    return mutex;
}

QCache<QString, QImage>& imageCache()
{
    // Cost is counted in kilobytes of pixels: about 16 MB of pictures.
    static QCache<QString, QImage> cache(16 * 1024);
    return cache;
}

QImage render(const QString& path, const QSize& size)
{
    if (!QFileInfo(path).isFile())
        return QImage();
    if (KvSvgReader::isSvg(path)) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return QImage();
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        return image;
    }
    QImage image(path);
    if (image.isNull())
        return QImage();
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

bool KvSvgReader::isSvg(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("svg") || suffix == QLatin1String("svgz");
}

QImage KvSvgReader::getImage(const QString& path, const QSize& size)
{
    if (path.isEmpty() || size.isEmpty() || size.width() > maximumSide ||
        size.height() > maximumSide)
        return QImage();
    const QString key = QStringLiteral("%1|%2x%3").arg(path).arg(size.width()).arg(size.height());
    {
        QMutexLocker locker(&cacheMutex());
        if (const QImage* cached = imageCache().object(key))
            return *cached;
    }
    const QImage image = render(path, size);
    if (!image.isNull()) {
        const int cost = std::max(1, int(image.sizeInBytes() / 1024));
        QMutexLocker locker(&cacheMutex());
        imageCache().insert(key, new QImage(image), cost);
    }
    return image;
}

QImage KvSvgReader::getImage(const QString& path, int width, int height)
{
    return getImage(path, QSize(width, height));
}

QPixmap KvSvgReader::getPixmap(const QString& path, const QSize& size)
{
    const QImage image = getImage(path, size);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QIcon KvSvgReader::getIcon(const QString& path, int width, int height, qreal devicePixelRatio)
{
    if (width <= 0 || height <= 0)
        return QIcon();
    qreal ratio = devicePixelRatio;
    if (ratio <= 0)
        ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    ratio = std::max<qreal>(1.0, std::min<qreal>(ratio, 4.0));
    const QSize size(int(std::ceil(width * ratio)), int(std::ceil(height * ratio)));
    const QImage image = getImage(path, size);
    if (image.isNull())
        return QIcon();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal, QIcon::Off);
    return icon;
}

} // namespace Kova
