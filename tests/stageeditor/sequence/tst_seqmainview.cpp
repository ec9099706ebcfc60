#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvseqlabelareawidget.h"
#include "kvseqmainscene.h"
#include "kvseqmainview.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvseqscreenlineitem.h"
#include "kvtestfactories.h"

#include <QMimeData>
#include <QScrollBar>
#include <QUrl>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

const int ItemWidth = KvSeqMediaItem::FIXED_VIEW_WIDTH;

// Three rows as the sequence widget stacks them (24 high, 1 apart): two multimedia rows with
// three and two images, a telop row with two telops; shown in a view.
struct Timeline
{
    KvSeqMainScene scene;
    KvSeqMainView view;
    std::vector<std::unique_ptr<KvScreen>> screens;
    QList<KvSeqScreen*> rows;

    Timeline()
    {
        const QList<QPair<ScreenType::ScreenTypes, int>> layout{
            {ScreenType::Multimedia, 3}, {ScreenType::Multimedia, 2}, {ScreenType::Telop, 2}};
        for (const auto& row : layout) {
            const int id = rows.count() + 1;
            screens.emplace_back(Test::makeScreen(id, row.first, QRectF(0, 0, 320, 240)));
            KvScreen* screen = screens.back().get();
            for (int i = 0; i < row.second; ++i) {
                const bool telop = row.first == ScreenType::Telop;
                screen->addMedia(new KvMedia(telop ? "telop/t.txt" : "image/a.png",
                                             telop ? MediaType::Telop : MediaType::Image, screen));
            }
            rows.append(new KvSeqScreen(screen, &scene));
            rows.last()->setTop((id - 1) * 25);
            rows.last()->updateLineItemWidth(rows.last()->totalWidth());
            rows.last()->clearSelection();
        }
        view.setScene(&scene);
        view.resize(700, 150);
        view.show();
    }
    ~Timeline() { qDeleteAll(rows); }

    QPointF centre(int row, int index) const { return {index * ItemWidth + 70.0, row * 25 + 12.0}; }
    KvSeqMediaItem* item(int row, int index) const { return rows.at(row)->itemAt(index); }

    // A real pointer event through the view's window, at a scene point.
    void mouse(QTest::MouseAction action, const QPointF& scenePos)
    {
        const QPoint pos = view.viewport()->mapTo(&view, view.mapFromScene(scenePos));
        QTest::mouseEvent(action, view.windowHandle(), Qt::LeftButton, Qt::NoModifier, pos);
    }
    void drag(const QPointF& from, const QPointF& to)
    {
        mouse(QTest::MousePress, from);
        mouse(QTest::MouseMove, to);
    }
};

} // namespace

class TestSeqMainView : public QObject
{
    Q_OBJECT

    Test::TempDataDir m_data;
    std::unique_ptr<Timeline> t;

    std::unique_ptr<QMimeData> payload(const QStringList& names) const
    {
        QByteArray lines;
        for (const QString& name : names)
            lines += QUrl::fromLocalFile(m_data.filePath(name)).toEncoded() + "\r\n";
        std::unique_ptr<QMimeData> mime(new QMimeData);
        mime->setData(KvEditorCommon::MIME_TYPE_URI, lines);
        return mime;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
        QVERIFY(Test::writeImage(m_data.filePath("image/a.png")));
        QVERIFY(Test::writeImage(m_data.filePath("image/b.png")));
        QVERIFY(Test::writeFile(m_data.filePath("telop/t.txt"), "news"));
        QVERIFY(QDir(m_data.path()).mkpath("image/album"));
    }

    void init()
    {
        t.reset(new Timeline);
        QVERIFY(QTest::qWaitForWindowExposed(&t->view));
    }
    void cleanup() { t.reset(); }

    void dragStartsPastThreePixels_data()
    {
        QTest::addColumn<QPoint>("move");
        QTest::addColumn<bool>("dragging");
        QTest::newRow("3 px") << QPoint(3, 0) << false;
        QTest::newRow("4 px") << QPoint(4, 0) << true;
        QTest::newRow("2 + 2 px") << QPoint(2, 2) << true;
    }
    void dragStartsPastThreePixels()
    {
        QFETCH(QPoint, move);
        QFETCH(bool, dragging);
        KvSeqMediaItem* pressed = t->item(0, 1);
        t->drag(t->centre(0, 1), t->centre(0, 1) + move);
        QCOMPARE(t->view.pressedItem(), pressed);
        QCOMPARE(t->scene.currentLineItem(), t->rows.at(0)->lineItem());
        QCOMPARE(t->view.isDragging(), dragging);
        QCOMPARE(pressed->pos(),
                 dragging ? QPointF(ItemWidth + move.x(), move.y()) : QPointF(140, 0));
        QCOMPARE(pressed->opacity(), dragging ? 0.5 : 1.0);
        t->mouse(QTest::MouseRelease, t->centre(0, 1) + move);
    }

