#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvscreen.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvseqscreenlineitem.h"
#include "kvtestfactories.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QtTest>

#include <limits>
#include <memory>

using namespace Kova;

class TestSeqScreen : public QObject
{
    Q_OBJECT

private:
    Kova::Test::TempDataDir m_data;
    std::unique_ptr<QGraphicsScene> m_scene;
    std::unique_ptr<KvScreen> m_screen;
    std::unique_ptr<KvSeqScreen> m_row;

    static KvMedia* medium(const QString& uri, double seconds = 5.0)
    {
        auto* media = new KvMedia(uri, MediaType::Image);
        media->setPlayingDuration(seconds);
        return media;
    }

    // A row of image media named by `uris`, 5 s each.
    KvSeqScreen* makeRow(const QStringList& uris)
    {
        m_scene = std::make_unique<QGraphicsScene>();
        m_screen = std::make_unique<KvScreen>();
        for (const QString& uri : uris)
            m_screen->addMedia(medium(uri));
        m_row = std::make_unique<KvSeqScreen>(m_screen.get(), m_scene.get());
        return m_row.get();
    }

    QStringList itemUris() const
    {
        QStringList uris;
        for (const KvSeqMediaItem* item : m_row->items())
            uris << item->media()->uri();
        return uris;
    }

    QList<double> itemXs() const
    {
        QList<double> xs;
        for (const KvSeqMediaItem* item : m_row->items())
            xs << item->x();
        return xs;
    }

