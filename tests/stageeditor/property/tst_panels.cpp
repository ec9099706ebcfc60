// The property panels inside a running editor: what they show for the current stage and the
// selected screens, every panel edit one command on the current tab's stack, and undo and the
// canvas flowing back into the panels. What undo and redo of each command restore is tested in
// tst_commands.

// Mouse moves must carry the pressed button, so the canvas is driven through the window
// system layer (as a user does) rather than by moving the cursor.
#define QTEST_QPA_MOUSE_HANDLING

#include "kvcolorwidget.h"
#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kveditorteardown.h"
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

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMimeData>
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
const QRectF AlphaRect(100, 100, 400, 300);         // multimedia, blue
const QRectF BetaRect(600, 100, 400, 200);          // telop, yellow
const QRectF GammaRect(100.4, 500.6, 300.5, 200.2); // multimedia, locked
const char* const ImageFile = "image/sunrise.png";

// Lets the queued reports of the canvas (the selection frame) arrive.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// The user moves on to another widget: editing finishes once more.
void leave(QWidget* widget)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &out);
}

void click(QAbstractButton* button)
{
    QTest::keyClick(button, Qt::Key_Space);
}

// The value a position or size field shows for `rect`.
int fieldValue(const QString& field, const QRect& rect)
{
    return field.endsWith("Left")    ? rect.left()
           : field.endsWith("Top")   ? rect.top()
           : field.endsWith("Width") ? rect.width()
                                     : rect.height();
}

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private:
    QWidget* stagePanel() const { return m_editor->stagePropertyWidget(); }
    QWidget* screenPanel() const { return m_editor->screenPropertyWidget(); }
    template <typename T> T* stageField(const QString& name) const
    {
        return stagePanel()->findChild<T*>(name);
    }
    template <typename T> T* screenField(const QString& name) const
    {
        return screenPanel()->findChild<T*>(name);
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
        return QRectF(item(s)->pos(), QSizeF(item(s)->width(), item(s)->height()));
    }
    QRect screenFields() const
    {
        const auto value = [this](const char* name) {
            return screenField<QSpinBox>(name)->value();
        };
        return QRect(value("spinBox_Left"), value("spinBox_Top"), value("spinBox_Width"),
                     value("spinBox_Height"));
    }
    // What the screen panel shows, one entry a field (position and size one each); "-" marks a
    // field that cannot be edited.
    QStringList screenShown() const
    {
        const auto entry = [](QWidget* w, const QString& text) {
            return (w->isEnabled() ? QString() : QStringLiteral("-")) + text;
        };
        const QRect r = screenFields();
        auto* name = screenField<QLineEdit>("lineEdit_Name");
        QStringList list{screenField<QLabel>("label_ScreenId")->text(),
                         screenField<QLabel>("label_ScreenType")->text(),
                         entry(name, name->text()),
                         screenField<KvColorWidget>("widget_BackgroundColor")->backColor().name(),
                         entry(screenField<QGroupBox>("groupBox_Position"),
                               QString("%1,%2").arg(r.x()).arg(r.y())),
                         entry(screenField<QGroupBox>("groupBox_Size"),
                               QString("%1x%2").arg(r.width()).arg(r.height()))};
        for (const char* box : {"checkBox_Locked", "checkBox_GraphicsType",
                                "checkBox_MoviePlayerType", "checkBox_WebBrowserType"}) {
            auto* check = screenField<QCheckBox>(box);
            list << entry(check, QString::number(check->checkState()));
        }
        return list;
    }
    // The stage panel's name, X, Y, W, H and colour.
    QString stageShown() const
    {
        const auto text = [this](const char* name) { return stageField<QSpinBox>(name)->text(); };
        return QString("%1 %2,%3 %4x%5 %6")
            .arg(stageField<QLabel>("label_Name")->text(), text("spinBox_Left"),
                 text("spinBox_Top"), text("spinBox_Width"), text("spinBox_Height"),
                 stageField<KvColorWidget>("widget_BackgroundColor")->backColor().name());
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
            stage.setBackgroundColor(QColor(10, 20, 30));
            Test::addScreen(&stage, 1, ScreenType::Multimedia, AlphaRect, "Alpha")
                ->setBackgoundColor(Qt::blue);
            Test::addScreen(&stage, 2, ScreenType::Telop, BetaRect, "Beta")
                ->setBackgoundColor(Qt::yellow);
            Test::addScreen(&stage, 3, ScreenType::Multimedia, GammaRect, "Gamma", 3, true);
            Test::addScreen(&stage, 4, ScreenType::Extended, QRectF(1200, 600, 200, 100), "Delta");
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
        Test::discardEditor(m_editor, m_window);
        m_data.reset();
    }

    void screensShown_data()
    {
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char* name, QStringList selection, QStringList shown) {
            QTest::newRow(name) << selection << shown;
        };
        row("multimedia", {"Alpha"},
            {"ID: 1", "Screen Type: multimedia", "Alpha", "#0000ff", "100,100", "400x300", "0",
             "-0", "2", "2"});
        row("telop", {"Beta"},
            {"ID: 2", "Screen Type: telop", "Beta", "#ffff00", "600,100", "400x200", "0", "0", "-0",
             "-0"});
        row("locked, rounded", {"Gamma"},
            {"ID: 3", "Screen Type: multimedia", "Gamma", "#000000", "-100,501", "-301x200", "2",
             "-0", "0", "0"});
        row("extended", {"Delta"},
            {"ID: 4", "Screen Type: extended", "Delta", "#000000", "1200,600", "200x100", "0", "-0",
             "-0", "-0"});
        row("two types", {"Alpha", "Beta"},
            {"ID: ", "Screen Type: ", "-", "#a0a0a4", "100,100", "900x300", "0", "-0", "-1", "-1"});
        row("locked and unlocked", {"Alpha", "Gamma"},
            {"ID: ", "Screen Type: ", "-", "#a0a0a4", "-100,100", "-400x601", "1", "-0", "1", "1"});
        row("none", {},
            {"ID: ", "Screen Type: ", "-", "#a0a0a4", "-0,0", "-0x0", "-0", "-0", "-0", "-0"});
    }

    // One screen shows its values (position and size rounded) and the options of its type; a
    // locked one cannot be moved or resized from the panel. Several show the union of their
    // rectangles and, per option, checked when all have it and mixed when some have it; id and
    // name belong to one screen only, the options to one common type. No selection clears and
    // disables the panel.
    void screensShown()
    {
        QFETCH(QStringList, selection);
        screen("Alpha")->setMoviePlayerType(PlayerType::Platform);
        screen("Alpha")->setWebBrowserType(PlayerType::Platform);
        screen("Gamma")->setMoviePlayerType(PlayerType::BuiltIn);
        select(screens(selection));
        QTEST(screenShown(), "shown");
        QCOMPARE(screenField<QWidget>("scrollAreaWidgetContents")->isEnabled(),
                 !selection.isEmpty());
        QCOMPARE(m_stack->count(), 0);
    }

    // X, Y, W and H of the stage (no selection) or of the selected screens.
    void numberField_data()
    {
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed"); // empty: the focus only passes through
        QTest::addColumn<int>("finish");    // a key, or 0 for the focus leaving
        QTest::addColumn<QList<QRectF>>("expected");
        const auto row = [](const char* name, QStringList selection, const char* field,
                            const char* typed, int finish, QList<QRectF> rects) {
            QTest::newRow(name) << selection << QString("spinBox_") + field << QString(typed)
                                << finish << rects;
        };
        const int Return = Qt::Key_Return;
        row("stage width", {}, "Width", "1280", Return, {QRectF(0, 0, 1280, 1080)});
        row("stage height", {}, "Height", "720", Qt::Key_Enter, {QRectF(0, 0, 1920, 720)});
        row("stage y", {}, "Top", "30", 0, {QRectF(0, 30, 1920, 1080)});
        // A size cannot be negative: the minus sign is refused.
        row("stage width typed negative", {}, "Width", "-5", 0, {QRectF(0, 0, 5, 1080)});
        // No value gets through that the stage file cannot hold: the last digit is refused.
        row("stage width beyond the largest", {}, "Width", "167772150", Return,
            {QRectF(0, 0, 16777215, 1080)});
        row("stage x beyond the smallest", {}, "Left", "-167772150", 0,
            {QRectF(-16777215, 0, 1920, 1080)});
        row("screen y", {"Alpha"}, "Top", "40", 0, {QRectF(100, 40, 400, 300)});
        row("screen height typed negative", {"Alpha"}, "Height", "-150", Qt::Key_Enter,
            {QRectF(100, 100, 400, 150)});
        // With two screens X is the left of both: typing it moves both in one command.
        row("x of two screens", {"Alpha", "Beta"}, "Left", "50", Return,
            {AlphaRect.translated(-50, 0), BetaRect.translated(-50, 0)});
        row("focus passing through", {"Alpha"}, "Left", "", 0, {AlphaRect});
    }

    // Typing resizes the stage or moves and resizes the screens on the canvas at once, while the
    // canvas reports the selection back between the keys without overwriting the digits typed
    // so far. The end of the editing (Return, Enter or the focus leaving) records one command,
    // and only after a change; leaving the field again records nothing more. Undo shows on the
    // canvas and in the field, and leaving the field after an undo keeps the redo.
    void numberField()
    {
        QFETCH(QStringList, selection);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, finish);
        QFETCH(QList<QRectF>, expected);
        const QList<KvScreen*> selected = screens(selection);
        const bool ofStage = selected.isEmpty();
        if (!ofStage)
            select(selected);
        // The stage's or the screens' rectangles, or those the canvas shows (of the stage only
        // the size, placed where it is expected).
        const auto rects = [&](bool items) {
            QList<QRectF> list;
            if (ofStage)
                list << (items ? QRectF(expected[0].topLeft(), m_area->stageItem()->rect().size())
                               : QRectF(m_stage->rect()));
            for (KvScreen* s : selected)
                list << (items ? itemRect(s) : s->rect());
            return list;
        };
        const QList<QRectF> old = rects(false);
        QRectF united; // what the fields show for the whole selection
        for (const QRectF& rect : expected)
            united = united.isNull() ? rect : united.united(rect);
        auto* box = (ofStage ? stagePanel() : screenPanel())->findChild<QSpinBox*>(field);
        QVERIFY(box && box->isEnabled());
        const int oldValue = box->value();

        box->selectAll();
        for (const QChar key : typed) {
            QTest::keyClicks(box, QString(key));
            settle();
        }
        QCOMPARE(box->value(), fieldValue(field, united.toRect()));
        QCOMPARE(rects(true), expected);
        QCOMPARE(rects(false), old);
        QCOMPARE(m_stack->count(), 0);
        if (finish)
            QTest::keyClick(box, Qt::Key(finish));
        else
            leave(box);
        leave(box);
        settle();
        const bool changes = expected != old;
        QCOMPARE(m_stack->count(), int(changes));
        QCOMPARE(rects(false), expected);
        QCOMPARE(box->value(), fieldValue(field, united.toRect()));
        QCOMPARE(unsavedMark(), changes);
        if (!changes)
            return;
        undo();
        QCOMPARE(rects(false), old);
        QCOMPARE(box->value(), oldValue);
        QCOMPARE(m_area->selectedScreens(), selected);
        leave(box);
        QVERIFY(m_stack->canRedo());
        // Back at the saved values, closing the tab would ask nothing.
        QVERIFY(!m_editor->stageWidget()->isCurrentStageChangedFromInitial());
    }

    // A wheel turned over a box without the focus scrolls the panel instead: a changed value
    // would move or resize something that no command records.
    void strayWheelChangesNothing()
    {
        select({screen("Alpha")});
        for (QWidget* panel : {stagePanel(), screenPanel()}) {
            for (QSpinBox* box : panel->findChildren<QSpinBox*>()) {
                QVERIFY(!box->hasFocus());
                const int before = box->value();
                const QPointF at = box->rect().center();
                QWheelEvent wheel(at, box->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, -120),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(box, &wheel);
                QCOMPARE(box->value(), before);
            }
        }
    }

    // Each click on a resize option is one command (unchecking the desktop size takes the
    // automatic adjustment along and disables it); undo shows in both boxes.
    void stageOptions()
    {
        auto* desktop = stageField<QCheckBox>("checkBox_UseDesktopSize");
        auto* adjustment = stageField<QCheckBox>("checkBox_AutomaticAdjustment");
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
        QTest::addColumn<QString>("how");       // a drop of "urls", of the "library"'s list or of a
                                                // "text"; the "picker" or its "cancel"
        QTest::addColumn<QStringList>("files"); // in the data folder
        QTest::addColumn<QString>("stored");    // the stage's image; empty: none
        const auto row = [](const char* name, const char* how, QStringList files,
                            const char* stored) {
            QTest::newRow(name) << QString(how) << files << QString(stored);
        };
        row("png from the desktop", "urls", {ImageFile}, ImageFile);
        row("upper-case JPG", "library", {"image/photo.JPG"}, "image/photo.JPG");
        // The library's list: percent-encoded, empty entries skipped, the first one taken.
        row("first of the library's list", "library", {"image/with space.png", ImageFile},
            "image/with space.png");
        row("movie", "library", {"movie/clip.mp4"}, "");
        row("a text, not a file", "text", {}, "");
        row("picked", "picker", {ImageFile}, ImageFile);
        row("picker cancelled", "cancel", {}, "");
    }

    // A file dragged over the field highlights it. An image file dropped there, or chosen in the
    // picker that checking "Use Background Image" opens, is one command; it is stored relative
    // to the data folder and shown by the panel and the canvas. Any other file is refused with
    // a box; a cancelled picker records nothing. Unchecking the box removes the image in one
    // command.
    void backgroundImage()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, files);
        QFETCH(QString, stored);
        if (!stored.isEmpty())
            QVERIFY(Test::writeImage(m_data->filePath(stored)));
        auto* edit = stageField<QLineEdit>("lineEdit_BackgroundImage");
        auto* use = stageField<QCheckBox>("checkBox_BackgroundImage");
        auto shows = [&](const QString& image) {
            const QPixmap* picture = m_area->stageItem()->backgroundPicture();
            return m_stage->backgroundImage() == image && edit->toolTip() == image &&
                   !edit->font().strikeOut() && edit->text() == QDir::toNativeSeparators(image) &&
                   use->isChecked() == !image.isEmpty() &&
                   (picture && !picture->isNull()) == !image.isEmpty();
        };
        auto highlighted = [this] {
            auto* frame = stageField<QWidget>("widget_outer_lineEdit_BackgroundImage");
            return frame->autoFillBackground() &&
                   frame->palette().color(QPalette::Window) == QColor(Qt::cyan);
        };
        const bool picker = how == "picker" || how == "cancel";
        const bool refused = !picker && !files.isEmpty() && stored.isEmpty();
        KvModalWatcher watcher;
        if (picker) {
            const QString path = m_data->filePath(files.value(0));
            watcher.answerWith([path, how](QWidget* widget) {
                auto* dialog = qobject_cast<QFileDialog*>(widget);
                if (dialog && how == "picker")
                    KvModalWatcher::acceptFile(dialog, path);
                else
                    widget->close();
            });
            click(use);
            QCOMPARE(watcher.seen().value(0).className, QString("QFileDialog"));
        } else {
            QMimeData mime;
            QByteArray list;
            QList<QUrl> urls;
            for (const QString& file : files) {
                urls.append(QUrl::fromLocalFile(m_data->filePath(file)));
                list += urls.last().toEncoded() + "\r\n\r\n";
            }
            if (how == "text")
                mime.setText(QStringLiteral("not a file"));
            else if (how == "urls")
                mime.setUrls(urls);
            else
                mime.setData(KvEditorCommon::MIME_TYPE_URI, list);
            const QPoint pos = edit->rect().center();
            QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit, &enter);
            QCOMPARE(enter.isAccepted(), how != "text");
            QCOMPARE(highlighted(), how != "text");
            QDragLeaveEvent leaveEvent;
            QApplication::sendEvent(edit, &leaveEvent);
            QVERIFY(!highlighted());
            if (how != "text") {
                watcher.answer(QMessageBox::Ok);
                QApplication::sendEvent(edit, &enter);
                QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(edit, &drop);
                QVERIFY(drop.isAccepted());
                QVERIFY(!highlighted());
            }
        }
        settle();
        QCOMPARE(watcher.count(), picker || refused ? 1 : 0);
        if (refused) {
            QCOMPARE(watcher.seen().at(0).title, QStringLiteral("File type is invalid."));
            QCOMPARE(watcher.seen().at(0).text,
                     QStringLiteral("This file can not be used as a background image."));
        }
        QCOMPARE(m_stack->count(), stored.isEmpty() ? 0 : 1);
        QVERIFY(shows(stored));
        if (stored.isEmpty())
            return;
        click(use);
        QCOMPARE(m_stack->count(), 2);
        QVERIFY(shows(QString()));
        undo();
        QVERIFY(shows(stored));
        undo();
        QVERIFY(shows(QString()));
    }

    // A stage whose background image file is missing shows the name struck out, with the red
    // sign, and reports it in one box: a refresh after a command and a switch to another tab
    // and back give no second one.
    void missingBackgroundImage()
    {
        const QString missing = m_data->stagePath("Missing.xml");
        std::unique_ptr<KvStage> stage(Test::makeStage(missing, QSize(800, 600), 0));
        stage->setBackgroundImage("image/deleted.png");
        QVERIFY(stage->writeToFile());
        auto* edit = stageField<QLineEdit>("lineEdit_BackgroundImage");
        auto marked = [&](bool on) {
            return edit->font().strikeOut() == on &&
                   stageField<QLabel>("label_BkImageNone")->isHidden() == !on &&
                   (edit->toolTip() == "Background Image can not be found.") == on;
        };
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);
        m_editor->onStageHasBeenSelected({missing});
        settle();
        QVERIFY(marked(true));
        QCOMPARE(edit->text(), QDir::toNativeSeparators("image/deleted.png"));
        click(stageField<QCheckBox>("checkBox_UseDesktopSize"));
        undo();
        m_editor->stageWidget()->setCurrentStageTab(0);
        settle();
        QVERIFY(marked(false));
        m_editor->stageWidget()->setCurrentStageTab(1);
        settle();
        QVERIFY(marked(true));
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().at(0).title, QString("No Background File"));
        QCOMPARE(watcher.seen().at(0).text,
                 "The background image file of the stage is not found.\nPlease check the "
                 "library.\n\nFile: " +
                     QDir::toNativeSeparators("image/deleted.png"));
    }

    // A narrow panel wraps its groups onto more rows.
    void narrowPanelWraps()
    {
        for (QWidget* panel : {stagePanel(), screenPanel()}) {
            auto* position = panel->findChild<QGroupBox*>("groupBox_Position");
            auto* size = panel->findChild<QGroupBox*>("groupBox_Size");
            panel->resize(1600, 400);
            QTRY_COMPARE(size->y(), position->y());
            panel->resize(position->width() + 40, 400);
            QTRY_VERIFY(size->y() > position->y());
        }
    }

    void backgroundColor_data()
    {
        QTest::addColumn<bool>("ofScreen");
        QTest::newRow("stage") << false;
        QTest::newRow("screen") << true;
    }

    // A colour picked in the colour dialog is one command for the stage or the selected screen,
    // shown by the canvas and the panel, and so is its undo. The dialog opened again and
    // cancelled records nothing.
    void backgroundColor()
    {
        QFETCH(bool, ofScreen);
        KvScreen* beta = screen("Beta");
        if (ofScreen)
            select({beta});
        auto* color = (ofScreen ? screenPanel() : stagePanel())
                          ->findChild<KvColorWidget*>("widget_BackgroundColor");
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
        // Zooming redraws the selection frame; the panel keeps showing the screen's own values.
        row("zoom", "Beta", "zoom", false);
    }

    // A move or resize on the canvas is one command, and the panel follows (rounded) without
    // sending anything back; undoing it shows the old values. A gesture that changes nothing
    // records nothing (no empty step, no unsaved mark).
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
        } else if (gesture == "zoom") {
            for (int percent : {200, 25, 50}) {
                m_area->setZoomRate(percent);
                settle();
            }
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
    // editing ends, and undo shows the old name. A name another screen has is refused with one
    // box (which takes the focus and so ends the editing once more) and put back everywhere.
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
        row("movie players that differ", {"Alpha", "Gamma"}, "MoviePlayerType");
        row("web browser", {"Alpha"}, "WebBrowserType");
    }

    // Each click on a check box is one command for every selected screen; a mixed box (the
    // screens differ) becomes checked and from then on only toggles. Undo shows the old states
    // again, down to the mixed one; a locked selection cannot be moved or resized from the
    // panel.
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
        QList<Qt::CheckState> states{check->checkState()};
        QVERIFY(shows(states.last()));
        for (int i = 1; i <= 3; ++i) {
            states << (states.last() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            click(check);
            QCOMPARE(m_stack->count(), i);
            QVERIFY2(shows(states.last()), qPrintable(QString("after click %1").arg(i)));
        }
        for (int i = 2; i >= 0; --i) {
            undo();
            QVERIFY2(shows(states.at(i)), qPrintable(QString("after undo to %1").arg(i)));
        }
        QCOMPARE(m_area->selectedScreens(), selected);
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

    // Two tabs: the panels show the current tab's stage and selection, switching records
    // nothing, and the panels' edits and the undo go to the current tab's own stack.
    void editsGoToTheCurrentTab()
    {
        KvStageWidget* stages = m_editor->stageWidget();
        const QString second = m_data->stagePath("Second.xml");
        QVERIFY(Test::writeStage(second, QSize(1280, 720), 1, ""));
        m_editor->onStageHasBeenSelected({second});
        settle();
        QCOMPARE(stages->currentTabIndex(), 1);
        KvStageWorkingArea* secondArea = stages->currentStageWorkingArea();
        QVERIFY(secondArea != m_area);

        // A stage without a name of its own is shown by its file name.
        QCOMPARE(stageShown(), QString("Stage Name: Second.xml 0,0 1280x720 #000000"));
        auto* width = stageField<QSpinBox>("spinBox_Width");
        typeInto(width, "1024");
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(secondArea->undoStack()->count(), 1);
        QCOMPARE(secondArea->stage()->rect().size(), QSize(1024, 720));
        stages->selectScreenItem({secondArea->stage()->screenList().value(0)}, true, true);
        settle();
        QCOMPARE(screenField<QLineEdit>("lineEdit_Name")->text(), QString("S1"));

        stages->setCurrentStageTab(0);
        settle();
        QCOMPARE(m_editor->undoGroup()->activeStack(), m_stack);
        QCOMPARE(stageShown(), QString("Stage Name: Panels 0,0 1920x1080 #0a141e"));
        QVERIFY(screenField<QLineEdit>("lineEdit_Name")->text().isEmpty());
        undo(); // nothing to undo on this tab
        QCOMPARE(secondArea->stage()->rect().size(), QSize(1024, 720));
        QCOMPARE(m_stack->count() + secondArea->undoStack()->count(), 1);

        stages->setCurrentStageTab(1);
        settle();
        QCOMPARE(width->value(), 1024);
        undo();
        QCOMPARE(secondArea->stage()->rect().size(), QSize(1280, 720));
        QCOMPARE(width->value(), 1280);
    }

    // Closing the last tab clears and disables both panels; a late edit from them changes
    // nothing and does not crash.
    void closingTheTabClearsBothPanels()
    {
        select({screen("Alpha")});
        m_area->resetInitialStage();
        m_editor->stageWidget()->closeCurrentStage();
        settle();
        QCOMPARE(m_editor->stageWidget()->openedStageCount(), 0);
        QVERIFY(!m_editor->stagePropertyWidget()->currentStage());
        QCOMPARE(stageShown(), QString("Stage Name:  , x #a0a0a4"));
        QVERIFY(!stageField<QWidget>("scrollAreaWidgetContents")->isEnabled());
        QVERIFY(m_editor->screenPropertyWidget()->screens().isEmpty());
        auto* width = stageField<QSpinBox>("spinBox_Width");
        typeInto(width, "500");
        QTest::keyClick(width, Qt::Key_Return);
        undo();
        QCOMPARE(m_editor->stageWidget()->openedStageCount(), 0);
    }
};

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"