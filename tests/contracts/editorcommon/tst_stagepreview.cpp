// The stage picture: background and screens drawn to scale and in z-order.

#include "kvscreen.h"
#include "kvstage.h"
#include "kvstagelistwidgetitem.h"
#include "kvstagepreview.h"

#include <QPointer>
#include <QTest>

#include <memory>

using namespace Kova;

class TestStagePreview : public QObject
{
    Q_OBJECT

private slots:
    void screensToScaleInZOrder();
    void aspectRatioKept();
    void emptyAndCleared();
    void listItemOwnsItsStage();
};

namespace {
KvScreen* screen(int id, const QRectF& rect, const QColor& color, int z,
                 ScreenType::ScreenTypes type = ScreenType::Multimedia)
{
    auto* s = new KvScreen(type, id);
    s->setRect(rect);
    s->setBackgoundColor(color);
    s->setZIndex(z);
    return s;
}
} // namespace

void TestStagePreview::screensToScaleInZOrder()
{
    KvStage stage;
    stage.setRect(QRect(500, 300, 400, 200)); // the position does not move the picture
    stage.setBackgroundColor(QColor(0, 0, 255));
    // Listed front first: the picture must still put the higher z-index in front.
    stage.addScreen(screen(1, QRectF(200, 0, 200, 200), QColor(255, 0, 0), 5));
    stage.addScreen(screen(2, QRectF(100, 0, 200, 100), QColor(0, 255, 0), 1));

    const QImage image = KvStagePreview::renderImage(stage, QSize(200, 100)); // half size
    QCOMPARE(image.size(), QSize(200, 100));
    QCOMPARE(image.pixelColor(20, 80), QColor(0, 0, 255));  // background
    QCOMPARE(image.pixelColor(70, 20), QColor(0, 255, 0));  // green only
    QCOMPARE(image.pixelColor(130, 20), QColor(255, 0, 0)); // red over green
    QCOMPARE(image.pixelColor(170, 80), QColor(255, 0, 0));
}

void TestStagePreview::aspectRatioKept()
{
    KvStage stage;
    stage.setRect(QRect(0, 0, 1080, 1920));
    stage.setBackgroundColor(QColor(10, 20, 30));
    const QImage image = KvStagePreview::renderImage(stage, QSize(320, 180));
    // A portrait stage in a landscape box: transparent margins left and right.
    QCOMPARE(image.pixelColor(5, 90).alpha(), 0);
    QCOMPARE(image.pixelColor(315, 90).alpha(), 0);
    QCOMPARE(image.pixelColor(160, 90), QColor(10, 20, 30));
}

void TestStagePreview::emptyAndCleared()
{
    KvStage stage;
    stage.setRect(QRect(0, 0, 0, 0));
    QVERIFY(KvStagePreview::renderImage(stage, QSize(0, 10)).isNull());
    const QImage nothing = KvStagePreview::renderImage(stage, QSize(10, 10));
    QCOMPARE(nothing.pixelColor(5, 5).alpha(), 0); // an empty stage draws nothing

    KvStagePreview preview;
    QVERIFY(!preview.hasStage());
    stage.setRect(QRect(0, 0, 100, 50));
    stage.addScreen(screen(1, QRectF(0, 0, 10, 10), Qt::white, 0, ScreenType::Telop));
    preview.setStage(stage);
    QVERIFY(preview.hasStage());
    QCOMPARE(preview.stageSize(), QSize(100, 50));
    QCOMPARE(preview.screenCount(), 1);
    preview.resize(200, 120);
    preview.grab(); // paints without a crash
    preview.clear();
    QVERIFY(!preview.hasStage());
    QCOMPARE(preview.screenCount(), 0);
}

void TestStagePreview::listItemOwnsItsStage()
{
    auto* stage = new KvStage(QStringLiteral("/x/Shop Front.xml"));
    stage->setRect(QRect(0, 0, 1280, 720));
    QPointer<KvStage> watch(stage);
    {
        KvStageListWidgetItem item(stage);
        QCOMPARE(item.text(), QString("Shop Front")); // no name: the file's base name
        QCOMPARE(item.toolTip(), QString("1280 x 720"));
        QVERIFY(!item.icon().isNull());
        QCOMPARE(item.type(), int(KvStageListWidgetItem::Type));
    }
    QVERIFY(!watch); // deleted with the item

    auto* named = new KvStage;
    named->setName(QStringLiteral("  Menu board "));
    KvStageListWidgetItem item(named);
    QCOMPARE(item.text(), QString("Menu board"));
    std::unique_ptr<KvStage> taken(item.takeStage());
    QCOMPARE(taken.get(), named);
    QVERIFY(!item.stage());
}

QTEST_MAIN(TestStagePreview)
#include "tst_stagepreview.moc"
