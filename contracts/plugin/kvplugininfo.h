#pragma once

#include <QJsonObject>
#include <QSharedPointer>
#include <QString>
#include <functional>

class QObject;

namespace Kova {

class KvPluginCommonInterface;
class KvPluginExtScreenInterface;

// One plug-in the loader knows: its description (the "MetaData" object of its JSON file,
// see KvPluginCommonInterface) and, once made, its object. Copies share the object: the
// first pluginInstance() of any copy makes it, every later one returns the same.
class KvPluginInfo
{
public:
    // An invalid record (isValid() false), as the loader returns for an unknown id.
    KvPluginInfo();
    // A plug-in in the library `filePath`, made by QPluginLoader on first use. The library
    // stays loaded for the rest of the process and keeps its object.
    KvPluginInfo(const QJsonObject& metaData, const QString& filePath);
    // A plug-in built into the program: `factory` makes its object on first use, which the
    // record's copies then own together.
    KvPluginInfo(const QJsonObject& metaData, std::function<QObject*()> factory);
    ~KvPluginInfo();
    KvPluginInfo(const KvPluginInfo& other);
    KvPluginInfo& operator=(const KvPluginInfo& other);

    bool isValid() const;
    QString id() const;
    QString name() const;
    QString group() const;
    QString version() const;
    QString description() const;
    int interfaceVersion() const;
    // The library file; empty for a plug-in built into the program.
    QString filePath() const;
    QJsonObject metaData() const;

    // Whether the plug-in's object has been made (the description is read without it).
    bool isInstantiated() const;
    // The plug-in's object, made on first use; null when it cannot be made (reported once
    // with a warning naming the plug-in and the reason).
    QSharedPointer<KvPluginCommonInterface> pluginInstance() const;
    // The same object as a QObject (what KvScreen::setPlugin takes), or null.
    QObject* pluginObject() const;
    // The object's extended-screen interface, or null when it has none.
    KvPluginExtScreenInterface* extScreenInterface() const;

private:
    struct Data;
    QSharedPointer<Data> d;
};

} // namespace Kova
