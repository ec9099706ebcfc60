#include "kvstagewidget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QMainWindow>
#include <QMessageBox>
#include <QMetaMethod>
#include <QMimeData>
#include <QProcess>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include <limits>

#include "kvconfig.h"
#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginguiinterface.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvstageeditor.h"
#include "kvstageworkingarea.h"

namespace Kova {

namespace {

bool startPlayerDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace

KvStageWidget::KvStageWidget(KvStageEditor* editor, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_clipboard(new QList<KvScreen*>)
    , m_previewLauncher(&startPlayerDetached)
{
    setObjectName(QStringLiteral("StageWidget"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar(tr("Stage Tools"), this);
    m_toolBar->setObjectName(QStringLiteral("StageToolBar"));
    m_toolBar->setMaximumHeight(24);
    layout->setMenuBar(m_toolBar);

    m_tabWidget = new QTabWidget(this);
    m_tabWidget->setObjectName(QStringLiteral("StageTabWidget"));
    m_tabWidget->setTabsClosable(true);
    // Clicking a tab takes the keyboard focus: a value still being typed in a property panel
    // is finished, and so committed to its own stage, before the other stage shows.
    m_tabWidget->tabBar()->setFocusPolicy(Qt::StrongFocus);
    m_tabWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_tabWidget->hide();
    layout->addWidget(m_tabWidget);

    createToolBar();

    connect(m_tabWidget, &QTabWidget::currentChanged, this,
            &KvStageWidget::onCurrentStageTabChanged);
    connect(m_tabWidget, &QTabWidget::tabCloseRequested, this, &KvStageWidget::closeStageTab);
    connect(this, &KvStageWidget::stageAdded, this, &KvStageWidget::onStageAdded,
            Qt::QueuedConnection);
    connect(this, &KvStageWidget::firstStageTabAdded, this, &KvStageWidget::onFirstStageTabAdded);
    connect(this, &KvStageWidget::allStageTabClosed, this, &KvStageWidget::onAllStageTabClosed);

    setActionEnabled(false);
}

KvStageWidget::~KvStageWidget()
{
    // The tabs (closed ones waiting for deletion too) go with the child widgets, after this
    // object has stopped being a stage widget: nothing they signal then may reach it.
    disconnect(m_tabWidget, nullptr, this, nullptr);
    const QList<KvStageWorkingArea*> areas = findChildren<KvStageWorkingArea*>();
    for (KvStageWorkingArea* area : areas)
        disconnect(area, nullptr, this, nullptr);
    clearClipboardForScreen();
    delete m_clipboard;
    m_clipboard = nullptr;
}

// ---------------------------------------------------------------------------------------
// Tool bar

QAction* KvStageWidget::createToolAction(const QString& objectName, const QString& text,
                                         const QString& icon)
{
    auto* action = new QAction(QIcon(icon), text, this);
    action->setObjectName(objectName);
    m_toolBar->addAction(action);
    m_actionList.append(action);
    return action;
}

void KvStageWidget::addToolSpacer(bool expanding)
{
    auto* spacer = new QWidget(m_toolBar);
    spacer->setMinimumSize(16, 16);
    spacer->setSizePolicy(expanding ? QSizePolicy::Expanding : QSizePolicy::Preferred,
                          expanding ? QSizePolicy::Expanding : QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
}

void KvStageWidget::createToolBar()
{
    QAction* action = createToolAction(QStringLiteral("Action_Add_Multimedia_Screen"),
                                       tr("Add Multimedia Screen"),
                                       QStringLiteral(":/images/tool_MultiMediaScreen2.png"));
    connect(action, &QAction::triggered, this, &KvStageWidget::action_addMultimediaScreen);

    action = createToolAction(QStringLiteral("Action_Add_Telop_Screen"), tr("Add Telop Screen"),
                              QStringLiteral(":/images/tool_TelopWindow2.png"));
    connect(action, &QAction::triggered, this, &KvStageWidget::action_addTelopScreen);

    action = createToolAction(QStringLiteral("Action_Add_Extended_Screen"),
                              tr("Add Extended Screen"), QStringLiteral(":/images/ext_screen.svg"));
    connect(action, &QAction::triggered, this, &KvStageWidget::action_addExtendedScreen);
    action->setVisible(m_editor && m_editor->hasExtndedScreenPlugin());

    addToolSpacer(false);

    action = createToolAction(QStringLiteral("Action_Preview_Stage"), tr("Preview Stage...."),
                              QStringLiteral(":/images/LuViewerPlay24.png"));
    connect(action, &QAction::triggered, this, &KvStageWidget::previewCurrentStage);

    addToolSpacer(false);
    addToolSpacer(true);

    action = createToolAction(QStringLiteral("Action_Close_Stage"), tr("Close Stage Editor"),
                              QStringLiteral(":/images/close_black_16.png"));
    connect(action, &QAction::triggered, this, &KvStageWidget::onCloseButtonTriggerd,
            Qt::QueuedConnection);
}

void KvStageWidget::setActionEnabled(bool enabled)
{
    static const QStringList names = {
        QStringLiteral("Action_Add_Multimedia_Screen"), QStringLiteral("Action_Add_Telop_Screen"),
        QStringLiteral("Action_Preview_Stage"), QStringLiteral("Action_Add_Extended_Screen")};
    for (QAction* action : qAsConst(m_actionList)) {
        if (action && names.contains(action->objectName()))
            action->setEnabled(enabled);
    }
}

// ---------------------------------------------------------------------------------------
// Tabs

QWidget* KvStageWidget::dialogParent() const
{
    if (m_editor && m_editor->mainWindow())
        return m_editor->mainWindow();
    return const_cast<KvStageWidget*>(this);
}

QString KvStageWidget::stageFileName(const KvStage* stage) const
{
    return stage ? QFileInfo(stage->filePath()).fileName() : QString();
}

int KvStageWidget::addStage(KvStage* stage)
{
    const int index = addStageTab(QString(), stage);
    emit stageAdded(index);
    return index;
}

int KvStageWidget::addStageTab(const QString& name, KvStage* stage)
{
    if (!m_tabWidget)
        return -1;

    QString label;
    if (stage) {
        label = stageFileName(stage);
    } else if (!name.isEmpty()) {
        label = name;
    } else {
        const QString base = tr("Stage");
        for (int i = 1; i < std::numeric_limits<int>::max(); ++i) {
            const QString candidate = QStringLiteral("%1%2").arg(base).arg(i);
            if (!hasStageName(candidate)) {
                label = candidate;
                break;
            }
        }
        if (label.isEmpty())
            return -1;
    }

    const QString dataDir = m_editor ? m_editor->dataDir() : KvEditorConfig::dataDir();
    auto* area = new KvStageWorkingArea(stage, dataDir, nullptr);
    const int index = m_tabWidget->addTab(area, label);

    if (m_editor) {
        m_editor->addUndoStack(area->undoStack());
        m_editor->setActiveUndoStack(area->undoStack());
    }

    area->setUndoMediaReader(m_undoMediaReader);
    area->setExtendedScreenPluginResolver(m_extendedScreenPluginResolver);
    area->setMediaDropEnabled(m_mediaDropEnabled);

    connect(area, &KvStageWorkingArea::deleteKeyPressed, this,
            &KvStageWidget::action_removeSerectedScreens);
    connect(area, &KvStageWorkingArea::screenMoved, this,
            &KvStageWidget::action_selectedScreenMoved);
    connect(area, &KvStageWorkingArea::screenResized, this,
            &KvStageWidget::action_selectedScreenResized);
    connect(area, &KvStageWorkingArea::contextMenuRequired, this,
            &KvStageWidget::onStageContextMenuRequired);
    connect(area, &KvStageWorkingArea::screenSelectionChanged, this,
            &KvStageWidget::onScreenSelectionChanged);
    connect(area, &KvStageWorkingArea::selectedHandleRectChanged, this,
            &KvStageWidget::onSelectedRectChanged);
    connect(area, &KvStageWorkingArea::mousePressed, this, &KvStageWidget::onMousePressed);
    connect(area, &KvStageWorkingArea::requestAddMedia, this, &KvStageWidget::onRequestAddMedia);
    connect(area, &KvStageWorkingArea::requestTabLabelNameToUnsavedState, this,
            [this](QWidget* widget) { changeTabLabelNameToUnsavedState(widget); });
    connect(area, &KvStageWorkingArea::graphicsScenePurged, this,
            &KvStageWidget::onGraphicsScenePurged);

    if (m_tabWidget->count() == 1) {
        m_tabWidget->show();
        QCoreApplication::processEvents();
        emit firstStageTabAdded();
    }
    return index;
}

int KvStageWidget::currentTabIndex() const
{
    return m_tabWidget ? m_tabWidget->currentIndex() : -1;
}

int KvStageWidget::openedStageCount() const
{
    return m_tabWidget ? m_tabWidget->count() : 0;
}

KvStageWorkingArea* KvStageWidget::stageWorkingArea(int tabIndex) const
{
    if (!m_tabWidget)
        return nullptr;
    return qobject_cast<KvStageWorkingArea*>(m_tabWidget->widget(tabIndex));
}

KvStageWorkingArea* KvStageWidget::currentStageWorkingArea() const
{
    return m_tabWidget ? stageWorkingArea(m_tabWidget->currentIndex()) : nullptr;
}

QList<KvStageWorkingArea*> KvStageWidget::stageWorkingAreaList() const
{
    QList<KvStageWorkingArea*> list;
    for (int i = 0; i < openedStageCount(); ++i) {
        if (KvStageWorkingArea* area = stageWorkingArea(i))
            list.append(area);
    }
    return list;
}

QString KvStageWidget::tabLabel(int tabIndex) const
{
    return m_tabWidget ? m_tabWidget->tabText(tabIndex) : QString();
}

bool KvStageWidget::hasStageName(const QString& name) const
{
    for (int i = 0; i < openedStageCount(); ++i) {
        if (m_tabWidget->tabText(i) == name)
            return true;
    }
    return false;
}

bool KvStageWidget::hasStageFileOpened(const QString& filePath) const
{
    for (KvStageWorkingArea* area : stageWorkingAreaList()) {
        if (area->stage() && area->stage()->filePath().compare(filePath, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

static bool stageDiffersFromInitial(const KvStageWorkingArea* area)
{
    if (!area || !area->stage() || !area->initialStage())
        return false;
    return !area->stage()->isMatch(*area->initialStage(), false);
}

bool KvStageWidget::isCurrentStageChangedFromInitial() const
{
    return stageDiffersFromInitial(currentStageWorkingArea());
}

bool KvStageWidget::isFileUsingInOpenedStage(const QStringList& paths,
                                             QPair<QString, QString>* found,
                                             Qt::CaseSensitivity caseSensitivity) const
{
    for (KvStageWorkingArea* area : stageWorkingAreaList()) {
        if (area->isFileUsingInOpenedStage(paths, found, caseSensitivity))
            return true;
    }
    return false;
}

QList<QGraphicsScene*> KvStageWidget::takeGraphicsScenes()
{
    QList<QGraphicsScene*> scenes;
    for (KvStageWorkingArea* area : stageWorkingAreaList()) {
        if (QGraphicsScene* scene = area->takeScene())
            scenes.append(scene);
    }
    return scenes;
}

void KvStageWidget::setCurrentStageTab(int tabIndex)
{
    if (m_tabWidget)
        m_tabWidget->setCurrentIndex(tabIndex);
}

void KvStageWidget::applyScreenPropertyToPlugin(KvStage* stage)
{
    if (!stage)
        return;
    for (const KvScreen* screen : stage->screenList())
        KvEditorCommon::applyPluginState(screen);
}

void KvStageWidget::onCurrentStageTabChanged(int tabIndex)
{
    KvStageWorkingArea* area = tabIndex < 0 ? nullptr : stageWorkingArea(tabIndex);
    if (!area) {
        emit currentStageTabChanged(static_cast<KvStage*>(nullptr));
        emit currentStageTabChanged(static_cast<KvStageWorkingArea*>(nullptr));
        emit screenSelectionChanged(QList<KvScreen*>());
        return;
    }
    applyScreenPropertyToPlugin(area->stage());
    emit currentStageTabChanged(area->stage());
    emit currentStageTabChanged(area);
    emit screenSelectionChanged(area->selectedScreens());
}

void KvStageWidget::onScreenSelectionChanged(KvStageWorkingArea* area)
{
    if (!area || area != currentStageWorkingArea())
        return;
    emit screenSelectionChanged(area->selectedScreens());
    if (m_editor)
        m_editor->arrangeMenuOpenningCheckOnStage();
}

void KvStageWidget::onStageAdded(int tabIndex)
{
    if (KvStageWorkingArea* area = stageWorkingArea(tabIndex))
        area->setZoomRate(0.5);
}

void KvStageWidget::onAllStageTabClosed()
{
    if (m_tabWidget)
        m_tabWidget->hide();
    setActionEnabled(false);
}

void KvStageWidget::onFirstStageTabAdded()
{
    setActionEnabled(true);
}

void KvStageWidget::changeTabLabelNameToUnsavedState(int tabIndex, bool unsavedState)
{
    if (!m_tabWidget)
        return;
    if (tabIndex < 0)
        tabIndex = m_tabWidget->currentIndex();
    if (tabIndex < 0 || tabIndex >= m_tabWidget->count())
        return;
    const QString label = m_tabWidget->tabText(tabIndex);
    const bool marked = label.endsWith(QLatin1Char('*'));
    if (unsavedState) {
        if (marked)
            return;
        m_tabWidget->setTabText(tabIndex, label + QLatin1Char('*'));
    } else {
        QString plain = label;
        while (plain.endsWith(QLatin1Char('*')))
            plain.chop(1);
        m_tabWidget->setTabText(tabIndex, plain);
    }
    if (marked != unsavedState)
        emit unsavedStateChanged(tabIndex, unsavedState);
}

void KvStageWidget::changeTabLabelNameToUnsavedState(QWidget* widget, bool unsavedState)
{
    if (!m_tabWidget || !widget)
        return;
    const int index = m_tabWidget->indexOf(widget);
    if (index >= 0)
        changeTabLabelNameToUnsavedState(index, unsavedState);
}

void KvStageWidget::updateTabLabelNameFromStage(int tabIndex)
{
    if (!m_tabWidget)
        return;
    if (tabIndex < 0)
        tabIndex = m_tabWidget->currentIndex();
    KvStageWorkingArea* area = stageWorkingArea(tabIndex);
    if (!area || !area->stage())
        return;
    m_tabWidget->setTabText(tabIndex, stageFileName(area->stage()));
}

void KvStageWidget::updateTabLabelNameFromStage(QWidget* widget)
{
    if (!m_tabWidget || !widget)
        return;
    const int index = m_tabWidget->indexOf(widget);
    if (index >= 0)
        updateTabLabelNameFromStage(index);
}

bool KvStageWidget::askToSave(KvStageWorkingArea* area, bool* saved)
{
    if (saved)
        *saved = false;
    if (!stageDiffersFromInitial(area))
        return true;
    KvStage* stage = area->stage();
    const QString fileName = stageFileName(stage);
    const QMessageBox::StandardButton answer = QMessageBox::question(
        dialogParent(), tr("Notice"),
        tr("The stage of \"%1\" has been changed.\n\nDo you want to save it ?").arg(fileName),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return true;
    if (!stage->writeToFile()) {
        QMessageBox::critical(dialogParent(), tr("Error"),
                              tr("Cannot save the stage of \"%1\".").arg(fileName),
                              QMessageBox::Ok);
        return false;
    }
    if (saved)
        *saved = true;
    return true;
}

void KvStageWidget::closeCurrentStage()
{
    if (m_tabWidget && m_tabWidget->currentIndex() >= 0)
        closeStageTab(m_tabWidget->currentIndex());
}

void KvStageWidget::closeStageTab(int index)
{
    KvStageWorkingArea* area = stageWorkingArea(index);
    if (!area)
        return;
    // Whatever the answer, and even when saving failed, the tab goes.
    askToSave(area);

    KvStage* stage = area->stage();
    QList<QGraphicsScene*> scenes;
    if (QGraphicsScene* scene = area->takeScene())
        scenes.append(scene);
    QGraphicsScene* sequenceScene = nullptr;
    emit takeGraphicsSceneFromSequenceWidget(stage, &sequenceScene);
    if (sequenceScene)
        scenes.append(sequenceScene);

    m_tabWidget->removeTab(m_tabWidget->indexOf(area));
    emit stageTabClosed(stage);
    disconnect(area, nullptr, this, nullptr);
    area->deleteLater();

    if (m_tabWidget->count() == 0)
        emit allStageTabClosed();
    if (scenes.isEmpty())
        return;
    // The scenes go to whoever listens (the editor hands them to the host); without a
    // listener nobody would delete them.
    static const QMetaMethod purged =
        QMetaMethod::fromSignal(static_cast<void (KvStageWidget::*)(QList<QGraphicsScene*>)>(
            &KvStageWidget::graphicsScenePurged));
    if (isSignalConnected(purged))
        emit graphicsScenePurged(scenes);
    else
        qDeleteAll(scenes);
}

void KvStageWidget::closeAllStageTab()
{
    for (int i = openedStageCount() - 1; i >= 0; --i)
        closeStageTab(i);
}

void KvStageWidget::onGraphicsScenePurged(QGraphicsScene* scene)
{
    static const QMetaMethod purged = QMetaMethod::fromSignal(
        static_cast<void (KvStageWidget::*)(QGraphicsScene*)>(&KvStageWidget::graphicsScenePurged));
    if (isSignalConnected(purged))
        emit graphicsScenePurged(scene);
    else
        delete scene;
}

// ---------------------------------------------------------------------------------------
// Screens

KvScreen* KvStageWidget::createScreenOnCurrent(int type, const QString& pluginId)
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    if (!area)
        return nullptr;
    return area->createScreen(type, QRectF(), pluginId);
}

KvScreen* KvStageWidget::addMultimediaScreen()
{
    return createScreenOnCurrent(ScreenType::Multimedia, QString());
}

KvScreen* KvStageWidget::addTelopScreen()
{
    return createScreenOnCurrent(ScreenType::Telop, QString());
}

KvScreen* KvStageWidget::addExtendedScreen(const QString& pluginId)
{
    return createScreenOnCurrent(ScreenType::Extended, pluginId);
}

void KvStageWidget::addScreen(KvScreen* screen)
{
    if (screen)
        addScreen(QList<KvScreen*>{screen});
}

void KvStageWidget::addScreen(const QList<KvScreen*>& screens)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->addScreenItems(screens);
}

void KvStageWidget::removeScreen(KvScreen* screen)
{
    if (screen)
        removeScreens(QList<KvScreen*>{screen});
}

void KvStageWidget::removeScreens(const QList<KvScreen*>& screens)
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    if (!area)
        return;
    emit beforeRemoveScreen();
    for (KvScreen* screen : screens)
        area->removeScreenItem(screen);
    area->updateSelectedHandle();
}

QList<KvScreen*> KvStageWidget::removeSelectedScreens()
{
    const QList<KvScreen*> selected = selectedScreens();
    if (!selected.isEmpty())
        removeScreens(selected);
    return selected;
}

QList<KvScreen*> KvStageWidget::screens() const
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return (area && area->stage()) ? area->stage()->screenList() : QList<KvScreen*>();
}

QList<KvScreen*>* KvStageWidget::screenListObject() const
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return (area && area->stage()) ? &area->stage()->screenList() : nullptr;
}

QList<KvScreen*> KvStageWidget::selectedScreens() const
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area ? area->selectedScreens() : QList<KvScreen*>();
}

void KvStageWidget::selectScreenItem(const QList<KvScreen*>& screens, bool deselectOthers,
                                     bool repaint)
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    if (!area)
        return;
    area->selectScreenItem(screens, deselectOthers, repaint);
    if (m_editor)
        m_editor->arrangeMenuOpenningCheckOnStage();
}

void KvStageWidget::clearScreenSelection()
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->clearScreenSelection();
}

bool KvStageWidget::hasSelectedItem() const
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area && area->hasSelectedItem();
}

bool KvStageWidget::hasLockedScreenItemInSelection() const
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area && area->hasLockedScreenItemInSelection();
}

QMap<KvScreen*, QPointF> KvStageWidget::selectedScreenMoved()
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area ? area->selectedScreenMoved() : QMap<KvScreen*, QPointF>();
}

