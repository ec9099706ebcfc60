#include "kvmedia.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvstagewidget.h"
#include "kvtestfactories.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Kova;

// The editor's Preview Stage, end to end: the built player started with the editor's own
// arguments plays the Lobby sample stage in a window until it is stopped.
class TestPlayerPreview : public QObject
{
    Q_OBJECT

private slots:
    void previewPlaysUntilStopped();
    void previewShowsFirstPictures();
};

void TestPlayerPreview::previewPlaysUntilStopped()
{
    const QString lobby = QStringLiteral(KOVA_SAMPLE_DIR "/stage/Lobby.xml");
    QVERIFY(QFileInfo(lobby).isFile());
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    // Qt's widget-painting log tells when the window's first frame reached the screen.
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.widgets.painting=true"));
    QProcess player;
    player.setProcessEnvironment(env);
    player.start(QStringLiteral(KOVA_PLAYER_PROGRAM),
                 KvStageWidget::previewArguments(lobby, false));
    QVERIFY2(player.waitForStarted(), qPrintable(player.errorString()));

    QByteArray err;
    const auto logged = [&](const char* text) {
        err += player.readAllStandardError();
        return err.contains(text);
    };
    // The stage was read, its web screen built, and a first frame flushed.
    QTRY_VERIFY_WITH_TIMEOUT(logged("unit 001: playing"), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(logged("web pages are shown as their address"), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(logged("Flushing top level"), 30000);
    QCOMPARE(player.state(), QProcess::Running);

    player.kill();
    QVERIFY(player.waitForFinished(10000));
    QCOMPARE(player.exitStatus(), QProcess::CrashExit); // killed, not ended by itself
}

// The preview's first frame, written by the program itself: a 400 x 200 stage on blue whose
// left screen plays a red picture, then a green one; its right half is the stage colour.
void TestPlayerPreview::previewShowsFirstPictures()
{
    QTemporaryDir data;
    const QString dir = data.path();
    QVERIFY(Kova::Test::writeImage(dir + "/image/red.png", QSize(100, 100), Qt::red));
    QVERIFY(Kova::Test::writeImage(dir + "/image/green.png", QSize(100, 100), Qt::green));
    const QString stagePath = dir + "/stage/preview.xml";
    QVERIFY(QDir().mkpath(dir + "/stage"));
    {
        KvStage stage(stagePath);
        stage.setRect(QRect(0, 0, 400, 200));
        stage.setBackgroundColor(Qt::blue);
        KvScreen* screen =
            Kova::Test::addScreen(&stage, 1, ScreenType::Multimedia, QRectF(0, 0, 200, 200));
        for (const char* name : {"image/red.png", "image/green.png"}) {
            auto* media = new KvMedia(QString::fromLatin1(name), MediaType::Image, screen);
            media->setPlayingDuration(5);
            screen->addMedia(media);
        }
        QVERIFY(stage.writeToFile());
    }
    const QString snapshot = dir + "/first.png";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), dir);
    QProcess player;
    player.setProcessEnvironment(env);
    player.start(QStringLiteral(KOVA_PLAYER_PROGRAM),
                 KvStageWidget::previewArguments(stagePath, false)
                     << QStringLiteral("--snapshot") << snapshot);
    QVERIFY(player.waitForFinished(30000));
    QCOMPARE(player.exitCode(), 0);

    const QImage frame(snapshot);
    QVERIFY(!frame.isNull());
    // The stage fitted into the window, centred.
    const QSize fitted = QSize(400, 200).scaled(frame.size(), Qt::KeepAspectRatio);
    const QRect stageArea(
        QPoint((frame.width() - fitted.width()) / 2, (frame.height() - fitted.height()) / 2),
        fitted);
    const auto at = [&](double x, double y) {
        return frame.pixelColor(stageArea.x() + int(x * stageArea.width()),
                                stageArea.y() + int(y * stageArea.height()));
    };
    QCOMPARE(at(0.25, 0.5), QColor(Qt::red));
    QCOMPARE(at(0.75, 0.5), QColor(Qt::blue));
}

QTEST_MAIN(TestPlayerPreview)
#include "tst_playerpreview.moc"
