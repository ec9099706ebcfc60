#include "kvstagetemplate.h"

#include "kveditorconfig.h"
#include "kvstage.h"
#include "kvstagelistwidgetitem.h"
#include "kvstagetemplateworker.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaType>

namespace Kova {

namespace {
const char* const BuiltInFolder = ":/templates";
}

KvStageTemplate::KvStageTemplate(QObject* parent)
    : QObject(parent)
{
    // itemCreated() is usually connected queued: the pointer type must be known by both
    // spellings a connection may use.
    qRegisterMetaType<KvStageListWidgetItem*>("KvStageListWidgetItem*");
    qRegisterMetaType<KvStageListWidgetItem*>("Kova::KvStageListWidgetItem*");
}

KvStageTemplate::~KvStageTemplate()
{
    if (m_worker) {
        m_worker->disconnect(this);
        delete m_worker; // stops, waits and deletes what was not taken
        m_worker = nullptr;
    }
    qDeleteAll(m_items);
}

QStringList KvStageTemplate::builtInTemplateFiles()
{
    QStringList files;
    const QFileInfoList infos =
        QDir(QString::fromLatin1(BuiltInFolder))
            .entryInfoList({QStringLiteral("*.xml"), QStringLiteral("*.kstg")}, QDir::Files,
                           QDir::Name);
    for (const QFileInfo& info : infos)
        files.append(info.filePath());
    return files;
}

QStringList KvStageTemplate::templateFiles() const
{
    QStringList files;
    if (m_useBuiltIn)
        files = builtInTemplateFiles();
    const QString dir =
        m_templateDir.isEmpty()
            ? QDir(KvEditorConfig::dataDir()).absoluteFilePath(QStringLiteral("templates"))
            : m_templateDir;
    if (QFileInfo(dir).isDir()) {
        const QFileInfoList infos =
            QDir(dir).entryInfoList({QStringLiteral("*.xml"), QStringLiteral("*.kstg")},
                                    QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& info : infos)
            files.append(info.absoluteFilePath());
    }
    return files;
}

KvStageListWidgetItem* KvStageTemplate::takeItem(KvStageListWidgetItem* item)
{
    return item && m_items.removeOne(item) ? item : nullptr;
}

void KvStageTemplate::start()
{
    if (m_running)
        return;
    m_running = true;
    m_worker = new KvStageTemplateWorker(templateFiles(), thread());
    connect(m_worker, &KvStageTemplateWorker::stagesAvailable, this,
            &KvStageTemplate::onStagesAvailable, Qt::QueuedConnection);
    connect(m_worker, &QThread::finished, this, &KvStageTemplate::onWorkerFinished,
            Qt::QueuedConnection);
    m_worker->start(QThread::LowPriority);
}

void KvStageTemplate::onStagesAvailable()
{
    if (!m_worker)
        return;
    const QList<KvStage*> stages = m_worker->takeStages();
    for (KvStage* stage : stages) {
        auto* item = new KvStageListWidgetItem(stage);
        m_items.append(item);
        emit itemCreated(item);
    }
}

void KvStageTemplate::onWorkerFinished()
{
    if (!m_worker)
        return;
    m_worker->wait();
    onStagesAvailable();
    m_worker->deleteLater();
    m_worker = nullptr;
    m_running = false;
    emit creatingItemListFinished();
}

} // namespace Kova
