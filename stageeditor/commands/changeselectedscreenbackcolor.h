#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Sets the background colour of the selected screens. The first redo takes the selected screens;
// later redos act on the same screens, whatever is selected by then.
class ChangeSelectedScreenBackColor : public QUndoCommand
{
public:
    ChangeSelectedScreenBackColor(KvStageEditor* editor, const QColor& color,
                                  QUndoCommand* parent = nullptr);
    ~ChangeSelectedScreenBackColor() override;
    void undo() override;
    void redo() override;

private:
    KvStageEditor* m_editor;
    QMap<KvScreen*, QColor> m_old;
    QColor m_value;
};

} // namespace Commands
} // namespace Kova
