#include "kvstageeditor.h"

#include "addmedia.h"
#include "addscreen.h"
#include "changeevents.h"
#include "changescreenevent.h"
#include "changescreenname.h"
#include "changeselectedscreenbackcolor.h"
#include "changeselectedscreenflashplayertype.h"
#include "changeselectedscreengraphicstype.h"
#include "changeselectedscreenlocked.h"
#include "changeselectedscreenmovieplayertype.h"
#include "changeselectedscreenwebbrowsertype.h"
#include "changestagebackgroundcolor.h"
#include "changestagebackgroundimage.h"
#include "changestageoptions.h"
#include "changestagepos.h"
#include "copylibraryfile.h"
#include "copymediapropertytoothers.h"
#include "cutlibraryfile.h"
#include "kvavailabilityfacts.h"
#include "kvcommandavailability.h"
#include "kvcontentpreviewwidget.h"
#include "kvdocklayout.h"
#include "kvdockwidget.h"
#include "kveditdispatch.h"
#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kveditoruserconfig.h"
#include "kveditorwiring.h"
#include "kveventeditor.h"
#include "kveventssnapshot.h"
#include "kvextension.h"
#include "kvfilemanipulator.h"
#include "kvlibraryfileoperator.h"
#include "kvlibrarywidget.h"
#include "kvlibtreeview.h"
#include "kvmediamoveplan.h"
#include "kvmenutable.h"
#include "kvpluginchooserdialog.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginguiinterface.h"
#include "kvpluginguinotifier.h"
#include "kvpluginscreens.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvscreenarrangement.h"
#include "kvscreenitem.h"
#include "kvscreenpropertywidget.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvsequencecontainer.h"
#include "kvsinglefile.h"
#include "kvstage.h"
#include "kvstagedocuments.h"
#include "kvstagepropertywidget.h"
#include "kvstagescene.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvthumbnailasync.h"
#include "kvusingfilelist.h"
#include "libraryfileoperation.h"
#include "movelibraryfile.h"
#include "movemedia.h"
#include "movezindexofscreen.h"
#include "pastelibraryfile.h"
#include "pluginscreenvaluesupdate.h"
#include "removelibraryfile.h"
#include "removemedia.h"
#include "removeselectedscreens.h"
#include "renamelibraryfile.h"
#include "selectedscreenmoved.h"
#include "selectedscreenresized.h"
#include "stageresized.h"
#include "updatemediaproperties.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMetaMethod>
#include <QMimeData>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUrl>

#include <algorithm>
#include <exception>

namespace Kova {

// ---------------------------------------------------------------------------------------
// Construction and destruction
// ---------------------------------------------------------------------------------------

KvStageEditor::KvStageEditor(QMainWindow* mainWindow)
    : QObject(nullptr)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("StageEditor"));
    qRegisterMetaType<KvDockWidget*>("KvDockWidget*");
    m_libraryUndoStack = new QUndoStack(this);
    m_undoGroup = new QUndoGroup(this);
    setup();
}

KvStageEditor::~KvStageEditor()
{
    // The host keeps its help menu.
    takeHelpMenu();

    // Widgets still alive (close() was not run) go first: they refer to the editor.
    m_docks.destroyDocks(this);
    if (m_stageWidget) {
        m_stageWidget->removeEventFilter(this);
        m_stageWidget->disconnect(this);
        delete m_stageWidget.data();
    }

    qDeleteAll(m_menuList);
    m_menuList.clear();
    qDeleteAll(m_subMenuList);
    m_subMenuList.clear();
    m_actionList.clear();
    delete m_stageContextMenu;
    delete m_sequenceLabelContextMenu;
    delete m_sequenceMainViewContextMenu;
    delete m_libraryUndoStack;
    m_libraryUndoStack = nullptr;
    delete m_undoGroup;
    m_undoGroup = nullptr;
    delete m_usingStageList;
    delete m_usingContentList;
}

bool KvStageEditor::setup()
{
    try {
        if (m_mainWindow)
            m_mainWindow->setTabPosition(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea,
                                         QTabWidget::West);

        if (!m_usingContentList) {
            m_usingContentList = new KvUsingFileList(KvUsingFileList::UsingContent);
            m_usingContentList->setDataDir(dataDir());
        }
        if (!m_usingStageList) {
            m_usingStageList = new KvUsingFileList(KvUsingFileList::UsingStage);
            m_usingStageList->setDataDir(dataDir());
        }

        if (!m_stageWidget) {
            m_stageWidget = new KvStageWidget(this);
            m_stageWidget->setObjectName(QStringLiteral("StageWidget"));
            m_stageWidget->installEventFilter(this);
            wireStageWidget();
            m_stageWidget->setExtendedScreenPluginResolver(&KvPluginScreens::resolve);
            // Files dropped on a screen become new media through action_addMedia.
            m_stageWidget->setMediaDropEnabled(true);
        }

        m_docks.createDocks(this);
        for (KvDockWidget* dock : {libraryDock(), sequenceDock()})
            connect(dock, &KvDockWidget::dockFloatingChanged, this,
                    &KvStageEditor::dockWidgetFloatingChanged, Qt::QueuedConnection);

        if (sequenceContainer()) {
            connect(sequenceContainer(),
                    qOverload<QGraphicsScene*>(&KvSequenceContainer::graphicsScenePurged), this,
                    qOverload<QGraphicsScene*>(&KvStageEditor::onGraphicsScenePurged));
            connect(sequenceContainer(), &KvSequenceContainer::requestUsePluginGui, this,
                    &KvStageEditor::usePluginGui);
        }

        if (m_menuList.isEmpty()) {
            createMenus();
        }

        if (m_stageWidget && sequenceContainer()) {
            KvStageWorkingArea* area = m_stageWidget->currentStageWorkingArea();
            if (area && area->stage())
                sequenceContainer()->addStage(area->stage());
        }

        wirePanels();

        if (KvStage* stage = currentStage()) {
            if (stagePropertyWidget())
                stagePropertyWidget()->onCurrentStageChanged(stage);
        }

        connect(this, &KvStageEditor::requestRestoreDockWidgetSetting, this,
                &KvStageEditor::restoreDockWidgetSetting, Qt::QueuedConnection);
        connect(this, &KvStageEditor::requestToShowStageChooser, this,
                &KvStageEditor::showStageChooser, Qt::QueuedConnection);
        connect(this, &KvStageEditor::requestClearLibraryUndoStack, this,
                &KvStageEditor::clearLibraryUndoStack, Qt::QueuedConnection);
    } catch (...) {
        return false;
    }
    return true;
}

void KvStageEditor::wireStageWidget()
{
    using W = KvStageWidget;
    KvStageWidget* sw = m_stageWidget;
    connect(sw, &W::mousePressed, this, &KvStageEditor::onStageWidgetActivated);
    connect(sw, &W::beforeRemoveScreen, this, &KvStageEditor::onBeforeRemoveScreen);
    connect(sw, qOverload<QGraphicsScene*>(&W::graphicsScenePurged), this,
            qOverload<QGraphicsScene*>(&KvStageEditor::onGraphicsScenePurged));
    connect(sw, qOverload<QList<QGraphicsScene*>>(&W::graphicsScenePurged), this,
            qOverload<QList<QGraphicsScene*>>(&KvStageEditor::onGraphicsScenePurged));
    connect(sw, &W::unsavedStateChanged, this, &KvStageEditor::onUnsavedStateChanged);
    connect(sw, qOverload<KvStageWorkingArea*>(&W::currentStageTabChanged), this,
            &KvStageEditor::onCurrentStageTabChanged);
    connect(sw, &W::allStageTabClosed, this, &KvStageEditor::onAllStageTabClosed);
    connect(sw, &W::firstStageTabAdded, this, &KvStageEditor::onFirstStageTabAdded);
    KvEditorWiring::connectStageWidget(*this);
}

void KvStageEditor::wirePanels()
{
    KvEditorWiring::connectPanels(*this);
    if (KvSequenceContainer* sequence = sequenceContainer()) {
        using S = KvSequenceContainer;
        connect(sequence, &S::mousePressed, this, &KvStageEditor::onSequenceWidgetActivated);
        connect(sequence, &S::seqScreenActivated, this, &KvStageEditor::onStageWidgetActivated);
    }
}

// ---------------------------------------------------------------------------------------
// Menus and actions
// ---------------------------------------------------------------------------------------

void KvStageEditor::createMenus()
{
    using E = KvStageEditor;
    KvMenuTable::Hooks hooks;
    hooks.fileShown = &E::onBeforeFileMenuShown;
    hooks.editShown = &E::onBeforeEditMenuShown;
    hooks.screenShown = &E::onBeforeScreenMenuShown;
    hooks.screenHidden = &E::onBeforeScreenMenuHidden;
    hooks.sequenceShown = &E::onBeforeSequenceMenuShown;
    hooks.sequenceHidden = &E::onBeforeSequenceMenuHidden;
    hooks.windowShown = &E::onBeforeWindowMenuShown;
    hooks.stageContextShown = &E::onBeforeContextStageMenuShown;
    hooks.stageContextHidden = &E::onBeforeContextStageMenuHidden;
    hooks.editCheck = &E::menuBeforeOpenningCheckOnStage;
    hooks.mainViewContextShown = &E::onBeforeContextSequenceMainViewMenuShown;
    hooks.mainViewContextHidden = &E::onBeforeContextSequenceMainViewMenuHidden;
    hooks.newStage = &E::showStageCreator;
    hooks.openStage = &E::showStageChooser;
    hooks.closeStage = &E::closeCurrentStageTab;
    hooks.closeAllStages = &E::closeAllStageTab;
    hooks.save = &E::saveCurrentStage;
    hooks.saveAs = &E::saveCurrentStageAs;

    m_menuList.clear();
    m_subMenuList.clear();
    m_actionList.clear();
    for (const KvMenuTable::Menu& table : KvMenuTable::mainMenus(hooks))
        m_menuList.append(KvMenuTable::build(this, table, m_subMenuList));

    QMenu** menus[] = {&m_stageContextMenu, &m_sequenceLabelContextMenu,
                       &m_sequenceMainViewContextMenu};
    const QList<KvMenuTable::ContextMenu> tables = KvMenuTable::contextMenus(hooks);
    for (int i = 0; i < tables.count(); ++i) {
        delete *menus[i];
        *menus[i] = KvMenuTable::build(this, tables.at(i), m_actionList, m_subMenuList);
    }
    if (KvSequenceContainer* sequence = sequenceContainer()) {
        sequence->setRaiseEventActions(
            KvMenuTable::actionsNamed(m_actionList, KvMenuTable::raiseEventActions()));
        sequence->setViewMenuActions(
            KvMenuTable::actionsNamed(m_actionList, KvMenuTable::viewMenuActions()));
    }
}

