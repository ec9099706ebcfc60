// Which editor actions are usable for a given state: the rules of each check.

#include "kvcommandavailability.h"

#include <QtTest>

using namespace Kova;
using Check = KvCommandAvailability::Check;
using State = KvCommandAvailability::State;

Q_DECLARE_METATYPE(Check)

namespace {

// A state from "fact,fact=value,!fact": a named fact alone is true, "!" makes it false. Every
// state starts with the stage widget there, nothing open, nothing selected.
State stateFrom(const QString& facts)
{
    static const QMap<QString, bool State::*> flags = {
        {"hasStageWidget", &State::hasStageWidget},
        {"currentStageChanged", &State::currentStageChanged},
        {"canUndo", &State::canUndo},
        {"canRedo", &State::canRedo},
        {"hasSelectedItem", &State::hasSelectedItem},
        {"lockedInSelection", &State::lockedInSelection},
        {"canDeleteScreen", &State::canDeleteScreen},
        {"canCopyScreen", &State::canCopyScreen},
        {"canPasteScreen", &State::canPasteScreen},
        {"allSelectedLocked", &State::allSelectedLocked},
        {"canMoveForward", &State::canMoveForward},
        {"canMoveBackward", &State::canMoveBackward},
        {"hasSelectedMedia", &State::hasSelectedMedia},
        {"canCopyMedia", &State::canCopyMedia},
        {"canPasteMedia", &State::canPasteMedia},
        {"canMovePrevious", &State::canMovePrevious},
        {"canMoveNext", &State::canMoveNext},
        {"canShowMediaProperty", &State::canShowMediaProperty},
        {"canCopyMediaProperty", &State::canCopyMediaProperty},
    };
    static const QMap<QString, int State::*> numbers = {
        {"openStages", &State::openStages},
        {"activeSide", &State::activeSide},
        {"selectedScreens", &State::selectedScreens},
    };
    State state;
    state.hasStageWidget = true;
    for (const QString& fact : facts.split(',', Qt::SkipEmptyParts)) {
        const QString name = fact.section('=', 0, 0).remove('!');
        if (numbers.contains(name))
            state.*numbers.value(name) = fact.section('=', 1).toInt();
        else if (flags.contains(name))
            state.*flags.value(name) = !fact.startsWith('!');
        else
            qFatal("unknown fact %s", qPrintable(name));
    }
    return state;
}

} // namespace

