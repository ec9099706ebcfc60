#include "kvfakeplugin.h"
#include "kvpluginchooserdialog.h"
#include "kvpluginloader.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Kova;

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
    void listsExtendedScreenPlugins();
    void choosing_data();
    void choosing();
    void nothingToChoose();
};

void TestPluginChooserDialog::listsExtendedScreenPlugins()
{
    QVERIFY(KvPluginLoader::registerStaticPlugin(KvFakePlugin::metaData("screen"),
                                                 []() { return new KvFakePlugin; }));
    QVERIFY(KvPluginLoader::registerStaticPlugin(KvFakePlugin::metaData("other", "Other"),
                                                 []() { return new KvFakeCommonPlugin; }));
    KvStage stage;
    stage.setName("Lobby");
    KvPluginChooserDialog dialog(nullptr, Qt::Dialog);
    dialog.setStage(&stage);

    auto* list = dialog.findChild<QListWidget*>("PluginList");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QString("Name of screen\nDescription of screen"));
    QCOMPARE(list->item(0)->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    QVERIFY(dialog.findChild<QLabel*>()->text().contains("\"Lobby\""));
}

void TestPluginChooserDialog::choosing_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("double-click") << true;
    QTest::newRow("OK") << false;
}

void TestPluginChooserDialog::choosing()
{
    QFETCH(bool, doubleClick);
    for (const char* id : {"b", "a"})
        QVERIFY(KvPluginLoader::registerStaticPlugin(KvFakePlugin::metaData(id),
                                                     []() { return new KvFakePlugin; }));
    KvPluginChooserDialog dialog(nullptr, Qt::Dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy selected(&dialog, &KvPluginChooserDialog::pluginSelected);
    QSignalSpy accepted(&dialog, &QDialog::accepted);

    auto* list = dialog.findChild<QListWidget*>("PluginList");
    QCOMPARE(list->count(), 2);
    const QPoint second = list->visualItemRect(list->item(1)).center();
    if (doubleClick) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    } else {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    }
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.first().first().toString(), QString("b"));
    QCOMPARE(accepted.count(), 1);
}

void TestPluginChooserDialog::nothingToChoose()
{
    KvPluginChooserDialog dialog(nullptr, Qt::Dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.findChild<QLabel*>("EmptyLabel")->isVisible());
    QVERIFY(!dialog.findChild<QListWidget*>("PluginList")->isVisible());
    QVERIFY(!dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
}

QTEST_MAIN(TestPluginChooserDialog)
#include "tst_pluginchooserdialog.moc"