QList<QMenu*> KvStageEditor::menu() const
{
    return m_menuList;
}

void KvStageEditor::setHelpMenu(QMenu* menu)
{
    if (menu && !m_menuList.contains(menu))
        m_menuList.append(menu);
}

QMenu* KvStageEditor::takeHelpMenu()
{
    for (int i = 0; i < m_menuList.count(); ++i) {
        if (m_menuList.at(i) && m_menuList.at(i)->objectName() == QLatin1String("Menu_Help"))
            return m_menuList.takeAt(i);
    }
    return nullptr;
}

void KvStageEditor::addActionToList(QAction* action)
{
    if (action && !m_actionList.contains(action))
        m_actionList.append(action);
}

QAction* KvStageEditor::getAction(const QString& name) const
{
    for (QAction* action : m_actionList) {
        if (action && action->objectName() == name)
            return action;
    }
    return nullptr;
}

QAction* KvStageEditor::getAction(QMenu* menu, const QString& name)
{
    if (!menu)
        return nullptr;
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

QMenu* KvStageEditor::getMenu(QList<QMenu*>& list, const QString& name)
{
    for (QMenu* menu : list) {
        if (menu && menu->objectName() == name)
            return menu;
    }
    return nullptr;
}

void KvStageEditor::showStageContextMenu(QPoint pos)
{
    if (m_stageContextMenu)
        m_stageContextMenu->exec(pos);
}

void KvStageEditor::showSequenceLabelContextMenu(QPoint pos)
{
    if (m_sequenceLabelContextMenu)
        m_sequenceLabelContextMenu->exec(pos);
}

void KvStageEditor::showSequenceMainViewContextMenu(QPoint pos)
{
    if (m_sequenceMainViewContextMenu)
        m_sequenceMainViewContextMenu->exec(pos);
}

void KvStageEditor::action_setVisibleStageProperty(bool visible)
{
    if (stagePropertyDock())
        stagePropertyDock()->setVisible(visible);
}

void KvStageEditor::action_setVisibleScreenProperty(bool visible)
{
    if (screenPropertyDock())
        screenPropertyDock()->setVisible(visible);
}

void KvStageEditor::action_setVisibleSequence(bool visible)
{
    if (sequenceDock())
        sequenceDock()->setVisible(visible);
}

void KvStageEditor::action_setVisibleContentPreview(bool visible)
{
    if (contentPreviewDock())
        contentPreviewDock()->setVisible(visible);
}

void KvStageEditor::action_setVisibleLibrary(bool visible)
{
    if (libraryDock())
        libraryDock()->setVisible(visible);
}

void KvStageEditor::onBeforeWindowMenuShown()
{
    const QList<QPair<const char*, KvDockWidget*>> entries = {
        {"Action_Set_Visible_Stage_Property", stagePropertyDock()},
        {"Action_Set_Visible_Screen_Property", screenPropertyDock()},
        {"Action_Set_Visible_Content_Preview", contentPreviewDock()},
        {"Action_Set_Visible_Library", libraryDock()},
        {"Action_Set_Visible_Sequence", sequenceDock()}};
    for (const auto& entry : entries) {
        QAction* action = getAction(QLatin1String(entry.first));
        if (!action)
            continue;
        // Only the mark follows the dock; the dock itself must not be touched here.
        const QSignalBlocker blocker(action);
        action->setChecked(entry.second && entry.second->isVisible());
    }
}

// ---------------------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------------------

bool KvStageEditor::exec()
{
    m_docks.attach(m_mainWindow, m_stageWidget);
    emit requestRestoreDockWidgetSetting(false, true);
    if (libraryWidget() && !libraryWidget()->isFileWatcherInstalled())
        QTimer::singleShot(1, this, &KvStageEditor::showNotUseFileSystemWatcher);
    return true;
}

KvStageEditor::DockSizes KvStageEditor::defaultDockSizes(int mainWindowHeight)
{
    DockSizes sizes;
    const int a = static_cast<int>(mainWindowHeight * 0.25 * 3.0);
    const int b = static_cast<int>(a * 0.5);
    sizes.stageProperty = std::max(b, 256);
    sizes.screenProperty = std::max(b, 272);
    sizes.library = a - 256;
    sizes.contentPreview = 256;
    if (a - 256 < 288) {
        sizes.library = 288;
        sizes.contentPreview = a - 288;
    }
    sizes.sequence = std::max(mainWindowHeight - sizes.screenProperty - sizes.stageProperty, 128);
    return sizes;
}

void KvStageEditor::restoreDockWidgetSetting(bool useDefault, bool showStageChooser)
{
    if (m_mainWindow) {
        m_docks.applyDefaultSizes(m_mainWindow);
        if (!useDefault)
            m_docks.restore(m_mainWindow, QStringLiteral("StageEditor"));
    }
    if (showStageChooser)
        emit requestToShowStageChooser();
}

void KvStageEditor::windowsToDefaultPosition()
{
    m_docks.toDefaultPosition(m_mainWindow, m_stageWidget);
    emit requestRestoreDockWidgetSetting(true, false);
}

void KvStageEditor::dockWidgetFloatingChanged(KvDockWidget* dock, bool floating)
{
    if (!dock || !floating)
        return;
    // A dock that turned into a window must be told again that it takes drops.
    dock->setAcceptDrops(false);
    dock->setAcceptDrops(true);
}

void KvStageEditor::adjustWidgetSize()
{
    if (libraryWidget())
        libraryWidget()->adjustWidgetSize();
}

// ---------------------------------------------------------------------------------------
// Accessors
// ---------------------------------------------------------------------------------------

QMainWindow* KvStageEditor::mainWindow() const
{
    return m_mainWindow;
}

void KvStageEditor::setMainWindow(QMainWindow* mainWindow)
{
    m_mainWindow = mainWindow;
}

KvStageWidget* KvStageEditor::stageWidget() const
{
    return m_stageWidget;
}

KvStage* KvStageEditor::currentStage() const
{
    if (!m_stageWidget)
        return nullptr;
    KvStageWorkingArea* area = m_stageWidget->currentStageWorkingArea();
    return area ? area->stage() : nullptr;
}

QString KvStageEditor::dataDir() const
{
    return KvEditorConfig::dataDir();
}

QList<KvScreen*> KvStageEditor::selectedScreens() const
{
    return m_stageWidget ? m_stageWidget->selectedScreens() : QList<KvScreen*>();
}

bool KvStageEditor::hasLockedScreenItemInSelection() const
{
    return m_stageWidget && m_stageWidget->hasLockedScreenItemInSelection();
}

void KvStageEditor::changeScreenSelection(QList<KvScreen*> screens)
{
    if (m_stageWidget)
        m_stageWidget->selectScreenItem(screens, true, true);
}

// ---------------------------------------------------------------------------------------
// Undo arrangement and edit dispatch
// ---------------------------------------------------------------------------------------

void KvStageEditor::addUndoStack(QUndoStack* stack)
{
    if (stack && m_undoGroup)
        m_undoGroup->addStack(stack);
}

void KvStageEditor::setActiveUndoStack(QUndoStack* stack)
{
    if (m_undoGroup)
        m_undoGroup->setActiveStack(stack);
}

bool KvStageEditor::pushUndoCommand(QUndoCommand* command)
{
    if (!command)
        return false;
    QUndoStack* stack = m_undoGroup ? m_undoGroup->activeStack() : nullptr;
    if (!stack) {
        delete command;
        return false;
    }
    stack->push(command);
    return true;
}

void KvStageEditor::onCurrentStageTabChanged(KvStageWorkingArea* workingArea)
{
    if (workingArea && workingArea->undoStack())
        setActiveUndoStack(workingArea->undoStack());
}

bool KvStageEditor::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::NonClientAreaMouseButtonPress) {
        if (watched && watched == sequenceDock())
            m_activeSide = SequenceSide;
        else if (watched && watched == m_stageWidget.data())
            m_activeSide = StageSide;
    }
    return QObject::eventFilter(watched, event);
}

void KvStageEditor::onStageWidgetActivated()
{
    m_activeSide = StageSide;
}

void KvStageEditor::onSequenceWidgetActivated()
{
    m_activeSide = SequenceSide;
}

void KvStageEditor::onBeforeRemoveScreen()
{
    if (sequenceContainer())
        sequenceContainer()->clearLastHoveredItem();
}

void KvStageEditor::action_undo()
{
    if (m_undoGroup)
        m_undoGroup->undo();
}

void KvStageEditor::action_redo()
{
    if (m_undoGroup)
        m_undoGroup->redo();
}

void KvStageEditor::action_copy()
{
    KvEditDispatch::copy(*this);
}

void KvStageEditor::action_cut()
{
    KvEditDispatch::cut(*this);
}

void KvStageEditor::action_paste()
{
    KvEditDispatch::paste(*this);
}

void KvStageEditor::action_remove()
{
    if (m_activeSide == StageSide)
        action_removeSelectedScreens();
    else if (m_activeSide == SequenceSide)
        action_removeSelectedSeqMediaItems();
}

// ---------------------------------------------------------------------------------------
// Other actions
// ---------------------------------------------------------------------------------------

void KvStageEditor::action_quit()
{
    emit quitApp();
}

void KvStageEditor::action_closeStageEditor()
{
    close();
}

void KvStageEditor::action_showConfiguration()
{
    emit showConfiguration();
}

void KvStageEditor::action_showVersionInformation()
{
    emit showVersionInformation();
}

// A purged scene goes to whoever listens to the editor's signal (the host), which then owns
// it; with nobody listening the editor deletes it, or it would be lost.
void KvStageEditor::onGraphicsScenePurged(QGraphicsScene* scene)
{
    static const QMetaMethod signal =
        QMetaMethod::fromSignal(qOverload<QGraphicsScene*>(&KvStageEditor::graphicsScenePurged));
    if (isSignalConnected(signal))
        emit graphicsScenePurged(scene);
    else if (scene)
        scene->deleteLater();
}