QMap<KvScreen*, QRectF> KvStageWidget::selectedScreenResized()
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area ? area->selectedScreenResized() : QMap<KvScreen*, QRectF>();
}

void KvStageWidget::updateScreenItemBackColor(const QList<KvScreen*>& screens)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->updateScreenItemBackColor(screens);
}

void KvStageWidget::updateScreenItemName(KvScreen* screen)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->updateScreenItemName(screen);
}

void KvStageWidget::updateScreenItemPos(const QList<KvScreen*>& screens)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->updateScreenItemPos(screens);
}

void KvStageWidget::updateScreenItemRect(const QList<KvScreen*>& screens)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->updateScreenItemRect(screens);
}

void KvStageWidget::updateScreenItemZIndex(const QMap<KvScreen*, bool>& selection)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->updateScreenItemZIndex(selection, true);
}

void KvStageWidget::updateSelectedHandle()
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->updateSelectedHandle();
}

void KvStageWidget::setUndoMediaReader(const KvStageWorkingArea::UndoMediaReader& reader)
{
    m_undoMediaReader = reader;
    for (KvStageWorkingArea* area : stageWorkingAreaList())
        area->setUndoMediaReader(reader);
}

void KvStageWidget::setExtendedScreenPluginResolver(
    const KvStageWorkingArea::ExtendedScreenPluginResolver& resolver)
{
    m_extendedScreenPluginResolver = resolver;
    for (KvStageWorkingArea* area : stageWorkingAreaList())
        area->setExtendedScreenPluginResolver(resolver);
}

