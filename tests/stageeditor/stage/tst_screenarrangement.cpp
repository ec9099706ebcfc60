// Align, distribute and z-order moves over plain screens: the new places, the old values
// handed back for undo, the tie order and the refusals.

#include <QtTest>

#include <memory>
#include <vector>

#include "kvscreen.h"
#include "kvscreenarrangement.h"
#include "kvtestfactories.h"

using namespace Kova;
using Rects = QList<QRectF>;
using E = KvEditorCommon;

namespace {

// The screens' names joined by spaces, in list order (sorted: in name order).
QString namesOf(const QList<KvScreen*>& screens, bool sorted = false)
{
    QStringList names;
    for (const KvScreen* screen : screens)
        names << screen->name();
    if (sorted)
        names.sort();
    return names.join(' ');
}

void row(bool distribute, const char* name, KvEditorCommon::Align mode, const Rects& rects,
         const Rects& expected, int locked = -1)
{
    QTest::newRow(QByteArray(distribute ? "distribute " : "align ").append(name).constData())
        << distribute << int(mode) << rects << locked << expected;
}

} // namespace

class TestScreenArrangement : public QObject
{
    Q_OBJECT

private:
    // Screens S1, S2, ... in list order, with z-indexes zStep, 2 zStep, ...
    QList<KvScreen*> makeScreens(const Rects& rects, int zStep = 1)
    {
        m_owned.clear();
        QList<KvScreen*> screens;
        for (int i = 0; i < rects.count(); ++i) {
            screens << Test::makeScreen(i + 1, ScreenType::Multimedia, rects.at(i), {},
                                        (i + 1) * zStep);
            m_owned.emplace_back(screens.last());
        }
        return screens;
    }

    std::vector<std::unique_ptr<KvScreen>> m_owned;

private slots:
    // Align or distribute with `mode` the screens of `rects` (in selection order), the one at
    // index `locked` locked (-1: none): the rectangles expected afterwards.
    void arrange_data()
    {
        QTest::addColumn<bool>("distribute");
        QTest::addColumn<int>("mode");
        QTest::addColumn<Rects>("rects");
        QTest::addColumn<int>("locked");
        QTest::addColumn<Rects>("expected");

        row(false, "left", E::AlignLeft, {{30, 0, 10, 10}, {10, 20, 50, 5}},
            {{10, 0, 10, 10}, {10, 20, 50, 5}});
        // Centres 100, 200 and 600 meet at their mean.
        row(false, "horizontal centre", E::AlignHCenter,
            {{50, 0, 100, 10}, {180, 0, 40, 10}, {500, 0, 200, 10}},
            {{250, 0, 100, 10}, {280, 0, 40, 10}, {200, 0, 200, 10}});
        row(false, "right", E::AlignRight, {{10, 0, 100, 40}, {300, 100, 50, 40}},
            {{250, 0, 100, 40}, {300, 100, 50, 40}});
        row(false, "top", E::AlignTop, {{0, 30, 10, 10}, {0, 5, 10, 20}},
            {{0, 5, 10, 10}, {0, 5, 10, 20}});
        row(false, "vertical centre", E::AlignVCenter, {{0, 0, 10, 10}, {7, 10, 10, 30}},
            {{0, 10, 10, 10}, {7, 0, 10, 30}});
        row(false, "bottom", E::AlignBottom, {{0, 0, 10, 10}, {0, 50, 10, 20}},
            {{0, 60, 10, 10}, {0, 50, 10, 20}});
        row(false, "one screen", E::AlignLeft, {{30, 0, 10, 10}}, {{30, 0, 10, 10}});
        row(false, "locked screen", E::AlignRight, {{10, 0, 100, 40}, {300, 100, 50, 40}},
            {{10, 0, 100, 40}, {300, 100, 50, 40}}, 1);

        const Rects three{{0, 0, 10, 10}, {10, 50, 10, 10}, {100, 0, 10, 10}};
        row(true, "left", E::AlignLeft, three,
            {{0, 0, 10, 10}, {50, 50, 10, 10}, {100, 0, 10, 10}});
        // Edges, not gaps, are spaced evenly, in the order of the edges, not of the selection.
        row(true, "top, unsorted", E::AlignTop, {{0, 100, 5, 5}, {0, 0, 5, 5}, {0, 30, 5, 40}},
            {{0, 100, 5, 5}, {0, 0, 5, 5}, {0, 50, 5, 40}});
        // Equal edges: the later screen of the selection comes first (the first keeps its place).
        row(true, "tie, later first", E::AlignBottom, three,
            {{0, 25, 10, 10}, {10, 50, 10, 10}, {100, 0, 10, 10}});
        row(true, "tie of three", E::AlignHCenter,
            {{0, 0, 10, 5}, {0, 9, 10, 5}, {0, 18, 10, 5}, {90, 0, 10, 5}},
            {{60, 0, 10, 5}, {30, 9, 10, 5}, {0, 18, 10, 5}, {90, 0, 10, 5}});
        row(true, "two screens", E::AlignLeft, three.mid(1), three.mid(1));
        row(true, "locked screen", E::AlignLeft, three, three, 0);
    }

