// Mouse moves must carry the pressed button, so the canvas is driven through the window
// system layer (as a user does) rather than by moving the cursor.
#define QTEST_QPA_MOUSE_HANDLING

#include "kvmodalwatcher.h"

#include "kvcolorwidget.h"
#include "kveditorcommon.h"
#include "kveditorconfig.h"
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
#include "screentype.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUrl>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Kova;

namespace {

const QRect StageRect(0, 0, 1920, 1080);
const QColor StageColor(10, 20, 30);
const QRectF AlphaRect(100, 100, 400, 300);
const QRectF BetaRect(600, 100, 400, 200);
const QRectF GammaRect(100, 500, 300, 200);
const char* const ImageFile = "image/sunrise.png";
const char* const MovieFile = "movie/intro.mp4";

// What a message box said when it was answered.
struct BoxRecord
{
    QString title;
    QString text;
};

// A watcher answer that records the message box and presses OK.
std::function<void(QWidget*)> recordBox(QList<BoxRecord>* records)
{
    return [records](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box) {
            widget->close();
            return;
        }
        records->append({box->windowTitle(), box->text()});
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    };
}

// A watcher answer that picks a colour in the colour dialog.
std::function<void(QWidget*)> pickColor(const QColor& color)
{
    return [color](QWidget* widget) {
        auto* dialog = qobject_cast<QColorDialog*>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        dialog->setCurrentColor(color);
        dialog->accept();
    };
}

KvScreen* makeScreen(ScreenType::ScreenTypes type, int id, const QString& name, const QRectF& rect,
                     int z, bool locked = false)
{
    auto* screen = new KvScreen(type, id);
    screen->setName(name);
    screen->setRect(rect);
    screen->setZIndex(z);
    screen->setLockScreen(locked);
    return screen;
}

// Player options: a checked movie or web box is the platform player (1), graphics 2.
int optionValue(const KvScreen* screen, int which)
{
    switch (which) {
    case 0:
        return screen->graphicsType();
    case 1:
        return screen->moviePlayerType();
    default:
        return screen->webBrowserType();
    }
}

bool optionChecked(int which, int value)
{
    return which == 0 ? value == GraphicsType::DirectX : value == PlayerType::Platform;
}

} // namespace

class TstPanels : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Stage property panel.
    void stageNumberFieldIsOneCommand_data();
    void stageNumberFieldIsOneCommand();
    void stageValueUnchangedRecordsNothing_data();
    void stageValueUnchangedRecordsNothing();
    void stageSizeIsLiveWhileTyping();
    void stageBackgroundColor();
    void stageOptions_data();
    void stageOptions();
    void backgroundImageDrop();
    void backgroundImageDropOfAMovieIsRefused();
    void backgroundImageUnchecked();
    void missingBackgroundImageIsReportedOnce();
    void backgroundImagePicker_data();
    void backgroundImagePicker();

    // Screen property panel.
    void clickOnCanvasShowsScreen();
    void screenNumberFieldIsOneCommand_data();
    void screenNumberFieldIsOneCommand();
    void typingWithTheCanvasAnsweringBetweenKeys();
    void canvasDragUpdatesPanelWithoutEcho();
    void canvasResizeUpdatesPanelWithoutEcho();
    void typingXMovesTheWholeSelection();
    void arrowNudgeUpdatesPanelWithoutEcho();
    void canvasGestureWithoutChangeRecordsNothing_data();
    void canvasGestureWithoutChangeRecordsNothing();
    void renameIsOneCommand_data();
    void renameIsOneCommand();
    void duplicateNameIsRefused();
    void lockIsOneCommand();
    void mixedLockShowsPartialState();
    void optionBoxes_data();
    void optionBoxes();
    void mixedOptionShowsPartialStateThroughUndo();
    void zoomKeepsThePanelValues();
    void screenBackgroundColor();
    void colorOfTwoScreensIsOneCommand();
    void multimediaAndTelopDisableOptionsAndName();
    void removingTheSelectionClearsThePanel();
    void clearingSelectionClearsPanel();

    // Tabs.
    void unsavedMarkFollowsPanelEdits();
    void editsGoToTheCurrentTab();
    void closingTheTabClearsBothPanels();

private:
    QString dataPath(const QString& relative) const
    {
        return QDir(m_dataDir->path()).absoluteFilePath(relative);
    }
    template <typename T> T* stageField(const char* name) const
    {
        return m_editor->stagePropertyWidget()->findChild<T*>(QLatin1String(name));
    }
    template <typename T> T* screenField(const char* name) const
    {
        return m_editor->screenPropertyWidget()->findChild<T*>(QLatin1String(name));
    }
    KvScreen* screen(const QString& name) const
    {
        for (KvScreen* s : m_stage->screenList()) {
            if (s->name() == name)
                return s;
        }
        return nullptr;
    }
    KvScreenItem* item(KvScreen* s) const { return m_area->scene()->screenItemOf(s); }
    QRectF itemRect(KvScreen* s) const
    {
        KvScreenItem* i = item(s);
        return QRectF(i->pos(), QSizeF(i->width(), i->height()));
    }
    void select(const QList<KvScreen*>& screens)
    {
        m_editor->stageWidget()->selectScreenItem(screens, true, true);
        settle();
    }
    // Lets the queued reports of the canvas (the selection frame) arrive.
    static void settle()
    {
        QTest::qWait(20);
        QCoreApplication::processEvents();
    }
    static void typeInto(QSpinBox* box, int value)
    {
        box->selectAll();
        QTest::keyClicks(box, QString::number(value));
    }
    static void typeInto(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
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
    void redo()
    {
        m_editor->action_redo();
        settle();
    }
    void drop(const QString& path);
    QPoint viewPoint(const QPointF& scenePos) const
    {
        return m_area->view()->mapFromScene(scenePos);
    }

    std::unique_ptr<QTemporaryDir> m_dataDir;
    std::unique_ptr<QMainWindow> m_window;
    std::unique_ptr<KvStageEditor> m_editor;
    KvStageWorkingArea* m_area = nullptr;
    KvStage* m_stage = nullptr;
    QUndoStack* m_stack = nullptr;
};

