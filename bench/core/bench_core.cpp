// Stage file speed: writes a stage of 1,000 screens and 20,000 media, then times reading it
// into the model against QXmlStreamReader merely tokenizing the same file.
//   bench_core [repetitions]

#include "kvscreen.h"
#include "kvstage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <QXmlStreamReader>

#include <algorithm>

using namespace Kova;

namespace {

constexpr int screenCount = 1000;
constexpr int mediaPerScreen = 20;

void buildStage(KvStage* stage)
{
    stage->setName(QStringLiteral("Benchmark"));
    stage->setDescription(QStringLiteral("A large generated stage"));
    QFont telopFont(QStringLiteral("DejaVu Sans"), 36);
    telopFont.setBold(true);
    for (int s = 1; s <= screenCount; ++s) {
        const bool telop = s % 10 == 0;
        auto* screen = new KvScreen(telop ? ScreenType::Telop : ScreenType::Multimedia, s);
        screen->setName(QStringLiteral("Screen %1").arg(s));
        screen->setRect(QRectF((s % 40) * 48.0, (s / 40) * 43.2, 48.0, 43.2));
        screen->setZIndex(s);
        for (int m = 0; m < mediaPerScreen; ++m) {
            auto* media = new KvMedia();
            if (telop) {
                media->setUri(QStringLiteral("telop/news-%1-%2.txt").arg(s).arg(m));
                media->setMediaType(MediaType::Telop);
                media->setFont(telopFont);
                media->setWait(30);
                media->setStep(3);
            } else {
                const bool movie = m % 4 == 3;
                media->setUri(movie ? QStringLiteral("movie/clip-%1-%2.mp4").arg(s).arg(m)
                                    : QStringLiteral("image/picture-%1-%2.png").arg(s).arg(m));
                media->setMediaType(movie ? MediaType::Movie : MediaType::Image);
                media->setDetectTermination(movie);
            }
            media->setName(QStringLiteral("Medium %1 of screen %2").arg(m).arg(s));
            media->setPlayingDuration(5.0 + m);
            screen->addMedia(media);
        }
        screen->addEvent(KvEvent(KvEvent::ContentEnd, s, KvEvent::Raise));
        if (s > 1)
            screen->addEvent(
                KvEvent(KvEvent::ContentEnd, s - 1, KvEvent::Wait, {QStringLiteral("GotoNext")}));
        stage->addScreen(screen);
    }
}

// Milliseconds of the fastest of the runs.
template <typename F> double fastest(int runs, F f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.xml"));

    KvStage stage(path);
    buildStage(&stage);
    const double writeMs = fastest(runs, [&] {
        if (!stage.writeToFile()) {
            out << "write failed: " << stage.errorString() << '\n';
            ::exit(1);
        }
    });

    int tokens = 0;
    const double tokenizeMs = fastest(runs, [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QXmlStreamReader xml(&file);
        tokens = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            ++tokens;
        }
        if (xml.hasError()) {
            out << "tokenizing failed: " << xml.errorString() << '\n';
            ::exit(1);
        }
    });

    const double readMs = fastest(runs, [&] {
        KvStage loaded(path);
        if (!loaded.readFile()) {
            out << "read failed: " << loaded.errorString() << '\n';
            ::exit(1);
        }
    });

    KvStage check(path);
    check.readFile();
    const bool same = check.isMatch(stage, true);

    out << "stage: " << screenCount << " screens, " << screenCount * mediaPerScreen
        << " media, file " << QFile(path).size() / 1024 << " KiB, " << tokens << " tokens\n";
    out << "fastest of " << runs << " runs:\n";
    out << QString::asprintf("  writeToFile():            %8.1f ms\n", writeMs);
    out << QString::asprintf("  readFile():               %8.1f ms\n", readMs);
    out << QString::asprintf("  QXmlStreamReader tokens:  %8.1f ms\n", tokenizeMs);
    out << QString::asprintf("  read / tokenize ratio:    %8.2f (limit 3.00)\n",
                             readMs / tokenizeMs);
    out << "  read back equals written: " << (same ? "yes" : "NO") << '\n';
    return same ? 0 : 1;
}
