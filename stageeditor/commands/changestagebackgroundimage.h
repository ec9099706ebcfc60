#pragma once

#include <QString>
#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// The background image of the current stage. The action has set the new value already, so the
// first redo does nothing.
class ChangeStageBackgroundImage : public QUndoCommand
{
public:
    ChangeStageBackgroundImage(KvStageEditor* editor, const QString& oldValue,
                               const QString& newValue, QUndoCommand* parent = nullptr);
    ~ChangeStageBackgroundImage() override;
    void undo() override;
    void redo() override;

    void setSkip(bool skip) { m_skip = skip; }

private:
    KvStageEditor* m_editor;
    QString m_old;
    QString m_new;
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
