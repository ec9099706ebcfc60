#include "kvpointlabelwidget.h"
#include "kvrulerwidget.h"
#include "kvscalewidget.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

using namespace Kova;

Q_DECLARE_METATYPE(QList<int>)

namespace {

// A horizontal ruler 400 pixels long whose scene origin lies at ruler x = zero.
void placeOrigin(KvRulerWidget& ruler, int zero)
{
    if (ruler.orientation() == KvRulerWidget::Horizontal) {
        ruler.onZeroPointChanged(ruler.mapToGlobal(QPoint(zero, 0)));
    } else {
        ruler.onZeroPointChanged(ruler.mapToGlobal(QPoint(0, zero)));
    }
}

const KvRulerWidget::Tick* tickAt(const QList<KvRulerWidget::Tick>& ticks, int position,
                                  bool horizontal = true)
{
    for (const KvRulerWidget::Tick& tick : ticks) {
        if ((horizontal ? tick.start.x() : tick.start.y()) == position) {
            return &tick;
        }
    }
    return nullptr;
}

QList<int> positions(const QList<KvRulerWidget::Tick>& ticks)
{
    QList<int> result;
    for (const KvRulerWidget::Tick& tick : ticks) {
        result.append(tick.start.x());
    }
    std::sort(result.begin(), result.end());
    return result;
}

void typeInto(KvScaleWidget& box, const QString& text)
{
    QLineEdit* edit = box.comboBox()->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

QStringList items(const KvScaleWidget& box)
{
    QStringList result;
    for (int i = 0; i < box.comboBox()->count(); ++i) {
        result << box.comboBox()->itemText(i);
    }
    return result;
}

} // namespace

class tst_rulers : public QObject
{
    Q_OBJECT

private slots:
    void rulerSetup();
    void ticksByScale_data();
    void ticksByScale();
    void ticksAtHundredPercent();
    void negativeValuesAreGray();
    void scaleBoundaries_data();
    void scaleBoundaries();
    void timeMode_data();
    void timeMode();
    void verticalRuler();
    void farAwayOriginStillCountsFromZero();
    void bufferFollowsResizeAndPointer();
    void mouseMoveOnRuler();

    void zoomBoxStartsAtHundred();
    void typedValueIsInsertedInOrder();
    void typedValuesAreClamped_data();
    void typedValuesAreClamped();
    void lettersKeepTheZoom();
    void choosingAnItem();
    void setRateClampsAndIgnoresSameRate();
    void percentTruncationIsExact();

