#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvpreservedmedia.h"
#include "kvseqlabelareawidget.h"
#include "kvseqmainscene.h"
#include "kvseqmainview.h"
#include "kvseqscreenlineitem.h"
#include "kvtestfactories.h"

#include <QMimeData>
#include <QPropertyAnimation>
#include <QScrollBar>
#include <QUrl>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

// Three rows as the sequence widget stacks them (24 high, 1 apart): two multimedia rows with
// three and two images, a telop row with two telops; shown in a view. Blocks are 140 wide.
struct Timeline
{
    KvSeqMainScene scene;
    KvSeqMainView view;
    std::vector<std::unique_ptr<KvScreen>> screens;
    QList<KvSeqScreen*> rows;

    Timeline()
    {
        for (const int count : {3, 2, 2}) {
            const bool telop = rows.count() == 2;
            screens.emplace_back(Test::makeScreen(
                rows.count() + 1, telop ? ScreenType::Telop : ScreenType::Multimedia,
                QRectF(0, 0, 320, 240)));
            KvScreen* screen = screens.back().get();
            for (int i = 0; i < count; ++i)
                screen->addMedia(new KvMedia(telop ? "telop/t.txt" : "image/a.png",
                                             telop ? MediaType::Telop : MediaType::Image, screen));
            auto* row = new KvSeqScreen(screen, &scene);
            row->setTop(rows.count() * 25);
            row->updateLineItemWidth(row->totalWidth());
            row->clearSelection();
            rows.append(row);
        }
        view.setScene(&scene);
        view.resize(700, 150);
        view.show();
    }
    ~Timeline() { qDeleteAll(rows); }

    QPointF centre(int row, int index) const { return {index * 140 + 70.0, row * 25 + 12.0}; }
    KvSeqMediaItem* item(int row, int index) const { return rows.at(row)->itemAt(index); }

    // Runs every slide of the items to its end at once.
    void finishAnimations() const
    {
        for (const KvSeqScreen* row : rows) {
            for (KvSeqMediaItem* item : row->items()) {
                for (auto* animation : item->findChildren<QPropertyAnimation*>()) {
                    if (animation->state() == QAbstractAnimation::Running)
                        animation->setCurrentTime(animation->totalDuration());
                }
            }
        }
    }

    // A real pointer event through the view's window, at a scene point.
    void mouse(QTest::MouseAction action, const QPointF& scenePos)
    {
        const QPoint pos = view.viewport()->mapTo(&view, view.mapFromScene(scenePos));
        QTest::mouseEvent(action, view.windowHandle(), Qt::LeftButton, Qt::NoModifier, pos);
    }
};

} // namespace

class TestSeqMainView : public QObject
{
    Q_OBJECT