void KvStageEditor::onGraphicsScenePurged(QList<QGraphicsScene*> sceneList)
{
    static const QMetaMethod signal = QMetaMethod::fromSignal(
        qOverload<QList<QGraphicsScene*>>(&KvStageEditor::graphicsScenePurged));
    if (isSignalConnected(signal)) {
        emit graphicsScenePurged(sceneList);
        return;
    }
    for (QGraphicsScene* scene : sceneList) {
        if (scene)
            scene->deleteLater();
    }
}

void KvStageEditor::clearLibraryUndoStack()
{
    if (m_libraryUndoStack)
        m_libraryUndoStack->clear();
}

void KvStageEditor::showMediaDuration(bool show)
{
    if (sequenceContainer())
        sequenceContainer()->showMediaDuration(show);
}

void KvStageEditor::changeSeqViewToNormalView()
{
    if (sequenceContainer())
        sequenceContainer()->changeViewToNormalView();
    if (QAction* action = getAction(QStringLiteral("Action_Normal_View")))
        action->setEnabled(false);
    if (QAction* action = getAction(QStringLiteral("Action_Time_View")))
        action->setEnabled(true);
}

void KvStageEditor::changeSeqViewToTimeView()
{
    if (sequenceContainer())
        sequenceContainer()->changeViewToTimeView();
    if (QAction* action = getAction(QStringLiteral("Action_Normal_View")))
        action->setEnabled(true);
    if (QAction* action = getAction(QStringLiteral("Action_Time_View")))
        action->setEnabled(false);
}

void KvStageEditor::showSequenceRaiseEventMenu()
{
    if (sequenceContainer())
        sequenceContainer()->showRaiseEventMenu();
}

void KvStageEditor::showSequenceListenEventMenu()
{
    if (sequenceContainer())
        sequenceContainer()->showListenEventMenu();
}

// ---------------------------------------------------------------------------------------
// Closing
// ---------------------------------------------------------------------------------------

void KvStageEditor::close()
{
    m_docks.store(m_mainWindow, objectName());
    saveUserSettings();
    if (m_stageWidget)
        m_stageWidget->closeAllStageTab();
    m_docks.deleteDocks(m_mainWindow, this);
    if (KvStageWidget* stageWidget = m_stageWidget) {
        stageWidget->disconnect();
        stageWidget->removeEventFilter(this);
        if (m_mainWindow && m_mainWindow->centralWidget() == stageWidget)
            m_mainWindow->takeCentralWidget();
        stageWidget->setParent(nullptr);
        stageWidget->deleteLater();
        m_stageWidget = nullptr;
    }
    trashToEmpty();
    emit closed();
}

void KvStageEditor::saveUserSettings()
{
    if (libraryWidget())
        libraryWidget()->saveSettings();
    QSettings* settings = KvEditorUserConfig::settings();
    if (!settings)
        return;
    QAction* showDuration = getAction(QStringLiteral("Action_Show_Duration"));
    QAction* normalView = getAction(QStringLiteral("Action_Normal_View"));
    settings->beginGroup(QStringLiteral("sequence"));
    settings->setValue(QStringLiteral("showDuration"), showDuration && showDuration->isChecked());
    settings->setValue(QStringLiteral("viewType"), normalView && normalView->isEnabled()
                                                       ? QStringLiteral("timeView")
                                                       : QStringLiteral("normalView"));
    settings->endGroup();
    settings->sync();
}

void KvStageEditor::trashToEmpty()
{
    const QString trash = QDir(dataDir()).absoluteFilePath(QStringLiteral("._kvtrash"));
    if (QFileInfo(trash).isDir())
        emit requestEmptyTrash(trash);
}

// ---------------------------------------------------------------------------------------
// Menu hooks and command availability
// ---------------------------------------------------------------------------------------

void KvStageEditor::onBeforeFileMenuShown()
{
    runCheck(KvCommandAvailability::Check::File);
}

void KvStageEditor::onBeforeEditMenuShown()
{
    menuBeforeOpenningCheckOnStage();
}

void KvStageEditor::onBeforeScreenMenuShown()
{
    arrangeMenuOpenningCheckOnStage();
    screenMenuBeforeOpenningCheck();
    appendPluginScreenActionsToMenu(getMenu(m_menuList, QStringLiteral("Menu_Screen")));
}

void KvStageEditor::onBeforeScreenMenuHidden()
{
    purgePluginActionsFromMenu(getMenu(m_menuList, QStringLiteral("Menu_Screen")));
}

void KvStageEditor::onBeforeSequenceMenuShown()
{
    arrangeMenuOpenningCheckOnSequence();
    appendPluginSequenceActionsToMenu(getMenu(m_menuList, QStringLiteral("Menu_Sequence")));
}

void KvStageEditor::onBeforeSequenceMenuHidden()
{
    purgePluginActionsFromMenu(getMenu(m_menuList, QStringLiteral("Menu_Sequence")));
}

void KvStageEditor::onBeforeContextStageMenuShown()
{
    menuBeforeOpenningCheckOnStage();
    arrangeMenuOpenningCheckOnStage();
    screenMenuBeforeOpenningCheck();
    appendPluginScreenActionsToMenu(m_stageContextMenu);
}

void KvStageEditor::onBeforeContextStageMenuHidden()
{
    purgePluginActionsFromMenu(m_stageContextMenu);
}

void KvStageEditor::onBeforeContextSequenceMainViewMenuShown()
{
    menuBeforeOpenningCheckOnStage();
    arrangeMenuOpenningCheckOnSequence();
    appendPluginSequenceActionsToMenu(m_sequenceMainViewContextMenu);
}

void KvStageEditor::onBeforeContextSequenceMainViewMenuHidden()
{
    purgePluginActionsFromMenu(m_sequenceMainViewContextMenu);
}

// Command availability: the shared actions' enabled states are settled here, just
// before a menu opens and after a selection changes, by the rules of
// KvCommandAvailability. A rule whose action is missing is skipped.
void KvStageEditor::setActionEnabled(const QString& name, bool enabled)
{
    if (QAction* action = getAction(name))
        action->setEnabled(enabled);
}

KvCommandAvailability::State
KvStageEditor::availabilityState(KvCommandAvailability::Check check) const
{
    return KvAvailabilityFacts::gather(*this, check);
}

void KvStageEditor::applyAvailability(const QList<KvCommandAvailability::Change>& changes)
{
    for (const KvCommandAvailability::Change& change : changes) {
        if (change.objectName.startsWith(QLatin1String("Menu_"))) {
            if (QMenu* menu = getMenu(m_subMenuList, change.objectName))
                menu->setEnabled(change.enabled);
        } else if (QAction* action = getAction(change.objectName)) {
            if (!change.text.isEmpty())
                action->setText(change.text);
            action->setEnabled(change.enabled);
        }
    }
}

void KvStageEditor::runCheck(KvCommandAvailability::Check check)
{
    applyAvailability(KvCommandAvailability::evaluate(check, availabilityState(check)));
}

void KvStageEditor::menuBeforeOpenningCheckOnStage()
{
    runCheck(KvCommandAvailability::Check::Edit);
}

void KvStageEditor::arrangeMenuOpenningCheckOnStage()
{
    runCheck(KvCommandAvailability::Check::StageArrangement);
}

void KvStageEditor::screenMenuBeforeOpenningCheck()
{
    runCheck(KvCommandAvailability::Check::Screen);
}

void KvStageEditor::arrangeMenuOpenningCheckOnSequence()
{
    runCheck(KvCommandAvailability::Check::Sequence);
}

bool KvStageEditor::canMoveMediaIndexPrevious() const
{
    return KvAvailabilityFacts::canMoveMediaIndexPrevious(*this);
}

bool KvStageEditor::canMoveMediaIndexNext() const
{
    return KvAvailabilityFacts::canMoveMediaIndexNext(*this);
}

bool KvStageEditor::canShowMediaProperty(bool* canCopyProperty) const
{
    return KvAvailabilityFacts::canShowMediaProperty(*this, canCopyProperty);
}

bool KvStageEditor::isAllSelectedScreenLocked() const
{
    return KvAvailabilityFacts::isAllSelectedScreenLocked(*this);
}

// ---------------------------------------------------------------------------------------
// Stage documents
// ---------------------------------------------------------------------------------------

void KvStageEditor::showStageChooser()
{
    KvStageDocuments::showChooser(*this);
}

void KvStageEditor::showStageCreator()
{
    KvStageDocuments::showCreator(*this);
}

void KvStageEditor::onStageHasBeenSelected(QStringList stageList)
{
    KvStageDocuments::open(*this, stageList);
}

void KvStageEditor::onStageCreated(KvStage* stage)
{
    KvStageDocuments::addCreated(*this, stage);
}

bool KvStageEditor::saveCurrentStage()
{
    return KvStageDocuments::save(*this);
}

void KvStageEditor::saveCurrentStageAs()
{
    KvStageDocuments::saveAs(*this);
}

void KvStageEditor::closeCurrentStageTab()
{
    if (m_stageWidget)
        m_stageWidget->closeCurrentStage();
}

void KvStageEditor::closeAllStageTab()
{
    if (m_stageWidget)
        m_stageWidget->closeAllStageTab();
}

void KvStageEditor::onUnsavedStateChanged(int tabIndex, bool unsaved)
{
    QAction* save = getAction(QStringLiteral("Action_Save_Stage"));
    if (!save || !m_stageWidget || tabIndex != m_stageWidget->currentTabIndex())
        return;
    save->setEnabled(unsaved);
}

void KvStageEditor::onFirstStageTabAdded()
{
    setStageTabRelatedActionEnabled(true);
}

void KvStageEditor::onAllStageTabClosed()
{
    setStageTabRelatedActionEnabled(false);
}

void KvStageEditor::setStageTabRelatedActionEnabled(bool enabled)
{
    applyAvailability(KvCommandAvailability::stageTabChanges(enabled));
    if (stagePropertyWidget())
        stagePropertyWidget()->setPropertyContentAreaEnabled(enabled);
}

void KvStageEditor::createUsingStageList(QWidget* dialogParent)
{
    KvStageDocuments::buildUsingStageList(*this, dialogParent);
}

void KvStageEditor::createUsingContentList(QWidget* dialogParent)
{
    KvStageDocuments::buildUsingContentList(*this, dialogParent);
}

