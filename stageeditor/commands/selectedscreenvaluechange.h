#pragma once

#include "kvstageeditor.h"

#include <QList>
#include <QMap>
#include <QUndoCommand>

namespace Kova {
class KvScreen;

namespace Commands {

// Sets one value (colour, lock, player type, ...) on the selected screens. The first redo
// takes the selected screens and keeps each one's old value; later redos and undos act on
// those same screens, whatever is selected by then. Subclasses say how the value is set,
// put back and shown.
template <typename T> class SelectedScreenValueChange : public QUndoCommand
{
public:
    using Values = QMap<KvScreen*, T>;

    void redo() override
    {
        if (!m_editor)
            return;
        const QList<KvScreen*> screens =
            m_old.isEmpty() ? m_editor->selectedScreens() : m_old.keys();
        m_old = apply(screens, m_value);
        if (reselects())
            m_editor->selectScreenItem(screens, true, true);
        Values now;
        for (KvScreen* screen : screens)
            now.insert(screen, m_value);
        refresh(now);
    }

    void undo() override
    {
        if (!m_editor)
            return;
        restore(m_old);
        if (reselects())
            m_editor->selectScreenItem(m_old.keys(), true, true);
        refresh(m_old);
    }

protected:
    SelectedScreenValueChange(KvStageEditor* editor, const T& value, QUndoCommand* parent)
        : QUndoCommand(parent)
        , m_editor(editor)
        , m_value(value)
    {
    }

    // Sets the value on the screens and returns their previous values.
    virtual Values apply(const QList<KvScreen*>& screens, const T& value) = 0;
    // Gives each screen its value from the map.
    virtual void restore(const Values& values) = 0;
    // Shows the screens' values in the property panel.
    virtual void refresh(const Values&) { m_editor->updateScreenPropertyValues(); }
    virtual bool reselects() const { return true; }

    KvStageEditor* m_editor;

private:
    Values m_old;
    T m_value;
};

} // namespace Commands
} // namespace Kova
