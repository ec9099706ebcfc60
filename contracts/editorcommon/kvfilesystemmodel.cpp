#include "kvfilesystemmodel.h"

#include "kvfilesystemitem.h"

#include <QDateTime>
#include <QFileIconProvider>
#include <QFileSystemWatcher>
#include <QLocale>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace Kova {

namespace {

QList<QRegularExpression> wildcards(const QStringList& filters)
{
    QList<QRegularExpression> expressions;
    for (const QString& filter : filters) {
        const QString trimmed = filter.trimmed();
        if (trimmed.isEmpty())
            continue;
        expressions.append(
            QRegularExpression(QRegularExpression::wildcardToRegularExpression(trimmed),
                               QRegularExpression::CaseInsensitiveOption));
    }
    return expressions;
}

bool matchesAny(const QList<QRegularExpression>& expressions, const QString& name)
{
    for (const QRegularExpression& expression : expressions) {
        if (expression.match(name).hasMatch())
            return true;
    }
    return false;
}

// Natural order without regard to case: runs of digits compare by value ("b2" < "b10").
int naturalCompare(const QString& a, const QString& b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            int ei = i;
            int ej = j;
            while (ei < a.size() && a.at(ei).isDigit())
                ++ei;
            while (ej < b.size() && b.at(ej).isDigit())
                ++ej;
            // Compare by value without converting: strip leading zeros, then length, then digits.
            int si = i;
            int sj = j;
            while (si < ei - 1 && a.at(si) == QLatin1Char('0'))
                ++si;
            while (sj < ej - 1 && b.at(sj) == QLatin1Char('0'))
                ++sj;
            if (ei - si != ej - sj)
                return (ei - si) < (ej - sj) ? -1 : 1;
            const int digits = QStringRef(&a, si, ei - si).compare(QStringRef(&b, sj, ej - sj));
            if (digits != 0)
                return digits < 0 ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a.at(i).toCaseFolded();
        const QChar cb = b.at(j).toCaseFolded();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

// Delay that gathers bursts of change notifications into one re-read.
const int watcherDelayMs = 100;

} // namespace

KvFileSystemModel::KvFileSystemModel(QObject* parent)
    : QAbstractItemModel(parent)
{
    qRegisterMetaType<QList<void*>>("QList<void*>");
    m_updateTimer = new QTimer(this);
    m_updateTimer->setSingleShot(true);
    m_updateTimer->setInterval(watcherDelayMs);
    connect(m_updateTimer, &QTimer::timeout, this, &KvFileSystemModel::processPendingUpdates);
}

KvFileSystemModel::~KvFileSystemModel()
{
    delete m_root;
}

// ----- root and filters -------------------------------------------------------------

QString KvFileSystemModel::normalizedPath(const QString& path) const
{
    if (path.isEmpty())
        return QString();
    return QDir::cleanPath(QDir(QDir::fromNativeSeparators(path)).absolutePath());
}

QModelIndex KvFileSystemModel::setRootPath(const QString& path)
{
    const QString newPath = normalizedPath(path);
    if (m_root && m_root->filePath() == newPath)
        return QModelIndex();
    beginResetModel();
    if (m_root) {
        QList<KvFileSystemItem*> gone;
        m_root->collectDescendants(&gone);
        unwatch(gone);
        unwatch({m_root});
        QList<void*> ids;
        for (KvFileSystemItem* item : qAsConst(gone))
            ids.append(item);
        delete m_root;
        m_root = nullptr;
        if (!ids.isEmpty())
            emit itemDeleted(ids);
    }
    m_pendingUpdates.clear();
    if (!newPath.isEmpty()) {
        m_root = new KvFileSystemItem(QFileInfo(newPath), nullptr);
        if (m_root->isDir())
            loadFolder(m_root);
    }
    endResetModel();
    emit rootPathChanged(newPath);
    return QModelIndex();
}

QString KvFileSystemModel::rootPath() const
{
    return m_root ? m_root->filePath() : QString();
}

QDir KvFileSystemModel::rootDirectory() const
{
    return QDir(rootPath());
}

void KvFileSystemModel::rebuild()
{
    const QString path = rootPath();
    if (path.isEmpty())
        return;
    // Forces a fresh read: the root is dropped and read again.
    KvFileSystemItem* old = m_root;
    beginResetModel();
    QList<KvFileSystemItem*> gone;
    old->collectDescendants(&gone);
    unwatch(gone);
    unwatch({old});
    QList<void*> ids;
    for (KvFileSystemItem* item : qAsConst(gone))
        ids.append(item);
    m_root = new KvFileSystemItem(QFileInfo(path), nullptr);
    if (m_root->isDir())
        loadFolder(m_root);
    endResetModel();
    delete old;
    if (!ids.isEmpty())
        emit itemDeleted(ids);
}

void KvFileSystemModel::setNameFiltersInRoot(const QStringList& filters)
{
    if (filters == m_rootFilters)
        return;
    m_rootFilters = filters;
    m_rootFilterExpressions = wildcards(filters);
    rebuild();
}

void KvFileSystemModel::setNameFilters(const QStringList& filters)
{
    if (filters == m_nameFilters)
        return;
    m_nameFilters = filters;
    m_nameFilterExpressions = wildcards(filters);
    rebuild();
}

void KvFileSystemModel::setExclusionNamePattern(const QStringList& patterns)
{
    if (patterns == m_exclusionPatterns)
        return;
    m_exclusionPatterns = patterns;
    m_exclusions.clear();
    for (const QString& pattern : patterns) {
        const QRegularExpression expression(pattern);
        if (!pattern.isEmpty() && expression.isValid())
            m_exclusions.append(expression);
    }
    rebuild();
}

void KvFileSystemModel::setFilter(QDir::Filters filters)
{
    if (filters == m_filter)
        return;
    m_filter = filters;
    rebuild();
}

bool KvFileSystemModel::isNameShown(const QString& folderPath, const QString& name,
                                    bool isDir) const
{
    if (name.isEmpty() || matchesAny(m_exclusions, name))
        return false;
    if (m_root && normalizedPath(folderPath) == m_root->filePath())
        return m_rootFilterExpressions.isEmpty() || matchesAny(m_rootFilterExpressions, name);
    if (!isDir && !m_nameFilterExpressions.isEmpty())
        return matchesAny(m_nameFilterExpressions, name);
    return true;
}

bool KvFileSystemModel::accepts(const KvFileSystemItem* folder, const QFileInfo& info) const
{
    const QString name = info.fileName();
    if (name.isEmpty() || matchesAny(m_exclusions, name))
        return false;
    if (folder == m_root)
        return m_rootFilterExpressions.isEmpty() || matchesAny(m_rootFilterExpressions, name);
    if (!info.isDir() && !m_nameFilterExpressions.isEmpty())
        return matchesAny(m_nameFilterExpressions, name);
    return true;
}

QFileInfoList KvFileSystemModel::readEntries(const KvFileSystemItem* folder) const
{
    QDir dir(folder->filePath());
    const QFileInfoList all = dir.entryInfoList(m_filter | QDir::NoDotAndDotDot, QDir::NoSort);
    QFileInfoList shown;
    shown.reserve(all.size());
    for (const QFileInfo& info : all) {
        if (accepts(folder, info))
            shown.append(info);
    }
    return shown;
}

// ----- watching -----------------------------------------------------------------------

void KvFileSystemModel::setFileWatcherEnabled(bool enabled)
{
    if (enabled == m_watcherEnabled)
        return;
    m_watcherEnabled = enabled;
    if (!enabled) {
        delete m_watcher;
        m_watcher = nullptr;
        m_pendingUpdates.clear();
        return;
    }
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &KvFileSystemModel::onDirectoryChanged);
    if (!m_root)
        return;
    QList<KvFileSystemItem*> items{m_root};
    m_root->collectDescendants(&items);
    for (KvFileSystemItem* item : qAsConst(items)) {
        if (item->isDir() && item->isLoaded())
            watch(item);
    }
}

