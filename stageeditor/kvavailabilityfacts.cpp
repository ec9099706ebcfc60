#include "kvavailabilityfacts.h"

#include "kveditorcommon.h"
#include "kvpluginguiinterface.h"
#include "kvscreen.h"
#include "kvseqscreen.h"
#include "kvsequencecontainer.h"
#include "kvstage.h"
#include "kvstageeditor.h"
#include "kvstagewidget.h"

#include <QUndoGroup>

#include <algorithm>

namespace Kova {

KvCommandAvailability::State KvAvailabilityFacts::gather(const KvStageEditor& editor,
                                                         KvCommandAvailability::Check check)
{
    using Check = KvCommandAvailability::Check;
    KvCommandAvailability::State s;
    KvStageWidget* sw = editor.stageWidget();
    s.hasStageWidget = sw;
    s.activeSide = editor.activeSide();
    if (check == Check::File || check == Check::Screen || check == Check::Sequence)
        s.openStages = sw ? sw->openedStageCount() : 0;
    if (check == Check::File)
        s.currentStageChanged = sw && sw->isCurrentStageChangedFromInitial();
    if (check == Check::Edit) {
        s.canUndo = editor.undoGroup() && editor.undoGroup()->canUndo();
        s.canRedo = editor.undoGroup() && editor.undoGroup()->canRedo();
        if (sw) {
            s.hasSelectedItem = sw->hasSelectedItem();
            s.lockedInSelection = sw->hasLockedScreenItemInSelection();
            s.canDeleteScreen = sw->canDeleteScreen();
            s.canCopyScreen = sw->canCopyScreen();
            s.canPasteScreen = sw->canPasteScreen();
        }
        if (KvSequenceContainer* sequence = editor.sequenceContainer()) {
            s.hasSelectedMedia = sequence->hasSelectedMedia();
            s.canCopyMedia = sequence->canCopyMedia();
            s.canPasteMedia = sequence->canPasteMedia();
        }
    }
    if (check == Check::StageArrangement || check == Check::Screen)
        s.selectedScreens = editor.selectedScreens().count();
    if (check == Check::StageArrangement) {
        s.canMoveForward = editor.canMoveScreenZIndexForward();
        s.canMoveBackward = editor.canMoveScreenZIndexBackword();
    }
    if (check == Check::Screen)
        s.allSelectedLocked = editor.isAllSelectedScreenLocked();
    if (check == Check::Sequence) {
        s.canMovePrevious = editor.canMoveMediaIndexPrevious();
        s.canMoveNext = editor.canMoveMediaIndexNext();
        s.canShowMediaProperty = editor.canShowMediaProperty(&s.canCopyMediaProperty);
    }
    return s;
}

bool KvAvailabilityFacts::canMoveMediaIndexPrevious(const KvStageEditor& editor)
{
    if (!editor.sequenceContainer())
        return false;
    const QList<QPair<int, int>> selected = editor.sequenceContainer()->selectedMediaIndices();
    return !selected.isEmpty() && selected.first().second > 0;
}

bool KvAvailabilityFacts::canMoveMediaIndexNext(const KvStageEditor& editor)
{
    if (!editor.sequenceContainer())
        return false;
    const QList<QPair<int, int>> selected = editor.sequenceContainer()->selectedMediaIndices();
    if (selected.isEmpty())
        return false;
    const QPair<int, int> last = selected.last();
    const KvSeqScreen* row = editor.sequenceContainer()->rowAt(last.first);
    return row && last.second < row->count() - 1;
}

bool KvAvailabilityFacts::canShowMediaProperty(const KvStageEditor& editor, bool* canCopyProperty)
{
    if (canCopyProperty)
        *canCopyProperty = false;
    if (!editor.sequenceContainer())
        return false;
    const QList<QPair<int, int>> selected = editor.sequenceContainer()->selectedMediaIndices();
    if (selected.count() != 1)
        return false;
    KvStage* stage = editor.currentStage();
    const KvScreen* screen = stage ? stage->screenList().value(selected.first().first) : nullptr;
    if (!screen)
        return false;
    // A plug-in screen's contents are the plug-in's to describe and copy.
    KvEditorCommon::applyPluginState(screen);
    if (const KvPluginGuiInterface* gui = KvEditorCommon::getPluginGuiInterface(screen)) {
        if (canCopyProperty)
            *canCopyProperty = gui->canCopyContents();
        return gui->canShowContentProperty();
    }
    // An extended screen without a plug-in GUI has nothing to show or copy.
    const bool ordinary = screen->type() != ScreenType::Extended;
    if (canCopyProperty)
        *canCopyProperty = ordinary;
    return ordinary;
}

bool KvAvailabilityFacts::isAllSelectedScreenLocked(const KvStageEditor& editor)
{
    const QList<KvScreen*> screens = editor.selectedScreens();
    const int locked = static_cast<int>(std::count_if(
        screens.cbegin(), screens.cend(), [](const KvScreen* s) { return s && s->lockScreen(); }));
    return locked >= screens.count();
}

} // namespace Kova
