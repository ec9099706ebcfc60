#include "path.h"

namespace Kova {

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// Index of the last separator, -1 when none.
int lastSeparator(const QString& path)
{
    for (int i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path.at(i)))
            return i;
    }
    return -1;
}

} // namespace

QString Path::combine(const QString& first, const QString& second)
{
    if (first.isEmpty())
        return second;
    if (second.isEmpty())
        return first;
    int end = first.size();
    while (end > 0 && isSeparator(first.at(end - 1)))
        --end;
    int begin = 0;
    while (begin < second.size() && isSeparator(second.at(begin)))
        ++begin;
    // A first part made of separators only is the root: keep one.
    return first.left(end) + QLatin1Char('/') + second.mid(begin);
}

QString Path::getExtension(const QString& path)
{
    const QString name = getName(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    return name.mid(dot + 1);
}

QString Path::getName(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString Path::getName(const QString& path, bool withExtension)
{
    const QString name = getName(path);
    if (withExtension)
        return name;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString Path::getParentDirectory(const QString& path)
{
    const int separator = lastSeparator(path);
    if (separator < 0)
        return QString();
    if (separator == 0)
        return path.left(1);
    return path.left(separator);
}

} // namespace Kova
