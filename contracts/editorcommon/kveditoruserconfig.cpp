#include "kveditoruserconfig.h"

#include <QDir>
#include <QStandardPaths>

#include <memory>

namespace Kova {

namespace {

std::unique_ptr<QSettings>& sharedSettings()
{
    static std::unique_ptr<QSettings> settings;
    return settings;
}

bool& triedToOpen()
{
    static bool tried = false;
    return tried;
}

// The user's configuration folder: $XDG_CONFIG_HOME when set, else the platform's own.
QString configFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

} // namespace

QSettings* KvEditorUserConfig::settings()
{
    std::unique_ptr<QSettings>& settings = sharedSettings();
    if (settings || triedToOpen())
        return settings.get();
    triedToOpen() = true;

    const QString folder = configFolder();
    if (folder.isEmpty())
        return nullptr;
    const QString path = QDir(folder).filePath(QStringLiteral("kova/stageeditor.conf"));
    settings.reset(new QSettings(path, QSettings::IniFormat));
    return settings.get();
}

QVariant KvEditorUserConfig::value(const QString& key, const QVariant& defaultValue)
{
    QSettings* s = settings();
    return s ? s->value(key, defaultValue) : defaultValue;
}

void KvEditorUserConfig::setValue(const QString& key, const QVariant& value)
{
    if (QSettings* s = settings())
        s->setValue(key, value);
}

void KvEditorUserConfig::reset()
{
    std::unique_ptr<QSettings>& settings = sharedSettings();
    if (settings)
        settings->sync();
    settings.reset();
    triedToOpen() = false;
}

} // namespace Kova
