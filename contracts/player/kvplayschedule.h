#pragma once

#include "kvplayitem.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

namespace Kova {

class KvPlayClock;
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
    // The view says the medium ended (a movie's end).
    void mediumEnded(int screenId);
    // The view could not play it: logged and skipped.
    void mediumFailed(int screenId);

signals:
    void itemChanged(int screenId);

private:
    struct ScreenState;

    const KvStage& m_stage;
    QString m_dataDir;
    const KvPlayClock& m_clock;
    QList<int> m_screenIds;
    QHash<int, ScreenState*> m_screens;
};

} // namespace Kova
