#pragma once

#include "playertype.h"
#include "selectedscreenvaluechange.h"

namespace Kova {
namespace Commands {

// Sets the Flash player type of the selected screens.
class ChangeSelectedScreenFlashPlayerType
    : public SelectedScreenValueChange<PlayerType::PlayerTypes>
{
public:
    ChangeSelectedScreenFlashPlayerType(KvStageEditor* editor, const PlayerType::PlayerTypes& value,
                                        QUndoCommand* parent = nullptr);

protected:
    Values apply(const QList<KvScreen*>& screens, const PlayerType::PlayerTypes& value) override;
    void restore(const Values& values) override;
    void refresh(const Values& values) override;
};

} // namespace Commands
} // namespace Kova
