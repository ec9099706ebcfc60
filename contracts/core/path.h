#pragma once

#include <QString>

namespace Kova {

// Path string helpers working on '/'-separated paths.
class Path
{
public:
    // Joins two parts with exactly one separator; an empty part gives the other.
    static QString combine(const QString& first, const QString& second);
    // The suffix after the last dot of the file name, without the dot ("" when none).
    static QString getExtension(const QString& path);
    // The file name (last component).
    static QString getName(const QString& path);
    // The file name, with its extension or without it (everything from the last dot off).
    static QString getName(const QString& path, bool withExtension);
    // Everything before the last component, without a trailing separator.
    static QString getParentDirectory(const QString& path);
};

} // namespace Kova
