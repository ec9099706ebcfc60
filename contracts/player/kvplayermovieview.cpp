#include "kvplayermovieview.h"

#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>

namespace Kova {

KvPlayerMovieView::KvPlayerMovieView(const QString& filePath, QWidget* parent)
    : KvPlayerMediaView(parent)
    , m_filePath(filePath)
    , m_video(new QVideoWidget(this))
    , m_player(new QMediaPlayer(this, QMediaPlayer::VideoSurface))
{
    m_video->setAspectRatioMode(Qt::KeepAspectRatio);
    m_video->setGeometry(rect());
    m_player->setMuted(true);
    m_player->setVideoOutput(m_video);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, &KvPlayerMovieView::onStatusChanged);
    connect(m_player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this,
            &KvPlayerMovieView::fail);
    if (!QFileInfo(m_filePath).isFile()) {
        // Not handed to the backend: fail on the next turn, after the owner connected.
        QTimer::singleShot(0, this, &KvPlayerMovieView::fail);
        return;
    }
    m_player->setMedia(QUrl::fromLocalFile(m_filePath));
    m_player->play();
}

KvPlayerMovieView::~KvPlayerMovieView()
{
    // Stop the pipeline while the video widget it draws into still exists.
    m_player->disconnect(this);
    m_player->stop();
    m_player->setVideoOutput(static_cast<QVideoWidget*>(nullptr));
}

void KvPlayerMovieView::setSound(bool on)
{
    m_player->setMuted(!on);
}

void KvPlayerMovieView::resizeEvent(QResizeEvent* /*event*/)
{
    m_video->setGeometry(rect());
}

void KvPlayerMovieView::onStatusChanged(QMediaPlayer::MediaStatus status)
{
    if (status == QMediaPlayer::InvalidMedia) {
        fail();
    } else if (status == QMediaPlayer::EndOfMedia && !m_reported) {
        m_reported = true;
        emit ended();
    }
}

void KvPlayerMovieView::fail()
{
    // The backend reports a bad file both as an error and as invalid media: report once.
    if (m_reported)
        return;
    m_reported = true;
    emit failed();
}

} // namespace Kova
