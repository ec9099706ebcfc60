// Media commands through the editor on an opened stage: each action is one undo step whose
// undo and redo give back the stage file written before and after, with the same media
// objects; the move rules and their menu entries, which side Edit acts on, and a seeded run of
// media, screen and stage edits undone and redone whole. (A file dropped on a canvas screen
// becomes one such step in tst_timelinejourney.)

#include <QGraphicsScene>
#include <QMainWindow>
#include <QRandomGenerator>
#include <QUndoGroup>
#include <QUndoStack>
#include <QtTest>

#include <functional>
#include <memory>

#include "kvdockwidget.h"
#include "kveditorconfig.h"
#include "kveditormenus.h"
#include "kveditorteardown.h"
#include "kvpreservedmedia.h"
#include "kvscreenitem.h"
#include "kvseqmainview.h"
#include "kvsequencecontainer.h"
#include "kvsequencewidget.h"
#include "kvstageeditor.h"
#include "kvstagescene.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvstagewriter.h"
#include "kvtestfactories.h"
#include "kvthumbnail.h"

using namespace Kova;

using Action = std::function<void()>;
Q_DECLARE_METATYPE(Action)

class TestMediaCommands : public QObject
{
    Q_OBJECT

private:
    // Opens, through the editor, a stage whose screens S1..Sn (z-index = id) hold media
    // M<id>.0 .. M<id>.<k-1> of the pictures image/p0.png .. p3.png.
    void openStage(const QList<int>& mediaPerScreen)
    {
        KvStage stage(m_data->stagePath("media.xml"));
        stage.setRect(QRect(0, 0, 1920, 1080));
        for (int id = 1; id <= mediaPerScreen.count(); ++id) {
            KvScreen* screen = Test::addScreen(&stage, id, QRectF(id * 200, 100, 180, 120));
            for (int k = 0; k < mediaPerScreen.at(id - 1); ++k)
                screen->addMedia(newMedia(QString("M%1.%2").arg(id).arg(k), k, screen));
        }
        QVERIFY(stage.writeToFile());
        m_editor->onStageHasBeenSelected({stage.filePath()});
        QCoreApplication::processEvents();
        QVERIFY(m_editor->currentStage());
        m_editor->setActiveUndoStack(
            m_editor->stageWidget()->currentStageWorkingArea()->undoStack());
        QVERIFY(sequence());
    }

    static KvMedia* newMedia(const QString& name, int picture, KvScreen* screen)
    {
        auto* media =
            new KvMedia(QString("image/p%1.png").arg(picture % 4), MediaType::Image, screen);
        media->setName(name);
        media->setPlayingDuration(10.0);
        return media;
    }

    KvSequenceWidget* sequence() const
    {
        return m_editor->sequenceContainer()->currentSequenceWidget();
    }
    QUndoStack* stack() const { return m_editor->undoGroup()->activeStack(); }
    KvScreen* screen(int row) const { return m_editor->currentStage()->screenList().at(row); }

    // The media names of a row, in order.
    QString names(int row) const
    {
        QStringList list;
        for (const KvMedia* media : screen(row)->mediaList())
            list << media->name();
        return list.join(' ');
    }

    void select(int row, const QList<int>& indices)
    {
        m_editor->updateSequenceMediaItemSelection({{screen(row), indices}});
    }

    // The current stage as the core writes it, which the stage read back from it matches.
    QByteArray written() const
    {
        const QString path = m_data->filePath("written.xml");
        KvStage reread(path);
        QFile file(path);
        if (!KvStageWriter().write(*m_editor->currentStage(), path) || !reread.readFile() ||
            !m_editor->currentStage()->isMatch(reread, false) || !file.open(QIODevice::ReadOnly))
            return "not written and read back alike";
        return file.readAll();
    }

    // Every medium object of the stage, screen by screen.
    QList<const void*> mediaObjects() const
    {
        QList<const void*> objects;
        for (const KvScreen* s : m_editor->currentStage()->screenList())
            objects += QList<const void*>(s->mediaList().begin(), s->mediaList().end());
        return objects;
    }

