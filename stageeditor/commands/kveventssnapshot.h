#pragma once

#include "kvevent.h"
#include "kveventaction.h"

#include <QList>
#include <QMap>

namespace Kova {

class KvStage;

// The events of every screen of a stage, keyed by screen id: the raise, wait, ignore-raise
// and ignore-wait lists and the media-finished action. Restoring gives each screen found
// by id its lists and action again; screens not found are skipped.
class KvEventsSnapshot
{
public:
    struct ScreenEvents
    {
        QList<KvEvent> raiseEvents;
        QList<KvEvent> waitEvents;
        QList<KvEvent> ignoreRaiseEvents;
        QList<KvEvent> ignoreWaitEvents;
        KvEventAction::Actions mediaFinishedAction = KvEventAction::GotoNext;
    };

    KvEventsSnapshot() = default;
    explicit KvEventsSnapshot(const KvStage* stage);

    void restore(KvStage* stage) const;
    bool isEmpty() const { return m_screens.isEmpty(); }
    int count() const { return m_screens.count(); }
    const QMap<int, ScreenEvents>& screens() const { return m_screens; }

private:
    QMap<int, ScreenEvents> m_screens;
};

} // namespace Kova
