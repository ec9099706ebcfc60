#include "kveditorcommon.h"
#include "kvpreservedevent.h"
#include "kvscreen.h"
#include "kvtestfactories.h"

#include <QtTest>

#include <memory>
#include <vector>

using namespace Kova;

class TestEditorCommon : public QObject
{
    Q_OBJECT

private:
    std::vector<std::unique_ptr<KvScreen>> m_owned;

    KvScreen* screen(int id, int z)
    {
        m_owned.emplace_back(Kova::Test::makeScreen(id, ScreenType::Multimedia, QRectF(), {}, z));
        return m_owned.back().get();
    }

    static QList<int> ids(const QList<KvScreen*>& screens)
    {
        QList<int> result;
        for (const KvScreen* s : screens)
            result.append(s ? s->id() : -1);
        return result;
    }

private slots:
    void cleanup() { m_owned.clear(); }

    void sortByZIndex_data()
    {
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QList<int>>("zIndexes"); // of screens 3, 9, 4, 2; -1: a null entry
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<int>("highestId");
        // Equal z indexes keep their order.
        QTest::newRow("ascending") << true << QList<int>{5, 1, 5, 0} << QList<int>{2, 9, 3, 4} << 9;
        QTest::newRow("descending")
            << false << QList<int>{5, 1, 5, 7} << QList<int>{2, 3, 4, 9} << 9;
        QTest::newRow("null last")
            << true << QList<int>{3, -1, 1, 2} << QList<int>{4, 2, 3, -1} << 4;
        QTest::newRow("empty") << true << QList<int>{} << QList<int>{} << 0;
    }

    void sortByZIndex()
    {
        QFETCH(bool, ascending);
        QFETCH(QList<int>, zIndexes);
        QFETCH(QList<int>, order);
        QFETCH(int, highestId);
        const QList<int> screenIds{3, 9, 4, 2};
        QList<KvScreen*> list;
        for (int i = 0; i < zIndexes.count(); ++i)
            list.append(zIndexes.at(i) < 0 ? nullptr : screen(screenIds.at(i), zIndexes.at(i)));
        QCOMPARE(ascending ? KvEditorCommon::sortScreenByZIndexAscending(list)
                           : KvEditorCommon::sortScreenByZIndexDescending(list),
                 highestId);
        QCOMPARE(ids(list), order);
    }

