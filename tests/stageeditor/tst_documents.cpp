// The editor's stage documents: opening chosen stages, creating, saving and saving as, the
// actions that follow the open tabs, and the lists of stages and contents in use.

#include "kveditorconfig.h"
#include "kveditormenus.h"
#include "kveditorteardown.h"
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

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT

private:
    QString stagePath(const QString& name) const { return m_dataDir->filePath(name); }
    // A stage file without a name of its own (so its tab shows the file name).
    QString writeStage(const QString& relativePath)
    {
        const QString path = stagePath(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        return Test::writeStage(path, QSize(1920, 1080), 0, QStringLiteral("")) ? path : QString();
    }

    void openStages(const QStringList& paths)
    {
        m_editor->onStageHasBeenSelected(paths);
        QCoreApplication::processEvents();
    }

    QString label(int index) const { return m_editor->stageWidget()->tabWidget()->tabText(index); }

    int tabCount() const { return m_editor->stageWidget()->openedStageCount(); }

    // An answer for the watcher that records the message box and presses its OK button.
    std::function<void(QWidget*)> recordBox(QList<BoxRecord>* records)
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

    std::unique_ptr<Test::TempDataDir> m_dataDir;
    std::unique_ptr<QMainWindow> m_mainWindow;
    std::unique_ptr<KvStageEditor> m_editor;

private slots:
    void init()
    {
        m_dataDir.reset(new Test::TempDataDir);
        QVERIFY(m_dataDir->isValid());
        KvEditorConfig::setDataDir(m_dataDir->path());
        m_mainWindow.reset(new QMainWindow);
        m_mainWindow->resize(1000, 700);
        m_editor.reset(new KvStageEditor(m_mainWindow.get()));
    }

    void cleanup()
    {
        Test::discardEditor(m_editor, m_mainWindow);
        m_dataDir.reset();
    }

    // Stages already open are skipped with a warning, unreadable ones with an error, in the
    // order chosen; the last stage opened becomes the current tab (queued to the stage widget).
    void opening_data()
    {
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("current"); // the tab asked for; -1: none

        const auto row = [](const char* tag, QStringList open, QStringList chosen,
                            QStringList boxes, QStringList labels, int current) {
            QTest::newRow(tag) << open << chosen << boxes << labels << current;
        };
        const auto opened = [](const char* name) {
            return QString("W|Information|The Stage of \"%1.xml\" is already opened.|stage")
                .arg(name);
        };
        row("new, open and unreadable", {"a"}, {"b", "a", "broken"},
            {opened("a"), "C|Error|Cannot open the stage of \"broken.xml\"|window"},
            {"a.xml", "b.xml"}, 1);
        row("only open ones", {"a", "b"}, {"b", "a"}, {opened("b"), opened("a")},
            {"a.xml", "b.xml"}, -1);
        row("nothing chosen", {}, {}, {}, {}, -1);
    }

    void opening()
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
        QVERIFY(Test::writeFile(stagePath("stage/broken.xml"), "<stage><screen"));
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

    // Save Stage As: the dialog starts at the stage's file; a cancelled dialog changes nothing, a
    // file that cannot be written keeps the new path but the unsaved mark, a name typed without
    // an extension gets ".xml" so the chooser lists it; the old file is never touched.
    void saveAs_data()
    {
        QTest::addColumn<QString>("answer"); // empty: cancelled
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QStringList>("boxes");

        const auto row = [](const char* tag, const char* answer, const char* path, const char* tab,
                            QStringList boxes = {}) {
            QTest::newRow(tag) << QString(answer) << QString(path) << QString(tab) << boxes;
        };
        row("cancelled", "", "stage/a.xml", "a.xml*");
        row("unwritable place", "stage/missing/renamed.xml", "stage/missing/renamed.xml", "a.xml*",
            {"C|Error|Cannot save the stage of \"renamed.xml\".|window"});
        row("written", "stage/renamed.xml", "stage/renamed.xml", "renamed.xml");
        row("without extension", "stage/shop", "stage/shop.xml", "shop.xml");
    }

    void saveAs()
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
        QCOMPARE(Test::editorAction(*m_editor, "Action_Save_Stage")->isEnabled(), !saved);
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

    void createdStageIsMarkedUntilSaved()
    {
        // A null stage (the creator closed without a template) is ignored.
        m_editor->onStageCreated(nullptr);
        QCOMPARE(tabCount(), 0);

        const QString path = stagePath("stage/fresh.xml");
        const auto create = [&] {
            auto* stage = new KvStage(path);
            stage->setRect(QRect(0, 0, 1280, 720));
            stage->setDescription("Lobby template");
            m_editor->onStageCreated(stage);
            return stage;
        };
        QSignalSpy currentSpy(m_editor.get(), &KvStageEditor::requestSetCurrentStageTab);
        KvStage* stage = create();
        // Marked at once, before any event is processed.
        QCOMPARE(label(0), QString("fresh.xml*"));
        QCOMPARE(currentSpy.count(), 1);
        QCOMPARE(currentSpy.at(0).at(0).toInt(), 0);
        QCOMPARE(stage->description(), QString("Lobby template"));
        KvStageWorkingArea* area = m_editor->stageWidget()->currentStageWorkingArea();
        QCOMPARE(area->initialStage()->description(), QString(CreatedDescription));

        // Closing asks (the question: tst_stagewidget); answered No, the tab goes and nothing is
        // written.
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::No);
        m_editor->stageWidget()->closeCurrentStage();
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(tabCount(), 0);
        QVERIFY(!QFileInfo::exists(path));

        // Created again; a save that cannot write (a folder is in the way) shows an error and
        // keeps the mark.
        stage = create();
        QVERIFY(QDir().mkpath(path));
        QList<BoxRecord> boxes;
        watcher.answerWith(recordBox(&boxes));
        QCOMPARE(KvStageDocuments::save(*m_editor), false);
        QCOMPARE(boxes, QList<BoxRecord>{"C|Error|Cannot save the stage of \"fresh.xml\".|window"});
        QCOMPARE(label(0), QString("fresh.xml*"));
        QVERIFY(m_editor->stageWidget()->isCurrentStageChangedFromInitial());
        QVERIFY(Test::editorAction(*m_editor, "Action_Save_Stage")->isEnabled());

        // Saved: its own description is written and closing asks nothing.
        QVERIFY(QDir().rmdir(path));
        QVERIFY(KvStageDocuments::save(*m_editor));
        QCOMPARE(label(0), QString("fresh.xml"));
        QVERIFY(!Test::editorAction(*m_editor, "Action_Save_Stage")->isEnabled());
        QCOMPARE(stage->description(), QString("Lobby template"));
        KvStage written(path);
        QVERIFY(written.readFile());
        QCOMPARE(written.description(), QString("Lobby template"));
        m_editor->stageWidget()->closeCurrentStage();
        QCOMPARE(tabCount(), 0);
        // Without a tab nothing is tried and nothing shown.
        QCOMPARE(KvStageDocuments::save(*m_editor), false);
        QCOMPARE(watcher.count(), 2);
    }

    // Save Stage follows the unsaved mark of the current tab only; the actions that need a stage
    // and the stage panel are turned on by the first tab and off by the last.
    void actionsFollowTheTabs()
    {
        auto* spinBox = m_editor->stagePropertyWidget()->findChild<QSpinBox*>();
        QVERIFY(spinBox);
        // A hidden action (Add Extended Screen without a plug-in) reads disabled in Qt, so only
        // the shown ones can be expected enabled. Of the two view switches, only the one to the
        // other view is offered: the timeline of a stage starts in the normal view.
        auto expectUsable = [&](bool usable) {
            for (const char* name : {"Action_Add_Multimedia_Screen", "Action_Add_Telop_Screen",
                                     "Action_Add_Extended_Screen", "Action_Edit_Event",
                                     "Action_Show_Duration", "Action_Time_View"}) {
                QAction* action = Test::editorAction(*m_editor, name);
                QVERIFY2(action && (usable ? !action->isVisible() || action->isEnabled()
                                           : !action->isEnabled()),
                         name);
            }
            QVERIFY(!Test::editorAction(*m_editor, "Action_Normal_View")->isEnabled());
            QCOMPARE(spinBox->isEnabled(), usable);
        };
        const QString b = writeStage("stage/b.xml");
        openStages({writeStage("stage/a.xml"), b});
        expectUsable(true);
        KvStageWidget* widget = m_editor->stageWidget();
        QCOMPARE(widget->currentTabIndex(), 1);
        QAction* save = Test::editorAction(*m_editor, "Action_Save_Stage");
        for (bool enabled : {false, true}) {
            save->setEnabled(enabled);
            widget->changeTabLabelNameToUnsavedState(0, !enabled);
            QCOMPARE(save->isEnabled(), enabled);
        }
        save->setEnabled(false);
        widget->changeTabLabelNameToUnsavedState(1, true);
        QVERIFY(save->isEnabled());
        widget->changeTabLabelNameToUnsavedState(1, false);
        QVERIFY(!save->isEnabled());

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

    void workingStageFileListKeepsSameNames()
    {
        QVERIFY(KvStageDocuments::workingFiles(*m_editor, false).isEmpty());
        const QString first = writeStage("stage/one/same.xml");
        const QString second = writeStage("stage/two/same.xml");
        const QString other = writeStage("stage/other.xml");
        openStages({first, second, other});
        QCOMPARE(tabCount(), 3);

        QCOMPARE(KvStageDocuments::workingFiles(*m_editor, false),
                 QStringList({"same.xml", "same.xml", "other.xml"}));
        QCOMPARE(KvStageDocuments::workingFiles(*m_editor, true),
                 QStringList({first, second, other}));

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

    // The chooser opens one turn after exec(), on the stage folder with the editor's list of
    // stages in use. It reports its choice while it is still open; the tabs come once it is gone.
    void chooserOpensOneTurnAfterExec()
    {
        const QString a = writeStage("stage/a.xml");
        QSignalSpy chooserSpy(m_editor.get(), &KvStageEditor::requestToShowStageChooser);
        KvStageChooser* chooser = nullptr;
        QString folder;
        QWidget* parent = nullptr;
        KvUsingFileList* usedList = nullptr;
        int tabsWhileOpen = -1;
        KvModalWatcher watcher;
        watcher.answerWith([&](QWidget* widget) {
            chooser = qobject_cast<KvStageChooser*>(widget);
            if (!chooser) {
                widget->close();
                return;
            }
            folder = chooser->stageDir();
            parent = chooser->parentWidget();
            usedList = chooser->usingStageList();
            emit chooser->stageHasBeenSelected({a});
            tabsWhileOpen = tabCount();
            chooser->reject();
        });

        QVERIFY(m_editor->exec());
        QCOMPARE(chooserSpy.count(), 0);
        QCOMPARE(watcher.count(), 0);
        QTRY_COMPARE(watcher.count(), 1);
        QCOMPARE(chooserSpy.count(), 1);
        QVERIFY(chooser);
        QCOMPARE(watcher.seen().at(0).title, QString("Select Stage"));
        QCOMPARE(QDir(folder), QDir(stagePath("stage")));
        QCOMPARE(parent, static_cast<QWidget*>(m_mainWindow.get()));
        QCOMPARE(usedList, m_editor->usingStageList());
        QCOMPARE(tabsWhileOpen, 0);
        QTRY_COMPARE(tabCount(), 1);
        QCOMPARE(label(0), QString("a.xml"));
        // The dialog is gone once it was closed.
        QTRY_VERIFY(!m_mainWindow->findChild<KvStageChooser*>());
    }

    // What the lists hold is KvUsingFileList's (tst_usingfilelist); here, that the editor builds
    // the stage list from the schedules of the channel folder (the channel's own file aside) and
    // the content list from the stages, and lets each builder go once it has finished.
    void usingListsAreBuiltInTheBackground()
    {
        const QString used = writeStage("stage/used.xml");
        const QString listed = writeStage("stage/listed-by-channel.xml");
        const auto schedule = [](const char* stage) {
            return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<schedule version=\"1\">"
                              "<item stage=\"") +
                   stage + "\" start=\"08:00\" end=\"18:00\"/></schedule>\n";
        };
        QVERIFY(Test::writeFile(stagePath("channel/week.xml"), schedule("stage/used.xml")));
        QVERIFY(Test::writeFile(stagePath("channel/channel.xml"),
                                schedule("stage/listed-by-channel.xml")));
        {
            KvStage stage(stagePath("stage/with-image.xml"));
            stage.setRect(QRect(0, 0, 640, 360));
            stage.setBackgroundImage("image/back.png");
            QVERIFY(stage.writeToFile());
        }

        QSignalSpy stageSpy(m_editor.get(), &KvStageEditor::usingStageListCreationFinished);
        QSignalSpy contentSpy(m_editor.get(), &KvStageEditor::usingContentListCreationFinished);
        m_editor->createUsingStageList(m_mainWindow.get());
        m_editor->createUsingContentList(m_mainWindow.get());
        QTRY_COMPARE(stageSpy.count(), 1);
        QTRY_COMPARE(contentSpy.count(), 1);
        QCOMPARE(m_editor->usingStageList()->state(), int(KvUsingFileList::Created));
        QVERIFY(m_editor->usingStageList()->hasChild(used));
        QVERIFY(!m_editor->usingStageList()->hasChild(listed));
        QCOMPARE(m_editor->usingContentList()->state(), int(KvUsingFileList::Created));
        QVERIFY(m_editor->usingContentList()->hasChild(stagePath("image/back.png")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_editor->findChildren<KvUsingFileListCreator*>().isEmpty());
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
