#include "kvstageworkingarea.h"

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvpointlabelwidget.h"
#include "kvpreservedmedia.h"
#include "kvrulerwidget.h"
#include "kvscalewidget.h"
#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvscreenselectedhandle.h"
#include "kvstage.h"
#include "kvstageitem.h"
#include "kvstagescene.h"
#include "kvstageview.h"

#include <QDir>
#include <QFileInfo>
#include <QGraphicsSceneMouseEvent>
#include <QGridLayout>
#include <QMetaMethod>
#include <QSet>
#include <QStatusBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>

namespace Kova {

namespace {

const double PositionTolerance = 1e-12;

bool differs(double a, double b)
{
    return std::fabs(a - b) > PositionTolerance;
}

} // namespace

KvStageWorkingArea::KvStageWorkingArea(KvStage* stage, QString dataFolder, QWidget* parent)
    : QWidget(parent)
    , m_undoStack(new QUndoStack(this))
    , m_stage(stage)
    , m_dataFolder(dataFolder)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    // 1. View and scene.
    m_view = new KvStageView(this);
    m_scene = new KvStageScene(m_view);
    m_view->setScene(m_scene);

    // 2. The stage (a default one when none was given) and its item.
    if (!m_stage) {
        m_stage = new KvStage();
        m_stage->setBackgroundColor(Qt::darkBlue);
        m_stage->setRect(QRect(0, 0, 512, 288));
    } else {
        m_initialStage = new KvStage(*m_stage);
    }
    m_stageItem = new KvStageItem(m_stage, m_dataFolder);
    m_scene->addItem(m_stageItem);

    // 3. Rulers, layouts, status bar, zoom box and pointer label.
    buildLayout();

    // 4. The selection handle.
    m_handle = new KvScreenSelectedHandle();
    m_scene->addItem(m_handle);
    m_scene->setHandle(m_handle);

    connectScene();

    // 5. One item per screen; adding them selected lets the scene learn of them.
    {
        KvStageScene::SelectionBatch batch(m_scene);
        const QList<KvScreen*> stageScreens = m_stage->screenList();
        for (KvScreen* screen : stageScreens) {
            newScreenItem(screen);
        }
        clearScreenSelection();
    }

    // 6. Room around the stage, the stage in the middle, the handle in step.
    const double w = m_stageItem->rect().width();
    const double h = m_stageItem->rect().height();
    m_view->setSceneRect(-w, -h, 3.0 * w, 3.0 * h);
    m_view->centerOn(w / 2.0, h / 2.0);
    updateSelectedHandle();
}

KvStageWorkingArea::~KvStageWorkingArea()
{
    // The child widgets and the undo stack go after this object has stopped being a working
    // area (the undo stack signals its last index change then): nothing may reach it.
    disconnect(m_undoStack, nullptr, this, nullptr);
    disconnect(m_view, nullptr, this, nullptr);
    if (m_scene) {
        KvStageScene* scene = m_scene;
        disconnectScene();
        m_view->setScene(nullptr);
        scene->setParent(nullptr);
        m_scene = nullptr;
        m_stageItem = nullptr;
        m_handle = nullptr;
        if (isSignalConnected(QMetaMethod::fromSignal(&KvStageWorkingArea::graphicsScenePurged))) {
            emit graphicsScenePurged(scene);
        } else {
            delete scene;
        }
    }
    if (m_stage && !m_stage->parent()) {
        m_stage->deleteLater();
    }
    if (m_initialStage && !m_initialStage->parent()) {
        m_initialStage->deleteLater();
    }
}

