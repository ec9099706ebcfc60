#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvscreenselectedhandle.h"
#include "kvstage.h"
#include "kvstageitem.h"
#include "kvstagescene.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace Kova;

namespace {

KvScreen* makeScreen(const QRectF& rect, const QString& name = QString(), bool locked = false)
{
    auto* screen = new KvScreen(ScreenType::Multimedia, 1);
    screen->setRect(rect);
    screen->setName(name);
    screen->setLockScreen(locked);
    screen->setBackgoundColor(Qt::darkGreen);
    screen->setZIndex(3);
    return screen;
}

bool writeImage(const QString& path, const QColor& color, const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image.save(path, "PNG");
}

// Renders the scene area `source` as a view at `rate` would show it.
QImage renderAt(QGraphicsScene& scene, const QRectF& source, double rate)
{
    QImage image(QSize(int(source.width() * rate), int(source.height() * rate)),
                 QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())), source);
    painter.end();
    return image;
}

int runLength(const QImage& image, QPoint start, QPoint step, QRgb color)
{
    // Back to the start of the run, then count forward.
    QPoint p = start;
    while (image.valid(p - step) && image.pixel(p - step) == color) {
        p -= step;
    }
    int length = 0;
    while (image.valid(p) && image.pixel(p) == color) {
        ++length;
        p += step;
    }
    return length;
}

} // namespace

class tst_items : public QObject
{
    Q_OBJECT

private slots:
    void stageItemTakesStage();
    void stageItemPictureLoads();
    void stageItemKeepsPictureWhenNewOneFails();
    void stageItemPicturePaths();
    void stageItemPaintsPictureStretched();

    void screenItemTakesScreen();
    void screenItemRefreshes();
    void screenItemCommits();
    void emptyNameShowsNoName();
    void labelShrinksInHalfPoints();
    void labelDisappearsWhenNothingFits();
    void labelFollowsScaleFactor();
    void selectionFrameIsDrawn();

    void lockRefusesMoves();
    void lockRefusesMouseDrag();
    void stageSceneLearnsOfSelectionAndMoves();

    void scaleFactorFromZoom();
    void lockPictureSize();
    void handleStartsHidden();
    void handleLayoutAndHandleAt();
    void resizeWithoutShift_data();
    void resizeWithoutShift();
    void resizeTopLeftWithShift();
    void resizeWithShift_data();
    void resizeWithShift();
    void resizeRoundsHalvesUpward();
    void resizeNeverCollapses_data();
    void resizeNeverCollapses();
    void handleKeepsItsSizeOnScreen();
};

void tst_items::stageItemTakesStage()
{
    KvStage stage;
    stage.setRect(QRect(0, 0, 640, 360));
    stage.setBackgroundColor(Qt::darkBlue);
    KvStageItem item(&stage, QString());
    QCOMPARE(item.rect(), QRectF(0, 0, 640, 360));
    QCOMPARE(item.brush().color(), QColor(Qt::darkBlue));
    QCOMPARE(item.brush().style(), Qt::SolidPattern);
    QCOMPARE(item.pos(), QPointF(0, 0));
    QCOMPARE(item.zValue(), 0.0);
    QVERIFY(!item.backgroundPicture());

    stage.setRect(QRect(10, 20, 100, 50));
    stage.setBackgroundColor(Qt::red);
    item.refresh();
    QCOMPARE(item.rect(), QRectF(0, 0, 100, 50));
    QCOMPARE(item.brush().color(), QColor(Qt::red));

    // No stage: nothing to show, nothing to crash on.
    KvStageItem none(nullptr, QString());
    none.refresh();
    none.loadBackgroundImage();
    QVERIFY(!none.backgroundPicture());
}

void tst_items::stageItemPictureLoads()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeImage(dir.filePath("back.png"), Qt::red, QSize(4, 3)));
    KvStage stage;
    stage.setBackgroundImage("back.png");
    KvStageItem item(&stage, dir.path());
    QVERIFY(item.backgroundPicture());
    QCOMPARE(item.backgroundPicture()->size(), QSize(4, 3));

    // An empty path drops the picture.
    stage.setBackgroundImage(QString());
    item.loadBackgroundImage();
    QVERIFY(!item.backgroundPicture());
}

