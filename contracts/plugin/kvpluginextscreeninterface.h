#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QVariant>
#include <QtPlugin>

class QPainter;

namespace Kova {

class KvPluginGuiInterface;

// What a plug-in offers that produces the content of an extended screen (screen type 3).
// The plug-in's root object derives from QObject, KvPluginCommonInterface and this class,
// and names both in Q_INTERFACES.
//
// State. One plug-in object serves every screen that uses it, so the host hands it the
// screen it is about to work on with applyState() before asking for the GUI interface or
// its actions. A screen's state is a QVariantMap (wrapped in a QVariant) of values that the
// stage file can hold: bool, numbers, strings, string lists, lists and maps of those. The
// host keeps it in KvScreen::pluginProperties(), so it is saved with the stage. Fonts and
// colours are best kept as strings (QFont::toString(), QColor::name()).
//
// The host adds two values of its own to the state it applies (screenIdKey() and
// contentCountKey()); a plug-in reads them to name the screen in its signals and to place
// new contents, and may report them back in state(). Their stored values mean nothing.
//
// Contents. The media of an extended screen (media type 8) are the plug-in's contents. A
// content is described by a QVariantMap: the values the plug-in put into the medium when it
// asked for it (KvPluginGuiNotifier::requestAddContents), that is the medium's
// KvMedia::properties(), to which a host may add the medium's "name" and "playingDuration".
class KvPluginExtScreenInterface
{
public:
    virtual ~KvPluginExtScreenInterface();

    // The key of the screen's id (int) in an applied state.
    static QString screenIdKey() { return QStringLiteral("screenId"); }
    // The key of the number of the screen's contents (int) in an applied state.
    static QString contentCountKey() { return QStringLiteral("contentCount"); }

    // The plug-in's editing interface (actions, copy rules, signals), or null when it has
    // none. It acts on the screen of the state applied last.
    virtual KvPluginGuiInterface* guiInterface() = 0;
    // The plug-in takes `state` (a screen's state, as state() reports it) as the screen it
    // works on and shows. A state that is not a map, or misses values, gives the defaults.
    virtual void applyState(const QVariant& state) = 0;
    // The state of the screen the plug-in works on, with any change its own dialogs made.
    virtual QVariant state() const = 0;
    // The state of a new screen.
    virtual QVariant defaultState() const = 0;
    // A picture of one content, about `size` (the timeline block of the medium), in the look
    // of the screen applied last; a null image when the plug-in has none.
    virtual QImage contentPicture(const QVariant& content, const QSize& size) const = 0;
    // How many contents a screen needs at least; a host refuses to delete below it.
    virtual int minimumContentCount() const = 0;
    // Draws a screen of `state` into `rect` as a player shows it, `msSinceStart`
    // milliseconds after the content `content` started (an invalid QVariant when the
    // screen has no content). Needs no editor and no applied state: a player calls it for
    // each of its screens on every frame.
    virtual void paint(QPainter* painter, const QRectF& rect, const QVariant& state,
                       const QVariant& content, qint64 msSinceStart) const = 0;
};

} // namespace Kova

#define KvPluginExtScreenInterface_iid "org.kova.KvPluginExtScreenInterface/1.0"
Q_DECLARE_INTERFACE(Kova::KvPluginExtScreenInterface, KvPluginExtScreenInterface_iid)