    // The action pushes one command; undo and redo give back the written stage and the
    // medium objects of before and after.
    void checkUndoableStep(const Action& action)
    {
        const auto state = [this] { return qMakePair(written(), mediaObjects()); };
        const auto before = state();
        const int count = stack()->count();
        action();
        QCOMPARE(stack()->count(), count + 1);
        const auto after = state();
        QVERIFY(after.first != before.first);
        stack()->undo();
        QCOMPARE(state(), before);
        stack()->redo();
        QCOMPARE(state(), after);
    }

    // A left click on the medium at `index` of a row of the timeline.
    void clickMedia(int row, int index)
    {
        KvSeqMainView* view = sequence()->view();
        const KvSeqMediaItem* item = sequence()->rows().at(row)->itemAt(index);
        QVERIFY(item);
        const QPoint at = view->mapFromScene(item->sceneBoundingRect().center());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    KvScreenItem* itemOf(KvScreen* s) const
    {
        return m_editor->stageWidget()->currentStageWorkingArea()->scene()->screenItemOf(s);
    }

    bool enabled(const QString& name) const
    {
        QAction* action = Test::editorAction(*m_editor, name);
        return action && action->isEnabled();
    }

    std::unique_ptr<Test::TempDataDir> m_data;
    std::unique_ptr<QMainWindow> m_window;
    std::unique_ptr<KvStageEditor> m_editor;

private slots:
    void init()
    {
        m_data.reset(new Test::TempDataDir);
        QVERIFY(m_data->isValid());
        // The pictures have thumbnails already, so media joining the timeline start no
        // background work that could outlive the data folder.
        for (int i = 0; i < 4; ++i) {
            const QString picture = m_data->filePath(QString("image/p%1.png").arg(i));
            QVERIFY(Test::writeImage(picture));
            QVERIFY(Test::writeImage(KvThumbnail::thumbnailFilePath(picture)));
        }
        KvEditorConfig::setDataDir(m_data->path());
        m_window.reset(new QMainWindow);
        m_editor.reset(new KvStageEditor(m_window.get()));
        connect(m_editor.get(), qOverload<QGraphicsScene*>(&KvStageEditor::graphicsScenePurged),
                m_editor.get(), [](QGraphicsScene* scene) { delete scene; });
        m_editor->sequenceDock()->resize(900, 300);
        m_editor->sequenceDock()->show();
    }

    void cleanup()
    {
        Test::discardEditor(m_editor, m_window);
        m_data.reset();
    }

    // Each media command once, on S1 = M1.0..M1.4 and S2 = M2.0..M2.2.
    void commands_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("row0"); // S1's media after the action
        QTest::addColumn<QString>("row1");
        const auto row = [](const char* name, const QString& r0, const QString& r1, Action a) {
            QTest::newRow(name) << a << r0 << r1;
        };
        row("add", "M1.0 M1.1 M1.2 M1.3 M1.4 N0 N1", "M2.0 M2.1 M2.2", [this] {
            QList<KvPreservedMedia*> records;
            for (int i = 0; i < 2; ++i)
                records << new KvPreservedMedia(newMedia(QString("N%1").arg(i), i, screen(0)), 0,
                                                5 + i, true, true);
            m_editor->action_addMedia(records);
            QVERIFY(records.isEmpty());
        });
        row("remove", "M1.0 M1.3 M1.4", "M2.0 M2.1 M2.2", [this] {
            select(0, {1, 2});
            m_editor->action_removeSelectedSeqMediaItems();
        });
        row("cut", "M1.0 M1.1 M1.2 M1.4", "M2.0 M2.1 M2.2", [this] {
            clickMedia(0, 3);
            m_editor->action_cut();
        });
        // Copied from S1, pasted before M2.1 where the pointer was released.
        row("paste", "M1.0 M1.1 M1.2 M1.3 M1.4", "M2.0 M1.3 M2.1 M2.2", [this] {
            clickMedia(0, 3);
            m_editor->action_copy();
            clickMedia(1, 1);
            m_editor->action_paste();
        });
        row("move across rows", "M1.0 M1.2 M1.3 M1.4", "M2.0 M2.1 M1.1 M2.2", [this] {
            select(0, {1});
            bool result = false;
            m_editor->action_moveSelectedMedia(1, 2, 0, 1, &result);
            QVERIFY(result);
        });
        row("edit properties", "M1.0 edited M1.2 M1.3 M1.4", "M2.0 M2.1 M2.2", [this] {
            KvSeqMediaItem* item = sequence()->rows().at(0)->itemAt(1);
            KvMedia edited(*item->media());
            edited.setName("edited");
            edited.setPlayingDuration(3.5);
            m_editor->action_updateMediaProperties(item, edited);
        });
        // Every property but the URI: the destinations keep their own files.
        row("copy properties", "M1.0 M1.1 M1.2 M1.3 M1.4", "M1.4 M2.1 M1.4", [this] {
            m_editor->action_copyMediaPropertyToOthers(screen(0)->mediaList().at(4),
                                                       screen(1)->id(), {0, 2});
            QCOMPARE(screen(1)->mediaList().at(0)->uri(), QString("image/p0.png"));
            QCOMPARE(screen(1)->mediaList().at(2)->uri(), QString("image/p2.png"));
        });
    }

