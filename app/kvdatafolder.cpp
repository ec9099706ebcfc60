#include "kvdatafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace Kova {

namespace {

QString resolved(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool copyFolder(const QString& source, const QString& destination, QString* error)
{
    QDir sourceDir(source);
    if (!QDir().mkpath(destination)) {
        *error = QCoreApplication::translate("KvDataFolder", "Cannot create the folder \"%1\".")
                     .arg(QDir::toNativeSeparators(destination));
        return false;
    }
    const QFileInfoList entries =
        sourceDir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QString target = QDir(destination).filePath(entry.fileName());
        if (entry.isDir()) {
            if (!copyFolder(entry.absoluteFilePath(), target, error))
                return false;
        } else if (!QFile::exists(target) && !QFile::copy(entry.absoluteFilePath(), target)) {
            *error = QCoreApplication::translate("KvDataFolder", "Cannot copy \"%1\" to \"%2\".")
                         .arg(QDir::toNativeSeparators(entry.absoluteFilePath()),
                              QDir::toNativeSeparators(target));
            return false;
        } else {
            // Sample files may be read-only in an installed tree; the copy is the user's.
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        }
    }
    return true;
}

} // namespace

bool KvDataFolder::isInside(const QString& path, const QString& dataDir)
{
    if (path.isEmpty() || dataDir.isEmpty())
        return false;
    const QString root = resolved(dataDir);
    const QString target = resolved(path);
    return target.startsWith(root + QLatin1Char('/')) && target.length() > root.length() + 1;
}

bool KvDataFolder::emptyFolder(const QString& folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return true;
    bool ok = true;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            ok = QDir(entry.absoluteFilePath()).removeRecursively() && ok;
        else
            ok = QFile::remove(entry.absoluteFilePath()) && ok;
    }
    return ok;
}

bool KvDataFolder::seed(const QString& dataDir, const QString& sampleDir, QString* error)
{
    QString message;
    QString* out = error ? error : &message;
    const QDir target(dataDir);
    if (target.exists() &&
        !target.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
        return true;
    if (sampleDir.isEmpty() || !QFileInfo(sampleDir).isDir()) {
        // Nothing to copy: an empty data folder is still usable.
        if (!QDir().mkpath(dataDir)) {
            *out = QCoreApplication::translate("KvDataFolder", "Cannot create the folder \"%1\".")
                       .arg(QDir::toNativeSeparators(dataDir));
            return false;
        }
        return true;
    }
    return copyFolder(sampleDir, dataDir, out);
}

QString KvDataFolder::sampleFolder()
{
    const QStringList candidates = {
        QDir(QCoreApplication::applicationDirPath())
            .absoluteFilePath(QStringLiteral("../share/kova/sample")),
#ifdef KOVA_INSTALLED_SAMPLE_DIR
        QStringLiteral(KOVA_INSTALLED_SAMPLE_DIR),
#endif
#ifdef KOVA_SOURCE_SAMPLE_DIR
        QStringLiteral(KOVA_SOURCE_SAMPLE_DIR),
#endif
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return QString();
}

} // namespace Kova
