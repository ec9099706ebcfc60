#include "kvstagechooser.h"

#include "kvfilesystemmodel.h"
#include "kvstage.h"
#include "kvstagedescription.h"
#include "kvstagepreview.h"
#include "kvsvgreader.h"
#include "kvusingfilelist.h"
#include "path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Kova {

namespace {
const int IconSide = 16;
}

KvStageChooser::KvStageChooser(QWidget* parent)
    : QDialog(parent)
{
    setupUi();
}

KvStageChooser::~KvStageChooser() = default;

void KvStageChooser::setupUi()
{
    setWindowTitle(tr("Select Stage"));
    resize(640, 360);

    m_model = new KvFileSystemModel(this);
    m_model->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    const QStringList filters{QStringLiteral("*.kstg"), QStringLiteral("*.xml")};
    m_model->setNameFiltersInRoot(filters);
    m_model->setNameFilters(filters);
    m_model->setReadOnly(true);

    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(tr("Select the stage, or create the new one."), this);
    caption->setStyleSheet(QStringLiteral("padding-top:10px;padding-bottom:5px;"));
    layout->addWidget(caption);

    auto* body = new QHBoxLayout;
    layout->addLayout(body, 1);

    m_listView = new QListView(this);
    m_listView->setObjectName(QStringLiteral("StageListView"));
    m_listView->setViewMode(QListView::ListMode);
    m_listView->setWrapping(true);
    m_listView->setResizeMode(QListView::Adjust);
    m_listView->setWordWrap(true);
    m_listView->setMinimumSize(360, 380);
    m_listView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listView->setModel(m_model);
    body->addWidget(m_listView, 1);

    auto* side = new QVBoxLayout;
    body->addLayout(side);
    m_preview = new KvStagePreview(this);
    m_preview->setObjectName(QStringLiteral("StagePreview"));
    m_preview->setMinimumSize(320, 180);
    side->addWidget(m_preview);
    m_description = new KvStageDescription(this);
    m_description->setObjectName(QStringLiteral("StageDescription"));
    // At least 320 wide, and never narrower than its captions need.
    m_description->setMinimumWidth(std::max(320, m_description->minimumSizeHint().width()));
    side->addWidget(m_description, 1);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    auto makeButton = [this, buttons](const QString& text, const QString& name,
                                      const QString& icon) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        if (!icon.isEmpty()) {
            button->setIcon(KvSvgReader::getIcon(icon, IconSide, IconSide));
            button->setIconSize(QSize(IconSide, IconSide));
        }
        buttons->addWidget(button);
        return button;
    };
    m_selectButton = makeButton(tr("Select"), QStringLiteral("SelectButton"),
                                QStringLiteral(":/images/check_green.svg"));
    m_createButton = makeButton(tr("Create"), QStringLiteral("CreateButton"),
                                QStringLiteral(":/images/new_stage_blue.svg"));
    m_copyAndCreateButton = makeButton(tr("Copy && Create"), QStringLiteral("CopyAndCreateButton"),
                                       QStringLiteral(":/images/copy_and_new_stage.svg"));
    buttons->addStretch(1);
    m_cancelButton = makeButton(tr("Cancel"), QStringLiteral("CancelButton"), QString());
    m_deleteButton = makeButton(tr("Delete"), QStringLiteral("DeleteButton"),
                                QStringLiteral(":/images/delete_red.svg"));
    m_selectButton->setEnabled(false);
    m_copyAndCreateButton->setEnabled(false);
    m_deleteButton->setEnabled(false);

    connect(this, &KvStageChooser::clearDescription, m_preview, &KvStagePreview::clear);
    connect(this, &KvStageChooser::clearDescription, m_description, &KvStageDescription::clear);
    connect(this, &KvStageChooser::stageSelectionChanged, m_preview, &KvStagePreview::setStage);
    connect(this, &KvStageChooser::stageSelectionChanged, m_description,
            &KvStageDescription::setStage);

    connect(m_selectButton, &QPushButton::clicked, this, &KvStageChooser::selectButtonClicked);
    connect(m_createButton, &QPushButton::clicked, this, &KvStageChooser::createButtonClicked);
    connect(m_copyAndCreateButton, &QPushButton::clicked, this,
            &KvStageChooser::copyAndCreateButtonClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &KvStageChooser::cancelButtonClicked);
    connect(m_deleteButton, &QPushButton::clicked, this, &KvStageChooser::deleteButtonClicked);
    connect(m_listView, &QListView::doubleClicked, this, &KvStageChooser::listViewDoubleClicked);
    connect(m_listView, &QListView::clicked, this, &KvStageChooser::listViewClicked);
    connect(m_listView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &KvStageChooser::listViewSelectionChanged);
}

