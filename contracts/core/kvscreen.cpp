#include "kvscreen.h"

namespace Kova {

namespace {

bool sameColor(const QColor& a, const QColor& b)
{
    if (a.isValid() != b.isValid())
        return false;
    return !a.isValid() || a.rgba64() == b.rgba64();
}

bool sameEvents(const QList<KvEvent>& a, const QList<KvEvent>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (!a.at(i).isMatch(b.at(i)))
            return false;
    }
    return true;
}

void adoptEvents(QList<KvEvent>& events, KvScreen* parent)
{
    for (KvEvent& event : events)
        event.setParent(parent);
}

} // namespace

KvScreen::KvScreen(ScreenType::ScreenTypes type, int id)
    : m_id(id)
    , m_type(type)
{
}

KvScreen::KvScreen(const KvScreen& other, bool withParent)
    : m_id(other.m_id)
    , m_name(other.m_name)
    , m_type(other.m_type)
    , m_rect(other.m_rect)
    , m_zIndex(other.m_zIndex)
    , m_backgroundColor(other.m_backgroundColor)
    , m_lockScreen(other.m_lockScreen)
    , m_graphicsType(other.m_graphicsType)
    , m_flashPlayerType(other.m_flashPlayerType)
    , m_moviePlayerType(other.m_moviePlayerType)
    , m_webBrowserType(other.m_webBrowserType)
    , m_mediaFinishedAction(other.m_mediaFinishedAction)
    , m_raiseEventList(other.m_raiseEventList)
    , m_waitEventList(other.m_waitEventList)
    , m_ignoreRaiseEventList(other.m_ignoreRaiseEventList)
    , m_ignoreWaitEventList(other.m_ignoreWaitEventList)
    , m_plugin(other.m_plugin)
    , m_piid(other.m_piid)
    , m_pluginProperties(other.m_pluginProperties)
    , m_stage(withParent ? other.m_stage : nullptr)
{
    m_mediaList.reserve(other.m_mediaList.size());
    for (const KvMedia* media : other.m_mediaList) {
        if (!media)
            continue;
        auto* copy = new KvMedia(*media);
        copy->setParent(this);
        m_mediaList.append(copy);
    }
    adoptEvents(m_raiseEventList, this);
    adoptEvents(m_waitEventList, this);
    adoptEvents(m_ignoreRaiseEventList, this);
    adoptEvents(m_ignoreWaitEventList, this);
}

KvScreen::~KvScreen()
{
    qDeleteAll(m_mediaList);
}

void KvScreen::setId(int id)
{
    // Events this screen raises name the screen itself: they follow the new id.
    const int oldId = m_id;
    m_id = id;
    if (oldId == id)
        return;
    for (QList<KvEvent>* list : {&m_raiseEventList, &m_ignoreRaiseEventList}) {
        for (KvEvent& event : *list) {
            if (event.screenId() == oldId)
                event.setScreenId(id);
        }
    }
}

void KvScreen::addMedia(KvMedia* media, int index)
{
    if (!media || m_mediaList.contains(media))
        return;
    media->setParent(this);
    if (index < 0 || index > m_mediaList.size())
        m_mediaList.append(media);
    else
        m_mediaList.insert(index, media);
}

bool KvScreen::takeMedia(KvMedia* media)
{
    if (!media)
        return false;
    return m_mediaList.removeOne(media);
}

double KvScreen::totalDuration() const
{
    double total = 0.0;
    for (const KvMedia* media : m_mediaList) {
        if (media)
            total += media->playingDuration();
    }
    return total;
}

void KvScreen::addEvent(const KvEvent& event)
{
    KvEvent copy(event);
    copy.setParent(this);
    if (event.direction() == KvEvent::Wait)
        m_waitEventList.append(copy);
    else
        m_raiseEventList.append(copy);
}

// The keys a host adds to the state it hands a plug-in (the extended-screen interface's
// screenIdKey() and contentCountKey()). They describe the screen, not the plug-in's
// settings, so they are never stored.
const QString KvScreen::PluginScreenIdKey = QStringLiteral("screenId");
const QString KvScreen::PluginContentCountKey = QStringLiteral("contentCount");

QVariant KvScreen::toPluginScreen() const
{
    QVariantMap state = m_pluginProperties;
    state.insert(PluginScreenIdKey, m_id);
    state.insert(PluginContentCountKey, mediaCount());
    return state;
}

bool KvScreen::updatePropertyFromPlugin(const QVariant& pluginState)
{
    if (pluginState.type() != QVariant::Map)
        return false;
    QVariantMap properties = pluginState.toMap();
    properties.remove(PluginScreenIdKey);
    properties.remove(PluginContentCountKey);
    m_pluginProperties = properties;
    return true;
}

bool KvScreen::isMatch(const KvScreen& other) const
{
    if (m_id != other.m_id || m_name != other.m_name || m_type != other.m_type ||
        m_rect != other.m_rect || m_zIndex != other.m_zIndex ||
        !sameColor(m_backgroundColor, other.m_backgroundColor) ||
        m_lockScreen != other.m_lockScreen || m_graphicsType != other.m_graphicsType ||
        m_flashPlayerType != other.m_flashPlayerType ||
        m_moviePlayerType != other.m_moviePlayerType ||
        m_webBrowserType != other.m_webBrowserType ||
        m_mediaFinishedAction != other.m_mediaFinishedAction || m_piid != other.m_piid ||
        m_pluginProperties != other.m_pluginProperties)
        return false;
    if (m_mediaList.size() != other.m_mediaList.size())
        return false;
    for (int i = 0; i < m_mediaList.size(); ++i) {
        const KvMedia* a = m_mediaList.at(i);
        const KvMedia* b = other.m_mediaList.at(i);
        if (!a || !b) {
            if (a != b)
                return false;
            continue;
        }
        if (!a->isMatch(*b))
            return false;
    }
    return sameEvents(m_raiseEventList, other.m_raiseEventList) &&
           sameEvents(m_waitEventList, other.m_waitEventList) &&
           sameEvents(m_ignoreRaiseEventList, other.m_ignoreRaiseEventList) &&
           sameEvents(m_ignoreWaitEventList, other.m_ignoreWaitEventList);
}

} // namespace Kova