void KvFileSystemModel::watch(KvFileSystemItem* folder)
{
    if (m_watcher && folder && folder->isDir())
        m_watcher->addPath(folder->filePath());
}

void KvFileSystemModel::unwatch(const QList<KvFileSystemItem*>& items)
{
    if (!m_watcher)
        return;
    QStringList paths;
    for (const KvFileSystemItem* item : items) {
        if (item->isDir())
            paths.append(item->filePath());
    }
    if (!paths.isEmpty())
        m_watcher->removePaths(paths);
}

void KvFileSystemModel::onDirectoryChanged(const QString& path)
{
    m_pendingUpdates.insert(path);
    m_updateTimer->start();
}

void KvFileSystemModel::processPendingUpdates()
{
    const QSet<QString> paths = m_pendingUpdates;
    m_pendingUpdates.clear();
    for (const QString& path : paths) {
        // A folder that is gone is dealt with by the re-read of its parent.
        if (KvFileSystemItem* folder = itemForPath(path, false)) {
            if (folder->isDir() && folder->isLoaded())
                refreshFolder(folder, false);
        }
    }
}

// ----- reading ----------------------------------------------------------------------

bool KvFileSystemModel::lessThan(const KvFileSystemItem* a, const KvFileSystemItem* b) const
{
    // Folders first whatever the order; within each kind the sort column decides.
    if (a->isDir() != b->isDir())
        return a->isDir();
    int result = 0;
    switch (m_sortColumn) {
    case SizeColumn:
        if (!a->isDir()) {
            const qint64 sa = a->fileInfo().size();
            const qint64 sb = b->fileInfo().size();
            result = sa < sb ? -1 : (sa > sb ? 1 : 0);
        }
        break;
    case TypeColumn:
        result = naturalCompare(a->fileInfo().suffix(), b->fileInfo().suffix());
        break;
    case DateColumn: {
        const QDateTime da = a->fileInfo().lastModified();
        const QDateTime db = b->fileInfo().lastModified();
        result = da < db ? -1 : (da > db ? 1 : 0);
        break;
    }
    default:
        break;
    }
    if (result == 0)
        result = naturalCompare(a->fileName(), b->fileName());
    if (result == 0)
        result = a->fileName().compare(b->fileName());
    return m_sortOrder == Qt::AscendingOrder ? result < 0 : result > 0;
}

