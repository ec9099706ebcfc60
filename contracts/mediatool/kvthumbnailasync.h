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

public slots:
    void start();

signals:
    void finished(Kova::KvThumbnail::FileProperty property);

private:
    QString m_filePath;
    bool m_autoDelete = true;
    bool m_started = false;
};

} // namespace Kova
