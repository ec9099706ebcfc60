#include "kvstagewidget.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QGraphicsScene>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "kvconfig.h"
#include "kvscreen.h"
#include "kvstage.h"

namespace Kova {

KvStageWidget::KvStageWidget(KvStageEditor* editor, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_clipboard(new QList<KvScreen*>)
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
    m_tabWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_tabWidget->hide();
    layout->addWidget(m_tabWidget);
}

KvStageWidget::~KvStageWidget()
{
    clearClipboardForScreen();
    delete m_clipboard;
}

int KvStageWidget::addStage(KvStage*)
{
    return -1;
}
int KvStageWidget::addStageTab(const QString&, KvStage*)
{
    return -1;
}
int KvStageWidget::currentTabIndex() const
{
    return m_tabWidget ? m_tabWidget->currentIndex() : -1;
}
int KvStageWidget::openedStageCount() const
{
    return m_tabWidget ? m_tabWidget->count() : 0;
}
KvStageWorkingArea* KvStageWidget::currentStageWorkingArea() const
{
    return nullptr;
}
KvStageWorkingArea* KvStageWidget::stageWorkingArea(int) const
{
    return nullptr;
}
QList<KvStageWorkingArea*> KvStageWidget::stageWorkingAreaList() const
{
    return {};
}
bool KvStageWidget::hasStageName(const QString&) const
{
    return false;
}
bool KvStageWidget::hasStageFileOpened(const QString&) const
{
    return false;
}
bool KvStageWidget::isCurrentStageChangedFromInitial() const
{
    return false;
}
bool KvStageWidget::isFileUsingInOpenedStage(const QStringList&, QPair<QString, QString>*,
                                             Qt::CaseSensitivity) const
{
    return false;
}
QList<QGraphicsScene*> KvStageWidget::takeGraphicsScenes()
{
    return {};
}
QString KvStageWidget::tabLabel(int i) const
{
    return m_tabWidget ? m_tabWidget->tabText(i) : QString();
}

KvScreen* KvStageWidget::addMultimediaScreen()
{
    return nullptr;
}
KvScreen* KvStageWidget::addTelopScreen()
{
    return nullptr;
}
KvScreen* KvStageWidget::addExtendedScreen(const QString&)
{
    return nullptr;
}
void KvStageWidget::addScreen(KvScreen*)
{
}
void KvStageWidget::addScreen(const QList<KvScreen*>&)
{
}
void KvStageWidget::removeScreen(KvScreen*)
{
}
void KvStageWidget::removeScreens(const QList<KvScreen*>&)
{
}
QList<KvScreen*> KvStageWidget::removeSelectedScreens()
{
    return {};
}
QList<KvScreen*> KvStageWidget::screens() const
{
    return {};
}
QList<KvScreen*>* KvStageWidget::screenListObject() const
{
    return nullptr;
}
QList<KvScreen*> KvStageWidget::selectedScreens() const
{
    return {};
}
void KvStageWidget::selectScreenItem(const QList<KvScreen*>&, bool, bool)
{
}
void KvStageWidget::clearScreenSelection()
{
}
bool KvStageWidget::hasSelectedItem() const
{
    return false;
}
bool KvStageWidget::hasLockedScreenItemInSelection() const
{
    return false;
}
QMap<KvScreen*, QPointF> KvStageWidget::selectedScreenMoved()
{
    return {};
}
QMap<KvScreen*, QRectF> KvStageWidget::selectedScreenResized()
{
    return {};
}
void KvStageWidget::updateScreenItemBackColor(const QList<KvScreen*>&)
{
}
void KvStageWidget::updateScreenItemName(KvScreen*)
{
}
void KvStageWidget::updateScreenItemPos(const QList<KvScreen*>&)
{
}
void KvStageWidget::updateScreenItemRect(const QList<KvScreen*>&)
{
}
void KvStageWidget::updateScreenItemZIndex(const QMap<KvScreen*, bool>&)
{
}
void KvStageWidget::updateSelectedHandle()
{
}

bool KvStageWidget::canCopyScreen() const
{
    return false;
}
bool KvStageWidget::canDeleteScreen() const
{
    return false;
}
bool KvStageWidget::canPasteScreen() const
{
    return false;
}
QList<KvScreen*> KvStageWidget::copyScreen()
{
    return {};
}
QList<KvScreen*> KvStageWidget::pasteScreen()
{
    return {};
}
void KvStageWidget::clearClipboardForScreen()
{
    qDeleteAll(*m_clipboard);
    m_clipboard->clear();
}
QString KvStageWidget::screenClipboardText(const QList<KvScreen*>&)
{
    return {};
}

QColor KvStageWidget::setStageBackgroundColor(const QColor&)
{
    return {};
}
QString KvStageWidget::setStageBackgroundImage(const QString&, bool* unchanged)
{
    if (unchanged)
        *unchanged = false;
    return {};
}
unsigned int KvStageWidget::setStageOptions(unsigned int)
{
    return 0;
}
QPointF KvStageWidget::setStagePos(const QPointF&)
{
    return {};
}
QSizeF KvStageWidget::setStageSize(const QSizeF&)
{
    return {};
}

QString KvStageWidget::previewProgram()
{
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("KvStageScreen.exe"));
}
QStringList KvStageWidget::previewArguments(const QString&, bool)
{
    return {};
}
bool KvStageWidget::usePlatformPlayerSetting()
{
    return true;
}

