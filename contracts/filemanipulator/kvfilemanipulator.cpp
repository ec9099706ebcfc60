#include "kvfilemanipulator.h"

#include "kvfilemanipulatorworker.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

namespace Kova {

namespace {

QList<KvFileListCreator::PathPair> pairsFor(const QStringList& files, const QString& destination,
                                            int operation)
{
    QList<KvFileListCreator::PathPair> pairs;
    for (const QString& file : files) {
        const QString target = operation == KvFileManipulator::Remove
                                   ? QString()
                                   : destination + QLatin1Char('/') + QFileInfo(file).fileName();
        pairs.append(KvFileListCreator::PathPair(file, target));
    }
    return pairs;
}

// The signals name the types as written inside the namespace; queued connections and
// signal spies look them up by those names.
void registerTypes()
{
    qRegisterMetaType<KvFileErrorException>();
    qRegisterMetaType<KvFileErrorException>("KvFileErrorException");
    qRegisterMetaType<QList<KvFileListCreator::PathPair>*>();
    qRegisterMetaType<QList<KvFileListCreator::PathPair>*>("QList<KvFileListCreator::PathPair>*");
    qRegisterMetaType<QList<KvFileListCreator::PathPair>>();
    qRegisterMetaType<QList<KvFileListCreator::PathPair>>("QList<KvFileListCreator::PathPair>");
}

} // namespace

KvFileManipulator::KvFileManipulator(const QStringList& files, const QString& destination,
                                     int operation, int dialogDelay, QWidget* parent)
    : KvFileManipulator(pairsFor(files, destination, operation), operation, dialogDelay, parent)
{
}

KvFileManipulator::KvFileManipulator(const QList<PathPair>& pairs, int operation, int dialogDelay,
                                     QWidget* parent)
    : QObject(parent)
    , m_input(pairs)
    , m_operation(operation)
    , m_dialogDelay(dialogDelay)
    , m_dialogParent(parent)
{
    registerTypes();
}

KvFileManipulator::~KvFileManipulator()
{
    if (m_worker) {
        m_worker->disconnect(this);
        delete m_worker; // cancels and waits
    }
    delete m_dialog.data();
}

QProgressDialog* KvFileManipulator::progressDialog() const
{
    return m_dialog;
}

bool KvFileManipulator::exec()
{
    if (m_started)
        return false;
    m_started = true;
    m_running = true;

    m_worker = new KvFileManipulatorWorker(m_input, m_operation, m_trashPath);
    connect(m_worker, &KvFileManipulatorWorker::listed, this, &KvFileManipulator::onListed,
            Qt::QueuedConnection);
    connect(m_worker, &KvFileManipulatorWorker::progress, this, &KvFileManipulator::onProgress,
            Qt::QueuedConnection);
    connect(m_worker, &QThread::finished, this, &KvFileManipulator::onWorkerFinished,
            Qt::QueuedConnection);
    QTimer::singleShot(qMax(0, m_dialogDelay), this, &KvFileManipulator::showDialog);
    m_worker->start();

    // Until the dialog shows, user input waits, so the operation is modal from the start.
    while (!m_workerDone) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec(m_dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        m_loop = nullptr;
    }

    KvFileManipulatorWorker* worker = m_worker;
    m_worker = nullptr;
    worker->wait();
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->deleteLater();
    }

    const bool done = worker->succeeded();
    const bool failed = worker->hasError();
    const KvFileErrorException error = worker->error();
    const QList<PathPair> renamed = worker->renamedDestinations();
    m_canceled = worker->isCanceled();
    m_pairs = worker->pairs();
    m_trashPairs = worker->trashPairs();
    delete worker;
    m_running = false;

    if (done) {
        for (const PathPair& pair : renamed)
            emit destinationFileNameChanged(pair.first, pair.second);
        emit fileListCreationCompleted(&m_pairs);
        if (!m_trashPath.isEmpty())
            emit trashFileListCreated(&m_trashPairs);
        // A file that could not be deleted at the very end (the work itself is done).
        if (failed)
            emit errorOccured(error);
        emit operationFinished(m_pairs);
    } else if (m_canceled) {
        emit aborted();
    } else {
        emit errorOccured(error);
    }
    emit closed();
    return done && !failed;
}

void KvFileManipulator::cancel()
{
    if (!m_running || m_canceled || !m_worker)
        return;
    m_canceled = true;
    m_worker->requestCancel();
    if (m_dialog) {
        m_dialog->setLabelText(tr("Cancelling..."));
        m_dialog->setCancelButton(nullptr);
    }
}

void KvFileManipulator::onListed(int fileCount, qint64 byteCount)
{
    m_fileCount = fileCount;
    m_byteCount = byteCount;
    emit listingFinished(fileCount, byteCount);
    if (m_worker)
        m_worker->proceed();
    updateDialog();
}

void KvFileManipulator::onProgress(int filesDone, qint64 bytesDone, const QString& currentFile)
{
    m_filesDone = qMin(filesDone, m_fileCount);
    m_bytesDone = qMin(bytesDone, m_byteCount);
    m_currentFile = currentFile;
    emit progressChanged(m_filesDone, m_fileCount, m_bytesDone, m_byteCount);
    updateDialog();
}

void KvFileManipulator::onWorkerFinished()
{
    m_workerDone = true;
    if (m_loop)
        m_loop->quit();
}

void KvFileManipulator::showDialog()
{
    if (!m_running || m_workerDone || m_dialog)
        return;
    auto* dialog = new QProgressDialog(m_dialogParent);
    dialog->setWindowTitle(tr("Please Wait"));
    dialog->setCancelButtonText(tr("Cancel"));
    dialog->setRange(0, 1000);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    dialog->setMinimumWidth(420);
    dialog->setWindowModality(m_dialogParent ? Qt::WindowModal : Qt::ApplicationModal);
    connect(dialog, &QProgressDialog::canceled, this, &KvFileManipulator::cancel);
    m_dialog = dialog;
    updateDialog();
    dialog->show();
    // Leave the loop that holds user input back; the next one lets it through.
    if (m_loop)
        m_loop->quit();
}

void KvFileManipulator::updateDialog()
{
    if (!m_dialog || m_canceled)
        return;
    QString verb;
    switch (m_operation) {
    case Copy:
        verb = tr("Copying");
        break;
    case Move:
        verb = tr("Moving");
        break;
    default:
        verb = tr("Deleting");
        break;
    }
    const QLocale locale;
    m_dialog->setLabelText(
        tr("%1 %2\n%3 of %4 files, %5 of %6")
            .arg(verb, QFileInfo(m_currentFile).fileName())
            .arg(m_filesDone)
            .arg(m_fileCount)
            .arg(locale.formattedDataSize(m_bytesDone), locale.formattedDataSize(m_byteCount)));
    // Bytes measure the work; a list of empty files goes by files.
    const int value = m_byteCount > 0   ? int(m_bytesDone * 1000 / m_byteCount)
                      : m_fileCount > 0 ? m_filesDone * 1000 / m_fileCount
                                        : 0;
    m_dialog->setValue(value);
}

} // namespace Kova