void TstPanels::init()
{
    m_dataDir.reset(new QTemporaryDir);
    QVERIFY(m_dataDir->isValid());
    const QDir dir(m_dataDir->path());
    for (const char* folder : {"stage", "channel", "image", "movie"})
        QVERIFY(dir.mkpath(QLatin1String(folder)));
    QImage picture(64, 36, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(dataPath(ImageFile)));
    {
        QFile movie(dataPath(MovieFile));
        QVERIFY(movie.open(QIODevice::WriteOnly));
        movie.write("not really a movie");
    }
    KvEditorConfig::setDataDir(m_dataDir->path());

    const QString stagePath = dataPath("stage/Panels.xml");
    {
        KvStage stage(stagePath);
        stage.setName(QStringLiteral("Panels"));
        stage.setRect(StageRect);
        stage.setBackgroundColor(StageColor);
        stage.addScreen(makeScreen(ScreenType::Multimedia, 1, "Alpha", AlphaRect, 1));
        stage.addScreen(makeScreen(ScreenType::Telop, 2, "Beta", BetaRect, 2));
        stage.addScreen(makeScreen(ScreenType::Multimedia, 3, "Gamma", GammaRect, 3, true));
        QVERIFY(stage.writeToFile());
    }

    m_window.reset(new QMainWindow);
    m_window->setGeometry(50, 50, 1400, 1000);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_editor.reset(new KvStageEditor(m_window.get()));
    {
        // The stage chooser that the first layout opens is cancelled.
        KvModalWatcher watcher;
        QVERIFY(m_editor->exec());
        QTRY_VERIFY(watcher.count() >= 1);
        QTest::qWait(100);
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    m_editor->onStageHasBeenSelected({stagePath});
    settle();
    QCOMPARE(m_editor->stageWidget()->openedStageCount(), 1);
    m_area = m_editor->stageWidget()->currentStageWorkingArea();
    QVERIFY(m_area);
    m_stage = m_area->stage();
    m_stack = m_area->undoStack();
    QVERIFY(m_stage && m_stack);
    QCOMPARE(m_editor->undoGroup()->activeStack(), m_stack);
    QCOMPARE(m_stage->screenList().count(), 3);
    QCOMPARE(m_editor->stagePropertyWidget()->currentStage(), m_stage);
    QCOMPARE(m_stack->count(), 0);
    QVERIFY(m_area->view()->isVisible());
}

void TstPanels::cleanup()
{
    KvModalWatcher watcher;
    // Tabs left open must not ask anything on the way out.
    if (m_editor && m_editor->stageWidget()) {
        for (KvStageWorkingArea* area : m_editor->stageWidget()->stageWorkingAreaList())
            area->resetInitialStage();
    }
    m_area = nullptr;
    m_stage = nullptr;
    m_stack = nullptr;
    m_editor.reset();
    m_window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_dataDir.reset();
}

void TstPanels::drop(const QString& path)
{
    auto* edit = stageField<QLineEdit>("lineEdit_BackgroundImage");
    QVERIFY(edit);
    QMimeData mime;
    mime.setData(KvEditorCommon::MIME_TYPE_URI, QUrl::fromLocalFile(path).toEncoded() + "\r\n");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &dropEvent);
    settle();
}

// ---- stage property panel --------------------------------------------------------------

void TstPanels::stageNumberFieldIsOneCommand_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("width") << "spinBox_Width" << 1280 << QRect(0, 0, 1280, 1080);
    QTest::newRow("height") << "spinBox_Height" << 720 << QRect(0, 0, 1920, 720);
    QTest::newRow("left") << "spinBox_Left" << -50 << QRect(-50, 0, 1920, 1080);
    QTest::newRow("top") << "spinBox_Top" << 30 << QRect(0, 30, 1920, 1080);
}

// Typing records nothing; editing finished records one command; leaving the field after
// that records nothing more; undo and redo show in the model, the canvas and the field.
void TstPanels::stageNumberFieldIsOneCommand()
{
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(QRect, expected);
    auto* box = stageField<QSpinBox>(field.toLatin1().constData());
    QVERIFY(box);
    QVERIFY(box->isEnabled());
    QCOMPARE(m_stage->rect(), StageRect);
    const int oldValue = box->value();

    typeInto(box, value);
    QCOMPARE(m_stack->count(), 0);
    QCOMPARE(m_stage->rect().topLeft(), StageRect.topLeft());
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(m_stage->rect(), expected);
    leave(box);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(m_area->stageItem()->rect().size(), QSizeF(expected.size()));

    undo();
    QCOMPARE(m_stage->rect(), StageRect);
    QCOMPARE(box->value(), oldValue);
    QCOMPARE(m_area->stageItem()->rect().size(), QSizeF(StageRect.size()));
    redo();
    QCOMPARE(m_stage->rect(), expected);
    QCOMPARE(box->value(), value);
    QCOMPARE(m_area->stageItem()->rect().size(), QSizeF(expected.size()));
    QCOMPARE(m_stack->count(), 1);
}

void TstPanels::stageValueUnchangedRecordsNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::newRow("width") << "spinBox_Width" << StageRect.width();
    QTest::newRow("height") << "spinBox_Height" << StageRect.height();
    QTest::newRow("left") << "spinBox_Left" << StageRect.left();
    QTest::newRow("top") << "spinBox_Top" << StageRect.top();
}

// Typing the value the stage already has, or only leaving the field, records nothing.
void TstPanels::stageValueUnchangedRecordsNothing()
{
    QFETCH(QString, field);
    QFETCH(int, value);
    auto* box = stageField<QSpinBox>(field.toLatin1().constData());
    QVERIFY(box);
    leave(box);
    QCOMPARE(m_stack->count(), 0);
    typeInto(box, value);
    QTest::keyClick(box, Qt::Key_Return);
    leave(box);
    QCOMPARE(m_stack->count(), 0);
    QCOMPARE(m_stage->rect(), StageRect);
    QCOMPARE(m_area->stageItem()->rect().size(), QSizeF(StageRect.size()));
    QCOMPARE(m_editor->stageWidget()->tabWidget()->tabText(0), QString("Panels.xml"));
}

void TstPanels::stageSizeIsLiveWhileTyping()
{
    auto* width = stageField<QSpinBox>("spinBox_Width");
    QSignalSpy live(m_editor->stagePropertyWidget(), SIGNAL(stageSizeValueChanged(QSizeF)));
    typeInto(width, 800);
    QCOMPARE(live.count(), 3);
    QCOMPARE(live.last().at(0).toSizeF(), QSizeF(800, 1080));
    // The canvas follows at once; the stage itself waits for the end of the editing.
    QCOMPARE(m_area->stageItem()->rect().size(), QSizeF(800, 1080));
    QCOMPARE(m_stage->rect(), StageRect);
    QCOMPARE(m_stack->count(), 0);
    QTest::keyClick(width, Qt::Key_Return);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(m_stage->rect().size(), QSize(800, 1080));
}

void TstPanels::stageBackgroundColor()
{
    auto* color = stageField<KvColorWidget>("widget_BackgroundColor");
    QVERIFY(color);
    QCOMPARE(color->backColor(), StageColor);
    const QColor picked(200, 30, 40);
    KvModalWatcher watcher;
    watcher.answerWith(pickColor(picked));
    QTest::keyClick(color, Qt::Key_Space);
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(m_stage->backgroundColor(), picked);

    undo();
    QCOMPARE(m_stage->backgroundColor(), StageColor);
    QCOMPARE(color->backColor(), StageColor);
    redo();
    QCOMPARE(m_stage->backgroundColor(), picked);
    QCOMPARE(color->backColor(), picked);

    // A cancelled colour dialog records nothing.
    QTest::keyClick(color, Qt::Key_Space);
    QCOMPARE(watcher.count(), 2);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(m_stage->backgroundColor(), picked);
}

