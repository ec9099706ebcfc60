// The stage picture: background and screens drawn to scale and in z-order.

#include "kvscreen.h"
#include "kvstage.h"
#include "kvstagelistwidgetitem.h"
#include "kvstagepreview.h"
#include "kvtestfactories.h"

#include <QPointer>
#include <QTest>

#include <memory>

using namespace Kova;
using Kova::Test::addScreen;

class TestStagePreview : public QObject
{
    Q_OBJECT

private slots:
    void screensToScaleInZOrder()
    {
        KvStage stage;
        stage.setRect(QRect(500, 300, 400, 200)); // the position does not move the picture
        stage.setBackgroundColor(QColor(0, 0, 255));
        // Listed front first: the picture must still put the higher z-index in front.
        addScreen(&stage, 1, ScreenType::Multimedia, QRectF(200, 0, 200, 200), "", 5)
            ->setBackgoundColor(QColor(255, 0, 0));
        addScreen(&stage, 2, ScreenType::Multimedia, QRectF(100, 0, 200, 100), "", 1)
            ->setBackgoundColor(QColor(0, 255, 0));

        const QImage image = KvStagePreview::renderImage(stage, QSize(200, 100)); // half size
        QCOMPARE(image.size(), QSize(200, 100));
        QCOMPARE(image.pixelColor(20, 80), QColor(0, 0, 255));  // background
        QCOMPARE(image.pixelColor(70, 20), QColor(0, 255, 0));  // green only
        QCOMPARE(image.pixelColor(130, 20), QColor(255, 0, 0)); // red over green
        QCOMPARE(image.pixelColor(170, 80), QColor(255, 0, 0));
    }

    void aspectRatioKept()
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

    void emptyAndCleared()
    {
        KvStage stage;
        stage.setRect(QRect(0, 0, 0, 0));
        QVERIFY(KvStagePreview::renderImage(stage, QSize(0, 10)).isNull());
        const QImage nothing = KvStagePreview::renderImage(stage, QSize(10, 10));
        QCOMPARE(nothing.pixelColor(5, 5).alpha(), 0); // an empty stage draws nothing

        KvStagePreview preview;
        QVERIFY(!preview.hasStage());
        stage.setRect(QRect(0, 0, 100, 50));
        addScreen(&stage, 1, ScreenType::Telop, QRectF(0, 0, 10, 10), "", 0)
            ->setBackgoundColor(Qt::white);
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

    void listItemOwnsItsStage()
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
};

QTEST_MAIN(TestStagePreview)
#include "tst_stagepreview.moc"
