#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvscreen.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvtestfactories.h"

#include <QGraphicsView>
#include <QPropertyAnimation>
#include <QtTest>

#include <algorithm>
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

    // The items' media names, or their x positions, in row order.
    QString list(bool positions = false) const
    {
        QStringList parts;
        for (const KvSeqMediaItem* item : m_row->items())
            parts << (positions ? QString::number(item->x()) : item->media()->uri());
        return parts.join(' ');
    }

    // Runs every slide of the row's items to its end at once; true when none was left running.
    bool finishAnimations() const
    {
        for (KvSeqMediaItem* item : m_row->items()) {
            for (auto* animation : item->findChildren<QPropertyAnimation*>()) {
                if (animation->state() == QAbstractAnimation::Running)
                    animation->setCurrentTime(animation->totalDuration());
            }
        }
        const auto& items = m_row->items();
        return std::none_of(items.begin(), items.end(),
                            [](auto* item) { return item->animating(); });
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
        QCOMPARE(list(), QString("a b c"));
        QCOMPARE(list(true), QString("0 140 280"));
        QCOMPARE(row->selectedIndices(), QList<int>({0, 1, 2}));
        row->selectByIndices({0, 2});
        QCOMPARE(row->selectedItems(), QList<KvSeqMediaItem*>({row->itemAt(0), row->itemAt(2)}));
        row->clearSelection();
        QVERIFY(row->selectedIndices().isEmpty());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(row->itemAt(i)->zValue(), double(i));
        QCOMPARE(row->totalWidth(), 420.0);

        row->setTop(50);
        QCOMPARE(row->rect(), QRectF(0, 50, 120, 24));
        QCOMPARE(row->lineItem()->pos(), QPointF(0, 50));
    }

    void addMedia_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("order");
        QTest::newRow("new at 1") << 1 << false << "a n b c";
        QTest::newRow("new past the end") << 3 << false << "a b c n";
        QTest::newRow("new at -1") << -1 << false << "a b c n";
        // Already first in the screen's list: that place wins over the index.
        QTest::newRow("listed medium moves") << 2 << true << "n a b c";
    }
    void addMedia()
    {
        QFETCH(int, index);
        QFETCH(bool, listed);
        QFETCH(QString, order);
        KvSeqScreen* row = makeRow({"a", "b", "c"});
        KvMedia* media = medium("n");
        if (listed) {
            row->addMedia(media, 3, true, true);
            m_screen->mediaList().move(3, 0);
        }
        QSignalSpy added(row, &KvSeqScreen::mediaItemAdded);

        KvSeqMediaItem* item = row->addMedia(media, index, false, true);
        QCOMPARE(list(), order);
        QCOMPARE(m_screen->mediaList().indexOf(media), order.split(' ').indexOf("n"));
        QCOMPARE(media->parent(), m_screen.get());
        QCOMPARE(list(true), QString("0 140 280 420"));
        QVERIFY(!item->isSelected());
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).value<KvSeqMediaItem*>(), item);
    }

    void removeMediaAt_data()
    {
        QTest::addColumn<QStringList>("uris");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("deleteMedia");
        QTest::addColumn<QString>("removed");
        const QStringList abc({"a", "b", "c"});
        QTest::newRow("middle, kept") << abc << 1 << false << "b";
        QTest::newRow("middle, deleted") << abc << 1 << true << "b";
        QTest::newRow("at the end") << abc << 3 << false << "c";
        QTest::newRow("past the end") << abc << 9 << false << "c";
        QTest::newRow("negative") << abc << -1 << false << "";
        QTest::newRow("empty row") << QStringList() << 0 << false << "";
    }
    void removeMediaAt()
    {
        QFETCH(QStringList, uris);
        QFETCH(int, index);
        QFETCH(bool, deleteMedia);
        QFETCH(QString, removed);
        KvSeqScreen* row = makeRow(uris);
        QStringList heard;
        // Listeners hear of the item while it is still in the scene, whole.
        connect(row, &KvSeqScreen::mediaItemRemoved, this, [&](KvSeqMediaItem* item) {
            heard << (m_scene->items().contains(item) ? item->media()->uri() : "gone");
        });

        std::unique_ptr<KvMedia> media(row->removeMediaAt(index, deleteMedia));
        uris.removeOne(removed);
        QCOMPARE(list(), uris.join(' '));
        QCOMPARE(m_screen->mediaCount(), uris.count());
        QCOMPARE(heard.join(' '), removed);
        QCOMPARE(media ? media->uri() : QString(), deleteMedia ? QString() : removed);
    }

    void widthsFollowTheViewMode()
    {
        KvSeqScreen* row = makeRow({"a", "b"});
        QSignalSpy widthChanged(row, &KvSeqScreen::mediaItemsWidthChanged);
        row->addMedia(medium("c", 0.0), -1, false, true);
        row->updateItemsLayout();
        // 5 s at 4 pixels a second; an unknown duration counts as 10 s.
        row->setViewMode(KvEditorCommon::TimeView);
        QCOMPARE(list(true), QString("0 20 40"));
        QCOMPARE(widthChanged.count(), 2);
        QCOMPARE(widthChanged.at(0), QVariantList({280.0, 420.0}));
        QCOMPARE(widthChanged.at(1), QVariantList({420.0, 80.0}));
    }

    void itemAtX_data()
    {
        QTest::addColumn<double>("secondX");
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("index");
        QTest::newRow("boundary goes to the first") << 140.0 << 140.0 << 0;
        QTest::newRow("just past the boundary") << 140.0 << 140.5 << 1;
        QTest::newRow("right edge") << 140.0 << 420.0 << 2;
        QTest::newRow("past the end") << 140.0 << 420.5 << -1;
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

    void filesOnceEach()
    {
        KvSeqScreen* row = makeRow({});
        QSignalSpy disabled(row, &KvSeqScreen::mediaUriDisabled);
        for (const QString& uri : QStringList({"image/x.png", "/elsewhere/y.png", "image/x.png"}))
            row->addMedia(medium(uri), -1, false, false);
        QCOMPARE(disabled.count(), 2);
        QCOMPARE(row->disabledUris(), QStringList({"image/x.png", "/elsewhere/y.png"}));
        QCOMPARE(row->mediaFilePaths(),
                 QStringList({m_data.filePath("image/x.png"), "/elsewhere/y.png"}));
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

    void lineItem()
    {
        KvSeqScreen* row = makeRow({});
        KvSeqScreenLineItem* line = row->lineItem();
        QSignalSpy restore(row, &KvSeqScreen::restoreZValueSeqScreenLineItemsRequested);
        line->preserveZValue();
        line->bringToFront();
        QCOMPARE(line->zValue(), std::numeric_limits<double>::max());
        QCOMPARE(restore.count(), 1);
        QCOMPARE(restore.at(0).at(0).value<KvSeqScreenLineItem*>(), line);
        line->restoreZValue();
        QCOMPARE(line->zValue(), 0.0);

        // Never narrower than the widest view plus 50; the scene follows.
        QGraphicsView view(m_scene.get());
        view.resize(600, 200);
        row->updateLineItemWidth(300);
        QCOMPARE(line->width(), 650.0);
        row->updateLineItemWidth(900);
        QCOMPARE(line->width(), 950.0);
        QCOMPARE(m_scene->width(), 950.0);
    }

    void setInsertIndex_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QString>("xs");
        QTest::addColumn<int>("insertIndex");
        using L = QList<int>;
        // Items of 140 pixels at 0 140 280 420 560; the dragged item (-1: none) is selected.
        // Selected items stand 10 pixels right of their place, as the pointer put them. Each
        // step is one insert index; its slides are run to their end before the next.
        QTest::newRow("elsewhere") << -1 << L() << L({2}) << "0 140 420 560 700" << 2;
        QTest::newRow("elsewhere, on right") << -1 << L() << L({1, 3}) << "0 140 280 560 700" << 3;
        QTest::newRow("elsewhere, on left") << -1 << L() << L({3, 1}) << "0 280 420 560 700" << 1;
        QTest::newRow("out of range") << -1 << L({3}) << L({2, 7}) << "0 140 280 420 560" << -1;
        QTest::newRow("within, right") << 1 << L({1}) << L({1, 3}) << "0 150 140 280 560" << 3;
        QTest::newRow("within, left") << 3 << L({3}) << L({3, 1}) << "0 280 420 430 560" << 1;
        QTest::newRow("right, back one") << 1 << L({1}) << L({1, 4, 3}) << "0 150 140 280 560" << 3;
        QTest::newRow("left, back one") << 3 << L({3}) << L({3, 0, 1}) << "0 280 420 430 560" << 1;
        QTest::newRow("onto selected") << 1 << L({1, 3}) << L({1, 3}) << "0 150 280 430 560" << 3;
        QTest::newRow("onto itself") << 2 << L({2}) << L({2, 4, 2}) << "0 140 290 420 560" << 2;
    }

    void setInsertIndex()
    {
        QFETCH(int, dragged);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, steps);
        QFETCH(QString, xs);
        QFETCH(int, insertIndex);
        KvSeqScreen* row = makeRow({"a", "b", "c", "d", "e"});
        row->selectByIndices(selected);
        for (KvSeqMediaItem* item : row->selectedItems())
            item->setPos(item->pos() + QPointF(10, 0));
        for (int step : steps) {
            row->setInsertIndex(step, row->itemAt(dragged));
            QVERIFY(finishAnimations());
        }
        QCOMPARE(list(true), xs);
        QCOMPARE(row->insertIndex(), insertIndex);
    }
};

QTEST_MAIN(TestSeqScreen)
#include "tst_seqscreen.moc"
