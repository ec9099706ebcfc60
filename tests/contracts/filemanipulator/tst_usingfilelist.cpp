// The lists of files in use: queries with folder matching, and building them from real
// schedule and stage files in the background.

#include "kvmedia.h"
#include "kvmodalwatcher.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvtestfactories.h"
#include "kvusingfilelist.h"
#include "kvusingfilelistcreator.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Kova;
using namespace Kova::Test;

namespace {

QByteArray schedule(const QStringList& stages, int version = 1)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<schedule version=\"" +
                     QByteArray::number(version) + "\" name=\"test\">\n";
    for (const QString& stage : stages)
        xml += "  <item stage=\"" + stage.toUtf8() + "\" start=\"08:00\" end=\"09:00\"/>\n";
    xml += "</schedule>\n";
    return xml;
}

// A stage with one screen playing `uris` (media types picked from the form of the uri).
bool writeStage(const QString& path, const QStringList& uris, const QString& background = {})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    std::unique_ptr<KvStage> stage(makeStage(path, QSize(100, 100), 1));
    stage->setBackgroundImage(background);
    KvScreen* screen = stage->screenList().first();
    for (const QString& uri : uris) {
        MediaType::MediaTypes type = MediaType::Image;
        if (uri.startsWith(QLatin1String("http")))
            type = MediaType::Web;
        else if (!uri.contains(QLatin1Char('.')))
            type = MediaType::Folder;
        screen->addMedia(new KvMedia(uri, type, screen));
    }
    return stage->writeToFile();
}

// Schedules in `folder`, s0.xml … naming stage/S0.xml …: enough work to cancel part-way.
bool writeSchedules(const QString& folder, int count)
{
    for (int i = 0; i < count; ++i) {
        if (!writeFile(folder + QStringLiteral("/s%1.xml").arg(i),
                       schedule({QStringLiteral("stage/S%1.xml").arg(i)})))
            return false;
    }
    return true;
}

} // namespace

class TestUsingFileList : public QObject
{
    Q_OBJECT

private:
    static void flushPostedEvents()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    // Builds `list` from `root` and waits for the end; the number of finished() signals.
    int build(KvUsingFileList* list, int type, const QString& root, const QString& except = {})
    {
        KvUsingFileListCreator creator(type);
        creator.setRootPath(root);
        creator.setUsingFileList(list);
        if (!except.isEmpty())
            creator.setExceptFileName(QRegExp(except, Qt::CaseInsensitive));
        QSignalSpy finished(&creator, &KvUsingFileListCreator::finished);
        creator.startAsync();
        if (list)
            Q_ASSERT(list->state() == KvUsingFileList::Creating);
        if (!finished.wait(20000))
            return 0;
        // The worker has stopped: whatever it posted is delivered now, a second finished() too.
        flushPostedEvents();
        return finished.count();
    }

private slots:
    void hasChild_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("users"); // "s1 s2": /d/stage/s1.xml and /d/stage/s2.xml