void TstPanels::stageOptions_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QList<uint>>("options");
    QTest::newRow("desktop size") << QStringList{"checkBox_UseDesktopSize"} << QList<uint>{1};
    QTest::newRow("desktop size and adjustment")
        << QStringList{"checkBox_UseDesktopSize", "checkBox_AutomaticAdjustment"}
        << QList<uint>{1, 3};
    // Unchecking the desktop size takes the adjustment along in one command.
    QTest::newRow("desktop size off again")
        << QStringList{"checkBox_UseDesktopSize", "checkBox_AutomaticAdjustment",
                       "checkBox_UseDesktopSize"}
        << QList<uint>{1, 3, 0};
}

void TstPanels::stageOptions()
{
    QFETCH(QStringList, clicks);
    QFETCH(QList<uint>, options);
    auto* desktop = stageField<QCheckBox>("checkBox_UseDesktopSize");
    auto* adjustment = stageField<QCheckBox>("checkBox_AutomaticAdjustment");
    QVERIFY(desktop && adjustment);
    QCOMPARE(m_stage->options(), 0u);
    QVERIFY(!adjustment->isEnabled());

    auto shows = [&](uint value) {
        return desktop->isChecked() == bool(value & KvStage::UseDesktopSize) &&
               adjustment->isChecked() == bool(value & KvStage::AutoAdjustment) &&
               adjustment->isEnabled() == bool(value & KvStage::UseDesktopSize);
    };
    for (int i = 0; i < clicks.count(); ++i) {
        click(stageField<QCheckBox>(clicks.at(i).toLatin1().constData()));
        QCOMPARE(m_stack->count(), i + 1);
        QCOMPARE(m_stage->options(), options.at(i));
        QVERIFY(shows(options.at(i)));
    }
    for (int i = clicks.count() - 1; i >= 0; --i) {
        undo();
        const uint before = i > 0 ? options.at(i - 1) : 0u;
        QCOMPARE(m_stage->options(), before);
        QVERIFY2(shows(before), qPrintable(QString("after undoing click %1").arg(i)));
    }
    for (int i = 0; i < clicks.count(); ++i) {
        redo();
        QCOMPARE(m_stage->options(), options.at(i));
        QVERIFY(shows(options.at(i)));
    }
    QCOMPARE(m_stack->count(), clicks.count());
}

// A dropped image inside the data folder is stored relative to it and shown by the panel;
// undo and redo show in the model, the panel and the canvas.
void TstPanels::backgroundImageDrop()
{
    auto* edit = stageField<QLineEdit>("lineEdit_BackgroundImage");
    auto* use = stageField<QCheckBox>("checkBox_BackgroundImage");
    auto* missing = stageField<QLabel>("label_BkImageNone");
    QVERIFY(edit && use && missing);
    QVERIFY(m_stage->backgroundImage().isEmpty());
    QVERIFY(!use->isChecked());

    KvModalWatcher watcher;
    drop(dataPath(ImageFile));
    QCOMPARE(watcher.count(), 0);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(m_stage->backgroundImage(), QString(ImageFile));
    QCOMPARE(edit->text(), QDir::toNativeSeparators(ImageFile));
    QVERIFY(use->isChecked());
    QVERIFY(missing->isHidden());
    QVERIFY(m_area->stageItem()->backgroundPicture());
    QVERIFY(!m_area->stageItem()->backgroundPicture()->isNull());

    undo();
    QVERIFY(m_stage->backgroundImage().isEmpty());
    QVERIFY(edit->text().isEmpty());
    QVERIFY(!use->isChecked());
    QVERIFY(!m_area->stageItem()->backgroundPicture() ||
            m_area->stageItem()->backgroundPicture()->isNull());
    redo();
    QCOMPARE(m_stage->backgroundImage(), QString(ImageFile));
    QCOMPARE(edit->text(), QDir::toNativeSeparators(ImageFile));
    QVERIFY(use->isChecked());

    // The same image again changes nothing.
    drop(dataPath(ImageFile));
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(watcher.count(), 0);
}

void TstPanels::backgroundImageDropOfAMovieIsRefused()
{
    QList<BoxRecord> boxes;
    KvModalWatcher watcher;
    watcher.answerWith(recordBox(&boxes));
    drop(dataPath(MovieFile));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.at(0).title, QString("File type is invalid."));
    QCOMPARE(boxes.at(0).text, QString("This file can not be used as a background image."));
    QCOMPARE(m_stack->count(), 0);
    QVERIFY(m_stage->backgroundImage().isEmpty());
    QVERIFY(stageField<QLineEdit>("lineEdit_BackgroundImage")->text().isEmpty());
}

void TstPanels::backgroundImageUnchecked()
{
    drop(dataPath(ImageFile));
    QCOMPARE(m_stack->count(), 1);
    auto* use = stageField<QCheckBox>("checkBox_BackgroundImage");
    QVERIFY(use->isChecked());
    click(use);
    QCOMPARE(m_stack->count(), 2);
    QVERIFY(m_stage->backgroundImage().isEmpty());
    QVERIFY(!use->isChecked());
    QVERIFY(stageField<QLineEdit>("lineEdit_BackgroundImage")->text().isEmpty());
    undo();
    QCOMPARE(m_stage->backgroundImage(), QString(ImageFile));
    QVERIFY(use->isChecked());
}

void TstPanels::backgroundImagePicker_data()
{
    QTest::addColumn<bool>("choose");
    QTest::newRow("image chosen") << true;
    QTest::newRow("picker cancelled") << false;
}

// Checking "Use Background Image" opens the picker: a chosen image is one command, a
// cancelled picker changes nothing and leaves the box unchecked.
void TstPanels::backgroundImagePicker()
{
    QFETCH(bool, choose);
    auto* use = stageField<QCheckBox>("checkBox_BackgroundImage");
    const QString image = dataPath(ImageFile);
    KvModalWatcher watcher;
    if (choose) {
        watcher.answerWith([image](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            if (!dialog) {
                widget->close();
                return;
            }
            KvModalWatcher::acceptFile(dialog, image);
        });
    }
    click(use);
    settle();
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(watcher.seen().at(0).className, QString("QFileDialog"));
    QCOMPARE(m_stack->count(), choose ? 1 : 0);
    QCOMPARE(m_stage->backgroundImage(), choose ? QString(ImageFile) : QString());
    QCOMPARE(use->isChecked(), choose);
    QCOMPARE(stageField<QLineEdit>("lineEdit_BackgroundImage")->text(),
             choose ? QDir::toNativeSeparators(ImageFile) : QString());
    if (!choose)
        return;
    undo();
    QVERIFY(m_stage->backgroundImage().isEmpty());
    QVERIFY(!use->isChecked());
}

