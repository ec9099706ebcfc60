// The media tool: movie lengths and frames, picture thumbnails, drawn cards, the per-folder
// record of file properties and the asynchronous thumbnail maker.

#include "kvmovieprobe.h"
#include "kvtestfactories.h"
#include "kvthumbnail.h"
#include "kvthumbnailasync.h"
#include "kvthumbnailcard.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using namespace Kova;
using namespace Kova::Test;

namespace {

// Warnings of the media tool seen while a test runs.
int g_mediaToolWarnings = 0;
QtMessageHandler g_previousHandler = nullptr;

void countMediaToolWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message)
{
    if (type == QtWarningMsg && qstrcmp(context.category, "kova.mediatool") == 0) {
        ++g_mediaToolWarnings;
        return;
    }
    g_previousHandler(type, context, message);
}

// A JPEG of `size`, its left half red and its right half blue, carrying an EXIF orientation
// tag in an APP1 segment placed right after the start-of-image marker.
QByteArray orientedJpeg(const QSize& size, int orientation)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width() / 2; ++x) {
            picture.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 95);
    const char exif[] = {'\xFF', '\xE1',
                         0,      34, // APP1, length of the segment
                         'E',    'x',
                         'i',    'f',
                         0,      0, // EXIF header
                         'M',    'M',
                         0,      42,
                         0,      0,
                         0,      8, // big-endian TIFF header, first IFD at 8
                         0,      1, // one entry:
                         0x01,   0x12,
                         0,      3,
                         0,      0,
                         0,      1, //   Orientation, SHORT, one value
                         0,      static_cast<char>(orientation),
                         0,      0, //   the value
                         0,      0,
                         0,      0}; // no next IFD
    return jpeg.left(2) + QByteArray(exif, sizeof exif) + jpeg.mid(2);
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 180 && qBlue(pixel) < 80;
}

} // namespace

