#include "kvstagedocuments.h"

#include "kvpluginscreens.h"
#include "kvsequencecontainer.h"
#include "kvstage.h"
#include "kvstagechooser.h"
#include "kvstagecreator.h"
#include "kvstageeditor.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvusingfilelist.h"
#include "kvusingfilelistcreator.h"
#include "path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QRegExp>

namespace Kova {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("Kova::KvStageEditor", text);
}

// Tells that screens of the stage use plug-ins that are not installed. The screens stay,
// with their state and contents, and are saved as they were read.
void reportMissingPlugins(KvStageEditor& editor, const KvStage* stage, const QStringList& ids)
{
    if (ids.isEmpty())
        return;
    QMessageBox::warning(
        editor.mainWindow(), translated("Notice"),
        translated("The stage of \"%1\" has screens whose plug-ins are not installed:\n%2\n\n"
                   "These screens are kept as they are, but show no content until their "
                   "plug-ins are installed.")
            .arg(QFileInfo(stage->filePath()).fileName(), ids.join(QLatin1Char('\n'))),
        QMessageBox::Ok);
}

} // namespace

void KvStageDocuments::showChooser(KvStageEditor& editor)
{
    QPointer<KvStageChooser> chooser = new KvStageChooser(editor.mainWindow());
    chooser->setStageDir(QDir(editor.dataDir()).absoluteFilePath(QStringLiteral("stage")));
    chooser->setUsingStageList(editor.usingStageList());

    QObject::connect(chooser, &KvStageChooser::requestToCreateUsingStageList, &editor,
                     &KvStageEditor::createUsingStageList);
    QObject::connect(&editor, &KvStageEditor::usingStageListCreationFinished, chooser,
                     &KvStageChooser::usingStageListCreationFinished);
    // Queued: the tabs open once the dialog has finished with the choice.
    QObject::connect(chooser, &KvStageChooser::stageHasBeenSelected, &editor,
                     &KvStageEditor::onStageHasBeenSelected, Qt::QueuedConnection);
    QObject::connect(
        chooser, &KvStageChooser::requestToShowStageCreator, &editor,
        [&editor]() { showCreator(editor); }, Qt::QueuedConnection);

    chooser->exec();
    // The dialog deletes itself after a decision; closed any other way it goes here.
    if (chooser)
        chooser->deleteLater();
}

void KvStageDocuments::showCreator(KvStageEditor& editor)
{
    QPointer<KvStageCreator> creator = new KvStageCreator(editor.mainWindow());
    creator->setStageDir(QDir(editor.dataDir()).absoluteFilePath(QStringLiteral("stage")));
    creator->addUsingFileNameList(workingFiles(editor, false));
    QObject::connect(creator, &KvStageCreator::stageCreated, &editor,
                     &KvStageEditor::onStageCreated, Qt::QueuedConnection);

    creator->exec();
    if (creator)
        creator->deleteLater();
}

void KvStageDocuments::open(KvStageEditor& editor, const QStringList& stageList)
{
    if (!editor.stageWidget() || stageList.isEmpty())
        return;

    int lastOpenedIndex = -1;
    for (const QString& path : qAsConst(stageList)) {
        if (!editor.stageWidget())
            return;
        if (editor.stageWidget()->hasStageFileOpened(path)) {
            QMessageBox::warning(editor.stageWidget(), translated("Information"),
                                 translated("The Stage of \"%1\" is already opened.")
                                     .arg(QFileInfo(path).fileName()),
                                 QMessageBox::Ok);
            continue;
        }

        auto* stage = new KvStage(path);
        if (!stage->readFile()) {
            const QString fileName = QFileInfo(stage->filePath()).fileName();
            delete stage;
            QMessageBox::critical(editor.mainWindow(), translated("Error"),
                                  translated("Cannot open the stage of \"%1\"").arg(fileName),
                                  QMessageBox::Ok);
            continue;
        }

        const QStringList missingPlugins = KvPluginScreens::attachPlugins(stage);
        const int index = editor.stageWidget()->addStage(stage);
        if (index < 0) {
            // No tab took the stage, so nothing else owns it.
            delete stage;
            continue;
        }
        lastOpenedIndex = index;
        if (editor.sequenceContainer())
            editor.sequenceContainer()->addStage(stage);
        reportMissingPlugins(editor, stage, missingPlugins);
    }

    if (lastOpenedIndex >= 0)
        emit editor.requestSetCurrentStageTab(lastOpenedIndex);
}

