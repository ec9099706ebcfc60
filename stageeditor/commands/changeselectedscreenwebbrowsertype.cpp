#include "changeselectedscreenwebbrowsertype.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenWebBrowserType::ChangeSelectedScreenWebBrowserType(
    KvStageEditor* editor, const PlayerType::PlayerTypes& value, QUndoCommand* parent)
    : SelectedScreenValueChange(editor, value, parent)
{
}

ChangeSelectedScreenWebBrowserType::Values
ChangeSelectedScreenWebBrowserType::apply(const QList<KvScreen*>& screens,
                                          const PlayerType::PlayerTypes& value)
{
    return m_editor->changeScreenWebBrowserType(screens, value);
}

void ChangeSelectedScreenWebBrowserType::restore(const Values& values)
{
    m_editor->updateScreenWebBrowserType(values);
}

void ChangeSelectedScreenWebBrowserType::refresh(const Values& values)
{
    m_editor->updateScreenPropertyWebBrowserType(values);
}

} // namespace Commands
} // namespace Kova
