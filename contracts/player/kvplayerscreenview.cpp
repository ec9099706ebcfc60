#include "kvplayerscreenview.h"

#include "kvplayercardview.h"
#include "kvplayermovieview.h"
#include "kvplayerpictureview.h"
#include "kvplayerpluginview.h"
#include "kvplayertelopview.h"
#include "kvplayerwebview.h"

#include <kvmedia.h>
#include <kvscreen.h>
#include <mediatype.h>

#include <QFileInfo>
#include <QPainter>
#include <QTimer>

namespace Kova {

KvPlayerScreenView::KvPlayerScreenView(const KvScreen& screen, QWidget* parent)
    : QWidget(parent)
    , m_screenId(screen.id())
    , m_name(screen.name())
    , m_extended(screen.type() == ScreenType::Extended)
    , m_stageSize(screen.rect().size())
    , m_background(screen.backgoundColor())
{
    setObjectName(QStringLiteral("PlayerScreen_%1").arg(m_screenId));
    if (m_extended) {
        // The screen's plug-in draws it; without the plug-in the screen shows its name.
        m_view = KvPlayerPluginView::create(screen.piid(), screen.toPluginScreen(), this);
        if (!m_view)
            m_view = new KvPlayerCardView(m_name, tr("Extended screen"), this);
        m_view->setGeometry(rect());
    }
}

KvPlayerScreenView::~KvPlayerScreenView() = default;

void KvPlayerScreenView::setItem(const KvPlayItem& item)
{
    if (m_extended) {
        // An extended screen keeps its view: the plug-in is told which content plays.
        m_item = item;
        if (auto* plugin = qobject_cast<KvPlayerPluginView*>(m_view)) {
            QVariantMap content;
            if (item.isValid() && item.media) {
                content = item.media->properties();
                content.insert(QStringLiteral("name"), item.media->name());
                content.insert(QStringLiteral("playingDuration"), item.media->playingDuration());
            }
            plugin->setContent(content.isEmpty() ? QVariant() : QVariant(content));
        }
        return;
    }
    ++m_generation;
    dropView();
    m_item = item;
    if (!item.isValid())
        return;
    m_view = createView(item);
    const quint64 generation = m_generation;
    if (!m_view) {
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == m_generation)
                emit mediumFailed(m_screenId);
        });
        return;
    }
    m_view->setGeometry(rect());
    connect(
        m_view, &KvPlayerMediaView::failed, this,
        [this, generation] {
            if (generation == m_generation)
                emit mediumFailed(m_screenId);
        },
        Qt::QueuedConnection);
    connect(
        m_view, &KvPlayerMediaView::ended, this,
        [this, generation] {
            if (generation == m_generation && m_item.durationMs < 0)
                emit mediumEnded(m_screenId);
        },
        Qt::QueuedConnection);
    m_view->show();
}

void KvPlayerScreenView::setMovieSound(bool on)
{
    m_movieSound = on;
    if (auto* movie = qobject_cast<KvPlayerMovieView*>(m_view))
        movie->setSound(on);
}

KvPlayerMediaView* KvPlayerScreenView::createView(const KvPlayItem& item)
{
    switch (item.mediaType) {
    case MediaType::Image:
        return new KvPlayerPictureView(item.filePath, this);
    case MediaType::Movie: {
        auto* movie = new KvPlayerMovieView(item.filePath, this);
        movie->setSound(m_movieSound);
        return movie;
    }
    case MediaType::Telop:
        if (!item.media)
            return nullptr;
        return new KvPlayerTelopView(item.filePath, *item.media, m_stageSize, this);
    case MediaType::Web:
        return new KvPlayerWebView(item.filePath, this);
    case MediaType::Flash:
        if (!QFileInfo(item.filePath).isFile())
            return nullptr;
        return new KvPlayerCardView(QStringLiteral("Flash"), QFileInfo(item.filePath).fileName(),
                                    this);
    case MediaType::Extended:
        return new KvPlayerCardView(m_name, item.media ? item.media->name() : QString(), this);
    default:
        return nullptr;
    }
}

void KvPlayerScreenView::dropView()
{
    if (!m_view)
        return;
    // Deleted on the next turn: the view may be inside one of its own handlers now.
    m_view->disconnect(this);
    m_view->hide();
    m_view->deleteLater();
    m_view = nullptr;
}

void KvPlayerScreenView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
}

void KvPlayerScreenView::resizeEvent(QResizeEvent* /*event*/)
{
    if (m_view)
        m_view->setGeometry(rect());
}

} // namespace Kova
