#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QAction;
class QMenu;
class QObject;

namespace Kova {

class KvPluginGuiInterface;
class KvPreservedMedia;
class KvScreen;
class KvStage;

// The editor's dealings with extended-screen plug-ins, apart from the editor's own state:
// finding the installed plug-ins, attaching plug-in objects to the screens of an opened
// stage, gathering a selection's plug-in actions and putting them between a menu's plug-in
// separators, and turning a plug-in's content request into media records.
class KvPluginScreens
{
public:
    // Which actions a plug-in offers: those of the Screen menu or of the Sequence menu.
    enum class ActionKind { Screen, Sequence };

    // Loads every available plug-in when the loader knows none yet.
    static void loadPlugins();
    // True when a loaded plug-in offers the extended-screen interface.
    static bool hasExtendedScreenPlugin();
    // The plug-in of a new extended screen: its name and object; false when the plug-in is
    // not installed or offers no extended screen.
    static bool resolve(const QString& pluginId, QString* screenName, QObject** plugin);
    // Gives each extended screen of the stage its plug-in object and hands it the screen's
    // state; returns the ids of the plug-ins that are not installed (their screens keep
    // their state and media, without a plug-in).
    static QStringList attachPlugins(KvStage* stage);

    // The plug-in actions of `screens` in order, each once. Each screen's state is applied
    // to its plug-in first; `useGui` gets each GUI interface that offers actions.
    static QList<QAction*> collectActions(const QList<KvScreen*>& screens, ActionKind kind,
                                          const std::function<void(KvPluginGuiInterface*)>& useGui);
    // Shows the begin separator and inserts `actions` before the end separator; nothing for
    // an empty list or a menu without the separators.
    static void insertActions(QMenu* menu, const QList<QAction*>& actions);
    // Hides both separators and takes every action between them out of the menu (the
    // actions stay alive, they belong to their plug-ins).
    static void purgeActions(QMenu* menu);

    // One record per entry of `contents`, in ascending key order: a new extended medium (type
    // 8) of `screen` that took the entry's value, at the entry's key as sequence index of the
    // screen's row `screenIndex`, selected and owned by the record.
    static QList<KvPreservedMedia*> contentRecords(KvScreen* screen, int screenIndex,
                                                   const QMap<int, QVariant>& contents);
};

} // namespace Kova
