// Stage and screen commands through the editor's actions: each redo, undo and redo again
// (with the selection changed in between, so a redo must act on the original screens),
// the refusals, z-order moves, align and distribute, events, and a long random run.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGraphicsItem>
#include <QMainWindow>
#include <QMenu>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUndoGroup>
#include <QUndoStack>
#include <QtTest>

#include "kvdockwidget.h"
#include "kveditorcommon.h"
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

using namespace Kova;

class TstCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addScreenUndoRedoKeepsScreen();
    void addScreenWithoutStageShowsMessage();
    void addScreenFailsAtTopZIndex();
    void removeSelectedScreens();
    void removeRefusedWithLockedScreen();
    void cutAndPaste();
    void cutWithLockedScreenOnlyCopies();
    void pasteNothingPushesNothing();
    void deleteFollowsTheActiveSide();
    void moveUndoRedo();
    void resizeUndoRedo();
    void backColorRedoActsOnOriginalScreens();
    void playerAndGraphicsTypes();
    void lockToggle();
    void renameRules();
    void stageSettersPushOnlyOnChange();
    void zOrder_data();
    void zOrder();
    void zOrderAvailability();
    void alignRight();
    void alignHCenter();
    void alignNeedsTwo();
    void distributeLeft();
    void distributeNeedsThree();
    void screenEventUndoRedo();
    void editEventAcceptedAndCancelled();
    void backgroundImagePicker();
    void randomOperationsUndoAll();

private:
    KvStage* openStage(int screenCount, bool consecutive = true);
    QUndoStack* stack() const { return m_editor->undoGroup()->activeStack(); }
    KvScreenItem* itemOf(KvScreen* screen) const;
    QList<KvScreen*> byZ() const;

    QMainWindow* m_window = nullptr;
    KvStageEditor* m_editor = nullptr;
    QTemporaryDir* m_dir = nullptr;
};

void TstCommands::init()
{
    m_dir = new QTemporaryDir;
    m_window = new QMainWindow;
    m_editor = new KvStageEditor(m_window);
}

void TstCommands::cleanup()
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

KvStage* TstCommands::openStage(int screenCount, bool consecutive)
{
    auto* stage = new KvStage(m_dir->filePath(QString("s%1.kst").arg(screenCount)));
    stage->setRect(QRect(0, 0, 1920, 1080));
    for (int i = 1; i <= screenCount; ++i) {
        auto* screen = new KvScreen(ScreenType::Multimedia, i);
        screen->setName(QString("S%1").arg(i));
        screen->setZIndex(consecutive ? i : i * 10);
        screen->setRect(QRectF(i * 20, i * 10, 100, 50));
        stage->addScreen(screen);
    }
    const int index = m_editor->stageWidget()->addStageTab(QString(), stage);
    m_editor->stageWidget()->setCurrentStageTab(index);
    m_editor->setActiveUndoStack(m_editor->stageWidget()->currentStageWorkingArea()->undoStack());
    m_editor->clearScreenSelection();
    return stage;
}

KvScreenItem* TstCommands::itemOf(KvScreen* screen) const
{
    return m_editor->stageWidget()->currentStageWorkingArea()->scene()->screenItemOf(screen);
}

QList<KvScreen*> TstCommands::byZ() const
{
    QList<KvScreen*> list = m_editor->screens();
    KvEditorCommon::sortScreenByZIndexAscending(list);
    return list;
}

void TstCommands::addScreenUndoRedoKeepsScreen()
{
    KvStage* stage = openStage(2);
    m_editor->action_addMultimediaScreen();
    QCOMPARE(stage->screenList().count(), 3);
    KvScreen* added = m_editor->selectedScreens().value(0);
    QVERIFY(added);
    QCOMPARE(added->id(), 3);
    QCOMPARE(stack()->count(), 1);
    stack()->undo();
    QCOMPARE(stage->screenList().count(), 2);
    QVERIFY(!stage->screenList().contains(added));
    m_editor->selectScreenItem({stage->screenList().at(0)}, true, true);
    stack()->redo();
    QCOMPARE(stage->screenList().count(), 3);
    QVERIFY(stage->screenList().contains(added));
    QCOMPARE(m_editor->selectedScreens(), QList<KvScreen*>{added});
    m_editor->action_addTelopScreen();
    QCOMPARE(stage->screenList().last()->type(), ScreenType::Telop);
    QCOMPARE(stack()->count(), 2);
}