void KvStageEditor::onUsingStageListFinished()
{
    emit usingStageListCreationFinished();
}

void KvStageEditor::onUsingContentListFinished()
{
    emit usingContentListCreationFinished();
}

void KvStageEditor::previewStage()
{
    if (m_stageWidget)
        m_stageWidget->previewCurrentStage();
}

void KvStageEditor::action_previewStage()
{
    previewStage();
}

// ---------------------------------------------------------------------------------------
// Media operations
// ---------------------------------------------------------------------------------------

void KvStageEditor::addMedia(QList<KvPreservedMedia*>& mediaList)
{
    if (!sequenceContainer())
        return;
    sequenceContainer()->addMedia(mediaList);
    arrangeMenuOpenningCheckOnSequence();
}

void KvStageEditor::removeMedia(QList<KvPreservedMedia*>& mediaList, bool deleteMedia)
{
    QList<QPair<int, int>> indices;
    indices.reserve(mediaList.size());
    for (const KvPreservedMedia* record : qAsConst(mediaList)) {
        if (record)
            indices.append(qMakePair(record->screenIndex(), record->sequenceIndex()));
    }
    removeMedia(indices, deleteMedia);
}

void KvStageEditor::removeMedia(QList<QPair<int, int>>& indices, bool deleteMedia)
{
    if (!sequenceContainer())
        return;
    sequenceContainer()->removeMedia(indices, deleteMedia);
    arrangeMenuOpenningCheckOnSequence();
}

void KvStageEditor::moveMedia(QList<KvMovedIndex>& entries)
{
    if (sequenceContainer())
        sequenceContainer()->moveMedia(entries);
}

void KvStageEditor::updateMediaProperties(const KvMedia& media, int screenIndex, int sequenceIndex)
{
    if (sequenceContainer())
        sequenceContainer()->updateMediaProperties(media, screenIndex, sequenceIndex);
}

void KvStageEditor::copyMediaPropertyExceptUri(const KvMedia* source, int dstScreenId,
                                               QList<int> dstIndices,
                                               QMap<int, KvMedia*>* preserved)
{
    if (sequenceContainer())
        sequenceContainer()->copyMediaPropertyExceptUri(source, dstScreenId, dstIndices, preserved);
}

void KvStageEditor::restoreMediaPropertyExceptUri(int screenId, QMap<int, KvMedia*>* preserved)
{
    if (sequenceContainer())
        sequenceContainer()->restoreMediaPropertyExceptUri(screenId, preserved);
}

void KvStageEditor::clearSequenceMediaItemSelection()
{
    if (sequenceContainer())
        sequenceContainer()->clearSequenceMediaItemSelection();
}

void KvStageEditor::removeScreensFromSequence(QList<KvScreen*>& screens,
                                              QMap<KvScreen*, QList<int>>* mediaSelection)
{
    if (sequenceContainer() && !screens.isEmpty())
        sequenceContainer()->removeScreensFromSequence(screens, mediaSelection);
}

int KvStageEditor::sequenceRowCount(int screenIndex) const
{
    const KvSeqScreen* row =
        sequenceContainer() ? sequenceContainer()->rowAt(screenIndex) : nullptr;
    return row ? row->count() : -1;
}

void KvStageEditor::action_addMedia(QList<KvPreservedMedia*>& mediaList)
{
    // The records are taken over: the command keeps them, and a command that finds no
    // stack to go on deletes them with the media they own.
    const QList<KvPreservedMedia*> records = mediaList;
    mediaList.clear();
    if (!records.isEmpty())
        pushUndoCommand(new Commands::AddMedia(this, records));
}

void KvStageEditor::action_removeSelectedSeqMediaItems()
{
    if (!sequenceContainer())
        return;
    QList<KvPreservedMedia*> records;
    sequenceContainer()->collectSelectedMedia(records, false);
    if (records.isEmpty())
        return;
    // A plug-in screen may need a number of contents: deleting below it is refused.
    const KvScreen* screen = records.first()->media()->parent();
    const auto plugin = KvEditorCommon::getPluginExtScreenInterface(screen);
    const int minimum = plugin ? plugin->minimumContentCount() : 0;
    if (screen && screen->mediaCount() - records.count() < minimum) {
        // The records hold the media still in their screens.
        for (KvPreservedMedia* record : qAsConst(records))
            record->setOwnsMedia(false);
        qDeleteAll(records);
        QMessageBox::critical(
            m_mainWindow, tr("Notice"),
            tr("It can not be deleted.\nThis screen needs at least %1 content.").arg(minimum),
            QMessageBox::Ok);
        return;
    }
    pushUndoCommand(new Commands::RemoveMedia(this, records));
}

void KvStageEditor::action_moveSelectedMedia(int toScreenIndex, int toSequenceIndex,
                                             int basisScrIndex, int basisSeqIndex, bool* result)
{
    const QList<QPair<int, int>> selection = sequenceContainer()
                                                 ? sequenceContainer()->selectedMediaIndices()
                                                 : QList<QPair<int, int>>();
    const QList<KvMovedIndex> entries = Commands::KvMediaMovePlan::toDropPlace(
        selection, sequenceRowCount(toScreenIndex), toScreenIndex, toSequenceIndex, basisScrIndex,
        basisSeqIndex);
    if (result)
        *result = !entries.isEmpty();
    if (!entries.isEmpty())
        pushUndoCommand(new Commands::MoveMedia(this, entries));
}

void KvStageEditor::moveSelectedMediaInRow(int move)
{
    if (!sequenceContainer())
        return;
    const QList<QPair<int, int>> selection = sequenceContainer()->selectedMediaIndices();
    if (selection.isEmpty())
        return;
    const QList<KvMovedIndex> entries =
        Commands::KvMediaMovePlan::withinRow(selection, sequenceRowCount(selection.last().first),
                                             static_cast<Commands::KvMediaMovePlan::RowMove>(move));
    if (!entries.isEmpty())
        pushUndoCommand(new Commands::MoveMedia(this, entries));
}

void KvStageEditor::action_moveSelectedMediaToFirst()
{
    moveSelectedMediaInRow(Commands::KvMediaMovePlan::ToFirst);
}

void KvStageEditor::action_moveSelectedMediaToPrevious()
{
    moveSelectedMediaInRow(Commands::KvMediaMovePlan::ToPrevious);
}

void KvStageEditor::action_moveSelectedMediaToNext()
{
    moveSelectedMediaInRow(Commands::KvMediaMovePlan::ToNext);
}

void KvStageEditor::action_moveSelectedMediaToLast()
{
    moveSelectedMediaInRow(Commands::KvMediaMovePlan::ToLast);
}

void KvStageEditor::action_updateMediaProperties(KvSeqMediaItem* item, KvMedia media)
{
    if (!sequenceContainer() || !item || !item->media())
        return;
    int screenIndex = -1;
    const int index = sequenceContainer()->indexOfMediaItem(item, &screenIndex);
    if (index < 0 || screenIndex < 0)
        return;
    pushUndoCommand(new Commands::UpdateMediaProperties(this, KvMedia(*item->media()), media,
                                                        screenIndex, index));
}

void KvStageEditor::action_copyMediaPropertyToOthers(const KvMedia* source, int destScreenId,
                                                     QList<int> destIndices)
{
    pushUndoCommand(
        new Commands::CopyMediaPropertyToOthers(this, source, destScreenId, destIndices));
}

void KvStageEditor::createThumbnail(QStringList& paths, bool force)
{
    for (const QString& path : qAsConst(paths)) {
        const QFileInfo info(KvEditorConfig::getAbsolutePath(path));
        if (!info.isFile()) {
            continue;
        }
        const QString absolute = info.absoluteFilePath();
        if (!force && QFileInfo::exists(KvThumbnail::thumbnailFilePath(absolute))) {
            continue;
        }
        auto* worker = new KvThumbnailAsync(absolute, true);
        connect(worker, &KvThumbnailAsync::finished, this,
                qOverload<KvThumbnail::FileProperty>(&KvStageEditor::updateLibrary),
                Qt::QueuedConnection);
        connect(worker, &KvThumbnailAsync::finished, this, &KvStageEditor::updateSequenceMedia,
                Qt::QueuedConnection);
        worker->start();
    }
}

void KvStageEditor::createThumbnail(QList<QFileInfo>& files, bool force)
{
    QStringList paths;
    for (const QFileInfo& info : qAsConst(files)) {
        paths.append(info.absoluteFilePath());
    }
    createThumbnail(paths, force);
}

void KvStageEditor::updateLibrary(KvThumbnail::FileProperty property)
{
    updateLibrary(property.filePath);
}

void KvStageEditor::updateLibrary(QString path)
{
    if (libraryWidget())
        libraryWidget()->treeView()->updateItem(path);
}

void KvStageEditor::updateSequenceMedia(KvThumbnail::FileProperty property)
{
    if (sequenceContainer()) {
        sequenceContainer()->onFilePropertyUpdated(property);
    }
}

void KvStageEditor::action_createThumbnail(bool force)
{
    if (!libraryWidget())
        return;
    QStringList paths = libraryWidget()->treeView()->selectedFilePaths(false);
    if (!paths.isEmpty())
        createThumbnail(paths, force);
}

void KvStageEditor::action_createThumbnailForce()
{
    action_createThumbnail(true);
}

void KvStageEditor::showContentProperty()
{
    if (!sequenceContainer())
        return;
    const QList<KvSeqMediaItem*> selected = sequenceContainer()->selectedMediaItems();
    if (selected.count() == 1)
        sequenceContainer()->showMediaItemProperty(selected.first());
}

void KvStageEditor::showCopyContentPropertyDialog()
{
    if (!sequenceContainer())
        return;
    const QList<KvSeqMediaItem*> selected = sequenceContainer()->selectedMediaItems();
    if (selected.count() == 1)
        sequenceContainer()->showCopyMediaItemProperty(selected.first());
}

// ---------------------------------------------------------------------------------------
// Library files: commands on the library undo stack and the file operations they run
// ---------------------------------------------------------------------------------------

namespace {
// Copy and move into the data folder itself would put files beside the library folders.
bool isDataDirRoot(const QString& path, const QString& dataDir)
{
    return QDir::cleanPath(path).compare(QDir::cleanPath(dataDir), Qt::CaseInsensitive) == 0;
}
} // namespace

