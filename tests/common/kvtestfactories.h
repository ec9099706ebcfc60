#pragma once

// Test factories shared by the test executables: screens, stages and temporary data folders.
// Header-only; a test that includes it links kvcore (KvScreen, KvStage, KvMedia).
//
//   using namespace Kova::Test;
//   TempDataDir data;                                   // stage/, channel/, image/, ...
//   QVERIFY(data.isValid());
//   KvStage* stage = makeStage(data.stagePath("one.xml"), QSize(1920, 1080), 3);
//   stage->addScreen(makeScreen(9, ScreenType::Telop, QRectF(0, 0, 200, 40), "Ticker", 9));
//   QVERIFY(writeStage(data.stagePath("two.xml"), QSize(800, 600), 2));
//
// The sample data folder of the source tree is known as KOVA_SAMPLE_DIR to every test.

#include "kvmedia.h"
#include "kvscreen.h"
#include "kvstage.h"

#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

namespace Kova {
namespace Test {

// ---- Widgets ---------------------------------------------------------------------------------

// The child of `parent` with that object name and type. A missing one ends the run at once:
// every check after it would be about nothing.
template <typename T> T* field(const QObject* parent, const char* name)
{
    T* child = parent->findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("no child \"%s\" of the expected type", name);
    return child;
}

// ---- Screens and stages ---------------------------------------------------------------------

// The rect the plain factories give screen `id` when none is asked for: screens step
// diagonally so that none hides another.
inline QRectF defaultScreenRect(int id)
{
    return QRectF(id * 20, id * 10, 100, 50);
}

// A screen of `type` named `name` (default "S<id>") at `rect` with z index `z` (default `id`).
inline KvScreen* makeScreen(int id, ScreenType::ScreenTypes type, const QRectF& rect,
                            const QString& name = QString(), int z = -1, bool locked = false)
{
    auto* screen = new KvScreen(type, id);
    screen->setName(name.isNull() ? QStringLiteral("S%1").arg(id) : name);
    screen->setRect(rect);
    screen->setZIndex(z < 0 ? id : z);
    screen->setLockScreen(locked);
    return screen;
}

// A multimedia screen "S<id>" at `rect` (default: a diagonal step per id) with z index `id`.
inline KvScreen* makeScreen(int id, const QRectF& rect = QRectF())
{
    return makeScreen(id, ScreenType::Multimedia, rect.isNull() ? defaultScreenRect(id) : rect);
}

// Makes a screen as makeScreen does, adds it to `stage` and returns it.
inline KvScreen* addScreen(KvStage* stage, int id, ScreenType::ScreenTypes type, const QRectF& rect,
                           const QString& name = QString(), int z = -1, bool locked = false)
{
    KvScreen* screen = makeScreen(id, type, rect, name, z, locked);
    stage->addScreen(screen);
    return screen;
}
inline KvScreen* addScreen(KvStage* stage, int id, const QRectF& rect = QRectF())
{
    KvScreen* screen = makeScreen(id, rect);
    stage->addScreen(screen);
    return screen;
}

// A stage for `filePath` of `size` with `screenCount` multimedia screens S1..Sn (ids 1..n,
// z index = id, rects from defaultScreenRect). The caller owns it unless `parent` is given.
inline KvStage* makeStage(const QString& filePath = QString(),
                          const QSize& size = QSize(1920, 1080), int screenCount = 0,
                          QObject* parent = nullptr)
{
    auto* stage = new KvStage(filePath, parent);
    stage->setRect(QRect(QPoint(0, 0), size));
    for (int id = 1; id <= screenCount; ++id)
        stage->addScreen(makeScreen(id));
    return stage;
}

// Writes a stage made by makeStage, named `name` (default: the file's base name), to `filePath`.
inline bool writeStage(const QString& filePath, const QSize& size = QSize(1920, 1080),
                       int screenCount = 0, const QString& name = QString())
{
    KvStage stage(filePath);
    stage.setRect(QRect(QPoint(0, 0), size));
    stage.setName(name.isNull() ? QFileInfo(filePath).completeBaseName() : name);
    for (int id = 1; id <= screenCount; ++id)
        stage.addScreen(makeScreen(id));
    return stage.writeToFile();
}

// ---- Values other than the defaults, for round trips and copies -----------------------------

// A medium whose every property differs from the defaults (and from other seeds).
inline KvMedia* makeFullMedia(int seed, KvScreen* parent)
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

// A screen whose every property (media and events included) differs from the defaults.
inline KvScreen* makeFullScreen(int id, ScreenType::ScreenTypes type)
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
    screen->addMedia(makeFullMedia(id * 10 + 1, screen));
    screen->addMedia(makeFullMedia(id * 10 + 2, screen));
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

// Sets every property of `stage` to a value other than its default and adds three full screens
// (ids 3, 7, 11 of types multimedia, telop, extended).
inline void fillStage(KvStage* stage)
{
    stage->setName(QStringLiteral("Lobby & \"Hall\""));
    stage->setDescription(QStringLiteral("First line\nSecond line\r\n\tindented <tag>"));
    stage->setRect(QRect(-5, 7, 1280, 720));
    stage->setBackgroundColor(QColor(12, 34, 56, 78));
    stage->setBackgroundImage(QStringLiteral("image/back ground.png"));
    stage->setOptions(KvStage::UseDesktopSize | KvStage::AutoAdjustment);
    stage->addScreen(makeFullScreen(3, ScreenType::Multimedia));
    stage->addScreen(makeFullScreen(7, ScreenType::Telop));
    stage->addScreen(makeFullScreen(11, ScreenType::Extended));
}

// ---- Files and data folders -----------------------------------------------------------------

// Writes `bytes` to `path`, making its folder first.
inline bool writeFile(const QString& path, const QByteArray& bytes = QByteArray())
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Writes a `size` picture filled with `color` to `path` (format from the suffix).
inline bool writeImage(const QString& path, const QSize& size = QSize(64, 36),
                       const QColor& color = Qt::darkCyan)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(color);
    return picture.save(path);
}

// Copies the folder tree `from` into `to` (made if missing). Fails on any file it cannot copy.
inline bool copyTree(const QString& from, const QString& to)
{
    const QDir source(from);
    if (!source.exists() || !QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(entry));
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QDir().mkpath(QFileInfo(target).absolutePath()) ||
                   !QFile::copy(entry, target)) {
            return false;
        }
    }
    return true;
}