void TstCommands::addScreenWithoutStageShowsMessage()
{
    KvModalWatcher watcher;
    watcher.answer(QMessageBox::Ok);
    m_editor->action_addTelopScreen();
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(watcher.seen().at(0).title, QString("Can Not Add Telop Screen"));
    QCOMPARE(watcher.seen().at(0).text,
             QString("The Screen will not be added because an error occurred."));
    QVERIFY(!m_editor->undoGroup()->activeStack() || stack()->count() == 0);
}

void TstCommands::addScreenFailsAtTopZIndex()
{
    KvStage* stage = openStage(1);
    stage->screenList().at(0)->setZIndex(2147483646);
    KvModalWatcher watcher;
    watcher.answer(QMessageBox::Ok);
    m_editor->action_addMultimediaScreen();
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(watcher.seen().at(0).title, QString("Can Not Add Multimedia Screen"));
    QCOMPARE(stage->screenList().count(), 1);
    QCOMPARE(stack()->count(), 0);
}

void TstCommands::removeSelectedScreens()
{
    KvStage* stage = openStage(3);
    KvScreen* s1 = stage->screenList().at(0);
    KvScreen* s2 = stage->screenList().at(1);
    m_editor->selectScreenItem({s1}, true, true);
    m_editor->action_removeSelectedScreens();
    QCOMPARE(stage->screenList().count(), 2);
    QVERIFY(!stage->screenList().contains(s1));
    stack()->undo();
    QCOMPARE(stage->screenList().count(), 3);
    QCOMPARE(stage->screenList().at(0), s1);
    QCOMPARE(m_editor->selectedScreens(), QList<KvScreen*>{s1});
    m_editor->selectScreenItem({s2}, true, true);
    stack()->redo();
    QVERIFY(!stage->screenList().contains(s1));
    QVERIFY(stage->screenList().contains(s2));
}

void TstCommands::removeRefusedWithLockedScreen()
{
    KvStage* stage = openStage(2);
    stage->screenList().at(1)->setLockScreen(true);
    m_editor->selectScreenItem(stage->screenList(), true, true);
    m_editor->action_removeSelectedScreens();
    QCOMPARE(stage->screenList().count(), 2);
    QCOMPARE(stack()->count(), 0);
}

void TstCommands::cutAndPaste()
{
    KvStage* stage = openStage(2);
    KvScreen* s2 = stage->screenList().at(1);
    m_editor->selectScreenItem({s2}, true, true);
    m_editor->action_cut();
    QCOMPARE(stage->screenList().count(), 1);
    QCOMPARE(stack()->count(), 1);
    m_editor->action_paste();
    QCOMPARE(stage->screenList().count(), 2);
    QCOMPARE(stack()->count(), 2);
    KvScreen* pasted = stage->screenList().last();
    QVERIFY(pasted != s2);
    QCOMPARE(pasted->id(), 2);
    stack()->undo();
    QCOMPARE(stage->screenList().count(), 1);
    stack()->redo();
    QCOMPARE(stage->screenList().last(), pasted);
    stack()->undo();
    stack()->undo();
    QCOMPARE(stage->screenList().count(), 2);
    QVERIFY(stage->screenList().contains(s2));
}

void TstCommands::cutWithLockedScreenOnlyCopies()
{
    KvStage* stage = openStage(2);
    stage->screenList().at(0)->setLockScreen(true);
    m_editor->selectScreenItem(stage->screenList(), true, true);
    m_editor->action_cut();
    QCOMPARE(stage->screenList().count(), 2);
    QCOMPARE(stack()->count(), 0);
    QCOMPARE(m_editor->stageWidget()->clipboardScreens().count(), 2);
}

void TstCommands::pasteNothingPushesNothing()
{
    openStage(1);
    m_editor->stageWidget()->clearClipboardForScreen();
    m_editor->action_paste();
    QCOMPARE(stack()->count(), 0);
}

