// A user's first session with the timeline, through the editor's widgets: the Lobby sample is
// opened, two pictures and a movie are dropped on its main screen in the canvas, their
// thumbnails and the movie's real length arrive from the background, media are reordered and
// moved into another screen's row by dragging, a raise and a listen event are set through the
// label menus; then every step is undone and redone, the stage is saved, closed and reopened.

#include <QGraphicsScene>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QThreadPool>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUrl>
#include <QtTest>

#include <memory>

#include "kvdockwidget.h"
#include "kveditorconfig.h"
#include "kveditormenus.h"
#include "kveditorteardown.h"
#include "kvscreenitem.h"
#include "kvseqmainview.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvsequencecontainer.h"
#include "kvsequencewidget.h"
#include "kvstageeditor.h"
#include "kvstagescene.h"
#include "kvstageview.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvstagewriter.h"
#include "kvtestfactories.h"
#include "kvthumbnailasync.h"
#include "kvthumbnailwork.h"

using namespace Kova;

class TestTimelineJourney : public QObject
{
    Q_OBJECT

private:
    KvStage* stage() const { return m_editor->currentStage(); }
    KvSequenceWidget* sequence() const
    {
        return m_editor->sequenceContainer()->currentSequenceWidget();
    }
    QUndoStack* stack() const { return m_editor->undoGroup()->activeStack(); }
    KvSeqMediaItem* item(int row, int index) const
    {
        return sequence()->rows().at(row)->itemAt(index);
    }

    QString names(int row) const
    {
        QStringList list;
        for (const KvMedia* media : stage()->screenList().at(row)->mediaList())
            list << (media->name().isEmpty() ? media->uri() : media->name());
        return list.join(", ");
    }

    // The current stage as the core writes it.
    QByteArray written() const
    {
        const QString path = m_data->filePath("written.xml");
        QFile file(path);
        if (!KvStageWriter().write(*stage(), path) || !file.open(QIODevice::ReadOnly))
            return "not written";
        return file.readAll();
    }

    // Every piece of background thumbnail work has ended and reported. Work starts one event
    // loop turn after it is asked for, and its result reaches the timeline through two queued
    // hops, so the pool is drained until a turn starts no more work.
    static void finishThumbnails()
    {
        for (int started = -1; started != KvThumbnailAsync::startedWorkCount();) {
            started = KvThumbnailAsync::startedWorkCount();
            for (int turn = 0; turn < 3; ++turn) {
                QCoreApplication::processEvents();
                KvThumbnailWork::threadPool()->waitForDone();
            }
        }
        QCoreApplication::processEvents();
    }

    // Files dragged from outside onto the middle of a canvas screen.
    void dropOnCanvas(KvScreen* screen, const QStringList& relativePaths)
    {
        KvStageWorkingArea* area = m_editor->stageWidget()->currentStageWorkingArea();
        KvStageView* view = area->view();
        KvScreenItem* screenItem = area->scene()->screenItemOf(screen);
        QVERIFY(screenItem);
        view->centerOn(screenItem);
        QByteArray lines;
        for (const QString& path : relativePaths)
            lines += QUrl::fromLocalFile(m_data->filePath(path)).toEncoded() + "\r\n";
        QMimeData data;
        data.setData(KvEditorCommon::MIME_TYPE_URI, lines);
        const QPoint at = view->mapFromScene(screenItem->sceneBoundingRect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &drop);
    }

    // A pointer event through the timeline's window, at a scene point of its view.
    void mouse(QTest::MouseAction action, const QPointF& scenePos)
    {
        KvSeqMainView* view = sequence()->view();
        const QPoint pos = view->viewport()->mapTo(view->window(), view->mapFromScene(scenePos));
        QTest::mouseEvent(action, view->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          pos);
    }

    // Clicks the medium at (row, index), which selects it alone, then drags it with the left
    // button onto the scene point `to`.
    void dragMedia(int row, int index, const QPointF& to)
    {
        const QPointF from = item(row, index)->sceneBoundingRect().center();
        mouse(QTest::MousePress, from);
        mouse(QTest::MouseRelease, from);
        mouse(QTest::MousePress, from);
        for (int step = 1; step <= 8; ++step)
            mouse(QTest::MouseMove, from + (to - from) * step / 8.0);
        mouse(QTest::MouseRelease, to);
    }

    // Triggers the action of that object name in a label menu of the timeline (the timeline
    // owns the menu).
    static void trigger(QMenu* menu, const QString& objectName)
    {
        QVERIFY(menu);
        QAction* action = menu->findChild<QAction*>(objectName);
        QVERIFY2(action && action->isEnabled(), qPrintable(objectName));
        action->trigger();
    }

