// Media at scale, through the editor:
//  1. opening a stage of 50 screens x 200 media (file read, canvas and timeline built, through
//     the editor's open path) against reading the file alone;
//  2. moving 100 selected media to the end of a row of 5,000 (push, undo, redo), per command;
//  3. the memory of 10,000 media commands on the undo stack (resident set growth).
//
// Run: QT_QPA_PLATFORM=offscreen ./bench_mediacommands [--open-only]

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QImage>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QUndoGroup>
#include <QUndoStack>

#include <cstdio>

#include "kvbenchfigures.h"
#include "kveditorconfig.h"
#include "kvmedia.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvsequencecontainer.h"
#include "kvstage.h"
#include "kvstageeditor.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"

using namespace Kova;

namespace {

// Writes a stage of `screens` multimedia screens with `media` pictures each.
QString writeStage(const QTemporaryDir& dir, const QString& name, int screens, int media)
{
    KvStage stage(dir.filePath(QStringLiteral("stage/") + name));
    stage.setRect(QRect(0, 0, 3840, 2160));
    for (int id = 1; id <= screens; ++id) {
        auto* screen = new KvScreen(ScreenType::Multimedia, id);
        screen->setName(QStringLiteral("S%1").arg(id));
        screen->setRect(QRectF((id % 10) * 300, (id / 10) * 200, 280, 180));
        screen->setZIndex(id);
        for (int k = 0; k < media; ++k) {
            auto* medium =
                new KvMedia(QStringLiteral("image/p%1.png").arg(k % 8), MediaType::Image, screen);
            medium->setName(QStringLiteral("M%1.%2").arg(id).arg(k));
            medium->setPlayingDuration(10.0);
            screen->addMedia(medium);
        }
        stage.addScreen(screen);
    }
    return stage.writeToFile() ? stage.filePath() : QString();
}

double msSince(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("stage"));
    QDir(dir.path()).mkpath(QStringLiteral("image"));
    // The media's files exist, so that no missing-file message stops the run.
    for (int i = 0; i < 8; ++i) {
        QImage picture(64, 36, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 40, 200, 200));
        picture.save(dir.filePath(QStringLiteral("image/p%1.png").arg(i)));
    }
    KvEditorConfig::setDataDir(dir.path());

    QMainWindow window;
    KvStageEditor editor(&window);
    QObject::connect(&editor, qOverload<QGraphicsScene*>(&KvStageEditor::graphicsScenePurged),
                     &editor, [](QGraphicsScene* scene) { delete scene; });

    // 1. Opening against reading, five rounds each (the tab is closed between rounds); the
    //    medians are compared. "--open-only" stops after this part.
    const QString big = writeStage(dir, QStringLiteral("big.xml"), 50, 200);
    std::vector<double> reads;
    std::vector<double> builds;
    std::vector<double> opens;
    QElapsedTimer timer;
    for (int round = 0; round < 5; ++round) {
        timer.start();
        {
            KvStage alone(big);
            alone.readFile();
        }
        reads.push_back(msSince(timer));
        timer.restart();
        editor.onStageHasBeenSelected({big});
        builds.push_back(msSince(timer));
        QCoreApplication::processEvents();
        opens.push_back(msSince(timer));
        editor.stageWidget()->closeCurrentStage();
        QCoreApplication::processEvents();
    }
    const double readMs = Bench::summarise(reads).median;
    const double openMs = Bench::summarise(opens).median;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("open 50x200 (median of 5): read %.1f ms, open %.1f ms (tab, canvas and timeline "
                "built in %.1f ms, then one event loop turn), ratio %.2f\n",
                readMs, openMs, Bench::summarise(builds).median, openMs / readMs);
    if (app.arguments().contains(QStringLiteral("--open-only")))
        return 0;

    // 2. Moving 100 selected media of a row of 5,000 to its end.
    const QString row = writeStage(dir, QStringLiteral("row.xml"), 1, 5000);
    editor.onStageHasBeenSelected({row});
    QCoreApplication::processEvents();
    editor.setActiveUndoStack(editor.stageWidget()->currentStageWorkingArea()->undoStack());
    QUndoStack* stack = editor.undoGroup()->activeStack();
    KvScreen* screen = editor.currentStage()->screenList().at(0);
    QList<int> selection;
    for (int i = 0; i < 100; ++i)
        selection << 1000 + i * 2;
    const int rounds = 20;
    double pushMs = 0;
    double undoMs = 0;
    double redoMs = 0;
    for (int r = 0; r < rounds; ++r) {
        editor.updateSequenceMediaItemSelection({{screen, selection}});
        timer.restart();
        editor.action_moveSelectedMediaToLast();
        pushMs += msSince(timer);
        timer.restart();
        stack->undo();
        undoMs += msSince(timer);
        timer.restart();
        stack->redo();
        redoMs += msSince(timer);
        stack->undo();
    }
    std::printf("move 100 of 5000: push %.2f ms, undo %.2f ms, redo %.2f ms per command\n",
                pushMs / rounds, undoMs / rounds, redoMs / rounds);
    stack->clear();

    // 3. Memory of 10,000 media commands: additions, removals and moves in turn.
    const long before = Bench::residentKiB();
    timer.restart();
    for (int i = 0; i < 10000; ++i) {
        if (i % 3 == 0) {
            auto* medium = new KvMedia(QStringLiteral("image/p1.png"), MediaType::Image, screen);
            medium->setName(QStringLiteral("N%1").arg(i));
            QList<KvPreservedMedia*> records{
                new KvPreservedMedia(medium, 0, screen->mediaCount(), false, true)};
            editor.action_addMedia(records);
        } else if (i % 3 == 1) {
            editor.updateSequenceMediaItemSelection({{screen, {i % 4000}}});
            editor.action_removeSelectedSeqMediaItems();
        } else {
            editor.updateSequenceMediaItemSelection({{screen, {i % 3000}}});
            editor.action_moveSelectedMediaToNext();
        }
    }
    const double fillMs = msSince(timer);
    const long after = Bench::residentKiB();
    std::printf("10000 media commands: %d on the stack, %.1f s, resident +%ld KiB "
                "(%.0f bytes per command)\n",
                stack->count(), fillMs / 1000, after - before,
                stack->count() ? (after - before) * 1024.0 / stack->count() : 0.0);

    for (KvStageWorkingArea* area : editor.stageWidget()->stageWorkingAreaList())
        area->resetInitialStage();
    return 0;
}
