#include "kvcheckbox.h"
#include "kvcolorwidget.h"
#include "kvflowlayout.h"
#include "kvscreen.h"
#include "kvscreenpropertywidget.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>
#include <memory>
#include <vector>

using namespace Kova;

// Every outward signal of the panel, recorded in order.
struct PanelRecorder
{
    explicit PanelRecorder(KvScreenPropertyWidget* panel)
    {
        QObject::connect(panel, &KvScreenPropertyWidget::positionValueChanged,
                         [this](QPointF p) { positions << p; });
        QObject::connect(panel, &KvScreenPropertyWidget::sizeValueChanged,
                         [this](QSizeF s) { sizes << s; });
        QObject::connect(panel, &KvScreenPropertyWidget::positionValueChangingCommitted,
                         [this]() { ++positionCommits; });
        QObject::connect(panel, &KvScreenPropertyWidget::sizeValueChangingCommitted,
                         [this]() { ++sizeCommits; });
        QObject::connect(panel, &KvScreenPropertyWidget::lockedValueChanged,
                         [this](bool b) { locked << b; });
        QObject::connect(panel, &KvScreenPropertyWidget::graphicsTypeValueChanged,
                         [this](GraphicsType::GraphicsTypes t) { graphics << int(t); });
        QObject::connect(panel, &KvScreenPropertyWidget::moviePlayerTypeValueChanged,
                         [this](PlayerType::PlayerTypes t) { movie << int(t); });
        QObject::connect(panel, &KvScreenPropertyWidget::webBrowserTypeValueChanged,
                         [this](PlayerType::PlayerTypes t) { web << int(t); });
        QObject::connect(panel, &KvScreenPropertyWidget::flashPlayerTypeValueChanged,
                         [this](PlayerType::PlayerTypes t) { flash << int(t); });
        QObject::connect(panel, &KvScreenPropertyWidget::backgroundColorValueChanged,
                         [this](QColor c) { colors << c; });
        QObject::connect(panel, &KvScreenPropertyWidget::nameValueChanged,
                         [this](QString& n) { names << n; });
        QObject::connect(panel, &KvScreenPropertyWidget::nameValueChangingFinished,
                         [this](QString n) { finishedNames << n; });
    }

    int total() const
    {
        return positions.count() + sizes.count() + positionCommits + sizeCommits + locked.count() +
               graphics.count() + movie.count() + web.count() + flash.count() + colors.count() +
               names.count() + finishedNames.count();
    }

    QList<QPointF> positions;
    QList<QSizeF> sizes;
    int positionCommits = 0;
    int sizeCommits = 0;
    QList<bool> locked;
    QList<int> graphics;
    QList<int> movie;
    QList<int> web;
    QList<int> flash;
    QList<QColor> colors;
    QStringList names;
    QStringList finishedNames;
};

class TestScreenPropertyWidget : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T* child(QWidget* panel, const char* name)
    {
        T* w = panel->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qWarning("missing child %s", name);
        return w;
    }

    KvScreen* makeScreen(ScreenType::ScreenTypes type, int id, const QRectF& rect,
                         bool locked = false)
    {
        m_screens.emplace_back(new KvScreen(type, id));
        KvScreen* screen = m_screens.back().get();
        screen->setName(QStringLiteral("Screen %1").arg(id));
        screen->setRect(rect);
        screen->setLockScreen(locked);
        screen->setBackgoundColor(QColor(10, 20, 30));
        return screen;
    }

    std::vector<std::unique_ptr<KvScreen>> m_screens;

