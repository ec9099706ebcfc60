#include "kvstagewidget.h"

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

QTEST_MAIN(TestPlayerPreview)
#include "tst_playerpreview.moc"
