#include "kveditorconfig.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Kova {

namespace {

QString& explicitDataDir()
{
    static QString dir;
    return dir;
}

// Absolute, cleaned, without trailing separator (except for a root such as "/").
QString normalized(const QString& path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

Qt::CaseSensitivity fileNameCase()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

} // namespace

QString KvEditorConfig::dataDir()
{
    if (!explicitDataDir().isEmpty())
        return explicitDataDir();
    const QString fromEnv = qEnvironmentVariable("KOVA_DATA_DIR");
    if (!fromEnv.isEmpty())
        return normalized(fromEnv);
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return normalized(QDir(base).filePath(QStringLiteral("kova")));
}

void KvEditorConfig::setDataDir(const QString& path)
{
    explicitDataDir() = path.isEmpty() ? QString() : normalized(path);
}

QString KvEditorConfig::getAbsolutePath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const QString fromSlashes = QDir::fromNativeSeparators(path);
    if (QDir::isAbsolutePath(fromSlashes))
        return QDir::cleanPath(fromSlashes);
    return QDir::cleanPath(dataDir() + QLatin1Char('/') + fromSlashes);
}

QString KvEditorConfig::getRelativePath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const QString absolute = getAbsolutePath(path);
    const QString root = dataDir();
    if (absolute.compare(root, fileNameCase()) == 0)
        return QStringLiteral(".");
    QString prefix = root;
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    if (absolute.startsWith(prefix, fileNameCase()))
        return absolute.mid(prefix.size());
    return absolute;
}

QVariantMap KvEditorConfig::getConfig()
{
    QVariantMap config;
    const QString file = QDir(dataDir()).filePath(QStringLiteral("config.ini"));
    if (!QFileInfo(file).isFile())
        return config;
    QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return config;
    const QStringList keys = settings.allKeys();
    for (const QString& key : keys) {
        if (key.trimmed().isEmpty())
            continue;
        const QVariant value = settings.value(key);
        if (value.isValid())
            config.insert(key, value);
    }
    return config;
}

} // namespace Kova