void KvStageWorkingArea::buildLayout()
{
    m_horizontalRuler = new KvRulerWidget(0, Qt::white, Qt::black, this);
    m_verticalRuler = new KvRulerWidget(1, Qt::white, Qt::black, this);

    auto* grid = new QGridLayout();
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_horizontalRuler, 0, 1);
    grid->addWidget(m_verticalRuler, 1, 0);
    grid->addWidget(m_view, 1, 1);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    m_scaleWidget = new KvScaleWidget(statusBar);
    m_pointLabel = new KvPointLabelWidget(statusBar);
    statusBar->addWidget(m_scaleWidget);
    statusBar->addPermanentWidget(m_pointLabel);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(1, 1, 1, 1);
    box->setSpacing(1);
    box->addLayout(grid);
    box->addWidget(statusBar);

    // The view's own signals.
    connect(m_view, &KvStageView::customContextMenuRequested, this,
            &KvStageWorkingArea::onContextMenuRequired);
    connect(m_view, &KvStageView::mousePressedOnScrollBar, this,
            &KvStageWorkingArea::onMousePressedOnMainViewScrollBar);
    connect(m_view, &KvStageView::arrowKeyReleased, this, &KvStageWorkingArea::onScreenMoved);
    connect(m_view, &KvStageView::screenMoved, this, &KvStageWorkingArea::onScreenMoved);
    connect(m_view, &KvStageView::screenResized, this, &KvStageWorkingArea::onScreenResized);
    connect(m_view, &KvStageView::deleteKeyPressed, this, &KvStageWorkingArea::onDeleteKeyPressed);
    connect(m_view, &KvStageView::scaleRateChanged, this,
            &KvStageWorkingArea::onMainViewScaleRateChanged);
    connect(m_view, &KvStageView::requestAddMedia, this, &KvStageWorkingArea::onRequestAddMedia);
    for (KvRulerWidget* ruler : {m_horizontalRuler, m_verticalRuler}) {
        connect(m_view, &KvStageView::scaleRateChanged, ruler, &KvRulerWidget::setScaleRate);
        connect(m_view, &KvStageView::mousePositionChanged, ruler,
                &KvRulerWidget::onMousePositionChanged, Qt::QueuedConnection);
        connect(m_view, &KvStageView::sceneZeroPointChanged, ruler,
                &KvRulerWidget::onZeroPointChanged);
    }
    connect(m_view, &KvStageView::mousePositionChangedAsScene, m_pointLabel,
            qOverload<QPointF>(&KvPointLabelWidget::setPointValue), Qt::QueuedConnection);
    connect(m_scaleWidget, &KvScaleWidget::rateChanged, m_view, &KvStageView::setScaleRate);

    connect(m_undoStack, &QUndoStack::cleanChanged, this,
            qOverload<bool>(&KvStageWorkingArea::onStagePropertyChanged));
    connect(m_undoStack, &QUndoStack::indexChanged, this,
            qOverload<int>(&KvStageWorkingArea::onStagePropertyChanged));
}

void KvStageWorkingArea::connectScene()
{
    connect(m_scene, &QGraphicsScene::sceneRectChanged, m_view, &KvStageView::onSceneRectChanged);
    connect(m_scene, &QGraphicsScene::selectionChanged, this,
            &KvStageWorkingArea::onItemSelectionChanged);
    connect(m_scene, &KvStageScene::selectedItemsBoundingRectChanged, m_handle,
            &KvScreenSelectedHandle::onSelectedItemsBoundingRectChanged);
    connect(m_scene, &KvStageScene::selectedItemsCountChanged, m_handle,
            &KvScreenSelectedHandle::changeVisible);
    connect(m_scene, &KvStageScene::selectedItemsCountChanged, this,
            &KvStageWorkingArea::onSelectedItemsCountChanged);
    connect(m_handle, &KvScreenSelectedHandle::boundingRectChanged, this,
            &KvStageWorkingArea::onSelectedHandleRectChanged, Qt::QueuedConnection);
    m_scene->installEventFilter(this);
}

void KvStageWorkingArea::disconnectScene()
{
    if (!m_scene) {
        return;
    }
    m_scene->removeEventFilter(this);
    disconnect(m_scene, nullptr, this, nullptr);
    disconnect(m_scene, nullptr, m_view, nullptr);
    if (m_handle) {
        disconnect(m_handle, nullptr, this, nullptr);
    }
}

// ---------------------------------------------------------------------------------------
// Screens

KvScreenItem* KvStageWorkingArea::newScreenItem(KvScreen* screen)
{
    auto* item = new KvScreenItem(screen);
    m_scene->addItem(item);
    m_scene->registerScreenItem(item);
    item->setSelected(true);
    return item;
}