void KvStageEditor::action_copyLibraryFile(QList<KvFileListCreator::PathPair>& pairs)
{
    m_libraryUndoStack->push(new Commands::CopyLibraryFile(this, pairs));
}

void KvStageEditor::action_copyLibraryFile(QStringList& srcPaths, QString& dstPath)
{
    if (!isDataDirRoot(dstPath, dataDir()))
        m_libraryUndoStack->push(new Commands::PasteLibraryFile(this, srcPaths, dstPath, 0));
}

void KvStageEditor::action_moveLibraryFile(QStringList& srcPaths, QString& dstPath)
{
    if (!isDataDirRoot(dstPath, dataDir()))
        m_libraryUndoStack->push(new Commands::MoveLibraryFile(this, srcPaths, dstPath));
}

void KvStageEditor::action_cutLibraryFile(QStringList& paths)
{
    m_libraryUndoStack->push(new Commands::CutLibraryFile(this, paths));
}

void KvStageEditor::action_removeLibraryFile(QStringList& paths)
{
    m_libraryUndoStack->push(new Commands::RemoveLibraryFile(this, paths));
}

void KvStageEditor::action_renameFile(QString dirPath, QString oldName, QString newName)
{
    m_libraryUndoStack->push(new Commands::RenameLibraryFile(this, dirPath, oldName, newName));
}

void KvStageEditor::action_undoLibrary()
{
    if (m_libraryUndoStack)
        m_libraryUndoStack->undo();
}

void KvStageEditor::action_redoLibrary()
{
    if (m_libraryUndoStack)
        m_libraryUndoStack->redo();
}

bool KvStageEditor::checkUsingFileForRenaming(QString path, bool* ok, bool* notReady)
{
    bool okValue = false;
    bool notReadyValue = true;
    if (m_usingContentList && m_usingContentList->state() == KvUsingFileList::NotCreated) {
        createUsingContentList(mainWindow());
    } else if (m_usingContentList && m_usingContentList->state() != KvUsingFileList::Creating) {
        notReadyValue = false;
        KvLibraryFileOperator checker(KvLibraryFileOperator::Rename);
        checker.setFileList(QStringList(path));
        checker.setDataDir(dataDir());
        checker.setDialogParent(mainWindow());
        checker.setStageWidget(stageWidget());
        checker.setUsingFileList(m_usingContentList);
        okValue = !(checker.isFileUsingInOpenedStage() || checker.isFileUsingInSavedStage());
    }
    if (ok)
        *ok = okValue;
    if (notReady)
        *notReady = notReadyValue;
    return okValue;
}

void KvStageEditor::createThumbnail(QList<KvFileListCreator::PathPair>& pairs, bool force)
{
    QStringList paths = Commands::LibraryFileOperation::destinations(pairs);
    createThumbnail(paths, force);
}

void KvStageEditor::setLibraryTrashFileToClipBoard(
    QList<KvFileListCreator::PathPair>& trashFileList)
{
    QList<QUrl> urls;
    for (const KvFileListCreator::PathPair& pair : qAsConst(trashFileList))
        urls.append(QUrl::fromLocalFile(pair.second));
    auto* mime = new QMimeData;
    mime->setUrls(urls);
    mime->setData(
        KvEditorCommon::MIME_TYPE_FILE_OPERATION,
        QStringLiteral("FileOperation{%1};").arg(KvEditorCommon::FILE_OPERATION_COPY).toLatin1());
    QApplication::clipboard()->setMimeData(mime);
}

void KvStageEditor::updateAndSelectItems(QList<KvFileListCreator::PathPair> pairs)
{
    if (libraryWidget())
        libraryWidget()->updateAndSelectItems(pairs);
}

void KvStageEditor::selectTreeViewItemAndExpandFolder(QList<KvFileListCreator::PathPair> pairs)
{
    if (libraryWidget())
        libraryWidget()->treeView()->selectPathPairs(pairs);
}

void KvStageEditor::selectTreeViewItemAndExpandFolder(QString path)
{
    if (libraryWidget())
        libraryWidget()->treeView()->selectPath(path);
}

void KvStageEditor::selectTreeViewItemAndExpandFolder(KvThumbnail::FileProperty property)
{
    selectTreeViewItemAndExpandFolder(property.filePath);
}

void KvStageEditor::onLibraryFileOperationDiscontinued()
{
    emit requestClearLibraryUndoStack();
}

QString KvStageEditor::trashPath() const
{
    const QString dir = dataDir();
    if (dir.isEmpty())
        return QString();
    return dir + QLatin1Char('/') + QStringLiteral("._kvtrash");
}

KvLibraryFileOperator* KvStageEditor::createLibraryFileOperator(int type, bool refreshLibrary)
{
    auto* fileOperator = new KvLibraryFileOperator(type, this);
    if (type != KvLibraryFileOperator::Rename)
        fileOperator->setTrashPath(trashPath());
    fileOperator->setDataDir(dataDir());
    fileOperator->setDialogParent(mainWindow());
    fileOperator->setStageWidget(stageWidget());
    fileOperator->setUsingFileList(m_usingContentList);
    connect(fileOperator, &KvLibraryFileOperator::discontinued, this,
            &KvStageEditor::onLibraryFileOperationDiscontinued);
    if (refreshLibrary)
        connect(fileOperator, &KvLibraryFileOperator::operationFinished, this,
                &KvStageEditor::updateAndSelectItems);
    connect(fileOperator, &KvLibraryFileOperator::finished, fileOperator, &QObject::deleteLater);
    return fileOperator;
}

void KvStageEditor::copyFileTo(QList<KvFileListCreator::PathPair>& pairs,
                               Commands::LibraryFileOperation* command)
{
    KvLibraryFileOperator* fileOperator =
        createLibraryFileOperator(KvLibraryFileOperator::Copy, true);
    fileOperator->setPathPairList(pairs);
    fileOperator->setCommand(command);
    fileOperator->exec();
}

void KvStageEditor::copyFileTo(QStringList files, QString destination,
                               Commands::LibraryFileOperation* command)
{
    KvLibraryFileOperator* fileOperator =
        createLibraryFileOperator(KvLibraryFileOperator::Copy, true);
    fileOperator->setFileList(files);
    fileOperator->setDestination(destination);
    fileOperator->setCommand(command);
    fileOperator->exec();
}

void KvStageEditor::moveFileTo(QList<KvFileListCreator::PathPair>& pairs, bool useTrash)
{
    KvLibraryFileOperator* fileOperator =
        createLibraryFileOperator(KvLibraryFileOperator::Move, true);
    fileOperator->setPathPairList(pairs);
    fileOperator->setUseTrash(useTrash);
    fileOperator->exec();
}

void KvStageEditor::moveFileTo(QStringList files, QString destination,
                               Commands::LibraryFileOperation* command, bool useTrash)
{
    KvLibraryFileOperator* fileOperator =
        createLibraryFileOperator(KvLibraryFileOperator::Move, true);
    fileOperator->setFileList(files);
    fileOperator->setDestination(destination);
    fileOperator->setCommand(command);
    fileOperator->setUseTrash(useTrash);
    fileOperator->exec();
}

void KvStageEditor::removeFile(QStringList files, Commands::LibraryFileOperation* command,
                               bool useTrash)
{
    KvLibraryFileOperator* fileOperator =
        createLibraryFileOperator(KvLibraryFileOperator::Remove, true);
    fileOperator->setFileList(files);
    fileOperator->setCommand(command);
    fileOperator->setUseTrash(useTrash);
    fileOperator->exec();
}

void KvStageEditor::removeFile(QStringList files, bool useTrash)
{
    auto* manipulator = new KvFileManipulator(
        files, QString(),
        KvLibraryFileOperator::manipulatorOperationType(KvLibraryFileOperator::Remove), 3000,
        mainWindow());
    if (useTrash)
        manipulator->setTrashPath(trashPath());
    connect(manipulator, &KvFileManipulator::closed, manipulator, &QObject::deleteLater);
    manipulator->exec();
    removeFile(files, nullptr, useTrash);
}

void KvStageEditor::cutFile(QStringList files, Commands::LibraryFileOperation* command)
{
    KvLibraryFileOperator* fileOperator =
        createLibraryFileOperator(KvLibraryFileOperator::Remove, true);
    fileOperator->setFileList(files);
    fileOperator->setCommand(command);
    fileOperator->setUseTrash(true);
    connect(fileOperator, &KvLibraryFileOperator::removingFinished, this,
            &KvStageEditor::setLibraryTrashFileToClipBoard);
    fileOperator->exec();
}

void KvStageEditor::renameFile(QString dirPath, QString oldName, QString newName,
                               Commands::LibraryFileOperation* command)
{
    KvLibraryFileOperator* fileOperator =
        createLibraryFileOperator(KvLibraryFileOperator::Rename, false);
    // An empty name stays empty, so that the operator refuses it instead of renaming onto
    // the folder's own path.
    const QDir dir(dirPath);
    if (!oldName.isEmpty())
        fileOperator->setFileList(QStringList(dir.absoluteFilePath(oldName)));
    if (!newName.isEmpty())
        fileOperator->setDestination(dir.absoluteFilePath(newName));
    fileOperator->setCommand(command);
    fileOperator->exec();
}

bool KvStageEditor::isFileUsingInOpenedStage(QStringList paths, QPair<QString, QString>* found,
                                             Qt::CaseSensitivity caseSensitivity)
{
    if (!stageWidget())
        return false;
    return stageWidget()->isFileUsingInOpenedStage(paths, found, caseSensitivity);
}

void KvStageEditor::syncThumbnailFile(QString oldPath, QString newPath)
{
    KvSingleFile::syncThumbnail(QFileInfo(oldPath), QFileInfo(newPath), KvSingleFile::Move, true);
}

void KvStageEditor::showNotUseFileSystemWatcher()
{
}

// ---------------------------------------------------------------------------------------
// Plug-in screens
// ---------------------------------------------------------------------------------------

void KvStageEditor::loadPlugins() const
{
    KvPluginScreens::loadPlugins();
}

bool KvStageEditor::hasExtndedScreenPlugin() const
{
    loadPlugins();
    return KvPluginScreens::hasExtendedScreenPlugin();
}

