#pragma once

#include "stagevaluechange.h"

#include <QPointF>

namespace Kova {
namespace Commands {

// The position of the current stage.
class ChangeStagePos : public StageValueChange<QPointF>
{
public:
    ChangeStagePos(KvStageEditor* editor, const QPointF& oldValue, const QPointF& newValue,
                   QUndoCommand* parent = nullptr);

protected:
    void apply(const QPointF& value) override;
};

} // namespace Commands
} // namespace Kova
