#include "kvpptconverter.h"

#include "kvgroupedprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>

namespace Kova {

namespace {

const QString IMAGE_FOLDER = QStringLiteral("image");
// The library hides names that match "^\._.*", so the working folder stays out of sight.
const QString STAGING_PREFIX = QStringLiteral("._");

QString findProgram(const QStringList& names)
{
    for (const QString& name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

// The presentation's name as a folder name that is neither hidden nor empty.
QString folderNameOf(const QString& pptFilePath)
{
    QString name = QFileInfo(pptFilePath).completeBaseName();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("slides") : name;
}

} // namespace

KvPptConverter::KvPptConverter(QObject* parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &KvPptConverter::onTimeout);
}

KvPptConverter::~KvPptConverter()
{
    stop();
}

void KvPptConverter::setSlideSize(const QSize& size)
{
    if (size.isValid() && !size.isEmpty())
        m_slideSize = size;
}

QString KvPptConverter::workFolderPath() const
{
    return m_workFolder ? m_workFolder->path() : QString();
}

QString KvPptConverter::pictureFileName(int slide, int slideCount)
{
    const int digits = qMax(3, QString::number(slideCount).size());
    return QStringLiteral("slide-%1.png").arg(slide, digits, 10, QLatin1Char('0'));
}

QString KvPptConverter::freeFolderPath(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    QString path = dir.filePath(name);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1 (%2)").arg(name).arg(n));
    return path;
}

QSize KvPptConverter::fittedSize(const QSizeF& page, const QSize& box)
{
    if (page.isEmpty())
        return box;
    const qreal scale = qMin(box.width() / page.width(), box.height() / page.height());
    return QSize(qBound(1, qRound(page.width() * scale), box.width()),
                 qBound(1, qRound(page.height() * scale), box.height()));
}

bool KvPptConverter::start()
{
    if (m_running)
        return false;
    m_errorString.clear();
    m_outputFolderPath.clear();
    m_slideCount = 0;
    m_slide = 0;
    m_pictureSize = QSize();

    m_officeProgram = findProgram({QStringLiteral("soffice"), QStringLiteral("libreoffice")});
    if (m_officeProgram.isEmpty())
        return refuse(tr("LibreOffice is not installed. Install it with: "
                         "sudo apt-get install libreoffice-impress"));
    m_pdfToPngProgram = findProgram({QStringLiteral("pdftoppm")});
    m_pdfInfoProgram = findProgram({QStringLiteral("pdfinfo")});
    if (m_pdfToPngProgram.isEmpty() || m_pdfInfoProgram.isEmpty())
        return refuse(tr("Poppler's PDF tools (pdftoppm, pdfinfo) are not installed. Install "
                         "them with: sudo apt-get install poppler-utils"));

    const QFileInfo ppt(m_pptFilePath);
    if (m_pptFilePath.isEmpty() || !ppt.isFile())
        return refuse(tr("The presentation \"%1\" does not exist.").arg(m_pptFilePath));
    const QString suffix = ppt.suffix().toLower();
    if (suffix != QLatin1String("ppt") && suffix != QLatin1String("pptx"))
        return refuse(
            tr("\"%1\" is not a PowerPoint presentation (.ppt or .pptx).").arg(ppt.fileName()));

    const QDir dataFolder(m_dataFolderPath);
    if (m_dataFolderPath.isEmpty() || !dataFolder.exists())
        return refuse(tr("The data folder \"%1\" does not exist.").arg(m_dataFolderPath));
    const QString imageFolder = dataFolder.filePath(IMAGE_FOLDER);
    m_outputName = folderNameOf(m_pptFilePath);
    m_imageFolderMade = !QFileInfo::exists(imageFolder);
    if (QDir().mkpath(imageFolder)) {
        m_stagingFolder = std::make_unique<QTemporaryDir>(
            QDir(imageFolder).filePath(STAGING_PREFIX + m_outputName + QStringLiteral("-XXXXXX")));
        m_workFolder = std::make_unique<QTemporaryDir>();
    }
    if (!m_stagingFolder || !m_stagingFolder->isValid() || !m_workFolder->isValid()) {
        const QString message =
            tr("Cannot create the folder of slides in \"%1\". Check that the folder can be "
               "written.")
                .arg(imageFolder);
        stop();
        return refuse(message);
    }

    m_running = true;
    const QDir work(m_workFolder->path());
    const QString profileUrl =
        QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString();
    run(Step::Pdf, m_officeProgram,
        {QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--nologo"),
         QStringLiteral("--nodefault"), QStringLiteral("--nolockcheck"),
         QStringLiteral("-env:UserInstallation=") + profileUrl, QStringLiteral("--convert-to"),
         QStringLiteral("pdf"), QStringLiteral("--outdir"), work.filePath(QStringLiteral("pdf")),
         ppt.absoluteFilePath()});
    return true;
}

void KvPptConverter::cancel()
{
    if (!m_running)
        return;
    stop();
    emit cancelled();
}

bool KvPptConverter::refuse(const QString& message)
{
    m_errorString = message;
    emit failed(message);
    return false;
}

void KvPptConverter::run(Step step, const QString& program, const QStringList& arguments)
{
    m_step = step;
    m_process = new KvGroupedProcess(this);
    connect(m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &KvPptConverter::onProcessFinished);
    connect(m_process, &QProcess::errorOccurred, this, &KvPptConverter::onProcessError);
    m_timer.start(m_timeout);
    m_process->start(program, arguments);
}

void KvPptConverter::onProcessFinished(int exitCode, QProcess::ExitStatus status)
{
    m_timer.stop();
    KvGroupedProcess* process = m_process;
    m_process = nullptr;
    process->deleteLater();
    const QString errors = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
    const QString output = QString::fromLocal8Bit(process->readAllStandardOutput()).trimmed();
    m_processOutput = errors.isEmpty() ? output : errors;
    if (status != QProcess::NormalExit || exitCode != 0) {
        fail(tr("%1 failed (exit code %2).").arg(programName(m_step)).arg(exitCode) +
             (m_processOutput.isEmpty() ? QString() : QLatin1Char('\n') + m_processOutput));
        return;
    }
    switch (m_step) {
    case Step::Pdf:
        onPdfMade();
        break;
    case Step::PageInfo:
        onPageInfoRead();
        break;
    case Step::Slide:
        onSlideMade();
        break;
    }
}

void KvPptConverter::onProcessError(QProcess::ProcessError error)
{
    // A crash or a non-zero exit is reported by finished(); a program that could not start
    // never finishes.
    if (error == QProcess::FailedToStart && m_process)
        fail(tr("%1 could not be started: %2").arg(programName(m_step), m_process->errorString()));
}

void KvPptConverter::onTimeout()
{
    const int seconds = (m_timeout + 999) / 1000;
    fail(seconds == 1
             ? tr("%1 did not finish within 1 second.").arg(programName(m_step))
             : tr("%1 did not finish within %2 seconds.").arg(programName(m_step)).arg(seconds));
}

void KvPptConverter::onPdfMade()
{
    const QDir pdfFolder(QDir(m_workFolder->path()).filePath(QStringLiteral("pdf")));
    const QStringList pdfs =
        pdfFolder.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    if (pdfs.isEmpty()) {
        // LibreOffice exits with 0 also when it cannot read the file; it then says why on
        // its error output, next to a warning about Java that every headless run prints.
        QStringList lines = m_processOutput.split(QLatin1Char('\n'));
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const QString& line) {
                                       return line.contains(QLatin1String("javaldx"));
                                   }),
                    lines.end());
        const QString reason = lines.join(QLatin1Char('\n')).trimmed();
        fail(tr("LibreOffice could not convert the presentation to PDF.") +
             (reason.isEmpty() ? QString() : QLatin1Char('\n') + reason));
        return;
    }
    m_pdfPath = pdfFolder.filePath(pdfs.first());
    run(Step::PageInfo, m_pdfInfoProgram, {m_pdfPath});
}

