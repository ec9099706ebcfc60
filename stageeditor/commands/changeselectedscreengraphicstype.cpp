#include "changeselectedscreengraphicstype.h"

#include "kvscreen.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeSelectedScreenGraphicsType::ChangeSelectedScreenGraphicsType(KvStageEditor* editor,
                                                                   GraphicsType::GraphicsTypes type,
                                                                   QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_value(type)
{
}

ChangeSelectedScreenGraphicsType::~ChangeSelectedScreenGraphicsType() = default;

QMap<KvScreen*, GraphicsType::GraphicsTypes>
ChangeSelectedScreenGraphicsType::valuesOf(const QList<KvScreen*>& screens) const
{
    QMap<KvScreen*, GraphicsType::GraphicsTypes> values;
    for (KvScreen* screen : screens)
        values.insert(screen, m_value);
    return values;
}

void ChangeSelectedScreenGraphicsType::redo()
{
    if (!m_editor)
        return;
    const QList<KvScreen*> screens = m_old.isEmpty() ? m_editor->selectedScreens() : m_old.keys();
    m_old = m_editor->changeScreenGraphicsType(screens, m_value);
    m_editor->selectScreenItem(screens, true, true);
    m_editor->updateScreenPropertyGraphicsType(valuesOf(screens));
}

void ChangeSelectedScreenGraphicsType::undo()
{
    if (!m_editor)
        return;
    m_editor->updateScreenGraphicsType(m_old);
    m_editor->selectScreenItem(m_old.keys(), true, true);
    m_editor->updateScreenPropertyGraphicsType(m_old);
}

} // namespace Commands
} // namespace Kova
