// KvStageScreen.exe: plays a stage in a window (preview) or full screen, or checks a stage.

#include "kvplayeroptions.h"
#include "kvplayerwindow.h"
#include "kvplayschedule.h"
#include "kvstagecheck.h"
#include "kvsystemclock.h"

#include <kvstage.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>

using namespace Kova;

namespace {

// Exit codes.
enum { Clean = 0, Unreadable = 1, BadArguments = 2, ProblemsFound = 3, SnapshotFailed = 4 };

void printTo(FILE* stream, const QString& text)
{
    std::fputs(qUtf8Printable(text), stream);
    std::fflush(stream);
}

// Reads the stage; on failure tells why on stderr.
bool readStage(KvStage& stage)
{
    if (stage.readFile()) {
        return true;
    }
    printTo(stderr, QStringLiteral("KvStageScreen.exe: cannot read the stage %1: %2\n")
                        .arg(stage.filePath(), stage.errorString()));
    return false;
}

int check(int argc, char* argv[], const KvPlayerOptions& options)
{
    // Stage files carry fonts, which need a GUI application; the check shows nothing, so
    // without a chosen platform it runs without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    KvStage stage(options.stageFile());
    if (!readStage(stage)) {
        return Unreadable;
    }
    const QStringList problems = KvStageCheck::problems(stage, options.dataDir());
    if (problems.isEmpty()) {
        printTo(stdout, QStringLiteral("%1: no problems found\n").arg(options.stageFile()));
        return Clean;
    }
    printTo(stdout,
            QStringLiteral("%1: %2 problem(s)\n").arg(options.stageFile()).arg(problems.count()));
    for (const QString& problem : problems) {
        printTo(stdout, problem + QLatin1Char('\n'));
    }
    return ProblemsFound;
}

// The stage's shape at 80 % of the screen's free area at most, and never larger than the
// stage itself.
QSize previewSize(const KvStage& stage)
{
    const QSize stageSize = stage.rect().size().isEmpty() ? QSize(1920, 1080) : stage.rect().size();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() * 0.8 : QSize(1280, 720);
    return stageSize.scaled(room.boundedTo(stageSize), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

int play(int argc, char* argv[], const KvPlayerOptions& options)
{
    QApplication app(argc, argv);
    KvStage stage(options.stageFile());
    if (!readStage(stage)) {
        return Unreadable;
    }
    if (!options.unitId().isEmpty()) {
        qInfo("KvStageScreen.exe unit %s: playing %s", qUtf8Printable(options.unitId()),
              qUtf8Printable(options.stageFile()));
    }

    KvSystemClock clock;
    KvPlaySchedule schedule(stage, options.dataDir(), clock);
    KvPlayerWindow window(stage, schedule);
    window.setWindowTitle(stage.name().isEmpty() ? options.stageFile() : stage.name());
    if (options.stayOnTop()) {
        window.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    window.setMovieSound(options.audio());
    if (options.hidePointer()) {
        window.setCursor(Qt::BlankCursor);
    }
    if (options.preview()) {
        window.resize(previewSize(stage));
        window.show();
    } else {
        window.showFullScreen();
    }
    if (!options.snapshotFile().isEmpty()) {
        // The screens show their first media once the event loop has run the views' start;
        // the frame is then drawn into the file and the program ends.
        QTimer::singleShot(0, &window, [&window, &options]() {
            QCoreApplication::processEvents();
            const QString file = options.snapshotFile();
            if (window.grab().save(file, "PNG")) {
                QCoreApplication::exit(Clean);
                return;
            }
            printTo(stderr,
                    QStringLiteral("KvStageScreen.exe: cannot write the snapshot %1\n").arg(file));
            QCoreApplication::exit(SnapshotFailed);
        });
    }
    // Closing the window (Esc) ends the program.
    return app.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    KvPlayerOptions options;
    if (!options.parse(arguments)) {
        printTo(stderr, QStringLiteral("KvStageScreen.exe: %1\n\n%2")
                            .arg(options.errorString(), KvPlayerOptions::usage()));
        return BadArguments;
    }
    switch (options.mode()) {
    case KvPlayerOptions::Help:
        printTo(stdout, KvPlayerOptions::usage());
        return Clean;
    case KvPlayerOptions::Check:
        return check(argc, argv, options);
    case KvPlayerOptions::Play:
        break;
    }
    return play(argc, argv, options);
}
