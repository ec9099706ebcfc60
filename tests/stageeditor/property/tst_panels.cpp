// The property panels inside a running editor: every panel edit is one command on the current
// tab's stack, and undo and the canvas flow back into the panels. What a panel shows and sends
// on its own is tested in tst_stagepropertywidget and tst_screenpropertywidget, what undo and
// redo of each command restore in tst_commands.

// Mouse moves must carry the pressed button, so the canvas is driven through the window
// system layer (as a user does) rather than by moving the cursor.
#define QTEST_QPA_MOUSE_HANDLING

#include "kvcolorwidget.h"
#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvmodalwatcher.h"
#include "kvscreen.h"
#include "kvscreenitem.h"
#include "kvscreenpropertywidget.h"
#include "kvscreenselectedhandle.h"
#include "kvstage.h"
#include "kvstageeditor.h"
#include "kvstageitem.h"
#include "kvstagepropertywidget.h"
#include "kvstagescene.h"
#include "kvstageview.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"
#include "kvtestfactories.h"
#include "screentype.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMimeData>
#include <QPixmap>
#include <QSpinBox>
#include <QTabWidget>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUrl>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

const QRect StageRect(0, 0, 1920, 1080);
const QColor StageColor(10, 20, 30);
const QRectF AlphaRect(100, 100, 400, 300); // multimedia, blue
const QRectF BetaRect(600, 100, 400, 200);  // telop, yellow
const QRectF GammaRect(100, 500, 300, 200); // multimedia, locked
const char* const ImageFile = "image/sunrise.png";

// Lets the queued reports of the canvas (the selection frame) arrive.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private:
    template <typename T> T* stageField(const QString& name) const
    {
        return m_editor->stagePropertyWidget()->findChild<T*>(name);
    }
    template <typename T> T* screenField(const QString& name) const
    {
        return m_editor->screenPropertyWidget()->findChild<T*>(name);
    }
    // The screens of those names, in the stage's order.
    QList<KvScreen*> screens(const QStringList& names) const
    {
        QList<KvScreen*> list;
        for (KvScreen* s : m_stage->screenList()) {
            if (names.contains(s->name()))
                list << s;
        }
        return list;
    }
    KvScreen* screen(const QString& name) const { return screens({name}).value(0); }
    KvScreenItem* item(KvScreen* s) const { return m_area->scene()->screenItemOf(s); }
    QRectF itemRect(KvScreen* s) const
    {
        KvScreenItem* i = item(s);
        return QRectF(i->pos(), QSizeF(i->width(), i->height()));
    }
    QRect screenFields() const
    {
        return QRect(screenField<QSpinBox>("spinBox_Left")->value(),
                     screenField<QSpinBox>("spinBox_Top")->value(),
                     screenField<QSpinBox>("spinBox_Width")->value(),
                     screenField<QSpinBox>("spinBox_Height")->value());
    }
    // The value a position or size field shows for `rect`.
    static int fieldValue(const QString& field, const QRect& rect)
    {
        return field.endsWith("Left")    ? rect.left()
               : field.endsWith("Top")   ? rect.top()
               : field.endsWith("Width") ? rect.width()
                                         : rect.height();
    }
    bool unsavedMark() const
    {
        return m_editor->stageWidget()->tabWidget()->tabText(0).endsWith(QLatin1Char('*'));
    }
    void select(const QList<KvScreen*>& list)
    {
        m_editor->stageWidget()->selectScreenItem(list, true, true);
        settle();
    }
    // Types `text` over the whole content of a spin box or line edit.
    template <typename Field> static void typeInto(Field* field, const QString& text)
    {
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        else
            QTest::keyClicks(field, text);
    }
    // The user moves on to another widget: editing finishes once more.
    static void leave(QWidget* widget)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(widget, &out);
    }
    static void click(QAbstractButton* button) { QTest::keyClick(button, Qt::Key_Space); }
    void undo()
    {
        m_editor->action_undo();
        settle();
    }
    // A press at `from` (in scene coordinates), a move by `by` (in view pixels) and a release.
    void dragOnCanvas(const QPointF& from, const QPoint& by)
    {
        m_area->view()->centerOn(from);
        settle();
        QWidget* viewport = m_area->view()->viewport();
        const QPoint start = m_area->view()->mapFromScene(from);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
        if (!by.isNull()) {
            QTest::mouseMove(viewport, start + by / 2);
            QTest::mouseMove(viewport, start + by);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, start + by);
        settle();
    }

    std::unique_ptr<Test::TempDataDir> m_data;
    std::unique_ptr<QMainWindow> m_window;
    std::unique_ptr<KvStageEditor> m_editor;
    KvStageWorkingArea* m_area = nullptr;
    KvStage* m_stage = nullptr;
    QUndoStack* m_stack = nullptr;

