#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kveventaction.h"
#include "kvmedia.h"
#include "kvmodalwatcher.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvseqlabelareawidget.h"
#include "kvseqmainscene.h"
#include "kvseqmainview.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvseqscreenlineitem.h"
#include "kvsequencecontainer.h"
#include "kvsequencewidget.h"
#include "kvstage.h"
#include "kvtestfactories.h"
#include "kvthumbnail.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <memory>

using namespace Kova;
using namespace Kova::Test;

class TestSequenceWidget : public QObject
{
    Q_OBJECT

private:
    TempDataDir m_data;
    std::unique_ptr<KvStage> m_stage;
    std::unique_ptr<KvSequenceWidget> m_widget;

    // A stage of multimedia screens S<id> with z index z, each holding media named by uris.
    void makeTimeline(const QList<QPair<int, QStringList>>& screens,
                      ScreenType::ScreenTypes lastType = ScreenType::Multimedia)
    {
        m_widget.reset();
        m_stage.reset(makeStage());
        for (int i = 0; i < screens.count(); ++i) {
            const int id = i + 1;
            const auto type = i == screens.count() - 1 ? lastType : ScreenType::Multimedia;
            KvScreen* screen = addScreen(m_stage.get(), id, type, defaultScreenRect(id), QString(),
                                         screens.at(i).first);
            for (const QString& uri : screens.at(i).second)
                screen->addMedia(new KvMedia(uri, MediaType::Image, screen));
        }
        m_widget = std::make_unique<KvSequenceWidget>();
        m_widget->setStage(m_stage.get());
        m_widget->resize(800, 300);
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
        m_widget->addScreenToSequence(m_stage->screenList(), false, false);
    }

    KvScreen* screen(int id) const
    {
        for (KvScreen* s : m_stage->screenList()) {
            if (s->id() == id)
                return s;
        }
        return nullptr;
    }
    KvSeqScreen* row(int id) const
    {
        for (KvSeqScreen* r : m_widget->rows()) {
            if (r->screen()->id() == id)
                return r;
        }
        return nullptr;
    }
    static QStringList uris(const KvSeqScreen* r)
    {
        QStringList list;
        for (const KvSeqMediaItem* item : r->items())
            list << item->media()->uri();
        return list;
    }
    // A point of the view's viewport at scene x in the middle of the row.
    QPoint viewPoint(const KvSeqScreen* r, double x) const
    {
        return m_widget->view()->mapFromScene(QPointF(x, r->rect().center().y()));
    }
    void clickView(const QPoint& pos, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(m_widget->view()->viewport(), Qt::LeftButton, modifiers, pos);
    }
    static QStringList names(const QList<KvScreen*>& screens)
    {
        QStringList list;
        for (const KvScreen* s : screens)
            list << s->name();
        return list;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
    }

    void cleanup()
    {
        m_widget.reset();
        m_stage.reset();
    }

    void rowsStackFrontMostOnTop()
    {
        makeTimeline({{3, {}}, {1, {}}, {2, {}}});
        QList<int> zs;
        QList<int> tops;
        for (const KvSeqScreen* r : m_widget->rows()) {
            zs << r->screen()->zIndex();
            tops << int(r->rect().top());
            QCOMPARE(r->lineItem()->y(), r->rect().top());
        }
        QCOMPARE(zs, QList<int>({1, 2, 3}));
        QCOMPARE(tops, QList<int>({50, 25, 0}));

        // Taking the front-most away moves the others up; its selection is kept for the caller.
        QList<KvScreen*> gone{screen(1)};
        QMap<KvScreen*, QList<int>> kept;
        m_widget->removeScreensFromSequence(gone, &kept);
        tops.clear();
        for (const KvSeqScreen* r : m_widget->rows())
            tops << int(r->rect().top());
        QCOMPARE(tops, QList<int>({25, 0}));
        QVERIFY(kept.contains(screen(1)));
    }

