// Mouse moves must carry the pressed button, so the test drives the pointer through the
// window system layer (as a user does) rather than by moving the cursor.
#define QTEST_QPA_MOUSE_HANDLING

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvpreservedmedia.h"
#include "kvrulerwidget.h"
#include "kvscalewidget.h"
#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvscreenselectedhandle.h"
#include "kvstage.h"
#include "kvstageitem.h"
#include "kvstagescene.h"
#include "kvstageview.h"
#include "kvstageworkingarea.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoCommand>
#include <QUndoStack>
#include <QUrl>
#include <QtTest>

using namespace Kova;

namespace {

KvScreen* makeScreen(int id, ScreenType::ScreenTypes type, const QRectF& rect, int z)
{
    auto* screen = new KvScreen(type, id);
    screen->setName(QString("S%1").arg(id));
    screen->setRect(rect);
    screen->setZIndex(z);
    return screen;
}

// A command that only holds a medium, as a media removal does.
class HoldingCommand : public QUndoCommand
{
public:
    explicit HoldingCommand(KvMedia* media)
        : m_media(media)
    {
    }
    ~HoldingCommand() override { delete m_media; }
    KvMedia* media() const { return m_media; }

private:
    KvMedia* m_media;
};

QList<KvMedia*> readHoldingCommand(const QUndoCommand* command)
{
    if (auto* holding = dynamic_cast<const HoldingCommand*>(command)) {
        return QList<KvMedia*>() << holding->media();
    }
    return QList<KvMedia*>();
}

QByteArray uriPayload(const QStringList& paths)
{
    QByteArray data;
    for (const QString& path : paths) {
        data += QUrl::fromLocalFile(path).toEncoded() + "\r\n";
    }
    return data;
}

} // namespace

class TestWorkingArea : public QObject
{
    Q_OBJECT

private:
    // A shown tab at 100 % with a multimedia screen A (100, 100, 200, 100, z 1) and a telop
    // screen B (400, 100, 200, 100, z 2) on a 1920 x 1080 stage.
    struct Tab
    {
        KvStageWorkingArea* area = nullptr;
        KvScreen* a = nullptr;
        KvScreen* b = nullptr;
    };

    Tab makeTab(QList<KvScreen*> extra = QList<KvScreen*>())
    {
        auto* stage = new KvStage();
        stage->setRect(QRect(0, 0, 1920, 1080));
        Tab tab;
        tab.a = makeScreen(1, ScreenType::Multimedia, QRectF(100, 100, 200, 100), 1);
        tab.b = makeScreen(2, ScreenType::Telop, QRectF(400, 100, 200, 100), 2);
        stage->addScreen(tab.a);
        stage->addScreen(tab.b);
        for (KvScreen* screen : extra) {
            stage->addScreen(screen);
        }
        tab.area = new KvStageWorkingArea(stage, m_dataDir.path());
        tab.area->resize(900, 700);
        tab.area->show();
        if (!QTest::qWaitForWindowExposed(tab.area)) {
            qWarning("window not exposed");
        }
        // Show the stage's top-left corner region.
        tab.area->view()->centerOn(350, 250);
        QCoreApplication::processEvents();
        return tab;
    }

    QPoint at(const Tab& tab, const QPointF& scenePos) const
    {
        return tab.area->view()->mapFromScene(scenePos);
    }
    QWidget* viewport(const Tab& tab) const { return tab.area->view()->viewport(); }
    KvScreenItem* item(const Tab& tab, KvScreen* screen) const
    {
        return tab.area->scene()->screenItemOf(screen);
    }

    void dragFromTo(const Tab& tab, const QPointF& from, const QPointF& to,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(viewport(tab), Qt::LeftButton, modifiers, at(tab, from));
        // Two steps, as a hand does, so that drags pass the start distance.
        const QPointF middle = (from + to) / 2.0;
        QTest::mouseMove(viewport(tab), at(tab, middle));
        QTest::mouseMove(viewport(tab), at(tab, to));
        QTest::mouseRelease(viewport(tab), Qt::LeftButton, modifiers, at(tab, to));
    }