KvScreen* KvStageWorkingArea::createScreen(int type, const QRectF& rect, const QString& pluginId)
{
    if (!m_stage || !m_scene) {
        return nullptr;
    }
    if (type != ScreenType::Multimedia && type != ScreenType::Telop &&
        type != ScreenType::Extended) {
        return nullptr;
    }

    QString pluginScreenName;
    QObject* plugin = nullptr;
    if (type == ScreenType::Extended) {
        if (!m_extendedScreenPluginResolver ||
            !m_extendedScreenPluginResolver(pluginId, &pluginScreenName, &plugin) || !plugin) {
            return nullptr;
        }
    }

    // z-index one above the highest; the smallest free positive id.
    int highestZ = 0;
    QSet<int> usedIds;
    const QList<KvScreen*>& stageScreens = m_stage->screenList();
    for (const KvScreen* screen : stageScreens) {
        highestZ = std::max(highestZ, screen->zIndex());
        if (highestZ >= INT_MAX - 1) {
            return nullptr;
        }
        usedIds.insert(screen->id());
    }
    const int zIndex = highestZ + 1;
    int id = 1;
    while (usedIds.contains(id)) {
        ++id;
    }
    if (id >= INT_MAX) {
        return nullptr;
    }

    QRectF screenRect = rect;
    if (screenRect.isEmpty()) {
        const QRect stageRect = m_stage->rect();
        const int width = std::max(static_cast<int>(stageRect.width() * 0.85), 256);
        int height = static_cast<int>(width * 0.5625);
        if (type == ScreenType::Telop) {
            height = std::max(static_cast<int>(stageRect.height() * 0.1), 32);
        }
        const int x = std::max(static_cast<int>((stageRect.width() - width) * 0.5), 0);
        const int y = std::max(static_cast<int>((stageRect.height() - height) * 0.5), 0);
        screenRect = QRectF(x, y, width, height);
    }

    auto* screen = new KvScreen(static_cast<ScreenType::ScreenTypes>(type), id);
    screen->setZIndex(zIndex);
    screen->setRect(screenRect);
    screen->setGraphicsType(GraphicsType::GraphicsTypes(0));
    switch (type) {
    case ScreenType::Multimedia:
        screen->setName(tr("Multi %1").arg(id));
        screen->setMoviePlayerType(PlayerType::Platform);
        screen->setFlashPlayerType(PlayerType::Platform);
        screen->setWebBrowserType(PlayerType::Platform);
        break;
    case ScreenType::Telop:
        screen->setName(tr("Telop %1").arg(id));
        screen->setMoviePlayerType(PlayerType::BuiltIn);
        screen->setFlashPlayerType(PlayerType::BuiltIn);
        screen->setWebBrowserType(PlayerType::BuiltIn);
        break;
    default:
        screen->setName(QString("%1 %2").arg(pluginScreenName).arg(id));
        screen->setMoviePlayerType(PlayerType::BuiltIn);
        screen->setFlashPlayerType(PlayerType::BuiltIn);
        screen->setWebBrowserType(PlayerType::BuiltIn);
        screen->setBackgoundColor(QColor(85, 85, 127, 255));
        screen->setPiid(pluginId);
        screen->setPlugin(plugin);
        // A new screen starts from the plug-in's default state, which the plug-in then
        // takes as the screen it works on.
        screen->setPluginProperties(KvEditorCommon::defaultPluginState(screen).toMap());
        KvEditorCommon::applyPluginState(screen);
        KvEditorCommon::updateScreenFromPlugin(screen);
        break;
    }

    {
        KvStageScene::SelectionBatch batch(m_scene);
        clearScreenSelection();
        addScreenItems(QList<KvScreen*>() << screen);
    }
    updateSelectedHandle();
    return screen;
}