class TestCommandAvailability : public QObject
{
    Q_OBJECT

private slots:
    // Each rule comes as a pair of rows differing in one fact, so either half can fail.
    void rules_data()
    {
        QTest::addColumn<Check>("check");
        QTest::addColumn<QString>("facts");
        QTest::addColumn<QString>("name");
        // "on", "off", or "absent" when the check leaves the entry alone.
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("text");

        auto row = [](const char* tag, Check check, const char* facts, const char* name,
                      const char* expected, const char* text = "") {
            QTest::newRow(tag) << check << QString(facts) << QString(name) << QString(expected)
                               << QString(text);
        };
        const Check F = Check::File, E = Check::Edit, A = Check::StageArrangement,
                    S = Check::Screen, Q = Check::Sequence;

        row("close: a stage open", F, "openStages=1", "Action_Close_Stage", "on");
        row("close: none open", F, "", "Action_Close_Stage", "off");
        row("close all: a stage open", F, "openStages=2", "Action_Close_All_Stage", "on");
        row("close all: none open", F, "", "Action_Close_All_Stage", "off");
        row("save: changed", F, "openStages=1,currentStageChanged", "Action_Save_Stage", "on");
        row("save: as saved", F, "openStages=1", "Action_Save_Stage", "off");
        row("file: no stage widget", F, "!hasStageWidget,openStages=1", "Action_Close_Stage",
            "absent");

        row("undo: stack can", E, "canUndo", "Action_Undo", "on");
        row("undo: stack cannot", E, "canRedo", "Action_Undo", "off");
        row("redo: stack can", E, "canRedo", "Action_Redo", "on");
        row("redo: stack cannot", E, "canUndo", "Action_Redo", "off");
        row("stage delete: selected", E, "hasSelectedItem", "Action_Delete", "on");
        row("stage delete: a locked one", E, "hasSelectedItem,lockedInSelection", "Action_Delete",
            "off");
        row("stage cut: deletable and copyable", E, "canDeleteScreen,canCopyScreen", "Action_Cut",
            "on");
        row("stage cut: not deletable", E, "canCopyScreen", "Action_Cut", "off");
        row("stage cut: not copyable", E, "canDeleteScreen", "Action_Cut", "off");
        row("stage copy: screens", E, "canCopyScreen", "Action_Copy", "on");
        row("stage copy: media only", E, "canCopyMedia", "Action_Copy", "off");
        row("stage paste: screens", E, "canPasteScreen", "Action_Paste", "on");
        row("stage paste: media only", E, "canPasteMedia", "Action_Paste", "off");
        row("sequence delete: media", E, "activeSide=1,hasSelectedMedia", "Action_Delete", "on");
        row("sequence delete: screens only", E, "activeSide=1,hasSelectedItem", "Action_Delete",
            "off");
        row("sequence cut: selected and copyable", E, "activeSide=1,hasSelectedMedia,canCopyMedia",
            "Action_Cut", "on");
        row("sequence cut: nothing selected", E, "activeSide=1,canCopyMedia", "Action_Cut", "off");
        row("sequence copy: media", E, "activeSide=1,canCopyMedia", "Action_Copy", "on");
        row("sequence copy: screens only", E, "activeSide=1,canCopyScreen", "Action_Copy", "off");
        row("sequence paste: media", E, "activeSide=1,canPasteMedia", "Action_Paste", "on");
        row("sequence paste: screens only", E, "activeSide=1,canPasteScreen", "Action_Paste",
            "off");
        row("unknown side: nothing", E,
            "activeSide=2,hasSelectedItem,canCopyScreen,hasSelectedMedia,canCopyMedia",
            "Action_Copy", "off");

        row("front: can move forward", A, "canMoveForward", "Action_Bring_to_Front", "on");
        row("front: can only move back", A, "canMoveBackward", "Action_Bring_to_Front", "off");
        row("forward: can move forward", A, "canMoveForward", "Action_Bring_Forward", "on");
        row("forward: can only move back", A, "canMoveBackward", "Action_Bring_Forward", "off");
        row("back: can move back", A, "canMoveBackward", "Action_Send_to_Back", "on");
        row("back: can only move forward", A, "canMoveForward", "Action_Send_to_Back", "off");
        row("backward: can move back", A, "canMoveBackward", "Action_Send_Backward", "on");
        row("backward: can only move forward", A, "canMoveForward", "Action_Send_Backward", "off");
        row("raise event: always", A, "", "Action_Set_Raise_Event", "on");
        row("listen event: always", A, "", "Action_Set_Listen_Event", "on");
        row("align: two", A, "selectedScreens=2", "Menu_Align", "on");
        row("align: one", A, "selectedScreens=1", "Menu_Align", "off");
        row("distribute: three", A, "selectedScreens=3", "Action_Distribute_Top_Edges", "on");
        row("distribute: two", A, "selectedScreens=2", "Action_Distribute_Right_Edges", "off");
        row("align entries follow the submenu", A, "selectedScreens=3", "Action_Align_Left_Edges",
            "absent");

        row("lock: all locked", S, "selectedScreens=2,allSelectedLocked", "Action_Lock_Screen",
            "on", "Unlock");
        row("lock: one unlocked", S, "selectedScreens=2,!allSelectedLocked", "Action_Lock_Screen",
            "on", "Lock");
        row("lock: none selected", S, "", "Action_Lock_Screen", "off", "Unlock");
        row("add screen: a stage open", S, "openStages=1", "Action_Add_Multimedia_Screen", "on");
        row("add screen: none open", S, "", "Action_Add_Multimedia_Screen", "off");
        row("preview: a stage open", S, "openStages=1", "Action_Preview_Stage", "on");
        row("preview: none open", S, "", "Action_Preview_Stage", "off");
        row("edit event: none open", S, "", "Action_Edit_Event", "off");
        row("screen: no stage widget", S, "!hasStageWidget", "Action_Add_Telop_Screen", "absent");

        row("first: can move back", Q, "canMovePrevious", "Action_Move_First", "on");
        row("first: can only move on", Q, "canMoveNext", "Action_Move_First", "off");
        row("previous: can move back", Q, "canMovePrevious", "Action_Move_Previous", "on");
        row("previous: can only move on", Q, "canMoveNext", "Action_Move_Previous", "off");
        row("next: can move on", Q, "canMoveNext", "Action_Move_Next", "on");
        row("next: can only move back", Q, "canMovePrevious", "Action_Move_Next", "off");
        row("last: can move on", Q, "canMoveNext", "Action_Move_Last", "on");
        row("last: can only move back", Q, "canMovePrevious", "Action_Move_Last", "off");
        row("property: shown", Q, "canShowMediaProperty", "Action_Content_Property", "on");
        row("property: copy only", Q, "canCopyMediaProperty", "Action_Content_Property", "off");
        row("copy property: may copy", Q, "canCopyMediaProperty", "Action_Copy_Content_Property_To",
            "on");
        row("copy property: show only", Q, "canShowMediaProperty",
            "Action_Copy_Content_Property_To", "off");
        row("duration: none open", Q, "", "Action_Show_Duration", "off");
        row("duration: a stage open", Q, "openStages=1", "Action_Show_Duration", "absent");
        row("time view: none open", Q, "", "Action_Time_View", "off");
        row("listen event: none open", Q, "", "Action_Set_Listen_Event", "off");
        row("sequence: no stage widget", Q, "!hasStageWidget", "Action_Normal_View", "absent");
    }

    void rules()
    {
        QFETCH(Check, check);
        QFETCH(QString, facts);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QFETCH(QString, text);

        const QList<KvCommandAvailability::Change> changes =
            KvCommandAvailability::evaluate(check, stateFrom(facts));
        QString found = QStringLiteral("absent");
        QString foundText;
        for (const KvCommandAvailability::Change& change : changes) {
            if (change.objectName != name)
                continue;
            QVERIFY2(found == QLatin1String("absent"), "settled twice");
            found = change.enabled ? QStringLiteral("on") : QStringLiteral("off");
            foundText = change.text;
        }
        QCOMPARE(found, expected);
        QCOMPARE(foundText, text);
    }
};

QTEST_MAIN(TestCommandAvailability)
#include "tst_commandavailability.moc"
