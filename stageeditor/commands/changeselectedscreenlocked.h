#pragma once

#include <QList>
#include <QMap>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Sets the lock flag of the selected screens. The first redo takes the selected screens;
// later redos act on the same screens, whatever is selected by then.
class ChangeSelectedScreenLocked : public QUndoCommand
{
public:
    ChangeSelectedScreenLocked(KvStageEditor* editor, bool locked, QUndoCommand* parent = nullptr);
    ~ChangeSelectedScreenLocked() override;
    void undo() override;
    void redo() override;

private:
    KvStageEditor* m_editor;
    QMap<KvScreen*, bool> m_old;
    bool m_value;
};

} // namespace Commands
} // namespace Kova
