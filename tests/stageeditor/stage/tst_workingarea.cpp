// Mouse moves must carry the pressed button, so the test drives the pointer through the
// window system layer (as a user does) rather than by moving the cursor.
#define QTEST_QPA_MOUSE_HANDLING

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvpreservedmedia.h"
#include "kvrulerwidget.h"
#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvscreenselectedhandle.h"
#include "kvstage.h"
#include "kvstageitem.h"
#include "kvstagescene.h"
#include "kvstageview.h"
#include "kvstageworkingarea.h"
#include "kvtestfactories.h"

#include <QApplication>
#include <QDir>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QUndoCommand>
#include <QUndoStack>
#include <QUrl>
#include <QtTest>

#include <memory>

using namespace Kova;
using namespace Kova::Test;

namespace {

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
    if (auto* holding = dynamic_cast<const HoldingCommand*>(command))
        return {holding->media()};
    return {};
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
        std::unique_ptr<KvStageWorkingArea> area;
        KvScreen* a = nullptr;
        KvScreen* b = nullptr;
    };

    Tab makeTab(const QList<KvScreen*>& extra = {})
    {
        auto* stage = makeStage(QString(), QSize(1920, 1080));
        Tab tab;
        tab.a = addScreen(stage, 1, ScreenType::Multimedia, QRectF(100, 100, 200, 100));
        tab.b = addScreen(stage, 2, ScreenType::Telop, QRectF(400, 100, 200, 100));
        for (KvScreen* screen : extra)
            stage->addScreen(screen);
        tab.area.reset(new KvStageWorkingArea(stage, m_data.path()));
        tab.area->resize(900, 700);
        tab.area->show();
        if (!QTest::qWaitForWindowExposed(tab.area.get()))
            qWarning("window not exposed");
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
    // The rectangle the item of `screen` shows, which may run ahead of the model.
    QRectF shown(const Tab& tab, KvScreen* screen) const
    {
        const KvScreenItem* it = item(tab, screen);
        return QRectF(it->pos(), QSizeF(it->width(), it->height()));
    }

    void dragFromTo(const Tab& tab, const QPointF& from, const QPointF& to,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(viewport(tab), Qt::LeftButton, modifiers, at(tab, from));
        // Two steps, as a hand does, so that drags pass the start distance.
        QTest::mouseMove(viewport(tab), at(tab, (from + to) / 2.0));
        QTest::mouseMove(viewport(tab), at(tab, to));
        QTest::mouseRelease(viewport(tab), Qt::LeftButton, modifiers, at(tab, to));
    }

    TempDataDir m_data;

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
        for (const QString& name :
             QStringList{"image/a.png", "image/b.jpg", "movie/clip.mp4", "telop/news.txt"})
            QVERIFY(writeFile(m_data.filePath(name)));
    }

    // A tab without a stage shows the default 512 x 288 dark blue one. An opened stage starts
    // with nothing selected and keeps a copy to measure changes against (through the tabs:
    // tst_stagewidget). The view leaves one stage size of room on every side and grows, never
    // shrinks, to take screens placed far off.
    void openingAndRoomAround()
    {
        KvStageWorkingArea empty(nullptr, QString());
        QCOMPARE(empty.stage()->rect(), QRect(0, 0, 512, 288));
        QCOMPARE(empty.stage()->backgroundColor(), QColor(Qt::darkBlue));
        QVERIFY(!empty.initialStage());

        Tab tab = makeTab();
        QVERIFY(tab.area->initialStage() && tab.area->initialStage() != tab.area->stage());
        QVERIFY(tab.area->selectedScreens().isEmpty());
        QVERIFY(!tab.area->selectedHandle()->isVisible());
        const QRectF before = tab.area->view()->sceneRect();
        QCOMPARE(before, QRectF(-1920, -1080, 3 * 1920, 3 * 1080));
        std::unique_ptr<KvScreen> far(
            makeScreen(9, ScreenType::Multimedia, QRectF(8000, 6000, 100, 100)));
        tab.area->addScreenItems({far.get()});
        QCoreApplication::processEvents();
        const QRectF grown = tab.area->view()->sceneRect();
        QVERIFY(grown.contains(before));
        QVERIFY(grown.contains(QRectF(8000, 6000, 100, 100)));
        tab.area->removeScreenItem(far.get());
        QCoreApplication::processEvents();
        QCOMPARE(tab.area->view()->sceneRect(), grown);
        QVERIFY(!tab.area->stage()->screenList().contains(far.get()));
    }

    // A mouse gesture from `from` to `to` (a click when they are equal), with "a", "b" or both
    // selected beforehand and B locked or not: the moves and resizes reported, the selection
    // and where A and B stand then (the panel's figures for them: tst_panels). The model follows
    // only when the commit asks, which records exactly the screens that changed.
    void gestures_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("lockB");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<int>("moved");
        QTest::addColumn<int>("resized");
        QTest::addColumn<QRectF>("a");
        QTest::addColumn<QRectF>("b");
        QTest::addColumn<QString>("selectedAfter");

        const QRectF a(100, 100, 200, 100);
        const QRectF b(400, 100, 200, 100);
        QTest::newRow("click a screen")
            << "" << false << QPointF(200, 150) << QPointF(200, 150) << 0 << 0 << a << b << "a";
        QTest::newRow("rubber band from the background")
            << "" << false << QPointF(50, 50) << QPointF(450, 150) << 0 << 0 << a << b << "ab";
        QTest::newRow("drag a screen") << "" << false << QPointF(200, 150) << QPointF(230, 170) << 1
                                       << 0 << QRectF(130, 120, 200, 100) << b << "a";
        QTest::newRow("click a handle")
            << "a" << false << QPointF(300, 200) << QPointF(300, 200) << 0 << 1 << a << b << "a";
        // The selection spans (100, 100)-(600, 200): width 500 -> 600 scales both by 1.2.
        QTest::newRow("drag the right handle")
            << "ab" << false << QPointF(600, 150) << QPointF(700, 150) << 0 << 1
            << QRectF(100, 100, 240, 100) << QRectF(460, 100, 240, 100) << "ab";
        QTest::newRow("a lock outside the selection")
            << "a" << true << QPointF(200, 150) << QPointF(230, 170) << 1 << 0
            << QRectF(130, 120, 200, 100) << b << "a";
        QTest::newRow("a lock refuses a drag")
            << "ab" << true << QPointF(200, 150) << QPointF(260, 190) << 0 << 0 << a << b << "ab";
        QTest::newRow("a lock refuses a handle")
            << "ab" << true << QPointF(600, 200) << QPointF(650, 230) << 0 << 0 << a << b << "*";
    }

    void gestures()
    {
        QFETCH(QString, selected);
        QFETCH(bool, lockB);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(int, moved);
        QFETCH(int, resized);
        QFETCH(QRectF, a);
        QFETCH(QRectF, b);
        QFETCH(QString, selectedAfter);

        Tab tab = makeTab();
        const QRectF startA = tab.a->rect();
        const QRectF startB = tab.b->rect();
        tab.b->setLockScreen(lockB);
        item(tab, tab.b)->setScreen(tab.b);
        for (QChar c : selected)
            tab.area->selectScreenItem({c == 'a' ? tab.a : tab.b}, false);
        QSignalSpy movedSpy(tab.area.get(), &KvStageWorkingArea::screenMoved);
        QSignalSpy resizedSpy(tab.area.get(), &KvStageWorkingArea::screenResized);
        QSignalSpy pressed(tab.area.get(), &KvStageWorkingArea::mousePressed);
        QSignalSpy frames(tab.area.get(), &KvStageWorkingArea::selectedHandleRectChanged);
        dragFromTo(tab, from, to);
        QCOMPARE(movedSpy.count(), moved);
        QCOMPARE(resizedSpy.count(), resized);
        QVERIFY(!tab.area->view()->isResizing());
        // A press on a handle stays with the view; any other reaches the scene.
        QCOMPARE(tab.area->lastPressedScenePos().toPoint(), resized ? QPoint() : from.toPoint());
        QCOMPARE(pressed.count(), resized ? 0 : 1);
        QString now;
        for (KvScreen* screen : tab.area->selectedScreens())
            now += screen == tab.a ? "a" : "b";
        if (selectedAfter != "*")
            QCOMPARE(now, selectedAfter);
        // The handle frames the selection.
        QCOMPARE(tab.area->selectedHandle()->isVisible(), !now.isEmpty());
        QCOMPARE(shown(tab, tab.a), a);
        QCOMPARE(shown(tab, tab.b), b);
        // A new frame reaches the tab (and so the screen panel) through a queued connection.
        if (selected.isEmpty() || a != startA || b != startB) {
            QRectF frame;
            for (KvScreen* screen : tab.area->selectedScreens())
                frame |= shown(tab, screen);
            QTRY_VERIFY(!frames.isEmpty());
            QTRY_COMPARE(frames.last().at(0).toRectF(), frame);
        }
        QCOMPARE(tab.a->rect(), startA);
        const int changed = int(a != startA) + int(b != startB);
        QCOMPARE(resized ? tab.area->selectedScreenResized().size()
                         : tab.area->selectedScreenMoved().size(),
                 changed);
        QCOMPARE(tab.a->rect(), a);
        QCOMPARE(tab.b->rect(), b);
    }

    void overHandleShowsResizeCursor()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem({tab.a});
        QTest::mouseMove(viewport(tab), at(tab, QPointF(300, 200)));
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::SizeFDiagCursor);
        QTest::mouseMove(viewport(tab), at(tab, QPointF(200, 100)));
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::SizeVerCursor);
        QTest::mouseMove(viewport(tab), at(tab, QPointF(700, 400)));
        QVERIFY(!QApplication::overrideCursor());
    }

    // Without a selection the arrows scroll; with one they nudge it, one move reported per
    // release. Delete is reported; a press on a scroll bar counts as a press on the tab.
    void keysAndScrollBar()
    {
        Tab tab = makeTab();
        QSignalSpy moved(tab.area.get(), &KvStageWorkingArea::screenMoved);
        QSignalSpy deleted(tab.area.get(), &KvStageWorkingArea::deleteKeyPressed);
        QSignalSpy pressed(tab.area.get(), &KvStageWorkingArea::mousePressed);
        QScrollBar* bar = tab.area->view()->horizontalScrollBar();
        QVERIFY(bar->maximum() > bar->value());
        const int before = bar->value();
        QTest::keyClick(tab.area->view(), Qt::Key_Right);
        QVERIFY(bar->value() > before);
        QTest::keyClick(tab.area->view(), Qt::Key_Delete);
        QCOMPARE(deleted.count(), 1);
        QTest::mouseClick(bar, Qt::LeftButton);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(moved.count(), 0);
        QCOMPARE(item(tab, tab.a)->pos(), QPointF(100, 100));

        tab.area->selectScreenItem({tab.a});
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(tab.area->view(), Qt::Key_Right);
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
    }

    // The zoom changes only through the zoom box (not the wheel), and the view, scene, rulers,
    // selection handle and drop highlight follow it.
    void zoomOnlyThroughZoomBox()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem({tab.a});
        QWheelEvent wheel(QPointF(100, 100), viewport(tab)->mapToGlobal(QPoint(100, 100)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(viewport(tab), &wheel);
        QCOMPARE(tab.area->view()->transform().m11(), 1.0);

        QSignalSpy rate(tab.area->view(), &KvStageView::scaleRateChanged);
        tab.area->setZoomRate(200);
        QCOMPARE(rate.count(), 1);
        QCOMPARE(tab.area->zoomRate(), 2.0);
        QCOMPARE(tab.area->view()->transform().m11(), 2.0);
        QCOMPARE(tab.area->scene()->scaleRate(), 2.0);
        QCOMPARE(tab.area->horizontalRuler()->scaleRate(), 2.0);
        // The handle's margin follows the zoom: 3 screen pixels are 1.5 stage pixels.
        QCOMPARE(tab.area->selectedHandle()->outerRectOnScene(), QRectF(98.5, 98.5, 203, 103));
        // So does the drop highlight's line: at 200 % the left edge x = 400 of B lies between
        // two screen pixels, and the green line is two screen pixels wide, one on each side.
        KvStageScene* scene = tab.area->scene();
        scene->showDropHighlight(tab.b->rect());
        tab.area->view()->centerOn(400, 150);
        QCoreApplication::processEvents();
        const QImage shot = viewport(tab)->grab().toImage();
        const QPoint edge = tab.area->view()->mapFromScene(QPointF(400, 150));
        const QColor green(Qt::green);
        QCOMPARE(shot.pixelColor(edge.x() - 1, edge.y()), green);
        QCOMPARE(shot.pixelColor(edge.x(), edge.y()), green);
        QVERIFY(shot.pixelColor(edge.x() - 3, edge.y()) != green);
        QVERIFY(shot.pixelColor(edge.x() + 2, edge.y()) != green);
        scene->hideDropHighlight();
        QCoreApplication::processEvents();
        QVERIFY(viewport(tab)->grab().toImage().pixelColor(edge.x(), edge.y()) != green);
        tab.area->setZoomRate(0.5);
        QCOMPARE(tab.area->zoomRateAsPercent(), 50);
        QCOMPARE(tab.area->view()->transform().m22(), 0.5);
    }

    // Sizes typed into the panel scale the whole selection on the canvas at once, the model
    // following on the commit (moves typed: tst_panels).
    void liveResizeFromPanel()
    {
        Tab tab = makeTab();
        tab.area->selectScreenItem({tab.a, tab.b});
        // Typed digit by digit: each size counts from the stored rectangles.
        tab.area->changeSelectedItemsSize(QSizeF(2, 5));
        tab.area->changeSelectedItemsSize(QSizeF(250, 50));
        QCOMPARE(shown(tab, tab.a), QRectF(100, 100, 100, 50));
        QCOMPARE(item(tab, tab.b)->pos(), QPointF(250, 100));
        QCOMPARE(tab.b->rect(), QRectF(400, 100, 200, 100));
        QCOMPARE(tab.area->selectedScreenResized().size(), 2);
        QCOMPARE(tab.b->rect(), QRectF(250, 100, 100, 50));
    }

    // The canvas follows the model (after every command and its undo: tst_commands): screens
    // given back join in z order, those already shown are skipped, and the screens named
    // become the selection when asked.
    void followingTheModelSelectsExactly()
    {
        Tab tab = makeTab();
        KvScreen* low = makeScreen(5, ScreenType::Multimedia, QRectF(0, 0, 10, 10), "", 0);
        KvScreen* high = makeScreen(6, ScreenType::Multimedia, QRectF(0, 0, 10, 10), "", 7);
        tab.area->addScreenItems({high, tab.a, low});
        QCOMPARE(tab.area->stage()->screenList(), (QList<KvScreen*>{low, tab.a, tab.b, high}));
        QCOMPARE(tab.area->scene()->screenItems().size(), 4);
        QCOMPARE(tab.area->selectedScreens(), (QList<KvScreen*>{low, high}));

        const QMap<KvScreen*, bool> flags{{tab.a, false}, {tab.b, true}};
        tab.b->setZIndex(9);
        tab.area->updateScreenItemZIndex(flags, false);
        QCOMPARE(item(tab, tab.b)->zValue(), 9.0);
        QCOMPARE(tab.area->selectedScreens(), (QList<KvScreen*>{low, high}));
        tab.area->updateScreenItemZIndex(flags, true);
        QCOMPARE(tab.area->selectedScreens(), QList<KvScreen*>{tab.b});

        tab.area->selectScreenItem({tab.a});
        tab.b->setRect(QRectF(10, 10, 50, 40));
        tab.area->updateScreenItemRect({tab.b});
        QCOMPARE(tab.area->selectedScreens(), QList<KvScreen*>{tab.b});
        QCOMPARE(item(tab, tab.b)->pos(), QPointF(10, 10));
        tab.area->updateSelectedHandle();
        QCOMPARE(tab.area->scene()->selectionBoundingRect(), QRectF(10, 10, 50, 40));
    }

    void drops_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QPointF>("where");
        QTest::addColumn<int>("screenId"); // 0: refused
        QTest::addColumn<QList<int>>("mediaTypes");

        // Screens: A multimedia (100, 100, 200, 100) z1, B telop (400, 100, 200, 100) z2,
        // C multimedia (150, 120, 60, 40) z3 over A; A is selected, so the handle covers A.
        const QString uri = KvEditorCommon::MIME_TYPE_URI;
        const QPointF onA(280, 180);
        const QPointF onB(500, 150);
        QTest::newRow("drops off: a fitting file is refused")
            << false << uri << QStringList{"movie/clip.mp4"} << onA << 0 << QList<int>();
        QTest::newRow("folder on multimedia")
            << true << uri << QStringList{"image"} << onA << 1 << QList<int>{MediaType::Folder};
        QTest::newRow("telop file on telop") << true << uri << QStringList{"telop/news.txt"} << onB
                                             << 2 << QList<int>{MediaType::Telop};
        QTest::newRow("two images") << true << uri << QStringList{"image/a.png", "image/b.jpg"}
                                    << onA << 1 << QList<int>{MediaType::Image, MediaType::Image};
        QTest::newRow("between screens refused") << true << uri << QStringList{"movie/clip.mp4"}
                                                 << QPointF(350, 300) << 0 << QList<int>();
        QTest::newRow("another payload type refused")
            << true << "text/plain" << QStringList{"image/a.png"} << onA << 0 << QList<int>();
        QTest::newRow("under the handle goes to the highest screen")
            << true << uri << QStringList{"image/a.png"} << QPointF(180, 140) << 3
            << QList<int>{MediaType::Image};
    }

    void drops()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, format);
        QFETCH(QStringList, files);
        QFETCH(QPointF, where);
        QFETCH(int, screenId);
        QFETCH(QList<int>, mediaTypes);
        const bool accepted = screenId != 0;

        Tab tab = makeTab({makeScreen(3, ScreenType::Multimedia, QRectF(150, 120, 60, 40))});
        QVERIFY(!tab.area->isMediaDropEnabled());
        tab.area->setMediaDropEnabled(enabled);
        tab.area->selectScreenItem({tab.a});

        QByteArray payload;
        for (const QString& file : files)
            payload += QUrl::fromLocalFile(m_data.filePath(file)).toEncoded() + "\r\n";
        QMimeData mime;
        mime.setData(format, payload);

        QList<KvPreservedMedia*> received;
        KvScreen* receivedScreen = nullptr;
        connect(tab.area.get(), &KvStageWorkingArea::requestAddMedia, this,
                [&](QList<KvPreservedMedia*>& list, KvScreen* screen) {
                    received = list;
                    receivedScreen = screen;
                });

        const QPoint pos = at(tab, where);
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(tab), &enter);
        QCOMPARE(enter.isAccepted(), enabled && format == KvEditorCommon::MIME_TYPE_URI);
        QDragMoveEvent move(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(tab), &move);
        QCOMPARE(move.isAccepted(), accepted);
        KvStageScene* scene = tab.area->scene();
        if (accepted) {
            QCOMPARE(move.dropAction(), Qt::CopyAction);
            QCOMPARE(scene->dropHighlightState(), int(KvStageScene::DropHighlightShown));
            QCOMPARE(scene->dropHighlightRect(),
                     tab.area->stage()->getScreenObject(screenId)->rect());
            // Leaving hides the highlight; coming back shows it again.
            QDragLeaveEvent leave;
            QApplication::sendEvent(viewport(tab), &leave);
            QCOMPARE(scene->dropHighlightState(), int(KvStageScene::DropHighlightHidden));
            QDragEnterEvent again(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport(tab), &again);
            QApplication::sendEvent(viewport(tab), &move);
            QCOMPARE(scene->dropHighlightState(), int(KvStageScene::DropHighlightShown));
        } else {
            QVERIFY(scene->dropHighlightState() != KvStageScene::DropHighlightShown);
        }

        QDropEvent drop(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(tab), &drop);
        QVERIFY(scene->dropHighlightState() != KvStageScene::DropHighlightShown);
        QCOMPARE(drop.isAccepted(), accepted);
        // Nothing is made on a refusal (the leak checker sees to anything made and dropped).
        QCOMPARE(received.isEmpty(), !accepted);
        QCOMPARE(receivedScreen != nullptr, accepted);
        if (!accepted)
            return;
        QCOMPARE(receivedScreen->id(), screenId);
        QCOMPARE(received.size(), mediaTypes.size());
        for (int i = 0; i < received.size(); ++i) {
            const KvPreservedMedia* record = received.at(i);
            QCOMPARE(QPoint(record->screenIndex(), record->sequenceIndex()), QPoint(-1, -1));
            QVERIFY(record->isSelected() && record->ownsMedia());
            QCOMPARE(int(record->media()->mediaType()), mediaTypes.at(i));
            QCOMPARE(record->media()->parent(), receivedScreen);
            // Inside the data folder the media keep relative paths.
            QVERIFY2(!QDir::isAbsolutePath(record->media()->uri()),
                     qPrintable(record->media()->uri()));
        }
        // Not in the screen yet: that is the editor's command's business.
        QCOMPARE(receivedScreen->mediaCount(), 0);
        qDeleteAll(received);
    }

    void fileUse_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("used");

        const QString root = m_data.path();
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

        const QString root = m_data.path();
        QDir(root).mkpath("image2");
        QDir(root).mkpath("movie/parts");
        auto* stage = new KvStage(root + "/stage/show.kstg");
        KvScreen* screen = makeScreen(1, ScreenType::Multimedia, QRectF(0, 0, 10, 10));
        screen->addMedia(new KvMedia("image/a.png", MediaType::Image, screen));
        screen->addMedia(new KvMedia("/elsewhere/movie/clip.mp4", MediaType::Movie, screen));
        screen->addMedia(new KvMedia("movie/parts", MediaType::Folder, screen));
        stage->addScreen(screen);
        KvStageWorkingArea area(stage, root);

        QPair<QString, QString> found;
        QCOMPARE(
            area.isFileUsingInOpenedStage({"nothing/here.png", given}, &found,
                                          caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive),
            used);
        if (used) {
            QCOMPARE(found.first, given);
            QCOMPARE(found.second, root + "/stage/show.kstg");
        }
    }

    void fileUseCountsMediaThatUndoWouldBringBack()
    {
        const QString root = m_data.path();
        // Two tabs: only the one that was given the reader looks into its undo stack.
        KvStageWorkingArea withReader(new KvStage(root + "/stage/s.kstg"), root);
        KvStageWorkingArea without(new KvStage(root + "/stage/t.kstg"), root);
        withReader.setUndoMediaReader(&readHoldingCommand);
        withReader.undoStack()->push(new HoldingCommand(new KvMedia("image/removed.png")));
        without.undoStack()->push(new HoldingCommand(new KvMedia("image/removed.png")));
        QPair<QString, QString> found;
        QVERIFY(
            !without.isFileUsingInOpenedStage({"image/removed.png"}, &found, Qt::CaseSensitive));
        QVERIFY(withReader.isFileUsingInOpenedStage({root + "/image"}, &found, Qt::CaseSensitive));
        QCOMPARE(found.first, root + "/image");
        QCOMPARE(found.second, root + "/stage/s.kstg");
    }

    void newScreenDefaults_data()
    {
        QTest::addColumn<QSize>("stageSize");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("existingIds");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<int>("playerType");

        const QSize fullHd(1920, 1080);
        QTest::newRow("multimedia on full HD")
            << fullHd << 1 << QList<int>() << 1 << "Multi 1" << QRectF(144, 81, 1632, 918) << 1;
        QTest::newRow("telop on full HD")
            << fullHd << 2 << QList<int>() << 1 << "Telop 1" << QRectF(144, 486, 1632, 108) << 2;
        QTest::newRow("small stage clamps") << QSize(200, 100) << 1 << QList<int>() << 1
                                            << "Multi 1" << QRectF(0, 0, 256, 144) << 1;
        QTest::newRow("first free id") << fullHd << 1 << QList<int>{1, 2, 4} << 3 << "Multi 3"
                                       << QRectF(144, 81, 1632, 918) << 1;
    }

    void newScreenDefaults()
    {
        QFETCH(QSize, stageSize);
        QFETCH(int, type);
        QFETCH(QList<int>, existingIds);
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(QRectF, rect);
        QFETCH(int, playerType);

        KvStage* stage = makeStage(QString(), stageSize);
        int z = 1;
        for (int existing : existingIds)
            stage->addScreen(
                makeScreen(existing, ScreenType::Multimedia, QRectF(0, 0, 5, 5), QString(), z++));
        KvStageWorkingArea area(stage, QString());
        KvScreen* screen = area.createScreen(type);
        QVERIFY(screen);
        QCOMPARE(screen->id(), id);
        QCOMPARE(screen->name(), name);
        QCOMPARE(screen->rect(), rect);
        QCOMPARE(screen->zIndex(), z);
        QCOMPARE(screen->graphicsType(), GraphicsType::Default);
        QCOMPARE(int(screen->moviePlayerType()), playerType);
        QCOMPARE(int(screen->flashPlayerType()), playerType);
        QCOMPARE(int(screen->webBrowserType()), playerType);
        QCOMPARE(area.selectedScreens(), QList<KvScreen*>{screen});
        QCOMPARE(area.stage()->screenList().last(), screen);
        // Without a plug-in lookup no extended screen can be made.
        QVERIFY(!area.createScreen(3, QRectF(), "kova.clock"));
    }

    void extendedScreenThroughPluginResolver()
    {
        QObject plugin;
        KvStageWorkingArea area(new KvStage(), QString());
        area.setExtendedScreenPluginResolver(
            [&plugin](const QString& id, QString* screenName, QObject** instance) {
                if (id != "kova.clock")
                    return false;
                *screenName = "Clock";
                *instance = &plugin;
                return true;
            });
        QVERIFY(!area.createScreen(3, QRectF(), "kova.other"));
        QVERIFY(area.stage()->screenList().isEmpty());
        KvScreen* screen = area.createScreen(3, QRectF(10, 20, 300, 200), "kova.clock");
        QVERIFY(screen);
        QCOMPARE(screen->name(), QString("Clock 1"));
        QCOMPARE(screen->type(), ScreenType::Extended);
        QCOMPARE(screen->rect(), QRectF(10, 20, 300, 200));
        QCOMPARE(screen->backgoundColor(), QColor(85, 85, 127));
        QCOMPARE(screen->piid(), QString("kova.clock"));
        QCOMPARE(screen->plugin(), &plugin);
        QCOMPARE(int(screen->webBrowserType()), 2);
    }
};

QTEST_MAIN(TestWorkingArea)
#include "tst_workingarea.moc"
