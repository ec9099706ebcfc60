#pragma once

#include "stagevaluechange.h"

#include <QColor>

namespace Kova {
namespace Commands {

// The background colour of the current stage.
class ChangeStageBackgroundColor : public StageValueChange<QColor>
{
public:
    ChangeStageBackgroundColor(KvStageEditor* editor, const QColor& oldValue,
                               const QColor& newValue, QUndoCommand* parent = nullptr);

protected:
    void apply(const QColor& value) override;
};

} // namespace Commands
} // namespace Kova