void TstPanels::missingBackgroundImageIsReportedOnce()
{
    const QString path = dataPath("stage/Missing.xml");
    {
        KvStage stage(path);
        stage.setRect(QRect(0, 0, 640, 360));
        stage.setBackgroundImage(QStringLiteral("image/gone.png"));
        QVERIFY(stage.writeToFile());
    }
    QList<BoxRecord> boxes;
    KvModalWatcher watcher;
    watcher.answerWith(recordBox(&boxes));
    m_editor->onStageHasBeenSelected({path});
    settle();
    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(boxes.at(0).title, QString("No Background File"));
    QCOMPARE(boxes.at(0).text, QString("The background image file of the stage is not "
                                       "found.\nPlease check the library.\n\nFile: %1")
                                   .arg(QDir::toNativeSeparators("image/gone.png")));
    // A stage without a name shows its file name.
    QCOMPARE(stageField<QLabel>("label_Name")->text(), QString("Stage Name: Missing.xml"));
    auto* edit = stageField<QLineEdit>("lineEdit_BackgroundImage");
    QVERIFY(edit->font().strikeOut());
    QVERIFY(!stageField<QLabel>("label_BkImageNone")->isHidden());
    QCOMPARE(edit->toolTip(), QString("Background Image can not be found."));

    // Refreshes after an edit, its undo and a tab switch report nothing again.
    KvStageWorkingArea* area = m_editor->stageWidget()->currentStageWorkingArea();
    auto* width = stageField<QSpinBox>("spinBox_Width");
    typeInto(width, 600);
    QTest::keyClick(width, Qt::Key_Return);
    QCOMPARE(area->undoStack()->count(), 1);
    undo();
    m_editor->stageWidget()->setCurrentStageTab(0);
    settle();
    QVERIFY(!edit->font().strikeOut());
    m_editor->stageWidget()->setCurrentStageTab(1);
    settle();
    QTest::qWait(50);
    QCOMPARE(watcher.count(), 1);
    QVERIFY(edit->font().strikeOut());
}

// ---- screen property panel -------------------------------------------------------------

void TstPanels::clickOnCanvasShowsScreen()
{
    auto* contents = screenField<QWidget>("scrollAreaWidgetContents");
    QVERIFY(contents);
    QVERIFY(!contents->isEnabled());

    KvScreen* alpha = screen("Alpha");
    m_area->view()->centerOn(AlphaRect.center());
    settle();
    QTest::mouseClick(m_area->view()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      viewPoint(AlphaRect.center()));
    settle();
    QCOMPARE(m_area->selectedScreens(), QList<KvScreen*>{alpha});
    QVERIFY(contents->isEnabled());
    QCOMPARE(screenField<QLabel>("label_ScreenId")->text(), QString("ID: 1"));
    QCOMPARE(screenField<QLabel>("label_ScreenType")->text(),
             QString("Screen Type: %1").arg(ScreenType::Convert::toString(ScreenType::Multimedia)));
    QCOMPARE(screenField<QLineEdit>("lineEdit_Name")->text(), QString("Alpha"));
    QCOMPARE(screenField<QSpinBox>("spinBox_Left")->value(), 100);
    QCOMPARE(screenField<QSpinBox>("spinBox_Top")->value(), 100);
    QCOMPARE(screenField<QSpinBox>("spinBox_Width")->value(), 400);
    QCOMPARE(screenField<QSpinBox>("spinBox_Height")->value(), 300);
    QVERIFY(!screenField<QCheckBox>("checkBox_Locked")->isChecked());
    QVERIFY(screenField<QGroupBox>("groupBox_Position")->isEnabled());
    // A multimedia screen has player options but no graphics option.
    QVERIFY(screenField<QCheckBox>("checkBox_MoviePlayerType")->isEnabled());
    QVERIFY(screenField<QCheckBox>("checkBox_WebBrowserType")->isEnabled());
    QVERIFY(!screenField<QCheckBox>("checkBox_GraphicsType")->isEnabled());
    // Selecting is no edit.
    QCOMPARE(m_stack->count(), 0);
}

void TstPanels::screenNumberFieldIsOneCommand_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<QRectF>("expected");
    QTest::newRow("x") << "spinBox_Left" << 250 << QRectF(250, 100, 400, 300);
    QTest::newRow("y") << "spinBox_Top" << 40 << QRectF(100, 40, 400, 300);
    QTest::newRow("width") << "spinBox_Width" << 520 << QRectF(100, 100, 520, 300);
    QTest::newRow("height") << "spinBox_Height" << 150 << QRectF(100, 100, 400, 150);
}

// Typing moves or resizes the screen item live; editing finished records one command and
// leaving the field records nothing more; undo and redo show on the canvas and in the panel.
void TstPanels::screenNumberFieldIsOneCommand()
{
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(QRectF, expected);
    KvScreen* alpha = screen("Alpha");
    select({alpha});
    auto* box = screenField<QSpinBox>(field.toLatin1().constData());
    QVERIFY(box);
    const int oldValue = box->value();

    typeInto(box, value);
    QCOMPARE(itemRect(alpha), expected);
    QCOMPARE(alpha->rect(), AlphaRect);
    QCOMPARE(m_stack->count(), 0);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(alpha->rect(), expected);
    leave(box);
    settle();
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(box->value(), value);

    undo();
    QCOMPARE(alpha->rect(), AlphaRect);
    QCOMPARE(itemRect(alpha), AlphaRect);
    QCOMPARE(box->value(), oldValue);
    // Leaving the field after the undo records nothing, so the redo is still there.
    leave(box);
    QCOMPARE(m_stack->count(), 1);
    QVERIFY(m_stack->canRedo());
    redo();
    QCOMPARE(alpha->rect(), expected);
    QCOMPARE(itemRect(alpha), expected);
    QCOMPARE(box->value(), value);
    QCOMPARE(m_stack->count(), 1);
}

// As a user types, the canvas reports the selection frame back between the keys: the
// report must neither overwrite the digits typed so far nor send anything back.
void TstPanels::typingWithTheCanvasAnsweringBetweenKeys()
{
    KvScreen* alpha = screen("Alpha");
    select({alpha});
    KvScreenPropertyWidget* panel = m_editor->screenPropertyWidget();
    QSignalSpy live(panel, SIGNAL(positionValueChanged(QPointF)));
    auto* left = screenField<QSpinBox>("spinBox_Left");
    left->selectAll();
    for (const char* key : {"3", "0", "5"}) {
        QTest::keyClicks(left, QLatin1String(key));
        settle();
    }
    QCOMPARE(left->text(), QString("305"));
    QCOMPARE(live.count(), 3);
    QCOMPARE(itemRect(alpha), AlphaRect.translated(205, 0));
    QCOMPARE(m_stack->count(), 0);
    // (Return reports the value once more itself; the commit's refresh adds nothing.)
    QTest::keyClick(left, Qt::Key_Return);
    const int afterReturn = live.count();
    settle();
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(alpha->rect(), AlphaRect.translated(205, 0));
    QCOMPARE(left->value(), 305);
    QCOMPARE(live.count(), afterReturn);
}

