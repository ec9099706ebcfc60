#pragma once

#include "kvcommandavailability.h"

namespace Kova {

class KvStageEditor;

// The facts command availability is worked out from, read from the editor's widgets: the
// current tab's selection, the selected media of the current stage, the undo group and the
// open tabs.
class KvAvailabilityFacts
{
public:
    // The facts `check` needs; the others keep their defaults.
    static KvCommandAvailability::State gather(const KvStageEditor& editor,
                                               KvCommandAvailability::Check check);
    // The first selected medium is not the first of its row.
    static bool canMoveMediaIndexPrevious(const KvStageEditor& editor);
    // The last selected medium is not the last of its row.
    static bool canMoveMediaIndexNext(const KvStageEditor& editor);
    // Exactly one medium is selected and its screen can show (and, into `canCopyProperty`,
    // copy) its properties.
    static bool canShowMediaProperty(const KvStageEditor& editor, bool* canCopyProperty);
    // Every selected screen is locked; true with none selected.
    static bool isAllSelectedScreenLocked(const KvStageEditor& editor);
};

} // namespace Kova
