#pragma once

#include <QPointF>
#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// The position of the current stage. The action has set the new value already, so the
// first redo does nothing.
class ChangeStagePos : public QUndoCommand
{
public:
    ChangeStagePos(KvStageEditor* editor, const QPointF& oldValue, const QPointF& newValue,
                   QUndoCommand* parent = nullptr);
    ~ChangeStagePos() override;
    void undo() override;
    void redo() override;

    void setSkip(bool skip) { m_skip = skip; }

private:
    KvStageEditor* m_editor;
    QPointF m_old;
    QPointF m_new;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
