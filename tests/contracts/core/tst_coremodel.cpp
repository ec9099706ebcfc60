// The stage model: copies, comparison, ownership and the small helpers around it.

#include "corefixtures.h"
#include "kvconfig.h"
#include "kvextension.h"
#include "path.h"

#include <QtTest>

#include <functional>

using namespace Kova;
using namespace CoreFixtures;

Q_DECLARE_METATYPE(std::function<void(KvStage*)>)

namespace {

// Answers the screen-property calls the way a plug-in does.
class FakePlugin : public QObject
{
    Q_OBJECT
public:
    QVariant received;
    QVariantMap current;
public slots:
    void setScreenProperties(const QVariant& value) { received = value; }
    QVariant screenProperties() const { return current; }
};

KvScreen* firstScreen(KvStage* stage)
{
    return stage->screenList().first();
}

KvMedia* firstMedia(KvStage* stage)
{
    return firstScreen(stage)->mediaList().first();
}

} // namespace

class TstCoreModel : public QObject
{
    Q_OBJECT
private slots:
    void stageCopyIsDeepAndIndependent();
    void stageAssignmentReplacesContent();
    void screenCopyWithAndWithoutParent();
    void mediaCopyAndCopyFrom();
    void everyFieldTakesPartInMatch_data();
    void everyFieldTakesPartInMatch();
    void matchComparesFilePathOnlyWhenAsked();
    void getScreenObject();
    void addAndTakeMedia();
    void addEventSortsByDirection();
    void setIdMovesOwnRaiseEvents();
    void totalDuration();
    void updatePropertyFromMap();
    void pluginCallsNeedAPlugin();
    void screenTypeConverter_data();
    void screenTypeConverter();
    void mediaTypeConverter_data();
    void mediaTypeConverter();
    void playerAndGraphicsConverters();
    void eventActions_data();
    void eventActions();
    void extensions_data();
    void extensions();
    void extensionLists();
    void pathCombine_data();
    void pathCombine();
    void pathParts_data();
    void pathParts();
    void config();
};

void TstCoreModel::stageCopyIsDeepAndIndependent()
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
            QVERIFY(screen->mediaList().at(m) != original.screenList().at(i)->mediaList().at(m));
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
    QCOMPARE(firstScreen(&original)->raiseEventList().first().type(), int(KvEvent::ContentStart));
    QVERIFY(firstScreen(&original)->name() != QStringLiteral("renamed"));
    QVERIFY(!copy.isMatch(original, false));
}

void TstCoreModel::stageAssignmentReplacesContent()
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
}

