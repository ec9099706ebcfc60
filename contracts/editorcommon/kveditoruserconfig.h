#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

namespace Kova {

// The user's own settings: an INI file "kova/stageeditor.conf" under the user's
// configuration folder ($XDG_CONFIG_HOME when set).
class KvEditorUserConfig
{
public:
    // Shared settings object; may be null when no settings location can be found.
    static QSettings* settings();
    static QVariant value(const QString& key, const QVariant& defaultValue = QVariant());
    static void setValue(const QString& key, const QVariant& value);
    // Drops the shared object so the next settings() call reopens (tests change
    // XDG_CONFIG_HOME between cases).
    static void reset();
};

} // namespace Kova
