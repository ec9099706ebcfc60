#include "kveditorconfig.h"
#include "kvextension.h"
#include "kvmanualclock.h"
#include "kvplayrules.h"
#include "kvplayschedule.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvtestfactories.h"
#include "kvthumbnail.h"

#include <QGraphicsScene>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

// A screen's media from short descriptions "<uri>:<seconds>[:end|:still]": the type follows the
// file's extension, a uri ending in "/" is a folder, ":end" plays a movie until it ends,
// ":still" shows a telop without travel.
void addMedia(KvScreen* screen, const QStringList& descriptions)
{
    for (const QString& description : descriptions) {
        const QStringList parts = description.split(QLatin1Char(':'));
        const QString uri = parts.at(0);
        const MediaType::MediaTypes type = uri.endsWith(QLatin1Char('/'))
                                               ? MediaType::Folder
                                               : KvExtension::getMediaType(QFileInfo(uri).suffix());
        auto* media = new KvMedia(uri, type, screen);
        media->setPlayingDuration(parts.value(1).toDouble());
        media->setDetectTermination(parts.value(2) == QLatin1String("end"));
        media->setPlayingDirection(parts.value(2) == QLatin1String("still") ? 1 : 2);
        screen->addMedia(media);
    }
}

// "<file name>@<start ms>", or "-" while nothing plays.
QString describe(const KvPlayItem& item)
{
    if (!item.isValid())
        return QStringLiteral("-");
    return QStringLiteral("%1@%2").arg(QFileInfo(item.filePath).fileName()).arg(item.startMs);
}

QString warning(const QString& path, const char* why)
{
    return QStringLiteral("Player: skipped %1: %2").arg(path, QLatin1String(why));
}

} // namespace

class TestPlaySchedule : public QObject
{
    Q_OBJECT

    Test::TempDataDir m_data;

    QString path(const QString& relative) const { return m_data.filePath(relative); }

    // Follows a schedule from change to change as the window does: the clock is set to
    // nextChangeMs() and update() called.
    static QStringList follow(KvPlaySchedule& schedule, KvManualClock& clock, int screenId,
                              int changes)
    {
        QStringList seen{describe(schedule.current(screenId))};
        for (int i = 0; i < changes && schedule.nextChangeMs() >= 0; ++i) {
            clock.setNowMs(schedule.nextChangeMs());
            schedule.update();
            seen.append(describe(schedule.current(screenId)));
        }
        return seen;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
        for (const char* name : {"image/a.png", "image/b.jpg", "folder/img10.png",
                                 "folder/IMG2.png", "folder/img1.jpg"})
            QVERIFY(Test::writeImage(path(name)));
        for (const char* name : {"folder/clip.mp4", "folder/note.txt", "folder/notes.doc",
                                 "folder/.hidden.png", "movie/broken.mp4", "empty/readme.doc"})
            QVERIFY(Test::writeFile(path(name)));
        QVERIFY(Test::writeFile(path("telop/t.txt"), "Hello telop"));
        QVERIFY(QFile::copy(Test::TempDataDir::sampleDir() + "/movie/countdown-3s.mp4",
                            path("movie/countdown-3s.mp4")));
    }