// A drag on the canvas records one command; the panel follows without sending anything back.
void TstPanels::canvasDragUpdatesPanelWithoutEcho()
{
    KvScreen* alpha = screen("Alpha");
    select({alpha});
    KvScreenPropertyWidget* panel = m_editor->screenPropertyWidget();
    QSignalSpy echo(panel, SIGNAL(positionValueChanged(QPointF)));
    QSignalSpy echoCommit(panel, SIGNAL(positionValueChangingCommitted()));
    m_area->view()->centerOn(AlphaRect.center());
    settle();

    QWidget* viewport = m_area->view()->viewport();
    const QPoint from = viewPoint(AlphaRect.center());
    const QPoint to = from + QPoint(20, 10);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(viewport, from + QPoint(10, 5));
    QTest::mouseMove(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
    settle();

    QCOMPARE(m_stack->count(), 1);
    const QPointF moved = alpha->rect().topLeft();
    QVERIFY(moved != AlphaRect.topLeft());
    QCOMPARE(screenField<QSpinBox>("spinBox_Left")->value(), qRound(moved.x()));
    QCOMPARE(screenField<QSpinBox>("spinBox_Top")->value(), qRound(moved.y()));
    QCOMPARE(echo.count(), 0);
    QCOMPARE(echoCommit.count(), 0);

    undo();
    QCOMPARE(alpha->rect(), AlphaRect);
    QCOMPARE(screenField<QSpinBox>("spinBox_Left")->value(), 100);
    QCOMPARE(screenField<QSpinBox>("spinBox_Top")->value(), 100);
    QCOMPARE(echo.count(), 0);
    QCOMPARE(m_stack->count(), 1);
}

void TstPanels::canvasResizeUpdatesPanelWithoutEcho()
{
    KvScreen* alpha = screen("Alpha");
    select({alpha});
    KvScreenPropertyWidget* panel = m_editor->screenPropertyWidget();
    QSignalSpy echo(panel, SIGNAL(sizeValueChanged(QSizeF)));
    QSignalSpy echoCommit(panel, SIGNAL(sizeValueChangingCommitted()));
    const QPointF corner = AlphaRect.bottomRight();
    m_area->view()->centerOn(corner);
    settle();
    QCOMPARE(m_area->selectedHandle()->handleAt(corner), 8);

    QWidget* viewport = m_area->view()->viewport();
    const QPoint from = viewPoint(corner);
    const QPoint to = from + QPoint(30, 20);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(viewport, from + QPoint(15, 10));
    QTest::mouseMove(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
    settle();

    QCOMPARE(m_stack->count(), 1);
    const QRectF resized = alpha->rect();
    QCOMPARE(resized.topLeft(), AlphaRect.topLeft());
    QVERIFY(resized.width() > AlphaRect.width());
    QVERIFY(resized.height() > AlphaRect.height());
    QCOMPARE(screenField<QSpinBox>("spinBox_Width")->value(), qRound(resized.width()));
    QCOMPARE(screenField<QSpinBox>("spinBox_Height")->value(), qRound(resized.height()));
    QCOMPARE(echo.count(), 0);
    QCOMPARE(echoCommit.count(), 0);

    undo();
    QCOMPARE(alpha->rect(), AlphaRect);
    QCOMPARE(screenField<QSpinBox>("spinBox_Width")->value(), 400);
    QCOMPARE(screenField<QSpinBox>("spinBox_Height")->value(), 300);
    QCOMPARE(echo.count(), 0);
}

// With two screens selected X is the left of both: typing it moves both in one command.
void TstPanels::typingXMovesTheWholeSelection()
{
    KvScreen* alpha = screen("Alpha");
    KvScreen* beta = screen("Beta");
    select({alpha, beta});
    auto* left = screenField<QSpinBox>("spinBox_Left");
    QCOMPARE(left->value(), 100);
    QCOMPARE(screenField<QSpinBox>("spinBox_Width")->value(), 900);
    typeInto(left, 50);
    QTest::keyClick(left, Qt::Key_Return);
    leave(left);
    settle();
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(alpha->rect(), AlphaRect.translated(-50, 0));
    QCOMPARE(beta->rect(), BetaRect.translated(-50, 0));
    QCOMPARE(left->value(), 50);
    undo();
    QCOMPARE(alpha->rect(), AlphaRect);
    QCOMPARE(beta->rect(), BetaRect);
    QCOMPARE(left->value(), 100);
    QCOMPARE(m_area->selectedScreens(), (QList<KvScreen*>{alpha, beta}));
}

void TstPanels::arrowNudgeUpdatesPanelWithoutEcho()
{
    KvScreen* alpha = screen("Alpha");
    select({alpha});
    KvScreenPropertyWidget* panel = m_editor->screenPropertyWidget();
    QSignalSpy echo(panel, SIGNAL(positionValueChanged(QPointF)));
    QTest::keyClick(m_area->view(), Qt::Key_Right);
    settle();
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(alpha->rect().topLeft(), QPointF(101, 100));
    QCOMPARE(screenField<QSpinBox>("spinBox_Left")->value(), 101);
    QTest::keyClick(m_area->view(), Qt::Key_Down);
    settle();
    QCOMPARE(m_stack->count(), 2);
    QCOMPARE(screenField<QSpinBox>("spinBox_Top")->value(), 101);
    QCOMPARE(echo.count(), 0);
    undo();
    undo();
    QCOMPARE(alpha->rect(), AlphaRect);
    QCOMPARE(screenField<QSpinBox>("spinBox_Left")->value(), 100);
    QCOMPARE(screenField<QSpinBox>("spinBox_Top")->value(), 100);
}

void TstPanels::canvasGestureWithoutChangeRecordsNothing_data()
{
    QTest::addColumn<QString>("screenName");
    QTest::addColumn<QString>("gesture");
    QTest::newRow("arrow on a locked screen") << "Gamma"
                                              << "arrow";
    QTest::newRow("click on a resize handle") << "Alpha"
                                              << "handle";
    QTest::newRow("drag of a locked screen") << "Gamma"
                                             << "drag";
}

// A gesture on the canvas that changes nothing leaves no empty step on the undo stack (and
// no unsaved mark).
void TstPanels::canvasGestureWithoutChangeRecordsNothing()
{
    QFETCH(QString, screenName);
    QFETCH(QString, gesture);
    KvScreen* s = screen(screenName);
    const QRectF before = s->rect();
    select({s});
    QWidget* viewport = m_area->view()->viewport();
    if (gesture == "arrow") {
        QTest::keyClick(m_area->view(), Qt::Key_Right);
    } else if (gesture == "handle") {
        const QPointF corner = before.bottomRight();
        m_area->view()->centerOn(corner);
        settle();
        QCOMPARE(m_area->selectedHandle()->handleAt(corner), 8);
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, viewPoint(corner));
    } else {
        m_area->view()->centerOn(before.center());
        settle();
        const QPoint from = viewPoint(before.center());
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(viewport, from + QPoint(10, 5));
        QTest::mouseMove(viewport, from + QPoint(20, 10));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, from + QPoint(20, 10));
    }
    settle();
    QCOMPARE(s->rect(), before);
    QCOMPARE(m_stack->count(), 0);
    QCOMPARE(m_editor->stageWidget()->tabWidget()->tabText(0), QString("Panels.xml"));
}

