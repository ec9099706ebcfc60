#include "kvlibfilesystemmodel.h"
#include "kvlibtreeview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace Kova;

// A library of 20,000 pictures in 200 folders (40 below each media folder): opening it in
// the tree and expanding every folder one by one, as a user clicking through it, while the
// preview icons are read in the background. Prints the time to open, the time until every
// folder is expanded and every preview arrived, and the longest stall of the GUI thread
// (the longest gap between two turns of its event loop).
namespace {

const int FolderCount = 200;
const int FilesPerFolder = 100;
const QStringList MediaFolders{"movie", "image", "flash", "telop", "web"};

void makeLibrary(const QString& root)
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    for (int folder = 0; folder < FolderCount; ++folder) {
        const QString path = QStringLiteral("%1/%2/album%3")
                                 .arg(root, MediaFolders.at(folder % MediaFolders.size()))
                                 .arg(folder);
        QDir().mkpath(path);
        for (int file = 0; file < FilesPerFolder; ++file)
            picture.save(QStringLiteral("%1/photo%2.png").arg(path).arg(file));
    }
}

// Times every event delivered from the loop, to name the one that stalled longest.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    qint64 longestEvent = 0;
    QString longestWhat;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (m_depth++ > 0) {
            const bool result = QApplication::notify(receiver, event);
            --m_depth;
            return result;
        }
        QElapsedTimer timer;
        timer.start();
        const QString what = QStringLiteral("%1 (event %2)")
                                 .arg(QString::fromLatin1(receiver->metaObject()->className()))
                                 .arg(event->type());
        const bool result = QApplication::notify(receiver, event);
        --m_depth;
        if (timer.elapsed() > longestEvent) {
            longestEvent = timer.elapsed();
            longestWhat = what;
        }
        return result;
    }

private:
    int m_depth = 0;
};

} // namespace

int main(int argc, char** argv)
{
    TimedApplication app(argc, argv);
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).canonicalPath();
    QElapsedTimer clock;
    clock.start();
    makeLibrary(root);
    std::printf("library of %d files made in %lld ms\n", FolderCount * FilesPerFolder,
                static_cast<long long>(clock.restart()));

    // The loop watch: a zero timer runs once per event-loop turn.
    qint64 longestStall = 0;
    QElapsedTimer turn;
    turn.start();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout,
                     [&] { longestStall = qMax(longestStall, turn.restart()); });

    clock.restart();
    KvLibFileSystemModel model;
    model.setNameFiltersInRoot(MediaFolders);
    model.setExclusionNamePattern({"^\\._.*"});
    KvLibTreeView view;
    view.setModel(&model);
    view.setRootIndex(model.setRootPath(root));
    view.resize(400, 800);
    view.show();
    QApplication::processEvents();
    const qint64 openMs = clock.elapsed();

    int previews = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&](const QModelIndex& index) {
        if (!model.isDir(index))
            ++previews;
    });

    // Expands the next folder on each loop turn: the media folders, then their albums.
    QStringList folders = MediaFolders;
    for (int folder = 0; folder < FolderCount; ++folder)
        folders << QStringLiteral("%1/album%2")
                       .arg(MediaFolders.at(folder % MediaFolders.size()))
                       .arg(folder);
    int next = 0;
    QTimer expander;
    QObject::connect(&expander, &QTimer::timeout, [&] {
        if (next < folders.size())
            view.expand(model.index(root + QLatin1Char('/') + folders.at(next++)));
    });

    clock.restart();
    turn.restart();
    watch.start(0);
    expander.start(0);
    QElapsedTimer limit;
    limit.start();
    while ((next < folders.size() || previews < FolderCount * FilesPerFolder) &&
           limit.elapsed() < 120000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const qint64 expandMs = clock.elapsed();
    watch.stop();

    std::printf("open: %lld ms\n", static_cast<long long>(openMs));
    std::printf("expand %d folders, %d previews: %lld ms\n", int(folders.size()), previews,
                static_cast<long long>(expandMs));
    std::printf("longest GUI-thread stall: %lld ms (limit 50 ms)\n",
                static_cast<long long>(longestStall));
    std::printf("longest single event: %lld ms, %s\n", static_cast<long long>(app.longestEvent),
                qPrintable(app.longestWhat));
    return longestStall <= 50 ? 0 : 1;
}
