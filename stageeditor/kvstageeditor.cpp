#include "kvstageeditor.h"

#include "kvcontentpreviewwidget.h"
#include "kvdockwidget.h"
#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kveditoruserconfig.h"
#include "kvlibrarywidget.h"
#include "kvscreen.h"
#include "kvscreenpropertywidget.h"
#include "kvsequencecontainer.h"
#include "kvstage.h"
#include "kvstagechooser.h"
#include "kvstagecreator.h"
#include "kvstagepropertywidget.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvsvgreader.h"
#include "kvusingfilelist.h"
#include "kvusingfilelistcreator.h"
#include "path.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QRegExp>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoGroup>
#include <QUndoStack>

#include <algorithm>
#include <exception>

namespace Kova {

namespace {

// Connects by signature when both ends have it; a missing signal or slot (a panel that
// does not offer it) leaves the connection out quietly.
bool wire(const QObject* sender, const char* signal, const QObject* receiver, const char* method,
          Qt::ConnectionType type = Qt::AutoConnection)
{
    if (!sender || !receiver || !signal || !method)
        return false;
    const QByteArray signalSignature = QMetaObject::normalizedSignature(signal + 1);
    if (sender->metaObject()->indexOfSignal(signalSignature.constData()) < 0)
        return false;
    const QByteArray methodSignature = QMetaObject::normalizedSignature(method + 1);
    const QMetaObject* meta = receiver->metaObject();
    const int index = method[0] == '2' ? meta->indexOfSignal(methodSignature.constData())
                                       : meta->indexOfMethod(methodSignature.constData());
    if (index < 0)
        return false;
    if (!QMetaObject::checkConnectArgs(signalSignature.constData(), methodSignature.constData()))
        return false;
    return QObject::connect(sender, signal, receiver, method, type);
}

QIcon svgIcon(const QString& path)
{
    return KvSvgReader::getIcon(path, 16, 16);
}

const char* const SeparatorBeginPlugin = "Action_Separator_Begin_Plugin";
const char* const SeparatorEndPlugin = "Action_Separator_End_Plugin";

} // namespace

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
    const QList<QPointer<KvDockWidget>*> docks = {&m_contentPreviewDock, &m_libraryDock,
                                                  &m_sequenceDock, &m_stagePropertyDock,
                                                  &m_screenPropertyDock};
    for (QPointer<KvDockWidget>* dock : docks) {
        if (*dock) {
            (*dock)->removeEventFilter(this);
            delete dock->data();
        }
    }
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
        }

        createDocks();

        wire(m_sequenceContainer, SIGNAL(graphicsScenePurged(QGraphicsScene*)), this,
             SLOT(onGraphicsScenePurged(QGraphicsScene*)));
        wire(m_sequenceContainer, SIGNAL(requestUsePluginGui(KvPluginGuiInterface*)), this,
             SLOT(usePluginGui(KvPluginGuiInterface*)));

        if (m_menuList.isEmpty()) {
            createMainMenu();
            createStageContextMenu();
            createSequenceLabelContextMenu();
            createSequenceMainViewContextMenu();
        }

        if (m_stageWidget && m_sequenceContainer) {
            KvStageWorkingArea* area = m_stageWidget->currentStageWorkingArea();
            if (area && area->stage())
                m_sequenceContainer->addStage(area->stage());
        }

        wirePanels();

        if (KvStage* stage = currentStage()) {
            if (m_stagePropertyWidget)
                m_stagePropertyWidget->onCurrentStageChanged(stage);
        }

        connect(this, SIGNAL(requestRestoreDockWidgetSetting(bool, bool)), this,
                SLOT(restoreDockWidgetSetting(bool, bool)), Qt::QueuedConnection);
        connect(this, SIGNAL(requestToShowStageChooser()), this, SLOT(showStageChooser()),
                Qt::QueuedConnection);
        connect(this, SIGNAL(requestClearLibraryUndoStack()), this, SLOT(clearLibraryUndoStack()),
                Qt::QueuedConnection);
    } catch (...) {
        return false;
    }
    return true;
}

void KvStageEditor::wireStageWidget()
{
    KvStageWidget* sw = m_stageWidget;
    wire(sw, SIGNAL(mousePressed()), this, SLOT(onStageWidgetActivated()));
    wire(sw, SIGNAL(beforeRemoveScreen()), this, SLOT(onBeforeRemoveScreen()));
    wire(sw, SIGNAL(graphicsScenePurged(QGraphicsScene*)), this,
         SLOT(onGraphicsScenePurged(QGraphicsScene*)));
    wire(sw, SIGNAL(graphicsScenePurged(QList<QGraphicsScene*>)), this,
         SLOT(onGraphicsScenePurged(QList<QGraphicsScene*>)));
    wire(sw, SIGNAL(unsavedStateChanged(int, bool)), this, SLOT(onUnsavedStateChanged(int, bool)));
    wire(sw, SIGNAL(currentStageTabChanged(KvStageWorkingArea*)), this,
         SLOT(onCurrentStageTabChanged(KvStageWorkingArea*)));
    wire(sw, SIGNAL(requestAddMedia(QList<KvPreservedMedia*>&)), this,
         SLOT(action_addMedia(QList<KvPreservedMedia*>&)));
    wire(sw, SIGNAL(closeButtonTriggerd()), this, SLOT(action_closeStageEditor()),
         Qt::QueuedConnection);
    wire(sw, SIGNAL(allStageTabClosed()), this, SLOT(onAllStageTabClosed()));
    wire(sw, SIGNAL(firstStageTabAdded()), this, SLOT(onFirstStageTabAdded()));
    wire(this, SIGNAL(requestSetCurrentStageTab(int)), sw, SLOT(setCurrentStageTab(int)),
         Qt::QueuedConnection);
}

void KvStageEditor::createDocks()
{
    if (!m_stagePropertyDock) {
        m_stagePropertyDock = new KvDockWidget(tr("Stage Property"));
        m_stagePropertyDock->setObjectName(QStringLiteral("StagePropertyDock"));
        m_stagePropertyWidget = new KvStagePropertyWidget(m_stagePropertyDock);
        m_stagePropertyDock->setWidget(m_stagePropertyWidget);
    }
    if (!m_screenPropertyDock) {
        m_screenPropertyDock = new KvDockWidget(tr("Screen Property"));
        m_screenPropertyDock->setObjectName(QStringLiteral("ScreenPropertyDock"));
        m_screenPropertyWidget = new KvScreenPropertyWidget(m_screenPropertyDock);
        m_screenPropertyDock->setWidget(m_screenPropertyWidget);
    }
    if (!m_contentPreviewDock) {
        m_contentPreviewDock = new KvDockWidget(tr("Content Preview"));
        m_contentPreviewDock->setObjectName(QStringLiteral("ContentPreviewDock"));
        m_contentPreviewWidget = new KvContentPreviewWidget(m_contentPreviewDock);
        m_contentPreviewDock->setWidget(m_contentPreviewWidget);
    }
    if (!m_libraryDock) {
        m_libraryDock = new KvDockWidget(tr("Library"));
        m_libraryDock->setObjectName(QStringLiteral("LibraryDock"));
        m_libraryWidget = new KvLibraryWidget(this, m_libraryDock);
        m_libraryDock->setWidget(m_libraryWidget);
        connect(m_libraryDock, SIGNAL(dockFloatingChanged(KvDockWidget*, bool)), this,
                SLOT(dockWidgetFloatingChanged(KvDockWidget*, bool)), Qt::QueuedConnection);
    }
    if (!m_sequenceDock) {
        m_sequenceDock = new KvDockWidget(tr("Sequence"));
        m_sequenceDock->setObjectName(QStringLiteral("SequenceDock"));
        m_sequenceContainer = new KvSequenceContainer(m_sequenceDock);
        m_sequenceDock->setWidget(m_sequenceContainer);
        m_sequenceDock->installEventFilter(this);
        connect(m_sequenceDock, SIGNAL(dockFloatingChanged(KvDockWidget*, bool)), this,
                SLOT(dockWidgetFloatingChanged(KvDockWidget*, bool)), Qt::QueuedConnection);
    }
}

