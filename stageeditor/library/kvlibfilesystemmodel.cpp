#include "kvlibfilesystemmodel.h"

#include "kveditorcommon.h"
#include "kvextension.h"
#include "kviconreaderasync.h"
#include "mediatype.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMetaType>
#include <QMimeData>
#include <QPixmap>
#include <QRegularExpression>
#include <QUrl>

namespace Kova {

namespace {

const QString URI_LIST = QStringLiteral("text/uri-list");

QByteArray digestOf(const QImage& image)
{
    const QImage scaled = image.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QCryptographicHash::hash(QByteArray(reinterpret_cast<const char*>(scaled.constBits()),
                                               static_cast<int>(scaled.sizeInBytes())),
                                    QCryptographicHash::Md5);
}

// Digests of the blank previews, made once (a function-local static is thread-safe).
const QList<QByteArray>& exclusionDigests()
{
    static const QList<QByteArray> digests = [] {
        QList<QByteArray> list;
        for (const char* name :
             {":/images/exclusion/smallblank.png", ":/images/exclusion/standardblank.png",
              ":/images/exclusion/transparent.png"}) {
            const QImage image(QString::fromLatin1(name));
            if (!image.isNull())
                list.append(digestOf(image));
        }
        return list;
    }();
    return digests;
}

QString folderOf(const QString& path)
{
    return QFileInfo(path).absoluteDir().absolutePath();
}

} // namespace

KvLibFileSystemModel::KvLibFileSystemModel(QObject* parent)
    : KvFileSystemModel(parent)
    , m_iconCache(5000)
{
    qRegisterMetaType<QStringList>("QStringList");
    connect(this, &KvFileSystemModel::directoryLoaded, this,
            &KvLibFileSystemModel::onDirectoryLoaded);
    connect(this, &KvLibFileSystemModel::updateIconListCreated, this,
            &KvLibFileSystemModel::onUpdateIconListCreated, Qt::QueuedConnection);
    connect(this, &KvFileSystemModel::itemDeleted, this, &KvLibFileSystemModel::deleteIconCache);
}

KvLibFileSystemModel::~KvLibFileSystemModel() = default;

void KvLibFileSystemModel::setNameFiltersInRoot(const QStringList& filters)
{
    m_nameFiltersInRoot = filters;
    KvFileSystemModel::setNameFiltersInRoot(filters);
}

void KvLibFileSystemModel::setExclusionNamePattern(const QStringList& patterns)
{
    m_exclusionNamePattern = patterns;
    KvFileSystemModel::setExclusionNamePattern(patterns);
}

// ----- icons ----------------------------------------------------------------------------

bool KvLibFileSystemModel::isExclusionIcon(const QIcon& icon)
{
    return isExclusionPixmap(icon.pixmap(32, 32, QIcon::Normal, QIcon::Off));
}

bool KvLibFileSystemModel::isExclusionPixmap(const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return false;
    return exclusionDigests().contains(digestOf(pixmap.toImage()));
}

QVariant KvLibFileSystemModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DecorationRole && index.column() == NameColumn) {
        if (const QIcon* cached = m_iconCache.object(index.internalPointer()))
            return *cached;
    }
    return KvFileSystemModel::data(index, role);
}

QIcon KvLibFileSystemModel::icon(const QModelIndex& index) const
{
    if (const QIcon* cached = m_iconCache.object(index.internalPointer()))
        return *cached;
    return KvFileSystemModel::icon(index);
}

void KvLibFileSystemModel::onDirectoryLoaded(QString path)
{
    const QModelIndex folder = index(path);
    QStringList paths;
    if (isDir(folder)) {
        for (int row = 0;; ++row) {
            const QModelIndex child = index(row, NameColumn, folder);
            if (!child.isValid())
                break;
            paths.append(filePath(child));
        }
    } else {
        paths.append(path);
    }
    if (!paths.isEmpty())
        emit updateIconListCreated(paths);
}

void KvLibFileSystemModel::onUpdateIconListCreated(QStringList pathList)
{
    auto* reader = new KvIconReaderAsync(pathList);
    connect(reader, &KvIconReaderAsync::iconReadCompleted, this,
            &KvLibFileSystemModel::onIconReadingCompleted);
    connect(reader, &KvIconReaderAsync::iconReadFailed, this,
            &KvLibFileSystemModel::onIconReadingFailed);
    reader->start();
}

void KvLibFileSystemModel::onIconReadingCompleted(QString filePath, QIcon* icon)
{
    const QModelIndex found = index(filePath);
    if (!found.isValid()) {
        delete icon;
        return;
    }
    if (isExclusionIcon(*icon))
        *icon = KvFileSystemModel::icon(found);
    m_iconCache.insert(found.internalPointer(), icon, 1);
    emit dataChanged(found, found, {});
}

void KvLibFileSystemModel::onIconReadingFailed(QString filePath)
{
    const QModelIndex found = index(filePath);
    if (!found.isValid())
        return;
    m_iconCache.remove(found.internalPointer());
    emit dataChanged(found, found, {});
}

