#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kveditorteardown.h"
#include "kvfilemanipulator.h"
#include "kvlibfilesystemmodel.h"
#include "kvlibraryfileoperator.h"
#include "kvlibrarywidget.h"
#include "kvlibtreeview.h"
#include "kvmodalwatcher.h"
#include "kvstageeditor.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvtestfactories.h"
#include "kvthumbnailwork.h"
#include "kvusingfilelist.h"
#include "pastelibraryfile.h"

#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QLineEdit>
#include <QMainWindow>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QUndoStack>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Kova;

namespace {
using PathPair = KvFileListCreator::PathPair;
using PairList = QList<PathPair>;
} // namespace

class TestLibraryOperations : public QObject
{
    Q_OBJECT

public:
    // Runs m_onListing once, when the next file manipulator made under the main window has looked
    // at its sources and before it touches a file: the window reports the new child, the child's
    // first event (it is fully built by then) connects to its listingFinished.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window.get() && event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        else if (auto* manipulator = qobject_cast<KvFileManipulator*>(watched)) {
            manipulator->removeEventFilter(this);
            connect(manipulator, &KvFileManipulator::listingFinished, this, [this]() {
                const std::function<void()> once = std::move(m_onListing);
                m_onListing = nullptr;
                if (once)
                    once();
            });
        }
        return false;
    }

