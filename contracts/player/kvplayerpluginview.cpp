#include "kvplayerpluginview.h"

#include <kvplugincommoninterface.h>
#include <kvpluginextscreeninterface.h>
#include <kvplugininfo.h>
#include <kvpluginloader.h>

#include <QPainter>

namespace Kova {

KvPlayerPluginView* KvPlayerPluginView::create(const QString& pluginId, const QVariant& state,
                                               QWidget* parent)
{
    const KvPluginInfo info = KvPluginLoader::pluginInfo(pluginId, true);
    QSharedPointer<KvPluginCommonInterface> plugin = info.pluginInstance();
    KvPluginExtScreenInterface* screen = info.extScreenInterface();
    if (!plugin || !screen) {
        qWarning("kvplayer: plug-in \"%s\" is not installed or draws no screen",
                 qUtf8Printable(pluginId));
        return nullptr;
    }
    return new KvPlayerPluginView(plugin, screen, state, parent);
}

KvPlayerPluginView::KvPlayerPluginView(QSharedPointer<KvPluginCommonInterface> plugin,
                                       KvPluginExtScreenInterface* screen, const QVariant& state,
                                       QWidget* parent)
    : KvPlayerMediaView(parent)
    , m_plugin(std::move(plugin))
    , m_screen(screen)
    , m_state(state)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_started.start();
    m_frames.setInterval(1000 / FRAMES_PER_SECOND);
    connect(&m_frames, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

KvPlayerPluginView::~KvPlayerPluginView() = default;

void KvPlayerPluginView::setContent(const QVariant& content)
{
    m_content = content;
    m_started.restart();
    update();
}

void KvPlayerPluginView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    m_screen->paint(&painter, QRectF(rect()), m_state, m_content, m_started.elapsed());
}

void KvPlayerPluginView::showEvent(QShowEvent* event)
{
    KvPlayerMediaView::showEvent(event);
    m_frames.start();
}

void KvPlayerPluginView::hideEvent(QHideEvent* event)
{
    m_frames.stop();
    KvPlayerMediaView::hideEvent(event);
}

} // namespace Kova
