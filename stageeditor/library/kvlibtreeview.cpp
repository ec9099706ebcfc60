#include "kvlibtreeview.h"

#include "kvcommandlinkdialog.h"
#include "kveditorcommon.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDrag>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace Kova {

namespace {

const QString URI_LIST = QStringLiteral("text/uri-list");

int componentCount(const QString& path)
{
    return path.split(QLatin1Char('/'), Qt::SkipEmptyParts).size();
}

bool containsCaseInsensitive(const QStringList& list, const QString& path)
{
    for (const QString& entry : list) {
        if (entry.compare(path, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

KvLibTreeView::KvLibTreeView(QWidget* parent)
    : QTreeView(parent)
{
    // Every row shows one line and an icon of one size; equal heights spare the view from
    // measuring each of thousands of rows whenever a preview icon arrives.
    setUniformRowHeights(true);
    connect(this, &KvLibTreeView::requestShowMessageBox, this, &KvLibTreeView::showMessageBox,
            Qt::QueuedConnection);
}

KvLibTreeView::~KvLibTreeView() = default;

KvLibFileSystemModel* KvLibTreeView::libModel() const
{
    return qobject_cast<KvLibFileSystemModel*>(model());
}

QModelIndexList KvLibTreeView::selectedIndexes() const
{
    return QTreeView::selectedIndexes();
}

// ----- rename in place ------------------------------------------------------------------

bool KvLibTreeView::canRename(const QModelIndex& index)
{
    KvLibFileSystemModel* lib = libModel();
    if (!lib || !index.isValid() || index.parent() == rootIndex())
        return false;
    bool ok = false;
    bool notReady = true;
    emit inquireUsingFile(lib->filePath(index), &ok, &notReady);
    if (notReady) {
        emit requestShowMessageBox(
            tr("Rename"), tr("It is not able to rename ready for. Please try again later."));
        return false;
    }
    return ok;
}

bool KvLibTreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (index.column() != 0 || trigger != EditKeyPressed || !canRename(index))
        return false;
    return QTreeView::edit(index, trigger, event);
}

void KvLibTreeView::startEdit(QModelIndex index)
{
    edit(index, EditKeyPressed, nullptr);
}

// ----- dragging -------------------------------------------------------------------------

QMimeData* KvLibTreeView::createDragMimeData() const
{
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty() || !model())
        return nullptr;
    QMimeData* payload = model()->mimeData(indexes);
    if (!payload)
        return nullptr;
    payload->setData(KvEditorCommon::MIME_TYPE_URI, payload->data(URI_LIST));
    payload->removeFormat(URI_LIST);
    return payload;
}

QPixmap KvLibTreeView::dragPixmap(const QIcon& icon, int rows) const
{
    const int side = rows > 1 ? 48 : 32;
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setOpacity(0.5);
    painter.drawPixmap((side - 32) / 2, (side - 32) / 2,
                       icon.pixmap(32, 32, QIcon::Normal, QIcon::Off));
    painter.setOpacity(1.0);
    if (rows > 1) {
        QFont badgeFont = font();
        badgeFont.setPointSize(9);
        badgeFont.setWeight(75);
        painter.setFont(badgeFont);
        const QFontMetrics metrics(badgeFont);
        const QString text = QString::number(rows);
        const int height = metrics.ascent();
        const int width = qMax(metrics.horizontalAdvance(text), height);
        const QRect badge(48 - width - 1, 1, width, height);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::darkBlue);
        painter.drawRect(badge);
        QRect textRect = badge;
        textRect.moveTop(2);
        painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, text);
    }
    return picture;
}

void KvLibTreeView::startDrag(Qt::DropActions supportedActions)
{
    const QModelIndexList indexes = selectedIndexes();
    KvLibFileSystemModel* lib = libModel();
    if (indexes.isEmpty() || !lib)
        return;
    QMimeData* payload = createDragMimeData();
    if (!payload)
        return;
    const QPixmap picture = dragPixmap(lib->icon(indexes.first()), indexes.size() / 4);
    auto* drag = new QDrag(this);
    drag->setMimeData(payload);
    drag->setPixmap(picture);
    drag->setHotSpot(QPoint(picture.width() / 2, picture.height() / 2));
    const Qt::DropAction defaultAction =
        (supportedActions & Qt::MoveAction) && dragDropMode() != InternalMove ? Qt::MoveAction
                                                                              : Qt::IgnoreAction;
    drag->exec(supportedActions, defaultAction);
}

// ----- selection ------------------------------------------------------------------------

QStringList KvLibTreeView::selectedFilePaths(bool excludeTopLevel) const
{
    QStringList paths;
    KvLibFileSystemModel* lib = libModel();
    if (!lib)
        return paths;
    const QString root = lib->rootPath();
    for (const QModelIndex& index : selectedIndexes()) {
        const QString path = lib->filePath(index);
        if (excludeTopLevel &&
            QFileInfo(path).absolutePath().compare(root, Qt::CaseInsensitive) == 0)
            continue;
        paths.removeAll(path);
        paths.append(path);
    }
    return paths;
}

int KvLibTreeView::selectedFileCount(bool excludeTopLevel) const
{
    return selectedFilePaths(excludeTopLevel).size();
}

void KvLibTreeView::setSelectionToClipboard(int mode)
{
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty() || !model())
        return;
    QMimeData* payload = model()->mimeData(indexes);
    if (!payload)
        return;
    const QString operation =
        mode == 1 ? KvEditorCommon::FILE_OPERATION_CUT : KvEditorCommon::FILE_OPERATION_COPY;
    payload->setData(KvEditorCommon::MIME_TYPE_FILE_OPERATION,
                     QStringLiteral("FileOperation{%1};").arg(operation).toLatin1());
    QApplication::clipboard()->setMimeData(payload);
}

