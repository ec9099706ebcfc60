// The content preview: what it shows for each kind of library file.

#include "kvcontentpreviewwidget.h"
#include "kveditorconfig.h"
#include "kvtestfactories.h"
#include "kvthumbnail.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest>

using namespace Kova;

class TestContentPreview : public QObject
{
    Q_OBJECT

    Kova::Test::TempDataDir m_data;

    static QString message(const KvContentPreviewWidget& w)
    {
        return w.findChild<QLabel*>(QStringLiteral("ContentPreviewMessage"))->text();
    }

    // Shows `path` (absolute, or relative to the data folder) in `w`.
    static void show(KvContentPreviewWidget& w, const QString& path)
    {
        QString p = path;
        w.showPreview(p);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        KvEditorConfig::setDataDir(m_data.path());
    }

    void imageIsScaledToFit()
    {
        QVERIFY(Kova::Test::writeImage(m_data.filePath("image/big.png"), QSize(1600, 800)));
        QVERIFY(Kova::Test::writeImage(m_data.filePath("image/small.png"), QSize(40, 20)));
        KvContentPreviewWidget w;
        w.resize(300, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        show(w, m_data.filePath("image/big.png"));
        QCOMPARE(w.showing(), KvContentPreviewWidget::Image);
        const QSize shown = w.imageSize();
        QVERIFY2(shown.width() <= 300 && shown.width() >= 200,
                 qPrintable(QString::number(shown.width())));
        QVERIFY(qAbs(shown.width() - 2 * shown.height()) <= 2); // the aspect ratio is kept
        QVERIFY(w.caption().contains(QStringLiteral("big.png")));

        // A small picture is not blown up; a relative path is taken from the data folder.
        show(w, QStringLiteral("image/small.png"));
        QCOMPARE(w.showing(), KvContentPreviewWidget::Image);
        QCOMPARE(w.imageSize(), QSize(40, 20));
        QCOMPARE(w.currentPath(), QDir::cleanPath(m_data.filePath("image/small.png")));
    }

    void eachKindOfFile_data()
    {
        QTest::addColumn<QString>("file");       // in the data folder; ends in '/': a folder
        QTest::addColumn<QByteArray>("content"); // null: the file is not made
        QTest::addColumn<int>("showing");
        QTest::addColumn<QString>("shown"); // the text (telop), the address, or in the caption
        const int text = KvContentPreviewWidget::Text, address = KvContentPreviewWidget::Address,
                  info = KvContentPreviewWidget::Information;
        QTest::newRow("telop") << "telop/news.txt"
                               << QStringLiteral("Heute geöffnet bis 20 Uhr").toUtf8() << text
                               << QStringLiteral("Heute geöffnet bis 20 Uhr");
        QTest::newRow("styled telop")
            << "telop/styled.txt" << QByteArray("#kova-telop 1\nspeed=4\n\nOpen today\n") << text
            << "Open today";
        QTest::newRow("url shortcut")
            << "web/site.url"
            << QByteArray("[InternetShortcut]\r\nURL=https://example.org/a?b=1\r\n") << address
            << "https://example.org/a?b=1";
        QTest::newRow("url plain line")
            << "web/plain.url" << QByteArray("\n  https://example.org/plain  \n") << address
            << "https://example.org/plain";
        QTest::newRow("html title")
            << "web/page.html"
            << QByteArray("<html><head><TITLE>\n  Opening   hours </TITLE></head><body>x</body>")
            << address << "Opening hours";
        QTest::newRow("html without title")
            << "web/untitled.htm" << QByteArray("<p>no title</p>") << info << "untitled.htm";
        QTest::newRow("other file") << "movie/clip.mp4" << QByteArray(2048, 'x') << info
                                    << QLocale().formattedDataSize(2048); // name, type, size
        QTest::newRow("broken picture")
            << "image/broken.png" << QByteArray("not a png") << info << "broken.png";
        QTest::newRow("missing file") << "image/gone.png" << QByteArray() << info << "gone.png";
        QTest::newRow("folder") << "folder/" << QByteArray() << info << "1 item";
    }

    void eachKindOfFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(int, showing);
        QFETCH(QString, shown);
        if (!content.isNull())
            QVERIFY(Kova::Test::writeFile(m_data.filePath(file), content));
        if (file.endsWith(QLatin1Char('/')))
            QVERIFY(QDir().mkpath(m_data.filePath(file + QStringLiteral("a"))));
        KvContentPreviewWidget w;
        show(w, m_data.filePath(file));
        QCOMPARE(int(w.showing()), showing);
        if (showing == KvContentPreviewWidget::Text)
            QCOMPARE(w.previewText(), shown);
        else if (showing == KvContentPreviewWidget::Address)
            QCOMPARE(message(w), shown);
        else
            QVERIFY2(w.caption().contains(shown), qPrintable(w.caption()));
        if (showing != KvContentPreviewWidget::Address)
            QVERIFY2(w.caption().contains(QFileInfo(file).fileName()), qPrintable(w.caption()));
    }

    // A movie shows its frame from the media tool's thumbnail, with its facts and length.
    void movieShowsItsThumbnailAndLength()
    {
        const QString movie = m_data.filePath("movie/countdown-3s.mp4");
        QVERIFY(
            QFile::copy(Kova::Test::TempDataDir::sampleDir() + "/movie/countdown-3s.mp4", movie));
        KvContentPreviewWidget w;
        show(w, movie);
        QCOMPARE(w.imageSize(), QSize()); // no thumbnail made yet
        QVERIFY(KvThumbnail::createFileProperty(movie, true).length > 0);
        show(w, movie);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Information);
        QVERIFY(!w.imageSize().isEmpty());
        QVERIFY2(w.caption().startsWith("countdown-3s.mp4\n"), qPrintable(w.caption()));
        QVERIFY2(w.caption().endsWith("\nLength 0:03"), qPrintable(w.caption()));
    }

    void emptyPathAndDefaultShowingClear()
    {
        QVERIFY(Kova::Test::writeFile(m_data.filePath("telop/t.txt"), "text"));
        KvContentPreviewWidget w;
        QCOMPARE(w.showing(), KvContentPreviewWidget::Nothing);
        QCOMPARE(message(w), QStringLiteral("No preview"));
        for (const QString& clear : {QStringLiteral("empty path"), QStringLiteral("default")}) {
            show(w, m_data.filePath("telop/t.txt"));
            QCOMPARE(w.showing(), KvContentPreviewWidget::Text);
            if (clear == QLatin1String("default"))
                w.switchToDefaultShowing();
            else
                show(w, QString());
            QCOMPARE(w.showing(), KvContentPreviewWidget::Nothing);
            QVERIFY(w.currentPath().isEmpty());
            QVERIFY(w.caption().isEmpty());
            QVERIFY(w.previewText().isEmpty());
            QCOMPARE(message(w), QStringLiteral("No preview"));
        }
    }
};

QTEST_MAIN(TestContentPreview)
#include "tst_contentpreview.moc"