int KvFileSystemModel::insertPosition(const KvFileSystemItem* folder,
                                      const KvFileSystemItem* item) const
{
    const QList<KvFileSystemItem*>& children = folder->children();
    const auto it = std::upper_bound(
        children.cbegin(), children.cend(), item,
        [this](const KvFileSystemItem* a, const KvFileSystemItem* b) { return lessThan(a, b); });
    return int(it - children.cbegin());
}

void KvFileSystemModel::loadFolder(KvFileSystemItem* folder)
{
    if (!folder || !folder->isDir() || folder->isLoaded())
        return;
    folder->setLoaded(true);
    const QFileInfoList entries = readEntries(folder);
    QList<KvFileSystemItem*> items;
    items.reserve(entries.size());
    for (const QFileInfo& info : entries)
        items.append(new KvFileSystemItem(info, folder));
    std::stable_sort(
        items.begin(), items.end(),
        [this](const KvFileSystemItem* a, const KvFileSystemItem* b) { return lessThan(a, b); });
    if (!items.isEmpty()) {
        const QModelIndex parent = indexOf(folder);
        beginInsertRows(parent, 0, items.size() - 1);
        for (int i = 0; i < items.size(); ++i)
            folder->insertChild(i, items.at(i));
        endInsertRows();
    }
    watch(folder);
    QMetaObject::invokeMethod(
        this, [this, path = folder->filePath()] { emit directoryLoaded(path); },
        Qt::QueuedConnection);
}

