#include "kvmodalwatcher.h"

#include "kveditorconfig.h"
#include "kvstage.h"
#include "kvstagechooser.h"
#include "kvstagecreator.h"
#include "kvstageeditor.h"
#include "kvstagepropertywidget.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
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
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

const char* const CreatedDescription = "This is a created new stage that is not saved.";

// What a message box looked like when it was answered.
struct BoxRecord
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
};

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openingSkipsOpenAndUnreadableStages();
    void openingOnlyOpenStagesChangesNothing();
    void chosenStagesOpenAfterTheChooserReturns();
    void saveAsCancelledChangesNothing();
    void saveAsToAnUnwritablePlaceKeepsTheNewPath();
    void saveAsWritesAndRenamesTheTab();
    void saveAsWithoutExtensionWritesAnXmlStage();
    void saveFailingKeepsTheMark();
    void createdStageIsMarkedUntilSaved();
    void stageActionsFollowFirstAndLastTab();
    void saveActionFollowsOnlyTheCurrentTab();
    void workingStageFileListKeepsSameNames();
    void chooserOpensOneTurnAfterExec();
    void usingListsAreBuiltInTheBackground();

private:
    QString writeStage(const QString& relativePath, const QString& description = QString());
    QString stagePath(const QString& name) const;
    void openStages(const QStringList& paths);
    QString label(int index) const;
    int tabCount() const;
    // An answer for the watcher that records the message box and presses its OK button.
    std::function<void(QWidget*)> recordBox(QList<BoxRecord>* records);
    // An answer for the watcher that picks `path` in the save dialog and accepts it.
    static std::function<void(QWidget*)>
    chooseFile(const QString& path, QStringList* filters = nullptr, QString* startFile = nullptr);

    std::unique_ptr<QTemporaryDir> m_dataDir;
    std::unique_ptr<QMainWindow> m_mainWindow;
    std::unique_ptr<KvStageEditor> m_editor;
};

void TestDocuments::init()
{
    m_dataDir.reset(new QTemporaryDir);
    QVERIFY(m_dataDir->isValid());
    QDir(m_dataDir->path()).mkpath(QStringLiteral("stage"));
    QDir(m_dataDir->path()).mkpath(QStringLiteral("channel"));
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

QString TestDocuments::stagePath(const QString& name) const
{
    return QDir(m_dataDir->path()).absoluteFilePath(name);
}

QString TestDocuments::writeStage(const QString& relativePath, const QString& description)
{
    const QString path = stagePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    KvStage stage(path);
    stage.setRect(QRect(0, 0, 1920, 1080));
    stage.setBackgroundColor(QColor(10, 20, 30));
    stage.setDescription(description);
    if (!stage.writeToFile())
        return QString();
    return path;
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
    return [records](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box) {
            widget->close();
            return;
        }
        records->append({box->windowTitle(), box->text(), box->icon(), box->parentWidget()});
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    };
}

std::function<void(QWidget*)> TestDocuments::chooseFile(const QString& path, QStringList* filters,
                                                       QString* startFile)
{
    return [path, filters, startFile](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        if (filters)
            *filters = dialog->nameFilters();
        if (startFile)
            *startFile = dialog->selectedFiles().value(0);
        KvModalWatcher::acceptFile(dialog, path);
    };
}

