#pragma once

#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// The option flags of the current stage. The action has set the new value already, so the
// first redo does nothing.
class ChangeStageOptions : public QUndoCommand
{
public:
    ChangeStageOptions(KvStageEditor* editor, unsigned int oldValue, unsigned int newValue,
                       QUndoCommand* parent = nullptr);
    ~ChangeStageOptions() override;
    void undo() override;
    void redo() override;

    void setSkip(bool skip) { m_skip = skip; }

private:
    KvStageEditor* m_editor;
    unsigned int m_old;
    unsigned int m_new;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