    void checkName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("expected");
        // In use: 1 "Screen", 2 "Screen (2)", 3 "Telop", 4 "Clip (7)".
        QTest::newRow("free") << "News" << 10 << "News";
        QTest::newRow("taken by other") << "Screen" << 10 << "Screen (3)";
        QTest::newRow("own name stays") << "Telop" << 3 << "Telop";
        QTest::newRow("numbered taken") << "Screen (2)" << 10 << "Screen (3)";
        QTest::newRow("numbered free") << "Clip (8)" << 10 << "Clip (8)";
        QTest::newRow("numbered continues") << "Clip (7)" << 10 << "Clip (8)";
        QTest::newRow("case differs") << "telop" << 10 << "telop";
    }

    void checkName()
    {
        QFETCH(QString, name);
        QFETCH(int, id);
        QFETCH(QString, expected);
        const QMap<int, QString> inUse{
            {1, "Screen"}, {2, "Screen (2)"}, {3, "Telop"}, {4, "Clip (7)"}};
        QCOMPARE(KvEditorCommon::checkName(name, id, inUse), expected);
    }

    void checkNameRecordsChoicesInNameMap()
    {
        QMap<QString, int> inUse{{"Screen", 1}};
        const QString first = KvEditorCommon::checkName("Screen", 6, &inUse);
        const QString second = KvEditorCommon::checkName("Screen", 7, &inUse);
        QCOMPARE(first, QString("Screen (2)"));
        QCOMPARE(second, QString("Screen (3)"));
        QCOMPARE(inUse.value("Screen (3)"), 7);
        QCOMPARE(KvEditorCommon::checkName("X", 1, static_cast<QMap<QString, int>*>(nullptr)),
                 QString("X"));
    }

    void durationString_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("plus");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << false << "0:00";
        QTest::newRow("seconds") << 7.5 << false << "0:08";
        QTest::newRow("minutes") << 125.0 << false << "2:05";
        QTest::newRow("hour") << 3600.0 << false << "1:00:00";
        QTest::newRow("long") << 36061.0 << false << "10:01:01";
        QTest::newRow("plus") << 65.0 << true << "1:05+";
        QTest::newRow("unknown") << -1.0 << false << "--:--";
        QTest::newRow("unknown plus") << -1.0 << true << "--:--+";
        QTest::newRow("nan") << qQNaN() << false << "--:--";
    }

    void durationString()
    {
        QFETCH(double, seconds);
        QFETCH(bool, plus);
        QFETCH(QString, expected);
        QCOMPARE(KvEditorCommon::getDurationString(seconds, plus), expected);
        const QString huge = KvEditorCommon::getDurationString(1e300, plus); // no overflow
        QVERIFY(!huge.startsWith(QLatin1Char('-')) && huge.contains(QLatin1Char(':')));
    }

    void durationImage()
    {
        QVERIFY(KvEditorCommon::getDurationImage(QString()).isNull());
        const QImage shortImage = KvEditorCommon::getDurationImage("0:05");
        const QImage longImage = KvEditorCommon::getDurationImage("10:00:05+");
        QVERIFY(!shortImage.isNull());
        QVERIFY(longImage.width() > shortImage.width());
        QVERIFY(shortImage.height() >= 8 && shortImage.height() <= 40);
    }

    void pluginInterfacesAreNullWithoutPlugins()
    {
        KvScreen* extended = screen(1, 0);
        extended->setType(ScreenType::Extended);
        QVERIFY(!KvEditorCommon::getPluginGuiInterface(extended));
        QVERIFY(!KvEditorCommon::getPluginExtScreenInterface(extended));
        QVERIFY(!KvEditorCommon::getPluginGuiInterface(nullptr));
    }

    void fileWatcherAndShellRefuseMissingPaths()
    {
        QTemporaryDir dir;
        QVERIFY(KvEditorCommon::tryInstallFileWatcher(dir.path()));
        QVERIFY(!KvEditorCommon::tryInstallFileWatcher(dir.filePath("missing")));
        QVERIFY(!KvEditorCommon::tryInstallFileWatcher(QString()));
        QVERIFY(!KvEditorCommon::openFolderWithShell(dir.filePath("missing"), nullptr));
        QVERIFY(!KvEditorCommon::openFolderWithShell(QString(), nullptr));
    }

    // ----- KvPreservedEvent -----

    void preservedEventUndoRedoRestoresOrder()
    {
        KvScreen* s = screen(1, 0);
        const KvEvent a(KvEvent::ContentStart, 1, KvEvent::Raise);
        const KvEvent b(KvEvent::ContentEnd, 1, KvEvent::Raise);
        const KvEvent w(KvEvent::ContentEnd, 5, KvEvent::Wait, {"GotoNext"});
        s->raiseEventList() << a << b;

        KvPreservedEvent record(1);
        QCOMPARE(record.screenId(), 1);
        QVERIFY(record.isEmpty());
        QVERIFY(record.removeEvent(a, s));
        record.addEvent(w, s);
        QVERIFY(!record.isEmpty());
        QCOMPARE(s->raiseEventList().size(), 1);
        QCOMPARE(s->waitEventList().size(), 1);
        QCOMPARE(s->waitEventList().first().parent(), s);

        record.undo(s);
        QCOMPARE(s->raiseEventList().size(), 2);
        QVERIFY(s->raiseEventList().at(0).isMatch(a)); // back at its old place
        QVERIFY(s->raiseEventList().at(1).isMatch(b));
        QVERIFY(s->waitEventList().isEmpty());

        record.redo(s);
        QCOMPARE(s->raiseEventList().size(), 1);
        QVERIFY(s->raiseEventList().first().isMatch(b));
        QCOMPARE(s->waitEventList().size(), 1);

        record.undo(s);
        QVERIFY(s->waitEventList().isEmpty());
        QCOMPARE(s->raiseEventList().size(), 2);
    }

    void preservedEventRemoveMissingFails()
    {
        KvScreen* s = screen(1, 0);
        KvPreservedEvent record(1);
        QVERIFY(!record.removeEvent(KvEvent(KvEvent::ContentStart, 1, KvEvent::Raise), s));
        QVERIFY(!record.removeEvent(KvEvent(KvEvent::ContentStart, 1, KvEvent::Raise), nullptr));
        record.addEvent(KvEvent(), nullptr);
        QVERIFY(record.isEmpty());
    }

    void preservedEventRemoveAll()
    {
        KvScreen* s = screen(1, 0);
        const KvEvent w1(KvEvent::ContentStart, 2, KvEvent::Wait, {"GotoNext"});
        const KvEvent w2(KvEvent::ContentEnd, 3, KvEvent::Wait, {"GotoNext"});
        const KvEvent r(KvEvent::ContentStart, 1, KvEvent::Raise);
        s->waitEventList() << w1 << w2;
        s->raiseEventList() << r;

        KvPreservedEvent record(1);
        record.removeAllEvents(KvEvent::Wait, s, true);
        QVERIFY(s->waitEventList().isEmpty());
        QCOMPARE(s->raiseEventList().size(), 1);
        record.addEvent(KvEvent(KvEvent::ContentEnd, 4, KvEvent::Wait, {"GotoNext"}), s);
        record.undo(s);
        QCOMPARE(s->waitEventList().size(), 2);
        QVERIFY(s->waitEventList().at(0).isMatch(w1));
        QVERIFY(s->waitEventList().at(1).isMatch(w2));
        record.redo(s);
        QCOMPARE(s->waitEventList().size(), 1);
        QCOMPARE(s->waitEventList().first().screenId(), 4);

        KvPreservedEvent unrecorded(1);
        unrecorded.removeAllEvents(KvEvent::Wait, s, false);
        QVERIFY(unrecorded.isEmpty());
        QVERIFY(s->waitEventList().isEmpty());
        unrecorded.removeAllEvents(7, s, true); // no such direction: nothing happens
        QCOMPARE(s->raiseEventList().size(), 1);
    }
};

QTEST_MAIN(TestEditorCommon)
#include "tst_editorcommon.moc"
