#include "kveditorconfig.h"
#include "kveditoruserconfig.h"
#include "kvtestfactories.h"

#include <QtTest>

using namespace Kova;

class TestEditorConfig : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        KvEditorConfig::setDataDir(QString());
        KvEditorUserConfig::reset();
    }

    void dataDirOrder()
    {
        const QByteArray saved = qgetenv("KOVA_DATA_DIR");
        QTemporaryDir env;
        QTemporaryDir set;
        qputenv("KOVA_DATA_DIR", (env.path() + "/sub/../data/").toLocal8Bit());
        QCOMPARE(KvEditorConfig::dataDir(), env.path() + "/data");
        KvEditorConfig::setDataDir(set.path() + "/");
        QCOMPARE(KvEditorConfig::dataDir(), set.path());
        KvEditorConfig::setDataDir(QString());
        qunsetenv("KOVA_DATA_DIR");
        const QString fallback = KvEditorConfig::dataDir();
        QVERIFY(QDir::isAbsolutePath(fallback));
        QVERIFY(fallback.endsWith("/kova"));
        QVERIFY(fallback.startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
        qputenv("KOVA_DATA_DIR", saved);
    }

    void relativePath_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected"); // "@" the data folder, "#" its parent
        auto row = [](const char* name, const char* input, const char* expected) {
            QTest::newRow(name) << QString(input) << QString(expected);
        };
        row("inside", "@/image/a.png", "image/a.png");
        row("inside nested dots", "@/image/x/../b.png", "image/b.png");
        row("doubled slashes", "@//movie///c.mp4", "movie/c.mp4");
        row("trailing slash", "@/image/", "image");
        row("folder itself", "@", ".");
        row("folder itself with slash", "@/", ".");
        row("outside", "/elsewhere/a.png", "/elsewhere/a.png");
        row("escaping with dots", "@/../other/a.png", "#/other/a.png");
        row("sibling with same prefix", "@-old/a.png", "@-old/a.png");
        row("already relative", "image/a.png", "image/a.png");
        row("relative with dots", "image/../web/u.url", "web/u.url");
        row("relative escaping", "../a.png", "#/a.png");
        row("empty", "", "");
    }

    void relativePath()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString root = dir.path() + "/data";
        KvEditorConfig::setDataDir(root);
        const QString parent = QFileInfo(root).absolutePath();
        input.replace("@", root);
        expected.replace("@", root).replace("#", parent);
        QCOMPARE(KvEditorConfig::getRelativePath(input), expected);
    }

    void absolutePath_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const char* input, const char* expected) {
            QTest::newRow(name) << QString(input) << QString(expected);
        };
        row("relative", "image/a.png", "@/image/a.png");
        row("relative dots", "image/../web/u.url", "@/web/u.url");
        row("absolute stays", "/x/y/../z.png", "/x/z.png");
        row("dot", ".", "@");
        row("empty", "", "");
    }

    void absolutePath()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        KvEditorConfig::setDataDir(dir.path());
        expected.replace("@", dir.path());
        QCOMPARE(KvEditorConfig::getAbsolutePath(input), expected);
    }

    void configReadsIniWhenPresent()
    {
        QTemporaryDir dir;
        KvEditorConfig::setDataDir(dir.path());
        QVERIFY(KvEditorConfig::getConfig().isEmpty());
        QVERIFY(Kova::Test::writeFile(dir.filePath("config.ini"),
                                      "usePlatformPalyer=false\n[player]\nvolume=7\n"));
        const QVariantMap config = KvEditorConfig::getConfig();
        QCOMPARE(config.value("usePlatformPalyer").toString(), QString("false"));
        QCOMPARE(config.value("player/volume").toInt(), 7);
    }

    void configIgnoresGarbage()
    {
        QTemporaryDir dir;
        KvEditorConfig::setDataDir(dir.path());
        QVERIFY(Kova::Test::writeFile(dir.filePath("config.ini"),
                                      QByteArray("\x00\xff\xfe[[[=\n=\n", 11)));
        const QVariantMap config = KvEditorConfig::getConfig();
        for (const QVariant& value : config)
            QVERIFY(value.isValid());
        // Reading never rewrites the file.
        QCOMPARE(QFileInfo(dir.filePath("config.ini")).size(), qint64(11));
    }

    void userConfigHonoursXdgConfigHome()
    {
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        QTemporaryDir first;
        QTemporaryDir second;
        qputenv("XDG_CONFIG_HOME", first.path().toLocal8Bit());
        KvEditorUserConfig::reset();
        QSettings* settings = KvEditorUserConfig::settings();
        QVERIFY(settings);
        QCOMPARE(settings->fileName(), first.path() + "/kova/stageeditor.conf");
        QCOMPARE(settings->format(), QSettings::IniFormat);
        KvEditorUserConfig::setValue("sequence/showDuration", true);
        QCOMPARE(KvEditorUserConfig::value("sequence/showDuration").toBool(), true);
        KvEditorUserConfig::reset(); // writes the file
        QVERIFY(QFile::exists(first.path() + "/kova/stageeditor.conf"));

        qputenv("XDG_CONFIG_HOME", second.path().toLocal8Bit());
        KvEditorUserConfig::reset();
        QCOMPARE(KvEditorUserConfig::settings()->fileName(),
                 second.path() + "/kova/stageeditor.conf");
        QCOMPARE(KvEditorUserConfig::value("sequence/showDuration", 42).toInt(), 42);

        qputenv("XDG_CONFIG_HOME", first.path().toLocal8Bit());
        KvEditorUserConfig::reset();
        QCOMPARE(KvEditorUserConfig::value("sequence/showDuration").toBool(), true);
        qputenv("XDG_CONFIG_HOME", saved);
        KvEditorUserConfig::reset();
    }
};

QTEST_MAIN(TestEditorConfig)
#include "tst_editorconfig.moc"
