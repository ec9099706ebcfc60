// The media property dialog (fields per media type, values typed into the copy, refused values,
// a web page's own address, the file's facts) and the property copier dialog (choosing a screen
// and media, OK, geometry).

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

#include "kveditorconfig.h"
#include "kvmediapropertycopierdialog.h"
#include "kvmediapropertycopierwidget.h"
#include "kvmediapropertydialog.h"
#include "kvmodalwatcher.h"
#include "kvtestfactories.h"
#include "kvthumbnail.h"

using namespace Kova;
using namespace Kova::Test;

using Edit = std::function<void(QDialog*)>;
using Change = std::function<void(KvMedia*)>;
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(MediaType::MediaTypes)

namespace {

// Types `text` over what a line edit of the dialog holds.
Edit type(const char* name, const QString& text)
{
    return [name, text](QDialog* dialog) {
        auto* edit = field<QLineEdit>(dialog, name);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, text);
    };
}

template <typename T> Edit click(const char* name)
{
    return [name](QDialog* dialog) { QTest::mouseClick(field<T>(dialog, name), Qt::LeftButton); };
}

Edit both(const Edit& a, const Edit& b)
{
    return [a, b](QDialog* dialog) {
        a(dialog);
        b(dialog);
    };
}

void clickOk(QDialog* dialog)
{
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
}

} // namespace

class TestMediaDialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_data;
    KvScreen m_screen{ScreenType::Multimedia, 4};

    // A medium of `type` whose every property differs from the defaults, second of three on
    // m_screen, with its file in the data folder.
    KvMedia* makeMedia(MediaType::MediaTypes mediaType)
    {
        qDeleteAll(m_screen.mediaList());
        m_screen.mediaList().clear();
        m_screen.setName(QStringLiteral("Lobby"));
        m_screen.addMedia(new KvMedia(QStringLiteral("image/first.png"), MediaType::Image));
        KvMedia* media = makeFullMedia(1, &m_screen);
        media->setMediaType(mediaType);
        media->setDetectTermination(false);
        media->setWaitAuto(false);
        const char* uris[] = {"",          "image/p.png", "movie/m.mp4",    "flash/f.swf", "",
                              "web/w.url", "telop/t.txt", "channel/folder", "ext/e.bin"};
        media->setUri(QLatin1String(uris[mediaType]));
        m_screen.addMedia(media);
        auto* last = new KvMedia(QStringLiteral("image/last.png"), MediaType::Image);
        last->setName(QStringLiteral("Closing"));
        m_screen.addMedia(last);
        return media;
    }

    // Shows `dialog` with `copy` as the medium made last, between its neighbours on m_screen.
    bool open(KvMediaPropertyDialog* dialog, KvMedia* copy)
    {
        const QList<KvMedia*>& list = m_screen.mediaList();
        dialog->setMediaInformations(&m_screen, copy, list.value(2), list.value(0), 1);
        dialog->setPropertyToWidgetFromMediaInformation();
        dialog->show();
        return QTest::qWaitForWindowActive(dialog);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
        QVERIFY(writeImage(m_data.filePath("image/p.png"), QSize(64, 36)));
        QVERIFY(writeFile(
            m_data.filePath("web/w.url"),
            "[Other]\nURL=http://not.this/\n[InternetShortcut]\nURL=https://example.com/a\n"));
        QVERIFY(writeFile(m_data.filePath("web/page.html"), "<html></html>"));
        for (const char* name : {"a.png", "b.jpg", "c.txt", "d.unknown"})
            QVERIFY(writeFile(m_data.filePath(QStringLiteral("channel/folder/") + name)));
    }

    void fieldsShownPerType_data()
    {
        QTest::addColumn<MediaType::MediaTypes>("mediaType");
        QTest::addColumn<QStringList>("shown");
        const QString time = QStringLiteral("DurationEdit");
        const QStringList telop{time, "DirectionCombo", "StepEdit", "WaitEdit", "FontCombo"};
        QTest::newRow("image") << MediaType::Image << QStringList{time, "DimensionsLabel"};
        QTest::newRow("movie") << MediaType::Movie
                               << QStringList{time, "UntilEndRadio", "DimensionsLabel",
                                              "LengthLabel"};
        QTest::newRow("flash") << MediaType::Flash << QStringList{time, "DimensionsLabel"};
        QTest::newRow("web") << MediaType::Web
                             << QStringList{time, "FileAddressLabel", "AddressEdit"};
        QTest::newRow("telop") << MediaType::Telop << telop;
        QTest::newRow("folder") << MediaType::Folder << QStringList{time, "FolderTotalLabel"};
        QTest::newRow("extended") << MediaType::Extended << QStringList{"PluginNote"};
    }

    void fieldsShownPerType()
    {
        QFETCH(MediaType::MediaTypes, mediaType);
        QFETCH(QStringList, shown);
        const QStringList all{"DurationEdit",     "UntilEndRadio",   "DirectionCombo",
                              "StepEdit",         "WaitEdit",        "FontCombo",
                              "FileAddressLabel", "AddressEdit",     "FolderTotalLabel",
                              "PluginNote",       "DimensionsLabel", "LengthLabel"};
        // The dialog is kept and reused: what a telop showed before must not stay.
        KvMediaPropertyDialog dialog;
        KvMedia telop(*makeMedia(MediaType::Telop));
        dialog.setMediaInformations(&m_screen, &telop, nullptr, nullptr, 1);
        dialog.setPropertyToWidgetFromMediaInformation();
        KvMedia copy(*makeMedia(mediaType));
        dialog.setMediaInformations(&m_screen, &copy, nullptr, nullptr, 1);
        dialog.setPropertyToWidgetFromMediaInformation();
        QStringList visible;
        for (const QString& name : all) {
            if (field<QWidget>(&dialog, qPrintable(name))->isVisibleTo(&dialog))
                visible << name;
        }
        QCOMPARE(visible, shown);
        QVERIFY(field<QLineEdit>(&dialog, "NameEdit")->isVisibleTo(&dialog));
    }

    void valuesReachTheCopy_data()
    {
        QTest::addColumn<MediaType::MediaTypes>("mediaType");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<Change>("expected");
        QTest::newRow("untouched")
            << MediaType::Telop << Edit([](QDialog*) {}) << Change([](KvMedia*) {});
        QTest::newRow("image name and time")
            << MediaType::Image << both(type("NameEdit", "Entrance"), type("DurationEdit", "12.5"))
            << Change([](KvMedia* m) {
                   m->setName("Entrance");
                   m->setPlayingDuration(12.5);
               });
        QTest::newRow("movie to its end, time not needed")
            << MediaType::Movie
            << both(type("DurationEdit", ""), click<QRadioButton>("UntilEndRadio"))
            << Change([](KvMedia* m) { m->setDetectTermination(true); });
        QTest::newRow("telop scrolls") << MediaType::Telop << Edit([](QDialog* d) {
            auto* combo = field<QComboBox>(d, "DirectionCombo");
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down); // from 3 (bottom to top) to 4
            type("StepEdit", "4")(d);
            type("WaitEdit", "25")(d);
            click<QCheckBox>("BoldCheck")(d);
        }) << Change([](KvMedia* m) {
            m->setPlayingDirection(4);
            m->setStep(4);
            m->setWait(25);
            QFont font = m->font(); // 21.5 points and underlined as before
            font.setBold(false);
            m->setFont(font);
        });
        QTest::newRow("telop automatic wait, wait not needed")
            << MediaType::Telop << both(type("WaitEdit", ""), click<QCheckBox>("WaitAutoCheck"))
            << Change([](KvMedia* m) { m->setWaitAuto(true); });
        QTest::newRow("web page's own address")
            << MediaType::Web
            << both(click<QCheckBox>("OwnAddressCheck"), type("AddressEdit", "https://kova.test/x"))
            << Change([](KvMedia* m) {
                   QVariantMap properties = m->properties();
                   properties.insert("url", "https://kova.test/x");
                   m->setProperties(properties);
               });
        QTest::newRow("folder time per file")
            << MediaType::Folder << type("DurationEdit", "3")
            << Change([](KvMedia* m) { m->setPlayingDuration(3); });
    }

    // The caller's road: exec(), OK, then the copy compared with the medium.
    void valuesReachTheCopy()
    {
        QFETCH(MediaType::MediaTypes, mediaType);
        QFETCH(Edit, edit);
        QFETCH(Change, expected);
        KvMedia* media = makeMedia(mediaType);
        KvMedia copy(*media);
        KvMedia wanted(*media);
        expected(&wanted);
        KvMediaPropertyDialog dialog;
        dialog.setMediaInformations(&m_screen, &copy, nullptr, nullptr, 1);
        dialog.setPropertyToWidgetFromMediaInformation();
        KvModalWatcher watcher;
        watcher.answerWith([edit](QWidget* w) {
            auto* shown = qobject_cast<QDialog*>(w);
            edit(shown);
            clickOk(shown);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(watcher.count(), 1);
        QVERIFY(copy.isMatch(wanted, true, true));
        QCOMPARE(copy.isMatch(*media, true, false),
                 QTest::currentDataTag() == QLatin1String("untouched"));
    }

    void invalidValuesAreRefused_data()
    {
        QTest::addColumn<MediaType::MediaTypes>("mediaType");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("wrongField");
        QTest::addColumn<QString>("message");
        const QString time = QStringLiteral("The playing time must be");
        QTest::newRow("empty time")
            << MediaType::Image << type("DurationEdit", "") << "DurationEdit"
            << "Enter the playing time in seconds.";
        QTest::newRow("negative time")
            << MediaType::Flash << type("DurationEdit", "-2") << "DurationEdit" << time;
        QTest::newRow("zero time of a timed movie")
            << MediaType::Movie << type("DurationEdit", "0") << "DurationEdit" << time;
        QTest::newRow("text as time")
            << MediaType::Folder << type("DurationEdit", "ten") << "DurationEdit" << time;
        QTest::newRow("static telop without time")
            << MediaType::Telop
            << both(
                   [](QDialog* d) {
                       auto* combo = field<QComboBox>(d, "DirectionCombo");
                       combo->setFocus();
                       QTest::keyClick(combo, Qt::Key_Home); // none: the text stands still
                   },
                   type("DurationEdit", ""))
            << "DurationEdit"
            << "Enter the playing time in seconds.";
        QTest::newRow("step 0") << MediaType::Telop << type("StepEdit", "0") << "StepEdit"
                                << "The scroll step must be";
        QTest::newRow("wait 0") << MediaType::Telop << type("WaitEdit", "0") << "WaitEdit"
                                << "The wait must be";
        QTest::newRow("address not http")
            << MediaType::Web
            << both(click<QCheckBox>("OwnAddressCheck"), type("AddressEdit", "ftp://kova.test/"))
            << "AddressEdit"
            << "\"ftp://kova.test/\" is not a web address.";
    }

    // A refused value: the message, the dialog still open on the wrong field, nothing stored.
    void invalidValuesAreRefused()
    {
        QFETCH(MediaType::MediaTypes, mediaType);
        QFETCH(Edit, edit);
        QFETCH(QString, wrongField);
        QFETCH(QString, message);
        KvMedia* media = makeMedia(mediaType);
        KvMedia copy(*media);
        KvMediaPropertyDialog dialog;
        QVERIFY(open(&dialog, &copy));
        edit(&dialog);
        KvModalWatcher watcher;
        watcher.answer(QMessageBox::Ok);
        clickOk(&dialog);
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().at(0).title, QStringLiteral("Information"));
        QVERIFY2(watcher.seen().at(0).text.startsWith(message),
                 qPrintable(watcher.seen().at(0).text));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), field<QLineEdit>(&dialog, qPrintable(wrongField)));
        QVERIFY(copy.isMatch(*media, true, true));
    }

    void webAddress_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("fileAddress");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        const QString page = QUrl::fromLocalFile(m_data.filePath("web/page.html")).toString();
        const QString unread = QStringLiteral("(the file cannot be read)");
        QTest::newRow("url file, https") << "web/w.url"
                                         << "https://example.com/a"
                                         << "https://kova.test/menu?day=1" << true;
        QTest::newRow("page file, http")
            << "web/page.html" << page << "http://10.0.0.2:8080/" << true;
        QTest::newRow("missing file, no scheme")
            << "web/none.url" << unread << "kova.test" << false;
        QTest::newRow("no host") << "web/w.url"
                                 << "https://example.com/a"
                                 << "https://" << false;
        QTest::newRow("space in host") << "web/w.url"
                                       << "https://example.com/a"
                                       << "http://kova test/" << false;
    }

    // The address the file names is shown; checking the override proposes it, and the hint
    // under the field tells while typing whether the address will be taken.
    void webAddress()
    {
        QFETCH(QString, uri);
        QFETCH(QString, fileAddress);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        KvMedia* media = makeMedia(MediaType::Web);
        media->setUri(uri);
        KvMedia copy(*media);
        KvMediaPropertyDialog dialog;
        QVERIFY(open(&dialog, &copy));
        QCOMPARE(field<QLabel>(&dialog, "FileAddressLabel")->text(), fileAddress);
        auto* edit = field<QLineEdit>(&dialog, "AddressEdit");
        QVERIFY(!edit->isEnabled());
        click<QCheckBox>("OwnAddressCheck")(&dialog);
        QVERIFY(edit->isEnabled());
        if (fileAddress.contains("://"))
            QCOMPARE(edit->text(), fileAddress);
        type("AddressEdit", typed)(&dialog);
        QCOMPARE(field<QLabel>(&dialog, "AddressHint")->isVisibleTo(&dialog), !accepted);
    }

    // What is known of the file, and where the medium stands in its screen's sequence.
    void facts()
    {
        KvMedia* media = makeMedia(MediaType::Image);
        KvThumbnail::createFileProperty(m_data.filePath("image/p.png"));
        KvMedia copy(*media);
        KvMediaPropertyDialog dialog;
        QVERIFY(open(&dialog, &copy));
        auto text = [&dialog](const char* name) { return field<QLabel>(&dialog, name)->text(); };
        QCOMPARE(text("TypeLabel"), QStringLiteral("Image"));
        QCOMPARE(text("DimensionsLabel"), QStringLiteral("64 \u00d7 36"));
        QCOMPARE(text("PositionLabel"), QStringLiteral("2 of 3 on the screen \"Lobby\""));
        QCOMPARE(text("PreviousLabel"), QStringLiteral("first.png"));
        QCOMPARE(text("NextLabel"), QStringLiteral("Closing"));
        QVERIFY(!field<QLabel>(&dialog, "ThumbnailLabel")->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Properties of \"%1\"").arg(media->name()));

        KvMedia folder(*makeMedia(MediaType::Folder));
        folder.setPlayingDuration(5);
        dialog.setMediaInformations(&m_screen, &folder, nullptr, nullptr, -1);
        dialog.setPropertyToWidgetFromMediaInformation();
        // a.png and b.jpg play; the telop text and the unknown file do not.
        QCOMPARE(text("SizeLabel"), QStringLiteral("2 files to play"));
        QCOMPARE(text("FolderTotalLabel"), QStringLiteral("2 files to play: 0:10 in all"));
        QCOMPARE(text("PositionLabel"), QStringLiteral("unknown"));
        QCOMPARE(text("PreviousLabel"), QStringLiteral("(none: this plays first)"));
    }

    void copierChoosesScreenAndMedia()
    {
        KvStage stage;
        KvScreen* s1 = addScreen(&stage, 1);
        KvScreen* s2 = addScreen(&stage, 2);
        addScreen(&stage, 3);
        for (const char* uri : {"image/a.png", "image/b.png", "image/c.png"})
            s1->addMedia(new KvMedia(QLatin1String(uri), MediaType::Image, s1));
        for (const char* uri : {"movie/m.mp4", "movie/n.mp4"})
            s2->addMedia(new KvMedia(QLatin1String(uri), MediaType::Movie, s2));
        const KvMedia* source = s1->mediaList().at(1);

        KvMediaPropertyCopierDialog dialog;
        KvMediaPropertyCopierWidget* widget = dialog.mainWidget();
        widget->setMedia(source);
        widget->setScreens(stage.screenList());
        QCOMPARE(widget->media(), source);
        const QRect geometry(120, 90, 600, 540);
        dialog.setGeometry(geometry);
        auto* combo = field<QComboBox>(widget, "ScreenCombo");
        auto* list = field<QListWidget>(widget, "MediaList");
        auto check = [list](int row) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row)).center());
            QTest::keyClick(list, Qt::Key_Space);
        };
        auto ok = [&dialog]() { return dialog.okButton()->isEnabled(); };

        KvModalWatcher watcher;
        watcher.answerWith([&](QWidget*) {
            QCOMPARE(widget->selectedScreenId(), -1);
            QVERIFY(!ok());
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down); // S1
            QCOMPARE(widget->selectedScreenId(), 1);
            QVERIFY(!ok());
            QCOMPARE(list->count(), 3);
            QVERIFY(!(list->item(1)->flags() & Qt::ItemIsEnabled)); // the source itself
            check(2);
            check(0);
            QCOMPARE(widget->selectedMediaIndices(), (QList<int>{0, 2}));
            QVERIFY(ok());
            QTest::keyClick(combo, Qt::Key_Down); // S2: nothing checked there yet
            QCOMPARE(widget->selectedScreenId(), 2);
            QVERIFY(widget->selectedMediaIndices().isEmpty());
            QVERIFY(!ok());
            QTest::mouseClick(field<QPushButton>(widget, "CheckAllButton"), Qt::LeftButton);
            QCOMPARE(widget->selectedMediaIndices(), (QList<int>{0, 1}));
            QVERIFY(ok());
            QTest::mouseClick(field<QPushButton>(widget, "CheckNoneButton"), Qt::LeftButton);
            QVERIFY(!ok());
            check(1);
            QVERIFY(ok());
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(widget->selectedScreenId(), 2);
        QCOMPARE(widget->selectedMediaIndices(), QList<int>{1});
        QCOMPARE(dialog.geometry(), geometry);
    }
};

QTEST_MAIN(TestMediaDialogs)
#include "tst_mediadialogs.moc"
