// The screen property panel on its own: what it shows for one or several screens and which
// signal each edit sends. The commands these signals become are tested in tst_panels.

#include "kvcheckbox.h"
#include "kvcolorwidget.h"
#include "kvscreen.h"
#include "kvscreenpropertywidget.h"
#include "kvtestfactories.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>
#include <memory>
#include <vector>

using namespace Kova;

namespace {

using Test::field;

// What the panel shows, one entry a field (position and size one each); "-" marks a field that
// cannot be edited.
QStringList shown(QWidget* panel)
{
    const auto entry = [](QWidget* w, const QString& text) {
        return (w->isEnabled() ? QString() : QStringLiteral("-")) + text;
    };
    const auto value = [panel](const char* box) { return field<QSpinBox>(panel, box)->value(); };
    auto* name = field<QLineEdit>(panel, "lineEdit_Name");
    QStringList list{
        field<QLabel>(panel, "label_ScreenId")->text(),
        field<QLabel>(panel, "label_ScreenType")->text(),
        entry(name, name->text()),
        field<KvColorWidget>(panel, "widget_BackgroundColor")->backColor().name(),
        entry(field<QGroupBox>(panel, "groupBox_Position"),
              QStringLiteral("%1,%2").arg(value("spinBox_Left")).arg(value("spinBox_Top"))),
        entry(field<QGroupBox>(panel, "groupBox_Size"),
              QStringLiteral("%1x%2").arg(value("spinBox_Width")).arg(value("spinBox_Height")))};
    for (const char* box : {"checkBox_Locked", "checkBox_GraphicsType", "checkBox_MoviePlayerType",
                            "checkBox_WebBrowserType"}) {
        auto* check = field<QCheckBox>(panel, box);
        list << entry(check, QString::number(check->checkState()));
    }
    return list;
}

// Every signal a user's edit in the panel can send, as "signal:value" in order.
struct Recorder
{
    explicit Recorder(KvScreenPropertyWidget* panel)
    {
        using P = KvScreenPropertyWidget;
        auto add = [this](const QString& entry) { log << entry; };
        auto point = [](QPointF p) { return QStringLiteral("%1,%2").arg(p.x()).arg(p.y()); };
        QObject::connect(panel, &P::positionValueChanged,
                         [=](QPointF p) { add("pos:" + point(p)); });
        QObject::connect(panel, &P::sizeValueChanged,
                         [=](QSizeF s) { add("size:" + point(QPointF(s.width(), s.height()))); });
        QObject::connect(panel, &P::positionValueChangingCommitted, [=] { add("posCommit"); });
        QObject::connect(panel, &P::sizeValueChangingCommitted, [=] { add("sizeCommit"); });
        QObject::connect(panel, &P::lockedValueChanged,
                         [=](bool b) { add(QStringLiteral("locked:%1").arg(b)); });
        QObject::connect(panel, &P::graphicsTypeValueChanged, [=](GraphicsType::GraphicsTypes t) {
            add(QStringLiteral("graphics:%1").arg(t));
        });
        QObject::connect(panel, &P::moviePlayerTypeValueChanged, [=](PlayerType::PlayerTypes t) {
            add(QStringLiteral("movie:%1").arg(t));
        });
        QObject::connect(panel, &P::webBrowserTypeValueChanged,
                         [=](PlayerType::PlayerTypes t) { add(QStringLiteral("web:%1").arg(t)); });
        QObject::connect(panel, &P::backgroundColorValueChanged,
                         [=](QColor c) { add("color:" + c.name()); });
        QObject::connect(panel, &P::nameValueChanged, [=](QString& n) { add("name:" + n); });
        QObject::connect(panel, &P::nameValueChangingFinished,
                         [=](QString n) { add("nameFinished:" + n); });
    }
    QStringList log;
};

} // namespace

class TestScreenPropertyWidget : public QObject
{
    Q_OBJECT

private:
    KvScreen* makeScreen(int type, int id, const QRectF& rect, bool locked = false)
    {
        m_screens.emplace_back(Test::makeScreen(id, ScreenType::ScreenTypes(type), rect,
                                                QStringLiteral("Screen %1").arg(id), id, locked));
        KvScreen* screen = m_screens.back().get();
        screen->setBackgoundColor(QColor(10, 20, 30));
        return screen;
    }

    std::vector<std::unique_ptr<KvScreen>> m_screens;

private slots:
    void cleanup() { m_screens.clear(); }