void KvStageEditor::wirePanels()
{
    KvStageWidget* sw = m_stageWidget;
    KvScreenPropertyWidget* screenProperty = m_screenPropertyWidget;
    KvStagePropertyWidget* stageProperty = m_stagePropertyWidget;
    KvSequenceContainer* sequence = m_sequenceContainer;
    KvLibraryWidget* library = m_libraryWidget;
    KvContentPreviewWidget* preview = m_contentPreviewWidget;

    // Stage widget to the panels.
    wire(sw, SIGNAL(screenSelectionChanged(QList<KvScreen*>)), screenProperty,
         SLOT(onScreenSelectionChanged(QList<KvScreen*>)));
    wire(sw, SIGNAL(screenSelectionChanged(QList<KvScreen*>)), sequence,
         SLOT(onScreenSelectionChanged(QList<KvScreen*>)));
    wire(sw, SIGNAL(selectedRectChanged(QRectF)), screenProperty,
         SLOT(onPositionAndSizeValueChanged(QRectF)));
    wire(sw, SIGNAL(currentStageTabChanged(KvStage*)), stageProperty,
         SLOT(onCurrentStageChanged(KvStage*)));
    wire(sw, SIGNAL(currentStageTabChanged(KvStage*)), sequence, SLOT(setCurrentStage(KvStage*)));
    wire(sw, SIGNAL(stageTabClosed(KvStage*)), sequence, SLOT(removeStage(KvStage*)));
    wire(sw, SIGNAL(takeGraphicsSceneFromSequenceWidget(const KvStage*, QGraphicsScene**)),
         sequence, SLOT(takeGraphicsScene(const KvStage*, QGraphicsScene**)));

    // Screen property panel.
    wire(screenProperty, SIGNAL(positionValueChanged(QPointF)), sw,
         SLOT(changeSelectedItemsPos(QPointF)));
    wire(screenProperty, SIGNAL(sizeValueChanged(QSizeF)), sw,
         SLOT(changeSelectedItemsSize(QSizeF)));
    wire(screenProperty, SIGNAL(positionValueChangingCommitted()), sw,
         SLOT(action_selectedScreenMoved()));
    wire(screenProperty, SIGNAL(sizeValueChangingCommitted()), sw,
         SLOT(action_selectedScreenResized()));
    wire(screenProperty, SIGNAL(backgroundColorValueChanged(QColor)), this,
         SLOT(action_changeSelectedScreenBackColor(QColor)));
    wire(screenProperty, SIGNAL(lockedValueChanged(bool)), this,
         SLOT(action_changeSelectedScreenLocked(bool)));
    wire(screenProperty, SIGNAL(graphicsTypeValueChanged(GraphicsType::GraphicsTypes)), this,
         SLOT(action_changeSelectedScreenGraphicsType(GraphicsType::GraphicsTypes)));
    wire(screenProperty, SIGNAL(moviePlayerTypeValueChanged(PlayerType::PlayerTypes)), this,
         SLOT(action_changeSelectedScreenMoviePlayerType(PlayerType::PlayerTypes)));
    wire(screenProperty, SIGNAL(flashPlayerTypeValueChanged(PlayerType::PlayerTypes)), this,
         SLOT(action_changeSelectedScreenFlashPlayerType(PlayerType::PlayerTypes)));
    wire(screenProperty, SIGNAL(webBrowserTypeValueChanged(PlayerType::PlayerTypes)), this,
         SLOT(action_changeSelectedScreenWebBrowserType(PlayerType::PlayerTypes)));
    wire(screenProperty, SIGNAL(nameValueChanged(QString&)), sw,
         SLOT(setSelectedItemName(QString&)));
    wire(screenProperty, SIGNAL(nameValueChangingFinished(QString)), this,
         SLOT(action_changeSelectedScreenName(QString)));

    // Stage property panel.
    wire(stageProperty, SIGNAL(stageBackColorPicked(QColor)), this,
         SLOT(action_changeStageBackColor(QColor)));
    wire(stageProperty, SIGNAL(stageSizeValueChangingCommitted(QSizeF)), this,
         SLOT(action_changeStageSize(QSizeF)));
    wire(stageProperty, SIGNAL(stageBackImageValueChanged(QString)), this,
         SLOT(action_changeStageImage(QString)));
    wire(stageProperty, SIGNAL(stagePosValueChangingCommitted(QPointF)), this,
         SLOT(action_changeStagePos(QPointF)));
    wire(stageProperty, SIGNAL(stageOptionValueChanged(uint)), this,
         SLOT(action_changeStageOptions(uint)));
    wire(stageProperty, SIGNAL(stageSizeValueChanged(QSizeF)), sw, SLOT(setStageItemSize(QSizeF)));
    wire(stageProperty, SIGNAL(openStageBackImagePicker()), this, SLOT(showStageBackImagePicker()));

    // Sequence container.
    wire(sequence, SIGNAL(changeScreenSelection(QList<KvScreen*>)), this,
         SLOT(changeScreenSelection(QList<KvScreen*>)));
    wire(sequence, SIGNAL(sequenceLabelContextMenuRequested(QPoint)), this,
         SLOT(showSequenceLabelContextMenu(QPoint)));
    wire(sequence, SIGNAL(sequenceMainViewContextMenuRequested(QPoint)), this,
         SLOT(showSequenceMainViewContextMenu(QPoint)));
    wire(sequence, SIGNAL(requestUpdateFileProperty(QStringList&)), this,
         SLOT(createThumbnail(QStringList&)));
    wire(sequence, SIGNAL(updateMediaPropertiesRequested(KvSeqMediaItem*, KvMedia)), this,
         SLOT(action_updateMediaProperties(KvSeqMediaItem*, KvMedia)));
    wire(sequence, SIGNAL(requestAddMedia(QList<KvPreservedMedia*>&)), this,
         SLOT(action_addMedia(QList<KvPreservedMedia*>&)));
    wire(sequence, SIGNAL(mousePressed()), this, SLOT(onSequenceWidgetActivated()));
    wire(sequence, SIGNAL(seqScreenActivated()), this, SLOT(onStageWidgetActivated()));
    wire(sequence, SIGNAL(deleteKeyPressed()), this, SLOT(action_remove()));
    wire(sequence, SIGNAL(undoKeyPressed()), this, SLOT(action_undo()));
    wire(sequence, SIGNAL(requestArrangeMenuOpenningCheckOnSequence()), this,
         SLOT(arrangeMenuOpenningCheckOnSequence()));
    wire(sequence, SIGNAL(requestArrangeMenuOpenningCheckOnStage()), this,
         SLOT(arrangeMenuOpenningCheckOnStage()));
    wire(sequence, SIGNAL(requestMoveSelectedMedia(int, int, int, int, bool*)), this,
         SLOT(action_moveSelectedMedia(int, int, int, int, bool*)));
    wire(sequence, SIGNAL(leftKeyPressedAtSeqMainView()), this,
         SLOT(action_moveSelectedMediaToPrevious()));
    wire(sequence, SIGNAL(rightKeyPressedAtSeqMainView()), this,
         SLOT(action_moveSelectedMediaToNext()));
    wire(sequence, SIGNAL(screenEventChanged(QList<KvPreservedEvent>)), this,
         SLOT(onScreenEventChanged(QList<KvPreservedEvent>)));
    wire(sequence, SIGNAL(requestCopyMediaPropertyToOthers(const KvMedia*, int, QList<int>)), this,
         SLOT(action_copyMediaPropertyToOthers(const KvMedia*, int, QList<int>)));
    wire(sequence, SIGNAL(requestEditEvent(KvScreen*, KvScreen*)), this,
         SLOT(action_editEvent(KvScreen*, KvScreen*)));

    // Library panel.
    wire(library, SIGNAL(itemSingleSelected(QString&)), preview, SLOT(showPreview(QString&)));
    wire(library, SIGNAL(itemNotSingleSelected()), preview, SLOT(switchToDefaultShowing()));
    wire(library, SIGNAL(contentDragStarted()), preview, SLOT(switchToDefaultShowing()));
    wire(library, SIGNAL(inquireUsingFile(QString, bool*, bool*)), this,
         SLOT(checkUsingFileForRenaming(QString, bool*, bool*)));
    wire(library, SIGNAL(fileRenamed(QString, QString, QString)), this,
         SLOT(action_renameFile(QString, QString, QString)));
}

// ---------------------------------------------------------------------------------------
// Menus and actions
// ---------------------------------------------------------------------------------------

