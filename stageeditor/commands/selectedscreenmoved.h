#pragma once

#include <QMap>
#include <QPointF>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Commits the positions of the dragged screen items. The first redo reads them from the
// canvas; later redos and undos set the remembered top-lefts.
class SelectedScreenMoved : public QUndoCommand
{
public:
    explicit SelectedScreenMoved(KvStageEditor* editor, QUndoCommand* parent = nullptr);
    ~SelectedScreenMoved() override;
    void undo() override;
    void redo() override;

    const QMap<KvScreen*, QPointF>& oldPositions() const { return m_oldPos; }
    const QMap<KvScreen*, QPointF>& newPositions() const { return m_newPos; }

private:
    void apply(const QMap<KvScreen*, QPointF>& positions);

    KvStageEditor* m_editor;
    QMap<KvScreen*, QPointF> m_oldPos;
    QMap<KvScreen*, QPointF> m_newPos;
    bool m_done = false;
};

} // namespace Commands
} // namespace Kova
