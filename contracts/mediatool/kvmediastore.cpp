#include "kvmediastore.h"
#include "kvmediatoollog.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>

#include <cstdio>
#endif

#include <memory>
#include <utility>

namespace Kova {

Q_LOGGING_CATEGORY(lcMediaTool, "kova.mediatool", QtInfoMsg)

const QString KvMediaStore::RECORD_FILE_NAME = QStringLiteral("properties.json");

namespace {

struct Entry
{
    QString format;
    QString dimensions;
    QString stamp;
    qint64 length = 0;
    QByteArray json; // the entry as it is written in the record: "name":{...}
};

// Fills in an entry's JSON text once, so writing a record of many entries only joins them.
void makeJson(const QString& name, Entry& entry)
{
    QJsonObject object;
    object.insert("format", entry.format);
    object.insert("dimensions", entry.dimensions);
    object.insert("stamp", entry.stamp);
    object.insert("length", static_cast<double>(entry.length));
    const QByteArray key = QJsonDocument(QJsonArray{name}).toJson(QJsonDocument::Compact);
    entry.json =
        key.mid(1, key.size() - 2) + ':' + QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// What this process knows of one thumbnail folder.
struct FolderState
{
    QHash<QString, Entry> entries; // by file name
    QSet<QString> pending;         // entries changed here and not yet written
    QString recordStamp;           // stamp of the record file when last read or written
    bool flushing = false;         // a thread is writing the record
    bool memoryOnly = false;       // the folder cannot be written
};

struct Registry
{
    QMutex mutex;
    QHash<QString, std::shared_ptr<FolderState>> folders; // by thumbnail folder path
    QHash<QString, QByteArray> thumbnails;                // PNG data kept in memory, by path
};

Q_GLOBAL_STATIC(Registry, registry)

QString thumbnailFolderOf(const QString& absolutePath)
{
    return QFileInfo(absolutePath).absolutePath() + '/' + KvThumbnail::THUMBNAIL_FOLDER_NAME;
}

// Must be called with the registry locked.
FolderState& folderState(const QString& thumbnailFolder)
{
    std::shared_ptr<FolderState>& state = registry->folders[thumbnailFolder];
    if (!state) {
        state = std::make_shared<FolderState>();
    }
    return *state;
}

// Must be called with the registry locked.
void markMemoryOnly(FolderState& state, const QString& thumbnailFolder)
{
    if (state.memoryOnly) {
        return;
    }
    state.memoryOnly = true;
    qCWarning(lcMediaTool).noquote()
        << QStringLiteral("Cannot write in %1; thumbnails and file properties of its files are "
                          "kept in memory until the program ends")
               .arg(QDir::toNativeSeparators(QFileInfo(thumbnailFolder).absolutePath()));
}

QHash<QString, Entry> parseRecord(const QByteArray& data)
{
    QHash<QString, Entry> entries;
    const QJsonObject files = QJsonDocument::fromJson(data).object().value("files").toObject();
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QJsonObject object = it.value().toObject();
        Entry entry;
        entry.format = object.value("format").toString();
        entry.dimensions = object.value("dimensions").toString();
        entry.stamp = object.value("stamp").toString();
        entry.length = static_cast<qint64>(object.value("length").toDouble());
        makeJson(it.key(), entry);
        entries.insert(it.key(), entry);
    }
    return entries;
}

QByteArray serializeRecord(const QHash<QString, Entry>& entries)
{
    QByteArray data = "{\"version\":1,\"files\":{";
    data.reserve(data.size() + entries.size() * 128);
    bool first = true;
    for (const Entry& entry : entries) {
        if (!first) {
            data += ',';
        }
        first = false;
        data += entry.json;
    }
    data += "}}";
    return data;
}

// Takes in what the record file holds when it changed since this process last saw it; the
// entries changed here and not yet written win. Must be called with the registry locked.
void refresh(FolderState& state, const QString& thumbnailFolder)
{
    const QString recordPath = thumbnailFolder + '/' + KvMediaStore::RECORD_FILE_NAME;
    const QString recordStamp = KvMediaStore::stamp(recordPath);
    if (recordStamp == state.recordStamp) {
        return;
    }
    state.recordStamp = recordStamp;
    QFile file(recordPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QHash<QString, Entry> onDisk = parseRecord(file.readAll());
    for (auto it = onDisk.begin(); it != onDisk.end(); ++it) {
        if (!state.pending.contains(it.key())) {
            state.entries.insert(it.key(), it.value());
        }
    }
}

bool writeAtomically(const QString& path, const QByteArray& data)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        return false;
    }
#ifdef Q_OS_UNIX
    // Thumbnails and records are made again when lost: a temporary file renamed over the old
    // one keeps every reader from half a file, without the disk sync of QSaveFile, which
    // would cost more than making the thumbnail.
    QTemporaryFile file(folder + QStringLiteral("/.kvwrite-XXXXXX"));
    if (!file.open() || file.write(data) != data.size() || !file.flush()) {
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0) {
        return false;
    }
    file.setAutoRemove(false);
    return true;
#else
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(data);
    return file.commit();
#endif
}

QByteArray encodePng(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// Writes the record of a folder while entries wait to be written. One thread at a time
// writes a folder's record; the others only add to memory and the writing thread takes their
// entries in on its next round. Called with the registry locked; unlocks it while writing.
void writePending(QMutexLocker& lock, const QString& folder)
{
    FolderState* state = &folderState(folder);
    if (state->memoryOnly || state->flushing || state->pending.isEmpty()) {
        return;
    }
    state->flushing = true;
    const QString recordPath = folder + '/' + KvMediaStore::RECORD_FILE_NAME;
    while (!state->pending.isEmpty() && !state->memoryOnly) {
        refresh(*state, folder);
        const QSet<QString> written = std::exchange(state->pending, {});
        const QByteArray data = serializeRecord(state->entries);
        lock.unlock();
        const bool saved = writeAtomically(recordPath, data);
        const QString recordStamp = KvMediaStore::stamp(recordPath);
        lock.relock();
        state = &folderState(folder);
        if (saved) {
            state->recordStamp = recordStamp;
        } else {
            state->pending.unite(written);
            markMemoryOnly(*state, folder);
        }
    }
    state->flushing = false;
}

} // namespace

QString KvMediaStore::stamp(const QString& absolutePath)
{
#ifdef Q_OS_UNIX
    // Asked for every medium a timeline shows: the file's times are read as they are, without
    // the local time zone that QFileInfo's date conversion consults on every call.
    struct stat status;
    if (::stat(QFile::encodeName(absolutePath).constData(), &status) != 0) {
        return QString();
    }
    const qint64 modified =
        qint64(status.st_mtim.tv_sec) * 1000 + qint64(status.st_mtim.tv_nsec) / 1000000;
    return QStringLiteral("%1:%2").arg(qint64(status.st_size)).arg(modified);
#else
    const QFileInfo info(absolutePath);
    if (!info.exists()) {
        return QString();
    }
    return QStringLiteral("%1:%2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
#endif
}

void KvMediaStore::storeProperty(const KvThumbnail::FileProperty& property, bool writeNow)
{
    const QString folder = thumbnailFolderOf(property.filePath);
    const QString name = QFileInfo(property.filePath).fileName();
    Entry entry;
    entry.format = property.format;
    entry.dimensions = property.dimensions;
    entry.stamp = property.stamp;
    entry.length = property.length;
    makeJson(name, entry);

    QMutexLocker lock(&registry->mutex);
    FolderState& state = folderState(folder);
    refresh(state, folder);
    state.entries.insert(name, entry);
    state.pending.insert(name);
    if (writeNow) {
        writePending(lock, folder);
    }
}

void KvMediaStore::writeRecord(const QString& absolutePath)
{
    QMutexLocker lock(&registry->mutex);
    writePending(lock, thumbnailFolderOf(absolutePath));
}

void KvMediaStore::writeAllRecords()
{
    QMutexLocker lock(&registry->mutex);
    const QStringList folders = registry->folders.keys();
    for (const QString& folder : folders) {
        writePending(lock, folder);
    }
}

bool KvMediaStore::findProperty(const QString& absolutePath, KvThumbnail::FileProperty* property)
{
    const QString folder = thumbnailFolderOf(absolutePath);
    QMutexLocker lock(&registry->mutex);
    FolderState& state = folderState(folder);
    refresh(state, folder);
    const auto it = state.entries.constFind(QFileInfo(absolutePath).fileName());
    if (it == state.entries.constEnd()) {
        return false;
    }
    property->filePath = absolutePath;
    property->thumbnailPath = KvThumbnail::thumbnailFilePath(absolutePath);
    property->format = it->format;
    property->dimensions = it->dimensions;
    property->stamp = it->stamp;
    property->length = it->length;
    return true;
}

void KvMediaStore::storeThumbnail(const QString& thumbnailPath, const QImage& image)
{
    const QString folder = QFileInfo(thumbnailPath).absolutePath();
    const QByteArray data = encodePng(image);
    {
        QMutexLocker lock(&registry->mutex);
        if (folderState(folder).memoryOnly) {
            registry->thumbnails.insert(thumbnailPath, data);
            return;
        }
    }
    const bool saved = writeAtomically(thumbnailPath, data);
    QMutexLocker lock(&registry->mutex);
    if (saved) {
        registry->thumbnails.remove(thumbnailPath);
    } else {
        markMemoryOnly(folderState(folder), folder);
        registry->thumbnails.insert(thumbnailPath, data);
    }
}

void KvMediaStore::removeThumbnail(const QString& thumbnailPath)
{
    {
        QMutexLocker lock(&registry->mutex);
        registry->thumbnails.remove(thumbnailPath);
    }
    QFile::remove(thumbnailPath);
}

QImage KvMediaStore::thumbnail(const QString& thumbnailPath)
{
    QByteArray data;
    {
        QMutexLocker lock(&registry->mutex);
        data = registry->thumbnails.value(thumbnailPath);
    }
    if (!data.isEmpty()) {
        return QImage::fromData(data, "PNG");
    }
    // Thumbnails are PNG files. Named without a format, a missing file would be looked for
    // under every picture suffix as well.
    if (!QFileInfo(thumbnailPath).isFile()) {
        return QImage();
    }
    return QImage(thumbnailPath, "PNG");
}

} // namespace Kova