    Test::TempDataDir m_data;
    std::unique_ptr<Timeline> t;

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
        QVERIFY(QDir(m_data.path()).mkpath("image/album"));
    }
    void init()
    {
        t.reset(new Timeline);
        QVERIFY(QTest::qWaitForWindowExposed(&t->view));
    }
    void cleanup() { t.reset(); }

    void drag_data()
    {
        QTest::addColumn<QPoint>("from");         // (row, index) of the pressed item
        QTest::addColumn<QList<QPointF>>("path"); // scene points moved to; released at the last
        QTest::addColumn<bool>("rowsExist");      // the answer to tellSeqScreenExists
        QTest::addColumn<bool>("dragging");
        QTest::addColumn<QPoint>("gap"); // (row, insert index) after the moves
        QTest::addColumn<bool>("dropped");
        const auto row = [](const char* name, QPoint from, QList<QPointF> path, bool dragging,
                            QPoint gap, bool dropped, bool rowsExist = true) {
            QTest::newRow(name) << from << path << rowsExist << dragging << gap << dropped;
        };
        row("3 px", {0, 1}, {{213, 12}}, false, {0, -1}, false);
        row("4 px: own place", {0, 1}, {{214, 12}}, true, {0, 1}, false);
        row("2 + 2 px", {0, 1}, {{212, 14}}, true, {0, 1}, false);
        row("within the row", {0, 0}, {{350, 12}}, true, {0, 2}, true);
        row("into another row", {0, 0}, {{70, 37}}, true, {1, 0}, true);
        row("telop over multimedia", {2, 0}, {{210, 12}}, true, {0, -1}, false);
        row("through a row and back", {0, 2}, {{70, 37}, {210, 12}}, true, {1, -1}, true);
        // The row left behind was deleted meanwhile: it is not touched.
        row("through a gone row", {0, 2}, {{70, 37}, {210, 12}}, true, {1, 0}, true, false);
    }
    void drag()
    {
        QFETCH(QPoint, from);
        QFETCH(QList<QPointF>, path);
        QFETCH(bool, rowsExist);
        QFETCH(bool, dragging);
        QFETCH(QPoint, gap);
        QFETCH(bool, dropped);
        KvSeqMediaItem* pressed = t->item(from.x(), from.y());
        const QPointF start = t->centre(from.x(), from.y());
        QList<QPair<QPoint, KvSeqMediaItem*>> drops;
        connect(&t->view, &KvSeqMainView::mediaItemDropped,
                [&](QPoint pos, KvSeqMediaItem* item, bool* result) {
                    drops.append({pos, item});
                    *result = true;
                });
        connect(&t->view, &KvSeqMainView::tellSeqScreenExists,
                [&](const KvSeqScreen*, bool* exists) { *exists = rowsExist; });

        t->mouse(QTest::MousePress, start);
        for (const QPointF& to : path)
            t->mouse(QTest::MouseMove, to);
        const QPointF end = path.last();
        QCOMPARE(t->scene.currentLineItem(), t->rows.at(from.x())->lineItem());
        QCOMPARE(t->view.isDragging(), dragging);
        QCOMPARE(pressed->pos(),
                 pressed->preservedPosition() + (dragging ? end - start : QPointF()));
        QCOMPARE(pressed->opacity(), dragging ? 0.5 : 1.0);
        QCOMPARE(t->rows.at(gap.x())->insertIndex(), gap.y());

        t->mouse(QTest::MouseRelease, end);
        QCOMPARE(drops.count(), int(dropped));
        if (dropped)
            QCOMPARE(drops.first(), qMakePair(t->view.mapFromScene(end), pressed));
        t->finishAnimations();
        QCOMPARE(pressed->opacity(), 1.0);
        if (!dropped) // slid back
            QCOMPARE(pressed->pos(), pressed->preservedPosition());
        QVERIFY(!t->view.isDragging() && !t->view.pressedItem());
        QCOMPARE(t->rows.at(from.x())->lineItem()->zValue(), 0.0);
    }

    void currentLineItemFollowsTheSelection()
    {
        t->item(1, 0)->setSelected(true);
        t->item(1, 1)->setSelected(true);
        QCOMPARE(t->scene.currentLineItem(), t->rows.at(1)->lineItem()); // several: kept
        t->scene.clearSelection();
        t->item(0, 2)->setSelected(true);
        QCOMPARE(t->scene.currentLineItem(), t->rows.at(0)->lineItem());
        t->scene.clearSelection();
        QVERIFY(!t->scene.currentLineItem());
    }

    void hover()
    {
        KvSeqMediaItem* first = t->item(0, 0);
        KvSeqMediaItem* second = t->item(0, 1);
        t->mouse(QTest::MouseMove, t->centre(0, 0));
        QCOMPARE(t->view.lastHoveredItem(), first);
        t->mouse(QTest::MouseMove, t->centre(0, 1));
        QVERIFY(!first->isMouseHovered() && second->isMouseHovered());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&t->view, &leave);
        QVERIFY(!second->isMouseHovered() && !t->view.lastHoveredItem());

        t->mouse(QTest::MouseMove, t->centre(0, 1));
        t->view.onMediaItemRemoved(second);
        QVERIFY(!t->view.lastHoveredItem() && !second->scene());
        second->setParentItem(t->rows.at(0)->lineItem()); // back to the row that deletes it
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");    // key | modifiers
        QTest::addColumn<int>("signal"); // index into the spies; -1 for none
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0;
        QTest::newRow("Left") << int(Qt::Key_Left) << 1;
        QTest::newRow("Right") << int(Qt::Key_Right) << 2;
        QTest::newRow("Return") << int(Qt::Key_Return) << 3;
        QTest::newRow("Enter") << int(Qt::KeypadModifier | Qt::Key_Enter) << 3;
        QTest::newRow("Ctrl+Z") << int(Qt::ControlModifier | Qt::Key_Z) << 4;
        QTest::newRow("Z") << int(Qt::Key_Z) << -1;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, signal);
        KvSeqMainView* v = &t->view;
        QSignalSpy spies[] = {{v, &KvSeqMainView::deleteKeyPressed},
                              {v, &KvSeqMainView::leftKeyPressed},
                              {v, &KvSeqMainView::rightKeyPressed},
                              {v, &KvSeqMainView::enterKeyPressed},
                              {v, &KvSeqMainView::undoKeyPressed}};
        t->scene.setSceneRect(0, 0, 3000, 1000);
        v->horizontalScrollBar()->setValue(100);
        QTest::keyClick(v, Qt::Key(key & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(spies[i].count(), int(i == signal));
        QCOMPARE(v->horizontalScrollBar()->value(), 100); // the arrows do not scroll
    }

    void fileDrops_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("gap");             // the row's insert index while over it
        QTest::addColumn<QStringList>("records"); // "index type uri"; none: refused
        const QStringList images{"image/a.png", "image/a.png"};
        QTest::newRow("images onto the second item")
            << images << QPointF(150, 5) << 1 << QStringList{"1 1 image/a.png", "2 1 image/a.png"};
        QTest::newRow("image past the last item") << QStringList(images.mid(1)) << QPointF(450, 5)
                                                  << -1 << QStringList{"3 1 image/a.png"};
        QTest::newRow("folder onto multimedia")
            << QStringList{"image/album"} << QPointF(10, 30) << 0 << QStringList{"0 7 image/album"};
        QTest::newRow("folder onto telop")
            << QStringList{"image/album"} << QPointF(10, 55) << -1 << QStringList();
        QTest::newRow("one telop among images") << QStringList(images + QStringList{"telop/t.txt"})
                                                << QPointF(150, 5) << -1 << QStringList();
    }
    void fileDrops()
    {
        QFETCH(QStringList, files);
        QFETCH(QPointF, at);
        QFETCH(int, gap);
        QFETCH(QStringList, records);
        KvSeqScreen* row = t->rows.at(int(at.y()) / 25);
        QStringList added;
        connect(&t->view, &KvSeqMainView::requestAddMedia,
                [&](QList<KvPreservedMedia*>& list, KvSeqScreen* target) {
                    for (KvPreservedMedia* record : list) {
                        const std::unique_ptr<KvPreservedMedia> owned(record);
                        const KvMedia* media = record->media();
                        QVERIFY(target == row && record->screenIndex() == -1);
                        QVERIFY(record->isSelected() && record->ownsMedia());
                        QCOMPARE(media->playingDuration(), 10.0);
                        added << QString("%1 %2 %3")
                                     .arg(record->sequenceIndex())
                                     .arg(media->mediaType())
                                     .arg(media->uri());
                    }
                });
        QByteArray lines;
        for (const QString& file : files)
            lines += QUrl::fromLocalFile(m_data.filePath(file)).toEncoded() + "\r\n";
        QMimeData mime;
        mime.setData(KvEditorCommon::MIME_TYPE_URI, lines);

        const QPoint pos = t->view.mapFromScene(at);
        QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(t->view.viewport(), &enter);
        QDragMoveEvent move(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(t->view.viewport(), &move);
        QCOMPARE(move.isAccepted(), !records.isEmpty());
        QCOMPARE(t->view.dropRow(), records.isEmpty() ? nullptr : row);
        QCOMPARE(row->insertIndex(), gap);
        if (records.isEmpty())
            return;
        QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(t->view.viewport(), &drop);
        QVERIFY(drop.isAccepted() && !t->view.dropRow());
        QCOMPARE(added, records);
    }

    void scrollingMovesTheZeroPoint()
    {
        QSignalSpy zero(&t->view, &KvSeqMainView::sceneZeroPointChanged);
        QSignalSpy global(&t->view, &KvSeqMainView::sceneZeroPointChangedGlobalPos);
        t->scene.setSceneRect(0, 0, 2000, 1000);
        t->view.verticalScrollBar()->setValue(30);
        QCOMPARE(zero.last().first().toPoint(), QPoint(0, -30));
        QCOMPARE(global.last().first().toPoint(), t->view.viewport()->mapToGlobal(QPoint(0, -30)));
    }

    void backgroundRuledEvery20Pixels()
    {
        const QImage shown = t->view.viewport()->grab().toImage();
        for (int x = 0; x <= 100; x += 10) // below the rows: y = 100
            QCOMPARE(QColor(shown.pixel(x, 100)), QColor(x % 20 == 0 ? Qt::darkGray : Qt::gray));
    }

    void labelPicture()
    {
        const QList<QColor> colours{Qt::blue, Qt::red, Qt::green};
        for (int i = 0; i < 3; ++i)
            t->screens.at(i)->setBackgoundColor(colours.at(i));
        t->screens.at(1)->addEvent(KvEvent(KvEvent::ContentStart, 2, KvEvent::Raise));

        KvSeqLabelAreaWidget labels;
        labels.resize(KvSeqLabelAreaWidget::AREA_WIDTH, 100);
        labels.setRows(&t->rows);
        labels.updateLabelPixmap(false);
        const QImage picture = labels.labelPixmap().toImage();
        QCOMPARE(picture.size(), QSize(119, 75));
        for (int row = 0; row < 3; ++row) {
            const int top = row * 25;
            QCOMPARE(QColor(picture.pixel(3, top + 12)), colours.at(row));    // the screen's mark
            QCOMPARE(QColor(picture.pixel(60, top + 24)), QColor(Qt::black)); // bottom line
        }
        // The raise mark sits at the right of the label of the screen that raises an event.
        const auto corner = [&](int row) { return picture.copy(79, row * 25, 40, 24); };
        QVERIFY(corner(1) != corner(0) && corner(2) == corner(0));

        labels.show();
        QVERIFY(QTest::qWaitForWindowExposed(&labels));
        for (int scrolled = 0; scrolled < 3; ++scrolled) {
            labels.updateMainScenePos(QPoint(0, -25 * scrolled));
            QCOMPARE(QColor(labels.grab().toImage().pixel(3, 12)), colours.at(scrolled));
        }

        const QList<KvSeqScreen*> none;
        labels.setRows(&none);
        labels.updateLabelPixmap();
        QVERIFY(labels.labelPixmap().isNull());
    }
};

QTEST_MAIN(TestSeqMainView)
#include "tst_seqmainview.moc"
