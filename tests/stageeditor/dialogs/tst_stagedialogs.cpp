// The stage chooser and the stage creator driven as a user would: clicks on the lists and the
// buttons, names and sizes typed, message boxes answered by the modal watcher.

#include "kvcolorwidget.h"
#include "kveditorconfig.h"
#include "kvmodalwatcher.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvstagechooser.h"
#include "kvstagecreator.h"
#include "kvstagelistwidgetitem.h"
#include "kvstagepreview.h"
#include "kvstagetemplate.h"
#include "kvtestfactories.h"
#include "kvusingfilelist.h"

#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>
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

// A 1080 x 1920 template stage with screens of `types` in order (M multimedia, T telop,
// E extended), ids from `ids` (0: none), red and with z indexes and graphics type the creator
// replaces.
KvStage* makeTemplate(const QString& name, const QString& types, const QList<int>& ids = {})
{
    auto* stage = new KvStage(QStringLiteral(":/nowhere/%1.xml").arg(name));
    stage->setName(name);
    stage->setDescription(QStringLiteral("<b>%1</b> template").arg(name));
    stage->setRect(QRect(0, 0, 1080, 1920));
    for (int i = 0; i < types.count(); ++i) {
        const auto type = types.at(i) == 'M'   ? ScreenType::Multimedia
                          : types.at(i) == 'T' ? ScreenType::Telop
                                               : ScreenType::Extended;
        KvScreen* screen =
            addScreen(stage, ids.value(i, i + 1), type, QRectF(0, i * 10, 100, 10), "", 100 - i);
        screen->setGraphicsType(GraphicsType::DirectX);
        screen->setBackgoundColor(Qt::red);
    }
    return stage;
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// How far the used-stage list is when Delete is clicked.
enum ListState { Built, BuiltWhenAsked, NotBuilt };

} // namespace

class TestStageDialogs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempDataDir> m_data;
    QString m_stageDir;
    std::unique_ptr<KvUsingFileList> m_list;
    QPointer<KvStageChooser> m_chooser;
    QPointer<KvStageCreator> m_creator;
    std::unique_ptr<QSignalSpy> m_created;

    // The chooser on the stage folder, which holds Alpha.xml, Beta.xml, Gamma.kstg and a text.
    void openChooser()
    {
        m_list.reset(new KvUsingFileList(KvUsingFileList::UsingStage));
        m_list->setDataDir(m_data->path());
        m_chooser = new KvStageChooser;
        m_chooser->setStageDir(m_stageDir);
        m_chooser->setUsingStageList(m_list.get());
        m_chooser->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_chooser));
    }
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
    QString path(const QString& name) const { return QDir(m_stageDir).filePath(name); }
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
    QListWidget* list() const { return m_creator->findChild<QListWidget*>("TemplateListWidget"); }
    QLineEdit* nameEdit() const { return m_creator->findChild<QLineEdit*>("NameLineEdit"); }
    QSpinBox* spin(const char* name) const { return m_creator->findChild<QSpinBox*>(name); }
    template <typename Field> void typeInto(Field* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void clickOk()
    {
        QTest::mouseClick(
            m_creator->findChild<QDialogButtonBox*>("ButtonBox")->button(QDialogButtonBox::Ok),
            Qt::LeftButton);
    }
    void createDialog(const QStringList& namesInUse = {})
    {
        m_creator = new KvStageCreator;
        m_creator->setStageDir(m_stageDir);
        m_creator->addUsingFileNameList(namesInUse);
        m_created.reset(new QSignalSpy(m_creator.data(), &KvStageCreator::stageCreated));
        m_creator->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_creator));
    }
    // Adds a template item as the background lister would, and returns it.
    QListWidgetItem* addTemplate(KvStage* stage)
    {
        auto* item = new KvStageListWidgetItem(stage);
        list()->addItem(item);
        return item;
    }
    void clickItem(QListWidgetItem* item)
    {
        list()->scrollToItem(item);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list()->visualItemRect(item).center());
    }
    // The stage the dialog made (owned by the caller), or null.
    KvStage* created() const { return m_created->value(0).value(0).value<KvStage*>(); }

