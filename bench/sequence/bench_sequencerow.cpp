// How long one timeline row of 5,000 media takes to lay itself out again after a medium
// was inserted at the front (every item moves right and changes its z value), and to find
// the item under a point. The row sits in the timeline scene, shown by a view. The relayout
// is timed alone (wall clock and the GUI thread's CPU time) and together with the event loop
// turn that follows (repaint).

#include "kvbenchfigures.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvscreen.h"
#include "kvseqmainscene.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

using namespace Kova;
using Kova::Bench::Figures;
using Kova::Bench::summarise;
using Kova::Bench::threadCpuMs;

namespace {

const int MediaCount = 5000;
const int Rounds = 40;
const int HitBatches = 20;
const int HitsPerBatch = 1000;

void print(const char* what, const char* unit, const Figures& f)
{
    std::printf("  %-38s median %8.3f %s, mean %8.3f %s, worst %8.3f %s\n", what, f.median, unit,
                f.mean, unit, f.worst, unit);
}

KvMedia* medium(int n)
{
    auto* media = new KvMedia(QStringLiteral("image/%1.png").arg(n), MediaType::Image);
    media->setPlayingDuration(5.0);
    return media;
}

double elapsedMs(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

void measure(QApplication& app)
{
    std::printf("timeline scene\n");
    KvScreen screen;
    for (int i = 0; i < MediaCount; ++i)
        screen.addMedia(medium(i));
    KvSeqMainScene scene;
    QElapsedTimer timer;
    timer.start();
    KvSeqScreen row(&screen, &scene);
    std::printf("  row of %d media made in %.1f ms\n", MediaCount, elapsedMs(timer));
    row.clearSelection();
    QGraphicsView view(&scene);
    view.resize(1200, 200);
    view.show();
    app.processEvents();

    std::vector<double> relayout;
    std::vector<double> relayoutCpu;
    std::vector<double> withLoop;
    for (int round = 0; round < Rounds; ++round) {
        // Alternately insert at the front and take the front medium out: both shift every
        // item by one place.
        if (round % 2 == 0)
            row.addMedia(medium(MediaCount + round), 0, false, false);
        else
            row.removeMediaAt(0, true);
        timer.restart();
        const double cpuStart = threadCpuMs();
        row.updateItemsLayout();
        relayout.push_back(elapsedMs(timer));
        relayoutCpu.push_back(threadCpuMs() - cpuStart);
        app.processEvents();
        withLoop.push_back(elapsedMs(timer));
    }
    print("relayout after a change at the front", "ms", summarise(relayout));
    print("  thread CPU time", "ms", summarise(relayoutCpu));
    print("  + event loop turn", "ms", summarise(withLoop));

    const double total = row.totalWidth();
    for (double x : {70.0, total / 2, total - 70.0, total + 10.0}) {
        std::vector<double> perHit;
        int found = -1;
        for (int batch = 0; batch < HitBatches; ++batch) {
            timer.restart();
            for (int i = 0; i < HitsPerBatch; ++i)
                row.itemAtX(x + (i % 7), &found);
            perHit.push_back(timer.nsecsElapsed() / 1e3 / HitsPerBatch);
        }
        char what[64];
        std::snprintf(what, sizeof what, "itemAtX(%.0f) -> %d", x, found);
        print(what, "us", summarise(perHit));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir data;
    if (!data.isValid())
        return 1;
    KvEditorConfig::setDataDir(data.path());
    measure(app);
    return 0;
}
