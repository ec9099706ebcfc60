#pragma once

#include "graphicstype.h"
#include "kvcommandavailability.h"
#include "kvdocklayout.h"
#include "kveditorcommon.h"
#include "kvfilelistcreator.h"
#include "kvmedia.h"
#include "kvmovedindex.h"
#include "kvpreservedevent.h"
#include "kvthumbnail.h"
#include "playertype.h"

#include <QColor>
#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariant>

class QAction;
class QEvent;
class QGraphicsScene;
class QMainWindow;
class QMenu;
class QUndoCommand;
class QUndoGroup;
class QUndoStack;
class QWidget;

namespace Kova {

class KvContentPreviewWidget;
class KvDockWidget;
class KvLibraryFileOperator;
class KvLibraryWidget;
class KvPluginGuiInterface;
class KvPreservedMedia;
class KvScreen;
class KvScreenPropertyWidget;
class KvSeqMediaItem;
class KvSequenceContainer;
class KvStage;
class KvStagePropertyWidget;
class KvStageWidget;
class KvStageWorkingArea;
class KvUsingFileList;

namespace Commands {
class LibraryFileOperation;
}

// The stage editor the host application creates beside its main window. It builds the
// stage tabs, the five docks, the menus and actions, owns the undo arrangement and
// mediates between the widgets: a widget reports an intention by signal, an action_
// slot here turns it into an undo command, and the command calls back into the editor.
class KvStageEditor : public QObject
{
    Q_OBJECT
public:
    // The side the user last pressed the mouse on: edit commands act on it.
    enum ActiveSide { StageSide = 0, SequenceSide = 1 };

    // Heights (in pixels) the docks get in the default layout of a main window.
    struct DockSizes
    {
        int stageProperty = 0;
        int screenProperty = 0;
        int library = 0;
        int contentPreview = 0;
        int sequence = 0;
    };

    explicit KvStageEditor(QMainWindow* mainWindow);
    ~KvStageEditor() override;

    QMainWindow* mainWindow() const;
    void setMainWindow(QMainWindow* mainWindow);

    // The main menus for the host's menu bar: File, Edit, Screen, Sequence, Library,
    // Window, then the host's help menu when one was added.
    QList<QMenu*> menu() const;
    // Appends the host's help menu unless it is in the list already.
    void setHelpMenu(QMenu* menu);
    // Takes the first menu named "Menu_Help" out of the list; null when there is none.
    QMenu* takeHelpMenu();

    // Puts the widgets into the main window and starts the dock layout; the layout and
    // the stage chooser follow once the host's event loop runs.
    bool exec();

    QUndoGroup* undoGroup() const { return m_undoGroup; }
    QUndoStack* libraryUndoStack() const { return m_libraryUndoStack; }
    void addUndoStack(QUndoStack* stack);
    // Pushes a command on the undo group's active stack (the current tab's). Without an
    // active stack the command is deleted and false returned.
    bool pushUndoCommand(QUndoCommand* command);

    // The stage of the current tab, or null.
    KvStage* currentStage() const;
    QString dataDir() const;

    KvUsingFileList* usingStageList() const { return m_usingStageList; }
    void setUsingStageList(KvUsingFileList* list) { m_usingStageList = list; }
    KvUsingFileList* usingContentList() const { return m_usingContentList; }
    void setUsingContentList(KvUsingFileList* list) { m_usingContentList = list; }

    // Fits the library tree's first column to the panel.
    void adjustWidgetSize();

    int activeSide() const { return m_activeSide; }

    // Dock heights of the default layout for a main window `mainWindowHeight` high.
    static DockSizes defaultDockSizes(int mainWindowHeight);

