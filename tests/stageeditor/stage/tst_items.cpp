#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvscreenselectedhandle.h"
#include "kvstage.h"
#include "kvstageitem.h"
#include "kvstagescene.h"
#include "kvtestfactories.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace Kova;

namespace {

std::unique_ptr<KvScreen> makeScreen(const QRectF& rect, const QString& name = QString(),
                                     bool locked = false)
{
    std::unique_ptr<KvScreen> screen(
        Kova::Test::makeScreen(1, ScreenType::Multimedia, rect, name, 3, locked));
    screen->setName(name);
    screen->setBackgoundColor(Qt::darkGreen);
    return screen;
}

// Renders the scene area `source` as a view at `rate` would show it.
QImage renderAt(QGraphicsScene& scene, const QRectF& source, double rate)
{
    QImage image(QSize(int(source.width() * rate), int(source.height() * rate)),
                 QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())), source);
    return image;
}

// The length of the run of `color` through `start` along `step`.
int runLength(const QImage& image, QPoint start, QPoint step, QRgb color)
{
    QPoint p = start;
    while (image.valid(p - step) && image.pixel(p - step) == color)
        p -= step;
    int length = 0;
    for (; image.valid(p) && image.pixel(p) == color; p += step)
        ++length;
    return length;
}

bool onlyColor(const QImage& image, const QRect& area, const QColor& color)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (QColor(image.pixel(x, y)) != color)
                return false;
        }
    }
    return true;
}

} // namespace

class TestItems : public QObject
{
    Q_OBJECT

private slots:
    // The stage at the scene origin whatever its position, below every screen, in its colour
    // and with its picture stretched over the whole of it, whatever the picture's aspect ratio
    // (refreshes after the stage setters: tst_stagewidget).
    void stageItemShowsTheStage()
    {
        QTemporaryDir dir;
        QVERIFY(Kova::Test::writeImage(dir.filePath("back.png"), QSize(2, 8), Qt::red));
        KvStage stage;
        stage.setRect(QRect(10, 20, 40, 30));
        stage.setBackgroundColor(Qt::blue);
        stage.setBackgroundImage("back.png");
        QGraphicsScene scene;
        auto* item = new KvStageItem(&stage, dir.path());
        scene.addItem(item);
        QCOMPARE(item->rect(), QRectF(0, 0, 40, 30));
        QCOMPARE(item->brush(), QBrush(Qt::blue));
        QCOMPARE(item->zValue(), 0.0);
        const QImage image = renderAt(scene, QRectF(0, 0, 40, 30), 1.0);
        QVERIFY(onlyColor(image, QRect(1, 1, 38, 28), Qt::red));

        // No stage: nothing to show, nothing to crash on.
        KvStageItem none(nullptr, QString());
        none.refresh();
        none.loadBackgroundImage();
        QVERIFY(!none.backgroundPicture());
    }

    // A stage item in a data folder with pictures inside.png (5 x 5) and sub/nested.png (7 x 7),
    // outside.png (6 x 6) elsewhere, a broken file and a folder named like a picture. The stage
    // first shows `first`, then `next`; `size` is the picture shown then (none: empty).
    void stageItemPicture_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("withDataFolder");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("next");