// Three stages chosen: the second is open already, the third is no stage file. Only the
// first opens; the boxes come in order and the first stage's tab becomes current.
void TestDocuments::openingSkipsOpenAndUnreadableStages()
{
    const QString a = writeStage("stage/a.xml");
    const QString b = writeStage("stage/b.xml");
    const QString broken = stagePath("stage/broken.xml");
    {
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<stage><screen");
    }
    openStages({a});
    QCOMPARE(tabCount(), 1);

    QSignalSpy currentSpy(m_editor.get(), SIGNAL(requestSetCurrentStageTab(int)));
    QList<BoxRecord> boxes;
    KvModalWatcher watcher;
    watcher.answerWith(recordBox(&boxes));
    watcher.answerWith(recordBox(&boxes));
    m_editor->onStageHasBeenSelected({b, a, broken});

    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.at(0).title, QString("Information"));
    QCOMPARE(boxes.at(0).text, QString("The Stage of \"a.xml\" is already opened."));
    QCOMPARE(boxes.at(0).icon, QMessageBox::Warning);
    QCOMPARE(boxes.at(0).parent, static_cast<QWidget*>(m_editor->stageWidget()));
    QCOMPARE(boxes.at(1).title, QString("Error"));
    QCOMPARE(boxes.at(1).text, QString("Cannot open the stage of \"broken.xml\""));
    QCOMPARE(boxes.at(1).icon, QMessageBox::Critical);
    QCOMPARE(boxes.at(1).parent, static_cast<QWidget*>(m_mainWindow.get()));

    QCOMPARE(tabCount(), 2);
    QCOMPARE(label(1), QString("b.xml"));
    QCOMPARE(currentSpy.count(), 1);
    QCOMPARE(currentSpy.at(0).at(0).toInt(), 1);
    // The tab change is queued to the stage widget.
    QTRY_COMPARE(m_editor->stageWidget()->currentTabIndex(), 1);
    QCOMPARE(m_editor->currentStage()->filePath(), b);
    // A stage read from its file starts saved.
    QVERIFY(!label(1).endsWith('*'));
}

void TestDocuments::openingOnlyOpenStagesChangesNothing()
{
    const QString a = writeStage("stage/a.xml");
    const QString b = writeStage("stage/b.xml");
    openStages({a, b});
    QCOMPARE(tabCount(), 2);
    m_editor->stageWidget()->setCurrentStageTab(0);

    QSignalSpy currentSpy(m_editor.get(), SIGNAL(requestSetCurrentStageTab(int)));
    KvModalWatcher watcher;
    watcher.answer(QMessageBox::Ok);
    watcher.answer(QMessageBox::Ok);
    m_editor->onStageHasBeenSelected({b, a});
    QCoreApplication::processEvents();

    QCOMPARE(watcher.count(), 2);
    QCOMPARE(watcher.seen().at(0).text, QString("The Stage of \"b.xml\" is already opened."));
    QCOMPARE(watcher.seen().at(1).text, QString("The Stage of \"a.xml\" is already opened."));
    QCOMPARE(currentSpy.count(), 0);
    QCOMPARE(tabCount(), 2);
    QCOMPARE(m_editor->stageWidget()->currentTabIndex(), 0);

    // An empty choice does nothing at all.
    m_editor->onStageHasBeenSelected({});
    QCOMPARE(watcher.count(), 2);
    QCOMPARE(currentSpy.count(), 0);
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
        QMetaObject::invokeMethod(chooser, "stageHasBeenSelected", Q_ARG(QStringList, {a}));
        tabsWhileOpen = tabCount();
        chooser->reject();
    });
    QVERIFY(QMetaObject::invokeMethod(m_editor.get(), "showStageChooser"));
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(tabsWhileOpen, 0);
    QCOMPARE(QDir(chooserFolder), QDir(stagePath("stage")));
    QCOMPARE(chooserParent, static_cast<QWidget*>(m_mainWindow.get()));
    QTRY_COMPARE(tabCount(), 1);
    QCOMPARE(label(0), QString("a.xml"));
}

void TestDocuments::saveAsCancelledChangesNothing()
{
    const QString a = writeStage("stage/a.xml");
    openStages({a});
    KvStage* stage = m_editor->currentStage();
    QVERIFY(stage);
    stage->setDescription("edited");
    m_editor->stageWidget()->changeTabLabelNameToUnsavedState(0, true);

    QStringList filters;
    QString startFile;
    QString title;
    KvModalWatcher watcher;
    watcher.answerWith([&](QWidget* widget) {
        title = widget->windowTitle();
        if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
            filters = dialog->nameFilters();
            startFile = dialog->selectedFiles().value(0);
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(dialog->parentWidget(), static_cast<QWidget*>(m_mainWindow.get()));
            dialog->reject();
        } else {
            widget->close();
        }
    });
    QVERIFY(QMetaObject::invokeMethod(m_editor.get(), "saveCurrentStageAs"));

    QCOMPARE(watcher.count(), 1);
    QCOMPARE(watcher.seen().at(0).className, QString("QFileDialog"));
    QCOMPARE(title, QString("Save Stage"));
    QVERIFY2(filters.contains("Stages (*.xml *.kstg)"), qPrintable(filters.join('|')));
    QCOMPARE(startFile, a);
    QCOMPARE(stage->filePath(), a);
    QCOMPARE(label(0), QString("a.xml*"));
    KvStage onDisk(a);
    QVERIFY(onDisk.readFile());
    QVERIFY(onDisk.description().isEmpty());
}