    void oneScreen_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("idText");
        QTest::addColumn<bool>("graphicsEnabled");
        QTest::addColumn<bool>("playersEnabled");
        const auto row = [](const char* name, int type, int id, bool locked, const char* idText,
                            bool graphics, bool players) {
            QTest::newRow(name) << type << id << locked << QString(idText) << graphics << players;
        };
        row("multimedia", ScreenType::Multimedia, 7, false, "ID: 7", false, true);
        row("telop", ScreenType::Telop, 7, false, "ID: 7", true, false);
        row("extended", ScreenType::Extended, 7, false, "ID: 7", false, false);
        row("locked", ScreenType::Multimedia, 7, true, "ID: 7", false, true);
        row("id below -1", ScreenType::Multimedia, -5, false, "ID: ", false, true);
    }

    // The values of one screen (position and size rounded), the options of its type, and no
    // position or size edits for a locked screen. An empty selection clears the panel and
    // disables it. Showing values sends no edit.
    void oneScreen()
    {
        QFETCH(int, type);
        QFETCH(int, id);
        QFETCH(bool, locked);
        QFETCH(QString, idText);
        QFETCH(bool, graphicsEnabled);
        QFETCH(bool, playersEnabled);
        KvScreen* screen = makeScreen(type, 7, QRectF(10.4, 20.6, 100.5, 50.2), locked);
        screen->setId(id);
        screen->setGraphicsType(GraphicsType::DirectX);
        screen->setMoviePlayerType(PlayerType::Platform);
        screen->setWebBrowserType(PlayerType::BuiltIn);
        KvScreenPropertyWidget panel(nullptr);
        QVERIFY(!panel.widget()->isEnabled());
        Recorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});

        QVERIFY(panel.widget()->isEnabled());
        const QString fixed = locked ? "-" : "";
        const QString graphics = graphicsEnabled ? "" : "-";
        const QString players = playersEnabled ? "" : "-";
        QCOMPARE(shown(&panel),
                 (QStringList{idText,
                              "Screen Type: " +
                                  ScreenType::Convert::toString(ScreenType::ScreenTypes(type)),
                              "Screen 7", "#0a141e", fixed + "10,21", fixed + "101x50",
                              locked ? "2" : "0", graphics + "2", players + "2", players + "0"}));

        panel.onScreenSelectionChanged({});
        QVERIFY(!panel.widget()->isEnabled());
        QVERIFY(panel.screens().isEmpty());
        QCOMPARE(shown(&panel), (QStringList{"ID: ", "Screen Type: ", "-", QColor(Qt::gray).name(),
                                             "-0,0", "-0x0", "-0", "-0", "-0", "-0"}));
        // The end of an editing on a cleared panel asks for nothing.
        emit field<QSpinBox>(&panel, "spinBox_Left")->editingFinished();
        emit field<QLineEdit>(&panel, "lineEdit_Name")->editingFinished();
        QCOMPARE(recorder.log, QStringList());
    }

    // Two screens: a multimedia screen A, locked or not, with the platform players, and B.
    void severalScreens_data()
    {
        QTest::addColumn<bool>("lockedA");
        QTest::addColumn<int>("typeB");
        QTest::addColumn<bool>("lockedB");
        QTest::addColumn<bool>("platformWebB");
        QTest::addColumn<int>("lockState");
        QTest::addColumn<int>("webState");
        const auto row = [](const char* name, bool lockedA, int typeB, bool lockedB,
                            bool platformWebB, int lockState, int webState) {
            QTest::newRow(name) << lockedA << typeB << lockedB << platformWebB << lockState
                                << webState;
        };
        row("web browsers differ", false, ScreenType::Multimedia, false, false, Qt::Unchecked,
            Qt::PartiallyChecked);
        row("locked and unlocked", true, ScreenType::Multimedia, false, true, Qt::PartiallyChecked,
            Qt::Checked);
        row("both locked", true, ScreenType::Multimedia, true, true, Qt::Checked, Qt::Checked);
        row("multimedia and telop", false, ScreenType::Telop, false, true, Qt::Unchecked,
            Qt::Checked);
    }

    // Several screens show the union of their rectangles and, per option, checked when all
    // have it, mixed when some have it; id and name belong to one screen only. A locked screen
    // among them keeps position and size from being edited; the options are those of the
    // one common type.
    void severalScreens()
    {
        QFETCH(bool, lockedA);
        QFETCH(int, typeB);
        QFETCH(bool, lockedB);
        QFETCH(bool, platformWebB);
        QFETCH(int, lockState);
        QFETCH(int, webState);
        KvScreen* a = makeScreen(ScreenType::Multimedia, 1, QRectF(0, 0, 100, 100), lockedA);
        KvScreen* b = makeScreen(typeB, 2, QRectF(50, 200, 100, 100.4), lockedB);
        for (KvScreen* s : {a, b}) {
            s->setMoviePlayerType(PlayerType::Platform);
            s->setGraphicsType(GraphicsType::Default);
        }
        a->setWebBrowserType(PlayerType::Platform);
        b->setWebBrowserType(platformWebB ? PlayerType::Platform : PlayerType::BuiltIn);
        KvScreenPropertyWidget panel(nullptr);
        Recorder recorder(&panel);
        panel.onScreenSelectionChanged({a});
        panel.onScreenSelectionChanged({a, b});

        QVERIFY(panel.widget()->isEnabled());
        QVERIFY(field<QWidget>(&panel, "widget_BkColorAndLocked")->isEnabled());
        const QString fixed = lockState == Qt::Unchecked ? "" : "-";
        const QString players = typeB == ScreenType::Multimedia ? "" : "-";
        QCOMPARE(shown(&panel),
                 (QStringList{"ID: ", "Screen Type: ", "-", QColor(Qt::gray).name(), fixed + "0,0",
                              fixed + "150x300", QString::number(lockState), "-0", players + "2",
                              players + QString::number(webState)}));
        QCOMPARE(recorder.log, QStringList());
    }

    void mixedBoxClicked_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("on");
        QTest::addColumn<QString>("off");
        const auto row = [](const char* box, int type, const char* on, const char* off) {
            QTest::newRow(box) << QString("checkBox_") + box << type << QString(on) << QString(off);
        };
        row("Locked", ScreenType::Multimedia, "locked:1", "locked:0");
        row("GraphicsType", ScreenType::Telop, "graphics:2", "graphics:0");
        row("MoviePlayerType", ScreenType::Multimedia, "movie:1", "movie:2");
        row("WebBrowserType", ScreenType::Multimedia, "web:1", "web:2");
    }

    // One of two screens has the option, so its box is mixed. Clicks turn it on, off and on
    // again, never back to mixed, each click one edit.
    void mixedBoxClicked()
    {
        QFETCH(QString, box);
        QFETCH(int, type);
        QFETCH(QString, on);
        QFETCH(QString, off);
        KvScreen* a = makeScreen(type, 1, QRectF(0, 0, 100, 100), box == "checkBox_Locked");
        KvScreen* b = makeScreen(type, 2, QRectF(50, 200, 100, 100));
        a->setGraphicsType(GraphicsType::DirectX);
        a->setMoviePlayerType(PlayerType::Platform);
        a->setWebBrowserType(PlayerType::Platform);
        b->setGraphicsType(GraphicsType::Default);
        b->setMoviePlayerType(PlayerType::BuiltIn);
        b->setWebBrowserType(PlayerType::BuiltIn);
        KvScreenPropertyWidget panel(nullptr);
        Recorder recorder(&panel);
        panel.onScreenSelectionChanged({a, b});
        auto* check = field<KvCheckBox>(&panel, box.toLatin1().constData());
        QVERIFY(check->isEnabled());
        QCOMPARE(check->checkState(), Qt::PartiallyChecked);

        for (Qt::CheckState state : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
            check->click();
            QCOMPARE(check->checkState(), state);
        }
        QCOMPARE(recorder.log, (QStringList{on, off, on}));
    }

    // Typing moves or resizes the selection live; the end of the editing (Return, Enter or
    // the focus leaving) commits once, and only after a typed change. The canvas answers
    // every live change with its own rectangle, which must not overwrite what is typed.
    void numberFields_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("finish"); // a key, or 0 for the focus leaving
        QTest::addColumn<QStringList>("live");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<int>("shown");
        const auto row = [](const char* name, const char* box, const char* typed, int finish,
                            QStringList live, const char* commit, int shown) {
            QTest::newRow(name) << QString("spinBox_") + box << QString(typed) << finish << live
                                << QString(commit) << shown;
        };
        row("x", "Left", "25", Qt::Key_Return, {"pos:2,20", "pos:25,20"}, "posCommit", 25);
        row("y", "Top", "-7", 0, {"pos:10,-7"}, "posCommit", -7);
        row("width", "Width", "80", Qt::Key_Enter, {"size:8,50", "size:80,50"}, "sizeCommit", 80);
        // A size cannot be negative: the minus sign is refused.
        row("height typed negative", "Height", "-5", Qt::Key_Return, {"size:100,5"}, "sizeCommit",
            5);
        row("focus passing through", "Left", "", 0, {}, "", 10);
    }

    void numberFields()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(int, finish);
        QFETCH(QStringList, live);
        QFETCH(QString, commit);
        QFETCH(int, shown);
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(10, 20, 100, 50));
        KvScreenPropertyWidget panel(nullptr);
        Recorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        const QRectF echo(3, 3, 3, 3);
        connect(&panel, &KvScreenPropertyWidget::positionValueChanged, &panel,
                [&panel, echo] { panel.onPositionAndSizeValueChanged(echo); });
        connect(&panel, &KvScreenPropertyWidget::sizeValueChanged, &panel,
                [&panel, echo] { panel.onPositionAndSizeValueChanged(echo); });
        auto* box = field<QSpinBox>(&panel, name.toLatin1().constData());
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);

        box->selectAll();
        QTest::keyClicks(box, typed);
        QCOMPARE(recorder.log, live);
        if (finish)
            QTest::keyClick(box, Qt::Key(finish));
        else
            QApplication::sendEvent(box, &out);
        QCOMPARE(box->value(), shown);
        // Leaving the field after the commit commits nothing more.
        QApplication::sendEvent(box, &out);
        const QStringList after = recorder.log.mid(live.count());
        QCOMPARE(after.filter("Commit"), commit.isEmpty() ? QStringList() : QStringList{commit});
        // (Return itself reports the value once more.)
        for (const QString& entry : after) {
            if (entry != commit)
                QCOMPARE(entry, live.last());
        }
    }

    // Scrolling the panel over a box without the focus must not move the screen: such a
    // change would never be committed. A narrow panel wraps its groups onto more rows.
    void wheelAndNarrowPanel()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(10, 20, 100, 50));
        KvScreenPropertyWidget panel(nullptr);
        Recorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        for (const char* name :
             {"spinBox_Left", "spinBox_Top", "spinBox_Width", "spinBox_Height"}) {
            auto* box = field<QSpinBox>(&panel, name);
            QVERIFY(!box->hasFocus());
            const int before = box->value();
            const QPointF at = box->rect().center();
            QWheelEvent wheel(at, box->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &wheel);
            QCOMPARE(box->value(), before);
        }
        QCOMPARE(recorder.log, QStringList());

        auto* position = field<QGroupBox>(&panel, "groupBox_Position");
        auto* size = field<QGroupBox>(&panel, "groupBox_Size");
        panel.resize(1600, 400);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QTRY_COMPARE(size->y(), position->y());
        panel.resize(position->width() + 40, 400);
        QTRY_VERIFY(size->y() > position->y());
    }

    // The name goes to the canvas live and is committed once per end of editing, also when
    // the receiver of the commit ends the editing again (a box taking the focus).
    void nameLiveAndFinishedOnce()
    {
        KvScreen* screen = makeScreen(ScreenType::Multimedia, 1, QRectF(0, 0, 10, 10));
        KvScreenPropertyWidget panel(nullptr);
        Recorder recorder(&panel);
        panel.onScreenSelectionChanged({screen});
        auto* name = field<QLineEdit>(&panel, "lineEdit_Name");
        connect(&panel, &KvScreenPropertyWidget::nameValueChangingFinished, name,
                [name]() { emit name->editingFinished(); });
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Hi"));
        QCOMPARE(recorder.log, (QStringList{"name:H", "name:Hi"}));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(recorder.log, (QStringList{"name:H", "name:Hi", "nameFinished:Hi"}));
        // A later end of editing reports again.
        emit name->editingFinished();
        QCOMPARE(recorder.log.count("nameFinished:Hi"), 2);
    }

    // What the editor hands over shows without sending anything back: the canvas reporting the
    // selection while it is moved or resized there (rounded), and the new graphics values after
    // a command (one value checks or unchecks the box, several make it mixed; the player boxes,
    // which share their update, are followed through undo in tst_panels).
    void editorUpdatesSendNothing()
    {
        KvScreen* first = makeScreen(ScreenType::Telop, 1, QRectF(10, 20, 100, 50));
        KvScreen* second = makeScreen(ScreenType::Telop, 2, QRectF(10, 20, 100, 50));
        KvScreenPropertyWidget panel(nullptr);
        Recorder recorder(&panel);
        panel.onScreenSelectionChanged({first, second});
        panel.onPositionAndSizeValueChanged(QRectF(-5.4, 40.6, 70.5, 0.4));
        QCOMPARE(field<QSpinBox>(&panel, "spinBox_Left")->value(), -5);
        QCOMPARE(field<QSpinBox>(&panel, "spinBox_Top")->value(), 41);
        QCOMPARE(field<QSpinBox>(&panel, "spinBox_Width")->value(), 71);
        QCOMPARE(field<QSpinBox>(&panel, "spinBox_Height")->value(), 0);
        const auto graphics = [&](int a, int b) {
            QMap<KvScreen*, GraphicsType::GraphicsTypes> values{
                {first, GraphicsType::GraphicsTypes(a)}, {second, GraphicsType::GraphicsTypes(b)}};
            panel.updateGraphicsTypeValue(values);
            return field<QCheckBox>(&panel, "checkBox_GraphicsType")->checkState();
        };
        QCOMPARE(graphics(2, 2), Qt::Checked);
        QCOMPARE(graphics(2, 0), Qt::PartiallyChecked);
        QCOMPARE(graphics(0, 0), Qt::Unchecked);
        QCOMPARE(recorder.log, QStringList());
    }
};

QTEST_MAIN(TestScreenPropertyWidget)
#include "tst_screenpropertywidget.moc"