    KvStageWidget* stageWidget() const;
    KvStagePropertyWidget* stagePropertyWidget() const { return m_docks.stagePropertyWidget(); }
    KvScreenPropertyWidget* screenPropertyWidget() const { return m_docks.screenPropertyWidget(); }
    KvContentPreviewWidget* contentPreviewWidget() const { return m_docks.contentPreviewWidget(); }
    KvLibraryWidget* libraryWidget() const { return m_docks.libraryWidget(); }
    KvSequenceContainer* sequenceContainer() const { return m_docks.sequenceContainer(); }
    KvDockWidget* stagePropertyDock() const { return m_docks.stagePropertyDock(); }
    KvDockWidget* screenPropertyDock() const { return m_docks.screenPropertyDock(); }
    KvDockWidget* contentPreviewDock() const { return m_docks.contentPreviewDock(); }
    KvDockWidget* libraryDock() const { return m_docks.libraryDock(); }
    KvDockWidget* sequenceDock() const { return m_docks.sequenceDock(); }
    QMenu* stageContextMenu() const { return m_stageContextMenu; }
    QMenu* sequenceLabelContextMenu() const { return m_sequenceLabelContextMenu; }
    QMenu* sequenceMainViewContextMenu() const { return m_sequenceMainViewContextMenu; }

    // Selection of the current tab (the stage widget's answers; empty or false without it).
    QList<KvScreen*> selectedScreens() const;
    bool hasLockedScreenItemInSelection() const;

    // Command availability predicates.
    bool canMoveScreenZIndexForward() const;
    bool canMoveScreenZIndexBackword() const;
    bool canMoveMediaIndexPrevious() const;
    bool canMoveMediaIndexNext() const;
    bool canShowMediaProperty(bool* canCopyProperty) const;
    bool canSetRaiseEvent() const { return true; }
    bool canSetListenEvent() const { return true; }
    bool isAllSelectedScreenLocked() const;

    // Plug-in screens.
    void loadPlugins() const;
    bool hasExtndedScreenPlugin() const;

    // ---- Stage canvas: screen operations the commands call (forwards to the stage widget,
    // with the sequence rows and property panels kept in step) ----
    QList<KvScreen*> screens() const;
    QList<KvScreen*>* screenListObject() const;
    void clearScreenSelection();
    void selectScreenItem(const QList<KvScreen*>& screens, bool deselectOthers = true,
                          bool repaint = true);
    QMap<KvScreen*, QPointF> selectedScreenMoved();
    QMap<KvScreen*, QRectF> selectedScreenResized();
    void updateScreenItemName(KvScreen* screen);
    void updateScreenItemPos(const QList<KvScreen*>& screens);
    void updateScreenItemRect(const QList<KvScreen*>& screens);
    void updateScreenItemZIndex(const QMap<KvScreen*, bool>& selection);
    void updateSelectedHandle();
    KvScreen* addMultimediaScreen();
    KvScreen* addTelopScreen();
    KvScreen* addExtendedScreen(const QString& pluginId);
    void addScreen(KvScreen* screen);
    void addScreen(const QList<KvScreen*>& screens);
    void removeScreen(KvScreen* screen);
    void removeScreens(const QList<KvScreen*>& screens,
                       QMap<KvScreen*, QList<int>>* mediaSelection);
    QList<KvScreen*> removeSelectedScreen(QMap<KvScreen*, QList<int>>* mediaSelection);
    QMap<KvScreen*, QColor> changeScreenBackColor(const QList<KvScreen*>& screens,
                                                  const QColor& color);
    void updateScreenBackColor(const QMap<KvScreen*, QColor>& colors);
    QMap<KvScreen*, bool> changeScreenLocked(const QList<KvScreen*>& screens, bool locked);
    void updateScreenLocked(const QMap<KvScreen*, bool>& locked);
    QMap<KvScreen*, PlayerType::PlayerTypes>
    changeScreenFlashPlayerType(const QList<KvScreen*>& screens, PlayerType::PlayerTypes type);
    void updateScreenFlashPlayerType(const QMap<KvScreen*, PlayerType::PlayerTypes>& types);
    QMap<KvScreen*, PlayerType::PlayerTypes> changeScreenMovieType(const QList<KvScreen*>& screens,
                                                                   PlayerType::PlayerTypes type);
    void updateScreenMoviePlayerType(const QMap<KvScreen*, PlayerType::PlayerTypes>& types);
    QMap<KvScreen*, PlayerType::PlayerTypes>
    changeScreenWebBrowserType(const QList<KvScreen*>& screens, PlayerType::PlayerTypes type);
    void updateScreenWebBrowserType(const QMap<KvScreen*, PlayerType::PlayerTypes>& types);
    QMap<KvScreen*, GraphicsType::GraphicsTypes>
    changeScreenGraphicsType(const QList<KvScreen*>& screens, GraphicsType::GraphicsTypes type);
    void updateScreenGraphicsType(const QMap<KvScreen*, GraphicsType::GraphicsTypes>& types);
    void updateScreenPropertyFlashPlayerType(const QMap<KvScreen*, PlayerType::PlayerTypes>& types);
    void updateScreenPropertyMoviePlayerType(const QMap<KvScreen*, PlayerType::PlayerTypes>& types);
    void updateScreenPropertyWebBrowserType(const QMap<KvScreen*, PlayerType::PlayerTypes>& types);
    void
    updateScreenPropertyGraphicsType(const QMap<KvScreen*, GraphicsType::GraphicsTypes>& types);
    void updateScreenPropertyValues();
    void updateStageProtertyValues();
    QColor setStageBackgroundColor(const QColor& color);
    QString setStageBackgroundImage(const QString& path, bool* unchanged);
    unsigned int setStageOptions(unsigned int options);
    QPointF setStagePos(const QPointF& pos);
    QSizeF setStageSize(const QSizeF& size);
    // Z-order: moves the selected screens by `steps` places as a block; returns the old
    // z-index of every screen it changed (empty when nothing can move).
    QMap<KvScreen*, int> moveZIndexOfScreen(const QList<KvScreen*>& selected, int steps);
    void correctCheckBoxCheckedOnStageImageOfStageProperty();
    static int getListIndexFromScreens(const KvScreen* screen, const QList<KvScreen*>& screens);
    // Sequence-side refreshes the screen commands use.
    void updateDuration(QList<KvScreen*>& screens);
    void updateSequenceMediaItemSelection(const QMap<KvScreen*, QList<int>>& selection);
    void updateCurrentSequenceLabelBackground(bool updateWidget);
    void addScreenToSequence(KvScreen* screen, bool selected, bool clearFirst);
    void removeScreensFromSequence(QList<KvScreen*>& screens,
                                   QMap<KvScreen*, QList<int>>* mediaSelection);

