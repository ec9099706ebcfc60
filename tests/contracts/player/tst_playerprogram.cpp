#include "kvplayeroptions.h"
#include "kvstagewidget.h"
#include "kvtestfactories.h"

#include <QProcess>
#include <QtTest>

using namespace Kova;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// KvStageScreen.exe's environment: offscreen, with a home and a runtime folder of its own (so
// Qt has nothing to say on stderr about a missing runtime folder).
QProcessEnvironment playerEnvironment()
{
    static QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    // In a sanitizer build, the leak checker's count of suppressed leaks stays off stderr.
    const QString leaks = QStringLiteral("LSAN_OPTIONS");
    if (environment.contains(leaks))
        environment.insert(leaks,
                           environment.value(leaks) + QStringLiteral(":print_suppressions=0"));
    return environment;
}

// Runs KvStageScreen.exe to its end (a window would keep it running: the wait fails then).
Run runPlayer(const QStringList& arguments)
{
    QProcess process;
    process.setProcessEnvironment(playerEnvironment());
    process.start(QStringLiteral(KOVA_PLAYER_PROGRAM), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestPlayerProgram : public QObject
{
    Q_OBJECT

    Test::TempDataDir m_data;

private slots:
    void initTestCase() { QVERIFY(m_data.isValid()); }

    // The editor's preview command line plays the stage in a window.
    void previewArguments()
    {
        KvPlayerOptions options;
        QVERIFY(options.parse(KvStageWidget::previewArguments("/d/stage/Lobby.xml", false)));
        QCOMPARE(options.mode(), KvPlayerOptions::Play);
        QCOMPARE(options.stageFile(), "/d/stage/Lobby.xml");
        QCOMPARE(options.preview(), true);
        QCOMPARE(options.stayOnTop(), false);
        QCOMPARE(options.unitId(), "001");
        QCOMPARE(options.hidePointer(), true);
        QCOMPARE(options.audio(), true);
        QCOMPARE(options.platformPlayer(), false);
        QCOMPARE(options.dataDir(), "/d");
    }

    void dataDir_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QString>("expected");
        QTest::newRow("-d wins") << QStringList{"-s", "/d/stage/a.xml", "-d", "/e"} << "/f"
                                 << "/e";
        QTest::newRow("stage folder, any case") << QStringList{"-s", "/d/Stage/a.xml"} << "/f"
                                                << "/d";
        QTest::newRow("elsewhere: KOVA_DATA_DIR") << QStringList{"-s", "/d/x/a.xml"} << "/f"
                                                  << "/f";
        QTest::newRow("elsewhere: the stage's folder") << QStringList{"--check", "/d/x/a.xml"} << ""
                                                       << "/d/x";
    }
    void dataDir()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, environment);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("KOVA_DATA_DIR");
        qputenv("KOVA_DATA_DIR", environment.toUtf8());
        KvPlayerOptions options;
        QVERIFY(options.parse(arguments));
        const QString dataDir = options.dataDir();
        qputenv("KOVA_DATA_DIR", saved);
        QCOMPARE(dataDir, expected);
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << QStringList() << "no stage given (-s <stage file>)";
        QTest::newRow("unknown option")
            << QStringList{"-s", "a.xml", "-x", "1"} << "unknown option \"-x\"";
        QTest::newRow("boolean not true or false")
            << QStringList{"-s", "a.xml", "-t", "yes"} << "-t takes true or false, not \"yes\"";
        QTest::newRow("value missing") << QStringList{"-t", "false", "-s"} << "-s needs a value";
        QTest::newRow("given twice")
            << QStringList{"-s", "a.xml", "-s", "b.xml"} << "-s is given twice";
        QTest::newRow("play and check") << QStringList{"-s", "a.xml", "--check", "b.xml"}
                                        << "-s and --check cannot be given together";
        QTest::newRow("help and more")
            << QStringList{"--help", "-s", "a.xml"} << "--help takes no other option";
    }
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const Run run = runPlayer(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err, "KvStageScreen.exe: " + error + "\n\n" + KvPlayerOptions::usage());
        QCOMPARE(run.out, QString());
    }

    // An unreadable stage is refused with one message, whether played or checked: the
    // program ends by itself, so no window was opened.
    void unreadableStage_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("played, missing") << "-s"
                                         << "stage/none.xml"
                                         << "Cannot open the stage file";
        QTest::newRow("checked, not a stage") << "--check"
                                              << "stage/bad.xml"
                                              << "Line 1";
    }
    void unreadableStage()
    {
        QFETCH(QString, option);
        QFETCH(QString, file);
        QFETCH(QString, reason);
        QVERIFY(Test::writeFile(m_data.filePath("stage/bad.xml"), "<kovaStage version=\"1\">"));
        const QString path = m_data.filePath(file);
        const Run run = runPlayer({option, path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("KvStageScreen.exe: cannot read the stage " + path + ": "),
                 qPrintable(run.err));
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QCOMPARE(run.err.count('\n'), 1);
        QCOMPARE(run.out, QString());
    }

    void checkSamples_data()
    {
        QTest::addColumn<QString>("stage");
        QTest::newRow("Lobby") << "Lobby.xml";
        QTest::newRow("Portrait") << "Portrait.xml";
    }
    void checkSamples()
    {
        QFETCH(QString, stage);
        const QString path = Test::TempDataDir::sampleDir() + "/stage/" + stage;
        QVERIFY(QFileInfo::exists(path));
        const Run run = runPlayer({"--check", path});
        QCOMPARE(run.out, path + ": no problems found\n");
        QCOMPARE(run.exitCode, 0);
    }

    // Every kind of problem, each listed once; a file two media use is one problem.
    void checkProblems()
    {
        const QString path = m_data.stagePath("broken.xml");
        KvStage stage(path);
        stage.setRect(QRect(0, 0, 1920, 1080));
        KvScreen* main =
            Test::addScreen(&stage, 1, ScreenType::Multimedia, QRectF(0, 0, 100, 50), "Main");
        for (const char* uri : {"image/gone.png", "image/gone.png"})
            main->addMedia(new KvMedia(uri, MediaType::Image, main));
        main->addMedia(new KvMedia("misc/thing.xyz", MediaType::Unknown, main));
        for (int i = 0; i < 2; ++i)
            main->addEvent(KvEvent(KvEvent::ContentEnd, 1, KvEvent::Raise));
        KvScreen* side =
            Test::addScreen(&stage, 2, ScreenType::Multimedia, QRectF(1900, 0, 100, 50), "Side");
        side->addEvent(KvEvent(KvEvent::ContentStart, 1, KvEvent::Wait));
        side->addEvent(KvEvent(KvEvent::ContentEnd, 9, KvEvent::Wait));
        QVERIFY(stage.writeToFile());

        const Run run = runPlayer({"--check", path});
        const QString gone = m_data.filePath("image/gone.png");
        QCOMPARE(run.out.split('\n'),
                 QStringList({path + ": 7 problem(s)",
                              "screen \"Main\" (id 1) medium 3 has an unknown media type: "
                              "misc/thing.xyz",
                              "screen \"Main\" (id 1) raises \"content end\" but no screen "
                              "listens to it",
                              "screen \"Side\" (id 2) has no media",
                              "screen \"Side\" (id 2) reaches outside the stage: 1900,0 100x50 "
                              "on a 1920x1080 stage",
                              "screen \"Side\" (id 2) listens to \"content start\" of screen "
                              "\"Main\" (id 1), which does not raise it",
                              "screen \"Side\" (id 2) listens to \"content end\" of screen id 9, "
                              "which is not in the stage",
                              "missing file: " + gone +
                                  " (used by screen \"Main\" (id 1) medium 1, screen \"Main\" "
                                  "(id 1) medium 2)",
                              ""}));
        QCOMPARE(run.exitCode, 3);
    }

    // The editor's Preview Stage: the player started with the editor's arguments plays the
    // Lobby sample in a window (its web screen built, a first frame drawn) until it is stopped.
    void previewPlaysUntilStopped()
    {
        QProcessEnvironment environment = playerEnvironment();
        // Qt's widget-painting log tells when the window's first frame reached the screen.
        environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                           QStringLiteral("qt.widgets.painting=true"));
        QProcess player;
        player.setProcessEnvironment(environment);
        player.start(QStringLiteral(KOVA_PLAYER_PROGRAM),
                     KvStageWidget::previewArguments(
                         Test::TempDataDir::sampleDir() + "/stage/Lobby.xml", false));
        QVERIFY2(player.waitForStarted(), qPrintable(player.errorString()));
        QByteArray err;
        const auto logged = [&](const char* text) {
            err += player.readAllStandardError();
            return err.contains(text);
        };
        QTRY_VERIFY_WITH_TIMEOUT(logged("unit 001: playing"), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(logged("web pages are shown as their address"), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(logged("Flushing top level"), 30000);
        QCOMPARE(player.state(), QProcess::Running);
        player.kill();
        QVERIFY(player.waitForFinished(10000));
        QCOMPARE(player.exitStatus(), QProcess::CrashExit); // killed, not ended by itself
    }

    // The preview's first frame, written by the player itself: a 400 x 200 stage on blue fitted
    // in the window, whose left screen shows the first of its pictures (red, then green).
    void previewShowsFirstPicture()
    {
        QVERIFY(Test::writeImage(m_data.filePath("image/red.png"), QSize(100, 100), Qt::red));
        QVERIFY(Test::writeImage(m_data.filePath("image/green.png"), QSize(100, 100), Qt::green));
        const QString path = m_data.stagePath("preview.xml");
        KvStage stage(path);
        stage.setRect(QRect(0, 0, 400, 200));
        stage.setBackgroundColor(Qt::blue);
        KvScreen* left =
            Test::addScreen(&stage, 1, ScreenType::Multimedia, QRectF(0, 0, 200, 200), "Left");
        for (const char* uri : {"image/red.png", "image/green.png"}) {
            left->addMedia(new KvMedia(uri, MediaType::Image, left));
            left->mediaList().last()->setPlayingDuration(5);
        }
        QVERIFY(stage.writeToFile());

        const QString snapshot = m_data.filePath("first.png");
        const Run run = runPlayer(KvStageWidget::previewArguments(path, false)
                                  << QStringLiteral("--snapshot") << snapshot);
        QCOMPARE(run.exitCode, 0);
        const QImage frame(snapshot);
        const QSize fitted = QSize(400, 200).scaled(frame.size(), Qt::KeepAspectRatio);
        const QPoint origin((frame.width() - fitted.width()) / 2,
                            (frame.height() - fitted.height()) / 2);
        QCOMPARE(frame.pixelColor(origin + QPoint(fitted.width() / 4, fitted.height() / 2)),
                 QColor(Qt::red));
        QCOMPARE(frame.pixelColor(origin + QPoint(fitted.width() * 3 / 4, fitted.height() / 2)),
                 QColor(Qt::blue));
    }
};

QTEST_MAIN(TestPlayerProgram)
#include "tst_playerprogram.moc"