void KvStageWorkingArea::addScreenItems(const QList<KvScreen*>& screens)
{
    if (!m_stage || !m_scene) {
        return;
    }
    QList<KvScreen*> sorted;
    for (KvScreen* screen : screens) {
        if (screen) {
            sorted.append(screen);
        }
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const KvScreen* a, const KvScreen* b) {
        return a->zIndex() < b->zIndex();
    });

    KvStageScene::SelectionBatch batch(m_scene);
    QList<KvScreen*>& list = m_stage->screenList();
    for (KvScreen* screen : sorted) {
        if (list.contains(screen)) {
            continue;
        }
        int at = list.size();
        for (int i = 0; i < list.size(); ++i) {
            if (list.at(i)->zIndex() < screen->zIndex()) {
                at = i;
                break;
            }
        }
        list.insert(at, screen);
        screen->setStage(m_stage);
        newScreenItem(screen);
    }
    KvEditorCommon::sortScreenByZIndexAscending(list);
}

void KvStageWorkingArea::removeScreenItem(KvScreen* screen)
{
    if (!screen) {
        return;
    }
    if (m_stage) {
        m_stage->screenList().removeAll(screen);
    }
    if (!m_scene) {
        return;
    }
    KvScreenItem* item = m_scene->screenItemOf(screen);
    if (!item) {
        return;
    }
    {
        KvStageScene::SelectionBatch batch(m_scene);
        item->setSelected(false);
        m_scene->forgetItem(item);
        m_scene->removeItem(item);
    }
    if (m_view && m_view->dropTargetItem() == item) {
        m_view->clearDropTarget();
    }
    delete item;
}

void KvStageWorkingArea::clearScreenSelection()
{
    if (!m_scene) {
        return;
    }
    KvStageScene::SelectionBatch batch(m_scene);
    const QList<QGraphicsItem*> selected = m_scene->selectedItems();
    for (QGraphicsItem* item : selected) {
        item->setSelected(false);
        m_scene->onItemSelectionChanged(item, false);
    }
}

void KvStageWorkingArea::selectScreenItem(const QList<KvScreen*>& screens, bool deselectOthers,
                                          bool repaint)
{
    if (!m_scene) {
        return;
    }
    KvStageScene::SelectionBatch batch(m_scene);
    if (deselectOthers) {
        const QList<QGraphicsItem*> selected = m_scene->selectedItems();
        for (QGraphicsItem* item : selected) {
            auto* screenItem = qgraphicsitem_cast<KvScreenItem*>(item);
            if (!screenItem || !screens.contains(screenItem->screen())) {
                item->setSelected(false);
            }
        }
    }
    for (KvScreen* screen : screens) {
        if (KvScreenItem* item = m_scene->screenItemOf(screen)) {
            item->setSelected(true);
        }
    }
    if (repaint) {
        m_scene->update();
    }
}

QList<KvScreenItem*> KvStageWorkingArea::selectedScreenItems() const
{
    QList<KvScreenItem*> result;
    if (!m_scene) {
        return result;
    }
    const QList<QGraphicsItem*> selected = m_scene->selectedItems();
    for (QGraphicsItem* item : selected) {
        if (auto* screenItem = qgraphicsitem_cast<KvScreenItem*>(item)) {
            result.append(screenItem);
        }
    }
    return result;
}

QList<KvScreen*> KvStageWorkingArea::selectedScreens() const
{
    QList<KvScreen*> result;
    if (!m_stage || !m_scene) {
        return result;
    }
    const QList<KvScreenItem*> selected = selectedScreenItems();
    if (selected.isEmpty()) {
        return result;
    }
    QSet<const KvScreen*> selectedSet;
    for (const KvScreenItem* item : selected) {
        if (item->screen()) {
            selectedSet.insert(item->screen());
        }
    }
    // In the stage's order (ascending z-index), so that callers see a stable order.
    const QList<KvScreen*>& list = m_stage->screenList();
    for (KvScreen* screen : list) {
        if (selectedSet.remove(screen)) {
            result.append(screen);
        }
    }
    // Items of screens that are not (or no longer) in the stage's list come last.
    for (const KvScreenItem* item : selected) {
        if (item->screen() && selectedSet.contains(item->screen())) {
            result.append(item->screen());
        }
    }
    return result;
}