void KvStageEditor::showPluginChooserForExtendedScreen()
{
    KvPluginChooserDialog chooser(m_mainWindow, Qt::Dialog);
    chooser.setStage(currentStage());
    // Queued: the screen is added once the chooser has closed.
    connect(&chooser, &KvPluginChooserDialog::pluginSelected, this,
            &KvStageEditor::action_addExtendedScreen, Qt::QueuedConnection);
    chooser.exec();
}

void KvStageEditor::appendPluginScreenActionsToMenu(QMenu* menu)
{
    if (!menu || !m_stageWidget || !m_stageWidget->currentStageWorkingArea())
        return;
    const QList<KvScreen*> selected = selectedScreens();
    KvPluginScreens::insertActions(
        menu,
        KvPluginScreens::collectActions(selected, KvPluginScreens::ActionKind::Screen,
                                        [this](KvPluginGuiInterface* gui) { usePluginGui(gui); }));
}

void KvStageEditor::appendPluginSequenceActionsToMenu(QMenu* menu)
{
    if (!menu || !sequenceContainer() || !m_stageWidget ||
        !m_stageWidget->currentStageWorkingArea())
        return;
    const QList<KvScreen*> selected = selectedScreens();
    if (selected.count() != 1)
        return;
    KvPluginScreens::insertActions(
        menu,
        KvPluginScreens::collectActions(selected, KvPluginScreens::ActionKind::Sequence,
                                        [this](KvPluginGuiInterface* gui) { usePluginGui(gui); }));
}

void KvStageEditor::purgePluginActionsFromMenu(QMenu* menu)
{
    KvPluginScreens::purgeActions(menu);
}

void KvStageEditor::usePluginGui(KvPluginGuiInterface* gui)
{
    if (!gui || m_pluginGuiMap.value(gui))
        return;
    m_pluginGuiMap.insert(gui, true);
    KvPluginGuiNotifier* notifier = gui->notifier();
    if (!notifier)
        return;
    connect(notifier, &KvPluginGuiNotifier::screenValuesUpdated, this,
            &KvStageEditor::action_pluginScreenValuesUpdate);
    connect(notifier, &KvPluginGuiNotifier::requestAddContents, this,
            &KvStageEditor::onPluginScreenContentsAppendingRequested);
}

void KvStageEditor::action_pluginScreenValuesUpdate(int screenId, QList<int> seqIndexList)
{
    pushUndoCommand(new Commands::PluginScreenValuesUpdate(this, screenId, seqIndexList));
}

void KvStageEditor::onPluginScreenValuesUpdated(int screenId, QList<int> seqIndexList)
{
    KvStageWorkingArea* area = m_stageWidget ? m_stageWidget->currentStageWorkingArea() : nullptr;
    KvStage* stage = currentStage();
    KvScreen* screen = stage ? stage->getScreenObject(screenId) : nullptr;
    if (!area || !screen)
        return;
    KvEditorCommon::updateScreenFromPlugin(screen);
    m_stageWidget->changeTabLabelNameToUnsavedState(area, true);
    selectScreenItem(QList<KvScreen*>{screen}, true, true);
    KvSeqScreen* row = sequenceContainer()
                           ? sequenceContainer()->rowAt(stage->screenList().indexOf(screen))
                           : nullptr;
    for (int index : qAsConst(seqIndexList)) {
        if (KvSeqMediaItem* item = row ? row->itemAt(index) : nullptr)
            item->updatePluginPicture();
    }
}

void KvStageEditor::onPluginScreenContentsAppendingRequested(int screenId,
                                                             QMap<int, QVariant> contents)
{
    KvStage* stage = currentStage();
    if (contents.isEmpty() || !m_stageWidget || !m_stageWidget->currentStageWorkingArea() || !stage)
        return;
    KvScreen* screen = stage->getScreenObject(screenId);
    if (!screen)
        return;
    QList<KvPreservedMedia*> records =
        KvPluginScreens::contentRecords(screen, stage->screenList().indexOf(screen), contents);
    if (!records.isEmpty())
        action_addMedia(records);
}

// ---------------------------------------------------------------------------------------
// Stage canvas: screen operations, their actions and the layout operations

namespace {

template <typename T>
void setEach(const QList<KvScreen*>& screens, const T& value, QMap<KvScreen*, T>& old,
             T (KvScreen::*getter)() const, void (KvScreen::*setter)(T))
{
    for (KvScreen* screen : screens) {
        if (!screen)
            continue;
        old.insert(screen, (screen->*getter)());
        (screen->*setter)(value);
    }
}

template <typename T>
void restoreEach(const QMap<KvScreen*, T>& values, void (KvScreen::*setter)(T))
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        (it.key()->*setter)(it.value());
}

// Pushes the move of screens that an align or distribute has placed already; the command's
// first redo moves their items. Nothing moved: nothing to undo.
void pushArrangedScreens(KvStageEditor* editor, const QMap<KvScreen*, QPointF>& oldTopLefts)
{
    if (oldTopLefts.isEmpty())
        return;
    QMap<KvScreen*, QPointF> newTopLefts;
    for (auto it = oldTopLefts.cbegin(); it != oldTopLefts.cend(); ++it)
        newTopLefts.insert(it.key(), it.key()->rect().topLeft());
    editor->pushUndoCommand(new Commands::SelectedScreenMoved(editor, oldTopLefts, newTopLefts));
}

} // namespace

QList<KvScreen*> KvStageEditor::screens() const
{
    return m_stageWidget ? m_stageWidget->screens() : QList<KvScreen*>();
}

QList<KvScreen*>* KvStageEditor::screenListObject() const
{
    return m_stageWidget ? m_stageWidget->screenListObject() : nullptr;
}

void KvStageEditor::clearScreenSelection()
{
    if (m_stageWidget)
        m_stageWidget->clearScreenSelection();
}

void KvStageEditor::selectScreenItem(const QList<KvScreen*>& screens, bool deselectOthers,
                                     bool repaint)
{
    if (m_stageWidget)
        m_stageWidget->selectScreenItem(screens, deselectOthers, repaint);
}

QMap<KvScreen*, QPointF> KvStageEditor::selectedScreenMoved()
{
    return m_stageWidget ? m_stageWidget->selectedScreenMoved() : QMap<KvScreen*, QPointF>();
}

QMap<KvScreen*, QRectF> KvStageEditor::selectedScreenResized()
{
    return m_stageWidget ? m_stageWidget->selectedScreenResized() : QMap<KvScreen*, QRectF>();
}

void KvStageEditor::updateScreenItemName(KvScreen* screen)
{
    if (m_stageWidget)
        m_stageWidget->updateScreenItemName(screen);
}

void KvStageEditor::updateScreenItemPos(const QList<KvScreen*>& screens)
{
    if (m_stageWidget)
        m_stageWidget->updateScreenItemPos(screens);
}

void KvStageEditor::updateScreenItemRect(const QList<KvScreen*>& screens)
{
    if (m_stageWidget)
        m_stageWidget->updateScreenItemRect(screens);
}

void KvStageEditor::updateScreenItemZIndex(const QMap<KvScreen*, bool>& selection)
{
    if (!m_stageWidget)
        return;
    // Screen list and timeline rows stay in ascending z-index order.
    if (QList<KvScreen*>* list = m_stageWidget->screenListObject())
        KvEditorCommon::sortScreenByZIndexAscending(*list);
    m_stageWidget->updateScreenItemZIndex(selection);
    if (!sequenceContainer())
        return;
    // The rows of the restacked screens are rebuilt in their new places, keeping their
    // media selection.
    QList<KvScreen*> changed = selection.keys();
    QMap<KvScreen*, QList<int>> mediaSelection;
    sequenceContainer()->removeScreensFromSequence(changed, &mediaSelection);
    sequenceContainer()->addScreenToSequence(changed, false, false);
    sequenceContainer()->updateSequenceMediaItemSelection(mediaSelection);
    sequenceContainer()->onScreenSelectionChanged(selectedScreens());
}

void KvStageEditor::updateSelectedHandle()
{
    if (m_stageWidget)
        m_stageWidget->updateSelectedHandle();
}

KvScreen* KvStageEditor::addMultimediaScreen()
{
    KvScreen* screen = m_stageWidget ? m_stageWidget->addMultimediaScreen() : nullptr;
    if (screen)
        addScreenToSequence(screen, true, true);
    return screen;
}

KvScreen* KvStageEditor::addTelopScreen()
{
    KvScreen* screen = m_stageWidget ? m_stageWidget->addTelopScreen() : nullptr;
    if (screen)
        addScreenToSequence(screen, true, true);
    return screen;
}

KvScreen* KvStageEditor::addExtendedScreen(const QString& pluginId)
{
    KvScreen* screen = m_stageWidget ? m_stageWidget->addExtendedScreen(pluginId) : nullptr;
    if (screen)
        addScreenToSequence(screen, true, true);
    return screen;
}

void KvStageEditor::addScreen(KvScreen* screen)
{
    if (screen)
        addScreen(QList<KvScreen*>{screen});
}

void KvStageEditor::addScreen(const QList<KvScreen*>& screens)
{
    if (!m_stageWidget || screens.isEmpty())
        return;
    m_stageWidget->addScreen(screens);
    if (sequenceContainer()) {
        QList<KvScreen*> rows = screens;
        sequenceContainer()->addScreenToSequence(rows, true, true);
    }
}

void KvStageEditor::removeScreen(KvScreen* screen)
{
    if (screen)
        removeScreens(QList<KvScreen*>{screen}, nullptr);
}

void KvStageEditor::removeScreens(const QList<KvScreen*>& screens,
                                  QMap<KvScreen*, QList<int>>* mediaSelection)
{
    if (!m_stageWidget || screens.isEmpty())
        return;
    m_stageWidget->removeScreens(screens);
    if (sequenceContainer()) {
        QList<KvScreen*> rows = screens;
        sequenceContainer()->removeScreensFromSequence(rows, mediaSelection);
    }
}

QList<KvScreen*> KvStageEditor::removeSelectedScreen(QMap<KvScreen*, QList<int>>* mediaSelection)
{
    if (!m_stageWidget)
        return QList<KvScreen*>();
    QList<KvScreen*> removed = m_stageWidget->removeSelectedScreens();
    if (sequenceContainer() && !removed.isEmpty())
        sequenceContainer()->removeScreensFromSequence(removed, mediaSelection);
    return removed;
}