void KvStageWidget::setMediaDropEnabled(bool enabled)
{
    m_mediaDropEnabled = enabled;
    for (KvStageWorkingArea* area : stageWorkingAreaList())
        area->setMediaDropEnabled(enabled);
}

void KvStageWidget::onRequestAddMedia(QList<KvPreservedMedia*>& mediaList, KvScreen* screen)
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    const QList<KvScreen*> list =
        (area && area->stage()) ? area->stage()->screenList() : QList<KvScreen*>();
    const int screenIndex = list.indexOf(screen);
    const int base = screen ? screen->mediaCount() : 0;
    for (int i = 0; i < mediaList.count(); ++i) {
        if (KvPreservedMedia* record = mediaList.at(i)) {
            record->setScreenIndex(screenIndex);
            record->setSequenceIndex(base + i);
        }
    }
    static const QMetaMethod signal =
        QMetaMethod::fromSignal(static_cast<void (KvStageWidget::*)(QList<KvPreservedMedia*>&)>(
            &KvStageWidget::requestAddMedia));
    if (!isSignalConnected(signal)) {
        // Nobody takes the new media: let them go rather than leak them.
        qDeleteAll(mediaList);
        mediaList.clear();
        return;
    }
    emit requestAddMedia(mediaList);
}

// ---------------------------------------------------------------------------------------
// Screen clipboard

