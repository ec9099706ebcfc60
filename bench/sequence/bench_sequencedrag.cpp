// How long the timeline view takes to handle one mouse move while 100 selected media of a
// row of 5,000 are dragged along the row. Each figure is the time from sending one move to
// the view's viewport until the view has handled it (hover, every selected item placed, the
// row's gap updated); a second figure adds the event loop turn that follows (animations,
// scene index and repaint). The thread's CPU time of the handling is given as well: on a
// shared machine the wall-clock figures also hold the time the process waited for a core.

#include "kvbenchfigures.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvscreen.h"
#include "kvseqmainscene.h"
#include "kvseqmainview.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <vector>

using namespace Kova;
using Kova::Bench::Figures;
using Kova::Bench::threadCpuMs;

namespace {

const int MediaCount = 5000;
const int SelectedCount = 100;
const int FirstSelected = 2000;
const int Steps = 250;
const int StepPixels = 4;

void print(const char* what, const Figures& f)
{
    std::printf(
        "%-28s median %6.3f ms, 90%% %6.3f ms, mean %6.3f ms, worst %6.3f ms, %d over 4 ms\n", what,
        f.median, f.p90, f.mean, f.worst, f.overLimit);
}

void send(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir data;
    if (!data.isValid())
        return 1;
    KvEditorConfig::setDataDir(data.path());

    KvScreen screen;
    for (int i = 0; i < MediaCount; ++i) {
        auto* media = new KvMedia(QStringLiteral("image/%1.png").arg(i), MediaType::Image, &screen);
        media->setPlayingDuration(5.0);
        screen.addMedia(media);
    }
    KvSeqMainScene scene;
    auto* row = new KvSeqScreen(&screen, &scene);
    row->updateLineItemWidth(row->totalWidth());
    QList<int> selection;
    for (int i = FirstSelected; i < FirstSelected + SelectedCount; ++i)
        selection.append(i);
    row->selectByIndices(selection);

    KvSeqMainView view;
    view.setScene(&scene);
    view.resize(1200, 200);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        qWarning("the view was not shown; the figures below leave out painting");
    KvSeqMediaItem* pressed = row->itemAt(FirstSelected);
    view.centerOn(pressed->pos() + QPointF(600, 12));
    app.processEvents();

    QWidget* port = view.viewport();
    const QPoint start = view.mapFromScene(pressed->pos() + QPointF(70, 12));
    send(port, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    app.processEvents();

    std::vector<double> handled;
    std::vector<double> withLoop;
    std::vector<double> cpu;
    std::vector<double> cpuWithLoop;
    QElapsedTimer timer;
    for (int i = 1; i <= Steps; ++i) {
        const QPoint pos = start + QPoint(i * StepPixels, 0);
        const double cpuStart = threadCpuMs();
        timer.start();
        send(port, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
        handled.push_back(timer.nsecsElapsed() / 1e6);
        cpu.push_back(threadCpuMs() - cpuStart);
        app.processEvents();
        withLoop.push_back(timer.nsecsElapsed() / 1e6);
        cpuWithLoop.push_back(threadCpuMs() - cpuStart);
    }
    const int insertIndex = row->insertIndex();
    send(port, QEvent::MouseButtonRelease, start + QPoint(Steps * StepPixels, 0), Qt::LeftButton,
         Qt::NoButton);
    app.processEvents();

    std::printf("timeline row of %d media, %d selected, dragged %d px in %d moves\n", MediaCount,
                row->selectedItems().count(), Steps * StepPixels, Steps);
    print("one move, handled", Bench::summarise(handled, 4.0));
    print("one move, handled, CPU time", Bench::summarise(cpu, 4.0));
    print("one move + event loop turn", Bench::summarise(withLoop, 4.0));
    print("  + event loop turn, CPU time", Bench::summarise(cpuWithLoop, 4.0));
    std::printf("  (gap opened at index %d; a move of 4 ms or less is the aim)\n", insertIndex);

    delete row;
    return 0;
}