void KvFileSystemModel::removeChildRows(KvFileSystemItem* folder, int first, int last)
{
    QList<KvFileSystemItem*> gone;
    for (int row = first; row <= last; ++row) {
        KvFileSystemItem* child = folder->child(row);
        gone.append(child);
        child->collectDescendants(&gone);
    }
    unwatch(gone);
    beginRemoveRows(indexOf(folder), first, last);
    QList<KvFileSystemItem*> taken;
    for (int row = last; row >= first; --row)
        taken.append(folder->takeChild(row));
    endRemoveRows();
    QList<void*> ids;
    ids.reserve(gone.size());
    for (KvFileSystemItem* item : qAsConst(gone))
        ids.append(item);
    emit itemDeleted(ids);
    qDeleteAll(taken);
}

void KvFileSystemModel::refreshItem(KvFileSystemItem* item)
{
    if (!item || item == m_root)
        return;
    const QFileInfo info(item->filePath());
    if (item->isDir() != info.isDir()) {
        // A file became a folder or the other way round: drop what was read (while the
        // item still is the folder the views know).
        if (item->childCount() > 0)
            removeChildRows(item, 0, item->childCount() - 1);
        unwatch({item});
        item->setLoaded(false);
    }
    const bool kindChanged = item->isDir() != info.isDir();
    item->setFileInfo(info);
    item->setCachedIcon(QIcon());
    emit dataChanged(indexOf(item, 0), indexOf(item, ColumnCount - 1));
    if (kindChanged || m_sortColumn != NameColumn)
        repositionChild(item->parent(), item);
}

void KvFileSystemModel::refreshFolder(KvFileSystemItem* folder, bool recursive)
{
    if (!folder)
        return;
    if (folder != m_root)
        refreshItem(folder);
    if (folder == m_root && !QFileInfo(folder->filePath()).isDir()) {
        // The root went away: nothing is left to show until it comes back.
        if (folder->childCount() > 0)
            removeChildRows(folder, 0, folder->childCount() - 1);
        unwatch({folder});
        folder->setLoaded(false);
        folder->setFileInfo(QFileInfo(folder->filePath()));
        return;
    }
    if (folder == m_root)
        folder->setFileInfo(QFileInfo(folder->filePath()));
    if (folder == m_root && folder->isDir() && !folder->isLoaded()) {
        // The root came into being after it was set.
        loadFolder(folder);
        return;
    }
    if (!folder->isDir() || !folder->isLoaded())
        return;

    const QFileInfoList entries =
        folder->fileInfo().exists() ? readEntries(folder) : QFileInfoList();
    QHash<QString, QFileInfo> present;
    for (const QFileInfo& info : entries)
        present.insert(info.fileName(), info);

    // Gone: removed in runs of adjacent rows, from the bottom up.
    int row = folder->childCount() - 1;
    while (row >= 0) {
        if (present.contains(folder->child(row)->fileName())) {
            --row;
            continue;
        }
        const int last = row;
        while (row > 0 && !present.contains(folder->child(row - 1)->fileName()))
            --row;
        removeChildRows(folder, row, last);
        --row;
    }

    // Still there: details refreshed; new ones inserted in order.
    QList<KvFileSystemItem*> kept = folder->children();
    for (KvFileSystemItem* child : qAsConst(kept)) {
        const QFileInfo info = present.value(child->fileName());
        const bool changed = info.isDir() != child->isDir() ||
                             info.size() != child->fileInfo().size() ||
                             info.lastModified() != child->fileInfo().lastModified();
        if (changed)
            refreshItem(child);
    }
    for (const QFileInfo& info : entries) {
        if (folder->childByName(info.fileName()))
            continue;
        auto* item = new KvFileSystemItem(info, folder);
        const int position = insertPosition(folder, item);
        beginInsertRows(indexOf(folder), position, position);
        folder->insertChild(position, item);
        endInsertRows();
    }
    if (m_sortColumn != NameColumn)
        sortFolder(folder, false);

    if (recursive) {
        const QList<KvFileSystemItem*> children = folder->children();
        for (KvFileSystemItem* child : children) {
            if (child->isDir() && child->isLoaded())
                refreshFolder(child, true);
        }
    }
    QMetaObject::invokeMethod(
        this, [this, path = folder->filePath()] { emit directoryLoaded(path); },
        Qt::QueuedConnection);
}

