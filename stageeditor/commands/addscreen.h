#pragma once

#include <QString>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Adds a new screen of the given type (1 multimedia, 2 telop, 3 extended) to the
// current stage. The first redo creates the screen; later redos put the same screen back.
class AddScreen : public QUndoCommand
{
public:
    AddScreen(KvStageEditor* editor, int screenType, const QString& pluginId,
              QUndoCommand* parent = nullptr);
    ~AddScreen() override;
    void undo() override;
    void redo() override;

    bool isFailed() const { return m_failed; }
    KvScreen* screen() const { return m_screen; }
    void setSkip(bool skip) { m_skip = skip; }

private:
    KvStageEditor* m_editor;
    int m_screenType;
    QString m_pluginId;
    KvScreen* m_screen = nullptr;
    bool m_failed = false;
    bool m_skip = false;
    bool m_created = false;
    // True while the screen is off the stage (after an undo); the command owns it then.
    bool m_ownsScreen = false;
};

} // namespace Commands
} // namespace Kova
