#include "kvlibrarywidget.h"

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kveditoruserconfig.h"
#include "kvextension.h"
#include "kvinputnamedialog.h"
#include "kvlibfilesystemmodel.h"
#include "kvlibtreeview.h"
#include "kvpptconversiondialog.h"
#include "kvstageeditor.h"
#include "kvtelopeditor.h"
#include "kvurleditor.h"
#include "mediatype.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QMetaType>
#include <QMimeData>
#include <QPersistentModelIndex>
#include <QScrollArea>
#include <QSet>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

namespace Kova {

namespace {

const QSize SMALL_ICON(16, 16);
const QSize LARGE_ICON(32, 32);
const QString ICON_SIZE_KEY = QStringLiteral("library/treeView/iconSize");

QAction* makeSeparator(QObject* parent)
{
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    return separator;
}

// The documents folder when `folder` is unset or gone.
QString startFolder(const QString& folder)
{
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace

KvLibraryWidget::KvLibraryWidget(KvStageEditor* editor, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , m_editor(editor)
{
    qRegisterMetaType<QList<QPair<QModelIndex, int>>>("QList<QPair<QModelIndex,int> >");
    setObjectName(QStringLiteral("LibraryWidget"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The panel's background is that of a scroll area, like the other docks' contents.
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setBrush(QPalette::All, QPalette::Window,
                        QScrollArea().palette().brush(QPalette::Window));
    setPalette(background);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);

    createMenu();
    createToolBar();
    createTree();

    connect(this, &KvLibraryWidget::raiseShowToParentEvent, this,
            &KvLibraryWidget::correctTreeViewColumnWidth, Qt::QueuedConnection);
    connect(this, &KvLibraryWidget::requestSelectRows, this, &KvLibraryWidget::selectRows,
            Qt::QueuedConnection);

    QSize iconSize = KvEditorUserConfig::value(ICON_SIZE_KEY, SMALL_ICON).toSize();
    if (!iconSize.isValid() || iconSize.isEmpty())
        iconSize = SMALL_ICON;
    m_treeView->setIconSize(iconSize);
    onMenuToShow();
}

KvLibraryWidget::~KvLibraryWidget()
{
    // Children still alive when this part is gone must not call back into it.
    if (m_pptConversionDialog)
        m_pptConversionDialog->disconnect(this);
    if (m_treeView->selectionModel())
        m_treeView->selectionModel()->disconnect(this);
}

// ----- construction ---------------------------------------------------------------------

QList<QAction*> KvLibraryWidget::libraryActions()
{
    if (!m_libraryActions.isEmpty())
        return m_libraryActions;
    const auto add = [this](const char* name, const QString& text, const char* icon) {
        auto* action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        if (icon)
            action->setIcon(QIcon(QLatin1String(icon)));
        m_libraryActions.append(action);
        return action;
    };
    connect(add("Action_Add_Content_File", tr("Add Content File..."), nullptr), &QAction::triggered,
            this, &KvLibraryWidget::addContentFileWithDialog);
    connect(add("Action_Edit_Content_File", tr("Edit Content File..."), nullptr),
            &QAction::triggered, this, qOverload<>(&KvLibraryWidget::editContentFile));
    m_libraryActions.append(makeSeparator(this));
    connect(add("Action_New_Telop", tr("New Telop..."), nullptr), &QAction::triggered, this,
            &KvLibraryWidget::createTelopFile);
    connect(add("Action_New_Url", tr("New Url..."), nullptr), &QAction::triggered, this,
            &KvLibraryWidget::createUrlFile);
    connect(add("Action_Add_Ppt_File", tr("Add PPT file..."), nullptr), &QAction::triggered, this,
            qOverload<>(&KvLibraryWidget::addPptFile));
    m_libraryActions.append(makeSeparator(this));
    connect(add("Action_New_Folder", tr("New Folder"), nullptr), &QAction::triggered, this,
            &KvLibraryWidget::createFolder);
    m_libraryActions.append(makeSeparator(this));
    connect(add("ActionSmall", tr("Small"), ":/images/small_icon_view.png"), &QAction::triggered,
            this, &KvLibraryWidget::changeTreeViewIconSizeToSmall);
    connect(add("ActionLarge", tr("Large"), ":/images/large_icon_view.png"), &QAction::triggered,
            this, &KvLibraryWidget::changeTreeViewIconSizeToLarge);
    QAction* thumbnail = add("Action_Create_Thumbnail", tr("Create &Thumbnail"), nullptr);
    if (m_editor)
        connect(thumbnail, &QAction::triggered, m_editor,
                &KvStageEditor::action_createThumbnailForce);
    connect(add("ActionUpdateView", tr("Update View"), ":/images/update_view.png"),
            &QAction::triggered, this, qOverload<>(&KvLibraryWidget::updateTreeView));
    m_libraryActions.append(makeSeparator(this));
    connect(add("Action_Open_Folder_With_Shell", tr("Open Folder with Explorer..."), nullptr),
            &QAction::triggered, this, qOverload<>(&KvLibraryWidget::openFolderWithShell));
    return m_libraryActions;
}

QList<QAction*> KvLibraryWidget::editActions()
{
    if (!m_editActions.isEmpty())
        return m_editActions;
    const auto add = [this](const char* name, const QString& text, const char* icon,
                            void (KvLibraryWidget::*slot)()) {
        auto* action = new QAction(QIcon(QLatin1String(icon)), text, this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        m_editActions.append(action);
    };
    add("ActionUndo", tr("Undo"), ":/images/undo.png", &KvLibraryWidget::undo);
    add("ActionRedo", tr("Redo"), ":/images/redo.png", &KvLibraryWidget::redo);
    m_editActions.append(makeSeparator(this));
    add("ActionCut", tr("Cut"), ":/images/cut.png", &KvLibraryWidget::cut);
    add("ActionCopy", tr("Copy"), ":/images/copy.png", &KvLibraryWidget::copy);
    add("ActionPaste", tr("Paste"), ":/images/paste.png", &KvLibraryWidget::paste);
    m_editActions.append(makeSeparator(this));
    add("ActionRemove", tr("Delete"), ":/images/trash.png", &KvLibraryWidget::remove);
    add("ActionRename", tr("Rename"), ":/images/rename.png", &KvLibraryWidget::rename);
    return m_editActions;
}

QAction* KvLibraryWidget::action(const char* objectName) const
{
    const QLatin1String name(objectName);
    for (const QList<QAction*>* list : {&m_libraryActions, &m_editActions}) {
        for (QAction* candidate : *list) {
            if (candidate->objectName() == name)
                return candidate;
        }
    }
    return nullptr;
}

void KvLibraryWidget::createMenu()
{
    m_libraryMenu = new QMenu(tr("Library Menu"), this);
    m_libraryMenu->setObjectName(QStringLiteral("LibraryMenu"));
    QMenu* edit = m_libraryMenu->addMenu(tr("Edit"));
    edit->setObjectName(QStringLiteral("LibraryEditMenu"));
    edit->addActions(editActions());
    connect(edit, &QMenu::aboutToShow, this, &KvLibraryWidget::onEditMenuToShow);
    m_libraryMenu->addSeparator();
    m_libraryMenu->addActions(libraryActions());
    connect(m_libraryMenu, &QMenu::aboutToShow, this, &KvLibraryWidget::onMenuToShow);
}

void KvLibraryWidget::createToolBar()
{
    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("LibraryToolBar"));
    toolBar->setIconSize(SMALL_ICON);
    toolBar->addAction(action("ActionSmall"));
    toolBar->addAction(action("ActionLarge"));
    auto* spacer = new QWidget(toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    toolBar->addWidget(spacer);
    QAction* menu = toolBar->addAction(QIcon(QStringLiteral(":/images/menu.png")),
                                       tr("Library Menu"), this, &KvLibraryWidget::showLibraryMenu);
    menu->setObjectName(QStringLiteral("ActionLibraryMenu"));
    layout()->addWidget(toolBar);
}

void KvLibraryWidget::createTree()
{
    m_treeView = new KvLibTreeView(this);
    m_treeView->setObjectName(QStringLiteral("LibraryTreeView"));
    const QString root = m_editor ? m_editor->dataDir() : KvEditorConfig::dataDir();
    m_fileWatcherInstalled = KvEditorCommon::tryInstallFileWatcher(root);
    // Top-level folders made or removed by others appear and go at once.
    m_fileSystemWatcher = new QFileSystemWatcher(this);
    if (m_fileWatcherInstalled)
        m_fileSystemWatcher->addPath(root);
    createModel(root,
                {QStringLiteral("movie"), QStringLiteral("image"), QStringLiteral("flash"),
                 QStringLiteral("telop"), QStringLiteral("web")},
                {QStringLiteral("^\\._.*")});
    m_treeView->setAcceptDrops(true);
    m_treeView->setDragEnabled(true);
    m_treeView->setDropIndicatorShown(true);
    m_treeView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_treeView->setContextMenuPolicy(Qt::CustomContextMenu);
    m_treeView->installEventFilter(this);
    layout()->addWidget(m_treeView);

    connect(this, &KvLibraryWidget::requestShowFileDistributionTypeDialog, m_treeView,
            qOverload<int*>(&KvLibTreeView::showFileDistributionTypeDialog));
    connect(m_treeView, &QWidget::customContextMenuRequested, this,
            &KvLibraryWidget::contextMenuRequested);
    connect(m_treeView, &KvLibTreeView::inquireUsingFile, this,
            &KvLibraryWidget::onInquireUsingFile);
    connect(m_treeView, &QAbstractItemView::doubleClicked, this,
            qOverload<QModelIndex>(&KvLibraryWidget::editContentFile));
}

void KvLibraryWidget::createModel(const QString& root, const QStringList& nameFiltersInRoot,
                                  const QStringList& exclusionPatterns)
{
    m_model = new KvLibFileSystemModel(this);
    m_model->setObjectName(QStringLiteral("LibraryModel"));
    if (m_editor) {
        connect(m_model, &KvLibFileSystemModel::moveFile, m_editor,
                &KvStageEditor::action_moveLibraryFile);
        connect(m_model, qOverload<QStringList&, QString&>(&KvLibFileSystemModel::copyFile),
                m_editor,
                qOverload<QStringList&, QString&>(&KvStageEditor::action_copyLibraryFile));
        connect(
            m_model,
            qOverload<QList<KvFileListCreator::PathPair>&>(&KvLibFileSystemModel::copyFile),
            m_editor,
            qOverload<QList<KvFileListCreator::PathPair>&>(&KvStageEditor::action_copyLibraryFile));
    }
    connect(m_model, &KvLibFileSystemModel::addPptFile, this,
            qOverload<QString>(&KvLibraryWidget::addPptFile), Qt::QueuedConnection);
    connect(m_model, &KvFileSystemModel::fileRenamed, this, &KvLibraryWidget::onFileRenamed);
    connect(m_model, &KvLibFileSystemModel::requestShowFileDistributionTypeDialog, m_treeView,
            qOverload<int*>(&KvLibTreeView::showFileDistributionTypeDialog));
    connect(m_fileSystemWatcher, &QFileSystemWatcher::directoryChanged, m_model,
            qOverload<const QString&>(&KvFileSystemModel::update));
    m_model->setNameFiltersInRoot(nameFiltersInRoot);
    m_model->setExclusionNamePattern(exclusionPatterns);
    const QModelIndex rootIndex = m_model->setRootPath(root);

    QItemSelectionModel* placeholder = m_treeView->selectionModel();
    m_treeView->setModel(m_model);
    // The view does not free the selection model it replaces.
    delete placeholder;
    m_treeView->setRootIndex(rootIndex);
    connect(m_treeView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &KvLibraryWidget::onItemSelectionChanged);
}

// ----- menus, settings, sizes -----------------------------------------------------------

void KvLibraryWidget::addLibraryActionsToMenu(QMenu* menu)
{
    if (!menu)
        return;
    menu->addActions(libraryActions());
    connect(menu, &QMenu::aboutToShow, this, &KvLibraryWidget::onMenuToShow, Qt::UniqueConnection);
}

void KvLibraryWidget::saveSettings()
{
    KvEditorUserConfig::setValue(ICON_SIZE_KEY, m_treeView->iconSize());
}

void KvLibraryWidget::adjustWidgetSize()
{
    m_treeView->setColumnWidth(0, m_treeView->width() - 5);
}

void KvLibraryWidget::selectPath(const QString& path)
{
    m_treeView->selectPath(path);
}

void KvLibraryWidget::selectPathPairs(const QList<KvFileListCreator::PathPair>& pairs)
{
    m_treeView->selectPathPairs(pairs);
}

void KvLibraryWidget::updateItem(const QString& path)
{
    m_treeView->updateItem(path);
}

void KvLibraryWidget::setTreeViewIconSize(int side)
{
    m_treeView->setIconSize(QSize(side, side));
    onMenuToShow();
}

void KvLibraryWidget::changeTreeViewIconSizeToSmall()
{
    setTreeViewIconSize(SMALL_ICON.width());
}

void KvLibraryWidget::changeTreeViewIconSizeToLarge()
{
    setTreeViewIconSize(LARGE_ICON.width());
}

void KvLibraryWidget::showLibraryMenu()
{
    m_libraryMenu->popup(QCursor::pos());
}

void KvLibraryWidget::contextMenuRequested(QPoint point)
{
    Q_UNUSED(point)
    showLibraryMenu();
}

void KvLibraryWidget::restoreStateFromSourceWidget()
{
}

void KvLibraryWidget::correctTreeViewColumnWidth()
{
    if (m_treeView->columnWidth(0) < 200) {
        m_treeView->setColumnWidth(0, 200);
        m_treeView->setColumnWidth(1, 48);
    }
}

void KvLibraryWidget::onMenuToShow()
{
    if (!m_libraryMenu)
        return;
    const QStringList paths = m_treeView->selectedFilePaths(false);
    const int width = m_treeView->iconSize().width();
    action("ActionSmall")->setEnabled(width >= 17);
    action("ActionLarge")->setEnabled(width < 32);
    action("Action_Open_Folder_With_Shell")->setEnabled(paths.size() == 1);
    action("Action_New_Folder")->setEnabled(paths.size() == 1);
    action("Action_Edit_Content_File")
        ->setEnabled(paths.size() == 1 && QFileInfo(paths.first()).isFile());
    QAction* ppt = action("Action_Add_Ppt_File");
    ppt->setEnabled(true);
    ppt->setText(m_pptConversionDialog ? tr("Show PPT Conversion Progress...")
                                       : tr("Add PPT file..."));
}

void KvLibraryWidget::onEditMenuToShow()
{
    QUndoStack* stack = m_editor ? m_editor->libraryUndoStack() : nullptr;
    action("ActionUndo")->setEnabled(stack && stack->canUndo());
    action("ActionRedo")->setEnabled(stack && stack->canRedo());
    const bool outsideTopLevel = m_treeView->selectedFileCount(true) > 0;
    action("ActionCopy")->setEnabled(outsideTopLevel);
    action("ActionCut")->setEnabled(outsideTopLevel);
    action("ActionRemove")->setEnabled(outsideTopLevel);
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    action("ActionPaste")
        ->setEnabled(m_treeView->selectedFileCount(false) == 1 && clipboard &&
                     clipboard->hasUrls());
    const QModelIndexList rows = m_treeView->selectionModel()->selectedRows();
    action("ActionRename")
        ->setEnabled(rows.size() == 1 && rows.first().parent() != m_treeView->rootIndex());
}

// ----- events and keys ------------------------------------------------------------------

bool KvLibraryWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ShowToParent)
        emit raiseShowToParentEvent();
    return QWidget::event(event);
}

bool KvLibraryWidget::isLibraryKey(QKeyEvent* event)
{
    return event->key() == Qt::Key_F5 || event->matches(QKeySequence::Delete) ||
           event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
           event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
           event->matches(QKeySequence::Paste);
}

bool KvLibraryWidget::eventFilter(QObject* watched, QEvent* event)
{
    // The library's keys pressed in the tree are the panel's, not the view's (which would
    // copy the item's name) nor a window shortcut's (the stage's own undo, say).
    if (watched == m_treeView &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isLibraryKey(key)) {
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            keyPressEvent(key);
            // Handled here: the panel must not get the key again as the tree's parent.
            key->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void KvLibraryWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Delete))
        remove();
    else if (event->matches(QKeySequence::Undo))
        undo();
    else if (event->matches(QKeySequence::Redo))
        redo();
    else if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::Cut))
        cut();
    else if (event->matches(QKeySequence::Paste))
        paste();
    else if (event->key() == Qt::Key_F5)
        updateTreeViewRoot();
    QWidget::keyPressEvent(event);
}

// ----- edit commands --------------------------------------------------------------------

void KvLibraryWidget::undo()
{
    if (m_editor)
        m_editor->action_undoLibrary();
}

void KvLibraryWidget::redo()
{
    if (m_editor)
        m_editor->action_redoLibrary();
}

void KvLibraryWidget::copy()
{
    m_treeView->setSelectionToClipboard(0);
}

void KvLibraryWidget::cut()
{
    QStringList paths = m_treeView->selectedFilePaths(true);
    if (m_editor && !paths.isEmpty())
        m_editor->action_cutLibraryFile(paths);
}

void KvLibraryWidget::remove()
{
    QStringList paths = m_treeView->selectedFilePaths(true);
    if (m_editor && !paths.isEmpty())
        m_editor->action_removeLibraryFile(paths);
}

void KvLibraryWidget::rename()
{
    const QModelIndexList rows = m_treeView->selectionModel()->selectedRows();
    if (rows.size() == 1)
        m_treeView->startEdit(rows.first());
}

void KvLibraryWidget::paste()
{
    const QStringList selected = m_treeView->selectedFilePaths(false);
    const QMimeData* payload = QApplication::clipboard()->mimeData();
    if (!m_editor || selected.size() != 1 || !payload)
        return;
    bool cutVerb = false;
    if (payload->hasFormat(KvEditorCommon::MIME_TYPE_FILE_OPERATION)) {
        QString text = QString::fromLatin1(payload->data(KvEditorCommon::MIME_TYPE_FILE_OPERATION));
        if (text.startsWith(QLatin1String("FileOperation"), Qt::CaseInsensitive)) {
            text.remove(QLatin1String("FileOperation"), Qt::CaseInsensitive);
            text.remove(QLatin1Char('{'));
            text.remove(QLatin1String("};"));
            cutVerb = text.startsWith(KvEditorCommon::FILE_OPERATION_CUT, Qt::CaseInsensitive);
        }
    }
    if (!payload->hasUrls())
        return;
    QStringList paths;
    for (const QUrl& url : payload->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    if (paths.isEmpty())
        return;
    const QFileInfo target(selected.first());
    QString folder = target.isDir() ? target.absoluteFilePath() : target.absolutePath();
    if (cutVerb)
        m_editor->action_moveLibraryFile(paths, folder);
    else
        m_editor->action_copyLibraryFile(paths, folder);
}

// ----- selection and refresh ------------------------------------------------------------

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

void KvLibraryWidget::updateTreeView()
{
    QList<QPersistentModelIndex> selected;
    for (const QModelIndex& index : m_treeView->selectionModel()->selectedIndexes()) {
        if (index.column() == 0)
            selected.append(index);
    }
    m_treeView->selectionModel()->clearSelection();
    for (const QPersistentModelIndex& index : qAsConst(selected)) {
        if (index.isValid())
            m_treeView->updateItem(QModelIndex(index));
    }
    // The rows are taken after the re-reading, which may have moved them.
    QList<Row> rows;
    for (const QPersistentModelIndex& index : qAsConst(selected)) {
        if (index.isValid())
            rows.append({index.parent(), index.row()});
    }
    emit requestSelectRows(rows);
}

void KvLibraryWidget::updateTreeView(QString path)
{
    m_treeView->updateItem(path);
}

void KvLibraryWidget::updateTreeViewRoot()
{
    m_treeView->selectionModel()->clearSelection();
    m_model->update(m_model->rootPath());
}

void KvLibraryWidget::selectRows(QList<QPair<QModelIndex, int>> rows)
{
    m_treeView->selectionModel()->clearSelection();
    for (const Row& row : qAsConst(rows))
        m_treeView->selectRow(row.first, row.second);
}

void KvLibraryWidget::refreshModel()
{
    KvLibFileSystemModel* old = m_model;
    const QString root = old->rootPath();
    const QStringList nameFilters = old->nameFiltersInRoot();
    const QStringList exclusions = old->exclusionNamePattern();
    QItemSelectionModel* oldSelection = m_treeView->selectionModel();
    oldSelection->disconnect(this);
    m_treeView->setModel(nullptr);
    m_treeView->setRootIndex(QModelIndex());
    delete oldSelection;
    delete old;
    createModel(root, nameFilters, exclusions);
}

void KvLibraryWidget::resetTree()
{
    refreshModel();
}

void KvLibraryWidget::showFailureOfFileWathcerInstration()
{
}

void KvLibraryWidget::onFileRenamed(const QString& path, const QString& oldName,
                                    const QString& newName)
{
    m_treeView->selectPath(QDir(path).absoluteFilePath(newName));
    emit fileRenamed(path, oldName, newName);
}

void KvLibraryWidget::createFolder()
{
    m_treeView->createFolder();
}

// ----- content files --------------------------------------------------------------------

int KvLibraryWidget::folderTypeOf(const QString& path) const
{
    if (path.isEmpty())
        return 0;
    const QDir root(m_model->rootPath());
    const QString cleaned = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QList<QPair<const char*, int>> folders = {{"flash", MediaType::Flash},
                                                    {"movie", MediaType::Movie},
                                                    {"image", MediaType::Image},
                                                    {"telop", MediaType::Telop},
                                                    {"web", MediaType::Web}};
    for (const auto& folder : folders) {
        const QString folderPath = QDir::cleanPath(root.filePath(QLatin1String(folder.first)));
        if (cleaned.compare(folderPath, Qt::CaseInsensitive) == 0 ||
            cleaned.startsWith(folderPath + QLatin1Char('/'), Qt::CaseInsensitive))
            return folder.second;
    }
    return 0;
}

void KvLibraryWidget::addContentFileWithDialog()
{
    const QStringList selected = m_treeView->selectedFilePaths(false);
    const QString first = selected.value(0);
    const int folderType = folderTypeOf(first);

    QString filter;
    const QMap<int, QString> labels = {{MediaType::Image, tr("Image")},
                                       {MediaType::Movie, tr("Movie")},
                                       {MediaType::Flash, tr("Flash")},
                                       {MediaType::Web, tr("Web")},
                                       {MediaType::Telop, tr("Telop")}};
    if (labels.contains(folderType)) {
        filter = labels.value(folderType) + QStringLiteral(" (");
        for (const QString& extension : KvExtension::getExtensions(folderType))
            filter += QStringLiteral(" *.%1").arg(extension);
        filter += QStringLiteral(");;");
    } else {
        filter = tr("Any") + QStringLiteral(" ( *.*);;");
    }
    QStringList files = QFileDialog::getOpenFileNames(this, tr("Select Content File"),
                                                      startFolder(m_lastContentFolder), filter,
                                                      nullptr, QFileDialog::DontUseNativeDialog);
    if (files.isEmpty() || !m_editor)
        return;
    m_lastContentFolder = QFileInfo(files.first()).absolutePath();

    const QString root = QFileInfo(m_model->rootPath()).absoluteFilePath();
    QString target = root;
    if (!first.isEmpty()) {
        const QFileInfo info(first);
        target = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    }
    QList<KvFileListCreator::PathPair> pairs = m_model->distributionPairs(files, root);
    if (target.compare(root, Qt::CaseInsensitive) == 0) {
        if (!pairs.isEmpty())
            m_editor->action_copyLibraryFile(pairs);
        return;
    }
    QSet<int> types;
    for (const QString& file : qAsConst(files))
        types.insert(KvExtension::getMediaType(QFileInfo(file).suffix()));
    if (types.size() == 1 && *types.cbegin() == folderType) {
        m_editor->action_copyLibraryFile(files, target);
        return;
    }
    int result = 0;
    emit requestShowFileDistributionTypeDialog(&result);
    if (result == 1 && !pairs.isEmpty())
        m_editor->action_copyLibraryFile(pairs);
    else if (result == 2)
        m_editor->action_copyLibraryFile(files, target);
}

void KvLibraryWidget::createContentFile(int inputType, const QString& folderName)
{
    const QString folder = QDir(m_model->rootPath()).filePath(folderName);
    const QString name = KvInputNameDialog::showDialog(inputType, folder, this);
    if (name.isEmpty())
        return;
    const QString path = QDir(folder).filePath(name);
    if (inputType == KvInputNameDialog::Telop)
        KvTelopEditor::showEditor(path, this, false);
    else
        KvUrlEditor::showEditor(path, this, false);
    m_treeView->selectPath(path);
    QStringList paths{path};
    if (m_editor)
        m_editor->createThumbnail(paths, true);
}

void KvLibraryWidget::createTelopFile()
{
    createContentFile(KvInputNameDialog::Telop, QStringLiteral("telop"));
}

void KvLibraryWidget::createUrlFile()
{
    createContentFile(KvInputNameDialog::Url, QStringLiteral("web"));
}

void KvLibraryWidget::editContentFile()
{
    const QStringList paths = m_treeView->selectedFilePaths(true);
    if (paths.size() == 1)
        editContentFile(paths.first());
}

void KvLibraryWidget::editContentFile(QModelIndex index)
{
    if (index.isValid())
        editContentFile(m_model->filePath(index));
}

void KvLibraryWidget::editContentFile(QString filePath)
{
    const QFileInfo info(filePath);
    if (!info.isFile())
        return;
    const QString path = info.absoluteFilePath();
    const MediaType::MediaTypes type = KvExtension::getMediaType(info.suffix());
    if (type == MediaType::Telop || type == MediaType::Web) {
        const int saved = type == MediaType::Telop ? KvTelopEditor::showEditor(path, this, true)
                                                   : KvUrlEditor::showEditor(path, this, true);
        QStringList paths{path};
        if (saved == 1 && m_editor)
            m_editor->createThumbnail(paths, true);
        return;
    }
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("Edit Content File"),
        tr("This file \"%1\" can not be edited in Lumora Editor.\nDo you want to open this file "
           "in the application associated with it?")
            .arg(info.fileName()),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        QMessageBox::warning(this, tr("Notice"),
                             tr("The file \"%1\" could not be opened.").arg(info.fileName()));
}

// ----- folders and presentations --------------------------------------------------------

void KvLibraryWidget::openFolderWithShell()
{
    openFolderWithShell(QString());
}

void KvLibraryWidget::openFolderWithShell(QString path)
{
    if (path.isEmpty())
        path = m_treeView->selectedFilePaths(false).value(0);
    if (path.isEmpty())
        return;
    if (!KvEditorCommon::openFolderWithShell(path, this))
        QMessageBox::warning(
            this, tr("Notice"),
            tr("The folder of \"%1\" could not be opened.").arg(QDir::toNativeSeparators(path)));
}

void KvLibraryWidget::addPptFile()
{
    addPptFile(QString());
}

void KvLibraryWidget::addPptFile(QString filePath)
{
    if (m_pptConversionDialog) {
        m_pptConversionDialog->showWidthAnimation();
        return;
    }
    if (!QFileInfo(filePath).isFile()) {
        filePath = QFileDialog::getOpenFileName(
            this, tr("Select PowerPoint File"), startFolder(m_lastPptFolder),
            tr("PowerPoint Files") + QStringLiteral(" (*.ppt *.pptx)"), nullptr,
            QFileDialog::DontUseNativeDialog);
        if (filePath.isEmpty())
            return;
        m_lastPptFolder = QFileInfo(filePath).absolutePath();
    }
    m_pptConversionDialog = new KvPptConversionDialog(this);
    m_pptConversionDialog->setPptFilePath(QFileInfo(filePath).absoluteFilePath());
    m_pptConversionDialog->setDataFolderPath(m_model->rootPath());
    connect(m_pptConversionDialog, &QObject::destroyed, this,
            &KvLibraryWidget::onPptConversionDialogDestryed);
    connect(m_pptConversionDialog, &KvPptConversionDialog::conversionCompleted, this,
            &KvLibraryWidget::onPptFileAdded, Qt::QueuedConnection);
    QTimer::singleShot(50, m_pptConversionDialog, &QWidget::show);
    onMenuToShow();
}

void KvLibraryWidget::onPptConversionDialogDestryed()
{
    if (m_pptConversionDialog)
        disconnect(m_pptConversionDialog, nullptr, this, nullptr);
    m_pptConversionDialog = nullptr;
    onMenuToShow();
}

void KvLibraryWidget::onPptFileAdded(QString outFolderPath)
{
    QList<QFileInfo> files = QDir(outFolderPath).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    if (m_editor)
        m_editor->createThumbnail(files, false);
    m_treeView->selectPath(outFolderPath);
}

} // namespace Kova
