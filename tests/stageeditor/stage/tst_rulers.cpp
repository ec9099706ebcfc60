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

namespace {

// Puts the scene origin at ruler coordinate `zero` (along the ruler).
void placeOrigin(KvRulerWidget& ruler, int zero)
{
    const bool horizontal = ruler.orientation() == KvRulerWidget::Horizontal;
    ruler.onZeroPointChanged(ruler.mapToGlobal(horizontal ? QPoint(zero, 0) : QPoint(0, zero)));
}

int along(const KvRulerWidget& ruler, const QPoint& point)
{
    return ruler.orientation() == KvRulerWidget::Horizontal ? point.x() : point.y();
}

QList<int> positions(const KvRulerWidget& ruler)
{
    QList<int> result;
    for (const KvRulerWidget::Tick& tick : ruler.ticks())
        result.append(along(ruler, tick.start));
    std::sort(result.begin(), result.end());
    return result;
}

const KvRulerWidget::Tick* tickAt(const QList<KvRulerWidget::Tick>& ticks,
                                  const KvRulerWidget& ruler, int position)
{
    for (const KvRulerWidget::Tick& tick : ticks) {
        if (along(ruler, tick.start) == position)
            return &tick;
    }
    return nullptr;
}

void typeInto(KvScaleWidget& box, const QString& text)
{
    QLineEdit* edit = box.comboBox()->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

QList<int> items(const KvScaleWidget& box)
{
    QList<int> result;
    for (int i = 0; i < box.comboBox()->count(); ++i)
        result << box.comboBox()->itemText(i).toInt();
    return result;
}

} // namespace

class TestRulers : public QObject
{
    Q_OBJECT

private slots:
    // One tick of a ruler 402 pixels long (300 when vertical, ticks up to 400 or 298), with the
    // scene origin at `zero`: its label, where its line starts across the ruler (20 thick: 11
    // for labelled and half-interval ticks, 14 for the others) and its colour; `second` is where
    // the tick after the origin's lies (none when negative).
    void ticks_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("zero");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("inset");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("second");

        const QColor black(Qt::black);
        const QColor gray(Qt::gray);
        const auto row = [](const char* tag, bool vertical, double rate, int zero, int position,
                            const char* label, int inset, const QColor& color, int second) {
            QTest::newRow(tag) << vertical << rate << zero << position << QString(label) << inset
                               << color << second;
        };
        row("10%: 100 units, labels every 200", false, 0.1, 9, 30, "200", 11, black, 20);
        row("0.19: 100 units", false, 0.19, 9, 48, "200", 11, black, 29);
        row("0.2: 10 units, labels every 100", false, 0.2, 9, 30, "100", 11, black, 12);
        row("100%: short tick", false, 1.0, 49, 60, "", 14, black, 60);
        row("100%: half interval", false, 1.0, 49, 100, "", 11, black, 60);
        row("100%: label", false, 1.0, 49, 150, "100", 11, black, 60);
        row("1.25: labels every 100", false, 1.25, 9, 135, "100", 11, black, 23);
        row("1.26: labels every 50", false, 1.26, 9, 73, "50", 11, black, 23);
        row("2.99", false, 2.99, 9, 160, "50", 11, black, 40);
        row("3.0: 1 unit, labels every 20", false, 3.0, 9, 70, "20", 11, black, 13);
        row("3.99", false, 3.99, 9, 90, "20", 11, black, 14);
        row("4.0: labels every 10", false, 4.0, 9, 50, "10", 11, black, 14);
        row("negative label is gray", false, 1.0, 249, 150, "-100", 11, gray, 260);
        row("far right still counts from the origin", false, 5.0, -100001, 50, "20010", 11, black,
            -1);
        row("far left, all negative", false, 5.0, 100009, 10, "-20000", 11, gray, -1);
        row("vertical origin", true, 1.5, 19, 20, "0", 11, black, 35);
        row("vertical label", true, 1.5, 19, 95, "50", 11, black, 35);
        row("vertical negative", true, 1.5, 19, 5, "", 14, gray, 35);
    }