void TstPanels::renameIsOneCommand_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("commands");
    QTest::newRow("new name") << "Hero" << 1;
    QTest::newRow("empty name") << "" << 1;
    QTest::newRow("same name") << "Alpha" << 0;
    // Names are compared case-sensitively: another screen's name in other case is free.
    QTest::newRow("other case") << "beta" << 1;
}

void TstPanels::renameIsOneCommand()
{
    QFETCH(QString, typed);
    QFETCH(int, commands);
    KvScreen* alpha = screen("Alpha");
    select({alpha});
    auto* name = screenField<QLineEdit>("lineEdit_Name");
    KvModalWatcher watcher;
    typeInto(name, typed);
    // The label follows the typing; the screen keeps its name until the editing ends.
    QCOMPARE(item(alpha)->name(), typed);
    QCOMPARE(alpha->name(), QString("Alpha"));
    QCOMPARE(m_stack->count(), 0);
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(m_stack->count(), commands);
    QCOMPARE(alpha->name(), typed);
    leave(name);
    QCOMPARE(m_stack->count(), commands);
    QCOMPARE(watcher.count(), 0);
    if (commands == 0)
        return;

    undo();
    QCOMPARE(alpha->name(), QString("Alpha"));
    QCOMPARE(name->text(), QString("Alpha"));
    QCOMPARE(item(alpha)->name(), QString("Alpha"));
    redo();
    QCOMPARE(alpha->name(), typed);
    QCOMPARE(name->text(), typed);
    QCOMPARE(item(alpha)->name(), typed);
}

void TstPanels::duplicateNameIsRefused()
{
    KvScreen* alpha = screen("Alpha");
    select({alpha});
    auto* name = screenField<QLineEdit>("lineEdit_Name");
    QList<BoxRecord> boxes;
    KvModalWatcher watcher;
    watcher.answerWith(recordBox(&boxes));
    typeInto(name, "Beta");
    QTest::keyClick(name, Qt::Key_Return);
    settle();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.at(0).title, QString("Names are duplicated"));
    QCOMPARE(boxes.at(0).text, QString("Name \"Beta\" has been used in another screen."));
    QCOMPARE(m_stack->count(), 0);
    QCOMPARE(alpha->name(), QString("Alpha"));
    QCOMPARE(name->text(), QString("Alpha"));
    // The label typed along is put back as well.
    QCOMPARE(item(alpha)->name(), QString("Alpha"));
    leave(name);
    settle();
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(m_stack->count(), 0);
}

void TstPanels::lockIsOneCommand()
{
    KvScreen* alpha = screen("Alpha");
    select({alpha});
    auto* lock = screenField<QCheckBox>("checkBox_Locked");
    auto* position = screenField<QGroupBox>("groupBox_Position");
    auto* size = screenField<QGroupBox>("groupBox_Size");
    QVERIFY(!lock->isChecked());
    click(lock);
    QCOMPARE(m_stack->count(), 1);
    QVERIFY(alpha->lockScreen());
    QVERIFY(item(alpha)->isLocked());
    QCOMPARE(lock->checkState(), Qt::Checked);
    QVERIFY(!position->isEnabled());
    QVERIFY(!size->isEnabled());

    undo();
    QVERIFY(!alpha->lockScreen());
    QCOMPARE(lock->checkState(), Qt::Unchecked);
    QVERIFY(position->isEnabled());
    QVERIFY(size->isEnabled());
    redo();
    QVERIFY(alpha->lockScreen());
    QCOMPARE(lock->checkState(), Qt::Checked);
    QVERIFY(!position->isEnabled());
}

void TstPanels::mixedLockShowsPartialState()
{
    KvScreen* alpha = screen("Alpha");
    KvScreen* gamma = screen("Gamma");
    QVERIFY(gamma->lockScreen());
    select({alpha, gamma});
    auto* lock = screenField<QCheckBox>("checkBox_Locked");
    QCOMPARE(lock->checkState(), Qt::PartiallyChecked);
    QVERIFY(!screenField<QGroupBox>("groupBox_Position")->isEnabled());
    QVERIFY(!screenField<QGroupBox>("groupBox_Size")->isEnabled());
    QVERIFY(!screenField<QWidget>("widget_TypeAndName")->isEnabled());
    QVERIFY(screenField<QLineEdit>("lineEdit_Name")->text().isEmpty());
    // The fields show the union of both screens.
    QCOMPARE(screenField<QSpinBox>("spinBox_Left")->value(), 100);
    QCOMPARE(screenField<QSpinBox>("spinBox_Top")->value(), 100);
    QCOMPARE(screenField<QSpinBox>("spinBox_Width")->value(), 400);
    QCOMPARE(screenField<QSpinBox>("spinBox_Height")->value(), 600);

    click(lock);
    QCOMPARE(m_stack->count(), 1);
    QVERIFY(alpha->lockScreen());
    QVERIFY(gamma->lockScreen());
    QCOMPARE(lock->checkState(), Qt::Checked);
    undo();
    QVERIFY(!alpha->lockScreen());
    QVERIFY(gamma->lockScreen());
    QCOMPARE(lock->checkState(), Qt::PartiallyChecked);
    QCOMPARE(m_area->selectedScreens(), (QList<KvScreen*>{alpha, gamma}));
}

void TstPanels::optionBoxes_data()
{
    QTest::addColumn<QString>("screenName");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("which");
    QTest::newRow("movie player") << "Alpha"
                                  << "checkBox_MoviePlayerType" << 1;
    QTest::newRow("web browser") << "Alpha"
                                 << "checkBox_WebBrowserType" << 2;
    QTest::newRow("graphics") << "Beta"
                              << "checkBox_GraphicsType" << 0;
}

