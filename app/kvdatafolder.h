#pragma once

#include <QString>

namespace Kova {

// The host's care of the suite's data folder: seeding a new one from the bundled sample
// and emptying the library trash inside it.
class KvDataFolder
{
public:
    // True when `path` lies strictly below `dataDir` (after resolving links and "..").
    static bool isInside(const QString& path, const QString& dataDir);
    // Removes everything inside `folder`, keeping the folder itself. False when some entry
    // could not be removed.
    static bool emptyFolder(const QString& folder);
    // Copies the sample into `dataDir` when the folder is missing or empty; an existing
    // folder with content is left alone. False with a message in `error` when the copy
    // fails.
    static bool seed(const QString& dataDir, const QString& sampleDir, QString* error);
    // The bundled sample: next to an installed program, else the configured install
    // location, else the source tree. Empty when none exists.
    static QString sampleFolder();
};

} // namespace Kova
