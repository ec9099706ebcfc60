#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvfilesystemitem.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvtestfactories.h"
#include "kvthumbnail.h"

#include <QGraphicsView>
#include <QPainter>
#include <QPropertyAnimation>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

const QString TELOP_TEXT = QStringLiteral("Hello telop");
const QFont TELOP_FONT(QStringLiteral("DejaVu Sans"), 12);

// One timeline row for a screen of `rect`, in `scene`.
struct Row
{
    Row(QGraphicsScene* scene, const QRectF& rect = QRectF(0, 0, 500, 100))
        : screen(Test::makeScreen(1, ScreenType::Multimedia, rect))
        , row(screen.get(), scene)
    {
    }
    KvSeqMediaItem* add(KvMedia* media = new KvMedia("image/a.png", MediaType::Image))
    {
        return row.addMedia(media, -1, false, true);
    }

    std::unique_ptr<KvScreen> screen;
    KvSeqScreen row;
};

} // namespace

class TestSeqMediaItem : public QObject
{
    Q_OBJECT

    Test::TempDataDir m_data;

    static void row(const char* tag, int type, const QString& uri, double playing, double expected,
                    qint64 lengthMs = 0, bool detectEnd = false, int direction = 2,
                    bool waitAuto = false)
    {
        QTest::newRow(tag) << type << uri << playing << expected << lengthMs << detectEnd
                           << direction << waitAuto;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
        for (const char* name :
             {"image/a.png", "image/thumbed.png", "image/folder/b.png", "image/folder/c.jpg"})
            QVERIFY(Test::writeImage(m_data.filePath(name)));
        for (const char* name : {"flash/f.swf", "web/page.html", "movie/m.mp4", "telop/empty.txt",
                                 "image/folder/d.txt", "image/folder/e.doc"})
            QVERIFY(Test::writeFile(m_data.filePath(name)));
        QVERIFY(Test::writeFile(m_data.filePath("telop/t.txt"), TELOP_TEXT.toUtf8()));
    }