    void pointerLabelRounding_data();
    void pointerLabelRounding();
    void pointerLabelFromIntegerPoint();
};

void tst_rulers::rulerSetup()
{
    KvRulerWidget horizontal(0, Qt::white, Qt::black);
    QCOMPARE(horizontal.height(), 20);
    QCOMPARE(horizontal.minimumHeight(), 20);
    QCOMPARE(horizontal.maximumHeight(), 20);
    QCOMPARE(horizontal.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QVERIFY(horizontal.hasMouseTracking());
    QVERIFY(horizontal.autoFillBackground());
    QCOMPARE(horizontal.palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(horizontal.scaleRate(), 1.0);
    QVERIFY(!horizontal.isTimeMode());

    KvRulerWidget vertical(1, Qt::white, Qt::black);
    QCOMPARE(vertical.width(), 20);
    QCOMPARE(vertical.maximumWidth(), 20);
    QCOMPARE(vertical.sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
}

// Tick spacing in pixels, label spacing in pixels and the first labels, by zoom.
void tst_rulers::ticksByScale_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<QList<int>>("expectedPositions");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<int>>("labelPositions");

    // Origin at ruler x = 9 (ticks start at 10), ruler 202 long so L = 200.
    QTest::newRow("10%") << 0.1 << QList<int>{10,  20,  30,  40,  50,  60,  70,  80,  90, 100,
                                              110, 120, 130, 140, 150, 160, 170, 180, 190}
                         << QStringList{"0",    "200",  "400",  "600",  "800",
                                        "1000", "1200", "1400", "1600", "1800"}
                         << QList<int>{10, 30, 50, 70, 90, 110, 130, 150, 170, 190};
    QTest::newRow("100%") << 1.0 << QList<int>{10,  20,  30,  40,  50,  60,  70,  80,  90, 100,
                                               110, 120, 130, 140, 150, 160, 170, 180, 190}
                          << QStringList{"0", "100"} << QList<int>{10, 110};
    QTest::newRow("150%") << 1.5
                          << QList<int>{10, 25, 40, 55, 70, 85, 100, 115, 130, 145, 160, 175, 190}
                          << QStringList{"0", "50", "100", "150"} << QList<int>{10, 85, 160, 235};
    QTest::newRow("500%") << 5.0 << QList<int>{} << QStringList{"0", "10", "20", "30"}
                          << QList<int>{10, 60, 110, 160};
}

void tst_rulers::ticksByScale()
{
    QFETCH(double, rate);
    QFETCH(QList<int>, expectedPositions);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, labelPositions);

    KvRulerWidget ruler(0, Qt::white, Qt::black);
    ruler.resize(202, 20);
    placeOrigin(ruler, 9);
    ruler.setScaleRate(rate);
    const QList<KvRulerWidget::Tick> ticks = ruler.ticks();

    if (rate == 5.0) {
        // A tick every 5 pixels from 10 to 195, and one at 5 for -1.
        QList<int> every5;
        for (int x = 5; x < 200; x += 5) {
            every5 << x;
        }
        QCOMPARE(positions(ticks), every5);
    } else {
        QCOMPARE(positions(ticks), expectedPositions);
    }
    for (int i = 0; i < labels.size(); ++i) {
        if (labelPositions.at(i) >= 200) {
            QVERIFY(!tickAt(ticks, labelPositions.at(i)));
            continue;
        }
        const KvRulerWidget::Tick* tick = tickAt(ticks, labelPositions.at(i));
        QVERIFY2(tick, qPrintable(QString("no tick at %1").arg(labelPositions.at(i))));
        QCOMPARE(tick->label, labels.at(i));
        // Labelled ticks hang 9 pixels from the bottom edge.
        QCOMPARE(tick->start.y(), 11);
        QCOMPARE(tick->end, QPoint(labelPositions.at(i), 20));
    }
    int labelled = 0;
    for (const KvRulerWidget::Tick& tick : ticks) {
        if (!tick.label.isEmpty() && tick.start.x() >= 10) {
            ++labelled;
        }
    }
    int expectedLabelled = 0;
    for (int p : labelPositions) {
        expectedLabelled += p < 200 ? 1 : 0;
    }
    QCOMPARE(labelled, expectedLabelled);
}

void tst_rulers::ticksAtHundredPercent()
{
    KvRulerWidget ruler(0, Qt::white, Qt::black);
    ruler.resize(402, 20);
    placeOrigin(ruler, 49);
    const QList<KvRulerWidget::Tick> ticks = ruler.ticks();

    // Value 10 at x 60: short tick (inset 4), no label.
    const KvRulerWidget::Tick* ten = tickAt(ticks, 60);
    QVERIFY(ten);
    QVERIFY(ten->label.isEmpty());
    QCOMPARE(ten->start, QPoint(60, 14));
    QCOMPARE(ten->end, QPoint(60, 20));
    QCOMPARE(ten->color, QColor(Qt::black));
    // Value 50 at x 100: half interval, long tick, no label.
    const KvRulerWidget::Tick* fifty = tickAt(ticks, 100);
    QVERIFY(fifty);
    QVERIFY(fifty->label.isEmpty());
    QCOMPARE(fifty->start.y(), 11);
    // Values 100, 200, 300 at 150, 250, 350.
    QCOMPARE(tickAt(ticks, 150)->label, QString("100"));
    QCOMPARE(tickAt(ticks, 250)->label, QString("200"));
    QCOMPARE(tickAt(ticks, 350)->label, QString("300"));
    // The last tick lies before L = 400.
    QCOMPARE(positions(ticks).last(), 390);
    QCOMPARE(positions(ticks).first(), 10);
}

void tst_rulers::negativeValuesAreGray()
{
    KvRulerWidget ruler(0, Qt::white, Qt::black);
    ruler.resize(402, 20);
    placeOrigin(ruler, 249); // origin at 250, value -100 at 150, -200 at 50
    const QList<KvRulerWidget::Tick> ticks = ruler.ticks();
    const KvRulerWidget::Tick* minus100 = tickAt(ticks, 150);
    QVERIFY(minus100);
    QCOMPARE(minus100->label, QString("-100"));
    QCOMPARE(minus100->color, QColor(Qt::gray));
    QCOMPARE(tickAt(ticks, 50)->label, QString("-200"));
    QCOMPARE(tickAt(ticks, 240)->color, QColor(Qt::gray));
    QCOMPARE(tickAt(ticks, 250)->label, QString("0"));
    QCOMPARE(tickAt(ticks, 250)->color, QColor(Qt::black));
    // Backward ticks stop before 0.
    QCOMPARE(positions(ticks).first(), 10);
}

void tst_rulers::scaleBoundaries_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("secondTick"); // position of the tick after the origin's
    QTest::addColumn<QString>("secondLabel");
    QTest::addColumn<int>("labelPosition");
    QTest::addColumn<QString>("label");

    QTest::newRow("0.19") << 0.19 << 29 << "" << 48 << "200";
    QTest::newRow("0.2") << 0.2 << 12 << "" << 30 << "100";
    QTest::newRow("1.25") << 1.25 << 23 << "" << 135 << "100";
    QTest::newRow("1.26") << 1.26 << 23 << "" << 73 << "50";
    QTest::newRow("2.99") << 2.99 << 40 << "" << 160 << "50";
    QTest::newRow("3.0") << 3.0 << 13 << "" << 70 << "20";
    QTest::newRow("3.99") << 3.99 << 14 << "" << 90 << "20";
    QTest::newRow("4.0") << 4.0 << 14 << "" << 50 << "10";
}

void tst_rulers::scaleBoundaries()
{
    QFETCH(double, rate);
    QFETCH(int, secondTick);
    QFETCH(QString, secondLabel);
    QFETCH(int, labelPosition);
    QFETCH(QString, label);

    KvRulerWidget ruler(0, Qt::white, Qt::black);
    ruler.resize(302, 20);
    placeOrigin(ruler, 9);
    ruler.setScaleRate(rate);
    const QList<KvRulerWidget::Tick> ticks = ruler.ticks();
    const KvRulerWidget::Tick* second = tickAt(ticks, secondTick);
    QVERIFY2(second, qPrintable(QString("no tick at %1").arg(secondTick)));
    QCOMPARE(second->label, secondLabel);
    const KvRulerWidget::Tick* labelled = tickAt(ticks, labelPosition);
    QVERIFY2(labelled, qPrintable(QString("no tick at %1").arg(labelPosition)));
    QCOMPARE(labelled->label, label);
}

void tst_rulers::timeMode_data()
{
    QTest::addColumn<double>("rate");
    QTest::newRow("100%") << 1.0;
    QTest::newRow("37%") << 0.37;
    QTest::newRow("500%") << 5.0;
}

void tst_rulers::timeMode()
{
    QFETCH(double, rate);
    KvRulerWidget ruler(0, Qt::white, Qt::black);
    ruler.resize(602, 20);
    placeOrigin(ruler, 0);
    ruler.setScaleRate(rate);
    ruler.setTimeMode(true);
    QVERIFY(ruler.isTimeMode());
    const QList<KvRulerWidget::Tick> ticks = ruler.ticks();

    QCOMPARE(positions(ticks), (QList<int>{1, 71, 141, 211, 281, 351, 421, 491, 561}));
    // Full-height lines every 140 pixels, without labels.
    for (int x : {1, 141, 281, 421, 561}) {
        const KvRulerWidget::Tick* tick = tickAt(ticks, x);
        QVERIFY(tick->label.isEmpty());
        QCOMPARE(tick->start, QPoint(x, 0));
        QCOMPARE(tick->end, QPoint(x, 20));
    }
    // Numbers 1, 2, 3, 4 halfway between, with no line of their own.
    const QList<int> labelled{71, 211, 351, 491};
    for (int i = 0; i < labelled.size(); ++i) {
        const KvRulerWidget::Tick* tick = tickAt(ticks, labelled.at(i));
        QCOMPARE(tick->label, QString::number(i + 1));
        QCOMPARE(tick->start, tick->end);
        QCOMPARE(tick->start.y(), 20);
    }

    ruler.setTimeMode(false);
    QVERIFY(!ruler.isTimeMode());
    QVERIFY(positions(ruler.ticks()) != positions(ticks));
}

void tst_rulers::verticalRuler()
{
    KvRulerWidget ruler(1, Qt::white, Qt::black);
    ruler.resize(20, 302);
    placeOrigin(ruler, 19);
    ruler.setScaleRate(1.5);
    const QList<KvRulerWidget::Tick> ticks = ruler.ticks();
    const KvRulerWidget::Tick* zero = tickAt(ticks, 20, false);
    QVERIFY(zero);
    QCOMPARE(zero->label, QString("0"));
    QCOMPARE(zero->start, QPoint(11, 20));
    QCOMPARE(zero->end, QPoint(20, 20));
    const KvRulerWidget::Tick* ten = tickAt(ticks, 35, false);
    QVERIFY(ten);
    QCOMPARE(ten->start, QPoint(14, 35));
    QCOMPARE(tickAt(ticks, 95, false)->label, QString("50"));
    const KvRulerWidget::Tick* minus = tickAt(ticks, 5, false);
    QVERIFY(minus);
    QCOMPARE(minus->color, QColor(Qt::gray));
}

void tst_rulers::farAwayOriginStillCountsFromZero()
{
    // Scrolled far to the right of the stage at 500 %: the visible ticks keep the
    // values they would have had when counted one by one from the origin.
    KvRulerWidget ruler(0, Qt::white, Qt::black);
    ruler.resize(202, 20);
    ruler.setScaleRate(5.0);
    placeOrigin(ruler, -100001); // origin at -100000: value at x = 0 is 20000
    const QList<KvRulerWidget::Tick> ticks = ruler.ticks();
    QVERIFY(ticks.size() < 50);
    const KvRulerWidget::Tick* zero = tickAt(ticks, 0);
    QVERIFY(zero);
    QCOMPARE(zero->label, QString("20000"));
    QCOMPARE(tickAt(ticks, 50)->label, QString("20010"));

    // And far to the left: only negative values, all gray.
    placeOrigin(ruler, 100009); // origin at 100010: x = 10 is value -20000
    const QList<KvRulerWidget::Tick> left = ruler.ticks();
    QVERIFY(left.size() < 50);
    QCOMPARE(tickAt(left, 10)->label, QString("-20000"));
    for (const KvRulerWidget::Tick& tick : left) {
        QCOMPARE(tick.color, QColor(Qt::gray));
    }
}

void tst_rulers::bufferFollowsResizeAndPointer()
{
    KvRulerWidget ruler(0, Qt::white, Qt::black);
    ruler.resize(300, 20);
    ruler.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ruler));
    placeOrigin(ruler, 249);
    QCOMPARE(ruler.buffer().size(), QSize(300, 20));

    ruler.onMousePositionChanged(ruler.mapToGlobal(QPoint(122, 3)));
    QCOMPARE(ruler.pointerPosition(), QPoint(122, 3));
    QImage image = ruler.buffer().toImage();
    // The pointer line, one pixel right of the pointer, from y 1 down.
    QCOMPARE(QColor(image.pixel(123, 5)), QColor(Qt::darkGray));
    // A gray tick of a negative value (value -10 at x 240) hangs from the bottom.
    QCOMPARE(QColor(image.pixel(240, 18)), QColor(Qt::gray));
    QCOMPARE(qAlpha(image.pixel(240, 12)), 0);
    // A black tick of a positive value (value 10 at 260).
    QCOMPARE(QColor(image.pixel(260, 18)), QColor(Qt::black));

    ruler.resize(500, 20);
    QTRY_COMPARE(ruler.buffer().size(), QSize(500, 20));
}

