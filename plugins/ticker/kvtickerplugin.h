#pragma once

#include "kvplugincommoninterface.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginguiinterface.h"
#include "kvtickerstate.h"

#include <QObject>

namespace Kova {

class KvPluginGuiNotifier;

// The ticker: an extended screen whose contents are short text items that run across it
// from right to left. Its sequence action "Add Ticker Item…" asks for texts (one item per
// line) and requests them as contents after the screen's last one. A ticker screen needs
// one item at least; its items may be copied, the screen itself may not.
class KvTickerPlugin : public QObject,
                       public KvPluginCommonInterface,
                       public KvPluginExtScreenInterface,
                       public KvPluginGuiInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KvPluginCommonInterface_iid FILE "ticker.json")
    Q_INTERFACES(
        Kova::KvPluginCommonInterface Kova::KvPluginExtScreenInterface Kova::KvPluginGuiInterface)
public:
    explicit KvTickerPlugin(QObject* parent = nullptr);
    ~KvTickerPlugin() override;

    // KvPluginCommonInterface
    QIcon icon() const override;

    // KvPluginExtScreenInterface
    KvPluginGuiInterface* guiInterface() override { return this; }
    void applyState(const QVariant& state) override;
    QVariant state() const override { return m_state.toVariant(); }
    QVariant defaultState() const override { return KvTickerState().toVariant(); }
    QImage contentPicture(const QVariant& content, const QSize& size) const override;
    int minimumContentCount() const override { return 1; }
    void paint(QPainter* painter, const QRectF& rect, const QVariant& state,
               const QVariant& content, qint64 msSinceStart) const override;

    // KvPluginGuiInterface
    bool canCopyScreen() const override { return false; }
    bool hasScreenActions() const override { return false; }
    QList<QAction*> screenActions() override { return {}; }
    bool canCopyContents() const override { return true; }
    bool canShowContentProperty() const override { return false; }
    bool hasSequenceActions() const override { return true; }
    QList<QAction*> sequenceActions() override { return {m_addItemAction}; }
    KvPluginGuiNotifier* notifier() override { return m_notifier; }
    void showContentProperty(int sequenceIndex, const QRect& globalRect) override;

private:
    // Asks for the texts of new items and requests them as contents of the applied screen.
    void addItems();

    KvTickerState m_state;
    int m_screenId = 0;
    int m_contentCount = 0;
    QAction* m_addItemAction = nullptr;
    KvPluginGuiNotifier* m_notifier = nullptr;
};

} // namespace Kova
