#include "kvpluginloader.h"

#include "kvplugincommoninterface.h"

#include <QDir>
#include <QFileInfo>
#include <QGlobalStatic>
#include <QJsonValue>
#include <QLibrary>
#include <QPluginLoader>
#include <QSet>
#include <QtDebug>

#include <dlfcn.h>

namespace Kova {

namespace {

struct Registry
{
    QMap<QString, KvPluginBasicInfo> groups;
    // Where each known id came from, for the warning about a second copy.
    QMap<QString, QString> sources;
    // Canonical paths of every library looked at, kept or skipped: each is read once.
    QSet<QString> files;
};

Q_GLOBAL_STATIC(Registry, registry)

void skip(const QString& file, const QString& reason)
{
    qWarning().noquote() << QStringLiteral("Plug-in %1 skipped: %2").arg(file, reason);
}

// The folder of the library this code is in, found through the dynamic linker.
QString ownLibraryFolder()
{
    static const char anchor = 0;
    Dl_info info;
    if (dladdr(&anchor, &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QFile::decodeName(info.dli_fname)).canonicalPath();
}

} // namespace

QStringList KvPluginLoader::searchPaths()
{
    QStringList paths;
    const QString env = qEnvironmentVariable("KOVA_PLUGIN_PATH");
    for (const QString& path : env.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        paths.append(QDir::cleanPath(path));

    const QString libraryFolder = ownLibraryFolder();
    QString folder;
    if (libraryFolder.isEmpty())
        folder = QStringLiteral(KOVA_INSTALL_PLUGIN_DIR);
    else if (libraryFolder == QFileInfo(QStringLiteral(KOVA_BUILD_LIBRARY_DIR)).canonicalFilePath())
        folder = QStringLiteral(KOVA_BUILD_PLUGIN_DIR);
    else
        folder = libraryFolder + QStringLiteral("/kova/plugins");
    folder = QDir::cleanPath(folder);
    if (!paths.contains(folder))
        paths.append(folder);
    return paths;
}

int KvPluginLoader::loadPlugin(const QString& group, const QString& id, const QString& folder)
{
    int added = 0;
    const QStringList folders = folder.isEmpty() ? searchPaths() : QStringList{folder};
    for (const QString& path : folders)
        loadFolder(path, group, id, &added);
    return added;
}

void KvPluginLoader::loadFolder(const QString& folder, const QString& group, const QString& id,
                                int* added)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (!QLibrary::isLibrary(entry.fileName()))
            continue;
        const QString file = entry.canonicalFilePath();
        if (registry->files.contains(file))
            continue;

        QPluginLoader loader(file);
        const QJsonObject data = loader.metaData();
        if (data.isEmpty()) {
            registry->files.insert(file);
            skip(file, QStringLiteral("not a plug-in (%1)").arg(loader.errorString()));
            continue;
        }
        const QString iid = data.value(QStringLiteral("IID")).toString();
        if (iid != QLatin1String(KvPluginCommonInterface_iid)) {
            registry->files.insert(file);
            skip(file, QStringLiteral("interface %1 is not %2")
                           .arg(iid, QLatin1String(KvPluginCommonInterface_iid)));
            continue;
        }
        const QJsonObject metaData = data.value(QStringLiteral("MetaData")).toObject();
        const QString problem = checkMetaData(metaData);
        if (!problem.isEmpty()) {
            registry->files.insert(file);
            skip(file, problem);
            continue;
        }
        // Plug-ins outside the asked group or id are left for a later, wider call.
        if ((!group.isEmpty() && metaData.value(QStringLiteral("group")).toString() != group) ||
            (!id.isEmpty() && metaData.value(QStringLiteral("id")).toString() != id))
            continue;
        registry->files.insert(file);
        if (add(KvPluginInfo(metaData, file), file))
            ++*added;
    }
}

QMap<QString, KvPluginBasicInfo> KvPluginLoader::pluginGroups()
{
    return registry->groups;
}

KvPluginInfo KvPluginLoader::pluginInfo(const QString& id, bool load)
{
    if (id.isEmpty())
        return KvPluginInfo();
    auto find = [&id]() {
        for (const KvPluginBasicInfo& group : qAsConst(registry->groups)) {
            const KvPluginInfo info = group.plugin(id);
            if (info.isValid())
                return info;
        }
        return KvPluginInfo();
    };
    KvPluginInfo info = find();
    if (!info.isValid() && load && loadPlugin(QString(), id, QString()) > 0)
        info = find();
    return info;
}

bool KvPluginLoader::registerStaticPlugin(const QJsonObject& metaData,
                                          std::function<QObject*()> factory)
{
    const QString source =
        QStringLiteral("(built in) %1").arg(metaData.value(QStringLiteral("id")).toString());
    QString problem = checkMetaData(metaData);
    if (problem.isEmpty() && !factory)
        problem = QStringLiteral("no factory");
    if (!problem.isEmpty()) {
        skip(source, problem);
        return false;
    }
    return add(KvPluginInfo(metaData, std::move(factory)), source);
}

void KvPluginLoader::unloadAll()
{
    registry->groups.clear();
    registry->sources.clear();
    registry->files.clear();
}

QString KvPluginLoader::checkMetaData(const QJsonObject& metaData)
{
    const QJsonValue version = metaData.value(QStringLiteral("interfaceVersion"));
    if (!version.isDouble())
        return QStringLiteral("its description has no interfaceVersion");
    if (version.toDouble() != interfaceVersion())
        return QStringLiteral("interface version %1 is not supported (this is version %2)")
            .arg(version.toDouble())
            .arg(interfaceVersion());
    for (const char* key : {"id", "name", "group"}) {
        if (metaData.value(QLatin1String(key)).toString().isEmpty())
            return QStringLiteral("its description has no %1").arg(QLatin1String(key));
    }
    return QString();
}

bool KvPluginLoader::add(const KvPluginInfo& info, const QString& source)
{
    const QString known = registry->sources.value(info.id());
    if (!known.isEmpty()) {
        skip(source,
             QStringLiteral("the plug-in %1 is loaded from %2 already").arg(info.id(), known));
        return false;
    }
    registry->sources.insert(info.id(), source);
    auto group = registry->groups.find(info.group());
    if (group == registry->groups.end())
        group = registry->groups.insert(info.group(), KvPluginBasicInfo(info.group()));
    group->insert(info);
    return true;
}

} // namespace Kova
