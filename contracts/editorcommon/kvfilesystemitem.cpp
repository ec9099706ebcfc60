#include "kvfilesystemitem.h"

#include <QDir>
#include <QFileIconProvider>

namespace Kova {

KvFileSystemItem::KvFileSystemItem(const QFileInfo& info, KvFileSystemItem* parent)
    : m_parent(parent)
{
    setFileInfo(info);
}

KvFileSystemItem::~KvFileSystemItem()
{
    qDeleteAll(m_children);
}

QIcon KvFileSystemItem::getIcon(const QString& filePath)
{
    return getIcon(QFileInfo(filePath));
}

QIcon KvFileSystemItem::getIcon(const QFileInfo& info)
{
    static QFileIconProvider provider;
    if (info.filePath().isEmpty())
        return provider.icon(QFileIconProvider::File);
    if (!info.exists())
        return provider.icon(QFileIconProvider::File);
    const QIcon icon = provider.icon(info);
    if (!icon.isNull())
        return icon;
    return provider.icon(info.isDir() ? QFileIconProvider::Folder : QFileIconProvider::File);
}

void KvFileSystemItem::setFileInfo(const QFileInfo& info)
{
    m_info = info;
    m_info.setCaching(true);
    m_name = info.fileName();
    if (m_name.isEmpty()) // a root such as "/"
        m_name = info.absoluteFilePath();
    m_isDir = info.isDir();
}

void KvFileSystemItem::insertChild(int row, KvFileSystemItem* child)
{
    if (row < 0 || row > m_children.size())
        row = m_children.size();
    m_children.insert(row, child);
    m_byName.insert(child->fileName(), child);
    child->m_parent = this;
    renumber(row);
}

KvFileSystemItem* KvFileSystemItem::takeChild(int row)
{
    if (row < 0 || row >= m_children.size())
        return nullptr;
    KvFileSystemItem* child = m_children.takeAt(row);
    if (m_byName.value(child->fileName()) == child)
        m_byName.remove(child->fileName());
    renumber(row);
    return child;
}

void KvFileSystemItem::moveChild(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= m_children.size() || to >= m_children.size())
        return;
    m_children.move(from, to);
    renumber(std::min(from, to));
}

void KvFileSystemItem::setChildren(const QList<KvFileSystemItem*>& children)
{
    m_children = children;
    renumber(0);
}

void KvFileSystemItem::rename(const QString& newName)
{
    if (m_parent && m_parent->m_byName.value(m_name) == this)
        m_parent->m_byName.remove(m_name);
    const QString parentPath = m_info.absolutePath();
    setFileInfo(QFileInfo(QDir(parentPath).filePath(newName)));
    if (m_parent)
        m_parent->m_byName.insert(m_name, this);
    for (KvFileSystemItem* child : qAsConst(m_children))
        child->refreshPaths();
}

void KvFileSystemItem::refreshPaths()
{
    if (!m_parent)
        return;
    setFileInfo(QFileInfo(QDir(m_parent->filePath()).filePath(m_name)));
    for (KvFileSystemItem* child : qAsConst(m_children))
        child->refreshPaths();
}

void KvFileSystemItem::collectDescendants(QList<KvFileSystemItem*>* items) const
{
    for (KvFileSystemItem* child : m_children) {
        items->append(child);
        child->collectDescendants(items);
    }
}

void KvFileSystemItem::renumber(int from)
{
    for (int i = std::max(0, from); i < m_children.size(); ++i)
        m_children.at(i)->m_row = i;
}

} // namespace Kova
