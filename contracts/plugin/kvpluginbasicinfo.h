#pragma once

#include "kvplugininfo.h"

#include <QMap>
#include <QString>

namespace Kova {

// One group of plug-ins (the "group" of their descriptions, for example
// KvPluginLoader::extendedScreenGroup()) and the plug-ins the loader found in it.
class KvPluginBasicInfo
{
public:
    KvPluginBasicInfo() = default;
    explicit KvPluginBasicInfo(const QString& name);

    QString name() const { return m_name; }
    // The group's plug-ins by id.
    QMap<QString, KvPluginInfo> plugins() const { return m_plugins; }
    // The plug-in of that id, or an invalid record.
    KvPluginInfo plugin(const QString& id) const { return m_plugins.value(id); }
    // Adds (or replaces) the plug-in of the record's id.
    void insert(const KvPluginInfo& info);

private:
    QString m_name;
    QMap<QString, KvPluginInfo> m_plugins;
};

} // namespace Kova
