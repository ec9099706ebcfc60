#include "kveditorcommon.h"
#include "kveditoruserconfig.h"

#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QTabBar>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

const QStringList dockNames{"StagePropertyDock", "ScreenPropertyDock", "ContentPreviewDock",
                            "LibraryDock", "SequenceDock"};

// A main window laid out like the stage editor's: two docks left, two right, one below.
struct Window
{
    std::unique_ptr<QMainWindow> main{new QMainWindow};
    QList<QDockWidget*> docks;

    Window()
    {
        main->setCentralWidget(new QLabel("stage"));
        const QList<Qt::DockWidgetArea> areas{Qt::LeftDockWidgetArea, Qt::LeftDockWidgetArea,
                                              Qt::RightDockWidgetArea, Qt::RightDockWidgetArea,
                                              Qt::BottomDockWidgetArea};
        for (int i = 0; i < dockNames.size(); ++i) {
            auto* dock = new QDockWidget(dockNames.at(i), main.get());
            dock->setObjectName(dockNames.at(i));
            dock->setWidget(new QLabel(dockNames.at(i)));
            main->addDockWidget(areas.at(i), dock, Qt::Vertical);
            docks.append(dock);
        }
        main->resize(1200, 800);
        main->show();
        exposed = QTest::qWaitForWindowExposed(main.get());
    }
    bool exposed = false;

    QDockWidget* dock(const QString& name) const { return main->findChild<QDockWidget*>(name); }

    void store()
    {
        QVERIFY(exposed);
        for (QDockWidget* d : docks)
            KvEditorCommon::storeDockWidgetGeometry(d, main.get());
        KvEditorCommon::storeTabifiedSettings("StageEditor", main.get());
    }

    void restore()
    {
        QVERIFY(exposed);
        for (QDockWidget* d : docks)
            KvEditorCommon::restoreDockWidgetGeometry(d, main.get());
        KvEditorCommon::reorderDockWidgets(docks, main.get());
        KvEditorCommon::restoreTabifiedSettings("StageEditor", main.get());
        QCoreApplication::processEvents();
    }

    // The raised dock of the visible tab bar holding `member`, or null.
    QDockWidget* raisedWith(QDockWidget* member) const
    {
        for (QTabBar* bar : main->findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!bar->isVisible())
                continue;
            bool contains = false;
            for (int i = 0; i < bar->count(); ++i)
                contains = contains || bar->tabText(i) == member->windowTitle();
            if (contains)
                return dock(bar->tabText(bar->currentIndex()));
        }
        return nullptr;
    }
};

} // namespace

class TestDockLayout : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;

