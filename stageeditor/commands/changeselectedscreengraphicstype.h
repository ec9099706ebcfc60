#pragma once

#include "graphicstype.h"
#include <QList>
#include <QMap>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Sets the graphics type of the selected screens. The first redo takes the selected screens;
// later redos act on the same screens, whatever is selected by then.
class ChangeSelectedScreenGraphicsType : public QUndoCommand
{
public:
    ChangeSelectedScreenGraphicsType(KvStageEditor* editor, GraphicsType::GraphicsTypes type,
                                     QUndoCommand* parent = nullptr);
    ~ChangeSelectedScreenGraphicsType() override;
    void undo() override;
    void redo() override;

private:
    QMap<KvScreen*, GraphicsType::GraphicsTypes> valuesOf(const QList<KvScreen*>& screens) const;

    KvStageEditor* m_editor;
    QMap<KvScreen*, GraphicsType::GraphicsTypes> m_old;
    GraphicsType::GraphicsTypes m_value;
};

} // namespace Commands
} // namespace Kova
