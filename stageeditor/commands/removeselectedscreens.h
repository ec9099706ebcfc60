#pragma once

#include <QList>
#include <QMap>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Removes the selected screens of the current stage. The removed screens are kept
// (and given back by undo) together with the media selection their rows had.
class RemoveSelectedScreens : public QUndoCommand
{
public:
    explicit RemoveSelectedScreens(KvStageEditor* editor, QUndoCommand* parent = nullptr);
    ~RemoveSelectedScreens() override;
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
