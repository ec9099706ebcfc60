#pragma once

#include "kvpluginbasicinfo.h"
#include "kvplugininfo.h"

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace Kova {

// Finds the suite's plug-ins and keeps them, by group, for the rest of the process.
//
// A plug-in library is recognised by its description alone (QPluginLoader::metaData()):
// listing plug-ins makes no object and runs none of their code. A file that is not a
// library, a library that is not a plug-in of this suite, a plug-in built for another
// interface version or with an incomplete description is skipped with one warning naming
// the file and the reason. Every call is made on the GUI thread.
class KvPluginLoader
{
public:
    KvPluginLoader() = delete;

    // The interface version this library offers; a description's "interfaceVersion" must
    // equal it.
    static int interfaceVersion() { return 1; }
    // The group of plug-ins that produce extended screens.
    static QString extendedScreenGroup() { return QStringLiteral("ExtendedScreen"); }

    // The folders searched, in order: those in the environment variable KOVA_PLUGIN_PATH
    // (separated by ':'), then "kova/plugins" beside this library (the build tree's plug-in
    // folder when the library runs from the build tree). A plug-in id found twice is taken
    // from the first folder.
    static QStringList searchPaths();

    // Loads the descriptions of plug-ins into the groups. `group` limits it to plug-ins of
    // that group, `id` to the plug-in of that id, `folder` searches that one folder instead
    // of searchPaths(); each argument empty means no limit, so three empty strings load
    // every available plug-in. Plug-ins already known stay as they are. Returns how many
    // plug-ins were added.
    static int loadPlugin(const QString& group, const QString& id, const QString& folder);
    // The known groups by name; empty before anything was loaded or registered.
    static QMap<QString, KvPluginBasicInfo> pluginGroups();
    // The plug-in of that id, or an invalid record. With `load` true an unknown id is
    // first searched for (loadPlugin("", id, "")).
    static KvPluginInfo pluginInfo(const QString& id, bool load = false);

    // Adds a plug-in built into the program: `metaData` is its description (as in a
    // plug-in's JSON file), `factory` makes its object on first use. False, with a warning,
    // when the description is incomplete or its id is known already.
    static bool registerStaticPlugin(const QJsonObject& metaData,
                                     std::function<QObject*()> factory);
    // Forgets every plug-in and registration, so that the next loadPlugin() searches
    // afresh. Objects made by registered factories are deleted once no one holds them;
    // libraries stay loaded.
    static void unloadAll();

private:
    // Empty when the description can be used, else why not.
    static QString checkMetaData(const QJsonObject& metaData);
    static bool add(const KvPluginInfo& info, const QString& source);
    static void loadFolder(const QString& folder, const QString& group, const QString& id,
                           int* added);
};

} // namespace Kova
