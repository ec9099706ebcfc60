#include "kvlibraryfileoperator.h"

#include "copylibraryfile.h"
#include "kvfilemanipulator.h"
#include "kvsinglefile.h"
#include "kvstagewidget.h"
#include "kvusingfilelist.h"
#include "kvusingfilelistcreator.h"
#include "libraryfileoperation.h"
#include "pastelibraryfile.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPair>

namespace Kova {

KvLibraryFileOperator::KvLibraryFileOperator(int operationType, QObject* parent)
    : QObject(parent)
    , m_operationType(operationType)
{
    connect(this, &KvLibraryFileOperator::requestShowCriticalMessageBox, this,
            &KvLibraryFileOperator::showCriticalMessageBox, Qt::QueuedConnection);
}

KvLibraryFileOperator::~KvLibraryFileOperator()
{
    delete m_pathPairList;
    delete m_trashedPairs;
}

void KvLibraryFileOperator::setPathPairList(const PathPairList& pairs)
{
    delete m_pathPairList;
    m_pathPairList = new PathPairList(pairs);
}

int KvLibraryFileOperator::manipulatorOperationType(int operationType)
{
    switch (operationType) {
    case Copy:
        return 0;
    case Move:
        return 1;
    case Remove:
        return 2;
    default:
        return -1;
    }
}

QString KvLibraryFileOperator::verb(int operationType)
{
    switch (operationType) {
    case Remove:
        return tr("delete");
    case Move:
        return tr("move");
    case Copy:
        return tr("copy");
    case Rename:
        return tr("rename");
    default:
        return tr("operate");
    }
}

bool KvLibraryFileOperator::isFileUsingInOpenedStage()
{
    if (!m_stageWidget)
        return false;
    QPair<QString, QString> found;
    if (!m_stageWidget->isFileUsingInOpenedStage(m_fileList, &found, m_caseSensitivity))
        return false;
    showCriticalMessageBox(tr("Discontinuation"),
                           tr("Can not %1 \"%2\".\n\nIt is in use on stage \"%3\" that is open.")
                               .arg(verb(m_operationType), QFileInfo(found.first).fileName(),
                                    QFileInfo(found.second).fileName()));
    return true;
}

bool KvLibraryFileOperator::isFileUsingInSavedStage()
{
    if (!m_usingFileList)
        return false;
    if (m_usingFileList->dataDir().isEmpty())
        m_usingFileList->setDataDir(m_dataDir);
    m_usingFileList->setCaseSensitivity(m_caseSensitivity);
    m_usingFileList->setForwardMatchChildIsDir(true);
    for (const QString& file : qAsConst(m_fileList)) {
        QList<KvUsingFileList::User> stages;
        if (!m_usingFileList->hasChild(file, &stages))
            continue;
        QString names;
        for (int i = 0; i < stages.count(); ++i) {
            if (i == 11) {
                names += tr(" and more...");
                break;
            }
            if (i == 0 || i == 5 || i == 10)
                names += QLatin1Char('\n');
            names += QFileInfo(stages.at(i).first).fileName() + QLatin1String(", ");
        }
        if (names.endsWith(QLatin1String(", ")))
            names.chop(2);
        showCriticalMessageBox(tr("Discontinuation"),
                               tr("Can not %1 \"%2\".\nIt has been used in the following "
                                  "stage.\n%3")
                                   .arg(verb(m_operationType), QFileInfo(file).fileName(), names));
        return true;
    }
    return false;
}

void KvLibraryFileOperator::discontinue()
{
    emit discontinued();
    emit finished();
}

void KvLibraryFileOperator::exec()
{
    if (!m_usingFileList) {
        discontinue();
        return;
    }
    // Copying leaves every source in place, so no stage can lose a file.
    if (m_operationType == Copy) {
        runManipulator();
        return;
    }
    if (isFileUsingInOpenedStage()) {
        discontinue();
        return;
    }
    switch (m_usingFileList->state()) {
    case KvUsingFileList::NotCreated: {
        auto* creator = new KvUsingFileListCreator(KvUsingFileList::UsingContent, this);
        creator->setRootPath(QDir(m_dataDir).filePath(QStringLiteral("stage")));
        creator->setUsingFileList(m_usingFileList);
        creator->setDialogParent(m_dialogParent);
        creator->setUsingDialog(true);
        connect(creator, &KvUsingFileListCreator::finished, this,
                &KvLibraryFileOperator::onCreateUsingContentListFinished);
        connect(creator, &KvUsingFileListCreator::finished, creator, &QObject::deleteLater);
        creator->startAsync();
        return;
    }
    case KvUsingFileList::Created:
        run();
        return;
    default:
        discontinue();
        return;
    }
}

void KvLibraryFileOperator::onCreateUsingContentListFinished()
{
    // A cancelled check leaves the list unbuilt: without it nothing may be removed or moved.
    if (!m_usingFileList || m_usingFileList->state() != KvUsingFileList::Created) {
        discontinue();
        return;
    }
    run();
}

void KvLibraryFileOperator::run()
{
    if (isFileUsingInSavedStage()) {
        discontinue();
        return;
    }
    switch (m_operationType) {
    case Remove:
    case Move:
    case Copy:
        runManipulator();
        return;
    case Rename:
        runRename();
        return;
    default:
        emit finished();
        return;
    }
}

void KvLibraryFileOperator::runManipulator()
{
    const int type = manipulatorOperationType(m_operationType);
    KvFileManipulator* manipulator = nullptr;
    if (m_pathPairList && m_operationType != Remove)
        manipulator = new KvFileManipulator(*m_pathPairList, type, 3000, m_dialogParent);
    else
        manipulator =
            new KvFileManipulator(m_fileList, m_operationType == Remove ? QString() : m_destination,
                                  type, 3000, m_dialogParent);
    if (m_useTrash)
        manipulator->setTrashPath(m_trashPath);
    connect(manipulator, &KvFileManipulator::closed, manipulator, &QObject::deleteLater);
    if (m_command) {
        connect(manipulator, &KvFileManipulator::fileListCreationCompleted, m_command,
                &Commands::LibraryFileOperation::onFileListCreationCompleted);
        connect(manipulator, &KvFileManipulator::trashFileListCreated, m_command,
                &Commands::LibraryFileOperation::onTrashFileListCreated);
    }
    if (m_operationType == Copy) {
        if (auto* paste = dynamic_cast<Commands::PasteLibraryFile*>(m_command)) {
            connect(manipulator, &KvFileManipulator::destinationFileNameChanged, paste,
                    &Commands::PasteLibraryFile::onDestinationFileNameChanged);
            connect(manipulator, &KvFileManipulator::closed, paste,
                    &Commands::PasteLibraryFile::copyingFinished);
        } else if (auto* copy = dynamic_cast<Commands::CopyLibraryFile*>(m_command)) {
            connect(manipulator, &KvFileManipulator::closed, copy,
                    &Commands::CopyLibraryFile::copyingFinished);
        }
    }
    if (m_operationType == Remove) {
        connect(manipulator, &KvFileManipulator::trashFileListCreated, this,
                &KvLibraryFileOperator::onTrashFileListCreated);
        connect(manipulator, &KvFileManipulator::closed, this,
                &KvLibraryFileOperator::onRemovingFinished);
    }
    connect(manipulator, &KvFileManipulator::errorOccured, this,
            &KvLibraryFileOperator::onErrorOccuredInFileOperation);
    connect(manipulator, &KvFileManipulator::operationFinished, this,
            &KvLibraryFileOperator::onOperationFinished);
    connect(manipulator, &KvFileManipulator::closed, this, &KvLibraryFileOperator::onFinished);
    connect(manipulator, &KvFileManipulator::aborted, this, &KvLibraryFileOperator::onAborted);
    manipulator->exec();
}

void KvLibraryFileOperator::runRename()
{
    if (m_fileList.isEmpty() || m_destination.isEmpty()) {
        emit requestShowCriticalMessageBox(tr("Rename"), tr("Name is empty."));
        discontinue();
        return;
    }
    const QFileInfo source(m_fileList.first());
    const QFileInfo destination(m_destination);
    // QDir::rename never replaces a file standing under the new name.
    if (!QDir(source.absolutePath()).rename(source.fileName(), destination.fileName())) {
        emit requestShowCriticalMessageBox(
            tr("Rename"),
            tr("Can not rename %1 to %2.").arg(source.fileName(), destination.fileName()));
        discontinue();
        return;
    }
    // The thumbnail follows only a rename that happened: after a failed one it still belongs
    // to the file under the old name, and the one under the new name belongs to another file.
    KvSingleFile::syncThumbnail(source, destination, KvSingleFile::Move, true);
    emit finished();
}

void KvLibraryFileOperator::onFinished()
{
    emit finished();
}

void KvLibraryFileOperator::onAborted()
{
    emit discontinued();
}

void KvLibraryFileOperator::onErrorOccuredInFileOperation(KvFileErrorException)
{
    emit discontinued();
}

void KvLibraryFileOperator::showCriticalMessageBox(QString title, QString message)
{
    QMessageBox::critical(m_dialogParent, title, message, QMessageBox::Ok);
}

void KvLibraryFileOperator::onRemovingFinished()
{
    if (m_trashedPairs && !m_trashedPairs->isEmpty())
        emit removingFinished(*m_trashedPairs);
}

void KvLibraryFileOperator::onTrashFileListCreated(QList<KvFileListCreator::PathPair>* list)
{
    delete m_trashedPairs;
    m_trashedPairs = list ? new PathPairList(*list) : nullptr;
}

void KvLibraryFileOperator::onOperationFinished(QList<KvFileListCreator::PathPair> fileList)
{
    emit operationFinished(fileList);
}

} // namespace Kova