QMap<KvScreen*, QColor> KvStageEditor::changeScreenBackColor(const QList<KvScreen*>& screens,
                                                             const QColor& color)
{
    QMap<KvScreen*, QColor> old;
    for (KvScreen* screen : screens) {
        if (!screen)
            continue;
        old.insert(screen, screen->backgoundColor());
        screen->setBackgoundColor(color);
    }
    if (m_stageWidget)
        m_stageWidget->updateScreenItemBackColor(old.keys());
    return old;
}

void KvStageEditor::updateScreenBackColor(const QMap<KvScreen*, QColor>& colors)
{
    for (auto it = colors.cbegin(); it != colors.cend(); ++it)
        it.key()->setBackgoundColor(it.value());
    if (m_stageWidget)
        m_stageWidget->updateScreenItemBackColor(colors.keys());
}

QMap<KvScreen*, bool> KvStageEditor::changeScreenLocked(const QList<KvScreen*>& screens,
                                                        bool locked)
{
    QMap<KvScreen*, bool> old;
    setEach<bool>(screens, locked, old, &KvScreen::lockScreen, &KvScreen::setLockScreen);
    return old;
}

void KvStageEditor::updateScreenLocked(const QMap<KvScreen*, bool>& locked)
{
    restoreEach<bool>(locked, &KvScreen::setLockScreen);
}

QMap<KvScreen*, PlayerType::PlayerTypes>
KvStageEditor::changeScreenFlashPlayerType(const QList<KvScreen*>& screens,
                                           PlayerType::PlayerTypes type)
{
    QMap<KvScreen*, PlayerType::PlayerTypes> old;
    setEach<PlayerType::PlayerTypes>(screens, type, old, &KvScreen::flashPlayerType,
                                     &KvScreen::setFlashPlayerType);
    return old;
}

void KvStageEditor::updateScreenFlashPlayerType(
    const QMap<KvScreen*, PlayerType::PlayerTypes>& types)
{
    restoreEach<PlayerType::PlayerTypes>(types, &KvScreen::setFlashPlayerType);
}

QMap<KvScreen*, PlayerType::PlayerTypes>
KvStageEditor::changeScreenMovieType(const QList<KvScreen*>& screens, PlayerType::PlayerTypes type)
{
    QMap<KvScreen*, PlayerType::PlayerTypes> old;
    setEach<PlayerType::PlayerTypes>(screens, type, old, &KvScreen::moviePlayerType,
                                     &KvScreen::setMoviePlayerType);
    return old;
}

void KvStageEditor::updateScreenMoviePlayerType(
    const QMap<KvScreen*, PlayerType::PlayerTypes>& types)
{
    restoreEach<PlayerType::PlayerTypes>(types, &KvScreen::setMoviePlayerType);
}

QMap<KvScreen*, PlayerType::PlayerTypes>
KvStageEditor::changeScreenWebBrowserType(const QList<KvScreen*>& screens,
                                          PlayerType::PlayerTypes type)
{
    QMap<KvScreen*, PlayerType::PlayerTypes> old;
    setEach<PlayerType::PlayerTypes>(screens, type, old, &KvScreen::webBrowserType,
                                     &KvScreen::setWebBrowserType);
    return old;
}

void KvStageEditor::updateScreenWebBrowserType(
    const QMap<KvScreen*, PlayerType::PlayerTypes>& types)
{
    restoreEach<PlayerType::PlayerTypes>(types, &KvScreen::setWebBrowserType);
}

QMap<KvScreen*, GraphicsType::GraphicsTypes>
KvStageEditor::changeScreenGraphicsType(const QList<KvScreen*>& screens,
                                        GraphicsType::GraphicsTypes type)
{
    QMap<KvScreen*, GraphicsType::GraphicsTypes> old;
    setEach<GraphicsType::GraphicsTypes>(screens, type, old, &KvScreen::graphicsType,
                                         &KvScreen::setGraphicsType);
    return old;
}

void KvStageEditor::updateScreenGraphicsType(
    const QMap<KvScreen*, GraphicsType::GraphicsTypes>& types)
{
    restoreEach<GraphicsType::GraphicsTypes>(types, &KvScreen::setGraphicsType);
}

void KvStageEditor::updateScreenPropertyFlashPlayerType(
    const QMap<KvScreen*, PlayerType::PlayerTypes>& types)
{
    if (!screenPropertyWidget())
        return;
    QMap<KvScreen*, PlayerType::PlayerTypes> values = types;
    screenPropertyWidget()->updateFlashPlayerTypeValue(values);
}

void KvStageEditor::updateScreenPropertyMoviePlayerType(
    const QMap<KvScreen*, PlayerType::PlayerTypes>& types)
{
    if (!screenPropertyWidget())
        return;
    QMap<KvScreen*, PlayerType::PlayerTypes> values = types;
    screenPropertyWidget()->updateMoviePlayerTypeValue(values);
}

void KvStageEditor::updateScreenPropertyWebBrowserType(
    const QMap<KvScreen*, PlayerType::PlayerTypes>& types)
{
    if (!screenPropertyWidget())
        return;
    QMap<KvScreen*, PlayerType::PlayerTypes> values = types;
    screenPropertyWidget()->updateWebBrowserTypeValue(values);
}

void KvStageEditor::updateScreenPropertyGraphicsType(
    const QMap<KvScreen*, GraphicsType::GraphicsTypes>& types)
{
    if (!screenPropertyWidget())
        return;
    QMap<KvScreen*, GraphicsType::GraphicsTypes> values = types;
    screenPropertyWidget()->updateGraphicsTypeValue(values);
}

void KvStageEditor::updateScreenPropertyValues()
{
    if (screenPropertyWidget())
        screenPropertyWidget()->onScreenSelectionChanged(selectedScreens());
}

void KvStageEditor::updateStageProtertyValues()
{
    if (stagePropertyWidget())
        stagePropertyWidget()->onCurrentStageChanged(currentStage());
}

QColor KvStageEditor::setStageBackgroundColor(const QColor& color)
{
    return m_stageWidget ? m_stageWidget->setStageBackgroundColor(color) : QColor();
}

QString KvStageEditor::setStageBackgroundImage(const QString& path, bool* unchanged)
{
    if (unchanged)
        *unchanged = false;
    return m_stageWidget ? m_stageWidget->setStageBackgroundImage(path, unchanged) : QString();
}

unsigned int KvStageEditor::setStageOptions(unsigned int options)
{
    return m_stageWidget ? m_stageWidget->setStageOptions(options) : 0u;
}

QPointF KvStageEditor::setStagePos(const QPointF& pos)
{
    return m_stageWidget ? m_stageWidget->setStagePos(pos) : QPointF();
}

QSizeF KvStageEditor::setStageSize(const QSizeF& size)
{
    return m_stageWidget ? m_stageWidget->setStageSize(size) : QSizeF();
}

int KvStageEditor::getListIndexFromScreens(const KvScreen* screen, const QList<KvScreen*>& screens)
{
    return ScreenArrangement::indexOf(screen, screens);
}

QMap<KvScreen*, int> KvStageEditor::moveZIndexOfScreen(const QList<KvScreen*>& selectedScreens,
                                                       int steps)
{
    QList<KvScreen*>* stageList = screenListObject();
    if (!stageList)
        return QMap<KvScreen*, int>();
    const QMap<KvScreen*, int> old =
        ScreenArrangement::moveZIndex(*stageList, selectedScreens, steps);
    if (!old.isEmpty())
        arrangeMenuOpenningCheckOnStage();
    return old;
}

void KvStageEditor::action_moveZIndexOfScreen(int steps)
{
    if (steps == 0 || !m_stageWidget)
        return;
    const QList<KvScreen*> selected = selectedScreens();
    const QMap<KvScreen*, int> old = moveZIndexOfScreen(selected, steps);
    if (old.isEmpty())
        return;
    QMap<KvScreen*, int> now;
    QMap<KvScreen*, bool> selection;
    for (auto it = old.cbegin(); it != old.cend(); ++it) {
        now.insert(it.key(), it.key()->zIndex());
        selection.insert(it.key(), selected.contains(it.key()));
    }
    auto* command = new Commands::MoveZIndexOfScreen(this, old, now, selection);
    command->setSkip(true);
    pushUndoCommand(command);
}

void KvStageEditor::action_bringToFront()
{
    action_moveZIndexOfScreen(screens().count());
}

void KvStageEditor::action_bringForward()
{
    action_moveZIndexOfScreen(1);
}

void KvStageEditor::action_sendBackwrard()
{
    action_moveZIndexOfScreen(-1);
}

void KvStageEditor::action_sendToBack()
{
    action_moveZIndexOfScreen(-screens().count());
}

void KvStageEditor::action_alignSelectedScreens(KvEditorCommon::Align mode)
{
    if (m_stageWidget && m_stageWidget->currentStageWorkingArea())
        pushArrangedScreens(this, ScreenArrangement::align(selectedScreens(), mode));
}

// Of screens with equal reference edges the front-most takes the lowest place: the selection
// comes in stacking order and distribute puts a later screen first.
void KvStageEditor::action_distributeSelectedScreens(KvEditorCommon::Align mode)
{
    if (m_stageWidget && m_stageWidget->currentStageWorkingArea())
        pushArrangedScreens(this, ScreenArrangement::distribute(selectedScreens(), mode));
}

void KvStageEditor::action_alignSelectedScreensByLeft()
{
    action_alignSelectedScreens(KvEditorCommon::AlignLeft);
}

void KvStageEditor::action_alignSelectedScreensByHCenter()
{
    action_alignSelectedScreens(KvEditorCommon::AlignHCenter);
}

void KvStageEditor::action_alignSelectedScreensByRight()
{
    action_alignSelectedScreens(KvEditorCommon::AlignRight);
}

void KvStageEditor::action_alignSelectedScreensByTop()
{
    action_alignSelectedScreens(KvEditorCommon::AlignTop);
}

void KvStageEditor::action_alignSelectedScreensByVCenter()
{
    action_alignSelectedScreens(KvEditorCommon::AlignVCenter);
}

void KvStageEditor::action_alignSelectedScreensByBottom()
{
    action_alignSelectedScreens(KvEditorCommon::AlignBottom);
}

void KvStageEditor::action_distributeSelectedScreensByTop()
{
    action_distributeSelectedScreens(KvEditorCommon::AlignTop);
}

void KvStageEditor::action_distributeSelectedScreensByVCenter()
{
    action_distributeSelectedScreens(KvEditorCommon::AlignVCenter);
}