void TestDocuments::saveAsToAnUnwritablePlaceKeepsTheNewPath()
{
    const QString a = writeStage("stage/a.xml");
    openStages({a});
    KvStage* stage = m_editor->currentStage();
    stage->setDescription("edited");
    m_editor->stageWidget()->changeTabLabelNameToUnsavedState(0, true);
    KvStageWorkingArea* area = m_editor->stageWidget()->currentStageWorkingArea();
    const KvStage* snapshot = area->initialStage();

    // A folder that does not exist cannot take the file, not even for root.
    const QString target = stagePath("stage/missing/renamed.xml");
    QList<BoxRecord> boxes;
    KvModalWatcher watcher;
    watcher.answerWith(chooseFile(target));
    watcher.answerWith(recordBox(&boxes));
    QVERIFY(QMetaObject::invokeMethod(m_editor.get(), "saveCurrentStageAs"));

    QCOMPARE(watcher.count(), 2);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.at(0).title, QString("Error"));
    QCOMPARE(boxes.at(0).text, QString("Cannot save the stage of \"renamed.xml\"."));
    QCOMPARE(boxes.at(0).icon, QMessageBox::Critical);
    QCOMPARE(stage->filePath(), target);
    QCOMPARE(label(0), QString("a.xml*"));
    QCOMPARE(area->initialStage(), snapshot);
    QVERIFY(!QFileInfo::exists(target));
}

void TestDocuments::saveAsWritesAndRenamesTheTab()
{
    const QString a = writeStage("stage/a.xml");
    openStages({a});
    KvStage* stage = m_editor->currentStage();
    stage->setDescription("edited");
    m_editor->stageWidget()->changeTabLabelNameToUnsavedState(0, true);
    QAction* save = m_editor->getAction("Action_Save_Stage");
    QVERIFY(save->isEnabled());

    const QString target = stagePath("stage/renamed.xml");
    KvModalWatcher watcher;
    watcher.answerWith(chooseFile(target));
    QVERIFY(QMetaObject::invokeMethod(m_editor.get(), "saveCurrentStageAs"));

    QCOMPARE(watcher.count(), 1);
    QCOMPARE(stage->filePath(), target);
    QCOMPARE(label(0), QString("renamed.xml"));
    QVERIFY(!save->isEnabled());
    QVERIFY(!m_editor->stageWidget()->isCurrentStageChangedFromInitial());
    KvStage written(target);
    QVERIFY(written.readFile());
    QCOMPARE(written.description(), QString("edited"));
    // The old file is left as it was.
    KvStage old(a);
    QVERIFY(old.readFile());
    QVERIFY(old.description().isEmpty());
}