bool KvStageWidget::canCopyScreen() const
{
    const QList<KvScreen*> selected = selectedScreens();
    if (selected.isEmpty())
        return false;
    for (const KvScreen* screen : selected) {
        // A plug-in screen's GUI interface decides; an extended screen without one refuses.
        KvEditorCommon::applyPluginState(screen);
        if (const KvPluginGuiInterface* gui = KvEditorCommon::getPluginGuiInterface(screen)) {
            if (!gui->canCopyScreen())
                return false;
        } else if (screen->type() == ScreenType::Extended) {
            return false;
        }
    }
    return true;
}

bool KvStageWidget::canDeleteScreen() const
{
    for (const KvScreen* screen : selectedScreens()) {
        if (screen->lockScreen())
            return false;
    }
    return true;
}

bool KvStageWidget::canPasteScreen() const
{
    if (m_clipboard->isEmpty())
        return false;
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    return mime && mime->hasFormat(KvEditorCommon::MIME_TYPE_SCREEN_OBJECT);
}

QString KvStageWidget::screenClipboardText(const QList<KvScreen*>& screens)
{
    QString text;
    for (const KvScreen* screen : screens) {
        const QRectF r = screen->rect();
        // One multi-argument arg() so that a name containing "%n" is taken literally.
        text += QStringLiteral("Screen{id=%1;name=%2;x=%3;y=%4;z=%5;width=%6;height=%7;};")
                    .arg(QString::number(screen->id()), screen->name(), QString::number(r.x()),
                         QString::number(r.y()), QString::number(screen->zIndex()),
                         QString::number(r.width()), QString::number(r.height()));
    }
    return text;
}

