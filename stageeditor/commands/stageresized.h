#pragma once

#include <QSizeF>
#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// The size of the current stage. The action has set the new value already, so the
// first redo does nothing.
class StageResized : public QUndoCommand
{
public:
    StageResized(KvStageEditor* editor, const QSizeF& oldValue, const QSizeF& newValue,
                 QUndoCommand* parent = nullptr);
    ~StageResized() override;
    void undo() override;
    void redo() override;

    void setSkip(bool skip) { m_skip = skip; }

private:
    KvStageEditor* m_editor;
    QSizeF m_old;
    QSizeF m_new;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
