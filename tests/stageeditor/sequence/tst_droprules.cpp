#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvmediadroprules.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvtestfactories.h"

#include <QGraphicsRectItem>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <memory>

using namespace Kova;

class TestDropRules : public QObject
{
    Q_OBJECT

private:
    Kova::Test::TempDataDir m_data;
    QTemporaryDir m_outside;

    // A leading "~" stands for a folder outside the data folder; other names are inside it.
    QString path(const QString& name) const
    {
        return name.startsWith('~') ? m_outside.path() + name.mid(1) : m_data.filePath(name);
    }

    // One line per file: a file URL, or the bare path.
    std::unique_ptr<QMimeData> payload(const QStringList& names, bool bare = false) const
    {
        QByteArray data;
        for (const QString& name : names)
            data +=
                (bare ? path(name).toUtf8() : QUrl::fromLocalFile(path(name)).toEncoded()) + "\r\n";
        std::unique_ptr<QMimeData> mime(new QMimeData);
        mime->setData(KvEditorCommon::MIME_TYPE_URI, data);
        return mime;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid() && m_outside.isValid());
        KvEditorConfig::setDataDir(m_data.path());
        QVERIFY(QDir(m_data.path()).mkpath("image/folder one"));
        QVERIFY(QDir(m_data.path()).mkpath("notes.txt")); // a folder with a telop-like name
        for (const QString& name :
             QStringList{"image/a.png", "image/b c.jpg", "movie/m.mp4", "telop/t.txt",
                         "web/page.html", "flash/f.swf", "other/x.doc", "image/Grüße.png",
                         "image/a%41 100%.png", "~/far.png"})
            QVERIFY(Kova::Test::writeFile(path(name)));
    }

    void canDrop_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("screenType");
        QTest::addColumn<bool>("accepted");

        QTest::newRow("image on multimedia") << QStringList{"image/a.png"} << 1 << true;
        QTest::newRow("encoded blank on multimedia") << QStringList{"image/b c.jpg"} << 1 << true;
        QTest::newRow("non-ASCII name") << QStringList{"image/Grüße.png"} << 1 << true;
        QTest::newRow("percent signs in the name")
            << QStringList{"image/a%41 100%.png"} << 1 << true;
        QTest::newRow("movie, web, flash")
            << QStringList{"movie/m.mp4", "web/page.html", "flash/f.swf"} << 1 << true;
        QTest::newRow("folder on multimedia") << QStringList{"image/folder one"} << 1 << true;
        QTest::newRow("folder on telop") << QStringList{"image/folder one"} << 2 << false;
        QTest::newRow("folder on extended") << QStringList{"image/folder one"} << 3 << false;
        QTest::newRow("telop file on telop") << QStringList{"telop/t.txt"} << 2 << true;
        QTest::newRow("telop file on multimedia") << QStringList{"telop/t.txt"} << 1 << false;
        QTest::newRow("image on telop") << QStringList{"image/a.png"} << 2 << false;
        QTest::newRow("txt-named folder on telop") << QStringList{"notes.txt"} << 2 << false;
        QTest::newRow("txt-named folder on multimedia") << QStringList{"notes.txt"} << 1 << true;
        QTest::newRow("unknown extension") << QStringList{"other/x.doc"} << 1 << false;
        QTest::newRow("one misfit refuses all")
            << QStringList{"image/a.png", "telop/t.txt"} << 1 << false;
        QTest::newRow("image on extended") << QStringList{"image/a.png"} << 3 << false;
    }

    void canDrop()
    {
        QFETCH(QStringList, files);
        QFETCH(int, screenType);
        QFETCH(bool, accepted);

        KvScreen screen(static_cast<ScreenType::ScreenTypes>(screenType), 1);
        KvScreenItem item(&screen);
        Qt::DropAction action = Qt::MoveAction;
        QCOMPARE(KvMediaDropRules::canDropUris(payload(files).get(), &item, &action), accepted);
        QCOMPARE(action, accepted ? Qt::CopyAction : Qt::IgnoreAction);
    }

    void refusedPayloadsAndTargets()
    {
        KvScreen screen(ScreenType::Multimedia, 1);
        KvScreenItem item(&screen);
        QGraphicsRectItem background(0, 0, 10, 10);
        const std::unique_ptr<QMimeData> mime = payload({"image/a.png"});
        Qt::DropAction action = Qt::CopyAction;

        QVERIFY(!KvMediaDropRules::canDropUris(nullptr, &item, &action));
        QCOMPARE(action, Qt::IgnoreAction);
        QVERIFY(!KvMediaDropRules::canDropUris(mime.get(), nullptr, &action));
        // The stage background (or any other item) is no target.
        QVERIFY(!KvMediaDropRules::canDropUris(mime.get(), &background, &action));
        // A null action pointer is allowed.
        QVERIFY(KvMediaDropRules::canDropUris(mime.get(), &item, nullptr));
        QVERIFY(
            KvMediaDropRules::createMediaListFromMimeData(mime.get(), nullptr, nullptr).isEmpty());
        QVERIFY(KvMediaDropRules::createMediaListFromMimeData(nullptr, &screen, nullptr).isEmpty());

        QMimeData plain;
        plain.setText(QUrl::fromLocalFile(path("image/a.png")).toString());
        QVERIFY(!KvMediaDropRules::canDropUris(&plain, &item, &action));
        QVERIFY(KvMediaDropRules::createMediaListFromMimeData(&plain, &screen, nullptr).isEmpty());
        QMimeData breaks;
        breaks.setData(KvEditorCommon::MIME_TYPE_URI, "\r\n\n\r\r\n");
        QVERIFY(!KvMediaDropRules::canDropUris(&breaks, &item, &action));
        QVERIFY(KvMediaDropRules::createMediaListFromMimeData(&breaks, &screen, nullptr).isEmpty());
    }

    // The media made for a screen of `screenType`: "<media type> <uri>" each, in line order.
    void conversion_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("bare");
        QTest::addColumn<int>("screenType");
        QTest::addColumn<QStringList>("media");

        QTest::newRow("misfits skipped, folder becomes a folder medium")
            << QStringList{"movie/m.mp4", "telop/t.txt", "image/folder one", "image/b c.jpg"}
            << false << 1 << QStringList{"2 movie/m.mp4", "7 image/folder one", "1 image/b c.jpg"};
        QTest::newRow("names decoded once")
            << QStringList{"image/a%41 100%.png", "image/Grüße.png"} << false << 1
            << QStringList{"1 image/a%41 100%.png", "1 image/Grüße.png"};
        QTest::newRow("telop: folder skipped") << QStringList{"image/folder one", "telop/t.txt"}
                                               << false << 2 << QStringList{"6 telop/t.txt"};
        QTest::newRow("bare path taken as it is")
            << QStringList{"image/a.png"} << true << 1 << QStringList{"1 image/a.png"};
        QTest::newRow("outside the data folder stays absolute")
            << QStringList{"~/far.png"} << false << 1 << QStringList{"1 ~/far.png"};
    }

    void conversion()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, bare);
        QFETCH(int, screenType);
        QFETCH(QStringList, media);

        KvScreen screen(static_cast<ScreenType::ScreenTypes>(screenType), 1);
        bool ok = false;
        const QList<KvMedia*> made =
            KvMediaDropRules::createMediaListFromMimeData(payload(files, bare).get(), &screen, &ok);
        QVERIFY(ok);
        QStringList described;
        for (const KvMedia* medium : made) {
            described << QString("%1 %2").arg(int(medium->mediaType())).arg(medium->uri());
            QCOMPARE(medium->parent(), &screen);
            // A movie plays to its end; everything else for 10 seconds.
            if (medium->mediaType() == MediaType::Movie) {
                QVERIFY(medium->detectTermination());
            } else {
                QVERIFY(!medium->detectTermination());
                QCOMPARE(medium->playingDuration(), 10.0);
            }
        }
        // Not in the screen's list: the caller owns them until they are added.
        QCOMPARE(screen.mediaCount(), 0);
        qDeleteAll(made);
        QCOMPARE(described, media.replaceInStrings(" ~", " " + m_outside.path()));
    }

    void preservedMediaOwnership()
    {
        auto* medium = new KvMedia("image/a.png", MediaType::Image);
        {
            KvPreservedMedia owner(medium, 2, 5, true, true);
            QCOMPARE(owner.screenIndex(), 2);
            QCOMPARE(owner.sequenceIndex(), 5);
            // A copy never owns: only one delete happens.
            KvPreservedMedia copy(owner);
            QVERIFY(!copy.ownsMedia());
            QCOMPARE(copy.media(), medium);
            owner.setOwnsMedia(false);
        }
        // Handed back: the record left the medium alive.
        QCOMPARE(medium->uri(), QString("image/a.png"));
        delete medium;

        // An owning record that is assigned another medium lets its old one go.
        auto* second = new KvMedia("b");
        KvPreservedMedia record(new KvMedia("a"), -1, -1, false, true);
        KvPreservedMedia other(second, 1, 1, true, false);
        record = other;
        QCOMPARE(record.media(), second);
        QVERIFY(!record.ownsMedia());
        record = record;
        QCOMPARE(record.media(), second);
        delete second;
    }
};

QTEST_MAIN(TestDropRules)
#include "tst_droprules.moc"
