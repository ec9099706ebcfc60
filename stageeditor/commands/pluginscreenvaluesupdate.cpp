#include "pluginscreenvaluesupdate.h"

#include "kveditorcommon.h"
#include "kvpluginextscreeninterface.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

namespace {

KvScreen* screenOf(const KvStageEditor* editor, int screenId)
{
    KvStage* stage = editor ? editor->currentStage() : nullptr;
    return stage ? stage->getScreenObject(screenId) : nullptr;
}

} // namespace

PluginScreenValuesUpdate::PluginScreenValuesUpdate(KvStageEditor* editor, int screenId,
                                                   const QList<int>& seqIndexList,
                                                   QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_screenId(screenId)
    , m_seqIndexList(seqIndexList)
{
}

void PluginScreenValuesUpdate::redo()
{
    KvScreen* screen = screenOf(m_editor, m_screenId);
    if (!screen)
        return;
    if (m_firstRedo) {
        m_before = screen->toPluginScreen();
        m_editor->onPluginScreenValuesUpdated(m_screenId, m_seqIndexList);
        m_after = screen->toPluginScreen();
        m_firstRedo = false;
        return;
    }
    restore(m_after);
}

void PluginScreenValuesUpdate::undo()
{
    if (screenOf(m_editor, m_screenId))
        restore(m_before);
}

void PluginScreenValuesUpdate::restore(const QVariant& state)
{
    const KvScreen* screen = screenOf(m_editor, m_screenId);
    if (const auto plugin = KvEditorCommon::getPluginExtScreenInterface(screen))
        plugin->applyState(state);
    m_editor->onPluginScreenValuesUpdated(m_screenId, m_seqIndexList);
}

} // namespace Commands
} // namespace Kova
