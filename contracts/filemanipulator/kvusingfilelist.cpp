#include "kvusingfilelist.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <utility>

namespace Kova {

KvUsingFileList::KvUsingFileList(int type, QObject* parent)
    : QObject(parent)
    , m_type(type)
{
}

KvUsingFileList::~KvUsingFileList() = default;

void KvUsingFileList::setState(int state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void KvUsingFileList::setDataDir(const QString& path)
{
    m_dataDir = path.isEmpty() ? QString() : QDir::cleanPath(QDir::fromNativeSeparators(path));
}

void KvUsingFileList::setCaseSensitivity(Qt::CaseSensitivity sensitivity)
{
    m_caseSensitivity = sensitivity;
}

void KvUsingFileList::setEntries(const Entries& entries)
{
    m_entries = entries;
    m_index.clear();
    m_indexValid = false;
    emit entriesChanged();
}

void KvUsingFileList::setEntries(Entries&& entries)
{
    // Swap so the old content is released here and the new one is not copied.
    Entries old;
    std::swap(old, m_entries);
    m_entries = std::move(entries);
    m_index.clear();
    m_indexValid = false;
    emit entriesChanged();
}

void KvUsingFileList::clear()
{
    setEntries(Entries());
}

QString KvUsingFileList::normalizedPath(const QString& path) const
{
    if (path.isEmpty())
        return QString();
    QString p = QDir::fromNativeSeparators(path);
    if (QDir::isRelativePath(p) && !m_dataDir.isEmpty())
        p = m_dataDir + QLatin1Char('/') + p;
    return QDir::cleanPath(p);
}

QString KvUsingFileList::key(const QString& absolutePath) const
{
    return m_caseSensitivity == Qt::CaseSensitive ? absolutePath : absolutePath.toCaseFolded();
}

const QMap<QString, QStringList>& KvUsingFileList::index() const
{
    if (!m_indexValid) {
        m_index.clear();
        for (auto it = m_entries.constBegin(); it != m_entries.constEnd(); ++it)
            m_index[it.key().toCaseFolded()].append(it.key());
        m_indexValid = true;
    }
    return m_index;
}

QStringList KvUsingFileList::users(const QString& path) const
{
    const QString p = normalizedPath(path);
    if (p.isEmpty())
        return QStringList();
    if (m_caseSensitivity == Qt::CaseSensitive)
        return m_entries.value(p);
    QStringList result;
    const QStringList originals = index().value(p.toCaseFolded());
    for (const QString& original : originals)
        result += m_entries.value(original);
    result.removeDuplicates();
    result.sort();
    return result;
}

bool KvUsingFileList::hasChild(const QString& path, QList<User>* users) const
{
    const QString p = normalizedPath(path);
    if (p.isEmpty())
        return false;

    // The used entries that match, by their original form.
    QStringList matched;
    auto collect = [&](const QString& k) {
        if (m_caseSensitivity == Qt::CaseSensitive) {
            if (m_entries.contains(k))
                matched.append(k);
        } else {
            matched += index().value(k);
        }
    };

    const QString k = key(p);
    collect(k);

    // Entries below `path` when it is a folder.
    const QString prefix = k.endsWith(QLatin1Char('/')) ? k : k + QLatin1Char('/');
    if (m_caseSensitivity == Qt::CaseSensitive) {
        for (auto it = m_entries.lowerBound(prefix);
             it != m_entries.constEnd() && it.key().startsWith(prefix); ++it)
            matched.append(it.key());
    } else {
        const auto& idx = index();
        for (auto it = idx.lowerBound(prefix); it != idx.constEnd() && it.key().startsWith(prefix);
             ++it)
            matched += it.value();
    }

    // Used folders that hold `path`.
    if (m_forwardMatchChildIsDir) {
        QString parent = k;
        while (true) {
            const int slash = parent.lastIndexOf(QLatin1Char('/'));
            if (slash < 0)
                break;
            parent = slash == 0 ? QStringLiteral("/") : parent.left(slash);
            collect(parent);
            if (slash == 0)
                break;
        }
    }

    if (matched.isEmpty())
        return false;
    if (users) {
        QList<User> found;
        QSet<QString> seen;
        for (const QString& used : qAsConst(matched)) {
            const QStringList fileUsers = m_entries.value(used);
            for (const QString& user : fileUsers) {
                const QString id = user + QChar(0) + used;
                if (seen.contains(id))
                    continue;
                seen.insert(id);
                found.append(User(user, used));
            }
        }
        std::stable_sort(found.begin(), found.end(), [](const User& a, const User& b) {
            return a.first < b.first || (a.first == b.first && a.second < b.second);
        });
        users->append(found);
    }
    return true;
}

} // namespace Kova
