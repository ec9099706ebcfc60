#pragma once

#include "kvplayermediaview.h"

#include <QElapsedTimer>
#include <QSharedPointer>
#include <QTimer>
#include <QVariant>

namespace Kova {

class KvPluginCommonInterface;
class KvPluginExtScreenInterface;

// An extended screen, drawn by its plug-in on every frame while shown: the screen's state
// and the content playing now go to the plug-in's paint operation with the time since that
// content started.
class KvPlayerPluginView : public KvPlayerMediaView
{
    Q_OBJECT
public:
    // Frames drawn per second while the view is shown.
    static constexpr int FRAMES_PER_SECOND = 25;

    // Null when no installed plug-in has `pluginId` or it offers no extended screen.
    static KvPlayerPluginView* create(const QString& pluginId, const QVariant& state,
                                      QWidget* parent = nullptr);
    ~KvPlayerPluginView() override;

    // The content that plays from now on (an invalid QVariant: none).
    void setContent(const QVariant& content);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    KvPlayerPluginView(QSharedPointer<KvPluginCommonInterface> plugin,
                       KvPluginExtScreenInterface* screen, const QVariant& state, QWidget* parent);

    QSharedPointer<KvPluginCommonInterface> m_plugin; // keeps the plug-in's object alive
    KvPluginExtScreenInterface* m_screen;
    QVariant m_state;
    QVariant m_content;
    QElapsedTimer m_started;
    QTimer m_frames;
};

} // namespace Kova
