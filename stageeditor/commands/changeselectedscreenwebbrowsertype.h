#pragma once

#include "playertype.h"
#include "selectedscreenvaluechange.h"

namespace Kova {
namespace Commands {

// Sets the web browser type of the selected screens.
class ChangeSelectedScreenWebBrowserType : public SelectedScreenValueChange<PlayerType::PlayerTypes>
{
public:
    ChangeSelectedScreenWebBrowserType(KvStageEditor* editor, const PlayerType::PlayerTypes& value,
                                       QUndoCommand* parent = nullptr);

protected:
    Values apply(const QList<KvScreen*>& screens, const PlayerType::PlayerTypes& value) override;
    void restore(const Values& values) override;
    void refresh(const Values& values) override;
};

} // namespace Commands
} // namespace Kova
