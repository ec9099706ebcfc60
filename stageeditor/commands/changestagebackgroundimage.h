#pragma once

#include "stagevaluechange.h"

#include <QString>

namespace Kova {
namespace Commands {

// The background image of the current stage (a path).
class ChangeStageBackgroundImage : public StageValueChange<QString>
{
public:
    ChangeStageBackgroundImage(KvStageEditor* editor, const QString& oldValue,
                               const QString& newValue, QUndoCommand* parent = nullptr);

protected:
    void apply(const QString& value) override;
};

} // namespace Commands
} // namespace Kova
