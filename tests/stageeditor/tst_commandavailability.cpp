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
    // Each rule comes with a state where the entry is on and one, differing in one fact,
    // where it is off, so either half can fail. "absent:" marks a state whose check leaves
    // the entry alone; "-" a half that does not apply.
    void rules_data()
    {
        QTest::addColumn<Check>("check");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("on");
        QTest::addColumn<QString>("off");
        QTest::addColumn<QString>("text"); // the entry's text in both states; empty: unchanged

        auto row = [](const char* tag, Check check, const char* name, const char* on,
                      const char* off, const char* text = "") {
            QTest::newRow(tag) << check << QString(name) << QString(on) << QString(off)
                               << QString(text);
        };
        const Check F = Check::File, E = Check::Edit, A = Check::StageArrangement,
                    S = Check::Screen, Q = Check::Sequence;

        row("close", F, "Action_Close_Stage", "openStages=1", "");
        row("close all", F, "Action_Close_All_Stage", "openStages=2", "");
        row("save", F, "Action_Save_Stage", "openStages=1,currentStageChanged", "openStages=1");
        row("file without stage widget", F, "Action_Close_Stage", "openStages=1",
            "absent:!hasStageWidget,openStages=1");

        row("undo", E, "Action_Undo", "canUndo", "canRedo");
        row("redo", E, "Action_Redo", "canRedo", "canUndo");
        row("stage delete", E, "Action_Delete", "hasSelectedItem",
            "hasSelectedItem,lockedInSelection");
        row("stage cut: deletable", E, "Action_Cut", "canDeleteScreen,canCopyScreen",
            "canCopyScreen");
        row("stage cut: copyable", E, "Action_Cut", "canDeleteScreen,canCopyScreen",
            "canDeleteScreen");
        row("stage copy", E, "Action_Copy", "canCopyScreen", "canCopyMedia");
        row("stage paste", E, "Action_Paste", "canPasteScreen", "canPasteMedia");
        row("sequence delete", E, "Action_Delete", "activeSide=1,hasSelectedMedia",
            "activeSide=1,hasSelectedItem");
        row("sequence cut", E, "Action_Cut", "activeSide=1,hasSelectedMedia,canCopyMedia",
            "activeSide=1,canCopyMedia");
        row("sequence copy", E, "Action_Copy", "activeSide=1,canCopyMedia",
            "activeSide=1,canCopyScreen");
        row("sequence paste", E, "Action_Paste", "activeSide=1,canPasteMedia",
            "activeSide=1,canPasteScreen");
        row("unknown side", E, "Action_Copy", "activeSide=0,canCopyScreen",
            "activeSide=2,canCopyScreen,canCopyMedia");

        row("to front", A, "Action_Bring_to_Front", "canMoveForward", "canMoveBackward");
        row("forward", A, "Action_Bring_Forward", "canMoveForward", "canMoveBackward");
        row("to back", A, "Action_Send_to_Back", "canMoveBackward", "canMoveForward");
        row("backward", A, "Action_Send_Backward", "canMoveBackward", "canMoveForward");
        row("raise event", A, "Action_Set_Raise_Event", "", "-");
        row("listen event", A, "Action_Set_Listen_Event", "", "-");
        row("align", A, "Menu_Align", "selectedScreens=2", "selectedScreens=1");
        row("distribute top", A, "Action_Distribute_Top_Edges", "selectedScreens=3",
            "selectedScreens=2");
        row("distribute right", A, "Action_Distribute_Right_Edges", "selectedScreens=3",
            "selectedScreens=2");
        row("align entries follow the submenu", A, "Action_Align_Left_Edges", "-",
            "absent:selectedScreens=3");

        row("lock: all locked", S, "Action_Lock_Screen", "selectedScreens=2,allSelectedLocked",
            "allSelectedLocked", "Unlock");
        row("lock: one unlocked", S, "Action_Lock_Screen", "selectedScreens=2,!allSelectedLocked",
            "!allSelectedLocked", "Lock");
        row("add multimedia screen", S, "Action_Add_Multimedia_Screen", "openStages=1", "");
        row("add telop screen", S, "Action_Add_Telop_Screen", "openStages=1",
            "absent:!hasStageWidget");
        row("edit event", S, "Action_Edit_Event", "openStages=1", "");
        row("preview", S, "Action_Preview_Stage", "openStages=1", "");

        row("to first", Q, "Action_Move_First", "canMovePrevious", "canMoveNext");
        row("previous", Q, "Action_Move_Previous", "canMovePrevious", "canMoveNext");
        row("next", Q, "Action_Move_Next", "canMoveNext", "canMovePrevious");
        row("to last", Q, "Action_Move_Last", "canMoveNext", "canMovePrevious");
        row("property", Q, "Action_Content_Property", "canShowMediaProperty",
            "canCopyMediaProperty");
        row("copy property", Q, "Action_Copy_Content_Property_To", "canCopyMediaProperty",
            "canShowMediaProperty");
        row("duration: a stage keeps it", Q, "Action_Show_Duration", "absent:openStages=1", "");
        row("time view: a stage keeps it", Q, "Action_Time_View", "absent:openStages=1", "");
        row("listen event: a stage keeps it", Q, "Action_Set_Listen_Event", "absent:openStages=1",
            "");
        row("normal view without stage widget", Q, "Action_Normal_View", "absent:!hasStageWidget",
            "");
    }

    void rules()
    {
        QFETCH(Check, check);
        QFETCH(QString, name);
        QFETCH(QString, on);
        QFETCH(QString, off);
        QFETCH(QString, text);

        for (int i = 0; i < 2; ++i) {
            const QString half = i == 0 ? on : off;
            if (half == QLatin1String("-"))
                continue;
            const bool absent = half.startsWith(QLatin1String("absent:"));
            const QString facts = absent ? half.mid(7) : half;
            QString found = QStringLiteral("absent");
            QString foundText;
            for (const auto& change : KvCommandAvailability::evaluate(check, stateFrom(facts))) {
                if (change.objectName != name)
                    continue;
                QVERIFY2(found == QLatin1String("absent"), "settled twice");
                found = change.enabled ? QStringLiteral("on") : QStringLiteral("off");
                foundText = change.text;
            }
            const QString expected = absent ? "absent" : i == 0 ? "on" : "off";
            QVERIFY2(found == expected, qPrintable(facts + ": " + found));
            if (!absent)
                QCOMPARE(foundText, text);
        }
    }
};

QTEST_MAIN(TestCommandAvailability)
#include "tst_commandavailability.moc"