void TstCoreModel::screenCopyWithAndWithoutParent()
{
    KvStage stage;
    fillStage(&stage);
    KvScreen* screen = firstScreen(&stage);
    FakePlugin plugin;
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

void TstCoreModel::mediaCopyAndCopyFrom()
{
    KvScreen a(ScreenType::Multimedia, 1);
    KvScreen b(ScreenType::Multimedia, 2);
    QScopedPointer<KvMedia> source(makeMedia(5, &a));
    KvMedia copy(*source);
    QCOMPARE(copy.parent(), &a);
    QVERIFY(copy.isMatch(*source));

    KvMedia target(QStringLiteral("x.txt"), MediaType::Telop, &b);
    target.copyFrom(*source);
    QCOMPARE(target.parent(), &b);
    QVERIFY(target.isMatch(*source));
}

void TstCoreModel::everyFieldTakesPartInMatch_data()
{
    QTest::addColumn<std::function<void(KvStage*)>>("change");
    using F = std::function<void(KvStage*)>;
    auto row = [](const char* name, F f) { QTest::newRow(name) << f; };

    row("stage name", [](KvStage* s) { s->setName(QStringLiteral("n")); });
    row("stage description", [](KvStage* s) { s->setDescription(QStringLiteral("d")); });
    row("stage position", [](KvStage* s) { s->setRect(s->rect().translated(1, 0)); });
    row("stage size", [](KvStage* s) { s->setRect(s->rect().adjusted(0, 0, 0, 1)); });
    row("stage colour", [](KvStage* s) { s->setBackgroundColor(Qt::red); });
    row("stage colour alpha", [](KvStage* s) {
        QColor c = s->backgroundColor();
        c.setAlpha(c.alpha() + 1);
        s->setBackgroundColor(c);
    });
    row("stage colour invalid", [](KvStage* s) { s->setBackgroundColor(QColor()); });
    row("stage image", [](KvStage* s) { s->setBackgroundImage(QStringLiteral("b.png")); });
    row("stage options", [](KvStage* s) { s->setOptions(1); });
    row("screen count", [](KvStage* s) { delete s->screenList().takeLast(); });
    row("screen order", [](KvStage* s) { s->screenList().swapItemsAt(0, 1); });

    row("screen id", [](KvStage* s) { firstScreen(s)->setId(50); });
    row("screen name", [](KvStage* s) { firstScreen(s)->setName(QString()); });
    row("screen type", [](KvStage* s) { firstScreen(s)->setType(ScreenType::Telop); });
    row("screen rect",
        [](KvStage* s) { firstScreen(s)->setRect(firstScreen(s)->rect().adjusted(0, 0, 0.5, 0)); });
    row("screen z", [](KvStage* s) { firstScreen(s)->setZIndex(-1); });
    row("screen colour", [](KvStage* s) { firstScreen(s)->setBackgoundColor(Qt::white); });
    row("screen lock", [](KvStage* s) { firstScreen(s)->setLockScreen(false); });
    row("screen graphics",
        [](KvStage* s) { firstScreen(s)->setGraphicsType(GraphicsType::Default); });
    row("screen flash player",
        [](KvStage* s) { firstScreen(s)->setFlashPlayerType(PlayerType::Default); });
    row("screen movie player",
        [](KvStage* s) { firstScreen(s)->setMoviePlayerType(PlayerType::BuiltIn); });
    row("screen web browser",
        [](KvStage* s) { firstScreen(s)->setWebBrowserType(PlayerType::BuiltIn); });
    row("screen finished action",
        [](KvStage* s) { firstScreen(s)->setMediaFinishedAction(KvEventAction::Stop); });
    row("screen piid", [](KvStage* s) { firstScreen(s)->setPiid(QStringLiteral("p")); });
    row("screen plug-in properties", [](KvStage* s) { firstScreen(s)->setPluginProperties({}); });
    row("screen media count", [](KvStage* s) {
        KvMedia* m = firstMedia(s);
        firstScreen(s)->takeMedia(m);
        delete m;
    });
    row("screen media order", [](KvStage* s) { firstScreen(s)->mediaList().swapItemsAt(0, 1); });
    row("screen raise events", [](KvStage* s) { firstScreen(s)->raiseEventList().clear(); });
    row("screen wait events", [](KvStage* s) { firstScreen(s)->waitEventList().clear(); });
    row("screen ignore raise", [](KvStage* s) { firstScreen(s)->ignoreRaiseEventList().clear(); });
    row("screen ignore wait", [](KvStage* s) { firstScreen(s)->ignoreWaitEventList().clear(); });

    row("media uri", [](KvStage* s) { firstMedia(s)->setUri(QStringLiteral("u")); });
    row("media name", [](KvStage* s) { firstMedia(s)->setName(QStringLiteral("n")); });
    row("media destination", [](KvStage* s) { firstMedia(s)->setDestination(QString()); });
    row("media type", [](KvStage* s) { firstMedia(s)->setMediaType(MediaType::Movie); });
    row("media duration", [](KvStage* s) { firstMedia(s)->setPlayingDuration(1.5); });
    row("media wait", [](KvStage* s) { firstMedia(s)->setWait(1); });
    row("media wait auto", [](KvStage* s) { firstMedia(s)->setWaitAuto(false); });
    row("media step", [](KvStage* s) { firstMedia(s)->setStep(1); });
    row("media detect", [](KvStage* s) { firstMedia(s)->setDetectTermination(false); });
    row("media direction", [](KvStage* s) { firstMedia(s)->setPlayingDirection(5); });
    row("media font size", [](KvStage* s) {
        QFont f = firstMedia(s)->font();
        f.setPointSizeF(9.0);
        firstMedia(s)->setFont(f);
    });
    row("media font family", [](KvStage* s) {
        QFont f = firstMedia(s)->font();
        f.setFamily(QStringLiteral("Serif"));
        firstMedia(s)->setFont(f);
    });
    row("media properties", [](KvStage* s) {
        QVariantMap p = firstMedia(s)->properties();
        p.insert(QStringLiteral("count"), 12345);
        firstMedia(s)->setProperties(p);
    });

    row("event type", [](KvStage* s) { firstScreen(s)->raiseEventList()[0].setType(9); });
    row("event screen", [](KvStage* s) { firstScreen(s)->waitEventList()[0].setScreenId(9); });
    row("event actions", [](KvStage* s) { firstScreen(s)->waitEventList()[0].setActions({}); });
    row("event direction",
        [](KvStage* s) { firstScreen(s)->ignoreWaitEventList()[0].setDirection(KvEvent::Raise); });
    row("event local", [](KvStage* s) { firstScreen(s)->raiseEventList()[0].setLocalOnly(false); });
}

void TstCoreModel::everyFieldTakesPartInMatch()
{
    QFETCH(std::function<void(KvStage*)>, change);
    KvStage original;
    fillStage(&original);
    KvStage changed(original);
    QVERIFY(changed.isMatch(original, false));
    change(&changed);
    QVERIFY(!changed.isMatch(original, false));
    QVERIFY(!original.isMatch(changed, false));
}

void TstCoreModel::matchComparesFilePathOnlyWhenAsked()
{
    KvStage a(QStringLiteral("a.xml"));
    KvStage b(QStringLiteral("b.xml"));
    QVERIFY(a.isMatch(b, false));
    QVERIFY(!a.isMatch(b, true));
    b.setFilePath(QStringLiteral("a.xml"));
    QVERIFY(a.isMatch(b, true));
}

void TstCoreModel::getScreenObject()
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

void TstCoreModel::addAndTakeMedia()
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

    QVERIFY(screen.takeMedia(c));
    QVERIFY(!screen.takeMedia(c));
    QVERIFY(!screen.takeMedia(nullptr));
    QCOMPARE(screen.mediaCount(), 3);
    c->setUri(QStringLiteral("still alive")); // not deleted by takeMedia
    delete c;
}

