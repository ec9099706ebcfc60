#include "kvlibrarywidget.h"

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvlibfilesystemmodel.h"
#include "kvlibtreeview.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QVBoxLayout>

namespace Kova {

KvLibraryWidget::KvLibraryWidget(KvStageEditor* editor, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("LibraryWidget"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);

    const QString root = KvEditorConfig::dataDir();
    m_model = new KvLibFileSystemModel(this);
    m_model->setObjectName(QStringLiteral("LibraryModel"));
    m_fileWatcherInstalled = KvEditorCommon::tryInstallFileWatcher(root);
    m_model->setNameFiltersInRoot({QStringLiteral("movie"), QStringLiteral("image"),
                                   QStringLiteral("flash"), QStringLiteral("telop"),
                                   QStringLiteral("web")});
    m_model->setExclusionNamePattern({QStringLiteral("^\\._.*")});
    const QModelIndex rootIndex = m_model->setRootPath(root);

    m_treeView = new KvLibTreeView(this);
    m_treeView->setObjectName(QStringLiteral("LibraryTreeView"));
    m_treeView->setModel(m_model);
    m_treeView->setRootIndex(rootIndex);
    m_treeView->setAcceptDrops(true);
    m_treeView->setDragEnabled(true);
    m_treeView->setDropIndicatorShown(true);
    m_treeView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_treeView);

    connect(m_treeView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &KvLibraryWidget::onItemSelectionChanged);
    connect(m_model, &KvFileSystemModel::fileRenamed, this, &KvLibraryWidget::onFileRenamed);
    connect(m_model, &KvLibFileSystemModel::requestShowFileDistributionTypeDialog, m_treeView,
            qOverload<int*>(&KvLibTreeView::showFileDistributionTypeDialog));
    connect(m_treeView, &KvLibTreeView::inquireUsingFile, this,
            &KvLibraryWidget::onInquireUsingFile);
}

KvLibraryWidget::~KvLibraryWidget() = default;

void KvLibraryWidget::addLibraryActionsToMenu(QMenu* menu)
{
    if (!menu)
        return;
    connect(menu, &QMenu::aboutToShow, this, &KvLibraryWidget::onMenuToShow, Qt::UniqueConnection);
}

void KvLibraryWidget::saveSettings()
{
}

void KvLibraryWidget::adjustWidgetSize()
{
    m_treeView->setColumnWidth(0, m_treeView->width() - 5);
}

void KvLibraryWidget::onMenuToShow()
{
}

void KvLibraryWidget::onContentDragStarted()
{
    emit contentDragStarted();
}

void KvLibraryWidget::onInquireUsingFile(QString path, bool* ok, bool* notReady)
{
    emit inquireUsingFile(path, ok, notReady);
}

void KvLibraryWidget::updateAndSelectItems(QList<KvFileListCreator::PathPair> pathList)
{
    m_treeView->updateAndSelectItems(pathList);
}

void KvLibraryWidget::onItemSelectionChanged(const QItemSelection&, const QItemSelection&)
{
    const QStringList paths = m_treeView->selectedFilePaths(true);
    if (paths.size() == 1 && QFileInfo(paths.first()).isFile()) {
        QString path = QFileInfo(paths.first()).absoluteFilePath();
        emit itemSingleSelected(path);
    } else {
        emit itemNotSingleSelected();
    }
}

void KvLibraryWidget::onFileRenamed(const QString& path, const QString& oldName,
                                    const QString& newName)
{
    m_treeView->selectPath(QDir(path).absoluteFilePath(newName));
    emit fileRenamed(path, oldName, newName);
}

} // namespace Kova
