#pragma once

#include <QMap>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// A change of the stacking order. The action has set the new z-indexes already, so the
// first redo only refreshes the items.
class MoveZIndexOfScreen : public QUndoCommand
{
public:
    MoveZIndexOfScreen(KvStageEditor* editor, const QMap<KvScreen*, int>& oldZIndexes,
                       const QMap<KvScreen*, int>& newZIndexes,
                       const QMap<KvScreen*, bool>& selection, QUndoCommand* parent = nullptr);
    ~MoveZIndexOfScreen() override;
    void undo() override;
    void redo() override;

    void setSkip(bool skip) { m_skip = skip; }

private:
    void apply(const QMap<KvScreen*, int>& zIndexes);

    KvStageEditor* m_editor;
    QMap<KvScreen*, int> m_old;
    QMap<KvScreen*, int> m_new;
    QMap<KvScreen*, bool> m_selection;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