void TstCoreModel::addEventSortsByDirection()
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
}

void TstCoreModel::setIdMovesOwnRaiseEvents()
{
    KvScreen screen(ScreenType::Multimedia, 4);
    screen.addEvent(KvEvent(KvEvent::ContentEnd, 4, KvEvent::Raise));
    screen.addEvent(KvEvent(KvEvent::ContentEnd, 4, KvEvent::Wait));
    screen.setId(8);
    QCOMPARE(screen.id(), 8);
    QCOMPARE(screen.raiseEventList().first().screenId(), 8);
    QCOMPARE(screen.waitEventList().first().screenId(), 4); // names another screen
}

void TstCoreModel::totalDuration()
{
    KvScreen screen;
    QCOMPARE(screen.totalDuration(), 0.0);
    auto* a = new KvMedia(QStringLiteral("a.png"));
    a->setPlayingDuration(2.5);
    auto* b = new KvMedia(QStringLiteral("b.png"));
    b->setPlayingDuration(4.0);
    screen.addMedia(a);
    screen.addMedia(b);
    QCOMPARE(screen.totalDuration(), 6.5);
}

void TstCoreModel::updatePropertyFromMap()
{
    KvMedia media(QStringLiteral("a.png"), MediaType::Image);
    QFont font(QStringLiteral("Serif"), 31);
    QVariantMap values;
    values.insert(QStringLiteral("name"), QStringLiteral("From plug-in"));
    values.insert(QStringLiteral("playingDuration"), 12.5);
    values.insert(QStringLiteral("wait"), 77);
    values.insert(QStringLiteral("waitAuto"), true);
    values.insert(QStringLiteral("step"), 6);
    values.insert(QStringLiteral("detectTermination"), true);
    values.insert(QStringLiteral("playingDirection"), 4);
    values.insert(QStringLiteral("destination"), QStringLiteral("d"));
    values.insert(QStringLiteral("font"), font);
    values.insert(QStringLiteral("custom"), QStringLiteral("kept"));
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
    QCOMPARE(media.properties().value(QStringLiteral("custom")).toString(), QStringLiteral("kept"));

    KvMedia untouched(media);
    media.updateProperty(QVariant(42)); // not a map: nothing changes
    QVERIFY(media.isMatch(untouched));
}

void TstCoreModel::pluginCallsNeedAPlugin()
{
    KvScreen screen(ScreenType::Extended, 1);
    QVERIFY(!screen.toPluginScreen());
    QVERIFY(!screen.updatePropertyFromPlugin());

    FakePlugin plugin;
    screen.setPlugin(&plugin);
    screen.setPluginProperties({{QStringLiteral("a"), 1}});
    QVERIFY(screen.toPluginScreen());
    QCOMPARE(plugin.received.toMap().value(QStringLiteral("a")).toInt(), 1);
    plugin.current.insert(QStringLiteral("b"), 2);
    QVERIFY(screen.updatePropertyFromPlugin());
    QCOMPARE(screen.pluginProperties(), plugin.current);

    // A plug-in without those slots.
    QObject plain;
    screen.setPlugin(&plain);
    QVERIFY(!screen.toPluginScreen());
    QVERIFY(!screen.updatePropertyFromPlugin());
    {
        QObject gone;
        screen.setPlugin(&gone);
    }
    QCOMPARE(screen.plugin(), nullptr);
    QVERIFY(!screen.toPluginScreen());
}

