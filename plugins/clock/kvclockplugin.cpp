#include "kvclockplugin.h"

#include "kvclocksettingsdialog.h"
#include "kvpluginguinotifier.h"

#include <QApplication>
#include <QPainter>
#include <QtMath>

namespace Kova {

namespace {

// A round clock face at ten past ten, the picture of the plug-in and of its contents.
void drawFace(QPainter* painter, const QRectF& rect, const QColor& face, const QColor& hands)
{
    const qreal side = qMin(rect.width(), rect.height()) * 0.9;
    const QRectF dial(rect.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(hands, qMax<qreal>(1.0, side / 16)));
    painter->setBrush(face);
    painter->drawEllipse(dial);
    const QPointF centre = dial.center();
    auto hand = [&](qreal degrees, qreal length) {
        const qreal radians = qDegreesToRadians(degrees - 90);
        painter->drawLine(centre, centre + QPointF(qCos(radians), qSin(radians)) * length);
    };
    hand(305, side * 0.25); // the hour hand near ten
    hand(60, side * 0.38);  // the minute hand at two
    painter->restore();
}

} // namespace

KvClockPlugin::KvClockPlugin(QObject* parent)
    : QObject(parent)
    , m_settingsAction(new QAction(tr("Clock Settings…"), this))
    , m_notifier(new KvPluginGuiNotifier(this))
{
    m_settingsAction->setObjectName(QStringLiteral("Action_Clock_Settings"));
    connect(m_settingsAction, &QAction::triggered, this, &KvClockPlugin::editSettings);
}

KvClockPlugin::~KvClockPlugin() = default;

QIcon KvClockPlugin::icon() const
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawFace(&painter, pixmap.rect(), Qt::white, QColor(40, 40, 40));
    return QIcon(pixmap);
}

void KvClockPlugin::applyState(const QVariant& state)
{
    m_state = KvClockState::fromVariant(state);
    m_screenId = state.toMap().value(screenIdKey()).toInt();
    m_contentCount = state.toMap().value(contentCountKey()).toInt();
}

QImage KvClockPlugin::contentPicture(const QVariant& content, const QSize& size) const
{
    Q_UNUSED(content)
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(m_state.backgroundColor);
    QPainter painter(&image);
    drawFace(&painter, image.rect(), m_state.backgroundColor, m_state.textColor);
    return image;
}

void KvClockPlugin::paint(QPainter* painter, const QRectF& rect, const QVariant& state,
                          const QVariant& content, qint64 msSinceStart) const
{
    Q_UNUSED(content)
    Q_UNUSED(msSinceStart)
    const KvClockState clock = KvClockState::fromVariant(state);
    painter->save();
    painter->fillRect(rect, clock.backgroundColor);
    painter->setFont(clock.font);
    painter->setPen(clock.textColor);
    painter->drawText(rect, Qt::AlignCenter | Qt::TextWordWrap,
                      clock.text(QDateTime::currentDateTimeUtc()));
    painter->restore();
}

void KvClockPlugin::showContentProperty(int sequenceIndex, const QRect& globalRect)
{
    // A clock's contents carry nothing of their own to show (canShowContentProperty).
    Q_UNUSED(sequenceIndex)
    Q_UNUSED(globalRect)
}

void KvClockPlugin::editSettings()
{
    KvClockSettingsDialog dialog(m_state, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const KvClockState edited = dialog.state();
    if (edited == m_state)
        return;
    m_state = edited;
    // Every content's picture is drawn in the clock's colours: all of them change.
    QList<int> contents;
    for (int index = 0; index < m_contentCount; ++index)
        contents.append(index);
    emit m_notifier->screenValuesUpdated(m_screenId, contents);
}

} // namespace Kova
