// The stage model: copies, comparison, ownership and the small helpers around it.

#include "kvextension.h"
#include "kvtestfactories.h"
#include "path.h"

#include <QtTest>

#include <functional>

using namespace Kova;
using namespace Kova::Test;

// A stage, its first screen and that screen's first medium, for changing one field.
struct Parts
{
    KvStage* stage;
    KvScreen* screen;
    KvMedia* media;
};
using Change = std::function<void(Parts)>;
Q_DECLARE_METATYPE(Change)

namespace {

KvScreen* firstScreen(KvStage* stage)
{
    return stage->screenList().first();
}

KvMedia* firstMedia(KvStage* stage)
{
    return firstScreen(stage)->mediaList().first();
}

} // namespace

class TestCoreModel : public QObject
{
    Q_OBJECT
private slots:
    void stageCopyIsDeepAndIndependent()
    {
        KvStage original(QStringLiteral("/tmp/a.xml"));
        fillStage(&original);
        KvStage copy(original);

        QVERIFY(copy.isMatch(original, true));
        QCOMPARE(copy.screenList().size(), 3);
        for (int i = 0; i < copy.screenList().size(); ++i) {
            KvScreen* screen = copy.screenList().at(i);
            QVERIFY(screen != original.screenList().at(i));
            QCOMPARE(screen->stage(), &copy);
            for (int m = 0; m < screen->mediaCount(); ++m) {
                QVERIFY(screen->mediaList().at(m) !=
                        original.screenList().at(i)->mediaList().at(m));
                QCOMPARE(screen->mediaList().at(m)->parent(), screen);
            }
            for (const KvEvent& event : screen->raiseEventList() + screen->waitEventList() +
                                            screen->ignoreRaiseEventList() +
                                            screen->ignoreWaitEventList())
                QCOMPARE(event.parent(), screen);
        }

        // Changing the copy leaves the original alone.
        firstMedia(&copy)->setUri(QStringLiteral("other.png"));
        firstScreen(&copy)->raiseEventList().first().setType(99);
        firstScreen(&copy)->setName(QStringLiteral("renamed"));
        delete copy.screenList().takeLast();
        QCOMPARE(original.screenList().size(), 3);
        QCOMPARE(firstMedia(&original)->uri(), QStringLiteral("image/picture 31.png"));
        QCOMPARE(firstScreen(&original)->raiseEventList().first().type(),
                 int(KvEvent::ContentStart));
        QVERIFY(firstScreen(&original)->name() != QStringLiteral("renamed"));
        QVERIFY(!copy.isMatch(original, false));
    }

    void stageAssignmentReplacesContent()
    {
        KvStage original;
        fillStage(&original);
        KvStage target(QStringLiteral("x.xml"));
        target.addScreen(new KvScreen(ScreenType::Telop, 99));
        target = original;
        QVERIFY(target.isMatch(original, true));
        QVERIFY(!target.getScreenObject(99));
        QCOMPARE(firstScreen(&target)->stage(), &target);

        target = target; // self-assignment keeps the content
        QVERIFY(target.isMatch(original, true));
        target.setFilePath(QStringLiteral("y.xml")); // the path counts only when asked
        QVERIFY(target.isMatch(original, false));
        QVERIFY(!target.isMatch(original, true));
    }

    void screenCopyWithAndWithoutParent()
    {
        KvStage stage;
        fillStage(&stage);
        KvScreen* screen = firstScreen(&stage);
        QObject plugin;
        screen->setPlugin(&plugin);

        KvScreen loose(*screen, false);
        QCOMPARE(loose.stage(), nullptr);
        QVERIFY(loose.isMatch(*screen));
        QCOMPARE(loose.plugin(), &plugin);
        QCOMPARE(loose.mediaList().first()->parent(), &loose);
        QCOMPARE(loose.waitEventList().first().parent(), &loose);

        KvScreen attached(*screen, true);
        QCOMPARE(attached.stage(), &stage);
        QVERIFY(attached.isMatch(*screen));

        loose.mediaList().first()->setPlayingDuration(1.0);
        QVERIFY(!loose.isMatch(*screen));
        QCOMPARE(screen->mediaList().first()->playingDuration(), 7.25 + 31);
    }