    std::unique_ptr<Test::TempDataDir> m_data;
    std::unique_ptr<QMainWindow> m_window;
    std::unique_ptr<KvStageEditor> m_editor;

private slots:
    void init()
    {
        m_data.reset(new Test::TempDataDir(true));
        QVERIFY(m_data->isValid());
        KvEditorConfig::setDataDir(m_data->path());
        m_window.reset(new QMainWindow);
        m_editor.reset(new KvStageEditor(m_window.get()));
        connect(m_editor.get(), qOverload<QGraphicsScene*>(&KvStageEditor::graphicsScenePurged),
                m_editor.get(), [](QGraphicsScene* scene) { delete scene; });
        m_editor->stageWidget()->resize(900, 700);
        m_editor->stageWidget()->show();
        m_editor->sequenceDock()->resize(1500, 300);
        m_editor->sequenceDock()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_editor->sequenceDock()));
    }

    void cleanup()
    {
        finishThumbnails();
        Test::discardEditor(m_editor, m_window);
        m_data.reset();
    }

    void lobbySession()
    {
        const QString lobby = m_data->stagePath("Lobby.xml");
        m_editor->onStageHasBeenSelected({lobby});
        QCoreApplication::processEvents();
        QVERIFY(stage());
        m_editor->setActiveUndoStack(
            m_editor->stageWidget()->currentStageWorkingArea()->undoStack());
        QVERIFY(sequence());
        // Rows in z order: Main (z 1), Side (z 2), News (z 3).
        KvScreen* main = stage()->screenList().at(0);
        QCOMPARE(main->name(), QString("Main"));
        finishThumbnails();
        const QByteArray start = written();

        // Two pictures and a movie dropped on the main screen: one step.
        dropOnCanvas(main,
                     {"image/welcome.png", "image/portrait-banner.jpg", "movie/countdown-3s.mp4"});
        QCOMPARE(stack()->count(), 1);
        QCOMPARE(main->mediaCount(), 8);
        QCOMPARE(names(0), QString("Welcome, Sunrise, Intro film, Floor map, Blue frame, "
                                   "image/welcome.png, image/portrait-banner.jpg, "
                                   "movie/countdown-3s.mp4"));

        // Thumbnails and the movie's length come from the background; the time view shows
        // the 3 s movie 12 pixels wide.
        finishThumbnails();
        for (int index : {5, 6, 7})
            QVERIFY2(!item(0, index)->thumbnailImage().isNull(),
                     qPrintable(QString::number(index)));
        KvSeqMediaItem* movie = item(0, 7);
        QVERIFY(qAbs(movie->duration() - 3.0) < 0.05);
        m_editor->changeSeqViewToTimeView();
        QVERIFY(qAbs(movie->width() - 12.0) < 0.2);
        m_editor->changeSeqViewToNormalView();
        QCOMPARE(movie->width(), 140.0);

        // The movie dragged leftwards onto "Sunrise" lands before it.
        dragMedia(0, 7, item(0, 1)->sceneBoundingRect().center());
        QCOMPARE(stack()->count(), 2);
        QCOMPARE(names(0), QString("Welcome, movie/countdown-3s.mp4, Sunrise, Intro film, "
                                   "Floor map, Blue frame, image/welcome.png, "
                                   "image/portrait-banner.jpg"));

        // The last picture dragged into Side's row (above Main's) before its first medium.
        QCOMPARE(stage()->screenList().at(1)->name(), QString("Side"));
        dragMedia(0, 7, item(1, 0)->sceneBoundingRect().center());
        QCOMPARE(stack()->count(), 3);
        QCOMPARE(names(1), QString("image/portrait-banner.jpg, Opening hours, Example site"));
        QCOMPARE(main->mediaCount(), 7);

        // Side raises an event when a content starts; Main listens to it.
        m_editor->changeScreenSelection({stage()->screenList().at(1)});
        trigger(sequence()->buildRaiseEventMenu(), "Action_Event_On_Content_Start");
        QCOMPARE(stack()->count(), 4);
        m_editor->changeScreenSelection({main});
        trigger(sequence()->buildListenEventMenu(), "Action_Listen_Event_Screen_2");
        QCOMPARE(stack()->count(), 5);
        QCOMPARE(main->waitEventList().count(), 1);
        QCOMPARE(main->waitEventList().first().screenId(), 2);

        // Every step undone gives back the opened stage; redone, the edited one.
        const QByteArray end = written();
        while (stack()->canUndo())
            stack()->undo();
        QCOMPARE(written(), start);
        while (stack()->canRedo())
            stack()->redo();
        QCOMPARE(written(), end);

        // Saved, closed and reopened, the stage is the edited one.
        Test::editorAction(*m_editor, "Action_Save_Stage")->trigger();
        QVERIFY(!m_editor->stageWidget()->currentStageWorkingArea()->isStageChanged());
        m_editor->stageWidget()->closeCurrentStage();
        QCOMPARE(m_editor->stageWidget()->stageWorkingAreaList().count(), 0);
        m_editor->onStageHasBeenSelected({lobby});
        QCoreApplication::processEvents();
        QVERIFY(stage());
        QCOMPARE(written(), end);
        QCOMPARE(sequence()->rows().at(1)->count(), 3);
    }
};

QTEST_MAIN(TestTimelineJourney)
#include "tst_timelinejourney.moc"
