#include "kvplugininfo.h"

#include "kvplugincommoninterface.h"
#include "kvpluginextscreeninterface.h"

#include <QPluginLoader>
#include <QPointer>
#include <QtDebug>

namespace Kova {

struct KvPluginInfo::Data
{
    QJsonObject metaData;
    QString filePath;
    std::function<QObject*()> factory;
    QSharedPointer<QPluginLoader> loader;
    QPointer<QObject> object;
    QSharedPointer<KvPluginCommonInterface> instance;
    bool failed = false;
};

KvPluginInfo::KvPluginInfo() = default;

KvPluginInfo::KvPluginInfo(const QJsonObject& metaData, const QString& filePath)
    : d(new Data)
{
    d->metaData = metaData;
    d->filePath = filePath;
}

KvPluginInfo::KvPluginInfo(const QJsonObject& metaData, std::function<QObject*()> factory)
    : d(new Data)
{
    d->metaData = metaData;
    d->factory = std::move(factory);
}

KvPluginInfo::~KvPluginInfo() = default;
KvPluginInfo::KvPluginInfo(const KvPluginInfo& other) = default;
KvPluginInfo& KvPluginInfo::operator=(const KvPluginInfo& other) = default;

bool KvPluginInfo::isValid() const
{
    return d && !id().isEmpty();
}

QString KvPluginInfo::id() const
{
    return d ? d->metaData.value(QStringLiteral("id")).toString() : QString();
}

QString KvPluginInfo::name() const
{
    return d ? d->metaData.value(QStringLiteral("name")).toString() : QString();
}

QString KvPluginInfo::group() const
{
    return d ? d->metaData.value(QStringLiteral("group")).toString() : QString();
}

QString KvPluginInfo::version() const
{
    return d ? d->metaData.value(QStringLiteral("version")).toString() : QString();
}

QString KvPluginInfo::description() const
{
    return d ? d->metaData.value(QStringLiteral("description")).toString() : QString();
}

int KvPluginInfo::interfaceVersion() const
{
    return d ? d->metaData.value(QStringLiteral("interfaceVersion")).toInt() : 0;
}

QString KvPluginInfo::filePath() const
{
    return d ? d->filePath : QString();
}

QJsonObject KvPluginInfo::metaData() const
{
    return d ? d->metaData : QJsonObject();
}

bool KvPluginInfo::isInstantiated() const
{
    return d && d->instance;
}

QSharedPointer<KvPluginCommonInterface> KvPluginInfo::pluginInstance() const
{
    if (!d || d->instance || d->failed)
        return d ? d->instance : QSharedPointer<KvPluginCommonInterface>();

    const QString source = d->filePath.isEmpty() ? id() : d->filePath;
    QObject* object = nullptr;
    QString reason;
    if (d->factory) {
        object = d->factory();
        reason = QStringLiteral("its factory made no object");
    } else {
        d->loader.reset(new QPluginLoader(d->filePath));
        object = d->loader->instance();
        reason = d->loader->errorString();
    }
    auto* common = qobject_cast<KvPluginCommonInterface*>(object);
    if (!common) {
        if (object) {
            reason = QStringLiteral("its object does not offer %1")
                         .arg(QLatin1String(KvPluginCommonInterface_iid));
            // A library's root object belongs to the library; only a factory's is ours.
            if (d->factory)
                delete object;
        }
        d->failed = true;
        qWarning().noquote()
            << QStringLiteral("Plug-in %1 could not be made: %2").arg(source, reason);
        return {};
    }

    d->object = object;
    if (d->factory) {
        QPointer<QObject> guard(object);
        d->instance = QSharedPointer<KvPluginCommonInterface>(
            common, [guard](KvPluginCommonInterface*) { delete guard.data(); });
    } else {
        // QPluginLoader keeps the root object for as long as the library is loaded.
        d->instance =
            QSharedPointer<KvPluginCommonInterface>(common, [](KvPluginCommonInterface*) {});
    }
    return d->instance;
}

QObject* KvPluginInfo::pluginObject() const
{
    return pluginInstance() ? d->object.data() : nullptr;
}

KvPluginExtScreenInterface* KvPluginInfo::extScreenInterface() const
{
    return qobject_cast<KvPluginExtScreenInterface*>(pluginObject());
}

} // namespace Kova