void tst_rulers::mouseMoveOnRuler()
{
    KvRulerWidget ruler(0, Qt::white, Qt::black);
    ruler.resize(300, 20);
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&ruler, &move);
    QVERIFY(move.isAccepted());
    QCOMPARE(ruler.pointerPosition(), QPoint(29, 4));
}

void tst_rulers::zoomBoxStartsAtHundred()
{
    KvScaleWidget box;
    QCOMPARE(box.rate(), 1.0);
    QCOMPARE(box.ratePercent(), 100);
    QCOMPARE(items(box), (QStringList{"25", "50", "75", "100", "125", "150", "175", "200", "300",
                                      "400", "1000"}));
    QCOMPARE(box.comboBox()->currentText(), QString("100"));
    QVERIFY(box.comboBox()->isEditable());
    QCOMPARE(box.comboBox()->insertPolicy(), QComboBox::NoInsert);
    QVERIFY(box.comboBox()->inputMethodHints() & Qt::ImhDigitsOnly);
}

void tst_rulers::typedValueIsInsertedInOrder()
{
    KvScaleWidget box;
    QSignalSpy spy(&box, SIGNAL(rateChanged(double)));
    typeInto(box, "90");
    QCOMPARE(box.ratePercent(), 90);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toDouble(), 0.9);
    QCOMPARE(items(box), (QStringList{"25", "50", "75", "90", "100", "125", "150", "175", "200",
                                      "300", "400", "1000"}));
    QCOMPARE(box.comboBox()->currentText(), QString("90"));
    QCOMPARE(box.comboBox()->currentIndex(), 3);

    // The same value again changes nothing and adds nothing.
    typeInto(box, "90");
    QCOMPARE(spy.count(), 1);
    QCOMPARE(box.comboBox()->count(), 12);
}

