// The dialogs that make and edit the library's content files: the name of a new telop or web
// shortcut, the telop editor with its scrolling preview, and the web address editor.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <functional>

#include "kvinputnamedialog.h"
#include "kvmodalwatcher.h"
#include "kvtelopeditor.h"
#include "kvteloppreview.h"
#include "kvtestfactories.h"
#include "kvthumbnail.h"
#include "kvthumbnailcard.h"
#include "kvurleditor.h"

using namespace Kova;
using namespace Kova::Test;

using Edit = std::function<void(QWidget*)>;
Q_DECLARE_METATYPE(Edit)

namespace {

const QByteArray DEFAULT_STYLE = "#kova-telop 1\nfont-family=Sans Serif\nfont-size=24\n"
                                 "bold=false\ncolor=#ffffff\nbackground=#000000\n"
                                 "direction=left\nspeed=2\n\n";
const QByteArray STYLED = "#kova-telop 1\nfont-family=DejaVu Serif\nfont-size=40\nbold=true\n"
                          "color=#ffcc00\nbackground=#102030\ndirection=down\nspeed=7\n"
                          "x-ticker=fast\n\nLine one\nLine two\n";

// The file's bytes; a null array when there is no file.
QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void click(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(field<QDialogButtonBox>(dialog, "ButtonBox")->button(which), Qt::LeftButton);
}

void retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

} // namespace