QList<KvScreen*> KvStageWidget::copyScreen()
{
    QList<KvScreen*> selected = selectedScreens();
    if (selected.isEmpty())
        return QList<KvScreen*>();
    KvEditorCommon::sortScreenByZIndexAscending(selected);
    clearClipboardForScreen();
    for (const KvScreen* screen : qAsConst(selected))
        m_clipboard->append(new KvScreen(*screen, false));
    const QString text = screenClipboardText(*m_clipboard);
    auto* mime = new QMimeData;
    mime->setText(text);
    mime->setData(KvEditorCommon::MIME_TYPE_SCREEN_OBJECT, text.toLatin1());
    QApplication::clipboard()->setMimeData(mime);
    return *m_clipboard;
}

QList<KvScreen*> KvStageWidget::pasteScreen()
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    if (m_clipboard->isEmpty() || !area || !area->stage())
        return QList<KvScreen*>();

    QList<KvScreen*> existing = area->stage()->screenList();
    QMap<int, QString> names;
    for (const KvScreen* screen : qAsConst(existing))
        names.insert(screen->id(), screen->name());
    const int highestId = KvEditorCommon::sortScreenByZIndexDescending(existing);
    if (existing.isEmpty())
        return QList<KvScreen*>();
    const int topZIndex = existing.first()->zIndex();

    area->clearScreenSelection();
    if (m_editor)
        m_editor->arrangeMenuOpenningCheckOnStage();

    QList<KvScreen*> pasted;
    QRectF united;
    int k = 0;
    for (const KvScreen* source : qAsConst(*m_clipboard)) {
        ++k;
        auto* screen = new KvScreen(*source, false);
        screen->setZIndex(topZIndex + k);
        screen->setId(highestId + k);
        const QString name = KvEditorCommon::checkName(source->name(), screen->id(), names);
        screen->setName(name);
        names.insert(screen->id(), name);
        united = pasted.isEmpty() ? screen->rect() : united.united(screen->rect());
        pasted.append(screen);
    }

    QRectF moved = united;
    moved.moveCenter(area->lastPressedScenePos());
    const QPointF offset = moved.topLeft() - united.topLeft();
    for (KvScreen* screen : qAsConst(pasted)) {
        screen->setRect(screen->rect().translated(offset));
        area->addScreenItems(QList<KvScreen*>{screen});
    }
    area->updateSelectedHandle();
    return pasted;
}

