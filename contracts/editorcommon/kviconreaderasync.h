#pragma once

#include <QAtomicInt>
#include <QIcon>
#include <QObject>
#include <QSize>
#include <QStringList>

class QThread;

namespace Kova {

// Reads preview icons of files in a background thread: pictures become icons of their
// own content, scaled into a square of iconSize(). Each result is reported on the thread
// the reader lives on (the GUI thread): iconReadCompleted hands over a new QIcon that the
// receiver owns (deleted here when nobody listens), iconReadFailed names a file without a
// preview (not a picture, unreadable, gone). After the last path `finished()` is emitted
// and the reader deletes itself.
class KvIconReaderAsync : public QObject
{
    Q_OBJECT
public:
    explicit KvIconReaderAsync(const QStringList& paths, QObject* parent = nullptr);
    ~KvIconReaderAsync() override;

    QStringList paths() const { return m_paths; }
    QSize iconSize() const { return m_iconSize; }
    // Before start() only.
    void setIconSize(const QSize& size);
    bool isRunning() const;

public slots:
    void start();
    // Stops after the file being read; no further results are reported.
    void cancel();

signals:
    void iconReadCompleted(QString filePath, QIcon* icon);
    void iconReadFailed(QString filePath);
    void finished();

private slots:
    void onThreadFinished();

private:
    void run();
    void deliver(const QString& path, const QImage& image);

    QStringList m_paths;
    QSize m_iconSize{64, 64};
    QThread* m_thread = nullptr;
    QAtomicInt m_cancelled{0};
};

} // namespace Kova
