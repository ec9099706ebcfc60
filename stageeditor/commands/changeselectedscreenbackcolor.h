#pragma once

#include "selectedscreenvaluechange.h"
#include <QColor>

namespace Kova {
namespace Commands {

// Sets the background colour of the selected screens.
class ChangeSelectedScreenBackColor : public SelectedScreenValueChange<QColor>
{
public:
    ChangeSelectedScreenBackColor(KvStageEditor* editor, const QColor& value,
                                  QUndoCommand* parent = nullptr);

protected:
    Values apply(const QList<KvScreen*>& screens, const QColor& value) override;
    void restore(const Values& values) override;
    bool reselects() const override { return false; }
};

} // namespace Commands
} // namespace Kova