void KvFileSystemModel::update(const QString& path)
{
    if (!m_root)
        return;
    QString current = normalizedPath(path);
    // The nearest item still in the model: a gone path re-reads its folder.
    while (!current.isEmpty()) {
        if (KvFileSystemItem* item = itemForPath(current, false)) {
            if (item != m_root && !QFileInfo::exists(item->filePath()) &&
                !QFileInfo(item->filePath()).isSymLink()) {
                refreshFolder(item->parent(), false);
            } else if (item->isDir() || item == m_root) {
                if (!item->isLoaded() && item != m_root)
                    refreshItem(item);
                else
                    refreshFolder(item, true);
            } else {
                refreshItem(item);
            }
            return;
        }
        const QString parentPath = QFileInfo(current).absolutePath();
        if (parentPath == current)
            break;
        current = parentPath;
    }
}

void KvFileSystemModel::update(const QModelIndex& index)
{
    if (!m_root)
        return;
    update(filePath(index));
}

// ----- lookups ----------------------------------------------------------------------

KvFileSystemItem* KvFileSystemModel::item(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return m_root;
    return static_cast<KvFileSystemItem*>(index.internalPointer());
}

QModelIndex KvFileSystemModel::indexOf(KvFileSystemItem* item, int column) const
{
    if (!item || item == m_root)
        return QModelIndex();
    return createIndex(item->row(), column, item);
}