QList<KvScreen*> KvStageWorkingArea::screens() const
{
    return m_stage ? m_stage->screenList() : QList<KvScreen*>();
}

bool KvStageWorkingArea::hasSelectedItem() const
{
    return !selectedScreenItems().isEmpty();
}

bool KvStageWorkingArea::hasLockedScreenItemInSelection() const
{
    const QList<KvScreenItem*> selected = selectedScreenItems();
    for (const KvScreenItem* item : selected) {
        if (item->screen() && item->screen()->lockScreen()) {
            return true;
        }
    }
    return false;
}

QRectF KvStageWorkingArea::selectionRect(QMap<KvScreen*, QRectF>* rects) const
{
    QRectF united;
    const QList<KvScreenItem*> selected = selectedScreenItems();
    for (const KvScreenItem* item : selected) {
        KvScreen* screen = item->screen();
        if (!screen) {
            continue;
        }
        const QRectF r = screen->rect();
        united = united.isNull() ? r : united.united(r);
        if (rects) {
            rects->insert(screen, r);
        }
    }
    return united;
}

QMap<KvScreen*, QPointF> KvStageWorkingArea::selectedScreenMoved()
{
    QMap<KvScreen*, QPointF> oldTopLefts;
    const QList<KvScreenItem*> selected = selectedScreenItems();
    for (KvScreenItem* item : selected) {
        if (item->screen() && item->isMovedFromScreen()) {
            oldTopLefts.insert(item->screen(), item->commitPos());
        }
    }
    return oldTopLefts;
}

QMap<KvScreen*, QRectF> KvStageWorkingArea::selectedScreenResized()
{
    QMap<KvScreen*, QRectF> oldRects;
    const QList<KvScreenItem*> selected = selectedScreenItems();
    for (KvScreenItem* item : selected) {
        KvScreen* screen = item->screen();
        if (!screen) {
            continue;
        }
        const QRectF stored = screen->rect();
        const QPointF pos = item->pos();
        if (differs(pos.x(), stored.x()) || differs(pos.y(), stored.y()) ||
            differs(item->width(), stored.width()) || differs(item->height(), stored.height())) {
            oldRects.insert(screen, item->commitRect());
        }
    }
    return oldRects;
}

void KvStageWorkingArea::setSelectedItemName(const QString& name)
{
    const QList<KvScreenItem*> selected = selectedScreenItems();
    if (selected.size() != 1) {
        return;
    }
    selected.first()->setName(name);
    selected.first()->update();
}

void KvStageWorkingArea::refreshScreenItems(const QList<KvScreen*>& screens,
                                            void (KvScreenItem::*refresh)(bool),
                                            bool positionsChanged)
{
    if (!m_scene) {
        return;
    }
    KvStageScene::SelectionBatch batch(m_scene);
    clearScreenSelection();
    for (KvScreen* screen : screens) {
        if (KvScreenItem* item = m_scene->screenItemOf(screen)) {
            (item->*refresh)(true);
        }
    }
    if (positionsChanged) {
        m_scene->refreshStoredPositions();
    }
}

void KvStageWorkingArea::updateScreenItemBackColor(const QList<KvScreen*>& screens)
{
    refreshScreenItems(screens, &KvScreenItem::refreshBackColor, false);
}

void KvStageWorkingArea::updateScreenItemName(KvScreen* screen)
{
    refreshScreenItems({screen}, &KvScreenItem::refreshName, false);
}

void KvStageWorkingArea::updateScreenItemPos(const QList<KvScreen*>& screens)
{
    refreshScreenItems(screens, &KvScreenItem::refreshPos, true);
}

void KvStageWorkingArea::updateScreenItemRect(const QList<KvScreen*>& screens)
{
    refreshScreenItems(screens, &KvScreenItem::refreshRect, true);
}

void KvStageWorkingArea::updateScreenItemZIndex(const QMap<KvScreen*, bool>& selection, bool select)
{
    if (!m_scene) {
        return;
    }
    KvStageScene::SelectionBatch batch(m_scene);
    for (auto it = selection.constBegin(); it != selection.constEnd(); ++it) {
        if (KvScreenItem* item = m_scene->screenItemOf(it.key())) {
            item->setZValue(it.key()->zIndex());
        }
    }
    if (!select) {
        return;
    }
    const QList<KvScreenItem*> items = m_scene->screenItems();
    for (KvScreenItem* item : items) {
        item->setSelected(selection.value(item->screen(), false));
    }
}