    void arrange()
    {
        QFETCH(bool, distribute);
        QFETCH(int, mode);
        QFETCH(Rects, rects);
        QFETCH(int, locked);
        QFETCH(Rects, expected);
        const QList<KvScreen*> screens = makeScreens(rects);
        if (locked >= 0)
            screens.at(locked)->setLockScreen(true);
        const auto align = KvEditorCommon::Align(mode);
        const QMap<KvScreen*, QPointF> old = distribute
                                                 ? ScreenArrangement::distribute(screens, align)
                                                 : ScreenArrangement::align(screens, align);
        for (int i = 0; i < screens.count(); ++i) {
            QCOMPARE(screens.at(i)->rect(), expected.at(i));
            // The old top-left of exactly the screens that moved, for the undo.
            const bool moved = rects.at(i) != expected.at(i);
            QCOMPARE(old.contains(screens.at(i)), moved);
            if (moved)
                QCOMPARE(old.value(screens.at(i)), rects.at(i).topLeft());
        }
    }

    void moveZIndex_data()
    {
        QTest::addColumn<QList<int>>("selected"); // screen numbers
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("order");    // bottom to top afterwards
        QTest::addColumn<QString>("recorded"); // screens with an old z-index in the result
        QTest::addColumn<QString>("canMove");  // the ways the selection could move before
        const auto zRow = [](const char* name, QList<int> selected, int steps, const char* order,
                             const char* recorded, const char* canMove = "forward backward") {
            QTest::newRow(name) << selected << steps << QString(order) << QString(recorded)
                                << QString(canMove);
        };
        zRow("forward S2", {2}, 1, "S1 S3 S2 S4 S5", "S2 S3");
        zRow("front S2", {2}, 5, "S1 S3 S4 S5 S2", "S2 S3 S4 S5");
        // S4 reaches the top after one place; S2 moves one place too.
        zRow("front S2 S4", {2, 4}, 5, "S1 S3 S2 S5 S4", "S2 S3 S4 S5");
        zRow("backward S4", {4}, -1, "S1 S2 S4 S3 S5", "S3 S4");
        // The block keeps its gap: S3 reaches the bottom after two places, S5 moves two too.
        zRow("back S3 S5", {5, 3}, -5, "S3 S1 S5 S2 S4", "S1 S2 S3 S4 S5", "backward");
        // Already at the bottom: the step shrinks to 0, yet the screens are recorded.
        zRow("back S1 S3", {1, 3}, -1, "S1 S2 S3 S4 S5", "S1 S3", "forward");
        zRow("every screen", {1, 2, 3, 4, 5}, 1, "S1 S2 S3 S4 S5", "", "");
        zRow("nothing", {}, 1, "S1 S2 S3 S4 S5", "", "");
        zRow("no step", {2}, 0, "S1 S2 S3 S4 S5", "");
    }

    void moveZIndex()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, steps);
        QFETCH(QString, order);
        QFETCH(QString, recorded);
        QFETCH(QString, canMove);
        for (int zStep : {1, 10}) {
            QList<KvScreen*> list = makeScreens(QVector<QRectF>(5).toList(), zStep);
            const QList<KvScreen*> screens = list;
            QList<KvScreen*> selection;
            for (int number : selected)
                selection << screens.at(number - 1);
            QStringList ways;
            if (ScreenArrangement::canMoveZIndex(selection, list, true))
                ways << "forward";
            if (ScreenArrangement::canMoveZIndex(selection, list, false))
                ways << "backward";
            QCOMPARE(ways.join(' '), canMove);
            const QMap<KvScreen*, int> old = ScreenArrangement::moveZIndex(list, selection, steps);

            QCOMPARE(namesOf(list), order);
            for (int i = 1; i < list.count(); ++i)
                QVERIFY(list.at(i - 1)->zIndex() < list.at(i)->zIndex());
            QCOMPARE(namesOf(old.keys(), true), recorded);
            // The old values put every z-index back.
            for (auto it = old.cbegin(); it != old.cend(); ++it)
                it.key()->setZIndex(it.value());
            for (int i = 0; i < screens.count(); ++i)
                QCOMPARE(screens.at(i)->zIndex(), (i + 1) * zStep);
        }
    }
};

QTEST_GUILESS_MAIN(TestScreenArrangement)
#include "tst_screenarrangement.moc"
