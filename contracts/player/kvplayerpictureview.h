#pragma once

#include "kvplayermediaview.h"

#include <QImage>
#include <QString>

namespace Kova {

// A still picture, fitted whole inside the screen with its aspect ratio kept and centred;
// the screen's background shows on the two free sides. The file is decoded at the size it
// is drawn (EXIF orientation applied), on the first paint and again after a resize.
class KvPlayerPictureView : public KvPlayerMediaView
{
    Q_OBJECT
public:
    explicit KvPlayerPictureView(const QString& filePath, QWidget* parent = nullptr);
    ~KvPlayerPictureView() override;

    // Where the picture is drawn for the view's present size.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool decode();

    QString m_filePath;
    QImage m_image;
    QSize m_decodedFor;
    bool m_failed = false;
};

} // namespace Kova
