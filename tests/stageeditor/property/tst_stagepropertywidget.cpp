#include "kvcolorwidget.h"
#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvflowlayout.h"
#include "kvlineedit.h"
#include "kvmodalwatcher.h"
#include "kvstage.h"
#include "kvstagepropertywidget.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace Kova;

class TestStagePropertyWidget : public QObject
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

    static KvStage* makeStage(QObject* owner, const QString& name = QStringLiteral("Lobby"))
    {
        auto* stage = new KvStage(QStringLiteral("/data/stage/lobby.kstg"), owner);
        stage->setName(name);
        stage->setRect(QRect(10, 20, 1920, 1080));
        stage->setBackgroundColor(QColor(1, 2, 3));
        stage->setOptions(0);
        return stage;
    }

    static bool sendDrop(QWidget* target, QMimeData* data)
    {
        const QPoint pos = target->rect().center();
        QDragEnterEvent enter(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }

    static QMimeData* urlData(const QString& path)
    {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path)});
        return data;
    }

    QTemporaryDir m_dataDir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dataDir.isValid());
        KvEditorConfig::setDataDir(m_dataDir.path());
    }

    void formHasNamesAndTexts()
    {
        KvStagePropertyWidget panel(nullptr);
        QWidget* contents = panel.widget();
        QVERIFY(contents);
        QCOMPARE(contents->windowTitle(), QStringLiteral("Stage Properties"));
        QVERIFY(qobject_cast<KvFlowLayout*>(contents->layout()));

        QCOMPARE(child<QLabel>(&panel, "label_Name")->text(), QStringLiteral("Stage Name: "));
        QVERIFY(child<QLabel>(&panel, "label_Name")
                    ->styleSheet()
                    .contains(QStringLiteral("rgb(58, 26, 106)")));
        QCOMPARE(child<QLabel>(&panel, "label_BackgroundColor")->text(),
                 QStringLiteral("Background Color"));
        QVERIFY(child<KvColorWidget>(&panel, "widget_BackgroundColor"));
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_BackgroundImage")->text(),
                 QStringLiteral("Use Background Image"));
        QVERIFY(child<QLabel>(&panel, "label_BkImageNone")->isHidden());
        QVERIFY(child<QWidget>(&panel, "widget_outer_lineEdit_BackgroundImage"));
        QVERIFY(child<KvLineEdit>(&panel, "lineEdit_BackgroundImage")->isReadOnly());
        QCOMPARE(child<QGroupBox>(&panel, "groupBox_Position")->title(),
                 QStringLiteral("Position"));
        QCOMPARE(child<QGroupBox>(&panel, "groupBox_Size")->title(), QStringLiteral("Size"));
        QCOMPARE(child<QGroupBox>(&panel, "groupBox_ResizeOption")->title(),
                 QStringLiteral("Resize Option"));
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_UseDesktopSize")->text(),
                 QStringLiteral("Use the desktop size"));
        QCOMPARE(child<QLabel>(&panel, "label_CheckBoxUseDesktopSize")->text(),
                 QStringLiteral("Desktop size of the viewer will be used at run time."));
        QCOMPARE(child<QCheckBox>(&panel, "checkBox_AutomaticAdjustment")->text(),
                 QStringLiteral("Automatic adjustment"));
        QCOMPARE(child<QLabel>(&panel, "label_CheckBoxAutomaticAdjustment")->text(),
                 QStringLiteral("Location and size of the screen will be adjusted automatically."));

        for (const char* name : {"spinBox_Left", "spinBox_Top"}) {
            auto* box = child<QSpinBox>(&panel, name);
            QCOMPARE(box->minimum(), -16777215);
            QCOMPARE(box->maximum(), 16777215);
            QVERIFY(box->alignment() & Qt::AlignRight);
        }
        for (const char* name : {"spinBox_Width", "spinBox_Height"}) {
            auto* box = child<QSpinBox>(&panel, name);
            QCOMPARE(box->minimum(), 0);
            QCOMPARE(box->maximum(), 16777215);
            QVERIFY(box->alignment() & Qt::AlignRight);
        }
        for (const char* name : {"label_Left", "label_Top", "label_Width", "label_Height"})
            QVERIFY(child<QLabel>(&panel, name));
    }

    // Scrolling the panel over a box it does not have in focus must not resize the stage on
    // the canvas: such a change would never be committed.
    void wheelOverUnfocusedBoxChangesNothing()
    {
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeStage(&owner));
        QSignalSpy live(&panel, SIGNAL(stageSizeValueChanged(QSizeF)));
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
        QCOMPARE(live.count(), 0);
    }

    void contentEnabledOnlyWithAStage()
    {
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        QVERIFY(!panel.widget()->isEnabled());
        panel.onCurrentStageChanged(makeStage(&owner));
        QVERIFY(panel.widget()->isEnabled());
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Width")->value(), 1920);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Height")->value(), 1080);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Left")->value(), 10);
        QCOMPARE(child<QSpinBox>(&panel, "spinBox_Top")->value(), 20);
        QCOMPARE(child<KvColorWidget>(&panel, "widget_BackgroundColor")->backColor(),
                 QColor(1, 2, 3));

        panel.onCurrentStageChanged(nullptr);
        QVERIFY(!panel.widget()->isEnabled());
        QCOMPARE(child<QLabel>(&panel, "label_Name")->text(), QStringLiteral("Stage Name: "));
        QVERIFY(child<QSpinBox>(&panel, "spinBox_Width")->text().isEmpty());
        QCOMPARE(child<KvColorWidget>(&panel, "widget_BackgroundColor")->backColor(),
                 QColor(Qt::gray));
        QVERIFY(!child<QCheckBox>(&panel, "checkBox_BackgroundImage")->isChecked());
    }

    void stageNameOrFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filePath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("named") << "Lobby"
                               << "/data/stage/a.kstg"
                               << "Stage Name: Lobby";
        QTest::newRow("no name: file name") << ""
                                            << "/data/stage/Entrance Hall.kstg"
                                            << "Stage Name: Entrance Hall.kstg";
        QTest::newRow("neither") << ""
                                 << ""
                                 << "Stage Name: ";
    }

    void stageNameOrFileName()
    {
        QFETCH(QString, name);
        QFETCH(QString, filePath);
        QFETCH(QString, expected);
        QObject owner;
        KvStage* stage = makeStage(&owner, name);
        stage->setFilePath(filePath);
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(stage);
        QCOMPARE(child<QLabel>(&panel, "label_Name")->text(), expected);
    }

    void showingAStageEmitsNothing()
    {
        QObject owner;
        KvStage* stage = makeStage(&owner);
        stage->setOptions(3);
        KvStagePropertyWidget panel(nullptr);
        QSignalSpy size(&panel, SIGNAL(stageSizeValueChanged(QSizeF)));
        QSignalSpy sizeCommit(&panel, SIGNAL(stageSizeValueChangingCommitted(QSizeF)));
        QSignalSpy options(&panel, SIGNAL(stageOptionValueChanged(uint)));
        QSignalSpy color(&panel, SIGNAL(stageBackColorPicked(QColor)));
        QSignalSpy image(&panel, SIGNAL(stageBackImageValueChanged(QString)));
        panel.onCurrentStageChanged(stage);
        stage->setOptions(0);
        stage->setRect(QRect(0, 0, 800, 600));
        panel.onCurrentStageChanged(stage);
        panel.onCurrentStageChanged(nullptr);
        QCOMPARE(size.count(), 0);
        QCOMPARE(sizeCommit.count(), 0);
        QCOMPARE(options.count(), 0);
        QCOMPARE(color.count(), 0);
        QCOMPARE(image.count(), 0);
    }

    void optionsShownWithTheirDependency()
    {
        QObject owner;
        KvStage* stage = makeStage(&owner);
        stage->setOptions(KvStage::UseDesktopSize | KvStage::AutoAdjustment);
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(stage);
        auto* desktop = child<QCheckBox>(&panel, "checkBox_UseDesktopSize");
        auto* adjust = child<QCheckBox>(&panel, "checkBox_AutomaticAdjustment");
        auto* adjustLabel = child<QLabel>(&panel, "label_CheckBoxAutomaticAdjustment");
        QVERIFY(desktop->isChecked());
        QVERIFY(adjust->isChecked());
        QVERIFY(adjust->isEnabled());

        stage->setOptions(0);
        panel.onCurrentStageChanged(stage);
        QVERIFY(!desktop->isChecked());
        QVERIFY(!adjust->isChecked());
        QVERIFY(!adjust->isEnabled());
        QVERIFY(!adjustLabel->isEnabled());
    }

    void uncheckingDesktopSizeUnchecksAdjustment()
    {
        QObject owner;
        KvStage* stage = makeStage(&owner);
        stage->setOptions(KvStage::UseDesktopSize | KvStage::AutoAdjustment);
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(stage);
        auto* desktop = child<QCheckBox>(&panel, "checkBox_UseDesktopSize");
        auto* adjust = child<QCheckBox>(&panel, "checkBox_AutomaticAdjustment");
        QSignalSpy options(&panel, SIGNAL(stageOptionValueChanged(uint)));

        desktop->click();
        QVERIFY(!adjust->isChecked());
        QVERIFY(!adjust->isEnabled());
        QVERIFY(!child<QLabel>(&panel, "label_CheckBoxAutomaticAdjustment")->isEnabled());
        // One user action, one change of the options.
        QCOMPARE(options.count(), 1);
        QCOMPARE(options.at(0).at(0).toUInt(), 0u);

        desktop->click();
        QVERIFY(adjust->isEnabled());
        QCOMPARE(options.count(), 2);
        QCOMPARE(options.at(1).at(0).toUInt(), 1u);

        adjust->click();
        QCOMPARE(options.count(), 3);
        QCOMPARE(options.at(2).at(0).toUInt(), 3u);
    }

    void liveSizeAndCommitOnEditingFinished()
    {
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeStage(&owner));
        auto* width = child<QSpinBox>(&panel, "spinBox_Width");
        QSignalSpy live(&panel, SIGNAL(stageSizeValueChanged(QSizeF)));
        QSignalSpy commit(&panel, SIGNAL(stageSizeValueChangingCommitted(QSizeF)));

        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("1280"));
        QCOMPARE(live.count(), 4);
        QCOMPARE(live.last().at(0).toSizeF(), QSizeF(1280, 1080));
        QCOMPARE(commit.count(), 0);

        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(commit.count(), 1);
        QCOMPARE(commit.at(0).at(0).toSizeF(), QSizeF(1280, 1080));

        auto* height = child<QSpinBox>(&panel, "spinBox_Height");
        height->selectAll();
        QTest::keyClicks(height, QStringLiteral("720"));
        QCOMPARE(live.last().at(0).toSizeF(), QSizeF(1280, 720));
        QTest::keyClick(height, Qt::Key_Enter);
        QCOMPARE(commit.count(), 2);
        QCOMPARE(commit.at(1).at(0).toSizeF(), QSizeF(1280, 720));
    }

    void positionCommittedOnEditingFinishedOnly()
    {
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeStage(&owner));
        auto* left = child<QSpinBox>(&panel, "spinBox_Left");
        auto* top = child<QSpinBox>(&panel, "spinBox_Top");
        QSignalSpy pos(&panel, SIGNAL(stagePosValueChangingCommitted(QPointF)));
        left->selectAll();
        QTest::keyClicks(left, QStringLiteral("-40"));
        QCOMPARE(pos.count(), 0);
        QTest::keyClick(left, Qt::Key_Return);
        QCOMPARE(pos.count(), 1);
        QCOMPARE(pos.at(0).at(0).toPointF(), QPointF(-40, 20));
        top->selectAll();
        QTest::keyClicks(top, QStringLiteral("5"));
        QTest::keyClick(top, Qt::Key_Return);
        QCOMPARE(pos.count(), 2);
        QCOMPARE(pos.at(1).at(0).toPointF(), QPointF(-40, 5));
    }

    void colourPickForwarded()
    {
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeStage(&owner));
        auto* color = child<KvColorWidget>(&panel, "widget_BackgroundColor");
        QSignalSpy picked(&panel, SIGNAL(stageBackColorPicked(QColor)));
        emit color->colorChanged(QColor(Qt::red), QColor(1, 2, 3));
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).value<QColor>(), QColor(Qt::red));
    }

    void backgroundImageBox()
    {
        QObject owner;
        KvStage* stage = makeStage(&owner);
        QFile file(m_dataDir.filePath(QStringLiteral("back.png")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        stage->setBackgroundImage(QStringLiteral("back.png"));
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(stage);
        auto* box = child<QCheckBox>(&panel, "checkBox_BackgroundImage");
        auto* edit = child<KvLineEdit>(&panel, "lineEdit_BackgroundImage");
        QVERIFY(box->isChecked());
        QCOMPARE(edit->text(), QStringLiteral("back.png"));
        QCOMPARE(edit->toolTip(), QStringLiteral("back.png"));
        QVERIFY(!edit->font().strikeOut());
        QVERIFY(child<QLabel>(&panel, "label_BkImageNone")->isHidden());

        QSignalSpy image(&panel, SIGNAL(stageBackImageValueChanged(QString)));
        QSignalSpy picker(&panel, SIGNAL(openStageBackImagePicker()));
        box->click();
        QCOMPARE(image.count(), 1);
        QCOMPARE(image.at(0).at(0).toString(), QString());
        QCOMPARE(picker.count(), 0);

        // Without a command applying the change, the box still shows the stage.
        QVERIFY(box->isChecked());
        stage->setBackgroundImage(QString());
        panel.onCurrentStageChanged(stage);
        QVERIFY(!box->isChecked());
        box->click();
        QCOMPARE(picker.count(), 1);
        QCOMPARE(image.count(), 1);
        // A cancelled picker leaves no background image: the box goes back.
        QVERIFY(!box->isChecked());
    }

    void missingBackgroundImageShowsMarksAndOneBox()
    {
        QObject owner;
        KvStage* stage = makeStage(&owner);
        stage->setBackgroundImage(QStringLiteral("images/deleted.png"));
        KvStagePropertyWidget panel(nullptr);
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);
        QSignalSpy failed(&panel, SIGNAL(requestShowBackgroundImageFailed(QString)));

        panel.onCurrentStageChanged(stage);
        auto* edit = child<KvLineEdit>(&panel, "lineEdit_BackgroundImage");
        QCOMPARE(edit->text(), QDir::toNativeSeparators(QStringLiteral("images/deleted.png")));
        QVERIFY(edit->font().strikeOut());
        QCOMPARE(edit->font().weight(), 75);
        QCOMPARE(edit->toolTip(), QStringLiteral("Background Image can not be found."));
        QVERIFY(!child<QLabel>(&panel, "label_BkImageNone")->isHidden());
        QVERIFY(child<QCheckBox>(&panel, "checkBox_BackgroundImage")->isChecked());

        // Refreshes after commands and tab changes do not repeat the box.
        panel.onCurrentStageChanged(stage);
        panel.onCurrentStageChanged(stage);
        QTRY_COMPARE(watcher.count(), 1);
        QTest::qWait(100);
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(watcher.seen().at(0).title, QStringLiteral("No Background File"));
        QCOMPARE(watcher.seen().at(0).text,
                 QStringLiteral("The background image file of the stage is not found.\nPlease "
                                "check the library.\n\nFile: %1")
                     .arg(QDir::toNativeSeparators(QStringLiteral("images/deleted.png"))));

        // Once the file is back the marks go.
        QDir(m_dataDir.path()).mkpath(QStringLiteral("images"));
        QFile file(m_dataDir.filePath(QStringLiteral("images/deleted.png")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        panel.onCurrentStageChanged(stage);
        QVERIFY(!edit->font().strikeOut());
        QCOMPARE(edit->font().weight(), 50);
        QVERIFY(child<QLabel>(&panel, "label_BkImageNone")->isHidden());
        QVERIFY(file.remove());
    }

    void droppedFileTypes_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("png") << "poster.png" << true;
        QTest::newRow("upper-case JPG") << "photo.JPG" << true;
        QTest::newRow("movie") << "clip.mp4" << false;
        QTest::newRow("telop text") << "news.txt" << false;
        QTest::newRow("no extension") << "README" << false;
    }

    void droppedFileTypes()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, accepted);
        QObject owner;
        KvStage* stage = makeStage(&owner);
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(stage);
        auto* edit = child<KvLineEdit>(&panel, "lineEdit_BackgroundImage");
        QSignalSpy image(&panel, SIGNAL(stageBackImageValueChanged(QString)));
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);

        const QString path = m_dataDir.filePath(fileName);
        QScopedPointer<QMimeData> data(urlData(path));
        QVERIFY(sendDrop(edit, data.data()));
        if (accepted) {
            QCOMPARE(image.count(), 1);
            QCOMPARE(image.at(0).at(0).toString(), path);
            QTest::qWait(50);
            QCOMPARE(watcher.count(), 0);
        } else {
            QCOMPARE(watcher.count(), 1);
            QCOMPARE(watcher.seen().at(0).title, QStringLiteral("File type is invalid."));
            QCOMPARE(watcher.seen().at(0).text,
                     QStringLiteral("This file can not be used as a background image."));
            QCOMPARE(image.count(), 0);
        }
        // Nothing in the panel changed by the drop itself.
        QVERIFY(edit->text().isEmpty());
    }

    void dropOfTheLibraryPayload()
    {
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeStage(&owner));
        auto* edit = child<KvLineEdit>(&panel, "lineEdit_BackgroundImage");
        QSignalSpy image(&panel, SIGNAL(stageBackImageValueChanged(QString)));
        const QString first = m_dataDir.filePath(QStringLiteral("with space.png"));
        const QString second = m_dataDir.filePath(QStringLiteral("other.png"));
        QMimeData data;
        data.setData(KvEditorCommon::MIME_TYPE_URI,
                     QUrl::fromLocalFile(first).toEncoded() + "\r\n\r\n" +
                         QUrl::fromLocalFile(second).toEncoded() + "\r\n");
        QVERIFY(sendDrop(edit, &data));
        QCOMPARE(image.count(), 1);
        QCOMPARE(image.at(0).at(0).toString(), first);
    }

    void dragHighlightsTheField()
    {
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeStage(&owner));
        auto* edit = child<KvLineEdit>(&panel, "lineEdit_BackgroundImage");
        auto* frame = child<QWidget>(&panel, "widget_outer_lineEdit_BackgroundImage");

        QMimeData plain;
        plain.setText(QStringLiteral("not a file"));
        QDragEnterEvent refused(QPoint(1, 1), Qt::CopyAction, &plain, Qt::LeftButton,
                                Qt::NoModifier);
        QApplication::sendEvent(edit, &refused);
        QVERIFY(!refused.isAccepted());
        QVERIFY(frame->palette().color(QPalette::Window) != QColor(Qt::cyan));

        QScopedPointer<QMimeData> data(urlData(QStringLiteral("/tmp/a.png")));
        QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, data.data(), Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QVERIFY(enter.isAccepted());
        QVERIFY(frame->autoFillBackground());
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(Qt::cyan));
        QDragLeaveEvent leave;
        QApplication::sendEvent(edit, &leave);
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(Qt::transparent));
    }

    void panelWrapsWhenNarrow()
    {
        QObject owner;
        KvStagePropertyWidget panel(nullptr);
        panel.onCurrentStageChanged(makeStage(&owner));
        auto* position = child<QGroupBox>(&panel, "groupBox_Position");
        auto* size = child<QGroupBox>(&panel, "groupBox_Size");
        panel.resize(1600, 400);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QTRY_COMPARE(size->y(), position->y());
        panel.resize(position->width() + 40, 400);
        QTRY_VERIFY(size->y() > position->y());
    }
};

QTEST_MAIN(TestStagePropertyWidget)
#include "tst_stagepropertywidget.moc"