void tst_items::stageItemKeepsPictureWhenNewOneFails()
{
    QTemporaryDir dir;
    QVERIFY(writeImage(dir.filePath("first.png"), Qt::red, QSize(4, 3)));
    QFile broken(dir.filePath("broken.png"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("this is not a picture");
    broken.close();
    QDir(dir.path()).mkdir("folder.png");

    KvStage stage;
    stage.setBackgroundImage("first.png");
    KvStageItem item(&stage, dir.path());
    QVERIFY(item.backgroundPicture());
    const qint64 firstKey = item.backgroundPicture()->cacheKey();

    for (const QString& next : {QString("missing.png"), QString("broken.png"),
                                QString("folder.png"), dir.filePath("gone.png")}) {
        stage.setBackgroundImage(next);
        item.loadBackgroundImage();
        QVERIFY2(item.backgroundPicture(), qPrintable(next));
        QCOMPARE(item.backgroundPicture()->cacheKey(), firstKey);
        item.refresh();
        QCOMPARE(item.backgroundPicture()->cacheKey(), firstKey);
    }

    // Without a data folder nothing is loaded and the picture stays too.
    KvStageItem noFolder(&stage, QString());
    QVERIFY(!noFolder.backgroundPicture());
    stage.setBackgroundImage(dir.filePath("first.png"));
    noFolder.loadBackgroundImage();
    QVERIFY(!noFolder.backgroundPicture());
}

void tst_items::stageItemPicturePaths()
{
    QTemporaryDir dataDir;
    QTemporaryDir otherDir;
    QVERIFY(writeImage(dataDir.filePath("inside.png"), Qt::red, QSize(5, 5)));
    QVERIFY(writeImage(otherDir.filePath("outside.png"), Qt::blue, QSize(6, 6)));
    QDir(dataDir.path()).mkdir("sub");
    QVERIFY(writeImage(dataDir.filePath("sub/nested.png"), Qt::blue, QSize(7, 7)));

    KvStage stage;
    KvStageItem item(&stage, dataDir.path());
    // Absolute path in the data folder.
    stage.setBackgroundImage(dataDir.filePath("inside.png"));
    item.loadBackgroundImage();
    QCOMPARE(item.backgroundPicture()->size(), QSize(5, 5));
    // Absolute path elsewhere.
    stage.setBackgroundImage(otherDir.filePath("outside.png"));
    item.loadBackgroundImage();
    QCOMPARE(item.backgroundPicture()->size(), QSize(6, 6));
    // Relative to the data folder.
    stage.setBackgroundImage("sub/nested.png");
    item.loadBackgroundImage();
    QCOMPARE(item.backgroundPicture()->size(), QSize(7, 7));
}

void tst_items::stageItemPaintsPictureStretched()
{
    QTemporaryDir dir;
    QVERIFY(writeImage(dir.filePath("back.png"), Qt::red, QSize(2, 8)));
    KvStage stage;
    stage.setRect(QRect(0, 0, 40, 30));
    stage.setBackgroundColor(Qt::blue);
    stage.setBackgroundImage("back.png");
    QGraphicsScene scene;
    auto* item = new KvStageItem(&stage, dir.path());
    scene.addItem(item);
    const QImage image = renderAt(scene, QRectF(0, 0, 40, 30), 1.0);
    // The picture covers the whole stage, whatever its own aspect ratio.
    QCOMPARE(QColor(image.pixel(20, 15)), QColor(Qt::red));
    QCOMPARE(QColor(image.pixel(37, 27)), QColor(Qt::red));
    QCOMPARE(QColor(image.pixel(3, 2)), QColor(Qt::red));
}

void tst_items::screenItemTakesScreen()
{
    std::unique_ptr<KvScreen> screen(makeScreen(QRectF(10, 20, 300, 200), "Main", true));
    KvScreenItem item(screen.get());
    QCOMPARE(item.screen(), screen.get());
    QCOMPARE(item.pos(), QPointF(10, 20));
    QCOMPARE(item.boundingRect(), QRectF(0, 0, 300, 200));
    QCOMPARE(item.zValue(), 3.0);
    QCOMPARE(item.backgroundColor(), QColor(Qt::darkGreen));
    QCOMPARE(item.name(), QString("Main"));
    QVERIFY(item.isLocked());
    QCOMPARE(item.frameColor(), QColor(Qt::cyan));
    QVERIFY(item.flags() & QGraphicsItem::ItemIsMovable);
    QVERIFY(item.flags() & QGraphicsItem::ItemIsSelectable);
    QVERIFY(item.flags() & QGraphicsItem::ItemSendsGeometryChanges);
    QVERIFY(item.isTrackPosition());
    QCOMPARE(qgraphicsitem_cast<KvScreenItem*>(static_cast<QGraphicsItem*>(&item)), &item);

    KvScreenItem empty(nullptr);
    QCOMPARE(empty.boundingRect(), QRectF(0, 0, 100, 100));
    QCOMPARE(empty.backgroundColor(), QColor(Qt::black));
    QVERIFY(!empty.isMovedFromScreen());
}

void tst_items::screenItemRefreshes()
{
    std::unique_ptr<KvScreen> screen(makeScreen(QRectF(0, 0, 50, 40), "A"));
    QGraphicsScene scene;
    auto* item = new KvScreenItem(screen.get());
    scene.addItem(item);

    item->setName("Label only");
    QCOMPARE(item->name(), QString("Label only"));
    QCOMPARE(screen->name(), QString("A"));

    screen->setName("B");
    item->refreshName(true);
    QVERIFY(item->isSelected());
    QCOMPARE(item->name(), QString("B"));

    screen->setBackgoundColor(Qt::yellow);
    item->refreshBackColor(false);
    QVERIFY(!item->isSelected());
    QCOMPARE(item->backgroundColor(), QColor(Qt::yellow));

    screen->setRect(QRectF(5, 6, 50, 40));
    item->refreshPos(true);
    QCOMPARE(item->pos(), QPointF(5, 6));

    screen->setRect(QRectF(7, 8, 70, 80));
    item->refreshRect(false);
    QCOMPARE(item->pos(), QPointF(7, 8));
    QCOMPARE(item->boundingRect(), QRectF(0, 0, 70, 80));
    QVERIFY(!item->isSelected());
}

void tst_items::screenItemCommits()
{
    std::unique_ptr<KvScreen> screen(makeScreen(QRectF(10, 20, 100, 50)));
    KvScreenItem item(screen.get());
    QVERIFY(!item.isMovedFromScreen());
    item.setPos(10 + 1e-13, 20);
    QVERIFY(!item.isMovedFromScreen());
    item.setPos(10, 20.5);
    QVERIFY(item.isMovedFromScreen());

    QCOMPARE(item.commitPos(), QPointF(10, 20));
    QCOMPARE(screen->rect(), QRectF(10, 20.5, 100, 50));
    QVERIFY(!item.isMovedFromScreen());

    item.saveStartRect();
    QCOMPARE(item.startRect(), QRectF(10, 20.5, 100, 50));
    item.setStartRect(QRectF(1, 2, 3, 4));
    QCOMPARE(item.startRect(), QRectF(1, 2, 3, 4));

    item.setGeometry(30, 40, 60, 70);
    QCOMPARE(item.boundingRect(), QRectF(0, 0, 60, 70));
    QCOMPARE(item.commitRect(), QRectF(10, 20.5, 100, 50));
    QCOMPARE(screen->rect(), QRectF(30, 40, 60, 70));
}

void tst_items::emptyNameShowsNoName()
{
    std::unique_ptr<KvScreen> screen(makeScreen(QRectF(0, 0, 300, 200)));
    KvScreenItem item(screen.get());
    const KvScreenItem::LabelLayout layout = item.labelLayout(1.0);
    QVERIFY(layout.visible);
    QCOMPARE(layout.text, QString("No Name"));
    QCOMPARE(layout.font.family(), QString("Meiryo"));
    QCOMPARE(layout.font.pointSizeF(), 10.0);

    item.setName("Lobby");
    QCOMPARE(item.labelLayout(1.0).text, QString("Lobby"));
}

void tst_items::labelShrinksInHalfPoints()
{
    std::unique_ptr<KvScreen> screen(makeScreen(QRectF(0, 0, 40, 20), "Entrance"));
    KvScreenItem item(screen.get());
    const KvScreenItem::LabelLayout layout = item.labelLayout(1.0);
    QVERIFY(layout.visible);
    const double size = layout.font.pointSizeF();
    QVERIFY(size < 10.0);
    QVERIFY(size >= 0.5);
    // Lowered in steps of half a point from 10.
    QCOMPARE(std::fmod(10.0 - size, 0.5), 0.0);
    // The label fits the item ...
    QVERIFY(layout.labelRect.width() <= 40);
    QVERIFY(layout.labelRect.height() <= 20);
    QCOMPARE(layout.labelRect.width(), layout.textRect.width() + 6);
    QCOMPARE(layout.textRect.left(), layout.labelRect.left() + 3);
    // ... and half a point more would not have.
    QFont larger = layout.font;
    larger.setPointSizeF(size + 0.5);
    const QSizeF largerSize =
        QFontMetricsF(larger)
            .boundingRect(QRectF(8, 8, 24, 10), Qt::AlignCenter | Qt::TextWordWrap, "Entrance")
            .size();
    QVERIFY(largerSize.width() + 6 > 40 || largerSize.height() > 20);
    // Centred (positions truncated to whole numbers).
    QCOMPARE(layout.labelRect.x(), std::trunc((40 - 10 - layout.labelRect.width()) * 0.5 + 5));
    QCOMPARE(layout.labelRect.y(), std::trunc((20 - 10 - layout.labelRect.height()) * 0.5 + 5));
}

void tst_items::labelDisappearsWhenNothingFits()
{
    std::unique_ptr<KvScreen> screen(makeScreen(QRectF(0, 0, 20, 20), QString(400, QChar('W'))));
    QGraphicsScene scene;
    auto* item = new KvScreenItem(screen.get());
    scene.addItem(item);
    QVERIFY(!item->labelLayout(1.0).visible);
    QVERIFY(!item->labelLayout(4.0).visible);
    // Painting such an item shows only its background.
    const QImage image = renderAt(scene, QRectF(0, 0, 20, 20), 1.0);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            QCOMPARE(QColor(image.pixel(x, y)), QColor(Qt::darkGreen));
        }
    }
}