    void ticks()
    {
        QFETCH(bool, vertical);
        QFETCH(double, rate);
        QFETCH(int, zero);
        QFETCH(int, position);
        QFETCH(QString, label);
        QFETCH(int, inset);
        QFETCH(QColor, color);
        QFETCH(int, second);

        KvRulerWidget ruler(vertical ? 1 : 0, Qt::white, Qt::black);
        if (vertical)
            ruler.resize(20, 300);
        else
            ruler.resize(402, 20);
        ruler.setScaleRate(rate);
        placeOrigin(ruler, zero);
        const QList<KvRulerWidget::Tick> ticks = ruler.ticks();

        const KvRulerWidget::Tick* tick = tickAt(ticks, ruler, position);
        QVERIFY2(tick, qPrintable(QString("no tick at %1").arg(position)));
        QCOMPARE(tick->label, label);
        QCOMPARE(tick->color, color);
        // Ticks hang from the edge next to the canvas.
        QCOMPARE(tick->start, vertical ? QPoint(inset, position) : QPoint(position, inset));
        QCOMPARE(tick->end, vertical ? QPoint(20, position) : QPoint(position, 20));
        if (second >= 0) {
            // With the origin on the ruler, the ticks cover the ruler only, inside both ends.
            const QList<int> all = positions(ruler);
            QVERIFY(all.first() > 0);
            QVERIFY(all.last() < (vertical ? 298 : 400));
            const int origin = zero + 1;
            QVERIFY(all.contains(second));
            for (int p : all)
                QVERIFY2(p <= origin || p >= second,
                         qPrintable(QString("extra tick at %1").arg(p)));
        } else {
            // However far away the origin, only the visible stretch is built.
            QVERIFY(ticks.size() < 100);
        }
    }

    void timeMode_data()
    {
        QTest::addColumn<double>("rate");
        QTest::newRow("100%") << 1.0;
        QTest::newRow("37%") << 0.37;
    }

    void timeMode()
    {
        QFETCH(double, rate);
        KvRulerWidget ruler(0, Qt::white, Qt::black);
        ruler.resize(602, 20);
        placeOrigin(ruler, 0);
        ruler.setScaleRate(rate);
        const QList<int> plain = positions(ruler);
        ruler.setTimeMode(true);
        const QList<KvRulerWidget::Tick> ticks = ruler.ticks();
        QCOMPARE(positions(ruler), (QList<int>{1, 71, 141, 211, 281, 351, 421, 491, 561}));
        // Full-height lines every 140 pixels, without labels.
        for (int x : {1, 141, 281, 421, 561}) {
            const KvRulerWidget::Tick* tick = tickAt(ticks, ruler, x);
            QVERIFY(tick->label.isEmpty());
            QCOMPARE(tick->start, QPoint(x, 0));
            QCOMPARE(tick->end, QPoint(x, 20));
        }
        // Numbers 1, 2, 3, 4 halfway between, with no line of their own.
        const QList<int> labelled{71, 211, 351, 491};
        for (int i = 0; i < labelled.size(); ++i) {
            const KvRulerWidget::Tick* tick = tickAt(ticks, ruler, labelled.at(i));
            QCOMPARE(tick->label, QString::number(i + 1));
            QCOMPARE(tick->start, QPoint(labelled.at(i), 20));
            QCOMPARE(tick->end, tick->start);
        }
        ruler.setTimeMode(false);
        QCOMPARE(positions(ruler), plain);
    }