    void commands()
    {
        QFETCH(Action, action);
        QFETCH(QString, row0);
        QFETCH(QString, row1);
        openStage({5, 3});
        checkUndoableStep([&] {
            action();
            QCOMPARE(names(0), row0);
            QCOMPARE(names(1), row1);
        });
    }

    // Dragging the pressed medium of a selection in a row M0..M4 onto another place.
    void dropPlace_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("basis");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("names"); // empty: no move, result false
        QTest::newRow("rightwards after the target")
            << QList<int>{1, 2} << 1 << 3 << "M1.0 M1.3 M1.1 M1.2 M1.4";
        QTest::newRow("onto a moving medium") << QList<int>{1, 2} << 1 << 2 << QString();
        QTest::newRow("leftwards before the target")
            << QList<int>{3} << 3 << 1 << "M1.0 M1.3 M1.1 M1.2 M1.4";
        QTest::newRow("onto its own place") << QList<int>{3} << 3 << 3 << QString();
        QTest::newRow("nothing selected") << QList<int>{} << 3 << 1 << QString();
    }

    void dropPlace()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, basis);
        QFETCH(int, target);
        QFETCH(QString, names);
        openStage({5});
        select(0, selected);
        bool result = true;
        m_editor->action_moveSelectedMedia(0, target, 0, basis, &result);
        QCOMPARE(result, !names.isEmpty());
        QCOMPARE(stack()->count(), names.isEmpty() ? 0 : 1);
        if (!names.isEmpty())
            QCOMPARE(this->names(0), names);
    }

    // The in-row moves of indices 2 and 4 of six, their menu entries' state and undo.
    void rowMoves_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QList<int>>("after"); // selected indices after the move
        QTest::newRow("to first") << QList<int>{2, 4} << "Action_Move_First" << QList<int>{0, 2};
        QTest::newRow("previous") << QList<int>{2, 4} << "Action_Move_Previous" << QList<int>{1, 3};
        QTest::newRow("next") << QList<int>{2, 4} << "Action_Move_Next" << QList<int>{3, 5};
        QTest::newRow("to last") << QList<int>{2, 4} << "Action_Move_Last" << QList<int>{3, 5};
        QTest::newRow("first at the start")
            << QList<int>{0, 4} << "Action_Move_First" << QList<int>{};
        QTest::newRow("next at the end") << QList<int>{2, 5} << "Action_Move_Next" << QList<int>{};
    }

    void rowMoves()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QString, entry);
        QFETCH(QList<int>, after);
        openStage({6});
        select(0, selected);
        m_editor->arrangeMenuOpenningCheckOnSequence();
        QCOMPARE(enabled(entry), !after.isEmpty());
        const QString before = names(0);
        Test::editorAction(*m_editor, entry)->trigger();
        if (after.isEmpty()) {
            QCOMPARE(stack()->count(), 0);
            return;
        }
        QCOMPARE(sequence()->rows().at(0)->selectedIndices(), after);
        QCOMPARE(screen(0)->mediaList().at(after.at(0))->name(),
                 QString("M1.%1").arg(selected.at(0)));
        QCOMPARE(screen(0)->mediaList().at(after.at(1))->name(),
                 QString("M1.%1").arg(selected.at(1)));
        stack()->undo();
        QCOMPARE(names(0), before);
    }

    // Undoing a removal brings back the same medium objects at their places, selected.
    void removalUndoRestoresSelectedObjects()
    {
        openStage({4});
        const QList<KvMedia*> media = screen(0)->mediaList();
        select(0, {1, 3});
        m_editor->action_removeSelectedSeqMediaItems();
        QCOMPARE(screen(0)->mediaList(), (QList<KvMedia*>{media.at(0), media.at(2)}));
        stack()->undo();
        QCOMPARE(screen(0)->mediaList(), media);
        QCOMPARE(sequence()->rows().at(0)->selectedIndices(), (QList<int>{1, 3}));
    }

    // Edit > Cut, Copy, Paste and Delete act on the side the user last pressed the mouse on:
    // after a click on a medium in the timeline on the media, leaving the screens selected on
    // the canvas and the screens' clipboard alone; after a press on the canvas on the selected
    // screens, and on none with nothing selected.
    void editActionsFollowTheActiveSide()
    {
        openStage({3, 2});
        m_editor->stageWidget()->clearClipboardForScreen();
        m_editor->selectScreenItem({screen(1)}, true, true);
        clickMedia(0, 1);
        QCOMPARE(m_editor->activeSide(), int(KvStageEditor::SequenceSide));
        for (QMenu* menu : m_editor->menu()) {
            if (menu->objectName() == "Menu_Edit")
                emit menu->aboutToShow();
        }
        QVERIFY(enabled("Action_Delete"));
        Test::editorAction(*m_editor, "Action_Delete")->trigger();
        QCOMPARE(names(0), QString("M1.0 M1.2"));
        clickMedia(0, 0);
        m_editor->action_copy();
        m_editor->action_cut();
        m_editor->action_paste();
        QCOMPARE(m_editor->currentStage()->screenList().count(), 2);
        QVERIFY(m_editor->stageWidget()->clipboardScreens().isEmpty());
        const int mediaSteps = stack()->count();

        QWidget* canvas = m_editor->stageWidget();
        QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        m_editor->clearScreenSelection();
        m_editor->action_copy();
        m_editor->action_cut();
        m_editor->action_paste();
        m_editor->action_remove();
        QCOMPARE(stack()->count(), mediaSteps);
        m_editor->selectScreenItem({screen(1)}, true, true);
        Test::editorAction(*m_editor, "Action_Delete")->trigger();
        QCOMPARE(m_editor->currentStage()->screenList().count(), 1);
        QCOMPARE(stack()->count(), mediaSteps + 1);
    }

    // A seeded run of media edits with screen and stage edits between; undoing all of it gives
    // back the stage file of the start, redoing it the file of the end, byte for byte.
    void randomRunUndoneAndRedone()
    {
        openStage({4, 3, 5});
        const quint32 seed = 20261206;
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        const QByteArray start = written();
        int added = 0;
        int row = 0;
        // Edits of a random few of the screens, selected on the canvas first.
        QList<KvScreen*> pick;
        int names = 0;
        const auto align = [&] { return KvEditorCommon::Align(1 << random.bounded(6)); };
        const auto player = [&] { return PlayerType::PlayerTypes(1 + random.bounded(2)); };
        const std::vector<std::function<void()>> screenEdits{
            [&] {
                m_editor->action_changeSelectedScreenBackColor(QColor::fromRgb(random.generate()));
            },
            [&] { m_editor->action_changeSelectedScreenLocked(random.bounded(4) == 0); },
            [&] { m_editor->action_toggleSelectedScreenLocked(); },
            [&] { m_editor->action_changeSelectedScreenMoviePlayerType(player()); },
            [&] { m_editor->action_changeSelectedScreenName(QString("N%1").arg(++names)); },
            [&] { m_editor->action_moveZIndexOfScreen(random.bounded(7) - 3); },
            [&] { m_editor->action_alignSelectedScreens(align()); },
            [&] { m_editor->action_distributeSelectedScreens(align()); },
            [&] {
                m_editor->action_changeStagePos(QPointF(random.bounded(50), random.bounded(50)));
            },
            [&] {
                // Pasting into a stage left empty pastes nothing, and a cut refused for a locked
                // screen pastes what was cut before: the stage keeps between 1 and 8 screens.
                const int screens = m_editor->screens().count();
                if (pick.count() == screens || screens > 7)
                    return;
                emit m_editor->stageWidget()->mousePressed();
                m_editor->action_cut();
                m_editor->action_paste();
            },
            [&] {
                for (KvScreen* s : pick)
                    itemOf(s)->setPos(s->rect().topLeft() + QPointF(random.bounded(21) - 10, 3));
                m_editor->action_selectedScreenMoved();
            },
            [&] {
                for (KvScreen* s : pick)
                    itemOf(s)->setGeometry(s->rect().x(), s->rect().y(), 20 + random.bounded(300),
                                           20 + random.bounded(200));
                m_editor->action_selectedScreenResized();
            },
        };
        // At least 600 media edits (operations 0 to 7); screens added and removed (8, 9) and
        // about 150 screen and stage edits (10, 11) between.
        for (int step = 0, mediaEdits = 0; mediaEdits < 600; ++step) {
            const int rows = m_editor->currentStage()->screenList().count();
            // Mostly the row of the last edit, as a user works.
            if (row >= rows || random.bounded(4) == 0)
                row = random.bounded(rows);
            const int count = screen(row)->mediaCount();
            // Rows stay short (an edit costs the timeline a pass over its row).
            const int op = count > 8 ? 2 : random.bounded(12);
            mediaEdits += op < 8 ? 1 : 0;
            // A few consecutive media of the row, the first one pressed.
            const int first = count ? random.bounded(count) : 0;
            const int span = count ? 1 + random.bounded(qMin(3, count - first)) : 0;
            QList<int> selection;
            for (int i = first; i < first + span; ++i)
                selection << i;
            if (op <= 1 || count == 0) {
                QList<KvPreservedMedia*> records;
                const int at = random.bounded(count + 1);
                const int n = 1 + random.bounded(2);
                for (int i = 0; i < n; ++i, ++added)
                    records << new KvPreservedMedia(
                        newMedia(QString("A%1").arg(added), added, screen(row)), row, at + i, true,
                        true);
                m_editor->action_addMedia(records);
            } else if (op == 2) {
                select(row, selection);
                m_editor->action_removeSelectedSeqMediaItems();
            } else if (op == 3) {
                select(row, selection);
                emit m_editor->sequenceContainer()->mousePressed();
                m_editor->action_cut();
            } else if (op == 4) {
                const int to = random.bounded(rows);
                clickMedia(row, first);
                m_editor->action_copy();
                if (screen(to)->mediaCount()) {
                    clickMedia(to, random.bounded(screen(to)->mediaCount()));
                    m_editor->action_paste();
                }
            } else if (op == 5) {
                select(row, selection);
                const int to = random.bounded(rows);
                m_editor->action_moveSelectedMedia(to, random.bounded(screen(to)->mediaCount() + 1),
                                                   row, first, nullptr);
            } else if (op == 6) {
                KvSeqMediaItem* item = sequence()->rows().at(row)->itemAt(first);
                KvMedia edited(*item->media());
                edited.setName(QString("E%1").arg(step));
                edited.setPlayingDuration(1 + random.bounded(30));
                m_editor->action_updateMediaProperties(item, edited);
            } else if (op == 7) {
                const int to = random.bounded(rows);
                if (screen(to)->mediaCount())
                    m_editor->action_copyMediaPropertyToOthers(
                        screen(row)->mediaList().at(first), screen(to)->id(),
                        {random.bounded(screen(to)->mediaCount())});
            } else if (op == 8 && rows < 6) {
                m_editor->action_addMultimediaScreen();
            } else if (op == 9 && rows > 2) {
                m_editor->selectScreenItem({screen(row)}, true, true);
                m_editor->action_removeSelectedScreens();
            } else if (op >= 10) {
                pick.clear();
                for (KvScreen* s : m_editor->currentStage()->screenList()) {
                    if (random.bounded(3) == 0)
                        pick << s;
                }
                m_editor->selectScreenItem(pick, true, true);
                screenEdits[random.bounded(int(screenEdits.size()))]();
            }
        }
        const QByteArray end = written();
        QVERIFY(stack()->count() > 450);
        stack()->setIndex(0);
        QCOMPARE(written(), start);
        stack()->setIndex(stack()->count());
        QCOMPARE(written(), end);
    }
};

QTEST_MAIN(TestMediaCommands)
#include "tst_mediacommands.moc"
