#pragma once

// Test helper: an extended-screen plug-in with a GUI interface, made in the test program and
// registered with KvPluginLoader::registerStaticPlugin. What it answers is set through its
// public fields; it records every state applied to it.
//
//   KvFakeScreenPlugin::registerAs("test.a", [](KvFakeScreenPlugin* p) { p->copyScreen = false; });

#include "kvplugincommoninterface.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginguiinterface.h"
#include "kvpluginguinotifier.h"
#include "kvpluginloader.h"

#include <QAction>
#include <QColor>
#include <QImage>
#include <QJsonObject>
#include <QObject>
#include <QPixmap>
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
    // Registers a plug-in of that id (group "ExtendedScreen", name "Fake <id>"), set up by
    // `setUp` when the loader makes its object.
    static bool registerAs(const QString& id,
                           std::function<void(KvFakeScreenPlugin*)> setUp = nullptr)
    {
        const QJsonObject metaData{{"id", id},
                                   {"name", QStringLiteral("Fake %1").arg(id)},
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

    // The answers.
    bool hasGui = true;
    bool copyScreen = true;
    bool copyContents = true;
    bool showProperty = true;
    int minimum = 0;
    QColor pictureColor = Qt::magenta;
    QList<QAction*> screenActionList;
    QList<QAction*> sequenceActionList;
    QVariantMap defaults{{"colour", "red"}};

    // What happened.
    QList<QVariant> applied;
    QList<int> shownProperties;

    // Changes the state as one of the plug-in's dialogs would, and reports it.
    void edit(const QString& key, const QVariant& value)
    {
        m_state.insert(key, value);
        emit m_notifier->screenValuesUpdated(m_state.value(screenIdKey()).toInt(), {0});
    }
    void requestContents(int screenId, const QMap<int, QVariant>& contents)
    {
        emit m_notifier->requestAddContents(screenId, contents);
    }

    QIcon icon() const override { return QIcon(); }
    KvPluginGuiInterface* guiInterface() override { return hasGui ? this : nullptr; }
    void applyState(const QVariant& state) override
    {
        applied.append(state);
        m_state = state.toMap();
    }
    QVariant state() const override { return m_state; }
    QVariant defaultState() const override { return defaults; }
    QImage contentPicture(const QVariant&, const QSize& size) const override
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(pictureColor);
        return image;
    }
    int minimumContentCount() const override { return minimum; }
    void paint(QPainter*, const QRectF&, const QVariant&, const QVariant&, qint64) const override {}

    bool canCopyScreen() const override { return copyScreen; }
    bool hasScreenActions() const override { return !screenActionList.isEmpty(); }
    QList<QAction*> screenActions() override { return screenActionList; }
    bool canCopyContents() const override { return copyContents; }
    bool canShowContentProperty() const override { return showProperty; }
    bool hasSequenceActions() const override { return !sequenceActionList.isEmpty(); }
    QList<QAction*> sequenceActions() override { return sequenceActionList; }
    Kova::KvPluginGuiNotifier* notifier() override { return m_notifier; }
    void showContentProperty(int sequenceIndex, const QRect&) override
    {
        shownProperties.append(sequenceIndex);
    }

private:
    QVariantMap m_state;
    Kova::KvPluginGuiNotifier* m_notifier = new Kova::KvPluginGuiNotifier(this);
};
