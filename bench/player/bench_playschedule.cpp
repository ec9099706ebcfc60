// The cost of the playback schedule: a day of a busy stage followed frame by frame (16 ms, as
// a window polling every frame would; the real window only wakes at nextChangeMs) and the
// same day in one jump (a machine waking from sleep). Prints its figures.

#include "kvmanualclock.h"
#include "kvplayschedule.h"

#include <kvevent.h>
#include <kvmedia.h>
#include <kvscreen.h>
#include <kvstage.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

using namespace Kova;

namespace {

constexpr qint64 DAY_MS = 24 * 3600 * 1000;
constexpr int SCREENS = 8;

// Eight screens of five pictures each, lengths from 0.5 s to 12 s; screen 1 raises its ends,
// screen 2 listens to them, screen 3 listens to screen 2's starts.
void fill(KvStage& stage)
{
    for (int id = 1; id <= SCREENS; ++id) {
        auto* screen = new KvScreen(ScreenType::Multimedia, id);
        screen->setRect(QRectF((id - 1) * 240, 0, 240, 1080));
        screen->setZIndex(id);
        for (int i = 0; i < 5; ++i) {
            auto* media =
                new KvMedia(QStringLiteral("image/p%1.png").arg(i), MediaType::Image, screen);
            media->setPlayingDuration(0.5 + ((id * 7 + i * 3) % 24) * 0.5);
            screen->addMedia(media);
        }
        stage.addScreen(screen);
    }
    stage.getScreenObject(1)->addEvent(KvEvent(KvEvent::ContentEnd, 1, KvEvent::Raise));
    stage.getScreenObject(2)->addEvent(KvEvent(KvEvent::ContentEnd, 1, KvEvent::Wait));
    stage.getScreenObject(2)->addEvent(KvEvent(KvEvent::ContentStart, 2, KvEvent::Raise));
    stage.getScreenObject(3)->addEvent(KvEvent(KvEvent::ContentStart, 2, KvEvent::Wait));
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir data;
    QDir(data.path()).mkpath(QStringLiteral("image"));
    QImage picture(64, 36, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    for (int i = 0; i < 5; ++i) {
        picture.save(data.filePath(QStringLiteral("image/p%1.png").arg(i)));
    }
    KvStage stage;
    fill(stage);

    // Frame by frame.
    {
        KvManualClock clock;
        KvPlaySchedule schedule(stage, data.path(), clock);
        qint64 changes = 0;
        QObject::connect(&schedule, &KvPlaySchedule::itemChanged, [&changes] { ++changes; });
        schedule.start();
        QElapsedTimer timer;
        timer.start();
        qint64 frames = 0;
        for (qint64 now = 16; now <= DAY_MS; now += 16, ++frames) {
            clock.setNowMs(now);
            schedule.update();
        }
        const qint64 ns = timer.nsecsElapsed();
        std::printf("day in 16 ms frames: %lld frames, %lld item changes, %.1f ms in all, "
                    "%.0f ns per frame\n",
                    frames, changes, ns / 1e6, double(ns) / frames);
    }
    // Only at the planned changes, as the window does.
    {
        KvManualClock clock;
        KvPlaySchedule schedule(stage, data.path(), clock);
        schedule.start();
        QElapsedTimer timer;
        timer.start();
        qint64 wakes = 0;
        while (schedule.nextChangeMs() >= 0 && schedule.nextChangeMs() <= DAY_MS) {
            clock.setNowMs(schedule.nextChangeMs());
            schedule.update();
            ++wakes;
        }
        const qint64 ns = timer.nsecsElapsed();
        std::printf("day at planned changes: %lld wake-ups, %.1f ms in all, %.0f ns per wake-up\n",
                    wakes, ns / 1e6, double(ns) / wakes);
    }
    // One jump.
    {
        KvManualClock clock;
        KvPlaySchedule schedule(stage, data.path(), clock);
        schedule.start();
        QElapsedTimer timer;
        timer.start();
        clock.setNowMs(DAY_MS);
        schedule.update();
        std::printf("day in one jump: %.1f ms\n", timer.nsecsElapsed() / 1e6);
    }
    return 0;
}