private slots:
    void init()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        KvEditorUserConfig::reset();
        QVERIFY(KvEditorUserConfig::settings());
        KvEditorUserConfig::settings()->clear();
    }

    void cleanup() { KvEditorUserConfig::reset(); }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("raised");
        QTest::newRow("library raised") << "LibraryDock";
        QTest::newRow("stage property raised") << "StagePropertyDock";
    }

    void roundTrip()
    {
        QFETCH(QString, raised);
        {
            Window w;
            QDockWidget* library = w.dock("LibraryDock");
            QDockWidget* stage = w.dock("StagePropertyDock");
            QDockWidget* preview = w.dock("ContentPreviewDock");
            QDockWidget* screen = w.dock("ScreenPropertyDock");
            w.main->addDockWidget(Qt::LeftDockWidgetArea, library);
            w.main->tabifyDockWidget(stage, library);
            QCoreApplication::processEvents();
            w.dock(raised)->raise();
            preview->setFloating(true);
            preview->setGeometry(100, 120, 300, 200);
            screen->hide();
            QCoreApplication::processEvents();
            QCOMPARE(w.raisedWith(stage), w.dock(raised));
            w.store();
        }
        KvEditorUserConfig::reset(); // as after a restart

        Window w;
        QDockWidget* library = w.dock("LibraryDock");
        QDockWidget* stage = w.dock("StagePropertyDock");
        QDockWidget* preview = w.dock("ContentPreviewDock");
        QDockWidget* screen = w.dock("ScreenPropertyDock");
        QDockWidget* sequence = w.dock("SequenceDock");
        w.restore();

        QCOMPARE(w.main->dockWidgetArea(library), Qt::LeftDockWidgetArea);
        QVERIFY(w.main->tabifiedDockWidgets(stage).contains(library));
        QCOMPARE(w.raisedWith(stage), w.dock(raised));
        QVERIFY(!stage->isHidden()); // the tab behind is not a hidden dock
        QVERIFY(!library->isHidden());
        QVERIFY(preview->isFloating());
        QCOMPARE(preview->geometry().size(), QSize(300, 200));
        QVERIFY(screen->isHidden());
        QVERIFY(!sequence->isHidden());
        QCOMPARE(w.main->dockWidgetArea(sequence), Qt::BottomDockWidgetArea);
    }

    void dockedSizesComeBack()
    {
        int storedWidth = 0;
        {
            Window w;
            w.main->resizeDocks({w.dock("LibraryDock")}, {380}, Qt::Horizontal);
            QCoreApplication::processEvents();
            storedWidth = w.dock("LibraryDock")->width();
            w.store();
        }
        Window w;
        QVERIFY(qAbs(w.dock("LibraryDock")->width() - storedWidth) > 20);
        w.restore();
        QTRY_VERIFY(qAbs(w.dock("LibraryDock")->width() - storedWidth) <= 10);
    }

    void untabifiedAfterRestoreWhenStoredApart()
    {
        {
            Window first;
            first.store();
        }
        Window w;
        w.main->tabifyDockWidget(w.dock("StagePropertyDock"), w.dock("ScreenPropertyDock"));
        w.restore();
        QVERIFY(w.main->tabifiedDockWidgets(w.dock("StagePropertyDock")).isEmpty());
        QCOMPARE(w.main->dockWidgetArea(w.dock("ScreenPropertyDock")), Qt::LeftDockWidgetArea);
        // Stored order within the area: stage property above screen property.
        QVERIFY(w.dock("StagePropertyDock")->y() < w.dock("ScreenPropertyDock")->y());
    }

    // Settings missing (the first start) or unreadable leave every dock where it is, untabified;
    // a floating dock stored off every screen is brought back into view.
    void badSettingsLeaveDocksAlone_data()
    {
        QTest::addColumn<bool>("garbage");
        QTest::newRow("missing") << false;
        QTest::newRow("garbage") << true;
    }

    void badSettingsLeaveDocksAlone()
    {
        QFETCH(bool, garbage);
        QSettings* s = KvEditorUserConfig::settings();
        if (garbage) {
            s->setValue("LibraryDock/area", "banana");
            s->setValue("LibraryDock/floating", "maybe");
            s->setValue("LibraryDock/visible", QStringList{"x", "y"});
            s->setValue("LibraryDock/geometry", "@Rect(nonsense)");
            s->setValue("SequenceDock/area", 999);
            s->setValue("SequenceDock/geometry", QRect(-5, -5, 9999999, 3));
            s->setValue("StagePropertyDock/area", -1);
            s->setValue("ContentPreviewDock/floating", true);
            s->setValue("ContentPreviewDock/geometry", QRect(50000, 50000, 200, 100));
            s->setValue("StageEditor/tabifiedGroups/size", "lots");
            s->setValue("StageEditor/tabifiedGroups/1/docks", 12345);
            s->setValue("StageEditor/tabifiedGroups/2/docks",
                        QStringList{"LibraryDock", "LibraryDock", "NoSuchDock"});
            s->setValue("StageEditor/tabifiedGroups/3/docks", QStringList{"", "SequenceDock"});
            s->setValue("StageEditor/tabifiedGroups/3/current", "NoSuchDock");
            s->sync();
        }

        Window w;
        const QRect before = w.dock("LibraryDock")->geometry();
        w.restore();
        QCOMPARE(w.main->dockWidgetArea(w.dock("LibraryDock")), Qt::RightDockWidgetArea);
        QVERIFY(!w.dock("LibraryDock")->isFloating());
        QVERIFY(!w.dock("LibraryDock")->isHidden());
        if (!garbage) // else the preview dock, floating now, leaves the library more room
            QCOMPARE(w.dock("LibraryDock")->geometry(), before);
        QCOMPARE(w.main->dockWidgetArea(w.dock("SequenceDock")), Qt::BottomDockWidgetArea);
        QCOMPARE(w.main->dockWidgetArea(w.dock("StagePropertyDock")), Qt::LeftDockWidgetArea);
        for (QDockWidget* d : w.docks)
            QVERIFY(w.main->tabifiedDockWidgets(d).isEmpty());
        QDockWidget* preview = w.dock("ContentPreviewDock");
        QCOMPARE(preview->isFloating(), garbage);
        if (!garbage)
            return;
        bool onSomeScreen = false;
        for (QScreen* screen : QGuiApplication::screens())
            onSomeScreen =
                onSomeScreen || screen->availableGeometry().intersects(preview->geometry());
        QVERIFY(onSomeScreen);
    }

    void nullArgumentsAndUnnamedDocksAreIgnored()
    {
        Window w;
        QDockWidget unnamed;
        KvEditorCommon::storeDockWidgetGeometry(nullptr, w.main.get());
        KvEditorCommon::storeDockWidgetGeometry(w.docks.first(), nullptr);
        KvEditorCommon::storeDockWidgetGeometry(&unnamed, w.main.get());
        KvEditorCommon::restoreDockWidgetGeometry(nullptr, nullptr);
        KvEditorCommon::storeTabifiedSettings(QString(), w.main.get());
        KvEditorCommon::restoreTabifiedSettings("StageEditor", nullptr);
        KvEditorCommon::reorderDockWidgets({nullptr, w.docks.first()}, w.main.get());
        KvEditorCommon::reorderDockWidgets(w.docks, nullptr);
        QVERIFY(KvEditorUserConfig::settings()->childGroups().isEmpty());
    }
};

QTEST_MAIN(TestDockLayout)
#include "tst_docklayout.moc"