void KvStageChooser::setStageDir(const QString& path)
{
    m_stageDir = path;
    // The stage folder is made when missing, so that new stages have a place to go.
    if (!path.isEmpty())
        QDir().mkpath(path);
    m_model->setRootPath(path);
    m_model->setFileWatcherEnabled(true);
    if (m_model->canFetchMore(QModelIndex()))
        m_model->fetchMore(QModelIndex());
    m_listView->setRootIndex(QModelIndex());
    updateButtons();
    emit clearDescription();
}

QString KvStageChooser::filePathOf(const QModelIndex& index) const
{
    if (!index.isValid())
        return QString();
    const QModelIndex first = index.sibling(index.row(), 0);
    if (m_model->isDir(first))
        return QString();
    return QFileInfo(m_model->filePath(first)).absoluteFilePath();
}

QStringList KvStageChooser::selectedStageFiles() const
{
    QModelIndexList indexes = m_listView->selectionModel()->selectedIndexes();
    std::sort(indexes.begin(), indexes.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList files;
    for (const QModelIndex& index : qAsConst(indexes)) {
        const QString path = filePathOf(index);
        if (!path.isEmpty() && !files.contains(path))
            files.append(path);
    }
    return files;
}

void KvStageChooser::updateButtons()
{
    const int count = selectedStageFiles().count();
    m_selectButton->setEnabled(count >= 1);
    m_deleteButton->setEnabled(count >= 1);
    m_copyAndCreateButton->setEnabled(count == 1);
}

void KvStageChooser::listViewSelectionChanged(QItemSelection selected, QItemSelection deselected)
{
    Q_UNUSED(selected)
    Q_UNUSED(deselected)
    updateButtons();
    const QStringList files = selectedStageFiles();
    if (files.count() == 1) {
        KvStage stage(files.first());
        if (stage.readFile()) {
            emit stageSelectionChanged(stage);
            return;
        }
    }
    emit clearDescription();
}

void KvStageChooser::listViewClicked(QModelIndex index)
{
    Q_UNUSED(index)
    m_copyAndCreateButton->setEnabled(selectedStageFiles().count() == 1);
}

void KvStageChooser::finishDecision()
{
    m_decided = true;
    close();
    deleteLater();
}

void KvStageChooser::selectButtonClicked()
{
    const QStringList files = selectedStageFiles();
    if (files.isEmpty() || m_decided)
        return;
    emit stageHasBeenSelected(files);
    finishDecision();
}

void KvStageChooser::listViewDoubleClicked(QModelIndex index)
{
    const QString path = filePathOf(index);
    if (path.isEmpty() || m_decided)
        return;
    emit stageHasBeenSelected(QStringList{path});
    finishDecision();
}

void KvStageChooser::createButtonClicked()
{
    if (m_decided)
        return;
    emit requestToShowStageCreator();
    finishDecision();
}

void KvStageChooser::cancelButtonClicked()
{
    if (m_decided)
        return;
    finishDecision();
}

QString KvStageChooser::proposeCopyName(const QString& filePath)
{
    const QFileInfo source(filePath);
    const QDir folder = source.absoluteDir();
    const QString suffix = source.suffix();
    const QString dotSuffix = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    const QString base = source.completeBaseName() + tr(" - Copy");
    QString candidate = base;
    for (int counter = 2; QFileInfo::exists(folder.filePath(candidate + dotSuffix)); ++counter)
        candidate = base + QStringLiteral("(%1)").arg(counter);
    return candidate;
}

void KvStageChooser::copyAndCreateButtonClicked()
{
    const QStringList files = selectedStageFiles();
    if (files.count() != 1 || m_decided)
        return;
    const QString source = files.first();
    const QFileInfo sourceInfo(source);
    const QDir folder = sourceInfo.absoluteDir();
    const QString suffix = sourceInfo.suffix();

    QString proposal = proposeCopyName(source);
    while (true) {
        bool ok = false;
        QString name = QInputDialog::getText(this, tr("Input New Name"),
                                             tr("A new stage will be created based on the selected "
                                                "stage.\nPlease input a new name."),
                                             QLineEdit::Normal, proposal, &ok);
        if (!ok)
            return;
        // A name, not a path: anything before a separator is dropped.
        name = QFileInfo(QDir::fromNativeSeparators(name.trimmed())).fileName();
        if (name.isEmpty())
            continue;
        if (!suffix.isEmpty() && !name.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
            name += QLatin1Char('.') + suffix;
        const QString destination = folder.filePath(name);
        if (QFileInfo::exists(destination)) {
            QMessageBox::warning(
                this, tr("Warnning"),
                tr("The stage name \"%1\" has been existing.\nReinput another name.").arg(name));
            proposal = QFileInfo(name).completeBaseName();
            continue;
        }
        if (!QFile::copy(source, destination)) {
            QMessageBox::critical(this, tr("Error"),
                                  tr("An error occured while the stage file was copying.\nPlease "
                                     "check the data folder whether it is writable."));
            return;
        }
        emit stageHasBeenSelected(QStringList{QFileInfo(destination).absoluteFilePath()});
        finishDecision();
        return;
    }
}

void KvStageChooser::deleteButtonClicked()
{
    if (selectedStageFiles().isEmpty())
        return;
    const auto answer = QMessageBox::question(
        this, tr("Confirm Delete"),
        tr("The selected stage will be deleted. You will not be able to \"Undo\".\nDo you want "
           "to continue the deletion?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (m_usingStageList && m_usingStageList->state() == KvUsingFileList::Created) {
        m_deleteButton->setEnabled(false);
        removeSelectedStage();
    } else {
        m_pendingDelete = true;
        emit requestToCreateUsingStageList(this);
    }
}

void KvStageChooser::usingStageListCreationFinished()
{
    if (!m_pendingDelete)
        return;
    m_pendingDelete = false;
    removeSelectedStage();
}

void KvStageChooser::removeSelectedStage()
{
    if (!m_usingStageList || m_usingStageList->state() != KvUsingFileList::Created) {
        const auto answer = QMessageBox::warning(
            this, tr("Warrning"),
            tr("The using stage file list is not ready.\n") +
                tr("If you continue in this state processing there is a possibility that "
                   "problems may occur.\n") +
                tr("Do you want to continue the process?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            updateButtons();
            return;
        }
    }

    const QStringList files = selectedStageFiles();
    const bool watching = m_model->isFileWatcherEnabled();
    if (watching)
        m_model->setFileWatcherEnabled(false);

    QStringList kept;
    QList<QStringList> keptUsers;
    for (const QString& path : files) {
        QList<KvUsingFileList::User> users;
        if (m_usingStageList && m_usingStageList->hasChild(path, &users)) {
            QStringList names;
            for (const KvUsingFileList::User& user : qAsConst(users)) {
                const QString name = Path::getName(user.first);
                if (!names.contains(name))
                    names.append(name);
            }
            kept.append(Path::getName(path));
            keptUsers.append(names);
            continue;
        }
        if (!QFile::remove(path)) {
            QMessageBox::critical(
                this, tr("Error"),
                tr("The stage of \"%1\" cannot be deleted.").arg(QFileInfo(path).fileName()));
        }
    }

    if (watching)
        m_model->setFileWatcherEnabled(true);
    m_model->update(m_model->rootPath());
    updateButtons();
    if (selectedStageFiles().count() != 1)
        emit clearDescription();

    if (!kept.isEmpty()) {
        QString message = kept.count() == 1
                              ? tr("The following stage could not be deleted because it is used "
                                   "in the schedule.\n\n")
                              : tr("The following stages could not be deleted because they are "
                                   "used in the schedule.\n\n");
        for (int i = 0; i < kept.count(); ++i)
            message += tr("\"%1\" is used in ( %2 )\n")
                           .arg(kept.at(i), keptUsers.at(i).join(QStringLiteral(", ")));
        QMessageBox::warning(this, tr("Cannot Delete Stage"), message);
    }
}

} // namespace Kova
