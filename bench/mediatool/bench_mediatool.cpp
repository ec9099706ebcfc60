// Thumbnails in the background and how they compare:
//  1. 1,000 photographs (800x600 JPEG) and 20 movies made through KvThumbnailAsync while a
//     1 ms timer on the GUI thread measures the longest gap between two ticks. Goal: at most
//     50 ms.
//  2. The same photographs made one after another in one thread by the media tool (reading,
//     thumbnail file, record) against QImageReader alone with setScaledSize: the ratio of the
//     two times, with the folder's record written once for the batch (as the background
//     workers do) and after every file.
//  3. One movie probe (length and thumbnail frame) per sample movie against the ffprobe
//     command-line tool asked for the length of the same file (skipped without ffprobe).
//
// Run: bench_mediatool [pictures]

#include "kvmediastore.h"
#include "kvmovieprobe.h"
#include "kvthumbnail.h"
#include "kvthumbnailasync.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

using namespace Kova;

namespace {

const QStringList sampleMovies = {"intro.mp4", "countdown-3s.mp4", "waves-7s.mkv"};

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QString sampleMovie(const QString& name)
{
    return QStringLiteral(KOVA_SAMPLE_DIR "/movie/") + name;
}

// Writes `count` different 800x600 photographs as JPEG into `folder`.
QStringList writePictures(const QString& folder, int count)
{
    QDir().mkpath(folder);
    QStringList paths;
    QImage picture(800, 600, QImage::Format_RGB32);
    for (int i = 0; i < count; ++i) {
        picture.fill(QColor::fromHsv(i % 360, 160, 220));
        QPainter painter(&picture);
        painter.setPen(QPen(Qt::black, 9));
        painter.drawEllipse(QPoint(100 + i % 600, 300), 90, 150 - i % 100);
        painter.end();
        paths.append(QStringLiteral("%1/photo%2.jpg").arg(folder).arg(i, 4, 10, QLatin1Char('0')));
        picture.save(paths.last(), "JPEG", 85);
    }
    return paths;
}

QStringList copyMovies(const QString& folder, int count)
{
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString name = sampleMovies.at(i % sampleMovies.size());
        paths.append(QStringLiteral("%1/%2-%3").arg(folder).arg(i).arg(name));
        QFile::copy(sampleMovie(name), paths.last());
    }
    return paths;
}

void backgroundWithStalls(const QString& root, int pictureCount)
{
    const QStringList files =
        writePictures(root + "/async/image", pictureCount) + copyMovies(root + "/async/movie", 20);

    qint64 longestGap = 0;
    qint64 ticks = 0;
    QElapsedTimer sinceTick;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.elapsed());
        sinceTick.restart();
        ++ticks;
    });

    QEventLoop loop;
    int finished = 0;
    QElapsedTimer total;
    total.start();
    sinceTick.start();
    timer.start();
    for (const QString& path : files) {
        auto* request = new KvThumbnailAsync(path, true);
        QObject::connect(request, &KvThumbnailAsync::finished, &loop, [&] {
            if (++finished == files.size()) {
                loop.quit();
            }
        });
        request->start();
    }
    loop.exec();
    timer.stop();
    const qint64 elapsed = total.elapsed();
    out() << "1. background: " << pictureCount << " pictures + 20 movies in " << elapsed << " ms ("
          << (files.size() * 1000.0 / std::max<qint64>(1, elapsed)) << " files/s); GUI timer ticks "
          << ticks << ", longest gap " << longestGap << " ms (goal <= 50 ms)\n";
    out().flush();
}

void againstPlainReader(const QString& root, int pictureCount)
{
    const QStringList batched = writePictures(root + "/sync/batched", pictureCount);
    const QStringList each = writePictures(root + "/sync/each", pictureCount);
    const int side = KvThumbnail::THUMBNAIL_SIZE;

    QElapsedTimer timer;
    timer.start();
    for (const QString& path : batched) {
        QImageReader reader(path);
        reader.setScaledSize(reader.size().scaled(side, side, Qt::KeepAspectRatio));
        reader.read();
    }
    const qint64 plain = std::max<qint64>(1, timer.restart());
    // As the background workers do it: the folder's record written once for the batch.
    for (const QString& path : batched) {
        KvThumbnail::createFileProperty(path, false);
    }
    KvMediaStore::writeRecord(batched.first());
    const qint64 tool = timer.restart();
    for (const QString& path : each) {
        KvThumbnail::createFileProperty(path);
    }
    const qint64 writeThrough = timer.elapsed();
    out() << "2. one thread, " << pictureCount << " pictures: QImageReader alone " << plain
          << " ms; media tool (thumbnail file and record too) " << tool << " ms, ratio "
          << double(tool) / plain << "; with the record written after every file " << writeThrough
          << " ms, ratio " << double(writeThrough) / plain << "\n";
    out().flush();
}

void againstFfprobe()
{
    const QString ffprobe = QStandardPaths::findExecutable("ffprobe");
    const int rounds = 20;
    for (const QString& name : sampleMovies) {
        const QString path = sampleMovie(name);
        QElapsedTimer timer;
        timer.start();
        qint64 length = 0;
        for (int i = 0; i < rounds; ++i) {
            length = KvMovieProbe::probe(path, KvThumbnail::THUMBNAIL_SIZE).length;
        }
        const double probe = timer.nsecsElapsed() / 1e6 / rounds;
        out() << "3. " << name << " (" << length << " ms): probe with frame " << probe << " ms";
        if (ffprobe.isEmpty()) {
            out() << "; ffprobe not installed, no comparison\n";
            continue;
        }
        timer.restart();
        for (int i = 0; i < rounds; ++i) {
            QProcess process;
            process.start(ffprobe, {"-v", "error", "-show_entries", "format=duration", "-of",
                                    "default=nw=1:nk=1", path});
            process.waitForFinished();
        }
        const double tool = timer.nsecsElapsed() / 1e6 / rounds;
        out() << ", ffprobe (length only, own process) " << tool << " ms, ratio " << probe / tool
              << "\n";
    }
    out().flush();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    const int pictures = argc > 1 ? std::max(1, QString(argv[1]).toInt()) : 1000;
    QTemporaryDir root;
    if (!root.isValid()) {
        return 1;
    }
    backgroundWithStalls(root.path(), pictures);
    againstPlainReader(root.path(), pictures);
    againstFfprobe();
    return 0;
}