void KvStageWorkingArea::updateSelectedHandle()
{
    if (!m_scene) {
        return;
    }
    KvStageScene::SelectionBatch batch(m_scene);
    const QList<QGraphicsItem*> all = m_scene->items();
    for (QGraphicsItem* item : all) {
        m_scene->onItemSelectionChanged(item, item->isSelected());
    }
}

// ---------------------------------------------------------------------------------------
// Saved state and scene hand-over

bool KvStageWorkingArea::isStageChanged() const
{
    if (!m_stage) {
        return false;
    }
    if (!m_initialStage) {
        // A tab opened without a stage has changed once anything was done on it.
        return m_undoStack->count() > 0;
    }
    return !m_stage->isMatch(*m_initialStage, false);
}

void KvStageWorkingArea::resetInitialStage()
{
    if (!m_stage) {
        return;
    }
    KvStage* copy = new KvStage(*m_stage);
    if (m_initialStage && !m_initialStage->parent()) {
        delete m_initialStage;
    }
    m_initialStage = copy;
}

QGraphicsScene* KvStageWorkingArea::takeScene()
{
    if (!m_scene) {
        return nullptr;
    }
    KvStageScene* scene = m_scene;
    disconnectScene();
    m_view->setScene(nullptr);
    scene->setParent(nullptr);
    m_scene = nullptr;
    m_stageItem = nullptr;
    m_handle = nullptr;
    return scene;
}

// ---------------------------------------------------------------------------------------
// Stage setters

QColor KvStageWorkingArea::setStageBackgroundColor(const QColor& color)
{
    if (!m_stage) {
        return QColor();
    }
    const QColor old = m_stage->backgroundColor();
    if (old != color) {
        m_stage->setBackgroundColor(color);
        if (m_stageItem) {
            m_stageItem->refresh();
        }
    }
    return old;
}

QString KvStageWorkingArea::setStageBackgroundImage(const QString& path, bool* unchanged)
{
    if (unchanged) {
        *unchanged = false;
    }
    if (!m_stage) {
        return QString();
    }
    const QString old = m_stage->backgroundImage();
    QString stored = path;
    if (!m_dataFolder.isEmpty() && stored.startsWith(m_dataFolder, Qt::CaseInsensitive)) {
        stored = stored.mid(m_dataFolder.size());
        while (stored.startsWith(QLatin1Char('/'))) {
            stored.remove(0, 1);
        }
    }
    if (stored != old) {
        m_stage->setBackgroundImage(stored);
        if (m_stageItem) {
            m_stageItem->loadBackgroundImage();
            m_stageItem->update();
        }
    } else if (unchanged) {
        *unchanged = true;
    }
    return old;
}

unsigned int KvStageWorkingArea::setStageOptions(unsigned int options)
{
    if (!m_stage) {
        return 0;
    }
    const unsigned int old = m_stage->options();
    m_stage->setOptions((old & ~3u) | (options & 3u));
    return old & 3u;
}

QPointF KvStageWorkingArea::setStagePos(const QPointF& pos)
{
    if (!m_stage) {
        return QPointF();
    }
    QRect r = m_stage->rect();
    const QPointF old = r.topLeft();
    r.moveTopLeft(QPoint(static_cast<int>(pos.x()), static_cast<int>(pos.y())));
    m_stage->setRect(r);
    return old;
}

QSizeF KvStageWorkingArea::setStageSize(const QSizeF& size)
{
    if (!m_stage) {
        return QSizeF();
    }
    QRect r = m_stage->rect();
    const QSizeF old = r.size();
    const QSize wanted(static_cast<int>(size.width()), static_cast<int>(size.height()));
    if (wanted != r.size()) {
        r.setSize(wanted);
        m_stage->setRect(r);
        if (m_stageItem) {
            m_stageItem->refresh();
        }
    }
    return old;
}