    void mediaCopyAndCopyFrom()
    {
        KvScreen a(ScreenType::Multimedia, 1);
        KvScreen b(ScreenType::Multimedia, 2);
        QScopedPointer<KvMedia> source(makeFullMedia(5, &a));
        KvMedia copy(*source);
        QCOMPARE(copy.parent(), &a);
        QVERIFY(copy.isMatch(*source));

        KvMedia target(QStringLiteral("x.txt"), MediaType::Telop, &b);
        target.copyFrom(*source);
        QCOMPARE(target.parent(), &b);
        QVERIFY(target.isMatch(*source));
    }

    void everyFieldTakesPartInMatch_data()
    {
        QTest::addColumn<Change>("change");
        auto row = [](const char* name, Change f) { QTest::newRow(name) << f; };

        row("stage name", [](Parts p) { p.stage->setName("n"); });
        row("stage description", [](Parts p) { p.stage->setDescription("d"); });
        row("stage position", [](Parts p) { p.stage->setRect(p.stage->rect().translated(1, 0)); });
        row("stage size", [](Parts p) { p.stage->setRect(p.stage->rect().adjusted(0, 0, 0, 1)); });
        row("stage colour", [](Parts p) { p.stage->setBackgroundColor(Qt::red); });
        row("stage colour alpha", [](Parts p) {
            QColor c = p.stage->backgroundColor();
            c.setAlpha(c.alpha() + 1);
            p.stage->setBackgroundColor(c);
        });
        row("stage colour invalid", [](Parts p) { p.stage->setBackgroundColor(QColor()); });
        row("stage image", [](Parts p) { p.stage->setBackgroundImage("b.png"); });
        row("stage options", [](Parts p) { p.stage->setOptions(1); });
        row("screen count", [](Parts p) { delete p.stage->screenList().takeLast(); });
        row("screen order", [](Parts p) { p.stage->screenList().swapItemsAt(0, 1); });

        row("screen id", [](Parts p) { p.screen->setId(50); });
        row("screen name", [](Parts p) { p.screen->setName(QString()); });
        row("screen type", [](Parts p) { p.screen->setType(ScreenType::Telop); });
        row("screen rect",
            [](Parts p) { p.screen->setRect(p.screen->rect().adjusted(0, 0, .5, 0)); });
        row("screen z", [](Parts p) { p.screen->setZIndex(-1); });
        row("screen colour", [](Parts p) { p.screen->setBackgoundColor(Qt::white); });
        row("screen lock", [](Parts p) { p.screen->setLockScreen(false); });
        row("screen graphics", [](Parts p) { p.screen->setGraphicsType(GraphicsType::Default); });
        row("screen flash player",
            [](Parts p) { p.screen->setFlashPlayerType(PlayerType::Default); });
        row("screen movie player",
            [](Parts p) { p.screen->setMoviePlayerType(PlayerType::BuiltIn); });
        row("screen web browser",
            [](Parts p) { p.screen->setWebBrowserType(PlayerType::BuiltIn); });
        row("screen finished action",
            [](Parts p) { p.screen->setMediaFinishedAction(KvEventAction::Stop); });
        row("screen piid", [](Parts p) { p.screen->setPiid("p"); });
        row("screen plug-in properties", [](Parts p) { p.screen->setPluginProperties({}); });
        row("screen media count", [](Parts p) {
            p.screen->takeMedia(p.media);
            delete p.media;
        });
        row("screen media order", [](Parts p) { p.screen->mediaList().swapItemsAt(0, 1); });
        row("screen raise events", [](Parts p) { p.screen->raiseEventList().clear(); });
        row("screen wait events", [](Parts p) { p.screen->waitEventList().clear(); });
        row("screen ignore raise", [](Parts p) { p.screen->ignoreRaiseEventList().clear(); });
        row("screen ignore wait", [](Parts p) { p.screen->ignoreWaitEventList().clear(); });

        row("media uri", [](Parts p) { p.media->setUri("u"); });
        row("media name", [](Parts p) { p.media->setName("n"); });
        row("media destination", [](Parts p) { p.media->setDestination(QString()); });
        row("media type", [](Parts p) { p.media->setMediaType(MediaType::Movie); });
        row("media duration", [](Parts p) { p.media->setPlayingDuration(1.5); });
        row("media wait", [](Parts p) { p.media->setWait(1); });
        row("media wait auto", [](Parts p) { p.media->setWaitAuto(false); });
        row("media step", [](Parts p) { p.media->setStep(1); });
        row("media detect", [](Parts p) { p.media->setDetectTermination(false); });
        row("media direction", [](Parts p) { p.media->setPlayingDirection(5); });
        row("media font size", [](Parts p) {
            QFont f = p.media->font();
            f.setPointSizeF(9.0);
            p.media->setFont(f);
        });
        row("media properties", [](Parts p) {
            QVariantMap properties = p.media->properties();
            properties.insert("count", 12345);
            p.media->setProperties(properties);
        });

        row("event type", [](Parts p) { p.screen->raiseEventList()[0].setType(9); });
        row("event screen", [](Parts p) { p.screen->waitEventList()[0].setScreenId(9); });
        row("event actions", [](Parts p) { p.screen->waitEventList()[0].setActions({}); });
        row("event direction",
            [](Parts p) { p.screen->ignoreWaitEventList()[0].setDirection(KvEvent::Raise); });
        row("event local", [](Parts p) { p.screen->raiseEventList()[0].setLocalOnly(false); });
    }