void KvStageEditor::action_distributeSelectedScreensByBottom()
{
    action_distributeSelectedScreens(KvEditorCommon::AlignBottom);
}

void KvStageEditor::action_distributeSelectedScreensByLeft()
{
    action_distributeSelectedScreens(KvEditorCommon::AlignLeft);
}

void KvStageEditor::action_distributeSelectedScreensByHCenter()
{
    action_distributeSelectedScreens(KvEditorCommon::AlignHCenter);
}

void KvStageEditor::action_distributeSelectedScreensByRight()
{
    action_distributeSelectedScreens(KvEditorCommon::AlignRight);
}

// Adds a new screen through an AddScreen command, which is pushed only when the screen
// could be made.
static void addScreenByCommand(KvStageEditor* editor, int type, const QString& pluginId,
                               const QString& title)
{
    auto* command = new Commands::AddScreen(editor, type, pluginId);
    command->redo();
    if (command->isFailed()) {
        delete command;
        QMessageBox::critical(editor->mainWindow(), title,
                              KvStageEditor::tr("The Screen will not be added because an "
                                                "error occurred."),
                              QMessageBox::Ok);
        return;
    }
    command->setSkip(true);
    editor->pushUndoCommand(command);
}

void KvStageEditor::action_addMultimediaScreen()
{
    addScreenByCommand(this, ScreenType::Multimedia, QString(),
                       tr("Can Not Add Multimedia Screen"));
}

void KvStageEditor::action_addTelopScreen()
{
    addScreenByCommand(this, ScreenType::Telop, QString(), tr("Can Not Add Telop Screen"));
}

void KvStageEditor::action_addExtendedScreen(QString pluginId)
{
    addScreenByCommand(this, ScreenType::Extended, pluginId, tr("Can Not Add Extended Screen"));
}

void KvStageEditor::action_removeSelectedScreens()
{
    if (!m_stageWidget || !m_stageWidget->hasSelectedItem() || hasLockedScreenItemInSelection())
        return;
    pushUndoCommand(new Commands::RemoveSelectedScreens(this));
}

void KvStageEditor::action_selectedScreenMoved()
{
    if (m_stageWidget)
        pushUndoCommand(new Commands::SelectedScreenMoved(this));
}

void KvStageEditor::action_selectedScreenResized()
{
    if (m_stageWidget)
        pushUndoCommand(new Commands::SelectedScreenResized(this));
}

void KvStageEditor::action_changeSelectedScreenBackColor(QColor color)
{
    pushUndoCommand(new Commands::ChangeSelectedScreenBackColor(this, color));
}

void KvStageEditor::action_changeSelectedScreenLocked(bool locked)
{
    pushUndoCommand(new Commands::ChangeSelectedScreenLocked(this, locked));
}

void KvStageEditor::action_toggleSelectedScreenLocked()
{
    pushUndoCommand(new Commands::ChangeSelectedScreenLocked(this, !isAllSelectedScreenLocked()));
}

void KvStageEditor::action_changeSelectedScreenGraphicsType(GraphicsType::GraphicsTypes type)
{
    pushUndoCommand(new Commands::ChangeSelectedScreenGraphicsType(this, type));
}

void KvStageEditor::action_changeSelectedScreenMoviePlayerType(PlayerType::PlayerTypes type)
{
    pushUndoCommand(new Commands::ChangeSelectedScreenMoviePlayerType(this, type));
}

void KvStageEditor::action_changeSelectedScreenFlashPlayerType(PlayerType::PlayerTypes type)
{
    pushUndoCommand(new Commands::ChangeSelectedScreenFlashPlayerType(this, type));
}

void KvStageEditor::action_changeSelectedScreenWebBrowserType(PlayerType::PlayerTypes type)
{
    pushUndoCommand(new Commands::ChangeSelectedScreenWebBrowserType(this, type));
}

void KvStageEditor::action_changeSelectedScreenName(QString name)
{
    const QList<KvScreen*> selected = selectedScreens();
    if (selected.count() != 1)
        return;
    KvScreen* screen = selected.first();
    if (name == screen->name())
        return;
    if (!name.isEmpty()) {
        for (const KvScreen* other : screens()) {
            if (other != screen && other->name() == name) {
                QMessageBox::critical(mainWindow(), tr("Names are duplicated"),
                                      tr("Name \"%1\" has been used in another screen.").arg(name),
                                      QMessageBox::Ok);
                updateScreenPropertyValues();
                // The label on the canvas followed the typing; show the kept name again.
                updateScreenItemName(screen);
                return;
            }
        }
    }
    pushUndoCommand(new Commands::ChangeScreenName(this, screen, name));
}

void KvStageEditor::action_changeStageBackColor(QColor color)
{
    if (!currentStage())
        return;
    const QColor old = setStageBackgroundColor(color);
    if (old != color)
        pushUndoCommand(new Commands::ChangeStageBackgroundColor(this, old, color));
}

void KvStageEditor::action_changeStageSize(QSizeF size)
{
    if (!currentStage())
        return;
    const QSizeF old = setStageSize(size);
    if (!qFuzzyCompare(old.width(), size.width()) || !qFuzzyCompare(old.height(), size.height()))
        pushUndoCommand(new Commands::StageResized(this, old, size));
}

void KvStageEditor::action_changeStageImage(QString path)
{
    KvStage* stage = currentStage();
    if (!stage)
        return;
    bool unchanged = false;
    const QString old = setStageBackgroundImage(path, &unchanged);
    if (!unchanged)
        pushUndoCommand(
            new Commands::ChangeStageBackgroundImage(this, old, stage->backgroundImage()));
}

void KvStageEditor::action_changeStagePos(QPointF pos)
{
    if (!currentStage())
        return;
    const QPointF old = setStagePos(pos);
    if (qAbs(old.x() - pos.x()) > 1e-12 || qAbs(old.y() - pos.y()) > 1e-12)
        pushUndoCommand(new Commands::ChangeStagePos(this, old, pos));
}

void KvStageEditor::action_changeStageOptions(uint options)
{
    if (!currentStage())
        return;
    const unsigned int old = setStageOptions(options);
    if (old != options)
        pushUndoCommand(new Commands::ChangeStageOptions(this, old, options));
}

void KvStageEditor::onScreenEventChanged(QList<KvPreservedEvent> preservedEvents)
{
    auto* command = new Commands::ChangeScreenEvent(this, preservedEvents);
    command->setSkip(true);
    pushUndoCommand(command);
}

void KvStageEditor::action_editEvent(KvScreen* sourceScreen, KvScreen* receiverScreen)
{
    if (!sourceScreen && !receiverScreen) {
        const QList<KvScreen*> selected = selectedScreens();
        if (selected.count() == 1)
            sourceScreen = selected.first();
    }
    KvStage* stage = currentStage();
    if (!stage)
        return;
    auto* before = new KvStage(*stage);
    auto* dialog = new KvEventEditor(stage, mainWindow());
    dialog->setActiveSource(sourceScreen);
    dialog->setActiveReceiver(receiverScreen);
    const int result = dialog->showWidget(false);
    const bool changed = !stage->isMatch(*before, true);
    if (result == 1 && changed) {
        auto* command = new Commands::ChangeEvents(this, before);
        command->setSkip(true);
        pushUndoCommand(command);
        updateCurrentSequenceLabelBackground(true);
    } else if (result != 1 && changed) {
        KvEventsSnapshot(before).restore(stage);
    }
    delete dialog;
    delete before;
}

void KvStageEditor::showStageBackImagePicker()
{
    const QString dataFolder = dataDir();
    KvStage* stage = currentStage();
    if (!dataFolder.isEmpty() && QFileInfo(dataFolder).isDir() && stage) {
        QString startFolder;
        if (!stage->backgroundImage().isEmpty())
            startFolder =
                QFileInfo(QDir(dataFolder).filePath(stage->backgroundImage())).absolutePath();
        else
            startFolder = QDir(dataFolder).filePath(QStringLiteral("image"));
        if (QFileInfo(startFolder).isDir()) {
            QStringList patterns;
            for (const QString& extension : KvExtension::getExtensions(MediaType::Image))
                patterns.append(QStringLiteral("*.") + extension);
            const QString path = QFileDialog::getOpenFileName(
                mainWindow(), tr("Select a image for the background of this stage"), startFolder,
                tr("Images (%1)").arg(patterns.join(QLatin1Char(' '))));
            bool use = !path.isEmpty();
            if (use && !path.startsWith(dataFolder)) {
                use = QMessageBox::warning(
                          mainWindow(), tr("Warning to the selected file"),
                          tr("You have to select the files that are outside of the data folder. "
                             "\nIt may not appear in the viewer. \n\nAre you sure you want to "
                             "use this file?"),
                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
            }
            if (use)
                action_changeStageImage(path);
        }
    }
    correctCheckBoxCheckedOnStageImageOfStageProperty();
}

void KvStageEditor::correctCheckBoxCheckedOnStageImageOfStageProperty()
{
    // The panel's image check box follows whether the stage has a background image.
    updateStageProtertyValues();
}

bool KvStageEditor::canMoveScreenZIndexForward() const
{
    return ScreenArrangement::canMoveZIndex(selectedScreens(), screens(), true);
}

bool KvStageEditor::canMoveScreenZIndexBackword() const
{
    return ScreenArrangement::canMoveZIndex(selectedScreens(), screens(), false);
}

// Sequence-side refreshes the screen commands use (forwards to the sequence container).
void KvStageEditor::updateDuration(QList<KvScreen*>& screens)
{
    if (sequenceContainer())
        sequenceContainer()->updateDuration(screens);
}

void KvStageEditor::updateSequenceMediaItemSelection(const QMap<KvScreen*, QList<int>>& selection)
{
    if (sequenceContainer())
        sequenceContainer()->updateSequenceMediaItemSelection(selection);
}

void KvStageEditor::updateCurrentSequenceLabelBackground(bool updateWidget)
{
    if (sequenceContainer())
        sequenceContainer()->updateLabelAreaBackground(updateWidget);
}

void KvStageEditor::addScreenToSequence(KvScreen* screen, bool selected, bool clearFirst)
{
    if (!sequenceContainer() || !screen)
        return;
    QList<KvScreen*> screens{screen};
    sequenceContainer()->addScreenToSequence(screens, selected, clearFirst);
}

} // namespace Kova
