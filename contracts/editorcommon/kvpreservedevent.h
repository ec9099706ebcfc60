#pragma once

#include "kvevent.h"

#include <QList>
#include <QMetaType>

namespace Kova {

class KvScreen;

// The event changes of one screen, kept so they can be undone and redone.
class KvPreservedEvent
{
public:
    explicit KvPreservedEvent(int screenId = 0);

    int screenId() const { return m_screenId; }
    // Adds the event to the screen (by its direction) and records the addition.
    void addEvent(const KvEvent& event, KvScreen* screen);
    // Removes the first matching event from the screen and records the removal;
    // false when the screen has no such event.
    bool removeEvent(const KvEvent& event, KvScreen* screen);
    // Removes every event of the direction (KvEvent::Raise or Wait) from the screen,
    // recording each when `record` is true.
    void removeAllEvents(int direction, KvScreen* screen, bool record);
    bool isEmpty() const { return m_changes.isEmpty(); }
    // The recorded additions and removals, in the order they were made.
    QList<KvEvent> addedEvents() const;
    QList<KvEvent> removedEvents() const;

    // Takes the recorded additions back out and puts the removals back.
    void undo(KvScreen* screen) const;
    // Applies the recorded changes again.
    void redo(KvScreen* screen) const;

private:
    // One recorded change: an event added to or removed from the list of its direction,
    // at the given position of that list.
    struct Change
    {
        bool added = true;
        int index = -1;
        KvEvent event;
    };

    int m_screenId;
    QList<Change> m_changes;
};

} // namespace Kova

Q_DECLARE_METATYPE(Kova::KvPreservedEvent)
