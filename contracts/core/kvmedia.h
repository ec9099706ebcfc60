#pragma once

#include "mediatype.h"

#include <QFont>
#include <QString>
#include <QVariant>

namespace Kova {

class KvScreen;

// One medium of a screen's sequence. The uri is kept relative to the data
// folder when the file lies inside it, absolute otherwise.
class KvMedia
{
public:
    KvMedia() = default;
    explicit KvMedia(const QString& uri, MediaType::MediaTypes type = MediaType::Unknown,
                     KvScreen* parent = nullptr);
    // Copies every property, including the parent screen.
    KvMedia(const KvMedia& other) = default;
    KvMedia& operator=(const KvMedia& other) = default;

    QString uri() const { return m_uri; }
    void setUri(const QString& uri) { m_uri = uri; }
    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    // Where the player writes the medium on the playback machine (relative path).
    QString destination() const { return m_destination; }
    void setDestination(const QString& destination) { m_destination = destination; }
    MediaType::MediaTypes mediaType() const { return m_mediaType; }
    void setMediaType(MediaType::MediaTypes type) { m_mediaType = type; }
    // Seconds.
    double playingDuration() const { return m_playingDuration; }
    void setPlayingDuration(double seconds) { m_playingDuration = seconds; }
    // Telop: milliseconds between two steps.
    int wait() const { return m_wait; }
    void setWait(int milliseconds) { m_wait = milliseconds; }
    bool waitAuto() const { return m_waitAuto; }
    void setWaitAuto(bool waitAuto) { m_waitAuto = waitAuto; }
    // Telop: pixels moved per step.
    int step() const { return m_step; }
    void setStep(int step) { m_step = step; }
    bool detectTermination() const { return m_detectTermination; }
    void setDetectTermination(bool detect) { m_detectTermination = detect; }
    // Telop travel: 1 none (static), 2 right to left, 3 bottom to top, 4 left to right,
    // 5 top to bottom.
    int playingDirection() const { return m_playingDirection; }
    void setPlayingDirection(int direction) { m_playingDirection = direction; }
    QFont font() const { return m_font; }
    void setFont(const QFont& font) { m_font = font; }
    // Plug-in media keep their own settings here.
    QVariantMap properties() const { return m_properties; }
    void setProperties(const QVariantMap& properties) { m_properties = properties; }

    KvScreen* parent() const { return m_parent; }
    void setParent(KvScreen* parent) { m_parent = parent; }

    // Copies every property but the parent screen.
    void copyFrom(const KvMedia& other);
    // Takes the properties a plug-in reports: a QVariantMap whose keys name the
    // properties above ("name", "playingDuration", ...); other keys go to properties().
    void updateProperty(const QVariant& value);
    // Equal content. The uri takes part unless compareUri is false (comparing what a
    // property copy carries over); the parent screen only when compareParent is true.
    bool isMatch(const KvMedia& other, bool compareUri = true, bool compareParent = false) const;

private:
    QString m_uri;
    QString m_name;
    QString m_destination;
    MediaType::MediaTypes m_mediaType = MediaType::Unknown;
    double m_playingDuration = 10.0;
    int m_wait = 40;
    bool m_waitAuto = false;
    int m_step = 2;
    bool m_detectTermination = false;
    int m_playingDirection = 2;
    QFont m_font;
    QVariantMap m_properties;
    KvScreen* m_parent = nullptr;
};

} // namespace Kova