class TestMediaTool : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString samplePath(const QString& name) const
    {
        return QStringLiteral(KOVA_SAMPLE_DIR "/movie/") + name;
    }

    // A fresh folder for one test function's files.
    QString folder(const QString& name) const
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(path);
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void movie_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<qint64>("frameMs");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QSize>("thumbnailSize");

        QTest::newRow("intro") << "intro.mp4" << qint64(1000) << qint64(100) << "h264 in mp4"
                               << QSize(64, 36);
        QTest::newRow("countdown")
            << "countdown-3s.mp4" << qint64(3000) << qint64(100) << "h264 in mp4" << QSize(160, 90);
        QTest::newRow("waves") << "waves-7s.mkv" << qint64(7000) << qint64(67) << "mpeg4 in mkv"
                               << QSize(160, 90);
    }

    // Real lengths, and a thumbnail frame that is not the black opening frame.
    void movie()
    {
        QFETCH(QString, name);
        QFETCH(qint64, length);
        QFETCH(qint64, frameMs);
        QFETCH(QString, format);
        QFETCH(QSize, thumbnailSize);

        const QString path = folder("movie") + '/' + name;
        QVERIFY2(QFile::copy(samplePath(name), path), qPrintable(samplePath(name)));
        const KvThumbnail::FileProperty made = KvThumbnail::createFileProperty(path);
        QVERIFY(qAbs(made.length - length) <= frameMs);
        QCOMPARE(made.format, format);
        const QImage thumbnail = KvThumbnail::loadThumbnail(made.thumbnailPath);
        QCOMPARE(thumbnail.size(), thumbnailSize);
        QVERIFY(KvMovieProbe::meanLuma(thumbnail) >= KvMovieProbe::darkLuma());

        const KvThumbnail::FileProperty recorded = KvThumbnail::getFilePropertyFromHashFile(path);
        QCOMPARE(recorded.length, made.length);
        QCOMPARE(recorded.stamp, made.stamp);
        QCOMPARE(recorded.dimensions, made.dimensions);
    }

    void unusableFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("hasThumbnail");

        QByteArray noise(64 * 1024, '\0');
        QRandomGenerator random(7);
        random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage(40, 30, QImage::Format_RGB32).save(&buffer, "PNG");

        QTest::newRow("corrupt movie") << "noise.mp4" << noise << "unreadable" << false;
        QTest::newRow("empty movie") << "empty.mkv" << QByteArray() << "unreadable" << false;
        QTest::newRow("empty picture") << "empty.png" << QByteArray() << "unreadable" << false;
        QTest::newRow("text as picture")
            << "note.jpg" << QByteArray("hello") << "unreadable" << false;
        QTest::newRow("png as jpg") << "photo.jpg" << png << "png" << true;
        // Not written at all, and a named pipe no one writes to: opening it would never end.
        QTest::newRow("missing") << "gone.png" << QByteArray() << "missing" << false;
        QTest::newRow("pipe") << "pipe.mp4" << QByteArray() << "missing" << false;
    }

    // Files that cannot be read as their type get no thumbnail (an old one is removed) and no
    // length; a picture under another picture type's name is read by its content.
    void unusableFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, format);
        QFETCH(bool, hasThumbnail);

        const QString path = folder("unusable") + '/' + name;
        const QString thumbnailPath = KvThumbnail::thumbnailFilePath(path);
        QVERIFY(writeImage(thumbnailPath));
        if (name.startsWith("pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (format != QLatin1String("missing")) {
            QVERIFY(writeFile(path, content));
        }
        const KvThumbnail::FileProperty made = KvThumbnail::createFileProperty(path);
        QCOMPARE(made.format, format);
        QCOMPARE(made.length, qint64(0));
        QCOMPARE(made.thumbnailPath, thumbnailPath);
        if (format != QLatin1String("missing")) {
            QCOMPARE(QFile::exists(thumbnailPath), hasThumbnail);
            QCOMPARE(KvThumbnail::loadThumbnail(thumbnailPath).size(),
                     hasThumbnail ? QSize(40, 30) : QSize(0, 0));
        }
    }

    // A movie probe that runs out of time gives up and says so.
    void movieDeadline()
    {
        const KvMovieProbe::Result result = KvMovieProbe::probe(samplePath("waves-7s.mkv"), 160, 0);
        QVERIFY(!result.readable);
        QCOMPARE(result.error, QString("gave up reading the file in time"));
    }

    void card_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QImage>("expected");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");

        QTest::newRow("telop") << "news.txt" << QByteArray("\n  Opening at nine  \nSecond line")
                               << "text" << KvThumbnailCard::telop("Opening at nine", 160)
                               << QPoint(2, 60) << QColor(0x1c, 0x20, 0x24);
        QTest::newRow("url") << "site.url"
                             << QByteArray("[InternetShortcut]\r\nURL=https://example.com/a\r\n")
                             << "url" << KvThumbnailCard::web("example.com", 160) << QPoint(58, 28)
                             << QColor(0xcf, 0xe3, 0xfa);
        QTest::newRow("html") << "page.html"
                              << QByteArray("<html><head><title> Opening  hours</title>") << "html"
                              << KvThumbnailCard::web("Opening hours", 160) << QPoint(58, 28)
                              << QColor(0xcf, 0xe3, 0xfa);
        QTest::newRow("flash") << "intro.swf" << QByteArray("FWS") << "swf"
                               << KvThumbnailCard::label("Flash", 160) << QPoint(20, 20)
                               << QColor(0xe6, 0xe8, 0xeb);
        QTest::newRow("other") << "notes.xyz" << QByteArray("data") << "xyz"
                               << KvThumbnailCard::label("XYZ", 160) << QPoint(20, 20)
                               << QColor(0xe6, 0xe8, 0xeb);
    }

    // Files without a picture of their own get a 160x90 card telling what they are.
    void card()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, format);
        QFETCH(QImage, expected);
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);

        const QString path = folder("cards") + '/' + name;
        QVERIFY(writeFile(path, content));
        const KvThumbnail::FileProperty made = KvThumbnail::createFileProperty(path);
        QCOMPARE(made.format, format);
        const QImage thumbnail = KvThumbnail::loadThumbnail(made.thumbnailPath)
                                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(thumbnail.size(), QSize(160, 90));
        QCOMPARE(thumbnail.pixelColor(point), colour);
        QCOMPARE(thumbnail, expected);
    }

    // A 6000x4000 photograph is decoded straight at thumbnail size: the thumbnail is exactly
    // what the reader's scaled decoding gives, not a full decode scaled down afterwards.
    void largePicture()
    {
        const QString path = folder("large") + "/photo.jpg";
        QImage photo(6000, 4000, QImage::Format_Grayscale8);
        for (int y = 0; y < photo.height(); ++y) {
            uchar* line = photo.scanLine(y);
            for (int x = 0; x < photo.width(); ++x) {
                line[x] = static_cast<uchar>((x * 7) ^ (y * 3));
            }
        }
        QVERIFY(photo.save(path, "JPEG", 90));
        const KvThumbnail::FileProperty made = KvThumbnail::createFileProperty(path);
        QCOMPARE(made.format, QString("jpeg"));
        QCOMPARE(made.dimensions, QString("6000x4000"));

        QImageReader reader(path);
        reader.setScaledSize(QSize(160, 106));
        const QImage expected = reader.read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(
            KvThumbnail::loadThumbnail(made.thumbnailPath).convertToFormat(QImage::Format_RGB32),
            expected);
    }

    void exifOrientation_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("dimensions");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("redPoint");
        QTest::addColumn<QPoint>("bluePoint");

        QTest::newRow("upright") << 1 << "400x200" << QSize(160, 80) << QPoint(20, 40)
                                 << QPoint(140, 40);
        QTest::newRow("upside down")
            << 3 << "400x200" << QSize(160, 80) << QPoint(140, 40) << QPoint(20, 40);
        QTest::newRow("turned right")
            << 6 << "200x400" << QSize(80, 160) << QPoint(40, 20) << QPoint(40, 140);
        QTest::newRow("turned left")
            << 8 << "200x400" << QSize(80, 160) << QPoint(40, 140) << QPoint(40, 20);
    }

    void exifOrientation()
    {
        QFETCH(int, orientation);
        QFETCH(QString, dimensions);
        QFETCH(QSize, size);
        QFETCH(QPoint, redPoint);
        QFETCH(QPoint, bluePoint);

        const QString path = folder("exif") + QStringLiteral("/turned-%1.jpg").arg(orientation);
        QVERIFY(writeFile(path, orientedJpeg(QSize(400, 200), orientation)));
        const KvThumbnail::FileProperty made = KvThumbnail::createFileProperty(path);
        QCOMPARE(made.dimensions, dimensions);
        const QImage thumbnail = KvThumbnail::loadThumbnail(made.thumbnailPath);
        QCOMPARE(thumbnail.size(), size);
        QVERIFY(isRed(thumbnail.pixel(redPoint)));
        QVERIFY(!isRed(thumbnail.pixel(bluePoint)));
    }

    void staleEntry_data()
    {
        QTest::addColumn<bool>("sameSize");
        QTest::newRow("size changed") << false;
        QTest::newRow("only touched") << true;
    }

    // A file changed since its entry was made is no longer described by it.
    void staleEntry()
    {
        QFETCH(bool, sameSize);
        const QString path = folder("stale") + "/picture.png";
        QVERIFY(writeImage(path, QSize(64, 36)));
        const KvThumbnail::FileProperty made = KvThumbnail::createFileProperty(path);
        QCOMPARE(KvThumbnail::getFilePropertyFromHashFile(path).dimensions, QString("64x36"));

        if (sameSize) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(5),
                                     QFileDevice::FileModificationTime));
        } else {
            QVERIFY(writeImage(path, QSize(20, 20)));
        }
        const KvThumbnail::FileProperty stale = KvThumbnail::getFilePropertyFromHashFile(path);
        QCOMPARE(stale.filePath, path);
        QCOMPARE(stale.thumbnailPath, made.thumbnailPath);
        QVERIFY(stale.stamp.isEmpty());
        QVERIFY(stale.format.isEmpty());
        QVERIFY(stale.dimensions.isEmpty());
    }

    // Entries another program wrote into the record meanwhile are kept when this one writes.
    void otherWriterKept()
    {
        const QString dir = folder("shared");
        const QString recordPath =
            dir + '/' + KvThumbnail::THUMBNAIL_FOLDER_NAME + "/properties.json";
        QVERIFY(writeImage(dir + "/one.png"));
        QVERIFY(writeImage(dir + "/two.png"));
        KvThumbnail::createFileProperty(dir + "/one.png");
        QFile record(recordPath);
        QVERIFY(record.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(record.readAll()).object();
        record.close();
        QJsonObject files = root.value("files").toObject();
        files.insert("other.mp4", QJsonObject{{"format", "h264 in mp4"}, {"length", 5000}});
        root.insert("files", files);
        QVERIFY(writeFile(recordPath, QJsonDocument(root).toJson()));

        KvThumbnail::createFileProperty(dir + "/two.png");
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(
            QJsonDocument::fromJson(record.readAll()).object().value("files").toObject().keys(),
            QStringList({"one.png", "other.mp4", "two.png"}));
    }

    // Thumbnails and entries of a folder that cannot be written (a file in the thumbnail
    // folder's place, which keeps even the super-user from writing) stay in memory, with one
    // warning for the folder.
    void unwritableFolder()
    {
        const QString dir = folder("blocked");
        const QStringList paths = {dir + "/one.png", dir + "/two.png"};
        for (const QString& path : paths) {
            QVERIFY(writeImage(path, QSize(64, 36)));
        }
        QVERIFY(writeFile(dir + '/' + KvThumbnail::THUMBNAIL_FOLDER_NAME, "taken"));

        g_mediaToolWarnings = 0;
        g_previousHandler = qInstallMessageHandler(countMediaToolWarnings);
        for (const QString& path : paths) {
            KvThumbnail::createFileProperty(path);
        }
        qInstallMessageHandler(g_previousHandler);

        QCOMPARE(g_mediaToolWarnings, 1);
        for (const QString& path : paths) {
            const KvThumbnail::FileProperty recorded =
                KvThumbnail::getFilePropertyFromHashFile(path);
            QCOMPARE(recorded.dimensions, QString("64x36"));
            QVERIFY(!QFile::exists(recorded.thumbnailPath));
            QCOMPARE(KvThumbnail::loadThumbnail(recorded.thumbnailPath).size(), QSize(64, 36));
        }
    }

    // Requests for one file at once make one piece of work; each requester gets finished()
    // once, later, on its own thread; one destroyed before the result gets nothing.
    void asyncSharedWork()
    {
        const QString path = folder("async") + "/waves.mkv";
        QVERIFY(QFile::copy(samplePath("waves-7s.mkv"), path));
        const int workBefore = KvThumbnailAsync::startedWorkCount();

        QList<KvThumbnailAsync*> requesters;
        QList<int> calls;
        QVector<QThread*> threads;
        int destroyed = 0;
        for (int i = 0; i < 5; ++i) {
            auto* requester = new KvThumbnailAsync(path, i < 4, this);
            requesters.append(requester);
            calls.append(0);
            connect(requester, &KvThumbnailAsync::finished, this,
                    [&calls, &threads, i](const KvThumbnail::FileProperty& property) {
                        ++calls[i];
                        threads.append(QThread::currentThread());
                        QVERIFY(qAbs(property.length - 7000) <= 67);
                    });
            connect(requester, &QObject::destroyed, this, [&destroyed] { ++destroyed; });
            requester->start();
            requester->start();
        }
        auto* withdrawn = new KvThumbnailAsync(path, false);
        withdrawn->start();
        delete withdrawn;
        QCOMPARE(calls, QList<int>({0, 0, 0, 0, 0}));

        QTRY_VERIFY_WITH_TIMEOUT(destroyed == 4 && calls[4] == 1, 30000);
        QCoreApplication::processEvents();
        QCOMPARE(calls, QList<int>({1, 1, 1, 1, 1}));
        QCOMPARE(threads, QVector<QThread*>(5, QThread::currentThread()));
        QCOMPARE(KvThumbnailAsync::startedWorkCount(), workBefore + 1);
        delete requesters[4];
    }

    // A folder of 1,000 pictures made in the background: every thumbnail is written and the
    // record on disk lists every file, though many workers wrote it at once.
    void thousandPictures()
    {
        const QString dir = folder("thousand");
        const int count = 1000;
        for (int i = 0; i < count; ++i) {
            QVERIFY(writeImage(QStringLiteral("%1/p%2.png").arg(dir).arg(i), QSize(24, 16),
                               QColor::fromHsv(i % 360, 200, 200)));
        }
        int finished = 0;
        for (int i = 0; i < count; ++i) {
            auto* requester =
                new KvThumbnailAsync(QStringLiteral("%1/p%2.png").arg(dir).arg(i), true);
            connect(requester, &KvThumbnailAsync::finished, this, [&finished] { ++finished; });
            requester->start();
        }
        QTRY_COMPARE_WITH_TIMEOUT(finished, count, 240000);

        QFile record(dir + '/' + KvThumbnail::THUMBNAIL_FOLDER_NAME + "/properties.json");
        QVERIFY(record.open(QIODevice::ReadOnly));
        const QJsonObject files =
            QJsonDocument::fromJson(record.readAll()).object().value("files").toObject();
        QCOMPARE(files.size(), count);
        QCOMPARE(files.value("p999.png").toObject().value("dimensions").toString(),
                 QString("24x16"));
        QCOMPARE(QDir(dir + '/' + KvThumbnail::THUMBNAIL_FOLDER_NAME)
                     .entryList({"*.png.png"}, QDir::Files)
                     .size(),
                 count);
    }
};

QTEST_MAIN(TestMediaTool)
#include "tst_mediatool.moc"
