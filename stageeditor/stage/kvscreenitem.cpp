#include "kvscreenitem.h"

#include "kvscreen.h"
#include "kvstagescene.h"
#include "kvsvgreader.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionGraphicsItem>

#include <cmath>

namespace Kova {

namespace {

const char* const LockPicturePath = ":/images/locked_yellow.svg";
const double LabelPointSize = 10.0;
const double LabelShrinkStep = 0.5;
const double LabelMinimumPointSize = 0.5;
const int LockPictureSide = 16;

} // namespace

KvScreenItem::KvScreenItem(KvScreen* screen, QGraphicsItem* parent)
    : QGraphicsItem(parent)
{
    setFlags(ItemIsMovable | ItemIsSelectable | ItemSendsGeometryChanges);
    setScreen(screen);
}

KvScreenItem::~KvScreenItem()
{
    delete m_lockPicture;
}

void KvScreenItem::setScreen(KvScreen* screen)
{
    m_screen = screen;
    if (!m_screen) {
        update();
        return;
    }
    const QRectF rect = m_screen->rect();
    setGeometry(rect.x(), rect.y(), rect.width(), rect.height());
    setZValue(m_screen->zIndex());
    m_backColor = m_screen->backgoundColor();
    m_name = m_screen->name();
    m_locked = m_screen->lockScreen();
    update();
}

void KvScreenItem::setName(const QString& name)
{
    m_name = name;
}

bool KvScreenItem::isLocked() const
{
    return m_screen ? m_screen->lockScreen() : m_locked;
}

void KvScreenItem::refreshBackColor(bool select)
{
    setSelected(select);
    if (m_screen) {
        m_backColor = m_screen->backgoundColor();
        syncLockedFlag();
    }
    update();
}

void KvScreenItem::refreshName(bool select)
{
    setSelected(select);
    if (m_screen) {
        m_name = m_screen->name();
        syncLockedFlag();
    }
    update();
}

void KvScreenItem::refreshPos(bool select)
{
    setSelected(select);
    if (m_screen) {
        setPos(m_screen->rect().topLeft());
        syncLockedFlag();
    }
    update();
}

void KvScreenItem::refreshRect(bool select)
{
    setSelected(select);
    if (m_screen) {
        const QRectF rect = m_screen->rect();
        setGeometry(rect.x(), rect.y(), rect.width(), rect.height());
        syncLockedFlag();
    }
    update();
}

void KvScreenItem::setTrackPosition(bool track)
{
    m_trackPosition = track;
}

void KvScreenItem::saveStartRect()
{
    m_startRect = boundingRect().translated(pos());
}

void KvScreenItem::setStartRect(const QRectF& rect)
{
    m_startRect = rect;
}

void KvScreenItem::setGeometry(double x, double y, double width, double height)
{
    prepareGeometryChange();
    m_width = width;
    m_height = height;
    setPos(x, y);
}

bool KvScreenItem::isMovedFromScreen() const
{
    if (!m_screen) {
        return false;
    }
    const QPointF stored = m_screen->rect().topLeft();
    const QPointF current = pos();
    return std::fabs(current.x() - stored.x()) > 1e-12 ||
           std::fabs(current.y() - stored.y()) > 1e-12;
}

QPointF KvScreenItem::commitPos()
{
    if (!m_screen) {
        return pos();
    }
    QRectF rect = m_screen->rect();
    const QPointF previous = rect.topLeft();
    rect.moveTopLeft(pos());
    m_screen->setRect(rect);
    return previous;
}

QRectF KvScreenItem::commitRect()
{
    if (!m_screen) {
        return boundingRect().translated(pos());
    }
    const QRectF previous = m_screen->rect();
    m_screen->setRect(QRectF(pos(), QSizeF(m_width, m_height)));
    return previous;
}

QRectF KvScreenItem::boundingRect() const
{
    return QRectF(0, 0, m_width, m_height);
}

KvScreenItem::LabelLayout KvScreenItem::labelLayout(double scaleFactor) const
{
    LabelLayout layout;
    QString text = m_name.isEmpty() ? tr("No Name") : m_name;
    // An extended screen whose plug-in is not installed keeps its place and says so.
    if (m_screen && m_screen->type() == ScreenType::Extended && !m_screen->plugin() &&
        !m_screen->piid().isEmpty())
        text += QLatin1Char('\n') + tr("Plug-in \"%1\" is not installed").arg(m_screen->piid());
    layout.text = text;
    const QRectF textArea(8, 8, std::trunc(m_width - 16), std::trunc(m_height - 10));
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;

    QFont font(QStringLiteral("Meiryo"));
    double pointSize = LabelPointSize * scaleFactor;
    QSizeF textSize;
    for (;;) {
        if (!(pointSize >= LabelMinimumPointSize)) {
            return layout;
        }
        font.setPointSizeF(pointSize);
        textSize = QFontMetricsF(font).boundingRect(textArea, flags, text).size();
        if (textSize.width() + 6 <= m_width && textSize.height() <= m_height) {
            break;
        }
        pointSize -= LabelShrinkStep;
    }

    const double labelWidth = textSize.width() + 6;
    const double labelHeight = textSize.height();
    const double x = std::trunc((m_width - 10 - labelWidth) * 0.5 + 5);
    const double y = std::trunc((m_height - 10 - labelHeight) * 0.5 + 5);
    layout.visible = true;
    layout.font = font;
    layout.labelRect = QRectF(x, y, labelWidth, labelHeight);
    layout.textRect = QRectF(x + 3, y, textSize.width(), textSize.height());
    return layout;
}

void KvScreenItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    const double factor = scaleFactor();
    const QRectF bounds = boundingRect();

