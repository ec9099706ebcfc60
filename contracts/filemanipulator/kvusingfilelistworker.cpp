#include "kvusingfilelistworker.h"

#include "kvmedia.h"
#include "kvscreen.h"
#include "kvstage.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <memory>

namespace Kova {

namespace {

// Schedules are read up to this format version; newer files are still searched for the
// stage files they list, so a stage is never taken for unused by mistake.
const char* const ScheduleRoot = "schedule";
const char* const ScheduleItem = "item";
const char* const ScheduleStage = "stage";

// A uri with a scheme ("http://...", "rtsp://...") names no local file. A single letter
// before the colon is a drive ("C:/...").
bool isLocalPath(const QString& uri)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return !uri.trimmed().isEmpty() && !scheme.match(uri).hasMatch();
}

QString absoluteClean(const QString& path, const QString& dataDir)
{
    QString p = QDir::fromNativeSeparators(path.trimmed());
    if (QDir::isRelativePath(p))
        p = dataDir + QLatin1Char('/') + p;
    return QDir::cleanPath(p);
}

} // namespace

KvUsingFileListWorker::KvUsingFileListWorker(int type, const QString& rootPath,
                                             const QString& dataDir, const QRegExp& exceptFileName,
                                             QObject* parent)
    : QThread(parent)
    , m_type(type)
    , m_rootPath(rootPath)
    , m_dataDir(QDir::cleanPath(QDir::fromNativeSeparators(dataDir)))
    , m_exceptFileName(exceptFileName)
{
}

QStringList KvUsingFileListWorker::findFiles(int type, const QString& rootPath,
                                             const QRegExp& exceptFileName)
{
    QStringList files;
    if (rootPath.isEmpty() || !QFileInfo(rootPath).isDir())
        return files;
    const QStringList filters =
        type == KvUsingFileList::UsingStage
            ? QStringList{QStringLiteral("*.xml"), QStringLiteral("*.ksch")}
            : QStringList{QStringLiteral("*.xml"), QStringLiteral("*.kstg")};
    QRegExp except = exceptFileName; // QRegExp keeps match state: use a private copy
    const bool useExcept = !except.isEmpty() && except.isValid();
    QDirIterator it(rootPath, filters, QDir::Files | QDir::Readable | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (useExcept && except.exactMatch(it.fileName()))
            continue;
        files.append(QDir::cleanPath(path));
    }
    files.sort();
    return files;
}

bool KvUsingFileListWorker::readSchedule(const QString& filePath, const QString& dataDir,
                                         QStringList* stages)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String(ScheduleRoot))
        return false;
    QStringList found;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String(ScheduleItem)) {
            const QString stage = xml.attributes().value(QLatin1String(ScheduleStage)).toString();
            if (isLocalPath(stage))
                found.append(absoluteClean(stage, dataDir));
        }
    }
    // A damaged file still yields the items read before the damage: better to keep a stage
    // than to delete one a schedule plays.
    if (stages)
        *stages += found;
    return !xml.hasError() || !found.isEmpty();
}

bool KvUsingFileListWorker::readStage(const QString& filePath, const QString& dataDir,
                                      QStringList* files)
{
    std::unique_ptr<KvStage> stage(new KvStage(filePath));
    if (!stage->readFile())
        return false;
    QStringList found;
    if (isLocalPath(stage->backgroundImage()))
        found.append(absoluteClean(stage->backgroundImage(), dataDir));
    for (const KvScreen* screen : stage->screenList()) {
        if (!screen)
            continue;
        for (const KvMedia* media : screen->mediaList()) {
            if (media && isLocalPath(media->uri()))
                found.append(absoluteClean(media->uri(), dataDir));
        }
    }
    if (files)
        *files += found;
    return true;
}

void KvUsingFileListWorker::run()
{
    const QStringList files = findFiles(m_type, m_rootPath, m_exceptFileName);
    const int total = files.count();
    emit progress(0, total);

    // used file -> users; users are appended in sorted file order, so each list ends up
    // sorted; a user is added once per used file.
    KvUsingFileList::Entries result;
    QElapsedTimer sinceReport;
    sinceReport.start();
    for (int i = 0; i < total; ++i) {
        if (m_cancel.load())
            return;
        const QString& user = files.at(i);
        QStringList used;
        if (m_type == KvUsingFileList::UsingStage)
            readSchedule(user, m_dataDir, &used);
        else
            readStage(user, m_dataDir, &used);
        used.removeDuplicates();
        for (const QString& path : qAsConst(used)) {
            QStringList& users = result[path];
            if (users.isEmpty() || users.constLast() != user)
                users.append(user);
        }
        if (sinceReport.elapsed() >= 40) {
            emit progress(i + 1, total);
            sinceReport.restart();
        }
    }
    if (m_cancel.load())
        return;
    emit progress(total, total);
    m_result = std::move(result);
}

} // namespace Kova