private:
    std::function<void()> m_onListing;
    std::unique_ptr<Test::TempDataDir> m_data;
    std::unique_ptr<QMainWindow> m_window;
    std::unique_ptr<KvStageEditor> m_editor;

    QString path(const QString& relative) const { return m_data->filePath(relative); }
    QUndoStack* stack() const { return m_editor->libraryUndoStack(); }

    void write(const QString& relative, const QByteArray& bytes)
    {
        QVERIFY(Test::writeFile(path(relative), bytes));
    }
    QByteArray read(const QString& relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Every file's path (relative to the data folder) and bytes, thumbnails included; the
    // media tool's property records are left out (an entry under an old name may stay), the
    // trash is in unless `withTrash` is false.
    QByteArray treeHash(bool withTrash = true) const
    {
        QStringList files;
        QDirIterator it(m_data->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        const QDir root(m_data->path());
        while (it.hasNext()) {
            const QString relative = root.relativeFilePath(it.next());
            if (relative.endsWith(QLatin1String("._kvthumb/properties.json")))
                continue;
            if (!withTrash && relative.startsWith(QLatin1String("._kvtrash")))
                continue;
            files.append(relative);
        }
        files.sort();
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (const QString& file : qAsConst(files)) {
            hash.addData(file.toUtf8());
            hash.addData(read(file));
        }
        return hash.result().toHex();
    }

    // The list of files that saved stages use, built: `entries` maps a used file (relative)
    // to the stage files (names in stage/) that use it.
    void setSavedStageUse(const QMap<QString, QStringList>& entries)
    {
        KvUsingFileList::Entries absolute;
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            QStringList stages;
            for (const QString& stage : it.value())
                stages.append(m_data->stagePath(stage));
            absolute.insert(path(it.key()), stages);
        }
        m_editor->usingContentList()->setEntries(absolute);
        m_editor->usingContentList()->setState(KvUsingFileList::Created);
    }

    // Writes a stage in stage/ whose one screen plays `mediaRelative`; opens it if asked.
    void writeStageUsing(const QString& stageName, const QString& mediaRelative, bool open)
    {
        std::unique_ptr<KvStage> stage(
            Test::makeStage(m_data->stagePath(stageName), {800, 600}, 1));
        stage->screenList().first()->addMedia(
            new KvMedia(mediaRelative, MediaType::Image, stage->screenList().first()));
        QVERIFY(stage->writeToFile());
        if (open)
            m_editor->onStageHasBeenSelected({m_data->stagePath(stageName)});
        QCoreApplication::processEvents();
    }

    // Thumbnail work of copies (started one event loop turn after it is asked for) ends,
    // queued clears of the stack and late deletions run.
    void settle()
    {
        QCoreApplication::processEvents();
        KvThumbnailWork::threadPool()->waitForDone();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Records each message box as "icon|title|text" (icon C for critical) and presses Ok.
    static std::function<void(QWidget*)> record(QStringList* boxes)
    {
        return [boxes](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            boxes->append(!box ? QStringLiteral("<not a message box>")
                               : (box->icon() == QMessageBox::Critical ? "C|" : "?|") +
                                     box->windowTitle() + '|' + box->text());
            box ? box->button(QMessageBox::Ok)->click() : void(widget->close());
        };
    }

private slots:
    void init()
    {
        m_data.reset(new Test::TempDataDir);
        QVERIFY(m_data->isValid());
        KvEditorConfig::setDataDir(m_data->path());
        m_window.reset(new QMainWindow);
        m_editor.reset(new KvStageEditor(m_window.get()));
        m_window->installEventFilter(this);
        setSavedStageUse({});
        write("image/a.txt", "A");
        write("image/b.txt", "B");
        write("movie/b.txt", "old B");
        write("image/sub/c.txt", "C");
    }

    void cleanup()
    {
        m_onListing = nullptr;
        settle();
        Test::discardEditor(m_editor, m_window);
        settle();
        m_data.reset();
    }

    // The library's numbering (0 remove, 1 move, 2 copy, 3 rename) is not the manipulator's
    // (0 copy, 1 move, 2 remove).
    void operationTypes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("manipulatorType");
        QTest::addColumn<QString>("verb");
        QTest::newRow("remove") << 0 << 2 << "delete";
        QTest::newRow("move") << 1 << 1 << "move";
        QTest::newRow("copy") << 2 << 0 << "copy";
        QTest::newRow("rename") << 3 << -1 << "rename";
        QTest::newRow("other") << 7 << -1 << "operate";
    }
    void operationTypes()
    {
        QFETCH(int, type);
        QFETCH(int, manipulatorType);
        QFETCH(QString, verb);
        QCOMPARE(KvLibraryFileOperator::manipulatorOperationType(type), manipulatorType);
        QCOMPARE(KvLibraryFileOperator::verb(type), verb);
    }

    // Each command changes the tree as asked; undo brings back every file (trash included),
    // redo the result of the first run. A rename comes from the tree, which has renamed the
    // file already: its first redo leaves the disk alone.
    void commandsRestoreTree_data()
    {
        // command, a file (relative path=content) present after redo, a file gone after redo
        QTest::addColumn<QStringList>("row");
        QTest::newRow("copy pairs") << QStringList{"copyPairs", "movie/a2.txt=A", ""};
        QTest::newRow("paste") << QStringList{"paste", "movie/a.txt=A", ""};
        QTest::newRow("paste of a cut") << QStringList{"pasteCut", "movie/a.txt=A", "image/a.txt"};
        QTest::newRow("move replacing") << QStringList{"move", "movie/b.txt=B", "image/b.txt"};
        QTest::newRow("move folder") << QStringList{"moveFolder", "movie/sub/c.txt=C", "image/sub"};
        QTest::newRow("cut") << QStringList{"cut", "image/b.txt=B", "image/a.txt"};
        QTest::newRow("remove folder") << QStringList{"remove", "image/a.txt=A", "image/sub"};
        QTest::newRow("rename") << QStringList{"rename", "image/z.txt=A", "image/a.txt"};
    }
    void commandsRestoreTree()
    {
        QFETCH(QStringList, row);
        const QString command = row.at(0);
        const QByteArray before = treeHash();
        QStringList a{path("image/a.txt")};
        QStringList b{path("image/b.txt")};
        QStringList sub{path("image/sub")};
        QString movie = path("movie");
        if (command == "copyPairs") {
            PairList pairs{PathPair(path("image/a.txt"), path("movie/a2.txt"))};
            m_editor->action_copyLibraryFile(pairs);
        } else if (command == "paste") {
            m_editor->action_copyLibraryFile(a, movie);
        } else if (command == "pasteCut") {
            stack()->push(new Commands::PasteLibraryFile(m_editor.get(), a, movie, 1));
        } else if (command == "move") {
            m_editor->action_moveLibraryFile(b, movie);
        } else if (command == "moveFolder") {
            m_editor->action_moveLibraryFile(sub, movie);
        } else if (command == "cut") {
            m_editor->action_cutLibraryFile(a);
        } else if (command == "remove") {
            m_editor->action_removeLibraryFile(sub);
        } else {
            QVERIFY(QDir(path("image")).rename("a.txt", "z.txt"));
            m_editor->action_renameFile(path("image"), "a.txt", "z.txt");
        }
        settle();
        QCOMPARE(stack()->count(), 1);
        const QStringList present = row.at(1).split('=');
        QCOMPARE(read(present.at(0)), present.at(1).toUtf8());
        QVERIFY(row.at(2).isEmpty() || !QFileInfo::exists(path(row.at(2))));
        const QByteArray after = treeHash(false);

        stack()->undo();
        settle();
        QCOMPARE(treeHash(), before);
        stack()->redo();
        settle();
        QCOMPARE(treeHash(false), after);
        QCOMPARE(stack()->count(), 1);
    }

    // Refusals: an operation on a file that a stage uses shows a message naming the file and
    // the stage, and so does a failed rename; nothing changes on disk and the library's undo
    // history is gone. While the list of files that saved stages use is being built, the
    // operation is dropped silently; when it was never built, it is built first, and a check
    // the user cancels drops the operation too. Copy and move into the data folder itself (any
    // case) push nothing; copying never asks.
    void refusals_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("use"); // open, saved, building, unbuilt, cancelled, none
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("history"); // commands left on the stack
        const QString open = "C|Discontinuation|Can not %1 \"%2\".\n\nIt is in use on stage "
                             "\"stage.xml\" that is open.";
        const QString saved = "C|Discontinuation|Can not %1 \"%2\".\nIt has been used in the "
                              "following stage.\n\nstage.xml";
        QTest::newRow("delete, open stage") << "remove"
                                            << "open" << open.arg("delete", "a.txt") << 0;
        QTest::newRow("move, open stage") << "move"
                                          << "open" << open.arg("move", "a.txt") << 0;
        QTest::newRow("move folder, saved stage") << "moveFolder"
                                                  << "saved" << saved.arg("move", "sub") << 0;
        QTest::newRow("cut, saved stage") << "cut"
                                          << "saved" << saved.arg("delete", "a.txt") << 0;
        QTest::newRow("rename check, saved stage") << "renameCheck"
                                                   << "saved" << saved.arg("rename", "a.txt") << 1;
        QTest::newRow("delete, list being built") << "remove"
                                                  << "building"
                                                  << "" << 0;
        QTest::newRow("delete, list built first") << "remove"
                                                  << "unbuilt" << saved.arg("delete", "a.txt") << 0;
        QTest::newRow("delete, check cancelled") << "remove"
                                                 << "cancelled"
                                                 << "" << 0;
        QTest::newRow("rename to no name") << "renameEmpty"
                                           << "none"
                                           << "C|Rename|Name is empty." << 0;
        QTest::newRow("rename onto a taken name") << "renameTaken"
                                                  << "none"
                                                  << "C|Rename|Can not rename a.txt to b.txt." << 0;
        QTest::newRow("copy into the data folder") << "copyRoot"
                                                   << "none"
                                                   << "" << 1;
        QTest::newRow("move into the data folder") << "moveRoot"
                                                   << "none"
                                                   << "" << 1;
        QTest::newRow("copy, open stage") << "copy"
                                          << "open"
                                          << "" << 2;
    }
    void refusals()
    {
        QFETCH(QString, command);
        QFETCH(QString, use);
        QFETCH(QString, box);
        QFETCH(int, history);
        const QString used = command == "moveFolder" ? "image/sub/c.txt" : "image/a.txt";
        if (use == "open" || use == "unbuilt" || use == "cancelled")
            writeStageUsing("stage.xml", used, use == "open");
        // An earlier operation that a refusal takes out of the history.
        QStringList earlier{path("movie/b.txt")};
        m_editor->action_removeLibraryFile(earlier);
        if (use == "saved")
            setSavedStageUse({{used, {"stage.xml"}}});
        m_editor->usingContentList()->setState(use == "building" ? KvUsingFileList::Creating
                                               : use == "unbuilt" || use == "cancelled"
                                                   ? KvUsingFileList::NotCreated
                                                   : KvUsingFileList::Created);
        const QByteArray before = treeHash();

        QStringList boxes;
        KvModalWatcher watcher;
        watcher.answerWith(record(&boxes));
        QStringList a{path("image/a.txt")};
        QStringList sub{path("image/sub")};
        QString movie = path("movie");
        QString root = m_data->path().toUpper();
        bool ok = true;
        bool notReady = true;
        if (command == "remove")
            m_editor->action_removeLibraryFile(a);
        else if (command == "move")
            m_editor->action_moveLibraryFile(a, movie);
        else if (command == "moveFolder")
            m_editor->action_moveLibraryFile(sub, movie);
        else if (command == "cut")
            m_editor->action_cutLibraryFile(a);
        else if (command == "renameCheck")
            QVERIFY(!m_editor->checkUsingFileForRenaming(a.first(), &ok, &notReady) && !notReady);
        else if (command.startsWith("rename"))
            m_editor->renameFile(path("image"), "a.txt", command == "renameTaken" ? "b.txt" : "",
                                 nullptr);
        else if (command == "copyRoot")
            m_editor->action_copyLibraryFile(a, root);
        else if (command == "moveRoot")
            m_editor->action_moveLibraryFile(a, root);
        else
            m_editor->action_copyLibraryFile(a, movie);
        // The user cancels the check of saved stages before its result arrives.
        if (use == "cancelled") {
            QProgressDialog* progress = nullptr;
            for (QProgressDialog* dialog : m_editor->mainWindow()->findChildren<QProgressDialog*>())
                progress = dialog->isVisible() ? dialog : progress;
            QVERIFY(progress);
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        }
        // Building the list of used files first is slow on a loaded machine or under sanitizers.
        QTRY_COMPARE_WITH_TIMEOUT(stack()->count(), history, 30000);
        settle();
        QCOMPARE(stack()->count(), history);
        QCOMPARE(boxes.join("/"), box);
        QCOMPARE(ok, command != "renameCheck");
        if (command == "copy")
            QCOMPARE(read("movie/a.txt"), QByteArray("A"));
        else
            QCOMPARE(treeHash(), before);
    }

    // A file that 14 saved stages use: 11 names on three lines (5, 5, 1), then " and more...".
    void savedStageMessageListsElevenNames()
    {
        QStringList stages;
        for (int i = 0; i < 14; ++i)
            stages.append(QStringLiteral("s%1.xml").arg(i, 2, 10, QLatin1Char('0')));
        setSavedStageUse({{"image/a.txt", stages}});
        KvLibraryFileOperator fileOperator(KvLibraryFileOperator::Remove);
        fileOperator.setFileList({path("image/a.txt")});
        fileOperator.setUsingFileList(m_editor->usingContentList());
        QStringList boxes;
        KvModalWatcher watcher;
        watcher.answerWith(record(&boxes));
        QVERIFY(fileOperator.isFileUsingInSavedStage());
        QCOMPARE(boxes, QStringList{"C|Discontinuation|Can not delete \"a.txt\".\nIt has been used "
                                    "in the following stage.\n"
                                    "\ns00.xml, s01.xml, s02.xml, s03.xml, s04.xml, "
                                    "\ns05.xml, s06.xml, s07.xml, s08.xml, s09.xml, "
                                    "\ns10.xml,  and more..."});
    }

    // A cut file pasted into two folders: the clipboard holds the trash copy as a copy; undoing
    // both pastes and the cut deletes the copies and brings the file back from the trash.
    void cutPastedTwice()
    {
        const QByteArray before = treeHash();
        QStringList a{path("image/a.txt")};
        m_editor->action_cutLibraryFile(a);
        settle();
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        QCOMPARE(mime->data(KvEditorCommon::MIME_TYPE_FILE_OPERATION),
                 QByteArray("FileOperation{") + KvEditorCommon::FILE_OPERATION_COPY.toLatin1() +
                     "};");
        QCOMPARE(mime->urls().count(), 1);
        QStringList trashCopy{mime->urls().first().toLocalFile()};
        QVERIFY(trashCopy.first().startsWith(m_editor->trashPath() + '/'));
        for (const char* folder : {"movie", "web"}) {
            QString destination = path(folder);
            m_editor->action_copyLibraryFile(trashCopy, destination);
            settle();
            QCOMPARE(read(QString(folder) + "/a.txt"), QByteArray("A"));
        }
        QCOMPARE(stack()->count(), 3);
        for (int i = 0; i < 3; ++i) {
            stack()->undo();
            settle();
        }
        QCOMPARE(treeHash(), before);
    }

    // A pasted file whose name is taken in the folder gets a new name; the paste's pairs
    // (those the thumbnails are made for and undo deletes) name the real copy.
    void pasteFollowsRenamedCopy()
    {
        write("movie/a.txt", "other");
        QStringList a{path("image/a.txt")};
        QString movie = path("movie");
        m_editor->action_copyLibraryFile(a, movie);
        settle();
        auto* paste = dynamic_cast<const Commands::PasteLibraryFile*>(stack()->command(0));
        QVERIFY(paste && paste->pathPairList() && paste->pathPairList()->count() == 1);
        const QString copy =
            QDir(m_data->path()).relativeFilePath(paste->pathPairList()->first().second);
        QVERIFY(copy != "movie/a.txt");
        QCOMPARE(read(copy), QByteArray("A"));
    }

    // Operations started in the library tree reach the library stack: a drop of a picture
    // from the desktop on the data folder is copied into "image", a drag inside the tree
    // moves, a rename in place renames. The result is selected; undo brings the start back
    // and leaves the desktop file alone.
    void treeOperations_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("result"); // relative path=content, selected afterwards
        QTest::addColumn<QString>("gone");
        QTest::newRow("desktop drop") << "drop"
                                      << "image/pic.png=P"
                                      << "";
        QTest::newRow("drag inside") << "move"
                                     << "movie/a.txt=A"
                                     << "image/a.txt";
        QTest::newRow("rename in place") << "rename"
                                         << "image/z.txt=A"
                                         << "image/a.txt";
    }
    void treeOperations()
    {
        QFETCH(QString, operation);
        QFETCH(QString, result);
        QFETCH(QString, gone);
        KvLibTreeView* tree = m_editor->libraryWidget()->treeView();
        KvLibFileSystemModel* model = m_editor->libraryWidget()->model();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        tree->expand(model->index(path("image")));
        QTRY_VERIFY(model->index(path("image/a.txt")).isValid());
        const QByteArray before = treeHash();
        QTemporaryDir desktop;
        const QString picture = desktop.filePath("pic.png");
        QVERIFY(Test::writeFile(picture, "P"));

        tree->selectPath(path("image/a.txt"));
        std::unique_ptr<QMimeData> mime(operation == "move" ? tree->createDragMimeData()
                                                            : new QMimeData);
        if (operation == "drop") {
            mime->setUrls({QUrl::fromLocalFile(picture)});
            QVERIFY(model->dropMimeData(mime.get(), Qt::CopyAction, -1, 0, tree->rootIndex()));
        } else if (operation == "move") {
            QVERIFY(model->dropMimeData(mime.get(), Qt::MoveAction, -1, 0,
                                        model->index(path("movie"))));
        } else {
            tree->setFocus();
            QTest::keyClick(tree, Qt::Key_F2);
            auto* edit = tree->findChild<QLineEdit*>();
            QVERIFY(edit);
            edit->selectAll();
            QTest::keyClicks(edit, "z.txt");
            QTest::keyClick(edit, Qt::Key_Return);
        }
        settle();
        QCOMPARE(stack()->count(), 1);
        const QStringList present = result.split('=');
        QCOMPARE(read(present.at(0)), present.at(1).toUtf8());
        QVERIFY(gone.isEmpty() || !QFileInfo::exists(path(gone)));
        QCOMPARE(tree->selectedFilePaths(false), QStringList{path(present.at(0))});

        stack()->undo();
        settle();
        QCOMPARE(treeHash(), before);
        QVERIFY(QFileInfo::exists(picture));
    }

    // A fault in the middle of an operation leaves the data folder (trash and thumbnails
    // included) as it was before or as the finished operation leaves it, never in between;
    // nothing stays on the undo stack of one undone, and undo of a finished one restores the
    // start. Faults: a file standing where a folder must be made or under the new name of a
    // rename ("blocked"), a source deleted after the listing ("vanished"), a full disk (a file
    // size limit the copies exceed), the user's Cancel in the progress dialog while the last
    // source, on another file system, is read ("cancelled"). A rename is done at once, with
    // nothing to cancel.
    void faultsLoseNothing_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("finishes");
        // Faults marked "+" leave the operation finished.
        const QList<QPair<QString, QStringList>> rows{
            {"copy", {"blocked", "vanished", "full", "cancelled"}},
            {"paste", {"blocked", "vanished", "full", "cancelled"}},
            {"move", {"blocked", "vanished+", "full+", "cancelled"}},
            {"cut", {"blocked", "vanished+", "full+", "cancelled"}},
            {"remove", {"blocked", "vanished+", "full+", "cancelled"}},
            {"rename", {"blocked", "vanished", "full+"}}};
        for (const auto& row : rows) {
            for (QString fault : row.second) {
                const bool finishes = fault.endsWith('+');
                fault.remove('+');
                QTest::addRow("%s, %s", qPrintable(row.first), qPrintable(fault))
                    << row.first << fault << finishes;
            }
        }
    }
    void faultsLoseNothing()
    {
        QFETCH(QString, operation);
        QFETCH(QString, fault);
        QFETCH(bool, finishes);
        delete m_editor->libraryWidget();
        write("image/big.bin", QByteArray(64 * 1024, 'x'));
        write("image/sub/d/e.txt", "E");
        write("image/._kvthumb/a.txt.png", "thumbnail of a");
        // Blocked: the trash folder of image/ (removals) or movie/ (the file a move replaces),
        // the folder a copy goes into, or the new name of a rename.
        const bool removal = operation == "cut" || operation == "remove";
        const QString blocked = removal                 ? "._kvtrash/image"
                                : operation == "move"   ? "._kvtrash/movie"
                                : operation == "rename" ? "image/z.txt"
                                                        : "movie/blk";
        if (fault == "blocked")
            write(blocked, "in the way");
        QByteArray before = treeHash();
        if (fault == "vanished" && operation != "rename") {
            m_onListing = [this, &before]() {
                QVERIFY(QFile::remove(path("image/sub/d/e.txt")));
                before = treeHash();
            };
        }
        QString target = path(fault == "blocked" && blocked == "movie/blk" ? blocked : "movie");
        // A file moved onto movie/b.txt puts the old one into the trash.
        QStringList sources{path("image/a.txt"),
                            path(fault == "full" ? "image/big.bin" : "image/sub"),
                            path("image/b.txt")};
        if (removal)
            sources.prepend(path("movie/b.txt"));
        // Cancelled: the last source is a named pipe on another file system, so that moving or
        // removing it into the trash copies it too; it has bytes only when the test writes
        // them, so the work waits on it until the progress dialog is there. The Cancel button
        // is pressed, then a byte is written: the copy of the pipe sees the cancel.
        KvModalWatcher watcher;
        QTemporaryDir otherDisk(QStringLiteral("/dev/shm/kvlibops-XXXXXX"));
        int pipeWriter = -1;
        const auto closePipe = qScopeGuard([&pipeWriter]() {
            if (pipeWriter >= 0)
                ::close(pipeWriter);
        });
        if (fault == "cancelled") {
            struct stat data, other;
            QVERIFY(otherDisk.isValid());
            QVERIFY(::stat(QFile::encodeName(m_data->path()), &data) == 0);
            QVERIFY(::stat(QFile::encodeName(otherDisk.path()), &other) == 0);
            QVERIFY2(data.st_dev != other.st_dev, "the pipe must lie on another file system");
            const QByteArray pipe = QFile::encodeName(otherDisk.filePath("slow.txt"));
            QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
            // Opened for reading and writing, the pipe has a writer at once (Linux), so that
            // its reader waits for bytes and not for a writer.
            pipeWriter = ::open(pipe.constData(), O_RDWR | O_CLOEXEC);
            QVERIFY(pipeWriter >= 0);
            sources.append(otherDisk.filePath("slow.txt"));
            watcher.setAnswersProgressDialogs(true);
            watcher.answerWith([pipeWriter](QWidget* dialog) {
                QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
                QCOMPARE(::write(pipeWriter, "x", 1), ssize_t(1));
            });
        }
        rlimit oldLimit{};
        void (*oldHandler)(int) = SIG_DFL;
        if (fault == "full") {
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
            oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{16 * 1024, oldLimit.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        }
        if (operation == "copy") {
            PairList pairs;
            // The first copy goes where nothing is in the way, so the fault comes in the middle.
            for (const QString& source : qAsConst(sources))
                pairs.append(PathPair(source, (pairs.isEmpty() ? path("movie") : target) + "/c-" +
                                                  QFileInfo(source).fileName()));
            m_editor->action_copyLibraryFile(pairs);
        } else if (operation == "paste") {
            m_editor->action_copyLibraryFile(sources, target);
        } else if (operation == "move") {
            m_editor->action_moveLibraryFile(sources, target);
        } else if (operation == "cut") {
            m_editor->action_cutLibraryFile(sources);
        } else if (operation == "remove") {
            m_editor->action_removeLibraryFile(sources);
        } else {
            if (fault == "vanished") {
                QVERIFY(QFile::remove(path("image/a.txt")));
                before = treeHash();
            }
            m_editor->renameFile(path("image"), "a.txt", "z.txt", nullptr);
        }
        if (fault == "full") {
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &oldLimit), 0);
            std::signal(SIGXFSZ, oldHandler);
        }
        QVERIFY(!m_onListing);    // the source was deleted
        if (fault == "cancelled") // undone by the Cancel button, not by an error before it
            QCOMPARE(watcher.seen().value(0).title, QString("Please Wait"));
        settle();
        const QByteArray after = treeHash();
        QCOMPARE(after != before, finishes);
        if (!finishes) {
            QCOMPARE(stack()->count(), 0);
            return;
        }
        if (operation == "rename") {
            QCOMPARE(read("image/z.txt"), QByteArray("A"));
            m_editor->renameFile(path("image"), "z.txt", "a.txt", nullptr);
        } else {
            QCOMPARE(stack()->count(), 1);
            QVERIFY(!QFileInfo::exists(path("image/a.txt")));
            stack()->undo();
        }
        settle();
        QCOMPARE(treeHash(), before);
    }

    // 500 random operations on the library, then undo of all of them: the tree (trash
    // included) is as at the start.
    void randomRunUndoesToStart()
    {
        // The tree's refresh after each operation waits half a second; this run checks the
        // operations alone.
        delete m_editor->libraryWidget();
        const QStringList folders{"image", "movie", "web", "telop"};
        for (int i = 0; i < 12; ++i)
            write(QStringLiteral("%1/f%2.txt").arg(folders.at(i % 4)).arg(i),
                  QByteArray::number(i));
        const QByteArray before = treeHash();
        QRandomGenerator random(20261206);
        auto anyFile = [this, &random]() {
            QStringList files;
            QDirIterator it(m_data->path(), QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                if (!file.contains("/._") && !file.contains("/stage/") &&
                    !file.contains("/channel/"))
                    files.append(file);
            }
            files.sort();
            return files.value(random.bounded(files.count()));
        };
        for (int i = 0; i < 500; ++i) {
            QStringList files{anyFile()};
            QString folder = path(folders.at(random.bounded(folders.count())));
            switch (random.bounded(6)) {
            case 0: {
                PairList pairs{PathPair(files.first(), folder + QStringLiteral("/c%1.txt").arg(i))};
                m_editor->action_copyLibraryFile(pairs);
                break;
            }
            case 1:
                m_editor->action_copyLibraryFile(files, folder);
                break;
            case 2:
                m_editor->action_moveLibraryFile(files, folder);
                break;
            case 3:
                m_editor->action_cutLibraryFile(files);
                break;
            case 4:
                m_editor->action_removeLibraryFile(files);
                break;
            default: {
                const QFileInfo info(files.first());
                const QString newName = QStringLiteral("r%1.txt").arg(i);
                QVERIFY(QDir(info.absolutePath()).rename(info.fileName(), newName));
                m_editor->action_renameFile(info.absolutePath(), info.fileName(), newName);
                break;
            }
            }
            settle();
            QCOMPARE(stack()->count(), i + 1);
        }
        while (stack()->canUndo()) {
            stack()->undo();
            settle();
        }
        QCOMPARE(treeHash(), before);
    }
};

QTEST_MAIN(TestLibraryOperations)
#include "tst_libraryoperations.moc"
