#include "kvfakescreenplugin.h"
#include "kvpluginloader.h"

#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Kova;

class TestPluginLoader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_marker;

    // Copies the library `source` into `folder` under `name`.
    static bool copyInto(const QString& source, const QString& folder, const QString& name)
    {
        return QDir().mkpath(folder) && QFile::copy(source, folder + QLatin1Char('/') + name);
    }
    // How many objects the test plug-in libraries have made in this test function.
    int markedCount() const
    {
        QFile marker(m_marker);
        return marker.open(QIODevice::ReadOnly) ? marker.readAll().count('\n') : 0;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_marker = m_dir.filePath(QStringLiteral("marker-%1").arg(QTest::currentTestFunction()));
        qputenv("KOVA_TEST_PLUGIN_MARKER", QFile::encodeName(m_marker));
        qunsetenv("KOVA_PLUGIN_PATH");
        KvPluginLoader::unloadAll();
    }
    void cleanup() { KvPluginLoader::unloadAll(); }

    void loadsGoodPluginsAndSkipsTheRest()
    {
        const QString folder = m_dir.filePath(QStringLiteral("mixed"));
        QVERIFY(copyInto(KOVA_TEST_GOOD_PLUGIN, folder, QStringLiteral("libgood.so")));
        QVERIFY(copyInto(KOVA_TEST_NEWER_PLUGIN, folder, QStringLiteral("libnewer.so")));
        QVERIFY(copyInto(KOVA_TEST_EMPTY_LIBRARY, folder, QStringLiteral("libempty.so")));
        QVERIFY(copyInto(KOVA_TEST_UNRESOLVED_PLUGIN, folder, QStringLiteral("libunresolved.so")));
        QFile text(folder + QStringLiteral("/libx.so"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a library\n");
        text.close();

        QVERIFY(KvPluginLoader::pluginGroups().isEmpty());
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^Plug-in .*/libempty\\.so skipped: not a plug-in"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^Plug-in .*/libx\\.so skipped: not a plug-in"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^Plug-in .*/libnewer\\.so skipped: interface "
                                                "version 2 is not supported"));
        QCOMPARE(KvPluginLoader::loadPlugin(QString(), QString(), folder), 2);

        const QMap<QString, KvPluginBasicInfo> groups = KvPluginLoader::pluginGroups();
        QCOMPARE(groups.keys(), QStringList{"Test"});
        const KvPluginInfo info = groups.value("Test").plugins().value("org.kova.test.good");
        QCOMPARE(info.name(), QString("Good"));
        QCOMPARE(info.description(), QString("A plug-in the loader must take."));
        QCOMPARE(info.filePath(), QFileInfo(folder + "/libgood.so").canonicalFilePath());
        // The description was read without running the plug-in's code.
        QCOMPARE(markedCount(), 0);

        const QSharedPointer<KvPluginCommonInterface> instance = info.pluginInstance();
        QVERIFY(instance);
        QCOMPARE(KvPluginLoader::pluginInfo("org.kova.test.good").pluginInstance(), instance);
        QCOMPARE(markedCount(), 1);
        // Files already looked at are not read again, and give no second warning.
        QCOMPARE(KvPluginLoader::loadPlugin(QString(), QString(), folder), 0);

        // A description that reads well does not make a library that loads.
        const KvPluginInfo unresolved = KvPluginLoader::pluginInfo("org.kova.test.unresolved");
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^Plug-in .*/libunresolved\\.so could not be "
                                                "made: .*kovaTestValueNobodyDefines"));
        QVERIFY(!unresolved.pluginInstance());
        QCOMPARE(markedCount(), 1);
    }

    // A load limited to a group or an id adds the good plug-in only when it matches; a plug-in
    // left out by a narrow call is found by a wider one.
    void limits_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("added");
        QTest::newRow("its group") << "Test" << QString() << 1;
        QTest::newRow("another group") << "ExtendedScreen" << QString() << 0;
        QTest::newRow("its id") << QString() << "org.kova.test.good" << 1;
        QTest::newRow("another id") << QString() << "org.kova.test.other" << 0;
    }
    void limits()
    {
        QFETCH(QString, group);
        QFETCH(QString, id);
        QFETCH(int, added);
        const QString folder = m_dir.filePath(QStringLiteral("limits"));
        if (!QFile::exists(folder + "/libgood.so"))
            QVERIFY(copyInto(KOVA_TEST_GOOD_PLUGIN, folder, QStringLiteral("libgood.so")));

        QCOMPARE(KvPluginLoader::loadPlugin(group, id, folder), added);
        QCOMPARE(KvPluginLoader::pluginGroups().count(), added);
        QCOMPARE(KvPluginLoader::loadPlugin(QString(), QString(), folder), 1 - added);
    }

    void searchPathFromEnvironment()
    {
        const QString first = m_dir.filePath(QStringLiteral("first"));
        const QString second = m_dir.filePath(QStringLiteral("second"));
        QVERIFY(copyInto(KOVA_TEST_GOOD_PLUGIN, first, QStringLiteral("libgood.so")));
        QVERIFY(copyInto(KOVA_TEST_GOOD_PLUGIN, second, QStringLiteral("libgood.so")));
        qputenv("KOVA_PLUGIN_PATH", QFile::encodeName(first + ':' + second));
        QCOMPARE(KvPluginLoader::searchPaths().mid(0, 2), (QStringList{first, second}));

        // The second copy of an id is refused; the first folder wins.
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^Plug-in .*/second/libgood\\.so skipped: the "
                                                "plug-in org\\.kova\\.test\\.good is loaded from "
                                                ".*/first/libgood\\.so already"));
        const KvPluginInfo info = KvPluginLoader::pluginInfo("org.kova.test.good", true);
        QVERIFY(info.isValid());
        QVERIFY(info.filePath().startsWith(QFileInfo(first).canonicalFilePath() + '/'));
    }

    // A plug-in built into the program is listed from its description and made once, on
    // first use; its object is deleted once the loader and its last holder forget it. A
    // second registration of its id and a description without a group are refused.
    void builtInPlugins()
    {
        int made = 0;
        QVERIFY(KvFakeScreenPlugin::registerAs("fake", [&made](KvFakeScreenPlugin*) { ++made; }));
        QTest::ignoreMessage(QtWarningMsg, "Plug-in (built in) fake skipped: the plug-in fake is "
                                           "loaded from (built in) fake already");
        QVERIFY(!KvFakeScreenPlugin::registerAs("fake"));
        const QJsonObject incomplete{
            {"id", "incomplete"}, {"name", "No group"}, {"interfaceVersion", 1}};
        QTest::ignoreMessage(QtWarningMsg,
                             "Plug-in (built in) incomplete skipped: its description has no group");
        QVERIFY(!KvPluginLoader::registerStaticPlugin(incomplete, []() { return new QObject; }));

        KvPluginInfo info = KvPluginLoader::pluginGroups()
                                .value(KvPluginLoader::extendedScreenGroup())
                                .plugin("fake");
        QCOMPARE(info.name(), QString("Fake fake"));
        QCOMPARE(made, 0);
        QVERIFY(info.extScreenInterface());
        QCOMPARE(KvPluginLoader::pluginInfo("fake").pluginInstance(), info.pluginInstance());
        QCOMPARE(made, 1);

        QPointer<QObject> object = info.pluginObject();
        KvPluginLoader::unloadAll();
        QVERIFY(KvPluginLoader::pluginGroups().isEmpty());
        QVERIFY(object);
        info = KvPluginInfo();
        QVERIFY(!object);
    }

    void objectsThatCannotBeMade_data()
    {
        QTest::addColumn<bool>("makesObject");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no object") << false << "its factory made no object";
        QTest::newRow("object without the interface")
            << true << "its object does not offer org.kova.KvPluginCommonInterface/1.0";
    }
    void objectsThatCannotBeMade()
    {
        QFETCH(bool, makesObject);
        QFETCH(QString, reason);
        const QJsonObject description{
            {"id", "broken"}, {"name", "Broken"}, {"group", "Test"}, {"interfaceVersion", 1}};
        QVERIFY(KvPluginLoader::registerStaticPlugin(
            description, [makesObject]() { return makesObject ? new QObject : nullptr; }));
        const KvPluginInfo info = KvPluginLoader::pluginInfo("broken");
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Plug-in broken could not be made: " + reason));
        QVERIFY(!info.pluginInstance());
        QVERIFY(!info.pluginObject());
    }
};

QTEST_MAIN(TestPluginLoader)
#include "tst_pluginloader.moc"
