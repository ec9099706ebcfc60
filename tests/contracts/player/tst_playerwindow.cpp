#include "kvmanualclock.h"
#include "kvplayercardview.h"
#include "kvplayerscreenview.h"
#include "kvplayertelopview.h"
#include "kvplayerwindow.h"
#include "kvplayschedule.h"
#include "kvtestfactories.h"

#include <QBuffer>
#include <QMediaPlayer>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Kova;
using namespace Kova::Test;

namespace {

const QColor stageBlue(0, 0, 128);
const QColor screenGrey(90, 90, 90);

// A picture of `size`, its left half `left` and its right half `right`, as a PNG; as a JPEG
// whose EXIF orientation says "rotate 90 degrees clockwise" when `rotated`.
QString writePicture(const QString& path, const QSize& size, const QColor& left,
                     const QColor& right, bool rotated = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(right);
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), left);
    if (!rotated) {
        image.save(path, "PNG");
        return path;
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 100);
    // APP1 "Exif": a big-endian TIFF header and one IFD entry, Orientation (0x0112) = 6.
    jpeg.insert(2, QByteArray::fromHex("ffe100224578696600004d4d002a00000008"
                                       "000101120003000000010006000000000000"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(jpeg);
    return path;
}

KvMedia* addMedia(KvScreen* screen, const QString& uri, MediaType::MediaTypes type,
                  double seconds = 10.0)
{
    auto* media = new KvMedia(uri, type, screen);
    media->setPlayingDuration(seconds);
    screen->addMedia(media);
    return media;
}

// Stage 400 x 200 on blue. Screen 1 (150, 50, 200, 100) is listed first but stacked on top
// (z 2): green for 6 s, then magenta. Screen 2 (0, 0, 200, 200), z 1: red for 4 s, then cyan.
void buildStage(KvStage& stage, const QString& dataDir)
{
    const auto picture = [&](const QString& name, const QSize& size, const QColor& color) {
        writeImage(QDir(dataDir).filePath(name), size, color);
        return name;
    };
    stage.setRect(QRect(0, 0, 400, 200));
    stage.setBackgroundColor(stageBlue);
    KvScreen* top = addScreen(&stage, 1, ScreenType::Multimedia, QRectF(150, 50, 200, 100),
                              QStringLiteral("Top"), 2);
    top->setBackgoundColor(screenGrey);
    addMedia(top, picture(QStringLiteral("image/green.png"), QSize(200, 100), Qt::green),
             MediaType::Image, 6);
    addMedia(top, picture(QStringLiteral("image/magenta.png"), QSize(200, 100), Qt::magenta),
             MediaType::Image, 6);
    KvScreen* bottom = addScreen(&stage, 2, ScreenType::Multimedia, QRectF(0, 0, 200, 200),
                                 QStringLiteral("Bottom"), 1);
    addMedia(bottom, picture(QStringLiteral("image/red.png"), QSize(100, 100), Qt::red),
             MediaType::Image, 4);
    addMedia(bottom, picture(QStringLiteral("image/cyan.png"), QSize(100, 100), Qt::cyan),
             MediaType::Image, 4);
}

// The stage of buildStage, played in a window on a manual clock once play() is called.
struct Playing
{
    QTemporaryDir data;
    KvStage stage;
    KvManualClock clock;
    std::unique_ptr<KvPlaySchedule> schedule;
    std::unique_ptr<KvPlayerWindow> window;

    Playing() { buildStage(stage, data.path()); }
    bool play(const QSize& size)
    {
        schedule = std::make_unique<KvPlaySchedule>(stage, data.path(), clock);
        window = std::make_unique<KvPlayerWindow>(stage, *schedule);
        window->resize(size);
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
};

// A shown screen (id 7) of `size` on grey, showing nothing yet.
std::unique_ptr<KvPlayerScreenView> shownScreen(const QSize& size = QSize(160, 90))
{
    KvScreen screen(ScreenType::Multimedia, 7);
    screen.setRect(QRectF(QPointF(0, 0), size));
    screen.setBackgoundColor(screenGrey);
    auto view = std::make_unique<KvPlayerScreenView>(screen);
    view->resize(size);
    view->show();
    return view;
}

QColor pixel(QWidget& widget, const QPoint& point)
{
    return widget.grab().toImage().pixelColor(point);
}

KvPlayItem itemFor(const QString& filePath, int mediaType, const KvMedia* media = nullptr)
{
    return KvPlayItem{7, 0, media, filePath, mediaType};
}

// Centre of the pixels brighter than mid grey.
QPointF brightCentre(const QImage& image)
{
    QPointF sum;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 128) {
                sum += QPointF(x, y);
                ++count;
            }
    return count ? sum / count : QPointF(-1, -1);
}

} // namespace