    // ---- Media operations the media commands call (forwards to the current stage's
    // timeline through the sequence container) ----
    void addMedia(QList<KvPreservedMedia*>& mediaList);
    // The records' media leave the timeline; with deleteMedia false they stay alive.
    void removeMedia(QList<KvPreservedMedia*>& mediaList, bool deleteMedia);
    void removeMedia(QList<QPair<int, int>>& indices, bool deleteMedia);
    void moveMedia(QList<KvMovedIndex>& entries);
    void updateMediaProperties(const KvMedia& media, int screenIndex, int sequenceIndex);
    void copyMediaPropertyExceptUri(const KvMedia* source, int dstScreenId, QList<int> dstIndices,
                                    QMap<int, KvMedia*>* preserved);
    void restoreMediaPropertyExceptUri(int screenId, QMap<int, KvMedia*>* preserved);
    void clearSequenceMediaItemSelection();

    // ---- Library file operations the library commands call (`command` may be null) ----
    QString trashPath() const;
    void copyFileTo(QList<KvFileListCreator::PathPair>& pairs,
                    Commands::LibraryFileOperation* command);
    void copyFileTo(QStringList files, QString destination,
                    Commands::LibraryFileOperation* command);
    void moveFileTo(QList<KvFileListCreator::PathPair>& pairs, bool useTrash);
    void moveFileTo(QStringList files, QString destination, Commands::LibraryFileOperation* command,
                    bool useTrash);
    void removeFile(QStringList files, Commands::LibraryFileOperation* command, bool useTrash);
    // Removes the files at once, then runs the checked removal over the same list.
    void removeFile(QStringList files, bool useTrash);
    // Removal into the trash; the trash copies then go on the clipboard.
    void cutFile(QStringList files, Commands::LibraryFileOperation* command);
    void renameFile(QString dirPath, QString oldName, QString newName,
                    Commands::LibraryFileOperation* command);
    bool isFileUsingInOpenedStage(QStringList paths, QPair<QString, QString>* found,
                                  Qt::CaseSensitivity caseSensitivity);
    void syncThumbnailFile(QString oldPath, QString newPath);

signals:
    void quitApp();
    void showVersionInformation();
    void showConfiguration();
    void closed();
    void requestToShowStageChooser();
    void requestSetCurrentStageTab(int index);
    void requestRestoreDockWidgetSetting(bool useDefault, bool showStageChooser);
    void requestClearLibraryUndoStack();
    void requestEmptyTrash(QString path);
    void usingContentListCreationFinished();
    void usingStageListCreationFinished();
    void graphicsScenePurged(QGraphicsScene* scene);
    void graphicsScenePurged(QList<QGraphicsScene*> sceneList);

public slots:
    // Stores the layout and settings, closes every stage tab, tears the widgets down,
    // empties the library trash and emits closed().
    void close();
    void action_undo();
    void action_redo();
    void action_cut();
    void action_copy();
    void action_paste();
    void action_remove();
    void action_quit();
    void action_closeStageEditor();
    void action_showConfiguration();
    void action_showVersionInformation();
    void setActiveUndoStack(QUndoStack* stack);
    void windowsToDefaultPosition();
    void addActionToList(QAction* action);

