#pragma once

#include <QString>
#include <QWidget>

class QMenu;

namespace Kova {

class KvStageEditor;

// The library dock's content. The panel shows no file tree: it is an empty widget that
// answers "nothing selected", adds no actions to the Library menu and offers the signals
// the editor listens to.
class KvLibraryWidget : public QWidget
{
    Q_OBJECT
public:
    explicit KvLibraryWidget(KvStageEditor* editor, QWidget* parent = nullptr,
                             Qt::WindowFlags flags = Qt::WindowFlags());
    ~KvLibraryWidget() override;

    KvStageEditor* editor() const { return m_editor; }
    // False when the data folder could not be watched for changes.
    bool isFileWatcherInstalled() const { return m_fileWatcherInstalled; }
    // Adds the library actions to `menu` and prepares them whenever it opens.
    void addLibraryActionsToMenu(QMenu* menu);
    // Writes the panel's own user settings.
    void saveSettings();

signals:
    void raiseShowToParentEvent();
    void itemSingleSelected(QString& filePath);
    void itemNotSingleSelected();
    void contentDragStarted();
    void inquireUsingFile(QString path, bool* ok, bool* notReady);
    void fileRenamed(QString dirPath, QString oldName, QString newName);

public slots:
    // Fits the tree's first column to the panel width less 5 pixels.
    void adjustWidgetSize();
    void onMenuToShow();
    void onContentDragStarted();
    void onInquireUsingFile(QString path, bool* ok, bool* notReady);

private:
    KvStageEditor* m_editor;
    bool m_fileWatcherInstalled = true;
};

} // namespace Kova
