#include "kvdockwidget.h"
#include "kveditorconfig.h"
#include "kveditoruserconfig.h"
#include "kvlibfilesystemmodel.h"
#include "kvlibrarywidget.h"
#include "kvlibtreeview.h"
#include "kvmodalwatcher.h"
#include "kvpptconversiondialog.h"
#include "kvstageeditor.h"
#include "kvtestfactories.h"
#include "kvthumbnailwork.h"
#include "kvusingfilelist.h"

#include <QClipboard>
#include <QCommandLinkButton>
#include <QFileSystemModel>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using namespace Kova;

// The library panel of an editor on a temporary data folder, with its own settings file:
// image/a.png, image/sub/c.png, movie/m.mp4 and telop/t.txt, and a thumbnail in image/._kvthumb.
class TestLibraryWidget : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_config;
    QTemporaryDir m_outside; // files the file dialogs pick
    std::unique_ptr<Test::TempDataDir> m_data;
    std::unique_ptr<QMainWindow> m_window;
    std::unique_ptr<KvStageEditor> m_editor;
    KvModalWatcher* m_watcher = nullptr;

    KvLibraryWidget* panel() const { return m_editor->libraryWidget(); }
    KvLibTreeView* tree() const { return panel()->treeView(); }
    QString path(const QString& relative) const { return m_data->filePath(relative); }
    QAction* action(const char* name) const { return Test::field<QAction>(panel(), name); }

    // Selects the items (relative paths), expanding their folders.
    void select(const QStringList& relatives)
    {
        tree()->selectionModel()->clearSelection();
        for (const QString& relative : relatives) {
            tree()->expand(panel()->model()->index(QFileInfo(path(relative)).absolutePath()));
            const QModelIndex index = panel()->model()->index(path(relative));
            QVERIFY2(index.isValid(), qPrintable(relative));
            tree()->selectionModel()->select(index, QItemSelectionModel::Select |
                                                        QItemSelectionModel::Rows);
        }
    }
    QStringList selected() const
    {
        QStringList paths;
        for (const QString& selectedPath : tree()->selectedFilePaths(false))
            paths.append(QDir(m_data->path()).relativeFilePath(selectedPath));
        paths.sort();
        return paths;
    }
    // The names the tree shows in a folder (relative; empty: the data folder), once read.
    QString shown(const QString& relative) const
    {
        const QModelIndex folder =
            relative.isEmpty() ? tree()->rootIndex() : panel()->model()->index(path(relative));
        if (panel()->model()->canFetchMore(folder))
            panel()->model()->fetchMore(folder);
        QStringList entries;
        for (int row = 0; row < panel()->model()->rowCount(folder); ++row)
            entries.append(panel()->model()->index(row, 0, folder).data().toString());
        return entries.join(' ');
    }
    // Files of the data folder, thumbnails and trash left out.
    QStringList dataFiles() const
    {
        QStringList list;
        QDirIterator it(m_data->path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = QDir(m_data->path()).relativeFilePath(it.next());
            if (!file.startsWith("._") && !file.contains("/._"))
                list.append(file);
        }
        list.sort();
        return list;
    }
    // Background file work ends and what it queued runs.
    static void settle()
    {
        KvThumbnailWork::threadPool()->waitForDone();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The actions whose enabled state follows the selection, the clipboard and the stack.
    const QStringList names =
        QString("ActionSmall ActionLarge Action_Open_Folder_With_Shell Action_New_Folder "
                "Action_Edit_Content_File ActionUndo ActionRedo ActionCut ActionCopy ActionRemove "
                "ActionPaste ActionRename")
            .split(' ');

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid() && m_outside.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        for (const char* name : {"p.png", "q.png", "clip.mp4", "x.doc", "deck.pptx"})
            QVERIFY(Test::writeFile(m_outside.filePath(name), name));
    }

    void init()
    {
        KvEditorUserConfig::reset();
        KvEditorUserConfig::settings()->clear();
        m_data.reset(new Test::TempDataDir);
        QVERIFY(m_data->isValid());
        QVERIFY(Test::writeImage(path("image/a.png")));
        QVERIFY(Test::writeImage(path("image/sub/c.png")));
        QVERIFY(Test::writeFile(path("movie/m.mp4"), "M"));
        QVERIFY(Test::writeFile(path("telop/t.txt"), "T"));
        QVERIFY(Test::writeImage(path("image/._kvthumb/a.png")));
        KvEditorConfig::setDataDir(m_data->path());
        m_window.reset(new QMainWindow);
        m_editor.reset(new KvStageEditor(m_window.get()));
        // The list of files that saved stages use is built (and empty).
        m_editor->usingContentList()->setEntries(KvUsingFileList::Entries());
        m_editor->usingContentList()->setState(KvUsingFileList::Created);
        m_watcher = new KvModalWatcher(this);
        QApplication::clipboard()->clear();
    }

    void cleanup()
    {
        delete m_watcher;
        settle();
        m_editor.reset();
        m_window.reset();
        settle();
        m_data.reset();
    }

    void enableRules_data()
    {
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<bool>("clipboardUrls"); // else text only
        QTest::addColumn<int>("iconSide");
        QTest::addColumn<bool>("undoable");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("nothing") << QStringList() << true << 16 << false << "ActionLarge";
        QTest::newRow("top folder")
            << QStringList{"image"} << true << 16 << true
            << "ActionLarge ActionPaste ActionUndo Action_New_Folder Action_Open_Folder_With_Shell";
        QTest::newRow("one file")
            << QStringList{"image/a.png"} << false << 32 << false
            << "ActionCopy ActionCut ActionRemove ActionRename ActionSmall "
               "Action_Edit_Content_File Action_New_Folder Action_Open_Folder_With_Shell";
        QTest::newRow("two items") << QStringList{"image/a.png", "image/sub"} << true << 16 << false
                                   << "ActionCopy ActionCut ActionLarge ActionRemove";
    }
    void enableRules()
    {
        QFETCH(QStringList, selection);
        QFETCH(bool, clipboardUrls);
        QFETCH(int, iconSide);
        QFETCH(bool, undoable);
        QFETCH(QString, enabled);
        select(selection);
        auto* data = new QMimeData;
        clipboardUrls ? data->setUrls({QUrl::fromLocalFile(m_outside.filePath("p.png"))})
                      : data->setText("words");
        QApplication::clipboard()->setMimeData(data);
        iconSide == 16 ? panel()->changeTreeViewIconSizeToSmall()
                       : panel()->changeTreeViewIconSizeToLarge();
        if (undoable)
            m_editor->libraryUndoStack()->push(new QUndoCommand("step"));
        emit panel()->libraryMenu()->aboutToShow();
        emit Test::field<QMenu>(panel(), "LibraryEditMenu")->aboutToShow();
        QStringList actual;
        for (QAction* entry : panel()->findChildren<QAction*>()) {
            if (entry->isEnabled() && names.contains(entry->objectName()))
                actual.append(entry->objectName());
        }
        actual.sort();
        QCOMPARE(actual.join(' '), enabled);
    }

    // Copy and Paste (into the selected file's folder) copy, Delete sends the file to the
    // trash; each through the library stack, which Undo and Redo go through.
    void keys()
    {
        QUndoStack* stack = m_editor->libraryUndoStack();
        select({"image/sub/c.png"});
        // Whether the file is there after the key.
        const auto press = [this](QKeySequence::StandardKey key, const char* file) {
            QTest::keySequence(tree(), key);
            settle();
            return QFileInfo::exists(path(file));
        };
        QVERIFY(press(QKeySequence::Copy, "image/sub/c.png"));
        select({"movie/m.mp4"});
        press(QKeySequence::Paste, "movie/c.png");
        QTRY_VERIFY(QFileInfo::exists(path("movie/c.png")));
        select({"image/sub/c.png"});
        QVERIFY(!press(QKeySequence::Delete, "image/sub/c.png"));
        QCOMPARE(stack->count(), 2);
        QVERIFY(press(QKeySequence::Undo, "image/sub/c.png"));
        QCOMPARE(stack->index(), 1); // one key, one step
        QVERIFY(!press(QKeySequence::Redo, "image/sub/c.png"));
        QCOMPARE(stack->index(), 2);
    }

    // Update View re-selects the same rows once the event loop runs; F5 clears the selection;
    // the tree then shows the five media folders and hides thumbnails, and a rebuilt
    // model's drops still reach the editor.
    void refresh_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("Update View")
            << "ActionUpdateView" << QStringList{"image/a.png", "image/sub", "movie/m.mp4"};
        QTest::newRow("F5") << "F5" << QStringList();
        QTest::newRow("new model") << "refreshModel" << QStringList();
    }
    void refresh()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, after);
        select({"image/a.png", "image/sub", "movie/m.mp4"});
        if (command == "F5")
            QTest::keyClick(tree(), Qt::Key_F5);
        else if (command == "refreshModel")
            panel()->refreshModel();
        else
            action(qPrintable(command))->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(selected(), after);
        QCOMPARE(shown(""), QString("flash image movie telop web"));
        QTRY_COMPARE(shown("image"), QString("sub a.png"));
        if (command != "refreshModel")
            return;
        QMimeData drop;
        drop.setUrls({QUrl::fromLocalFile(m_outside.filePath("q.png"))});
        QVERIFY(panel()->model()->dropMimeData(&drop, Qt::CopyAction, -1, 0, tree()->rootIndex()));
        QTRY_VERIFY(QFileInfo::exists(path("image/q.png")));
    }

    void iconSizeSetting()
    {
        KvEditorUserConfig::setValue("library/treeView/iconSize", QSize(32, 32));
        KvLibraryWidget large(m_editor.get());
        QCOMPARE(large.treeView()->iconSize(), QSize(32, 32));
        Test::field<QAction>(&large, "ActionSmall")->trigger();
        large.saveSettings();
        KvEditorUserConfig::reset();
        QSettings onDisk(QDir(m_config.path()).filePath("kova/stageeditor.conf"),
                         QSettings::IniFormat);
        QCOMPARE(onDisk.value("library/treeView/iconSize").toSize(), QSize(16, 16));
    }

    void addContentFiles_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("distribution"); // the answer; 0: no question expected
        QTest::addColumn<QStringList>("added");
        const QString image = "Image ( *.png *.jpg *.jpeg *.bmp *.gif)";
        QTest::newRow("mixed, sorted") << "image/sub" << QStringList{"p.png", "clip.mp4"} << image
                                       << 1 << QStringList{"image/p.png", "movie/clip.mp4"};
        QTest::newRow("mixed, into folder")
            << "image/sub" << QStringList{"p.png", "clip.mp4"} << image << 2
            << QStringList{"image/sub/clip.mp4", "image/sub/p.png"};
        QTest::newRow("pictures into picture folder")
            << "image/sub/c.png" << QStringList{"p.png", "q.png"} << image << 0
            << QStringList{"image/sub/p.png", "image/sub/q.png"};
        QTest::newRow("nothing selected")
            << "" << QStringList{"p.png", "clip.mp4", "x.doc"} << "Any ( *.*)" << 0
            << QStringList{"image/p.png", "movie/clip.mp4"};
        QTest::newRow("telop folder")
            << "telop" << QStringList{"p.png"} << "Telop ( *.txt)" << 3 << QStringList();
    }
    void addContentFiles()
    {
        QFETCH(QString, selection);
        QFETCH(QStringList, chosen);
        QFETCH(QString, filter);
        QFETCH(int, distribution);
        QFETCH(QStringList, added);
        select(selection.isEmpty() ? QStringList() : QStringList{selection});
        const QStringList before = dataFiles();
        QStringList filters;
        m_watcher->answerWith([&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            filters = dialog->nameFilters();
            // The user shows every file to pick ones the offered filter hides.
            dialog->setNameFilter("*");
            dialog->setDirectory(m_outside.path());
            // Picks the files in the list once the folder is shown unfiltered.
            auto* list = dialog->findChild<QListView*>("listView");
            const auto* model = qobject_cast<QFileSystemModel*>(list->model());
            const auto rows = [&]() {
                QModelIndexList found;
                for (const QString& name : chosen)
                    found.append(model->index(m_outside.filePath(name)));
                found.removeAll(QModelIndex());
                return found;
            };
            if (!QTest::qWaitFor([&]() { return rows().size() == chosen.size(); }))
                return dialog->reject(); // the checks of the result fail
            for (const QModelIndex& index : rows())
                list->selectionModel()->select(index, QItemSelectionModel::Select |
                                                          QItemSelectionModel::Rows);
            static_cast<QDialog*>(dialog)->accept();
        });
        if (distribution) {
            m_watcher->answerWith([distribution](QWidget* widget) {
                const auto buttons = widget->findChildren<QCommandLinkButton*>();
                distribution <= buttons.size() ? buttons.at(distribution - 1)->click()
                                               : static_cast<QDialog*>(widget)->reject();
            });
        }
        action("Action_Add_Content_File")->trigger();
        settle();
        filters.removeAll(QString());
        QCOMPARE(filters, QStringList{filter});
        QCOMPARE(m_watcher->count(), distribution ? 2 : 1);
        QCOMPARE(m_watcher->seen().last().title,
                 distribution ? "Add To Library" : "Select Content File");
        QCOMPARE(m_editor->libraryUndoStack()->count(), added.isEmpty() ? 0 : 1);
        QStringList expected = before + added;
        expected.sort();
        QTRY_COMPARE(dataFiles(), expected);
    }

    // What a command asks, by the modal widgets it opens ("class" or "class|title|text" for
    // a message box, ";" between), and what is selected afterwards. The name dialog gets
    // `name` (none: cancelled) and the editor then saves the file; a message box gets No.
    void dialogs_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("command"); // an action, or "double-click"
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("seen");
        QTest::addColumn<QString>("after"); // selected
        const auto row = [](const char* tag, const char* selection, const char* command,
                            const char* name, const char* seen, const char* after) {
            QTest::newRow(tag) << QString(selection) << QString(command) << QString(name)
                               << QString(seen) << QString(after);
        };
        row("new telop", "", "Action_New_Telop", "news.txt",
            "Kova::KvInputNameDialog;Kova::KvTelopEditor", "telop/news.txt");
        row("new url", "", "Action_New_Url", "site.url",
            "Kova::KvInputNameDialog;Kova::KvUrlEditor", "web/site.url");
        row("name cancelled", "", "Action_New_Telop", "", "Kova::KvInputNameDialog", "");
        row("edit picture", "image/a.png", "double-click", "",
            "QMessageBox|Edit Content File|This file \"a.png\" can not be edited in Lumora "
            "Editor.\nDo you want to open this file in the application associated with it?",
            "image/a.png");
        row("edit telop", "telop/t.txt", "Action_Edit_Content_File", "", "Kova::KvTelopEditor",
            "telop/t.txt");
    }
    void dialogs()
    {
        QFETCH(QString, selection);
        QFETCH(QString, command);
        QFETCH(QString, name);
        QFETCH(QString, seen);
        QFETCH(QString, after);
        m_editor->libraryDock()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_editor->libraryDock()));
        select(selection.isEmpty() ? QStringList() : QStringList{selection});
        if (!name.isEmpty()) {
            m_watcher->answerWith([name](QWidget* widget) {
                widget->findChild<QLineEdit*>()->setText(name);
                static_cast<QDialog*>(widget)->accept();
            });
            m_watcher->answerWith([&](QWidget* widget) {
                QVERIFY(Test::writeFile(path(after), "saved"));
                static_cast<QDialog*>(widget)->accept();
            });
        }
        m_watcher->answer(QMessageBox::No);
        if (command == "double-click") {
            const QModelIndex index = panel()->model()->index(path(selection));
            tree()->scrollTo(index);
            const QPoint center = tree()->visualRect(index).center();
            QVERIFY(tree()->viewport()->rect().contains(center));
            QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, center);
            QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, center);
        } else {
            action(qPrintable(command))->trigger();
        }
        settle();
        QStringList actual;
        for (const KvModalWatcher::Seen& shown : m_watcher->seen())
            actual.append(shown.className +
                          (shown.text.isEmpty() ? "" : '|' + shown.title + '|' + shown.text));
        QCOMPARE(actual.join(';'), seen);
        QCOMPARE(selected(), after.isEmpty() ? QStringList() : QStringList{after});
    }

    // A presentation dropped from outside starts its conversion dialog; while it is open,
    // "Add PPT file..." only brings it forward.
    void pptConversionRunning()
    {
        QMimeData drop;
        drop.setUrls({QUrl::fromLocalFile(m_outside.filePath("deck.pptx"))});
        QVERIFY(panel()->model()->dropMimeData(&drop, Qt::CopyAction, -1, 0, tree()->rootIndex()));
        QTRY_COMPARE(panel()->findChildren<KvPptConversionDialog*>().size(), 1);
        auto* dialog = panel()->findChild<KvPptConversionDialog*>();
        QTRY_VERIFY(dialog->isVisible());
        dialog->hide();
        emit panel()->libraryMenu()->aboutToShow();
        QAction* ppt = action("Action_Add_Ppt_File");
        QCOMPARE(ppt->text(), QString("Show PPT Conversion Progress..."));
        QVERIFY(ppt->isEnabled());
        ppt->trigger();
        QVERIFY(dialog->isVisible());
        QCOMPARE(panel()->findChildren<KvPptConversionDialog*>().size(), 1);
        QCOMPARE(m_watcher->count(), 0);
        delete dialog;
        emit panel()->libraryMenu()->aboutToShow();
        QCOMPARE(ppt->text(), QString("Add PPT file..."));
    }

    void openFolderFailureIsShown()
    {
        panel()->openFolderWithShell(path("gone"));
        QCOMPARE(m_watcher->count(), 1);
        QCOMPARE(m_watcher->seen().first().title, QString("Notice"));
    }
};

QTEST_MAIN(TestLibraryWidget)
#include "tst_librarywidget.moc"
