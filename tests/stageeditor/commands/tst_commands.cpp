// Stage and screen commands through the editor's actions. Each action is one undo step: undo
// gives back the state before, redo (with another selection in between, so that it must act
// on the screens of the first time) the state after, the canvas items following. Then the
// refusals, the lock toggle and an image from outside the data folder. Which side Edit acts
// on and a long random run of media, screen and stage edits undone and redone whole are tested
// in tst_mediacommands, how the property panels send their edits and follow undo in tst_panels.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QUndoGroup>
#include <QUndoStack>
#include <QtTest>

#include <functional>

#include "kveditorcommon.h"
#include "kveditormenus.h"
#include "kvevent.h"
#include "kveventeditor.h"
#include "kvmodalwatcher.h"
#include "kvpreservedevent.h"
#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvstage.h"
#include "kvstageeditor.h"
#include "kvstagescene.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvtestfactories.h"

using namespace Kova;

using Action = std::function<void()>;
Q_DECLARE_METATYPE(Action)

class TestCommands : public QObject
{
    Q_OBJECT

private:
    // A tab on a 1920 x 1080 stage with screens S1..Sn (z-index n, stepping diagonally).
    KvStage* openStage(int screenCount)
    {
        KvStage* stage = Test::makeStage(m_dir->filePath(QString("s%1.kst").arg(screenCount)),
                                         QSize(1920, 1080), screenCount);
        const int index = m_editor->stageWidget()->addStageTab(QString(), stage);
        m_editor->stageWidget()->setCurrentStageTab(index);
        m_editor->setActiveUndoStack(
            m_editor->stageWidget()->currentStageWorkingArea()->undoStack());
        m_editor->clearScreenSelection();
        return stage;
    }

    KvScreenItem* itemOf(KvScreen* screen) const
    {
        return m_editor->stageWidget()->currentStageWorkingArea()->scene()->screenItemOf(screen);
    }

    void trigger(const QString& name)
    {
        QAction* action = Test::editorAction(*m_editor, name);
        QVERIFY2(action, qPrintable(name));
        action->trigger();
    }

    void select(const QList<int>& indexes)
    {
        QList<KvScreen*> screens;
        for (int index : indexes)
            screens << m_editor->screens().at(index);
        m_editor->selectScreenItem(screens, true, true);
    }

    // The stage's values and, by screen id, each screen's object, values and events (the
    // screen ids of its raised and awaited events), one per line, and the screens' order.
    QStringList state() const
    {
        const KvStage* stage = m_editor->currentStage();
        const QRect r = stage->rect();
        QStringList lines{
            QString("stage.rect=%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()),
            QString("stage.options=%1").arg(stage->options()),
            "stage.colour=" + stage->backgroundColor().name(),
            "stage.image=" + stage->backgroundImage()};
        QStringList order;
        const auto ids = [](const QList<KvEvent>& events) {
            QStringList list;
            for (const KvEvent& event : events)
                list << QString::number(event.screenId());
            return list.join(',');
        };
        for (KvScreen* s : m_editor->screens()) {
            const QString key = QString("#%1.").arg(s->id());
            const QRectF g = s->rect();
            order << QString::number(s->id());
            lines << key + QString("object=%1").arg(quintptr(s)) << key + "name=" + s->name()
                  << key + QString("rect=%1,%2 %3x%4")
                               .arg(g.x())
                               .arg(g.y())
                               .arg(g.width())
                               .arg(g.height())
                  << key + QString("type=%1").arg(s->type())
                  << key + QString("z=%1").arg(s->zIndex())
                  << key + "colour=" + s->backgoundColor().name()
                  << key + QString("locked=%1").arg(s->lockScreen())
                  << key + QString("flash=%1").arg(s->flashPlayerType())
                  << key + QString("movie=%1").arg(s->moviePlayerType())
                  << key + QString("web=%1").arg(s->webBrowserType())
                  << key + QString("graphics=%1").arg(s->graphicsType())
                  << key + "events=" + ids(s->raiseEventList()) + '/' + ids(s->waitEventList());
        }
        return lines << "order=" + order.join(' ');
    }

    // Screens whose item does not show the screen's place, size, stacking or colour.
    QString itemsNotFollowing() const
    {
        QStringList wrong;
        for (KvScreen* s : m_editor->screens()) {
            const KvScreenItem* item = itemOf(s);
            if (item->pos() != s->rect().topLeft() || item->width() != s->rect().width() ||
                item->height() != s->rect().height() || item->zValue() != s->zIndex() ||
                item->backgroundColor() != s->backgoundColor() || item->name() != s->name())
                wrong << s->name();
        }
        return wrong.join(' ');
    }

    // Runs the action (twice when `repeat`), which must push one command whose changes
    // include `expected`; undo and redo, with another selection in between, give back each
    // state, the items following.
    void checkUndoableStep(const Action& action, const QStringList& expected, bool repeat = false)
    {
        const QStringList before = state();
        action();
        if (repeat)
            action();
        const QStringList after = state();
        QCOMPARE(stack()->count(), 1);
        for (const QString& line : expected)
            QVERIFY2(after.contains(line) && !before.contains(line), qPrintable(line));
        QCOMPARE(itemsNotFollowing(), QString());
        select({0});
        stack()->undo();
        QCOMPARE(state(), before);
        QCOMPARE(itemsNotFollowing(), QString());
        select({m_editor->screens().count() - 1});
        stack()->redo();
        QCOMPARE(state(), after);
        QCOMPARE(itemsNotFollowing(), QString());
    }
    QUndoStack* stack() const { return m_editor->undoGroup()->activeStack(); }

    QMainWindow* m_window = nullptr;
    KvStageEditor* m_editor = nullptr;
    QTemporaryDir* m_dir = nullptr;

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        m_window = new QMainWindow;
        m_editor = new KvStageEditor(m_window);
        // The scenes of closed tabs go to the host, which deletes them.
        connect(m_editor, qOverload<QList<QGraphicsScene*>>(&KvStageEditor::graphicsScenePurged),
                m_editor, [](const QList<QGraphicsScene*>& scenes) { qDeleteAll(scenes); });
        connect(m_editor, qOverload<QGraphicsScene*>(&KvStageEditor::graphicsScenePurged), m_editor,
                [](QGraphicsScene* scene) { delete scene; });
    }