    void everyFieldTakesPartInMatch()
    {
        QFETCH(Change, change);
        KvStage original;
        fillStage(&original);
        KvStage changed(original);
        QVERIFY(changed.isMatch(original, false));
        change({&changed, firstScreen(&changed), firstMedia(&changed)});
        QVERIFY(!changed.isMatch(original, false));
        QVERIFY(!original.isMatch(changed, false));
    }

    void getScreenObject()
    {
        KvStage stage;
        fillStage(&stage);
        QCOMPARE(stage.getScreenObject(7), stage.screenList().at(1));
        QCOMPARE(stage.getScreenObject(11), stage.screenList().at(2));
        QCOMPARE(stage.getScreenObject(4), nullptr);
        QCOMPARE(stage.getScreenObject(0), nullptr);
        stage.clearScreens();
        QCOMPARE(stage.getScreenObject(7), nullptr);
        QVERIFY(stage.screenList().isEmpty());
    }

    void addMedia()
    {
        KvScreen screen(ScreenType::Multimedia, 1);
        auto* a = new KvMedia(QStringLiteral("a.png"));
        auto* b = new KvMedia(QStringLiteral("b.png"));
        auto* c = new KvMedia(QStringLiteral("c.png"));
        screen.addMedia(a);
        screen.addMedia(b, 0);
        screen.addMedia(c, 1);
        screen.addMedia(a); // already there: ignored
        screen.addMedia(nullptr);
        QCOMPARE(screen.mediaCount(), 3);
        QCOMPARE(screen.mediaList(), (QList<KvMedia*>{b, c, a}));
        QCOMPARE(a->parent(), &screen);
        QCOMPARE(b->parent(), &screen);

        auto* d = new KvMedia(QStringLiteral("d.png"));
        screen.addMedia(d, 99); // past the end: appended
        QCOMPARE(screen.mediaList().last(), d);
    }

    void addEventSortsByDirectionAndFollowsId()
    {
        KvScreen screen(ScreenType::Multimedia, 4);
        screen.addEvent(KvEvent(KvEvent::ContentEnd, 4, KvEvent::Raise));
        screen.addEvent(KvEvent(KvEvent::ContentStart, 2, KvEvent::Wait, {QStringLiteral("Stop")}));
        screen.addEvent(KvEvent(KvEvent::ContentStart, 3, KvEvent::Wait));
        QCOMPARE(screen.raiseEventList().size(), 1);
        QCOMPARE(screen.waitEventList().size(), 2);
        QCOMPARE(screen.waitEventList().at(0).screenId(), 2);
        QCOMPARE(screen.waitEventList().at(0).actions(), QStringList{QStringLiteral("Stop")});
        QCOMPARE(screen.raiseEventList().at(0).parent(), &screen);
        QCOMPARE(screen.waitEventList().at(1).parent(), &screen);
        QVERIFY(screen.ignoreRaiseEventList().isEmpty());
        // A new id moves the screen's own raise events along; wait events name other screens.
        screen.setId(8);
        QCOMPARE(screen.raiseEventList().first().screenId(), 8);
        QCOMPARE(screen.waitEventList().first().screenId(), 2);
    }

