// Copies a folder of 2,000 generated files (200 MB in all) into another folder with
// KvFileManipulator, its progress dialog shown, and with `cp -r` in the same run, and reports
// both times and their ratio (goal: at most 1.5). A timer ticks every 2 ms on the GUI thread
// while the manipulator works; the longest gap between two ticks is how long the GUI was kept
// from running (goal: at most 50 ms). The two take turns going first: the file system makes
// whichever copy follows the removal of the last round's 4,000 files slower.
//
// Run: bench_filemanipulator [rounds]

#include "kvfilemanipulator.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <algorithm>

using namespace Kova;

namespace {

const int FileCount = 2000;
const int FileSize = 100 * 1000; // 2,000 x 100 kB = 200 MB

bool generate(const QString& folder)
{
    QByteArray content(FileSize, Qt::Uninitialized);
    for (int i = 0; i < FileCount; ++i) {
        for (int b = 0; b < FileSize; b += 4)
            content[b] = char(i + b / 4096);
        const QString sub = QStringLiteral("%1/part%2").arg(folder).arg(i / 200);
        QDir().mkpath(sub);
        QFile file(QStringLiteral("%1/file%2.bin").arg(sub).arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != FileSize)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 4;

    QTemporaryDir data;
    const QString source = data.path() + QStringLiteral("/source");
    QElapsedTimer timer;
    timer.start();
    if (!generate(source)) {
        out << "could not write the files\n";
        return 1;
    }
    out << "generated " << FileCount << " files, " << qint64(FileCount) * FileSize / 1000000
        << " MB in " << timer.elapsed() << " ms\n";

    QWidget window;
    window.resize(400, 300);
    window.show();

    qint64 bestOwn = -1;
    qint64 bestCp = -1;
    qint64 worstGap = 0;
    for (int round = 1; round <= rounds; ++round) {
        const QString ownTarget = data.path() + QStringLiteral("/own%1").arg(round);
        const QString cpTarget = data.path() + QStringLiteral("/cp%1").arg(round);
        QDir().mkpath(ownTarget);
        QDir().mkpath(cpTarget);

        const auto copyWithCp = [&]() {
            timer.restart();
            const int exitCode =
                QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), source, cpTarget});
            return std::make_pair(exitCode, timer.elapsed());
        };
        const bool cpFirst = round % 2 == 0;
        const std::pair<int, qint64> cpFirstRun = cpFirst ? copyWithCp() : std::make_pair(0, 0LL);

        KvFileManipulator manipulator(QStringList{source}, ownTarget, KvFileManipulator::Copy, 0,
                                      &window);
        QElapsedTimer sinceTick;
        qint64 maxGap = 0;
        QTimer ticker;
        ticker.setInterval(2);
        QObject::connect(&ticker, &QTimer::timeout,
                         [&]() { maxGap = std::max(maxGap, sinceTick.restart()); });
        sinceTick.start();
        ticker.start();
        timer.restart();
        const bool done = manipulator.exec();
        const qint64 own = timer.elapsed();
        maxGap = std::max(maxGap, sinceTick.elapsed());
        ticker.stop();

        const std::pair<int, qint64> cpRun = cpFirst ? cpFirstRun : copyWithCp();
        const int cpExit = cpRun.first;
        const qint64 cp = cpRun.second;
        const int copied = manipulator.pathPairs().count();

        out << "round " << round << (cpFirst ? " (cp -r first)" : "") << ": manipulator " << own
            << " ms (" << copied << " paths), cp -r " << cp << " ms, ratio "
            << QString::number(double(own) / std::max<qint64>(1, cp), 'f', 2)
            << "; longest GUI-thread block " << maxGap << " ms\n";
        out.flush();
        if (!done || cpExit != 0)
            return 1;
        bestOwn = bestOwn < 0 ? own : std::min(bestOwn, own);
        bestCp = bestCp < 0 ? cp : std::min(bestCp, cp);
        worstGap = std::max(worstGap, maxGap);
        QDir(ownTarget).removeRecursively();
        QDir(cpTarget).removeRecursively();
    }
    const double ratio = double(bestOwn) / std::max<qint64>(1, bestCp);
    out << "best of " << rounds << ": manipulator " << bestOwn << " ms, cp -r " << bestCp
        << " ms, ratio " << QString::number(ratio, 'f', 2) << " (goal: <= 1.5) "
        << (ratio <= 1.5 ? "OK" : "OVER") << "\n";
    out << "longest GUI-thread block over all rounds: " << worstGap << " ms (goal: <= 50 ms) "
        << (worstGap <= 50 ? "OK" : "OVER") << "\n";
    return 0;
}
