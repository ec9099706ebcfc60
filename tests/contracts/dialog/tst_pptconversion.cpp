#include "kvpptconversiondialog.h"
#include "kvpptconverter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Kova;

namespace {

const char* const TOOLS_MISSING = "LibreOffice (libreoffice-impress) and poppler-utils are "
                                  "needed: scripts/install-deps.sh --optional";

// Every file and folder below `root`, hidden ones included, relative to it.
QStringList treeOf(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries.append(QDir(root).relativeFilePath(it.next()));
    entries.sort();
    return entries;
}

// Processes alive (not zombies) whose command line contains `text`.
QStringList processesMentioning(const QString& text)
{
    QStringList found;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : pids) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly) || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray state = stat.readAll().split(')').value(1).trimmed().left(1);
        if (state != "Z" && cmdline.readAll().replace('\0', ' ').contains(text.toLocal8Bit()))
            found.append(pid);
    }
    return found;
}

bool pidAlive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.open(QIODevice::ReadOnly) &&
           stat.readAll().split(')').value(1).trimmed().left(1) != "Z";
}

// Sets PATH for the life of the guard.
struct PathGuard
{
    explicit PathGuard(const QString& path)
        : saved(qgetenv("PATH"))
    {
        qputenv("PATH", path.toLocal8Bit());
    }
    ~PathGuard() { qputenv("PATH", saved); }
    QByteArray saved;
};

} // namespace

