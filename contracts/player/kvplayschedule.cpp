#include "kvplayschedule.h"

#include "kvplayclock.h"
#include "kvplayrules.h"

#include <kvevent.h>
#include <kveventaction.h>
#include <kvextension.h>
#include <kvmedia.h>
#include <kvscreen.h>
#include <kvstage.h>

#include <QFileInfo>
#include <QtDebug>

#include <algorithm>

namespace Kova {

struct KvPlaySchedule::ScreenState
{
    const KvScreen* screen = nullptr;
    KvPlayItem item;
    // The files of the folder medium playing now, and which of them plays.
    QStringList folderFiles;
    int fileIndex = -1;
    // The item stays after its time is up until an event moves the screen on.
    bool held = false;
    // The screen stopped (a Stop action): nothing plays on it any more.
    bool stopped = false;
    // The wait events that some other screen of the stage raises. A screen with any is moved
    // on by those events only, not by its own media's times.
    QList<KvEvent> waits;
    bool raisesStart = false;
    bool raisesEnd = false;
    // The item changed since itemChanged was last emitted for the screen.
    bool changed = false;
};

namespace {

bool raises(const KvScreen& screen, int type)
{
    const QList<KvEvent>& events = screen.raiseEventList();
    return std::any_of(events.cbegin(), events.cend(),
                       [type](const KvEvent& event) { return event.type() == type; });
}

} // namespace

KvPlaySchedule::KvPlaySchedule(const KvStage& stage, const QString& dataDir,
                               const KvPlayClock& clock, QObject* parent)
    : QObject(parent)
    , m_stage(stage)
    , m_dataDir(dataDir)
    , m_clock(clock)
{
    QList<const KvScreen*> screens;
    for (const KvScreen* screen : stage.screenList()) {
        screens.append(screen);
    }
    std::stable_sort(screens.begin(), screens.end(), [](const KvScreen* a, const KvScreen* b) {
        return a->zIndex() < b->zIndex();
    });
    for (const KvScreen* screen : qAsConst(screens)) {
        if (m_screens.contains(screen->id())) {
            continue;
        }
        auto* state = new ScreenState;
        state->screen = screen;
        state->item.screenId = screen->id();
        m_screens.insert(screen->id(), state);
        m_screenIds.append(screen->id());
    }
}

KvPlaySchedule::~KvPlaySchedule()
{
    qDeleteAll(m_screens);
}

QList<int> KvPlaySchedule::screenIds() const
{
    return m_screenIds;
}

KvPlayItem KvPlaySchedule::current(int screenId) const
{
    const ScreenState* screen = state(screenId);
    if (!screen) {
        KvPlayItem none;
        none.screenId = screenId;
        return none;
    }
    return screen->item;
}

KvPlaySchedule::ScreenState* KvPlaySchedule::state(int screenId) const
{
    return m_screens.value(screenId);
}

void KvPlaySchedule::start()
{
    const qint64 now = m_clock.nowMs();
    for (ScreenState* screen : qAsConst(m_screens)) {
        const KvScreen& model = *screen->screen;
        screen->waits.clear();
        for (const KvEvent& wait : model.waitEventList()) {
            const KvScreen* raiser = m_stage.getScreenObject(wait.screenId());
            if (raiser && raiser != &model && raises(*raiser, wait.type())) {
                screen->waits.append(wait);
            }
        }
        screen->raisesStart = raises(model, KvEvent::ContentStart);
        screen->raisesEnd = raises(model, KvEvent::ContentEnd);
        screen->stopped = false;
        if (!enter(*screen, 0, now)) {
            screen->item = KvPlayItem();
            screen->item.screenId = model.id();
            screen->held = false;
        }
        screen->changed = true;
    }
    emitChanges();
}

void KvPlaySchedule::update()
{
    const qint64 now = m_clock.nowMs();
    // Changes are made in time order across screens, so events reach their listeners in the
    // order they would have come had every change been seen on time.
    for (;;) {
        ScreenState* earliest = nullptr;
        qint64 at = 0;
        for (int id : qAsConst(m_screenIds)) {
            ScreenState* screen = m_screens.value(id);
            const qint64 end = plannedEnd(*screen);
            if (end >= 0 && end <= now && (!earliest || end < at)) {
                earliest = screen;
                at = end;
            }
        }
        if (!earliest) {
            break;
        }
        finish(*earliest, at);
    }
    emitChanges();
}

qint64 KvPlaySchedule::nextChangeMs() const
{
    qint64 next = -1;
    for (const ScreenState* screen : qAsConst(m_screens)) {
        const qint64 end = plannedEnd(*screen);
        if (end >= 0 && (next < 0 || end < next)) {
            next = end;
        }
    }
    return next;
}

void KvPlaySchedule::mediumEnded(int screenId)
{
    update();
    ScreenState* screen = state(screenId);
    // A medium with a planned length keeps it: only one played until its end moves on here.
    if (!screen || !screen->item.isValid() || screen->item.durationMs >= 0 || screen->held) {
        return;
    }
    finish(*screen, m_clock.nowMs());
    emitChanges();
}

void KvPlaySchedule::mediumFailed(int screenId)
{
    update();
    ScreenState* screen = state(screenId);
    if (!screen || !screen->item.isValid()) {
        return;
    }
    const QString path = screen->item.filePath;
    m_failed.insert(path);
    skip(path, tr("it could not be played"));
    const qint64 now = m_clock.nowMs();
    QList<Raised> raised;
    next(*screen, now, raised);
    deliver(raised, now, screenId);
    emitChanges();
}

bool KvPlaySchedule::enter(ScreenState& screen, int index, qint64 at)
{
    const KvScreen& model = *screen.screen;
    const QList<KvMedia*>& media = model.mediaList();
    for (int i = std::max(0, index); i < media.count(); ++i) {
        const KvMedia& medium = *media.at(i);
        const QString path = KvPlayRules::absolutePath(medium.uri(), m_dataDir);
        const int type = medium.mediaType();
        if (!KvPlayRules::isPlayableType(type)) {
            skip(medium.uri().isEmpty() ? medium.name() : path, tr("unknown media type"));
            continue;
        }
        KvPlayItem item;
        item.screenId = model.id();
        item.mediaIndex = i;
        item.media = &medium;
        item.startMs = at;
        if (type == MediaType::Folder) {
            if (!QFileInfo(path).isDir()) {
                skip(path, tr("the folder is missing"));
                continue;
            }
            const QStringList listed = KvPlayRules::folderFiles(path);
            if (listed.isEmpty()) {
                skip(path, tr("the folder holds no playable file"));
                continue;
            }
            QStringList files;
            for (const QString& file : listed) {
                if (!m_failed.contains(file)) {
                    files.append(file);
                }
            }
            if (files.isEmpty()) {
                continue;
            }
            item.filePath = files.first();
            item.mediaType = KvExtension::getMediaType(QFileInfo(item.filePath).suffix());
            item.durationMs = KvPlayRules::folderFileMs(medium);
            screen.folderFiles = files;
            screen.fileIndex = 0;
        } else {
            if (KvPlayRules::needsFile(medium) && !QFileInfo::exists(path)) {
                skip(path, tr("the file is missing"));
                continue;
            }
            if (m_failed.contains(path)) {
                continue;
            }
            const bool probe = type == MediaType::Movie && medium.detectTermination();
            item.filePath = path;
            item.mediaType = type;
            item.durationMs =
                KvPlayRules::playMs(medium, model.rect(), m_dataDir, probe ? movieLength(path) : 0);
            screen.folderFiles.clear();
            screen.fileIndex = -1;
        }
        screen.item = item;
        screen.held = false;
        screen.changed = true;
        return true;
    }
    return false;
}

void KvPlaySchedule::next(ScreenState& screen, qint64 at, QList<Raised>& raised)
{
    const KvPlayItem before = screen.item;
    for (int file = screen.fileIndex + 1; file >= 1 && file < screen.folderFiles.count(); ++file) {
        const QString& path = screen.folderFiles.at(file);
        if (m_failed.contains(path)) {
            continue;
        }
        screen.fileIndex = file;
        screen.item.filePath = path;
        screen.item.mediaType = KvExtension::getMediaType(QFileInfo(path).suffix());
        screen.item.startMs = at;
        screen.held = false;
        screen.changed = true;
        raiseFor(screen, before, raised);
        return;
    }
    if (!enter(screen, before.mediaIndex + 1, at)) {
        // The last medium has finished.
        switch (screen.screen->mediaFinishedAction()) {
        case KvEventAction::None:
            screen.held = true;
            return;
        case KvEventAction::Stop:
            act(screen, KvEventAction::Stop, at, raised);
            return;
        default:
            if (!enter(screen, 0, at)) {
                screen.item = KvPlayItem();
                screen.item.screenId = before.screenId;
                screen.changed = true;
            }
            break;
        }
    }
    raiseFor(screen, before, raised);
}

void KvPlaySchedule::act(ScreenState& screen, int action, qint64 at, QList<Raised>& raised)
{
    const KvPlayItem before = screen.item;
    switch (action) {
    case KvEventAction::GotoNext:
        if (!screen.stopped && before.isValid()) {
            next(screen, at, raised);
        }
        return;
    case KvEventAction::GotoFirst:
        screen.stopped = false;
        if (!enter(screen, 0, at)) {
            screen.item = KvPlayItem();
            screen.item.screenId = screen.screen->id();
        }
        break;
    case KvEventAction::Repeat:
        if (screen.stopped || !before.isValid()) {
            return;
        }
        screen.item.startMs = at;
        screen.held = false;
        break;
    case KvEventAction::Stop:
        if (screen.stopped) {
            return;
        }
        screen.stopped = true;
        screen.item = KvPlayItem();
        screen.item.screenId = screen.screen->id();
        break;
    default:
        return;
    }
    screen.changed = true;
    raiseFor(screen, before, raised);
}

void KvPlaySchedule::raiseFor(const ScreenState& screen, const KvPlayItem& before,
                              QList<Raised>& raised)
{
    if (before.isValid() && screen.raisesEnd) {
        raised.append({KvEvent::ContentEnd, screen.screen->id()});
    }
    if (screen.item.isValid() && screen.raisesStart) {
        raised.append({KvEvent::ContentStart, screen.screen->id()});
    }
}

void KvPlaySchedule::deliver(QList<Raised> raised, qint64 at, int sourceId)
{
    QSet<int> acted{sourceId};
    while (!raised.isEmpty()) {
        const Raised event = raised.takeFirst();
        for (int id : qAsConst(m_screenIds)) {
            if (acted.contains(id)) {
                continue;
            }
            ScreenState& screen = *m_screens.value(id);
            for (const KvEvent& wait : qAsConst(screen.waits)) {
                if (wait.type() != event.type || wait.screenId() != event.screenId) {
                    continue;
                }
                acted.insert(id);
                const QStringList actions = wait.actions();
                const int action = actions.isEmpty()
                                       ? int(KvEventAction::GotoNext)
                                       : int(KvEventAction::toAction(actions.first()));
                act(screen, action, at, raised);
                break;
            }
        }
    }
}

void KvPlaySchedule::finish(ScreenState& screen, qint64 at)
{
    if (!screen.waits.isEmpty()) {
        screen.held = true;
        return;
    }
    QList<Raised> raised;
    next(screen, at, raised);
    deliver(raised, at, screen.screen->id());
}

qint64 KvPlaySchedule::plannedEnd(const ScreenState& screen) const
{
    if (!screen.item.isValid() || screen.held || screen.stopped || !screen.waits.isEmpty() ||
        screen.item.durationMs < 0) {
        return -1;
    }
    return screen.item.startMs + screen.item.durationMs;
}

qint64 KvPlaySchedule::movieLength(const QString& filePath)
{
    auto found = m_movieLengths.constFind(filePath);
    if (found != m_movieLengths.constEnd()) {
        return found.value();
    }
    const qint64 length = KvPlayRules::movieLengthMs(filePath);
    m_movieLengths.insert(filePath, length);
    return length;
}

void KvPlaySchedule::skip(const QString& path, const QString& why)
{
    const QString line = tr("Player: skipped %1: %2").arg(path, why);
    if (!m_skipped.contains(line)) {
        m_skipped.insert(line);
        qWarning("%s", qUtf8Printable(line));
    }
}

void KvPlaySchedule::emitChanges()
{
    for (int id : qAsConst(m_screenIds)) {
        ScreenState* screen = m_screens.value(id);
        if (screen->changed) {
            screen->changed = false;
            emit itemChanged(id);
        }
    }
}

} // namespace Kova
