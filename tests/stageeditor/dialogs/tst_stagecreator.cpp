// The stage creator driven as a user would: templates listed in the background, picked
// with the mouse, the name and size typed, OK or Cancel clicked.

#include "kvcolorwidget.h"
#include "kveditorconfig.h"
#include "kvmodalwatcher.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvstagecreator.h"
#include "kvstagelistwidgetitem.h"
#include "kvstagetemplate.h"
#include "kvtestfactories.h"

#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using namespace Kova;
using namespace Kova::Test;

namespace {

// A template stage: `types` lists the screen types in order; ids from `ids` (0 = none).
KvStage* makeTemplate(const QString& name, const QList<ScreenType::ScreenTypes>& types,
                      const QList<int>& ids = {})
{
    auto* stage = new KvStage(QStringLiteral(":/nowhere/%1.xml").arg(name));
    stage->setName(name);
    stage->setDescription(QStringLiteral("<b>%1</b> template").arg(name));
    stage->setRect(QRect(0, 0, 1080, 1920));
    for (int i = 0; i < types.count(); ++i) {
        // z indexes and graphics type the creator replaces.
        KvScreen* screen = addScreen(stage, ids.value(i, i + 1), types.at(i),
                                     QRectF(0, i * 10, 100, 10), QString(), 100 - i);
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

} // namespace

class TestStageCreator : public QObject
{
    Q_OBJECT

private:
    TempDataDir* m_data = nullptr;
    QString m_stageDir;
    QPointer<KvStageCreator> m_creator;
    std::unique_ptr<QSignalSpy> m_created;

    QListWidget* list() const { return m_creator->findChild<QListWidget*>("TemplateListWidget"); }
    QString label(const char* name) const
    {
        return m_creator->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    QLineEdit* nameEdit() const { return m_creator->findChild<QLineEdit*>("NameLineEdit"); }
    QSpinBox* spin(const char* name) const
    {
        return m_creator->findChild<QSpinBox*>(QString::fromLatin1(name));
    }
    QPushButton* okButton() const
    {
        return m_creator->findChild<QDialogButtonBox*>("ButtonBox")->button(QDialogButtonBox::Ok);
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
    KvStage* takeCreated()
    {
        if (m_created->count() != 1)
            return nullptr;
        return m_created->at(0).at(0).value<KvStage*>();
    }

private slots:
    void initTestCase() { qRegisterMetaType<KvStage*>("KvStage*"); }

    void init()
    {
        m_data = new TempDataDir;
        QVERIFY(m_data->isValid());
        m_stageDir = m_data->stageDir();
        KvEditorConfig::setDataDir(m_data->path());
    }

    void cleanup()
    {
        m_created.reset();
        delete m_creator;
        delete m_data;
        m_data = nullptr;
    }

    void proposedName_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("inUse");
        QTest::addColumn<QString>("expected");

        QTest::newRow("empty folder") << QStringList{} << QStringList{} << "NewStage.xml";
        QTest::newRow("plain name taken")
            << QStringList{"NewStage.xml"} << QStringList{} << "NewStage-1.xml";
        QTest::newRow("counters 1 and 2 taken")
            << QStringList{"NewStage.xml", "NewStage-1.xml"} << QStringList{} << "NewStage-2.xml";
        QTest::newRow("other suffix takes the base name")
            << QStringList{"NewStage.kstg", "NewStage-1.xml"} << QStringList{} << "NewStage-2.xml";
        QTest::newRow("other files do not count")
            << QStringList{"NewStage.txt", "NewStage.xml.bak"} << QStringList{} << "NewStage.xml";
        QTest::newRow("open stage names count")
            << QStringList{"NewStage.xml"} << QStringList{"NewStage-1.xml"} << "NewStage-2.xml";
    }

    void proposedName()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, inUse);
        QFETCH(QString, expected);
        for (const QString& file : files)
            QVERIFY(writeFile(m_stageDir + "/" + file));
        QDir().mkpath(m_stageDir + "/NewStage-9.xml"); // a folder is no stage
        createDialog(inUse);
        // The name is proposed once the dialog runs (after the folder has been set).
        QTRY_COMPARE(nameEdit()->text(), expected);
        QCOMPARE(KvStageCreator::proposeName(m_stageDir, inUse), expected);
    }

    void namesInUseAreKeptOnce()
    {
        KvStageCreator creator;
        creator.addUsingFileNameList({"A.xml", "B.xml", "A.xml"});
        creator.addUsingFileName("a.xml");
        creator.addUsingFileName("B.xml");
        QCOMPARE(creator.usingFileNameList(), QStringList({"A.xml", "B.xml", "a.xml"}));
    }

    void builtInTemplatesAreListed()
    {
        createDialog();
        QTRY_VERIFY(list()->count() >= 3);
        QTRY_COMPARE(list()->count(), KvStageTemplate::builtInTemplateFiles().count());

        QStringList kinds; // "<width>x<height> <multimedia>+<telop>"
        for (int i = 0; i < list()->count(); ++i) {
            auto* item = static_cast<KvStageListWidgetItem*>(list()->item(i));
            QVERIFY(!item->stage()->description().isEmpty());
            QVERIFY(!item->icon().isNull());
            int counts[2] = {0, 0};
            for (const KvScreen* screen : item->stage()->screenList())
                ++counts[screen->type() == ScreenType::Telop];
            const QRect r = item->stage()->rect();
            kinds << QString("%1x%2 %3+%4")
                         .arg(r.width())
                         .arg(r.height())
                         .arg(counts[0])
                         .arg(counts[1]);
        }
        for (const char* kind : {"1920x1080 1+0", "1920x1080 1+1"})
            QVERIFY2(kinds.contains(kind), qPrintable(kinds.join(", ")));
        QVERIFY2(kinds.filter("1080x1920").count() > 0, qPrintable(kinds.join(", ")));
    }

    void userTemplatesFollowBuiltInOnes()
    {
        const QString dir = m_data->path() + "/templates";
        QDir().mkpath(dir);
        std::unique_ptr<KvStage> own(makeTemplate("Own", {ScreenType::Telop}));
        own->setFilePath(dir + "/own.xml");
        QVERIFY(own->writeToFile());
        QVERIFY(writeFile(dir + "/broken.xml", "<kovaStage version=\"1\"><screen"));

        KvStageTemplate lister;
        QSignalSpy items(&lister, &KvStageTemplate::itemCreated);
        QSignalSpy finished(&lister, &KvStageTemplate::creatingItemListFinished);
        lister.start();
        QVERIFY(finished.wait(10000));
        // The worker has stopped: what it posted, a second end too, is delivered now.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(finished.count(), 1);
        const int builtIn = KvStageTemplate::builtInTemplateFiles().count();
        QCOMPARE(items.count(), builtIn + 1); // the broken one is skipped
        QList<KvStageListWidgetItem*> made;
        for (const auto& args : items)
            made.append(lister.takeItem(args.at(0).value<KvStageListWidgetItem*>()));
        QVERIFY(!made.contains(nullptr));
        QVERIFY(!lister.takeItem(made.first())); // handed over once
        QCOMPARE(made.last()->text(), QString("Own"));
        QCOMPARE(made.last()->stage()->thread(), QThread::currentThread());
        qDeleteAll(made);
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

    void screenCounts_data()
    {
        QTest::addColumn<QString>("types");  // in order: M(ultimedia), T(elop), E(xtended)
        QTest::addColumn<QString>("counts"); // "multimedia|telop" as the labels show them
        QTest::newRow("one telop only") << QString("T") << QString("0 screen|1 screen");
        QTest::newRow("two multimedia") << QString("MM") << QString("2 screens|0 screen");
        QTest::newRow("extended is neither") << QString("EMTTT") << QString("1 screen|3 screens");
    }

    void screenCounts()
    {
        QFETCH(QString, types);
        QList<ScreenType::ScreenTypes> list;
        for (const QChar type : types)
            list << (type == 'M'   ? ScreenType::Multimedia
                     : type == 'T' ? ScreenType::Telop
                                   : ScreenType::Extended);
        createDialog();
        QListWidgetItem* item = addTemplate(makeTemplate("T", list));
        clickItem(item);
        QTEST(label("MultimediaScreenCountLabel") + '|' + label("TelopScreenCountLabel"), "counts");
        auto* description = m_creator->findChild<QTextBrowser*>("DescriptionView");
        QCOMPARE(description->toPlainText(), QString("T template"));
        QCOMPARE(spin("WidthSpinBox")->value(), 1080);
        QCOMPARE(spin("HeightSpinBox")->value(), 1920);
    }

    void acceptBuildsTheStage()
    {
        QVERIFY(writeFile(m_stageDir + "/NewStage.xml"));
        createDialog();
        QTRY_COMPARE(nameEdit()->text(), QString("NewStage-1.xml"));
        QList<ScreenType::ScreenTypes> types{ScreenType::Multimedia, ScreenType::Telop,
                                             ScreenType::Extended};
        while (types.count() < 14)
            types.append(types.count() % 2 ? ScreenType::Telop : ScreenType::Multimedia);
        QListWidgetItem* item = addTemplate(makeTemplate("Mixed", types, {0, 7, -3}));
        clickItem(item);

        nameEdit()->selectAll();
        QTest::keyClicks(nameEdit(), "Shop");
        spin("WidthSpinBox")->selectAll();
        QTest::keyClicks(spin("WidthSpinBox"), "800");
        spin("HeightSpinBox")->selectAll();
        QTest::keyClicks(spin("HeightSpinBox"), "600");
        m_creator->findChild<KvColorWidget*>("BackgroundColorWidget")
            ->setBackColor(QColor("#336699"));
        QTest::mouseClick(okButton(), Qt::LeftButton);

        std::unique_ptr<KvStage> stage(takeCreated());
        QVERIFY(stage);
        QCOMPARE(stage->rect(), QRect(0, 0, 800, 600));
        QCOMPARE(stage->backgroundColor(), QColor("#336699"));
        QCOMPARE(stage->filePath(), m_stageDir + "/Shop.xml"); // suffix added
        QCOMPARE(stage->name(), QString());
        QCOMPARE(stage->description(), QString("<b>Mixed</b> template"));
        const QList<KvScreen*>& screens = stage->screenList();
        QCOMPARE(screens.count(), 14);
        for (int i = 0; i < 14; ++i) {
            // Multimedia: platform players; others: built-in ones. Graphics type always default.
            const PlayerType::PlayerTypes player =
                types.at(i) == ScreenType::Multimedia ? PlayerType::Platform : PlayerType::BuiltIn;
            QCOMPARE(screens.at(i)->moviePlayerType(), player);
            QCOMPARE(screens.at(i)->flashPlayerType(), player);
            QCOMPARE(screens.at(i)->webBrowserType(), player);
            QCOMPARE(screens.at(i)->graphicsType(), GraphicsType::Default);
            QCOMPARE(screens.at(i)->zIndex(), i);
            QCOMPARE(screens.at(i)->stage(), stage.get());
            // Gray levels 0, 20, ..., 240, then from 0 again.
            const int gray = i < 13 ? i * 20 : 0;
            QCOMPARE(screens.at(i)->backgoundColor(), QColor(gray, gray, gray, 255));
        }
        // Ids below 1 take the z-index; others stay.
        QCOMPARE(screens.at(0)->id(), 0);
        QCOMPARE(screens.at(1)->id(), 7);
        QCOMPARE(screens.at(2)->id(), 2);

        // The template in the list is untouched.
        auto* templateItem = static_cast<KvStageListWidgetItem*>(item);
        QCOMPARE(templateItem->stage()->screenList().at(0)->zIndex(), 100);
        QVERIFY(!m_creator->isVisible());
        processDeferredDeletes();
        QVERIFY(!m_creator);
    }

    // A name that an existing or open stage has would make the new stage overwrite it on saving:
    // the dialog warns and stays open until a free name is given.
    void acceptRefusesTakenName()
    {
        QVERIFY(writeFile(m_stageDir + "/Taken.xml"));
        createDialog({"Open.xml"});
        clickItem(addTemplate(makeTemplate("T", {ScreenType::Multimedia})));

        for (const char* taken : {"Taken", "open.XML"}) {
            KvModalWatcher watcher;
            watcher.answer(QMessageBox::Ok);
            nameEdit()->selectAll();
            QTest::keyClicks(nameEdit(), taken);
            QTest::mouseClick(okButton(), Qt::LeftButton);
            QCOMPARE(watcher.count(), 1);
            QCOMPARE(watcher.seen().at(0).title, QString("Warnning"));
            QVERIFY2(watcher.seen().at(0).text.startsWith("The stage name \""),
                     qPrintable(watcher.seen().at(0).text));
            QCOMPARE(m_created->count(), 0);
            QVERIFY(m_creator->isVisible());
        }

        nameEdit()->selectAll();
        QTest::keyClicks(nameEdit(), "Fresh");
        QTest::mouseClick(okButton(), Qt::LeftButton);
        std::unique_ptr<KvStage> stage(takeCreated());
        QVERIFY(stage);
        QCOMPARE(stage->filePath(), m_stageDir + "/Fresh.xml");
        QCOMPARE(QFile(m_stageDir + "/Taken.xml").size(), qint64(0)); // left alone
    }

    // How the dialog closes: OK with no template picked gives no stage, a double click takes the
    // template under the mouse, Escape gives nothing at all.
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("emitted");
        QTest::addColumn<QString>("description"); // of the stage made; empty: none
        QTest::newRow("ok without template") << "ok" << 1 << "";
        QTest::newRow("double click") << "double click" << 1 << "<b>Second</b> template";
        QTest::newRow("escape") << "escape" << 0 << "";
    }

    void closing()
    {
        QFETCH(QString, how);
        QFETCH(int, emitted);
        QFETCH(QString, description);
        createDialog();
        QListWidgetItem* first = addTemplate(makeTemplate("First", {ScreenType::Multimedia}));
        QListWidgetItem* second = addTemplate(makeTemplate("Second", {ScreenType::Telop}));
        if (how == "ok") {
            QTest::mouseClick(okButton(), Qt::LeftButton);
        } else if (how == "double click") {
            clickItem(first);
            clickItem(second);
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier,
                               list()->visualItemRect(second).center());
        } else {
            clickItem(first);
            QTest::keyClick(m_creator, Qt::Key_Escape);
        }
        QCOMPARE(m_created->count(), emitted);
        std::unique_ptr<KvStage> stage(emitted ? m_created->at(0).at(0).value<KvStage*>()
                                               : nullptr);
        QCOMPARE(stage ? stage->description() : QString(), description);
        processDeferredDeletes();
        QVERIFY(!m_creator);
    }
};

QTEST_MAIN(TestStageCreator)
#include "tst_stagecreator.moc"
