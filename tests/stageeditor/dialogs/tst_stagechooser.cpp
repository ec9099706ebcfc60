// The stage chooser driven as a user would: clicks on the list and the buttons, names
// typed into the input dialog, message boxes answered by the modal watcher.

#include "kvmodalwatcher.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvstagechooser.h"
#include "kvstagepreview.h"
#include "kvtestfactories.h"
#include "kvusingfilelist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Kova;
using namespace Kova::Test;

namespace {

// A stage at (10, 20), 1280 x 720, with `screens` screens.
bool writeStage(const QString& path, int screens, const QColor& background = Qt::black)
{
    std::unique_ptr<KvStage> stage(makeStage(path, QSize(1280, 720), screens));
    stage->setRect(QRect(10, 20, 1280, 720));
    stage->setBackgroundColor(background);
    return stage->writeToFile();
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class TestStageChooser : public QObject
{
    Q_OBJECT

private:
    TempDataDir* m_data = nullptr;
    QString m_stageDir;
    QPointer<KvStageChooser> m_chooser;
    KvUsingFileList* m_list = nullptr;

    QListView* view() const { return m_chooser->findChild<QListView*>("StageListView"); }
    QPushButton* button(const char* name) const
    {
        return m_chooser->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QString value(const char* name) const
    {
        return m_chooser->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    QModelIndex indexOf(const QString& fileName) const
    {
        return view()->model()->index(shownNames().indexOf(fileName), 0);
    }
    QStringList shownNames() const
    {
        QStringList names;
        QAbstractItemModel* model = view()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names.append(model->index(row, 0).data().toString());
        return names;
    }
    // Clicks the first name, ctrl-clicks the others.
    void select(const QStringList& names)
    {
        bool first = true;
        for (const QString& name : names) {
            const QModelIndex index = indexOf(name);
            QVERIFY2(index.isValid(), qPrintable(name));
            const QRect rect = view()->visualRect(index);
            QTest::mouseClick(view()->viewport(), Qt::LeftButton,
                              first ? Qt::NoModifier : Qt::ControlModifier, rect.center());
            first = false;
        }
    }
    QString path(const QString& name) const { return QDir(m_stageDir).absoluteFilePath(name); }
    // The enabled buttons among Select, CopyAndCreate, Delete and Create.
    QString enabledButtons() const
    {
        QStringList names;
        for (const char* name : {"Select", "CopyAndCreate", "Delete", "Create"}) {
            if (button(qPrintable(QString("%1Button").arg(name)))->isEnabled())
                names.append(name);
        }
        return names.join(' ');
    }

private slots:
    void init()
    {
        m_data = new TempDataDir;
        QVERIFY(m_data->isValid());
        m_stageDir = m_data->stageDir();
        QVERIFY(writeStage(path("Alpha.xml"), 2, QColor("#ffffff")));
        QVERIFY(writeStage(path("Beta.xml"), 3));
        QVERIFY(writeStage(path("Gamma.kstg"), 1));
        QVERIFY(writeFile(path("notes.txt")));

        m_list = new KvUsingFileList(KvUsingFileList::UsingStage);
        m_list->setDataDir(m_data->path());
        m_chooser = new KvStageChooser;
        m_chooser->setStageDir(m_stageDir);
        m_chooser->setUsingStageList(m_list);
        m_chooser->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_chooser));
    }

    void cleanup()
    {
        delete m_chooser;
        delete m_list;
        delete m_data;
        m_list = nullptr;
        m_data = nullptr;
    }

    void selectionRules()
    {
        // Stage files only; nothing selected, only Create.
        QTRY_COMPARE(shownNames().count(), 3);
        QVERIFY(shownNames().contains("Alpha.xml"));
        QVERIFY(shownNames().contains("Gamma.kstg"));
        QVERIFY(!shownNames().contains("notes.txt"));
        QCOMPARE(enabledButtons(), QString("Create"));

        auto* preview = m_chooser->findChild<KvStagePreview*>("StagePreview");
        auto* color = m_chooser->findChild<QLabel*>("BackgroundColorValue");
        QSignalSpy cleared(m_chooser.data(), &KvStageChooser::clearDescription);
        select({"Alpha.xml"});
        QCOMPARE(enabledButtons(), QString("Select CopyAndCreate Delete Create"));
        QCOMPARE(value("FileNameValue"), QString("Alpha.xml"));
        QCOMPARE(value("SizeValue"), QString("1280 x 720"));
        QCOMPARE(value("PositionValue"), QString("10, 20"));
        QCOMPARE(value("ScreenCountValue"), QString("2"));
        QCOMPARE(value("BackgroundImageValue"), QString("None"));
        QCOMPARE(value("UseDesktopSizeValue"), QString("No"));
        QCOMPARE(color->text(), QString("#ffffff"));
        QVERIFY(color->styleSheet().startsWith("color:#000000;")); // readable on white
        QVERIFY(preview->hasStage());
        QCOMPARE(preview->screenCount(), 2);

        // Two selected: no copy, no description.
        select({"Alpha.xml", "Beta.xml"});
        QCOMPARE(m_chooser->selectedStageFiles().count(), 2);
        QCOMPARE(enabledButtons(), QString("Select Delete Create"));
        QVERIFY(!cleared.isEmpty());
        QCOMPARE(value("FileNameValue"), QString());
        QVERIFY(!preview->hasStage());

        // Back to one: a dark stage gets white text.
        select({"Beta.xml"});
        QCOMPARE(enabledButtons(), QString("Select CopyAndCreate Delete Create"));
        QCOMPARE(value("ScreenCountValue"), QString("3"));
        QVERIFY(color->styleSheet().startsWith("color:#ffffff;"));

        view()->clearSelection();
        QCOMPARE(enabledButtons(), QString("Create"));
    }

    // Every decision closes the chooser (and deletes it); only Select and a double click report
    // stages, only Create asks for the creator.
    void decisionsClose_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("reported");
        QTest::addColumn<int>("creatorRequests");
        QTest::newRow("select two") << "SelectButton" << QStringList{"Alpha.xml", "Beta.xml"} << 0;
        QTest::newRow("double click another") << "double click" << QStringList{"Gamma.kstg"} << 0;
        QTest::newRow("create") << "CreateButton" << QStringList{} << 1;
        QTest::newRow("cancel") << "CancelButton" << QStringList{} << 0;
    }

    void decisionsClose()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, reported);
        QFETCH(int, creatorRequests);
        QSignalSpy selected(m_chooser.data(), &KvStageChooser::stageHasBeenSelected);
        QSignalSpy create(m_chooser.data(), &KvStageChooser::requestToShowStageCreator);
        select({"Beta.xml", "Alpha.xml"});
        if (action == "double click") {
            const QRect rect = view()->visualRect(indexOf("Gamma.kstg"));
            QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
            QTest::mouseDClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        } else {
            QTest::mouseClick(button(qPrintable(action)), Qt::LeftButton);
        }
        QCOMPARE(selected.count(), reported.isEmpty() ? 0 : 1);
        if (!reported.isEmpty()) {
            QStringList paths = selected.at(0).at(0).toStringList();
            paths.sort();
            for (QString& name : reported)
                name = path(name);
            QCOMPARE(paths, reported);
        }
        QCOMPARE(create.count(), creatorRequests);
        QVERIFY(!m_chooser->isVisible());
        processDeferredDeletes();
        QVERIFY(!m_chooser);
    }

    // The input dialog offers the first free numbered name; accepted as it is, the copy is made
    // and reported; cancelled, nothing is made and the chooser stays.
    void copyProposesNumberedName_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }

    void copyProposesNumberedName()
    {
        QFETCH(bool, accept);
        QVERIFY(QFile::copy(path("Alpha.xml"), path("Alpha - Copy.xml")));
        QVERIFY(QFile::copy(path("Alpha.xml"), path("Alpha - Copy(2).xml")));
        QCOMPARE(KvStageChooser::proposeCopyName(path("Alpha.xml")), QString("Alpha - Copy(3)"));
        // Another suffix does not take the name.
        QCOMPARE(KvStageChooser::proposeCopyName(path("Gamma.kstg")), QString("Gamma - Copy"));
        QTRY_VERIFY(indexOf("Alpha - Copy(2).xml").isValid());

        QSignalSpy selected(m_chooser.data(), &KvStageChooser::stageHasBeenSelected);
        KvModalWatcher watcher; // without an answer the input dialog is rejected
        QStringList offered;
        if (accept)
            watcher.answerText(QString(), &offered); // take the proposal as it is
        select({"Alpha.xml"});
        QTest::mouseClick(button("CopyAndCreateButton"), Qt::LeftButton);
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().at(0).title, QString("Input New Name"));
        QCOMPARE(QFileInfo::exists(path("Alpha - Copy(3).xml")), accept);
        QCOMPARE(selected.count(), int(accept));
        if (!accept) {
            QVERIFY(m_chooser->isVisible());
            return;
        }
        QCOMPARE(offered, QStringList{"Alpha - Copy(3)"});
        QCOMPARE(selected.at(0).at(0).toStringList(), QStringList{path("Alpha - Copy(3).xml")});
        KvStage copy(path("Alpha - Copy(3).xml"));
        QVERIFY(copy.readFile());
        QCOMPARE(copy.screenList().count(), 2);
        processDeferredDeletes();
        QVERIFY(!m_chooser);
    }

    void copyRetriesWhenNameExists()
    {
        QSignalSpy selected(m_chooser.data(), &KvStageChooser::stageHasBeenSelected);
        KvModalWatcher watcher;
        QStringList offered;
        watcher.answerText("Beta", &offered); // exists (suffix added)
        watcher.answer(QMessageBox::Ok);      // the warning
        watcher.answerText("Delta.XML", &offered);
        select({"Alpha.xml"});
        QTest::mouseClick(button("CopyAndCreateButton"), Qt::LeftButton);

        QCOMPARE(watcher.count(), 3);
        QCOMPARE(watcher.seen().at(1).title, QString("Warnning"));
        QCOMPARE(watcher.seen().at(1).text,
                 QString("The stage name \"Beta.xml\" has been existing.\nReinput another name."));
        QCOMPARE(offered.value(0), QString("Alpha - Copy"));
        QCOMPARE(offered.value(1), QString("Beta")); // asked again with what was typed
        // A suffix in another case is the suffix: not added twice.
        QVERIFY(QFileInfo::exists(path("Delta.XML")));
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toStringList(), QStringList{path("Delta.XML")});
        // The existing stage was not touched.
        KvStage beta(path("Beta.xml"));
        QVERIFY(beta.readFile());
        QCOMPARE(beta.screenList().count(), 3);
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes deletes") << int(QMessageBox::Yes);
        QTest::newRow("no keeps") << int(QMessageBox::No);
    }

    void deleteAsksFirst()
    {
        QFETCH(int, answer);
        m_list->setState(KvUsingFileList::Created);
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::StandardButton(answer));
        select({"Beta.xml"});
        QTest::mouseClick(button("DeleteButton"), Qt::LeftButton);
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().at(0).title, QString("Confirm Delete"));
        QCOMPARE(
            watcher.seen().at(0).text,
            QString("The selected stage will be deleted. You will not be able to \"Undo\".\nDo "
                    "you want to continue the deletion?"));
        const bool deleted = answer == QMessageBox::Yes;
        QCOMPARE(QFileInfo::exists(path("Beta.xml")), !deleted);
        QTRY_COMPARE(indexOf("Beta.xml").isValid(), !deleted);
        QVERIFY(QFileInfo::exists(path("Alpha.xml")));
        QVERIFY(m_chooser->isVisible());
    }

    // Stages a schedule plays are not deleted; the message names the schedules of each (the
    // message for a single stage is checked in deleteWaitsForTheUsedList).
    void usedStagesAreKept()
    {
        const QStringList selected{"Alpha.xml", "Beta.xml", "Gamma.kstg"};
        KvUsingFileList::Entries entries;
        entries[path("Alpha.xml")] = QStringList{m_data->filePath("channel/Weekdays.xml"),
                                                 m_data->filePath("channel/Sat.xml")};
        entries[path("Gamma.kstg")] = QStringList{m_data->filePath("channel/b.xml")};
        m_list->setEntries(entries);
        m_list->setState(KvUsingFileList::Created);
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Yes);
        watcher.answer(QMessageBox::Ok);
        select(selected);
        QTest::mouseClick(button("DeleteButton"), Qt::LeftButton);
        QCOMPARE(watcher.count(), 2);
        QCOMPARE(watcher.seen().at(1).title, QString("Cannot Delete Stage"));
        QCOMPARE(watcher.seen().at(1).text,
                 QString("The following stages could not be deleted because they are used in the "
                         "schedule.\n\n\"Alpha.xml\" is used in ( Sat.xml, Weekdays.xml )\n"
                         "\"Gamma.kstg\" is used in ( b.xml )\n"));
        for (const QString& name : selected)
            QCOMPARE(QFileInfo::exists(path(name)), entries.contains(path(name)));
    }

    void deleteWaitsForTheUsedList()
    {
        // The list is not built: the chooser asks for it and deletes once it is there. The
        // editor's part (building the list, then telling the chooser) is played here.
        const QString weekdays = m_data->filePath("channel/Weekdays.xml");
        QCOMPARE(m_list->state(), int(KvUsingFileList::NotCreated));
        QList<QWidget*> parents;
        connect(m_chooser.data(), &KvStageChooser::requestToCreateUsingStageList, this,
                [&](QWidget* dialogParent) {
                    parents.append(dialogParent);
                    m_list->setState(KvUsingFileList::Creating);
                    QTimer::singleShot(0, m_chooser.data(), [&]() {
                        m_list->setEntries({{path("Alpha.xml"), {weekdays}}});
                        m_list->setState(KvUsingFileList::Created);
                        m_chooser->usingStageListCreationFinished();
                    });
                });
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Yes); // confirm
        watcher.answer(QMessageBox::Ok);  // the stage that is kept
        select({"Alpha.xml", "Beta.xml"});
        QTest::mouseClick(button("DeleteButton"), Qt::LeftButton);
        QCOMPARE(parents, QList<QWidget*>{m_chooser.data()});
        // Nothing is deleted before the list is there.
        QVERIFY(QFileInfo::exists(path("Beta.xml")));

        QTRY_VERIFY(!QFileInfo::exists(path("Beta.xml")));
        QVERIFY(QFileInfo::exists(path("Alpha.xml")));
        QTRY_COMPARE(watcher.count(), 2);
        QCOMPARE(watcher.seen().last().title, QString("Cannot Delete Stage"));
        QCOMPARE(watcher.seen().last().text,
                 QString("The following stage could not be deleted because it is used in the "
                         "schedule.\n\n\"Alpha.xml\" is used in ( Weekdays.xml )\n"));

        // A later finished() without a pending delete does nothing.
        m_chooser->usingStageListCreationFinished();
        QCOMPARE(watcher.count(), 2);
    }

    void deleteWithoutReadyListAsksFirst()
    {
        QSignalSpy request(m_chooser.data(), &KvStageChooser::requestToCreateUsingStageList);
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Yes); // confirm
        watcher.answer(QMessageBox::No);  // "not ready": stop
        select({"Beta.xml"});
        QTest::mouseClick(button("DeleteButton"), Qt::LeftButton);
        QCOMPARE(request.count(), 1);
        // The builder was cancelled: the list is still not built when the chooser is told.
        m_chooser->usingStageListCreationFinished();
        QCOMPARE(watcher.count(), 2);
        QCOMPARE(watcher.seen().at(1).title, QString("Warrning"));
        QCOMPARE(
            watcher.seen().at(1).text,
            QString("The using stage file list is not ready.\nIf you continue in this state "
                    "processing there is a possibility that problems may occur.\nDo you want to "
                    "continue the process?"));
        QVERIFY(QFileInfo::exists(path("Beta.xml")));

        // Asked again, the user goes on: the stage is deleted.
        watcher.answer(QMessageBox::Yes);
        watcher.answer(QMessageBox::Yes);
        QTest::mouseClick(button("DeleteButton"), Qt::LeftButton);
        QCOMPARE(request.count(), 2);
        m_chooser->usingStageListCreationFinished();
        QCOMPARE(watcher.count(), 4);
        QVERIFY(!QFileInfo::exists(path("Beta.xml")));
    }
};

QTEST_MAIN(TestStageChooser)
#include "tst_stagechooser.moc"