    void showStageContextMenu(QPoint pos);
    void showSequenceLabelContextMenu(QPoint pos);
    void showSequenceMainViewContextMenu(QPoint pos);
    void action_setVisibleStageProperty(bool visible);
    void action_setVisibleScreenProperty(bool visible);
    void action_setVisibleSequence(bool visible);
    void action_setVisibleContentPreview(bool visible);
    void action_setVisibleLibrary(bool visible);

    // Sequence view
    void showMediaDuration(bool show);
    void changeSeqViewToNormalView();
    void changeSeqViewToTimeView();
    void showSequenceRaiseEventMenu();
    void showSequenceListenEventMenu();

    // Rows selected in the timeline select their screens on the canvas.
    void changeScreenSelection(QList<KvScreen*> screens);

    // Command availability checks, run before a menu opens and after selection changes.
    void arrangeMenuOpenningCheckOnStage();
    void screenMenuBeforeOpenningCheck();
    void arrangeMenuOpenningCheckOnSequence();

    // ---- Stage documents ----
    void onStageHasBeenSelected(QStringList stageList);
    void onStageCreated(KvStage* stage);
    void createUsingStageList(QWidget* dialogParent);
    void createUsingContentList(QWidget* dialogParent);
    void onUsingStageListFinished();
    void onUsingContentListFinished();
    void previewStage();
    void action_previewStage();

    // ---- Screen and stage commands ----
    void action_addMultimediaScreen();
    void action_addTelopScreen();
    void action_addExtendedScreen(QString pluginId);
    void action_editEvent(KvScreen* sourceScreen = nullptr, KvScreen* receiverScreen = nullptr);
    void action_toggleSelectedScreenLocked();
    void action_bringToFront();
    void action_bringForward();
    void action_sendBackwrard();
    void action_sendToBack();
    void action_alignSelectedScreensByLeft();
    void action_alignSelectedScreensByHCenter();
    void action_alignSelectedScreensByRight();
    void action_alignSelectedScreensByTop();
    void action_alignSelectedScreensByVCenter();
    void action_alignSelectedScreensByBottom();
    void action_distributeSelectedScreensByTop();
    void action_distributeSelectedScreensByVCenter();
    void action_distributeSelectedScreensByBottom();
    void action_distributeSelectedScreensByLeft();
    void action_distributeSelectedScreensByHCenter();
    void action_distributeSelectedScreensByRight();
    void action_removeSelectedScreens();
    void action_selectedScreenMoved();
    void action_selectedScreenResized();
    void action_changeSelectedScreenBackColor(QColor color);
    void action_changeSelectedScreenLocked(bool locked);
    void action_changeSelectedScreenGraphicsType(GraphicsType::GraphicsTypes type);
    void action_changeSelectedScreenMoviePlayerType(PlayerType::PlayerTypes type);
    void action_changeSelectedScreenFlashPlayerType(PlayerType::PlayerTypes type);
    void action_changeSelectedScreenWebBrowserType(PlayerType::PlayerTypes type);
    void action_changeSelectedScreenName(QString name);
    void action_changeStageBackColor(QColor color);
    void action_changeStageSize(QSizeF size);
    void action_changeStageImage(QString path);
    void action_changeStagePos(QPointF pos);
    void action_changeStageOptions(uint options);
    void showStageBackImagePicker();
    void onScreenEventChanged(QList<KvPreservedEvent> preservedEvents);
    void action_alignSelectedScreens(KvEditorCommon::Align mode);
    void action_distributeSelectedScreens(KvEditorCommon::Align mode);
    void action_moveZIndexOfScreen(int steps);

