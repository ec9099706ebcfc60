#include "addscreen.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

AddScreen::AddScreen(KvStageEditor* editor, int screenType, const QString& pluginId,
                     QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_screenType(screenType)
    , m_pluginId(pluginId)
{
}

AddScreen::~AddScreen()
{
    if (m_ownsScreen)
        delete m_screen;
}

void AddScreen::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    if (!m_created) {
        m_created = true;
        switch (m_screenType) {
        case 1:
            m_screen = m_editor->addMultimediaScreen();
            break;
        case 2:
            m_screen = m_editor->addTelopScreen();
            break;
        case 3:
            m_screen = m_editor->addExtendedScreen(m_pluginId);
            break;
        default:
            m_screen = nullptr;
            break;
        }
        m_failed = (m_screen == nullptr);
        return;
    }
    if (!m_screen)
        return;
    m_editor->clearScreenSelection();
    m_editor->addScreen(m_screen);
    m_editor->updateSelectedHandle();
    m_ownsScreen = false;
}

void AddScreen::undo()
{
    if (!m_editor || !m_screen)
        return;
    m_editor->removeScreen(m_screen);
    m_ownsScreen = true;
}

} // namespace Commands
} // namespace Kova