private slots:
    void cleanup() { m_screens.clear(); }

    void formHasNamesAndTexts()
    {
        KvScreenPropertyWidget panel(nullptr);
        QCOMPARE(panel.frameShape(), QFrame::NoFrame);
        QVERIFY(panel.widgetResizable());
        QWidget* contents = panel.widget();
        QCOMPARE(contents->objectName(), QStringLiteral("scrollAreaWidgetContents"));
        QCOMPARE(contents->windowTitle(), QStringLiteral("Screen Properties"));
        QVERIFY(qobject_cast<KvFlowLayout*>(contents->layout()));
        QVERIFY(child<QWidget>(&panel, "widget_TypeAndName"));
        QVERIFY(child<QWidget>(&panel, "widget_BkColorAndLocked"));

        auto* type = child<QLabel>(&panel, "label_ScreenType");
        QCOMPARE(type->text(), QStringLiteral("Screen Type: "));
        QCOMPARE(type->styleSheet(),
                 QStringLiteral("padding: 3px;\nbackground-color: rgb(59, 59, 59);\ncolor: "
                                "white;\nfont-weight: bold;\n"));
        QCOMPARE(child<QLabel>(&panel, "label_ScreenId")->text(), QStringLiteral("ID: "));
        QCOMPARE(child<QLabel>(&panel, "label_Name")->text(), QStringLiteral("Name"));
        QVERIFY(child<QLineEdit>(&panel, "lineEdit_Name"));
        QCOMPARE(child<QLabel>(&panel, "label_BackgroundColor")->text(),
                 QStringLiteral("Background Color"));
        QVERIFY(child<KvColorWidget>(&panel, "widget_BackgroundColor"));
        QCOMPARE(child<KvCheckBox>(&panel, "checkBox_Locked")->text(), QStringLiteral("Locked"));
        QCOMPARE(child<QGroupBox>(&panel, "groupBox_Position")->title(),
                 QStringLiteral("Position"));
        QCOMPARE(child<QGroupBox>(&panel, "groupBox_Size")->title(), QStringLiteral("Size"));
        QCOMPARE(child<QGroupBox>(&panel, "groupBox_Option")->title(), QStringLiteral("Option"));
        QCOMPARE(child<QLabel>(&panel, "label_Left")->text(), QStringLiteral("X"));
        QCOMPARE(child<QLabel>(&panel, "label_Top")->text(), QStringLiteral("Y"));
        QCOMPARE(child<QLabel>(&panel, "label_Width")->text(), QStringLiteral("W"));
        QCOMPARE(child<QLabel>(&panel, "label_Height")->text(), QStringLiteral("H"));
        const QList<QPair<const char*, QString>> options = {
            {"checkBox_GraphicsType", QStringLiteral("DirectX")},
            {"checkBox_WebBrowserType", QStringLiteral("Trident (Internet Explorer)")},
            {"checkBox_MoviePlayerType", QStringLiteral("Windows Media Player")}};
        for (const auto& option : options) {
            auto* box = child<QCheckBox>(&panel, option.first);
            QCOMPARE(box->text(), option.second);
            QCOMPARE(box->toolTip(), option.second);
        }
        for (const char* name : {"spinBox_Left", "spinBox_Top"}) {
            auto* box = child<QSpinBox>(&panel, name);
            QCOMPARE(box->minimum(), -16777215);
            QCOMPARE(box->maximum(), 16777215);
            QCOMPARE(box->value(), 0);
            QVERIFY(box->alignment() & Qt::AlignRight);
        }
        for (const char* name : {"spinBox_Width", "spinBox_Height"}) {
            auto* box = child<QSpinBox>(&panel, name);
            QCOMPARE(box->minimum(), 0);
            QCOMPARE(box->maximum(), 16777215);
            QVERIFY(box->alignment() & Qt::AlignRight);
        }
        QVERIFY(!contents->isEnabled());
    }

    void oneScreen_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("graphicsEnabled");
        QTest::addColumn<bool>("playersEnabled");
        QTest::newRow("multimedia") << int(ScreenType::Multimedia) << false << true;
        QTest::newRow("telop") << int(ScreenType::Telop) << true << false;
        QTest::newRow("extended") << int(ScreenType::Extended) << false << false;
    }

    void oneScreen()
    {
        QFETCH(int, type);
        QFETCH(bool, graphicsEnabled);
        QFETCH(bool, playersEnabled);
        KvScreen* screen =
            makeScreen(ScreenType::ScreenTypes(type), 7, QRectF(10.4, 20.6, 100.5, 50.2));
        screen->setGraphicsType(GraphicsType::DirectX);
        screen->setMoviePlayerType(PlayerType::Platform);
        screen->setWebBrowserType(PlayerType::BuiltIn);
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});

        QVERIFY(panel.widget()->isEnabled());
        QCOMPARE(child<QLabel>(&panel, "label_ScreenId")->text(), QStringLiteral("ID: 7"));
        QCOMPARE(child<QLabel>(&panel, "label_ScreenType")->text(),
                 QStringLiteral("Screen Type: %1")
                     .arg(ScreenType::Convert::toString(ScreenType::ScreenTypes(type))));
        QCOMPARE(child<QLineEdit>(&panel, "lineEdit_Name")->text(), QStringLiteral("Screen 7"));
        QVERIFY(child<QLineEdit>(&panel, "lineEdit_Name")->isEnabled());
        QCOMPARE(child<KvColorWidget>(&panel, "widget_BackgroundColor")->backColor(),
                 QColor(10, 20, 30));
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Left")->value(), 10);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Top")->value(), 21);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Width")->value(), 101);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Height")->value(), 50);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_Locked")->checkState(), Qt::Unchecked);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_GraphicsType")->checkState(), Qt::Checked);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_MoviePlayerType")->checkState(), Qt::Checked);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_WebBrowserType")->checkState(), Qt::Unchecked);
        QVERIFY(child<QGroupBox>(&panel, "groupBox_Position")->isEnabled());
        QVERIFY(child<QGroupBox>(&panel, "groupBox_Size")->isEnabled());
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_GraphicsType")->isEnabled(), graphicsEnabled);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_MoviePlayerType")->isEnabled(), playersEnabled);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_WebBrowserType")->isEnabled(), playersEnabled);
        // Showing values is not an edit.
        QCOMPARE(recorder.total(), 0);
    }

    void idBelowMinusOneShowsNothing()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(0, 0, 10, 10));
        screen->setId(-5);
        KvScreenPropertyWidget panel(nullptr);
        panel.onScreenSelectionChanged({screen});
        QCOMPARE(child<QLabel>(&panel, "label_ScreenId")->text(), QStringLiteral("ID: "));
    }

    void lockedScreenDisablesPositionAndSize()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(0, 0, 10, 10), true);
        KvScreenPropertyWidget panel(nullptr);
        panel.onScreenSelectionChanged({screen});
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_Locked")->checkState(), Qt::Checked);
        QVERIFY(!child<QGroupBox>(&panel, "groupBox_Position")->isEnabled());
        QVERIFY(!child<QGroupBox>(&panel, "groupBox_Size")->isEnabled());
        QVERIFY(child<QWidget>(&panel, "widget_BkColorAndLocked")->isEnabled());
    }

    void lockedAndUnlockedShowMixedAndClickResolves()
    {
        KvScreen* a = makeScreen(ScreenType::Multimedia, 1, QRectF(0, 0, 100, 100), true);
        KvScreen* b = makeScreen(ScreenType::Multimedia, 2, QRectF(50, 200, 100, 100), false);
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({a, b});
        auto* locked = child<KvCheckBox>(&panel, "checkBox_Locked");
        QCOMPARE(locked->checkState(), Qt::PartiallyChecked);
        QVERIFY(!child<QGroupBox>(&panel, "groupBox_Position")->isEnabled());
        QVERIFY(!child<QGroupBox>(&panel, "groupBox_Size")->isEnabled());
        QCOMPARE(recorder.total(), 0);

        locked->click();
        QCOMPARE(locked->checkState(), Qt::Checked);
        QCOMPARE(recorder.locked, QList<bool>{true});
        locked->click();
        QCOMPARE(locked->checkState(), Qt::Unchecked);
        locked->click();
        QCOMPARE(locked->checkState(), Qt::Checked);
        // Never back to the mixed state, and each click is one change.
        QCOMPARE(recorder.locked, (QList<bool>{true, false, true}));
    }

    void mixedStateIsNotForwarded()
    {
        KvScreen* a = makeScreen(ScreenType::Telop, 1, QRectF(0, 0, 10, 10));
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({a});
        panel.onLockedValueChanged(Qt::PartiallyChecked);
        panel.onGraphicsTypeValueChanged(Qt::PartiallyChecked);
        panel.onMoviePlayerTypeValueChanged(Qt::PartiallyChecked);
        panel.onFlashPlayerTypeValueChanged(Qt::PartiallyChecked);
        panel.onWebBrowserTypeValueChanged(Qt::PartiallyChecked);
        QCOMPARE(recorder.total(), 0);
        panel.onFlashPlayerTypeValueChanged(Qt::Checked);
        panel.onFlashPlayerTypeValueChanged(Qt::Unchecked);
        QCOMPARE(recorder.flash, (QList<int>{PlayerType::Platform, PlayerType::BuiltIn}));
    }

    void severalScreensShowUnionAndStates()
    {
        KvScreen* a = makeScreen(ScreenType::Multimedia, 1, QRectF(0, 0, 100, 100));
        KvScreen* b = makeScreen(ScreenType::Multimedia, 2, QRectF(50, 200, 100, 100.4));
        a->setMoviePlayerType(PlayerType::Platform);
        b->setMoviePlayerType(PlayerType::Platform);
        a->setWebBrowserType(PlayerType::Platform);
        KvScreenPropertyWidget panel(nullptr);
        panel.onScreenSelectionChanged({a, b});
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Left")->value(), 0);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Top")->value(), 0);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Width")->value(), 150);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Height")->value(), 300);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_Locked")->checkState(), Qt::Unchecked);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_MoviePlayerType")->checkState(), Qt::Checked);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_WebBrowserType")->checkState(),
                 Qt::PartiallyChecked);
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_GraphicsType")->checkState(), Qt::Unchecked);
        // A common type keeps its options; id and name belong to one screen only.
        QVERIFY(child<QCheckBox>(&panel, "checkBox_MoviePlayerType")->isEnabled());
        QVERIFY(!child<QWidget>(&panel, "widget_TypeAndName")->isEnabled());
        QCOMPARE(child<QLabel>(&panel, "label_ScreenId")->text(), QStringLiteral("ID: "));
        QVERIFY(child<QLineEdit>(&panel, "lineEdit_Name")->text().isEmpty());
        QVERIFY(child<QGroupBox>(&panel, "groupBox_Position")->isEnabled());
    }

    void multimediaAndTelopDisableOptionsAndName()
    {
        KvScreen* a = makeScreen(ScreenType::Multimedia, 1, QRectF(0, 0, 100, 100));
        KvScreen* b = makeScreen(ScreenType::Telop, 2, QRectF(0, 0, 100, 100));
        KvScreenPropertyWidget panel(nullptr);
        panel.onScreenSelectionChanged({a});
        QCOMPARE(child<QLineEdit>(&panel, "lineEdit_Name")->text(), QStringLiteral("Screen 1"));
        panel.onScreenSelectionChanged({a, b});
        QVERIFY(panel.widget()->isEnabled());
        QVERIFY(!child<QCheckBox>(&panel, "checkBox_GraphicsType")->isEnabled());
        QVERIFY(!child<QCheckBox>(&panel, "checkBox_MoviePlayerType")->isEnabled());
        QVERIFY(!child<QCheckBox>(&panel, "checkBox_WebBrowserType")->isEnabled());
        QVERIFY(!child<QLineEdit>(&panel, "lineEdit_Name")->isEnabled());
        QVERIFY(child<QLineEdit>(&panel, "lineEdit_Name")->text().isEmpty());
        QVERIFY(child<QWidget>(&panel, "widget_BkColorAndLocked")->isEnabled());
        QCOMPARE(child<KvColorWidget>(&panel, "widget_BackgroundColor")->backColor(),
                 QColor(Qt::gray));
    }

    void typingXMovesLiveAndCommitsOnce()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(10, 20, 100, 50));
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        // The canvas answers every live move with its selected rectangle, as the stage
        // widget does; that echo must not reach the boxes being typed in.
        connect(&panel, &KvScreenPropertyWidget::positionValueChanged, &panel, [&panel](QPointF p) {
            panel.onPositionAndSizeValueChanged(QRectF(p.x() + 3, p.y(), 100, 50));
        });
        auto* left = child<QSpinBox>(&panel, "spinBox_Left");
        left->selectAll();
        QTest::keyClicks(left, QStringLiteral("25"));
        QCOMPARE(recorder.positions, (QList<QPointF>{QPointF(2, 20), QPointF(25, 20)}));
        QCOMPARE(left->value(), 25);
        QCOMPARE(recorder.positionCommits, 0);
        QTest::keyClick(left, Qt::Key_Return);
        QCOMPARE(recorder.positionCommits, 1);
        QCOMPARE(recorder.sizes.count(), 0);
        QCOMPARE(recorder.sizeCommits, 0);
    }

    // Scrolling the panel over a box it does not have in focus must not move the screen:
    // such a change would never be committed.
    void wheelOverUnfocusedBoxChangesNothing()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(10, 20, 100, 50));
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        for (const char* name :
             {"spinBox_Left", "spinBox_Top", "spinBox_Width", "spinBox_Height"}) {
            auto* box = child<QSpinBox>(&panel, name);
            QVERIFY(!box->hasFocus());
            const int before = box->value();
            const QPointF at = box->rect().center();
            QWheelEvent wheel(at, box->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &wheel);
            QCOMPARE(box->value(), before);
        }
        QVERIFY(recorder.positions.isEmpty());
        QVERIFY(recorder.sizes.isEmpty());
    }

    void typingSizeResizesLiveAndCommitsOnce()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(10, 20, 100, 50));
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        auto* height = child<QSpinBox>(&panel, "spinBox_Height");
        height->selectAll();
        QTest::keyClicks(height, QStringLiteral("80"));
        QCOMPARE(recorder.sizes.last(), QSizeF(100, 80));
        QCOMPARE(recorder.sizeCommits, 0);
        QTest::keyClick(height, Qt::Key_Enter);
        QCOMPARE(recorder.sizeCommits, 1);
        QCOMPARE(recorder.positions.count(), 0);
    }

    void canvasMoveUpdatesWithoutEcho()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(10, 20, 100, 50));
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        panel.onPositionAndSizeValueChanged(QRectF(30.4, 40.6, 100, 50));
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Left")->value(), 30);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Top")->value(), 41);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Width")->value(), 100);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Height")->value(), 50);
        panel.onPositionAndSizeValueChanged(QRectF(-5, -6, 70.5, 0.4));
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Left")->value(), -5);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Width")->value(), 71);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Height")->value(), 0);
        QCOMPARE(recorder.total(), 0);
    }

    void clearingTheSelectionClearsAndDisables()
    {
        KvScreen* screen = makeScreen(ScreenType::Telop, 4, QRectF(10, 20, 100, 50), true);
        screen->setGraphicsType(GraphicsType::DirectX);
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        panel.onScreenSelectionChanged({});
        QVERIFY(!panel.widget()->isEnabled());
        QCOMPARE(child<QLabel>(&panel, "label_ScreenType")->text(),
                 QStringLiteral("Screen Type: "));
        QCOMPARE(child<QLabel>(&panel, "label_ScreenId")->text(), QStringLiteral("ID: "));
        QVERIFY(child<QLineEdit>(&panel, "lineEdit_Name")->text().isEmpty());
        QCOMPARE(child<KvColorWidget>(&panel, "widget_BackgroundColor")->backColor(),
                 QColor(Qt::gray));
        for (const char* name : {"spinBox_Left", "spinBox_Top", "spinBox_Width", "spinBox_Height"})
            QCOMPARE(child<QSpinBox>(&panel, name)->value(), 0);
        for (const char* name : {"checkBox_Locked", "checkBox_MoviePlayerType",
                                 "checkBox_WebBrowserType", "checkBox_GraphicsType"})
            QCOMPARE(child<QCheckBox>(&panel, name)->checkState(), Qt::Unchecked);
        QCOMPARE(recorder.total(), 0);
        QVERIFY(panel.screens().isEmpty());

        // Editing ends on a cleared panel ask for nothing.
        emit child<QSpinBox>(&panel, "spinBox_Left")->editingFinished();
        emit child<QLineEdit>(&panel, "lineEdit_Name")->editingFinished();
        QCOMPARE(recorder.total(), 0);
    }

    void nameLiveAndFinishedOnce()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(0, 0, 10, 10));
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        auto* name = child<QLineEdit>(&panel, "lineEdit_Name");
        // The receiver of the finished name opens a box that takes the focus, which ends
        // the editing again while the first report is still being handled.
        connect(&panel, &KvScreenPropertyWidget::nameValueChangingFinished, name,
                [name]() { emit name->editingFinished(); });
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Hall"));
        QCOMPARE(recorder.names.count(), 4);
        QCOMPARE(recorder.names.last(), QStringLiteral("Hall"));
        QCOMPARE(recorder.finishedNames.count(), 0);
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(recorder.finishedNames, QStringList{QStringLiteral("Hall")});
        // A later editing end reports again.
        emit name->editingFinished();
        QCOMPARE(recorder.finishedNames.count(), 2);
    }

    void optionBoxesForward()
    {
        KvScreen* telop = makeScreen(ScreenType::Telop, 1, QRectF(0, 0, 10, 10));
        KvScreen* multimedia = makeScreen(ScreenType::Multimedia, 2, QRectF(0, 0, 10, 10));
        multimedia->setMoviePlayerType(PlayerType::BuiltIn);
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({telop});
        child<QCheckBox>(&panel, "checkBox_GraphicsType")->click();
        QCOMPARE(recorder.graphics, QList<int>{GraphicsType::DirectX});
        child<QCheckBox>(&panel, "checkBox_GraphicsType")->click();
        QCOMPARE(recorder.graphics, (QList<int>{GraphicsType::DirectX, GraphicsType::Default}));

        panel.onScreenSelectionChanged({multimedia});
        child<QCheckBox>(&panel, "checkBox_MoviePlayerType")->click();
        child<QCheckBox>(&panel, "checkBox_WebBrowserType")->click();
        QCOMPARE(recorder.movie, QList<int>{PlayerType::Platform});
        QCOMPARE(recorder.web, QList<int>{PlayerType::Platform});
        child<QCheckBox>(&panel, "checkBox_WebBrowserType")->click();
        QCOMPARE(recorder.web, (QList<int>{PlayerType::Platform, PlayerType::BuiltIn}));
    }

    void colourForwardedButNotWhenShown()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(0, 0, 10, 10));
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        auto* color = child<KvColorWidget>(&panel, "widget_BackgroundColor");
        emit color->colorChanged(QColor(Qt::blue), QColor(10, 20, 30));
        QCOMPARE(recorder.colors, QList<QColor>{QColor(Qt::blue)});
    }

    void updatesAfterCommands()
    {
        KvScreen* a = makeScreen(ScreenType::Telop, 1, QRectF(0, 0, 10, 10));
        KvScreen* b = makeScreen(ScreenType::Telop, 2, QRectF(0, 0, 10, 10));
        KvScreenPropertyWidget panel(nullptr);
        PanelRecorder recorder(&panel);
        panel.onScreenSelectionChanged({a, b});
        auto* graphics = child<QCheckBox>(&panel, "checkBox_GraphicsType");
        auto* movie = child<QCheckBox>(&panel, "checkBox_MoviePlayerType");
        auto* web = child<QCheckBox>(&panel, "checkBox_WebBrowserType");

        QMap<KvScreen*, GraphicsType::GraphicsTypes> gmap{{a, GraphicsType::DirectX},
                                                          {b, GraphicsType::DirectX}};
        panel.updateGraphicsTypeValue(gmap);
        QCOMPARE(graphics->checkState(), Qt::Checked);
        gmap[b] = GraphicsType::Default;
        panel.updateGraphicsTypeValue(gmap);
        QCOMPARE(graphics->checkState(), Qt::PartiallyChecked);
        gmap[a] = GraphicsType::Default;
        panel.updateGraphicsTypeValue(gmap);
        QCOMPARE(graphics->checkState(), Qt::Unchecked);

        QMap<KvScreen*, PlayerType::PlayerTypes> pmap{{a, PlayerType::Platform},
                                                      {b, PlayerType::Platform}};
        panel.updateMoviePlayerTypeValue(pmap);
        QCOMPARE(movie->checkState(), Qt::Checked);
        pmap[a] = PlayerType::BuiltIn;
        panel.updateWebBrowserTypeValue(pmap);
        QCOMPARE(web->checkState(), Qt::PartiallyChecked);
        QCOMPARE(movie->checkState(), Qt::Checked);
        panel.updateFlashPlayerTypeValue(pmap);
        QMap<KvScreen*, PlayerType::PlayerTypes> empty;
        panel.updateOptionCheckBoxPlayerType(movie, empty);
        QCOMPARE(movie->checkState(), Qt::Checked);
        QCOMPARE(recorder.total(), 0);

        // The full refresh reads the screens again.
        a->setLockScreen(true);
        panel.updateValues();
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_Locked")->checkState(), Qt::PartiallyChecked);
        QCOMPARE(recorder.total(), 0);
    }
};

QTEST_MAIN(TestScreenPropertyWidget)
#include "tst_screenpropertywidget.moc"
