#include "kvseqlabelareawidget.h"

#include "kvscreen.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvsvgreader.h"

#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPalette>

namespace Kova {

namespace {

constexpr int ICON_HEIGHT = 16;

// A screen-type icon at the label height: a picture is scaled smoothly, an SVG drawing is
// rendered square at that height.
QPixmap iconPixmap(const QString& path)
{
    if (KvSvgReader::isSvg(path))
        return KvSvgReader::getPixmap(path, QSize(ICON_HEIGHT, ICON_HEIGHT));
    const QPixmap picture(path);
    if (picture.isNull() || picture.height() == ICON_HEIGHT)
        return picture;
    return picture.scaledToHeight(ICON_HEIGHT, Qt::SmoothTransformation);
}

} // namespace

KvSeqLabelAreaWidget::KvSeqLabelAreaWidget(QWidget* parent)
    : QWidget(parent)
{
    setFixedWidth(AREA_WIDTH);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::gray);
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setContextMenuPolicy(Qt::CustomContextMenu);

    m_multimediaIcon = iconPixmap(QStringLiteral(":/images/tool_MultiMediaScreen2.png"));
    m_telopIcon = iconPixmap(QStringLiteral(":/images/tool_TelopWindow2.png"));
    m_extendedIcon = iconPixmap(QStringLiteral(":/images/ext_screen.svg"));
}

KvSeqLabelAreaWidget::~KvSeqLabelAreaWidget() = default;

QPixmap KvSeqLabelAreaWidget::labelPixmap()
{
    QMutexLocker locker(&m_mutex);
    return m_labelPixmap;
}

void KvSeqLabelAreaWidget::updateLabelPixmap(bool updateWidget)
{
    if (!m_rows || m_rows->isEmpty()) {
        {
            QMutexLocker locker(&m_mutex);
            m_labelPixmap = QPixmap();
        }
        if (updateWidget)
            update();
        return;
    }

    // The rows start at y = 0; the picture reaches one pixel below the last label.
    const QRectF span = m_rows->first()->rect().united(m_rows->last()->rect());
    const int pictureWidth = qMax(1, width() - 1);
    const int pictureHeight = qMax(1, static_cast<int>(span.height() + 1.0));
    QPixmap picture(pictureWidth, pictureHeight);
    picture.fill(Qt::white);

    QPainter painter(&picture);
    for (const KvSeqScreen* row : *m_rows) {
        const KvScreen* screen = row ? row->screen() : nullptr;
        if (!screen)
            continue;
        QRectF rect = row->rect();
        rect.setWidth(pictureWidth);

        const QPixmap* icon = nullptr;
        switch (screen->type()) {
        case ScreenType::Multimedia:
            icon = &m_multimediaIcon;
            break;
        case ScreenType::Telop:
            icon = &m_telopIcon;
            break;
        case ScreenType::Extended:
            icon = &m_extendedIcon;
            break;
        default:
            break;
        }
        const QPixmap duration = row->durationImage();
        const QPixmap* durationImage = m_showDuration && !duration.isNull() ? &duration : nullptr;

        painter.save();
        KvSeqMediaItem::drawItem(&painter, rect, Qt::transparent, screen->name(), Qt::black, icon,
                                 screen->backgoundColor(), row->isHovered(), row->isSelected(),
                                 durationImage, !screen->raiseEventList().isEmpty(),
                                 !screen->waitEventList().isEmpty(), nullptr, QString());
        painter.restore();
        painter.setPen(Qt::black);
        painter.drawLine(QLineF(rect.bottomLeft(), rect.bottomRight()));
    }
    painter.end();

    {
        QMutexLocker locker(&m_mutex);
        m_labelPixmap = picture;
    }
    if (updateWidget)
        update();
}

void KvSeqLabelAreaWidget::updateMainScenePos(QPoint pos, bool updateWidget)
{
    updateMainScenePos(QPointF(pos), updateWidget);
}

void KvSeqLabelAreaWidget::updateMainScenePos(QPointF pos, bool updateWidget)
{
    m_scenePos = pos;
    if (updateWidget)
        update();
}

void KvSeqLabelAreaWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    {
        QMutexLocker locker(&m_mutex);
        if (!m_labelPixmap.isNull()) {
            // The labels scroll vertically with the main view's scene.
            const QRectF target(0.0, 0.0, width(), height());
            const QRectF source(0.0, -m_scenePos.y(), width(), height());
            painter.drawPixmap(target, m_labelPixmap, source);
        }
    }
    painter.setPen(Qt::darkGray);
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 0, 0, bottom);
    painter.drawLine(0, bottom, right, bottom);
}

void KvSeqLabelAreaWidget::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event);
}

void KvSeqLabelAreaWidget::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event);
}

void KvSeqLabelAreaWidget::leaveEvent(QEvent* event)
{
    emit leaved(event);
}

} // namespace Kova
