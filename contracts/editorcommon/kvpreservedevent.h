#pragma once

#include "kvevent.h"

#include <QList>

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
    bool isEmpty() const { return m_added.isEmpty() && m_removed.isEmpty(); }

    // Takes the recorded additions back out and puts the removals back.
    void undo(KvScreen* screen) const;
    // Applies the recorded changes again.
    void redo(KvScreen* screen) const;

private:
    int m_screenId;
    QList<KvEvent> m_added;
    QList<KvEvent> m_removed;
};

} // namespace Kova