// Edit > Delete acts on the side the user last pressed the mouse on: after a press in the
// sequence dock the selected screens stay (the timeline has nothing selected), after a
// press on the stage side they go.
void TstCommands::deleteFollowsTheActiveSide()
{
    KvStage* stage = openStage(2);
    QAction* deleteAction = nullptr;
    for (QMenu* menu : m_editor->menu()) {
        if (!deleteAction)
            deleteAction = menu->findChild<QAction*>("Action_Delete");
    }
    QVERIFY(deleteAction);
    m_editor->selectScreenItem(stage->screenList(), true, true);
    QWidget* sequence = m_editor->sequenceDock();
    QVERIFY(sequence);
    QTest::mousePress(sequence, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QTest::mouseRelease(sequence, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    deleteAction->trigger();
    QCOMPARE(stage->screenList().count(), 2);
    QCOMPARE(stack()->count(), 0);

    QWidget* stageSide = m_editor->stageWidget();
    QTest::mousePress(stageSide, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseRelease(stageSide, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    m_editor->selectScreenItem(stage->screenList(), true, true);
    deleteAction->trigger();
    QCOMPARE(stage->screenList().count(), 0);
    QCOMPARE(stack()->count(), 1);
    stack()->undo();
    QCOMPARE(stage->screenList().count(), 2);
}

void TstCommands::moveUndoRedo()
{
    KvStage* stage = openStage(3);
    KvScreen* s1 = stage->screenList().at(0);
    KvScreen* s2 = stage->screenList().at(1);
    const QRectF r1 = s1->rect();
    m_editor->selectScreenItem({s1}, true, true);
    itemOf(s1)->setPos(500, 400);
    m_editor->action_selectedScreenMoved();
    QCOMPARE(s1->rect().topLeft(), QPointF(500, 400));
    stack()->undo();
    QCOMPARE(s1->rect(), r1);
    QCOMPARE(itemOf(s1)->pos(), r1.topLeft());
    m_editor->selectScreenItem({s2}, true, true);
    itemOf(s2)->setPos(7, 7); // not committed: the redo must not read the canvas again
    stack()->redo();
    QCOMPARE(s1->rect().topLeft(), QPointF(500, 400));
    QCOMPARE(s2->rect().topLeft(), QPointF(40, 20));
}

void TstCommands::resizeUndoRedo()
{
    KvStage* stage = openStage(2);
    KvScreen* s1 = stage->screenList().at(0);
    const QRectF r1 = s1->rect();
    m_editor->selectScreenItem({s1}, true, true);
    itemOf(s1)->setGeometry(10, 20, 300, 200);
    m_editor->action_selectedScreenResized();
    QCOMPARE(s1->rect(), QRectF(10, 20, 300, 200));
    stack()->undo();
    QCOMPARE(s1->rect(), r1);
    m_editor->selectScreenItem({stage->screenList().at(1)}, true, true);
    stack()->redo();
    QCOMPARE(s1->rect(), QRectF(10, 20, 300, 200));
    QCOMPARE(stage->screenList().at(1)->rect(), QRectF(40, 20, 100, 50));
}

void TstCommands::backColorRedoActsOnOriginalScreens()
{
    KvStage* stage = openStage(3);
    KvScreen* s1 = stage->screenList().at(0);
    KvScreen* s2 = stage->screenList().at(1);
    KvScreen* s3 = stage->screenList().at(2);
    s1->setBackgoundColor(Qt::blue);
    s2->setBackgoundColor(Qt::green);
    s3->setBackgoundColor(Qt::white);
    m_editor->selectScreenItem({s1, s2}, true, true);
    m_editor->action_changeSelectedScreenBackColor(Qt::red);
    QCOMPARE(s1->backgoundColor(), QColor(Qt::red));
    QCOMPARE(s2->backgoundColor(), QColor(Qt::red));
    m_editor->selectScreenItem({s3}, true, true);
    stack()->undo();
    QCOMPARE(s1->backgoundColor(), QColor(Qt::blue));
    QCOMPARE(s2->backgoundColor(), QColor(Qt::green));
    m_editor->selectScreenItem({s3}, true, true);
    stack()->redo();
    QCOMPARE(s1->backgoundColor(), QColor(Qt::red));
    QCOMPARE(s2->backgoundColor(), QColor(Qt::red));
    QCOMPARE(s3->backgoundColor(), QColor(Qt::white));
    QCOMPARE(itemOf(s1)->backgroundColor(), QColor(Qt::red));
}

void TstCommands::playerAndGraphicsTypes()
{
    KvStage* stage = openStage(2);
    KvScreen* s1 = stage->screenList().at(0);
    KvScreen* s2 = stage->screenList().at(1);
    s1->setFlashPlayerType(PlayerType::Platform);
    s1->setMoviePlayerType(PlayerType::Platform);
    s1->setWebBrowserType(PlayerType::Platform);
    m_editor->selectScreenItem({s1}, true, true);
    m_editor->action_changeSelectedScreenFlashPlayerType(PlayerType::BuiltIn);
    m_editor->action_changeSelectedScreenMoviePlayerType(PlayerType::BuiltIn);
    m_editor->action_changeSelectedScreenWebBrowserType(PlayerType::BuiltIn);
    m_editor->action_changeSelectedScreenGraphicsType(GraphicsType::DirectX);
    QCOMPARE(stack()->count(), 4);
    QCOMPARE(s1->flashPlayerType(), PlayerType::BuiltIn);
    QCOMPARE(s1->graphicsType(), GraphicsType::DirectX);
    m_editor->selectScreenItem({s2}, true, true);
    for (int i = 0; i < 4; ++i)
        stack()->undo();
    QCOMPARE(s1->flashPlayerType(), PlayerType::Platform);
    QCOMPARE(s1->moviePlayerType(), PlayerType::Platform);
    QCOMPARE(s1->webBrowserType(), PlayerType::Platform);
    QCOMPARE(s1->graphicsType(), GraphicsType::Default);
    m_editor->selectScreenItem({s2}, true, true);
    for (int i = 0; i < 4; ++i)
        stack()->redo();
    QCOMPARE(s1->moviePlayerType(), PlayerType::BuiltIn);
    QCOMPARE(s1->webBrowserType(), PlayerType::BuiltIn);
    QCOMPARE(s2->graphicsType(), GraphicsType::Default);
    QCOMPARE(s2->webBrowserType(), PlayerType::BuiltIn); // its own default, untouched
}

void TstCommands::lockToggle()
{
    KvStage* stage = openStage(3);
    KvScreen* s1 = stage->screenList().at(0);
    KvScreen* s2 = stage->screenList().at(1);
    s2->setLockScreen(true);
    m_editor->selectScreenItem({s1, s2}, true, true);
    m_editor->action_toggleSelectedScreenLocked();
    QVERIFY(s1->lockScreen() && s2->lockScreen());
    m_editor->action_toggleSelectedScreenLocked();
    QVERIFY(!s1->lockScreen() && !s2->lockScreen());
    stack()->undo();
    QVERIFY(s1->lockScreen() && s2->lockScreen());
    stack()->undo();
    QVERIFY(!s1->lockScreen() && s2->lockScreen());
    m_editor->selectScreenItem({stage->screenList().at(2)}, true, true);
    stack()->redo();
    QVERIFY(s1->lockScreen() && s2->lockScreen());
    QVERIFY(!stage->screenList().at(2)->lockScreen());
    // Nothing selected counts as all locked: the toggle unlocks (nothing).
    m_editor->clearScreenSelection();
    QVERIFY(m_editor->isAllSelectedScreenLocked());
}

void TstCommands::renameRules()
{
    KvStage* stage = openStage(2);
    KvScreen* s1 = stage->screenList().at(0);
    m_editor->selectScreenItem({s1}, true, true);
    m_editor->action_changeSelectedScreenName("S1");
    QCOMPARE(stack()->count(), 0);
    {
        // The label follows the typing live; a refused name must not stay on the canvas.
        QString typed("S2");
        m_editor->stageWidget()->setSelectedItemName(typed);
        QCOMPARE(itemOf(s1)->name(), QString("S2"));
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);
        m_editor->action_changeSelectedScreenName("S2");
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().at(0).title, QString("Names are duplicated"));
        QCOMPARE(watcher.seen().at(0).text,
                 QString("Name \"S2\" has been used in another screen."));
    }
    QCOMPARE(stack()->count(), 0);
    QCOMPARE(s1->name(), QString("S1"));
    QCOMPARE(itemOf(s1)->name(), QString("S1"));
    m_editor->action_changeSelectedScreenName("s2"); // case matters
    QCOMPARE(s1->name(), QString("s2"));
    m_editor->action_changeSelectedScreenName(QString());
    QCOMPARE(s1->name(), QString());
    QCOMPARE(stack()->count(), 2);
    stack()->undo();
    stack()->undo();
    QCOMPARE(s1->name(), QString("S1"));
    // Redo renames the same screen whatever is selected now.
    m_editor->selectScreenItem({stage->screenList().at(1)}, true, true);
    stack()->redo();
    QCOMPARE(s1->name(), QString("s2"));
    QCOMPARE(stage->screenList().at(1)->name(), QString("S2"));
    QCOMPARE(itemOf(s1)->name(), QString("s2"));
    stack()->undo();
    m_editor->selectScreenItem(stage->screenList(), true, true);
    m_editor->action_changeSelectedScreenName("Both");
    QCOMPARE(stack()->count(), 2); // two selected: nothing
    QCOMPARE(stack()->index(), 0);
}

void TstCommands::stageSettersPushOnlyOnChange()
{
    KvStage* stage = openStage(1);
    stage->setBackgroundColor(Qt::black);
    m_editor->action_changeStagePos(QPointF(0, 0));
    m_editor->action_changeStageSize(QSizeF(1920, 1080));
    m_editor->action_changeStageOptions(0u);
    m_editor->action_changeStageBackColor(Qt::black);
    QCOMPARE(stack()->count(), 0);
    m_editor->action_changeStagePos(QPointF(30, 40));
    m_editor->action_changeStageSize(QSizeF(1280, 720));
    m_editor->action_changeStageOptions(2u);
    m_editor->action_changeStageBackColor(Qt::red);
    const QString image = m_editor->dataDir() + "/images/bg.png";
    m_editor->action_changeStageImage(image);
    m_editor->action_changeStageImage(image);
    QCOMPARE(stack()->count(), 5);
    QCOMPARE(stage->rect(), QRect(30, 40, 1280, 720));
    QCOMPARE(stage->options(), 2u);
    QCOMPARE(stage->backgroundColor(), QColor(Qt::red));
    QCOMPARE(stage->backgroundImage(), QString("images/bg.png"));
    while (stack()->canUndo())
        stack()->undo();
    QCOMPARE(stage->rect(), QRect(0, 0, 1920, 1080));
    QCOMPARE(stage->options(), 0u);
    QCOMPARE(stage->backgroundColor(), QColor(Qt::black));
    QCOMPARE(stage->backgroundImage(), QString());
    while (stack()->canRedo())
        stack()->redo();
    QCOMPARE(stage->rect(), QRect(30, 40, 1280, 720));
    QCOMPARE(stage->backgroundImage(), QString("images/bg.png"));
}

void TstCommands::zOrder_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("steps"); // 99: to front, -99: to back
    QTest::addColumn<QString>("order");
    QTest::newRow("forward S2") << QList<int>{2} << 1 << "S1 S3 S2 S4 S5";
    QTest::newRow("front S2") << QList<int>{2} << 99 << "S1 S3 S4 S5 S2";
    QTest::newRow("front S2 S4") << QList<int>{2, 4} << 99 << "S1 S3 S2 S5 S4";
    QTest::newRow("backward S4") << QList<int>{4} << -1 << "S1 S2 S4 S3 S5";
    // The block keeps its gap: S3 reaches the bottom after two places, S5 moves two too.
    QTest::newRow("back S3 S5") << QList<int>{3, 5} << -99 << "S3 S1 S5 S2 S4";
    QTest::newRow("back S1 S3") << QList<int>{1, 3} << -1 << "S1 S2 S3 S4 S5";
}

void TstCommands::zOrder()
{
    QFETCH(QList<int>, selected);
    QFETCH(int, steps);
    QFETCH(QString, order);
    for (bool consecutive : {true, false}) {
        KvStage* stage = openStage(5, consecutive);
        const QList<KvScreen*> original = stage->screenList();
        QMap<KvScreen*, int> zBefore;
        for (KvScreen* s : original)
            zBefore.insert(s, s->zIndex());
        QList<KvScreen*> sel;
        for (int id : selected)
            sel << stage->getScreenObject(id);
        m_editor->selectScreenItem(sel, true, true);
        if (steps == 99)
            m_editor->action_bringToFront();
        else if (steps == -99)
            m_editor->action_sendToBack();
        else if (steps == 1)
            m_editor->action_bringForward();
        else
            m_editor->action_sendBackwrard();
        QStringList names;
        for (KvScreen* s : byZ())
            names << s->name();
        QCOMPARE(names.join(' '), order);
        // The list itself is in stacking order and the items follow the z-indexes.
        QCOMPARE(stage->screenList(), byZ());
        for (KvScreen* s : original)
            QCOMPARE(itemOf(s)->zValue(), double(s->zIndex()));
        QCOMPARE(m_editor->selectedScreens().count(), sel.count());
        QCOMPARE(stack()->count(), 1);
        stack()->undo();
        for (KvScreen* s : original)
            QCOMPARE(s->zIndex(), zBefore.value(s));
        QCOMPARE(stage->screenList(), original);
        m_editor->clearScreenSelection();
        stack()->redo();
        names.clear();
        for (KvScreen* s : byZ())
            names << s->name();
        QCOMPARE(names.join(' '), order);
        {
            KvModalWatcher watcher;
            m_editor->stageWidget()->closeAllStageTab();
        }
    }
}

void TstCommands::zOrderAvailability()
{
    KvStage* stage = openStage(3);
    KvScreen* s1 = stage->screenList().at(0);
    KvScreen* s3 = stage->screenList().at(2);
    QVERIFY(!m_editor->canMoveScreenZIndexForward());
    QVERIFY(!m_editor->canMoveScreenZIndexBackword());
    m_editor->selectScreenItem({s1}, true, true);
    QVERIFY(m_editor->canMoveScreenZIndexForward());
    QVERIFY(!m_editor->canMoveScreenZIndexBackword());
    m_editor->selectScreenItem({s1, s3}, true, true);
    QVERIFY(!m_editor->canMoveScreenZIndexForward());
    QVERIFY(!m_editor->canMoveScreenZIndexBackword());
    // Every screen selected: no move at all.
    m_editor->selectScreenItem(stage->screenList(), true, true);
    QVERIFY(m_editor->moveZIndexOfScreen(stage->screenList(), 1).isEmpty());
    m_editor->action_bringForward();
    QCOMPARE(stack()->count(), 0);
    QCOMPARE(KvStageEditor::getListIndexFromScreens(s3, stage->screenList()), 2);
    QCOMPARE(KvStageEditor::getListIndexFromScreens(s3, {}), -1);
    QCOMPARE(KvStageEditor::getListIndexFromScreens(nullptr, stage->screenList()), -1);
}

void TstCommands::alignRight()
{
    KvStage* stage = openStage(2);
    KvScreen* a = stage->screenList().at(0);
    KvScreen* b = stage->screenList().at(1);
    a->setRect(QRectF(10, 0, 100, 40));
    b->setRect(QRectF(300, 100, 50, 40));
    m_editor->updateScreenItemRect({a, b});
    m_editor->selectScreenItem({a, b}, true, true);
    m_editor->action_alignSelectedScreensByRight();
    QCOMPARE(a->rect().right(), 350.0);
    QCOMPARE(b->rect().right(), 350.0);
    QCOMPARE(a->rect().top(), 0.0);
    QCOMPARE(stack()->count(), 1);
    stack()->undo();
    QCOMPARE(a->rect().left(), 10.0);
    m_editor->clearScreenSelection();
    stack()->redo();
    QCOMPARE(a->rect().left(), 250.0);
}

void TstCommands::alignHCenter()
{
    KvStage* stage = openStage(3);
    QList<KvScreen*> s = stage->screenList();
    s[0]->setRect(QRectF(50, 0, 100, 10));  // centre 100
    s[1]->setRect(QRectF(180, 0, 40, 10));  // centre 200
    s[2]->setRect(QRectF(500, 0, 200, 10)); // centre 600
    m_editor->updateScreenItemRect(s);
    m_editor->selectScreenItem(s, true, true);
    m_editor->action_alignSelectedScreensByHCenter();
    for (KvScreen* screen : s)
        QCOMPARE(screen->rect().center().x(), 300.0);
    // With a locked screen in the selection nothing moves.
    s[0]->setLockScreen(true);
    m_editor->updateScreenItemRect(s);
    m_editor->selectScreenItem(s, true, true);
    m_editor->action_alignSelectedScreensByLeft();
    QCOMPARE(s[1]->rect().left(), 280.0);
}

void TstCommands::alignNeedsTwo()
{
    KvStage* stage = openStage(2);
    m_editor->selectScreenItem({stage->screenList().at(1)}, true, true);
    m_editor->action_alignSelectedScreensByTop();
    QCOMPARE(stack()->count(), 0);
}

void TstCommands::distributeLeft()
{
    KvStage* stage = openStage(3);
    QList<KvScreen*> s = stage->screenList();
    s[0]->setRect(QRectF(0, 0, 10, 10));
    s[1]->setRect(QRectF(10, 50, 10, 10));
    s[2]->setRect(QRectF(100, 0, 10, 10));
    m_editor->updateScreenItemRect(s);
    m_editor->selectScreenItem(s, true, true);
    m_editor->action_distributeSelectedScreensByLeft();
    QCOMPARE(s[0]->rect().left(), 0.0);
    QCOMPARE(s[1]->rect().left(), 50.0);
    QCOMPARE(s[2]->rect().left(), 100.0);
    QCOMPARE(s[1]->rect().top(), 50.0);
    // The commit selects only the screens that moved: select all three again.
    QCOMPARE(m_editor->selectedScreens(), QList<KvScreen*>{s[1]});
    m_editor->selectScreenItem(s, true, true);
    m_editor->action_distributeSelectedScreensByBottom();
    // Two items share the lowest bottom (10): one of them keeps it, the other goes to 35.
    QCOMPARE(s[1]->rect().bottom(), 60.0);
    QList<double> bottoms{s[0]->rect().bottom(), s[2]->rect().bottom()};
    std::sort(bottoms.begin(), bottoms.end());
    QCOMPARE(bottoms, QList<double>({10.0, 35.0}));
}

void TstCommands::distributeNeedsThree()
{
    KvStage* stage = openStage(3);
    m_editor->selectScreenItem({stage->screenList().at(0), stage->screenList().at(2)}, true, true);
    m_editor->action_distributeSelectedScreensByLeft();
    QCOMPARE(stack()->count(), 0);
}

void TstCommands::screenEventUndoRedo()
{
    KvStage* stage = openStage(2);
    KvScreen* s1 = stage->screenList().at(0);
    KvPreservedEvent record(s1->id());
    record.addEvent(KvEvent(KvEvent::ContentEnd, s1->id(), KvEvent::Raise), s1);
    QCOMPARE(s1->raiseEventList().count(), 1);
    m_editor->onScreenEventChanged({record});
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(s1->raiseEventList().count(), 1); // the first redo did nothing
    stack()->undo();
    QCOMPARE(s1->raiseEventList().count(), 0);
    stack()->redo();
    QCOMPARE(s1->raiseEventList().count(), 1);
}

void TstCommands::editEventAcceptedAndCancelled()
{
    KvStage* stage = openStage(2);
    KvScreen* s1 = stage->screenList().at(0);
    KvScreen* s2 = stage->screenList().at(1);
    m_editor->selectScreenItem({s1}, true, true);
    KvModalWatcher watcher;
    watcher.answerWith([&](QWidget* w) {
        auto* dialog = qobject_cast<KvEventEditor*>(w);
        QVERIFY(dialog);
        dialog->raiseOnStartBox(dialog->rowOfScreen(s1))->setChecked(true);
        QVERIFY(dialog->setListenChoice(dialog->rowOfScreen(s2), s1->id(), KvEvent::ContentStart));
        dialog->accept();
    });
    m_editor->action_editEvent();
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(s1->raiseEventList().count(), 1);
    QCOMPARE(s2->waitEventList().count(), 1);
    QCOMPARE(s2->waitEventList().at(0).screenId(), s1->id());
    stack()->undo();
    QVERIFY(s1->raiseEventList().isEmpty());
    QVERIFY(s2->waitEventList().isEmpty());
    stack()->redo();
    QCOMPARE(s2->waitEventList().count(), 1);
    // Cancelled: nothing changes and nothing is pushed.
    watcher.answerWith([&](QWidget* w) {
        auto* dialog = qobject_cast<KvEventEditor*>(w);
        dialog->raiseOnEndBox(0)->setChecked(true);
        dialog->reject();
    });
    m_editor->action_editEvent(s2, s1);
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(s1->raiseEventList().count(), 1);
    QCOMPARE(s2->raiseEventList().count(), 0);
}

void TstCommands::backgroundImagePicker()
{
    KvStage* stage = openStage(1);
    const QString data = m_editor->dataDir();
    QVERIFY(QDir().mkpath(data + "/image"));
    QFile inside(data + "/image/back.png");
    QVERIFY(inside.open(QIODevice::WriteOnly));
    inside.close();
    QFile outside(m_dir->filePath("outside.png"));
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.close();

    auto choose = [](const QString& path) {
        return [path](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(),
                     QString("Select a image for the background of this stage"));
            QVERIFY(dialog->nameFilters().join(' ').contains("*.png"));
            KvModalWatcher::acceptFile(dialog, path);
        };
    };
    KvModalWatcher watcher;
    watcher.answerWith(choose(inside.fileName()));
    m_editor->showStageBackImagePicker();
    QTRY_COMPARE(stage->backgroundImage(), QString("image/back.png"));
    QCOMPARE(stack()->count(), 1);

    // Outside the data folder: asked first; No keeps the stage as it is.
    watcher.answerWith(choose(outside.fileName()));
    watcher.answer(QMessageBox::No);
    m_editor->showStageBackImagePicker();
    QCOMPARE(watcher.seen().last().title, QString("Warning to the selected file"));
    QCOMPARE(stage->backgroundImage(), QString("image/back.png"));
    QCOMPARE(stack()->count(), 1);
    watcher.answerWith(choose(outside.fileName()));
    watcher.answer(QMessageBox::Yes);
    m_editor->showStageBackImagePicker();
    QCOMPARE(stage->backgroundImage(), outside.fileName());
    QCOMPARE(stack()->count(), 2);
}

