#pragma once

#include "kvclockstate.h"
#include "kvplugincommoninterface.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginguiinterface.h"

#include <QObject>

namespace Kova {

class KvPluginGuiNotifier;

// The clock: an extended screen that shows the date and time. Its screen action "Clock
// Settings…" edits the applied screen's state in a dialog; a clock screen may be copied,
// its contents may not.
class KvClockPlugin : public QObject,
                      public KvPluginCommonInterface,
                      public KvPluginExtScreenInterface,
                      public KvPluginGuiInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KvPluginCommonInterface_iid FILE "clock.json")
    Q_INTERFACES(
        Kova::KvPluginCommonInterface Kova::KvPluginExtScreenInterface Kova::KvPluginGuiInterface)
public:
    explicit KvClockPlugin(QObject* parent = nullptr);
    ~KvClockPlugin() override;

    // KvPluginCommonInterface
    QIcon icon() const override;

    // KvPluginExtScreenInterface
    KvPluginGuiInterface* guiInterface() override { return this; }
    void applyState(const QVariant& state) override;
    QVariant state() const override { return m_state.toVariant(); }
    QVariant defaultState() const override { return KvClockState().toVariant(); }
    QImage contentPicture(const QVariant& content, const QSize& size) const override;
    int minimumContentCount() const override { return 0; }
    void paint(QPainter* painter, const QRectF& rect, const QVariant& state,
               const QVariant& content, qint64 msSinceStart) const override;

    // KvPluginGuiInterface
    bool canCopyScreen() const override { return true; }
    bool hasScreenActions() const override { return true; }
    QList<QAction*> screenActions() override { return {m_settingsAction}; }
    bool canCopyContents() const override { return false; }
    bool canShowContentProperty() const override { return false; }
    bool hasSequenceActions() const override { return false; }
    QList<QAction*> sequenceActions() override { return {}; }
    KvPluginGuiNotifier* notifier() override { return m_notifier; }
    void showContentProperty(int sequenceIndex, const QRect& globalRect) override;

private:
    // Runs the settings dialog on the applied screen's state; a change is reported.
    void editSettings();

    KvClockState m_state;
    int m_screenId = 0;
    int m_contentCount = 0;
    QAction* m_settingsAction = nullptr;
    KvPluginGuiNotifier* m_notifier = nullptr;
};

} // namespace Kova
