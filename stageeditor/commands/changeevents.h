#pragma once

#include "kveventssnapshot.h"

#include <QUndoCommand>

namespace Kova {
class KvStage;
class KvStageEditor;

namespace Commands {

// The events changed by the event editor. Made after the change with the stage as it was
// before, so the first redo does nothing.
class ChangeEvents : public QUndoCommand
{
public:
    ChangeEvents(KvStageEditor* editor, const KvStage* before, QUndoCommand* parent = nullptr);
    ~ChangeEvents() override;
    void undo() override;
    void redo() override;

    void setSkip(bool skip) { m_skip = skip; }

private:
    KvStageEditor* m_editor;
    KvEventsSnapshot m_old;
    KvEventsSnapshot m_new;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