void tst_rulers::typedValuesAreClamped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("count");

    QTest::newRow("5") << "5" << 10 << "10" << 12;
    QTest::newRow("2000") << "2000" << 1000 << "1000" << 11;
    QTest::newRow("10") << "10" << 10 << "10" << 12;
    QTest::newRow("1000") << "1000" << 1000 << "1000" << 11;
    QTest::newRow("0") << "0" << 10 << "10" << 12;
    QTest::newRow("999") << "999" << 999 << "999" << 12;
}

void tst_rulers::typedValuesAreClamped()
{
    QFETCH(QString, typed);
    QFETCH(int, percent);
    QFETCH(QString, shown);
    QFETCH(int, count);

    KvScaleWidget box;
    QSignalSpy spy(&box, SIGNAL(rateChanged(double)));
    typeInto(box, typed);
    QCOMPARE(box.ratePercent(), percent);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(box.comboBox()->currentText(), shown);
    QCOMPARE(box.comboBox()->count(), count);
    QVERIFY(box.rate() >= 0.1 && box.rate() <= 10.0);
}

void tst_rulers::lettersKeepTheZoom()
{
    KvScaleWidget box;
    box.setRatePercent(150);
    QSignalSpy spy(&box, SIGNAL(rateChanged(double)));
    box.comboBox()->lineEdit()->setText("abc");
    QMetaObject::invokeMethod(box.comboBox()->lineEdit(), "editingFinished");
    QCOMPARE(box.rate(), 1.5);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(box.comboBox()->count(), 11);
    // The field shows the zoom in force again.
    QCOMPARE(box.comboBox()->currentText(), QString("150"));

    box.onComboBoxTextChanged("12x");
    QCOMPARE(box.rate(), 1.5);
    QCOMPARE(spy.count(), 0);
}

