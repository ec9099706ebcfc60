#include "kvcommandavailability.h"

#include <QCoreApplication>

namespace Kova {

namespace {

using Change = KvCommandAvailability::Change;

void set(QList<Change>& changes, const QStringList& names, bool enabled)
{
    for (const QString& name : names)
        changes.append({name, enabled, QString()});
}

QList<Change> fileCheck(const KvCommandAvailability::State& s)
{
    QList<Change> changes;
    if (!s.hasStageWidget)
        return changes;
    set(changes, {"Action_Close_Stage", "Action_Close_All_Stage"}, s.openStages > 0);
    set(changes, {"Action_Save_Stage"}, s.currentStageChanged);
    return changes;
}

QList<Change> editCheck(const KvCommandAvailability::State& s)
{
    QList<Change> changes;
    set(changes, {"Action_Undo"}, s.canUndo);
    set(changes, {"Action_Redo"}, s.canRedo);
    bool canDelete = false;
    bool canCut = false;
    bool canCopy = false;
    bool canPaste = false;
    if (s.activeSide == KvCommandAvailability::StageSide) {
        canDelete = s.hasSelectedItem && !s.lockedInSelection;
        canCut = s.canDeleteScreen && s.canCopyScreen;
        canCopy = s.canCopyScreen;
        canPaste = s.canPasteScreen;
    } else if (s.activeSide == KvCommandAvailability::SequenceSide) {
        canDelete = s.hasSelectedMedia;
        canCut = s.hasSelectedMedia && s.canCopyMedia;
        canCopy = s.canCopyMedia;
        canPaste = s.canPasteMedia;
    }
    set(changes, {"Action_Delete"}, canDelete);
    set(changes, {"Action_Cut"}, canCut);
    set(changes, {"Action_Copy"}, canCopy);
    set(changes, {"Action_Paste"}, canPaste);
    return changes;
}

QList<Change> stageArrangementCheck(const KvCommandAvailability::State& s)
{
    QList<Change> changes;
    set(changes, {"Action_Bring_to_Front", "Action_Bring_Forward"}, s.canMoveForward);
    set(changes, {"Action_Send_to_Back", "Action_Send_Backward"}, s.canMoveBackward);
    set(changes, {"Action_Set_Raise_Event", "Action_Set_Listen_Event"}, true);
    // The align entries follow their submenu as a whole.
    set(changes, {"Menu_Align"}, s.selectedScreens >= 2);
    set(changes,
        {"Action_Distribute_Top_Edges", "Action_Distribute_Vertical_Centers",
         "Action_Distribute_Bottom_Edges", "Action_Distribute_Left_Edges",
         "Action_Distribute_Horizontal_Centers", "Action_Distribute_Right_Edges"},
        s.selectedScreens >= 3);
    return changes;
}

QList<Change> screenCheck(const KvCommandAvailability::State& s)
{
    const char* lockText = s.allSelectedLocked ? QT_TRANSLATE_NOOP("Kova::KvStageEditor", "Unlock")
                                               : QT_TRANSLATE_NOOP("Kova::KvStageEditor", "Lock");
    QList<Change> changes{{QStringLiteral("Action_Lock_Screen"), s.selectedScreens > 0,
                           QCoreApplication::translate("Kova::KvStageEditor", lockText)}};
    if (s.hasStageWidget) {
        set(changes,
            {"Action_Add_Multimedia_Screen", "Action_Add_Telop_Screen",
             "Action_Add_Extended_Screen", "Action_Edit_Event", "Action_Preview_Stage"},
            s.openStages > 0);
    }
    return changes;
}

QList<Change> sequenceCheck(const KvCommandAvailability::State& s)
{
    QList<Change> changes;
    set(changes, {"Action_Move_First", "Action_Move_Previous"}, s.canMovePrevious);
    set(changes, {"Action_Move_Next", "Action_Move_Last"}, s.canMoveNext);
    set(changes, {"Action_Content_Property"}, s.canShowMediaProperty);
    set(changes, {"Action_Copy_Content_Property_To"}, s.canCopyMediaProperty);
    // With no stage open the view entries have nothing to act on; with one they keep the
    // state the open stage's timeline gave them.
    if (s.hasStageWidget && s.openStages == 0) {
        set(changes,
            {"Action_Show_Duration", "Action_Normal_View", "Action_Time_View",
             "Action_Set_Raise_Event", "Action_Set_Listen_Event"},
            false);
    }
    return changes;
}

} // namespace

QList<KvCommandAvailability::Change> KvCommandAvailability::evaluate(Check check,
                                                                     const State& state)
{
    switch (check) {
    case Check::File:
        return fileCheck(state);
    case Check::Edit:
        return editCheck(state);
    case Check::StageArrangement:
        return stageArrangementCheck(state);
    case Check::Screen:
        return screenCheck(state);
    case Check::Sequence:
        return sequenceCheck(state);
    }
    return {};
}

QList<KvCommandAvailability::Change> KvCommandAvailability::stageTabChanges(bool stageOpen)
{
    QList<Change> changes;
    set(changes,
        {"Action_Add_Multimedia_Screen", "Action_Add_Telop_Screen", "Action_Add_Extended_Screen",
         "Action_Edit_Event", "Action_Show_Duration", "Action_Normal_View", "Action_Time_View"},
        stageOpen);
    return changes;
}

} // namespace Kova