    void updatePropertyFromMap()
    {
        KvMedia media(QStringLiteral("a.png"), MediaType::Image);
        QFont font(QStringLiteral("Serif"), 31);
        const QVariantMap values{{"name", "From plug-in"},
                                 {"playingDuration", 12.5},
                                 {"wait", 77},
                                 {"waitAuto", true},
                                 {"step", 6},
                                 {"detectTermination", true},
                                 {"playingDirection", 4},
                                 {"destination", "d"},
                                 {"font", font},
                                 {"custom", "kept"}};
        media.updateProperty(values);
        QCOMPARE(media.name(), QStringLiteral("From plug-in"));
        QCOMPARE(media.uri(), QStringLiteral("a.png"));
        QCOMPARE(media.playingDuration(), 12.5);
        QCOMPARE(media.wait(), 77);
        QVERIFY(media.waitAuto());
        QCOMPARE(media.step(), 6);
        QVERIFY(media.detectTermination());
        QCOMPARE(media.playingDirection(), 4);
        QCOMPARE(media.destination(), QStringLiteral("d"));
        QCOMPARE(media.font(), font);
        QCOMPARE(media.properties().value(QStringLiteral("custom")).toString(),
                 QStringLiteral("kept"));

        KvMedia untouched(media);
        media.updateProperty(QVariant(42)); // not a map: nothing changes
        QVERIFY(media.isMatch(untouched));
    }

    // The state handed to a plug-in carries the screen's id and media count; the state taken
    // back keeps the plug-in's own values only, and anything but a map is refused.
    void pluginState()
    {
        KvScreen screen(ScreenType::Extended, 7);
        screen.setPluginProperties({{"format", "hh:mm"}});
        screen.addMedia(new KvMedia(QString(), MediaType::Extended, &screen));
        const QVariantMap applied = screen.toPluginScreen().toMap();
        QCOMPARE(applied, (QVariantMap{{"format", "hh:mm"}, {"screenId", 7}, {"contentCount", 1}}));

        QVariantMap reported = applied;
        reported.insert("format", "HH");
        QVERIFY(screen.updatePropertyFromPlugin(reported));
        QCOMPARE(screen.pluginProperties(), (QVariantMap{{"format", "HH"}}));
        QVERIFY(!screen.updatePropertyFromPlugin(QVariant(3)));
        QCOMPARE(screen.pluginProperties(), (QVariantMap{{"format", "HH"}}));

        {
            QObject gone;
            screen.setPlugin(&gone);
        }
        QCOMPARE(screen.plugin(), nullptr);
    }

