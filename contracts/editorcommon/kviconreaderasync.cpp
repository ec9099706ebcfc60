#include "kviconreaderasync.h"

#include "kvthumbnail.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMetaMethod>
#include <QPainter>
#include <QPixmap>
#include <QThread>

namespace Kova {

namespace {

// Pictures larger than this many pixels are not decoded for an icon.
const qint64 maximumPixels = qint64(100) * 1000 * 1000;

// The picture scaled to fit the square, centred on a transparent background. A file that is
// no picture itself (a movie, a telop) shows the media tool's thumbnail of it, when made.
QImage readPreview(const QString& path, const QSize& box)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return QImage();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        reader.setFileName(KvThumbnail::thumbnailFilePath(path));
        if (!reader.canRead())
            return QImage();
    }
    const QSize original = reader.size();
    if (original.isValid()) {
        if (qint64(original.width()) * original.height() > maximumPixels)
            return QImage();
        const QSize scaled = original.scaled(box, Qt::KeepAspectRatio);
        if (scaled.isValid() && scaled.width() < original.width())
            reader.setScaledSize(scaled.expandedTo(QSize(1, 1)));
    }
    QImage image = reader.read();
    if (image.isNull())
        return QImage();
    if (image.width() > box.width() || image.height() > box.height())
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage square(box, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((box.width() - image.width()) / 2, (box.height() - image.height()) / 2,
                      image);
    painter.end();
    return square;
}

} // namespace

KvIconReaderAsync::KvIconReaderAsync(const QStringList& paths, QObject* parent)
    : QObject(parent)
    , m_paths(paths)
{
}

KvIconReaderAsync::~KvIconReaderAsync()
{
    m_cancelled.storeRelease(1);
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void KvIconReaderAsync::setIconSize(const QSize& size)
{
    if (!m_thread && size.isValid() && !size.isEmpty())
        m_iconSize = size.boundedTo(QSize(1024, 1024));
}

bool KvIconReaderAsync::isRunning() const
{
    return m_thread && m_thread->isRunning();
}

void KvIconReaderAsync::start()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this]() { run(); });
    connect(m_thread, &QThread::finished, this, &KvIconReaderAsync::onThreadFinished,
            Qt::QueuedConnection);
    m_thread->start(QThread::LowPriority);
}

void KvIconReaderAsync::cancel()
{
    m_cancelled.storeRelease(1);
}

void KvIconReaderAsync::run()
{
    for (const QString& path : qAsConst(m_paths)) {
        if (m_cancelled.loadAcquire())
            return;
        const QImage image = readPreview(path, m_iconSize);
        // Delivered on the reader's own thread, in order.
        QMetaObject::invokeMethod(
            this, [this, path, image]() { deliver(path, image); }, Qt::QueuedConnection);
    }
}

void KvIconReaderAsync::deliver(const QString& path, const QImage& image)
{
    if (m_cancelled.loadAcquire())
        return;
    if (image.isNull()) {
        emit iconReadFailed(path);
        return;
    }
    auto* icon = new QIcon(QPixmap::fromImage(image));
    if (!isSignalConnected(QMetaMethod::fromSignal(&KvIconReaderAsync::iconReadCompleted))) {
        delete icon;
        return;
    }
    emit iconReadCompleted(path, icon);
}

void KvIconReaderAsync::onThreadFinished()
{
    emit finished();
    deleteLater();
}

} // namespace Kova
