#pragma once

#include "stagevaluechange.h"

namespace Kova {
namespace Commands {

// The option flags of the current stage.
class ChangeStageOptions : public StageValueChange<unsigned int>
{
public:
    ChangeStageOptions(KvStageEditor* editor, unsigned int oldValue, unsigned int newValue,
                       QUndoCommand* parent = nullptr);

protected:
    void apply(const unsigned int& value) override;
};

} // namespace Commands
} // namespace Kova
