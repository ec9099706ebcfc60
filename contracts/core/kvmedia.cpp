#include "kvmedia.h"

namespace Kova {

KvMedia::KvMedia(const QString& uri, MediaType::MediaTypes type, KvScreen* parent)
    : m_uri(uri)
    , m_mediaType(type)
    , m_parent(parent)
{
}

void KvMedia::copyFrom(const KvMedia& other)
{
    if (&other == this)
        return;
    KvScreen* parent = m_parent;
    *this = other;
    m_parent = parent;
}

void KvMedia::updateProperty(const QVariant& value)
{
    QVariantMap map;
    if (value.type() == QVariant::Map)
        map = value.toMap();
    else if (value.type() == QVariant::Hash) {
        const QVariantHash hash = value.toHash();
        for (auto it = hash.cbegin(); it != hash.cend(); ++it)
            map.insert(it.key(), it.value());
    } else {
        return;
    }

    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const QString& key = it.key();
        const QVariant& v = it.value();
        if (key == QLatin1String("uri"))
            m_uri = v.toString();
        else if (key == QLatin1String("name"))
            m_name = v.toString();
        else if (key == QLatin1String("destination"))
            m_destination = v.toString();
        else if (key == QLatin1String("mediaType"))
            m_mediaType = static_cast<MediaType::MediaTypes>(v.toInt());
        else if (key == QLatin1String("playingDuration"))
            m_playingDuration = v.toDouble();
        else if (key == QLatin1String("wait"))
            m_wait = v.toInt();
        else if (key == QLatin1String("waitAuto"))
            m_waitAuto = v.toBool();
        else if (key == QLatin1String("step"))
            m_step = v.toInt();
        else if (key == QLatin1String("detectTermination"))
            m_detectTermination = v.toBool();
        else if (key == QLatin1String("playingDirection"))
            m_playingDirection = v.toInt();
        else if (key == QLatin1String("font")) {
            if (v.canConvert<QFont>() && v.type() == QVariant::Font)
                m_font = v.value<QFont>();
            else
                m_font.fromString(v.toString());
        } else if (key == QLatin1String("properties") && v.type() == QVariant::Map) {
            const QVariantMap extra = v.toMap();
            for (auto e = extra.cbegin(); e != extra.cend(); ++e)
                m_properties.insert(e.key(), e.value());
        } else {
            m_properties.insert(key, v);
        }
    }
}

bool KvMedia::isMatch(const KvMedia& other, bool compareUri, bool compareParent) const
{
    if (compareUri && m_uri != other.m_uri)
        return false;
    if (compareParent && m_parent != other.m_parent)
        return false;
    return m_name == other.m_name && m_destination == other.m_destination &&
           m_mediaType == other.m_mediaType && m_playingDuration == other.m_playingDuration &&
           m_wait == other.m_wait && m_waitAuto == other.m_waitAuto && m_step == other.m_step &&
           m_detectTermination == other.m_detectTermination &&
           m_playingDirection == other.m_playingDirection && m_font == other.m_font &&
           m_properties == other.m_properties;
}

} // namespace Kova
