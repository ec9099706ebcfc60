#pragma once

#include "kvthumbnail.h"

#include <QObject>
#include <QString>

namespace Kova {

// Makes the thumbnail and the property record of one file on a worker thread. finished()
// is emitted once, on the thread that owns this object; with autoDelete the object then
// deletes itself. Requests for a file already being worked on join that work.
class KvThumbnailAsync : public QObject
{
    Q_OBJECT
public:
    KvThumbnailAsync(const QString& filePath, bool autoDelete, QObject* parent = nullptr);
    ~KvThumbnailAsync() override;

    QString filePath() const { return m_filePath; }

    // How many pieces of work this process started so far; requests that joined running
    // work do not count.
    static int startedWorkCount();

public slots:
    void start();

signals:
    void finished(Kova::KvThumbnail::FileProperty property);

private:
    friend class KvThumbnailWork;
    void deliver(const KvThumbnail::FileProperty& property);

    QString m_filePath;
    bool m_autoDelete = true;
    bool m_started = false;
    bool m_delivered = false;
};

} // namespace Kova