QAction* KvStageEditor::addMenuAction(QMenu* menu, const QString& text, const QString& objectName,
                                      const QIcon& icon, const QKeySequence& shortcut,
                                      const char* slot)
{
    QAction* action = menu->addAction(text);
    if (!icon.isNull())
        action->setIcon(icon);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (!objectName.isEmpty()) {
        action->setObjectName(objectName);
        addActionToList(action);
    }
    if (slot)
        connect(action, SIGNAL(triggered()), this, slot);
    return action;
}

QAction* KvStageEditor::addSeparator(QMenu* menu, const QString& objectName, bool visible)
{
    QAction* separator = menu->addSeparator();
    if (!objectName.isEmpty())
        separator->setObjectName(objectName);
    separator->setVisible(visible);
    return separator;
}

void KvStageEditor::addSharedActions(QMenu* menu, const QStringList& objectNames)
{
    for (const QString& name : objectNames) {
        if (name == QLatin1String("-")) {
            menu->addSeparator();
        } else if (name.startsWith(QLatin1String("Menu_"))) {
            if (QMenu* sub = getMenu(m_subMenuList, name))
                menu->addMenu(sub);
        } else if (QAction* action = getAction(name)) {
            menu->addAction(action);
        }
    }
}

void KvStageEditor::createMainMenu()
{
    m_menuList.clear();
    m_subMenuList.clear();
    m_actionList.clear();
    const QKeySequence none;

    // File
    auto* file = new QMenu(tr("&File"));
    m_menuList.append(file);
    connect(file, SIGNAL(aboutToShow()), this, SLOT(onBeforeFileMenuShown()));
    addMenuAction(file, tr("&New Stage..."), QString(), svgIcon(":/images/new_stage_blue.svg"),
                  QKeySequence(QStringLiteral("Ctrl+N")), SLOT(showStageCreator()));
    addMenuAction(file, tr("&Open Stage..."), QString(), QIcon(),
                  QKeySequence(QStringLiteral("Ctrl+O")), SLOT(showStageChooser()));
    file->addSeparator();
    addMenuAction(file, tr("&Close Stage"), QStringLiteral("Action_Close_Stage"), QIcon(),
                  QKeySequence(QStringLiteral("Ctrl+W")), SLOT(closeCurrentStageTab()));
    addMenuAction(file, tr("C&lose All Stage"), QStringLiteral("Action_Close_All_Stage"), QIcon(),
                  none, SLOT(closeAllStageTab()));
    addMenuAction(file, tr("Close Stage &Editor"), QString(), QIcon(), none,
                  SLOT(action_closeStageEditor()));
    file->addSeparator();
    addMenuAction(file, tr("&Save Stage"), QStringLiteral("Action_Save_Stage"), QIcon(),
                  QKeySequence(QStringLiteral("Ctrl+S")), SLOT(saveCurrentStage()));
    addMenuAction(file, tr("Save Stage &As..."), QStringLiteral("Action_Save_Stage_As"), QIcon(),
                  QKeySequence(QStringLiteral("Ctrl+Shift+S")), SLOT(saveCurrentStageAs()));
    file->addSeparator();
    addMenuAction(file, tr("&Quit"), QString(), QIcon(), QKeySequence(QStringLiteral("Ctrl+Q")),
                  SLOT(action_quit()));

    // Edit
    auto* edit = new QMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("Menu_Edit"));
    m_menuList.append(edit);
    connect(edit, SIGNAL(aboutToShow()), this, SLOT(onBeforeEditMenuShown()));
    addMenuAction(edit, tr("&Undo"), QStringLiteral("Action_Undo"), QIcon(":/images/undo.png"),
                  QKeySequence(QStringLiteral("Ctrl+Z")), SLOT(action_undo()));
    addMenuAction(edit, tr("&Redo"), QStringLiteral("Action_Redo"), QIcon(":/images/redo.png"),
                  QKeySequence(QStringLiteral("Ctrl+Y")), SLOT(action_redo()));
    edit->addSeparator();
    addMenuAction(edit, tr("Cu&t"), QStringLiteral("Action_Cut"), QIcon(),
                  QKeySequence(QStringLiteral("Ctrl+X")), SLOT(action_cut()));
    addMenuAction(edit, tr("&Copy"), QStringLiteral("Action_Copy"), QIcon(),
                  QKeySequence(QStringLiteral("Ctrl+C")), SLOT(action_copy()));
    addMenuAction(edit, tr("&Paste"), QStringLiteral("Action_Paste"), QIcon(),
                  QKeySequence(QStringLiteral("Ctrl+V")), SLOT(action_paste()));
    addMenuAction(edit, tr("&Delete"), QStringLiteral("Action_Delete"), QIcon(":/images/trash.png"),
                  none, SLOT(action_remove()));
    edit->addSeparator();
    addMenuAction(edit, tr("&Configuration...."), QStringLiteral("Action_Configuration"), QIcon(),
                  none, SLOT(action_showConfiguration()));

    // Screen
    auto* screen = new QMenu(tr("&Screen"));
    screen->setObjectName(QStringLiteral("Menu_Screen"));
    m_menuList.append(screen);
    connect(screen, SIGNAL(aboutToShow()), this, SLOT(onBeforeScreenMenuShown()));
    connect(screen, SIGNAL(aboutToHide()), this, SLOT(onBeforeScreenMenuHidden()));
    addMenuAction(
        screen, tr("Add &Multimedia Screen"), QStringLiteral("Action_Add_Multimedia_Screen"),
        QIcon(":/images/tool_MultiMediaScreen2.png"), none, SLOT(action_addMultimediaScreen()));
    addMenuAction(screen, tr("Add &Telop Screen"), QStringLiteral("Action_Add_Telop_Screen"),
                  QIcon(":/images/tool_TelopWindow2.png"), none, SLOT(action_addTelopScreen()));
    QAction* addExtended = addMenuAction(
        screen, tr("Add E&xtended Screen"), QStringLiteral("Action_Add_Extended_Screen"),
        QIcon(":/images/ext_screen.svg"), none, SLOT(showPluginChooserForExtendedScreen()));
    addExtended->setVisible(hasExtndedScreenPlugin());
    addMenuAction(screen, tr("Edit E&vent..."), QStringLiteral("Action_Edit_Event"),
                  QIcon(":/images/event_edit.svg"), none, SLOT(action_editEvent()));
    screen->addSeparator();
    addMenuAction(screen, tr("Lock"), QStringLiteral("Action_Lock_Screen"),
                  svgIcon(":/images/locked_yellow.svg"), none,
                  SLOT(action_toggleSelectedScreenLocked()));
    screen->addSeparator();
    addMenuAction(screen, tr("Bring to &Front"), QStringLiteral("Action_Bring_to_Front"),
                  QIcon(":/images/bring_to_front.png"),
                  QKeySequence(QStringLiteral("Ctrl+Shift+]")), SLOT(action_bringToFront()));
    addMenuAction(screen, tr("Bring F&orward"), QStringLiteral("Action_Bring_Forward"),
                  QIcon(":/images/bring_forward.png"), QKeySequence(QStringLiteral("Ctrl+]")),
                  SLOT(action_bringForward()));
    addMenuAction(screen, tr("Send &Backward"), QStringLiteral("Action_Send_Backward"),
                  QIcon(":/images/send_backward.png"), QKeySequence(QStringLiteral("Ctrl+[")),
                  SLOT(action_sendBackwrard()));
    addMenuAction(screen, tr("Send to B&ack"), QStringLiteral("Action_Send_to_Back"),
                  QIcon(":/images/send_to_back.png"), QKeySequence(QStringLiteral("Ctrl+Shift+[")),
                  SLOT(action_sendToBack()));
    screen->addSeparator();

    auto* align = new QMenu(tr("A&lign"));
    align->setObjectName(QStringLiteral("Menu_Align"));
    m_subMenuList.append(align);
    struct Entry
    {
        const char* text;
        const char* objectName;
        const char* icon;
        const char* slot;
    };
    const Entry alignEntries[] = {
        {QT_TR_NOOP("Align &Left Edges"), "Action_Align_Left_Edges", "align_left_edges.svg",
         SLOT(action_alignSelectedScreensByLeft())},
        {QT_TR_NOOP("Align &Horizontal Centers"), "Action_Align_Horizontal_Centers",
         "align_horizontal_centers.svg", SLOT(action_alignSelectedScreensByHCenter())},
        {QT_TR_NOOP("Align &Right Edges"), "Action_Align_Right_Edges", "align_right_edges.svg",
         SLOT(action_alignSelectedScreensByRight())},
        {QT_TR_NOOP("Align &Top Edges"), "Action_Align_Top_Edges", "align_top_edges.svg",
         SLOT(action_alignSelectedScreensByTop())},
        {QT_TR_NOOP("Align &Vertical Centers"), "Action_Align_Vertical_Centers",
         "align_vertical_centers.svg", SLOT(action_alignSelectedScreensByVCenter())},
        {QT_TR_NOOP("Align &Bottom Edges"), "Action_Align_Bottom_Edges", "align_bottom_edges.svg",
         SLOT(action_alignSelectedScreensByBottom())},
        {nullptr, nullptr, nullptr, nullptr},
        {QT_TR_NOOP("&Distribute Top Edges"), "Action_Distribute_Top_Edges",
         "distribute_top_edges.svg", SLOT(action_distributeSelectedScreensByTop())},
        {QT_TR_NOOP("D&istribute Vertical Centers"), "Action_Distribute_Vertical_Centers",
         "distribute_vertical_centers.svg", SLOT(action_distributeSelectedScreensByVCenter())},
        {QT_TR_NOOP("Di&stribute Bottom Edges"), "Action_Distribute_Bottom_Edges",
         "distribute_bottom_edges.svg", SLOT(action_distributeSelectedScreensByBottom())},
        {QT_TR_NOOP("Dist&ribute Left Edges"), "Action_Distribute_Left_Edges",
         "distribute_left_edges.svg", SLOT(action_distributeSelectedScreensByLeft())},
        {QT_TR_NOOP("Distribut&e Horizontal Centers"), "Action_Distribute_Horizontal_Centers",
         "distribute_horizontal_centers.svg", SLOT(action_distributeSelectedScreensByHCenter())},
        {QT_TR_NOOP("Distribute Ri&ght Edges"), "Action_Distribute_Right_Edges",
         "distribute_right_edges.svg", SLOT(action_distributeSelectedScreensByRight())},
    };
    for (const Entry& entry : alignEntries) {
        if (!entry.text) {
            align->addSeparator();
            continue;
        }
        addMenuAction(align, tr(entry.text), QLatin1String(entry.objectName),
                      QIcon(QStringLiteral(":/images/") + QLatin1String(entry.icon)), none,
                      entry.slot);
    }
    screen->addMenu(align);
    screen->addSeparator();
    addMenuAction(screen, tr("&Preview Stage..."), QStringLiteral("Action_Preview_Stage"),
                  QIcon(":/images/LuViewerPlay24.png"), none, SLOT(action_previewStage()));
    addActionToList(addSeparator(screen, QLatin1String(SeparatorBeginPlugin), false));
    addActionToList(addSeparator(screen, QLatin1String(SeparatorEndPlugin), false));

    // Sequence
    auto* sequence = new QMenu(tr("Se&quence"));
    sequence->setObjectName(QStringLiteral("Menu_Sequence"));
    m_menuList.append(sequence);
    connect(sequence, SIGNAL(aboutToShow()), this, SLOT(onBeforeSequenceMenuShown()));
    connect(sequence, SIGNAL(aboutToHide()), this, SLOT(onBeforeSequenceMenuHidden()));
    addMenuAction(sequence, tr("To &First"), QStringLiteral("Action_Move_First"),
                  QIcon(":/images/arrow_left_stop.png"), none,
                  SLOT(action_moveSelectedMediaToFirst()));
    addMenuAction(sequence, tr("&Previous"), QStringLiteral("Action_Move_Previous"),
                  QIcon(":/images/arrow_left.png"), none,
                  SLOT(action_moveSelectedMediaToPrevious()));
    addMenuAction(sequence, tr("&Next"), QStringLiteral("Action_Move_Next"),
                  QIcon(":/images/arrow_right.png"), none, SLOT(action_moveSelectedMediaToNext()));
    addMenuAction(sequence, tr("To &Last"), QStringLiteral("Action_Move_Last"),
                  QIcon(":/images/arrow_right_stop.png"), none,
                  SLOT(action_moveSelectedMediaToLast()));
    sequence->addSeparator();
    addMenuAction(sequence, tr("&Content Property..."), QStringLiteral("Action_Content_Property"),
                  QIcon(":/images/property.svg"), none, SLOT(showContentProperty()));
    addMenuAction(sequence, tr("C&opy Content Property To..."),
                  QStringLiteral("Action_Copy_Content_Property_To"), QIcon(), none,
                  SLOT(showCopyContentPropertyDialog()));
    sequence->addSeparator();
    QAction* showDuration =
        addMenuAction(sequence, tr("Show &Duration"), QStringLiteral("Action_Show_Duration"),
                      QIcon(":/images/show_duration.png"), none, nullptr);
    showDuration->setCheckable(true);
    showDuration->setChecked(false);
    connect(showDuration, SIGNAL(toggled(bool)), this, SLOT(showMediaDuration(bool)));
    QAction* normalView = addMenuAction(
        sequence, tr("&Normal View"), QStringLiteral("Action_Normal_View"),
        QIcon(":/images/media_width_fixed.png"), none, SLOT(changeSeqViewToNormalView()));
    normalView->setEnabled(false);
    addMenuAction(sequence, tr("&Time View"), QStringLiteral("Action_Time_View"),
                  QIcon(":/images/media_width_duration.png"), none,
                  SLOT(changeSeqViewToTimeView()));
    sequence->addSeparator();
    addMenuAction(sequence, tr("Set &Raise Event..."), QStringLiteral("Action_Set_Raise_Event"),
                  svgIcon(":/images/event_raise_orange.svg"), none,
                  SLOT(showSequenceRaiseEventMenu()));
    addMenuAction(sequence, tr("Set &Listen Event..."), QStringLiteral("Action_Set_Listen_Event"),
                  svgIcon(":/images/event_listen_green.svg"), none,
                  SLOT(showSequenceListenEventMenu()));
    addActionToList(addSeparator(sequence, QLatin1String(SeparatorBeginPlugin), false));
    addActionToList(addSeparator(sequence, QLatin1String(SeparatorEndPlugin), false));

    // Library: the library panel fills it and prepares it before it opens.
    auto* library = new QMenu(tr("&Library"));
    library->setObjectName(QStringLiteral("Menu_Library"));
    m_menuList.append(library);
    if (m_libraryWidget) {
        m_libraryWidget->addLibraryActionsToMenu(library);
        wire(library, SIGNAL(aboutToShow()), m_libraryWidget, SLOT(onMenuToShow()),
             Qt::UniqueConnection);
    }

    // Window
    auto* window = new QMenu(tr("&Window"));
    window->setObjectName(QStringLiteral("Menu_Window"));
    m_menuList.append(window);
    connect(window, SIGNAL(aboutToShow()), this, SLOT(onBeforeWindowMenuShown()));
    struct WindowEntry
    {
        const char* text;
        const char* objectName;
        const char* slot;
    };
    const WindowEntry windowEntries[] = {
        {QT_TR_NOOP("Stage Property"), "Action_Set_Visible_Stage_Property",
         SLOT(action_setVisibleStageProperty(bool))},
        {QT_TR_NOOP("Screen Property"), "Action_Set_Visible_Screen_Property",
         SLOT(action_setVisibleScreenProperty(bool))},
        {QT_TR_NOOP("Content Preview"), "Action_Set_Visible_Content_Preview",
         SLOT(action_setVisibleContentPreview(bool))},
        {QT_TR_NOOP("Library"), "Action_Set_Visible_Library", SLOT(action_setVisibleLibrary(bool))},
        {QT_TR_NOOP("Sequence"), "Action_Set_Visible_Sequence",
         SLOT(action_setVisibleSequence(bool))},
    };
    for (const WindowEntry& entry : windowEntries) {
        QAction* action = addMenuAction(window, tr(entry.text), QLatin1String(entry.objectName),
                                        QIcon(), none, nullptr);
        action->setCheckable(true);
        action->setChecked(true);
        connect(action, SIGNAL(toggled(bool)), this, entry.slot);
    }
    window->addSeparator();
    addMenuAction(window, tr("To Default Position"),
                  QStringLiteral("Action_Windows_To_Default_Position"), QIcon(), none,
                  SLOT(windowsToDefaultPosition()));
}

