#pragma once

#include <QColor>
#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// The background colour of the current stage. The action has set the new value already, so the
// first redo does nothing.
class ChangeStageBackgroundColor : public QUndoCommand
{
public:
    ChangeStageBackgroundColor(KvStageEditor* editor, const QColor& oldValue,
                               const QColor& newValue, QUndoCommand* parent = nullptr);
    ~ChangeStageBackgroundColor() override;
    void undo() override;
    void redo() override;

    void setSkip(bool skip) { m_skip = skip; }

private:
    KvStageEditor* m_editor;
    QColor m_old;
    QColor m_new;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
