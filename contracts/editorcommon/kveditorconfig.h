#pragma once

#include <QSettings>
#include <QString>
#include <QVariantMap>

namespace Kova {

// Where the suite's data lives and how it is configured.
class KvEditorConfig
{
public:
    // The data folder: the one set with setDataDir, else $KOVA_DATA_DIR, else the
    // user's data location ("…/kova"). Always absolute, without trailing separator.
    static QString dataDir();
    static void setDataDir(const QString& path);
    // Data-folder-relative or absolute path to absolute path (relative paths are taken
    // from the data folder).
    static QString getAbsolutePath(const QString& path);
    // Absolute path inside the data folder to the relative form; anything outside stays
    // absolute.
    static QString getRelativePath(const QString& path);
    // The suite's configuration values (read from "config.ini" in the data folder when
    // present).
    static QVariantMap getConfig();
};

} // namespace Kova