class TestPlayerWindow : public QObject
{
    Q_OBJECT

private slots:
    void stageFitsWindow_data()
    {
        QTest::addColumn<QSize>("windowSize");
        // Where stage point (0, 0) lands and how much the stage is enlarged.
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<double>("scale");

        QTest::newRow("same size") << QSize(400, 200) << QPoint(0, 0) << 1.0;
        QTest::newRow("bars above and below") << QSize(200, 200) << QPoint(0, 50) << 0.5;
        QTest::newRow("bars left and right") << QSize(800, 200) << QPoint(200, 0) << 1.0;
        QTest::newRow("enlarged") << QSize(1000, 800) << QPoint(0, 150) << 2.5;
    }

    void stageFitsWindow()
    {
        QFETCH(QSize, windowSize);
        QFETCH(QPoint, origin);
        QFETCH(double, scale);

        Playing playing;
        QVERIFY(playing.play(QSize(300, 300)));
        // Laid out again on a resize after showing.
        playing.window->resize(windowSize);

        const QImage shot = playing.window->grab().toImage();
        QCOMPARE(shot.size(), windowSize);
        const auto at = [&](double x, double y) {
            return shot.pixelColor(origin + QPointF(x * scale, y * scale).toPoint());
        };
        QCOMPARE(at(75, 100), QColor(Qt::red));
        QCOMPARE(at(175, 100), QColor(Qt::green)); // both screens: the higher z index
        QCOMPARE(at(300, 60), QColor(Qt::green));
        QCOMPARE(at(375, 100), stageBlue);
        QCOMPARE(at(300, 175), stageBlue);
        if (origin != QPoint(0, 0))
            QCOMPARE(shot.pixelColor(origin / 2), QColor(Qt::black));
    }

    // The screens change pictures when the clock reaches their changes; Esc closes the window.
    void picturesFollowClock()
    {
        Playing playing;
        KvManualClock& clock = playing.clock;
        clock.setNowMs(1000);
        QVERIFY(playing.play(QSize(400, 200)));
        KvPlayerWindow& window = *playing.window;
        // Red and green first (stageFitsWindow); the timer waits for the first change.
        QCOMPARE(window.pendingChangeMs(), 4000);

        clock.setNowMs(5500);
        playing.schedule->update();
        QCOMPARE(pixel(window, QPoint(75, 100)), QColor(Qt::cyan));
        QCOMPARE(pixel(window, QPoint(300, 60)), QColor(Qt::green));
        QCOMPARE(window.pendingChangeMs(), 1500);

        clock.setNowMs(7000);
        playing.schedule->update();
        QCOMPARE(pixel(window, QPoint(300, 60)), QColor(Qt::magenta));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    void brokenPictureIsSkipped()
    {
        Playing playing;
        QVERIFY(writeFile(playing.data.filePath(QStringLiteral("image/red.png")), "not a picture"));
        QVERIFY(playing.play(QSize(400, 200)));
        // The view's failure reaches the schedule, which moves the screen on to its next picture.
        QTRY_COMPARE(pixel(*playing.window, QPoint(75, 100)), QColor(Qt::cyan));
    }

    void pictureFitsScreen_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<bool>("rotated");
        QTest::addColumn<QSize>("screenSize");
        QTest::addColumn<QRect>("shown");

        QTest::newRow("wide in square")
            << QSize(200, 100) << false << QSize(200, 200) << QRect(0, 50, 200, 100);
        QTest::newRow("tall in wide")
            << QSize(50, 100) << false << QSize(400, 200) << QRect(150, 0, 100, 200);
        QTest::newRow("small enlarged")
            << QSize(20, 10) << false << QSize(200, 200) << QRect(0, 50, 200, 100);
        QTest::newRow("EXIF rotated")
            << QSize(200, 100) << true << QSize(100, 200) << QRect(0, 0, 100, 200);
    }

