#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QPair>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

#include "kvstageworkingarea.h"

class QAction;
class QGraphicsScene;
class QTabWidget;
class QToolBar;

namespace Kova {

class KvPreservedMedia;
class KvScreen;
class KvStage;
class KvStageEditor;

// The stage dock's body: a tool bar above one tab per open stage. Every screen and
// stage operation here acts on the current tab; without one it does nothing and
// returns an empty or default value.
class KvStageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit KvStageWidget(KvStageEditor* editor, QWidget* parent = nullptr);
    ~KvStageWidget() override;

    KvStageEditor* editor() const { return m_editor; }
    QToolBar* toolBar() const { return m_toolBar; }
    QTabWidget* tabWidget() const { return m_tabWidget; }
    QList<QAction*> actionList() const { return m_actionList; }
    void setActionList(const QList<QAction*>& actions) { m_actionList = actions; }

    // Tabs
    int addStage(KvStage* stage);
    int addStageTab(const QString& name, KvStage* stage);
    int currentTabIndex() const;
    int openedStageCount() const;
    KvStageWorkingArea* currentStageWorkingArea() const;
    KvStageWorkingArea* stageWorkingArea(int tabIndex) const;
    QList<KvStageWorkingArea*> stageWorkingAreaList() const;
    bool hasStageName(const QString& name) const;
    bool hasStageFileOpened(const QString& filePath) const;
    bool isCurrentStageChangedFromInitial() const;
    bool isFileUsingInOpenedStage(const QStringList& paths, QPair<QString, QString>* found,
                                  Qt::CaseSensitivity caseSensitivity) const;
    QList<QGraphicsScene*> takeGraphicsScenes();
    QString tabLabel(int tabIndex) const;

    // Screens
    KvScreen* addMultimediaScreen();
    KvScreen* addTelopScreen();
    KvScreen* addExtendedScreen(const QString& pluginId);
    void addScreen(KvScreen* screen);
    void addScreen(const QList<KvScreen*>& screens);
    void removeScreen(KvScreen* screen);
    void removeScreens(const QList<KvScreen*>& screens);
    QList<KvScreen*> removeSelectedScreens();
    QList<KvScreen*> screens() const;
    QList<KvScreen*>* screenListObject() const;
    QList<KvScreen*> selectedScreens() const;
    void selectScreenItem(const QList<KvScreen*>& screens, bool deselectOthers = true,
                          bool repaint = true);
    void clearScreenSelection();
    bool hasSelectedItem() const;
    bool hasLockedScreenItemInSelection() const;
    QMap<KvScreen*, QPointF> selectedScreenMoved();
    QMap<KvScreen*, QRectF> selectedScreenResized();
    void updateScreenItemBackColor(const QList<KvScreen*>& screens);
    void updateScreenItemName(KvScreen* screen);
    void updateScreenItemPos(const QList<KvScreen*>& screens);
    void updateScreenItemRect(const QList<KvScreen*>& screens);
    void updateScreenItemZIndex(const QMap<KvScreen*, bool>& selection);
    void updateSelectedHandle();

    // Screen clipboard
    bool canCopyScreen() const;
    bool canDeleteScreen() const;
    bool canPasteScreen() const;
    QList<KvScreen*> copyScreen();
    QList<KvScreen*> pasteScreen();
    void clearClipboardForScreen();
    const QList<KvScreen*>& clipboardScreens() const { return *m_clipboard; }
    // The clipboard text of the screens, in the given order.
    static QString screenClipboardText(const QList<KvScreen*>& screens);

    // Stage setters; each returns the previous value.
    QColor setStageBackgroundColor(const QColor& color);
    QString setStageBackgroundImage(const QString& path, bool* unchanged);
    unsigned int setStageOptions(unsigned int options);
    QPointF setStagePos(const QPointF& pos);
    QSizeF setStageSize(const QSizeF& size);

    // What the owner lends every tab (see KvStageWorkingArea): open tabs take it at once,
    // tabs opened later when they are made.
    void setUndoMediaReader(const KvStageWorkingArea::UndoMediaReader& reader);
    void setExtendedScreenPluginResolver(
        const KvStageWorkingArea::ExtendedScreenPluginResolver& resolver);
    // The one switch for files dropped on screens (off at first): on, every tab takes such
    // drops and they reach requestAddMedia(QList<KvPreservedMedia*>&), whose receiver takes
    // the records over.
    void setMediaDropEnabled(bool enabled);
    bool isMediaDropEnabled() const { return m_mediaDropEnabled; }