void KvStageEditor::createStageContextMenu()
{
    delete m_stageContextMenu;
    m_stageContextMenu = new QMenu();
    m_stageContextMenu->setObjectName(QStringLiteral("Menu_Context_Stage"));
    connect(m_stageContextMenu, SIGNAL(aboutToShow()), this, SLOT(onBeforeContextStageMenuShown()));
    connect(m_stageContextMenu, SIGNAL(aboutToHide()), this,
            SLOT(onBeforeContextStageMenuHidden()));
    addSharedActions(m_stageContextMenu,
                     {QStringLiteral("Action_Edit_Event"), QStringLiteral("-"),
                      QStringLiteral("Action_Bring_to_Front"),
                      QStringLiteral("Action_Bring_Forward"),
                      QStringLiteral("Action_Send_Backward"), QStringLiteral("Action_Send_to_Back"),
                      QStringLiteral("-"), QStringLiteral("Action_Lock_Screen"),
                      QStringLiteral("-"), QStringLiteral("Menu_Align"), QStringLiteral("-"),
                      QStringLiteral("Action_Cut"), QStringLiteral("Action_Copy"),
                      QStringLiteral("Action_Paste"), QStringLiteral("Action_Delete")});
    addSeparator(m_stageContextMenu, QLatin1String(SeparatorBeginPlugin), true);
    addSeparator(m_stageContextMenu, QLatin1String(SeparatorEndPlugin), true);
}

