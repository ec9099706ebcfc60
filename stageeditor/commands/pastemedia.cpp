#include "pastemedia.h"

namespace Kova {
namespace Commands {

void PasteMedia::redo()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    AddMedia::redo();
}

} // namespace Commands
} // namespace Kova
