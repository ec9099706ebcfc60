#include "kveventssnapshot.h"

#include "kvscreen.h"
#include "kvstage.h"

namespace Kova {

KvEventsSnapshot::KvEventsSnapshot(const KvStage* stage)
{
    if (!stage)
        return;
    for (const KvScreen* screen : stage->screenList()) {
        if (!screen)
            continue;
        ScreenEvents events;
        events.raiseEvents = screen->raiseEventList();
        events.waitEvents = screen->waitEventList();
        events.ignoreRaiseEvents = screen->ignoreRaiseEventList();
        events.ignoreWaitEvents = screen->ignoreWaitEventList();
        events.mediaFinishedAction = screen->mediaFinishedAction();
        m_screens.insert(screen->id(), events);
    }
}

static QList<KvEvent> adopted(QList<KvEvent> events, KvScreen* screen)
{
    for (KvEvent& event : events)
        event.setParent(screen);
    return events;
}

void KvEventsSnapshot::restore(KvStage* stage) const
{
    if (!stage)
        return;
    for (auto it = m_screens.cbegin(); it != m_screens.cend(); ++it) {
        KvScreen* screen = stage->getScreenObject(it.key());
        if (!screen)
            continue;
        screen->raiseEventList() = adopted(it->raiseEvents, screen);
        screen->waitEventList() = adopted(it->waitEvents, screen);
        screen->ignoreRaiseEventList() = adopted(it->ignoreRaiseEvents, screen);
        screen->ignoreWaitEventList() = adopted(it->ignoreWaitEvents, screen);
        screen->setMediaFinishedAction(it->mediaFinishedAction);
    }
}

} // namespace Kova
