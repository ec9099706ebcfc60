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
// Made with the old and new top-lefts (screens an arrangement has moved already), it starts
// skipped: its first redo only refreshes the items.
class SelectedScreenMoved : public QUndoCommand
{
public:
    explicit SelectedScreenMoved(KvStageEditor* editor, QUndoCommand* parent = nullptr);
    SelectedScreenMoved(KvStageEditor* editor, const QMap<KvScreen*, QPointF>& oldPositions,
                        const QMap<KvScreen*, QPointF>& newPositions,
                        QUndoCommand* parent = nullptr);
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
    bool m_skip = false;
};

} // namespace Commands
} // namespace Kova