void TstCoreModel::screenTypeConverter_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::newRow("multimedia") << int(ScreenType::Multimedia) << "multimedia";
    QTest::newRow("telop") << int(ScreenType::Telop) << "telop";
    QTest::newRow("extended") << int(ScreenType::Extended) << "extended";
    QTest::newRow("unknown") << int(ScreenType::Unknown) << "";
}

void TstCoreModel::screenTypeConverter()
{
    QFETCH(int, type);
    QFETCH(QString, text);
    QCOMPARE(ScreenType::Convert::toString(ScreenType::ScreenTypes(type)), text);
    QCOMPARE(int(ScreenType::Convert::toType(text)), type);
    QCOMPARE(int(ScreenType::Convert::toType(text.toUpper())), type);
    QCOMPARE(int(ScreenType::Convert::toType(text + QLatin1Char('x'))), int(ScreenType::Unknown));
}

void TstCoreModel::mediaTypeConverter_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::newRow("image") << int(MediaType::Image) << "image";
    QTest::newRow("movie") << int(MediaType::Movie) << "movie";
    QTest::newRow("flash") << int(MediaType::Flash) << "flash";
    QTest::newRow("web") << int(MediaType::Web) << "web";
    QTest::newRow("telop") << int(MediaType::Telop) << "telop";
    QTest::newRow("folder") << int(MediaType::Folder) << "folder";
    QTest::newRow("extended") << int(MediaType::Extended) << "extended";
    QTest::newRow("unknown") << int(MediaType::Unknown) << "";
}

void TstCoreModel::mediaTypeConverter()
{
    QFETCH(int, type);
    QFETCH(QString, text);
    QCOMPARE(MediaType::Convert::toString(MediaType::MediaTypes(type)), text);
    QCOMPARE(int(MediaType::Convert::toType(text)), type);
    QCOMPARE(int(MediaType::Convert::toType(text.toUpper())), type);
    QCOMPARE(int(MediaType::Convert::toType(QStringLiteral("4"))), int(MediaType::Unknown));
    QCOMPARE(MediaType::Convert::toString(MediaType::MediaTypes(4)), QString());
}

void TstCoreModel::playerAndGraphicsConverters()
{
    for (PlayerType::PlayerTypes type :
         {PlayerType::Default, PlayerType::Platform, PlayerType::BuiltIn}) {
        const QString text = PlayerType::Convert::toString(type);
        QVERIFY(!text.isEmpty());
        QCOMPARE(PlayerType::Convert::toType(text), type);
    }
    QVERIFY(PlayerType::Convert::toString(PlayerType::Platform) !=
            PlayerType::Convert::toString(PlayerType::BuiltIn));
    QCOMPARE(PlayerType::Convert::toType(QStringLiteral("nonsense")), PlayerType::Default);
    for (GraphicsType::GraphicsTypes type : {GraphicsType::Default, GraphicsType::DirectX}) {
        const QString text = GraphicsType::Convert::toString(type);
        QCOMPARE(GraphicsType::Convert::toType(text), type);
    }
    QCOMPARE(GraphicsType::Convert::toType(QStringLiteral("opengl")), GraphicsType::Default);
}

void TstCoreModel::eventActions_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << int(KvEventAction::None) << "None";
    QTest::newRow("next") << int(KvEventAction::GotoNext) << "GotoNext";
    QTest::newRow("first") << int(KvEventAction::GotoFirst) << "GotoFirst";
    QTest::newRow("stop") << int(KvEventAction::Stop) << "Stop";
    QTest::newRow("repeat") << int(KvEventAction::Repeat) << "Repeat";
}

void TstCoreModel::eventActions()
{
    QFETCH(int, action);
    QFETCH(QString, text);
    QCOMPARE(KvEventAction::toString(KvEventAction::Actions(action)), text);
    QCOMPARE(int(KvEventAction::toAction(text)), action);
    QCOMPARE(int(KvEventAction::toAction(text.toLower())), action);
    QCOMPARE(int(KvEventAction::toAction(text + QLatin1String("!"))), int(KvEventAction::None));
}