void KvStageWorkingArea::setStageItemSize(const QSizeF& size)
{
    if (m_stageItem) {
        m_stageItem->setRect(0.0, 0.0, size.width(), size.height());
    }
}

// ---------------------------------------------------------------------------------------
// File use

QString KvStageWorkingArea::absolutePathOf(const QString& path) const
{
    if (path.isEmpty()) {
        return QString();
    }
    const QString slashed = QDir::fromNativeSeparators(path);
    if (QDir::isAbsolutePath(slashed)) {
        return QDir::cleanPath(slashed);
    }
    const QString base = m_dataFolder.isEmpty() ? KvEditorConfig::dataDir() : m_dataFolder;
    return QDir::cleanPath(QDir::fromNativeSeparators(base) + QLatin1Char('/') + slashed);
}

bool KvStageWorkingArea::matchesPath(const QString& mediaPath, const QString& givenPath,
                                     bool givenIsFolder, Qt::CaseSensitivity caseSensitivity)
{
    if (mediaPath.isEmpty() || givenPath.isEmpty()) {
        return false;
    }
    if (mediaPath.compare(givenPath, caseSensitivity) == 0) {
        return true;
    }
    if (!givenIsFolder) {
        return false;
    }
    // Anything inside the folder; a sibling that merely shares the name's beginning
    // ("image2" for "image") is not inside it.
    QString folder = givenPath;
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    return mediaPath.startsWith(folder, caseSensitivity);
}

