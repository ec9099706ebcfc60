#include "kvpluginscreens.h"

#include "kveditorcommon.h"
#include "kvmedia.h"
#include "kvmenutable.h"
#include "kvplugincommoninterface.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginguiinterface.h"
#include "kvpluginloader.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "mediatype.h"
#include "screentype.h"

#include <QAction>
#include <QMenu>

namespace Kova {

void KvPluginScreens::loadPlugins()
{
    if (KvPluginLoader::pluginGroups().isEmpty())
        KvPluginLoader::loadPlugin(QString(), QString(), QString());
}

bool KvPluginScreens::hasExtendedScreenPlugin()
{
    loadPlugins();
    const QMap<QString, KvPluginBasicInfo> groups = KvPluginLoader::pluginGroups();
    for (const KvPluginBasicInfo& group : groups) {
        const QMap<QString, KvPluginInfo> plugins = group.plugins();
        for (const KvPluginInfo& info : plugins) {
            const QSharedPointer<KvPluginCommonInterface> instance = info.pluginInstance();
            if (dynamic_cast<KvPluginExtScreenInterface*>(instance.data()))
                return true;
        }
    }
    return false;
}

bool KvPluginScreens::resolve(const QString& pluginId, QString* screenName, QObject** plugin)
{
    const KvPluginInfo info = KvPluginLoader::pluginInfo(pluginId, true);
    if (!info.isValid() || !info.extScreenInterface())
        return false;
    if (screenName)
        *screenName = info.name();
    if (plugin)
        *plugin = info.pluginObject();
    return true;
}

QStringList KvPluginScreens::attachPlugins(KvStage* stage)
{
    QStringList missing;
    if (!stage)
        return missing;
    for (KvScreen* screen : stage->screenList()) {
        if (!screen || screen->type() != ScreenType::Extended || screen->piid().isEmpty())
            continue;
        QObject* plugin = nullptr;
        if (resolve(screen->piid(), nullptr, &plugin) && plugin) {
            screen->setPlugin(plugin);
            KvEditorCommon::applyPluginState(screen);
        } else if (!missing.contains(screen->piid())) {
            missing.append(screen->piid());
        }
    }
    return missing;
}

QList<QAction*>
KvPluginScreens::collectActions(const QList<KvScreen*>& screens, ActionKind kind,
                                const std::function<void(KvPluginGuiInterface*)>& useGui)
{
    QList<QAction*> actions;
    for (KvScreen* screen : screens) {
        if (!KvEditorCommon::applyPluginState(screen))
            continue;
        KvPluginGuiInterface* gui = KvEditorCommon::getPluginGuiInterface(screen);
        const bool offers = gui && (kind == ActionKind::Screen ? gui->hasScreenActions()
                                                               : gui->hasSequenceActions());
        if (!offers)
            continue;
        if (useGui)
            useGui(gui);
        const QList<QAction*> own =
            kind == ActionKind::Screen ? gui->screenActions() : gui->sequenceActions();
        for (QAction* action : own) {
            if (action && !actions.contains(action))
                actions.append(action);
        }
    }
    return actions;
}

void KvPluginScreens::insertActions(QMenu* menu, const QList<QAction*>& actions)
{
    if (!menu || actions.isEmpty())
        return;
    const QString begin = QLatin1String(KvMenuTable::SeparatorBeginPlugin);
    const QString end = QLatin1String(KvMenuTable::SeparatorEndPlugin);
    const QList<QAction*> entries = menu->actions();
    for (QAction* entry : entries) {
        if (entry->objectName() == begin) {
            entry->setVisible(true);
        } else if (entry->objectName() == end) {
            menu->insertActions(entry, actions);
            return;
        }
    }
}

void KvPluginScreens::purgeActions(QMenu* menu)
{
    if (!menu)
        return;
    const QList<QAction*> entries = menu->actions();
    int first = -1;
    int last = -1;
    for (int i = 0; i < entries.count(); ++i) {
        const QString name = entries.at(i)->objectName();
        if (first < 0 && name == QLatin1String(KvMenuTable::SeparatorBeginPlugin))
            first = i;
        else if (first >= 0 && name == QLatin1String(KvMenuTable::SeparatorEndPlugin)) {
            last = i;
            break;
        }
    }
    if (first < 0 || last < 0)
        return;
    entries.at(first)->setVisible(false);
    for (int i = first + 1; i < last; ++i)
        menu->removeAction(entries.at(i));
    entries.at(last)->setVisible(false);
}

QList<KvPreservedMedia*> KvPluginScreens::contentRecords(KvScreen* screen, int screenIndex,
                                                         const QMap<int, QVariant>& contents)
{
    QList<KvPreservedMedia*> records;
    if (!screen)
        return records;
    // QMap iterates in ascending key order.
    for (auto it = contents.cbegin(); it != contents.cend(); ++it) {
        auto* media = new KvMedia();
        media->setParent(screen);
        media->updateProperty(it.value());
        media->setMediaType(MediaType::Extended);
        records.append(new KvPreservedMedia(media, screenIndex, it.key(), true, true));
    }
    return records;
}

} // namespace Kova