void KvPptConverter::onPageInfoRead()
{
    const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)"),
                                       QRegularExpression::MultilineOption);
    const QRegularExpression sizeLine(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+)"),
                                      QRegularExpression::MultilineOption);
    const QRegularExpression rotationLine(QStringLiteral("^Page rot:\\s+(\\d+)"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch pages = pagesLine.match(m_processOutput);
    m_slideCount = pages.hasMatch() ? pages.captured(1).toInt() : 0;
    if (m_slideCount <= 0) {
        fail(tr("The presentation has no slides."));
        return;
    }
    // pdftoppm is given the picture size, which keeps the slides' aspect ratio: a slide that
    // is not as wide as the slide size allows gets a narrower picture, not a stretched one.
    const QRegularExpressionMatch size = sizeLine.match(m_processOutput);
    QSizeF page = size.hasMatch() ? QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble())
                                  : QSizeF();
    const int rotation = rotationLine.match(m_processOutput).captured(1).toInt();
    if (rotation % 180 == 90)
        page.transpose();
    m_pictureSize = fittedSize(page, m_slideSize);
    emit progressChanged(0, m_slideCount);
    if (m_running)
        startSlide(1);
}

void KvPptConverter::startSlide(int slide)
{
    m_slide = slide;
    const QString page = QString::number(slide);
    QString outputBase = slidePicturePath(slide);
    outputBase.chop(4); // pdftoppm adds ".png"
    run(Step::Slide, m_pdfToPngProgram,
        {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-f"), page,
         QStringLiteral("-l"), page, QStringLiteral("-scale-to-x"),
         QString::number(m_pictureSize.width()), QStringLiteral("-scale-to-y"),
         QString::number(m_pictureSize.height()), m_pdfPath, outputBase});
}

