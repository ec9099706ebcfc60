#pragma once

#include "addmedia.h"

namespace Kova {
namespace Commands {

// Media pasted from the media clipboard. The paste added them already, so the first redo
// does nothing; later ones add them as AddMedia does, and undo takes them away again. The
// command takes the records over.
class PasteMedia : public AddMedia
{
public:
    using AddMedia::AddMedia;
    void redo() override;

private:
    bool m_skip = true;
};

} // namespace Commands
} // namespace Kova