// A name typed without an extension must still give a file that the stage chooser lists.
void TestDocuments::saveAsWithoutExtensionWritesAnXmlStage()
{
    const QString a = writeStage("stage/a.xml");
    openStages({a});
    KvStage* stage = m_editor->currentStage();
    QVERIFY(stage);

    KvModalWatcher watcher;
    watcher.answerWith(chooseFile(stagePath("stage/shop")));
    QVERIFY(QMetaObject::invokeMethod(m_editor.get(), "saveCurrentStageAs"));

    QCOMPARE(watcher.count(), 1);
    const QString expected = stagePath("stage/shop.xml");
    QCOMPARE(stage->filePath(), expected);
    QCOMPARE(label(0), QString("shop.xml"));
    QVERIFY(QFileInfo::exists(expected));
    QVERIFY(!QFileInfo::exists(stagePath("stage/shop")));
    // The stage has no name of its own: the stage panel shows the new file name.
    KvStagePropertyWidget* panel = m_editor->stagePropertyWidget();
    QVERIFY(panel);
    auto* name = panel->findChild<QLabel*>("label_Name");
    QVERIFY(name);
    QVERIFY2(name->text().endsWith("shop.xml"), qPrintable(name->text()));
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
    QCOMPARE(m_editor->saveCurrentStage(), false);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.at(0).title, QString("Error"));
    QCOMPARE(boxes.at(0).text, QString("Cannot save the stage of \"new.xml\"."));
    QCOMPARE(boxes.at(0).parent, static_cast<QWidget*>(m_mainWindow.get()));
    QCOMPARE(label(0), QString("new.xml*"));
    QVERIFY(m_editor->stageWidget()->isCurrentStageChangedFromInitial());
    QVERIFY(m_editor->getAction("Action_Save_Stage")->isEnabled());

    // Without a tab nothing is tried and nothing shown.
    m_editor->stageWidget()->currentStageWorkingArea()->resetInitialStage();
    m_editor->closeAllStageTab();
    QCOMPARE(m_editor->saveCurrentStage(), false);
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
    QSignalSpy currentSpy(m_editor.get(), SIGNAL(requestSetCurrentStageTab(int)));
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
    m_editor->closeCurrentStageTab();
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
    QVERIFY(m_editor->saveCurrentStage());
    QCOMPARE(label(0), QString("fresh.xml"));
    QVERIFY(!m_editor->getAction("Action_Save_Stage")->isEnabled());
    QCOMPARE(stage->description(), QString("Lobby template"));
    KvStage written(path);
    QVERIFY(written.readFile());
    QCOMPARE(written.description(), QString("Lobby template"));
    m_editor->closeCurrentStageTab();
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(tabCount(), 0);
}

void TestDocuments::stageActionsFollowFirstAndLastTab()
{
    const QStringList names = {"Action_Add_Multimedia_Screen",
                               "Action_Add_Telop_Screen",
                               "Action_Add_Extended_Screen",
                               "Action_Edit_Event",
                               "Action_Show_Duration",
                               "Action_Normal_View",
                               "Action_Time_View"};
    for (const QString& name : names)
        QVERIFY2(m_editor->getAction(name), qPrintable(name));
    // A hidden action (Add Extended Screen without a plug-in) stays disabled in Qt, so
    // only the shown ones can be expected enabled.
    auto isUsable = [this](const QString& name) {
        QAction* action = m_editor->getAction(name);
        return !action->isVisible() || action->isEnabled();
    };
    auto* spinBox = m_editor->stagePropertyWidget()->findChild<QSpinBox*>();
    QVERIFY(spinBox);

    const QString a = writeStage("stage/a.xml");
    const QString b = writeStage("stage/b.xml");
    openStages({a, b});
    for (const QString& name : names)
        QVERIFY2(isUsable(name), qPrintable(name));
    QVERIFY(spinBox->isEnabled());

    // Closing one of two tabs changes nothing; closing the last disables them all.
    m_editor->closeCurrentStageTab();
    QCOMPARE(tabCount(), 1);
    for (const QString& name : names)
        QVERIFY2(isUsable(name), qPrintable(name));
    m_editor->closeCurrentStageTab();
    QCOMPARE(tabCount(), 0);
    for (const QString& name : names)
        QVERIFY2(!m_editor->getAction(name)->isEnabled(), qPrintable(name));
    QVERIFY(!spinBox->isEnabled());

    openStages({b});
    for (const QString& name : names)
        QVERIFY2(isUsable(name), qPrintable(name));
    QVERIFY(spinBox->isEnabled());

    // The same through Close All.
    m_editor->closeAllStageTab();
    for (const QString& name : names)
        QVERIFY2(!m_editor->getAction(name)->isEnabled(), qPrintable(name));
}

