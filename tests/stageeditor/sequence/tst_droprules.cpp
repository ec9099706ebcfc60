#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvmediadroprules.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvscreenitem.h"

#include <QDir>
#include <QFile>
#include <QGraphicsRectItem>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace Kova;

class TestDropRules : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.path() + "/" + name; }

    QMimeData* payload(const QStringList& names) const
    {
        QByteArray data;
        for (const QString& name : names) {
            data += QUrl::fromLocalFile(path(name)).toEncoded() + "\r\n";
        }
        auto* mime = new QMimeData();
        mime->setData(KvEditorCommon::MIME_TYPE_URI, data);
        return mime;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        KvEditorConfig::setDataDir(m_dir.path());
        QDir root(m_dir.path());
        QVERIFY(root.mkpath("image/folder one"));
        QVERIFY(root.mkpath("notes.txt")); // a folder with a telop-like name
        for (const QString& name : QStringList{
                 "image/a.png", "image/b c.jpg", "movie/m.mp4", "telop/t.txt", "web/page.html",
                 "flash/f.swf", "other/x.doc", "image/Grüße.png", "image/a%41 100%.png"}) {
            root.mkpath(QFileInfo(path(name)).path());
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
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
        screen.setRect(QRectF(0, 0, 100, 100));
        KvScreenItem item(&screen);
        QScopedPointer<QMimeData> mime(payload(files));
        Qt::DropAction action = Qt::MoveAction;
        QCOMPARE(KvMediaDropRules::canDropUris(mime.data(), &item, &action), accepted);
        QCOMPARE(action, accepted ? Qt::CopyAction : Qt::IgnoreAction);
    }

    void refusedPayloadsAndTargets()
    {
        KvScreen screen(ScreenType::Multimedia, 1);
        KvScreenItem item(&screen);
        QGraphicsRectItem background(0, 0, 10, 10);
        QScopedPointer<QMimeData> mime(payload(QStringList{"image/a.png"}));
        Qt::DropAction action = Qt::CopyAction;

        QVERIFY(!KvMediaDropRules::canDropUris(nullptr, &item, &action));
        QCOMPARE(action, Qt::IgnoreAction);
        QVERIFY(!KvMediaDropRules::canDropUris(mime.data(), nullptr, &action));
        // The stage background (or any other item) is no target.
        QVERIFY(!KvMediaDropRules::canDropUris(mime.data(), &background, &action));
        // A null action pointer is allowed.
        QVERIFY(KvMediaDropRules::canDropUris(mime.data(), &item, nullptr));

        QMimeData plain;
        plain.setText(QUrl::fromLocalFile(path("image/a.png")).toString());
        QVERIFY(!KvMediaDropRules::canDropUris(&plain, &item, &action));

        QMimeData breaks;
        breaks.setData(KvEditorCommon::MIME_TYPE_URI, "\r\n\n\r\r\n");
        QVERIFY(!KvMediaDropRules::canDropUris(&breaks, &item, &action));
        QVERIFY(KvMediaDropRules::createMediaListFromMimeData(&breaks, &screen, nullptr).isEmpty());
    }

    void conversion()
    {
        KvScreen screen(ScreenType::Multimedia, 1);
        QScopedPointer<QMimeData> mime(payload(
            QStringList{"movie/m.mp4", "telop/t.txt", "image/folder one", "image/b c.jpg"}));
        bool ok = false;
        const QList<KvMedia*> media =
            KvMediaDropRules::createMediaListFromMimeData(mime.data(), &screen, &ok);
        QVERIFY(ok);
        // The telop file does not suit a multimedia screen and is skipped.
        QCOMPARE(media.size(), 3);
        QCOMPARE(media.at(0)->mediaType(), MediaType::Movie);
        QCOMPARE(media.at(0)->uri(), QString("movie/m.mp4"));
        QVERIFY(media.at(0)->detectTermination());
        QCOMPARE(media.at(1)->mediaType(), MediaType::Folder);
        QCOMPARE(media.at(1)->uri(), QString("image/folder one"));
        QCOMPARE(media.at(1)->playingDuration(), 10.0);
        QVERIFY(!media.at(1)->detectTermination());
        QCOMPARE(media.at(2)->mediaType(), MediaType::Image);
        QCOMPARE(media.at(2)->uri(), QString("image/b c.jpg"));
        for (KvMedia* medium : media) {
            QCOMPARE(medium->parent(), &screen);
        }
        QCOMPARE(screen.mediaCount(), 0);
        qDeleteAll(media);
    }

    void conversionDecodesNamesOnce()
    {
        KvScreen screen(ScreenType::Multimedia, 1);
        QScopedPointer<QMimeData> mime(
            payload(QStringList{"image/a%41 100%.png", "image/Grüße.png"}));
        const QList<KvMedia*> media =
            KvMediaDropRules::createMediaListFromMimeData(mime.data(), &screen, nullptr);
        QCOMPARE(media.size(), 2);
        QCOMPARE(media.at(0)->uri(), QString("image/a%41 100%.png"));
        QCOMPARE(media.at(1)->uri(), QString("image/Grüße.png"));
        qDeleteAll(media);

        // A bare path (no file URL) is taken as it is.
        QMimeData bare;
        bare.setData(KvEditorCommon::MIME_TYPE_URI, path("image/a.png").toUtf8() + "\n");
        const QList<KvMedia*> fromBare =
            KvMediaDropRules::createMediaListFromMimeData(&bare, &screen, nullptr);
        QCOMPARE(fromBare.size(), 1);
        QCOMPARE(fromBare.first()->uri(), QString("image/a.png"));
        qDeleteAll(fromBare);
    }

    void conversionOutsideDataFolderKeepsAbsolutePath()
    {
        QTemporaryDir outside;
        QFile file(outside.path() + "/far.png");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QMimeData mime;
        mime.setData(KvEditorCommon::MIME_TYPE_URI,
                     QUrl::fromLocalFile(outside.path() + "/far.png").toEncoded() + "\n");
        KvScreen screen(ScreenType::Multimedia, 1);
        const QList<KvMedia*> media =
            KvMediaDropRules::createMediaListFromMimeData(&mime, &screen, nullptr);
        QCOMPARE(media.size(), 1);
        QCOMPARE(media.first()->uri(), QFileInfo(outside.path() + "/far.png").absoluteFilePath());
        qDeleteAll(media);
    }

    void conversionRefusals()
    {
        KvScreen telop(ScreenType::Telop, 1);
        QScopedPointer<QMimeData> mime(payload(QStringList{"image/folder one", "telop/t.txt"}));
        bool ok = false;
        QList<KvMedia*> media =
            KvMediaDropRules::createMediaListFromMimeData(mime.data(), &telop, &ok);
        QVERIFY(ok);
        QCOMPARE(media.size(), 1);
        QCOMPARE(media.first()->mediaType(), MediaType::Telop);
        QCOMPARE(media.first()->playingDuration(), 10.0);
        qDeleteAll(media);

        QVERIFY(KvMediaDropRules::createMediaListFromMimeData(mime.data(), nullptr, &ok).isEmpty());
        QVERIFY(KvMediaDropRules::createMediaListFromMimeData(nullptr, &telop, &ok).isEmpty());
        QMimeData plain;
        plain.setText("file:///tmp/x.txt");
        QVERIFY(KvMediaDropRules::createMediaListFromMimeData(&plain, &telop, &ok).isEmpty());
    }

    void preservedMediaOwnership()
    {
        auto* medium = new KvMedia("image/a.png", MediaType::Image);
        {
            KvPreservedMedia owner(medium, 2, 5, true, true);
            QCOMPARE(owner.screenIndex(), 2);
            QCOMPARE(owner.sequenceIndex(), 5);
            QVERIFY(owner.isSelected());
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
        auto* first = new KvMedia("a");
        auto* second = new KvMedia("b");
        KvPreservedMedia record(first, -1, -1, false, true);
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