    void pictureFitsScreen()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(bool, rotated);
        QFETCH(QSize, screenSize);
        QFETCH(QRect, shown);

        QTemporaryDir data;
        const QString path = writePicture(data.filePath(rotated ? "p.jpg" : "p.png"), pictureSize,
                                          Qt::red, Qt::blue, rotated);
        const auto view = shownScreen(screenSize);
        view->setItem(itemFor(path, MediaType::Image));
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));

        const QImage shot = view->grab().toImage();
        // Colours read coarsely: JPEG is lossy, and the screen's grey reads as black.
        const auto at = [&](const QPoint& point) {
            const QRgb c = shot.pixel(point);
            return QColor(qRed(c) > 127 ? 255 : 0, qGreen(c) > 127 ? 255 : 0,
                          qBlue(c) > 127 ? 255 : 0);
        };
        // Left half red, right half blue; turned a quarter clockwise: top red, bottom blue.
        const QPoint quarter(shown.width() / 4, shown.height() / 4);
        const QPoint firstHalf = rotated ? QPoint(shown.center().x(), shown.top() + quarter.y())
                                         : QPoint(shown.left() + quarter.x(), shown.center().y());
        QCOMPARE(at(firstHalf), QColor(Qt::red));
        QCOMPARE(at(shown.center() * 2 - firstHalf), QColor(Qt::blue));
        // The picture's first row or column, and the screen's background just outside it.
        const QPoint edge(shown.top() > 0 ? firstHalf.x() : shown.left(),
                          shown.top() > 0 ? shown.top() : firstHalf.y());
        QCOMPARE(at(edge), QColor(Qt::red));
        if (shown.size() != screenSize)
            QCOMPARE(at(edge - (shown.top() > 0 ? QPoint(0, 1) : QPoint(1, 0))), QColor(Qt::black));
    }

    void telopTravels_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPoint>("towards");

        QTest::newRow("right to left") << 2 << QPoint(-1, 0);
        QTest::newRow("bottom to top") << 3 << QPoint(0, -1);
        QTest::newRow("left to right") << 4 << QPoint(1, 0);
        QTest::newRow("top to bottom") << 5 << QPoint(0, 1);
    }

    void telopTravels()
    {
        QFETCH(int, direction);
        QFETCH(QPoint, towards);

        QTemporaryDir data;
        const QString path = data.filePath(QStringLiteral("news.txt"));
        QVERIFY(writeFile(path, "#kova-telop 1\ncolor=#ffffff\nbackground=#000040\n\n"
                                "Open today \xe2\x80\x93 all day\n"));
        KvMedia media(path, MediaType::Telop);
        media.setPlayingDirection(direction);
        media.setStep(4);
        media.setWait(10);
        KvPlayerTelopView view(path, media, QSizeF(300, 100));
        QCOMPARE(view.text(), QStringLiteral("Open today \u2013 all day"));
        view.resize(300, 100);
        QVERIFY(!view.isScrolling());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QTRY_VERIFY(view.offset() >= 40);
        const QImage first = view.grab().toImage();
        QCOMPARE(first.pixelColor(0, 0), QColor(0, 0, 0x40)); // the file's background colour
        const QPointF before = brightCentre(first);
        const double offsetBefore = view.offset();
        QTRY_VERIFY(view.offset() >= offsetBefore + 40);
        const QPointF after = brightCentre(view.grab().toImage());
        QVERIFY(before.x() >= 0 && after.x() >= 0);
        const QPointF moved = after - before;
        QVERIFY2(moved.x() * towards.x() + moved.y() * towards.y() >= 10,
                 qPrintable(QStringLiteral("moved by %1, %2").arg(moved.x()).arg(moved.y())));

        view.hide();
        QVERIFY(!view.isScrolling());
    }

    // A view reports a medium it cannot play, or the end of a movie played to its end, naming
    // its screen, on a later turn (never from inside setItem); never both.
    void viewReports_data()
    {
        QTest::addColumn<int>("mediaType");
        QTest::addColumn<QString>("fileName");
        // Written into the file; null: no file.
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("ends");

        QTest::newRow("missing movie") << int(MediaType::Movie) << "a.mp4" << QByteArray() << false;
        QTest::newRow("broken movie")
            << int(MediaType::Movie) << "a.mp4" << QByteArray(4096, 'x') << false;
        QTest::newRow("missing telop") << int(MediaType::Telop) << "a.txt" << QByteArray() << false;
        QTest::newRow("empty telop") << int(MediaType::Telop) << "a.txt" << QByteArray("") << false;
        QTest::newRow("missing web page")
            << int(MediaType::Web) << "a.html" << QByteArray() << false;
        QTest::newRow("unknown type") << 4 << "a.bin" << QByteArray("data") << false;
        QTest::newRow("movie to its end")
            << int(MediaType::Movie) << KOVA_SAMPLE_DIR "/movie/countdown-3s.mp4" << QByteArray()
            << true;
    }
    void viewReports()
    {
        QFETCH(int, mediaType);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(bool, ends);
        QVERIFY2(!ends || QMediaPlayer().availability() == QMultimedia::Available,
                 "QtMultimedia has no media backend (GStreamer plug-ins missing)");

        QTemporaryDir data;
        const QString path = QDir(data.path()).filePath(fileName); // absolute names stay
        if (!content.isNull())
            QVERIFY(writeFile(path, content));
        KvMedia media(path, MediaType::MediaTypes(mediaType));
        const auto view = shownScreen();
        QSignalSpy failed(view.get(), &KvPlayerScreenView::mediumFailed);
        QSignalSpy ended(view.get(), &KvPlayerScreenView::mediumEnded);
        view->setItem(itemFor(path, mediaType, &media));
        QVERIFY(failed.isEmpty() && ended.isEmpty());
        QSignalSpy& reported = ends ? ended : failed;
        QTRY_COMPARE_WITH_TIMEOUT(reported.count(), 1, 20000);
        QCOMPARE(reported.at(0).at(0).toInt(), 7);
        QVERIFY((ends ? failed : ended).isEmpty());
    }

    void webPageShowsAddress_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");

        QTest::newRow("shortcut") << "site.url"
                                  << QByteArray(
                                         "[InternetShortcut]\r\nURL=https://example.com/a\r\n")
                                  << "example.com"
                                  << "https://example.com/a";
        QTest::newRow("page") << "hours.html"
                              << QByteArray("<html><head><title> Opening\n hours </title>")
                              << "Opening hours"
                              << "hours.html";
    }

    void webPageShowsAddress()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, title);
        QFETCH(QString, caption);

        QTemporaryDir data;
        const QString path = data.filePath(fileName);
        QVERIFY(writeFile(path, content));
        const auto view = shownScreen();
        view->setItem(itemFor(path, MediaType::Web));
        auto* card = qobject_cast<KvPlayerCardView*>(view->mediaView());
        QVERIFY(card);
        QCOMPARE(card->title(), title);
        QCOMPARE(card->caption(), caption);
    }

    // An extended screen is drawn by its plug-in (the shipped clock, in its background
    // colour); a screen whose plug-in is not installed shows its name on a card.
    void extendedScreenDrawnByPlugin_data()
    {
        QTest::addColumn<QString>("pluginId");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("clock") << "org.kova.clock" << true;
        QTest::newRow("not installed") << "org.example.gone" << false;
    }
    void extendedScreenDrawnByPlugin()
    {
        QFETCH(QString, pluginId);
        QFETCH(bool, drawn);
        KvScreen screen(ScreenType::Extended, 9);
        screen.setName(QStringLiteral("Time"));
        screen.setRect(QRectF(0, 0, 160, 90));
        screen.setPiid(pluginId);
        screen.setPluginProperties({{"backgroundColor", "#ff00ff00"}, {"textColor", "#ff00ff00"}});
        if (!drawn)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("org.example.gone"));
        KvPlayerScreenView view(screen);
        view.resize(160, 90);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* card = qobject_cast<KvPlayerCardView*>(view.mediaView());
        QCOMPARE(card == nullptr, drawn);
        if (drawn)
            QCOMPARE(view.grab().toImage().pixelColor(3, 3), QColor(Qt::green));
        else
            QCOMPARE(card->title(), QString("Time"));
    }
};

QTEST_MAIN(TestPlayerWindow)
#include "tst_playerwindow.moc"