void KvStageWidget::setStageItemSize(QSizeF)
{
}
void KvStageWidget::setCurrentStageTab(int)
{
}
void KvStageWidget::onCurrentStageTabChanged(int)
{
}
void KvStageWidget::action_addMultimediaScreen()
{
}
void KvStageWidget::action_addTelopScreen()
{
}
void KvStageWidget::action_addExtendedScreen()
{
}
void KvStageWidget::action_removeSerectedScreens()
{
}
void KvStageWidget::action_selectedScreenMoved()
{
}
void KvStageWidget::action_selectedScreenResized()
{
}
void KvStageWidget::onStageContextMenuRequired(QPoint)
{
}
void KvStageWidget::onScreenSelectionChanged(KvStageWorkingArea*)
{
}
void KvStageWidget::onSelectedRectChanged(QRectF rect)
{
    emit selectedRectChanged(rect);
}
void KvStageWidget::setActionEnabled(bool)
{
}
void KvStageWidget::changeSelectedItemsPos(QPointF)
{
}
void KvStageWidget::commitSelectedItemsPos()
{
}
void KvStageWidget::changeSelectedItemsSize(QSizeF)
{
}
void KvStageWidget::commitSelectedItemsSize()
{
}
void KvStageWidget::setSelectedItemName(QString&)
{
}
void KvStageWidget::onMousePressed()
{
    emit mousePressed();
}
void KvStageWidget::onRequestAddMedia(QList<KvPreservedMedia*>&, KvScreen*)
{
}
void KvStageWidget::onCloseButtonTriggerd()
{
    emit closeButtonTriggerd();
}
void KvStageWidget::onStageAdded(int)
{
}
void KvStageWidget::closeCurrentStage()
{
}
void KvStageWidget::closeStageTab(int)
{
}
void KvStageWidget::closeAllStageTab()
{
}
void KvStageWidget::onAllStageTabClosed()
{
}
void KvStageWidget::onFirstStageTabAdded()
{
}
void KvStageWidget::changeTabLabelNameToUnsavedState(int, bool)
{
}
void KvStageWidget::changeTabLabelNameToUnsavedState(QWidget*, bool)
{
}
void KvStageWidget::updateTabLabelNameFromStage(int)
{
}
void KvStageWidget::updateTabLabelNameFromStage(QWidget*)
{
}
void KvStageWidget::previewCurrentStage()
{
}
void KvStageWidget::onGraphicsScenePurged(QGraphicsScene* scene)
{
    emit graphicsScenePurged(scene);
}

void KvStageWidget::createToolBar()
{
}
QAction* KvStageWidget::createToolAction(const QString&, const QString&, const QString&)
{
    return nullptr;
}
void KvStageWidget::addToolSpacer(bool)
{
}
bool KvStageWidget::askToSave(KvStageWorkingArea*, bool*)
{
    return true;
}
void KvStageWidget::applyScreenPropertyToPlugin(KvStage*)
{
}
KvScreen* KvStageWidget::createScreenOnCurrent(int, const QString&)
{
    return nullptr;
}

} // namespace Kova
