#include "kvfilemanipulatorworker.h"

#include "kvsinglefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace Kova {

namespace {

// Bytes handed to the system in one call while copying; between two calls a cancel is seen.
constexpr size_t copyChunk = 8 * 1024 * 1024;
// Progress is reported at most this often (ms).
constexpr qint64 reportInterval = 40;

QString tr(const char* text)
{
    return QCoreApplication::translate("Kova::KvFileManipulator", text);
}

QString reasonFor(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return tr("The disk is full.");
    case ENOENT:
        return tr("The file does not exist (any more).");
    case EACCES:
    case EPERM:
    case EROFS:
        return tr("Permission denied.");
    case ENAMETOOLONG:
        return tr("The path is too long.");
    case ENOTDIR:
    case EEXIST:
        return tr("A file stands where a folder is needed.");
    default:
        return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

// True for the errors of a rename that lie with the new path (its name, its folder's disk), so
// that the report names that path instead of the file being renamed.
bool isTargetError(int errorNumber)
{
    switch (errorNumber) {
    case ENAMETOOLONG:
    case ENOSPC:
    case EDQUOT:
    case EEXIST:
    case ENOTEMPTY:
    case EISDIR:
        return true;
    default:
        return false;
    }
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

bool lexists(const QString& path, struct stat* st = nullptr)
{
    struct stat local;
    return ::lstat(native(path).constData(), st ? st : &local) == 0;
}

bool isInside(const QString& path, const QString& root)
{
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

QString parentOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

// True when a folder holds nothing but hidden "._" entries (thumbnail records, say).
bool onlyHiddenLeft(const QString& folder)
{
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                     QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (!name.startsWith(QLatin1String("._")))
            return false;
    }
    return QFileInfo(folder).isDir();
}

bool removePath(const QString& path)
{
    struct stat st;
    if (!lexists(path, &st))
        return true;
    if (S_ISDIR(st.st_mode))
        return QDir(path).removeRecursively();
    return ::unlink(native(path).constData()) == 0;
}

} // namespace

KvFileManipulatorWorker::KvFileManipulatorWorker(const QList<PathPair>& pairs, int operation,
                                                 const QString& trashPath, QObject* parent)
    : QThread(parent)
    , m_input(pairs)
    , m_operation(operation)
{
    if (!trashPath.isEmpty()) {
        m_trashPath = QDir::cleanPath(QFileInfo(trashPath).absoluteFilePath());
        m_dataDir = parentOf(m_trashPath);
    }
}

KvFileManipulatorWorker::~KvFileManipulatorWorker()
{
    requestCancel();
    wait();
}

void KvFileManipulatorWorker::requestCancel()
{
    if (m_cancelRequested.testAndSetOrdered(0, 1))
        m_go.release();
}

void KvFileManipulatorWorker::proceed()
{
    m_go.release();
}

void KvFileManipulatorWorker::run()
{
    try {
        if (m_operation < 0 || m_operation > 2)
            fail(QString(), tr("Unknown file operation."));
        const QList<PathPair> pairs = normalizedPairs();
        for (const PathPair& pair : pairs) {
            m_items.append(listItem(pair.first, pair.second));
            const Item& item = m_items.constLast();
            m_fileCount += item.isDir ? 0 : 1;
            m_byteCount += item.size;
            for (const Entry& entry : item.entries) {
                m_fileCount += entry.isDir ? 0 : 1;
                m_byteCount += entry.size;
            }
        }
        emit listed(m_fileCount, m_byteCount);
        m_go.acquire();
        checkCancel();
        // The first file is reported at once, later ones at most every reportInterval.
        m_sinceReport.invalidate();
        for (const Item& item : qAsConst(m_items)) {
            if (m_operation == 0)
                copyItem(item);
            else if (m_operation == 1)
                moveItem(item);
            else
                removeItem(item);
            checkCancel();
        }
        if (!m_finishing.testAndSetOrdered(0, 1))
            return;
        // A cancel that came after the last check arrives too late: the work is done.
        if (m_cancelRequested.loadAcquire())
            checkCancel();
    } catch (const Canceled&) {
        m_canceled = true;
        rollback();
        return;
    } catch (const KvFileErrorException& error) {
        m_hasError = true;
        m_error = error;
        rollback();
        return;
    }
    finishWork();
    reportProgress(QString(), true);
    m_succeeded = true;
}

QList<KvFileManipulatorWorker::PathPair> KvFileManipulatorWorker::normalizedPairs() const
{
    QList<PathPair> cleaned;
    QSet<QString> sources;
    for (const PathPair& pair : m_input) {
        if (pair.first.isEmpty())
            continue;
        const QString source = QDir::cleanPath(QFileInfo(pair.first).absoluteFilePath());
        if (sources.contains(source))
            continue;
        const QString destination =
            pair.second.isEmpty() ? QString()
                                  : QDir::cleanPath(QFileInfo(pair.second).absoluteFilePath());
        sources.insert(source);
        cleaned.append(PathPair(source, destination));
    }
    // An entry inside a folder that is listed as well goes with that folder.
    QList<PathPair> result;
    for (const PathPair& pair : qAsConst(cleaned)) {
        bool nested = false;
        for (QString up = parentOf(pair.first); !nested; up = parentOf(up)) {
            nested = sources.contains(up);
            if (up == parentOf(up))
                break;
        }
        if (!nested)
            result.append(pair);
    }
    return result;
}

KvFileManipulatorWorker::Item KvFileManipulatorWorker::listItem(const QString& source,
                                                                const QString& destination) const
{
    Item item;
    item.source = source;
    item.destination = destination;
    struct stat st;
    if (!lexists(source, &st)) {
        // Removing what is already gone is done; copying or moving it fails.
        if (m_operation == 2) {
            item.missing = true;
            return item;
        }
        fail(source, errno);
    }
    item.isDir = S_ISDIR(st.st_mode);
    if (item.isDir)
        listTree(source, QString(), &item.entries);
    else
        item.size = st.st_size;
    return item;
}

void KvFileManipulatorWorker::listTree(const QString& root, const QString& prefix,
                                       QVector<Entry>* entries) const
{
    const QFileInfoList infos =
        QDir(root + QLatin1Char('/') + prefix)
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDir::Name);
    for (const QFileInfo& info : infos) {
        // Hidden "._" entries (thumbnails, the trash) are the component's own: they travel
        // with a renamed folder and are made anew (thumbnails) for a copied one.
        if (info.fileName().startsWith(QLatin1String("._")))
            continue;
        Entry entry;
        entry.relativePath = prefix + info.fileName();
        entry.isDir = info.isDir() && !info.isSymLink();
        entry.size = entry.isDir ? 0 : info.size();
        entries->append(entry);
        if (entry.isDir)
            listTree(root, entry.relativePath + QLatin1Char('/'), entries);
    }
}

void KvFileManipulatorWorker::copyItem(const Item& item)
{
    if (!lexists(item.source))
        fail(item.source, ENOENT);
    const QString destination = freeName(item.destination, item.isDir);
    if (destination != item.destination)
        m_renamed.append(PathPair(item.destination, destination));
    makeParents(destination);
    if (item.isDir)
        copyTree(item, destination);
    else
        copyFile(item.source, destination);
    reportItem(item, destination, &m_pairs);
}

void KvFileManipulatorWorker::moveItem(const Item& item)
{
    QString destination = item.destination;
    if (destination == item.source)
        return;
    if (item.isDir && isInside(destination, item.source))
        fail(item.source, tr("A folder cannot be moved into itself."));
    if (!lexists(item.source))
        fail(item.source, ENOENT);
    struct stat st;
    if (lexists(destination, &st)) {
        if (item.isDir && S_ISDIR(st.st_mode)) {
            // Two folders of one name: their contents are merged.
            for (int i = 0; i < item.entries.count(); ++i) {
                const Entry& entry = item.entries.at(i);
                if (entry.relativePath.contains(QLatin1Char('/')))
                    continue;
                Item child;
                child.source = item.source + QLatin1Char('/') + entry.relativePath;
                child.destination = destination + QLatin1Char('/') + entry.relativePath;
                child.isDir = entry.isDir;
                child.size = entry.size;
                const QString below = entry.relativePath + QLatin1Char('/');
                for (int j = i + 1; j < item.entries.count(); ++j) {
                    const Entry& inner = item.entries.at(j);
                    if (!inner.relativePath.startsWith(below))
                        break;
                    Entry moved = inner;
                    moved.relativePath = inner.relativePath.mid(below.size());
                    child.entries.append(moved);
                }
                moveItem(child);
                checkCancel();
            }
            m_emptiedFolders.append(item.source);
            return;
        }
        if (!m_trashPath.isEmpty()) {
            trash(destination);
        } else {
            destination = freeName(destination, item.isDir);
            m_renamed.append(PathPair(item.destination, destination));
        }
    }
    makeParents(destination);
    moveAside(item, destination, &m_pairs);
}

void KvFileManipulatorWorker::removeItem(const Item& item)
{
    if (item.missing)
        return;
    if (!m_trashPath.isEmpty() && !isInside(item.source, m_trashPath)) {
        const QString target = freeName(trashPlace(item.source), item.isDir);
        makeParents(target);
        moveAside(item, target, &m_trashPairs);
        reportItem(item, target, &m_pairs);
        return;
    }
    // Set aside under a hidden name in the same folder; deleted when everything else worked.
    // The name is short and numbered, not made from the file's own name, which may already
    // be as long as a name can be.
    const QString aside =
        freeName(parentOf(item.source) +
                     QStringLiteral("/._kvremoving-%1-%2").arg(::getpid()).arg(++m_tempCounter),
                 true);
    if (::rename(native(item.source).constData(), native(aside).constData()) != 0)
        fail(item.source, errno);
    m_journal.append({Step::Renamed, item.source, aside});
    m_deleteAtEnd.append(aside);
    reportItem(item, QString(), &m_pairs);
    countItemDone(item);
}

void KvFileManipulatorWorker::moveAside(const Item& item, const QString& target,
                                        QList<PathPair>* report)
{
    if (::rename(native(item.source).constData(), native(target).constData()) == 0) {
        m_journal.append({Step::Renamed, item.source, target});
        countItemDone(item);
    } else if (errno == EXDEV) {
        // Another file system: copied now, the source deleted once everything worked.
        if (item.isDir)
            copyTree(item, target);
        else
            copyFile(item.source, target);
        m_deleteAtEnd.append(item.source);
    } else {
        const int error = errno;
        fail(isTargetError(error) ? target : item.source, error);
    }
    reportItem(item, target, report);
}

void KvFileManipulatorWorker::trash(const QString& path)
{
    const Item item = listItem(path, QString());
    const QString target = freeName(trashPlace(path), item.isDir);
    makeParents(target);
    moveAside(item, target, &m_trashPairs);
}

void KvFileManipulatorWorker::copyTree(const Item& item, const QString& destination)
{
    makeDir(destination);
    for (const Entry& entry : item.entries) {
        const QString target = destination + QLatin1Char('/') + entry.relativePath;
        if (entry.isDir)
            makeDir(target);
        else
            copyFile(item.source + QLatin1Char('/') + entry.relativePath, target);
        checkCancel();
    }
}

void KvFileManipulatorWorker::copyFile(const QString& source, const QString& destination)
{
    reportProgress(source, false);
    const int in = ::open(native(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        fail(source, errno);
    struct stat st;
    const int statError = ::fstat(in, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (statError != 0) {
        ::close(in);
        fail(source, statError);
    }

    // The copy gets its real name only when complete: it is written to a file without a name
    // in the destination folder (given one by a link at the end; when the work stops the file
    // is gone with its descriptor), or where the file system cannot do that, under a hidden
    // temporary name.
    static const bool canLinkDescriptors = QFileInfo::exists(QStringLiteral("/proc/self/fd"));
    const QString folder = parentOf(destination);
    const mode_t mode = (st.st_mode & 0777) | S_IWUSR;
    QString temporary;
    int out = canLinkDescriptors
                  ? ::open(native(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode)
                  : -1;
    for (int attempt = 0; out < 0 && attempt < 100; ++attempt) {
        temporary = folder + QStringLiteral("/._kvcopy-%1-%2").arg(::getpid()).arg(++m_tempCounter);
        out = ::open(native(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (out < 0 && errno != EEXIST)
            break;
    }
    if (out < 0) {
        const int error = errno;
        ::close(in);
        fail(destination, error);
    }

    auto abandon = [&](const QString& path, int error) {
        ::close(in);
        ::close(out);
        if (!temporary.isEmpty())
            ::unlink(native(temporary).constData());
        if (error >= 0)
            fail(path, error);
    };

    qint64 copied = 0;
    bool plain = false; // read and write when the system cannot copy between the files
    QByteArray buffer;
    while (true) {
        ssize_t n = -1;
        if (!plain) {
            n = ::copy_file_range(in, nullptr, out, nullptr, copyChunk, 0);
            if (n < 0 && copied == 0 &&
                (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                plain = true;
                continue;
            }
            if (n < 0)
                abandon(errno == EFBIG || errno == ENOSPC || errno == EDQUOT ? destination : source,
                        errno);
        } else {
            if (buffer.isEmpty())
                buffer.resize(1024 * 1024);
            n = ::read(in, buffer.data(), size_t(buffer.size()));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                abandon(source, errno);
            }
            for (ssize_t written = 0; written < n;) {
                const ssize_t w = ::write(out, buffer.constData() + written, size_t(n - written));
                if (w < 0) {
                    if (errno == EINTR)
                        continue;
                    abandon(destination, errno);
                }
                written += w;
            }
        }
        if (n == 0)
            break;
        copied += n;
        m_bytesDone += n;
        reportProgress(source, false);
        if (m_cancelRequested.loadAcquire() && !m_finishing.loadAcquire()) {
            abandon(QString(), -1);
            throw Canceled();
        }
    }

    // The copy is complete when it holds as many bytes as the source has now.
    struct stat now;
    if (::fstat(in, &now) != 0)
        abandon(source, errno);
    if (now.st_size != copied)
        abandon(source, EIO);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
    ::close(in);
    if (temporary.isEmpty()) {
        // Linking fails when the name has been taken meanwhile: nothing is replaced.
        const QByteArray descriptor = "/proc/self/fd/" + QByteArray::number(out);
        if (::linkat(AT_FDCWD, descriptor.constData(), AT_FDCWD, native(destination).constData(),
                     AT_SYMLINK_FOLLOW) != 0) {
            const int error = errno;
            ::close(out);
            fail(destination, error);
        }
        if (::close(out) != 0) {
            const int error = errno;
            ::unlink(native(destination).constData());
            fail(destination, error);
        }
    } else {
        const int closeError = ::close(out) != 0 ? errno : lexists(destination) ? EEXIST : 0;
        if (closeError != 0 ||
            ::rename(native(temporary).constData(), native(destination).constData()) != 0) {
            const int error = closeError != 0 ? closeError : errno;
            ::unlink(native(temporary).constData());
            fail(destination, error);
        }
    }
    m_journal.append({Step::CreatedFile, destination, QString()});
    ++m_filesDone;
}

void KvFileManipulatorWorker::reportItem(const Item& item, const QString& destination,
                                         QList<PathPair>* list) const
{
    list->append(PathPair(item.source, destination));
    for (const Entry& entry : item.entries) {
        list->append(PathPair(item.source + QLatin1Char('/') + entry.relativePath,
                              destination.isEmpty()
                                  ? QString()
                                  : destination + QLatin1Char('/') + entry.relativePath));
    }
}

void KvFileManipulatorWorker::countItemDone(const Item& item)
{
    m_filesDone += item.isDir ? 0 : 1;
    m_bytesDone += item.size;
    for (const Entry& entry : item.entries) {
        m_filesDone += entry.isDir ? 0 : 1;
        m_bytesDone += entry.size;
    }
    reportProgress(item.source, false);
}

void KvFileManipulatorWorker::finishWork()
{
    auto note = [this](const QString& path, int errorNumber) {
        if (!m_hasError) {
            m_hasError = true;
            m_error = KvFileErrorException(m_operation, path, reasonFor(errorNumber), errorNumber);
        }
    };

    // Thumbnails follow their files; those of replaced or removed files go into the trash.
    for (const PathPair& pair : qAsConst(m_trashPairs))
        KvSingleFile::syncThumbnail(QFileInfo(pair.first), QFileInfo(pair.second),
                                    KvSingleFile::Move, true);
    if (m_operation == 0 || m_operation == 1) {
        const int how = m_operation == 0 ? KvSingleFile::Copy : KvSingleFile::Move;
        for (const PathPair& pair : qAsConst(m_pairs))
            KvSingleFile::syncThumbnail(QFileInfo(pair.first), QFileInfo(pair.second), how, true);
    } else {
        for (const PathPair& pair : qAsConst(m_pairs)) {
            if (pair.second.isEmpty())
                KvSingleFile::syncThumbnail(QFileInfo(pair.first), QFileInfo(),
                                            KvSingleFile::Remove, true);
        }
    }

    for (const QString& path : qAsConst(m_deleteAtEnd)) {
        if (!removePath(path))
            note(path, errno ? errno : EIO);
    }
    for (const QString& folder : qAsConst(m_emptiedFolders)) {
        if (onlyHiddenLeft(folder))
            QDir(folder).removeRecursively();
    }
    // Folders of the trash that a restore emptied go away.
    if (!m_trashPath.isEmpty() || m_operation == 1) {
        for (const Item& item : qAsConst(m_items)) {
            QString trashRoot = m_trashPath;
            if (trashRoot.isEmpty()) {
                const int at = item.source.indexOf(QLatin1String("/._kvtrash/"));
                if (at < 0)
                    continue;
                trashRoot = item.source.left(at + 10);
            }
            if (!isInside(item.source, trashRoot) || item.source == trashRoot)
                continue;
            for (QString folder = parentOf(item.source);
                 folder != trashRoot && isInside(folder, trashRoot) && onlyHiddenLeft(folder);
                 folder = parentOf(folder))
                QDir(folder).removeRecursively();
        }
    }
}

void KvFileManipulatorWorker::rollback()
{
    for (int i = m_journal.count() - 1; i >= 0; --i) {
        const Done& done = m_journal.at(i);
        switch (done.step) {
        case Step::Renamed:
            ::rename(native(done.to).constData(), native(done.from).constData());
            break;
        case Step::CreatedFile:
            ::unlink(native(done.from).constData());
            break;
        case Step::CreatedDir:
            if (::rmdir(native(done.from).constData()) != 0)
                QDir(done.from).removeRecursively();
            break;
        }
    }
    m_journal.clear();
    m_pairs.clear();
    m_trashPairs.clear();
    m_renamed.clear();
    m_deleteAtEnd.clear();
    m_emptiedFolders.clear();
}

QString KvFileManipulatorWorker::freeName(const QString& path, bool isDir)
{
    if (!lexists(path) && !m_reserved.contains(path)) {
        m_reserved.append(path);
        return path;
    }
    const QFileInfo info(path);
    const QString name = info.fileName();
    QString base = name;
    QString suffix;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (!isDir && dot > 0) {
        base = name.left(dot);
        suffix = name.mid(dot);
    }
    // "name (2).ext" becomes "name (3).ext", not "name (2) (2).ext".
    static const QRegularExpression numbered(QStringLiteral("^(.*) \\((\\d+)\\)$"));
    int number = 2;
    const QRegularExpressionMatch match = numbered.match(base);
    if (match.hasMatch()) {
        base = match.captured(1);
        number = match.captured(2).toInt() + 1;
    }
    for (;; ++number) {
        const QString candidate =
            info.path() + QLatin1Char('/') + base + QStringLiteral(" (%1)").arg(number) + suffix;
        if (!lexists(candidate) && !m_reserved.contains(candidate)) {
            m_reserved.append(candidate);
            return candidate;
        }
    }
}

QString KvFileManipulatorWorker::trashPlace(const QString& path) const
{
    QString relative = QDir(m_dataDir).relativeFilePath(path);
    // Files from outside the data folder are kept in one folder of the trash by their name.
    if (relative.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(relative))
        relative = QStringLiteral("._outside/") + QFileInfo(path).fileName();
    return m_trashPath + QLatin1Char('/') + relative;
}

void KvFileManipulatorWorker::makeDir(const QString& path)
{
    if (::mkdir(native(path).constData(), 0777) == 0) {
        m_journal.append({Step::CreatedDir, path, QString()});
        return;
    }
    const int error = errno;
    if (error == EEXIST && QFileInfo(path).isDir())
        return;
    fail(path, error);
}

void KvFileManipulatorWorker::makeParents(const QString& path)
{
    QStringList missing;
    QString folder = parentOf(path);
    struct stat st;
    while (!lexists(folder, &st)) {
        missing.prepend(folder);
        const QString up = parentOf(folder);
        if (up == folder)
            break;
        folder = up;
    }
    // The nearest existing folder must be a folder: a file standing there stops the work.
    if (!S_ISDIR(st.st_mode))
        fail(missing.isEmpty() ? folder : missing.constFirst(), ENOTDIR);
    for (const QString& dir : qAsConst(missing))
        makeDir(dir);
}

void KvFileManipulatorWorker::checkCancel()
{
    if (m_cancelRequested.loadAcquire() && !m_finishing.loadAcquire())
        throw Canceled();
}

void KvFileManipulatorWorker::reportProgress(const QString& current, bool force)
{
    if (!force && m_sinceReport.isValid() && m_sinceReport.elapsed() < reportInterval)
        return;
    m_sinceReport.start();
    emit progress(m_filesDone, m_bytesDone, current);
}

void KvFileManipulatorWorker::fail(const QString& path, int errorNumber) const
{
    throw KvFileErrorException(m_operation, path, reasonFor(errorNumber), errorNumber);
}

void KvFileManipulatorWorker::fail(const QString& path, const QString& reason) const
{
    throw KvFileErrorException(m_operation, path, reason);
}

} // namespace Kova
