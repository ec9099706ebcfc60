#pragma once

#include <QList>
#include <QPointer>

class QWidget;

namespace Kova {

class KvDockWidget;
class KvStageEditor;

// The editor's five docks in the host's main window: making them, putting them into their
// dock areas, the default sizes, storing and restoring their geometry, and taking them down.
class KvDockLayout
{
public:
    // Makes each dock with its panel unless it exists already.
    static void createDocks(KvStageEditor& editor);
    // Makes the stage widget the central widget and adds each dock not in the main window to
    // its area: stage and screen property left, content preview and library right, sequence
    // at the bottom.
    static void attach(KvStageEditor& editor);
    // Forces each dock to its default size for the main window's height, one after the
    // other, and releases the limits again.
    static void applyDefaultSizes(KvStageEditor& editor);
    static void store(KvStageEditor& editor);
    static void restore(KvStageEditor& editor);
    // Takes every dock out, docks it again and shows it (To Default Position).
    static void toDefaultPosition(KvStageEditor& editor);
    // Disconnects, takes out and deletes later every dock with its panel, then the stage
    // widget.
    static void deleteWidgets(KvStageEditor& editor);
    // The docks that exist, in the order stage property, screen property, content preview,
    // library, sequence.
    static QList<KvDockWidget*> docks(const KvStageEditor& editor);

private:
    static void changeDockSize(KvStageEditor& editor, KvDockWidget* dock, int width, int height);
    static void deleteDock(KvStageEditor& editor, QPointer<KvDockWidget>& dock, QWidget* inner);
};

} // namespace Kova