    void labelClicks_data()
    {
        QTest::addColumn<QStringList>("selectedBefore");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<QStringList>("expected");
        // Rows from the top: S1 (z 3) at 0, S2 at 25, S3 at 50.
        QTest::newRow("plain") << QStringList{"S1", "S3"} << 30 << false << QStringList{"S2"};
        QTest::newRow("ctrl adds") << QStringList{"S1"} << 60 << true << QStringList{"S3", "S1"};
        QTest::newRow("ctrl removes") << QStringList{"S1", "S2"} << 5 << true << QStringList{"S2"};
        QTest::newRow("below the last") << QStringList{"S1"} << 90 << false << QStringList{};
    }
    void labelClicks()
    {
        QFETCH(QStringList, selectedBefore);
        QFETCH(int, y);
        QFETCH(bool, ctrl);
        QFETCH(QStringList, expected);
        makeTimeline({{3, {}}, {2, {}}, {1, {}}});
        QList<KvScreen*> before;
        for (KvScreen* s : m_stage->screenList()) {
            if (selectedBefore.contains(s->name()))
                before << s;
        }
        m_widget->onScreenSelectionChanged(before);

        QStringList events;
        connect(m_widget.get(), &KvSequenceWidget::seqScreenActivated,
                [&events]() { events << "activated"; });
        connect(m_widget.get(), &KvSequenceWidget::changeScreenSelection,
                [&events](QList<KvScreen*> list) { events << names(list).join(','); });
        QTest::mouseClick(m_widget->labelArea(), Qt::LeftButton,
                          ctrl ? Qt::ControlModifier : Qt::NoModifier, QPoint(10, y));
        QCOMPARE(events, QStringList({"activated", expected.join(',')}));
    }

    void selectingMediumSelectsItsScreen()
    {
        makeTimeline({{1, {"image/a.png"}}, {2, {"image/b.png"}}});
        m_widget->onScreenSelectionChanged({screen(2)});
        QList<KvScreen*> asked;
        connect(m_widget.get(), &KvSequenceWidget::changeScreenSelection,
                [&asked](QList<KvScreen*> list) { asked = list; });
        clickView(viewPoint(row(1), 70));
        QCOMPARE(asked, QList<KvScreen*>{screen(1)});
        QVERIFY(row(1)->items().first()->isSelected());
    }