    // ---- Media actions: each pushes one media command on the active undo stack ----
    // Takes the records over (the list is emptied).
    void action_addMedia(QList<KvPreservedMedia*>& mediaList);
    void action_removeSelectedSeqMediaItems();
    // Moves the selected media to a drop place; `result` turns false when nothing moves.
    void action_moveSelectedMedia(int toScreenIndex, int toSequenceIndex, int basisScrIndex = -1,
                                  int basisSeqIndex = -1, bool* result = nullptr);
    void action_moveSelectedMediaToFirst();
    void action_moveSelectedMediaToPrevious();
    void action_moveSelectedMediaToNext();
    void action_moveSelectedMediaToLast();
    void action_updateMediaProperties(KvSeqMediaItem* item, KvMedia media);
    void action_copyMediaPropertyToOthers(const KvMedia* source, int destScreenId,
                                          QList<int> destIndices);
    // Makes thumbnails and file properties of the files (folders are skipped) in the
    // background; without force, files that have a thumbnail already are skipped. Each
    // result refreshes the library and the timeline items of that file.
    void createThumbnail(QStringList& paths, bool force);
    void createThumbnail(QList<QFileInfo>& files, bool force);
    // A thumbnail and file property arrived: the library entry of the file is re-read
    // (when the library shows files) and the timeline items of the file take them.
    void updateLibrary(Kova::KvThumbnail::FileProperty property);
    // Re-reads the library entry of `path` and makes it the tree's current item.
    void updateLibrary(QString path);
    void updateSequenceMedia(Kova::KvThumbnail::FileProperty property);
    // Thumbnails of the library panel's selected files, remade with force.
    void action_createThumbnail(bool force);
    void action_createThumbnailForce();
    void showContentProperty();
    void showCopyContentPropertyDialog();

    // ---- Library files: each action pushes one command on the library undo stack; the
    // commands run the file operations below. A refused or failed operation clears the
    // library stack (queued, so the command just pushed goes as well). ----
    void action_copyLibraryFile(QList<KvFileListCreator::PathPair>& pairs);
    void action_copyLibraryFile(QStringList& srcPaths, QString& dstPath);
    void action_moveLibraryFile(QStringList& srcPaths, QString& dstPath);
    void action_cutLibraryFile(QStringList& paths);
    void action_removeLibraryFile(QStringList& paths);
    void action_renameFile(QString dirPath, QString oldName, QString newName);
    void action_undoLibrary();
    void action_redoLibrary();
    // The tree's question before an in-place rename: `ok` true when no stage uses the file,
    // `notReady` true while the list of files that saved stages use is not built yet.
    bool checkUsingFileForRenaming(QString path, bool* ok, bool* notReady);
    // Thumbnails of every pair's destination.
    void createThumbnail(QList<KvFileListCreator::PathPair>& pairs, bool force);
    // The copies in the trash go on the clipboard as files to copy.
    void setLibraryTrashFileToClipBoard(QList<KvFileListCreator::PathPair>& trashFileList);
    // The library tree re-reads the folders a file operation touched and selects its results.
    void updateAndSelectItems(QList<KvFileListCreator::PathPair> pairs);
    // The library tree selects the pairs' destinations (expanding their folders) or the path.
    void selectTreeViewItemAndExpandFolder(QList<KvFileListCreator::PathPair> pairs);
    void selectTreeViewItemAndExpandFolder(QString path);
    void selectTreeViewItemAndExpandFolder(Kova::KvThumbnail::FileProperty property);
    void onLibraryFileOperationDiscontinued();
    void showNotUseFileSystemWatcher();