void KvStageEditor::createSequenceLabelContextMenu()
{
    delete m_sequenceLabelContextMenu;
    m_sequenceLabelContextMenu = new QMenu();
    m_sequenceLabelContextMenu->setObjectName(QStringLiteral("Menu_Context_SequenceLabel"));
    connect(m_sequenceLabelContextMenu, SIGNAL(aboutToShow()), this,
            SLOT(menuBeforeOpenningCheckOnStage()));
    connect(m_sequenceLabelContextMenu, SIGNAL(aboutToShow()), this,
            SLOT(arrangeMenuOpenningCheckOnStage()));
    addSharedActions(
        m_sequenceLabelContextMenu,
        {QStringLiteral("Action_Bring_to_Front"), QStringLiteral("Action_Bring_Forward"),
         QStringLiteral("Action_Send_Backward"), QStringLiteral("Action_Send_to_Back"),
         QStringLiteral("-"), QStringLiteral("Action_Delete"), QStringLiteral("-"),
         QStringLiteral("Action_Set_Raise_Event"), QStringLiteral("Action_Set_Listen_Event")});

    QList<QAction*> raiseEventActions;
    for (const char* name :
         {"Action_Bring_to_Front", "Action_Bring_Forward", "Action_Send_Backward",
          "Action_Send_to_Back", "Action_Set_Raise_Event", "Action_Set_Listen_Event"}) {
        if (QAction* action = getAction(QLatin1String(name)))
            raiseEventActions.append(action);
    }
    if (m_sequenceContainer)
        m_sequenceContainer->setRaiseEventActions(raiseEventActions);
}

void KvStageEditor::createSequenceMainViewContextMenu()
{
    delete m_sequenceMainViewContextMenu;
    m_sequenceMainViewContextMenu = new QMenu();
    m_sequenceMainViewContextMenu->setObjectName(QStringLiteral("Manu_Context_SequenceMainView"));
    connect(m_sequenceMainViewContextMenu, SIGNAL(aboutToShow()), this,
            SLOT(onBeforeContextSequenceMainViewMenuShown()));
    connect(m_sequenceMainViewContextMenu, SIGNAL(aboutToHide()), this,
            SLOT(onBeforeContextSequenceMainViewMenuHidden()));
    addSharedActions(m_sequenceMainViewContextMenu,
                     {QStringLiteral("Action_Move_First"), QStringLiteral("Action_Move_Previous"),
                      QStringLiteral("Action_Move_Next"), QStringLiteral("Action_Move_Last"),
                      QStringLiteral("-"), QStringLiteral("Action_Content_Property"),
                      QStringLiteral("Action_Copy_Content_Property_To"), QStringLiteral("-"),
                      QStringLiteral("Action_Cut"), QStringLiteral("Action_Copy"),
                      QStringLiteral("Action_Paste"), QStringLiteral("Action_Delete")});
    if (QAction* action = getAction(QStringLiteral("Action_Content_Property")))
        action->setEnabled(false);
    if (QAction* action = getAction(QStringLiteral("Action_Copy_Content_Property_To")))
        action->setEnabled(false);
    addSeparator(m_sequenceMainViewContextMenu, QLatin1String(SeparatorBeginPlugin), false);
    addSeparator(m_sequenceMainViewContextMenu, QLatin1String(SeparatorEndPlugin), false);

    QList<QAction*> viewMenuActions;
    for (const char* name : {"Action_Move_First", "Action_Move_Previous", "Action_Move_Next",
                             "Action_Move_Last", "Action_Copy_Content_Property_To",
                             "Action_Show_Duration", "Action_Normal_View", "Action_Time_View"}) {
        if (QAction* action = getAction(QLatin1String(name)))
            viewMenuActions.append(action);
    }
    if (m_sequenceContainer)
        m_sequenceContainer->setViewMenuActions(viewMenuActions);
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
    if (m_stagePropertyDock)
        m_stagePropertyDock->setVisible(visible);
}

void KvStageEditor::action_setVisibleScreenProperty(bool visible)
{
    if (m_screenPropertyDock)
        m_screenPropertyDock->setVisible(visible);
}

void KvStageEditor::action_setVisibleSequence(bool visible)
{
    if (m_sequenceDock)
        m_sequenceDock->setVisible(visible);
}

void KvStageEditor::action_setVisibleContentPreview(bool visible)
{
    if (m_contentPreviewDock)
        m_contentPreviewDock->setVisible(visible);
}

void KvStageEditor::action_setVisibleLibrary(bool visible)
{
    if (m_libraryDock)
        m_libraryDock->setVisible(visible);
}

void KvStageEditor::onBeforeWindowMenuShown()
{
    const QList<QPair<const char*, KvDockWidget*>> entries = {
        {"Action_Set_Visible_Stage_Property", m_stagePropertyDock},
        {"Action_Set_Visible_Screen_Property", m_screenPropertyDock},
        {"Action_Set_Visible_Content_Preview", m_contentPreviewDock},
        {"Action_Set_Visible_Library", m_libraryDock},
        {"Action_Set_Visible_Sequence", m_sequenceDock}};
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
    attatchWidgetsToMainWindow();
    emit requestRestoreDockWidgetSetting(false, true);
    if (m_libraryWidget && !m_libraryWidget->isFileWatcherInstalled())
        QTimer::singleShot(1, this, SLOT(showNotUseFileSystemWatcher()));
    return true;
}

void KvStageEditor::attatchWidgetsToMainWindow()
{
    if (!m_mainWindow)
        return;
    if (m_stageWidget && m_mainWindow->centralWidget() != m_stageWidget)
        m_mainWindow->setCentralWidget(m_stageWidget);
    const QList<QPair<KvDockWidget*, Qt::DockWidgetArea>> docks = {
        {m_stagePropertyDock, Qt::LeftDockWidgetArea},
        {m_screenPropertyDock, Qt::LeftDockWidgetArea},
        {m_contentPreviewDock, Qt::RightDockWidgetArea},
        {m_libraryDock, Qt::RightDockWidgetArea},
        {m_sequenceDock, Qt::BottomDockWidgetArea}};
    for (const auto& entry : docks) {
        if (entry.first && entry.first->parent() != m_mainWindow)
            m_mainWindow->addDockWidget(entry.second, entry.first);
    }
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
        const DockSizes sizes = defaultDockSizes(m_mainWindow->geometry().height());
        changeDockWidgetSize(m_stagePropertyDock, 272, sizes.stageProperty);
        changeDockWidgetSize(m_screenPropertyDock, 272, sizes.screenProperty);
        changeDockWidgetSize(m_contentPreviewDock, 256, sizes.contentPreview);
        changeDockWidgetSize(m_libraryDock, 256, sizes.library);
        changeDockWidgetSize(m_sequenceDock, 512, sizes.sequence);
        if (!useDefault)
            restoreAllWidgetGeometry();
    }
    if (showStageChooser)
        emit requestToShowStageChooser();
}

