#pragma once

#include "playertype.h"
#include <QList>
#include <QMap>
#include <QUndoCommand>

namespace Kova {
class KvScreen;
class KvStageEditor;

namespace Commands {

// Sets the Flash player type of the selected screens. The first redo takes the selected screens;
// later redos act on the same screens, whatever is selected by then.
class ChangeSelectedScreenFlashPlayerType : public QUndoCommand
{
public:
    ChangeSelectedScreenFlashPlayerType(KvStageEditor* editor, PlayerType::PlayerTypes type,
                                        QUndoCommand* parent = nullptr);
    ~ChangeSelectedScreenFlashPlayerType() override;
    void undo() override;
    void redo() override;

private:
    QMap<KvScreen*, PlayerType::PlayerTypes> valuesOf(const QList<KvScreen*>& screens) const;

    KvStageEditor* m_editor;
    QMap<KvScreen*, PlayerType::PlayerTypes> m_old;
    PlayerType::PlayerTypes m_value;
};

} // namespace Commands
} // namespace Kova