void TstCommands::randomOperationsUndoAll()
{
    KvStage* stage = openStage(6);
    const KvStage original(*stage);
    QRandomGenerator random(20261206u);
    const int operations = 2500;
    for (int n = 0; n < operations; ++n) {
        QList<KvScreen*> all = m_editor->screens();
        QList<KvScreen*> pick;
        for (KvScreen* s : all) {
            if (random.bounded(3) == 0)
                pick << s;
        }
        m_editor->selectScreenItem(pick, true, true);
        switch (random.bounded(14)) {
        case 0:
            if (all.count() < 14)
                m_editor->action_addMultimediaScreen();
            break;
        case 1:
            if (all.count() > 3)
                m_editor->action_removeSelectedScreens();
            break;
        case 2:
            m_editor->action_changeSelectedScreenBackColor(QColor::fromRgb(random.generate()));
            break;
        case 3:
            m_editor->action_changeSelectedScreenLocked(random.bounded(4) == 0);
            break;
        case 4:
            for (KvScreen* s : pick)
                itemOf(s)->setPos(s->rect().topLeft() + QPointF(random.bounded(21) - 10, 3));
            m_editor->action_selectedScreenMoved();
            break;
        case 5:
            for (KvScreen* s : pick)
                itemOf(s)->setGeometry(s->rect().x(), s->rect().y(), 20 + random.bounded(300),
                                       20 + random.bounded(200));
            m_editor->action_selectedScreenResized();
            break;
        case 6:
            m_editor->action_moveZIndexOfScreen(random.bounded(7) - 3);
            break;
        case 7:
            m_editor->action_alignSelectedScreens(KvEditorCommon::Align(1 << random.bounded(6)));
            break;
        case 8:
            m_editor->action_distributeSelectedScreens(
                KvEditorCommon::Align(1 << random.bounded(6)));
            break;
        case 9:
            if (pick.count() == 1)
                m_editor->action_changeSelectedScreenName(QString("N%1").arg(n));
            break;
        case 10:
            m_editor->action_changeSelectedScreenMoviePlayerType(
                PlayerType::PlayerTypes(1 + random.bounded(2)));
            break;
        case 11:
            m_editor->action_changeStagePos(QPointF(random.bounded(50), random.bounded(50)));
            break;
        case 12:
            if (all.count() < 14) {
                m_editor->action_cut();
                m_editor->action_paste();
            }
            break;
        case 13:
            m_editor->action_toggleSelectedScreenLocked();
            break;
        }
    }
    QVERIFY(stack()->count() > operations / 3);
    const KvStage final(*stage);
    QVERIFY(!stage->isMatch(original, true));
    while (stack()->canUndo())
        stack()->undo();
    QVERIFY(stage->isMatch(original, true));
    while (stack()->canRedo())
        stack()->redo();
    QVERIFY(stage->isMatch(final, true));
}

QTEST_MAIN(TstCommands)
#include "tst_commands.moc"
