#pragma once

// Test helper: an extended-screen plug-in with a GUI interface, registered with the loader by
// registerAs(id, setUp). Its answers are public fields; it records the states applied to it.

#include "kvplugincommoninterface.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginguiinterface.h"
#include "kvpluginguinotifier.h"
#include "kvpluginloader.h"

#include <QAction>
#include <QColor>
#include <QImage>
#include <QJsonObject>
#include <functional>

class KvFakeScreenPlugin : public QObject,
                           public Kova::KvPluginCommonInterface,
                           public Kova::KvPluginExtScreenInterface,
                           public Kova::KvPluginGuiInterface
{
    Q_OBJECT
    Q_INTERFACES(
        Kova::KvPluginCommonInterface Kova::KvPluginExtScreenInterface Kova::KvPluginGuiInterface)
public:
    // A plug-in "Fake <id>" of the extended-screen group, set up when the loader makes it.
    static bool registerAs(const QString& id, std::function<void(KvFakeScreenPlugin*)> setUp = {})
    {
        const QJsonObject metaData{{"id", id},
                                   {"name", "Fake " + id},
                                   {"group", Kova::KvPluginLoader::extendedScreenGroup()},
                                   {"interfaceVersion", 1}};
        return Kova::KvPluginLoader::registerStaticPlugin(metaData, [setUp]() {
            auto* plugin = new KvFakeScreenPlugin;
            if (setUp)
                setUp(plugin);
            return plugin;
        });
    }
    static KvFakeScreenPlugin* made(const QString& id)
    {
        return qobject_cast<KvFakeScreenPlugin*>(
            Kova::KvPluginLoader::pluginInfo(id).pluginObject());
    }

    bool hasGui = true;
    bool allows = true; // copying screens and contents, showing content properties
    int minimum = 0;
    QColor pictureColor = Qt::magenta;
    QList<QAction*> screenActionList;
    QList<QAction*> sequenceActionList;
    QList<QVariant> applied;

    // Changes the state as the plug-in's own dialog would, and reports it.
    void edit(const QString& key, const QVariant& value)
    {
        m_state.insert(key, value);
        emit m_notifier->screenValuesUpdated(m_state.value(screenIdKey()).toInt(), {0});
    }

    QIcon icon() const override { return QIcon(); }
    KvPluginGuiInterface* guiInterface() override { return hasGui ? this : nullptr; }
    void applyState(const QVariant& state) override
    {
        applied.append(state);
        m_state = state.toMap();
    }
    QVariant state() const override { return m_state; }
    QVariant defaultState() const override { return QVariantMap{{"colour", "red"}}; }
    QImage contentPicture(const QVariant&, const QSize& size) const override
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(pictureColor);
        return image;
    }
    int minimumContentCount() const override { return minimum; }
    void paint(QPainter*, const QRectF&, const QVariant&, const QVariant&, qint64) const override {}
    bool canCopyScreen() const override { return allows; }
    bool hasScreenActions() const override { return !screenActionList.isEmpty(); }
    QList<QAction*> screenActions() override { return screenActionList; }
    bool canCopyContents() const override { return allows; }
    bool canShowContentProperty() const override { return allows; }
    bool hasSequenceActions() const override { return !sequenceActionList.isEmpty(); }
    QList<QAction*> sequenceActions() override { return sequenceActionList; }
    Kova::KvPluginGuiNotifier* notifier() override { return m_notifier; }
    void showContentProperty(int, const QRect&) override {}

private:
    QVariantMap m_state;
    Kova::KvPluginGuiNotifier* m_notifier = new Kova::KvPluginGuiNotifier(this);
};
