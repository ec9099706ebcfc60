#include "changescreenevent.h"

#include "kvscreen.h"
#include "kvstage.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

ChangeScreenEvent::ChangeScreenEvent(KvStageEditor* editor, const QList<KvPreservedEvent>& events,
                                     QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_events(events)
{
}

ChangeScreenEvent::~ChangeScreenEvent() = default;

void ChangeScreenEvent::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    if (KvStage* stage = m_editor->currentStage()) {
        for (const KvPreservedEvent& record : qAsConst(m_events)) {
            if (KvScreen* screen = stage->getScreenObject(record.screenId()))
                record.redo(screen);
        }
    }
    m_editor->updateCurrentSequenceLabelBackground(true);
}

void ChangeScreenEvent::undo()
{
    if (!m_editor)
        return;
    if (KvStage* stage = m_editor->currentStage()) {
        // Later records may depend on earlier ones: take them back in reverse order.
        for (int i = m_events.count() - 1; i >= 0; --i) {
            if (KvScreen* screen = stage->getScreenObject(m_events.at(i).screenId()))
                m_events.at(i).undo(screen);
        }
    }
    m_editor->updateCurrentSequenceLabelBackground(true);
}

} // namespace Commands
} // namespace Kova
