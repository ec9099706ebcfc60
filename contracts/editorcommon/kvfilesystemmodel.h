#pragma once

#include <QAbstractItemModel>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

class QFileSystemWatcher;
class QTimer;

namespace Kova {

class KvFileSystemItem;

// A file tree below one root folder, four columns (name, size, type, date modified).
//
// The root folder itself is the invisible root of the model: its entries are the
// top-level rows, and index(rootPath()) as well as setRootPath() give the invalid index;
// filePath()/fileInfo()/isDir() of the invalid index describe the root folder.
// Folders are read when first needed (fetchMore, or a path lookup through index()),
// synchronously; directoryLoaded is then posted to the event loop. Folders come first,
// then files, each by name in natural order without regard to case.
//
// Filters: name filters in root (wildcards; the root shows only matching entries),
// name filters (wildcards on files below the root), exclusion name patterns (regular
// expressions on names at every level, hiding matching files and folders) and QDir
// filters. An optional file-system watcher re-reads loaded folders when they change on
// disk. Renaming through setData renames on disk and emits fileRenamed. Items that leave
// the model are announced with itemDeleted (their internal pointers) before they are
// freed.
class KvFileSystemModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Columns { NameColumn = 0, SizeColumn, TypeColumn, DateColumn, ColumnCount };
    enum Roles {
        FileIconRole = Qt::DecorationRole,
        FilePathRole = Qt::UserRole + 1,
        FileNameRole = Qt::UserRole + 2,
        FilePermissions = Qt::UserRole + 3
    };

    explicit KvFileSystemModel(QObject* parent = nullptr);
    ~KvFileSystemModel() override;

    // Root. Returns the index of the root, which is the invalid index.
    virtual QModelIndex setRootPath(const QString& path);
    QString rootPath() const;
    QDir rootDirectory() const;

    // Filters; changing one re-reads the tree (a model reset).
    void setNameFiltersInRoot(const QStringList& filters);
    QStringList nameFiltersInRoot() const { return m_rootFilters; }
    void setNameFilters(const QStringList& filters);
    QStringList nameFilters() const { return m_nameFilters; }
    // Regular expressions; names matching any of them are hidden. Invalid expressions are
    // ignored.
    void setExclusionNamePattern(const QStringList& patterns);
    QStringList exclusionNamePattern() const { return m_exclusionPatterns; }
    void setFilter(QDir::Filters filters);
    QDir::Filters filter() const { return m_filter; }
    // Whether a name would be shown inside `folderPath` (filters of the folder's level).
    bool isNameShown(const QString& folderPath, const QString& name, bool isDir) const;

    // Watching folders for changes made by others.
    void setFileWatcherEnabled(bool enabled);
    bool isFileWatcherEnabled() const { return m_watcherEnabled; }

    // Without read-only the name column is editable (renames on disk).
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

    // Lookups. index(path) reads the folders on the way when needed, and takes in an
    // entry made on disk since its folder was read; the invalid index for the root and
    // for paths outside the tree, missing or hidden by the filters.
    QModelIndex index(const QString& path, int column = 0) const;
    // True when `path` is the root or has an item in the model.
    bool contains(const QString& path) const;
    QString filePath(const QModelIndex& index) const;
    QString fileName(const QModelIndex& index) const;
    QFileInfo fileInfo(const QModelIndex& index) const;
    bool isDir(const QModelIndex& index) const;
    qint64 size(const QModelIndex& index) const;
    QString type(const QModelIndex& index) const;
    QDateTime lastModified(const QModelIndex& index) const;
    virtual QIcon icon(const QModelIndex& index) const;
    KvFileSystemItem* item(const QModelIndex& index) const;

    // Makes a folder `name` inside the folder of `parent`; its index, or the invalid index
    // when it could not be made.
    QModelIndex mkdir(const QModelIndex& parent, const QString& name);
    // Removes the file or folder (with its contents) from disk and from the model.
    bool remove(const QModelIndex& index);

    // QAbstractItemModel
    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    QHash<int, QByteArray> roleNames() const override;

public slots:
    // Re-reads the item from disk: a file's details; a folder's entries and, recursively,
    // those of its loaded sub-folders. A path that no longer exists re-reads its folder.
    void update(const QString& path);
    void update(const QModelIndex& index);

signals:
    void rootPathChanged(const QString& newPath);
    // A folder's entries were read (posted to the event loop).
    void directoryLoaded(const QString& path);
    // Internal pointers of items that left the model (a removed folder's loaded
    // descendants included).
    void itemDeleted(QList<void*> idList);
    // After a rename through setData: the folder, the old and the new name.
    void fileRenamed(const QString& dirPath, const QString& oldName, const QString& newName);
    // A rename through setData was refused; `reason` is a translated text for the user.
    void fileRenameFailed(const QString& path, const QString& newName, const QString& reason);

private slots:
    void onDirectoryChanged(const QString& path);
    void processPendingUpdates();

private:
    QModelIndex indexOf(KvFileSystemItem* item, int column = 0) const;
    KvFileSystemItem* itemForPath(const QString& path, bool fetch) const;
    KvFileSystemItem* adoptNewEntry(KvFileSystemItem* folder, const QString& name);
    bool accepts(const KvFileSystemItem* folder, const QFileInfo& info) const;
    QFileInfoList readEntries(const KvFileSystemItem* folder) const;
    void loadFolder(KvFileSystemItem* folder);
    void refreshFolder(KvFileSystemItem* folder, bool recursive);
    void refreshItem(KvFileSystemItem* item);
    void removeChildRows(KvFileSystemItem* folder, int first, int last);
    void watch(KvFileSystemItem* folder);
    void unwatch(const QList<KvFileSystemItem*>& items);
    void rebuild();
    bool lessThan(const KvFileSystemItem* a, const KvFileSystemItem* b) const;
    int insertPosition(const KvFileSystemItem* folder, const KvFileSystemItem* item) const;
    void sortFolder(KvFileSystemItem* folder, bool recursive);
    void repositionChild(KvFileSystemItem* folder, KvFileSystemItem* child);
    QString renameError(KvFileSystemItem* item, const QString& newName) const;
    QString normalizedPath(const QString& path) const;

    KvFileSystemItem* m_root = nullptr;
    QStringList m_rootFilters;
    QStringList m_nameFilters;
    QList<QRegularExpression> m_rootFilterExpressions;
    QList<QRegularExpression> m_nameFilterExpressions;
    QStringList m_exclusionPatterns;
    QList<QRegularExpression> m_exclusions;
    QDir::Filters m_filter = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::AllDirs;
    bool m_readOnly = true;
    bool m_watcherEnabled = false;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_updateTimer = nullptr;
    QSet<QString> m_pendingUpdates;
    int m_sortColumn = NameColumn;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    mutable QHash<QString, QIcon> m_iconCache;
};

} // namespace Kova