KvFileSystemItem* KvFileSystemModel::itemForPath(const QString& path, bool fetch) const
{
    if (!m_root || path.isEmpty())
        return nullptr;
    const QString clean = normalizedPath(path);
    const QString rootPath = m_root->filePath();
    if (clean == rootPath)
        return m_root;
    const QString prefix =
        rootPath.endsWith(QLatin1Char('/')) ? rootPath : rootPath + QLatin1Char('/');
    if (!clean.startsWith(prefix))
        return nullptr;
    const QStringList parts = clean.mid(prefix.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    KvFileSystemItem* current = m_root;
    for (const QString& part : parts) {
        if (!current->isDir())
            return nullptr;
        if (!current->isLoaded()) {
            if (!fetch)
                return nullptr;
            const_cast<KvFileSystemModel*>(this)->loadFolder(current);
        }
        KvFileSystemItem* child = current->childByName(part);
        if (!child && fetch)
            child = const_cast<KvFileSystemModel*>(this)->adoptNewEntry(current, part);
        if (!child)
            return nullptr;
        current = child;
    }
    return current;
}

KvFileSystemItem* KvFileSystemModel::adoptNewEntry(KvFileSystemItem* folder, const QString& name)
{
    // Made on disk since the folder was read (and not yet seen by a watcher): a lookup
    // takes it in, so a caller can select what it has just created.
    const QFileInfo info(QDir(folder->filePath()).filePath(name));
    if (!info.exists() || info.fileName() != name || !accepts(folder, info))
        return nullptr;
    auto* item = new KvFileSystemItem(info, folder);
    const int position = insertPosition(folder, item);
    beginInsertRows(indexOf(folder), position, position);
    folder->insertChild(position, item);
    endInsertRows();
    return item;
}

QModelIndex KvFileSystemModel::index(const QString& path, int column) const
{
    if (column < 0 || column >= ColumnCount)
        return QModelIndex();
    return indexOf(itemForPath(path, true), column);
}

bool KvFileSystemModel::contains(const QString& path) const
{
    return itemForPath(path, true) != nullptr;
}

QString KvFileSystemModel::filePath(const QModelIndex& index) const
{
    const KvFileSystemItem* it = item(index);
    return it ? it->filePath() : QString();
}

QString KvFileSystemModel::fileName(const QModelIndex& index) const
{
    const KvFileSystemItem* it = item(index);
    return it ? it->fileName() : QString();
}

QFileInfo KvFileSystemModel::fileInfo(const QModelIndex& index) const
{
    const KvFileSystemItem* it = item(index);
    return it ? it->fileInfo() : QFileInfo();
}

bool KvFileSystemModel::isDir(const QModelIndex& index) const
{
    const KvFileSystemItem* it = item(index);
    return it && it->isDir();
}

qint64 KvFileSystemModel::size(const QModelIndex& index) const
{
    const KvFileSystemItem* it = item(index);
    return it && !it->isDir() ? it->fileInfo().size() : 0;
}

QString KvFileSystemModel::type(const QModelIndex& index) const
{
    const KvFileSystemItem* it = item(index);
    if (!it)
        return QString();
    if (it->isDir())
        return tr("Folder");
    const QString suffix = it->fileInfo().suffix();
    return suffix.isEmpty() ? tr("File") : tr("%1 File").arg(suffix.toUpper());
}

QDateTime KvFileSystemModel::lastModified(const QModelIndex& index) const
{
    const KvFileSystemItem* it = item(index);
    return it ? it->fileInfo().lastModified() : QDateTime();
}

QIcon KvFileSystemModel::icon(const QModelIndex& index) const
{
    KvFileSystemItem* it = item(index);
    if (!it)
        return QIcon();
    if (!it->cachedIcon().isNull())
        return it->cachedIcon();
    // Icons by kind: one per folder type and file suffix is plenty and keeps this fast.
    const QString key = it->isDir() ? QStringLiteral("/dir")
                                    : QStringLiteral("/file.") + it->fileInfo().suffix().toLower();
    auto cached = m_iconCache.constFind(key);
    if (cached == m_iconCache.cend())
        cached = m_iconCache.insert(key, KvFileSystemItem::getIcon(it->fileInfo()));
    it->setCachedIcon(cached.value());
    return cached.value();
}

// ----- changes on disk ------------------------------------------------------------------

QModelIndex KvFileSystemModel::mkdir(const QModelIndex& parent, const QString& name)
{
    KvFileSystemItem* folder = item(parent);
    if (!folder || !folder->isDir() || name.isEmpty() || name.contains(QLatin1Char('/')) ||
        name == QLatin1String(".") || name == QLatin1String(".."))
        return QModelIndex();
    QDir dir(folder->filePath());
    if (!dir.mkdir(name))
        return QModelIndex();
    if (!folder->isLoaded()) {
        loadFolder(folder);
    } else if (!folder->childByName(name)) {
        const QFileInfo info(dir.filePath(name));
        if (!accepts(folder, info))
            return QModelIndex();
        auto* created = new KvFileSystemItem(info, folder);
        const int position = insertPosition(folder, created);
        beginInsertRows(indexOf(folder), position, position);
        folder->insertChild(position, created);
        endInsertRows();
    }
    return indexOf(folder->childByName(name));
}

bool KvFileSystemModel::remove(const QModelIndex& index)
{
    KvFileSystemItem* it = item(index);
    if (!it || it == m_root)
        return false;
    const QString path = it->filePath();
    bool removed = false;
    if (it->isDir() && !it->fileInfo().isSymLink())
        removed = QDir(path).removeRecursively();
    else
        removed = QFile::remove(path);
    KvFileSystemItem* folder = it->parent();
    if (removed || !QFileInfo::exists(path))
        removeChildRows(folder, it->row(), it->row());
    else if (it->isDir())
        refreshFolder(it, true); // partly removed: show what is left
    return removed;
}

QString KvFileSystemModel::renameError(KvFileSystemItem* it, const QString& newName) const
{
    if (newName.trimmed().isEmpty())
        return tr("The name can not be empty.");
    if (newName == QLatin1String(".") || newName == QLatin1String("..") ||
        newName.contains(QLatin1Char('/')) || newName.contains(QChar(0)))
        return tr("The name \"%1\" can not be used.").arg(newName);
#ifdef Q_OS_WIN
    static const QString forbidden = QStringLiteral("\\:*?\"<>|");
    for (const QChar c : newName) {
        if (forbidden.contains(c))
            return tr("The name \"%1\" can not be used.").arg(newName);
    }
#endif
    if (!isNameShown(it->parent()->filePath(), newName, it->isDir()))
        return tr("The name \"%1\" would hide the item.").arg(newName);
    const QFileInfo target(QDir(it->parent()->filePath()).filePath(newName));
    if (target.exists() && newName.compare(it->fileName(), Qt::CaseInsensitive) != 0)
        return tr("\"%1\" already exists.").arg(newName);
    return QString();
}

bool KvFileSystemModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != NameColumn)
        return false;
    KvFileSystemItem* it = item(index);
    if (!it || it == m_root)
        return false;
    const QString oldName = it->fileName();
    const QString newName = value.toString();
    if (newName == oldName)
        return true;
    const QString error = renameError(it, newName);
    const QString dirPath = it->parent()->filePath();
    if (!error.isEmpty()) {
        emit fileRenameFailed(it->filePath(), newName, error);
        return false;
    }
    QDir dir(dirPath);
    if (!dir.rename(oldName, newName)) {
        emit fileRenameFailed(it->filePath(), newName,
                              tr("\"%1\" could not be renamed to \"%2\".").arg(oldName, newName));
        return false;
    }
    const bool wasWatched = it->isDir() && it->isLoaded();
    QList<KvFileSystemItem*> subtree{it};
    it->collectDescendants(&subtree);
    unwatch(subtree);
    it->rename(newName);
    it->setCachedIcon(QIcon());
    if (wasWatched) {
        for (KvFileSystemItem* member : qAsConst(subtree)) {
            if (member->isDir() && member->isLoaded())
                watch(member);
        }
    }
    emit dataChanged(indexOf(it, 0), indexOf(it, ColumnCount - 1));
    repositionChild(it->parent(), it);
    emit fileRenamed(dirPath, oldName, newName);
    return true;
}

