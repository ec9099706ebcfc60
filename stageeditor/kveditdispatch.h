#pragma once

namespace Kova {

class KvStageEditor;

// Edit > Cut, Copy and Paste on the side the user last pressed the mouse on: screens on the
// stage side, media on the sequence side. What changes the stage goes on the undo stack.
class KvEditDispatch
{
public:
    static void copy(KvStageEditor& editor);
    // The copy stays on the clipboard even when a locked screen keeps the cut from
    // happening.
    static void cut(KvStageEditor& editor);
    static void paste(KvStageEditor& editor);
};

} // namespace Kova