        // "@" stands for the data folder, "%" for the other folder.
        QTest::newRow("relative") << "" << true << QSize(7, 7) << "sub/nested.png";
        QTest::newRow("absolute inside") << "" << true << QSize(5, 5) << "@/inside.png";
        QTest::newRow("absolute elsewhere") << "" << true << QSize(6, 6) << "%/outside.png";
        QTest::newRow("empty path drops it") << "inside.png" << true << QSize() << "";
        QTest::newRow("missing keeps it") << "inside.png" << true << QSize(5, 5) << "missing.png";
        QTest::newRow("broken keeps it") << "inside.png" << true << QSize(5, 5) << "broken.png";
        QTest::newRow("folder keeps it") << "inside.png" << true << QSize(5, 5) << "folder.png";
        QTest::newRow("no data folder") << "" << false << QSize() << "@/inside.png";
    }

    void stageItemPicture()
    {
        QFETCH(QString, first);
        QFETCH(QString, next);
        QFETCH(QSize, size);
        QFETCH(bool, withDataFolder);

        QTemporaryDir data;
        QTemporaryDir other;
        QVERIFY(Kova::Test::writeImage(data.filePath("inside.png"), QSize(5, 5)));
        QVERIFY(Kova::Test::writeImage(data.filePath("sub/nested.png"), QSize(7, 7)));
        QVERIFY(Kova::Test::writeImage(other.filePath("outside.png"), QSize(6, 6)));
        QVERIFY(Kova::Test::writeFile(data.filePath("broken.png"), "this is not a picture"));
        QVERIFY(QDir(data.path()).mkdir("folder.png"));

        KvStage stage;
        stage.setBackgroundImage(first);
        KvStageItem item(&stage, withDataFolder ? data.path() : QString());
        const QPixmap* before = item.backgroundPicture();
        const QSize sizeBefore = before ? before->size() : QSize();
        const qint64 key = before ? before->cacheKey() : 0;
        stage.setBackgroundImage(
            QString(next).replace("@", data.path()).replace("%", other.path()));
        item.loadBackgroundImage();
        const QPixmap* picture = item.backgroundPicture();
        QCOMPARE(picture ? picture->size() : QSize(), size);
        // A picture that could not be replaced is the very same one.
        if (before && size == sizeBefore)
            QCOMPARE(picture->cacheKey(), key);
    }

    // The item runs ahead of its screen until the move is committed; rounding noise left by
    // scaling is no move. (Resizes and what gets recorded: tst_workingarea's gestures.)
    void screenItemCommits()
    {
        std::unique_ptr<KvScreen> screen = makeScreen(QRectF(10, 20, 100, 50));
        KvScreenItem item(screen.get());
        item.setPos(10 + 1e-13, 20);
        QVERIFY(!item.isMovedFromScreen());
        item.setPos(10, 20.5);
        QVERIFY(item.isMovedFromScreen());
        QCOMPARE(item.commitPos(), QPointF(10, 20)); // the old place, for the undo
        QCOMPARE(screen->rect(), QRectF(10, 20.5, 100, 50));
        QVERIFY(!item.isMovedFromScreen());
    }

    // The label of a screen at (10, 10) of `size` named `name`, at scale factor `factor` (stage
    // units per screen pixel): its text and point size, -1 when shrunk to fit, 0 when it fits
    // at no size and is not drawn.
    void label_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("points");
        const QSizeF big(800, 600);
        const QString wide(400, 'W');
        QTest::newRow("no name") << big << "" << 1.0 << "No Name" << 10.0;
        // 10 points on screen whatever the zoom.
        QTest::newRow("at 200 %") << big << "Hall" << 0.5 << "Hall" << 5.0;
        QTest::newRow("at 50 %") << big << "Hall" << 2.0 << "Hall" << 20.0;
        QTest::newRow("shrunk") << QSizeF(40, 20) << "Entrance" << 1.0 << "Entrance" << -1.0;
        QTest::newRow("no room") << QSizeF(60, 60) << wide << 1.0 << wide << 0.0;
        QTest::newRow("no room at 25 %") << QSizeF(60, 60) << wide << 4.0 << wide << 0.0;
    }

    void label()
    {
        QFETCH(QSizeF, size);
        QFETCH(QString, name);
        QFETCH(double, factor);
        QFETCH(QString, text);
        QFETCH(double, points);

        std::unique_ptr<KvScreen> screen = makeScreen(QRectF(QPointF(10, 10), size), name);
        QGraphicsScene scene;
        auto* item = new KvScreenItem(screen.get());
        scene.addItem(item);
        const KvScreenItem::LabelLayout layout = item->labelLayout(factor);
        QCOMPARE(layout.visible, points != 0);
        if (points == 0) {
            // The item shows its background, and when selected a cyan frame along its edges.
            QVERIFY(onlyColor(renderAt(scene, QRectF(0, 0, 80, 80), 1.0), QRect(10, 10, 60, 60),
                              Qt::darkGreen));
            item->setSelected(true);
            const QImage image = renderAt(scene, QRectF(0, 0, 80, 80), 1.0);
            QCOMPARE(QColor(image.pixel(10, 40)), QColor(Qt::cyan));
            QCOMPARE(QColor(image.pixel(40, 10)), QColor(Qt::cyan));
            QCOMPARE(QColor(image.pixel(40, 40)), QColor(Qt::darkGreen));
            return;
        }
        QCOMPARE(layout.text, text);
        if (points > 0) {
            QCOMPARE(layout.font.pointSizeF(), points);
            return;
        }
        // Lowered in steps of half a point from 10.
        const double shrunk = layout.font.pointSizeF();
        QVERIFY(shrunk < 10.0 && shrunk >= 0.5);
        QCOMPARE(std::fmod(10.0 - shrunk, 0.5), 0.0);
        // The label fits the item, its text inside it, ...
        const QRectF bounds(QPointF(0, 0), size);
        QVERIFY(bounds.contains(layout.labelRect));
        QVERIFY(layout.labelRect.contains(layout.textRect));
        // ... centred to the pixel ...
        QVERIFY(std::fabs(layout.labelRect.center().x() - bounds.center().x()) <= 1.0);
        QVERIFY(std::fabs(layout.labelRect.center().y() - bounds.center().y()) <= 1.0);
        // ... and no smaller than needed: half a point more would not fit the text area
        // (8, 8, width - 16, height - 10).
        QFont larger = layout.font;
        larger.setPointSizeF(shrunk + 0.5);
        const QSizeF largerText = QFontMetricsF(larger)
                                      .boundingRect(bounds.adjusted(8, 8, -8, -2),
                                                    Qt::AlignCenter | Qt::TextWordWrap, text)
                                      .size();
        QVERIFY(largerText.width() + 6 > size.width() || largerText.height() > size.height());
    }

    // A locked screen in the selection holds the selected items at their screens' places, a
    // nudge too (drags and the selection alone counting: tst_workingarea's gestures); unlocking
    // in the model lifts the hold at once.
    void lockHoldsTheSelection()
    {
        std::unique_ptr<KvScreen> lockedScreen = makeScreen(QRectF(0, 0, 50, 50), "L", true);
        std::unique_ptr<KvScreen> freeScreen = makeScreen(QRectF(100, 0, 50, 50), "F");
        QGraphicsScene scene;
        auto* locked = new KvScreenItem(lockedScreen.get());
        auto* free = new KvScreenItem(freeScreen.get());
        scene.addItem(locked);
        scene.addItem(free);
        locked->setSelected(true);
        free->setSelected(true);
        QVERIFY(KvScreenItem::hasLockedScreenInSelection(&scene));
        free->moveBy(3, 3);
        QCOMPARE(free->pos(), QPointF(100, 0));
        lockedScreen->setLockScreen(false);
        free->setPos(150, 10);
        QCOMPARE(free->pos(), QPointF(150, 10));
    }

    void lockPicture()
    {
        std::unique_ptr<KvScreen> screen = makeScreen(QRectF(0, 0, 200, 100), "Locked", true);
        KvStageScene scene;
        auto* item = new KvScreenItem(screen.get());
        scene.addItem(item);
        QVERIFY(!item->lockPicture());
        renderAt(scene, QRectF(0, 0, 200, 100), 1.0);
        // Made on the first paint from the module's resources, which must hold it.
        QVERIFY(item->lockPicture());
        QCOMPARE(item->lockPicture()->size(), QSize(16, 16));
        const qint64 key = item->lockPicture()->cacheKey();
        renderAt(scene, QRectF(0, 0, 200, 100), 1.0);
        QCOMPARE(item->lockPicture()->cacheKey(), key); // cached while the zoom stays

        scene.setScaleRate(0.5); // 50 %: scale factor 2
        renderAt(scene, QRectF(0, 0, 200, 100), 0.5);
        QCOMPARE(item->lockPicture()->size(), QSize(32, 32));
        // The side is truncated: 16 x 1.55 = 24.8 gives 24.
        QCOMPARE(KvScreenItem::lockPictureSide(1.55), 24);
        scene.setScaleRate(2.0); // 200 %: stays 16 scene units
        const QImage image = renderAt(scene, QRectF(0, 0, 200, 100), 2.0);
        QCOMPARE(item->lockPicture()->size(), QSize(16, 16));
        // Drawn in the top-right corner square of 32 screen pixels, nothing of it left of it.
        QVERIFY(!onlyColor(image, QRect(400 - 32, 0, 32, 32), Qt::darkGreen));
        QVERIFY(onlyColor(image, QRect(400 - 34, 0, 1, 32), Qt::darkGreen));
        // Unlocked: no picture drawn.
        screen->setLockScreen(false);
        QVERIFY(onlyColor(renderAt(scene, QRectF(0, 0, 200, 100), 2.0), QRect(400 - 32, 0, 32, 32),
                          Qt::darkGreen));
    }

    void handleLayoutAndHandleAt()
    {
        KvScreenSelectedHandle handle;
        QVERIFY(!handle.isVisible());
        // A margin of 3 around the selection (reported to the tab: tst_workingarea).
        handle.setSelectionRect(QRectF(103, 203, 94, 44));
        QCOMPARE(handle.outerRectOnScene(), QRectF(100, 200, 100, 50));

        const QMap<int, QRectF> squares = handle.handles();
        const QMap<int, QRectF> expected{{1, QRectF(0, 0, 6, 6)},   {2, QRectF(47, 0, 6, 6)},
                                         {3, QRectF(94, 0, 6, 6)},  {4, QRectF(0, 22, 6, 6)},
                                         {5, QRectF(94, 22, 6, 6)}, {6, QRectF(0, 44, 6, 6)},
                                         {7, QRectF(47, 44, 6, 6)}, {8, QRectF(94, 44, 6, 6)}};
        QCOMPARE(squares, expected);

        // Hidden: no handle anywhere.
        QCOMPARE(handle.handleAt(QPointF(103, 203)), 0);
        handle.changeVisible(true);
        QVERIFY(handle.isVisible());
        for (auto it = squares.constBegin(); it != squares.constEnd(); ++it)
            QCOMPARE(handle.handleAt(it.value().center() + QPointF(100, 200)), it.key());
        QCOMPARE(handle.handleAt(QPointF(150, 225)), 0);
        QCOMPARE(handle.handleAt(QPointF(99, 199)), 0);

        // Squares of a tiny selection overlap: the lowest number wins.
        handle.setSelectionRect(QRectF(10, 10, 0, 0));
        QCOMPARE(handle.handleAt(QPointF(10, 10)), 1);
    }

    // Resizing from the outer start rectangle `start` by the mouse travel (dx, dy) on handle
    // `number`, with Shift (keep the aspect) or not. Results are rounded with halves upward; the
    // screens inside keep at least one stage pixel (an outer size of 7 without a scene).
    void resize_data()
    {
        QTest::addColumn<QRectF>("start");
        QTest::addColumn<int>("number");
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QRectF>("expected");

        const QRectF s(10, 20, 100, 50);
        const auto row = [&s](const char* name, int number, double dx, double dy, bool shift,
                              const QRectF& expected, const QRectF& start = QRectF()) {
            QTest::newRow(name) << (start.isNull() ? s : start) << number << dx << dy << shift
                                << expected;
        };
        row("1 top-left", 1, 10, 20, false, {20, 40, 90, 30});
        row("2 top", 2, 10, 20, false, {10, 40, 100, 30});
        row("3 top-right", 3, 10, 20, false, {10, 40, 110, 30});
        row("4 left", 4, 10, 20, false, {20, 20, 90, 50});
        row("5 right", 5, 10, 20, false, {10, 20, 110, 50});
        row("6 bottom-left", 6, 10, 20, false, {20, 20, 90, 70});
        row("7 bottom", 7, 10, 20, false, {10, 20, 100, 70});
        row("8 bottom-right", 8, 10, 20, false, {10, 20, 110, 70});
        // The corner moves by (15, 7.5); 7.5 and 42.5 rise to the next whole number.
        row("shift 1 top-left", 1, 10, 20, true, {25, 28, 85, 43});
        row("shift 3 top-right", 3, 10, 20, true, {10, 23, 95, 48});
        row("shift 3 top-right out", 3, 20, -10, true, {10, 13, 115, 58});
        row("shift 4 left", 4, 10, 20, true, {20, 20, 90, 50});
        row("shift 6 bottom-left", 6, 10, 20, true, {0, 20, 110, 55});
        row("shift 8 bottom-right", 8, 10, 20, true, {10, 20, 115, 58});
        row("shift 8 bottom-right in", 8, -20, -20, true, {10, 20, 80, 40});
        row("half rounds up", 5, 2.5, 0, false, {10, 20, 103, 50});
        row("negative halves", 1, -12.5, -22.5, false, {-2, -2, 113, 73});
        row("just below and above a half", 8, 0.49, 0.51, false, {10, 20, 100, 51});
        row("fractional start", 8, 0, 0, false, {0, -1, 10, 11}, {0.4, -0.6, 10.2, 10.5});
        row("1 past", 1, 500, 500, false, {103, 63, 7, 7});
        row("1 shift past", 1, 300, 300, true, {103, 63, 7, 7});
        row("2 past", 2, 0, 80, false, {10, 63, 100, 7});
        row("3 past", 3, -200, 200, false, {10, 63, 7, 7});
        row("4 past", 4, 95, 0, false, {103, 20, 7, 50});
        row("5 past", 5, -100, 0, false, {10, 20, 7, 50});
        row("6 past", 6, 200, -200, false, {103, 20, 7, 7});
        row("7 past", 7, 0, -50, false, {10, 20, 100, 7});
        row("8 past", 8, -100, -100, false, {10, 20, 7, 7});
        row("8 shift past", 8, -300, -300, true, {10, 20, 7, 7});
        row("5 just above the least", 5, -92, 0, false, {10, 20, 8, 50});
    }

    void resize()
    {
        QFETCH(QRectF, start);
        QFETCH(int, number);
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(bool, shift);
        QFETCH(QRectF, expected);

        KvScreenSelectedHandle handle;
        handle.setSelectionRect(handle.innerRect(start));
        handle.saveStartRect();
        QSignalSpy spy(&handle, &KvScreenSelectedHandle::boundingRectChanged);
        QCOMPARE(handle.resize(dx, dy, number, shift), expected);
        // The handle takes the result as its frame, lays its squares out and tells its inside.
        QCOMPARE(handle.outerRectOnScene(), expected);
        QCOMPARE(handle.handles().value(8).bottomRight(),
                 QPointF(expected.width(), expected.height()));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toRectF(), handle.innerRect(expected));
        // The travel counts from the press, not from the last move.
        QCOMPARE(handle.resize(dx, dy, number, shift), expected);
        // A following resize starts from a usable rectangle.
        handle.saveStartRect();
        const QRectF next = handle.resize(5, 5, 1, true);
        QVERIFY(std::isfinite(next.x()) && std::isfinite(next.y()));
        QVERIFY(next.width() >= 7 && next.height() >= 7);
    }

    void handleKeepsItsSizeOnScreen()
    {
        // The view's zoom gives the scale factor; the working area re-frames the selection
        // after every zoom change, which lays the handles out for it.
        QGraphicsScene scene;
        QGraphicsView view(&scene);
        auto* handle = new KvScreenSelectedHandle;
        scene.addItem(handle);
        handle->changeVisible(true);
        const QRgb cyan = QColor(Qt::cyan).rgb();
        for (double rate : {0.5, 1.0, 2.0, 4.0}) {
            view.resetTransform();
            view.scale(rate, rate);
            handle->setSelectionRect(QRectF(100, 100, 200, 100));
            const double m = 3.0 / rate;
            QCOMPARE(handle->margin(), m);
            QCOMPARE(handle->handles().value(1).size(), QSizeF(2 * m, 2 * m));
            // The corner squares are 6 screen pixels wide (give or take the edge pixels).
            const QImage image = renderAt(scene, QRectF(0, 0, 400, 300), rate);
            const QPoint corner(qRound(100 * rate), qRound(100 * rate));
            const QPoint far(qRound(300 * rate), qRound(200 * rate));
            for (int run : {runLength(image, corner - QPoint(2, 2), QPoint(1, 0), cyan),
                            runLength(image, corner - QPoint(2, 2), QPoint(0, 1), cyan),
                            runLength(image, far + QPoint(2, 2), QPoint(1, 0), cyan)})
                QVERIFY2(run >= 5 && run <= 7,
                         qPrintable(QString("%1 px at %2").arg(run).arg(rate)));
        }
    }
};

QTEST_MAIN(TestItems)
#include "tst_items.moc"
