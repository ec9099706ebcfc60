#pragma once

#include <QList>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Screens pasted into the current stage. The paste itself is done by the action, so the
// first redo does nothing; undo takes the pasted screens away and restores the selection
// that was there before.
class PasteScreen : public QUndoCommand
{
public:
    PasteScreen(KvStageEditor* editor, const QList<KvScreen*>& pasted,
                const QList<KvScreen*>& previousSelection, QUndoCommand* parent = nullptr);
    ~PasteScreen() override;
    void undo() override;
    void redo() override;

    void setSkip(bool skip) { m_skip = skip; }

private:
    KvStageEditor* m_editor;
    QList<KvScreen*> m_pasted;
    QList<KvScreen*> m_previousSelection;
    bool m_skip = true;
    bool m_removed = false;
};

} // namespace Commands
} // namespace Kova
