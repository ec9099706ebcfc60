// Stage files: round trips of every property, refusal of bad files without losing the
// loaded stage, atomic saving, and the sample stages shipped in data/stage.

#include "kvextension.h"
#include "kvstageformat.h"
#include "kvtestfactories.h"
#include "path.h"

#include <QtTest>

#include <unistd.h>

using namespace Kova;
using namespace Kova::Test;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// A valid stage text to start the broken variants from.
QByteArray validText()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<kovaStage version=\"1\" name=\"S\" width=\"800\" height=\"600\" screenCount=\"2\">\n"
        " <screen id=\"1\" type=\"multimedia\" x=\"0\" y=\"0\" width=\"400\" height=\"300\""
        " mediaCount=\"2\">\n"
        "  <media uri=\"image/a.png\" type=\"image\" duration=\"5\"/>\n"
        "  <media uri=\"image/b.png\" type=\"image\" duration=\"6\">\n"
        "   <property name=\"k\" type=\"int\" value=\"3\"/>\n"
        "  </media>\n"
        "  <raiseEvent type=\"4\" screenId=\"1\" direction=\"raise\"/>\n"
        " </screen>\n"
        " <screen id=\"2\" type=\"telop\" width=\"400\" height=\"50\">\n"
        "  <media uri=\"telop/news.txt\" type=\"telop\"/>\n"
        "  <waitEvent type=\"4\" screenId=\"1\" direction=\"wait\"><action value=\"GotoNext\"/>"
        "</waitEvent>\n"
        " </screen>\n"
        "</kovaStage>\n");
}

QByteArray replaced(const char* from, const char* to)
{
    QByteArray text = validText();
    Q_ASSERT(text.contains(from));
    return text.replace(from, to);
}

// Field by field equality is isMatch's (the core model test holds it to every field). Checked
// here is what it does not see: owners after reading, exact coordinates, and the types of the
// stored property values (a QVariant 3 equals "3").
void compareTypes(const QVariantMap& a, const QVariantMap& b)
{
    QCOMPARE(a.keys(), b.keys());
    for (const QString& key : a.keys())
        QCOMPARE(b.value(key).userType(), a.value(key).userType());
}

void compareStages(const KvStage& a, const KvStage& b)
{
    QVERIFY(b.isMatch(a, false));
    for (int s = 0; s < a.screenList().size(); ++s) {
        const KvScreen& x = *a.screenList().at(s);
        const KvScreen& y = *b.screenList().at(s);
        QCOMPARE(y.stage(), &b);
        const QRectF r = x.rect();
        const QRectF q = y.rect();
        QCOMPARE((QList<qreal>{q.x(), q.y(), q.width(), q.height()}),
                 (QList<qreal>{r.x(), r.y(), r.width(), r.height()}));
        compareTypes(x.pluginProperties(), y.pluginProperties());
        for (int m = 0; m < x.mediaCount(); ++m) {
            QCOMPARE(y.mediaList().at(m)->parent(), &y);
            compareTypes(x.mediaList().at(m)->properties(), y.mediaList().at(m)->properties());
        }
        for (const KvEvent& event : y.raiseEventList() + y.waitEventList() +
                                        y.ignoreRaiseEventList() + y.ignoreWaitEventList())
            QCOMPARE(event.parent(), &y);
    }
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

int runHelper(const QStringList& arguments, QString* output = nullptr)
{
    QProcess helper;
    helper.start(QStringLiteral(KOVA_WRITE_HELPER), arguments);
    if (!helper.waitForFinished(60000))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(helper.readAllStandardError());
    return helper.exitStatus() == QProcess::NormalExit ? helper.exitCode() : -2;
}

} // namespace

