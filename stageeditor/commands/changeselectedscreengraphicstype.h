#pragma once

#include "graphicstype.h"
#include "selectedscreenvaluechange.h"

namespace Kova {
namespace Commands {

// Sets the graphics type of the selected screens.
class ChangeSelectedScreenGraphicsType
    : public SelectedScreenValueChange<GraphicsType::GraphicsTypes>
{
public:
    ChangeSelectedScreenGraphicsType(KvStageEditor* editor,
                                     const GraphicsType::GraphicsTypes& value,
                                     QUndoCommand* parent = nullptr);

protected:
    Values apply(const QList<KvScreen*>& screens,
                 const GraphicsType::GraphicsTypes& value) override;
    void restore(const Values& values) override;
    void refresh(const Values& values) override;
};

} // namespace Commands
} // namespace Kova
