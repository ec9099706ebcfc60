#pragma once

#include <QList>
#include <QPointer>
#include <QString>

class QMainWindow;
class QObject;
class QWidget;

namespace Kova {

class KvContentPreviewWidget;
class KvDockWidget;
class KvLibraryWidget;
class KvScreenPropertyWidget;
class KvSequenceContainer;
class KvStageEditor;
class KvStagePropertyWidget;
class KvStageWidget;

// The editor's five docks with their panels in the host's main window: making them, putting
// them into their dock areas, the default sizes, storing and restoring their geometry, and
// taking them down. Each dock owns its panel; the docks are owned by the main window once
// attached, and until then (or when there is none) by this layout.
class KvDockLayout
{
public:
    KvDockLayout() = default;
    KvDockLayout(const KvDockLayout&) = delete;
    KvDockLayout& operator=(const KvDockLayout&) = delete;
    ~KvDockLayout();

    // Makes each dock with its panel unless it exists already. The library panel works for
    // `editor`; mouse presses on the sequence dock go through `editor`'s event filter.
    void createDocks(KvStageEditor* editor);
    // Makes `stageWidget` the central widget and adds each dock not in the main window to
    // its area: stage and screen property left, content preview and library right, sequence
    // at the bottom.
    void attach(QMainWindow* mainWindow, KvStageWidget* stageWidget);
    // Forces each dock to its default size for the main window's height, one after the
    // other, and releases the limits again.
    void applyDefaultSizes(QMainWindow* mainWindow);
    // Stores and restores the docks' geometry and tabbing under `name`.
    void store(QMainWindow* mainWindow, const QString& name);
    void restore(QMainWindow* mainWindow, const QString& name);
    // Takes every dock out, docks it again and shows it (To Default Position).
    void toDefaultPosition(QMainWindow* mainWindow, KvStageWidget* stageWidget);
    // Disconnects, takes out of `mainWindow` and deletes later every dock with its panel,
    // removing `eventFilter` from them.
    void deleteDocks(QMainWindow* mainWindow, QObject* eventFilter);
    // Deletes at once the docks still alive (close() was not run), removing `eventFilter`
    // from them first.
    void destroyDocks(QObject* eventFilter);
    // The docks that exist, in the order stage property, screen property, content preview,
    // library, sequence.
    QList<KvDockWidget*> docks() const;

    KvStagePropertyWidget* stagePropertyWidget() const;
    KvScreenPropertyWidget* screenPropertyWidget() const;
    KvContentPreviewWidget* contentPreviewWidget() const;
    KvLibraryWidget* libraryWidget() const;
    KvSequenceContainer* sequenceContainer() const;
    KvDockWidget* stagePropertyDock() const;
    KvDockWidget* screenPropertyDock() const;
    KvDockWidget* contentPreviewDock() const;
    KvDockWidget* libraryDock() const;
    KvDockWidget* sequenceDock() const;

private:
    static void changeDockSize(QMainWindow* mainWindow, KvDockWidget* dock, int width, int height);
    static void deleteDock(QMainWindow* mainWindow, QObject* eventFilter,
                           QPointer<KvDockWidget>& dock, QWidget* inner);

    QPointer<KvStagePropertyWidget> m_stagePropertyWidget;
    QPointer<KvDockWidget> m_stagePropertyDock;
    QPointer<KvScreenPropertyWidget> m_screenPropertyWidget;
    QPointer<KvDockWidget> m_screenPropertyDock;
    QPointer<KvContentPreviewWidget> m_contentPreviewWidget;
    QPointer<KvDockWidget> m_contentPreviewDock;
    QPointer<KvLibraryWidget> m_libraryWidget;
    QPointer<KvDockWidget> m_libraryDock;
    QPointer<KvSequenceContainer> m_sequenceContainer;
    QPointer<KvDockWidget> m_sequenceDock;
};

} // namespace Kova