void tst_items::labelFollowsScaleFactor()
{
    std::unique_ptr<KvScreen> screen(makeScreen(QRectF(0, 0, 800, 600), "Hall"));
    KvScreenItem item(screen.get());
    QCOMPARE(item.labelLayout(2.0).font.pointSizeF(), 20.0);
    QCOMPARE(item.labelLayout(0.5).font.pointSizeF(), 5.0);
    QVERIFY(item.labelLayout(2.0).labelRect.width() > item.labelLayout(0.5).labelRect.width());
}

void tst_items::selectionFrameIsDrawn()
{
    std::unique_ptr<KvScreen> screen(makeScreen(QRectF(10, 10, 60, 60), QString(400, 'W')));
    QGraphicsScene scene;
    auto* item = new KvScreenItem(screen.get());
    scene.addItem(item);
    QImage image = renderAt(scene, QRectF(0, 0, 80, 80), 1.0);
    QCOMPARE(QColor(image.pixel(10, 40)), QColor(Qt::darkGreen));
    item->setSelected(true);
    image = renderAt(scene, QRectF(0, 0, 80, 80), 1.0);
    QCOMPARE(QColor(image.pixel(10, 40)), QColor(Qt::cyan));
    QCOMPARE(QColor(image.pixel(40, 10)), QColor(Qt::cyan));
    QCOMPARE(QColor(image.pixel(40, 40)), QColor(Qt::darkGreen));
}

