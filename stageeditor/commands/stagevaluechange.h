#pragma once

#include "kvstageeditor.h"

#include <QUndoCommand>

namespace Kova {
namespace Commands {

// Sets one value (position, size, colour, ...) of the current stage. The action has set the
// new value already, so the command starts skipped: its first redo does nothing. Later redos
// set the new value, undos the old one, and both refresh the stage property panel.
// Subclasses say how the value is set.
template <typename T> class StageValueChange : public QUndoCommand
{
public:
    void redo() override
    {
        if (m_skip) {
            m_skip = false;
            return;
        }
        if (!m_editor)
            return;
        apply(m_new);
        m_editor->updateStageProtertyValues();
    }

    void undo() override
    {
        if (!m_editor)
            return;
        apply(m_old);
        m_editor->updateStageProtertyValues();
    }

    void setSkip(bool skip) { m_skip = skip; }

protected:
    StageValueChange(KvStageEditor* editor, const T& oldValue, const T& newValue,
                     QUndoCommand* parent)
        : QUndoCommand(parent)
        , m_editor(editor)
        , m_old(oldValue)
        , m_new(newValue)
    {
    }

    // Sets the value on the current stage.
    virtual void apply(const T& value) = 0;

    KvStageEditor* m_editor;

private:
    T m_old;
    T m_new;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
