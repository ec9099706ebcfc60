#include "kvstagetemplateworker.h"

#include "kvstage.h"

#include <QMutexLocker>

#include <memory>

namespace Kova {

KvStageTemplateWorker::KvStageTemplateWorker(const QStringList& files, QThread* targetThread,
                                             QObject* parent)
    : QThread(parent)
    , m_files(files)
    , m_targetThread(targetThread)
{
}

KvStageTemplateWorker::~KvStageTemplateWorker()
{
    requestStop();
    wait();
    qDeleteAll(m_stages);
}

QList<KvStage*> KvStageTemplateWorker::takeStages()
{
    QMutexLocker locker(&m_mutex);
    QList<KvStage*> stages;
    stages.swap(m_stages);
    return stages;
}

void KvStageTemplateWorker::run()
{
    for (const QString& file : qAsConst(m_files)) {
        if (m_stop.load())
            return;
        std::unique_ptr<KvStage> stage(new KvStage(file));
        if (!stage->readFile())
            continue;
        stage->moveToThread(m_targetThread);
        {
            QMutexLocker locker(&m_mutex);
            m_stages.append(stage.release());
        }
        emit stagesAvailable();
    }
}

} // namespace Kova