void KvStageEditor::changeDockWidgetSize(KvDockWidget* dock, int width, int height)
{
    if (!dock)
        return;
    const QSize minimum = dock->minimumSize();
    const QSize maximum = dock->maximumSize();
    if (width > 0) {
        if (dock->width() >= width)
            dock->setMaximumWidth(width);
        else
            dock->setMinimumWidth(width);
    }
    if (height > 0) {
        if (dock->height() >= height)
            dock->setMaximumHeight(height);
        else
            dock->setMinimumHeight(height);
    }
    // Let the main window lay the dock out at the forced size before it is released.
    QCoreApplication::processEvents();
    if (dock) {
        dock->setMinimumSize(minimum);
        dock->setMaximumSize(maximum);
    }
}

QList<KvDockWidget*> KvStageEditor::dockList() const
{
    QList<KvDockWidget*> docks;
    for (KvDockWidget* dock :
         {m_stagePropertyDock.data(), m_screenPropertyDock.data(), m_contentPreviewDock.data(),
          m_libraryDock.data(), m_sequenceDock.data()}) {
        if (dock)
            docks.append(dock);
    }
    return docks;
}

void KvStageEditor::storeAllWidgetGeometry()
{
    if (!m_mainWindow)
        return;
    for (KvDockWidget* dock : dockList())
        KvEditorCommon::storeDockWidgetGeometry(dock, m_mainWindow);
    KvEditorCommon::storeTabifiedSettings(objectName(), m_mainWindow);
}

void KvStageEditor::restoreAllWidgetGeometry()
{
    if (!m_mainWindow)
        return;
    QList<QDockWidget*> docks;
    for (KvDockWidget* dock : dockList()) {
        KvEditorCommon::restoreDockWidgetGeometry(dock, m_mainWindow);
        docks.append(dock);
    }
    KvEditorCommon::reorderDockWidgets(docks, m_mainWindow);
    KvEditorCommon::restoreTabifiedSettings(QStringLiteral("StageEditor"), m_mainWindow);
}

