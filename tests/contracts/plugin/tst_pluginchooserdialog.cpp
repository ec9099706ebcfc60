#include "kvfakescreenplugin.h"
#include "kvpluginchooserdialog.h"
#include "kvpluginloader.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Kova;

// An extended-screen plug-in with a red icon.
class KvRedIconPlugin : public KvFakeScreenPlugin
{
public:
    QIcon icon() const override
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    }
};

// A plug-in with the common interface only: the chooser leaves it out.
class KvFakeCommonPlugin : public QObject, public KvPluginCommonInterface
{
    Q_OBJECT
    Q_INTERFACES(Kova::KvPluginCommonInterface)
public:
    QIcon icon() const override { return QIcon(); }
};

class TestPluginChooserDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { KvPluginLoader::unloadAll(); }

    // The extended-screen plug-ins are listed in name order (not in id order) with their icons
    // and descriptions under a caption naming the stage; the second is chosen by a click and
    // OK, or by a double-click.
    void choosing_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("double-click") << true;
        QTest::newRow("OK") << false;
    }
    void choosing()
    {
        QFETCH(bool, doubleClick);
        const QJsonObject ticker{{"id", "a"},
                                 {"name", "Ticker"},
                                 {"group", "ExtendedScreen"},
                                 {"description", "Runs text"},
                                 {"interfaceVersion", 1}};
        const QJsonObject common{
            {"id", "c"}, {"name", "Common"}, {"group", "Other"}, {"interfaceVersion", 1}};
        QVERIFY(KvPluginLoader::registerStaticPlugin(ticker, []() { return new KvRedIconPlugin; }));
        QVERIFY(KvFakeScreenPlugin::registerAs("b"));
        QVERIFY(
            KvPluginLoader::registerStaticPlugin(common, []() { return new KvFakeCommonPlugin; }));
        KvStage stage;
        stage.setName("Lobby");
        KvPluginChooserDialog dialog(nullptr, Qt::Dialog);
        dialog.setStage(&stage);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy selected(&dialog, &KvPluginChooserDialog::pluginSelected);
        QSignalSpy accepted(&dialog, &QDialog::accepted);

        QVERIFY(dialog.findChild<QLabel*>()->text().contains("\"Lobby\""));
        auto* list = dialog.findChild<QListWidget*>("PluginList");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("Fake b"));
        QCOMPARE(list->item(1)->text(), QString("Ticker\nRuns text"));
        QCOMPARE(list->item(1)->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
        const QPoint second = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        if (doubleClick)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
        else
            QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.first().first().toString(), QString("a"));
        QCOMPARE(accepted.count(), 1);
    }

    void nothingToChoose()
    {
        KvPluginChooserDialog dialog(nullptr, Qt::Dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.findChild<QLabel*>("EmptyLabel")->isVisible());
        QVERIFY(!dialog.findChild<QListWidget*>("PluginList")->isVisible());
        QVERIFY(!dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
    }
};

QTEST_MAIN(TestPluginChooserDialog)
#include "tst_pluginchooserdialog.moc"
