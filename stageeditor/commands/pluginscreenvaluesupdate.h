#pragma once

#include <QList>
#include <QUndoCommand>
#include <QVariant>

namespace Kova {
class KvStageEditor;

namespace Commands {

// A screen's plug-in changed the screen's state through one of its own actions. The
// plug-in holds the new state already, so the first redo only records the states before
// and after and brings the screen and the views up to date; undo and later redos hand the
// plug-in the state before or after.
class PluginScreenValuesUpdate : public QUndoCommand
{
public:
    PluginScreenValuesUpdate(KvStageEditor* editor, int screenId, const QList<int>& seqIndexList,
                             QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;

    QVariant stateBefore() const { return m_before; }
    QVariant stateAfter() const { return m_after; }

private:
    // Gives the screen's plug-in `state` and refreshes the screen from it.
    void restore(const QVariant& state);

    KvStageEditor* m_editor;
    int m_screenId;
    QVariant m_before;
    QVariant m_after;
    QList<int> m_seqIndexList;
    bool m_firstRedo = true;
};

} // namespace Commands
} // namespace Kova
