#pragma once

namespace Kova {

class KvStageEditor;

// The connections between the editor's widgets and the editor: who tells whom about
// selections, tab changes, panel edits and the user's intentions. All are direct unless
// said otherwise.
class KvEditorWiring
{
public:
    // The stage widget's requests to add media and to close the editor, and the tab the
    // editor asks for.
    static void connectStageWidget(KvStageEditor& editor);
    // The stage widget, property panels, sequence container, library panel and content
    // preview with one another and with the editor's public slots. Needs every one of them.
    static void connectPanels(KvStageEditor& editor);
};

} // namespace Kova