void tst_items::lockRefusesMoves()
{
    std::unique_ptr<KvScreen> lockedScreen(makeScreen(QRectF(0, 0, 50, 50), "L", true));
    std::unique_ptr<KvScreen> freeScreen(makeScreen(QRectF(100, 0, 50, 50), "F"));
    QGraphicsScene scene;
    auto* locked = new KvScreenItem(lockedScreen.get());
    auto* free = new KvScreenItem(freeScreen.get());
    scene.addItem(locked);
    scene.addItem(free);
    locked->setSelected(true);
    free->setSelected(true);
    QVERIFY(KvScreenItem::hasLockedScreenInSelection(&scene));

    free->setPos(130, 20);
    locked->setPos(30, 20);
    QCOMPARE(free->pos(), QPointF(100, 0));
    QCOMPARE(locked->pos(), QPointF(0, 0));
    free->moveBy(1, 0); // an arrow key nudge
    QCOMPARE(free->pos(), QPointF(100, 0));

    // Position tracking off (the scene scaling a selection): no check.
    free->setTrackPosition(false);
    free->setPos(110, 5);
    QCOMPARE(free->pos(), QPointF(110, 5));
    free->setTrackPosition(true);

    // A refused move puts the item back at its screen's place.
    free->moveBy(3, 3);
    QCOMPARE(free->pos(), QPointF(100, 0));

    // Only the selection counts.
    locked->setSelected(false);
    QVERIFY(!KvScreenItem::hasLockedScreenInSelection(&scene));
    free->setPos(140, 10);
    QCOMPARE(free->pos(), QPointF(140, 10));

    // Unlocking in the model lifts the refusal at once.
    locked->setSelected(true);
    free->setPos(150, 10);
    QCOMPARE(free->pos(), QPointF(100, 0));
    lockedScreen->setLockScreen(false);
    free->setPos(150, 10);
    QCOMPARE(free->pos(), QPointF(150, 10));
    QVERIFY(free->isMovedFromScreen());
}

