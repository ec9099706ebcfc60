#include "kvstageformat.h"

#include "kvscreen.h"
#include "kvstage.h"

#include <QCoreApplication>
#include <QSet>

#include <cmath>

namespace Kova {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Kova::KvStageFormat", text);
}

bool inRange(double value, double low, double high)
{
    return std::isfinite(value) && value >= low && value <= high;
}

QString checkEvents(const KvScreen& screen, const QList<KvEvent>& events)
{
    if (events.size() > KvStageFormat::maxEventsPerList)
        return tr("Screen %1 has too many events.").arg(screen.id());
    for (const KvEvent& event : events) {
        if (event.screenId() < 0 || event.type() < 0 ||
            (event.direction() != KvEvent::Raise && event.direction() != KvEvent::Wait))
            return tr("Screen %1 has an invalid event.").arg(screen.id());
        if (event.actions().size() > KvStageFormat::maxActionsPerEvent)
            return tr("Screen %1 has an event with too many actions.").arg(screen.id());
    }
    return QString();
}

} // namespace

QString KvStageFormat::propertyTypeName(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return QStringLiteral("null");
    case QMetaType::Bool:
        return QStringLiteral("bool");
    case QMetaType::Int:
        return QStringLiteral("int");
    case QMetaType::UInt:
        return QStringLiteral("uint");
    case QMetaType::LongLong:
        return QStringLiteral("longlong");
    case QMetaType::ULongLong:
        return QStringLiteral("ulonglong");
    case QMetaType::Double:
        return QStringLiteral("double");
    case QMetaType::QString:
        return QStringLiteral("string");
    case QMetaType::QStringList:
        return QStringLiteral("stringlist");
    case QMetaType::QVariantList:
        return QStringLiteral("list");
    case QMetaType::QVariantMap:
        return QStringLiteral("map");
    default:
        break;
    }
    return QStringLiteral("data");
}

QString KvStageFormat::checkStage(const KvStage& stage)
{
    const QRect rect = stage.rect();
    if (rect.width() < 0 || rect.height() < 0 || rect.width() > maxStageSize ||
        rect.height() > maxStageSize)
        return tr("The stage size %1 x %2 is out of range.").arg(rect.width()).arg(rect.height());
    if (qAbs(rect.x()) > maxStagePosition || qAbs(rect.y()) > maxStagePosition)
        return tr("The stage position is out of range.");
    if (stage.options() & ~knownOptions)
        return tr("The stage options %1 are unknown.").arg(stage.options());
    const QList<KvScreen*>& screens = stage.screenList();
    if (screens.size() > maxScreens)
        return tr("The stage has more than %1 screens.").arg(maxScreens);

    QSet<int> ids;
    ids.reserve(screens.size());
    qint64 mediaTotal = 0;
    for (const KvScreen* screen : screens) {
        if (!screen)
            return tr("The stage holds an empty screen entry.");
        const int id = screen->id();
        if (id <= 0)
            return tr("The screen id %1 is not a positive number.").arg(id);
        if (ids.contains(id))
            return tr("The screen id %1 is used twice.").arg(id);
        ids.insert(id);
        if (screen->type() == ScreenType::Unknown)
            return tr("Screen %1 has no type.").arg(id);
        const QRectF r = screen->rect();
        if (!inRange(r.x(), -maxScreenCoordinate, maxScreenCoordinate) ||
            !inRange(r.y(), -maxScreenCoordinate, maxScreenCoordinate) ||
            !inRange(r.width(), 0.0, maxScreenCoordinate) ||
            !inRange(r.height(), 0.0, maxScreenCoordinate))
            return tr("Screen %1 has an invalid position or size.").arg(id);
        if (screen->mediaCount() > maxMediaPerScreen)
            return tr("Screen %1 has more than %2 media.").arg(id).arg(maxMediaPerScreen);
        mediaTotal += screen->mediaCount();
        if (mediaTotal > maxMediaPerStage)
            return tr("The stage has more than %1 media.").arg(maxMediaPerStage);
        for (const KvMedia* media : screen->mediaList()) {
            if (!media)
                return tr("Screen %1 holds an empty media entry.").arg(id);
            if (!inRange(media->playingDuration(), -maxDuration, maxDuration))
                return tr("A medium of screen %1 has an invalid playing duration.").arg(id);
            if (qAbs(media->wait()) > maxMediaValue || qAbs(media->step()) > maxMediaValue ||
                qAbs(media->playingDirection()) > maxMediaValue)
                return tr("A medium of screen %1 has a value out of range.").arg(id);
        }
        for (const QList<KvEvent>* events :
             {&screen->raiseEventList(), &screen->waitEventList(), &screen->ignoreRaiseEventList(),
              &screen->ignoreWaitEventList()}) {
            const QString problem = checkEvents(*screen, *events);
            if (!problem.isEmpty())
                return problem;
        }
    }
    return QString();
}

} // namespace Kova
