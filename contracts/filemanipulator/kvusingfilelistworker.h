#pragma once

#include "kvusingfilelist.h"

#include <QRegExp>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>

namespace Kova {

// The thread that reads the files for KvUsingFileListCreator. It touches no GUI object
// and nothing outside itself; the creator takes result() after the thread has finished.
class KvUsingFileListWorker : public QThread
{
    Q_OBJECT
public:
    KvUsingFileListWorker(int type, const QString& rootPath, const QString& dataDir,
                          const QRegExp& exceptFileName, QObject* parent = nullptr);

    void requestCancel() { m_cancel.store(true); }
    bool isCanceled() const { return m_cancel.load(); }
    // Valid after the thread has finished.
    KvUsingFileList::Entries& result() { return m_result; }

    // The files the worker would read below rootPath, sorted.
    static QStringList findFiles(int type, const QString& rootPath, const QRegExp& exceptFileName);
    // The stage files one schedule lists (absolute, clean); false when the file is no
    // readable schedule.
    static bool readSchedule(const QString& filePath, const QString& dataDir, QStringList* stages);
    // The files one stage uses (absolute, clean); false when the stage cannot be read.
    static bool readStage(const QString& filePath, const QString& dataDir, QStringList* files);

signals:
    void progress(int done, int total);

protected:
    void run() override;

private:
    int m_type;
    QString m_rootPath;
    QString m_dataDir;
    QRegExp m_exceptFileName;
    std::atomic<bool> m_cancel{false};
    KvUsingFileList::Entries m_result;
};

} // namespace Kova
