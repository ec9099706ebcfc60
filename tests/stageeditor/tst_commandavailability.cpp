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

        // `name` without the "Action_" of actions; "seq:" stands for "activeSide=1,".
        auto row = [](const char* tag, Check check, const char* name, const char* on,
                      const char* off, const char* text = "") {
            const auto facts = [](QString f) { return f.replace("seq:", "activeSide=1,"); };
            QTest::newRow(tag) << check
                               << (QString(name).startsWith("Menu_") ? "" : "Action_") +
                                      QString(name)
                               << facts(on) << facts(off) << QString(text);
        };
        const Check F = Check::File, E = Check::Edit, A = Check::StageArrangement,
                    S = Check::Screen, Q = Check::Sequence;

        row("close", F, "Close_Stage", "openStages=1", "");
        row("close all", F, "Close_All_Stage", "openStages=2", "");
        row("save", F, "Save_Stage", "openStages=1,currentStageChanged", "openStages=1");
        row("no stage widget", F, "Close_Stage", "openStages=1", "absent:!hasStageWidget");

        row("undo", E, "Undo", "canUndo", "canRedo");
        row("redo", E, "Redo", "canRedo", "canUndo");
        row("delete", E, "Delete", "hasSelectedItem", "hasSelectedItem,lockedInSelection");
        row("cut: deletable", E, "Cut", "canDeleteScreen,canCopyScreen", "canCopyScreen");
        row("cut: copyable", E, "Cut", "canDeleteScreen,canCopyScreen", "canDeleteScreen");
        row("copy", E, "Copy", "canCopyScreen", "canCopyMedia");
        row("paste", E, "Paste", "canPasteScreen", "canPasteMedia");
        row("seq delete", E, "Delete", "seq:hasSelectedMedia", "seq:hasSelectedItem");
        row("seq cut", E, "Cut", "seq:hasSelectedMedia,canCopyMedia", "seq:canCopyMedia");
        row("seq copy", E, "Copy", "seq:canCopyMedia", "seq:canCopyScreen");
        row("seq paste", E, "Paste", "seq:canPasteMedia", "seq:canPasteScreen");
        row("unknown side", E, "Copy", "canCopyScreen", "activeSide=2,canCopyScreen,canCopyMedia");

        row("to front", A, "Bring_to_Front", "canMoveForward", "canMoveBackward");
        row("forward", A, "Bring_Forward", "canMoveForward", "canMoveBackward");
        row("to back", A, "Send_to_Back", "canMoveBackward", "canMoveForward");
        row("backward", A, "Send_Backward", "canMoveBackward", "canMoveForward");
        row("raise event", A, "Set_Raise_Event", "", "-");
        row("listen event", A, "Set_Listen_Event", "", "-");
        row("align", A, "Menu_Align", "selectedScreens=2", "selectedScreens=1");
        row("distribute top", A, "Distribute_Top_Edges", "selectedScreens=3", "selectedScreens=2");
        row("distribute right", A, "Distribute_Right_Edges", "selectedScreens=3",
            "selectedScreens=2");
        row("align entries: the submenu's", A, "Align_Left_Edges", "-", "absent:selectedScreens=3");

        row("lock: all locked", S, "Lock_Screen", "selectedScreens=2,allSelectedLocked",
            "allSelectedLocked", "Unlock");
        row("lock: one unlocked", S, "Lock_Screen", "selectedScreens=2,!allSelectedLocked",
            "!allSelectedLocked", "Lock");
        row("add multimedia screen", S, "Add_Multimedia_Screen", "openStages=1", "");
        row("add telop screen", S, "Add_Telop_Screen", "openStages=1", "absent:!hasStageWidget");
        row("edit event", S, "Edit_Event", "openStages=1", "");
        row("preview", S, "Preview_Stage", "openStages=1", "");

        row("to first", Q, "Move_First", "canMovePrevious", "canMoveNext");
        row("previous", Q, "Move_Previous", "canMovePrevious", "canMoveNext");
        row("next", Q, "Move_Next", "canMoveNext", "canMovePrevious");
        row("to last", Q, "Move_Last", "canMoveNext", "canMovePrevious");
        row("property", Q, "Content_Property", "canShowMediaProperty", "canCopyMediaProperty");
        row("copy property", Q, "Copy_Content_Property_To", "canCopyMediaProperty",
            "canShowMediaProperty");
        row("duration: a stage keeps it", Q, "Show_Duration", "absent:openStages=1", "");
        row("time view: a stage keeps it", Q, "Time_View", "absent:openStages=1", "");
        row("listen event: a stage keeps it", Q, "Set_Listen_Event", "absent:openStages=1", "");
        row("normal view: no stage widget", Q, "Normal_View", "absent:!hasStageWidget", "");
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