    void bufferFollowsResizeAndPointer()
    {
        KvRulerWidget ruler(0, Qt::white, Qt::black);
        ruler.resize(300, 20);
        ruler.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ruler));
        placeOrigin(ruler, 249);
        QCOMPARE(ruler.buffer().size(), QSize(300, 20));

        ruler.onMousePositionChanged(ruler.mapToGlobal(QPoint(122, 3)));
        QCOMPARE(ruler.pointerPosition(), QPoint(122, 3));
        const QImage image = ruler.buffer().toImage();
        // The pointer line, one pixel right of the pointer, from y 1 down.
        QCOMPARE(QColor(image.pixel(123, 5)), QColor(Qt::darkGray));
        // A gray tick of a negative value (value -10 at x 240) hangs from the bottom.
        QCOMPARE(QColor(image.pixel(240, 18)), QColor(Qt::gray));
        QCOMPARE(qAlpha(image.pixel(240, 12)), 0);
        // A black tick of a positive value (value 10 at 260).
        QCOMPARE(QColor(image.pixel(260, 18)), QColor(Qt::black));

        ruler.resize(500, 20);
        QTRY_COMPARE(ruler.buffer().size(), QSize(500, 20));
        // A move over the ruler itself places the pointer too.
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 5), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&ruler, &move);
        QVERIFY(move.isAccepted());
        QCOMPARE(ruler.pointerPosition(), QPoint(29, 4));
    }

    // A zoom typed into the box (at 100 %) and confirmed, chosen from its list or set from
    // outside: the zoom, what the box shows, how many entries its list has and how many changes
    // it reported. Zooms are held to 10 to 1000 %.
    void zoomBox_data()
    {
        QTest::addColumn<QString>("how"); // "type", "choose" or "set" (a rate)
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("emitted");

        QTest::newRow("90 joins the list") << "type"
                                           << "90" << 90 << 12 << 1;
        QTest::newRow("5 is 10") << "type"
                                 << "5" << 10 << 12 << 1;
        QTest::newRow("2000 is 1000") << "type"
                                      << "2000" << 1000 << 11 << 1;
        QTest::newRow("a listed value") << "type"
                                        << "300" << 300 << 11 << 1;
        QTest::newRow("the zoom in force") << "type"
                                           << "100" << 100 << 11 << 0;
        QTest::newRow("digits and letters keep the zoom") << "type"
                                                          << "12x" << 100 << 11 << 0;
        QTest::newRow("chosen from the list") << "choose"
                                              << "300" << 300 << 11 << 1;
        QTest::newRow("set below the least") << "set"
                                             << "0.01" << 10 << 12 << 1;
        QTest::newRow("set above the most") << "set"
                                            << "42" << 1000 << 11 << 1;
        QTest::newRow("set to the zoom in force") << "set"
                                                  << "1" << 100 << 11 << 0;
    }

    void zoomBox()
    {
        QFETCH(QString, how);
        QFETCH(QString, value);
        QFETCH(int, percent);
        QFETCH(int, count);
        QFETCH(int, emitted);

        KvScaleWidget box;
        QCOMPARE(box.ratePercent(), 100);
        QSignalSpy spy(&box, &KvScaleWidget::rateChanged);
        if (how == "type")
            typeInto(box, value);
        else if (how == "choose")
            box.comboBox()->setCurrentIndex(box.comboBox()->findText(value));
        else
            box.setRate(value.toDouble());
        QCOMPARE(box.ratePercent(), percent);
        QCOMPARE(spy.count(), emitted);
        if (emitted)
            QCOMPARE(spy.first().first().toDouble(), percent / 100.0);
        // The box shows the zoom in force; its list stays in ascending order.
        QCOMPARE(box.comboBox()->currentText(), QString::number(percent));
        QCOMPARE(box.comboBox()->count(), count);
        QList<int> sorted = items(box);
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(items(box), sorted);
    }

    void percentTruncationIsExact()
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
        for (int i = 1; i < box.comboBox()->count(); ++i)
            QVERIFY(box.comboBox()->itemText(i - 1).toInt() < box.comboBox()->itemText(i).toInt());
    }

    void pointerLabelRounding_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QString>("shown"); // "X:<x> Y:<y>"

        QTest::newRow("rounded") << QPointF(11.6, -2.5) << "X:12 Y:-2";
        QTest::newRow("halves up") << QPointF(2.5, -0.5) << "X:3 Y:0";
        QTest::newRow("below half") << QPointF(2.49, -2.51) << "X:2 Y:-3";
        QTest::newRow("six digits") << QPointF(1234567.4, 999999.4) << "X:1.23457e+06 Y:999999";
    }

    void pointerLabelRounding()
    {
        QFETCH(QPointF, point);
        QFETCH(QString, shown);

        KvPointLabelWidget label;
        label.setPointValue(point);
        QCOMPARE(label.xLabel()->text() + " " + label.yLabel()->text(), shown);
        QCOMPARE(label.pointValue(), point);
        // A whole-number point shows as it is.
        label.setPointValue(QPoint(3, -4));
        QCOMPARE(label.xLabel()->text(), QString("X:3"));
        QCOMPARE(label.pointValue(), QPointF(3, -4));
    }
};

QTEST_MAIN(TestRulers)
#include "tst_rulers.moc"