    // Preview: the player program and its argument list. The list is handed to the
    // process as it is, so no character of the stage path can add or change arguments.
    static QString previewProgram();
    static QStringList previewArguments(const QString& stageFilePath, bool usePlatformPlayer);
    // The player type argument: the usePlatformPalyer value of the suite's configuration
    // file (KvEditorConfig::getConfig), true when there is no configuration.
    static bool usePlatformPlayerSetting();
    // Starts the player; by default detached with QProcess. Its outcome is not examined.
    using PreviewLauncher =
        std::function<bool(const QString& program, const QStringList& arguments)>;
    void setPreviewLauncher(PreviewLauncher launcher);

signals:
    void screenSelectionChanged(QList<KvScreen*> newSelection);
    void selectedRectChanged(QRectF rect);
    void mousePressed();
    void currentStageTabChanged(KvStage* stage);
    void currentStageTabChanged(KvStageWorkingArea* workingArea);
    void beforeRemoveScreen();
    void requestAddMedia(QList<KvPreservedMedia*>& mediaList);
    void closeButtonTriggerd();
    void stageAdded(int tabIndex);
    void stageTabClosed(KvStage* stage);
    void allStageTabClosed();
    void firstStageTabAdded();
    void graphicsScenePurged(QGraphicsScene* scene);
    void graphicsScenePurged(QList<QGraphicsScene*> sceneList);
    void takeGraphicsSceneFromSequenceWidget(const KvStage* stage, QGraphicsScene** scene);
    void unsavedStateChanged(int tabIndex, bool unsaved);

public slots:
    void setStageItemSize(QSizeF size);
    void setCurrentStageTab(int tabIndex);
    void onCurrentStageTabChanged(int tabIndex);
    void action_addMultimediaScreen();
    void action_addTelopScreen();
    void action_addExtendedScreen();
    void action_removeSerectedScreens();
    void action_selectedScreenMoved();
    void action_selectedScreenResized();
    void onStageContextMenuRequired(QPoint pos);
    void onScreenSelectionChanged(KvStageWorkingArea* area);
    void onSelectedRectChanged(QRectF rect);
    void setActionEnabled(bool enabled);
    void changeSelectedItemsPos(QPointF pos);
    void commitSelectedItemsPos();
    void changeSelectedItemsSize(QSizeF size);
    void commitSelectedItemsSize();
    void setSelectedItemName(QString& name);
    void onMousePressed();
    void onRequestAddMedia(QList<KvPreservedMedia*>& mediaList, KvScreen* screen);
    void onCloseButtonTriggerd();
    void onStageAdded(int tabIndex);
    void closeCurrentStage();
    void closeStageTab(int index);
    void closeAllStageTab();
    void onAllStageTabClosed();
    void onFirstStageTabAdded();
    void changeTabLabelNameToUnsavedState(int tabIndex = -1, bool unsavedState = true);
    void changeTabLabelNameToUnsavedState(QWidget* widget, bool unsavedState = true);
    void updateTabLabelNameFromStage(int tabIndex = -1);
    void updateTabLabelNameFromStage(QWidget* widget);
    void previewCurrentStage();

private slots:
    void onGraphicsScenePurged(QGraphicsScene* scene);

private:
    QWidget* dialogParent() const;
    QString stageFileName(const KvStage* stage) const;
    void createToolBar();
    QAction* createToolAction(const QString& objectName, const QString& text, const QString& icon);
    void addToolSpacer(bool expanding);
    // Asks whether to save a changed stage; returns false when a save was tried and failed.
    bool askToSave(KvStageWorkingArea* area, bool* saved = nullptr);
    void applyScreenPropertyToPlugin(KvStage* stage);
    KvScreen* createScreenOnCurrent(int type, const QString& pluginId);

    KvStageEditor* m_editor = nullptr;
    QToolBar* m_toolBar = nullptr;
    QTabWidget* m_tabWidget = nullptr;
    QList<KvScreen*>* m_clipboard = nullptr;
    QList<QAction*> m_actionList;
    KvStageWorkingArea::UndoMediaReader m_undoMediaReader;
    KvStageWorkingArea::ExtendedScreenPluginResolver m_extendedScreenPluginResolver;
    bool m_mediaDropEnabled = false;
    PreviewLauncher m_previewLauncher;
};

} // namespace Kova
