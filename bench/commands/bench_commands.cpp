// Screen commands at scale: a stage of 1,000 screens, 10,000 mixed screen commands pushed
// through the editor's actions, then all undone and all redone. Prints the time per
// command of each phase and the memory the undo stack holds (resident set growth).
//
// Run: QT_QPA_PLATFORM=offscreen ./bench_commands [screens] [commands]

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUndoGroup>
#include <QUndoStack>

#include <cstdio>

#include "kvbenchfigures.h"
#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvstage.h"
#include "kvstageeditor.h"
#include "kvstagescene.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"

using namespace Kova;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int screenCount = argc > 1 ? atoi(argv[1]) : 1000;
    const int commandCount = argc > 2 ? atoi(argv[2]) : 10000;
    QTemporaryDir dir;
    qputenv("KOVA_DATA_DIR", dir.path().toUtf8());

    QMainWindow window;
    KvStageEditor editor(&window);
    auto* stage = new KvStage(dir.filePath(QStringLiteral("bench.kst")));
    stage->setRect(QRect(0, 0, 3840, 2160));
    for (int i = 1; i <= screenCount; ++i) {
        auto* screen = new KvScreen(ScreenType::Multimedia, i);
        screen->setName(QStringLiteral("S%1").arg(i));
        screen->setZIndex(i);
        screen->setRect(QRectF((i * 37) % 3600, (i * 53) % 2000, 120, 80));
        stage->addScreen(screen);
    }
    KvStageWidget* widget = editor.stageWidget();
    widget->setCurrentStageTab(widget->addStageTab(QString(), stage));
    KvStageWorkingArea* area = widget->currentStageWorkingArea();
    editor.setActiveUndoStack(area->undoStack());
    QUndoStack* stack = area->undoStack();
    stack->setUndoLimit(0);

    QRandomGenerator random(4242u);
    const long before = Bench::residentKiB();
    QElapsedTimer timer;
    timer.start();
    int counts[8] = {};
    for (int n = 0; n < commandCount; ++n) {
        const QList<KvScreen*> all = editor.screens();
        QList<KvScreen*> pick;
        const int size = 1 + int(random.bounded(3));
        for (int k = 0; k < size; ++k)
            pick << all.at(int(random.bounded(all.count())));
        editor.selectScreenItem(pick, true, false);
        const int kind = int(random.bounded(8));
        ++counts[kind];
        switch (kind) {
        case 0:
            editor.action_changeSelectedScreenBackColor(QColor::fromRgb(random.generate()));
            break;
        case 1:
            editor.action_changeSelectedScreenLocked(false);
            break;
        case 2:
            for (KvScreen* s : editor.selectedScreens())
                area->scene()->screenItemOf(s)->setPos(s->rect().topLeft() + QPointF(5, -3));
            editor.action_selectedScreenMoved();
            break;
        case 3:
            for (KvScreen* s : editor.selectedScreens())
                area->scene()->screenItemOf(s)->setGeometry(s->rect().x(), s->rect().y(),
                                                            60 + random.bounded(200),
                                                            40 + random.bounded(100));
            editor.action_selectedScreenResized();
            break;
        case 4:
            editor.action_moveZIndexOfScreen(int(random.bounded(5)) - 2);
            break;
        case 5:
            editor.action_changeSelectedScreenMoviePlayerType(
                PlayerType::PlayerTypes(1 + random.bounded(2)));
            break;
        case 6:
            editor.action_addMultimediaScreen();
            break;
        case 7:
            // Removal takes up to three screens, addition one: keep the stage near its size.
            if (all.count() > screenCount / 2)
                editor.action_removeSelectedScreens();
            break;
        }
    }
    const qint64 pushMs = timer.elapsed();
    const long afterPush = Bench::residentKiB();
    const int pushed = stack->count();

    timer.restart();
    while (stack->canUndo())
        stack->undo();
    const qint64 undoMs = timer.elapsed();
    timer.restart();
    while (stack->canRedo())
        stack->redo();
    const qint64 redoMs = timer.elapsed();

    QTextStream out(stdout);
    out << "screens: " << screenCount << ", actions: " << commandCount
        << ", commands on the stack: " << pushed << "\n";
    out << "mix (colour, lock, move, resize, z-order, player, add, remove): ";
    for (int c : counts)
        out << c << ' ';
    out << "\n";
    out << "push (action + first redo): " << pushMs << " ms total, "
        << double(pushMs) * 1000.0 / qMax(1, pushed) << " us per command\n";
    out << "undo all: " << undoMs << " ms, " << double(undoMs) * 1000.0 / qMax(1, pushed)
        << " us per command\n";
    out << "redo all: " << redoMs << " ms, " << double(redoMs) * 1000.0 / qMax(1, pushed)
        << " us per command\n";
    out << "resident set growth while pushing: " << (afterPush - before) << " KiB ("
        << double(afterPush - before) * 1024.0 / qMax(1, pushed) << " bytes per command)\n";
    out.flush();
    {
        // Closing asks nothing: the stage file is written before the tab goes.
        stage->writeToFile();
        area->resetInitialStage();
        widget->closeAllStageTab();
    }
    return 0;
}