// A temporary folder laid out like a data folder: stage/ and the media folders (channel, image,
// movie, flash, telop, web). Removed with the object.
class TempDataDir
{
public:
    // `withSample`: also copies the sample data folder of the source tree (KOVA_SAMPLE_DIR);
    // isValid() is false if that fails.
    explicit TempDataDir(bool withSample = false)
    {
        m_valid = m_dir.isValid();
        for (const QString& folder : folders())
            m_valid = m_valid && QDir(m_dir.path()).mkpath(folder);
        if (withSample)
            m_valid = m_valid && copyTree(sampleDir(), m_dir.path());
    }

    static QStringList folders()
    {
        return {QStringLiteral("stage"), QStringLiteral("channel"), QStringLiteral("image"),
                QStringLiteral("movie"), QStringLiteral("flash"),   QStringLiteral("telop"),
                QStringLiteral("web")};
    }

    static QString sampleDir()
    {
#ifdef KOVA_SAMPLE_DIR
        return QStringLiteral(KOVA_SAMPLE_DIR);
#else
        return QString();
#endif
    }

    bool isValid() const
    {
        return m_valid;
    }
    QString path() const
    {
        return m_dir.path();
    }
    // The absolute path of `relative` inside the folder ("image/a.png").
    QString filePath(const QString& relative) const
    {
        return m_dir.filePath(relative);
    }
    QString stageDir() const
    {
        return m_dir.filePath(QStringLiteral("stage"));
    }
    QString stagePath(const QString& fileName) const
    {
        return m_dir.filePath(QStringLiteral("stage/") + fileName);
    }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

} // namespace Test
} // namespace Kova
