// Start-up and idle cost of the player program.
//
// 1. Start to first frame: KvStageScreen.exe with the editor's preview arguments on the Lobby
//    sample stage, against kova-editor to its first window, both under the offscreen platform,
//    runs alternating. "First frame" is the first flush of a top-level window to the screen,
//    seen in Qt's own widget-painting log (qt.widgets.painting).
// 2. CPU while idle: user + system time of the player over 5 s of wall time, on a stage of
//    still pictures only and, for contrast, on Lobby (scrolling telop).

#include <kvmedia.h>
#include <kvscreen.h>
#include <kvstage.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace Kova;

namespace {

const int runs = 5;
const int idleSeconds = 5;

QStringList previewArguments(const QString& stage)
{
    return {QStringLiteral("-s"),  stage,
            QStringLiteral("-t"),  QStringLiteral("false"),
            QStringLiteral("-u"),  QStringLiteral("001"),
            QStringLiteral("-ai"), QStringLiteral("true"),
            QStringLiteral("-ss"), QStringLiteral("true"),
            QStringLiteral("-a"),  QStringLiteral("true"),
            QStringLiteral("-pv"), QStringLiteral("true"),
            QStringLiteral("-pp"), QStringLiteral("false")};
}

QProcessEnvironment environment(const QString& home, bool paintLog)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    env.insert(QStringLiteral("KOVA_DATA_DIR"), home + QStringLiteral("/kova"));
    if (paintLog)
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.widgets.painting=true"));
    return env;
}

// Waits until the process's error output holds `marker`; false on a timeout or an exit.
bool waitForOutput(QProcess& process, const QByteArray& marker, int timeoutMs)
{
    // Waiting wakes up for the channel read from, here the error output where Qt logs.
    process.setReadChannel(QProcess::StandardError);
    QByteArray seen;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (process.state() == QProcess::NotRunning)
            return false;
        process.waitForReadyRead(50);
        seen += process.readAllStandardError();
        if (seen.contains(marker))
            return true;
        // Keep only a tail long enough to hold a marker split between two reads.
        if (seen.size() > 4096)
            seen = seen.right(256);
    }
    return false;
}

void stop(QProcess& process)
{
    process.kill();
    process.waitForFinished(10000);
}

// Milliseconds from the start of `program` to its first flushed top-level window; -1 on failure.
double firstFrameMs(const QString& program, const QStringList& arguments, const QString& home)
{
    QProcess process;
    process.setProcessEnvironment(environment(home, true));
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    const bool shown = waitForOutput(process, "Flushing top level", 60000);
    const double ms = timer.nsecsElapsed() / 1e6;
    stop(process);
    return shown ? ms : -1.0;
}

// User + system seconds the process has used, from /proc/<pid>/stat.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1.0;
    const QByteArray line = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1.0;
    const double ticks = fields.at(11).toDouble() + fields.at(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

// Share of one core the player uses over idleSeconds once it has played for a second.
double idleCpuShare(const QString& stage, const QString& home)
{
    QProcess process;
    process.setProcessEnvironment(environment(home, false));
    process.start(QStringLiteral(KOVA_PLAYER_PROGRAM), previewArguments(stage));
    if (!waitForOutput(process, "playing", 60000)) {
        stop(process);
        return -1.0;
    }
    QThread::sleep(1);
    const double before = cpuSeconds(process.processId());
    QElapsedTimer wall;
    wall.start();
    QThread::sleep(idleSeconds);
    const double used = cpuSeconds(process.processId()) - before;
    const double share = used / (wall.nsecsElapsed() / 1e9);
    process.readAllStandardError();
    stop(process);
    return share;
}

// A data folder with a stage of two screens showing still pictures for a minute each.
QString writeStillsStage(const QString& dataDir)
{
    QDir(dataDir).mkpath(QStringLiteral("image"));
    QDir(dataDir).mkpath(QStringLiteral("stage"));
    KvStage stage(QDir(dataDir).filePath(QStringLiteral("stage/Stills.xml")));
    stage.setName(QStringLiteral("Stills"));
    stage.setRect(QRect(0, 0, 1920, 1080));
    const QColor colours[] = {Qt::darkRed, Qt::darkGreen, Qt::darkBlue, Qt::darkCyan};
    for (int id = 1; id <= 2; ++id) {
        auto* screen = new KvScreen(ScreenType::Multimedia, id);
        screen->setRect(id == 1 ? QRectF(0, 0, 1280, 1080) : QRectF(1280, 0, 640, 1080));
        screen->setZIndex(id);
        for (int n = 0; n < 2; ++n) {
            const QString uri = QStringLiteral("image/still-%1-%2.png").arg(id).arg(n);
            QImage picture(1920, 1080, QImage::Format_RGB32);
            picture.fill(colours[(id - 1) * 2 + n]);
            picture.save(QDir(dataDir).filePath(uri));
            auto* media = new KvMedia(uri, MediaType::Image, screen);
            media->setPlayingDuration(60);
            screen->addMedia(media);
        }
        stage.addScreen(screen);
    }
    return stage.writeToFile() ? stage.filePath() : QString();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1.0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir home;
    const QString lobby = QStringLiteral(KOVA_SAMPLE_DIR "/stage/Lobby.xml");

    std::vector<double> player;
    std::vector<double> editor;
    for (int run = 0; run < runs; ++run) {
        player.push_back(firstFrameMs(QStringLiteral(KOVA_PLAYER_PROGRAM), previewArguments(lobby),
                                      home.path()));
        editor.push_back(
            firstFrameMs(QStringLiteral(KOVA_EDITOR_PROGRAM), QStringList(), home.path()));
    }
    const double playerMs = median(player);
    const double editorMs = median(editor);
    std::printf("start to first frame, median of %d (ms): player on Lobby %.1f, kova-editor %.1f, "
                "player / editor %.2f\n",
                runs, playerMs, editorMs, editorMs > 0 ? playerMs / editorMs : -1.0);
    for (int run = 0; run < runs; ++run)
        std::printf("  run %d: player %.1f ms, editor %.1f ms\n", run + 1, player[run],
                    editor[run]);

    QTemporaryDir data;
    const QString stills = writeStillsStage(data.path());
    std::printf("CPU over %d s (share of one core): stills stage %.4f, Lobby %.4f\n", idleSeconds,
                idleCpuShare(stills, home.path()), idleCpuShare(lobby, home.path()));
    return playerMs > 0 && editorMs > 0 ? 0 : 1;
}
