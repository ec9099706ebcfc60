#include "kvpreservedevent.h"

#include "kvscreen.h"

namespace Kova {

namespace {

QList<KvEvent>& eventList(KvScreen* screen, int direction)
{
    return direction == KvEvent::Wait ? screen->waitEventList() : screen->raiseEventList();
}

int indexOfMatch(const QList<KvEvent>& list, const KvEvent& event)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).isMatch(event))
            return i;
    }
    return -1;
}

// Puts the event into the list at `index` (at the end when the index is out of range).
void insertEvent(KvScreen* screen, const KvEvent& event, int index)
{
    QList<KvEvent>& list = eventList(screen, event.direction());
    KvEvent copy(event);
    copy.setParent(screen);
    if (index < 0 || index > list.size())
        list.append(copy);
    else
        list.insert(index, copy);
}

// Removes the matching event nearest to `index`; false when there is none.
bool takeEvent(KvScreen* screen, const KvEvent& event, int index)
{
    QList<KvEvent>& list = eventList(screen, event.direction());
    if (index >= 0 && index < list.size() && list.at(index).isMatch(event)) {
        list.removeAt(index);
        return true;
    }
    const int found = indexOfMatch(list, event);
    if (found < 0)
        return false;
    list.removeAt(found);
    return true;
}

} // namespace

KvPreservedEvent::KvPreservedEvent(int screenId)
    : m_screenId(screenId)
{
}

void KvPreservedEvent::addEvent(const KvEvent& event, KvScreen* screen)
{
    if (!screen)
        return;
    const int index = eventList(screen, event.direction()).size();
    insertEvent(screen, event, index);
    m_changes.append({true, index, event});
}

bool KvPreservedEvent::removeEvent(const KvEvent& event, KvScreen* screen)
{
    if (!screen)
        return false;
    QList<KvEvent>& list = eventList(screen, event.direction());
    const int index = indexOfMatch(list, event);
    if (index < 0)
        return false;
    const KvEvent removed = list.takeAt(index);
    m_changes.append({false, index, removed});
    return true;
}

void KvPreservedEvent::removeAllEvents(int direction, KvScreen* screen, bool record)
{
    if (!screen || (direction != KvEvent::Raise && direction != KvEvent::Wait))
        return;
    QList<KvEvent>& list = eventList(screen, direction);
    // Taken from the front so that undoing in reverse order restores the original order.
    while (!list.isEmpty()) {
        const KvEvent removed = list.takeFirst();
        if (record)
            m_changes.append({false, 0, removed});
    }
}

QList<KvEvent> KvPreservedEvent::addedEvents() const
{
    QList<KvEvent> events;
    for (const Change& change : m_changes) {
        if (change.added)
            events.append(change.event);
    }
    return events;
}

QList<KvEvent> KvPreservedEvent::removedEvents() const
{
    QList<KvEvent> events;
    for (const Change& change : m_changes) {
        if (!change.added)
            events.append(change.event);
    }
    return events;
}

void KvPreservedEvent::undo(KvScreen* screen) const
{
    if (!screen)
        return;
    for (int i = m_changes.size() - 1; i >= 0; --i) {
        const Change& change = m_changes.at(i);
        if (change.added)
            takeEvent(screen, change.event, change.index);
        else
            insertEvent(screen, change.event, change.index);
    }
}

void KvPreservedEvent::redo(KvScreen* screen) const
{
    if (!screen)
        return;
    for (const Change& change : m_changes) {
        if (change.added)
            insertEvent(screen, change.event, change.index);
        else
            takeEvent(screen, change.event, change.index);
    }
}

} // namespace Kova