void KvStageWidget::clearClipboardForScreen()
{
    if (!m_clipboard)
        return;
    qDeleteAll(*m_clipboard);
    m_clipboard->clear();
}

// ---------------------------------------------------------------------------------------
// Stage setters

QColor KvStageWidget::setStageBackgroundColor(const QColor& color)
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area ? area->setStageBackgroundColor(color) : QColor();
}

QString KvStageWidget::setStageBackgroundImage(const QString& path, bool* unchanged)
{
    if (unchanged)
        *unchanged = false;
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area ? area->setStageBackgroundImage(path, unchanged) : QString();
}

unsigned int KvStageWidget::setStageOptions(unsigned int options)
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area ? area->setStageOptions(options) : 0u;
}

QPointF KvStageWidget::setStagePos(const QPointF& pos)
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area ? area->setStagePos(pos) : QPointF();
}

QSizeF KvStageWidget::setStageSize(const QSizeF& size)
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    return area ? area->setStageSize(size) : QSizeF();
}

void KvStageWidget::setStageItemSize(QSizeF size)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->setStageItemSize(size);
}

// ---------------------------------------------------------------------------------------
// Preview

QString KvStageWidget::previewProgram()
{
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("KvStageScreen.exe"));
}

QStringList KvStageWidget::previewArguments(const QString& stageFilePath, bool usePlatformPlayer)
{
    // The same words as the player's documented command line
    // -s "<stage>"  -t false -u 001 -ai true -ss true -a true -pv true -pp <bool>,
    // one list entry each, the stage path as one entry whatever it contains.
    return QStringList{QStringLiteral("-s"),
                       stageFilePath,
                       QStringLiteral("-t"),
                       QStringLiteral("false"),
                       QStringLiteral("-u"),
                       QStringLiteral("001"),
                       QStringLiteral("-ai"),
                       QStringLiteral("true"),
                       QStringLiteral("-ss"),
                       QStringLiteral("true"),
                       QStringLiteral("-a"),
                       QStringLiteral("true"),
                       QStringLiteral("-pv"),
                       QStringLiteral("true"),
                       QStringLiteral("-pp"),
                       usePlatformPlayer ? QStringLiteral("true") : QStringLiteral("false")};
}

