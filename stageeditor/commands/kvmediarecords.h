#pragma once

#include <QList>

namespace Kova {
class KvPreservedMedia;

namespace Commands {

// The records a media command keeps. A record owns its medium exactly while the medium is
// in no screen's media list: after every redo and undo the ownership is settled again, so
// that a medium leaves the world once, whether it ends in a screen (the screen deletes it)
// or in the records (the records delete it when the command goes).
class KvMediaRecords
{
public:
    explicit KvMediaRecords(const QList<KvPreservedMedia*>& records);
    ~KvMediaRecords();
    KvMediaRecords(const KvMediaRecords&) = delete;
    KvMediaRecords& operator=(const KvMediaRecords&) = delete;

    QList<KvPreservedMedia*>& list() { return m_records; }
    void settleOwnership();

private:
    QList<KvPreservedMedia*> m_records;
};

} // namespace Commands
} // namespace Kova
