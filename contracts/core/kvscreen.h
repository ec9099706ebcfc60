#pragma once

#include "graphicstype.h"
#include "kvevent.h"
#include "kveventaction.h"
#include "kvmedia.h"
#include "playertype.h"
#include "screentype.h"

#include <QColor>
#include <QList>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QVariant>

namespace Kova {

class KvStage;

// A rectangle of a stage that plays a sequence of media. The screen owns its
// media; events are held by value.
class KvScreen
{
public:
    explicit KvScreen(ScreenType::ScreenTypes type = ScreenType::Multimedia, int id = 0);
    // Copies the screen with its media and events. With withParent false the copy
    // and its media belong to no stage (the parent stage pointer is left null).
    KvScreen(const KvScreen& other, bool withParent);
    ~KvScreen();
    KvScreen(const KvScreen&) = delete;
    KvScreen& operator=(const KvScreen&) = delete;

    int id() const { return m_id; }
    // Raise events that named the old id (the screen itself) follow the new one.
    void setId(int id);
    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    ScreenType::ScreenTypes type() const { return m_type; }
    void setType(ScreenType::ScreenTypes type) { m_type = type; }
    QRectF rect() const { return m_rect; }
    void setRect(const QRectF& rect) { m_rect = rect; }
    int zIndex() const { return m_zIndex; }
    void setZIndex(int zIndex) { m_zIndex = zIndex; }
    QColor backgoundColor() const { return m_backgroundColor; }
    void setBackgoundColor(const QColor& color) { m_backgroundColor = color; }
    bool lockScreen() const { return m_lockScreen; }
    void setLockScreen(bool locked) { m_lockScreen = locked; }
    GraphicsType::GraphicsTypes graphicsType() const { return m_graphicsType; }
    void setGraphicsType(GraphicsType::GraphicsTypes type) { m_graphicsType = type; }
    PlayerType::PlayerTypes flashPlayerType() const { return m_flashPlayerType; }
    void setFlashPlayerType(PlayerType::PlayerTypes type) { m_flashPlayerType = type; }
    PlayerType::PlayerTypes moviePlayerType() const { return m_moviePlayerType; }
    void setMoviePlayerType(PlayerType::PlayerTypes type) { m_moviePlayerType = type; }
    PlayerType::PlayerTypes webBrowserType() const { return m_webBrowserType; }
    void setWebBrowserType(PlayerType::PlayerTypes type) { m_webBrowserType = type; }
    KvEventAction::Actions mediaFinishedAction() const { return m_mediaFinishedAction; }
    void setMediaFinishedAction(KvEventAction::Actions action) { m_mediaFinishedAction = action; }

    KvStage* stage() const { return m_stage; }
    void setStage(KvStage* stage) { m_stage = stage; }

    // Media, in playing order. The list is edited in place by the editor; media put
    // into it belong to the screen (deleted with it) and should have it as parent.
    QList<KvMedia*>& mediaList() { return m_mediaList; }
    const QList<KvMedia*>& mediaList() const { return m_mediaList; }
    int mediaCount() const { return m_mediaList.count(); }
    // Appends (or inserts at index) a medium the screen takes over.
    void addMedia(KvMedia* media, int index = -1);
    // Takes a medium out of the list without deleting it; false when not there.
    bool takeMedia(KvMedia* media);
    // Sum of the media's playing durations, in seconds.
    double totalDuration() const;

    // Events, by value.
    QList<KvEvent>& raiseEventList() { return m_raiseEventList; }
    const QList<KvEvent>& raiseEventList() const { return m_raiseEventList; }
    QList<KvEvent>& waitEventList() { return m_waitEventList; }
    const QList<KvEvent>& waitEventList() const { return m_waitEventList; }
    QList<KvEvent>& ignoreRaiseEventList() { return m_ignoreRaiseEventList; }
    const QList<KvEvent>& ignoreRaiseEventList() const { return m_ignoreRaiseEventList; }
    QList<KvEvent>& ignoreWaitEventList() { return m_ignoreWaitEventList; }
    const QList<KvEvent>& ignoreWaitEventList() const { return m_ignoreWaitEventList; }
    // Adds to the raise or wait list by the event's direction (ignore lists: set them directly).
    void addEvent(const KvEvent& event);

    // Extended screens: the plug-in instance that supplies the content, and its id.
    QObject* plugin() const { return m_plugin; }
    void setPlugin(QObject* plugin) { m_plugin = plugin; }
    QString piid() const { return m_piid; }
    void setPiid(const QString& piid) { m_piid = piid; }
    // State a plug-in keeps for its screen (saved with the stage).
    QVariantMap pluginProperties() const { return m_pluginProperties; }
    void setPluginProperties(const QVariantMap& properties) { m_pluginProperties = properties; }
    // The screen's plug-in state as a plug-in takes it (its applyState): pluginProperties()
    // plus the screen's id and number of media under PluginScreenIdKey and
    // PluginContentCountKey.
    QVariant toPluginScreen() const;
    // The screen takes a state its plug-in reports as its pluginProperties(), without the
    // two keys the host adds; false (nothing changes) when the state is not a map.
    bool updatePropertyFromPlugin(const QVariant& pluginState);
    static const QString PluginScreenIdKey;
    static const QString PluginContentCountKey;

    // Equal content: every property, media and events (the stage and plug-in instance are
    // not compared).
    bool isMatch(const KvScreen& other) const;

private:
    int m_id = 0;
    QString m_name;
    ScreenType::ScreenTypes m_type = ScreenType::Multimedia;
    QRectF m_rect;
    int m_zIndex = 0;
    QColor m_backgroundColor = Qt::black;
    bool m_lockScreen = false;
    GraphicsType::GraphicsTypes m_graphicsType = GraphicsType::Default;
    PlayerType::PlayerTypes m_flashPlayerType = PlayerType::Platform;
    PlayerType::PlayerTypes m_moviePlayerType = PlayerType::BuiltIn;
    PlayerType::PlayerTypes m_webBrowserType = PlayerType::BuiltIn;
    KvEventAction::Actions m_mediaFinishedAction = KvEventAction::GotoNext;
    QList<KvMedia*> m_mediaList;
    QList<KvEvent> m_raiseEventList;
    QList<KvEvent> m_waitEventList;
    QList<KvEvent> m_ignoreRaiseEventList;
    QList<KvEvent> m_ignoreWaitEventList;
    QPointer<QObject> m_plugin;
    QString m_piid;
    QVariantMap m_pluginProperties;
    KvStage* m_stage = nullptr;
};

} // namespace Kova
