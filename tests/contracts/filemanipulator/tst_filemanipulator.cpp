#include "kvfileerrorexception.h"
#include "kvfilemanipulator.h"
#include "kvmodalwatcher.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Kova;
using PathPair = KvFileListCreator::PathPair;
using Snapshot = QMap<QString, QByteArray>;

namespace {

bool writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Every file below the folder (hidden ones, the trash and thumbnails included): relative
// path -> hash of the bytes.
Snapshot snapshot(const QString& root)
{
    Snapshot files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        QCryptographicHash hash(QCryptographicHash::Md5);
        hash.addData(&file);
        files.insert(QDir(root).relativeFilePath(file.fileName()), hash.result());
    }
    return files;
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

QList<PathPair> reversed(const QList<PathPair>& pairs)
{
    QList<PathPair> result;
    for (const PathPair& pair : pairs)
        result.append(PathPair(pair.second, pair.first));
    return result;
}

bool run(const QList<PathPair>& pairs, int operation, const QString& trash = QString())
{
    KvFileManipulator manipulator(pairs, operation, 60000);
    manipulator.setTrashPath(trash);
    return manipulator.exec();
}

} // namespace

class TestFileManipulator : public QObject
{
    Q_OBJECT

private slots:
    void operationsAndTheirReverse_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<bool>("useTrash");
        QTest::addColumn<QStringList>("after"); // "path=content" present, "-path" absent
        QTest::addColumn<int>("renamed");
        const QString longest = QString(251, 'n') + ".png"; // 255 bytes, the longest name