    void release_data()
    {
        QTest::addColumn<QPoint>("from"); // (row, index) of the pressed item
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<int>("gapRow");
        QTest::addColumn<int>("insertIndex");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("within the row") << QPoint(0, 0) << QPointF(350, 12) << 0 << 2 << true;
        QTest::newRow("into another row") << QPoint(0, 0) << QPointF(70, 37) << 1 << 0 << true;
        QTest::newRow("onto its own place") << QPoint(0, 1) << QPointF(200, 14) << 0 << 1 << false;
        QTest::newRow("telop over multimedia")
            << QPoint(2, 0) << QPointF(210, 12) << 0 << -1 << false;
    }
    void release()
    {
        QFETCH(QPoint, from);
        QFETCH(QPointF, to);
        QFETCH(int, gapRow);
        QFETCH(int, insertIndex);
        QFETCH(bool, dropped);
        KvSeqMediaItem* pressed = t->item(from.x(), from.y());
        QList<QPair<QPoint, KvSeqMediaItem*>> drops;
        connect(&t->view, &KvSeqMainView::mediaItemDropped,
                [&](QPoint pos, KvSeqMediaItem* item, bool* result) {
                    drops.append({pos, item});
                    *result = true;
                });
        QSignalSpy released(&t->view, &KvSeqMainView::mouseReleased);

        t->drag(t->centre(from.x(), from.y()), to);
        QCOMPARE(t->rows.at(gapRow)->insertIndex(), insertIndex);
        t->mouse(QTest::MouseRelease, to);
        QCOMPARE(released.count(), 1);
        QCOMPARE(drops.count(), dropped ? 1 : 0);
        if (dropped) {
            QCOMPARE(drops.first().first, t->view.mapFromScene(to));
            QCOMPARE(drops.first().second, pressed);
            QCOMPARE(pressed->opacity(), 1.0);
        } else {
            QTRY_COMPARE(pressed->pos(), pressed->preservedPosition());
            QTRY_COMPARE(pressed->opacity(), 1.0);
        }
        QVERIFY(!t->view.isDragging() && !t->view.pressedItem());
        QCOMPARE(t->rows.at(from.x())->lineItem()->zValue(), 0.0);
    }