void KvFileSystemModel::repositionChild(KvFileSystemItem* folder, KvFileSystemItem* child)
{
    const int from = child->row();
    KvFileSystemItem* taken = folder->takeChild(from);
    int to = insertPosition(folder, taken);
    folder->insertChild(from, taken);
    if (to == from)
        return;
    const QModelIndex parent = indexOf(folder);
    // beginMoveRows counts the destination before the move.
    const int destination = to > from ? to + 1 : to;
    if (!beginMoveRows(parent, from, from, parent, destination))
        return;
    folder->moveChild(from, to);
    endMoveRows();
}

// ----- sorting ------------------------------------------------------------------------

void KvFileSystemModel::sortFolder(KvFileSystemItem* folder, bool recursive)
{
    QList<KvFileSystemItem*> children = folder->children();
    std::stable_sort(
        children.begin(), children.end(),
        [this](const KvFileSystemItem* a, const KvFileSystemItem* b) { return lessThan(a, b); });
    if (children != folder->children()) {
        const QModelIndex parent = indexOf(folder);
        emit layoutAboutToBeChanged({QPersistentModelIndex(parent)});
        const QModelIndexList before = persistentIndexList();
        folder->setChildren(children);
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& index : before) {
            auto* member = static_cast<KvFileSystemItem*>(index.internalPointer());
            after.append(member && member->parent() == folder
                             ? createIndex(member->row(), index.column(), member)
                             : index);
        }
        changePersistentIndexList(before, after);
        emit layoutChanged({QPersistentModelIndex(parent)});
    }
    if (recursive) {
        for (KvFileSystemItem* child : qAsConst(children)) {
            if (child->isDir() && child->isLoaded())
                sortFolder(child, true);
        }
    }
}

void KvFileSystemModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    if (column == m_sortColumn && order == m_sortOrder)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    if (m_root)
        sortFolder(m_root, true);
}

// ----- item model -------------------------------------------------------------------------

QModelIndex KvFileSystemModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return QModelIndex();
    const KvFileSystemItem* folder = item(parent);
    if (!folder || row >= folder->childCount())
        return QModelIndex();
    return createIndex(row, column, folder->child(row));
}