private slots:
    void initTestCase() { qRegisterMetaType<KvStage*>("KvStage*"); }

    void init()
    {
        m_data.reset(new TempDataDir);
        QVERIFY(m_data->isValid());
        m_stageDir = m_data->stageDir();
        KvEditorConfig::setDataDir(m_data->path());
        QVERIFY(writeStage(path("Alpha.xml"), 2, QColor("#ffffff")));
        QVERIFY(writeStage(path("Beta.xml"), 3));
        QVERIFY(writeStage(path("Gamma.kstg"), 1));
        QVERIFY(writeFile(path("notes.txt")));
    }

    void cleanup()
    {
        m_created.reset();
        delete m_creator;
        delete m_chooser;
        m_list.reset();
        m_data.reset();
    }

    // ---- stage chooser -----------------------------------------------------------------------

    // Only stage files are listed. One selected stage is described and previewed (the colour
    // written readably on it) and can be copied; several can only be opened or deleted.
    void selectionRules()
    {
        openChooser();
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
        openChooser();
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
        openChooser();
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
        openChooser();
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

    // ---- stage creator -----------------------------------------------------------------------

    // The first "NewStage" name that no stage file of the folder (either suffix) and no open
    // stage has.
    void proposedName_data()
    {
        QTest::addColumn<QString>("files"); // in the stage folder
        QTest::addColumn<QString>("inUse"); // open stages
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* files, const char* inUse,
                            const char* expected) {
            QTest::newRow(name) << QString(files) << QString(inUse) << QString(expected);
        };
        row("none of the name", "", "", "NewStage.xml");
        row("plain name taken", "NewStage.xml", "", "NewStage-1.xml");
        row("counter 1 taken", "NewStage.xml NewStage-1.xml", "", "NewStage-2.xml");
        row("other suffix", "NewStage.kstg NewStage-1.xml", "", "NewStage-2.xml");
        row("other files", "NewStage.txt NewStage.xml.bak", "", "NewStage.xml");
        row("open stage", "NewStage.xml", "NewStage-1.xml", "NewStage-2.xml");
    }

    void proposedName()
    {
        QFETCH(QString, files);
        QFETCH(QString, inUse);
        QFETCH(QString, expected);
        for (const QString& file : files.split(' ', Qt::SkipEmptyParts))
            QVERIFY(writeFile(m_stageDir + "/" + file));
        QDir().mkpath(m_stageDir + "/NewStage-9.xml"); // a folder is no stage
        createDialog(inUse.split(' ', Qt::SkipEmptyParts));
        QTRY_COMPARE(nameEdit()->text(), expected);
    }

    // The built-in templates, each with a description and a picture, then the user's own from
    // the data folder (an unreadable one left out).
    void templatesListed()
    {
        const QString dir = m_data->path() + "/templates";
        QDir().mkpath(dir);
        std::unique_ptr<KvStage> own(makeTemplate("Own", "T"));
        own->setFilePath(dir + "/own.xml");
        QVERIFY(own->writeToFile());
        QVERIFY(writeFile(dir + "/broken.xml", "<kovaStage version=\"1\"><screen"));
        createDialog();
        const int builtIn = KvStageTemplate::builtInTemplateFiles().count();
        QVERIFY(builtIn >= 3);
        QTRY_COMPARE(list()->count(), builtIn + 1);
        for (int i = 0; i < list()->count(); ++i) {
            KvStage* stage = static_cast<KvStageListWidgetItem*>(list()->item(i))->stage();
            QVERIFY(!stage->description().isEmpty());
            QVERIFY(!list()->item(i)->icon().isNull());
            QCOMPARE(stage->thread(), QThread::currentThread());
        }
        QCOMPARE(list()->item(builtIn)->text(), QString("Own"));
    }

    // Templates reported to the dialog but still queued when it is cancelled and deleted (and
    // those the worker reads after that) are freed, not lost with the queued calls.
    void closingWhileListingFreesTemplates()
    {
        m_creator = new KvStageCreator;
        QCoreApplication::sendPostedEvents(m_creator, QEvent::MetaCall); // starts the listing
        QPointer<KvStageTemplate> lister = m_creator->findChild<KvStageTemplate*>();
        QVERIFY(lister);
        QSignalSpy items(lister.data(), &KvStageTemplate::itemCreated);
        QDeadlineTimer deadline(10000);
        while (items.isEmpty() && !deadline.hasExpired())
            QCoreApplication::sendPostedEvents(lister, QEvent::MetaCall); // not to the dialog
        QVERIFY(!items.isEmpty());
        QPointer<KvStage> reported = items.at(0).at(0).value<KvStageListWidgetItem*>()->stage();
        QCOMPARE(list()->count(), 0);

        m_creator->reject();
        processDeferredDeletes(); // the dialog first, then what was queued for it
        QVERIFY(!m_creator);
        QVERIFY(!lister);
        QVERIFY(!reported);
    }

    void accept_data()
    {
        QTest::addColumn<QString>("types");  // of the template's screens, as makeTemplate takes
        QTest::addColumn<QString>("counts"); // "multimedia|telop" as the labels show them
        QTest::newRow("one telop only") << QString("T") << QString("0 screen|1 screen");
        QTest::newRow("two multimedia") << QString("MM") << QString("2 screens|0 screen");
        QTest::newRow("extended is neither") << QString("EMTTT") << QString("1 screen|3 screens");
        QTest::newRow("fourteen") << QString("MTEMTMTMTMTMTM") << QString("7 screens|6 screens");
    }

    // A picked template shows its description, screen counts and size. The stage made is a copy
    // of it with the typed name, size and colour; its screens are renumbered in order, get the
    // players of their type, the default graphics and gray levels 0, 20, ..., 240 and from 0
    // again; ids below 1 take the z index.
    void accept()
    {
        QFETCH(QString, types);
        createDialog();
        QListWidgetItem* item = addTemplate(makeTemplate("Mixed", types, {0, 7, -3}));
        clickItem(item);
        const auto label = [this](const char* name) {
            return m_creator->findChild<QLabel*>(name)->text();
        };
        QTEST(label("MultimediaScreenCountLabel") + '|' + label("TelopScreenCountLabel"), "counts");
        QCOMPARE(m_creator->findChild<QTextBrowser*>("DescriptionView")->toPlainText(),
                 QString("Mixed template"));
        QCOMPARE(QSize(spin("WidthSpinBox")->value(), spin("HeightSpinBox")->value()),
                 QSize(1080, 1920));
        typeInto(nameEdit(), "Shop");
        typeInto(spin("WidthSpinBox"), "800");
        typeInto(spin("HeightSpinBox"), "600");
        m_creator->findChild<KvColorWidget*>("BackgroundColorWidget")
            ->setBackColor(QColor("#336699"));
        clickOk();

        std::unique_ptr<KvStage> stage(created());
        QVERIFY(stage);
        QCOMPARE(stage->rect(), QRect(0, 0, 800, 600));
        QCOMPARE(stage->backgroundColor(), QColor("#336699"));
        QCOMPARE(stage->filePath(), m_stageDir + "/Shop.xml"); // suffix added
        QCOMPARE(stage->name(), QString());
        QCOMPARE(stage->description(), QString("<b>Mixed</b> template"));
        const QList<KvScreen*>& screens = stage->screenList();
        QCOMPARE(screens.count(), types.count());
        for (int i = 0; i < screens.count(); ++i) {
            const PlayerType::PlayerTypes player =
                types.at(i) == 'M' ? PlayerType::Platform : PlayerType::BuiltIn;
            QCOMPARE(screens.at(i)->moviePlayerType(), player);
            QCOMPARE(screens.at(i)->flashPlayerType(), player);
            QCOMPARE(screens.at(i)->webBrowserType(), player);
            QCOMPARE(screens.at(i)->graphicsType(), GraphicsType::Default);
            QCOMPARE(screens.at(i)->zIndex(), i);
            QCOMPARE(screens.at(i)->id(), i == 1 ? 7 : i > 2 ? i + 1 : i);
            QCOMPARE(screens.at(i)->stage(), stage.get());
            const int gray = i < 13 ? i * 20 : 0;
            QCOMPARE(screens.at(i)->backgoundColor(), QColor(gray, gray, gray, 255));
        }
        // The template in the list is untouched.
        QCOMPARE(static_cast<KvStageListWidgetItem*>(item)->stage()->screenList()[0]->zIndex(),
                 100);
        processDeferredDeletes();
        QVERIFY(!m_creator);
    }

    // How the dialog closes: OK with no template picked gives no stage, a double click takes the
    // template under the mouse, Escape gives nothing at all. A name that an existing or open
    // stage has would make the new stage overwrite it on saving: the dialog warns and stays open
    // until a free name is given.
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("typed"); // each followed by OK, all but the last refused
        QTest::addColumn<int>("emitted");
        QTest::addColumn<QString>("made"); // description and file of the stage; empty: none
        QTest::newRow("ok without template") << "ok" << QStringList{} << 1 << "";
        QTest::newRow("double click")
            << "double click" << QStringList{} << 1 << "<b>Second</b> template NewStage.xml";
        QTest::newRow("escape") << "escape" << QStringList{} << 0 << "";
        QTest::newRow("taken names refused") << "" << QStringList{"Taken", "open.XML", "Fresh"} << 1
                                             << "<b>First</b> template Fresh.xml";
    }

    void closing()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, typed);
        QVERIFY(writeFile(m_stageDir + "/Taken.xml"));
        createDialog({"Open.xml"});
        QListWidgetItem* first = addTemplate(makeTemplate("First", "M"));
        QListWidgetItem* second = addTemplate(makeTemplate("Second", "T"));
        if (how != "ok")
            clickItem(first);
        KvModalWatcher watcher;
        for (const QString& name : typed) {
            watcher.answer(QMessageBox::Ok);
            typeInto(nameEdit(), name);
            clickOk();
            QCOMPARE(m_creator->isVisible(), name != typed.last());
        }
        QCOMPARE(watcher.count(), qMax(0, typed.count() - 1));
        if (how == "ok") {
            clickOk();
        } else if (how == "double click") {
            clickItem(second);
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier,
                               list()->visualItemRect(second).center());
        } else if (how == "escape") {
            QTest::keyClick(m_creator, Qt::Key_Escape);
        }
        QTEST(int(m_created->count()), "emitted");
        std::unique_ptr<KvStage> stage(created());
        QTEST(stage ? stage->description() + ' ' + QFileInfo(stage->filePath()).fileName()
                    : QString(),
              "made");
        QCOMPARE(QFile(m_stageDir + "/Taken.xml").size(), qint64(0)); // left alone
        processDeferredDeletes();
        QVERIFY(!m_creator);
    }
};

QTEST_MAIN(TestStageDialogs)
#include "tst_stagedialogs.moc"
