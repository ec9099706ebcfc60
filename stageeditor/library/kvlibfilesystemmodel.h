#pragma once

#include "kvfilelistcreator.h"
#include "kvfilesystemmodel.h"

#include <QCache>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>

class QPixmap;

namespace Kova {

// The library's file tree: a KvFileSystemModel whose drops are announced, never carried
// out. A drop of library items (the module's own URI format) asks for a move, a drop of
// outside files ("text/uri-list") for a copy, either into the target folder or sorted into
// the root's media-type folders. Items are editable (rename in place) and draggable.
// Preview icons are read in the background for every folder that is loaded and kept in a
// least-recently-used cache of at most 5000 icons, keyed by the item's internal pointer.
class KvLibFileSystemModel : public KvFileSystemModel
{
    Q_OBJECT
public:
    // A source path and the destination path it is copied or moved to.
    using PathPair = KvFileListCreator::PathPair;

    explicit KvLibFileSystemModel(QObject* parent = nullptr);
    ~KvLibFileSystemModel() override;

    void setNameFiltersInRoot(const QStringList& filters);
    QStringList nameFiltersInRoot() const { return m_nameFiltersInRoot; }
    void setExclusionNamePattern(const QStringList& patterns);
    QStringList exclusionNamePattern() const { return m_exclusionNamePattern; }

    // Where each source goes when dropped files are sorted by media type onto `target`:
    // media files into the root's folder of their type, other files and folders into the
    // target (skipped on a drop on the root itself). Empty outside the root.
    QList<PathPair> distributionPairs(const QStringList& sources, const QString& target) const;

    // Whether a picture is one of the blank previews a reader gives for a file it cannot
    // show (compared at 32 by 32 pixels).
    static bool isExclusionIcon(const QIcon& icon);
    static bool isExclusionPixmap(const QPixmap& pixmap);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDragActions() const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QModelIndex setRootPath(const QString& path) override;
    QIcon icon(const QModelIndex& index) const override;

signals:
    void moveFile(QStringList& srcPaths, QString& dstPath);
    void copyFile(QStringList& srcPaths, QString& dstPath);
    void copyFile(QList<Kova::KvFileListCreator::PathPair>& pathPairList);
    // The receiver stores 1 (sort by media type), 2 (into the target folder) or anything
    // else (cancel) behind `result`.
    void requestShowFileDistributionTypeDialog(int* result);
    void updateIconListCreated(QStringList pathList);
    void addPptFile(QString pptPath);

public slots:
    void onDirectoryLoaded(QString path);
    void onUpdateIconListCreated(QStringList pathList);
    void onIconReadingCompleted(QString filePath, QIcon* icon);
    void onIconReadingFailed(QString filePath);
    void deleteIconCache(QList<void*> idList);

private:
    QStringList droppedPaths(const QByteArray& payload, const QString& targetFolder) const;

    mutable QCache<void*, QIcon> m_iconCache;
    QStringList m_nameFiltersInRoot;
    QStringList m_exclusionNamePattern;
};

} // namespace Kova