    // The player plays every medium as long as the timeline shows it; where the timeline
    // knows no length, movies wait for their end (-1) and the rest play their playing time,
    // never less than the minimum.
    void durationsFollowTimeline_data()
    {
        QTest::addColumn<QString>("medium");
        QTest::addColumn<qint64>("recordedMs");
        QTest::addColumn<qint64>("playMs");
        QTest::newRow("image") << "image/a.png:5" << 0ll << 5000ll;
        QTest::newRow("image of 0 s") << "image/a.png:0" << 0ll << 100ll;
        QTest::newRow("image, end detected") << "image/a.png:4:end" << 0ll << 4000ll;
        QTest::newRow("movie") << "movie/broken.mp4:12" << 0ll << 12000ll;
        QTest::newRow("movie of 0 s") << "movie/broken.mp4:0" << 0ll << -1ll;
        QTest::newRow("movie to its end, recorded")
            << "movie/broken.mp4:12:end" << 7500ll << 7500ll;
        QTest::newRow("movie to its end, unknown") << "movie/broken.mp4:12:end" << 0ll << -1ll;
        QTest::newRow("telop travelling") << "telop/t.txt:10" << 0ll << -2ll;
        QTest::newRow("static telop") << "telop/t.txt:9:still" << 0ll << 9000ll;
        QTest::newRow("folder: 4 playable files of 3 s") << "folder/:3" << 0ll << -3ll;
    }
    void durationsFollowTimeline()
    {
        QFETCH(QString, medium);
        QFETCH(qint64, recordedMs);
        QFETCH(qint64, playMs);
        const QRectF rect(0, 0, 500, 100);
        std::unique_ptr<KvScreen> screen(Test::makeScreen(1, ScreenType::Multimedia, rect));
        addMedia(screen.get(), {medium});
        KvMedia* media = screen->mediaList().first();
        QGraphicsScene scene;
        KvSeqScreen row(screen.get(), &scene);
        KvSeqMediaItem* item = row.addMedia(new KvMedia(*media), -1, false, true);
        KvThumbnail::FileProperty property;
        property.length = recordedMs;
        item->setFileProperty(property);

        const double seconds =
            KvPlayRules::timelineSeconds(*media, rect, m_data.path(), recordedMs);
        QCOMPARE(seconds, item->duration());
        // -2: as long as the timeline says; -3: a folder's time shared among its files.
        const qint64 expected = playMs == -2   ? qRound64(item->duration() * 1000)
                                : playMs == -3 ? qRound64(item->duration() * 1000 / 4)
                                               : playMs;
        const qint64 played = media->mediaType() == MediaType::Folder
                                  ? KvPlayRules::folderFileMs(*media)
                                  : KvPlayRules::playMs(*media, rect, m_data.path(), recordedMs);
        QCOMPARE(played, expected);
    }

