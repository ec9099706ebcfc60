// The content preview: what it shows for each kind of library file.

#include "kvcontentpreviewwidget.h"
#include "kveditorconfig.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace Kova;

class TstContentPreview : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(bytes);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        KvEditorConfig::setDataDir(m_dir.path());
    }

    void startsNeutral()
    {
        KvContentPreviewWidget w;
        QCOMPARE(w.objectName(), QStringLiteral("ContentPreviewWidget"));
        QCOMPARE(w.showing(), KvContentPreviewWidget::Nothing);
        QVERIFY(w.currentPath().isEmpty());
        QVERIFY(w.caption().isEmpty());
        auto* message = w.findChild<QLabel*>(QStringLiteral("ContentPreviewMessage"));
        QVERIFY(message);
        QCOMPARE(message->text(), QStringLiteral("No preview"));
    }

    void imageIsScaledToFit()
    {
        QImage big(1600, 800, QImage::Format_RGB32);
        big.fill(Qt::red);
        const QString path = m_dir.filePath(QStringLiteral("image/big.png"));
        QDir().mkpath(m_dir.filePath(QStringLiteral("image")));
        QVERIFY(big.save(path));

        KvContentPreviewWidget w;
        w.resize(300, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QString p = path;
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Image);
        const QSize shown = w.imageSize();
        QVERIFY2(shown.width() <= 300 && shown.height() <= 300,
                 qPrintable(QString("%1x%2").arg(shown.width()).arg(shown.height())));
        QVERIFY(shown.width() >= 200);
        // The aspect ratio is kept: 2 to 1.
        QVERIFY(qAbs(shown.width() - 2 * shown.height()) <= 2);
        QVERIFY(w.caption().contains(QStringLiteral("big.png")));

        // A small picture is not blown up.
        QImage small(40, 20, QImage::Format_RGB32);
        small.fill(Qt::blue);
        const QString smallPath = m_dir.filePath(QStringLiteral("image/small.png"));
        QVERIFY(small.save(smallPath));
        p = smallPath;
        w.showPreview(p);
        QCOMPARE(w.imageSize(), QSize(40, 20));

        // A relative path is taken from the data folder.
        p = QStringLiteral("image/small.png");
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Image);
        QCOMPARE(w.currentPath(), QDir::cleanPath(smallPath));
    }

    void telopTextIsShown()
    {
        const QString path = write(QStringLiteral("telop/news.txt"),
                                   QStringLiteral("Heute geöffnet bis 20 Uhr").toUtf8());
        KvContentPreviewWidget w;
        QString p = path;
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Text);
        QCOMPARE(w.previewText(), QStringLiteral("Heute geöffnet bis 20 Uhr"));
        QVERIFY(w.caption().contains(QStringLiteral("news.txt")));
    }

    void urlFileShowsItsAddress_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("address");
        QTest::newRow("shortcut") << QByteArray(
                                         "[InternetShortcut]\r\nURL=https://example.org/a?b=1\r\n")
                                  << "https://example.org/a?b=1";
        QTest::newRow("plain line")
            << QByteArray("\n  https://example.org/plain  \n") << "https://example.org/plain";
    }

    void urlFileShowsItsAddress()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, address);
        const QString path = write(QStringLiteral("web/site.url"), content);
        KvContentPreviewWidget w;
        QString p = path;
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Address);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("ContentPreviewMessage"))->text(), address);
    }

    void htmlShowsItsTitle()
    {
        const QString path =
            write(QStringLiteral("web/page.html"),
                  "<html><head><TITLE>\n  Opening   hours </TITLE></head><body>x</body></html>");
        KvContentPreviewWidget w;
        QString p = path;
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Address);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("ContentPreviewMessage"))->text(),
                 QStringLiteral("Opening hours"));

        // Without a title the page is described like any other file.
        const QString untitled = write(QStringLiteral("web/untitled.htm"), "<p>no title</p>");
        p = untitled;
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Information);
        QVERIFY(w.caption().contains(QStringLiteral("untitled.htm")));
    }

    void otherFilesAreDescribed()
    {
        const QString path = write(QStringLiteral("movie/clip.mp4"), QByteArray(2048, 'x'));
        KvContentPreviewWidget w;
        QString p = path;
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Information);
        const QString caption = w.caption();
        QVERIFY(caption.contains(QStringLiteral("clip.mp4")));
        QVERIFY2(caption.contains(QStringLiteral("2")), qPrintable(caption)); // 2 KiB / 2.0 KB

        // A broken picture does not count as a picture.
        const QString broken = write(QStringLiteral("image/broken.png"), "not a png");
        p = broken;
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Information);
    }

    void missingFileAndFolder()
    {
        KvContentPreviewWidget w;
        QString p = m_dir.filePath(QStringLiteral("image/gone.png"));
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Information);
        QVERIFY(w.caption().contains(QStringLiteral("gone.png")));

        QDir().mkpath(m_dir.filePath(QStringLiteral("folder/a")));
        p = m_dir.filePath(QStringLiteral("folder"));
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Information);
        QVERIFY(w.caption().contains(QStringLiteral("1 item")));

        p.clear();
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Nothing);
    }

    void switchToDefaultShowingClears()
    {
        const QString path = write(QStringLiteral("telop/t.txt"), "text");
        KvContentPreviewWidget w;
        QString p = path;
        w.showPreview(p);
        QCOMPARE(w.showing(), KvContentPreviewWidget::Text);
        w.switchToDefaultShowing();
        QCOMPARE(w.showing(), KvContentPreviewWidget::Nothing);
        QVERIFY(w.currentPath().isEmpty());
        QVERIFY(w.caption().isEmpty());
        QVERIFY(w.previewText().isEmpty());
    }
};

QTEST_MAIN(TstContentPreview)
#include "tst_contentpreview.moc"