void tst_rulers::choosingAnItem()
{
    KvScaleWidget box;
    QSignalSpy spy(&box, SIGNAL(rateChanged(double)));
    box.comboBox()->setCurrentIndex(box.comboBox()->findText("300"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toDouble(), 3.0);
    QCOMPARE(box.ratePercent(), 300);
    QCOMPARE(box.comboBox()->count(), 11);
}

void tst_rulers::setRateClampsAndIgnoresSameRate()
{
    KvScaleWidget box;
    QSignalSpy spy(&box, SIGNAL(rateChanged(double)));
    box.setRate(1.0);
    box.setRatePercent(100);
    QCOMPARE(spy.count(), 0);

    box.setRate(0.01);
    QCOMPARE(box.rate(), 0.1);
    QCOMPARE(spy.count(), 1);
    box.setRatePercent(1); // still 10 %
    QCOMPARE(spy.count(), 1);
    box.setRate(42.0);
    QCOMPARE(box.rate(), 10.0);
    QCOMPARE(box.comboBox()->currentText(), QString("1000"));
    QCOMPARE(spy.count(), 2);
    box.setRate(0.5);
    QCOMPARE(box.comboBox()->currentText(), QString("50"));
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.last().first().toDouble(), 0.5);
}

void tst_rulers::percentTruncationIsExact()
{
    // Rates such as 0.29 or 1.13 are a hair below their percent as doubles; the box
    // must still show and list the percent that was asked for.
    KvScaleWidget box;
    for (int percent = 10; percent <= 1000; ++percent) {
        box.setRatePercent(percent);
        QCOMPARE(box.ratePercent(), percent);
        QCOMPARE(box.comboBox()->currentText(), QString::number(percent));
    }
    // Every value joined the list once, in ascending order.
    QCOMPARE(box.comboBox()->count(), 991);
    for (int i = 1; i < box.comboBox()->count(); ++i) {
        QVERIFY(box.comboBox()->itemText(i - 1).toInt() < box.comboBox()->itemText(i).toInt());
    }
}

