#include "copymediapropertytoothers.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

CopyMediaPropertyToOthers::CopyMediaPropertyToOthers(KvStageEditor* editor, const KvMedia* source,
                                                     int destScreenId,
                                                     const QList<int>& destIndices,
                                                     QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_source(source ? *source : KvMedia())
    , m_hasSource(source)
    , m_screenId(destScreenId)
    , m_indices(destIndices)
{
}

CopyMediaPropertyToOthers::~CopyMediaPropertyToOthers()
{
    clearPreserved();
}

void CopyMediaPropertyToOthers::clearPreserved()
{
    qDeleteAll(m_preserved);
    m_preserved.clear();
}

void CopyMediaPropertyToOthers::redo()
{
    if (!m_editor)
        return;
    clearPreserved();
    m_editor->copyMediaPropertyExceptUri(m_hasSource ? &m_source : nullptr, m_screenId, m_indices,
                                         &m_preserved);
}

void CopyMediaPropertyToOthers::undo()
{
    if (m_editor)
        m_editor->restoreMediaPropertyExceptUri(m_screenId, &m_preserved);
}

} // namespace Commands
} // namespace Kova
