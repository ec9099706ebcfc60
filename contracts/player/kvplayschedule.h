#pragma once

#include "kvplayitem.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

namespace Kova {

class KvPlayClock;
class KvScreen;
class KvStage;

// What every screen of a stage plays at the clock's time: each screen plays its media in
// order and loops. Pure logic: no timers inside; the owner calls update() at nextChangeMs()
// and when a view reports the end or failure of its medium.
class KvPlaySchedule : public QObject
{
    Q_OBJECT
public:
    // dataDir: the folder relative media uris are resolved against.
    KvPlaySchedule(const KvStage& stage, const QString& dataDir, const KvPlayClock& clock,
                   QObject* parent = nullptr);
    ~KvPlaySchedule() override;

    // Bottom to top (z-order).
    QList<int> screenIds() const;
    KvPlayItem current(int screenId) const;
    // Every screen starts its first playable medium at the clock's now.
    void start();
    // Brings every screen to the clock's now (several steps when time jumped; loops) and
    // emits itemChanged for each screen whose item changed.
    void update();
    // Clock time of the next planned change; -1 when none is planned.
    qint64 nextChangeMs() const;
    // The clock the plan is read against, and the folder media uris are resolved against.
    const KvPlayClock& clock() const { return m_clock; }
    QString dataDir() const { return m_dataDir; }
    // The view says the medium ended (a movie's end).
    void mediumEnded(int screenId);
    // The view could not play it: logged and skipped.
    void mediumFailed(int screenId);

signals:
    void itemChanged(int screenId);

private:
    struct ScreenState;
    struct Raised
    {
        int type;
        int screenId;
    };

    ScreenState* state(int screenId) const;
    // Plays the first playable medium from media index `index` on (a folder: its first file),
    // at time `at`; false, with the screen unchanged, when none of them can be played.
    bool enter(ScreenState& screen, int index, qint64 at);
    // The screen's item is over at `at`: the next item by the screen's own order.
    void next(ScreenState& screen, qint64 at, QList<Raised>& raised);
    // Runs an event action on a screen.
    void act(ScreenState& screen, int action, qint64 at, QList<Raised>& raised);
    // The events the screen raises when its item went from `before` to its current one.
    void raiseFor(const ScreenState& screen, const KvPlayItem& before, QList<Raised>& raised);
    // Hands events to the screens that listen for them, and the events those raise in turn;
    // each screen acts once per cascade.
    void deliver(QList<Raised> raised, qint64 at, int sourceId);
    // The item is over by its own time or its view's report.
    void finish(ScreenState& screen, qint64 at);
    qint64 plannedEnd(const ScreenState& screen) const;
    qint64 movieLength(const QString& filePath);
    void skip(const QString& path, const QString& why);
    void emitChanges();

    const KvStage& m_stage;
    QString m_dataDir;
    const KvPlayClock& m_clock;
    QList<int> m_screenIds;
    QHash<int, ScreenState*> m_screens;
    // Paths already reported as skipped: each is logged once.
    QSet<QString> m_skipped;
    // Paths a view could not play: passed over from then on.
    QSet<QString> m_failed;
    QHash<QString, qint64> m_movieLengths;
};

} // namespace Kova