void KvStageEditor::windowsToDefaultPosition()
{
    const QList<KvDockWidget*> docks = {m_sequenceDock, m_libraryDock, m_contentPreviewDock,
                                        m_screenPropertyDock, m_stagePropertyDock};
    for (KvDockWidget* dock : docks) {
        if (!dock)
            continue;
        if (m_mainWindow)
            m_mainWindow->removeDockWidget(dock);
        dock->setParent(nullptr);
        dock->setFloating(false);
    }
    attatchWidgetsToMainWindow();
    // Shown once they are back inside the main window, so no dock flashes up as a window.
    for (KvDockWidget* dock : docks) {
        if (dock)
            dock->show();
    }
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
    if (m_libraryWidget)
        m_libraryWidget->adjustWidgetSize();
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

KvStagePropertyWidget* KvStageEditor::stagePropertyWidget() const
{
    return m_stagePropertyWidget;
}

KvScreenPropertyWidget* KvStageEditor::screenPropertyWidget() const
{
    return m_screenPropertyWidget;
}

KvContentPreviewWidget* KvStageEditor::contentPreviewWidget() const
{
    return m_contentPreviewWidget;
}

KvLibraryWidget* KvStageEditor::libraryWidget() const
{
    return m_libraryWidget;
}

KvSequenceContainer* KvStageEditor::sequenceContainer() const
{
    return m_sequenceContainer;
}

KvDockWidget* KvStageEditor::stagePropertyDock() const
{
    return m_stagePropertyDock;
}

KvDockWidget* KvStageEditor::screenPropertyDock() const
{
    return m_screenPropertyDock;
}

KvDockWidget* KvStageEditor::contentPreviewDock() const
{
    return m_contentPreviewDock;
}

KvDockWidget* KvStageEditor::libraryDock() const
{
    return m_libraryDock;
}

KvDockWidget* KvStageEditor::sequenceDock() const
{
    return m_sequenceDock;
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
        if (watched && watched == m_sequenceDock.data())
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
    if (m_sequenceContainer)
        m_sequenceContainer->clearLastHoveredItem();
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
    if (m_activeSide == StageSide) {
        if (m_stageWidget)
            m_stageWidget->copyScreen();
    } else if (m_activeSide == SequenceSide) {
        if (m_sequenceContainer)
            m_sequenceContainer->copyMedia(nullptr);
    }
}

void KvStageEditor::action_cut()
{
    if (m_activeSide == StageSide) {
        if (!m_stageWidget)
            return;
        // The copy stays on the clipboard even when a locked screen keeps the cut from
        // happening.
        const QList<KvScreen*> copied = m_stageWidget->copyScreen();
        if (!copied.isEmpty() && !hasLockedScreenItemInSelection())
            pushCutScreenCommand();
    } else if (m_activeSide == SequenceSide) {
        if (!m_sequenceContainer)
            return;
        QList<KvPreservedMedia*> cutList;
        m_sequenceContainer->copyMedia(&cutList);
        if (!cutList.isEmpty())
            pushCutMediaCommand(cutList);
    }
}

void KvStageEditor::action_paste()
{
    if (m_activeSide == StageSide) {
        if (!m_stageWidget)
            return;
        const QList<KvScreen*> previousSelection = selectedScreens();
        QList<KvScreen*> pasted = m_stageWidget->pasteScreen();
        if (m_sequenceContainer)
            m_sequenceContainer->addScreenToSequence(pasted, true, true);
        if (!pasted.isEmpty())
            pushPasteScreenCommand(pasted, previousSelection);
    } else if (m_activeSide == SequenceSide) {
        if (!m_sequenceContainer)
            return;
        QList<KvPreservedMedia*> pasted = m_sequenceContainer->pasteMedia();
        if (!pasted.isEmpty())
            pushPasteMediaCommand(pasted);
    }
}

void KvStageEditor::action_remove()
{
    if (m_activeSide == StageSide)
        action_removeSelectedScreens();
    else if (m_activeSide == SequenceSide)
        action_removeSelectedSeqMediaItems();
}

// The clipboard commands of the edit dispatch: filled in by the screen commands and
// media operations work (CutScreen, PasteScreen, CutMedia, PasteMedia).
void KvStageEditor::pushCutScreenCommand()
{
}

void KvStageEditor::pushPasteScreenCommand(const QList<KvScreen*>&, const QList<KvScreen*>&)
{
}

void KvStageEditor::pushCutMediaCommand(QList<KvPreservedMedia*>&)
{
}

void KvStageEditor::pushPasteMediaCommand(QList<KvPreservedMedia*>&)
{
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

void KvStageEditor::onGraphicsScenePurged(QGraphicsScene* scene)
{
    emit graphicsScenePurged(scene);
}

void KvStageEditor::onGraphicsScenePurged(QList<QGraphicsScene*> sceneList)
{
    emit graphicsScenePurged(sceneList);
}

void KvStageEditor::clearLibraryUndoStack()
{
    if (m_libraryUndoStack)
        m_libraryUndoStack->clear();
}

void KvStageEditor::showMediaDuration(bool show)
{
    if (m_sequenceContainer)
        m_sequenceContainer->showMediaDuration(show);
}

void KvStageEditor::changeSeqViewToNormalView()
{
    if (m_sequenceContainer)
        m_sequenceContainer->changeViewToNormalView();
    if (QAction* action = getAction(QStringLiteral("Action_Normal_View")))
        action->setEnabled(false);
    if (QAction* action = getAction(QStringLiteral("Action_Time_View")))
        action->setEnabled(true);
}

void KvStageEditor::changeSeqViewToTimeView()
{
    if (m_sequenceContainer)
        m_sequenceContainer->changeViewToTimeView();
    if (QAction* action = getAction(QStringLiteral("Action_Normal_View")))
        action->setEnabled(true);
    if (QAction* action = getAction(QStringLiteral("Action_Time_View")))
        action->setEnabled(false);
}

void KvStageEditor::showSequenceRaiseEventMenu()
{
    if (m_sequenceContainer)
        m_sequenceContainer->showRaiseEventMenu();
}

void KvStageEditor::showSequenceListenEventMenu()
{
    if (m_sequenceContainer)
        m_sequenceContainer->showListenEventMenu();
}

// ---------------------------------------------------------------------------------------
// Closing
// ---------------------------------------------------------------------------------------

void KvStageEditor::close()
{
    storeAllWidgetGeometry();
    saveUserSettings();
    if (m_stageWidget)
        m_stageWidget->closeAllStageTab();
    deleteWidgets();
    trashToEmpty();
    emit closed();
}

void KvStageEditor::saveUserSettings()
{
    if (m_libraryWidget)
        m_libraryWidget->saveSettings();
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

void KvStageEditor::deleteDock(QPointer<KvDockWidget>& dock, QWidget* inner)
{
    if (inner)
        inner->disconnect();
    if (!dock)
        return;
    dock->disconnect();
    dock->removeEventFilter(this);
    if (m_mainWindow)
        m_mainWindow->removeDockWidget(dock);
    dock->setParent(nullptr);
    dock->deleteLater();
    dock = nullptr;
}

void KvStageEditor::deleteWidgets()
{
    deleteDock(m_contentPreviewDock, m_contentPreviewWidget);
    m_contentPreviewWidget = nullptr;
    deleteDock(m_libraryDock, m_libraryWidget);
    m_libraryWidget = nullptr;
    deleteDock(m_sequenceDock, m_sequenceContainer);
    m_sequenceContainer = nullptr;
    deleteDock(m_stagePropertyDock, m_stagePropertyWidget);
    m_stagePropertyWidget = nullptr;
    deleteDock(m_screenPropertyDock, m_screenPropertyWidget);
    m_screenPropertyWidget = nullptr;

    if (m_stageWidget) {
        KvStageWidget* stageWidget = m_stageWidget;
        stageWidget->disconnect();
        stageWidget->removeEventFilter(this);
        if (m_mainWindow && m_mainWindow->centralWidget() == stageWidget)
            m_mainWindow->takeCentralWidget();
        stageWidget->setParent(nullptr);
        stageWidget->deleteLater();
        m_stageWidget = nullptr;
    }
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

// The checks below are filled in by the command availability work.
void KvStageEditor::menuBeforeOpenningCheckOnStage()
{
}

void KvStageEditor::arrangeMenuOpenningCheckOnStage()
{
}

void KvStageEditor::screenMenuBeforeOpenningCheck()
{
}

void KvStageEditor::arrangeMenuOpenningCheckOnSequence()
{
}

bool KvStageEditor::canMoveScreenZIndexForward() const
{
    return false;
}

bool KvStageEditor::canMoveScreenZIndexBackword() const
{
    return false;
}

bool KvStageEditor::canMoveMediaIndexPrevious() const
{
    return false;
}

bool KvStageEditor::canMoveMediaIndexNext() const
{
    return false;
}

bool KvStageEditor::canShowMediaProperty(bool* canCopyProperty) const
{
    if (canCopyProperty)
        *canCopyProperty = false;
    return false;
}

bool KvStageEditor::isAllSelectedScreenLocked() const
{
    const QList<KvScreen*> screens = selectedScreens();
    const int locked = static_cast<int>(std::count_if(
        screens.cbegin(), screens.cend(), [](const KvScreen* s) { return s && s->lockScreen(); }));
    return locked >= screens.count();
}

// ---------------------------------------------------------------------------------------
// Stage documents
// ---------------------------------------------------------------------------------------

void KvStageEditor::showStageChooser()
{
    QPointer<KvStageChooser> chooser = new KvStageChooser(m_mainWindow);
    chooser->setStageDir(QDir(dataDir()).absoluteFilePath(QStringLiteral("stage")));
    chooser->setUsingStageList(m_usingStageList);

    connect(chooser, SIGNAL(requestToCreateUsingStageList(QWidget*)), this,
            SLOT(createUsingStageList(QWidget*)));
    connect(this, SIGNAL(usingStageListCreationFinished()), chooser,
            SLOT(usingStageListCreationFinished()));
    // Queued: the tabs open once the dialog has finished with the choice.
    connect(chooser, SIGNAL(stageHasBeenSelected(QStringList)), this,
            SLOT(onStageHasBeenSelected(QStringList)), Qt::QueuedConnection);
    connect(chooser, SIGNAL(requestToShowStageCreator()), this, SLOT(showStageCreator()),
            Qt::QueuedConnection);

    chooser->exec();
    // The dialog deletes itself after a decision; closed any other way it goes here.
    if (chooser)
        chooser->deleteLater();
}

void KvStageEditor::showStageCreator()
{
    QPointer<KvStageCreator> creator = new KvStageCreator(m_mainWindow);
    creator->setStageDir(QDir(dataDir()).absoluteFilePath(QStringLiteral("stage")));
    creator->addUsingFileNameList(workingStageFileList(false));
    connect(creator, SIGNAL(stageCreated(KvStage*)), this, SLOT(onStageCreated(KvStage*)),
            Qt::QueuedConnection);

    creator->exec();
    if (creator)
        creator->deleteLater();
}

void KvStageEditor::onStageHasBeenSelected(QStringList stageList)
{
    if (!m_stageWidget || stageList.isEmpty())
        return;

    int lastOpenedIndex = -1;
    for (const QString& path : qAsConst(stageList)) {
        if (!m_stageWidget)
            return;
        if (hasStageFileOpened(path)) {
            QMessageBox::warning(
                m_stageWidget, tr("Information"),
                tr("The Stage of \"%1\" is already opened.").arg(QFileInfo(path).fileName()),
                QMessageBox::Ok);
            continue;
        }

        auto* stage = new KvStage(path);
        if (!stage->readFile()) {
            const QString fileName = QFileInfo(stage->filePath()).fileName();
            delete stage;
            QMessageBox::critical(m_mainWindow, tr("Error"),
                                  tr("Cannot open the stage of \"%1\"").arg(fileName),
                                  QMessageBox::Ok);
            continue;
        }

        const int index = m_stageWidget->addStage(stage);
        if (index < 0) {
            // No tab took the stage, so nothing else owns it.
            delete stage;
            continue;
        }
        lastOpenedIndex = index;
        if (m_sequenceContainer)
            m_sequenceContainer->addStage(stage);
    }

    if (lastOpenedIndex >= 0)
        emit requestSetCurrentStageTab(lastOpenedIndex);
}

void KvStageEditor::onStageCreated(KvStage* stage)
{
    if (!stage)
        return;
    if (!m_stageWidget) {
        delete stage;
        return;
    }

    // The tab's saved snapshot is taken with a description of its own, so the new stage
    // differs from it until it is saved for the first time.
    const QString description = stage->description();
    stage->setDescription(tr("This is a created new stage that is not saved."));
    const int index = m_stageWidget->addStage(stage);
    stage->setDescription(description);
    if (index < 0) {
        delete stage;
        return;
    }

    if (m_sequenceContainer)
        m_sequenceContainer->addStage(stage);

    emit requestSetCurrentStageTab(index);
    m_stageWidget->changeTabLabelNameToUnsavedState(index, true);
}

bool KvStageEditor::saveCurrentStage()
{
    if (!m_stageWidget)
        return false;
    KvStageWorkingArea* area = m_stageWidget->currentStageWorkingArea();
    KvStage* stage = area ? area->stage() : nullptr;
    if (!stage)
        return false;

    if (!stage->writeToFile()) {
        QMessageBox::critical(
            m_mainWindow, tr("Error"),
            tr("Cannot save the stage of \"%1\".").arg(QFileInfo(stage->filePath()).fileName()),
            QMessageBox::Ok);
        return false;
    }
    area->resetInitialStage();
    m_stageWidget->changeTabLabelNameToUnsavedState(area, false);
    return true;
}

void KvStageEditor::saveCurrentStageAs()
{
    KvStage* stage = currentStage();
    if (!stage)
        return;
    // The dialog runs its own event loop: the tab must still be there afterwards.
    QPointer<KvStageWorkingArea> area = m_stageWidget->currentStageWorkingArea();

    const QString path = QFileDialog::getSaveFileName(
        m_mainWindow, tr("Save Stage"), stage->filePath(), tr("Stages (*.xml *.kstg);;"));
    if (path.isEmpty() || !area || area->stage() != stage || !m_stageWidget)
        return;

    stage->setFilePath(path);
    if (!stage->writeToFile()) {
        QMessageBox::critical(
            m_mainWindow, tr("Error"),
            tr("Cannot save the stage of \"%1\".").arg(QFileInfo(path).fileName()),
            QMessageBox::Ok);
        return;
    }
    area->resetInitialStage();
    // Unmarking first lets Save Stage follow; the label then takes the new file name.
    m_stageWidget->changeTabLabelNameToUnsavedState(area.data(), false);
    m_stageWidget->updateTabLabelNameFromStage(area.data());
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
    static const char* const names[] = {"Action_Add_Multimedia_Screen",
                                        "Action_Add_Telop_Screen",
                                        "Action_Add_Extended_Screen",
                                        "Action_Edit_Event",
                                        "Action_Show_Duration",
                                        "Action_Normal_View",
                                        "Action_Time_View"};
    for (const char* name : names) {
        if (QAction* action = getAction(QLatin1String(name)))
            action->setEnabled(enabled);
    }
    if (m_stagePropertyWidget)
        m_stagePropertyWidget->setPropertyContentAreaEnabled(enabled);
}

QStringList KvStageEditor::workingStageFileList(bool absolute) const
{
    QStringList files;
    if (!m_stageWidget)
        return files;
    const QList<KvStageWorkingArea*> areas = m_stageWidget->stageWorkingAreaList();
    for (const KvStageWorkingArea* area : areas) {
        if (!area || !area->stage())
            continue;
        const QFileInfo info(area->stage()->filePath());
        files.append(absolute ? info.absoluteFilePath() : info.fileName());
    }
    return files;
}

bool KvStageEditor::hasStageFileOpened(const QString& path) const
{
    return m_stageWidget && m_stageWidget->hasStageFileOpened(path);
}

void KvStageEditor::createUsingStageList(QWidget* dialogParent)
{
    auto* creator = new KvUsingFileListCreator(KvUsingFileList::UsingStage, this);
    creator->setRootPath(Path::combine(dataDir(), QStringLiteral("channel")));
    creator->setDataDir(dataDir());
    creator->setUsingFileList(m_usingStageList);
    creator->setDialogParent(dialogParent);
    creator->setUsingDialog(true);
    creator->setExceptFileName(QRegExp(QStringLiteral("channel.xml"), Qt::CaseInsensitive));
    connect(creator, SIGNAL(finished()), this, SLOT(onUsingStageListFinished()));
    connect(creator, SIGNAL(finished()), creator, SLOT(deleteLater()));
    creator->startAsync();
}

void KvStageEditor::createUsingContentList(QWidget* dialogParent)
{
    auto* creator = new KvUsingFileListCreator(KvUsingFileList::UsingContent, this);
    creator->setRootPath(Path::combine(dataDir(), QStringLiteral("stage")));
    creator->setDataDir(dataDir());
    creator->setUsingFileList(m_usingContentList);
    creator->setDialogParent(dialogParent);
    creator->setUsingDialog(true);
    connect(creator, SIGNAL(finished()), this, SLOT(onUsingContentListFinished()));
    connect(creator, SIGNAL(finished()), creator, SLOT(deleteLater()));
    creator->startAsync();
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
// Screen commands: filled in by the screen commands work.
// ---------------------------------------------------------------------------------------

void KvStageEditor::action_addMultimediaScreen()
{
}
void KvStageEditor::action_addTelopScreen()
{
}
void KvStageEditor::action_addExtendedScreen(QString)
{
}
void KvStageEditor::action_editEvent(KvScreen*, KvScreen*)
{
}
void KvStageEditor::action_toggleSelectedScreenLocked()
{
}
void KvStageEditor::action_bringToFront()
{
}
void KvStageEditor::action_bringForward()
{
}
void KvStageEditor::action_sendBackwrard()
{
}
void KvStageEditor::action_sendToBack()
{
}
void KvStageEditor::action_alignSelectedScreensByLeft()
{
}
void KvStageEditor::action_alignSelectedScreensByHCenter()
{
}
void KvStageEditor::action_alignSelectedScreensByRight()
{
}
void KvStageEditor::action_alignSelectedScreensByTop()
{
}
void KvStageEditor::action_alignSelectedScreensByVCenter()
{
}
void KvStageEditor::action_alignSelectedScreensByBottom()
{
}
void KvStageEditor::action_distributeSelectedScreensByTop()
{
}
void KvStageEditor::action_distributeSelectedScreensByVCenter()
{
}
void KvStageEditor::action_distributeSelectedScreensByBottom()
{
}
void KvStageEditor::action_distributeSelectedScreensByLeft()
{
}
void KvStageEditor::action_distributeSelectedScreensByHCenter()
{
}
void KvStageEditor::action_distributeSelectedScreensByRight()
{
}
void KvStageEditor::action_removeSelectedScreens()
{
}
void KvStageEditor::action_selectedScreenMoved()
{
}
void KvStageEditor::action_selectedScreenResized()
{
}
void KvStageEditor::action_changeSelectedScreenBackColor(QColor)
{
}
void KvStageEditor::action_changeSelectedScreenLocked(bool)
{
}
void KvStageEditor::action_changeSelectedScreenGraphicsType(GraphicsType::GraphicsTypes)
{
}
void KvStageEditor::action_changeSelectedScreenMoviePlayerType(PlayerType::PlayerTypes)
{
}
void KvStageEditor::action_changeSelectedScreenFlashPlayerType(PlayerType::PlayerTypes)
{
}
void KvStageEditor::action_changeSelectedScreenWebBrowserType(PlayerType::PlayerTypes)
{
}
void KvStageEditor::action_changeSelectedScreenName(QString)
{
}
void KvStageEditor::action_changeStageBackColor(QColor)
{
}
void KvStageEditor::action_changeStageSize(QSizeF)
{
}
void KvStageEditor::action_changeStageImage(QString)
{
}
void KvStageEditor::action_changeStagePos(QPointF)
{
}
void KvStageEditor::action_changeStageOptions(uint)
{
}
void KvStageEditor::showStageBackImagePicker()
{
}
void KvStageEditor::onScreenEventChanged(QList<KvPreservedEvent>)
{
}

// ---------------------------------------------------------------------------------------
// Media operations: filled in by the media operations work.
// ---------------------------------------------------------------------------------------

void KvStageEditor::action_addMedia(QList<KvPreservedMedia*>&)
{
}
void KvStageEditor::action_removeSelectedSeqMediaItems()
{
}
void KvStageEditor::action_moveSelectedMedia(int, int, int, int, bool* result)
{
    if (result)
        *result = false;
}
void KvStageEditor::action_moveSelectedMediaToFirst()
{
}
void KvStageEditor::action_moveSelectedMediaToPrevious()
{
}
void KvStageEditor::action_moveSelectedMediaToNext()
{
}
void KvStageEditor::action_moveSelectedMediaToLast()
{
}
void KvStageEditor::action_updateMediaProperties(KvSeqMediaItem*, KvMedia)
{
}
void KvStageEditor::action_copyMediaPropertyToOthers(const KvMedia*, int, QList<int>)
{
}
void KvStageEditor::createThumbnail(QStringList&)
{
}
void KvStageEditor::action_createThumbnailForce()
{
}
void KvStageEditor::showContentProperty()
{
}
void KvStageEditor::showCopyContentPropertyDialog()
{
}

// ---------------------------------------------------------------------------------------
// Library: filled in by the library work.
// ---------------------------------------------------------------------------------------

void KvStageEditor::checkUsingFileForRenaming(QString, bool* ok, bool* notReady)
{
    if (ok)
        *ok = true;
    if (notReady)
        *notReady = false;
}
void KvStageEditor::action_renameFile(QString, QString, QString)
{
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
void KvStageEditor::showNotUseFileSystemWatcher()
{
}

// ---------------------------------------------------------------------------------------
// Plug-in screens: filled in by the plug-in work. No plug-in loader is part of this
// build, so no extended-screen plug-in is ever offered.
// ---------------------------------------------------------------------------------------

void KvStageEditor::loadPlugins() const
{
}

bool KvStageEditor::hasExtndedScreenPlugin() const
{
    loadPlugins();
    return false;
}

void KvStageEditor::showPluginChooserForExtendedScreen()
{
}
void KvStageEditor::appendPluginScreenActionsToMenu(QMenu*)
{
}
void KvStageEditor::appendPluginSequenceActionsToMenu(QMenu*)
{
}
void KvStageEditor::purgePluginActionsFromMenu(QMenu*)
{
}
void KvStageEditor::usePluginGui(KvPluginGuiInterface* gui)
{
    if (gui)
        m_pluginGuiMap.insert(gui, true);
}
void KvStageEditor::action_pluginScreenValuesUpdate(int, QList<int>)
{
}
void KvStageEditor::onPluginScreenValuesUpdated(int, QList<int>)
{
}
void KvStageEditor::onPluginScreenContentsAppendingRequested(int, QMap<int, QVariant>)
{
}

} // namespace Kova