class TestPptConversion : public QObject
{
    Q_OBJECT
    QTemporaryDir m_deckFolder;
    QString m_pptx;

private slots:
    void initTestCase()
    {
        // The tools are an optional package group: without them only the conversions are
        // skipped, the refusals below still run.
        const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (office.isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            return;
        // The presentation is made here from its flat-XML source, with a profile of its own.
        const QDir folder(m_deckFolder.path());
        QProcess process;
        process.start(
            office,
            {QStringLiteral("--headless"), QStringLiteral("--norestore"),
             QStringLiteral("-env:UserInstallation=") +
                 QUrl::fromLocalFile(folder.filePath(QStringLiteral("profile"))).toString(),
             QStringLiteral("--convert-to"), QStringLiteral("pptx"), QStringLiteral("--outdir"),
             folder.path(), QStringLiteral(KOVA_TEST_DATA_DIR "/three-slides.fodp")});
        QVERIFY(process.waitForFinished(120000));
        m_pptx = folder.filePath(QStringLiteral("three-slides.pptx"));
        QVERIFY2(QFile::exists(m_pptx), process.readAllStandardError().constData());
    }

    void convertsEverySlide()
    {
        if (m_pptx.isEmpty())
            QSKIP(TOOLS_MISSING);
        QTemporaryDir data;
        const QDir image(data.filePath(QStringLiteral("image")));
        QVERIFY(image.mkpath(QStringLiteral("three-slides")));
        auto* dialog = new KvPptConversionDialog;
        QPointer<KvPptConversionDialog> guard(dialog);
        dialog->setPptFilePath(m_pptx);
        dialog->setDataFolderPath(data.path());
        dialog->setSlideSize(QSize(480, 360));
        QSignalSpy completed(dialog, &KvPptConversionDialog::conversionCompleted);
        QStringList statuses;
        connect(dialog->converter(), &KvPptConverter::progressChanged, this, [&]() {
            statuses.append(dialog->findChild<QLabel*>(QStringLiteral("StatusLabel"))->text());
        });
        dialog->show();
        QVERIFY(completed.wait(120000));

        const QString expected = image.filePath(QStringLiteral("three-slides (2)"));
        QCOMPARE(completed.count(), 1);
        QCOMPARE(completed.at(0).at(0).toString(), expected);
        QCOMPARE(statuses,
                 QStringList({"Slide 1 of 3", "Slide 2 of 3", "Slide 3 of 3", "Slide 3 of 3"}));
        QCOMPARE(treeOf(image.path()),
                 QStringList({"three-slides", "three-slides (2)", "three-slides (2)/slide-001.png",
                              "three-slides (2)/slide-002.png", "three-slides (2)/slide-003.png"}));
        // 16:9 slides fitted into 480 by 360, each painted in its own background colour.
        const QList<QRgb> colours = {qRgb(0xcc, 0, 0), qRgb(0, 0xaa, 0), qRgb(0, 0, 0xcc)};
        for (int slide = 1; slide <= 3; ++slide) {
            const QImage picture(
                QDir(expected).filePath(KvPptConverter::pictureFileName(slide, 3)));
            QCOMPARE(picture.size(), QSize(480, 270));
            const QRgb pixel = picture.pixel(10, 10);
            const QRgb colour = colours.at(slide - 1);
            QVERIFY2(qAbs(qRed(pixel) - qRed(colour)) + qAbs(qGreen(pixel) - qGreen(colour)) +
                             qAbs(qBlue(pixel) - qBlue(colour)) <
                         12,
                     qPrintable(QString::number(pixel, 16)));
        }
        QCOMPARE(dialog->findChild<QPushButton*>()->text(), QStringLiteral("Close"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        QTRY_VERIFY(guard.isNull());
    }

    void cancelLeavesNothing()
    {
        if (m_pptx.isEmpty())
            QSKIP(TOOLS_MISSING);
        QTemporaryDir data;
        auto* dialog = new KvPptConversionDialog;
        QPointer<KvPptConversionDialog> guard(dialog);
        dialog->setPptFilePath(m_pptx);
        dialog->setDataFolderPath(data.path());
        QSignalSpy completed(dialog, &KvPptConversionDialog::conversionCompleted);
        QSignalSpy cancelled(dialog->converter(), &KvPptConverter::cancelled);
        QString work;
        QString status;
        // Queued, so that the second slide's pdftoppm is running when Cancel is clicked.
        connect(
            dialog->converter(), &KvPptConverter::progressChanged, dialog,
            [&](int done) {
                if (done != 1)
                    return;
                work = dialog->converter()->workFolderPath();
                status = dialog->findChild<QLabel*>(QStringLiteral("StatusLabel"))->text();
                QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
            },
            Qt::QueuedConnection);
        dialog->show();
        QVERIFY(cancelled.wait(120000));

        QCOMPARE(status, QStringLiteral("Slide 2 of 3"));
        QTRY_VERIFY(guard.isNull());
        QCOMPARE(completed.count(), 0);
        QCOMPARE(treeOf(data.path()), QStringList());
        QVERIFY(!work.isEmpty());
        QVERIFY(!QFile::exists(work));
        QTRY_COMPARE(processesMentioning(work), QStringList());
    }

    void failureLeavesNothing_data()
    {
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<QString>("office");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");

        const QStringList all = {"soffice", "pdftoppm", "pdfinfo"};
        QTest::newRow("no LibreOffice")
            << QStringList({"pdftoppm", "pdfinfo"}) << QString() << "deck.pptx"
            << "LibreOffice is not installed. Install it with: sudo apt-get install "
               "libreoffice-impress";
        QTest::newRow("no Poppler") << QStringList({"soffice"}) << QString() << "deck.pptx"
                                    << "Install them with: sudo apt-get install poppler-utils";
        QTest::newRow("missing file") << all << QString() << "gone.pptx"
                                      << "does not exist.";
        QTest::newRow("not a presentation")
            << all << QString() << "notes.txt"
            << "\"notes.txt\" is not a PowerPoint presentation (.ppt or .pptx).";
        QTest::newRow("image folder not writable") << all << QString() << "deck.pptx"
                                                   << "Check that the folder can be written.";
        QTest::newRow("LibreOffice makes no PDF")
            << all
            << "echo 'Warning: failed to launch javaldx - java may not function correctly' >&2\n"
               "echo 'Error: source file could not be loaded' >&2"
            << "deck.pptx"
            << "LibreOffice could not convert the presentation to PDF.\n"
               "Error: source file could not be loaded";
        QTest::newRow("LibreOffice hangs")
            << all << "/bin/sleep 30 & echo $! > \"${0%/*}/child.pid\"; wait"
            << "deck.pptx"
            << "LibreOffice did not finish within 1 second.";
    }

    void failureLeavesNothing()
    {
        QFETCH(QStringList, tools);
        QFETCH(QString, office);
        QFETCH(QString, file);
        QFETCH(QString, message);

        // Stand-ins for the tools, alone on the PATH: only their presence counts, except where
        // the row gives LibreOffice's stand-in something to do.
        QTemporaryDir bin;
        for (const QString& tool : tools) {
            QFile script(bin.filePath(tool));
            QVERIFY(script.open(QIODevice::WriteOnly));
            const QString body = tool == QLatin1String("soffice") ? office : QString();
            script.write("#!/bin/sh\n" + body.toUtf8() + "\nexit 0\n");
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        PathGuard path(bin.path());
        QTemporaryDir input;
        if (file != QLatin1String("gone.pptx")) {
            QFile ppt(input.filePath(file));
            QVERIFY(ppt.open(QIODevice::WriteOnly));
        }
        QTemporaryDir data;
        if (QByteArray(QTest::currentDataTag()) == "image folder not writable") {
            QFile blocker(data.filePath(QStringLiteral("image")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        const QStringList before = treeOf(data.path());

        auto* dialog = new KvPptConversionDialog;
        QPointer<KvPptConversionDialog> guard(dialog);
        dialog->setPptFilePath(input.filePath(file));
        dialog->setDataFolderPath(data.path());
        dialog->converter()->setTimeout(300);
        QSignalSpy failed(dialog->converter(), &KvPptConverter::failed);
        QSignalSpy completed(dialog, &KvPptConversionDialog::conversionCompleted);
        dialog->show();
        const QPoint home = dialog->pos();
        dialog->showWidthAnimation();
        dialog->showWidthAnimation();
        QTRY_COMPARE(failed.count(), 1);
        QTRY_COMPARE(dialog->pos(), home);
        QCoreApplication::processEvents();
        QCOMPARE(failed.count(), 1);

        QVERIFY2(
            dialog->findChild<QLabel*>(QStringLiteral("StatusLabel"))->text().contains(message),
            qPrintable(dialog->findChild<QLabel*>(QStringLiteral("StatusLabel"))->text()));
        QCOMPARE(dialog->findChild<QPushButton*>()->text(), QStringLiteral("Close"));
        QCOMPARE(completed.count(), 0);
        QCOMPARE(treeOf(data.path()), before);
        QFile pidFile(bin.filePath(QStringLiteral("child.pid")));
        if (pidFile.open(QIODevice::ReadOnly)) {
            const qint64 child = pidFile.readAll().trimmed().toLongLong();
            QVERIFY(child > 0);
            QTRY_VERIFY(!pidAlive(child));
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(guard.isNull());
    }
};

QTEST_MAIN(TestPptConversion)
#include "tst_pptconversion.moc"
