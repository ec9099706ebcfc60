#pragma once

#include <QStringList>

class QWidget;

namespace Kova {

class KvStage;
class KvStageEditor;

// The stage files of the editor: choosing, opening and creating stages into tabs, saving
// them, and building the lists of stages and contents in use. The editor's document slots
// run these; messages are the editor's own.
class KvStageDocuments
{
public:
    // Runs the stage chooser (modal); the chosen stages open once it has returned.
    static void showChooser(KvStageEditor& editor);
    // Runs the stage creator (modal), told the file names of the open stages.
    static void showCreator(KvStageEditor& editor);
    // Opens each stage in a tab of its own, skipping (with a message) the ones already open
    // and the ones that cannot be read; the last one opened becomes the current tab.
    static void open(KvStageEditor& editor, const QStringList& stageList);
    // Puts a stage made by the creator into a new tab, marked unsaved; takes ownership.
    static void addCreated(KvStageEditor& editor, KvStage* stage);
    static bool save(KvStageEditor& editor);
    static void saveAs(KvStageEditor& editor);
    // The files of the open stages in tab order: absolute paths or file names alone.
    static QStringList workingFiles(const KvStageEditor& editor, bool absolute);
    // Build the lists of stages (from the channels) and of contents (from the stages) in
    // use, in the background; the editor reports when each is done.
    static void buildUsingStageList(KvStageEditor& editor, QWidget* dialogParent);
    static void buildUsingContentList(KvStageEditor& editor, QWidget* dialogParent);
};

} // namespace Kova