void KvLibFileSystemModel::deleteIconCache(QList<void*> idList)
{
    for (void* id : idList)
        m_iconCache.remove(id);
}

// ----- drag and drop --------------------------------------------------------------------

QStringList KvLibFileSystemModel::mimeTypes() const
{
    return KvFileSystemModel::mimeTypes() << KvEditorCommon::MIME_TYPE_URI;
}

Qt::DropActions KvLibFileSystemModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

Qt::ItemFlags KvLibFileSystemModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = KvFileSystemModel::flags(index) | Qt::ItemIsEditable;
    if (!index.isValid())
        return result | Qt::ItemIsDropEnabled;
    return result | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QModelIndex KvLibFileSystemModel::setRootPath(const QString& path)
{
    return KvFileSystemModel::setRootPath(path);
}

QStringList KvLibFileSystemModel::droppedPaths(const QByteArray& payload,
                                               const QString& targetFolder) const
{
    const QString root = rootPath();
    QStringList topLevel;
    for (const QString& name : m_nameFiltersInRoot)
        topLevel.append(QStringLiteral("%1/%2").arg(root, name));

    QStringList paths;
    const QList<QByteArray> lines = payload.split('\n');
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        // One percent-encoded file URL per line; a bare path is taken as it is.
        const QUrl url = QUrl::fromEncoded(line, QUrl::TolerantMode);
        QString path = url.isLocalFile() ? url.toLocalFile() : QString();
        if (path.isEmpty() && url.scheme().isEmpty())
            path = QUrl::fromPercentEncoding(line);
        if (path.isEmpty())
            continue;
        // Items already in the target folder would not move; the fixed top-level folders
        // never move or get copied.
        if (folderOf(path) == targetFolder || topLevel.contains(QDir::cleanPath(path)))
            continue;
        paths.append(path);
    }
    return paths;
}

bool KvLibFileSystemModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                        int column, const QModelIndex& parent)
{
    Q_UNUSED(row)
    Q_UNUSED(column)
    if (action == Qt::IgnoreAction || !data)
        return false;
    const QFileInfo targetInfo = fileInfo(parent);
    QString target = targetInfo.isDir() ? targetInfo.absoluteFilePath() : targetInfo.absolutePath();

    bool internal = false;
    QByteArray payload;
    if (data->hasFormat(KvEditorCommon::MIME_TYPE_URI)) {
        internal = true;
        payload = data->data(KvEditorCommon::MIME_TYPE_URI);
    } else if (data->hasFormat(URI_LIST)) {
        payload = data->data(URI_LIST);
    } else {
        return false;
    }
    payload.replace('\r', '\n');
    QStringList paths = droppedPaths(payload, target);
    if (paths.isEmpty())
        return false;
    if (internal) {
        emit moveFile(paths, target);
        return true;
    }

    const QString root = rootPath();
    if (paths.size() == 1) {
        const QFileInfo single(paths.first());
        const QString suffix = single.suffix().toLower();
        if (single.isFile() &&
            (suffix == QLatin1String("ppt") || suffix == QLatin1String("pptx")) &&
            !single.absoluteFilePath().startsWith(root, Qt::CaseInsensitive)) {
            emit addPptFile(single.absoluteFilePath());
            return true;
        }
    }

    int result = 1;
    if (target.compare(root, Qt::CaseInsensitive) != 0) {
        result = 0;
        emit requestShowFileDistributionTypeDialog(&result);
    }
    if (result == 2) {
        emit copyFile(paths, target);
        return true;
    }
    if (result == 1) {
        QList<PathPair> pairs = distributionPairs(paths, target);
        if (pairs.isEmpty())
            return false;
        emit copyFile(pairs);
        return true;
    }
    return false;
}

QList<KvLibFileSystemModel::PathPair>
KvLibFileSystemModel::distributionPairs(const QStringList& sources, const QString& target) const
{
    QList<PathPair> pairs;
    const QFileInfo rootInfo(rootPath());
    const QDir rootDir(rootPath());
    QFileInfo targetInfo(target);
    if (!targetInfo.isDir())
        targetInfo = QFileInfo(targetInfo.absolutePath());
    const QString targetPath = targetInfo.absoluteFilePath();
    if (!targetPath.startsWith(rootInfo.absoluteFilePath()))
        return pairs;
    const bool onRoot = targetPath == rootInfo.absoluteFilePath();

    for (const QString& source : sources) {
        const QFileInfo info(source);
        if (info.isDir()) {
            if (!onRoot)
                pairs.append({info.absoluteFilePath(), targetPath});
            continue;
        }
        const MediaType::MediaTypes type = KvExtension::getMediaType(info.suffix());
        QString folder;
        switch (type) {
        case MediaType::Image:
        case MediaType::Movie:
        case MediaType::Flash:
        case MediaType::Web:
        case MediaType::Telop:
            folder = rootDir.filePath(MediaType::Convert::toString(type));
            break;
        default:
            if (onRoot)
                continue;
            folder = targetPath;
            break;
        }
        pairs.append({info.absoluteFilePath(), QDir(folder).filePath(info.fileName())});
    }
    return pairs;
}

} // namespace Kova
