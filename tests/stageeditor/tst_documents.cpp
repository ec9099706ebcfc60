// The editor's stage documents: opening chosen stages, creating, saving and saving as, the
// actions that follow the open tabs, and the lists of stages and contents in use.

#include "kveditorconfig.h"
#include "kvmodalwatcher.h"
#include "kvstage.h"
#include "kvstagechooser.h"
#include "kvstagecreator.h"
#include "kvstagedocuments.h"
#include "kvstageeditor.h"
#include "kvstagepropertywidget.h"
#include "kvstagetemplate.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvtestfactories.h"
#include "kvusingfilelist.h"
#include "kvusingfilelistcreator.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

const char* const CreatedDescription = "This is a created new stage that is not saved.";

// What a message box looked like when it was answered: "icon|title|text|parent", the icon
// W(arning) or C(ritical), the parent "stage" (the stage widget) or "window".
using BoxRecord = QString;

// The editor's action of that object name, looked up in its main menus.
QAction* editorAction(const KvStageEditor& editor, const QString& name)
{
    for (QMenu* menu : editor.menu()) {
        if (auto* action = menu->findChild<QAction*>(name))
            return action;
    }
    return nullptr;
}

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opening_data();
    void opening();
    void chosenStagesOpenAfterTheChooserReturns();
    void saveAs_data();
    void saveAs();
    void saveFailingKeepsTheMark();
    void createdStageIsMarkedUntilSaved();
    void stageActionsFollowFirstAndLastTab();
    void saveActionFollowsOnlyTheCurrentTab();
    void workingStageFileListKeepsSameNames();
    void chooserOpensOneTurnAfterExec();
    void usingListsAreBuiltInTheBackground();

private:
    // A stage file without a name of its own (so its tab shows the file name).
    QString writeStage(const QString& relativePath);
    QString stagePath(const QString& name) const { return m_dataDir->filePath(name); }
    void openStages(const QStringList& paths);
    QString label(int index) const;
    int tabCount() const;
    // An answer for the watcher that records the message box and presses its OK button.
    std::function<void(QWidget*)> recordBox(QList<BoxRecord>* records);

    std::unique_ptr<Test::TempDataDir> m_dataDir;
    std::unique_ptr<QMainWindow> m_mainWindow;
    std::unique_ptr<KvStageEditor> m_editor;
};

void TestDocuments::init()
{
    m_dataDir.reset(new Test::TempDataDir);
    QVERIFY(m_dataDir->isValid());
    KvEditorConfig::setDataDir(m_dataDir->path());
    m_mainWindow.reset(new QMainWindow);
    m_mainWindow->resize(1000, 700);
    m_editor.reset(new KvStageEditor(m_mainWindow.get()));
}

void TestDocuments::cleanup()
{
    // Tabs left open must not ask anything on the way out.
    if (m_editor && m_editor->stageWidget()) {
        for (KvStageWorkingArea* area : m_editor->stageWidget()->stageWorkingAreaList())
            area->resetInitialStage();
    }
    m_editor.reset();
    m_mainWindow.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_dataDir.reset();
}

QString TestDocuments::writeStage(const QString& relativePath)
{
    const QString path = stagePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return Test::writeStage(path, QSize(1920, 1080), 0, QStringLiteral("")) ? path : QString();
}

void TestDocuments::openStages(const QStringList& paths)
{
    m_editor->onStageHasBeenSelected(paths);
    QCoreApplication::processEvents();
}

QString TestDocuments::label(int index) const
{
    return m_editor->stageWidget()->tabWidget()->tabText(index);
}

int TestDocuments::tabCount() const
{
    return m_editor->stageWidget()->openedStageCount();
}

std::function<void(QWidget*)> TestDocuments::recordBox(QList<BoxRecord>* records)
{
    return [this, records](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box) {
            widget->close();
            return;
        }
        const QString icon = box->icon() == QMessageBox::Warning    ? "W"
                             : box->icon() == QMessageBox::Critical ? "C"
                                                                    : "?";
        const QString parent = box->parentWidget() == m_editor->stageWidget() ? "stage"
                               : box->parentWidget() == m_mainWindow.get()    ? "window"
                                                                              : "?";
        records->append(QStringList{icon, box->windowTitle(), box->text(), parent}.join('|'));
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    };
}