    void rowGoneDuringDragIsNotTouched_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("still there") << true;
        QTest::newRow("gone") << false;
    }
    void rowGoneDuringDragIsNotTouched()
    {
        QFETCH(bool, exists);
        connect(&t->view, &KvSeqMainView::tellSeqScreenExists,
                [&](const KvSeqScreen*, bool* answer) { *answer = exists; });
        t->drag(t->centre(0, 2), t->centre(1, 0));
        QCOMPARE(t->view.dropRow(), t->rows.at(1));
        QCOMPARE(t->rows.at(1)->insertIndex(), 0);
        t->mouse(QTest::MouseMove, t->centre(0, 1));
        QCOMPARE(t->view.dropRow(), t->rows.at(0));
        QCOMPARE(t->rows.at(1)->insertIndex(), exists ? -1 : 0);
        t->mouse(QTest::MouseRelease, t->centre(0, 1));
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
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("signal"); // index into the spies below; -1 for none
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 0;
        QTest::newRow("Left") << int(Qt::Key_Left) << 0 << 1;
        QTest::newRow("Right") << int(Qt::Key_Right) << 0 << 2;
        QTest::newRow("Return") << int(Qt::Key_Return) << 0 << 3;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 3;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << 4;
        QTest::newRow("Z") << int(Qt::Key_Z) << 0 << -1;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, signal);
        KvSeqMainView* v = &t->view;
        QSignalSpy spies[] = {{v, &KvSeqMainView::deleteKeyPressed},
                              {v, &KvSeqMainView::leftKeyPressed},
                              {v, &KvSeqMainView::rightKeyPressed},
                              {v, &KvSeqMainView::enterKeyPressed},
                              {v, &KvSeqMainView::undoKeyPressed}};
        const QPointF before = v->mapToScene(0, 0);
        QTest::keyClick(v, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(spies[i].count(), i == signal ? 1 : 0);
        QCOMPARE(v->mapToScene(0, 0), before); // the arrows do not scroll
    }

    void fileDrops_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QList<int>>("indices"); // empty: refused
        QTest::addColumn<int>("mediaType");
        QTest::newRow("images onto the second item")
            << QStringList{"image/a.png", "image/b.png"} << QPointF(150, 5) << QList<int>{1, 2}
            << int(MediaType::Image);
        QTest::newRow("image past the last item") << QStringList{"image/b.png"} << QPointF(450, 5)
                                                  << QList<int>{3} << int(MediaType::Image);
        QTest::newRow("folder onto multimedia") << QStringList{"image/album"} << QPointF(10, 30)
                                                << QList<int>{0} << int(MediaType::Folder);
        QTest::newRow("folder onto telop")
            << QStringList{"image/album"} << QPointF(10, 55) << QList<int>{} << 0;
        QTest::newRow("one telop among images")
            << QStringList{"image/a.png", "telop/t.txt"} << QPointF(150, 5) << QList<int>{} << 0;
    }
    void fileDrops()
    {
        QFETCH(QStringList, files);
        QFETCH(QPointF, at);
        QFETCH(QList<int>, indices);
        QFETCH(int, mediaType);
        KvSeqScreen* row = t->rows.at(int(at.y()) / 25);
        std::vector<std::unique_ptr<KvPreservedMedia>> records;
        KvSeqScreen* addedTo = nullptr;
        connect(&t->view, &KvSeqMainView::requestAddMedia,
                [&](QList<KvPreservedMedia*>& list, KvSeqScreen* target) {
                    for (KvPreservedMedia* record : list)
                        records.emplace_back(record);
                    addedTo = target;
                });

        const std::unique_ptr<QMimeData> mime = payload(files);
        QWidget* port = t->view.viewport();
        const QPoint pos = t->view.mapFromScene(at);
        QDragEnterEvent enter(pos, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &enter);
        QDragMoveEvent move(pos, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &move);
        QCOMPARE(move.isAccepted(), !indices.isEmpty());
        QCOMPARE(t->view.dropRow(), indices.isEmpty() ? nullptr : row);
        if (indices.isEmpty())
            return;
        QCOMPARE(row->insertIndex(), indices.first() < row->count() ? indices.first() : -1);

        QDropEvent drop(pos, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(addedTo, row);
        QVERIFY(!t->view.dropRow());
        QCOMPARE(int(records.size()), indices.count());
        for (int i = 0; i < indices.count(); ++i) {
            const KvPreservedMedia& record = *records.at(i);
            QCOMPARE(record.sequenceIndex(), indices.at(i));
            QVERIFY(record.screenIndex() == -1 && record.isSelected() && record.ownsMedia());
            QCOMPARE(int(record.media()->mediaType()), mediaType);
            QCOMPARE(record.media()->uri(), files.at(i));
        }
        if (mediaType == MediaType::Folder)
            QCOMPARE(records.front()->media()->playingDuration(), 10.0);
    }

    void scrollingAndResizing()
    {
        QSignalSpy zero(&t->view, &KvSeqMainView::sceneZeroPointChanged);
        QSignalSpy global(&t->view, &KvSeqMainView::sceneZeroPointChangedGlobalPos);
        QSignalSpy resized(&t->view, &KvSeqMainView::resized);
        t->scene.setSceneRect(0, 0, 2000, 1000);
        t->view.verticalScrollBar()->setValue(30);
        QCOMPARE(zero.last().first().toPoint(), QPoint(0, -30));
        QCOMPARE(global.last().first().toPoint(), t->view.viewport()->mapToGlobal(QPoint(0, -30)));
        t->view.resize(500, 120);
        QTRY_COMPARE(resized.isEmpty() ? QSize() : resized.last().first().toSize(),
                     t->view.viewport()->size());
    }

    void backgroundRuledEvery20Pixels()
    {
        t->view.verticalScrollBar()->setValue(0);
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
            int orange = 0; // raise mark pixels in the right part of the label
            for (int x = 119 - 40; x < 119; ++x)
                for (int y = top; y < top + 24; ++y) {
                    const QColor c = picture.pixelColor(x, y);
                    orange += c.red() > 200 && c.green() > 110 && c.green() < 180 && c.blue() < 90;
                }
            QCOMPARE(orange > 0, row == 1);
        }

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