bool KvStageWidget::usePlatformPlayerSetting()
{
    return KvConfig::usePlatformPalyer(KvEditorConfig::getConfig());
}

void KvStageWidget::setPreviewLauncher(PreviewLauncher launcher)
{
    m_previewLauncher = launcher ? std::move(launcher) : PreviewLauncher(&startPlayerDetached);
}

void KvStageWidget::previewCurrentStage()
{
    KvStageWorkingArea* area = currentStageWorkingArea();
    if (!area || !area->stage())
        return;
    bool saved = false;
    if (!askToSave(area, &saved))
        return;
    if (saved) {
        area->resetInitialStage();
        changeTabLabelNameToUnsavedState(m_tabWidget->indexOf(area), false);
    }
    QMessageBox::information(dialogParent(), tr("How to exit the preview"),
                             tr("To exit the preview and press the \"ESC\" key."), QMessageBox::Ok);
    m_previewLauncher(previewProgram(),
                      previewArguments(area->stage()->filePath(), usePlatformPlayerSetting()));
}

// ---------------------------------------------------------------------------------------
// Forwards

void KvStageWidget::action_addMultimediaScreen()
{
    if (m_editor)
        m_editor->action_addMultimediaScreen();
}

void KvStageWidget::action_addTelopScreen()
{
    if (m_editor)
        m_editor->action_addTelopScreen();
}