// Stages already open are skipped with a warning, unreadable ones with an error, in the
// order chosen; the last stage opened becomes the current tab (queued to the stage widget).
void TestDocuments::opening_data()
{
    QTest::addColumn<QStringList>("open");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("current"); // the tab asked for; -1: none

    QTest::newRow("new, open and unreadable")
        << QStringList{"a"} << QStringList{"b", "a", "broken"}
        << QStringList{"W|Information|The Stage of \"a.xml\" is already opened.|stage",
                       "C|Error|Cannot open the stage of \"broken.xml\"|window"}
        << QStringList{"a.xml", "b.xml"} << 1;
    QTest::newRow("only open ones") << QStringList{"a", "b"} << QStringList{"b", "a"}
                                    << QStringList{"W|Information|The Stage of \"b.xml\" is "
                                                   "already opened.|stage",
                                                   "W|Information|The Stage of \"a.xml\" is "
                                                   "already opened.|stage"}
                                    << QStringList{"a.xml", "b.xml"} << -1;
    QTest::newRow("nothing chosen")
        << QStringList{} << QStringList{} << QStringList{} << QStringList{} << -1;
}

void TestDocuments::opening()
{
    QFETCH(QStringList, open);
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, labels);
    QFETCH(int, current);

    QStringList openPaths;
    for (const QString& name : open)
        openPaths << writeStage("stage/" + name + ".xml");
    QStringList chosenPaths;
    for (const QString& name : chosen)
        chosenPaths << stagePath("stage/" + name + ".xml");
    writeStage("stage/b.xml");
    {
        QFile file(stagePath("stage/broken.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<stage><screen");
    }
    if (!openPaths.isEmpty())
        openStages(openPaths);
    m_editor->stageWidget()->setCurrentStageTab(0);

    QSignalSpy currentSpy(m_editor.get(), &KvStageEditor::requestSetCurrentStageTab);
    QList<BoxRecord> seen;
    KvModalWatcher watcher;
    for (int i = 0; i < boxes.count(); ++i)
        watcher.answerWith(recordBox(&seen));
    m_editor->onStageHasBeenSelected(chosenPaths);
    QCOMPARE(seen, boxes);

    QStringList shown;
    for (int i = 0; i < tabCount(); ++i)
        shown << label(i);
    QCOMPARE(shown, labels);
    QCOMPARE(currentSpy.count(), current < 0 ? 0 : 1);
    // The tab change waits for the event loop; without one asked for, the first stays.
    const int expectedTab = current >= 0 ? current : (labels.isEmpty() ? -1 : 0);
    QTRY_COMPARE(m_editor->stageWidget()->currentTabIndex(), expectedTab);
    if (current >= 0)
        QCOMPARE(m_editor->currentStage()->filePath(), stagePath("stage/b.xml"));
}

// The chooser reports its choice while it is still open; the tabs come once it is gone.
void TestDocuments::chosenStagesOpenAfterTheChooserReturns()
{
    const QString a = writeStage("stage/a.xml");
    int tabsWhileOpen = -1;
    QString chooserFolder;
    QWidget* chooserParent = nullptr;
    KvModalWatcher watcher;
    watcher.answerWith([&](QWidget* widget) {
        auto* chooser = qobject_cast<KvStageChooser*>(widget);
        if (!chooser) {
            widget->close();
            return;
        }
        chooserFolder = chooser->stageDir();
        chooserParent = chooser->parentWidget();
        // The choice is reported while the dialog still runs its own handling of it.
        emit chooser->stageHasBeenSelected({a});
        tabsWhileOpen = tabCount();
        chooser->reject();
    });
    KvStageDocuments::showChooser(*m_editor);
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(tabsWhileOpen, 0);
    QCOMPARE(QDir(chooserFolder), QDir(stagePath("stage")));
    QCOMPARE(chooserParent, static_cast<QWidget*>(m_mainWindow.get()));
    QTRY_COMPARE(tabCount(), 1);
    QCOMPARE(label(0), QString("a.xml"));
}

