#include "kvplayerpictureview.h"

#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>
#include <QTimer>

namespace Kova {

namespace {

// The picture's size as shown (after its EXIF rotation), and whether the rotation swaps
// width and height.
QSize orientedSize(QImageReader& reader, bool* swapped)
{
    QSize size = reader.size();
    *swapped = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    if (*swapped)
        size.transpose();
    return size;
}

} // namespace

KvPlayerPictureView::KvPlayerPictureView(const QString& filePath, QWidget* parent)
    : KvPlayerMediaView(parent)
    , m_filePath(filePath)
{
    QImageReader reader(m_filePath);
    if (!reader.canRead()) {
        m_failed = true;
        QTimer::singleShot(0, this, &KvPlayerMediaView::failed);
    }
}

KvPlayerPictureView::~KvPlayerPictureView() = default;

QRect KvPlayerPictureView::pictureRect() const
{
    if (m_image.isNull())
        return QRect();
    return QRect(QPoint((width() - m_image.width()) / 2, (height() - m_image.height()) / 2),
                 m_image.size());
}

bool KvPlayerPictureView::decode()
{
    QImageReader reader(m_filePath);
    reader.setAutoTransform(true);
    bool swapped = false;
    const QSize source = orientedSize(reader, &swapped);
    if (source.isValid() && !size().isEmpty()) {
        QSize fitted = source.scaled(size(), Qt::KeepAspectRatio);
        fitted = fitted.expandedTo(QSize(1, 1));
        if (swapped)
            fitted.transpose();
        reader.setScaledSize(fitted);
    }
    m_image = reader.read();
    m_decodedFor = size();
    return !m_image.isNull();
}

void KvPlayerPictureView::paintEvent(QPaintEvent* /*event*/)
{
    if (m_failed)
        return;
    if (m_decodedFor != size() && !decode()) {
        m_failed = true;
        QTimer::singleShot(0, this, &KvPlayerMediaView::failed);
        return;
    }
    QPainter painter(this);
    painter.drawImage(pictureRect(), m_image);
}

} // namespace Kova
