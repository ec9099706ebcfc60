// How long the stage canvas takes to handle one step of a gesture on a large stage:
// 1,000 screens at 100 %, 100 of them selected. Each figure is the time from sending one
// mouse move to the view until the view has handled it (items moved or resized, selection
// bookkeeping and handle updated); a second figure adds the event loop turn that follows
// (queued notifications and the repaint).

#include "kvbenchfigures.h"
#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvscreenselectedhandle.h"
#include "kvstage.h"
#include "kvstagescene.h"
#include "kvstageview.h"
#include "kvstageworkingarea.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>

#include <cstdio>
#include <vector>

using namespace Kova;
using Kova::Bench::Figures;
using Kova::Bench::summarise;

namespace {

const int ScreenCount = 1000;
const int SelectedCount = 100;
const int Steps = 200;

void print(const char* what, const Figures& handled, const Figures& withLoop)
{
    std::printf("%-34s handled: median %7.3f ms, mean %7.3f ms, worst %7.3f ms\n", what,
                handled.median, handled.mean, handled.worst);
    std::printf("%-34s + loop:  median %7.3f ms, mean %7.3f ms, worst %7.3f ms\n", "",
                withLoop.median, withLoop.mean, withLoop.worst);
}

void send(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

KvStage* makeStage()
{
    auto* stage = new KvStage();
    stage->setRect(QRect(0, 0, 1920, 1080));
    // 40 columns x 25 rows of 40 x 30 screens.
    for (int i = 0; i < ScreenCount; ++i) {
        auto* screen = new KvScreen(ScreenType::Multimedia, i + 1);
        screen->setName(QString("Screen %1").arg(i + 1));
        screen->setRect(QRectF(10 + (i % 40) * 47, 10 + (i / 40) * 42, 40, 30));
        screen->setZIndex(i + 1);
        stage->addScreen(screen);
    }
    return stage;
}

// Moves the pointer from `from` by `step` per move with the left button held, after a press
// at `from`; returns the per-move times.
void gesture(KvStageWorkingArea& area, const QPointF& from, const QPointF& step,
             std::vector<double>* handled, std::vector<double>* withLoop)
{
    KvStageView* view = area.view();
    QWidget* port = view->viewport();
    const QPoint start = view->mapFromScene(from);
    send(port, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    for (int i = 1; i <= Steps; ++i) {
        const QPoint pos = view->mapFromScene(from + step * i);
        timer.start();
        send(port, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
        const qint64 afterMove = timer.nsecsElapsed();
        QCoreApplication::processEvents();
        const qint64 afterLoop = timer.nsecsElapsed();
        handled->push_back(afterMove / 1e6);
        withLoop->push_back(afterLoop / 1e6);
    }
    send(port, QEvent::MouseButtonRelease, view->mapFromScene(from + step * Steps), Qt::LeftButton,
         Qt::NoButton);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    QElapsedTimer build;
    build.start();
    KvStageWorkingArea area(makeStage(), QString());
    const double buildMs = build.nsecsElapsed() / 1e6;
    area.resize(1280, 800);
    area.show();
    if (!QTest::qWaitForWindowExposed(&area))
        qWarning("the working area was not shown; the figures below leave out painting");
    area.view()->centerOn(400, 300);
    QCoreApplication::processEvents();

    QList<KvScreen*> selection;
    for (int i = 0; i < SelectedCount; ++i) {
        selection.append(area.stage()->screenList().at(i));
    }
    QElapsedTimer selecting;
    selecting.start();
    area.selectScreenItem(selection);
    const double selectMs = selecting.nsecsElapsed() / 1e6;
    QCoreApplication::processEvents();

    std::printf("Stage canvas, %d screens at 100 %%, %d selected, %d steps per gesture\n",
                ScreenCount, SelectedCount, Steps);
    std::printf("building the tab: %.1f ms; selecting %d screens: %.3f ms\n", buildMs,
                SelectedCount, selectMs);

    // Drag of the selection: press on the first selected screen, move one pixel per step.
    std::vector<double> handled;
    std::vector<double> withLoop;
    const QRectF first = area.stage()->screenList().first()->rect();
    gesture(area, first.center(), QPointF(1, 1), &handled, &withLoop);
    print("drag of the selection, one move", summarise(handled), summarise(withLoop));
    KvScreenItem* firstItem = area.scene()->screenItemOf(area.stage()->screenList().first());
    std::printf("  (first screen moved by %.0f, %.0f)\n", firstItem->pos().x() - first.x(),
                firstItem->pos().y() - first.y());
    area.selectedScreenMoved();

    // Resize through the bottom-right handle, one pixel per step.
    handled.clear();
    withLoop.clear();
    area.updateSelectedHandle();
    const QRectF outer = area.selectedHandle()->outerRectOnScene();
    const double margin = area.selectedHandle()->margin();
    gesture(area, outer.bottomRight() - QPointF(margin, margin), QPointF(1, 0.5), &handled,
            &withLoop);
    print("handle resize, one step", summarise(handled), summarise(withLoop));
    std::printf("  (selection now %.0f x %.0f)\n", area.scene()->selectionBoundingRect().width(),
                area.scene()->selectionBoundingRect().height());
    return 0;
}
