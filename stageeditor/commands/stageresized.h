#pragma once

#include "stagevaluechange.h"

#include <QSizeF>

namespace Kova {
namespace Commands {

// The size of the current stage.
class StageResized : public StageValueChange<QSizeF>
{
public:
    StageResized(KvStageEditor* editor, const QSizeF& oldValue, const QSizeF& newValue,
                 QUndoCommand* parent = nullptr);

protected:
    void apply(const QSizeF& value) override;
};

} // namespace Commands
} // namespace Kova
