#pragma once

#include <QIcon>
#include <QtPlugin>

namespace Kova {

// What every plug-in of the suite offers. A plug-in is a Qt plug-in (a shared library with
// one root object made by QPluginLoader) whose root object derives from QObject and from
// this interface, and declares
//
//     Q_PLUGIN_METADATA(IID KvPluginCommonInterface_iid FILE "myplugin.json")
//     Q_INTERFACES(Kova::KvPluginCommonInterface ...)
//
// The JSON file describes the plug-in, so the loader lists it without making its object:
//
//     { "id": "org.example.clock",      unique id, stored in stage files (KvScreen::piid)
//       "name": "Clock",                shown in the plug-in chooser
//       "group": "ExtendedScreen",      KvPluginLoader::extendedScreenGroup() for screens
//       "version": "1.0.0",             the plug-in's own version
//       "interfaceVersion": 1,          KvPluginLoader::interfaceVersion() it was built for
//       "description": "..." }          one sentence shown in the plug-in chooser
//
// The object is made on first use (KvPluginInfo::pluginInstance()) and one object serves
// every screen that uses the plug-in. It is made and used on the GUI thread only.
class KvPluginCommonInterface
{
public:
    virtual ~KvPluginCommonInterface();

    // The picture shown beside the plug-in's name, for example in the plug-in chooser.
    virtual QIcon icon() const = 0;
};

} // namespace Kova

#define KvPluginCommonInterface_iid "org.kova.KvPluginCommonInterface/1.0"
Q_DECLARE_INTERFACE(Kova::KvPluginCommonInterface, KvPluginCommonInterface_iid)