    QTemporaryDir m_dataDir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dataDir.isValid());
        KvEditorConfig::setDataDir(m_dataDir.path());
    }

    void init() { KvStageWorkingArea::setUndoMediaReader(nullptr); }

    void defaultStageAndLayout()
    {
        KvStageWorkingArea area(nullptr, QString());
        QVERIFY(area.stage());
        QCOMPARE(area.stage()->rect(), QRect(0, 0, 512, 288));
        QCOMPARE(area.stage()->backgroundColor(), QColor(Qt::darkBlue));
        QVERIFY(!area.initialStage());
        QCOMPARE(area.horizontalRuler()->orientation(), 0);
        QCOMPARE(area.verticalRuler()->orientation(), 1);
        // The view's scene rectangle leaves one stage size of room on every side.
        QCOMPARE(area.view()->sceneRect(), QRectF(-512, -288, 3 * 512, 3 * 288));
        QCOMPARE(area.zoomRateAsPercent(), 100);
        QVERIFY(!area.selectedHandle()->isVisible());
        QCOMPARE(area.scene()->backgroundBrush().color(), QColor(Qt::gray));
    }

    void openingSelectsNothingAndKeepsACopy()
    {
        Tab tab = makeTab();
        QVERIFY(tab.area->initialStage());
        QVERIFY(tab.area->initialStage() != tab.area->stage());
        QVERIFY(!tab.area->isStageChanged());
        QVERIFY(tab.area->selectedScreens().isEmpty());
        QVERIFY(item(tab, tab.a));
        QCOMPARE(item(tab, tab.b)->zValue(), 2.0);
        delete tab.area;
    }

    void pressReleaseWithoutMoveEmitsNothing()
    {
        Tab tab = makeTab();
        QSignalSpy moved(tab.area, SIGNAL(screenMoved()));
        QSignalSpy resized(tab.area, SIGNAL(screenResized()));
        QSignalSpy pressed(tab.area, SIGNAL(mousePressed()));
        QTest::mouseClick(viewport(tab), Qt::LeftButton, Qt::NoModifier,
                          at(tab, QPointF(200, 150)));
        QCOMPARE(tab.area->selectedScreens(), QList<KvScreen*>() << tab.a);
        QCOMPARE(moved.count(), 0);
        QCOMPARE(resized.count(), 0);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(tab.area->lastPressedScenePos().toPoint(), QPoint(200, 150));
        // The handle frames the selection.
        QVERIFY(tab.area->selectedHandle()->isVisible());
        QCOMPARE(tab.area->scene()->selectionBoundingRect(), QRectF(100, 100, 200, 100));
        delete tab.area;
    }

    void dragMovesWithoutCommitting()
    {
        Tab tab = makeTab();
        QSignalSpy moved(tab.area, SIGNAL(screenMoved()));
        dragFromTo(tab, QPointF(200, 150), QPointF(230, 170));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(130, 120));
        // The model is written only by the commit.
        QCOMPARE(tab.a->rect(), QRectF(100, 100, 200, 100));
        const QMap<KvScreen*, QPointF> old = tab.area->selectedScreenMoved();
        QCOMPARE(old.size(), 1);
        QCOMPARE(old.value(tab.a), QPointF(100, 100));
        QCOMPARE(tab.a->rect(), QRectF(130, 120, 200, 100));
        QVERIFY(tab.area->selectedScreenMoved().isEmpty());
        delete tab.area;
    }

    void handlePressReleaseEmitsResized()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a);
        QSignalSpy moved(tab.area, SIGNAL(screenMoved()));
        QSignalSpy resized(tab.area, SIGNAL(screenResized()));
        // Handle 8 sits on the bottom-right corner of the selection.
        const QPoint corner = at(tab, QPointF(300, 200));
        QCOMPARE(tab.area->selectedHandle()->handleAt(QPointF(300, 200)), 8);
        QTest::mousePress(viewport(tab), Qt::LeftButton, Qt::NoModifier, corner);
        QVERIFY(tab.area->view()->isResizing());
        QTest::mouseRelease(viewport(tab), Qt::LeftButton, Qt::NoModifier, corner);
        QCOMPARE(resized.count(), 1);
        QCOMPARE(moved.count(), 0);
        QVERIFY(!tab.area->view()->isResizing());
        // Nothing changed, so the commit records nothing.
        QVERIFY(tab.area->selectedScreenResized().isEmpty());
        QCOMPARE(tab.area->selectedScreens(), QList<KvScreen*>() << tab.a);
        delete tab.area;
    }

    void handleDragResizesSelection()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a << tab.b);
        QSignalSpy resized(tab.area, SIGNAL(screenResized()));
        // The selection spans (100, 100)-(600, 200); drag its right handle by 100.
        dragFromTo(tab, QPointF(600, 150), QPointF(700, 150));
        QCOMPARE(resized.count(), 1);
        // Both items scale into the new frame: width 500 -> 600 (factor 1.2).
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(100, 100));
        QCOMPARE(item(tab, tab.a)->width(), 240.0);
        QCOMPARE(item(tab, tab.b)->pos(), QPointF(460, 100));
        QCOMPARE(item(tab, tab.b)->width(), 240.0);
        const QMap<KvScreen*, QRectF> old = tab.area->selectedScreenResized();
        QCOMPARE(old.size(), 2);
        QCOMPARE(old.value(tab.b), QRectF(400, 100, 200, 100));
        QCOMPARE(tab.b->rect(), QRectF(460, 100, 240, 100));
        delete tab.area;
    }

    void overHandleShowsResizeCursor()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a);
        QTest::mouseMove(viewport(tab), at(tab, QPointF(300, 200)));
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::SizeFDiagCursor);
        QTest::mouseMove(viewport(tab), at(tab, QPointF(200, 100)));
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::SizeVerCursor);
        QTest::mouseMove(viewport(tab), at(tab, QPointF(700, 400)));
        QVERIFY(!QApplication::overrideCursor());
        delete tab.area;
    }

    void lockRefusesDragForWholeSelection()
    {
        Tab tab = makeTab();
        tab.b->setLockScreen(true);
        item(tab, tab.b)->setScreen(tab.b);
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a << tab.b);
        QSignalSpy moved(tab.area, SIGNAL(screenMoved()));
        QSignalSpy resized(tab.area, SIGNAL(screenResized()));
        // Dragging the unlocked screen moves neither.
        dragFromTo(tab, QPointF(200, 150), QPointF(260, 190));
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(100, 100));
        QCOMPARE(item(tab, tab.b)->pos(), QPointF(400, 100));
        QCOMPARE(moved.count(), 0);
        // A press on a handle does not start a resize either.
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a << tab.b);
        dragFromTo(tab, QPointF(600, 200), QPointF(650, 230));
        QCOMPARE(resized.count(), 0);
        QCOMPARE(item(tab, tab.b)->width(), 200.0);
        QVERIFY(tab.area->selectedScreenMoved().isEmpty());
        delete tab.area;
    }

    void arrowKeysNudgeOneMovePerRelease()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a);
        QSignalSpy moved(tab.area, SIGNAL(screenMoved()));
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(tab.area->view(), Qt::Key_Right);
        }
        QCOMPARE(moved.count(), 3);
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(103, 100));
        QCOMPARE(tab.a->rect().topLeft(), QPointF(100, 100));
        // Modifiers make no difference; Up goes up.
        QTest::keyClick(tab.area->view(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(103, 99));
        QCOMPARE(moved.count(), 4);
        // An auto-repeated release is not the end of the gesture.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(tab.area->view(), &press);
        QApplication::sendEvent(tab.area->view(), &repeatRelease);
        QCOMPARE(moved.count(), 4);
        QTest::keyRelease(tab.area->view(), Qt::Key_Down);
        QCOMPARE(moved.count(), 5);
        delete tab.area;
    }

    void arrowKeysWithLockedScreenMoveNothing()
    {
        Tab tab = makeTab();
        tab.a->setLockScreen(true);
        item(tab, tab.a)->setScreen(tab.a);
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a << tab.b);
        QTest::keyClick(tab.area->view(), Qt::Key_Left);
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(100, 100));
        QCOMPARE(item(tab, tab.b)->pos(), QPointF(400, 100));
        QVERIFY(tab.area->selectedScreenMoved().isEmpty());
        delete tab.area;
    }

    void arrowsWithoutSelectionScroll()
    {
        Tab tab = makeTab();
        QSignalSpy moved(tab.area, SIGNAL(screenMoved()));
        QScrollBar* bar = tab.area->view()->horizontalScrollBar();
        QVERIFY(bar->maximum() > bar->value());
        const int before = bar->value();
        QTest::keyClick(tab.area->view(), Qt::Key_Right);
        QVERIFY(bar->value() > before);
        QCOMPARE(moved.count(), 0);
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(100, 100));
        delete tab.area;
    }

    void deleteKeyAndScrollBarPress()
    {
        Tab tab = makeTab();
        QSignalSpy deleted(tab.area, SIGNAL(deleteKeyPressed()));
        QSignalSpy pressed(tab.area, SIGNAL(mousePressed()));
        QTest::keyClick(tab.area->view(), Qt::Key_Delete);
        QCOMPARE(deleted.count(), 1);
        QTest::mouseClick(tab.area->view()->horizontalScrollBar(), Qt::LeftButton);
        QCOMPARE(pressed.count(), 1);
        delete tab.area;
    }

    void rubberBandSelects()
    {
        Tab tab = makeTab();
        QSignalSpy selection(tab.area, SIGNAL(screenSelectionChanged(KvStageWorkingArea*)));
        QSignalSpy handleRect(tab.area, SIGNAL(selectedHandleRectChanged(QRectF)));
        // From the stage background across both screens.
        dragFromTo(tab, QPointF(50, 50), QPointF(450, 150));
        QCOMPARE(tab.area->selectedScreens(), QList<KvScreen*>() << tab.a << tab.b);
        QVERIFY(selection.count() >= 1);
        QCOMPARE(tab.area->scene()->selectionBoundingRect(), QRectF(100, 100, 500, 100));
        QCOMPARE(tab.area->selectionRect(), QRectF(100, 100, 500, 100));
        QVERIFY(tab.area->selectedHandle()->isVisible());
        // The handle's rectangle reaches the tab through a queued connection.
        QTRY_VERIFY(handleRect.count() >= 1);
        QCOMPARE(handleRect.last().at(0).toRectF(), QRectF(100, 100, 500, 100));
        // Nothing moved.
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(100, 100));
        delete tab.area;
    }

    void zoomOnlyThroughZoomBox()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a);
        QWheelEvent wheel(
            QPointF(100, 100), tab.area->view()->viewport()->mapToGlobal(QPoint(100, 100)),
            QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tab.area->view()->viewport(), &wheel);
        QCOMPARE(tab.area->view()->transform().m11(), 1.0);

        QSignalSpy rate(tab.area->view(), SIGNAL(scaleRateChanged(double)));
        tab.area->setZoomRate(200);
        QCOMPARE(rate.count(), 1);
        QCOMPARE(tab.area->zoomRate(), 2.0);
        QCOMPARE(tab.area->view()->transform().m11(), 2.0);
        QCOMPARE(tab.area->scene()->scaleRate(), 2.0);
        QCOMPARE(tab.area->horizontalRuler()->scaleRate(), 2.0);
        // The handle's margin follows the zoom: 3 screen pixels are 1.5 stage pixels.
        QCOMPARE(tab.area->selectedHandle()->outerRectOnScene(), QRectF(98.5, 98.5, 203, 103));
        tab.area->setZoomRate(0.5);
        QCOMPARE(tab.area->zoomRateAsPercent(), 50);
        QCOMPARE(tab.area->view()->transform().m22(), 0.5);
        delete tab.area;
    }

    void dropHighlightKeepsItsWidthOnScreen()
    {
        Tab tab = makeTab();
        tab.area->setZoomRate(2.0);
        KvStageScene* scene = tab.area->scene();
        scene->showDropHighlight(tab.b->rect());
        QCoreApplication::processEvents();
        const QImage shot = tab.area->view()->viewport()->grab().toImage();
        // At 200 % the left edge x = 400 lies between two screen pixels; the green line is
        // two screen pixels wide, one on each side.
        const QPoint edge = tab.area->view()->mapFromScene(QPointF(400, 150));
        const QColor green(Qt::green);
        QCOMPARE(shot.pixelColor(edge.x() - 1, edge.y()), green);
        QCOMPARE(shot.pixelColor(edge.x(), edge.y()), green);
        QVERIFY(shot.pixelColor(edge.x() - 3, edge.y()) != green);
        QVERIFY(shot.pixelColor(edge.x() + 2, edge.y()) != green);
        scene->hideDropHighlight();
        QCoreApplication::processEvents();
        const QImage hidden = tab.area->view()->viewport()->grab().toImage();
        QVERIFY(hidden.pixelColor(edge.x(), edge.y()) != green);
        delete tab.area;
    }

    void sceneRectangleOnlyGrows()
    {
        Tab tab = makeTab();
        const QRectF before = tab.area->view()->sceneRect();
        KvScreen* far = makeScreen(9, ScreenType::Multimedia, QRectF(8000, 6000, 100, 100), 9);
        tab.area->addScreenItems(QList<KvScreen*>() << far);
        QCoreApplication::processEvents();
        const QRectF grown = tab.area->view()->sceneRect();
        QVERIFY(grown.contains(before));
        QVERIFY(grown.contains(QRectF(8000, 6000, 100, 100)));
        tab.area->removeScreenItem(far);
        QCoreApplication::processEvents();
        QCOMPARE(tab.area->view()->sceneRect(), grown);
        QVERIFY(!tab.area->stage()->screenList().contains(far));
        delete far;
        delete tab.area;
    }

    void addScreenItemsKeepsZOrderAndSkipsKnownScreens()
    {
        Tab tab = makeTab();
        KvScreen* low = makeScreen(5, ScreenType::Multimedia, QRectF(0, 0, 10, 10), 0);
        KvScreen* high = makeScreen(6, ScreenType::Multimedia, QRectF(0, 0, 10, 10), 7);
        tab.area->clearScreenSelection();
        tab.area->addScreenItems(QList<KvScreen*>() << high << tab.a << low);
        const QList<KvScreen*> list = tab.area->stage()->screenList();
        QCOMPARE(list, QList<KvScreen*>() << low << tab.a << tab.b << high);
        QCOMPARE(tab.area->scene()->screenItems().size(), 4);
        QCOMPARE(tab.area->selectedScreens(), QList<KvScreen*>() << low << high);
        delete tab.area;
    }

    void liveMoveAndResizeFromPanel()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a << tab.b);
        tab.area->changeSelectedItemsPos(QPointF(10, 20));
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(10, 20));
        QCOMPARE(item(tab, tab.b)->pos(), QPointF(310, 20));
        QCOMPARE(tab.a->rect().topLeft(), QPointF(100, 100));
        // Typing again starts from the stored rectangles, not from the live ones.
        tab.area->changeSelectedItemsPos(QPointF(0, 0));
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(0, 0));
        tab.area->changeSelectedItemsPos(QPointF(100, 100));

        tab.area->changeSelectedItemsSize(QSizeF(250, 50));
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(100, 100));
        QCOMPARE(item(tab, tab.a)->width(), 100.0);
        QCOMPARE(item(tab, tab.a)->height(), 50.0);
        QCOMPARE(item(tab, tab.b)->pos(), QPointF(250, 100));
        QCOMPARE(tab.area->selectedScreenResized().size(), 2);
        QCOMPARE(tab.b->rect(), QRectF(250, 100, 100, 50));
        delete tab.area;
    }

    void updateScreenItemZIndexSelectsFlagged()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a);
        tab.a->setZIndex(5);
        QMap<KvScreen*, bool> flags;
        flags.insert(tab.a, false);
        flags.insert(tab.b, true);
        tab.area->updateScreenItemZIndex(flags, true);
        QCOMPARE(item(tab, tab.a)->zValue(), 5.0);
        QCOMPARE(tab.area->selectedScreens(), QList<KvScreen*>() << tab.b);
        // Without select the selection stays.
        tab.b->setZIndex(9);
        tab.area->updateScreenItemZIndex(flags, false);
        QCOMPARE(item(tab, tab.b)->zValue(), 9.0);
        QCOMPARE(tab.area->selectedScreens(), QList<KvScreen*>() << tab.b);
        delete tab.area;
    }

    void refreshFromModelSelectsExactly()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a);
        tab.b->setRect(QRectF(10, 10, 50, 40));
        tab.area->updateScreenItemRect(QList<KvScreen*>() << tab.b);
        QCOMPARE(tab.area->selectedScreens(), QList<KvScreen*>() << tab.b);
        QCOMPARE(item(tab, tab.b)->pos(), QPointF(10, 10));
        tab.area->updateSelectedHandle();
        QCOMPARE(tab.area->scene()->selectionBoundingRect(), QRectF(10, 10, 50, 40));
        tab.area->setSelectedItemName("Renamed");
        QCOMPARE(item(tab, tab.b)->name(), QString("Renamed"));
        QCOMPARE(tab.b->name(), QString("S2"));
        delete tab.area;
    }

    void drops_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("onlyLineBreaks");
        QTest::addColumn<QPointF>("where");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("screenId");
        QTest::addColumn<QList<int>>("mediaTypes");

        // Screens: A multimedia (100, 100, 200, 100) z1, B telop (400, 100, 200, 100) z2,
        // C multimedia (150, 120, 60, 40) z3 over A; A is selected, so the handle covers A.
        QTest::newRow("folder on multimedia")
            << (QStringList() << "image") << false << QPointF(280, 180) << true << 1
            << (QList<int>() << MediaType::Folder);
        QTest::newRow("folder on telop") << (QStringList() << "image") << false << QPointF(500, 150)
                                         << false << 0 << QList<int>();
        QTest::newRow("telop file on telop")
            << (QStringList() << "telop/news.txt") << false << QPointF(500, 150) << true << 2
            << (QList<int>() << MediaType::Telop);
        QTest::newRow("movie file")
            << (QStringList() << "movie/clip.mp4") << false << QPointF(280, 180) << true << 1
            << (QList<int>() << MediaType::Movie);
        QTest::newRow("two images") << (QStringList() << "image/a.png"
                                                      << "image/b.jpg")
                                    << false << QPointF(280, 180) << true << 1
                                    << (QList<int>() << MediaType::Image << MediaType::Image);
        QTest::newRow("mixed types refused")
            << (QStringList() << "movie/clip.mp4"
                              << "telop/news.txt")
            << false << QPointF(280, 180) << false << 0 << QList<int>();
        QTest::newRow("only line breaks refused")
            << QStringList() << true << QPointF(280, 180) << false << 0 << QList<int>();
        QTest::newRow("between screens refused") << (QStringList() << "movie/clip.mp4") << false
                                                 << QPointF(350, 300) << false << 0 << QList<int>();
        QTest::newRow("under the handle goes to the highest screen")
            << (QStringList() << "image/a.png") << false << QPointF(180, 140) << true << 3
            << (QList<int>() << MediaType::Image);
    }

    void drops()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, onlyLineBreaks);
        QFETCH(QPointF, where);
        QFETCH(bool, accepted);
        QFETCH(int, screenId);
        QFETCH(QList<int>, mediaTypes);

        const QString root = m_dataDir.path();
        QDir(root).mkpath("image");
        QDir(root).mkpath("movie");
        QDir(root).mkpath("telop");
        for (const QString& name :
             QStringList{"image/a.png", "image/b.jpg", "movie/clip.mp4", "telop/news.txt"}) {
            QFile file(root + "/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        Tab tab = makeTab(QList<KvScreen*>()
                          << makeScreen(3, ScreenType::Multimedia, QRectF(150, 120, 60, 40), 3));
        tab.area->selectScreenItem(QList<KvScreen*>() << tab.a);

        QStringList absolute;
        for (const QString& file : files) {
            absolute << root + "/" + file;
        }
        QMimeData mime;
        mime.setData(KvEditorCommon::MIME_TYPE_URI,
                     onlyLineBreaks ? QByteArray("\r\n\n\r\n") : uriPayload(absolute));

        QList<KvPreservedMedia*> received;
        KvScreen* receivedScreen = nullptr;
        connect(tab.area, &KvStageWorkingArea::requestAddMedia, this,
                [&](QList<KvPreservedMedia*>& list, KvScreen* screen) {
                    received = list;
                    receivedScreen = screen;
                });

        QWidget* port = viewport(tab);
        const QPoint pos = at(tab, where);
        QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(port, &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                            Qt::NoModifier);
        QApplication::sendEvent(port, &move);
        QCOMPARE(move.isAccepted(), accepted);
        KvStageScene* scene = tab.area->scene();
        if (accepted) {
            QCOMPARE(move.dropAction(), Qt::CopyAction);
            QCOMPARE(scene->dropHighlightState(), int(KvStageScene::DropHighlightShown));
            KvScreen* target = tab.area->stage()->getScreenObject(screenId);
            QCOMPARE(scene->dropHighlightRect(), target->rect());
        } else {
            QVERIFY(scene->dropHighlightState() != KvStageScene::DropHighlightShown);
        }

        QDropEvent drop(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(port, &drop);
        QVERIFY(scene->dropHighlightState() != KvStageScene::DropHighlightShown);
        QCOMPARE(drop.isAccepted(), accepted);
        if (!accepted) {
            QVERIFY(received.isEmpty());
            QVERIFY(!receivedScreen);
            delete tab.area;
            return;
        }
        QVERIFY(receivedScreen);
        QCOMPARE(receivedScreen->id(), screenId);
        QCOMPARE(received.size(), mediaTypes.size());
        for (int i = 0; i < received.size(); ++i) {
            KvPreservedMedia* record = received.at(i);
            QCOMPARE(record->screenIndex(), -1);
            QCOMPARE(record->sequenceIndex(), -1);
            QVERIFY(record->isSelected());
            QVERIFY(record->ownsMedia());
            QCOMPARE(int(record->media()->mediaType()), mediaTypes.at(i));
            QCOMPARE(record->media()->parent(), receivedScreen);
            // Inside the data folder the media keep relative paths.
            QVERIFY2(!QDir::isAbsolutePath(record->media()->uri()),
                     qPrintable(record->media()->uri()));
        }
        // Not in the screen yet: that is the editor's command's business.
        QCOMPARE(receivedScreen->mediaCount(), 0);
        qDeleteAll(received);
        delete tab.area;
    }

    void dragLeaveHidesHighlight()
    {
        Tab tab = makeTab();
        QDir(m_dataDir.path()).mkpath("image");
        QMimeData mime;
        mime.setData(KvEditorCommon::MIME_TYPE_URI,
                     uriPayload(QStringList() << m_dataDir.path() + "/image"));
        const QPoint pos = at(tab, QPointF(200, 150));
        QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(tab), &enter);
        QDragMoveEvent move(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(tab), &move);
        QCOMPARE(tab.area->scene()->dropHighlightState(), int(KvStageScene::DropHighlightShown));
        QDragLeaveEvent leave;
        QApplication::sendEvent(viewport(tab), &leave);
        QCOMPARE(tab.area->scene()->dropHighlightState(), int(KvStageScene::DropHighlightHidden));
        // Another payload type is refused at the door.
        QMimeData text;
        text.setText("hello");
        QDragEnterEvent refused(pos, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(tab), &refused);
        QVERIFY(!refused.isAccepted());
        delete tab.area;
    }

    void fileUse_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("used");

        const QString root = m_dataDir.path();
        QTest::newRow("relative file") << "image/a.png" << true << true;
        QTest::newRow("absolute file") << root + "/image/a.png" << true << true;
        QTest::newRow("unused file") << "image/b.jpg" << true << false;
        QTest::newRow("folder holding a medium") << root + "/image" << true << true;
        QTest::newRow("relative folder") << "image" << true << true;
        QTest::newRow("sibling folder with a longer name") << "image2" << true << false;
        QTest::newRow("other case, insensitive") << "IMAGE/A.PNG" << false << true;
        QTest::newRow("other case, sensitive") << "IMAGE/A.PNG" << true << false;
        QTest::newRow("medium outside the data folder")
            << "/elsewhere/movie/clip.mp4" << true << true;
        QTest::newRow("folder medium itself") << "movie/parts" << true << true;
        QTest::newRow("file inside a folder medium") << "movie/parts/p1.mp4" << true << false;
    }

    void fileUse()
    {
        QFETCH(QString, given);
        QFETCH(bool, caseSensitive);
        QFETCH(bool, used);

        const QString root = m_dataDir.path();
        QDir(root).mkpath("image");
        QDir(root).mkpath("image2");
        QDir(root).mkpath("movie/parts");

        auto* stage = new KvStage(root + "/stage/show.kstg");
        KvScreen* screen = makeScreen(1, ScreenType::Multimedia, QRectF(0, 0, 10, 10), 1);
        screen->addMedia(new KvMedia("image/a.png", MediaType::Image, screen));
        screen->addMedia(new KvMedia("/elsewhere/movie/clip.mp4", MediaType::Movie, screen));
        screen->addMedia(new KvMedia("movie/parts", MediaType::Folder, screen));
        stage->addScreen(screen);
        KvStageWorkingArea area(stage, root);

        QPair<QString, QString> found;
        const bool answer =
            area.isFileUsingInOpenedStage(QStringList() << "nothing/here.png" << given, &found,
                                          caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
        QCOMPARE(answer, used);
        if (used) {
            QCOMPARE(found.first, given);
            QCOMPARE(found.second, root + "/stage/show.kstg");
        }
    }

    void fileUseCountsMediaThatUndoWouldBringBack()
    {
        const QString root = m_dataDir.path();
        KvStageWorkingArea area(new KvStage(root + "/stage/s.kstg"), root);
        area.undoStack()->push(new HoldingCommand(new KvMedia("image/removed.png")));
        QPair<QString, QString> found;
        // Without the reader only the stage's own media count.
        QVERIFY(!area.isFileUsingInOpenedStage(QStringList() << "image/removed.png", &found,
                                               Qt::CaseSensitive));
        KvStageWorkingArea::setUndoMediaReader(&readHoldingCommand);
        QVERIFY(area.isFileUsingInOpenedStage(QStringList() << root + "/image", &found,
                                              Qt::CaseSensitive));
        QCOMPARE(found.first, root + "/image");
        KvStageWorkingArea::setUndoMediaReader(nullptr);
    }

    void undoStackChangesMarkTabUnsaved()
    {
        KvStageWorkingArea area(new KvStage(), QString());
        QSignalSpy unsaved(&area, SIGNAL(requestTabLabelNameToUnsavedState(QWidget*)));
        area.undoStack()->push(new QUndoCommand());
        QVERIFY(unsaved.count() >= 2); // index and clean state
        const int afterPush = unsaved.count();
        area.undoStack()->undo();
        QVERIFY(unsaved.count() > afterPush);
        QCOMPARE(unsaved.last().at(0).value<QWidget*>(), static_cast<QWidget*>(&area));
    }

    void newScreenDefaults_data()
    {
        QTest::addColumn<QSize>("stageSize");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("existingIds");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("rect");

        QTest::newRow("multimedia on full HD") << QSize(1920, 1080) << 1 << QList<int>() << 1
                                               << "Multi 1" << QRectF(144, 81, 1632, 918);
        QTest::newRow("telop on full HD") << QSize(1920, 1080) << 2 << QList<int>() << 1
                                          << "Telop 1" << QRectF(144, 486, 1632, 108);
        QTest::newRow("small stage clamps")
            << QSize(200, 100) << 1 << QList<int>() << 1 << "Multi 1" << QRectF(0, 0, 256, 144);
        QTest::newRow("first free id") << QSize(1920, 1080) << 1 << (QList<int>() << 1 << 2 << 4)
                                       << 3 << "Multi 3" << QRectF(144, 81, 1632, 918);
    }

    void newScreenDefaults()
    {
        QFETCH(QSize, stageSize);
        QFETCH(int, type);
        QFETCH(QList<int>, existingIds);
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(QRectF, rect);

        auto* stage = new KvStage();
        stage->setRect(QRect(QPoint(0, 0), stageSize));
        int z = 1;
        for (int existing : existingIds) {
            stage->addScreen(makeScreen(existing, ScreenType::Multimedia, QRectF(0, 0, 5, 5), z++));
        }
        KvStageWorkingArea area(stage, QString());
        KvScreen* screen = area.createScreen(type);
        QVERIFY(screen);
        QCOMPARE(screen->id(), id);
        QCOMPARE(screen->name(), name);
        QCOMPARE(screen->rect(), rect);
        QCOMPARE(screen->zIndex(), z);
        QCOMPARE(area.selectedScreens(), QList<KvScreen*>() << screen);
        QCOMPARE(area.stage()->screenList().last(), screen);
        QCOMPARE(int(screen->moviePlayerType()), type == 1 ? 1 : 2);
        // Extended screens need their plug-in.
        QVERIFY(!area.createScreen(3, QRectF(), "missing.plugin"));
    }

    void extendedScreenThroughPluginResolver()
    {
        static QObject plugin;
        KvStageWorkingArea::setExtendedScreenPluginResolver(
            [](const QString& id, QString* screenName, QObject** instance) {
                if (id != "kova.clock") {
                    return false;
                }
                *screenName = "Clock";
                *instance = &plugin;
                return true;
            });
        KvStageWorkingArea area(new KvStage(), QString());
        QVERIFY(!area.createScreen(3, QRectF(), "kova.other"));
        QVERIFY(area.stage()->screenList().isEmpty());
        KvScreen* screen = area.createScreen(3, QRectF(10, 20, 300, 200), "kova.clock");
        KvStageWorkingArea::setExtendedScreenPluginResolver(nullptr);
        QVERIFY(screen);
        QCOMPARE(screen->name(), QString("Clock 1"));
        QCOMPARE(screen->type(), ScreenType::Extended);
        QCOMPARE(screen->rect(), QRectF(10, 20, 300, 200));
        QCOMPARE(screen->backgoundColor(), QColor(85, 85, 127));
        QCOMPARE(screen->piid(), QString("kova.clock"));
        QCOMPARE(screen->plugin(), &plugin);
        QCOMPARE(int(screen->webBrowserType()), 2);
    }

    void stageSetters()
    {
        const QString root = m_dataDir.path();
        KvStageWorkingArea area(new KvStage(), root);
        bool unchanged = true;
        QCOMPARE(area.setStageBackgroundImage(root + "/images/a.png", &unchanged), QString());
        QVERIFY(!unchanged);
        QCOMPARE(area.stage()->backgroundImage(), QString("images/a.png"));
        QCOMPARE(area.setStageBackgroundImage(root + "/images/a.png", &unchanged),
                 QString("images/a.png"));
        QVERIFY(unchanged);
        QCOMPARE(area.setStagePos(QPointF(10.7, -3.2)), QPointF(0, 0));
        QCOMPARE(area.stage()->rect().topLeft(), QPoint(10, -3));
        QCOMPARE(area.setStageSize(QSizeF(640.9, 480)), QSizeF(1920, 1080));
        QCOMPARE(area.stage()->rect().size(), QSize(640, 480));
        QCOMPARE(area.stageItem()->rect(), QRectF(0, 0, 640, 480));
        QCOMPARE(area.setStageOptions(3u), 0u);
        QCOMPARE(area.setStageOptions(1u), 3u);
        QCOMPARE(area.setStageBackgroundColor(Qt::red), QColor(Qt::black));
        QVERIFY(area.isStageChanged());
        area.resetInitialStage();
        QVERIFY(!area.isStageChanged());
    }

    void takeSceneDetachesIt()
    {
        auto* area = new KvStageWorkingArea(new KvStage(), QString());
        QPointer<QGraphicsScene> scene = area->takeScene();
        QVERIFY(scene);
        QVERIFY(!area->scene());
        QVERIFY(!area->view()->scene());
        QVERIFY(!scene->parent());
        QVERIFY(!area->takeScene());
        // The tab keeps working without its scene.
        area->updateSelectedHandle();
        QVERIFY(area->selectedScreens().isEmpty());
        delete area;
        QVERIFY(scene);
        delete scene;
    }
};

QTEST_MAIN(TestWorkingArea)
#include "tst_workingarea.moc"