        QTest::newRow("copy a file onto its name")
            << 0 << QStringList{"image/a.png"} << "movie" << false
            << QStringList{"movie/a (2).png=A", "movie/._kvthumb/a (2).png.png=thumb A",
                           "movie/a.png=other A", "image/a.png=A"}
            << 1;
        QTest::newRow("copy a file into its own folder")
            << 0 << QStringList{"image/b (2).png"} << "image" << false
            << QStringList{"image/b (3).png=B2", "image/b (2).png=B2"} << 1;
        QTest::newRow("copy a folder onto its name")
            << 0 << QStringList{"image/set"} << "movie" << false
            << QStringList{"movie/set (2)/p1.png=P1", "movie/set (2)/sub/p2.png=P2",
                           "movie/set (2)/._kvthumb/p1.png.png=thumb P1", "movie/set/p1.png=old P1"}
            << 1;
        QTest::newRow("move a file onto its name, with trash")
            << 1 << QStringList{"image/a.png"} << "movie" << true
            << QStringList{"movie/a.png=A",
                           "movie/._kvthumb/a.png.png=thumb A",
                           "._kvtrash/movie/a.png=other A",
                           "._kvtrash/movie/._kvthumb/a.png.png=thumb other A",
                           "-image/a.png",
                           "-image/._kvthumb/a.png.png"}
            << 0;
        QTest::newRow("move a file onto its name, without trash")
            << 1 << QStringList{"image/a.png"} << "movie" << false
            << QStringList{"movie/a (2).png=A", "movie/a.png=other A", "-image/a.png"} << 1;
        QTest::newRow("move a folder into one of its name, with trash")
            << 1 << QStringList{"image/set"} << "movie" << true
            << QStringList{"movie/set/p1.png=P1",
                           "movie/set/sub/p2.png=P2",
                           "movie/set/x.png=X",
                           "movie/set/._kvthumb/p1.png.png=thumb P1",
                           "._kvtrash/movie/set/p1.png=old P1",
                           "-image/set/p1.png",
                           "-image/set/._kvthumb/p1.png.png"}
            << 0;
        QTest::newRow("remove a file and a folder, with trash")
            << 2 << QStringList{"image/a.png", "image/set", "image/set/p1.png"} << "" << true
            << QStringList{"._kvtrash/image/a.png=A", "._kvtrash/image/._kvthumb/a.png.png=thumb A",
                           "._kvtrash/image/set/sub/p2.png=P2", "-image/a.png", "-image/set/p1.png"}
            << 0;
        QTest::newRow("remove without trash")
            << 2 << QStringList{"image/a.png", "image/set", "image/" + longest} << "" << false
            << QStringList{"-image/a.png", "-image/._kvthumb/a.png.png", "-image/set/sub/p2.png",
                           "-image/" + longest, "image/b (2).png=B2"}
            << 0;
        QTest::newRow("remove what is already gone") << 2 << QStringList{"image/gone.png"} << ""
                                                     << true << QStringList{"image/a.png=A"} << 0;
    }

    // Each operation does what it should, thumbnails following, with no dialog for quick work;
    // replaying the reported lists backwards, as the library's undo does, restores every file.
    void operationsAndTheirReverse()
    {
        QFETCH(int, operation);
        QFETCH(QStringList, sources);
        QFETCH(QString, destination);
        QFETCH(bool, useTrash);
        QFETCH(QStringList, after);
        QFETCH(int, renamed);

        QTemporaryDir data;
        const QString d = data.path();
        const QString trash = useTrash ? d + "/._kvtrash" : QString();
        const QMap<QString, QByteArray> files{{"image/a.png", "A"},
                                              {"image/._kvthumb/a.png.png", "thumb A"},
                                              {"image/b (2).png", "B2"},
                                              {"image/set/p1.png", "P1"},
                                              {"image/set/sub/p2.png", "P2"},
                                              {"image/set/._kvthumb/p1.png.png", "thumb P1"},
                                              {"movie/a.png", "other A"},
                                              {"movie/._kvthumb/a.png.png", "thumb other A"},
                                              {"movie/set/p1.png", "old P1"},
                                              {"movie/set/x.png", "X"},
                                              {"image/" + QString(251, 'n') + ".png", "N"}};
        for (auto it = files.constBegin(); it != files.constEnd(); ++it)
            QVERIFY(writeFile(d + "/" + it.key(), it.value()));
        const Snapshot before = snapshot(d);

        QStringList paths;
        for (const QString& source : sources)
            paths.append(d + "/" + source);
        KvModalWatcher watcher;
        KvFileManipulator manipulator(paths, d + "/" + destination, operation, 3000);
        manipulator.setTrashPath(trash);
        QSignalSpy handled(&manipulator, &KvFileManipulator::fileListCreationCompleted);
        QSignalSpy trashed(&manipulator, &KvFileManipulator::trashFileListCreated);
        QSignalSpy clashes(&manipulator, &KvFileManipulator::destinationFileNameChanged);
        QSignalSpy finished(&manipulator, &KvFileManipulator::operationFinished);
        QSignalSpy closed(&manipulator, &KvFileManipulator::closed);
        QVERIFY(manipulator.exec());
        QCOMPARE(handled.count(), 1);
        QCOMPARE(trashed.count(), useTrash ? 1 : 0);
        QCOMPARE(clashes.count(), renamed);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(watcher.count(), 0);
        for (const QString& expected : after) {
            if (expected.startsWith('-')) {
                QVERIFY2(!QFileInfo::exists(d + "/" + expected.mid(1)), qPrintable(expected));
            } else {
                const QString path = expected.section('=', 0, 0);
                QCOMPARE(read(d + "/" + path), expected.section('=', 1).toUtf8());
            }
        }
        const QList<PathPair> pairs = manipulator.pathPairs();
        if (clashes.count())
            QCOMPARE(clashes.at(0).at(1).toString(), pairs.at(0).second);
        if (operation == 2 && !useTrash)
            return; // deleted for good

        // Undo as the library commands do it.
        if (operation == 0) {
            QList<PathPair> copies;
            for (const PathPair& pair : pairs)
                copies.append(PathPair(pair.second, QString()));
            QVERIFY(run(copies, 2));
        } else {
            if (operation == 1)
                QVERIFY(run(reversed(pairs), 1));
            QVERIFY(run(reversed(manipulator.trashPairs()), 1));
        }
        QCOMPARE(snapshot(d).keys(), before.keys());
        QCOMPARE(snapshot(d), before);
    }

    // Across file systems a move copies, and deletes the sources only when all copies are
    // complete; the way back does the same.
    void moveAcrossFileSystems()
    {
        QTemporaryDir data;
        QTemporaryDir other(QStringLiteral("/dev/shm/kvfm-XXXXXX"));
        QVERIFY(other.isValid());
        QVERIFY(QFileInfo(data.path()).isDir());
        struct stat a, b;
        QVERIFY(::stat(QFile::encodeName(data.path()), &a) == 0);
        QVERIFY(::stat(QFile::encodeName(other.path()), &b) == 0);
        QVERIFY2(a.st_dev != b.st_dev, "the two folders must lie on different file systems");

        const QString d = data.path();
        QVERIFY(writeFile(d + "/set/p1.png", QByteArray(3 << 20, 'p')));
        QVERIFY(writeFile(d + "/set/sub/p2.png", "P2"));
        QVERIFY(writeFile(d + "/._kvthumb/set.png", "thumb set"));
        QVERIFY(writeFile(d + "/set/._kvthumb/p1.png.png", "thumb P1"));
        const Snapshot before = snapshot(d);

        KvFileManipulator there({d + "/set"}, other.path(), KvFileManipulator::Move, 60000);
        QVERIFY(there.exec());
        QVERIFY(!QFileInfo::exists(d + "/set"));
        QCOMPARE(read(other.path() + "/set/sub/p2.png"), QByteArray("P2"));
        QCOMPARE(read(other.path() + "/set/._kvthumb/p1.png.png"), QByteArray("thumb P1"));
        QCOMPARE(read(other.path() + "/._kvthumb/set.png"), QByteArray("thumb set"));
        QVERIFY(run(reversed(there.pathPairs()), KvFileManipulator::Move));
        QCOMPARE(snapshot(d), before);
        QVERIFY(!QFileInfo::exists(other.path() + "/set"));
    }

    void faultsLoseNothing_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("failingFile"); // empty: a cancel
        QTest::addColumn<QString>("reason");
        const int copy = KvFileManipulator::Copy;
        const QString longName = "out/" + QString(300, 'n');
        const QString tooLong = "The path is too long.";
        QTest::newRow("destination not writable") << copy << "blocked"
                                                  << "blocker"
                                                  << "";
        QTest::newRow("disk full") << copy << "full"
                                   << "out/big"
                                   << "The disk is full.";
        QTest::newRow("source deleted after the listing") << copy << "vanish"
                                                          << "src/big"
                                                          << "The file does not exist (any more).";
        QTest::newRow("destination name too long, copy") << copy << "long" << longName << tooLong;
        QTest::newRow("destination name too long, move")
            << int(KvFileManipulator::Move) << "long" << longName << tooLong;
        QTest::newRow("cancel while copying") << copy << "cancel"
                                              << ""
                                              << "";
        QTest::newRow("cancel from the progress dialog") << copy << "dialog"
                                                         << ""
                                                         << "";
    }

    // An error stops the work, is reported once with the file and the reason, and the data
    // folder (every source included) is left as it was; a cancel leaves it as it was or, when
    // it came too late, done.
    void faultsLoseNothing()
    {
        QFETCH(int, operation);
        QFETCH(QString, fault);
        QFETCH(QString, failingFile);
        QFETCH(QString, reason);

        QTemporaryDir data;
        const QString d = data.path();
        const bool bigWork = fault == "cancel" || fault == "dialog";
        QList<PathPair> pairs;
        for (int i = 0; i < (bigWork ? 6 : 3); ++i) {
            const QString name = i == 1 ? QStringLiteral("big") : QStringLiteral("f%1").arg(i);
            const int size = i == 1 || bigWork ? 16 << 20 : 100 << 10;
            QVERIFY(writeFile(d + "/src/" + name, QByteArray(size, char('a' + i))));
            pairs.append(PathPair(d + "/src/" + name, d + "/out/" + name));
        }
        QVERIFY(writeFile(d + "/out/f0", "older f0")); // a clash solved by a new name
        if (fault == "blocked") {
            // The third file goes where the destination cannot be written. Permission bits do
            // not stop root, so then a file stands where its folder would have to be made.
            if (::geteuid() == 0) {
                QVERIFY(writeFile(d + "/blocker", "a file"));
            } else {
                QVERIFY(QDir().mkpath(d + "/blocker"));
                QFile::setPermissions(d + "/blocker", QFile::ReadOwner | QFile::ExeOwner);
            }
            pairs[2].second = d + "/blocker/f2";
        }
        if (fault == "long")
            pairs[2].second = d + "/" + failingFile; // a name of 300 bytes, over the limit of 255
        const Snapshot before = snapshot(d);

        KvModalWatcher watcher;
        watcher.setAnswersProgressDialogs(true);
        watcher.answerWith([](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        });
        KvFileManipulator manipulator(pairs, operation, fault == "dialog" ? 0 : 60000);
        QSignalSpy errors(&manipulator, &KvFileManipulator::errorOccured);
        QSignalSpy aborted(&manipulator, &KvFileManipulator::aborted);
        QSignalSpy finished(&manipulator, &KvFileManipulator::operationFinished);
        connect(&manipulator, &KvFileManipulator::listingFinished, this, [&]() {
            if (fault == "vanish")
                QFile::remove(d + "/src/big");
        });
        connect(&manipulator, &KvFileManipulator::progressChanged, this, [&]() {
            if (fault == "cancel")
                manipulator.cancel();
        });
        struct rlimit oldLimit;
        ::getrlimit(RLIMIT_FSIZE, &oldLimit);
        if (fault == "full") {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = oldLimit;
            limit.rlim_cur = 1 << 20; // files may not grow beyond 1 MB
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const bool done = manipulator.exec();
        ::setrlimit(RLIMIT_FSIZE, &oldLimit);
        if (fault == "vanish")
            QVERIFY(writeFile(d + "/src/big", QByteArray(16 << 20, 'b'))); // compare the rest

        if (failingFile.isEmpty()) {
            QCOMPARE(errors.count(), 0);
            QCOMPARE(aborted.count() + finished.count(), 1);
            QCOMPARE(done, finished.count() == 1);
            if (done)
                QCOMPARE(snapshot(d).count(), before.count() + pairs.count());
            else
                QCOMPARE(snapshot(d), before);
            if (fault == "dialog") {
                QCOMPARE(watcher.count(), 1);
                QCOMPARE(watcher.seen().at(0).title, QString("Please Wait"));
            }
            return;
        }
        QVERIFY(!done);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(aborted.count() + finished.count(), 0);
        const auto error = errors.at(0).at(0).value<KvFileErrorException>();
        QVERIFY2(error.filePath().startsWith(d + "/" + failingFile), qPrintable(error.filePath()));
        if (!reason.isEmpty())
            QCOMPARE(error.reason(), reason);
        QVERIFY(error.message().contains(QDir::toNativeSeparators(error.filePath())));
        QCOMPARE(snapshot(d), before);
        QCOMPARE(watcher.count(), 0);
    }
};

QTEST_MAIN(TestFileManipulator)
#include "tst_filemanipulator.moc"