// Save Stage As: the dialog starts at the stage's file; a cancelled dialog changes nothing, a
// file that cannot be written keeps the new path but the unsaved mark, a name typed without
// an extension gets ".xml" so the chooser lists it; the old file is never touched.
void TestDocuments::saveAs_data()
{
    QTest::addColumn<QString>("answer"); // empty: cancelled
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("cancelled") << ""
                               << "stage/a.xml"
                               << "a.xml*" << QStringList{};
    QTest::newRow("unwritable place")
        << "stage/missing/renamed.xml"
        << "stage/missing/renamed.xml"
        << "a.xml*" << QStringList{"C|Error|Cannot save the stage of \"renamed.xml\".|window"};
    QTest::newRow("written") << "stage/renamed.xml"
                             << "stage/renamed.xml"
                             << "renamed.xml" << QStringList{};
    QTest::newRow("without extension") << "stage/shop"
                                       << "stage/shop.xml"
                                       << "shop.xml" << QStringList{};
}

void TestDocuments::saveAs()
{
    QFETCH(QString, answer);
    QFETCH(QString, path);
    QFETCH(QString, tab);
    QFETCH(QStringList, boxes);

    const QString a = writeStage("stage/a.xml");
    openStages({a});
    KvStage* stage = m_editor->currentStage();
    QVERIFY(stage);
    stage->setDescription("edited");
    m_editor->stageWidget()->changeTabLabelNameToUnsavedState(0, true);
    KvStageWorkingArea* area = m_editor->stageWidget()->currentStageWorkingArea();
    const KvStage* snapshot = area->initialStage();

    QString title, startFile;
    QStringList filters;
    bool savesToTheMainWindow = false;
    QList<BoxRecord> seen;
    KvModalWatcher watcher;
    watcher.answerWith([&](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        startFile = dialog->selectedFiles().value(0);
        savesToTheMainWindow = dialog->acceptMode() == QFileDialog::AcceptSave &&
                               dialog->parentWidget() == m_mainWindow.get();
        if (answer.isEmpty())
            dialog->reject();
        else
            KvModalWatcher::acceptFile(dialog, stagePath(answer));
    });
    watcher.answerWith(recordBox(&seen));
    KvStageDocuments::saveAs(*m_editor);

    QCOMPARE(title, QString("Save Stage"));
    QVERIFY2(filters.contains("Stages (*.xml *.kstg)"), qPrintable(filters.join('|')));
    QCOMPARE(startFile, a);
    QVERIFY(savesToTheMainWindow);
    QCOMPARE(seen, boxes);
    QCOMPARE(stage->filePath(), stagePath(path));
    QCOMPARE(label(0), tab);
    const bool saved = !tab.endsWith('*');
    QCOMPARE(editorAction(*m_editor, "Action_Save_Stage")->isEnabled(), !saved);
    QCOMPARE(area->initialStage() == snapshot, !saved);
    KvStage written(stagePath(path));
    QCOMPARE(written.readFile(), saved || path == "stage/a.xml");
    if (saved)
        QCOMPARE(written.description(), QString("edited"));
    KvStage old(a);
    QVERIFY(old.readFile());
    QVERIFY(old.description().isEmpty());
    QVERIFY(!QFileInfo::exists(stagePath("stage/shop")));
    if (saved) {
        // The stage has no name of its own: the stage panel shows the new file name.
        auto* name = m_editor->stagePropertyWidget()->findChild<QLabel*>("label_Name");
        QVERIFY(name);
        QVERIFY2(name->text().endsWith(tab), qPrintable(name->text()));
    }
}

