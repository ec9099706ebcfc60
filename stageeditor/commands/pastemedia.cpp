#include "pastemedia.h"

#include "kvstageeditor.h"

namespace Kova {
namespace Commands {

PasteMedia::PasteMedia(KvStageEditor* editor, const QList<KvPreservedMedia*>& records,
                       QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_editor(editor)
    , m_records(records)
{
}

PasteMedia::~PasteMedia() = default;

void PasteMedia::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (!m_editor)
        return;
    m_editor->addMedia(m_records.list());
    m_records.settleOwnership();
}

void PasteMedia::undo()
{
    if (!m_editor)
        return;
    m_editor->removeMedia(m_records.list(), false);
    m_records.settleOwnership();
}

} // namespace Commands
} // namespace Kova