void tst_rulers::pointerLabelRounding_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");

    QTest::newRow("description") << QPointF(11.6, -2.5) << "X:12"
                                 << "Y:-2";
    QTest::newRow("halves up") << QPointF(2.5, -0.5) << "X:3"
                               << "Y:0";
    QTest::newRow("below half") << QPointF(2.49, -2.51) << "X:2"
                                << "Y:-3";
    QTest::newRow("zero") << QPointF(0, 0) << "X:0"
                          << "Y:0";
    QTest::newRow("six digits") << QPointF(1234567.4, 999999.4) << "X:1.23457e+06"
                                << "Y:999999";
}

void tst_rulers::pointerLabelRounding()
{
    QFETCH(QPointF, point);
    QFETCH(QString, x);
    QFETCH(QString, y);

    KvPointLabelWidget label;
    QCOMPARE(label.xLabel()->text(), QString("X:"));
    QCOMPARE(label.yLabel()->text(), QString("Y:"));
    label.setPointValue(point);
    QCOMPARE(label.xLabel()->text(), x);
    QCOMPARE(label.yLabel()->text(), y);
    QCOMPARE(label.pointValue(), point);
}

void tst_rulers::pointerLabelFromIntegerPoint()
{
    KvPointLabelWidget label;
    QVERIFY(QMetaObject::invokeMethod(&label, "setPointValue", Q_ARG(QPoint, QPoint(3, -4))));
    QCOMPARE(label.xLabel()->text(), QString("X:3"));
    QCOMPARE(label.yLabel()->text(), QString("Y:-4"));
    QCOMPARE(label.pointValue(), QPointF(3, -4));
    QCOMPARE(label.xLabel()->minimumWidth(), 30);
}

QTEST_MAIN(tst_rulers)
#include "tst_rulers.moc"
