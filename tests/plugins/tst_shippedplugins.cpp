#include "kvmedia.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginguiinterface.h"
#include "kvpluginguinotifier.h"
#include "kvpluginloader.h"
#include "kvscreen.h"
#include "kvstage.h"

#include "kvmodalwatcher.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Kova;

namespace {
const QString Clock = QStringLiteral("org.kova.clock");
const QString Ticker = QStringLiteral("org.kova.ticker");

QVariantMap withScreen(QVariantMap state, int screenId, int contentCount)
{
    state.insert(KvPluginExtScreenInterface::screenIdKey(), screenId);
    state.insert(KvPluginExtScreenInterface::contentCountKey(), contentCount);
    return state;
}
} // namespace

class TestShippedPlugins : public QObject
{
    Q_OBJECT

    static KvPluginExtScreenInterface* screenPlugin(const QString& id)
    {
        return KvPluginLoader::pluginInfo(id).extScreenInterface();
    }

private slots:
    void initTestCase()
    {
        // Run from the build tree, the loader finds the plug-ins built there.
        qunsetenv("KOVA_PLUGIN_PATH");
        QCOMPARE(KvPluginLoader::loadPlugin(QString(), QString(), QString()), 2);
        QVERIFY(screenPlugin(Clock));
        QVERIFY(screenPlugin(Ticker));
    }