void TestDocuments::saveActionFollowsOnlyTheCurrentTab()
{
    const QString a = writeStage("stage/a.xml");
    const QString b = writeStage("stage/b.xml");
    openStages({a, b});
    KvStageWidget* widget = m_editor->stageWidget();
    QCOMPARE(widget->currentTabIndex(), 1);
    QAction* save = m_editor->getAction("Action_Save_Stage");
    save->setEnabled(false);

    // The tab that is not current is marked: Save Stage stays as it is.
    widget->changeTabLabelNameToUnsavedState(0, true);
    QCOMPARE(label(0), QString("a.xml*"));
    QVERIFY(!save->isEnabled());
    m_editor->onUnsavedStateChanged(0, true);
    QVERIFY(!save->isEnabled());
    save->setEnabled(true);
    m_editor->onUnsavedStateChanged(0, false);
    QVERIFY(save->isEnabled());

    // The current tab drives it both ways.
    widget->changeTabLabelNameToUnsavedState(1, true);
    QVERIFY(save->isEnabled());
    save->setEnabled(false);
    m_editor->onUnsavedStateChanged(1, true);
    QVERIFY(save->isEnabled());
    widget->changeTabLabelNameToUnsavedState(1, false);
    QVERIFY(!save->isEnabled());
}

void TestDocuments::workingStageFileListKeepsSameNames()
{
    QVERIFY(m_editor->workingStageFileList(false).isEmpty());
    const QString first = writeStage("stage/one/same.xml");
    const QString second = writeStage("stage/two/same.xml");
    const QString other = writeStage("stage/other.xml");
    openStages({first, second, other});
    QCOMPARE(tabCount(), 3);

    QCOMPARE(m_editor->workingStageFileList(false),
             QStringList({"same.xml", "same.xml", "other.xml"}));
    QCOMPARE(m_editor->workingStageFileList(true), QStringList({first, second, other}));
    QVERIFY(m_editor->hasStageFileOpened(second));
    QVERIFY(!m_editor->hasStageFileOpened(stagePath("stage/same.xml")));

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
            creator->reject();
        } else {
            widget->close();
        }
    });
    QVERIFY(QMetaObject::invokeMethod(m_editor.get(), "showStageCreator"));
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(namesInUse.count("same.xml"), 1);
    QCOMPARE(namesInUse.count("other.xml"), 1);
    QCOMPARE(QDir(creatorFolder), QDir(stagePath("stage")));
    QCOMPARE(creatorParent, static_cast<QWidget*>(m_mainWindow.get()));
    QCOMPARE(tabCount(), 3);
}

void TestDocuments::chooserOpensOneTurnAfterExec()
{
    QSignalSpy chooserSpy(m_editor.get(), SIGNAL(requestToShowStageChooser()));
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
    auto writeFile = [this](const QString& relativePath, const QByteArray& content) {
        QFile file(stagePath(relativePath));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    writeFile("channel/week.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<schedule version=\"1\"><item stage=\"stage/used.xml\" "
                                  "start=\"08:00\" end=\"18:00\"/></schedule>\n");
    // The channel's own description is not a schedule, even when it looks like one.
    writeFile("channel/channel.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<schedule version=\"1\"><item stage=\"stage/listed-by-channel.xml\" "
              "start=\"08:00\" end=\"18:00\"/></schedule>\n");

    QSignalSpy stageSpy(m_editor.get(), SIGNAL(usingStageListCreationFinished()));
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
    QSignalSpy contentSpy(m_editor.get(), SIGNAL(usingContentListCreationFinished()));
    m_editor->createUsingContentList(m_mainWindow.get());
    QTRY_COMPARE(contentSpy.count(), 1);
    KvUsingFileList* content = m_editor->usingContentList();
    QCOMPARE(content->state(), int(KvUsingFileList::Created));
    QVERIFY(content->hasChild(stagePath("image/back.png")));
    QVERIFY(!content->hasChild(stagePath("image/other.png")));

    // Each builder is gone after its single finished().
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_editor->findChildren<KvUsingFileListCreator*>().isEmpty());
    QTest::qWait(20);
    QCOMPARE(stageSpy.count(), 1);
    QCOMPARE(contentSpy.count(), 1);
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
