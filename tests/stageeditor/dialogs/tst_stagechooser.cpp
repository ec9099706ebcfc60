// The stage chooser driven as a user would: clicks on the list and the buttons, names
// typed into the input dialog, message boxes answered by the modal watcher.

#include "kvmodalwatcher.h"
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

// How far the used-stage list is when Delete is clicked.
enum ListState { Built, BuiltWhenAsked, NotBuilt };

} // namespace

class TestStageChooser : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempDataDir> m_data;
    std::unique_ptr<KvUsingFileList> m_list;
    QPointer<KvStageChooser> m_chooser;

    QListView* view() const { return m_chooser->findChild<QListView*>("StageListView"); }
    QPushButton* button(const QString& name) const
    {
        return m_chooser->findChild<QPushButton*>(name + "Button");
    }
    QModelIndex indexOf(const QString& fileName) const
    {
        return view()->model()->index(shownNames().indexOf(fileName), 0);
    }
    QStringList shownNames() const
    {
        QStringList names;
        for (int row = 0; row < view()->model()->rowCount(); ++row)
            names.append(view()->model()->index(row, 0).data().toString());
        names.sort();
        return names;
    }
    // Clicks the first name, ctrl-clicks the others.
    void select(const QStringList& names)
    {
        for (const QString& name : names) {
            QTRY_VERIFY2(indexOf(name).isValid(), qPrintable(name));
            QTest::mouseClick(view()->viewport(), Qt::LeftButton,
                              name == names.first() ? Qt::NoModifier : Qt::ControlModifier,
                              view()->visualRect(indexOf(name)).center());
        }
    }
    QString path(const QString& name) const { return QDir(m_data->stageDir()).filePath(name); }
    // The enabled buttons among Select, CopyAndCreate, Delete and Create.
    QString enabledButtons() const
    {
        QStringList names;
        for (const char* name : {"Select", "CopyAndCreate", "Delete", "Create"}) {
            if (button(name)->isEnabled())
                names.append(name);
        }
        return names.join(' ');
    }
    // The description's rows as shown (the colour with the colour of its text), and the number
    // of screens the preview draws.
    QStringList description() const
    {
        QStringList rows;
        for (const char* name :
             {"FileNameValue", "SizeValue", "PositionValue", "ScreenCountValue",
              "BackgroundImageValue", "UseDesktopSizeValue", "BackgroundColorValue"})
            rows << m_chooser->findChild<QLabel*>(name)->text();
        const QString style = m_chooser->findChild<QLabel*>("BackgroundColorValue")->styleSheet();
        return rows << style.section(';', 0, 0)
                    << QString::number(m_chooser->findChild<KvStagePreview*>()->screenCount());
    }
    void processDeferredDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        m_data.reset(new TempDataDir);
        QVERIFY(m_data->isValid());
        QVERIFY(writeStage(path("Alpha.xml"), 2, QColor("#ffffff")));
        QVERIFY(writeStage(path("Beta.xml"), 3));
        QVERIFY(writeStage(path("Gamma.kstg"), 1));
        QVERIFY(writeFile(path("notes.txt")));

        m_list.reset(new KvUsingFileList(KvUsingFileList::UsingStage));
        m_list->setDataDir(m_data->path());
        m_chooser = new KvStageChooser;
        m_chooser->setStageDir(m_data->stageDir());
        m_chooser->setUsingStageList(m_list.get());
        m_chooser->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_chooser));
    }

    void cleanup()
    {
        delete m_chooser;
        m_list.reset();
        m_data.reset();
    }

    // Only stage files are listed. One selected stage is described and previewed (the colour
    // written readably on it) and can be copied; several can only be opened or deleted.
    void selectionRules()
    {
        QTRY_COMPARE(shownNames(), (QStringList{"Alpha.xml", "Beta.xml", "Gamma.kstg"}));
        QCOMPARE(enabledButtons(), QString("Create"));
        select({"Alpha.xml"});
        QCOMPARE(enabledButtons(), QString("Select CopyAndCreate Delete Create"));
        QCOMPARE(description(), (QStringList{"Alpha.xml", "1280 x 720", "10, 20", "2", "None", "No",
                                             "#ffffff", "color:#000000", "2"}));

        select({"Alpha.xml", "Beta.xml"});
        QCOMPARE(m_chooser->selectedStageFiles().count(), 2);
        QCOMPARE(enabledButtons(), QString("Select Delete Create"));
        QCOMPARE(description(),
                 (QStringList{"", "", "", "", "", "", "", "color:transparent", "0"}));

        select({"Beta.xml"});
        QCOMPARE(enabledButtons(), QString("Select CopyAndCreate Delete Create"));
        QCOMPARE(description().mid(6), (QStringList{"#000000", "color:#ffffff", "3"}));
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
        QTest::newRow("select two") << "Select" << QStringList{"Alpha.xml", "Beta.xml"} << 0;
        QTest::newRow("double click another") << "double click" << QStringList{"Gamma.kstg"} << 0;
        QTest::newRow("create") << "Create" << QStringList{} << 1;
        QTest::newRow("cancel") << "Cancel" << QStringList{} << 0;
    }

    void decisionsClose()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, reported);
        QSignalSpy selected(m_chooser.data(), &KvStageChooser::stageHasBeenSelected);
        QSignalSpy create(m_chooser.data(), &KvStageChooser::requestToShowStageCreator);
        select({"Beta.xml", "Alpha.xml"});
        if (action == "double click") {
            select({"Gamma.kstg"});
            QTest::mouseDClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier,
                               view()->visualRect(indexOf("Gamma.kstg")).center());
        } else {
            QTest::mouseClick(button(action), Qt::LeftButton);
        }
        QStringList paths = selected.value(0).value(0).toStringList();
        paths.sort();
        for (QString& name : reported)
            name = path(name);
        QCOMPARE(selected.count(), reported.isEmpty() ? 0 : 1);
        QCOMPARE(paths, reported);
        QTEST(int(create.count()), "creatorRequests");
        QVERIFY(!m_chooser->isVisible());
        processDeferredDeletes();
        QVERIFY(!m_chooser);
    }

    // Copy && Create offers the first free numbered name (a copy with another suffix does not
    // take it) and adds the suffix to a typed name. The name of an existing stage is refused
    // and asked for again; a cancelled dialog makes nothing and keeps the chooser open.
    void copy_data()
    {
        QTest::addColumn<QStringList>("typed"); // one answer a name dialog; null: the proposal
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QString>("made"); // empty: nothing
        QTest::newRow("proposal taken")
            << QStringList{QString()} << QStringList{"Alpha - Copy(3)"} << "Alpha - Copy(3).xml";
        QTest::newRow("cancelled") << QStringList{} << QStringList{} << "";
        QTest::newRow("existing name, then another in upper case")
            << QStringList{"Beta", "Delta.XML"} << QStringList{"Alpha - Copy(3)", "Beta"}
            << "Delta.XML";
    }

    void copy()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, made);
        for (const char* copy : {"Alpha - Copy.xml", "Alpha - Copy(2).xml", "Alpha - Copy(3).kstg"})
            QVERIFY(QFile::copy(path("Alpha.xml"), path(copy)));
        QSignalSpy selected(m_chooser.data(), &KvStageChooser::stageHasBeenSelected);
        KvModalWatcher watcher; // without an answer the name dialog is cancelled
        QStringList offered;
        for (const QString& name : typed) {
            if (name != typed.first())
                watcher.answer(QMessageBox::Ok); // the name is taken
            watcher.answerText(name, &offered);
        }
        select({"Alpha.xml"});
        QTest::mouseClick(button("CopyAndCreate"), Qt::LeftButton);
        QTEST(offered, "offered");
        QCOMPARE(watcher.count(), qMax(1, typed.count() * 2 - 1));
        if (typed.count() > 1) {
            QCOMPARE(watcher.seen().at(1).text, QString("The stage name \"Beta.xml\" has been "
                                                        "existing.\nReinput another name."));
        }
        QCOMPARE(selected.count(), made.isEmpty() ? 0 : 1);
        QCOMPARE(m_chooser->isVisible(), made.isEmpty());
        if (made.isEmpty())
            return;
        QCOMPARE(selected.at(0).at(0).toStringList(), QStringList{path(made)});
        KvStage copy(path(made));
        QVERIFY(copy.readFile());
        QCOMPARE(copy.screenList().count(), 2);
        KvStage beta(path("Beta.xml"));
        QVERIFY(beta.readFile());
        QCOMPARE(beta.screenList().count(), 3);
    }

    // Delete asks first. Stages a schedule plays are kept, and one box names the schedules of
    // each. Without a built used-stage list the chooser asks the editor to build it and
    // deletes once it is there; if it still is not, the user may stop or go on.
    void deleteStages_data()
    {
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<int>("listState");
        QTest::addColumn<QList<int>>("answers"); // buttons
        QTest::addColumn<QStringList>("left");   // the stages listed afterwards
        QTest::addColumn<QString>("report"); // the last box: its title, or the list of kept stages
        using A = QList<int>;
        const auto row = [](const char* name, QStringList selection, int state, A answers,
                            QStringList left, const char* report) {
            QTest::newRow(name) << selection << state << answers << left << QString(report);
        };
        const QStringList all{"Alpha.xml", "Beta.xml", "Gamma.kstg"};
        const QStringList noBeta{"Alpha.xml", "Gamma.kstg"};
        row("no keeps", {"Beta.xml"}, Built, {QMessageBox::No}, all, "Confirm Delete");
        row("yes deletes", {"Beta.xml"}, Built, {QMessageBox::Yes}, noBeta, "Confirm Delete");
        row("used stages kept", all, Built, {QMessageBox::Yes, QMessageBox::Ok}, noBeta,
            "The following stages could not be deleted because they are used in the schedule."
            "\n\n\"Alpha.xml\" is used in ( Sat.xml, Weekdays.xml )\n"
            "\"Gamma.kstg\" is used in ( b.xml )\n");
        row("list built when asked", {"Alpha.xml", "Beta.xml"}, BuiltWhenAsked,
            {QMessageBox::Yes, QMessageBox::Ok}, noBeta,
            "The following stage could not be deleted because it is used in the schedule.\n\n"
            "\"Alpha.xml\" is used in ( Sat.xml, Weekdays.xml )\n");
        row("list not ready, stopped", {"Beta.xml"}, NotBuilt, {QMessageBox::Yes, QMessageBox::No},
            all, "Warrning");
        row("list not ready, gone on", {"Beta.xml"}, NotBuilt, {QMessageBox::Yes, QMessageBox::Yes},
            noBeta, "Warrning");
    }

    void deleteStages()
    {
        QFETCH(QStringList, selection);
        QFETCH(int, listState);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, left);
        QFETCH(QString, report);
        KvUsingFileList::Entries entries;
        entries[path("Alpha.xml")] = QStringList{m_data->filePath("channel/Weekdays.xml"),
                                                 m_data->filePath("channel/Sat.xml")};
        entries[path("Gamma.kstg")] = QStringList{m_data->filePath("channel/b.xml")};
        m_list->setEntries(entries);
        if (listState == Built)
            m_list->setState(KvUsingFileList::Created);
        // The editor's part: build the list (or give up) and tell the chooser.
        QList<QWidget*> asked;
        connect(m_chooser.data(), &KvStageChooser::requestToCreateUsingStageList, this,
                [&](QWidget* dialogParent) {
                    asked.append(dialogParent);
                    QTimer::singleShot(0, m_chooser.data(), [&]() {
                        if (listState == BuiltWhenAsked)
                            m_list->setState(KvUsingFileList::Created);
                        m_chooser->usingStageListCreationFinished();
                    });
                });
        KvModalWatcher watcher;
        for (int answer : answers)
            watcher.answer(QMessageBox::StandardButton(answer));
        select(selection);
        QTest::mouseClick(button("Delete"), Qt::LeftButton);
        for (const QString& name : selection) // nothing goes before the list is there
            QCOMPARE(QFileInfo::exists(path(name)), listState != Built || left.contains(name));
        QTRY_COMPARE(watcher.count(), answers.count());
        QCOMPARE(asked, listState == Built ? QList<QWidget*>{} : QList<QWidget*>{m_chooser.data()});
        QCOMPARE(watcher.seen().first().title, QString("Confirm Delete"));
        QCOMPARE(report.contains('\n') ? watcher.seen().last().text : watcher.seen().last().title,
                 report);
        QTRY_COMPARE(shownNames(), left);
        QVERIFY(m_chooser->isVisible());
        // A later report of a built list, with no deletion waiting, does nothing.
        m_chooser->usingStageListCreationFinished();
        QCOMPARE(watcher.count(), answers.count());
    }
};

QTEST_MAIN(TestStageChooser)
#include "tst_stagechooser.moc"