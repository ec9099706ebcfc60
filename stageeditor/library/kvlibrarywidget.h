#pragma once

#include "kvfilelistcreator.h"

#include <QItemSelection>
#include <QList>
#include <QModelIndex>
#include <QPair>
#include <QString>
#include <QWidget>

class QAction;
class QFileSystemWatcher;
class QMenu;
class QTreeView;

namespace Kova {

class KvLibFileSystemModel;
class KvLibTreeView;
class KvPptConversionDialog;
class KvStageEditor;

// The library dock's content: a tool bar, the library's file tree on a model rooted at the
// data folder, and the library menu. Menu commands and keys become calls of the editor's
// library slots; drops on the tree and renames in place go to the editor's library
// commands. The panel also adds content files through a file dialog, makes telop and URL
// files, converts presentations, opens content files for editing and announces a single
// selected file for the content preview.
class KvLibraryWidget : public QWidget
{
    Q_OBJECT
public:
    // A selected row: the index of its parent and its row number.
    using Row = QPair<QModelIndex, int>;

    explicit KvLibraryWidget(KvStageEditor* editor, QWidget* parent = nullptr,
                             Qt::WindowFlags flags = Qt::WindowFlags());
    ~KvLibraryWidget() override;

    KvStageEditor* editor() const { return m_editor; }
    KvLibTreeView* treeView() const { return m_treeView; }
    KvLibFileSystemModel* model() const { return m_model; }
    QMenu* libraryMenu() const { return m_libraryMenu; }
    // False when the data folder could not be watched for changes.
    bool isFileWatcherInstalled() const { return m_fileWatcherInstalled; }
    // Fits the tree's first column to the panel width less 5 pixels.
    void adjustWidgetSize();
    // Adds the library actions to `menu` and prepares them whenever it opens.
    void addLibraryActionsToMenu(QMenu* menu);
    // Writes the tree's icon size to the user settings.
    void saveSettings();
    // Selection helpers of the editor's library operations.
    void selectPath(const QString& path);
    void selectPathPairs(const QList<KvFileListCreator::PathPair>& pairs);
    void updateItem(const QString& path);

signals:
    void raiseShowToParentEvent();
    void expandFromPath(QTreeView* tree, QModelIndex& parentIndex, QString path);
    void itemSingleSelected(QString& filePath);
    void itemNotSingleSelected();
    void contentDragStarted();
    void inquireUsingFile(QString path, bool* ok, bool* notReady);
    void fileRenamed(QString dirPath, QString oldName, QString newName);
    void requestShowFileDistributionTypeDialog(int* result);
    void requestAddContentFileWithDialog();
    void requestSelectRows(QList<QPair<QModelIndex, int>> rows);

public slots:
    void changeTreeViewIconSizeToSmall();
    void changeTreeViewIconSizeToLarge();
    void showLibraryMenu();
    void restoreStateFromSourceWidget();
    // Widens a first column narrower than 200 pixels to 200, the second to 48.
    void correctTreeViewColumnWidth();
    void undo();
    void redo();
    void copy();
    void cut();
    void paste();
    void remove();
    void rename();
    void onMenuToShow();
    void onEditMenuToShow();
    void contextMenuRequested(QPoint point);
    void onContentDragStarted();
    void createTelopFile();
    void createUrlFile();
    // Edits the single selected file.
    void editContentFile();
    void editContentFile(QString filePath);
    void editContentFile(QModelIndex index);
    // Re-reads the selected items and selects the same rows again.
    void updateTreeView();
    void updateTreeView(QString path);
    // Clears the selection and re-reads the whole tree.
    void updateTreeViewRoot();
    void onInquireUsingFile(QString path, bool* ok, bool* notReady);
    // Opens the first selected path's folder in the desktop's file browser.
    void openFolderWithShell();
    void openFolderWithShell(QString path);
    // Asks for a presentation file to convert.
    void addPptFile();
    void addPptFile(QString filePath);
    // Replaces the model by a new one with the same settings and connections.
    void refreshModel();
    void updateAndSelectItems(QList<Kova::KvFileListCreator::PathPair> pathList);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void onItemSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void onFileRenamed(const QString& path, const QString& oldName, const QString& newName);
    void addContentFileWithDialog();
    void createFolder();
    void onPptConversionDialogDestryed();
    void onPptFileAdded(QString outFolderPath);
    void resetTree();
    void showFailureOfFileWathcerInstration();
    void selectRows(QList<QPair<QModelIndex, int>> rows);

private:
    void createMenu();
    void createToolBar();
    void createTree();
    void createModel(const QString& root, const QStringList& nameFiltersInRoot,
                     const QStringList& exclusionPatterns);
    QList<QAction*> libraryActions();
    QList<QAction*> editActions();
    QAction* action(const char* objectName) const;
    void setTreeViewIconSize(int side);
    // 1 image, 2 movie, 3 Flash, 5 web, 6 telop by the data folder's media folder that holds
    // `path`; 0 elsewhere.
    int folderTypeOf(const QString& path) const;
    void createContentFile(int inputType, const QString& folderName);
    // Whether a library key was handled.
    bool handleKey(QKeyEvent* event);
    static bool isLibraryKey(QKeyEvent* event);

    KvLibTreeView* m_treeView = nullptr;
    KvLibFileSystemModel* m_model = nullptr;
    QList<QAction*> m_libraryActions;
    QList<QAction*> m_editActions;
    QMenu* m_libraryMenu = nullptr;
    KvStageEditor* m_editor;
    QFileSystemWatcher* m_fileSystemWatcher = nullptr;
    QString m_lastContentFolder;
    QString m_lastPptFolder;
    KvPptConversionDialog* m_pptConversionDialog = nullptr;
    bool m_fileWatcherInstalled = true;
};

} // namespace Kova
