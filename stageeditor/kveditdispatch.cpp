#include "kveditdispatch.h"

#include "cutmedia.h"
#include "cutscreen.h"
#include "kvscreen.h"
#include "kvsequencecontainer.h"
#include "kvstageeditor.h"
#include "kvstagewidget.h"
#include "pastemedia.h"
#include "pastescreen.h"

namespace Kova {

namespace {

void pushPasteScreen(KvStageEditor& editor, const QList<KvScreen*>& pasted,
                     const QList<KvScreen*>& previousSelection)
{
    auto* command = new Commands::PasteScreen(&editor, pasted, previousSelection);
    command->setSkip(true);
    editor.pushUndoCommand(command);
}

} // namespace

void KvEditDispatch::copy(KvStageEditor& editor)
{
    if (editor.activeSide() == KvStageEditor::StageSide) {
        if (editor.stageWidget())
            editor.stageWidget()->copyScreen();
    } else if (editor.activeSide() == KvStageEditor::SequenceSide) {
        if (editor.sequenceContainer())
            editor.sequenceContainer()->copyMedia(nullptr);
    }
}

void KvEditDispatch::cut(KvStageEditor& editor)
{
    if (editor.activeSide() == KvStageEditor::StageSide) {
        if (!editor.stageWidget())
            return;
        // The copy stays on the clipboard even when a locked screen keeps the cut from
        // happening.
        const QList<KvScreen*> copied = editor.stageWidget()->copyScreen();
        if (!copied.isEmpty() && !editor.hasLockedScreenItemInSelection())
            editor.pushUndoCommand(new Commands::CutScreen(&editor));
    } else if (editor.activeSide() == KvStageEditor::SequenceSide) {
        if (!editor.sequenceContainer())
            return;
        QList<KvPreservedMedia*> cutList;
        editor.sequenceContainer()->copyMedia(&cutList);
        if (!cutList.isEmpty())
            editor.pushUndoCommand(new Commands::CutMedia(&editor, cutList));
    }
}

void KvEditDispatch::paste(KvStageEditor& editor)
{
    if (editor.activeSide() == KvStageEditor::StageSide) {
        if (!editor.stageWidget())
            return;
        const QList<KvScreen*> previousSelection = editor.selectedScreens();
        QList<KvScreen*> pasted = editor.stageWidget()->pasteScreen();
        if (editor.sequenceContainer())
            editor.sequenceContainer()->addScreenToSequence(pasted, true, true);
        if (!pasted.isEmpty())
            pushPasteScreen(editor, pasted, previousSelection);
    } else if (editor.activeSide() == KvStageEditor::SequenceSide) {
        if (!editor.sequenceContainer())
            return;
        // The paste has added the media already: the command's first redo does nothing.
        const QList<KvPreservedMedia*> pasted = editor.sequenceContainer()->pasteMedia();
        if (!pasted.isEmpty())
            editor.pushUndoCommand(new Commands::PasteMedia(&editor, pasted));
    }
}

} // namespace Kova