void TestDocuments::saveFailingKeepsTheMark()
{
    auto* stage = new KvStage(stagePath("stage/missing/new.xml"));
    stage->setRect(QRect(0, 0, 640, 360));
    m_editor->onStageCreated(stage);
    QCOMPARE(label(0), QString("new.xml*"));

    QList<BoxRecord> boxes;
    KvModalWatcher watcher;
    watcher.answerWith(recordBox(&boxes));
    QCOMPARE(KvStageDocuments::save(*m_editor), false);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.at(0), QString("C|Error|Cannot save the stage of \"new.xml\".|window"));
    QCOMPARE(label(0), QString("new.xml*"));
    QVERIFY(m_editor->stageWidget()->isCurrentStageChangedFromInitial());
    QVERIFY(editorAction(*m_editor, "Action_Save_Stage")->isEnabled());

    // Without a tab nothing is tried and nothing shown.
    m_editor->stageWidget()->currentStageWorkingArea()->resetInitialStage();
    m_editor->stageWidget()->closeAllStageTab();
    QCOMPARE(KvStageDocuments::save(*m_editor), false);
    QCOMPARE(watcher.count(), 1);
}

void TestDocuments::createdStageIsMarkedUntilSaved()
{
    // A null stage (the creator closed without a template) is ignored.
    m_editor->onStageCreated(nullptr);
    QCOMPARE(tabCount(), 0);

    const QString path = stagePath("stage/fresh.xml");
    auto* stage = new KvStage(path);
    stage->setRect(QRect(0, 0, 1280, 720));
    stage->setDescription("Lobby template");
    QSignalSpy currentSpy(m_editor.get(), &KvStageEditor::requestSetCurrentStageTab);
    m_editor->onStageCreated(stage);

    // Marked at once, before any event is processed.
    QCOMPARE(label(0), QString("fresh.xml*"));
    QCOMPARE(currentSpy.count(), 1);
    QCOMPARE(currentSpy.at(0).at(0).toInt(), 0);
    QCOMPARE(stage->description(), QString("Lobby template"));
    KvStageWorkingArea* area = m_editor->stageWidget()->currentStageWorkingArea();
    QCOMPARE(area->initialStage()->description(), QString(CreatedDescription));

    // Closing asks; answered No, the tab goes and nothing is written.
    KvModalWatcher watcher;
    watcher.answer(QMessageBox::No);
    m_editor->stageWidget()->closeCurrentStage();
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(watcher.seen().at(0).title, QString("Notice"));
    QCOMPARE(watcher.seen().at(0).text,
             QString("The stage of \"fresh.xml\" has been changed.\n\nDo you want to save it ?"));
    QCOMPARE(tabCount(), 0);
    QVERIFY(!QFileInfo::exists(path));

    // Created again and saved: its own description is written and closing asks nothing.
    stage = new KvStage(path);
    stage->setRect(QRect(0, 0, 1280, 720));
    stage->setDescription("Lobby template");
    m_editor->onStageCreated(stage);
    QCOMPARE(label(0), QString("fresh.xml*"));
    QVERIFY(KvStageDocuments::save(*m_editor));
    QCOMPARE(label(0), QString("fresh.xml"));
    QVERIFY(!editorAction(*m_editor, "Action_Save_Stage")->isEnabled());
    QCOMPARE(stage->description(), QString("Lobby template"));
    KvStage written(path);
    QVERIFY(written.readFile());
    QCOMPARE(written.description(), QString("Lobby template"));
    m_editor->stageWidget()->closeCurrentStage();
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(tabCount(), 0);
}