void tst_items::lockRefusesMouseDrag()
{
    std::unique_ptr<KvScreen> lockedScreen(makeScreen(QRectF(0, 0, 50, 50), "L", true));
    std::unique_ptr<KvScreen> freeScreen(makeScreen(QRectF(100, 0, 50, 50), "F"));
    QGraphicsScene scene(0, 0, 400, 300);
    auto* locked = new KvScreenItem(lockedScreen.get());
    auto* free = new KvScreenItem(freeScreen.get());
    scene.addItem(locked);
    scene.addItem(free);
    QGraphicsView view(&scene);
    view.setFixedSize(420, 320);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    auto send = [&view](QEvent::Type type, QPoint at, Qt::MouseButton button,
                        Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
        // The scene finds items through the global position: give a consistent one.
        QMouseEvent event(type, at, at, view.viewport()->mapToGlobal(at), button, buttons,
                          modifiers);
        QApplication::sendEvent(view.viewport(), &event);
    };
    auto drag = [&](QPointF from, QPointF to, Qt::KeyboardModifiers modifiers) {
        const QPoint a = view.mapFromScene(from);
        const QPoint b = view.mapFromScene(to);
        send(QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton, modifiers);
        for (int i = 1; i <= 5; ++i) {
            send(QEvent::MouseMove, a + (b - a) * i / 5, Qt::NoButton, Qt::LeftButton, modifiers);
        }
        send(QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton, modifiers);
    };

    // Both selected, then the free one is dragged: the press on a selected item keeps
    // the selection, the move tries to carry both along.
    locked->setSelected(true);
    free->setSelected(true);
    QVERIFY(locked->isSelected());
    QVERIFY(free->isSelected());
    drag(QPointF(125, 25), QPointF(175, 75), Qt::NoModifier);
    QCOMPARE(free->pos(), QPointF(100, 0));
    QCOMPARE(locked->pos(), QPointF(0, 0));

    // The free one alone moves.
    drag(QPointF(300, 200), QPointF(300, 200), Qt::NoModifier); // empty spot: deselect
    QVERIFY(!locked->isSelected());
    drag(QPointF(125, 25), QPointF(175, 75), Qt::NoModifier);
    QCOMPARE(free->pos(), QPointF(150, 50));
}

void tst_items::stageSceneLearnsOfSelectionAndMoves()
{
    std::unique_ptr<KvScreen> first(makeScreen(QRectF(0, 0, 50, 50)));
    std::unique_ptr<KvScreen> second(makeScreen(QRectF(100, 100, 50, 50)));
    KvStageScene scene;
    auto* a = new KvScreenItem(first.get());
    auto* b = new KvScreenItem(second.get());
    scene.addItem(a);
    scene.addItem(b);
    QSignalSpy rects(&scene, SIGNAL(selectedItemsBoundingRectChanged(QRectF)));
    a->setSelected(true);
    b->setSelected(true);
    QCOMPARE(scene.selectionMap().size(), 2);
    QCOMPARE(scene.selectionBoundingRect(), QRectF(0, 0, 150, 150));
    b->setPos(200, 100);
    QCOMPARE(scene.selectionMap().value(b), QPointF(200, 100));
    QCOMPARE(scene.selectionBoundingRect(), QRectF(0, 0, 250, 150));
    QVERIFY(rects.count() >= 3);
    a->setSelected(false);
    QCOMPARE(scene.selectionMap().size(), 1);
}

void tst_items::scaleFactorFromZoom()
{
    QCOMPARE(KvScreenItem::scaleFactorOf(nullptr), 1.0);
    QGraphicsScene plain;
    QCOMPARE(KvScreenItem::scaleFactorOf(&plain), 1.0);
    QGraphicsView view(&plain);
    view.scale(0.5, 0.5);
    QCOMPARE(KvScreenItem::scaleFactorOf(&plain), 2.0);

    KvStageScene stageScene;
    QCOMPARE(KvScreenItem::scaleFactorOf(&stageScene), 1.0);
    stageScene.setScaleRate(2.0);
    QCOMPARE(KvScreenItem::scaleFactorOf(&stageScene), 0.5);
    auto* handle = new KvScreenSelectedHandle;
    stageScene.addItem(handle);
    QCOMPARE(handle->margin(), 1.5);
    stageScene.setScaleRate(0.5);
    QCOMPARE(handle->margin(), 6.0);
}