bool KvStageWorkingArea::isFileUsingInOpenedStage(const QStringList& paths,
                                                  QPair<QString, QString>* found,
                                                  Qt::CaseSensitivity caseSensitivity) const
{
    if (!m_stage || paths.isEmpty()) {
        return false;
    }
    // Every medium this tab could show: those of the stage, then those that an undo
    // would bring back.
    QStringList mediaPaths;
    const QList<KvScreen*>& stageScreens = m_stage->screenList();
    for (const KvScreen* screen : stageScreens) {
        const QList<KvMedia*>& mediaList = screen->mediaList();
        for (const KvMedia* media : mediaList) {
            if (media) {
                mediaPaths.append(absolutePathOf(media->uri()));
            }
        }
    }
    if (m_undoMediaReader) {
        for (int i = 0; i < m_undoStack->count(); ++i) {
            const QList<KvMedia*> held = m_undoMediaReader(m_undoStack->command(i));
            for (const KvMedia* media : held) {
                if (media) {
                    mediaPaths.append(absolutePathOf(media->uri()));
                }
            }
        }
    }

    for (const QString& given : paths) {
        const QString absoluteGiven = absolutePathOf(given);
        if (absoluteGiven.isEmpty()) {
            continue;
        }
        const bool isFolder = QFileInfo(absoluteGiven).isDir();
        for (const QString& mediaPath : qAsConst(mediaPaths)) {
            if (matchesPath(mediaPath, absoluteGiven, isFolder, caseSensitivity)) {
                if (found) {
                    *found = qMakePair(given, m_stage->filePath());
                }
                return true;
            }
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Relays and slots

void KvStageWorkingArea::onDeleteKeyPressed()
{
    emit deleteKeyPressed();
}

void KvStageWorkingArea::onMouseReleased(QPointF pos)
{
    Q_UNUSED(pos)
}

void KvStageWorkingArea::onScreenMoved()
{
    emit screenMoved();
}

void KvStageWorkingArea::onScreenResized()
{
    emit screenResized();
}

void KvStageWorkingArea::onContextMenuRequired(QPoint pos)
{
    emit contextMenuRequired(m_view->viewport()->mapToGlobal(pos));
}

void KvStageWorkingArea::onItemSelectionChanged()
{
    emit screenSelectionChanged(this);
}

void KvStageWorkingArea::onSelectedHandleRectChanged(QRectF rect)
{
    emit selectedHandleRectChanged(rect);
}

void KvStageWorkingArea::onMainViewScaleRateChanged(double rate)
{
    Q_UNUSED(rate)
    updateSelectedHandle();
}

void KvStageWorkingArea::changeSelectedItemsPos(QPointF pos)
{
    if (!m_scene) {
        return;
    }
    const QRectF r = selectionRect();
    if (r.isNull()) {
        return;
    }
    const double dx = pos.x() - r.x();
    const double dy = pos.y() - r.y();
    const QList<KvScreenItem*> selected = selectedScreenItems();
    for (KvScreenItem* item : selected) {
        if (!item->screen()) {
            continue;
        }
        item->setTrackPosition(false);
        item->setPos(item->screen()->rect().topLeft() + QPointF(dx, dy));
        item->setTrackPosition(true);
    }
    m_scene->refreshStoredPositions();
    if (m_handle) {
        m_handle->setSelectionRect(r.translated(dx, dy), true);
    }
    m_scene->update();
}

void KvStageWorkingArea::commitSelectedItemsPos()
{
}

void KvStageWorkingArea::changeSelectedItemsSize(QSizeF size)
{
    if (!m_scene || !m_handle) {
        return;
    }
    QMap<KvScreen*, QRectF> rects;
    const QRectF r = selectionRect(&rects);
    if (r.isNull() || !(size.width() > 0.0) || !(size.height() > 0.0)) {
        return;
    }
    m_scene->setStartRects(rects);
    m_handle->setStartRect(m_handle->outerRect(r));
    const QRectF target(r.x(), r.y(), size.width(), size.height());
    m_scene->resizeSelectedItems(r, target);
    m_handle->setSelectionRect(target, true);
    m_scene->update();
}

void KvStageWorkingArea::commitSelectedItemsSize()
{
}

void KvStageWorkingArea::onMousePressedOnMainViewScrollBar()
{
    emit mousePressed();
}

void KvStageWorkingArea::onSelectedItemsCountChanged(bool hasItem)
{
    Q_UNUSED(hasItem)
    emit screenSelectionChanged(this);
}

void KvStageWorkingArea::onRequestAddMedia(QList<KvPreservedMedia*>& mediaList, KvScreen* screen)
{
    static const QMetaMethod signal = QMetaMethod::fromSignal(&KvStageWorkingArea::requestAddMedia);
    if (!isSignalConnected(signal)) {
        // Nobody takes the new media: let them go rather than leak them.
        qDeleteAll(mediaList);
        mediaList.clear();
        return;
    }
    emit requestAddMedia(mediaList, screen);
}

void KvStageWorkingArea::setMediaDropEnabled(bool enabled)
{
    m_view->setMediaDropEnabled(enabled);
}

bool KvStageWorkingArea::isMediaDropEnabled() const
{
    return m_view->isMediaDropEnabled();
}

int KvStageWorkingArea::zoomRateAsPercent() const
{
    return m_scaleWidget ? m_scaleWidget->ratePercent() : 100;
}

double KvStageWorkingArea::zoomRate() const
{
    return m_scaleWidget ? m_scaleWidget->rate() : 1.0;
}

void KvStageWorkingArea::setZoomRate(int percent)
{
    if (m_scaleWidget) {
        m_scaleWidget->setRatePercent(percent);
    }
}

void KvStageWorkingArea::setZoomRate(double rate)
{
    if (m_scaleWidget) {
        m_scaleWidget->setRate(rate);
    }
}

void KvStageWorkingArea::onStagePropertyChanged(bool clean)
{
    Q_UNUSED(clean)
    emit requestTabLabelNameToUnsavedState(this);
}

void KvStageWorkingArea::onStagePropertyChanged(int index)
{
    Q_UNUSED(index)
    emit requestTabLabelNameToUnsavedState(this);
}

bool KvStageWorkingArea::eventFilter(QObject* watched, QEvent* event)
{
    if (m_scene && watched == m_scene && event->type() == QEvent::GraphicsSceneMousePress) {
        auto* mouseEvent = static_cast<QGraphicsSceneMouseEvent*>(event);
        const QPoint viewPos = m_view->viewport()->mapFromGlobal(mouseEvent->screenPos());
        m_lastPressedScenePos = m_view->mapToScene(viewPos);
        emit mousePressed();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Kova