private slots:
    void init()
    {
        m_data.reset(new Test::TempDataDir);
        QVERIFY(m_data->isValid());
        QVERIFY(Test::writeImage(m_data->filePath(ImageFile)));
        KvEditorConfig::setDataDir(m_data->path());
        {
            KvStage stage(m_data->stagePath("Panels.xml"));
            stage.setName(QStringLiteral("Panels"));
            stage.setRect(StageRect);
            stage.setBackgroundColor(StageColor);
            Test::addScreen(&stage, 1, ScreenType::Multimedia, AlphaRect, "Alpha")
                ->setBackgoundColor(Qt::blue);
            Test::addScreen(&stage, 2, ScreenType::Telop, BetaRect, "Beta")
                ->setBackgoundColor(Qt::yellow);
            Test::addScreen(&stage, 3, ScreenType::Multimedia, GammaRect, "Gamma", 3, true);
            QVERIFY(stage.writeToFile());
        }

        m_window.reset(new QMainWindow);
        m_window->setGeometry(50, 50, 1400, 1000);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_editor.reset(new KvStageEditor(m_window.get()));
        // The scenes of closed tabs go to the host, which deletes them.
        connect(m_editor.get(),
                qOverload<QList<QGraphicsScene*>>(&KvStageEditor::graphicsScenePurged), this,
                [](const QList<QGraphicsScene*>& scenes) { qDeleteAll(scenes); });
        connect(m_editor.get(), qOverload<QGraphicsScene*>(&KvStageEditor::graphicsScenePurged),
                this, [](QGraphicsScene* scene) { delete scene; });
        {
            // The stage chooser that the first layout opens is cancelled.
            KvModalWatcher watcher;
            QVERIFY(m_editor->exec());
            QTRY_VERIFY(watcher.count() >= 1);
            QTRY_VERIFY(!QApplication::activeModalWidget());
        }

        m_editor->onStageHasBeenSelected({m_data->stagePath("Panels.xml")});
        settle();
        m_area = m_editor->stageWidget()->currentStageWorkingArea();
        QVERIFY(m_area && m_area->view()->isVisible());
        m_stage = m_area->stage();
        m_stack = m_area->undoStack();
        QCOMPARE(m_editor->undoGroup()->activeStack(), m_stack);
    }

    void cleanup()
    {
        KvModalWatcher watcher;
        // Tabs left open must not ask anything on the way out.
        if (m_editor && m_editor->stageWidget()) {
            for (KvStageWorkingArea* area : m_editor->stageWidget()->stageWorkingAreaList())
                area->resetInitialStage();
        }
        m_editor.reset();
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_data.reset();
    }

    // ---- stage property panel --------------------------------------------------------------

    void stageNumberField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QRect>("expected");
        const auto row = [](const char* name, const char* field, const char* typed, QRect rect) {
            QTest::newRow(name) << QString(field) << QString(typed) << rect;
        };
        row("width", "spinBox_Width", "1280", QRect(0, 0, 1280, 1080));
        row("top", "spinBox_Top", "30", QRect(0, 30, 1920, 1080));
    }

    // The canvas follows a typed size at once; the stage changes in one command when the editing
    // finishes, and leaving the field after that records nothing more. Undo shows in the canvas
    // and the field. (A value the stage already has records nothing: tst_commands.)
    void stageNumberField()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QRect, expected);
        auto* box = stageField<QSpinBox>(field);
        QVERIFY(box && box->isEnabled());
        const int oldValue = box->value();

        typeInto(box, typed);
        QCOMPARE(m_area->stageItem()->rect().size(), QSizeF(expected.size()));
        QCOMPARE(m_stage->rect(), StageRect);
        QCOMPARE(m_stack->count(), 0);
        QTest::keyClick(box, Qt::Key_Return);
        leave(box);
        QCOMPARE(m_stack->count(), 1);
        QCOMPARE(m_stage->rect(), expected);
        QVERIFY(unsavedMark());
        QCOMPARE(box->value(), fieldValue(field, expected));
        undo();
        QCOMPARE(box->value(), oldValue);
        // Back at the saved values, closing the tab would ask nothing.
        QVERIFY(!m_editor->stageWidget()->isCurrentStageChangedFromInitial());
        QCOMPARE(m_area->stageItem()->rect().size(), QSizeF(StageRect.size()));
    }

    // Each click on a resize option is one command (unchecking the desktop size takes the
    // automatic adjustment along); undo shows in both boxes.
    void stageOptions()
    {
        auto* desktop = stageField<QCheckBox>("checkBox_UseDesktopSize");
        auto* adjustment = stageField<QCheckBox>("checkBox_AutomaticAdjustment");
        QVERIFY(desktop && adjustment);
        const QList<QAbstractButton*> clicks{desktop, adjustment, adjustment, adjustment, desktop};
        const QList<uint> options{0, 1, 3, 1, 3, 0};
        auto shows = [&](uint value) {
            const bool desktopSize = value & KvStage::UseDesktopSize;
            return desktop->isChecked() == desktopSize &&
                   adjustment->isChecked() == bool(value & KvStage::AutoAdjustment) &&
                   adjustment->isEnabled() == desktopSize &&
                   stageField<QLabel>("label_CheckBoxAutomaticAdjustment")->isEnabled() ==
                       desktopSize;
        };
        QVERIFY(shows(m_stage->options()));
        for (int i = 0; i < clicks.count(); ++i) {
            click(clicks.at(i));
            QCOMPARE(m_stack->count(), i + 1);
            QCOMPARE(m_stage->options(), options.at(i + 1));
            QVERIFY(shows(options.at(i + 1)));
        }
        for (int i = clicks.count() - 1; i >= 0; --i) {
            undo();
            QVERIFY2(shows(options.at(i)), qPrintable(QString("after undoing click %1").arg(i)));
        }
    }

    void backgroundImage_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"drop", "picker", "cancel"})
            QTest::newRow(how) << QString(how);
    }

    // An image dropped on the field, or chosen in the picker that checking "Use Background
    // Image" opens, is one command; it is stored relative to the data folder and shown by the
    // panel and the canvas. A cancelled picker records nothing. Unchecking the box removes the
    // image in one command.
    void backgroundImage()
    {
        QFETCH(QString, how);
        auto* edit = stageField<QLineEdit>("lineEdit_BackgroundImage");
        auto* use = stageField<QCheckBox>("checkBox_BackgroundImage");
        auto shows = [&](const QString& image) {
            const QPixmap* picture = m_area->stageItem()->backgroundPicture();
            return m_stage->backgroundImage() == image &&
                   edit->text() == QDir::toNativeSeparators(image) &&
                   use->isChecked() == !image.isEmpty() &&
                   (picture && !picture->isNull()) == !image.isEmpty();
        };
        const QString path = m_data->filePath(ImageFile);
        KvModalWatcher watcher;
        if (how == "drop") {
            QMimeData mime;
            mime.setData(KvEditorCommon::MIME_TYPE_URI, QUrl::fromLocalFile(path).toEncoded());
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(edit, &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit, &drop);
            settle();
            QCOMPARE(watcher.count(), 0);
        } else {
            if (how == "picker") {
                watcher.answerWith([path](QWidget* widget) {
                    if (auto* dialog = qobject_cast<QFileDialog*>(widget))
                        KvModalWatcher::acceptFile(dialog, path);
                    else
                        widget->close();
                });
            }
            click(use);
            settle();
            QCOMPARE(watcher.count(), 1);
            QCOMPARE(watcher.seen().at(0).className, QString("QFileDialog"));
        }
        const QString image = how == "cancel" ? QString() : QString(ImageFile);
        QCOMPARE(m_stack->count(), image.isEmpty() ? 0 : 1);
        QVERIFY(shows(image));
        if (image.isEmpty())
            return;
        click(use);
        QCOMPARE(m_stack->count(), 2);
        QVERIFY(shows(QString()));
        undo();
        QVERIFY(shows(image));
        undo();
        QVERIFY(shows(QString()));
    }

    void backgroundColor_data()
    {
        QTest::addColumn<bool>("ofScreen");
        QTest::newRow("stage") << false;
        QTest::newRow("screen") << true;
    }

    // A colour picked in the colour dialog is one command for the stage or the selected screen,
    // shown by the canvas and the panel, and so is its undo. The same colour again records
    // nothing.
    void backgroundColor()
    {
        QFETCH(bool, ofScreen);
        KvScreen* beta = screen("Beta");
        if (ofScreen)
            select({beta});
        auto* color = ofScreen ? screenField<KvColorWidget>("widget_BackgroundColor")
                               : stageField<KvColorWidget>("widget_BackgroundColor");
        auto colors = [&] {
            return ofScreen ? QList<QColor>{beta->backgoundColor(), item(beta)->backgroundColor(),
                                            color->backColor()}
                            : QList<QColor>{m_stage->backgroundColor(), color->backColor()};
        };
        const QList<QColor> old = colors();
        const QColor picked(120, 60, 200);
        KvModalWatcher watcher;
        watcher.answerWith([picked](QWidget* widget) {
            if (auto* dialog = qobject_cast<QColorDialog*>(widget)) {
                dialog->setCurrentColor(picked);
                dialog->accept();
            } else {
                widget->close();
            }
        });
        for (int i = 1; i <= 2; ++i) {
            QTest::keyClick(color, Qt::Key_Space);
            QCOMPARE(watcher.count(), i);
            QCOMPARE(m_stack->count(), 1);
            QCOMPARE(colors(), QVector<QColor>(old.count(), picked).toList());
        }
        undo();
        QCOMPARE(colors(), old);
    }

    // ---- screen property panel -------------------------------------------------------------

    void screenNumberField_data()
    {
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<QRectF>>("expected");
        const auto row = [](const char* name, const char* field, const char* typed,
                            QList<QRectF> rects, QStringList selection = {"Alpha"}) {
            QTest::newRow(name) << selection << QString(field) << QString(typed) << rects;
        };
        row("y", "spinBox_Top", "40", {QRectF(100, 40, 400, 300)});
        row("height", "spinBox_Height", "150", {QRectF(100, 100, 400, 150)});
        // With two screens X is the left of both: typing it moves both in one command.
        row("x of two screens", "spinBox_Left", "50",
            {AlphaRect.translated(-50, 0), BetaRect.translated(-50, 0)}, {"Alpha", "Beta"});
    }

    // Typing moves or resizes the screen items live, while the canvas reports the selection back
    // between the keys; that report neither overwrites the digits typed so far nor goes back
    // out. The end of the editing records one command and leaving the field records nothing
    // more. Undo shows on the canvas and in the panel, and leaving the field after an undo keeps
    // the redo.
    void screenNumberField()
    {
        QFETCH(QStringList, selection);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QList<QRectF>, expected);
        const QList<KvScreen*> selected = screens(selection);
        QList<QRectF> old;
        for (KvScreen* s : selected)
            old << s->rect();
        select(selected);
        auto* box = screenField<QSpinBox>(field);
        const int oldValue = box->value();
        QRectF united; // what the fields show for the whole selection
        for (const QRectF& rect : expected)
            united = united.isNull() ? rect : united.united(rect);
        const int shown = fieldValue(field, united.toRect());
        auto rects = [&](bool items) {
            QList<QRectF> list;
            for (KvScreen* s : selected)
                list << (items ? itemRect(s) : s->rect());
            return list;
        };

        KvScreenPropertyWidget* panel = m_editor->screenPropertyWidget();
        QSignalSpy livePos(panel, &KvScreenPropertyWidget::positionValueChanged);
        QSignalSpy liveSize(panel, &KvScreenPropertyWidget::sizeValueChanged);
        box->selectAll();
        for (const QChar key : typed) {
            QTest::keyClicks(box, QString(key));
            settle();
        }
        QCOMPARE(box->value(), shown);
        QCOMPARE(rects(true), expected);
        QCOMPARE(rects(false), old);
        QCOMPARE(m_stack->count(), 0);
        // (Return reports the value once more itself; the commit's refresh adds nothing.)
        QTest::keyClick(box, Qt::Key_Return);
        const int live = livePos.count() + liveSize.count();
        leave(box);
        settle();
        QCOMPARE(livePos.count() + liveSize.count(), live);
        QCOMPARE(m_stack->count(), 1);
        QCOMPARE(rects(false), expected);
        QCOMPARE(box->value(), shown);

        undo();
        QCOMPARE(rects(true), old);
        QCOMPARE(box->value(), oldValue);
        QCOMPARE(m_area->selectedScreens(), selected);
        leave(box);
        QCOMPARE(m_stack->count(), 1);
        QVERIFY(m_stack->canRedo());
    }

    void canvasGesture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<bool>("changes");
        const auto row = [](const char* name, const char* screen, const char* gesture, bool on) {
            QTest::newRow(name) << QString(screen) << QString(gesture) << on;
        };
        row("drag", "Alpha", "drag", true);
        row("resize at the handle", "Alpha", "resize", true);
        row("click on a handle", "Alpha", "handle", false);
        row("arrow key on a locked screen", "Gamma", "arrow", false);
    }

    // A move or resize on the canvas is one command, and the panel follows without sending
    // anything back; undoing it shows the old values. A gesture that changes nothing records
    // nothing (no empty step, no unsaved mark).
    void canvasGesture()
    {
        QFETCH(QString, name);
        QFETCH(QString, gesture);
        QFETCH(bool, changes);
        KvScreen* s = screen(name);
        const QRectF before = s->rect();
        select({s});
        KvScreenPropertyWidget* panel = m_editor->screenPropertyWidget();
        QSignalSpy posLive(panel, &KvScreenPropertyWidget::positionValueChanged);
        QSignalSpy sizeLive(panel, &KvScreenPropertyWidget::sizeValueChanged);
        QSignalSpy posCommit(panel, &KvScreenPropertyWidget::positionValueChangingCommitted);
        QSignalSpy sizeCommit(panel, &KvScreenPropertyWidget::sizeValueChangingCommitted);

        if (gesture == "arrow") {
            QTest::keyClick(m_area->view(), Qt::Key_Right);
            settle();
        } else if (gesture == "drag") {
            dragOnCanvas(before.center(), QPoint(20, 10));
        } else {
            m_area->view()->centerOn(before.bottomRight());
            settle();
            QCOMPARE(m_area->selectedHandle()->handleAt(before.bottomRight()), 8);
            dragOnCanvas(before.bottomRight(), gesture == "resize" ? QPoint(30, 20) : QPoint());
        }
        QCOMPARE(s->rect() != before, changes);
        QCOMPARE(m_stack->count(), changes ? 1 : 0);
        QCOMPARE(unsavedMark(), changes);
        QCOMPARE(screenFields(), s->rect().toRect());
        for (QSignalSpy* spy : {&posLive, &sizeLive, &posCommit, &sizeCommit})
            QCOMPARE(spy->count(), 0);
        if (!changes)
            return;
        undo();
        QCOMPARE(screenFields(), before.toRect());
        QCOMPARE(posLive.count() + sizeLive.count(), 0);
    }

    void rename_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal"); // the text of the box refusing the name
        QTest::newRow("new name") << QString("Hero") << QString();
        QTest::newRow("empty name") << QString() << QString();
        QTest::newRow("another screen's name")
            << QString("Beta") << QString("Name \"Beta\" has been used in another screen.");
    }

    // The label on the canvas follows the typing; the screen is renamed in one command when the
    // editing ends, and undo shows the old name. A name another screen has is refused with a box
    // and put back everywhere.
    void rename()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        KvScreen* alpha = screen("Alpha");
        select({alpha});
        auto* name = screenField<QLineEdit>("lineEdit_Name");
        // The screen's name, the field and the label on the canvas.
        auto names = [&] { return QStringList{alpha->name(), name->text(), item(alpha)->name()}; };
        const QStringList old{"Alpha", "Alpha", "Alpha"};
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);
        typeInto(name, typed);
        QCOMPARE(names(), (QStringList{"Alpha", typed, typed}));
        QCOMPARE(m_stack->count(), 0);
        QTest::keyClick(name, Qt::Key_Return);
        leave(name);
        settle();
        QCOMPARE(watcher.count(), refusal.isEmpty() ? 0 : 1);
        QCOMPARE(m_stack->count(), refusal.isEmpty() ? 1 : 0);
        if (refusal.isEmpty()) {
            QCOMPARE(names(), (QStringList{typed, typed, typed}));
            undo();
        } else {
            QCOMPARE(watcher.seen().at(0).title, QString("Names are duplicated"));
            QCOMPARE(watcher.seen().at(0).text, refusal);
        }
        QCOMPARE(names(), old);
    }

    void checkBoxes_data()
    {
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<QString>("box");
        const auto row = [](const char* name, QStringList selection, const char* box) {
            QTest::newRow(name) << selection << QString("checkBox_%1").arg(box);
        };
        row("lock", {"Alpha"}, "Locked");
        row("lock of a locked and an unlocked screen", {"Alpha", "Gamma"}, "Locked");
        row("graphics", {"Beta"}, "GraphicsType");
        row("movie player", {"Alpha"}, "MoviePlayerType");
        row("movie players that differ", {"Alpha", "Gamma"}, "MoviePlayerType");
        row("web browser", {"Alpha"}, "WebBrowserType");
    }

    // A click on a check box is one command for every selected screen. Undo shows the old state
    // again, mixed where the screens differed; a locked selection cannot be moved or resized
    // from the panel.
    void checkBoxes()
    {
        QFETCH(QStringList, selection);
        QFETCH(QString, box);
        screen("Alpha")->setMoviePlayerType(PlayerType::Platform);
        screen("Gamma")->setMoviePlayerType(PlayerType::BuiltIn);
        const QList<KvScreen*> selected = screens(selection);
        select(selected);
        auto* check = screenField<QCheckBox>(box);
        QVERIFY(check->isEnabled());
        // The box, the canvas items' locks and the position and size fields follow the screens.
        auto shows = [&](Qt::CheckState state) {
            bool itemsFollow = true;
            for (KvScreen* s : selected)
                itemsFollow = itemsFollow && item(s)->isLocked() == s->lockScreen();
            const bool locked =
                screenField<QCheckBox>("checkBox_Locked")->checkState() != Qt::Unchecked;
            return check->checkState() == state && itemsFollow &&
                   screenField<QGroupBox>("groupBox_Position")->isEnabled() == !locked &&
                   screenField<QGroupBox>("groupBox_Size")->isEnabled() == !locked;
        };
        const Qt::CheckState before = check->checkState();
        QVERIFY(shows(before));
        click(check);
        QCOMPARE(m_stack->count(), 1);
        QVERIFY(shows(before == Qt::Checked ? Qt::Unchecked : Qt::Checked));
        undo();
        QVERIFY(shows(before));
        QCOMPARE(m_area->selectedScreens(), selected);
    }

    // Zooming redraws the selection frame; the panel keeps showing the screen's own values.
    void zoomKeepsThePanelValues()
    {
        select({screen("Beta")});
        for (int percent : {100, 200, 25, 50}) {
            m_area->setZoomRate(percent);
            settle();
            QCOMPARE(screenFields(), BetaRect.toRect());
        }
        QCOMPARE(m_stack->count(), 0);
    }

    // Removing the selected screen leaves the panel empty; undoing shows the screen again.
    void removingTheSelectionClearsThePanel()
    {
        KvScreen* alpha = screen("Alpha");
        select({alpha});
        m_editor->action_removeSelectedScreens();
        settle();
        QCOMPARE(m_stack->count(), 1);
        QVERIFY(m_editor->screenPropertyWidget()->screens().isEmpty());
        undo();
        QCOMPARE(m_editor->screenPropertyWidget()->screens(), QList<KvScreen*>{alpha});
    }

    // ---- tabs --------------------------------------------------------------------------------

    // Two tabs: the panels show the current tab's stage and selection, and their edits and the
    // undo go to its own stack.
    void editsGoToTheCurrentTab()
    {
        KvStageWidget* stages = m_editor->stageWidget();
        const QString second = m_data->stagePath("Second.xml");
        QVERIFY(Test::writeStage(second, QSize(1280, 720), 1));
        m_editor->onStageHasBeenSelected({second});
        settle();
        QCOMPARE(stages->currentTabIndex(), 1);
        KvStageWorkingArea* secondArea = stages->currentStageWorkingArea();
        QVERIFY(secondArea != m_area);

        auto* width = stageField<QSpinBox>("spinBox_Width");
        QCOMPARE(width->value(), 1280);
        QCOMPARE(stageField<QLabel>("label_Name")->text(), QString("Stage Name: Second"));
        typeInto(width, "1024");
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(secondArea->undoStack()->count(), 1);
        QCOMPARE(m_stack->count(), 0);
        QCOMPARE(secondArea->stage()->rect().size(), QSize(1024, 720));
        stages->selectScreenItem({secondArea->stage()->screenList().value(0)}, true, true);
        settle();
        QCOMPARE(screenField<QLineEdit>("lineEdit_Name")->text(), QString("S1"));

        stages->setCurrentStageTab(0);
        settle();
        QCOMPARE(m_editor->undoGroup()->activeStack(), m_stack);
        QCOMPARE(width->value(), StageRect.width());
        QCOMPARE(stageField<QLabel>("label_Name")->text(), QString("Stage Name: Panels"));
        QVERIFY(screenField<QLineEdit>("lineEdit_Name")->text().isEmpty());
        // Nothing to undo on this tab.
        undo();
        QCOMPARE(secondArea->stage()->rect().size(), QSize(1024, 720));

        stages->setCurrentStageTab(1);
        settle();
        QCOMPARE(width->value(), 1024);
        undo();
        QCOMPARE(secondArea->stage()->rect().size(), QSize(1280, 720));
        QCOMPARE(width->value(), 1280);
    }

    void closingTheTabClearsBothPanels()
    {
        select({screen("Alpha")});
        m_area->resetInitialStage();
        m_editor->stageWidget()->closeCurrentStage();
        settle();
        QCOMPARE(m_editor->stageWidget()->openedStageCount(), 0);
        QVERIFY(!m_editor->stagePropertyWidget()->currentStage());
        QCOMPARE(stageField<QLabel>("label_Name")->text(), QString("Stage Name: "));
        QVERIFY(m_editor->screenPropertyWidget()->screens().isEmpty());
        // Nothing left to act on: a late edit from the panels changes nothing and does not crash.
        auto* width = stageField<QSpinBox>("spinBox_Width");
        typeInto(width, "500");
        QTest::keyClick(width, Qt::Key_Return);
        m_editor->action_undo();
        settle();
        QCOMPARE(m_editor->stageWidget()->openedStageCount(), 0);
        QVERIFY(!stageField<QWidget>("scrollAreaWidgetContents")->isEnabled());
    }
};

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
