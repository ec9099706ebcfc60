// The host application's own parts: its window around the editor and the care of the
// data folder (seeding from the sample, emptying the trash).

#include "kvdatafolder.h"
#include "kveditorconfig.h"
#include "kvmainwindow.h"
#include "kvmodalwatcher.h"
#include "kvstageeditor.h"
#include "kvstagewidget.h"
#include "kvtestfactories.h"

#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

using namespace Kova;

class TestHostApp : public QObject
{
    Q_OBJECT

    static bool touch(const QString& path) { return Kova::Test::writeFile(path, "x"); }

private slots:
    void isInside_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("inside");
        QTest::newRow("trash") << "data/._kvtrash" << true;
        QTest::newRow("deeper") << "data/image/a" << true;
        QTest::newRow("the folder itself") << "data" << false;
        QTest::newRow("escaping with ..") << "data/../other" << false;
        QTest::newRow("sibling with same prefix") << "data2/._kvtrash" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("link out of the folder") << "data/link" << false;
    }

    void isInside()
    {
        QFETCH(QString, relative);
        QFETCH(bool, inside);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("data/._kvtrash"));
        QDir(dir.path()).mkpath(QStringLiteral("data2/._kvtrash"));
        QDir(dir.path()).mkpath(QStringLiteral("other"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("other")), dir.filePath("data/link")));
        const QString path = relative.isEmpty() ? QString() : dir.filePath(relative);
        QCOMPARE(KvDataFolder::isInside(path, dir.filePath(QStringLiteral("data"))), inside);
    }

    void emptyFolderKeepsTheFolder()
    {
        QTemporaryDir dir;
        const QString trash = dir.filePath(QStringLiteral("._kvtrash"));
        QVERIFY(touch(trash + QStringLiteral("/a.png")));
        QVERIFY(touch(trash + QStringLiteral("/.hidden")));
        QVERIFY(touch(trash + QStringLiteral("/sub/deep/b.mp4")));
        QVERIFY(KvDataFolder::emptyFolder(trash));
        QVERIFY(QFileInfo(trash).isDir());
        QVERIFY(QDir(trash)
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .isEmpty());
        QVERIFY(KvDataFolder::emptyFolder(dir.filePath(QStringLiteral("missing"))));
    }

    void seedCopiesOnlyIntoAnEmptyFolder()
    {
        QTemporaryDir dir;
        const QString sample = dir.filePath(QStringLiteral("sample"));
        QVERIFY(touch(sample + QStringLiteral("/stage/Lobby.xml")));
        QVERIFY(touch(sample + QStringLiteral("/image/a.png")));

        const QString fresh = dir.filePath(QStringLiteral("fresh/kova"));
        QString error;
        QVERIFY(KvDataFolder::seed(fresh, sample, &error));
        QVERIFY(QFile::exists(fresh + QStringLiteral("/stage/Lobby.xml")));
        QVERIFY(QFile::exists(fresh + QStringLiteral("/image/a.png")));

        // A folder in use is never overwritten.
        const QString used = dir.filePath(QStringLiteral("used"));
        QVERIFY(touch(used + QStringLiteral("/mine.txt")));
        QVERIFY(KvDataFolder::seed(used, sample, &error));
        QVERIFY(!QFile::exists(used + QStringLiteral("/stage")));

        // Without a sample the folder is still made.
        const QString bare = dir.filePath(QStringLiteral("bare"));
        QVERIFY(KvDataFolder::seed(bare, QString(), &error));
        QVERIFY(QFileInfo(bare).isDir());

        // The sample itself is untouched.
        QCOMPARE(QDir(sample).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).count(), 2);
    }

    void windowCarriesTheEditorMenusAndHelp()
    {
        QTemporaryDir data;
        KvEditorConfig::setDataDir(data.path());
        KvMainWindow window;
        window.start();
        window.show();
        QVERIFY(window.editor());
        // The editor's menus, with the host's help menu last.
        QCOMPARE(window.menuBar()->actions().last()->menu(), window.helpMenu());
        QCOMPARE(window.helpMenu()->objectName(), QStringLiteral("Menu_Help"));
        QCOMPARE(window.centralWidget(), static_cast<QWidget*>(window.editor()->stageWidget()));

        // About shows the version.
        KvModalWatcher watcher;
        emit window.editor()->showVersionInformation();
        QCOMPARE(watcher.count(), 1);
        QVERIFY(watcher.seen().at(0).text.contains(QStringLiteral(KOVA_VERSION)));
    }

    // Quitting closes the editor first, empties the trash of the data folder (keeping the
    // folder), deletes the window and keeps its size for the next start.
    void quittingClosesEditorThenWindow()
    {
        QTemporaryDir data;
        KvEditorConfig::setDataDir(data.path());
        QVERIFY(touch(data.filePath(QStringLiteral("._kvtrash/old.png"))));
        auto* window = new KvMainWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<KvMainWindow> guard(window);
        window->start();
        window->show();
        window->setGeometry(40, 50, 900, 640);
        const QSize closedSize = window->size();
        QPointer<KvStageEditor> editor = window->editor();
        QSignalSpy closed(editor.data(), &KvStageEditor::closed);

        emit editor->quitApp();
        QCOMPARE(closed.count(), 1);
        QVERIFY(QFileInfo(data.filePath(QStringLiteral("._kvtrash"))).isDir());
        QVERIFY(!QFile::exists(data.filePath(QStringLiteral("._kvtrash/old.png"))));
        QTRY_VERIFY(!editor);
        QTRY_VERIFY(!guard);
        KvMainWindow next;
        QCOMPARE(next.size(), closedSize);
    }

    void trashOutsideTheDataFolderIsLeftAlone()
    {
        QTemporaryDir data;
        QTemporaryDir elsewhere;
        KvEditorConfig::setDataDir(data.path());
        QVERIFY(touch(elsewhere.filePath(QStringLiteral("keep.txt"))));
        KvMainWindow window;
        window.start();
        emit window.editor()->requestEmptyTrash(elsewhere.path());
        emit window.editor()->requestEmptyTrash(data.path());
        QVERIFY(QFile::exists(elsewhere.filePath(QStringLiteral("keep.txt"))));
        QVERIFY(QFileInfo(data.path()).isDir());
    }
};

QTEST_MAIN(TestHostApp)
#include "tst_hostapp.moc"
