#pragma once

#include <QMap>
#include <QRectF>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Commits the rectangles of the resized screen items. The first redo reads them from the
// canvas; later redos and undos set the remembered rectangles.
class SelectedScreenResized : public QUndoCommand
{
public:
    explicit SelectedScreenResized(KvStageEditor* editor, QUndoCommand* parent = nullptr);
    ~SelectedScreenResized() override;
    void undo() override;
    void redo() override;

    const QMap<KvScreen*, QRectF>& oldRects() const { return m_oldRects; }
    const QMap<KvScreen*, QRectF>& newRects() const { return m_newRects; }

private:
    void apply(const QMap<KvScreen*, QRectF>& rects);

    KvStageEditor* m_editor;
    QMap<KvScreen*, QRectF> m_oldRects;
    QMap<KvScreen*, QRectF> m_newRects;
    bool m_done = false;
};

} // namespace Commands
} // namespace Kova
