// The event editor dialog: rows per screen, raise check boxes, listen choices offered only
// for raised events, accept writes, cancel leaves the stage alone.

#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

#include "kvevent.h"
#include "kveventeditor.h"
#include "kvmodalwatcher.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvtestfactories.h"

using namespace Kova;

class TestEventEditor : public QObject
{
    Q_OBJECT

private slots:
    void rowsFollowStackingOrder()
    {
        QScopedPointer<KvStage> stage(makeStage());
        KvEventEditor editor(stage.data());
        QCOMPARE(editor.rowCount(), 3);
        QCOMPARE(editor.rowOfScreen(stage->getScreenObject(3)), 0);
        QCOMPARE(editor.rowOfScreen(stage->getScreenObject(1)), 2);
        QCOMPARE(editor.rowOfScreen(nullptr), -1);
        QVERIFY(!editor.raiseOnStartBox(5));
        KvEventEditor empty(nullptr);
        QCOMPARE(empty.rowCount(), 0);
    }

    void listenOffersOnlyRaisedEvents()
    {
        QScopedPointer<KvStage> stage(makeStage());
        KvScreen* s1 = stage->getScreenObject(1);
        s1->raiseEventList().append(KvEvent(KvEvent::ContentEnd, 1, KvEvent::Raise));
        KvEventEditor editor(stage.data());
        const int row2 = editor.rowOfScreen(stage->getScreenObject(2));
        QCOMPARE(editor.listenComboBox(row2)->count(), 2); // none + S1 end
        QVERIFY(!editor.setListenChoice(row2, 1, KvEvent::ContentStart));
        QVERIFY(editor.setListenChoice(row2, 1, KvEvent::ContentEnd));
        // A screen does not listen to itself.
        QCOMPARE(editor.listenComboBox(editor.rowOfScreen(s1))->count(), 1);
        editor.raiseOnStartBox(editor.rowOfScreen(stage->getScreenObject(3)))->setChecked(true);
        QCOMPARE(editor.listenComboBox(row2)->count(), 3);
        // The chosen entry survives the refill.
        QCOMPARE(editor.listenComboBox(row2)->currentData().toList().value(0).toInt(), 1);
    }

    void acceptWritesEvents()
    {
        QScopedPointer<KvStage> stage(makeStage());
        KvScreen* s1 = stage->getScreenObject(1);
        KvScreen* s2 = stage->getScreenObject(2);
        KvEventEditor editor(stage.data());
        editor.raiseOnStartBox(editor.rowOfScreen(s1))->setChecked(true);
        QVERIFY(editor.setListenChoice(editor.rowOfScreen(s2), 1, KvEvent::ContentStart));
        editor.accept();
        QCOMPARE(editor.result(), 1);
        QCOMPARE(s1->raiseEventList().count(), 1);
        QCOMPARE(s1->raiseEventList().at(0).type(), int(KvEvent::ContentStart));
        QCOMPARE(s1->raiseEventList().at(0).screenId(), 1);
        QCOMPARE(s2->waitEventList().count(), 1);
        QCOMPARE(s2->waitEventList().at(0).screenId(), 1);
        QCOMPARE(s2->waitEventList().at(0).direction(), KvEvent::Wait);
        QVERIFY(stage->getScreenObject(3)->raiseEventList().isEmpty());
    }

    void droppedRaiseDropsListener()
    {
        QScopedPointer<KvStage> stage(makeStage());
        KvScreen* s1 = stage->getScreenObject(1);
        KvScreen* s2 = stage->getScreenObject(2);
        s1->raiseEventList().append(KvEvent(KvEvent::ContentStart, 1, KvEvent::Raise));
        s2->waitEventList().append(KvEvent(KvEvent::ContentStart, 1, KvEvent::Wait, {"Stop"}));
        KvEventEditor editor(stage.data());
        const int row2 = editor.rowOfScreen(s2);
        QCOMPARE(editor.listenComboBox(row2)->currentData().toList().value(0).toInt(), 1);
        editor.raiseOnStartBox(editor.rowOfScreen(s1))->setChecked(false);
        editor.accept();
        QVERIFY(s1->raiseEventList().isEmpty());
        QVERIFY(s2->waitEventList().isEmpty());
    }

    void execGivesResultAndCancelKeepsStage()
    {
        QScopedPointer<KvStage> stage(makeStage());
        const KvStage before(*stage);
        KvModalWatcher watcher;
        KvEventEditor cancelled(stage.data());
        cancelled.raiseOnEndBox(0)->setChecked(true);
        watcher.answer(QMessageBox::Cancel);
        QCOMPARE(cancelled.exec(), 0);
        QVERIFY(stage->isMatch(before, true));
        KvEventEditor accepted(stage.data());
        watcher.answer(QMessageBox::Ok);
        QCOMPARE(accepted.showWidget(false), 1);
    }

private:
    // Three multimedia screens S1..S3, z index = id.
    static KvStage* makeStage() { return Kova::Test::makeStage(QString(), QSize(1920, 1080), 3); }
};

QTEST_MAIN(TestEventEditor)
#include "tst_eventeditor.moc"
