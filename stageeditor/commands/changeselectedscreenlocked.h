#pragma once

#include "selectedscreenvaluechange.h"

namespace Kova {
namespace Commands {

// Locks or unlocks the selected screens.
class ChangeSelectedScreenLocked : public SelectedScreenValueChange<bool>
{
public:
    ChangeSelectedScreenLocked(KvStageEditor* editor, const bool& value,
                               QUndoCommand* parent = nullptr);

protected:
    Values apply(const QList<KvScreen*>& screens, const bool& value) override;
    void restore(const Values& values) override;
};

} // namespace Commands
} // namespace Kova
