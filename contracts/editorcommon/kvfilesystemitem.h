#pragma once

#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>

namespace Kova {

// One file or folder of a KvFileSystemModel. The model's indexes carry the item's
// address as internal pointer, which stays the same for the item's whole life (renames
// and re-reads included), so it can key caches; the model announces dropped items with
// KvFileSystemModel::itemDeleted.
class KvFileSystemItem
{
public:
    KvFileSystemItem(const QFileInfo& info, KvFileSystemItem* parent);
    ~KvFileSystemItem();
    KvFileSystemItem(const KvFileSystemItem&) = delete;
    KvFileSystemItem& operator=(const KvFileSystemItem&) = delete;

    // The platform's icon for the file's type (a folder icon for folders, a generic file
    // icon when the type is unknown). Call on the GUI thread.
    static QIcon getIcon(const QString& filePath);
    static QIcon getIcon(const QFileInfo& info);

    const QFileInfo& fileInfo() const { return m_info; }
    void setFileInfo(const QFileInfo& info);
    QString fileName() const { return m_name; }
    QString filePath() const { return m_info.absoluteFilePath(); }
    bool isDir() const { return m_isDir; }

    KvFileSystemItem* parent() const { return m_parent; }
    int row() const { return m_row; }

    // Children: read only once the folder was loaded.
    bool isLoaded() const { return m_loaded; }
    void setLoaded(bool loaded) { m_loaded = loaded; }
    const QList<KvFileSystemItem*>& children() const { return m_children; }
    int childCount() const { return m_children.size(); }
    KvFileSystemItem* child(int row) const { return m_children.value(row); }
    KvFileSystemItem* childByName(const QString& name) const { return m_byName.value(name); }
    void insertChild(int row, KvFileSystemItem* child);
    // Takes the child out without deleting it.
    KvFileSystemItem* takeChild(int row);
    void moveChild(int from, int to);
    // Replaces the order of the children (a permutation of the current list).
    void setChildren(const QList<KvFileSystemItem*>& children);
    // After a rename of the item: new name, new paths for every loaded descendant.
    void rename(const QString& newName);
    // Every loaded descendant, depth first, the item itself not included.
    void collectDescendants(QList<KvFileSystemItem*>* items) const;

    // Icon cached by the model.
    const QIcon& cachedIcon() const { return m_icon; }
    void setCachedIcon(const QIcon& icon) { m_icon = icon; }

private:
    void renumber(int from);
    void refreshPaths();

    QFileInfo m_info;
    QString m_name;
    bool m_isDir = false;
    bool m_loaded = false;
    int m_row = 0;
    KvFileSystemItem* m_parent;
    QList<KvFileSystemItem*> m_children;
    QHash<QString, KvFileSystemItem*> m_byName;
    QIcon m_icon;
};

} // namespace Kova
