#include "kvplayerwindow.h"

#include "kvplayclock.h"
#include "kvplayerscreenview.h"
#include "kvplayschedule.h"

#include <kvscreen.h>
#include <kvstage.h>

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>

#include <limits>

namespace Kova {

KvPlayerWindow::KvPlayerWindow(const KvStage& stage, KvPlaySchedule& schedule, QWidget* parent)
    : QWidget(parent)
    , m_stage(stage)
    , m_schedule(schedule)
{
    setObjectName(QStringLiteral("PlayerWindow"));
    setWindowTitle(stage.name());
    // Everything is painted: the stage and black around it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Esc reaches the window whatever a media view does with the keyboard.
    setFocusPolicy(Qt::StrongFocus);
    resize(stage.rect().size());

    if (!stage.backgroundImage().isEmpty()) {
        const QFileInfo info(stage.backgroundImage());
        m_backgroundPath = info.isAbsolute()
                               ? info.filePath()
                               : QDir(schedule.dataDir()).filePath(stage.backgroundImage());
    }

    // Bottom to top: each later child is stacked above the ones before it.
    for (int id : schedule.screenIds()) {
        const KvScreen* screen = stage.getScreenObject(id);
        if (!screen)
            continue;
        auto* view = new KvPlayerScreenView(*screen, this);
        view->raise();
        m_screens.insert(id, view);
        connect(view, &KvPlayerScreenView::mediumEnded, &m_schedule, &KvPlaySchedule::mediumEnded);
        connect(view, &KvPlayerScreenView::mediumFailed, &m_schedule,
                &KvPlaySchedule::mediumFailed);
    }
    layoutScreens();

    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &KvPlayerWindow::onTimeout);

    m_schedule.start();
    for (auto it = m_screens.cbegin(); it != m_screens.cend(); ++it)
        it.value()->setItem(m_schedule.current(it.key()));
    // Connected after the first items are shown, so that start() builds no view twice.
    connect(&m_schedule, &KvPlaySchedule::itemChanged, this, &KvPlayerWindow::onItemChanged);
    armTimer();
}

KvPlayerWindow::~KvPlayerWindow() = default;

QRect KvPlayerWindow::stageArea() const
{
    const QSize stageSize = m_stage.rect().size();
    if (stageSize.isEmpty())
        return QRect();
    const QSize fitted = stageSize.scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

QRect KvPlayerWindow::toWindow(const QRectF& stageRect) const
{
    const QRect area = stageArea();
    const QSize stageSize = m_stage.rect().size();
    if (area.isEmpty())
        return QRect();
    const double sx = double(area.width()) / stageSize.width();
    const double sy = double(area.height()) / stageSize.height();
    // Both edges are rounded, not the size, so that screens sharing an edge stay joined.
    const int left = area.left() + qRound(stageRect.left() * sx);
    const int top = area.top() + qRound(stageRect.top() * sy);
    const int right = area.left() + qRound(stageRect.right() * sx);
    const int bottom = area.top() + qRound(stageRect.bottom() * sy);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void KvPlayerWindow::setMovieSound(bool on)
{
    m_movieSound = on;
    for (KvPlayerScreenView* view : qAsConst(m_screens))
        view->setMovieSound(on);
}

int KvPlayerWindow::pendingChangeMs() const
{
    return m_timer.isActive() ? m_timer.interval() : -1;
}

void KvPlayerWindow::layoutScreens()
{
    for (auto it = m_screens.cbegin(); it != m_screens.cend(); ++it) {
        const KvScreen* screen = m_stage.getScreenObject(it.key());
        if (screen)
            it.value()->setGeometry(toWindow(screen->rect()));
    }
}

void KvPlayerWindow::armTimer()
{
    const qint64 next = m_schedule.nextChangeMs();
    if (next < 0) {
        m_timer.stop();
        return;
    }
    const qint64 wait =
        qBound<qint64>(0, next - m_schedule.clock().nowMs(), std::numeric_limits<int>::max());
    m_timer.start(int(wait));
}

void KvPlayerWindow::onTimeout()
{
    m_schedule.update();
    armTimer();
}

void KvPlayerWindow::onItemChanged(int screenId)
{
    if (KvPlayerScreenView* view = m_screens.value(screenId))
        view->setItem(m_schedule.current(screenId));
    // A change the views reported (an end, a failure) moves the plan.
    armTimer();
}

void KvPlayerWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRect area = stageArea();
    if (area.isEmpty())
        return;
    painter.fillRect(area, m_stage.backgroundColor());
    if (m_backgroundPath.isEmpty())
        return;
    if (m_backgroundFor != area.size()) {
        // Stretched over the whole stage, as the editor's canvas draws it.
        QImageReader reader(m_backgroundPath);
        reader.setAutoTransform(true);
        reader.setScaledSize(area.size());
        m_background = reader.read();
        m_backgroundFor = area.size();
    }
    if (!m_background.isNull())
        painter.drawImage(area, m_background);
}

void KvPlayerWindow::resizeEvent(QResizeEvent* /*event*/)
{
    layoutScreens();
}

void KvPlayerWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace Kova