    void stateSurvivesTheStageFile_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QVariantMap>("values");
        QTest::newRow("clock") << Clock
                               << QVariantMap{{"format", "HH:mm"},
                                              {"timeZone", "Asia/Tokyo"},
                                              {"font", QFont("Serif", 20).toString()},
                                              {"textColor", "#ff102030"},
                                              {"backgroundColor", "#80ffffff"}};
        QTest::newRow("ticker") << Ticker
                                << QVariantMap{{"speed", 45},
                                               {"font", QFont("Serif", 12).toString()},
                                               {"textColor", "#ff00ff00"},
                                               {"backgroundColor", "#ff000000"}};
    }
    void stateSurvivesTheStageFile()
    {
        QFETCH(QString, id);
        QFETCH(QVariantMap, values);
        KvPluginExtScreenInterface* plugin = screenPlugin(id);
        QVERIFY(plugin->defaultState().toMap() != values);
        plugin->applyState(withScreen(values, 1, 0));
        QCOMPARE(plugin->state().toMap(), values);

        QTemporaryDir dir;
        const QString path = dir.filePath("plugin.kstg");
        KvStage stage(path);
        auto* screen = new KvScreen(ScreenType::Extended, 1);
        screen->setPiid(id);
        screen->setPluginProperties(plugin->state().toMap());
        stage.addScreen(screen);
        QVERIFY(stage.writeToFile());

        plugin->applyState(plugin->defaultState());
        KvStage read(path);
        QVERIFY(read.readFile());
        plugin->applyState(read.getScreenObject(1)->pluginProperties());
        QCOMPARE(plugin->state().toMap(), values);
    }

    // The clock's settings action opens its dialog; a changed format is kept and reported for
    // every content of the screen, an unchanged or cancelled one reports nothing.
    void clockSettings_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("reports");
        QTest::newRow("changed") << true << "HH:mm" << 1;
        QTest::newRow("unchanged") << true << "yyyy" << 0;
        QTest::newRow("cancelled") << false << "HH:mm" << 0;
    }
    void clockSettings()
    {
        QFETCH(bool, accept);
        QFETCH(QString, format);
        QFETCH(int, reports);
        KvPluginExtScreenInterface* plugin = screenPlugin(Clock);
        plugin->applyState(withScreen({{"format", "yyyy"}}, 7, 2));
        KvPluginGuiInterface* gui = plugin->guiInterface();
        QSignalSpy updated(gui->notifier(), &KvPluginGuiNotifier::screenValuesUpdated);

        KvModalWatcher watcher;
        watcher.answerWith([&](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("FormatEdit")->setText(format);
            auto* settings = qobject_cast<QDialog*>(dialog);
            accept ? settings->accept() : settings->reject();
        });
        gui->screenActions().first()->trigger();

        QCOMPARE(watcher.seen().value(0).title, QString("Clock Settings"));
        QCOMPARE(updated.count(), reports);
        if (reports) {
            QCOMPARE(updated.first().value(0).toInt(), 7);
            QCOMPARE(updated.first().value(1).value<QList<int>>(), QList<int>({0, 1}));
        }
        QCOMPARE(plugin->state().toMap().value("format").toString(), reports ? format : "yyyy");
    }

    // The ticker's Add Item action asks for text, one item a line: the lines that are not
    // blank, trimmed, are requested as items after the screen's last one, each a medium named
    // after its text. Blank text or a cancel requests nothing.
    void tickerAddsItemsAfterTheLast_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("two lines") << true << "Opening hours\n\n  Today 9-17 \n"
                                   << QStringList{"Opening hours", "Today 9-17"};
        QTest::newRow("blank lines") << true << "\n  \n" << QStringList();
        QTest::newRow("cancelled") << false << "Opening hours" << QStringList();
    }
    void tickerAddsItemsAfterTheLast()
    {
        QFETCH(bool, accept);
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        KvPluginExtScreenInterface* plugin = screenPlugin(Ticker);
        plugin->applyState(withScreen({}, 3, 2));
        KvPluginGuiInterface* gui = plugin->guiInterface();
        QSignalSpy requested(gui->notifier(), &KvPluginGuiNotifier::requestAddContents);

        KvModalWatcher watcher;
        watcher.answerWith([&](QWidget* w) {
            auto* input = qobject_cast<QInputDialog*>(w);
            input->setTextValue(text);
            accept ? input->accept() : input->reject();
        });
        gui->sequenceActions().first()->trigger();

        QCOMPARE(watcher.seen().count(), 1);
        QCOMPARE(requested.count(), items.isEmpty() ? 0 : 1);
        if (items.isEmpty())
            return;
        QCOMPARE(requested.first().value(0).toInt(), 3);
        const auto contents = requested.first().value(1).value<QMap<int, QVariant>>();
        QCOMPARE(contents.keys(), (QList<int>{2, 3}));
        QStringList names;
        for (const QVariant& content : contents) {
            KvMedia media;
            media.updateProperty(content);
            QCOMPARE(media.properties().value("text").toString(), media.name());
            names.append(media.name());
        }
        QCOMPARE(names, items);
    }

    // A content's timeline picture is the screen's background with the content drawn in its
    // text colour.
    void contentPictures_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QVariantMap>("content");
        QTest::newRow("clock") << Clock << QVariantMap();
        QTest::newRow("ticker") << Ticker << QVariantMap{{"text", "WWWW"}};
    }
    void contentPictures()
    {
        QFETCH(QString, id);
        QFETCH(QVariantMap, content);
        KvPluginExtScreenInterface* plugin = screenPlugin(id);
        plugin->applyState(
            QVariantMap{{"textColor", "#ffff0000"}, {"backgroundColor", "#ff0000ff"}});
        const QImage picture = plugin->contentPicture(content, QSize(80, 45));
        QCOMPARE(picture.size(), QSize(80, 45));
        QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::blue));
        int red = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                red += picture.pixelColor(x, y) == QColor(Qt::red);
        QVERIFY2(red > 20, qPrintable(QString::number(red)));
    }

    void tickerRunsFromTheRightEdge()
    {
        QFont font("Sans Serif");
        font.setPixelSize(30);
        const QVariantMap state{{"speed", 100},
                                {"font", font.toString()},
                                {"textColor", "#ffffffff"},
                                {"backgroundColor", "#ff000000"}};
        QImage image(400, 60, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::gray);
        QPainter painter(&image);
        screenPlugin(Ticker)->paint(&painter, image.rect(), state, QVariantMap{{"text", "MMMM"}},
                                    1000);
        painter.end();

        // One second at 100 pixels a second: the text begins 100 pixels inside the right edge.
        int left = image.width();
        for (int x = 0; x < image.width() && left == image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (qRed(image.pixel(x, y)) > 128) {
                    left = x;
                    break;
                }
        QVERIFY2(left >= 299 && left <= 306, qPrintable(QString::number(left)));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
    }
};

QTEST_MAIN(TestShippedPlugins)
#include "tst_shippedplugins.moc"