    // A screen plays its media in order and starts again after the last; each item starts
    // exactly where the one before ended.
    void sequence_data()
    {
        QTest::addColumn<QStringList>("media");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("pictures loop")
            << QStringList{"image/a.png:2", "image/b.jpg:3"} << QStringList()
            << QStringList{"a.png@0", "b.jpg@2000", "a.png@5000", "b.jpg@7000"};
        QTest::newRow("folder files in natural name order, telop and unknown files left out")
            << QStringList{"image/a.png:1", "folder/:2"} << QStringList()
            << QStringList{"a.png@0",       "clip.mp4@1000",  "img1.jpg@3000",
                           "IMG2.png@5000", "img10.png@7000", "a.png@9000"};
        QTest::newRow("missing file skipped, logged once")
            << QStringList{"image/a.png:2", "image/none.png:5", "image/b.jpg:1"}
            << QStringList{warning(path("image/none.png"), "the file is missing")}
            << QStringList{"a.png@0", "b.jpg@2000", "a.png@3000", "b.jpg@5000", "a.png@6000"};
        QTest::newRow("missing folder, folder without playable file")
            << QStringList{"nowhere/:1", "empty/:1", "image/a.png:1"}
            << QStringList{warning(path("nowhere"), "the folder is missing"),
                           warning(path("empty"), "the folder holds no playable file")}
            << QStringList{"a.png@0", "a.png@1000", "a.png@2000"};
        QTest::newRow("movie to its end: the file's real length")
            << QStringList{"movie/countdown-3s.mp4:1:end", "image/a.png:2"} << QStringList()
            << QStringList{"countdown-3s.mp4@0", "a.png@3000", "countdown-3s.mp4@5000"};
        QTest::newRow("all media missing: nothing plays, nothing planned")
            << QStringList{"image/x.png:1", "image/y.png:1"}
            << QStringList{warning(path("image/x.png"), "the file is missing"),
                           warning(path("image/y.png"), "the file is missing")}
            << QStringList{"-"};
    }
    void sequence()
    {
        QFETCH(QStringList, media);
        QFETCH(QStringList, warnings);
        QFETCH(QStringList, expected);
        for (const QString& text : warnings)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(text));
        KvStage stage;
        addMedia(Test::addScreen(&stage, 1), media);
        KvManualClock clock;
        KvPlaySchedule schedule(stage, m_data.path(), clock);
        QSignalSpy changed(&schedule, &KvPlaySchedule::itemChanged);
        schedule.start();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(follow(schedule, clock, 1, expected.count() - 1), expected);
        QCOMPARE(changed.count(), expected.count());
        // Later rounds log nothing more (an unexpected message fails the test).
        clock.setNowMs(60000);
        schedule.update();
    }

    // Screen 1 raises "content end"; screen 2 listens to it with an action and raises
    // "content start", which screen 3 listens to with "GotoNext". Screens 2 and 3 are moved
    // by those events only, whatever their own media's lengths.
    void events_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("third");
        const QStringList still{"a.png@0", "a.png@0", "a.png@0", "a.png@0"};
        QTest::newRow("GotoNext") << "GotoNext"
                                  << QStringList{"a.png@0", "b.jpg@2000", "a.png@5000",
                                                 "b.jpg@7000"}
                                  << QStringList{"a.png@0", "b.jpg@2000", "a.png@5000",
                                                 "b.jpg@7000"};
        QTest::newRow("GotoFirst")
            << "GotoFirst" << QStringList{"a.png@0", "a.png@2000", "a.png@5000", "a.png@7000"}
            << QStringList{"a.png@0", "b.jpg@2000", "a.png@5000", "b.jpg@7000"};
        QTest::newRow("Stop") << "Stop" << QStringList{"a.png@0", "-", "-", "-"} << still;
        QTest::newRow("None") << "None" << still << still;
    }
    void events()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, second);
        QFETCH(QStringList, third);
        KvStage stage;
        KvScreen* first = Test::addScreen(&stage, 1);
        addMedia(first, {"image/a.png:2", "image/b.jpg:3"});
        first->addEvent(KvEvent(KvEvent::ContentEnd, 1, KvEvent::Raise));
        for (int id : {2, 3}) {
            KvScreen* screen = Test::addScreen(&stage, id);
            addMedia(screen, {"image/a.png:1", "image/b.jpg:1"});
            screen->addEvent(KvEvent(id == 2 ? KvEvent::ContentEnd : KvEvent::ContentStart, id - 1,
                                     KvEvent::Wait, {id == 2 ? action : "GotoNext"}));
        }
        stage.getScreenObject(2)->addEvent(KvEvent(KvEvent::ContentStart, 2, KvEvent::Raise));

        KvManualClock clock;
        KvPlaySchedule schedule(stage, m_data.path(), clock);
        schedule.start();
        QStringList seenSecond{describe(schedule.current(2))};
        QStringList seenThird{describe(schedule.current(3))};
        for (int i = 0; i < 3; ++i) {
            clock.setNowMs(schedule.nextChangeMs());
            schedule.update();
            seenSecond.append(describe(schedule.current(2)));
            seenThird.append(describe(schedule.current(3)));
        }
        QCOMPARE(seenSecond, second);
        QCOMPARE(seenThird, third);
        QCOMPARE(schedule.nextChangeMs(), 10000ll);

        // A jump over the same time gives the same state as the steps.
        KvManualClock jumped;
        KvPlaySchedule again(stage, m_data.path(), jumped);
        again.start();
        jumped.setNowMs(7000);
        again.update();
        QCOMPARE(describe(again.current(2)), second.last());
        QCOMPARE(describe(again.current(3)), third.last());
    }

    // GotoFirst and Repeat differ once the listener has moved on: screen 2 goes to b.jpg when
    // screen 1 ends its first medium (2 s), then hears screen 3's end (3 s).
    void restartActionsOnALaterItem_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("after");
        QTest::newRow("GotoFirst") << "GotoFirst"
                                   << "a.png@3000";
        QTest::newRow("Repeat") << "Repeat"
                                << "b.jpg@3000";
    }
    void restartActionsOnALaterItem()
    {
        QFETCH(QString, action);
        QFETCH(QString, after);
        KvStage stage;
        KvScreen* raiser = Test::addScreen(&stage, 1);
        addMedia(raiser, {"image/a.png:2", "image/b.jpg:5"});
        raiser->addEvent(KvEvent(KvEvent::ContentEnd, 1, KvEvent::Raise));
        KvScreen* listener = Test::addScreen(&stage, 2);
        addMedia(listener, {"image/a.png:1", "image/b.jpg:1"});
        listener->addEvent(KvEvent(KvEvent::ContentEnd, 1, KvEvent::Wait, {"GotoNext"}));
        listener->addEvent(KvEvent(KvEvent::ContentEnd, 3, KvEvent::Wait, {action}));
        KvScreen* other = Test::addScreen(&stage, 3);
        addMedia(other, {"image/a.png:3"});
        other->addEvent(KvEvent(KvEvent::ContentEnd, 3, KvEvent::Raise));

        KvManualClock clock;
        KvPlaySchedule schedule(stage, m_data.path(), clock);
        schedule.start();
        QStringList seen;
        for (qint64 at : {2000, 3000}) {
            clock.setNowMs(at);
            schedule.update();
            seen << describe(schedule.current(2));
        }
        QCOMPARE(seen, QStringList({"b.jpg@2000", after}));
    }

    // Screens that listen to each other's start move once per change, not in a circle:
    // screen 3 moves on its own and starts the cascade 3 -> 1 -> 2 -> (1 again: ignored).
    void eventCycleEnds()
    {
        KvStage stage;
        for (int id : {1, 2, 3}) {
            KvScreen* screen = Test::addScreen(&stage, id);
            addMedia(screen, {"image/a.png:2", "image/b.jpg:2"});
            screen->addEvent(KvEvent(KvEvent::ContentStart, id, KvEvent::Raise));
        }
        stage.getScreenObject(1)->addEvent(KvEvent(KvEvent::ContentStart, 3, KvEvent::Wait));
        stage.getScreenObject(1)->addEvent(KvEvent(KvEvent::ContentStart, 2, KvEvent::Wait));
        stage.getScreenObject(2)->addEvent(KvEvent(KvEvent::ContentStart, 1, KvEvent::Wait));
        KvManualClock clock;
        KvPlaySchedule schedule(stage, m_data.path(), clock);
        schedule.start();
        clock.setNowMs(schedule.nextChangeMs());
        schedule.update();
        for (int id : {1, 2, 3})
            QCOMPARE(describe(schedule.current(id)), "b.jpg@2000");
    }

    // A movie played to its end with no known length waits for the view; a medium the view
    // cannot play is logged once and left out from then on.
    void viewReports()
    {
        KvStage stage;
        addMedia(Test::addScreen(&stage, 1),
                 {"movie/broken.mp4:0", "image/a.png:2", "image/b.jpg:2"});
        KvManualClock clock;
        KvPlaySchedule schedule(stage, m_data.path(), clock);
        schedule.start();
        QCOMPARE(schedule.current(1).durationMs, -1ll);
        QCOMPARE(schedule.nextChangeMs(), -1ll);
        clock.setNowMs(4321);
        schedule.mediumEnded(1);
        QCOMPARE(describe(schedule.current(1)), "a.png@4321");
        // A picture's length is planned: an end report does not cut it short.
        schedule.mediumEnded(1);
        QCOMPARE(describe(schedule.current(1)), "a.png@4321");

        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(warning(path("image/a.png"), "it could not be played")));
        clock.setNowMs(5000);
        schedule.mediumFailed(1);
        QCOMPARE(describe(schedule.current(1)), "b.jpg@5000");
        clock.setNowMs(7000);
        schedule.update();
        QCOMPARE(describe(schedule.current(1)), "broken.mp4@7000");
        clock.setNowMs(7100);
        schedule.mediumEnded(1);
        QCOMPARE(describe(schedule.current(1)), "b.jpg@7100");
    }

    // Over an hour, followed in frame-sized steps or in one jump, every change starts at the
    // exact sum of the lengths before it and is seen less than a frame late.
    void hourWithoutDrift_data()
    {
        QTest::addColumn<qint64>("stepMs");
        QTest::newRow("16 ms frames") << 16ll;
        QTest::newRow("one jump") << 3600000ll;
    }
    void hourWithoutDrift()
    {
        QFETCH(qint64, stepMs);
        KvStage stage;
        addMedia(Test::addScreen(&stage, 1),
                 {"image/a.png:7.001", "image/b.jpg:11.5", "folder/:0.333"});
        // 7001 + 11500 + 4 x 333 ms per round.
        const QList<qint64> lengths{7001, 11500, 333, 333, 333, 333};
        KvManualClock clock;
        KvPlaySchedule schedule(stage, m_data.path(), clock);
        int changes = 0;
        qint64 expectedStart = 0;
        connect(&schedule, &KvPlaySchedule::itemChanged, this, [&] {
            const KvPlayItem item = schedule.current(1);
            if (changes > 0 && stepMs < 3600000) {
                expectedStart += lengths.at((changes - 1) % lengths.count());
                QCOMPARE(item.startMs, expectedStart);
                QVERIFY(clock.nowMs() - item.startMs < 16);
            }
            ++changes;
        });
        schedule.start();
        for (qint64 now = stepMs; now <= 3600000; now += stepMs) {
            clock.setNowMs(now);
            schedule.update();
        }
        // 181 rounds of 19833 ms, then a.png: b.jpg plays from 3596774 ms to past the hour.
        QCOMPARE(describe(schedule.current(1)), "b.jpg@3596774");
    }
};

QTEST_MAIN(TestPlaySchedule)
#include "tst_playschedule.moc"
