#include "cutmedia.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

CutMedia::CutMedia(KvStageEditor* editor, const QList<KvPreservedMedia*>& records,
                   QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_records(records)
{
}

CutMedia::~CutMedia() = default;

void CutMedia::redo()
{
    if (!m_editor)
        return;
    m_editor->removeMedia(m_records.list(), false);
    m_records.settleOwnership();
}

void CutMedia::undo()
{
    if (!m_editor)
        return;
    m_editor->addMedia(m_records.list());
    m_records.settleOwnership();
}

} // namespace Commands
} // namespace Kova