QModelIndex KvFileSystemModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return QModelIndex();
    const KvFileSystemItem* it = item(child);
    return it ? indexOf(it->parent()) : QModelIndex();
}

QModelIndex KvFileSystemModel::sibling(int row, int column, const QModelIndex& index) const
{
    if (!index.isValid() || row < 0 || column < 0 || column >= ColumnCount)
        return QModelIndex();
    if (row == index.row())
        return createIndex(row, column, index.internalPointer());
    return QAbstractItemModel::sibling(row, column, index);
}

int KvFileSystemModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    const KvFileSystemItem* folder = item(parent);
    return folder ? folder->childCount() : 0;
}

int KvFileSystemModel::columnCount(const QModelIndex& parent) const
{
    return parent.column() > 0 ? 0 : int(ColumnCount);
}

bool KvFileSystemModel::hasChildren(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return false;
    const KvFileSystemItem* folder = item(parent);
    if (!folder || !folder->isDir())
        return false;
    // Unread folders offer an expander; reading them decides.
    return !folder->isLoaded() || folder->childCount() > 0;
}

bool KvFileSystemModel::canFetchMore(const QModelIndex& parent) const
{
    const KvFileSystemItem* folder = item(parent);
    return folder && folder->isDir() && !folder->isLoaded();
}

void KvFileSystemModel::fetchMore(const QModelIndex& parent)
{
    loadFolder(item(parent));
}

QVariant KvFileSystemModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.model() != this)
        return QVariant();
    const KvFileSystemItem* it = item(index);
    if (!it)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn:
            return it->fileName();
        case SizeColumn:
            return it->isDir() ? QString() : QLocale().formattedDataSize(it->fileInfo().size());
        case TypeColumn:
            return type(index);
        case DateColumn:
            return QLocale().toString(it->fileInfo().lastModified(), QLocale::ShortFormat);
        default:
            return QVariant();
        }
    case Qt::EditRole:
        return index.column() == NameColumn ? QVariant(it->fileName()) : QVariant();
    case Qt::DecorationRole:
        return index.column() == NameColumn ? QVariant(icon(index)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == SizeColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                            : QVariant();
    case FilePathRole:
        return it->filePath();
    case FileNameRole:
        return it->fileName();
    case FilePermissions:
        return int(it->fileInfo().permissions());
    default:
        return QVariant();
    }
}

QVariant KvFileSystemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractItemModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case NameColumn:
        return tr("Name");
    case SizeColumn:
        return tr("Size");
    case TypeColumn:
        return tr("Type");
    case DateColumn:
        return tr("Date Modified");
    default:
        return QVariant();
    }
}

Qt::ItemFlags KvFileSystemModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractItemModel::flags(index);
    if (!index.isValid())
        return result;
    const KvFileSystemItem* it = item(index);
    if (it && !it->isDir())
        result |= Qt::ItemNeverHasChildren;
    if (!m_readOnly && index.column() == NameColumn)
        result |= Qt::ItemIsEditable;
    return result;
}

QStringList KvFileSystemModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData* KvFileSystemModel::mimeData(const QModelIndexList& indexes) const
{
    QList<QUrl> urls;
    QSet<const void*> seen;
    for (const QModelIndex& index : indexes) {
        if (!index.isValid() || seen.contains(index.internalPointer()))
            continue;
        seen.insert(index.internalPointer());
        urls.append(QUrl::fromLocalFile(filePath(index)));
    }
    if (urls.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

bool KvFileSystemModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                     int column, const QModelIndex& parent)
{
    // The base never touches files on a drop; derived models decide what a drop means.
    Q_UNUSED(data)
    Q_UNUSED(action)
    Q_UNUSED(row)
    Q_UNUSED(column)
    Q_UNUSED(parent)
    return false;
}

Qt::DropActions KvFileSystemModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

QHash<int, QByteArray> KvFileSystemModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractItemModel::roleNames();
    names.insert(FilePathRole, "filePath");
    names.insert(FileNameRole, "fileName");
    names.insert(FilePermissions, "filePermissions");
    return names;
}

} // namespace Kova