class TestContentFileDialogs : public QObject
{
    Q_OBJECT

private slots:
    // OK is enabled only for an acceptable name, whose file name is then known; otherwise the
    // reason is shown.
    void nameDialogChecksName_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("result"); // the file name, or a part of the reason
        const int telop = KvInputNameDialog::Telop;
        const auto row = [](const char* name, int type, const QString& typed, bool accepted,
                            const QString& result, const QStringList& existing = {}) {
            QTest::newRow(name) << type << existing << typed << false << accepted << result;
        };
        row("extension added", telop, "news", true, "news.txt");
        row("extension kept", telop, "News.TXT", true, "News.TXT");
        row("url extension", KvInputNameDialog::Url, "site", true, "site.url");
        row("other type's file", telop, "news", true, "news.txt", {"news.url"});
        row("empty", telop, "", false, "Enter a name");
        row("blanks", telop, "   ", false, "Enter a name");
        row("extension only", telop, ".txt", false, "Enter a name");
        for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
            row(qPrintable(QString("forbidden ") + c), telop, QString("a%1b").arg(c), false,
                "cannot contain");
        QTest::newRow("control character pasted")
            << telop << QStringList() << "a\x07z" << true << false << "cannot contain";
        row("leading blank", telop, " a", false, "blank");
        row("blank before extension", KvInputNameDialog::Url, "a .url", false, "blank");
        row("only dots", telop, "..", false, "dot");
        row("final dot", telop, "a.", false, "dot");
        row("too long", telop, QString(252, 'x'), false, "too long");
        row("exists in other case", telop, "news", false, "already exists", {"News.txt"});
        row("exists, typed with extension", KvInputNameDialog::Url, "A.URL", false,
            "already exists", {"a.url"});
    }
    void nameDialogChecksName()
    {
        QFETCH(int, type);
        QFETCH(QStringList, existing);
        QFETCH(QString, typed);
        QFETCH(bool, pasted);
        QFETCH(bool, accepted);
        QFETCH(QString, result);
        QTemporaryDir dir;
        for (const QString& name : existing)
            QVERIFY(writeFile(dir.filePath(name), "x"));
        KvInputNameDialog dialog(type, dir.path());
        dialog.show();
        auto* edit = field<QLineEdit>(&dialog, "NameEdit");
        if (pasted) {
            QGuiApplication::clipboard()->setText(typed);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(edit, typed);
        }
        QCOMPARE(edit->text(), typed);
        const QString shown = field<QLabel>(&dialog, "ProblemLabel")->text();
        QVERIFY2(accepted ? shown.isEmpty() : shown.contains(result), qPrintable(shown));
        auto* ok = field<QDialogButtonBox>(&dialog, "ButtonBox")->button(QDialogButtonBox::Ok);
        QCOMPARE(ok->isEnabled(), accepted);
        if (accepted)
            QCOMPARE(dialog.fileName(), result);
    }

    // A file made while the dialog is open is found when OK is pressed.
    void nameDialogRechecksFolderOnOk()
    {
        QTemporaryDir dir;
        QString refusal;
        KvModalWatcher watcher;
        watcher.answerWith([&](QWidget* dialog) {
            auto* edit = field<QLineEdit>(dialog, "NameEdit");
            QTest::keyClicks(edit, "news");
            QVERIFY(writeFile(dir.filePath("NEWS.TXT"), "x"));
            click(dialog, QDialogButtonBox::Ok);
            refusal = field<QLabel>(dialog, "ProblemLabel")->text();
            retype(edit, "other");
            click(dialog, QDialogButtonBox::Ok);
        });
        QCOMPARE(KvInputNameDialog::showDialog(KvInputNameDialog::Telop, dir.path(), nullptr),
                 QString("other.txt"));
        QVERIFY2(refusal.contains("already exists"), qPrintable(refusal));
    }

    // A telop file is shown in the editor and saved from its fields; a file the editor cannot
    // keep (not UTF-8, too large) is shown as refused and left alone.
    void telopEditorReadsAndSaves_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: a new file
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("shown");    // the text, or a part of the refusal
        QTest::addColumn<QByteArray>("after"); // null: no file
        const Edit nothing = [](QWidget*) {};
        const Edit typeHi = [](QWidget* editor) {
            QTest::keyClicks(field<QPlainTextEdit>(editor, "TextEdit"), "Hi");
        };
        QTest::newRow("styled") << STYLED << nothing << true << "Line one\nLine two" << STYLED;
        QByteArray crlf = "\xEF\xBB\xBF" + STYLED;
        QTest::newRow("CR LF, byte-order mark")
            << crlf.replace("\n", "\r\n") << nothing << true << "Line one\nLine two" << STYLED;
        QTest::newRow("plain text") << QByteArray("Hello\r\nWorld\r\n") << nothing << true
                                    << "Hello\nWorld" << DEFAULT_STYLE + "Hello\nWorld\n";
        const Edit restyle = [](QWidget* editor) {
            QTest::mouseClick(field<QCheckBox>(editor, "BoldCheck"), Qt::LeftButton);
            auto* direction = field<QComboBox>(editor, "DirectionCombo");
            direction->setFocus();
            QTest::keyClick(direction, Qt::Key_Home);
            auto* size = field<QSpinBox>(editor, "FontSizeSpin");
            size->selectAll();
            QTest::keyClicks(size, "12");
        };
        QByteArray restyled = STYLED;
        restyled.replace("font-size=40", "font-size=12")
            .replace("bold=true", "bold=false")
            .replace("direction=down", "direction=left");
        QTest::newRow("restyled") << STYLED << restyle << true << "Line one\nLine two" << restyled;
        QTest::newRow("new") << QByteArray() << typeHi << true << "" << DEFAULT_STYLE + "Hi\n";
        QTest::newRow("new, cancelled") << QByteArray() << typeHi << false << "" << QByteArray();
        const QByteArray latin1("Caf\xe9\n");
        QTest::newRow("not UTF-8") << latin1 << nothing << true << "not UTF-8" << latin1;
        const QByteArray large(1024 * 1024 + 1, 'a');
        QTest::newRow("over 1 MiB") << large << nothing << true << "too large" << large;
    }
    void telopEditorReadsAndSaves()
    {
        QFETCH(QByteArray, before);
        QFETCH(Edit, edit);
        QFETCH(bool, save);
        QFETCH(QString, shown);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString folder = dir.filePath("telop");
        const QString path = folder + "/news.txt";
        if (!before.isNull())
            QVERIFY(writeFile(path, before));
        QString text;
        QString problem;
        KvModalWatcher watcher;
        watcher.answerWith([&](QWidget* editor) {
            text = field<QPlainTextEdit>(editor, "TextEdit")->toPlainText();
            problem = field<QLabel>(editor, "ProblemLabel")->text();
            edit(editor);
            click(editor, save ? QDialogButtonBox::Save : QDialogButtonBox::Cancel);
            if (editor->isVisible())
                click(editor, QDialogButtonBox::Cancel);
        });
        const bool saved = KvTelopEditor::showEditor(path, nullptr, !before.isNull()) == 1;
        QCOMPARE(saved, save && problem.isEmpty());
        QVERIFY2(problem.isEmpty() ? text == shown : problem.contains(shown), qPrintable(problem));
        QCOMPARE(contents(path), after);
        // A save went through a temporary file that is gone.
        QCOMPARE(entries(folder), after.isNull() ? QStringList() : QStringList{"news.txt"});
        if (saved) {
            // The library's thumbnail shows the text, not the style block.
            const QString body = QString::fromUtf8(after).section("\n\n", 1);
            const QString thumbnail = KvThumbnail::createFileProperty(path, false).thumbnailPath;
            QCOMPARE(KvThumbnail::loadThumbnail(thumbnail).convertToFormat(
                         QImage::Format_ARGB32_Premultiplied),
                     KvThumbnailCard::telop(body.section('\n', 0, 0), 160));
        }
    }

    // Only absolute http and https addresses with a host are saved; a new file that is not
    // saved is not made.
    void urlEditorChecksAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("written"); // null: nothing saved
        const auto row = [](const char* name, const QString& typed, const QString& message,
                            const QString& written = QString()) {
            QTest::newRow(name) << typed << message << written;
        };
        row("http", "http://example.com/page", "", "http://example.com/page");
        row("https, query", "https://example.com/a?b=1#c", "", "https://example.com/a?b=1#c");
        row("blanks around", "  https://example.com  ", "", "https://example.com");
        row("ftp", "ftp://example.com", "http:// or https://");
        row("mailto", "mailto:a@example.com", "http:// or https://");
        row("no host", "http:///path", "no host");
        row("blank in host", "https://exa mple.com", "not a valid");
        row("blank in path", "https://example.com/a b", "not a valid");
        row("empty", "", "Enter the address");
        row("single word", "intranet", "not a valid");
        row("completed, then saved", "example.com/news", "completed to https://example.com/news",
            "https://example.com/news");
    }
    void urlEditorChecksAddress()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, written);
        QTemporaryDir dir;
        const QString path = dir.filePath("web/site.url");
        QString shown;
        KvModalWatcher watcher;
        watcher.answerWith([&](QWidget* editor) {
            QTest::keyClicks(field<QLineEdit>(editor, "AddressEdit"), typed);
            click(editor, QDialogButtonBox::Save);
            shown = field<QLabel>(editor, "MessageLabel")->text();
            if (editor->isVisible() && !written.isNull())
                click(editor, QDialogButtonBox::Save);
            if (editor->isVisible())
                click(editor, QDialogButtonBox::Cancel);
        });
        QCOMPARE(KvUrlEditor::showEditor(path, nullptr, false), written.isNull() ? 0 : 1);
        QVERIFY2(message.isEmpty() ? shown.isEmpty() : shown.contains(message), qPrintable(shown));
        QCOMPARE(contents(path), written.isNull()
                                     ? QByteArray()
                                     : "[InternetShortcut]\nURL=" + written.toUtf8() + "\n");
    }

    void urlEditorKeepsShortcutFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("shown");    // %1: the file's own address
        QTest::addColumn<QByteArray>("after"); // null: the editor is read-only
        QTest::newRow("other keys kept")
            << "site.url"
            << QByteArray("\xEF\xBB\xBF[DEFAULT]\r\nBASEURL=http://old.example.com\r\n"
                          "[InternetShortcut]\r\nIconIndex=0\r\n url = http://old.example.com"
                          "\r\nIconFile=x.ico\r\n")
            << "http://old.example.com"
            << QByteArray("[DEFAULT]\nBASEURL=http://old.example.com\n[InternetShortcut]\n"
                          "IconIndex=0\nURL=https://new.example.com\nIconFile=x.ico\n");
        QTest::newRow("section without address")
            << "site.url" << QByteArray("[InternetShortcut]\nIconIndex=0\n") << ""
            << QByteArray("[InternetShortcut]\nURL=https://new.example.com\nIconIndex=0\n");
        QTest::newRow("page file")
            << "page.html" << QByteArray("<title>Page</title>") << "%1" << QByteArray();
        QTest::newRow("not UTF-8")
            << "site.url" << QByteArray("[InternetShortcut]\nURL=\xff\n") << "" << QByteArray();
    }
    void urlEditorKeepsShortcutFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, before);
        QFETCH(QString, shown);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(writeFile(path, before));
        QString address;
        bool readOnly = false;
        KvModalWatcher watcher;
        watcher.answerWith([&](QWidget* editor) {
            auto* edit = field<QLineEdit>(editor, "AddressEdit");
            address = edit->text();
            readOnly = edit->isReadOnly();
            if (!readOnly)
                retype(edit, "https://new.example.com");
            click(editor, QDialogButtonBox::Save);
            if (editor->isVisible())
                click(editor, QDialogButtonBox::Cancel);
        });
        QCOMPARE(KvUrlEditor::showEditor(path, nullptr, true), after.isNull() ? 0 : 1);
        QCOMPARE(address, shown.replace("%1", QUrl::fromLocalFile(path).toString()));
        QCOMPARE(readOnly, after.isNull());
        QCOMPARE(contents(path), after.isNull() ? before : after);
        QCOMPARE(entries(dir.path()), QStringList{name});
    }

    // The editor's preview scrolls at the speed set in the editor while the editor is shown.
    void previewScrollsWhileVisible()
    {
        QTemporaryDir dir;
        KvTelopEditor editor(dir.filePath("news.txt"), false);
        auto* preview = field<KvTelopPreview>(&editor, "Preview");
        QVERIFY(!preview->isScrolling());
        QTest::keyClicks(field<QPlainTextEdit>(&editor, "TextEdit"), "Scrolling news");
        auto* speed = field<QSpinBox>(&editor, "SpeedSpin");
        speed->selectAll();
        QTest::keyClicks(speed, "7");
        editor.show();
        QVERIFY(preview->isScrolling());
        QTRY_VERIFY(preview->offset() >= 14);
        QCOMPARE(preview->offset() % 7, 0);
        editor.hide();
        QVERIFY(!preview->isScrolling());
    }

    // The text enters at the edge its direction names, in its colours (glyphs may reach a
    // pixel or two beyond the text's advance).
    void previewPaintsTextWhereItScrolled_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QRect>("area");
        QTest::newRow("left") << int(KvTelopFile::Left) << QRect(268, 0, 32, 80);
        QTest::newRow("right") << int(KvTelopFile::Right) << QRect(0, 0, 32, 80);
        QTest::newRow("up") << int(KvTelopFile::Up) << QRect(0, 50, 300, 30);
        QTest::newRow("down") << int(KvTelopFile::Down) << QRect(0, 0, 300, 30);
    }
    void previewPaintsTextWhereItScrolled()
    {
        QFETCH(int, direction);
        QFETCH(QRect, area);
        KvTelopFile telop;
        telop.text = "Telop";
        telop.fontSize = 20;
        telop.color = QColor("#ffcc00");
        telop.background = QColor("#102030");
        telop.direction = KvTelopFile::Direction(direction);
        telop.speed = 10;
        KvTelopPreview preview;
        preview.resize(300, 80);
        preview.setTelop(telop);
        for (int i = 0; i < 3; ++i)
            preview.advance();
        const QImage image = preview.grab().toImage();
        QRect painted;
        bool textColour = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel != telop.background)
                    painted |= QRect(x, y, 1, 1);
                textColour = textColour || pixel == telop.color;
            }
        }
        QVERIFY(!painted.isEmpty());
        QCOMPARE(area.united(painted), area);
        QVERIFY(textColour);
    }
};

QTEST_MAIN(TestContentFileDialogs)
#include "tst_contentfiledialogs.moc"
