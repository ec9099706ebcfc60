#pragma once

#include <QList>
#include <QMutex>
#include <QStringList>
#include <QThread>

#include <atomic>

namespace Kova {

class KvStage;

// Reads template stage files for KvStageTemplate. Stages read are moved to the thread
// given and queued; stagesAvailable() tells that takeStages() has something.
class KvStageTemplateWorker : public QThread
{
    Q_OBJECT
public:
    KvStageTemplateWorker(const QStringList& files, QThread* targetThread,
                          QObject* parent = nullptr);
    ~KvStageTemplateWorker() override;

    void requestStop() { m_stop.store(true); }
    // The stages read since the last call; the caller owns them.
    QList<KvStage*> takeStages();

signals:
    void stagesAvailable();

protected:
    void run() override;

private:
    QStringList m_files;
    QThread* m_targetThread;
    std::atomic<bool> m_stop{false};
    QMutex m_mutex;
    QList<KvStage*> m_stages;
};

} // namespace Kova