void tst_items::lockPictureSize()
{
    QCOMPARE(KvScreenItem::lockPictureSide(0.5), 16);
    QCOMPARE(KvScreenItem::lockPictureSide(1.0), 16);
    QCOMPARE(KvScreenItem::lockPictureSide(2.0), 32);
    QCOMPARE(KvScreenItem::lockPictureSide(1.55), 24);

    std::unique_ptr<KvScreen> screen(makeScreen(QRectF(0, 0, 200, 100), "Locked", true));
    KvStageScene scene;
    auto* item = new KvScreenItem(screen.get());
    scene.addItem(item);
    QVERIFY(!item->lockPicture());
    renderAt(scene, QRectF(0, 0, 200, 100), 1.0);
    QVERIFY(item->lockPicture()); // made on the first paint, possibly null without artwork
    if (item->lockPicture()->isNull()) {
        QSKIP("the lock picture is not among the resources");
    }
    QCOMPARE(item->lockPicture()->size(), QSize(16, 16));
    const QPixmap* first = item->lockPicture();
    const qint64 key = first->cacheKey();
    renderAt(scene, QRectF(0, 0, 200, 100), 1.0);
    QCOMPARE(item->lockPicture()->cacheKey(), key); // cached while the zoom stays

    scene.setScaleRate(0.5); // 50 %: scale factor 2
    renderAt(scene, QRectF(0, 0, 200, 100), 0.5);
    QCOMPARE(item->lockPicture()->size(), QSize(32, 32));
    scene.setScaleRate(2.0); // 200 %: stays 16 scene units
    const QImage image = renderAt(scene, QRectF(0, 0, 200, 100), 2.0);
    QCOMPARE(item->lockPicture()->size(), QSize(16, 16));
    // Drawn in the top-right corner: something other than the background there,
    // nothing of it left of the corner square.
    bool drawn = false;
    for (int y = 0; y < 32 && !drawn; ++y) {
        for (int x = 400 - 32; x < 400 && !drawn; ++x) {
            drawn = QColor(image.pixel(x, y)) != QColor(Qt::darkGreen);
        }
    }
    QVERIFY(drawn);
    for (int y = 0; y < 32; ++y) {
        QCOMPARE(QColor(image.pixel(400 - 34, y)), QColor(Qt::darkGreen));
    }

    // Unlocked: no picture drawn.
    screen->setLockScreen(false);
    const QImage unlocked = renderAt(scene, QRectF(0, 0, 200, 100), 2.0);
    for (int y = 0; y < 32; ++y) {
        for (int x = 400 - 32; x < 400; ++x) {
            QCOMPARE(QColor(unlocked.pixel(x, y)), QColor(Qt::darkGreen));
        }
    }
}

void tst_items::handleStartsHidden()
{
    KvScreenSelectedHandle handle;
    QVERIFY(!handle.isVisible());
    QCOMPARE(handle.pos(), QPointF(50, 50));
    QCOMPARE(handle.boundingRect(), QRectF(0, 0, 100, 100));
    QCOMPARE(handle.zValue(), 32000.0);
    QCOMPARE(handle.margin(), 3.0);
    QCOMPARE(handle.innerRect(QRectF(0, 0, 100, 100)), QRectF(3, 3, 94, 94));
    QCOMPARE(handle.outerRect(QRectF(3, 3, 94, 94)), QRectF(0, 0, 100, 100));
    handle.changeVisible(true);
    QVERIFY(handle.isVisible());
    handle.changeVisible(false);
    QVERIFY(!handle.isVisible());
}

void tst_items::handleLayoutAndHandleAt()
{
    KvScreenSelectedHandle handle;
    QSignalSpy spy(&handle, SIGNAL(boundingRectChanged(QRectF)));
    handle.setSelectionRect(QRectF(103, 203, 94, 44), true);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(handle.outerRectOnScene(), QRectF(100, 200, 100, 50));
    handle.onSelectedItemsBoundingRectChanged(QRectF(103, 203, 94, 44));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toRectF(), QRectF(103, 203, 94, 44));

    const QMap<int, QRectF> squares = handle.handles();
    QCOMPARE(squares.size(), 8);
    QCOMPARE(squares.value(1), QRectF(0, 0, 6, 6));
    QCOMPARE(squares.value(2), QRectF(47, 0, 6, 6));
    QCOMPARE(squares.value(3), QRectF(94, 0, 6, 6));
    QCOMPARE(squares.value(4), QRectF(0, 22, 6, 6));
    QCOMPARE(squares.value(5), QRectF(94, 22, 6, 6));
    QCOMPARE(squares.value(6), QRectF(0, 44, 6, 6));
    QCOMPARE(squares.value(7), QRectF(47, 44, 6, 6));
    QCOMPARE(squares.value(8), QRectF(94, 44, 6, 6));

    // Hidden: no handle anywhere.
    QCOMPARE(handle.handleAt(QPointF(103, 203)), 0);
    handle.changeVisible(true);
    for (auto it = squares.constBegin(); it != squares.constEnd(); ++it) {
        QCOMPARE(handle.handleAt(it.value().center() + QPointF(100, 200)), it.key());
    }
    QCOMPARE(handle.handleAt(QPointF(150, 225)), 0);
    QCOMPARE(handle.handleAt(QPointF(99, 199)), 0);

    // Squares of a tiny selection overlap: the lowest number wins.
    handle.setSelectionRect(QRectF(10, 10, 0, 0));
    QCOMPARE(handle.handleAt(QPointF(10, 10)), 1);
}

