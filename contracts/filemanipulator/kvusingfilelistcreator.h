#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QRegExp>
#include <QString>
#include <QWidget>

namespace Kova {

class KvUsingFileList;
class KvUsingFileListWorker;

// Fills a KvUsingFileList in the background.
//
// Type 0 reads the schedule files below the root path (normally the data folder's
// "channel" folder) and records the stage files they list; type 1 reads the stage files
// below the root path (normally the "stage" folder) and records the media files and
// background pictures they use. The files are read on a worker thread; the list is
// replaced on the GUI thread in one step when the work is done.
//
// While it runs the list is in state 1; afterwards in state 2, or back in state 0 when the
// work was cancelled (the list then keeps its previous content). finished() is emitted
// exactly once per startAsync(), also when cancelled or when there was nothing to do.
class KvUsingFileListCreator : public QObject
{
    Q_OBJECT
public:
    explicit KvUsingFileListCreator(int type, QObject* parent = nullptr);
    // Stops the worker and waits for it; finished() is not emitted then.
    ~KvUsingFileListCreator() override;

    int type() const { return m_type; }

    QString rootPath() const { return m_rootPath; }
    void setRootPath(const QString& path) { m_rootPath = path; }
    // Base of the relative paths inside the files read. Empty: the list's data folder,
    // else KvEditorConfig::dataDir().
    QString dataDir() const { return m_dataDir; }
    void setDataDir(const QString& path) { m_dataDir = path; }
    // The list to fill (not owned).
    KvUsingFileList* usingFileList() const { return m_list; }
    void setUsingFileList(KvUsingFileList* list) { m_list = list; }
    // Parent of the progress dialog.
    QWidget* dialogParent() const { return m_dialogParent; }
    void setDialogParent(QWidget* parent) { m_dialogParent = parent; }
    // Whether a progress dialog with a Cancel button is shown while the work runs.
    bool usingDialog() const { return m_usingDialog; }
    void setUsingDialog(bool use) { m_usingDialog = use; }
    // Files whose name (not path) matches are not read.
    QRegExp exceptFileName() const { return m_exceptFileName; }
    void setExceptFileName(const QRegExp& pattern) { m_exceptFileName = pattern; }

    bool isRunning() const { return m_running; }
    bool wasCanceled() const { return m_canceled; }
    // The progress dialog while it is shown, else null.
    QProgressDialog* progressDialog() const { return m_progressDialog; }

public slots:
    // Starts the work on a worker thread and returns at once. Does nothing while running.
    void startAsync();
    // Stops the work; the list keeps its previous content and returns to state 0.
    void cancel();

signals:
    // Files read so far out of the total found.
    void progressChanged(int done, int total);
    void finished();

private slots:
    void onWorkerProgress(int done, int total);
    void onWorkerFinished();

private:
    void finish();

    int m_type;
    QString m_rootPath;
    QString m_dataDir;
    QPointer<KvUsingFileList> m_list;
    QPointer<QWidget> m_dialogParent;
    bool m_usingDialog = false;
    QRegExp m_exceptFileName;
    bool m_running = false;
    bool m_canceled = false;
    KvUsingFileListWorker* m_worker = nullptr;
    QPointer<QProgressDialog> m_progressDialog;
};

} // namespace Kova