void TstPanels::optionBoxes()
{
    QFETCH(QString, screenName);
    QFETCH(QString, box);
    QFETCH(int, which);
    KvScreen* s = screen(screenName);
    select({s});
    auto* check = screenField<QCheckBox>(box.toLatin1().constData());
    QVERIFY(check);
    QVERIFY(check->isEnabled());
    const int initial = optionValue(s, which);
    QCOMPARE(check->isChecked(), optionChecked(which, initial));

    click(check);
    QCOMPARE(m_stack->count(), 1);
    const int changed = optionValue(s, which);
    QVERIFY(changed != initial);
    QCOMPARE(check->isChecked(), optionChecked(which, changed));
    QCOMPARE(optionChecked(which, changed), !optionChecked(which, initial));

    undo();
    QCOMPARE(optionValue(s, which), initial);
    QCOMPARE(check->isChecked(), optionChecked(which, initial));
    redo();
    QCOMPARE(optionValue(s, which), changed);
    QCOMPARE(check->isChecked(), optionChecked(which, changed));
    QCOMPARE(m_stack->count(), 1);
}

// Two multimedia screens with different movie players: the box is mixed; one click sets
// both; undoing shows the mixed state again, redoing the set one.
void TstPanels::mixedOptionShowsPartialStateThroughUndo()
{
    KvScreen* alpha = screen("Alpha");
    KvScreen* gamma = screen("Gamma");
    alpha->setMoviePlayerType(PlayerType::Platform);
    gamma->setMoviePlayerType(PlayerType::BuiltIn);
    select({alpha, gamma});
    auto* movie = screenField<QCheckBox>("checkBox_MoviePlayerType");
    QVERIFY(movie->isEnabled());
    QCOMPARE(movie->checkState(), Qt::PartiallyChecked);
    click(movie);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(movie->checkState(), Qt::Checked);
    QCOMPARE(alpha->moviePlayerType(), PlayerType::Platform);
    QCOMPARE(gamma->moviePlayerType(), PlayerType::Platform);
    undo();
    QCOMPARE(alpha->moviePlayerType(), PlayerType::Platform);
    QCOMPARE(gamma->moviePlayerType(), PlayerType::BuiltIn);
    QCOMPARE(movie->checkState(), Qt::PartiallyChecked);
    redo();
    QCOMPARE(gamma->moviePlayerType(), PlayerType::Platform);
    QCOMPARE(movie->checkState(), Qt::Checked);
    // Clicking the set box clears it for both.
    click(movie);
    QCOMPARE(m_stack->count(), 2);
    QCOMPARE(movie->checkState(), Qt::Unchecked);
    QCOMPARE(alpha->moviePlayerType(), PlayerType::BuiltIn);
    QCOMPARE(gamma->moviePlayerType(), PlayerType::BuiltIn);
}

// Zooming redraws the selection frame; the panel keeps showing the screen's own values.
void TstPanels::zoomKeepsThePanelValues()
{
    select({screen("Beta")});
    for (int percent : {100, 200, 25, 50}) {
        m_area->setZoomRate(percent);
        settle();
        QCOMPARE(screenField<QSpinBox>("spinBox_Left")->value(), 600);
        QCOMPARE(screenField<QSpinBox>("spinBox_Top")->value(), 100);
        QCOMPARE(screenField<QSpinBox>("spinBox_Width")->value(), 400);
        QCOMPARE(screenField<QSpinBox>("spinBox_Height")->value(), 200);
    }
    QCOMPARE(m_stack->count(), 0);
}

void TstPanels::screenBackgroundColor()
{
    KvScreen* beta = screen("Beta");
    select({beta});
    auto* color = screenField<KvColorWidget>("widget_BackgroundColor");
    const QColor old = beta->backgoundColor();
    QCOMPARE(color->backColor(), old);
    const QColor picked(10, 200, 30);
    QVERIFY(picked != old);
    KvModalWatcher watcher;
    watcher.answerWith(pickColor(picked));
    QTest::keyClick(color, Qt::Key_Space);
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(beta->backgoundColor(), picked);
    QCOMPARE(item(beta)->backgroundColor(), picked);

    undo();
    QCOMPARE(beta->backgoundColor(), old);
    QCOMPARE(item(beta)->backgroundColor(), old);
    QCOMPARE(color->backColor(), old);
    redo();
    QCOMPARE(beta->backgoundColor(), picked);
    QCOMPARE(color->backColor(), picked);
}

void TstPanels::colorOfTwoScreensIsOneCommand()
{
    KvScreen* alpha = screen("Alpha");
    KvScreen* beta = screen("Beta");
    alpha->setBackgoundColor(Qt::blue);
    beta->setBackgoundColor(Qt::yellow);
    select({alpha, beta});
    const QColor picked(120, 60, 200);
    KvModalWatcher watcher;
    watcher.answerWith(pickColor(picked));
    QTest::keyClick(screenField<KvColorWidget>("widget_BackgroundColor"), Qt::Key_Space);
    QCOMPARE(m_stack->count(), 1);
    QCOMPARE(alpha->backgoundColor(), picked);
    QCOMPARE(beta->backgoundColor(), picked);
    undo();
    QCOMPARE(alpha->backgoundColor(), QColor(Qt::blue));
    QCOMPARE(beta->backgoundColor(), QColor(Qt::yellow));
    QCOMPARE(item(alpha)->backgroundColor(), QColor(Qt::blue));
    QCOMPARE(item(beta)->backgroundColor(), QColor(Qt::yellow));
}

void TstPanels::multimediaAndTelopDisableOptionsAndName()
{
    select({screen("Alpha"), screen("Beta")});
    QVERIFY(screenField<QWidget>("scrollAreaWidgetContents")->isEnabled());
    for (const char* name :
         {"checkBox_GraphicsType", "checkBox_MoviePlayerType", "checkBox_WebBrowserType"})
        QVERIFY2(!screenField<QCheckBox>(name)->isEnabled(), name);
    QVERIFY(!screenField<QLineEdit>("lineEdit_Name")->isEnabled());
    QVERIFY(screenField<QGroupBox>("groupBox_Position")->isEnabled());
    QCOMPARE(screenField<QLabel>("label_ScreenId")->text(), QString("ID: "));
}

// Removing the selected screen leaves the panel empty; undoing shows the screen again.
void TstPanels::removingTheSelectionClearsThePanel()
{
    KvScreen* alpha = screen("Alpha");
    select({alpha});
    auto* contents = screenField<QWidget>("scrollAreaWidgetContents");
    m_editor->action_removeSelectedScreens();
    settle();
    QCOMPARE(m_stack->count(), 1);
    QVERIFY(!m_stage->screenList().contains(alpha));
    QVERIFY(!contents->isEnabled());
    QVERIFY(m_editor->screenPropertyWidget()->screens().isEmpty());
    QVERIFY(screenField<QLineEdit>("lineEdit_Name")->text().isEmpty());
    undo();
    QVERIFY(m_stage->screenList().contains(alpha));
    QCOMPARE(m_area->selectedScreens(), QList<KvScreen*>{alpha});
    QVERIFY(contents->isEnabled());
    QCOMPARE(screenField<QLineEdit>("lineEdit_Name")->text(), QString("Alpha"));
    QCOMPARE(screenField<QSpinBox>("spinBox_Left")->value(), 100);
}

