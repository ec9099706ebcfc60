#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Kova {

// Which actions of the editor are usable, worked out from a few facts about the editor's
// state. Each check answers the actions (or the "Menu_" submenu) it settles, with their
// enabled state and, where the text follows the state, the new text. The editor gathers
// the facts and applies the answer just before a menu opens.
class KvCommandAvailability
{
public:
    enum class Check {
        File,             // Close Stage, Close All Stage, Save Stage
        Edit,             // Undo, Redo, Cut, Copy, Paste, Delete
        StageArrangement, // z-order, events, Align and Distribute
        Screen,           // Lock, the screen adding entries, Edit Event, Preview Stage
        Sequence          // media moves, content property, view and event entries
    };

    enum Side { StageSide = 0, SequenceSide = 1 };

    struct State
    {
        bool hasStageWidget = false;
        int openStages = 0;
        bool currentStageChanged = false; // differs from its saved snapshot
        int activeSide = StageSide;
        bool canUndo = false;
        bool canRedo = false;
        // Stage side: the current tab's selection.
        bool hasSelectedItem = false;
        bool lockedInSelection = false; // at least one selected screen is locked
        bool canDeleteScreen = false;
        bool canCopyScreen = false;
        bool canPasteScreen = false;
        int selectedScreens = 0;
        bool allSelectedLocked = true; // also with nothing selected
        bool canMoveForward = false;
        bool canMoveBackward = false;
        // Sequence side: the current stage's selected media.
        bool hasSelectedMedia = false;
        bool canCopyMedia = false;
        bool canPasteMedia = false;
        bool canMovePrevious = false;
        bool canMoveNext = false;
        bool canShowMediaProperty = false;
        bool canCopyMediaProperty = false;
    };

    struct Change
    {
        QString objectName;
        bool enabled = false;
        QString text; // empty: the text stays
    };

    static QList<Change> evaluate(Check check, const State& state);
    // The actions that need an open stage, switched when the first tab opens or the last
    // one closes.
    static QList<Change> stageTabChanges(bool stageOpen);
};

} // namespace Kova