void KvStageDocuments::addCreated(KvStageEditor& editor, KvStage* stage)
{
    if (!stage)
        return;
    if (!editor.stageWidget()) {
        delete stage;
        return;
    }

    // The tab's saved snapshot is taken with a description of its own, so the new stage
    // differs from it until it is saved for the first time.
    const QStringList missingPlugins = KvPluginScreens::attachPlugins(stage);
    const QString description = stage->description();
    stage->setDescription(translated("This is a created new stage that is not saved."));
    const int index = editor.stageWidget()->addStage(stage);
    stage->setDescription(description);
    if (index < 0) {
        delete stage;
        return;
    }

    if (editor.sequenceContainer())
        editor.sequenceContainer()->addStage(stage);

    emit editor.requestSetCurrentStageTab(index);
    editor.stageWidget()->changeTabLabelNameToUnsavedState(index, true);
    reportMissingPlugins(editor, stage, missingPlugins);
}

bool KvStageDocuments::save(KvStageEditor& editor)
{
    if (!editor.stageWidget())
        return false;
    KvStageWorkingArea* area = editor.stageWidget()->currentStageWorkingArea();
    KvStage* stage = area ? area->stage() : nullptr;
    if (!stage)
        return false;

    if (!stage->writeToFile()) {
        QMessageBox::critical(editor.mainWindow(), translated("Error"),
                              translated("Cannot save the stage of \"%1\".")
                                  .arg(QFileInfo(stage->filePath()).fileName()),
                              QMessageBox::Ok);
        return false;
    }
    area->resetInitialStage();
    editor.stageWidget()->changeTabLabelNameToUnsavedState(area, false);
    return true;
}

void KvStageDocuments::saveAs(KvStageEditor& editor)
{
    KvStage* stage = editor.currentStage();
    if (!stage)
        return;
    // The dialog runs its own event loop: the tab must still be there afterwards.
    QPointer<KvStageWorkingArea> area = editor.stageWidget()->currentStageWorkingArea();

    QFileDialog dialog(editor.mainWindow(), translated("Save Stage"), stage->filePath(),
                       translated("Stages (*.xml *.kstg);;"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension becomes a ".xml" stage (asked about before it
    // overwrites one), so the stage chooser, which lists stage files only, finds it again.
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    const QString path =
        dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    if (path.isEmpty() || !area || area->stage() != stage || !editor.stageWidget())
        return;

    stage->setFilePath(path);
    if (!stage->writeToFile()) {
        QMessageBox::critical(
            editor.mainWindow(), translated("Error"),
            translated("Cannot save the stage of \"%1\".").arg(QFileInfo(path).fileName()),
            QMessageBox::Ok);
        return;
    }
    area->resetInitialStage();
    // Unmarking first lets Save Stage follow; the label then takes the new file name.
    editor.stageWidget()->changeTabLabelNameToUnsavedState(area.data(), false);
    editor.stageWidget()->updateTabLabelNameFromStage(area.data());
    // A stage without a name is shown by its file name, which has just changed.
    if (area == editor.stageWidget()->currentStageWorkingArea())
        editor.updateStageProtertyValues();
}

QStringList KvStageDocuments::workingFiles(const KvStageEditor& editor, bool absolute)
{
    QStringList files;
    if (!editor.stageWidget())
        return files;
    const QList<KvStageWorkingArea*> areas = editor.stageWidget()->stageWorkingAreaList();
    for (const KvStageWorkingArea* area : areas) {
        if (!area || !area->stage())
            continue;
        const QFileInfo info(area->stage()->filePath());
        files.append(absolute ? info.absoluteFilePath() : info.fileName());
    }
    return files;
}

void KvStageDocuments::buildUsingStageList(KvStageEditor& editor, QWidget* dialogParent)
{
    auto* creator = new KvUsingFileListCreator(KvUsingFileList::UsingStage, &editor);
    creator->setRootPath(Path::combine(editor.dataDir(), QStringLiteral("channel")));
    creator->setDataDir(editor.dataDir());
    creator->setUsingFileList(editor.usingStageList());
    creator->setDialogParent(dialogParent);
    creator->setUsingDialog(true);
    creator->setExceptFileName(QRegExp(QStringLiteral("channel.xml"), Qt::CaseInsensitive));
    QObject::connect(creator, &KvUsingFileListCreator::finished, &editor,
                     &KvStageEditor::onUsingStageListFinished);
    QObject::connect(creator, &KvUsingFileListCreator::finished, creator, &QObject::deleteLater);
    creator->startAsync();
}

void KvStageDocuments::buildUsingContentList(KvStageEditor& editor, QWidget* dialogParent)
{
    auto* creator = new KvUsingFileListCreator(KvUsingFileList::UsingContent, &editor);
    creator->setRootPath(Path::combine(editor.dataDir(), QStringLiteral("stage")));
    creator->setDataDir(editor.dataDir());
    creator->setUsingFileList(editor.usingContentList());
    creator->setDialogParent(dialogParent);
    creator->setUsingDialog(true);
    QObject::connect(creator, &KvUsingFileListCreator::finished, &editor,
                     &KvStageEditor::onUsingContentListFinished);
    QObject::connect(creator, &KvUsingFileListCreator::finished, creator, &QObject::deleteLater);
    creator->startAsync();
}

} // namespace Kova
