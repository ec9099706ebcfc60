#pragma once

#include "kvfilelistcreator.h"

#include <QItemSelection>
#include <QList>
#include <QString>
#include <QWidget>

class QMenu;

namespace Kova {

class KvLibFileSystemModel;
class KvLibTreeView;
class KvStageEditor;

// The library dock's content: the library's file tree on a model rooted at the data folder.
// The model's drop requests and the tree's renames go to the editor (connected by the
// editor's wiring); a single selected file is announced for the content preview.
class KvLibraryWidget : public QWidget
{
    Q_OBJECT
public:
    explicit KvLibraryWidget(KvStageEditor* editor, QWidget* parent = nullptr,
                             Qt::WindowFlags flags = Qt::WindowFlags());
    ~KvLibraryWidget() override;

    KvStageEditor* editor() const { return m_editor; }
    KvLibTreeView* treeView() const { return m_treeView; }
    KvLibFileSystemModel* model() const { return m_model; }
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
    void updateAndSelectItems(QList<Kova::KvFileListCreator::PathPair> pathList);

private slots:
    void onItemSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void onFileRenamed(const QString& path, const QString& oldName, const QString& newName);

private:
    KvLibTreeView* m_treeView = nullptr;
    KvLibFileSystemModel* m_model = nullptr;
    KvStageEditor* m_editor;
    bool m_fileWatcherInstalled = true;
};

} // namespace Kova