void TstPanels::clearingSelectionClearsPanel()
{
    select({screen("Beta")});
    auto* contents = screenField<QWidget>("scrollAreaWidgetContents");
    QVERIFY(contents->isEnabled());
    // A click on an empty part of the stage deselects.
    const QPointF empty(1500, 900);
    m_area->view()->centerOn(empty);
    settle();
    QTest::mouseClick(m_area->view()->viewport(), Qt::LeftButton, Qt::NoModifier, viewPoint(empty));
    settle();
    QVERIFY(m_area->selectedScreens().isEmpty());
    QVERIFY(!contents->isEnabled());
    QVERIFY(screenField<QLineEdit>("lineEdit_Name")->text().isEmpty());
    QCOMPARE(screenField<QLabel>("label_ScreenId")->text(), QString("ID: "));
    QCOMPARE(screenField<QSpinBox>("spinBox_Left")->value(), 0);
    QCOMPARE(screenField<QSpinBox>("spinBox_Width")->value(), 0);
    QCOMPARE(m_stack->count(), 0);
}

// ---- tab ---------------------------------------------------------------------------------

void TstPanels::unsavedMarkFollowsPanelEdits()
{
    QTabWidget* tabs = m_editor->stageWidget()->tabWidget();
    QCOMPARE(tabs->tabText(0), QString("Panels.xml"));
    QVERIFY(!m_editor->stageWidget()->isCurrentStageChangedFromInitial());

    QSignalSpy marked(m_editor->stageWidget(), SIGNAL(unsavedStateChanged(int, bool)));
    auto* width = stageField<QSpinBox>("spinBox_Width");
    typeInto(width, 1000);
    QCOMPARE(tabs->tabText(0), QString("Panels.xml"));
    QTest::keyClick(width, Qt::Key_Return);
    QCOMPARE(tabs->tabText(0), QString("Panels.xml*"));
    QVERIFY(m_editor->stageWidget()->isCurrentStageChangedFromInitial());
    QCOMPARE(marked.count(), 1);
    QCOMPARE(marked.at(0).at(1).toBool(), true);

    // Back at the saved state the stage matches its saved copy again, so closing the tab
    // asks nothing; the mark itself follows every change of the undo stack.
    undo();
    QVERIFY(!m_editor->stageWidget()->isCurrentStageChangedFromInitial());
    QCOMPARE(tabs->tabText(0), QString("Panels.xml*"));
}

// Two tabs: the panels show the current tab's stage, and their edits go on its own stack.
void TstPanels::editsGoToTheCurrentTab()
{
    KvStageWidget* stages = m_editor->stageWidget();
    const QString second = dataPath("stage/Second.xml");
    {
        KvStage stage(second);
        stage.setName(QStringLiteral("Second"));
        stage.setRect(QRect(0, 0, 1280, 720));
        stage.setBackgroundColor(Qt::darkRed);
        stage.addScreen(makeScreen(ScreenType::Telop, 1, "Delta", QRectF(10, 20, 300, 100), 1));
        QVERIFY(stage.writeToFile());
    }
    m_editor->onStageHasBeenSelected({second});
    settle();
    QCOMPARE(stages->openedStageCount(), 2);
    QCOMPARE(stages->currentTabIndex(), 1);
    KvStageWorkingArea* secondArea = stages->currentStageWorkingArea();
    QVERIFY(secondArea != m_area);
    QCOMPARE(m_editor->undoGroup()->activeStack(), secondArea->undoStack());

    auto* width = stageField<QSpinBox>("spinBox_Width");
    QCOMPARE(width->value(), 1280);
    QCOMPARE(stageField<QLabel>("label_Name")->text(), QString("Stage Name: Second"));
    typeInto(width, 1024);
    QTest::keyClick(width, Qt::Key_Return);
    QCOMPARE(secondArea->undoStack()->count(), 1);
    QCOMPARE(m_stack->count(), 0);
    QCOMPARE(secondArea->stage()->rect().size(), QSize(1024, 720));
    QCOMPARE(m_stage->rect(), StageRect);

    // The screen panel follows the tab's own selection.
    KvScreen* delta = secondArea->stage()->screenList().value(0);
    QVERIFY(delta);
    stages->selectScreenItem({delta}, true, true);
    settle();
    QCOMPARE(screenField<QLineEdit>("lineEdit_Name")->text(), QString("Delta"));

    stages->setCurrentStageTab(0);
    settle();
    QCOMPARE(m_editor->undoGroup()->activeStack(), m_stack);
    QCOMPARE(width->value(), StageRect.width());
    QCOMPARE(stageField<QLabel>("label_Name")->text(), QString("Stage Name: Panels"));
    QVERIFY(screenField<QLineEdit>("lineEdit_Name")->text().isEmpty());
    // Undo acts on the current tab only: there is nothing to undo here.
    undo();
    QCOMPARE(secondArea->stage()->rect().size(), QSize(1024, 720));
    QCOMPARE(width->value(), StageRect.width());

    stages->setCurrentStageTab(1);
    settle();
    QCOMPARE(width->value(), 1024);
    undo();
    QCOMPARE(secondArea->stage()->rect().size(), QSize(1280, 720));
    QCOMPARE(width->value(), 1280);
}

void TstPanels::closingTheTabClearsBothPanels()
{
    select({screen("Alpha")});
    m_area->resetInitialStage();
    m_editor->stageWidget()->closeCurrentStage();
    settle();
    m_area = nullptr;
    m_stage = nullptr;
    m_stack = nullptr;
    QCOMPARE(m_editor->stageWidget()->openedStageCount(), 0);
    QVERIFY(!m_editor->stagePropertyWidget()->currentStage());
    QVERIFY(!stageField<QWidget>("scrollAreaWidgetContents")->isEnabled());
    QCOMPARE(stageField<QLabel>("label_Name")->text(), QString("Stage Name: "));
    QVERIFY(m_editor->screenPropertyWidget()->screens().isEmpty());
    QVERIFY(!screenField<QWidget>("scrollAreaWidgetContents")->isEnabled());
    QVERIFY(screenField<QLineEdit>("lineEdit_Name")->text().isEmpty());
    // Nothing left to act on: a late edit from the panels changes nothing and does not crash.
    auto* width = stageField<QSpinBox>("spinBox_Width");
    typeInto(width, 500);
    QTest::keyClick(width, Qt::Key_Return);
    m_editor->action_undo();
}

QTEST_MAIN(TstPanels)
#include "tst_panels.moc"
