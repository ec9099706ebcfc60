#pragma once

// Stages with every property set to a value other than its default, for the core tests.

#include "kvscreen.h"
#include "kvstage.h"

#include <QFont>

namespace CoreFixtures {

using namespace Kova;

inline KvMedia* makeMedia(int seed, KvScreen* parent)
{
    auto* media =
        new KvMedia(QStringLiteral("image/picture %1.png").arg(seed), MediaType::Image, parent);
    media->setName(QStringLiteral("Picture \"%1\" <&>").arg(seed));
    media->setDestination(QStringLiteral("dest/%1").arg(seed));
    media->setPlayingDuration(7.25 + seed);
    media->setWait(55 + seed);
    media->setWaitAuto(true);
    media->setStep(5 + seed);
    media->setDetectTermination(true);
    media->setPlayingDirection(3);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(21.5);
    font.setBold(true);
    font.setItalic(seed % 2 == 1);
    font.setUnderline(true);
    media->setFont(font);
    QVariantMap nested;
    nested.insert(QStringLiteral("depth"), 2);
    nested.insert(QStringLiteral("words"), QStringList{QStringLiteral("a"), QStringLiteral("b c")});
    QVariantMap properties;
    properties.insert(QStringLiteral("text"), QStringLiteral("line one\nline two\ttab"));
    properties.insert(QStringLiteral("count"), seed);
    properties.insert(QStringLiteral("big"), qint64(1) << 40);
    properties.insert(QStringLiteral("ratio"), 0.1 + seed);
    properties.insert(QStringLiteral("on"), true);
    properties.insert(QStringLiteral("nested"), nested);
    properties.insert(QStringLiteral("list"), QVariantList{1, QStringLiteral("two"), 3.5});
    properties.insert(QStringLiteral("color"), QColor(10, 20, 30, 40));
    properties.insert(QStringLiteral("nothing"), QVariant());
    media->setProperties(properties);
    return media;
}

inline KvScreen* makeScreen(int id, ScreenType::ScreenTypes type)
{
    auto* screen = new KvScreen(type, id);
    screen->setName(QStringLiteral("Screen %1 \u00e9\u65e5").arg(id));
    screen->setRect(QRectF(10.5 * id, 20.25, 640.125, 360.75));
    screen->setZIndex(100 + id);
    screen->setBackgoundColor(QColor(1, 2, 3, 200));
    screen->setLockScreen(true);
    screen->setGraphicsType(GraphicsType::DirectX);
    screen->setFlashPlayerType(PlayerType::BuiltIn);
    screen->setMoviePlayerType(PlayerType::Platform);
    screen->setWebBrowserType(PlayerType::Platform);
    screen->setMediaFinishedAction(KvEventAction::Repeat);
    screen->setPiid(QStringLiteral("plugin.%1").arg(id));
    QVariantMap pluginProperties;
    pluginProperties.insert(QStringLiteral("mode"), QStringLiteral("fast"));
    pluginProperties.insert(QStringLiteral("level"), uint(9));
    pluginProperties.insert(QStringLiteral("huge"), Q_UINT64_C(18000000000000000000));
    screen->setPluginProperties(pluginProperties);
    screen->addMedia(makeMedia(id * 10 + 1, screen));
    screen->addMedia(makeMedia(id * 10 + 2, screen));
    screen->addEvent(
        KvEvent(KvEvent::ContentStart, id, KvEvent::Raise, {QStringLiteral("GotoNext")}, true));
    screen->addEvent(KvEvent(KvEvent::ContentEnd, id + 1, KvEvent::Wait,
                             {QStringLiteral("GotoFirst"), QStringLiteral("Stop")}, false));
    screen->ignoreRaiseEventList().append(
        KvEvent(KvEvent::ContentEnd, id, KvEvent::Raise, {}, true, screen));
    screen->ignoreWaitEventList().append(KvEvent(KvEvent::ContentStart, id + 2, KvEvent::Wait,
                                                 {QStringLiteral("Repeat")}, false, screen));
    return screen;
}

// A stage whose every property differs from the defaults.
inline void fillStage(KvStage* stage)
{
    stage->setName(QStringLiteral("Lobby & \"Hall\""));
    stage->setDescription(QStringLiteral("First line\nSecond line\r\n\tindented <tag>"));
    stage->setRect(QRect(-5, 7, 1280, 720));
    stage->setBackgroundColor(QColor(12, 34, 56, 78));
    stage->setBackgroundImage(QStringLiteral("image/back ground.png"));
    stage->setOptions(KvStage::UseDesktopSize | KvStage::AutoAdjustment);
    stage->addScreen(makeScreen(3, ScreenType::Multimedia));
    stage->addScreen(makeScreen(7, ScreenType::Telop));
    stage->addScreen(makeScreen(11, ScreenType::Extended));
}

} // namespace CoreFixtures
