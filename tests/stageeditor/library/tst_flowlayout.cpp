#include "kvflowlayout.h"

#include <QLabel>
#include <QWidget>
#include <QtTest>

using namespace Kova;

class TestFlowLayout : public QObject
{
    Q_OBJECT

private:
    // A parent with three fixed 100x20 children in a flow layout with `margin` on every side,
    // a horizontal spacing of 5 and a vertical one of 6.
    static QWidget* makeHost(KvFlowLayout** layoutOut, int margin = 0)
    {
        auto* host = new QWidget;
        auto* layout = new KvFlowLayout(host, margin, 5, 6);
        for (int i = 0; i < 3; ++i) {
            auto* child = new QWidget(host);
            child->setObjectName(QStringLiteral("child%1").arg(i));
            child->setFixedSize(100, 20);
            layout->addWidget(child);
        }
        *layoutOut = layout;
        return host;
    }

private slots:
    void wrapsAtTheRightEdge_data()
    {
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("expectedHeight");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("exactly three") << 0 << 310 << 20 << QList<int>{0, 0, 0};
        QTest::newRow("one pixel short") << 0 << 309 << 46 << QList<int>{0, 0, 1};
        QTest::newRow("narrower than an item: one a line") << 0 << 50 << 72 << QList<int>{0, 1, 2};
        QTest::newRow("margins: exactly three") << 7 << 324 << 34 << QList<int>{0, 0, 0};
        QTest::newRow("margins: one pixel short") << 7 << 323 << 60 << QList<int>{0, 0, 1};
    }

    void wrapsAtTheRightEdge()
    {
        QFETCH(int, margin);
        QFETCH(int, width);
        QFETCH(int, expectedHeight);
        QFETCH(QList<int>, rows);
        KvFlowLayout* layout = nullptr;
        QScopedPointer<QWidget> host(makeHost(&layout, margin));
        QCOMPARE(layout->heightForWidth(width), expectedHeight);
        layout->setGeometry(QRect(0, 0, width, expectedHeight));
        for (int i = 0; i < 3; ++i) {
            const QRect r = layout->itemAt(i)->geometry();
            QCOMPARE(r.size(), QSize(100, 20));
            QCOMPARE(r.y(), margin + rows.at(i) * 26);
            if (i == 0 || rows.at(i) != rows.at(i - 1))
                QCOMPARE(r.x(), margin); // a line starts at the margin
        }
        // Items on one line follow each other with the spacing in between.
        if (rows.at(0) == rows.at(1))
            QCOMPARE(layout->itemAt(1)->geometry().x(), margin + 105);
    }

    // As narrow as the widest item, as wide as all on one line; a hidden item takes no place.
    void sizesAndItemAccess()
    {
        KvFlowLayout* layout = nullptr;
        QScopedPointer<QWidget> host(makeHost(&layout));
        QCOMPARE(layout->minimumSize(), QSize(100, 20));
        QCOMPARE(layout->sizeHint(), QSize(310, 20));
        host->findChild<QWidget*>(QStringLiteral("child1"))->hide();
        QCOMPARE(layout->sizeHint(), QSize(205, 20));
        QCOMPARE(layout->heightForWidth(205), 20);
        QVERIFY(!layout->itemAt(3));
        QVERIFY(!layout->itemAt(-1));
        QVERIFY(!layout->takeAt(5));
        QLayoutItem* item = layout->takeAt(0);
        QVERIFY(item);
        QCOMPARE(item->widget()->objectName(), QStringLiteral("child0"));
        delete item;
        QCOMPARE(layout->count(), 2);
    }

    void itemWiderThanTheLineIsNarrowedToItsMinimum()
    {
        QWidget host;
        auto* layout = new KvFlowLayout(&host, 0, 5, 5);
        auto* wide = new QLabel(QString(60, QLatin1Char('W')), &host);
        wide->setMinimumWidth(50);
        layout->addWidget(wide);
        auto* fixed = new QWidget(&host);
        fixed->setFixedSize(100, 20);
        layout->addWidget(fixed);
        QVERIFY(wide->sizeHint().width() > 120);

        layout->setGeometry(QRect(0, 0, 120, 100));
        QCOMPARE(layout->itemAt(0)->geometry().width(), 120);
        QCOMPARE(layout->itemAt(1)->geometry().topLeft(),
                 QPoint(0, layout->itemAt(0)->geometry().bottom() + 6));
        layout->setGeometry(QRect(0, 0, 30, 100));
        QCOMPARE(layout->itemAt(0)->geometry().width(), 50);
        QCOMPARE(layout->itemAt(1)->geometry().width(), 100);
        QCOMPARE(layout->minimumSize().width(), 100);
    }
};

QTEST_MAIN(TestFlowLayout)
#include "tst_flowlayout.moc"
