#include "kvpluginbasicinfo.h"

namespace Kova {

KvPluginBasicInfo::KvPluginBasicInfo(const QString& name)
    : m_name(name)
{
}

void KvPluginBasicInfo::insert(const KvPluginInfo& info)
{
    if (info.isValid())
        m_plugins.insert(info.id(), info);
}

} // namespace Kova