class TestStageFile : public QObject
{
    Q_OBJECT
private slots:
    void roundTripEveryProperty()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("full.xml"));
        KvStage original(path);
        fillStage(&original);
        QVERIFY2(original.writeToFile(), qPrintable(original.errorString()));
        QVERIFY(original.errorString().isEmpty());

        KvStage loaded(path);
        QVERIFY2(loaded.readFile(), qPrintable(loaded.errorString()));
        QCOMPARE(loaded.filePath(), path);
        QVERIFY(loaded.isMatch(original, true));
        compareStages(original, loaded);

        // URIs stay as they were given: relative ones are not made absolute.
        const QByteArray text = readAll(path);
        QVERIFY(text.contains("uri=\"image/picture 31.png\""));
        QVERIFY(text.startsWith("<?xml"));
        // Writing what was read gives the same bytes.
        loaded.setFilePath(dir.filePath(QStringLiteral("again.xml")));
        QVERIFY(loaded.writeToFile());
        QCOMPARE(readAll(loaded.filePath()), text);
    }

    void roundTripDefaultsAndOddValues()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("odd.kstg"));
        KvStage original(path);
        original.setBackgroundColor(QColor()); // no colour
        auto* screen = new KvScreen(ScreenType::Telop, 2147483647);
        screen->setRect(QRectF(-0.1, 1e-7, 0.0, 333.333333333333));
        screen->setZIndex(-2147483647 - 1);
        screen->setBackgoundColor(Qt::transparent);
        screen->setMediaFinishedAction(KvEventAction::None);
        auto* media = new KvMedia(QStringLiteral("/abs/path/with spaces/\u00fc.txt"));
        media->setPlayingDuration(-1.0);
        media->setName(QStringLiteral("  leading and trailing  "));
        screen->addMedia(media);
        screen->addMedia(new KvMedia(QString(), MediaType::Folder));
        original.addScreen(screen);
        original.addScreen(new KvScreen(ScreenType::Multimedia, 1)); // empty screen

        QVERIFY2(original.writeToFile(), qPrintable(original.errorString()));
        KvStage loaded(path);
        QVERIFY2(loaded.readFile(), qPrintable(loaded.errorString()));
        QVERIFY(!loaded.backgroundColor().isValid());
        QVERIFY(loaded.isMatch(original, true));
        compareStages(original, loaded);

        KvStage empty(dir.filePath(QStringLiteral("empty.xml")));
        QVERIFY(empty.writeToFile());
        KvStage emptyLoaded(empty.filePath());
        fillStage(&emptyLoaded);
        QVERIFY(emptyLoaded.readFile());
        QVERIFY(emptyLoaded.isMatch(empty, true));
    }

    // Whatever the property panels let the user set must save and load: sizes 0 … 16777215,
    // positions within ±16777215.
    void editorLimitsRoundTrip_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::newRow("zero size") << QRect(0, 0, 0, 0);
        QTest::newRow("largest size") << QRect(0, 0, 16777215, 16777215);
        QTest::newRow("far corner") << QRect(-16777215, 16777215, 1, 1);
    }

    void editorLimitsRoundTrip()
    {
        QFETCH(QRect, rect);
        QTemporaryDir dir;
        KvStage original(dir.filePath(QStringLiteral("limits.xml")));
        original.setRect(rect);
        auto* screen = new KvScreen(ScreenType::Multimedia, 1);
        screen->setRect(QRectF(rect.right(), rect.bottom(), 16777215, 16777215));
        original.addScreen(screen);
        QVERIFY2(original.writeToFile(), qPrintable(original.errorString()));
        KvStage loaded(original.filePath());
        QVERIFY2(loaded.readFile(), qPrintable(loaded.errorString()));
        QCOMPARE(loaded.rect(), rect);
        QVERIFY(loaded.isMatch(original, true));
    }

    void readReplacesContent()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.xml"));
        QVERIFY(writeFile(path, validText()));
        KvStage stage(path);
        fillStage(&stage);
        QVERIFY2(stage.readFile(), qPrintable(stage.errorString()));
        QCOMPARE(stage.name(), QStringLiteral("S"));
        QCOMPARE(stage.rect(), QRect(0, 0, 800, 600));
        QCOMPARE(stage.description(), QString());
        QCOMPARE(stage.options(), 0u);
        QCOMPARE(stage.screenList().size(), 2);
        QCOMPARE(stage.getScreenObject(2)->type(), ScreenType::Telop);
        QCOMPARE(stage.getScreenObject(2)->waitEventList().first().actions(),
                 QStringList{QStringLiteral("GotoNext")});
        QCOMPARE(stage.getScreenObject(1)->mediaList().at(1)->properties().value("k").toInt(), 3);
        QCOMPARE(stage.getScreenObject(1)->stage(), &stage);
        QVERIFY(stage.errorString().isEmpty());
    }

    void badFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray valid = validText();
        auto bad = [](const char* name, const char* from, const char* to) {
            QTest::newRow(name) << replaced(from, to);
        };

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("whitespace") << QByteArray("  \n\n ");
        QTest::newRow("declaration only") << QByteArray("<?xml version=\"1.0\"?>");
        for (int percent : {5, 50, 95})
            QTest::newRow(qPrintable(QStringLiteral("truncated %1%").arg(percent)))
                << valid.left(valid.size() * percent / 100);
        QTest::newRow("truncated last byte") << valid.left(valid.lastIndexOf('>'));
        bad("wrong root", "kovaStage", "stage");
        QTest::newRow("html") << QByteArray("<html><body>hello</body></html>");
        QTest::newRow("root in namespace") << replaced("<kovaStage ", "<kovaStage xmlns=\"urn:x\" ")
                                                  .replace("</kovaStage>", "</kovaStagex>");
        QTest::newRow("two roots") << valid + "<kovaStage version=\"1\"/>";
        QTest::newRow("text after root") << valid + "garbage";
        bad("no version", "version=\"1\" name", "name");
        bad("version text", "version=\"1\" name", "version=\"one\" name");
        bad("newer version", "version=\"1\" name", "version=\"2\" name");
        bad("width text", "width=\"800\"", "width=\"wide\"");
        bad("width negative", "width=\"800\"", "width=\"-1\"");
        bad("height negative", "height=\"600\"", "height=\"-600\"");
        bad("width too big", "width=\"800\"", "width=\"16777216\"");
        bad("options unknown", "name=\"S\"", "name=\"S\" options=\"8\"");
        bad("options text", "name=\"S\"", "name=\"S\" options=\"all\"");
        bad("colour", "name=\"S\"", "name=\"S\" backgroundColor=\"#zzz\"");
        bad("screen x text", "x=\"0\" y", "x=\"1e\" y");
        bad("screen width nan", "width=\"400\" height=\"300\"", "width=\"nan\" height=\"300\"");
        bad("screen width negative", "width=\"400\" height=\"300\"", "width=\"-4\" height=\"300\"");
        bad("screen huge", "width=\"400\" height=\"300\"", "width=\"1e300\" height=\"300\"");
        bad("zero id", "id=\"1\"", "id=\"0\"");
        bad("negative id", "id=\"1\"", "id=\"-1\"");
        bad("id text", "id=\"1\"", "id=\"first\"");
        bad("id overflow", "id=\"1\"", "id=\"4294967297\"");
        bad("missing id", "id=\"1\"", "");
        bad("duplicate id", "id=\"2\"", "id=\"1\"");
        bad("screen type", "type=\"telop\" width", "type=\"video\" width");
        bad("screen without type", "type=\"telop\" width", "width");
        bad("locked text", "mediaCount=\"2\"", "mediaCount=\"2\" locked=\"yes\"");
        bad("player", "mediaCount=\"2\"", "mediaCount=\"2\" moviePlayer=\"vlc\"");
        bad("action", "mediaCount=\"2\"", "mediaCount=\"2\" finishedAction=\"Explode\"");
        bad("screen count huge", "screenCount=\"2\"", "screenCount=\"99999999\"");
        bad("media count huge", "mediaCount=\"2\"", "mediaCount=\"1000000000\"");
        bad("media count wrong", "mediaCount=\"2\"", "mediaCount=\"3\"");
        bad("duration text", "duration=\"5\"", "duration=\"five\"");
        bad("duration huge", "duration=\"5\"", "duration=\"1e300\"");
        bad("media type", "type=\"image\" duration=\"5\"", "type=\"sound\" duration=\"5\"");
        bad("wait float", "duration=\"5\"", "duration=\"5\" wait=\"1.5\"");
        bad("step huge", "duration=\"5\"", "duration=\"5\" step=\"2000000000\"");
        bad("bool", "duration=\"5\"", "duration=\"5\" waitAuto=\"maybe\"");
        bad("property int", "value=\"3\"", "value=\"three\"");
        bad("property type", "type=\"int\"", "type=\"pointer\"");
        bad("property data", "type=\"int\" value=\"3\"", "type=\"data\" value=\"!!!\"");
        bad("event direction", "direction=\"raise\"", "direction=\"up\"");
        bad("event type", "type=\"4\" screenId=\"1\" direction=\"raise\"",
            "type=\"x\" screenId=\"1\" direction=\"raise\"");
        bad("event screen", "screenId=\"1\" direction=\"raise\"",
            "screenId=\"-1\" direction=\"raise\"");
        bad("mismatched tags", "</media>", "</medium>");
        bad("unclosed attribute", "uri=\"image/a.png\"", "uri=\"image/a.png");
        bad("bad entity", "name=\"S\"", "name=\"&nonsense;\"");
        QTest::newRow("entity bomb")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE kovaStage [\n"
                          "<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
                          "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
                          "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
                          "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">\n"
                          "]>\n<kovaStage version=\"1\" name=\"&d;\" width=\"8\" height=\"6\"/>\n");

        QByteArray deep = "<kovaStage version=\"1\"><screen id=\"1\" type=\"telop\" width=\"1\" "
                          "height=\"1\"><pluginProperties>";
        for (int i = 0; i < 40; ++i)
            deep += "<property name=\"n\" type=\"map\">";
        for (int i = 0; i < 40; ++i)
            deep += "</property>";
        deep += "</pluginProperties></screen></kovaStage>";
        QTest::newRow("nesting too deep") << deep;

        QByteArray many = "<kovaStage version=\"1\">";
        for (int i = 1; i <= KvStageFormat::maxScreens + 1; ++i)
            many += "<screen id=\"" + QByteArray::number(i) + "\" type=\"telop\"/>";
        many += "</kovaStage>";
        QTest::newRow("too many screens") << many;

        QByteArray garbage(4096, '\0');
        quint32 seed = 12345;
        for (char& c : garbage) {
            seed = seed * 1103515245u + 12345u;
            c = char(seed >> 16);
        }
        QTest::newRow("binary garbage") << garbage;
        QTest::newRow("garbage after header") << QByteArray("<?xml version=\"1.0\"?>") + garbage;
        QByteArray withNul = valid;
        withNul[valid.indexOf("image/b") + 3] = '\0';
        QTest::newRow("nul inside") << withNul;
        QTest::newRow("png bytes") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    }

    void badFilesAreRefused()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.xml"));
        QVERIFY(writeFile(path, content));

        KvStage stage(path);
        fillStage(&stage);
        const KvStage before(stage);
        QVERIFY(!stage.readFile());
        QVERIFY(!stage.errorString().isEmpty());
        // Nothing of the bad file got in.
        QVERIFY(stage.isMatch(before, true));
        QCOMPARE(stage.screenList().first()->stage(), &stage);
    }

    void missingFileOrFolderIsRefused()
    {
        QTemporaryDir dir;
        KvStage stage(dir.filePath(QStringLiteral("none.xml")));
        fillStage(&stage);
        const KvStage before(stage);
        QVERIFY(!stage.readFile());
        QVERIFY(stage.errorString().contains(QStringLiteral("none.xml")));
        QVERIFY(stage.isMatch(before, true));

        KvStage folder(dir.path());
        QVERIFY(!folder.readFile());
        QVERIFY(!folder.writeToFile());
        QVERIFY(QFileInfo(dir.path()).isDir());
        stage.setFilePath(dir.filePath(QStringLiteral("missing/s.xml"))); // no such folder
        QVERIFY(!stage.writeToFile());
        QVERIFY(entries(dir.path()).isEmpty());

        KvStage unnamed;
        QVERIFY(!unnamed.readFile());
        QVERIFY(!unnamed.writeToFile());
        QVERIFY(!unnamed.errorString().isEmpty());
    }

    void unknownPartsAreSkipped()
    {
        // Later versions may add attributes and elements; this one reads what it knows.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.xml"));
        QByteArray text = replaced("<media uri=\"image/a.png\"",
                                   "<!-- a comment --><future a=\"1\"><deeper/></future>"
                                   "<media extra=\"x\" uri=\"image/a.png\"");
        text.replace("name=\"S\"", "name=\"S\" newAttribute=\"7\"");
        QVERIFY(writeFile(path, text));
        KvStage stage(path);
        QVERIFY2(stage.readFile(), qPrintable(stage.errorString()));
        QCOMPARE(stage.getScreenObject(1)->mediaCount(), 2);
        QCOMPARE(stage.getScreenObject(1)->mediaList().first()->uri(),
                 QStringLiteral("image/a.png"));
    }

    // A stage the format cannot hold is refused before anything is written: the old file stays as
    // it was and no temporary file is left behind.
    void unwritableStageIsRefused_data()
    {
        QTest::addColumn<QString>("name"); // of the first screen
        QTest::addColumn<int>("secondId");
        QTest::addColumn<QString>("errorNames");
        QTest::newRow("control character") << "bell\a" << 7 << "";
        QTest::newRow("duplicate id") << "S" << 3 << "3"; // the first screen's id
        QTest::newRow("zero id") << "S" << 0 << "";
    }

    void unwritableStageIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(int, secondId);
        QFETCH(QString, errorNames);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.xml"));
        QVERIFY(writeFile(path, validText()));
        KvStage stage(path);
        fillStage(&stage);
        stage.screenList().at(0)->setName(name);
        stage.screenList().at(1)->setId(secondId);
        QVERIFY(!stage.writeToFile());
        QVERIFY(!stage.errorString().isEmpty());
        QVERIFY2(stage.errorString().contains(errorNames), qPrintable(stage.errorString()));
        QCOMPARE(readAll(path), validText());
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("s.xml")});
    }

    void saveIntoReadOnlyFolderKeepsOldFile()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(
            dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                            QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
        const QString folder = dir.filePath(QStringLiteral("ro"));
        QVERIFY(QDir().mkdir(folder));
        const QString path = folder + QStringLiteral("/s.xml");
        QVERIFY(writeFile(path, validText()));
        // Only the folder stands in the way: the file itself may be written by anyone.
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadOther | QFile::WriteOther |
                                                QFile::ReadGroup | QFile::WriteGroup));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther |
                                                  QFile::ReadGroup | QFile::ExeGroup));

        // Root ignores folder permissions: the helper drops to an ordinary user first.
        QString output;
        const int code =
            runHelper({path, QStringLiteral("10"), QStringLiteral("--as-nobody")}, &output);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(code != 2, "the writer could not run as an ordinary user here");
        QCOMPARE(code, 1);
        QVERIFY(!output.trimmed().isEmpty());
        QCOMPARE(readAll(path), validText());
        QCOMPARE(entries(folder), QStringList{QStringLiteral("s.xml")});
    }

    void saveThatRunsOutOfRoomKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.xml"));
        QVERIFY(writeFile(path, validText()));
        // A stage far bigger than the file size limit: the write fails part-way.
        QString output;
        QCOMPARE(runHelper({path, "3000", "--fsize", "65536"}, &output), 1);
        QVERIFY(!output.trimmed().isEmpty());
        QCOMPARE(readAll(path), validText());
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("s.xml")});

        // The same stage without the limit is fine.
        QCOMPARE(runHelper({path, QStringLiteral("3000")}), 0);
        KvStage big(path);
        QVERIFY2(big.readFile(), qPrintable(big.errorString()));
        QCOMPARE(big.screenList().first()->mediaCount(), 3000);
    }

    void sampleStagesLoad()
    {
        const QString sampleDir = QStringLiteral(KOVA_SAMPLE_DIR);
        const QFileInfoList stages = QDir(Path::combine(sampleDir, QStringLiteral("stage")))
                                         .entryInfoList({QStringLiteral("*.xml")}, QDir::Files);
        QVERIFY(stages.size() >= 2);
        for (const QFileInfo& info : stages) {
            KvStage stage(info.absoluteFilePath());
            QVERIFY2(stage.readFile(), qPrintable(stage.errorString()));
            QVERIFY(!stage.screenList().isEmpty());
            if (!stage.backgroundImage().isEmpty())
                QVERIFY(QFileInfo::exists(Path::combine(sampleDir, stage.backgroundImage())));
            for (const KvScreen* screen : stage.screenList()) {
                QVERIFY(screen->mediaCount() > 0);
                for (const KvMedia* media : screen->mediaList()) {
                    QVERIFY2(QFileInfo(media->uri()).isRelative(), qPrintable(media->uri()));
                    const QString file = Path::combine(sampleDir, media->uri());
                    QVERIFY2(QFileInfo::exists(file), qPrintable(file));
                    const QString extension = Path::getExtension(file);
                    QCOMPARE(KvExtension::getMediaType(extension), media->mediaType());
                    QCOMPARE(KvExtension::getScreenType(extension), screen->type());
                    // Each type lives in the folder named after it.
                    QVERIFY(media->uri().startsWith(
                        MediaType::Convert::toString(media->mediaType()) + QLatin1Char('/')));
                }
            }
            // The samples survive a save and a reload unchanged.
            QTemporaryDir dir;
            KvStage copy(stage);
            copy.setFilePath(dir.filePath(info.fileName()));
            QVERIFY(copy.writeToFile());
            KvStage reloaded(copy.filePath());
            QVERIFY(reloaded.readFile());
            QVERIFY(reloaded.isMatch(stage, false));
        }
    }
};

QTEST_MAIN(TestStageFile)
#include "tst_stagefile.moc"
