#pragma once

#include <QList>
#include <QMap>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Cuts the selected screens (they were copied to the screen clipboard just before). The
// removed screens are kept, with their rows' media selection, and given back by undo.
class CutScreen : public QUndoCommand
{
public:
    explicit CutScreen(KvStageEditor* editor, QUndoCommand* parent = nullptr);
    ~CutScreen() override;
    void undo() override;
    void redo() override;

    const QList<KvScreen*>& screens() const { return m_screens; }

private:
    KvStageEditor* m_editor;
    QList<KvScreen*> m_screens;
    QMap<KvScreen*, QList<int>> m_mediaSelection;
    bool m_done = false;
    bool m_removed = false;
};

} // namespace Commands
} // namespace Kova