void tst_items::resizeWithoutShift_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QRectF>("expected");

    // Start (10, 20, 100, 50), mouse travel (10, 20).
    QTest::newRow("1 top-left") << 1 << QRectF(20, 40, 90, 30);
    QTest::newRow("2 top") << 2 << QRectF(10, 40, 100, 30);
    QTest::newRow("3 top-right") << 3 << QRectF(10, 40, 110, 30);
    QTest::newRow("4 left") << 4 << QRectF(20, 20, 90, 50);
    QTest::newRow("5 right") << 5 << QRectF(10, 20, 110, 50);
    QTest::newRow("6 bottom-left") << 6 << QRectF(20, 20, 90, 70);
    QTest::newRow("7 bottom") << 7 << QRectF(10, 20, 100, 70);
    QTest::newRow("8 bottom-right") << 8 << QRectF(10, 20, 110, 70);
}

void tst_items::resizeWithoutShift()
{
    QFETCH(int, number);
    QFETCH(QRectF, expected);

    KvScreenSelectedHandle handle;
    handle.setSelectionRect(QRectF(13, 23, 94, 44));
    handle.saveStartRect();
    QCOMPARE(handle.startRect(), QRectF(10, 20, 100, 50));
    QSignalSpy spy(&handle, SIGNAL(boundingRectChanged(QRectF)));
    const QRectF result = handle.resize(10, 20, number, false);
    QCOMPARE(result, expected);
    QCOMPARE(handle.outerRectOnScene(), expected);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toRectF(), handle.innerRect(expected));
    QCOMPARE(handle.handles().value(8).bottomRight(),
             QPointF(expected.size().width(), expected.size().height()));
    // The travel counts from the press, not from the last move.
    QCOMPARE(handle.resize(10, 20, number, false), expected);
    QCOMPARE(handle.resize(0, 0, number, false), QRectF(10, 20, 100, 50));
}

void tst_items::resizeTopLeftWithShift()
{
    KvScreenSelectedHandle handle;
    handle.setStartRect(QRectF(10, 20, 100, 50));
    // The corner moves by (15, 7.5); 7.5 and 42.5 rise to the next whole number.
    QCOMPARE(handle.resize(10, 20, 1, true), QRectF(25, 28, 85, 43));
}

void tst_items::resizeWithShift_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::addColumn<QRectF>("expected");

    // Start (10, 20, 100, 50).
    QTest::newRow("2 top") << 2 << 10.0 << 20.0 << QRectF(10, 40, 100, 30);
    QTest::newRow("3 top-right") << 3 << 10.0 << 20.0 << QRectF(10, 23, 95, 48);
    QTest::newRow("3 top-right out") << 3 << 20.0 << -10.0 << QRectF(10, 13, 115, 58);
    QTest::newRow("4 left") << 4 << 10.0 << 20.0 << QRectF(20, 20, 90, 50);
    QTest::newRow("5 right") << 5 << 10.0 << 20.0 << QRectF(10, 20, 110, 50);
    QTest::newRow("6 bottom-left") << 6 << 10.0 << 20.0 << QRectF(0, 20, 110, 55);
    QTest::newRow("7 bottom") << 7 << 10.0 << 20.0 << QRectF(10, 20, 100, 70);
    QTest::newRow("8 bottom-right") << 8 << 10.0 << 20.0 << QRectF(10, 20, 115, 58);
    QTest::newRow("8 bottom-right in") << 8 << -20.0 << -20.0 << QRectF(10, 20, 80, 40);
}

void tst_items::resizeWithShift()
{
    QFETCH(int, number);
    QFETCH(double, dx);
    QFETCH(double, dy);
    QFETCH(QRectF, expected);

    KvScreenSelectedHandle handle;
    handle.setSelectionRect(QRectF(13, 23, 94, 44));
    handle.saveStartRect();
    QCOMPARE(handle.resize(dx, dy, number, true), expected);
}

void tst_items::resizeRoundsHalvesUpward()
{
    KvScreenSelectedHandle handle;
    auto startAt = [&handle](const QRectF& outer) {
        handle.setSelectionRect(handle.innerRect(outer));
        handle.saveStartRect();
    };
    startAt(QRectF(10, 20, 100, 50));
    QCOMPARE(handle.resize(2.5, 0, 5, false), QRectF(10, 20, 103, 50));
    QCOMPARE(handle.resize(-2.5, 0, 5, false), QRectF(10, 20, 98, 50));
    QCOMPARE(handle.resize(-12.5, -22.5, 1, false), QRectF(-2, -2, 113, 73));
    startAt(QRectF(10, 20, 100, 50));
    QCOMPARE(handle.resize(0.49, 0.51, 8, false), QRectF(10, 20, 100, 51));
    // From fractional coordinates too.
    startAt(QRectF(0.4, -0.6, 10.2, 10.5));
    QCOMPARE(handle.resize(0, 0, 8, false), QRectF(0, -1, 10, 11));
}