    void duration_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("uri");
        QTest::addColumn<double>("playing");
        QTest::addColumn<double>("expected"); // 3.5 is the duration before
        QTest::addColumn<qint64>("lengthMs");
        QTest::addColumn<bool>("detectEnd");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("waitAuto");
        const QString image("image/a.png"), movie("movie/m.mp4"), telop("telop/t.txt");
        const double travel = 15.999999642372131; // 800 px at 0.04f s per 2 px
        row("image", 1, image, 5, 5);
        row("image of 0 s", 1, image, 0, -1);
        row("image, end detected", 1, image, 5, -1, 0, true);
        row("image, as long as before", 1, image, 3.5, 3.5);
        row("flash", 3, "flash/f.swf", 7, 7);
        row("web", 5, "web/page.html", 8, 8);
        row("movie", 2, movie, 12, 12, 9000);
        row("movie of 0 s", 2, movie, 0, -1, 9000);
        row("movie, end detected", 2, movie, 12, 7.5, 7500, true);
        row("movie, end detected, no length", 2, movie, 12, 10, 0, true);
        row("telop, right to left", 6, telop, 10, travel);
        row("telop, bottom to top", 6, telop, 10, travel, 0, false, 3);
        row("telop, automatic wait", 6, telop, 10, 6.666666666666667, 0, false, 2, true);
        row("static telop", 6, telop, 9, 9, 0, false, 1);
        row("telop file missing", 6, "telop/none.txt", 10, -1);
        row("telop file empty", 6, "telop/empty.txt", 10, -1);
        row("folder: 2 images, a telop, an unknown file", 7, "image/folder", 3, 6);
        row("folder missing", 7, "image/none", 3, 0);
        row("type 4 keeps its duration", 4, image, 5, 3.5);
        row("extended keeps its duration", 8, QString(), 5, 3.5);
    }
    void duration()
    {
        QFETCH(int, type);
        QFETCH(QString, uri);
        QFETCH(double, playing);
        QFETCH(double, expected);
        QFETCH(qint64, lengthMs);
        QFETCH(bool, detectEnd);
        QFETCH(int, direction);
        QFETCH(bool, waitAuto);
        // The text travels 800 pixels: its length plus the screen's side along the way.
        const QFontMetrics metrics(TELOP_FONT);
        const int textHeight =
            metrics.boundingRect(QRect(0, 0, 500, 800), Qt::TextWordWrap, TELOP_TEXT).height();
        QGraphicsScene scene;
        Row row(&scene, direction == 3
                            ? QRectF(0, 0, 500, 800 - textHeight)
                            : QRectF(0, 0, 800 - metrics.boundingRect(TELOP_TEXT).width(), 100));
        auto* media = new KvMedia(uri, MediaType::MediaTypes(type));
        media->setPlayingDuration(playing);
        media->setDetectTermination(detectEnd);
        media->setWaitAuto(waitAuto);
        media->setPlayingDirection(direction);
        media->setFont(TELOP_FONT);
        KvSeqMediaItem* item = row.add(media);
        item->setDuration(3.5);
        QSignalSpy changed(item, &KvSeqMediaItem::durationChanged);
        KvThumbnail::FileProperty property;
        property.length = lengthMs;
        item->setFileProperty(property);
        QCOMPARE(item->duration(), expected);
        QCOMPARE(changed.count(), expected == 3.5 ? 0 : 1);
    }

    void positions_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<double>>("widths");
        QTest::addColumn<QList<double>>("xs");
        QTest::newRow("normal view") << int(KvEditorCommon::NormalView)
                                     << QList<double>{140, 140, 140} << QList<double>{0, 140, 280};
        QTest::newRow("time view: 7.5 s, unknown, 0 s")
            << int(KvEditorCommon::TimeView) << QList<double>{30, 40, 40}
            << QList<double>{0, 30, 70};
    }
    // Items of a row stand one right of the other, never left of the row or above the scene.
    void positions()
    {
        QFETCH(int, mode);
        QFETCH(QList<double>, widths);
        QFETCH(QList<double>, xs);
        QGraphicsScene scene;
        Row row(&scene);
        QList<KvSeqMediaItem*> items{row.add(), row.add(),
                                     row.add(new KvMedia("image/none", MediaType::Folder))};
        items[0]->media()->setPlayingDuration(7.5);
        items[1]->media()->setPlayingDuration(0);
        for (int i = 0; i < items.size(); ++i) {
            items[i]->updateDuration();
            items[i]->setViewMode(KvEditorCommon::SequenceViewModes(mode));
            items[i]->updateWidth();
            items[i]->setBackwardMediaItem(i ? items[i - 1] : nullptr);
            items[i]->setPos(500, 0);
            items[i]->updatePos();
            QCOMPARE(items[i]->boundingRect(), QRectF(0, 0, widths[i] - 1, 24));
            QCOMPARE(items[i]->pos(), QPointF(xs[i], 0));
            QCOMPARE(items[i]->preservedPosition(), QPointF(xs[i], 0));
        }
        row.row.setTop(50);
        items[1]->setPos(-30, -80);
        QCOMPARE(items[1]->pos(), QPointF(0, -50));
    }

    // A right press adds the item to the selection and keeps the press for itself; media of
    // another row are refused while the check is on. (A double click opens the medium's
    // properties: tst_sequencewidget.)
    void selectionAndMouse()
    {
        QGraphicsScene scene;
        Row row(&scene), other(&scene);
        other.row.setTop(25);
        KvSeqMediaItem* first = row.add();
        KvSeqMediaItem* second = row.add();
        KvSeqMediaItem* elsewhere = other.add();
        QGraphicsView view(&scene);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        first->setSelected(true);
        const QPoint at = view.mapFromScene(second->mapToScene(QPointF(70, 12)));
        QTest::mousePress(view.viewport(), Qt::RightButton, {}, at);
        QVERIFY(first->isSelected() && second->isSelected());
        QCOMPARE(scene.mouseGrabberItem(), second);
        QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, at);

        elsewhere->setSelected(true);
        QVERIFY(!elsewhere->isSelected() && first->isSelected() && second->isSelected());
        elsewhere->setSelectedValidation(false);
        elsewhere->setSelected(true);
        QVERIFY(elsewhere->isSelected());
    }

    void thumbnail_data()
    {
        QTest::addColumn<QString>("picture"); // empty: a red picture
        QTest::newRow("transparent") << ":/images/exclusion/transparent.png";
        QTest::newRow("standard blank") << ":/images/exclusion/standardblank.png";
        QTest::newRow("small blank") << ":/images/exclusion/smallblank.png";
        QTest::newRow("a real picture") << QString();
    }
    void thumbnail()
    {
        QFETCH(QString, picture);
        const QString file = m_data.filePath("image/thumbed.png");
        const QString thumbnail = KvThumbnail::thumbnailFilePath(file);
        QFile::remove(thumbnail);
        QVERIFY(QDir().mkpath(QFileInfo(thumbnail).path()));
        QVERIFY(picture.isEmpty() ? Test::writeImage(thumbnail, QSize(48, 27), Qt::red)
                                  : QFile::copy(picture, thumbnail));
        // Blocks look a file up once an event loop turn: each row's picture is seen next turn.
        QCoreApplication::processEvents();
        QGraphicsScene scene;
        Row row(&scene);
        const QImage shown =
            row.add(new KvMedia("image/thumbed.png", MediaType::Image))->thumbnailImage().toImage();
        QCOMPARE(shown.size(), QSize(24, 24));
        if (picture.isEmpty())
            QCOMPARE(shown.pixelColor(12, 12), QColor(Qt::red));
        else
            QCOMPARE(shown, KvFileSystemItem::getIcon(file).pixmap(24, 24).toImage());
    }

    void painting_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<int>("lowBlue"); // near the bottom, over the background's 144
        QTest::addColumn<QString>("destination");
        const QString file("image/a.png");
        QTest::newRow("plain") << file << false << false << 144 << QString();
        QTest::newRow("hovered") << file << true << false << 168 << QString();
        QTest::newRow("selected") << file << false << true << 192 << QString();
        QTest::newRow("file missing") << "image/gone.png" << false << false << 144 << QString();
        QTest::newRow("with destination") << file << false << false << 144 << "dest/a";
    }
    void painting()
    {
        QFETCH(QString, uri);
        QFETCH(bool, hovered);
        QFETCH(bool, selected);
        QFETCH(int, lowBlue);
        QFETCH(QString, destination);
        QGraphicsScene scene;
        KvMedia media(uri, MediaType::Image);
        media.setDestination(destination);
        auto* item = new KvSeqMediaItem(nullptr);
        scene.addItem(item);
        QSignalSpy disabled(item, &KvSeqMediaItem::mediaUriDisabled);
        item->setMedia(&media);
        const bool missing = !QFile::exists(m_data.filePath(uri));
        QCOMPARE(item->uriDisabled(), missing);
        QCOMPARE(disabled, missing ? QList<QVariantList>{{uri}} : QList<QVariantList>());
        item->setMouseHovered(hovered);
        item->setSelected(selected);
        QImage image(140, 24, QImage::Format_ARGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        scene.render(&painter, QRectF(image.rect()), QRectF(image.rect()));
        if (!hovered && !selected)
            QCOMPARE(image.pixelColor(120, 20), QColor(144, 238, 144));
        QCOMPARE(image.pixelColor(0, 12), QColor(Qt::black));
        QCOMPARE(image.pixelColor(120, 1) == QColor(Qt::cyan), selected);
        QVERIFY(qAbs(image.pixelColor(120, 20).blue() - lowBlue) <= 3);
        // The red forbidden mark stands in the middle, the yellow goto label at the bottom left.
        int redPixels = 0, yellowPixels = 0;
        for (int x = 2; x < 82; ++x)
            for (int y = 0; y < 24; ++y) {
                const QColor c = image.pixelColor(x, y);
                redPixels += x >= 58 && c.red() > 180 && c.green() < 100;
                yellowPixels += x < 50 && c.red() > 200 && c.green() > 200 && c.blue() < 100;
            }
        QCOMPARE(redPixels > 20, missing);
        QCOMPARE(yellowPixels > 5, !destination.isEmpty());
    }

    void moveBack()
    {
        QGraphicsScene scene;
        auto* item = new KvSeqMediaItem(nullptr);
        scene.addItem(item);
        item->setPos(60, 0);
        item->setZValue(1e300);
        item->setOpacity(0.5);
        item->moveBackPositionWithAnimation();
        auto* animation = item->findChild<QPropertyAnimation*>();
        QVERIFY(animation && item->animating());
        QCOMPARE(animation->duration(), 300);
        QCOMPARE(animation->easingCurve().type(), QEasingCurve::OutCubic);
        // Run to its end at once rather than waiting for it.
        animation->setCurrentTime(animation->duration());
        QVERIFY(!item->animating());
        QCOMPARE(item->pos(), QPointF(0, 0));
        QCOMPARE(item->zValue(), 0.0);
        QCOMPARE(item->opacity(), 1.0);

        // A layout while a slide runs (a drop right after a gap opened) ends the slide: the
        // item stays where the layout put it.
        item->startPosAnimation(QPointF(0, 0), QPointF(500, 0), 300);
        item->updatePos();
        QVERIFY(!item->animating());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!item->findChild<QPropertyAnimation*>());
        QCOMPARE(item->pos(), QPointF(0, 0));
    }
};

QTEST_MAIN(TestSeqMediaItem)
#include "tst_seqmediaitem.moc"