    // The names stored in stage files: each reads back to its value, in any case; anything else is
    // unknown.
    void typeNames_data()
    {
        QTest::addColumn<int>("kind"); // 0 screen type, 1 media type, 2 event action
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, int kind, int value) {
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(kind).arg(QLatin1String(name))))
                << kind << value << QString::fromLatin1(name);
        };
        row("multimedia", 0, ScreenType::Multimedia);
        row("telop", 0, ScreenType::Telop);
        row("extended", 0, ScreenType::Extended);
        row("", 0, ScreenType::Unknown);
        row("image", 1, MediaType::Image);
        row("movie", 1, MediaType::Movie);
        row("flash", 1, MediaType::Flash);
        row("web", 1, MediaType::Web);
        row("telop", 1, MediaType::Telop);
        row("folder", 1, MediaType::Folder);
        row("extended", 1, MediaType::Extended);
        row("", 1, MediaType::Unknown);
        row("None", 2, KvEventAction::None);
        row("GotoNext", 2, KvEventAction::GotoNext);
        row("GotoFirst", 2, KvEventAction::GotoFirst);
        row("Stop", 2, KvEventAction::Stop);
        row("Repeat", 2, KvEventAction::Repeat);
    }

    void typeNames()
    {
        QFETCH(int, kind);
        QFETCH(int, value);
        QFETCH(QString, text);
        const std::function<QString(int)> toString[] = {
            [](int v) { return ScreenType::Convert::toString(ScreenType::ScreenTypes(v)); },
            [](int v) { return MediaType::Convert::toString(MediaType::MediaTypes(v)); },
            [](int v) { return KvEventAction::toString(KvEventAction::Actions(v)); }};
        const std::function<int(const QString&)> toValue[] = {
            [](const QString& t) { return int(ScreenType::Convert::toType(t)); },
            [](const QString& t) { return int(MediaType::Convert::toType(t)); },
            [](const QString& t) { return int(KvEventAction::toAction(t)); }};
        const int unknown[] = {ScreenType::Unknown, MediaType::Unknown, KvEventAction::None};
        QCOMPARE(toString[kind](value), text);
        QCOMPARE(toValue[kind](text), value);
        QCOMPARE(toValue[kind](text.toUpper()), value);
        QCOMPARE(toValue[kind](text.toLower()), value);
        QCOMPARE(toValue[kind](text + QLatin1Char('x')), unknown[kind]);
        QCOMPARE(toValue[kind](QStringLiteral("4")), unknown[kind]); // numbers are no names
    }

    void extensions_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("mediaType");
        QTest::addColumn<int>("screenType");
        const int mm = ScreenType::Multimedia;
        QTest::newRow("JpG") << "JpG" << int(MediaType::Image) << mm;
        QTest::newRow("MP4") << "MP4" << int(MediaType::Movie) << mm;
        QTest::newRow("SWF") << "SWF" << int(MediaType::Flash) << mm;
        QTest::newRow("HTML") << "HTML" << int(MediaType::Web) << mm;
        QTest::newRow("TXT") << "TXT" << int(MediaType::Telop) << int(ScreenType::Telop);
        for (const char* e : {"", "xml", "pdf", "exe", "png ", ".png", "tx", "mp3"})
            QTest::newRow(e[0] ? e : "empty")
                << QString::fromLatin1(e) << int(MediaType::Unknown) << int(ScreenType::Unknown);
    }

    void extensions()
    {
        QFETCH(QString, extension);
        QFETCH(int, mediaType);
        QFETCH(int, screenType);
        QCOMPARE(int(KvExtension::getMediaType(extension)), mediaType);
        QCOMPARE(int(KvExtension::getScreenType(extension)), screenType);
    }

    // What the file dialogs offer for a media type is what the library sorts into that type.
    void extensionListsMapBack()
    {
        for (int type : {MediaType::Image, MediaType::Movie, MediaType::Flash, MediaType::Web,
                         MediaType::Telop}) {
            const QStringList extensions = KvExtension::getExtensions(type);
            QVERIFY(!extensions.isEmpty());
            for (const QString& extension : extensions)
                QCOMPARE(int(KvExtension::getMediaType(extension)), type);
        }
        for (int type : {0, 4, 7, 8, 9, -1})
            QVERIFY(KvExtension::getExtensions(type).isEmpty());
    }

    void pathCombine_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("result");
        auto row = [](const char* name, const char* a, const char* b, const char* r) {
            QTest::newRow(name) << QString(a) << QString(b) << QString(r);
        };
        row("plain", "/data", "image", "/data/image");
        row("trailing", "/data/", "image", "/data/image");
        row("leading", "/data", "/image/a.png", "/data/image/a.png");
        row("both", "/data//", "//image", "/data/image");
        row("empty first", "", "image", "image");
        row("empty second", "/data", "", "/data");
        row("relative", "stage", "Lobby.xml", "stage/Lobby.xml");
        row("root", "/", "tmp", "/tmp");
    }

    void pathCombine()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, result);
        QCOMPARE(Path::combine(first, second), result);
    }

    void pathParts_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("baseName");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("parent");
        auto row = [](const char* name, const char* path, const char* file, const char* base,
                      const char* extension, const char* parent) {
            QTest::newRow(name) << QString(path) << QString(file) << QString(base)
                                << QString(extension) << QString(parent);
        };
        row("file", "/data/image/a.png", "a.png", "a", "png", "/data/image");
        row("two dots", "x/archive.tar.GZ", "archive.tar.GZ", "archive.tar", "GZ", "x");
        row("no extension", "dir/README", "README", "README", "", "dir");
        row("dot in folder", "my.dir/file", "file", "file", "", "my.dir");
        row("bare", "a.txt", "a.txt", "a", "txt", "");
        row("windows", "C:\\data\\b.jpg", "b.jpg", "b", "jpg", "C:\\data");
        row("url", "http://host/page.html", "page.html", "page", "html", "http://host");
        row("empty", "", "", "", "", "");
    }

    void pathParts()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, baseName);
        QFETCH(QString, extension);
        QFETCH(QString, parent);
        QCOMPARE(Path::getName(path), name);
        QCOMPARE(Path::getName(path, true), name);
        QCOMPARE(Path::getName(path, false), baseName);
        QCOMPARE(Path::getExtension(path), extension);
        QCOMPARE(Path::getParentDirectory(path), parent);
    }
};

QTEST_MAIN(TestCoreModel)
#include "tst_coremodel.moc"
