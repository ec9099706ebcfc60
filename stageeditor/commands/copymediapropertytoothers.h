#pragma once

#include "kvmedia.h"

#include <QList>
#include <QMap>
#include <QUndoCommand>

namespace Kova {
class KvStageEditor;

namespace Commands {

// The properties of one medium, all but the URI, copied onto media of a screen. Every
// redo keeps fresh copies of the destinations as they were (deleting the previous ones),
// and undo puts those back; each destination keeps its own URI throughout.
class CopyMediaPropertyToOthers : public QUndoCommand
{
public:
    CopyMediaPropertyToOthers(KvStageEditor* editor, const KvMedia* source, int destScreenId,
                              const QList<int>& destIndices, QUndoCommand* parent = nullptr);
    ~CopyMediaPropertyToOthers() override;
    void undo() override;
    void redo() override;

private:
    void clearPreserved();

    KvStageEditor* m_editor;
    KvMedia m_source;
    bool m_hasSource;
    int m_screenId;
    QList<int> m_indices;
    QMap<int, KvMedia*> m_preserved;
};

} // namespace Commands
} // namespace Kova