void TstCoreModel::extensions_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("mediaType");
    QTest::addColumn<int>("screenType");
    const int mm = ScreenType::Multimedia;
    for (const char* e : {"png", "jpg", "jpeg", "bmp", "gif", "PNG", "JpG"})
        QTest::newRow(e) << QString::fromLatin1(e) << int(MediaType::Image) << mm;
    for (const char* e : {"mp4", "avi", "mov", "wmv", "mpg", "mpeg", "mkv", "MP4"})
        QTest::newRow(e) << QString::fromLatin1(e) << int(MediaType::Movie) << mm;
    QTest::newRow("swf") << "swf" << int(MediaType::Flash) << mm;
    QTest::newRow("SWF") << "SWF" << int(MediaType::Flash) << mm;
    for (const char* e : {"url", "html", "htm", "HTML"})
        QTest::newRow(e) << QString::fromLatin1(e) << int(MediaType::Web) << mm;
    QTest::newRow("txt") << "txt" << int(MediaType::Telop) << int(ScreenType::Telop);
    QTest::newRow("TXT") << "TXT" << int(MediaType::Telop) << int(ScreenType::Telop);
    for (const char* e : {"", "xml", "pdf", "exe", "png ", ".png", "tx", "mp3"})
        QTest::newRow(e[0] ? e : "empty")
            << QString::fromLatin1(e) << int(MediaType::Unknown) << int(ScreenType::Unknown);
}

void TstCoreModel::extensions()
{
    QFETCH(QString, extension);
    QFETCH(int, mediaType);
    QFETCH(int, screenType);
    QCOMPARE(int(KvExtension::getMediaType(extension)), mediaType);
    QCOMPARE(int(KvExtension::getScreenType(extension)), screenType);
}

void TstCoreModel::extensionLists()
{
    QCOMPARE(KvExtension::getExtensions(MediaType::Image),
             (QStringList{"png", "jpg", "jpeg", "bmp", "gif"}));
    QCOMPARE(KvExtension::getExtensions(MediaType::Movie),
             (QStringList{"mp4", "avi", "mov", "wmv", "mpg", "mpeg", "mkv"}));
    QCOMPARE(KvExtension::getExtensions(MediaType::Flash), QStringList{"swf"});
    QCOMPARE(KvExtension::getExtensions(MediaType::Web), (QStringList{"url", "html", "htm"}));
    QCOMPARE(KvExtension::getExtensions(MediaType::Telop), QStringList{"txt"});
    for (int type : {0, 4, 7, 8, 9, -1})
        QVERIFY(KvExtension::getExtensions(type).isEmpty());
}

void TstCoreModel::pathCombine_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("result");
    QTest::newRow("plain") << "/data"
                           << "image"
                           << "/data/image";
    QTest::newRow("trailing") << "/data/"
                              << "image"
                              << "/data/image";
    QTest::newRow("leading") << "/data"
                             << "/image/a.png"
                             << "/data/image/a.png";
    QTest::newRow("both") << "/data//"
                          << "//image"
                          << "/data/image";
    QTest::newRow("empty first") << ""
                                 << "image"
                                 << "image";
    QTest::newRow("empty second") << "/data"
                                  << ""
                                  << "/data";
    QTest::newRow("relative") << "stage"
                              << "Lobby.xml"
                              << "stage/Lobby.xml";
    QTest::newRow("root") << "/"
                          << "tmp"
                          << "/tmp";
}

void TstCoreModel::pathCombine()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, result);
    QCOMPARE(Path::combine(first, second), result);
}

void TstCoreModel::pathParts_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("parent");
    QTest::newRow("file") << "/data/image/a.png"
                          << "a.png"
                          << "a"
                          << "png"
                          << "/data/image";
    QTest::newRow("two dots") << "x/archive.tar.GZ"
                              << "archive.tar.GZ"
                              << "archive.tar"
                              << "GZ"
                              << "x";
    QTest::newRow("no extension") << "dir/README"
                                  << "README"
                                  << "README"
                                  << ""
                                  << "dir";
    QTest::newRow("dot in folder") << "my.dir/file"
                                   << "file"
                                   << "file"
                                   << ""
                                   << "my.dir";
    QTest::newRow("bare") << "a.txt"
                          << "a.txt"
                          << "a"
                          << "txt"
                          << "";
    QTest::newRow("windows") << "C:\\data\\b.jpg"
                             << "b.jpg"
                             << "b"
                             << "jpg"
                             << "C:\\data";
    QTest::newRow("url") << "http://host/page.html"
                         << "page.html"
                         << "page"
                         << "html"
                         << "http://host";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << ""
                           << "";
}

void TstCoreModel::pathParts()
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

void TstCoreModel::config()
{
    const bool before = KvConfig::usePlatformPalyer();
    KvConfig::setUsePlatformPalyer(!before);
    QCOMPARE(KvConfig::usePlatformPalyer(), !before);
    KvConfig::setUsePlatformPalyer(before);
    QCOMPARE(KvConfig::usePlatformPalyer(), before);
}

QTEST_MAIN(TstCoreModel)
#include "tst_coremodel.moc"
