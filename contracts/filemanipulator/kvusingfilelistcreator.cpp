#include "kvusingfilelistcreator.h"

#include "kveditorconfig.h"
#include "kvusingfilelist.h"
#include "kvusingfilelistworker.h"

#include <QMetaObject>
#include <QProgressDialog>
#include <QWidget>

namespace Kova {

KvUsingFileListCreator::KvUsingFileListCreator(int type, QObject* parent)
    : QObject(parent)
    , m_type(type)
{
}

KvUsingFileListCreator::~KvUsingFileListCreator()
{
    if (m_worker) {
        m_worker->disconnect(this);
        m_worker->requestCancel();
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
    }
    if (m_progressDialog)
        delete m_progressDialog.data();
    if (m_running && m_list && m_list->state() == KvUsingFileList::Creating)
        m_list->setState(KvUsingFileList::NotCreated);
}

void KvUsingFileListCreator::startAsync()
{
    if (m_running)
        return;
    m_running = true;
    m_canceled = false;

    if (!m_list) {
        // Nothing to fill: still report the end, after the caller has returned.
        QMetaObject::invokeMethod(this, &KvUsingFileListCreator::finish, Qt::QueuedConnection);
        return;
    }

    QString dataDir = m_dataDir;
    if (dataDir.isEmpty())
        dataDir = m_list->dataDir();
    if (dataDir.isEmpty())
        dataDir = KvEditorConfig::dataDir();
    if (m_list->dataDir().isEmpty())
        m_list->setDataDir(dataDir);
    m_list->setState(KvUsingFileList::Creating);

    m_worker = new KvUsingFileListWorker(m_type, m_rootPath, dataDir, m_exceptFileName);
    connect(m_worker, &KvUsingFileListWorker::progress, this,
            &KvUsingFileListCreator::onWorkerProgress, Qt::QueuedConnection);
    connect(m_worker, &QThread::finished, this, &KvUsingFileListCreator::onWorkerFinished,
            Qt::QueuedConnection);

    if (m_usingDialog) {
        auto* dialog = new QProgressDialog(m_dialogParent);
        dialog->setWindowTitle(tr("Please Wait"));
        dialog->setLabelText(m_type == KvUsingFileList::UsingStage
                                 ? tr("Checking which stages the schedules use...")
                                 : tr("Checking which files the stages use..."));
        dialog->setCancelButtonText(tr("Cancel"));
        dialog->setRange(0, 0);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        dialog->setMinimumDuration(0);
        dialog->setWindowModality(m_dialogParent ? Qt::WindowModal : Qt::ApplicationModal);
        dialog->setAttribute(Qt::WA_DeleteOnClose, false);
        connect(dialog, &QProgressDialog::canceled, this, &KvUsingFileListCreator::cancel);
        connect(dialog, &QProgressDialog::rejected, this, &KvUsingFileListCreator::cancel);
        m_progressDialog = dialog;
        dialog->show();
    }

    m_worker->start(QThread::LowPriority);
}

void KvUsingFileListCreator::cancel()
{
    if (!m_running || m_canceled || !m_worker)
        return;
    m_canceled = true;
    m_worker->requestCancel();
    if (m_progressDialog) {
        m_progressDialog->disconnect(this);
        m_progressDialog->hide();
    }
    // finished() follows when the worker has stopped (onWorkerFinished).
}

void KvUsingFileListCreator::onWorkerProgress(int done, int total)
{
    if (m_progressDialog && !m_canceled) {
        if (m_progressDialog->maximum() != total)
            m_progressDialog->setRange(0, total);
        m_progressDialog->setValue(done);
    }
    emit progressChanged(done, total);
}

void KvUsingFileListCreator::onWorkerFinished()
{
    if (!m_worker)
        return;
    KvUsingFileListWorker* worker = m_worker;
    m_worker = nullptr;
    worker->wait();
    if (m_list) {
        if (m_canceled || worker->isCanceled()) {
            m_canceled = true;
            m_list->setState(KvUsingFileList::NotCreated);
        } else {
            m_list->setEntries(std::move(worker->result()));
            m_list->setState(KvUsingFileList::Created);
        }
    }
    // The worker's result may be large: free it after the event loop has had its turn.
    worker->deleteLater();
    finish();
}

void KvUsingFileListCreator::finish()
{
    if (m_progressDialog) {
        m_progressDialog->disconnect(this);
        m_progressDialog->hide();
        m_progressDialog->deleteLater();
        m_progressDialog = nullptr;
    }
    m_running = false;
    emit finished();
}

} // namespace Kova