    // ---- Plug-in screens: the chooser of a new extended screen, the selection's plug-in
    // actions between a menu's plug-in separators while it is open, and plug-in changes and
    // content requests turned into undo commands ----
    void showPluginChooserForExtendedScreen();
    void appendPluginScreenActionsToMenu(QMenu* menu);
    void appendPluginSequenceActionsToMenu(QMenu* menu);
    void purgePluginActionsFromMenu(QMenu* menu);
    void action_pluginScreenValuesUpdate(int screenId, QList<int> seqIndexList);
    void onPluginScreenValuesUpdated(int screenId, QList<int> seqIndexList);
    void onPluginScreenContentsAppendingRequested(int screenId, QMap<int, QVariant> contents);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void dockWidgetFloatingChanged(KvDockWidget* dock, bool floating);
    void onStageWidgetActivated();
    void onSequenceWidgetActivated();
    void onBeforeRemoveScreen();
    void onCurrentStageTabChanged(KvStageWorkingArea* workingArea);
    void restoreDockWidgetSetting(bool useDefault = false, bool showStageChooser = false);
    void onGraphicsScenePurged(QGraphicsScene* scene);
    void onGraphicsScenePurged(QList<QGraphicsScene*> sceneList);
    void clearLibraryUndoStack();

    // Menu hooks
    void onBeforeFileMenuShown();
    void onBeforeEditMenuShown();
    void onBeforeScreenMenuShown();
    void onBeforeScreenMenuHidden();
    void onBeforeSequenceMenuShown();
    void onBeforeSequenceMenuHidden();
    void onBeforeWindowMenuShown();
    void onBeforeContextStageMenuShown();
    void onBeforeContextStageMenuHidden();
    void onBeforeContextSequenceMainViewMenuShown();
    void onBeforeContextSequenceMainViewMenuHidden();
    void menuBeforeOpenningCheckOnStage();

    // ---- Stage documents ----
    void showStageChooser();
    void showStageCreator();
    bool saveCurrentStage();
    void saveCurrentStageAs();
    void closeCurrentStageTab();
    void closeAllStageTab();
    void onUnsavedStateChanged(int tabIndex, bool unsaved);
    void onFirstStageTabAdded();
    void onAllStageTabClosed();

    // ---- Plug-in screens ----
    void usePluginGui(KvPluginGuiInterface* gui);

private:
    bool setup();
    void wireStageWidget();
    void wirePanels();
    // Builds the main menus, their submenus and the context menus from the menu tables.
    void createMenus();
    void saveUserSettings();
    void trashToEmpty();
    // An operator of `type` with the settings every library operation shares.
    KvLibraryFileOperator* createLibraryFileOperator(int type, bool refreshLibrary);

    // The actions that need an open stage.
    void setStageTabRelatedActionEnabled(bool enabled);

    void setActionEnabled(const QString& name, bool enabled);
    // Command availability: the facts a check needs, applying its answer, and both.
    KvCommandAvailability::State availabilityState(KvCommandAvailability::Check check) const;
    void applyAvailability(const QList<KvCommandAvailability::Change>& changes);
    void runCheck(KvCommandAvailability::Check check);
    // Pushes the move of the selected media within their row (Commands::KvMediaMovePlan).
    void moveSelectedMediaInRow(int move);
    // The media count of the current timeline's row, or -1 without that row.
    int sequenceRowCount(int screenIndex) const;
    QAction* getAction(const QString& name) const;
    static QAction* getAction(QMenu* menu, const QString& name);
    static QMenu* getMenu(QList<QMenu*>& list, const QString& name);

    QPointer<QMainWindow> m_mainWindow;
    QPointer<KvStageWidget> m_stageWidget;
    KvDockLayout m_docks;
    QUndoStack* m_libraryUndoStack = nullptr;
    QUndoGroup* m_undoGroup = nullptr;
    QList<QMenu*> m_menuList;
    QList<QMenu*> m_subMenuList;
    QList<QAction*> m_actionList;
    QMenu* m_stageContextMenu = nullptr;
    QMenu* m_sequenceLabelContextMenu = nullptr;
    QMenu* m_sequenceMainViewContextMenu = nullptr;
    int m_activeSide = StageSide;
    KvUsingFileList* m_usingStageList = nullptr;
    KvUsingFileList* m_usingContentList = nullptr;
    QMap<KvPluginGuiInterface*, bool> m_pluginGuiMap;
};

} // namespace Kova