void KvStageWidget::action_addExtendedScreen()
{
    if (m_editor)
        m_editor->showPluginChooserForExtendedScreen();
}

void KvStageWidget::action_removeSerectedScreens()
{
    if (m_editor)
        m_editor->action_removeSelectedScreens();
}

void KvStageWidget::action_selectedScreenMoved()
{
    if (m_editor)
        m_editor->action_selectedScreenMoved();
}

void KvStageWidget::action_selectedScreenResized()
{
    if (m_editor)
        m_editor->action_selectedScreenResized();
}

void KvStageWidget::onStageContextMenuRequired(QPoint pos)
{
    if (m_editor)
        m_editor->showStageContextMenu(pos);
}

void KvStageWidget::onSelectedRectChanged(QRectF rect)
{
    emit selectedRectChanged(rect);
}

void KvStageWidget::changeSelectedItemsPos(QPointF pos)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->changeSelectedItemsPos(pos);
}

void KvStageWidget::commitSelectedItemsPos()
{
}

void KvStageWidget::changeSelectedItemsSize(QSizeF size)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->changeSelectedItemsSize(size);
}

void KvStageWidget::commitSelectedItemsSize()
{
}

void KvStageWidget::setSelectedItemName(QString& name)
{
    if (KvStageWorkingArea* area = currentStageWorkingArea())
        area->setSelectedItemName(name);
}

void KvStageWidget::onMousePressed()
{
    emit mousePressed();
}

void KvStageWidget::onCloseButtonTriggerd()
{
    emit closeButtonTriggerd();
}

} // namespace Kova
