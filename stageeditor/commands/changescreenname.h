#pragma once

#include <QString>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Renames one screen.
class ChangeScreenName : public QUndoCommand
{
public:
    ChangeScreenName(KvStageEditor* editor, KvScreen* screen, const QString& name,
                     QUndoCommand* parent = nullptr);
    ~ChangeScreenName() override;
    void undo() override;
    void redo() override;

private:
    KvStageEditor* m_editor;
    KvScreen* m_screen;
    QString m_oldName;
    QString m_newName;
};

} // namespace Commands
} // namespace Kova
