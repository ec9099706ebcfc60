#include "kveditorconfig.h"
#include "kveditoruserconfig.h"

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
        QTest::newRow("inside") << "@/image/a.png"
                                << "image/a.png";
        QTest::newRow("inside nested dots") << "@/image/x/../b.png"
                                            << "image/b.png";
        QTest::newRow("doubled slashes") << "@//movie///c.mp4"
                                         << "movie/c.mp4";
        QTest::newRow("trailing slash") << "@/image/"
                                        << "image";
        QTest::newRow("folder itself") << "@"
                                       << ".";
        QTest::newRow("folder itself with slash") << "@/"
                                                  << ".";
        QTest::newRow("outside") << "/elsewhere/a.png"
                                 << "/elsewhere/a.png";
        QTest::newRow("escaping with dots") << "@/../other/a.png"
                                            << "#/other/a.png";
        QTest::newRow("sibling with same prefix") << "@-old/a.png"
                                                  << "@-old/a.png";
        QTest::newRow("already relative") << "image/a.png"
                                          << "image/a.png";
        QTest::newRow("relative with dots") << "image/../web/u.url"
                                            << "web/u.url";
        QTest::newRow("relative escaping") << "../a.png"
                                           << "#/a.png";
        QTest::newRow("empty") << ""
                               << "";
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
        QTest::newRow("relative") << "image/a.png"
                                  << "@/image/a.png";
        QTest::newRow("relative dots") << "image/../web/u.url"
                                       << "@/web/u.url";
        QTest::newRow("absolute stays") << "/x/y/../z.png"
                                        << "/x/z.png";
        QTest::newRow("dot") << "."
                             << "@";
        QTest::newRow("empty") << ""
                               << "";
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

    void roundTrip()
    {
        QTemporaryDir dir;
        KvEditorConfig::setDataDir(dir.path());
        for (const QString& relative : {"image/a.png", "telop/t 1.txt", "movie/sub/m.mp4"}) {
            const QString absolute = KvEditorConfig::getAbsolutePath(relative);
            QVERIFY(QDir::isAbsolutePath(absolute));
            QCOMPARE(KvEditorConfig::getRelativePath(absolute), relative);
        }
    }

    void configReadsIniWhenPresent()
    {
        QTemporaryDir dir;
        KvEditorConfig::setDataDir(dir.path());
        QVERIFY(KvEditorConfig::getConfig().isEmpty());
        QFile file(dir.filePath("config.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("usePlatformPalyer=false\n[player]\nvolume=7\n");
        file.close();
        const QVariantMap config = KvEditorConfig::getConfig();
        QCOMPARE(config.value("usePlatformPalyer").toString(), QString("false"));
        QCOMPARE(config.value("player/volume").toInt(), 7);
    }

    void configIgnoresGarbage()
    {
        QTemporaryDir dir;
        KvEditorConfig::setDataDir(dir.path());
        QFile file(dir.filePath("config.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x00\xff\xfe[[[=\n=\n", 11));
        file.close();
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
