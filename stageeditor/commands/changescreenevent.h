#pragma once

#include "kvpreservedevent.h"

#include <QList>
#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// Event changes made from the sequence's event menus, already applied when the command
// is made (the first redo does nothing).
class ChangeScreenEvent : public QUndoCommand
{
public:
    ChangeScreenEvent(KvStageEditor* editor, const QList<KvPreservedEvent>& events,
                      QUndoCommand* parent = nullptr);
    ~ChangeScreenEvent() override;
    void undo() override;
    void redo() override;

    void setSkip(bool skip) { m_skip = skip; }

private:
    KvStageEditor* m_editor;
    QList<KvPreservedEvent> m_events;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