    void cleanup()
    {
        // Changed stages ask whether to save: the watcher says no.
        KvModalWatcher watcher;
        if (m_editor->stageWidget())
            m_editor->stageWidget()->closeAllStageTab();
        delete m_editor;
        delete m_window;
        delete m_dir;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Commands on the screen list, on the screens' places and on their stacking. Screens S1, S2,
    // S3 (ids 1 to 3, z-indexes 1 to 3) are at (20, 10), (40, 20) and (60, 30), 100 x 50 each.
    void screenCommands_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, QList<int> selected, QStringList expected,
                            Action action) {
            QTest::newRow(name) << selected << action << expected;
        };
        row("add multimedia", {}, {"order=1 2 3 4", "#4.type=1"},
            [this] { m_editor->action_addMultimediaScreen(); });
        row("add telop", {1}, {"order=1 2 3 4", "#4.type=2"},
            [this] { m_editor->action_addTelopScreen(); });
        row("remove", {0}, {"order=2 3"}, [this] { m_editor->action_removeSelectedScreens(); });
        row("cut", {1}, {"order=1 3"}, [this] { m_editor->action_cut(); });
        // Names differ by case: "s2" is not S2's name.
        row("rename", {0}, {"#1.name=s2"},
            [this] { m_editor->action_changeSelectedScreenName("s2"); });
        // Pasted screens take the next free ids.
        row("paste", {1, 2}, {"order=1 2 3 4 5"}, [this] {
            m_editor->action_copy();
            m_editor->action_paste();
        });
        row("move", {0}, {"#1.rect=500,400 100x50"}, [this] {
            itemOf(m_editor->screens().at(0))->setPos(500, 400);
            m_editor->action_selectedScreenMoved();
        });
        row("resize", {0}, {"#1.rect=10,20 300x200"}, [this] {
            itemOf(m_editor->screens().at(0))->setGeometry(10, 20, 300, 200);
            m_editor->action_selectedScreenResized();
        });
        // The arrangement actions through their menu entries.
        row("align right", {0, 1, 2}, {"#1.rect=60,10 100x50", "#2.rect=60,20 100x50"},
            [this] { trigger("Action_Align_Right_Edges"); });
        row("bring to front", {0}, {"order=2 3 1", "#1.z=3", "#2.z=1", "#3.z=2"},
            [this] { trigger("Action_Bring_to_Front"); });
        // An event menu of the timeline has changed the screen already.
        row("screen event", {}, {"#1.events=1/"}, [this] {
            KvScreen* s1 = m_editor->screens().at(0);
            KvPreservedEvent record(s1->id());
            record.addEvent(KvEvent(KvEvent::ContentEnd, s1->id(), KvEvent::Raise), s1);
            m_editor->onScreenEventChanged({record});
        });
        // The event editor opens on the selected screen: S1 raises on start, S2 listens to it.
        row("edit events", {0}, {"#1.events=1/", "#2.events=/1"}, [this] {
            KvModalWatcher watcher;
            watcher.answerWith([this](QWidget* w) {
                auto* dialog = qobject_cast<KvEventEditor*>(w);
                QVERIFY(dialog);
                dialog->raiseOnStartBox(dialog->rowOfScreen(m_editor->screens().at(0)))
                    ->setChecked(true);
                QVERIFY(dialog->setListenChoice(dialog->rowOfScreen(m_editor->screens().at(1)), 1,
                                                KvEvent::ContentStart));
                dialog->accept();
            });
            m_editor->action_editEvent();
        });
    }

    void screenCommands()
    {
        QFETCH(QList<int>, selected);
        QFETCH(Action, action);
        QFETCH(QStringList, expected);
        openStage(3);
        select(selected);
        checkUndoableStep(action, expected);
    }

    void addScreenFailureShowsMessage_data()
    {
        QTest::addColumn<bool>("withStage");
        QTest::addColumn<QString>("title");
        QTest::newRow("no stage") << false << "Can Not Add Telop Screen";
        // The stage's top screen leaves no z-index for a new one.
        QTest::newRow("top z-index") << true << "Can Not Add Multimedia Screen";
    }

    void addScreenFailureShowsMessage()
    {
        QFETCH(bool, withStage);
        QFETCH(QString, title);
        KvStage* stage = withStage ? openStage(1) : nullptr;
        if (stage)
            stage->screenList().at(0)->setZIndex(2147483646);
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);
        if (stage)
            m_editor->action_addMultimediaScreen();
        else
            m_editor->action_addTelopScreen();
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().at(0).title, title);
        QCOMPARE(watcher.seen().at(0).text,
                 QString("The Screen will not be added because an error occurred."));
        QVERIFY(!m_editor->undoGroup()->activeStack() || stack()->count() == 0);
        if (stage)
            QCOMPARE(stage->screenList().count(), 1);
    }

    void refusedActionsChangeNothing_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("copied"); // screens on the clipboard afterwards
        // S1 and S2 are selected, S2 locked, the clipboard empty.
        QTest::newRow("remove") << Action([this] { m_editor->action_removeSelectedScreens(); })
                                << 0;
        QTest::newRow("cut") << Action([this] { m_editor->action_cut(); }) << 2;
        QTest::newRow("paste") << Action([this] { m_editor->action_paste(); }) << 0;
        QTest::newRow("rename to the same name") << Action([this] {
            select({0});
            m_editor->action_changeSelectedScreenName("S1");
        }) << 0;
        QTest::newRow("rename two")
            << Action([this] { m_editor->action_changeSelectedScreenName("Both"); }) << 0;
        // Changed in the event editor, then cancelled: the events are put back.
        QTest::newRow("events cancelled") << Action([this] {
            KvModalWatcher watcher;
            watcher.answerWith([](QWidget* w) {
                auto* dialog = qobject_cast<KvEventEditor*>(w);
                QVERIFY(dialog);
                dialog->raiseOnEndBox(0)->setChecked(true);
                dialog->reject();
            });
            m_editor->action_editEvent(m_editor->screens().at(1), m_editor->screens().at(0));
        }) << 0;
    }

    void refusedActionsChangeNothing()
    {
        QFETCH(Action, action);
        QFETCH(int, copied);
        openStage(2)->screenList().at(1)->setLockScreen(true);
        m_editor->stageWidget()->clearClipboardForScreen();
        select({0, 1});
        const QStringList before = state();
        action();
        QCOMPARE(state(), before);
        QCOMPARE(stack()->count(), 0);
        QCOMPARE(m_editor->stageWidget()->clipboardScreens().count(), copied);
    }

    // S1 and S2 of three screens with values of their own are set to one value.
    void screenValueCommands_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, const QString& value, Action action) {
            QTest::newRow(name) << action << QStringList{"#1." + value, "#2." + value};
        };
        row("colour", "colour=#ff0000",
            [this] { m_editor->action_changeSelectedScreenBackColor(Qt::red); });
        row("locked", "locked=1", [this] { m_editor->action_changeSelectedScreenLocked(true); });
        row("flash", "flash=2",
            [this] { m_editor->action_changeSelectedScreenFlashPlayerType(PlayerType::BuiltIn); });
        row("movie", "movie=1",
            [this] { m_editor->action_changeSelectedScreenMoviePlayerType(PlayerType::Platform); });
        row("web", "web=0",
            [this] { m_editor->action_changeSelectedScreenWebBrowserType(PlayerType::Default); });
        row("graphics", "graphics=2",
            [this] { m_editor->action_changeSelectedScreenGraphicsType(GraphicsType::DirectX); });
    }

    void screenValueCommands()
    {
        QFETCH(Action, action);
        QFETCH(QStringList, expected);
        const QList<KvScreen*> screens = openStage(3)->screenList();
        for (int i = 0; i < 3; ++i) {
            KvScreen* s = screens.at(i);
            s->setBackgoundColor(QColor::fromHsv(i * 100, 200, 200));
            s->setLockScreen(i == 2);
            s->setFlashPlayerType(PlayerType::PlayerTypes(i));
            s->setMoviePlayerType(PlayerType::PlayerTypes((i + 2) % 3));
            s->setWebBrowserType(PlayerType::PlayerTypes((i + 1) % 3));
            s->setGraphicsType(i == 2 ? GraphicsType::DirectX : GraphicsType::Default);
        }
        m_editor->stageWidget()->updateScreenItemBackColor(screens);
        select({0, 1});
        checkUndoableStep(action, expected);
    }

    void lockToggle()
    {
        const QList<KvScreen*> screens = openStage(3)->screenList();
        screens.at(1)->setLockScreen(true);
        select({0, 1});
        m_editor->action_toggleSelectedScreenLocked();
        QVERIFY(screens.at(0)->lockScreen() && screens.at(1)->lockScreen());
        m_editor->action_toggleSelectedScreenLocked();
        QVERIFY(!screens.at(0)->lockScreen() && !screens.at(1)->lockScreen());
        stack()->undo();
        QVERIFY(screens.at(0)->lockScreen() && screens.at(1)->lockScreen());
        // Nothing selected counts as all locked: the toggle unlocks (nothing).
        m_editor->clearScreenSelection();
        QVERIFY(m_editor->isAllSelectedScreenLocked());
    }

    // The value is set at once; a command is pushed only when it changed, so the same value
    // again pushes nothing.
    void stageValueCommands_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QString& value, Action action) {
            QTest::newRow(name) << action << value;
        };
        row("position", "stage.rect=30,40 1920x1080",
            [this] { m_editor->action_changeStagePos(QPointF(30, 40)); });
        row("size", "stage.rect=0,0 1280x720",
            [this] { m_editor->action_changeStageSize(QSizeF(1280, 720)); });
        row("options", "stage.options=2", [this] { m_editor->action_changeStageOptions(2u); });
        row("colour", "stage.colour=#ff0000",
            [this] { m_editor->action_changeStageBackColor(Qt::red); });
        // Chosen inside the data folder, kept relative to it.
        row("image", "stage.image=images/bg.png",
            [this] { m_editor->action_changeStageImage(m_editor->dataDir() + "/images/bg.png"); });
    }

    void stageValueCommands()
    {
        QFETCH(Action, action);
        QFETCH(QString, expected);
        openStage(1)->setBackgroundColor(Qt::black);
        checkUndoableStep(action, {expected}, true);
    }

    // A picked image outside the data folder is used, by its full path, only when the warning
    // is answered Yes.
    void backgroundImageOutsideTheDataFolder()
    {
        KvStage* stage = openStage(1);
        QVERIFY(QDir().mkpath(m_editor->dataDir() + "/image")); // where the picker opens
        const QString outside = m_dir->filePath("outside.png");
        QVERIFY(Test::writeFile(outside));
        KvModalWatcher watcher;
        for (bool yes : {false, true}) {
            watcher.answerWith([&](QWidget* w) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                QVERIFY(dialog);
                QCOMPARE(dialog->windowTitle(),
                         QString("Select a image for the background of this stage"));
                KvModalWatcher::acceptFile(dialog, outside);
            });
            watcher.answer(yes ? QMessageBox::Yes : QMessageBox::No);
            m_editor->showStageBackImagePicker();
            QCOMPARE(watcher.seen().last().title, QString("Warning to the selected file"));
            QCOMPARE(stage->backgroundImage(), yes ? outside : QString());
            QCOMPARE(stack()->count(), yes ? 1 : 0);
        }
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