void KvLibTreeView::selectPath(const QString& path)
{
    KvLibFileSystemModel* lib = libModel();
    if (!lib)
        return;
    selectionModel()->clearSelection();
    const QModelIndex found = lib->index(path);
    if (!found.isValid())
        return;
    selectionModel()->select(found, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selectionModel()->setCurrentIndex(found, QItemSelectionModel::NoUpdate);
    scrollTo(found, PositionAtCenter);
}

void KvLibTreeView::selectPathPairs(const QList<KvLibFileSystemModel::PathPair>& pairs)
{
    KvLibFileSystemModel* lib = libModel();
    if (!lib)
        return;
    selectionModel()->clearSelection();
    QModelIndex last;
    for (const KvLibFileSystemModel::PathPair& pair : pairs) {
        expand(lib->index(QFileInfo(pair.second).absolutePath()));
        const QModelIndex found = lib->index(pair.second);
        if (!found.isValid())
            continue;
        selectionModel()->select(found, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        last = found;
    }
    if (last.isValid())
        selectionModel()->setCurrentIndex(last, QItemSelectionModel::NoUpdate);
}

void KvLibTreeView::selectRow(QModelIndex parent, int row)
{
    if (!model())
        return;
    selectionModel()->select(model()->index(row, 0, parent),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void KvLibTreeView::wait(int msec)
{
    QEventLoop loop;
    QTimer::singleShot(msec, &loop, &QEventLoop::quit);
    loop.exec();
}

void KvLibTreeView::updateAndSelectItems(QList<KvLibFileSystemModel::PathPair> pathList)
{
    KvLibFileSystemModel* lib = libModel();
    if (!lib)
        return;
    QStringList folders;
    QStringList selections;
    const auto note = [&folders](const QString& folder) {
        if (!containsCaseInsensitive(folders, folder))
            folders.append(folder);
    };
    for (const KvLibFileSystemModel::PathPair& pair : pathList) {
        const QFileInfo source(pair.first);
        if (!source.exists() && source.absoluteDir().exists())
            note(source.absolutePath());
        const QFileInfo destination(pair.second);
        if (destination.exists()) {
            note(destination.isDir() ? destination.absoluteFilePath() : destination.absolutePath());
            if (!selections.contains(destination.absoluteFilePath()))
                selections.append(destination.absoluteFilePath());
        }
    }
    std::stable_sort(folders.begin(), folders.end(), [](const QString& a, const QString& b) {
        return componentCount(a) < componentCount(b);
    });

    QPointer<KvLibTreeView> self(this);
    wait(500);
    if (!self || libModel() != lib)
        return;

    QStringList refreshed;
    for (const QString& folder : folders) {
        const QModelIndex found = lib->index(folder);
        if (!found.isValid())
            continue;
        expand(found);
        if (!containsCaseInsensitive(refreshed, QFileInfo(folder).absolutePath()))
            lib->update(folder);
        refreshed.append(folder);
    }
    selectionModel()->clearSelection();
    QModelIndex last;
    for (const QString& path : selections) {
        const QModelIndex found = lib->index(path);
        if (!found.isValid())
            continue;
        selectionModel()->select(found, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        last = found;
    }
    if (last.isValid())
        selectionModel()->setCurrentIndex(last, QItemSelectionModel::NoUpdate);
}

// ----- repaint and re-read --------------------------------------------------------------

void KvLibTreeView::update(const QModelIndex& index)
{
    QTreeView::update(index);
    setCurrentIndex(index);
}

void KvLibTreeView::update(const QString& path)
{
    if (KvLibFileSystemModel* lib = libModel())
        QTreeView::update(lib->index(path));
}

void KvLibTreeView::updateItem(const QString& path)
{
    KvLibFileSystemModel* lib = libModel();
    if (!lib)
        return;
    lib->update(path);
    makeCurrent(lib->index(path));
}

void KvLibTreeView::updateItem(const QModelIndex& index)
{
    KvLibFileSystemModel* lib = libModel();
    if (!lib)
        return;
    lib->update(index);
    makeCurrent(index);
}

void KvLibTreeView::makeCurrent(const QModelIndex& index)
{
    // A thumbnail arriving for one file of a multiple selection must not reduce the selection
    // to that file.
    if (selectionModel())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

// ----- dialogs and new folders ----------------------------------------------------------

void KvLibTreeView::showMessageBox(QString title, QString message)
{
    QMessageBox::information(this, title, message, QMessageBox::Ok);
}

int KvLibTreeView::showFileDistributionTypeDialog(int* result)
{
    const int chosen = KvCommandLinkDialog::show(
        this, tr("Add To Library"), tr("You will be adding file to the library."),
        tr("You can select from following option."), tr("Automatic Distribution"),
        tr("Files will be distributed to the folder, depending on the extension. (e.g. "
           "\".png\" to \"image\" folder"),
        tr("Specified Folder"), tr("Files will be add to specified folder as a drop target."));
    if (result)
        *result = chosen;
    return chosen;
}

int KvLibTreeView::showFileDistributionTypeDialog()
{
    return showFileDistributionTypeDialog(nullptr);
}

void KvLibTreeView::createFolder()
{
    KvLibFileSystemModel* lib = libModel();
    if (!lib || selectedFileCount(false) != 1)
        return;
    const QFileInfo selected(selectedFilePaths(false).first());
    const QString base = selected.isDir() ? selected.absoluteFilePath() : selected.absolutePath();
    const QDir folder(base);
    const QString name = tr("New_Folder");
    QString candidate = name;
    for (int counter = 2; folder.exists(candidate); ++counter)
        candidate = QStringLiteral("%1(%2)").arg(name).arg(counter);
    const QModelIndex parentIndex = lib->index(base);
    if (!parentIndex.isValid() || !lib->mkdir(parentIndex, candidate).isValid())
        return;
    const QString path = folder.filePath(candidate);
    QModelIndex made = lib->index(path);
    if (!made.isValid()) {
        QPointer<KvLibTreeView> self(this);
        wait(500);
        if (!self || libModel() != lib)
            return;
        made = lib->index(path);
        if (!made.isValid())
            return;
    }
    selectionModel()->clearSelection();
    selectionModel()->select(made, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selectionModel()->setCurrentIndex(made, QItemSelectionModel::NoUpdate);
    scrollTo(made, PositionAtCenter);
    edit(made, EditKeyPressed, nullptr);
}

} // namespace Kova