    bool animating() const
    {
        for (const KvSeqMediaItem* item : m_row->items()) {
            if (item->animating())
                return true;
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
        qRegisterMetaType<KvSeqMediaItem*>();
    }

    void cleanup()
    {
        m_row.reset();
        m_screen.reset();
        m_scene.reset();
    }

    void constructionLaysOutTheScreensMedia()
    {
        KvSeqScreen* row = makeRow({"a", "b", "c"});
        QCOMPARE(itemUris(), QStringList({"a", "b", "c"}));
        QCOMPARE(row->selectedIndices(), QList<int>({0, 1, 2}));
        QCOMPARE(itemXs(), QList<double>({0, 140, 280}));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(row->itemAt(i)->zValue(), double(i));
        QCOMPARE(row->totalWidth(), 420.0);
        QCOMPARE(row->lineItem()->scene(), m_scene.get());
        QCOMPARE(row->lineItem()->boundingRect(), QRectF(0, 0, 120, 24));

        row->setTop(50);
        QCOMPARE(row->rect(), QRectF(0, 50, 120, 24));
        QCOMPARE(row->lineItem()->pos(), QPointF(0, 50));
    }

    void addMedia_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("moveInList");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("new at 1") << 1 << false << QStringList({"a", "n", "b", "c"});
        QTest::newRow("new past the end") << 3 << false << QStringList({"a", "b", "c", "n"});
        QTest::newRow("new at -1") << -1 << false << QStringList({"a", "b", "c", "n"});
        // The medium is already at the front of the screen's list: its place there wins.
        QTest::newRow("listed medium moves") << 2 << true << QStringList({"n", "a", "b", "c"});
    }
    void addMedia()
    {
        QFETCH(int, index);
        QFETCH(bool, moveInList);
        QFETCH(QStringList, order);
        KvSeqScreen* row = makeRow({"a", "b", "c"});
        QSignalSpy added(row, &KvSeqScreen::mediaItemAdded);
        KvMedia* media = medium("n");
        if (moveInList) {
            row->addMedia(media, 3, true, true);
            m_screen->mediaList().move(3, 0);
            added.clear();
        }

        KvSeqMediaItem* item = row->addMedia(media, index, false, true);
        QCOMPARE(itemUris(), order);
        QCOMPARE(m_screen->mediaList().at(order.indexOf("n")), media);
        QCOMPARE(media->parent(), m_screen.get());
        QCOMPARE(itemXs(), QList<double>({0, 140, 280, 420}));
        QVERIFY(!item->isSelected());
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).value<KvSeqMediaItem*>(), item);
    }

    void removeMediaAt_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("deleteMedia");
        QTest::addColumn<QString>("removed");
        QTest::newRow("middle, kept") << 3 << 1 << false << "b";
        QTest::newRow("middle, deleted") << 3 << 1 << true << "b";
        QTest::newRow("at the end") << 3 << 3 << false << "c";
        QTest::newRow("past the end") << 3 << 9 << false << "c";
        QTest::newRow("negative") << 3 << -1 << false << "";
        QTest::newRow("empty row") << 0 << 0 << false << "";
    }
    void removeMediaAt()
    {
        QFETCH(int, count);
        QFETCH(int, index);
        QFETCH(bool, deleteMedia);
        QFETCH(QString, removed);
        KvSeqScreen* row = makeRow(QStringList({"a", "b", "c"}).mid(0, count));
        QStringList heard;
        // The item must still be whole when listeners hear of it.
        connect(row, &KvSeqScreen::mediaItemRemoved, this,
                [&heard](KvSeqMediaItem* item) { heard << item->media()->uri(); });

        std::unique_ptr<KvMedia> media(row->removeMediaAt(index, deleteMedia));
        QStringList rest = QStringList({"a", "b", "c"}).mid(0, count);
        rest.removeOne(removed);
        QCOMPARE(itemUris(), rest);
        QCOMPARE(m_screen->mediaCount(), rest.count());
        QCOMPARE(heard, removed.isEmpty() ? QStringList() : QStringList(removed));
        QCOMPARE(media ? media->uri() : QString(), deleteMedia ? QString() : removed);
    }

    void widthsFollowTheViewMode()
    {
        KvSeqScreen* row = makeRow({"a", "b"});
        QSignalSpy widthChanged(row, &KvSeqScreen::mediaItemsWidthChanged);
        row->addMedia(medium("c", 0.0), -1, false, true);
        row->updateItemsLayout();
        QCOMPARE(widthChanged.count(), 1);
        QCOMPARE(widthChanged.at(0), QVariantList({280.0, 420.0}));

        // 5 s at 4 pixels a second; an unknown duration counts as 10 s.
        row->setViewMode(KvEditorCommon::TimeView);
        row->updateItemsLayout();
        QCOMPARE(itemXs(), QList<double>({0, 20, 40}));
        QCOMPARE(row->totalWidth(), 80.0);
        QCOMPARE(widthChanged.at(1), QVariantList({420.0, 80.0}));
    }

    void itemAtX_data()
    {
        QTest::addColumn<double>("secondX");
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("index");
        QTest::newRow("left edge") << 140.0 << 0.0 << 0;
        QTest::newRow("boundary goes to the first") << 140.0 << 140.0 << 0;
        QTest::newRow("just past the boundary") << 140.0 << 140.5 << 1;
        QTest::newRow("right edge") << 140.0 << 420.0 << 2;
        QTest::newRow("past the end") << 140.0 << 420.5 << -1;
        QTest::newRow("left of the row") << 140.0 << -0.5 << -1;
        // The second item kept at 300 overlaps the third (280..420) and leaves a gap.
        QTest::newRow("not laid out: overlap") << 300.0 << 290.0 << 2;
        QTest::newRow("not laid out: gap") << 300.0 << 200.0 << -1;
    }
    void itemAtX()
    {
        QFETCH(double, secondX);
        QFETCH(double, x);
        QFETCH(int, index);
        KvSeqScreen* row = makeRow({"a", "b", "c"});
        row->itemAt(1)->setPreservedPosition(QPointF(secondX, 0));
        int found = 99;
        QCOMPARE(row->itemAtX(x, &found), row->itemAt(index));
        QCOMPARE(found, index);
    }

    void selectionAndFilePaths()
    {
        KvSeqScreen* row = makeRow({"image/a.png", "/elsewhere/b.png", "image/a.png"});
        row->selectByIndices({0, 2});
        QCOMPARE(row->selectedIndices(), QList<int>({0, 2}));
        QCOMPARE(row->selectedItems(), QList<KvSeqMediaItem*>({row->itemAt(0), row->itemAt(2)}));
        row->clearSelection();
        QVERIFY(row->selectedItems().isEmpty());
        QCOMPARE(row->mediaFilePaths(),
                 QStringList({m_data.filePath("image/a.png"), "/elsewhere/b.png"}));
    }

    void durationTotal()
    {
        KvSeqScreen* row = makeRow({"a", "b"});
        QSignalSpy changed(row, &KvSeqScreen::durationChanged);
        row->updateDuration();
        row->updateDuration();
        QCOMPARE(row->totalDuration(), 10.0);
        QCOMPARE(changed.count(), 1);

        // An unknown duration adds nothing but makes the total incomplete.
        row->addMedia(medium("c", 0.0), -1, false, true);
        row->updateDuration();
        QCOMPARE(changed.count(), 1);
        m_screen->mediaList().at(0)->setPlayingDuration(2.0);
        row->itemAt(0)->updateDuration();
        QCOMPARE(changed.count(), 2);
        QCOMPARE(row->totalDuration(), 7.0);
        const QImage expected =
            KvEditorCommon::getDurationImage(KvEditorCommon::getDurationString(7.0, true));
        QCOMPARE(row->durationImage().toImage(), QPixmap::fromImage(expected).toImage());
    }

    void missingFileReportedOnce()
    {
        KvSeqScreen* row = makeRow({});
        QSignalSpy disabled(row, &KvSeqScreen::mediaUriDisabled);
        for (const QString& uri : QStringList({"image/x.png", "image/x.png", "image/y.png"}))
            row->addMedia(medium(uri), -1, false, false);
        QCOMPARE(disabled.count(), 2);
        QCOMPARE(row->disabledUris(), QStringList({"image/x.png", "image/y.png"}));
    }

    void lineItemZOrder()
    {
        KvSeqScreen* row = makeRow({"a"});
        QSignalSpy restore(row, &KvSeqScreen::restoreZValueSeqScreenLineItemsRequested);
        KvSeqScreenLineItem* line = row->lineItem();
        line->preserveZValue();
        line->bringToFront();
        QCOMPARE(line->zValue(), std::numeric_limits<double>::max());
        QCOMPARE(restore.count(), 1);
        QCOMPARE(restore.at(0).at(0).value<KvSeqScreenLineItem*>(), line);
        line->restoreZValue();
        QCOMPARE(line->zValue(), 0.0);
    }

    void lineItemWidthAndPaint_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("expected");
        QTest::newRow("narrower than the view") << 300.0 << 650.0;
        QTest::newRow("wider than the view") << 900.0 << 950.0;
    }
    void lineItemWidthAndPaint()
    {
        QFETCH(double, width);
        QFETCH(double, expected);
        KvSeqScreen* row = makeRow({});
        QGraphicsView view(m_scene.get());
        view.resize(600, 200);
        row->updateLineItemWidth(width);
        QCOMPARE(row->lineItem()->width(), expected);
        QCOMPARE(m_scene->width(), expected);

        // Half-transparent white over black, a black line on the bottom pixel row.
        QImage image(int(expected), 24, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        row->lineItem()->paint(&painter, nullptr);
        painter.end();
        QVERIFY(qAbs(qGray(image.pixel(10, 10)) - 128) <= 1);
        QCOMPARE(image.pixel(10, 23), qRgb(0, 0, 0));
    }

    void setInsertIndex_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QList<double>>("xs");
        QTest::addColumn<int>("insertIndex");
        using L = QList<int>;
        using X = QList<double>;
        // Items of 140 pixels at 0, 140, 280, 420, 560; the dragged item is selected.
        QTest::newRow("elsewhere: the rest makes room")
            << -1 << L() << L({2}) << X({0, 140, 420, 560, 700}) << 2;
        QTest::newRow("elsewhere, further right: the passed ones come back")
            << -1 << L() << L({1, 3}) << X({0, 140, 280, 560, 700}) << 3;
        QTest::newRow("elsewhere, further left")
            << -1 << L() << L({3, 1}) << X({0, 280, 420, 560, 700}) << 1;
        QTest::newRow("elsewhere, out of range resets")
            << -1 << L({3}) << L({2, 7}) << X({0, 140, 280, 420, 560}) << -1;
        QTest::newRow("within, right")
            << 1 << L({1}) << L({1, 3}) << X({0, 140, 140, 280, 560}) << 3;
        QTest::newRow("within, left")
            << 3 << L({3}) << L({3, 1}) << X({0, 280, 420, 420, 560}) << 1;
        QTest::newRow("within, right then back one")
            << 1 << L({1}) << L({1, 4, 3}) << X({0, 140, 140, 280, 560}) << 3;
        QTest::newRow("within, left then back one")
            << 3 << L({3}) << L({3, 0, 1}) << X({0, 280, 420, 420, 560}) << 1;
        QTest::newRow("within, onto a selected item")
            << 1 << L({1, 3}) << L({1, 3}) << X({0, 140, 280, 420, 560}) << 3;
        QTest::newRow("within, back onto itself")
            << 2 << L({2}) << L({2, 4, 2}) << X({0, 140, 280, 420, 560}) << 2;
    }
    void setInsertIndex()
    {
        QFETCH(int, dragged);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, steps);
        QFETCH(QList<double>, xs);
        QFETCH(int, insertIndex);
        KvSeqScreen* row = makeRow({"a", "b", "c", "d", "e"});
        row->selectByIndices(selected);
        for (int step : steps) {
            row->setInsertIndex(step, row->itemAt(dragged));
            QTRY_VERIFY(!animating());
        }
        QCOMPARE(itemXs(), xs);
        QCOMPARE(row->insertIndex(), insertIndex);
    }

    void moveBackItems()
    {
        KvSeqScreen* row = makeRow({"a", "b"});
        row->selectByIndices({0});
        row->setInsertIndex(0, row->itemAt(0));
        for (KvSeqMediaItem* item : row->items())
            item->setPos(item->x() + 30, 5);
        row->moveBackItems(false);
        QTRY_VERIFY(!animating());
        QCOMPARE(row->itemAt(0)->pos(), QPointF(30, 5));
        QCOMPARE(row->itemAt(1)->pos(), QPointF(140, 0));

        row->resetInsertIndex(true);
        QTRY_VERIFY(!animating());
        QCOMPARE(row->itemAt(0)->pos(), QPointF(0, 0));
        QCOMPARE(row->insertIndex(), -1);
    }
};

QTEST_MAIN(TestSeqScreen)
#include "tst_seqscreen.moc"
