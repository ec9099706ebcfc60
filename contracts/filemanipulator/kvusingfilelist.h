#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

namespace Kova {

// An index of the files that other files use, built by KvUsingFileListCreator.
//
// Type 0 (UsingStage): the stage files that the schedules under the "channel" folder
// use; a user is a schedule file.
// Type 1 (UsingContent): the media files (and background pictures) that the stage files
// under the "stage" folder use; a user is a stage file.
//
// Paths are kept absolute and clean ('/' separators). Relative paths given to the
// queries are taken from dataDir().
class KvUsingFileList : public QObject
{
    Q_OBJECT
public:
    enum Type { UsingStage = 0, UsingContent = 1 };
    enum State { NotCreated = 0, Creating = 1, Created = 2 };
    // (user file, used file): absolute paths of the file that uses and of the used entry
    // that matched the query.
    using User = QPair<QString, QString>;
    // Used file (absolute path) -> the files that use it (absolute paths, sorted).
    using Entries = QMap<QString, QStringList>;

    explicit KvUsingFileList(int type = UsingContent, QObject* parent = nullptr);
    ~KvUsingFileList() override;

    int type() const { return m_type; }

    // 0 not built, 1 being built, 2 built. Queries answer from whatever the list holds in
    // any state; only state 2 means the answer is up to date.
    int state() const { return m_state; }
    void setState(int state);

    // Base of relative paths in queries.
    QString dataDir() const { return m_dataDir; }
    void setDataDir(const QString& path);

    // How paths are compared (case-insensitive unless told otherwise).
    Qt::CaseSensitivity caseSensitivity() const { return m_caseSensitivity; }
    void setCaseSensitivity(Qt::CaseSensitivity sensitivity);

    // When true, a query for a path inside a used folder counts as used as well (a folder
    // medium uses every file in it).
    bool forwardMatchChildIsDir() const { return m_forwardMatchChildIsDir; }
    void setForwardMatchChildIsDir(bool enable) { m_forwardMatchChildIsDir = enable; }

    // Replaces the whole content (the builder hands its result over here).
    void setEntries(const Entries& entries);
    void setEntries(Entries&& entries);
    void clear();
    const Entries& entries() const { return m_entries; }
    int count() const { return m_entries.count(); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    // The files that use exactly `path` (no folder matching); empty when unused.
    QStringList users(const QString& path) const;

    // True when `path` is used, or, when `path` is a folder, a file below it is used; with
    // forwardMatchChildIsDir also when `path` lies inside a used folder. Every (user, used
    // entry) pair that matched is appended to `users` (each pair once, sorted by user).
    bool hasChild(const QString& path, QList<User>* users = nullptr) const;

    // The absolute clean form of `path` as the list keeps it.
    QString normalizedPath(const QString& path) const;

signals:
    void stateChanged(int state);
    void entriesChanged();

private:
    QString key(const QString& absolutePath) const;
    const QMap<QString, QStringList>& index() const;

    int m_type;
    int m_state = NotCreated;
    QString m_dataDir;
    Qt::CaseSensitivity m_caseSensitivity = Qt::CaseInsensitive;
    bool m_forwardMatchChildIsDir = false;
    Entries m_entries;
    // Comparison key (case-folded) -> entries of m_entries with that key; made on the first
    // case-insensitive query after a change.
    mutable QMap<QString, QStringList> m_index;
    mutable bool m_indexValid = false;
};

} // namespace Kova