void TestDocuments::stageActionsFollowFirstAndLastTab()
{
    auto* spinBox = m_editor->stagePropertyWidget()->findChild<QSpinBox*>();
    QVERIFY(spinBox);
    // A hidden action (Add Extended Screen without a plug-in) reads disabled in Qt, so only
    // the shown ones can be expected enabled.
    auto expectUsable = [&](bool usable) {
        for (const char* name :
             {"Action_Add_Multimedia_Screen", "Action_Add_Telop_Screen",
              "Action_Add_Extended_Screen", "Action_Edit_Event", "Action_Show_Duration",
              "Action_Normal_View", "Action_Time_View"}) {
            QAction* action = editorAction(*m_editor, name);
            QVERIFY2(action && (usable ? !action->isVisible() || action->isEnabled()
                                       : !action->isEnabled()),
                     name);
        }
        QCOMPARE(spinBox->isEnabled(), usable);
    };
    const QString a = writeStage("stage/a.xml");
    const QString b = writeStage("stage/b.xml");
    openStages({a, b});
    expectUsable(true);
    // Closing one of two tabs changes nothing; closing the last turns them off.
    m_editor->stageWidget()->closeCurrentStage();
    expectUsable(true);
    m_editor->stageWidget()->closeCurrentStage();
    QCOMPARE(tabCount(), 0);
    expectUsable(false);
    openStages({b});
    expectUsable(true);
    m_editor->stageWidget()->closeAllStageTab();
    expectUsable(false);
}

void TestDocuments::saveActionFollowsOnlyTheCurrentTab()
{
    openStages({writeStage("stage/a.xml"), writeStage("stage/b.xml")});
    KvStageWidget* widget = m_editor->stageWidget();
    QCOMPARE(widget->currentTabIndex(), 1);
    QAction* save = editorAction(*m_editor, "Action_Save_Stage");
    // Marks on the tab that is not current leave Save Stage as it is, either way.
    for (bool enabled : {false, true}) {
        save->setEnabled(enabled);
        widget->changeTabLabelNameToUnsavedState(0, !enabled);
        QCOMPARE(save->isEnabled(), enabled);
    }
    // The current tab drives it both ways.
    save->setEnabled(false);
    widget->changeTabLabelNameToUnsavedState(1, true);
    QVERIFY(save->isEnabled());
    widget->changeTabLabelNameToUnsavedState(1, false);
    QVERIFY(!save->isEnabled());
}

void TestDocuments::workingStageFileListKeepsSameNames()
{
    QVERIFY(KvStageDocuments::workingFiles(*m_editor, false).isEmpty());
    const QString first = writeStage("stage/one/same.xml");
    const QString second = writeStage("stage/two/same.xml");
    const QString other = writeStage("stage/other.xml");
    openStages({first, second, other});
    QCOMPARE(tabCount(), 3);

    QCOMPARE(KvStageDocuments::workingFiles(*m_editor, false),
             QStringList({"same.xml", "same.xml", "other.xml"}));
    QCOMPARE(KvStageDocuments::workingFiles(*m_editor, true), QStringList({first, second, other}));
    QVERIFY(m_editor->stageWidget()->hasStageFileOpened(second));
    QVERIFY(!m_editor->stageWidget()->hasStageFileOpened(stagePath("stage/same.xml")));

    // The creator is told each name in use once.
    QStringList namesInUse;
    QString creatorFolder;
    QWidget* creatorParent = nullptr;
    KvModalWatcher watcher;
    watcher.answerWith([&](QWidget* widget) {
        if (auto* creator = qobject_cast<KvStageCreator*>(widget)) {
            namesInUse = creator->usingFileNameList();
            creatorFolder = creator->stageDir();
            creatorParent = creator->parentWidget();
            // Answered once the templates are listed (the lister deletes itself then), as a
            // person would: templates handed over after the dialog is gone are never freed.
            QPointer<KvStageTemplate> lister = creator->findChild<KvStageTemplate*>();
            QTRY_VERIFY_WITH_TIMEOUT(!lister, 5000);
            QCoreApplication::sendPostedEvents(creator, QEvent::MetaCall);
            creator->reject();
        } else {
            widget->close();
        }
    });
    KvStageDocuments::showCreator(*m_editor);
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(namesInUse.count("same.xml"), 1);
    QCOMPARE(namesInUse.count("other.xml"), 1);
    QCOMPARE(QDir(creatorFolder), QDir(stagePath("stage")));
    QCOMPARE(creatorParent, static_cast<QWidget*>(m_mainWindow.get()));
    QCOMPARE(tabCount(), 3);
}