        // Used: /d/media/a.png by s1 and s2; the folder /d/media/slides by s3.
        QTest::newRow("exact file") << "/d/media/a.png" << false << QString("s1 s2");
        QTest::newRow("relative to data folder") << "media/a.png" << false << QString("s1 s2");
        QTest::newRow("unused file") << "/d/media/b.png" << true << QString("");
        QTest::newRow("folder holding a used file")
            << "/d/media" << false << QString("s1 s2 s3 s4");
        QTest::newRow("file inside used folder, forward")
            << "/d/media/slides/one.png" << true << QString("s3");
        QTest::newRow("file deep inside used folder, forward")
            << "/d/media/slides/x/y/two.png" << true << QString("s3");
        QTest::newRow("file inside used folder, no forward")
            << "/d/media/slides/one.png" << false << QString("");
        QTest::newRow("name prefix is no folder")
            << "/d/media/slides2/one.png" << true << QString("");
        QTest::newRow("prefix of a name is no parent") << "/d/med" << true << QString("");
        QTest::newRow("unclean path") << "/d/media/./x/../a.png" << false << QString("s1 s2");
        QTest::newRow("empty path") << "" << true << QString("");
    }

    void hasChild()
    {
        QFETCH(QString, query);
        QFETCH(bool, forward);
        QFETCH(QString, users);
        const bool used = !users.isEmpty();

        KvUsingFileList list(KvUsingFileList::UsingContent);
        list.setDataDir(QStringLiteral("/d"));
        KvUsingFileList::Entries entries;
        entries.insert(QStringLiteral("/d/media/a.png"),
                       {QStringLiteral("/d/stage/s1.xml"), QStringLiteral("/d/stage/s2.xml")});
        entries.insert(QStringLiteral("/d/media/slides"), {QStringLiteral("/d/stage/s3.xml")});
        entries.insert(QStringLiteral("/d/media/slides2.png"), {QStringLiteral("/d/stage/s4.xml")});
        list.setEntries(entries);
        list.setForwardMatchChildIsDir(forward);

        QList<KvUsingFileList::User> found;
        QCOMPARE(list.hasChild(query, &found), used);
        QStringList foundUsers;
        for (const auto& user : found)
            foundUsers.append(user.first);
        foundUsers.removeDuplicates();
        QStringList expected;
        for (const QString& user : users.split(' ', Qt::SkipEmptyParts))
            expected << "/d/stage/" + user + ".xml";
        QCOMPARE(foundUsers, expected);
        // Without a list to fill the answer is the same.
        QCOMPARE(list.hasChild(query), used);
    }

    void caseSensitivity()
    {
        KvUsingFileList list(KvUsingFileList::UsingStage);
        list.setEntries(
            {{QStringLiteral("/d/stage/Lobby.xml"), {QStringLiteral("/d/channel/a.xml")}}});
        QCOMPARE(list.caseSensitivity(), Qt::CaseInsensitive);
        QVERIFY(list.hasChild(QStringLiteral("/d/STAGE/lobby.XML")));
        QCOMPARE(list.users(QStringLiteral("/d/stage/LOBBY.xml")),
                 QStringList{QStringLiteral("/d/channel/a.xml")});
        QVERIFY(list.hasChild(QStringLiteral("/D/Stage"))); // folder holding it

        list.setCaseSensitivity(Qt::CaseSensitive);
        QVERIFY(!list.hasChild(QStringLiteral("/d/STAGE/lobby.XML")));
        QVERIFY(list.hasChild(QStringLiteral("/d/stage/Lobby.xml")));
        QVERIFY(!list.hasChild(QStringLiteral("/D/Stage")));
        QVERIFY(list.users(QStringLiteral("/d/stage/LOBBY.xml")).isEmpty());
    }

    void usersAreListedOncePerPair()
    {
        KvUsingFileList list;
        list.setForwardMatchChildIsDir(true);
        list.setEntries({{QStringLiteral("/d/m"), {QStringLiteral("/d/s/b.xml")}},
                         {QStringLiteral("/d/m/p.png"),
                          {QStringLiteral("/d/s/a.xml"), QStringLiteral("/d/s/b.xml")}}});
        QList<KvUsingFileList::User> found;
        QVERIFY(list.hasChild(QStringLiteral("/d/m/p.png"), &found));
        // b.xml uses the file and its folder: two different pairs; sorted by user.
        QCOMPARE(found.count(), 3);
        QCOMPARE(found.at(0), KvUsingFileList::User("/d/s/a.xml", "/d/m/p.png"));
        QCOMPARE(found.at(1), KvUsingFileList::User("/d/s/b.xml", "/d/m"));
        QCOMPARE(found.at(2), KvUsingFileList::User("/d/s/b.xml", "/d/m/p.png"));
    }

    void scheduleList()
    {
        TempDataDir data;
        const QString d = data.path();
        QVERIFY(writeFile(d + "/channel/a.xml", schedule({"stage/A.xml", "stage/B.xml"})));
        QVERIFY(writeFile(d + "/channel/sub/b.xml", schedule({"stage/A.xml"})));
        // The channel's own file is no schedule: what it names does not count.
        QVERIFY(writeFile(d + "/channel/Channel.XML", schedule({"stage/C.xml"})));
        // Absolute stage paths and URLs.
        QVERIFY(writeFile(d + "/channel/c.ksch",
                          schedule({d + "/other/E.xml", "http://example.invalid/x.xml"})));
        // Damaged and foreign files: what can be read counts, the rest is skipped.
        QByteArray broken = schedule({"stage/G.xml", "stage/H.xml"});
        broken.chop(20); // cut inside the last item and the closing tag
        QVERIFY(writeFile(d + "/channel/broken.xml", broken));
        QVERIFY(writeFile(d + "/channel/newer.xml", schedule({"stage/N.xml"}, 7)));
        QVERIFY(writeFile(d + "/channel/foreign.xml",
                          "<playlist><item stage=\"stage/F.xml\"/></playlist>"));
        QVERIFY(writeFile(d + "/channel/empty.xml", ""));
        QVERIFY(writeFile(d + "/channel/notes.txt", schedule({"stage/T.xml"})));

        KvUsingFileList list(KvUsingFileList::UsingStage);
        list.setDataDir(d);
        QSignalSpy states(&list, &KvUsingFileList::stateChanged);
        QCOMPARE(build(&list, 0, d + "/channel", "channel.xml"), 1);
        QCOMPARE(list.state(), int(KvUsingFileList::Created));
        QCOMPARE(states.count(), 2); // 1 then 2

        QList<KvUsingFileList::User> users;
        QVERIFY(list.hasChild(d + "/stage/A.xml", &users));
        QCOMPARE(users.count(), 2);
        QCOMPARE(users.at(0).first, d + "/channel/a.xml");
        QCOMPARE(users.at(1).first, d + "/channel/sub/b.xml");
        for (const char* used : {"stage/B.xml", "other/E.xml", "stage/G.xml", "stage/N.xml"})
            QVERIFY2(list.hasChild(d + "/" + used), used);
        for (const char* unused : {"stage/C.xml", "stage/D.xml", "stage/F.xml", "stage/T.xml"})
            QVERIFY2(!list.hasChild(d + "/" + unused), unused);
        for (const QString& used : list.entries().keys())
            QVERIFY2(!used.contains(QLatin1String("example.invalid")), qPrintable(used));
    }

    void contentList()
    {
        QTemporaryDir data;
        const QString d = data.path();
        QVERIFY(writeStage(d + "/stage/One.xml",
                           {"image/a.png", "folder/slides", "http://example.invalid/page"},
                           "image/back.jpg"));
        QVERIFY(writeStage(d + "/stage/sub/Two.xml", {"image/a.png", d + "/outside/m.mp4"}));
        QVERIFY(writeFile(d + "/stage/Broken.xml", "<kovaStage version=\"1\""));

        KvUsingFileList list(KvUsingFileList::UsingContent);
        list.setDataDir(d);
        list.setForwardMatchChildIsDir(true);
        QCOMPARE(build(&list, 1, d + "/stage"), 1);

        QList<KvUsingFileList::User> users;
        QVERIFY(list.hasChild(d + "/image/a.png", &users));
        QCOMPARE(users.count(), 2);
        QCOMPARE(users.at(0).first, d + "/stage/One.xml");
        QCOMPARE(users.at(1).first, d + "/stage/sub/Two.xml");
        QVERIFY(list.hasChild(d + "/image/back.jpg"));
        QVERIFY(list.hasChild(d + "/outside/m.mp4"));
        // A file inside a folder medium is used; the folder that holds media is used.
        QVERIFY(list.hasChild(d + "/folder/slides/p1.png"));
        QVERIFY(list.hasChild(d + "/image"));
        QVERIFY(!list.hasChild(d + "/image/b.png"));
        QVERIFY(!list.hasChild(d + "/folder/other.png"));
        list.setForwardMatchChildIsDir(false);
        QVERIFY(!list.hasChild(d + "/folder/slides/p1.png"));
        // Web pages name no file.
        for (const QString& used : list.entries().keys())
            QVERIFY2(!used.contains(QLatin1String("example.invalid")), qPrintable(used));
    }

    void missingRootGivesAnEmptyBuiltList()
    {
        TempDataDir data;
        KvUsingFileList list(KvUsingFileList::UsingStage);
        list.setDataDir(data.path());
        list.setEntries({{QStringLiteral("/x"), {QStringLiteral("/y")}}});
        QCOMPARE(build(&list, 0, data.path() + "/nowhere"), 1);
        QCOMPARE(list.state(), int(KvUsingFileList::Created));
        QVERIFY(list.isEmpty());
        // Without a list to fill the end is still reported, once.
        QCOMPARE(build(nullptr, 0, data.path() + "/nowhere"), 1);
    }

    void cancelKeepsOldContent_data()
    {
        QTest::addColumn<bool>("fromDialog");
        QTest::newRow("cancel()") << false;
        QTest::newRow("the progress dialog's Cancel button") << true;
    }

    void cancelKeepsOldContent()
    {
        QFETCH(bool, fromDialog);
        TempDataDir data;
        const QString d = data.path();
        QVERIFY(writeSchedules(d + "/channel", 400));
        QWidget parent;
        parent.show();
        KvUsingFileList list(KvUsingFileList::UsingStage);
        list.setDataDir(d);
        list.setEntries({{d + "/stage/Old.xml", {d + "/channel/old.xml"}}});
        list.setState(KvUsingFileList::Created);

        KvUsingFileListCreator creator(0);
        creator.setRootPath(d + "/channel");
        creator.setUsingFileList(&list);
        creator.setDialogParent(&parent);
        creator.setUsingDialog(fromDialog);
        QSignalSpy finished(&creator, &KvUsingFileListCreator::finished);
        creator.startAsync();
        QVERIFY(creator.isRunning());
        if (fromDialog) {
            QProgressDialog* dialog = creator.progressDialog();
            QVERIFY(dialog);
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->parentWidget(), &parent);
            QPushButton* cancel = dialog->findChild<QPushButton*>();
            QVERIFY(cancel);
            QTest::mouseClick(cancel, Qt::LeftButton);
        } else {
            creator.cancel();
        }
        creator.cancel(); // twice is harmless
        QVERIFY(finished.wait(10000));
        flushPostedEvents();
        QCOMPARE(finished.count(), 1);
        QVERIFY(creator.wasCanceled());
        QVERIFY(!creator.isRunning());
        QVERIFY(!creator.progressDialog());
        QCOMPARE(list.state(), int(KvUsingFileList::NotCreated));
        QVERIFY(list.hasChild(d + "/stage/Old.xml"));
        QVERIFY(!list.hasChild(d + "/stage/S1.xml"));

        // The same creator runs again to the end; its progress dialog goes away by itself.
        creator.startAsync();
        QPointer<QProgressDialog> second = creator.progressDialog();
        QCOMPARE(bool(second), fromDialog);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.count(), 2);
        QTRY_VERIFY(!second);
        QCOMPARE(list.state(), int(KvUsingFileList::Created));
        QCOMPARE(list.count(), 400);
        QVERIFY(list.hasChild(d + "/stage/S399.xml"));
        QVERIFY(!list.hasChild(d + "/stage/Old.xml"));
    }

    void destroyedWhileRunning()
    {
        TempDataDir data;
        const QString d = data.path();
        QVERIFY(writeSchedules(d + "/channel", 200));
        KvUsingFileList list(KvUsingFileList::UsingStage);
        list.setDataDir(d);
        auto* creator = new KvUsingFileListCreator(0);
        creator->setRootPath(d + "/channel");
        creator->setUsingFileList(&list);
        creator->setUsingDialog(true);
        creator->startAsync();
        QCOMPARE(list.state(), int(KvUsingFileList::Creating));
        delete creator;
        QCOMPARE(list.state(), int(KvUsingFileList::NotCreated));
        flushPostedEvents(); // queued reports of the dead worker must go nowhere
        QCOMPARE(list.state(), int(KvUsingFileList::NotCreated));
    }

    void sampleDataFolder()
    {
        // The sample schedule plays a sample stage that exists (that the sample stages use media
        // that exist is the stage file test's).
        const QString d = QStringLiteral(KOVA_SAMPLE_DIR);
        KvUsingFileList stages(KvUsingFileList::UsingStage);
        stages.setDataDir(d);
        QCOMPARE(build(&stages, 0, d + "/channel", "channel.xml"), 1);
        QVERIFY(stages.hasChild(d + "/stage/Lobby.xml"));
        for (const QString& used : stages.entries().keys())
            QVERIFY2(QFileInfo(used).isFile(), qPrintable(used));
    }
};

QTEST_MAIN(TestUsingFileList)
#include "tst_usingfilelist.moc"
