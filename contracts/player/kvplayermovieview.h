#pragma once

#include "kvplayermediaview.h"

#include <QMediaPlayer>
#include <QString>

class QVideoWidget;

namespace Kova {

// A movie, played once from its start by QtMultimedia into a video widget filling the
// screen (aspect ratio kept, black bars). Movies play muted unless sound is switched on:
// several screens may play at once and a stage has no volume per medium. ended() at the
// end of the movie,
// failed() when the file is missing or the backend cannot play it.
class KvPlayerMovieView : public KvPlayerMediaView
{
    Q_OBJECT
public:
    explicit KvPlayerMovieView(const QString& filePath, QWidget* parent = nullptr);
    ~KvPlayerMovieView() override;

    void setSound(bool on);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void onStatusChanged(QMediaPlayer::MediaStatus status);
    void fail();

    QString m_filePath;
    QVideoWidget* m_video;
    QMediaPlayer* m_player;
    bool m_reported = false;
};

} // namespace Kova