void TestDocuments::chooserOpensOneTurnAfterExec()
{
    QSignalSpy chooserSpy(m_editor.get(), &KvStageEditor::requestToShowStageChooser);
    KvUsingFileList* usedList = nullptr;
    QString chooserClass;
    KvModalWatcher watcher;
    watcher.answerWith([&](QWidget* widget) {
        chooserClass = QString::fromLatin1(widget->metaObject()->className());
        if (auto* chooser = qobject_cast<KvStageChooser*>(widget))
            usedList = chooser->usingStageList();
        if (auto* dialog = qobject_cast<QDialog*>(widget))
            dialog->reject();
        else
            widget->close();
    });

    QVERIFY(m_editor->exec());
    // Nothing is shown while exec() runs: the chooser waits for the event loop.
    QCOMPARE(chooserSpy.count(), 0);
    QCOMPARE(watcher.count(), 0);
    QVERIFY(!m_mainWindow->findChild<KvStageChooser*>());

    QTRY_COMPARE(watcher.count(), 1);
    QCOMPARE(chooserSpy.count(), 1);
    QCOMPARE(chooserClass, QString("Kova::KvStageChooser"));
    QCOMPARE(watcher.seen().at(0).title, QString("Select Stage"));
    QCOMPARE(usedList, m_editor->usingStageList());
    // The dialog is gone once it was closed.
    QTRY_VERIFY(!m_mainWindow->findChild<KvStageChooser*>());
}

void TestDocuments::usingListsAreBuiltInTheBackground()
{
    const QString used = writeStage("stage/used.xml");
    writeStage("stage/free.xml");
    const QString listed = writeStage("stage/listed-by-channel.xml");
    QVERIFY(Test::writeFile(stagePath("channel/week.xml"),
                            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<schedule version=\"1\"><item stage=\"stage/used.xml\" "
                            "start=\"08:00\" end=\"18:00\"/></schedule>\n"));
    // The channel's own description is not a schedule, even when it looks like one.
    QVERIFY(Test::writeFile(stagePath("channel/channel.xml"),
                            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<schedule version=\"1\"><item stage=\"stage/listed-by-channel.xml\" "
                            "start=\"08:00\" end=\"18:00\"/></schedule>\n"));

    QSignalSpy stageSpy(m_editor.get(), &KvStageEditor::usingStageListCreationFinished);
    m_editor->createUsingStageList(m_mainWindow.get());
    QTRY_COMPARE(stageSpy.count(), 1);
    KvUsingFileList* stages = m_editor->usingStageList();
    QCOMPARE(stages->state(), int(KvUsingFileList::Created));
    QVERIFY(stages->hasChild(used));
    QVERIFY(!stages->hasChild(listed));
    QVERIFY(!stages->hasChild(stagePath("stage/free.xml")));

    // Content: the background picture of a stage in the stage folder.
    {
        KvStage stage(stagePath("stage/with-image.xml"));
        stage.setRect(QRect(0, 0, 640, 360));
        stage.setBackgroundImage("image/back.png");
        QVERIFY(stage.writeToFile());
    }
    QSignalSpy contentSpy(m_editor.get(), &KvStageEditor::usingContentListCreationFinished);
    m_editor->createUsingContentList(m_mainWindow.get());
    QTRY_COMPARE(contentSpy.count(), 1);
    KvUsingFileList* content = m_editor->usingContentList();
    QCOMPARE(content->state(), int(KvUsingFileList::Created));
    QVERIFY(content->hasChild(stagePath("image/back.png")));
    QVERIFY(!content->hasChild(stagePath("image/other.png")));

    // Each builder is gone after its single finished(), so no second report can come.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_editor->findChildren<KvUsingFileListCreator*>().isEmpty());
    QCOMPARE(stageSpy.count(), 1);
    QCOMPARE(contentSpy.count(), 1);
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