    painter->fillRect(bounds, QBrush(m_backColor, Qt::SolidPattern));

    if (isLocked()) {
        if (!m_lockPicture || m_lockPictureScale != factor) {
            const int side = lockPictureSide(factor);
            const QImage image =
                KvSvgReader::getImage(QString::fromLatin1(LockPicturePath), side, side);
            delete m_lockPicture;
            m_lockPicture = new QPixmap(QPixmap::fromImage(image));
            m_lockPictureScale = factor;
        }
        if (!m_lockPicture->isNull()) {
            const int side = lockPictureSide(factor);
            painter->drawPixmap(QRectF(m_width - side, 0, side, side), *m_lockPicture,
                                QRectF(m_lockPicture->rect()));
        }
    }

    const LabelLayout label = labelLayout(factor);
    if (label.visible) {
        painter->save();
        painter->fillRect(label.labelRect, QColor(0, 0, 0, 128));
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setRenderHint(QPainter::TextAntialiasing, true);
        painter->setFont(label.font);
        painter->setPen(QPen(Qt::white));
        painter->drawText(label.textRect, Qt::AlignCenter | Qt::TextWordWrap, label.text);
        painter->restore();
    }

    if (isSelected()) {
        QPen pen(m_frameColor);
        pen.setWidth(1);
        pen.setCosmetic(true);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(bounds);
    }
}

double KvScreenItem::scaleFactor() const
{
    return scaleFactorOf(scene());
}

double KvScreenItem::scaleFactorOf(const QGraphicsScene* scene)
{
    if (!scene) {
        return 1.0;
    }
    double rate = 1.0;
    if (const auto* stageScene = qobject_cast<const KvStageScene*>(scene)) {
        rate = stageScene->scaleRate();
    } else {
        const QList<QGraphicsView*> views = scene->views();
        if (!views.isEmpty()) {
            rate = views.first()->transform().m11();
        }
    }
    if (!(rate > 0.0) || !std::isfinite(rate)) {
        return 1.0;
    }
    return 1.0 / rate;
}

bool KvScreenItem::hasLockedScreenInSelection(const QGraphicsScene* scene)
{
    if (!scene) {
        return false;
    }
    const QList<QGraphicsItem*> selected = scene->selectedItems();
    for (QGraphicsItem* item : selected) {
        if (item->type() == Type && static_cast<KvScreenItem*>(item)->isLocked()) {
            return true;
        }
    }
    return false;
}

int KvScreenItem::lockPictureSide(double scaleFactor)
{
    return scaleFactor > 1.0 ? int(std::trunc(LockPictureSide * scaleFactor)) : LockPictureSide;
}

QVariant KvScreenItem::itemChange(GraphicsItemChange change, const QVariant& value)
{
    switch (change) {
    case ItemSelectedHasChanged:
        if (auto* stageScene = qobject_cast<KvStageScene*>(scene())) {
            stageScene->onItemSelectionChanged(this, value.toBool());
        }
        break;
    case ItemPositionChange:
        if (m_trackPosition && isSelected() && hasLockedScreenInSelection(scene())) {
            return m_screen ? QVariant(m_screen->rect().topLeft()) : QVariant(pos());
        }
        break;
    case ItemPositionHasChanged:
        if (m_trackPosition && isSelected()) {
            if (auto* stageScene = qobject_cast<KvStageScene*>(scene())) {
                stageScene->onItemPositionChanged(this, value.toPointF());
            }
        }
        break;
    default:
        break;
    }
    return QGraphicsItem::itemChange(change, value);
}

void KvScreenItem::syncLockedFlag()
{
    if (m_screen) {
        m_locked = m_screen->lockScreen();
    }
}

} // namespace Kova