void KvPptConverter::onSlideMade()
{
    if (!QFileInfo(slidePicturePath(m_slide)).isFile()) {
        fail(tr("pdftoppm made no picture of slide %1.").arg(m_slide) +
             (m_processOutput.isEmpty() ? QString() : QLatin1Char('\n') + m_processOutput));
        return;
    }
    emit progressChanged(m_slide, m_slideCount);
    if (!m_running)
        return;
    if (m_slide < m_slideCount)
        startSlide(m_slide + 1);
    else
        finish();
}

void KvPptConverter::finish()
{
    const QString staging = m_stagingFolder->path();
    const QString imageFolder = QFileInfo(staging).absolutePath();
    const QString target = freeFolderPath(imageFolder, m_outputName);
    // The working folder was made readable for its owner only; the slides are ordinary
    // library files.
    QFile::setPermissions(staging, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                       QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                       QFile::ExeOther);
    if (!QDir().rename(staging, target)) {
        fail(tr("Cannot rename the folder of slides to \"%1\".").arg(target));
        return;
    }
    m_stagingFolder->setAutoRemove(false);
    m_imageFolderMade = false;
    stop();
    m_outputFolderPath = target;
    emit completed(target);
}

void KvPptConverter::fail(const QString& message)
{
    if (!m_running)
        return;
    stop();
    m_errorString = message;
    emit failed(message);
}

void KvPptConverter::stop()
{
    m_running = false;
    m_timer.stop();
    if (m_process) {
        disconnect(m_process, nullptr, this, nullptr);
        m_process->killGroup();
        m_process->deleteLater();
        m_process = nullptr;
    }
    // Removing the temporary folders removes everything made in them.
    m_stagingFolder.reset();
    m_workFolder.reset();
    if (m_imageFolderMade)
        QDir().rmdir(QDir(m_dataFolderPath).filePath(IMAGE_FOLDER));
    m_imageFolderMade = false;
}

QString KvPptConverter::programName(Step step) const
{
    switch (step) {
    case Step::Pdf:
        return QStringLiteral("LibreOffice");
    case Step::PageInfo:
        return QStringLiteral("pdfinfo");
    case Step::Slide:
        break;
    }
    return QStringLiteral("pdftoppm");
}

QString KvPptConverter::slidePicturePath(int slide) const
{
    return QDir(m_stagingFolder->path()).filePath(pictureFileName(slide, m_slideCount));
}

} // namespace Kova
