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
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using namespace Kova;
using namespace Kova::Test;

namespace {

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

} // namespace

class TestStageCreator : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempDataDir> m_data;
    QString m_stageDir;
    QPointer<KvStageCreator> m_creator;
    std::unique_ptr<QSignalSpy> m_created;

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
    }

    void cleanup()
    {
        m_created.reset();
        delete m_creator;
        m_data.reset();
    }

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
        row("empty folder", "", "", "NewStage.xml");
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

QTEST_MAIN(TestStageCreator)
#include "tst_stagecreator.moc"