void tst_items::resizeNeverCollapses_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QRectF>("expected");

    // Start (10, 20, 100, 50); the least outer size without a scene is 7 (3 + 1 + 3):
    // the screens inside keep one stage pixel.
    QTest::newRow("1 exactly shut") << 1 << 100.0 << 50.0 << false << QRectF(103, 63, 7, 7);
    QTest::newRow("1 past") << 1 << 500.0 << 500.0 << false << QRectF(103, 63, 7, 7);
    QTest::newRow("1 shift") << 1 << 300.0 << 300.0 << true << QRectF(103, 63, 7, 7);
    QTest::newRow("2 past") << 2 << 0.0 << 80.0 << false << QRectF(10, 63, 100, 7);
    QTest::newRow("3 past") << 3 << -200.0 << 200.0 << false << QRectF(10, 63, 7, 7);
    QTest::newRow("4 past") << 4 << 95.0 << 0.0 << false << QRectF(103, 20, 7, 50);
    QTest::newRow("5 past") << 5 << -100.0 << 0.0 << false << QRectF(10, 20, 7, 50);
    QTest::newRow("6 past") << 6 << 200.0 << -200.0 << false << QRectF(103, 20, 7, 7);
    QTest::newRow("7 past") << 7 << 0.0 << -50.0 << false << QRectF(10, 20, 100, 7);
    QTest::newRow("8 past") << 8 << -100.0 << -100.0 << false << QRectF(10, 20, 7, 7);
    QTest::newRow("8 shift") << 8 << -300.0 << -300.0 << true << QRectF(10, 20, 7, 7);
    QTest::newRow("5 just above") << 5 << -92.0 << 0.0 << false << QRectF(10, 20, 8, 50);
}

void tst_items::resizeNeverCollapses()
{
    QFETCH(int, number);
    QFETCH(double, dx);
    QFETCH(double, dy);
    QFETCH(bool, shift);
    QFETCH(QRectF, expected);

    KvScreenSelectedHandle handle;
    handle.setSelectionRect(QRectF(13, 23, 94, 44));
    handle.saveStartRect();
    QSignalSpy spy(&handle, SIGNAL(boundingRectChanged(QRectF)));
    const QRectF result = handle.resize(dx, dy, number, shift);
    QCOMPARE(result, expected);
    const QRectF inner = spy.last().first().toRectF();
    QVERIFY(inner.width() >= 1.0);
    QVERIFY(inner.height() >= 1.0);

    // A following resize starts from a usable rectangle: finite numbers only.
    handle.saveStartRect();
    const QRectF next = handle.resize(5, 5, 1, true);
    QVERIFY(std::isfinite(next.x()) && std::isfinite(next.y()));
    QVERIFY(next.width() >= 7 && next.height() >= 7);
}

void tst_items::handleKeepsItsSizeOnScreen()
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

        const QImage image = renderAt(scene, QRectF(0, 0, 400, 300), rate);
        // Through the top-left square, two pixels above and left of the frame line.
        const QPoint corner(qRound(100 * rate), qRound(100 * rate));
        const int across = runLength(image, corner - QPoint(2, 2), QPoint(1, 0), cyan);
        const int down = runLength(image, corner - QPoint(2, 2), QPoint(0, 1), cyan);
        QVERIFY2(across >= 5 && across <= 7,
                 qPrintable(QString("%1 px at %2").arg(across).arg(rate)));
        QVERIFY2(down >= 5 && down <= 7, qPrintable(QString("%1 px at %2").arg(down).arg(rate)));
        // Bottom-right square likewise.
        const QPoint far(qRound(300 * rate), qRound(200 * rate));
        const int farAcross = runLength(image, far + QPoint(2, 2), QPoint(1, 0), cyan);
        QVERIFY2(farAcross >= 5 && farAcross <= 7, qPrintable(QString::number(farAcross)));
    }
    // At 50 % the squares are 12 scene units wide (6 screen pixels).
    view.resetTransform();
    view.scale(0.5, 0.5);
    handle->setSelectionRect(QRectF(100, 100, 200, 100));
    QCOMPARE(handle->handles().value(8).size(), QSizeF(12, 12));
}

QTEST_MAIN(tst_items)
#include "tst_items.moc"