    void contextMenuRequests_data()
    {
        QTest::addColumn<bool>("onLabels");
        QTest::newRow("label column") << true;
        QTest::newRow("timeline view") << false;
    }
    void contextMenuRequests()
    {
        QFETCH(bool, onLabels);
        makeTimeline({{1, {"image/a.png"}}});
        QWidget* target =
            onLabels ? static_cast<QWidget*>(m_widget->labelArea()) : m_widget->view()->viewport();
        QSignalSpy labels(m_widget.get(), &KvSequenceWidget::sequenceLabelContextMenuRequested);
        QSignalSpy view(m_widget.get(), &KvSequenceWidget::sequenceMainViewContextMenuRequested);
        const QPoint at(30, 10);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        QSignalSpy& asked = onLabels ? labels : view;
        QCOMPARE(labels.count() + view.count(), 1);
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.first().first().toPoint(), target->mapToGlobal(at));
    }

    // Media added out of sight are scrolled into view: an added last medium's right edge
    // becomes the view's right edge, an added first medium brings the row's start back.
    void scrollsToAddedMedium()
    {
        makeTimeline({{1, QVector<QString>(30, "image/a.png").toList()}});
        QScrollBar* bar = m_widget->view()->horizontalScrollBar();
        QCOMPARE(bar->value(), 0);
        const auto add = [this](int index) {
            QList<KvPreservedMedia*> records{new KvPreservedMedia(
                new KvMedia("image/a.png", MediaType::Image), 0, index, false, true)};
            m_widget->addMedia(records);
            qDeleteAll(records);
        };
        add(30);
        const KvSeqMediaItem* last = row(1)->itemAt(30);
        const int right = int(last->x() + last->boundingRect().width());
        QTRY_COMPARE(bar->value(), right - bar->pageStep());
        add(0);
        QTRY_COMPARE(bar->value(), 0);
    }

    void moveMedia_data()
    {
        QTest::addColumn<QList<QList<int>>>("entries"); // from row, from, to row, to
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        // Moves inside a row, through the editor's move command: tst_mediacommands (dropPlace).
        QTest::newRow("into the other row")
            << QList<QList<int>>{{0, 1, 1, 1}, {0, 2, 1, 2}} << QStringList{"M1", "M4", "M5"}
            << QStringList{"N1", "M2", "M3", "N2"};
        QTest::newRow("source row outside")
            << QList<QList<int>>{{5, 0, 0, 0}} << QStringList{"M1", "M2", "M3", "M4", "M5"}
            << QStringList{"N1", "N2"};
    }
    void moveMedia()
    {
        QFETCH(QList<QList<int>>, entries);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        makeTimeline({{1, {"M1", "M2", "M3", "M4", "M5"}}, {2, {"N1", "N2"}}});
        QList<KvMovedIndex> moves;
        for (const QList<int>& e : entries)
            moves << KvMovedIndex(e[0], e[1], e[2], e[3]);
        m_widget->moveMedia(moves);
        QCOMPARE(uris(m_widget->rowAt(0)), first);
        QCOMPARE(uris(m_widget->rowAt(1)), second);
        // The model follows, and the moved media are selected where they landed.
        for (const KvSeqScreen* r : m_widget->rows()) {
            QStringList model;
            for (const KvMedia* m : r->screen()->mediaList())
                model << m->uri();
            QCOMPARE(model, uris(r));
        }
        QList<QPair<int, int>> selected;
        if (entries.first().at(0) == 0) {
            for (int i = 0; i < entries.count(); ++i)
                selected << qMakePair(entries.at(i).at(2), entries.at(i).at(3));
        }
        QCOMPARE(m_widget->selectedMediaIndices(), selected);
    }

    void dropRules_data()
    {
        QTest::addColumn<int>("pressedIndex");
        QTest::addColumn<int>("dropRow");
        QTest::addColumn<double>("dropX");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QList<int>>("request"); // row, index, basis row, basis index
        // Row 0 holds three blocks of 140 pixels; row 1 holds two.
        QTest::newRow("own index") << 1 << 0 << 150.0 << false << QList<int>{};
        QTest::newRow("last past the end") << 2 << 0 << 600.0 << false << QList<int>{};
        QTest::newRow("first past the end") << 0 << 0 << 600.0 << true << QList<int>{0, 2, 0, 0};
        QTest::newRow("onto a block") << 0 << 0 << 300.0 << true << QList<int>{0, 2, 0, 0};
        QTest::newRow("other row end") << 0 << 1 << 600.0 << true << QList<int>{1, 2, 0, 0};
    }
    void dropRules()
    {
        QFETCH(int, pressedIndex);
        QFETCH(int, dropRow);
        QFETCH(double, dropX);
        QFETCH(bool, result);
        QFETCH(QList<int>, request);
        makeTimeline({{1, {"A", "B", "C"}}, {2, {"D", "E"}}});
        QList<int> asked;
        connect(m_widget.get(), &KvSequenceWidget::requestMoveSelectedMedia,
                [&asked](int to, int toSeq, int basis, int basisSeq, bool*) {
                    asked = {to, toSeq, basis, basisSeq};
                });
        bool answer = !result;
        KvSeqMediaItem* pressed = m_widget->rowAt(0)->itemAt(pressedIndex);
        emit m_widget->view()->mediaItemDropped(viewPoint(m_widget->rowAt(dropRow), dropX), pressed,
                                                &answer);
        QCOMPARE(answer, result);
        QCOMPARE(asked, request);
    }

    void clipboardBytes()
    {
        makeTimeline({{1, {"image/a.png", "telop/t.txt", "movie/b.mp4"}}});
        m_widget->updateSequenceMediaItemSelection({{screen(1), {0, 1, 2}}});
        m_widget->copyMedia(nullptr);
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        const QByteArray types = "ScreenType{multimedia,telop};";
        const QByteArray media =
            "Media{uri=image/a.png;};Media{uri=telop/t.txt;};Media{uri=movie/b.mp4;};";
        QCOMPARE(mime->data(KvEditorCommon::MIME_TYPE_SCREEN_TYPE), types);
        QCOMPARE(mime->data(KvEditorCommon::MIME_TYPE_MEDIA_OBJECT), media);
        QCOMPARE(mime->data("text/plain"), types + media);
        // The copy leaves the media where they are.
        QCOMPARE(screen(1)->mediaCount(), 3);
    }

    void pasteCheck_data()
    {
        QTest::addColumn<QByteArray>("types");
        QTest::addColumn<bool>("withMedia");
        QTest::addColumn<int>("releasedOnRow"); // screen id; 0 below the rows
        QTest::addColumn<bool>("canPaste");
        QTest::newRow("listed type")
            << QByteArray("ScreenType{multimedia,telop};") << true << 1 << true;
        QTest::newRow("lower-case prefix") << QByteArray("screentype{telop};") << true << 2 << true;
        QTest::newRow("type not listed") << QByteArray("ScreenType{telop};") << true << 1 << false;
        QTest::newRow("no media part")
            << QByteArray("ScreenType{multimedia};") << false << 1 << false;
        QTest::newRow("prefix missing") << QByteArray("Screen{multimedia};") << true << 1 << false;
        QTest::newRow("below the rows")
            << QByteArray("ScreenType{multimedia};") << true << 0 << false;
    }
    void pasteCheck()
    {
        QFETCH(QByteArray, types);
        QFETCH(bool, withMedia);
        QFETCH(int, releasedOnRow);
        QFETCH(bool, canPaste);
        makeTimeline({{1, {}}, {2, {}}}, ScreenType::Telop);
        auto* mime = new QMimeData;
        mime->setData(KvEditorCommon::MIME_TYPE_SCREEN_TYPE, types);
        if (withMedia)
            mime->setData(KvEditorCommon::MIME_TYPE_MEDIA_OBJECT, "Media{uri=x;};");
        QGuiApplication::clipboard()->setMimeData(mime);
        clickView(releasedOnRow ? viewPoint(row(releasedOnRow), 300) : QPoint(300, 200));
        QCOMPARE(m_widget->canPasteMedia(), canPaste);
    }

    void pasteMakesFreshCopies()
    {
        makeTimeline({{1, {"A", "B"}}, {2, {"C"}}});
        m_widget->updateSequenceMediaItemSelection({{screen(1), {0, 1}}});
        m_widget->copyMedia(nullptr);
        clickView(viewPoint(row(2), 10)); // before C
        QList<KvPreservedMedia*> first = m_widget->pasteMedia();
        QList<KvPreservedMedia*> second = m_widget->pasteMedia();
        QCOMPARE(uris(row(2)), QStringList({"A", "B", "A", "B", "C"}));
        QCOMPARE(first.count(), 2);
        QSet<const KvMedia*> seen;
        for (const KvPreservedMedia* record : first + second) {
            QVERIFY(!m_widget->clipboardMedia().contains(record->media()));
            QVERIFY(!screen(1)->mediaList().contains(record->media()));
            seen.insert(record->media());
        }
        QCOMPARE(seen.count(), 4);
        QCOMPARE(first.first()->screenIndex(), 1);
        QCOMPARE(first.last()->sequenceIndex(), 1);
        qDeleteAll(first);
        qDeleteAll(second);
        // Released below the rows: nothing is pasted.
        clickView(QPoint(300, 200));
        QVERIFY(m_widget->pasteMedia().isEmpty());
    }

    void raiseEventMenu()
    {
        makeTimeline({{1, {}}, {2, {}}, {3, {}}});
        screen(3)->addEvent(KvEvent(KvEvent::ContentStart, 1, KvEvent::Wait, {"GotoNext"}));
        m_widget->onScreenSelectionChanged({screen(1)});
        QList<KvPreservedEvent> records;
        connect(m_widget.get(), &KvSequenceWidget::screenEventChanged,
                [&records](QList<KvPreservedEvent> list) { records = list; });

        QMenu* menu = m_widget->buildRaiseEventMenu();
        QCOMPARE(menu->title(), QString("Raise Event of \"S1\""));
        auto* start = menu->findChild<QAction*>("Action_Event_On_Content_Start");
        auto* end = menu->findChild<QAction*>("Action_Event_On_Content_End");
        QVERIFY(menu->findChild<QAction*>("Action_Raise_Event_Title"));
        QVERIFY(start && end && !start->isChecked() && !end->isChecked());

        start->trigger();
        QCOMPARE(records.count(), 1);
        QCOMPARE(records.first().addedEvents().first().type(), int(KvEvent::ContentStart));
        QCOMPARE(screen(1)->raiseEventList().count(), 1);

        // The end toggle unchecks the start; S3 stops waiting for the start that went away.
        end->trigger();
        QVERIFY(!start->isChecked());
        QCOMPARE(screen(1)->raiseEventList().count(), 1);
        QCOMPARE(screen(1)->raiseEventList().first().type(), int(KvEvent::ContentEnd));
        QVERIFY(screen(3)->waitEventList().isEmpty());
        QCOMPARE(records.count(), 2);
        QCOMPARE(records.at(1).screenId(), 3);
        QCOMPARE(records.at(1).removedEvents().count(), 1);

        // A rebuilt menu shows the screen's state.
        menu = m_widget->buildRaiseEventMenu();
        QVERIFY(menu->findChild<QAction*>("Action_Event_On_Content_End")->isChecked());
        QList<KvScreen*> edit;
        connect(m_widget.get(), &KvSequenceWidget::requestEditEvent,
                [&edit](KvScreen* source, KvScreen* receiver) {
                    edit = {source, receiver};
                });
        menu->findChild<QAction*>("Action_Edit_Event_At_Raise")->trigger();
        QCOMPARE(edit, (QList<KvScreen*>{screen(1), nullptr}));
    }

    void listenEventMenu()
    {
        makeTimeline({{1, {}}, {2, {}}, {3, {}}});
        screen(2)->addEvent(KvEvent(KvEvent::ContentEnd, 2, KvEvent::Raise));
        m_widget->onScreenSelectionChanged({screen(1)});
        QList<KvPreservedEvent> records;
        connect(m_widget.get(), &KvSequenceWidget::screenEventChanged,
                [&records](QList<KvPreservedEvent> list) { records = list; });

        QMenu* menu = m_widget->buildListenEventMenu();
        QCOMPARE(menu->title(), QString("Listen Event of \"S1\""));
        QVERIFY(menu->findChild<QAction*>("Action_Listen_Event_Title"));
        QVERIFY(!menu->findChild<QAction*>("Action_Listen_Event_Screen_1")->isEnabled());
        QVERIFY(!menu->findChild<QAction*>("Action_Listen_Event_Screen_3")->isEnabled());
        auto* s2 = menu->findChild<QAction*>("Action_Listen_Event_Screen_2");
        QVERIFY(s2->isEnabled() && !s2->isChecked());
        QCOMPARE(s2->text(), QString("S2"));

        s2->trigger();
        QCOMPARE(screen(1)->waitEventList().count(), 1);
        const KvEvent wait = screen(1)->waitEventList().first();
        QCOMPARE(wait.screenId(), 2);
        QCOMPARE(wait.type(), int(KvEvent::ContentEnd));
        QCOMPARE(wait.actions(), QStringList{KvEventAction::toString(KvEventAction::GotoNext)});
        QCOMPARE(records.count(), 1);
        QCOMPARE(records.first().screenId(), 1);

        menu = m_widget->buildListenEventMenu();
        QVERIFY(menu->findChild<QAction*>("Action_Listen_Event_Screen_2")->isChecked());
        QList<KvScreen*> edit;
        connect(m_widget.get(), &KvSequenceWidget::requestEditEvent,
                [&edit](KvScreen* source, KvScreen* receiver) {
                    edit = {source, receiver};
                });
        menu->findChild<QAction*>("Action_Edit_Event_At_Listen")->trigger();
        QCOMPARE(edit, (QList<KvScreen*>{nullptr, screen(1)}));
    }

    void missingFiles()
    {
        makeTimeline({{1, {"image/gone.png", "image/gone.png", "movie/lost.mp4"}}});
        KvModalWatcher watcher;
        m_widget->checkMediaDisabledUris();
        m_widget->checkMediaDisabledUris();
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().first().title, QString("Invalid Contents"));
        QCOMPARE(watcher.seen().first().text,
                 QString("There are files that does not exist in the contents on the sequence.\n"
                         "Please check the library.\n\nFiles: \n  image/gone.png\n  "
                         "movie/lost.mp4"));

        m_widget->showMediaItemProperty(row(1)->itemAt(2));
        QCOMPARE(watcher.count(), 2);
        QCOMPARE(watcher.seen().last().title, QString("Not found"));
        QCOMPARE(watcher.seen().last().text,
                 QString("File does not exist, or is invalid.\n\"movie/lost.mp4\"\nThis content "
                         "should be set again."));
    }

    // The media tool's report of a file reaches the blocks showing it, and blocks made later in
    // the same event loop turn, which would otherwise reuse the turn's earlier lookup.
    void reportedThumbnailReachesLaterBlocks()
    {
        const QString file = m_data.filePath("image/late.png");
        QVERIFY(writeImage(file));
        makeTimeline({{1, {"image/late.png"}}});
        KvThumbnail::FileProperty property;
        property.filePath = file;
        property.thumbnailPath = KvThumbnail::thumbnailFilePath(file);
        QVERIFY(QDir().mkpath(QFileInfo(property.thumbnailPath).path()));
        QVERIFY(writeImage(property.thumbnailPath, QSize(48, 27), Qt::red));
        m_widget->onFilePropertyUpdated(property);
        QList<KvPreservedMedia*> records{new KvPreservedMedia(
            new KvMedia("image/late.png", MediaType::Image), 0, 1, false, true)};
        m_widget->addMedia(records);
        qDeleteAll(records);
        for (const KvSeqMediaItem* item : row(1)->items())
            QCOMPARE(item->thumbnailImage().toImage().pixelColor(12, 12), QColor(Qt::red));
    }

    void propertyDialog_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("newName");
        QTest::newRow("double click, OK unchanged") << false << QString();
        QTest::newRow("Enter, renamed") << true << QString("Renamed");
    }
    void propertyDialog()
    {
        QFETCH(bool, byEnter);
        QFETCH(QString, newName);
        QVERIFY(writeImage(m_data.filePath("image/shown.png")));
        makeTimeline({{1, {"image/shown.png"}}});
        KvSeqMediaItem* item = row(1)->itemAt(0);
        QList<KvMedia> asked;
        connect(m_widget.get(), &KvSequenceWidget::updateMediaPropertiesRequested,
                [&asked, item](KvSeqMediaItem* which, KvMedia media) {
                    QCOMPARE(which, item);
                    asked << media;
                });
        KvModalWatcher watcher;
        watcher.answerWith([newName](QWidget* dialog) {
            if (!newName.isNull())
                dialog->findChild<QLineEdit*>("NameEdit")->setText(newName);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        const QPoint at = viewPoint(row(1), 70);
        if (byEnter) {
            clickView(at);
            QTest::keyClick(m_widget->view(), Qt::Key_Return);
        } else {
            QTest::mouseDClick(m_widget->view()->viewport(), Qt::LeftButton, {}, at);
        }
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().first().className, QString("Kova::KvMediaPropertyDialog"));
        QCOMPARE(asked.count(), newName.isNull() ? 0 : 1);
        if (!asked.isEmpty())
            QCOMPARE(asked.first().name(), newName);
    }

    void copierDialogReopensWhereItWas()
    {
        QVERIFY(writeImage(m_data.filePath("image/shown.png")));
        makeTimeline({{1, {"image/shown.png"}}});
        const QRect placed(140, 120, 520, 380);
        QList<QRect> opened;
        KvModalWatcher watcher;
        watcher.answerWith([&opened, placed](QWidget* dialog) {
            opened << dialog->geometry();
            dialog->setGeometry(placed);
            static_cast<QDialog*>(dialog)->reject();
        });
        watcher.answerWith([&opened](QWidget* dialog) {
            opened << dialog->geometry();
            static_cast<QDialog*>(dialog)->reject();
        });
        m_widget->showCopyMediaItemProperty(row(1)->itemAt(0));
        m_widget->showCopyMediaItemProperty(row(1)->itemAt(0));
        QCOMPARE(opened.count(), 2);
        QCOMPARE(opened.last(), placed);
    }

    void propertiesCopiedExceptUri()
    {
        makeTimeline({{1, {"A", "B", "C"}}});
        KvMedia source("S", MediaType::Image);
        source.setName("shared");
        source.setPlayingDuration(42);
        const QString before = screen(1)->mediaList().at(2)->name();
        QMap<int, KvMedia*> preserved;
        m_widget->copyMediaPropertyExceptUri(&source, 1, {0, 2}, &preserved);
        QCOMPARE(uris(row(1)), QStringList({"A", "B", "C"}));
        QCOMPARE(screen(1)->mediaList().at(2)->name(), QString("shared"));
        QCOMPARE(row(1)->itemAt(0)->duration(), 42.0);
        QCOMPARE(screen(1)->mediaList().at(1)->playingDuration(), 10.0);
        m_widget->restoreMediaPropertyExceptUri(1, &preserved);
        QCOMPARE(screen(1)->mediaList().at(2)->name(), before);
        QCOMPARE(row(1)->itemAt(0)->duration(), 10.0);
        qDeleteAll(preserved);
    }

    void containerPagesAndViewActions()
    {
        std::unique_ptr<KvStage> first(makeStage(QString(), QSize(800, 600), 1));
        std::unique_ptr<KvStage> second(makeStage(QString(), QSize(800, 600), 1));
        KvSequenceContainer container;
        QAction normal, time, duration;
        normal.setObjectName("Action_Normal_View");
        time.setObjectName("Action_Time_View");
        duration.setObjectName("Action_Show_Duration");
        duration.setCheckable(true);
        container.setViewMenuActions({&normal, &time, &duration});

        QCOMPARE(container.addStage(first.get()), 0);
        QCOMPARE(container.addStage(second.get()), 1);
        QCOMPARE(container.addStage(first.get()), 0);
        QCOMPARE(container.count(), 2);
        container.changeViewToTimeView();
        container.showMediaDuration(true);
        QVERIFY(normal.isEnabled() && !time.isEnabled() && duration.isChecked());

        QSignalSpy onSequence(&container,
                              &KvSequenceContainer::requestArrangeMenuOpenningCheckOnSequence);
        QSignalSpy onStage(&container,
                           &KvSequenceContainer::requestArrangeMenuOpenningCheckOnStage);
        container.setCurrentStage(second.get());
        QCOMPARE(container.currentStage(), second.get());
        QCOMPARE(onSequence.count(), 1);
        QCOMPARE(onStage.count(), 1);
        QVERIFY(!normal.isEnabled() && time.isEnabled() && !duration.isChecked());
    }

    void containerRelaysKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("signal");
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << "delete";
        QTest::newRow("Left") << int(Qt::Key_Left) << 0 << "left";
        QTest::newRow("Right") << int(Qt::Key_Right) << 0 << "right";
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << "undo";
    }
    void containerRelaysKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, signal);
        std::unique_ptr<KvStage> stage(makeStage(QString(), QSize(800, 600), 1));
        KvSequenceContainer container;
        container.addStage(stage.get());
        container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&container));
        QStringList heard;
        using C = KvSequenceContainer;
        connect(&container, &C::deleteKeyPressed, [&heard]() { heard << "delete"; });
        connect(&container, &C::leftKeyPressedAtSeqMainView, [&heard]() { heard << "left"; });
        connect(&container, &C::rightKeyPressedAtSeqMainView, [&heard]() { heard << "right"; });
        connect(&container, &C::undoKeyPressed, [&heard]() { heard << "undo"; });
        QTest::keyClick(container.currentSequenceWidget()->view(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QCOMPARE(heard, QStringList{signal});
    }

    void containerHandsScenesOver()
    {
        std::unique_ptr<KvStage> first(makeStage(QString(), QSize(800, 600), 2));
        std::unique_ptr<KvStage> second(makeStage(QString(), QSize(800, 600), 1));
        KvSequenceContainer container;
        container.addStage(first.get());
        container.addStage(second.get());
        container.setCurrentStage(first.get());
        container.addScreenToSequence(first->screenList(), false, false);
        KvSequenceWidget* firstWidget = container.sequenceWidget(first.get());
        KvSequenceWidget* secondWidget = container.sequenceWidget(second.get());
        const QGraphicsScene* secondScene = secondWidget->scene();

        QGraphicsScene* raw = nullptr;
        container.takeGraphicsScene(first.get(), &raw);
        std::unique_ptr<QGraphicsScene> taken(raw);
        QVERIFY(taken && !taken->parent());
        QVERIFY(!firstWidget->scene() && !firstWidget->view()->scene());
        QCOMPARE(taken->items().count(), 2); // the two rows' line items

        std::unique_ptr<QGraphicsScene> purged;
        connect(&container, qOverload<QGraphicsScene*>(&KvSequenceContainer::graphicsScenePurged),
                [&purged](QGraphicsScene* scene) { purged.reset(scene); });
        container.removeStage(second.get());
        QCOMPARE(container.count(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(static_cast<const QGraphicsScene*>(purged.get()), secondScene);
    }
};

QTEST_MAIN(TestSequenceWidget)
#include "tst_sequencewidget.moc"
