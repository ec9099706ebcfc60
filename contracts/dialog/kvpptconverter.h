#pragma once

#include <QObject>
#include <QProcess>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

class QTemporaryDir;

namespace Kova {

class KvGroupedProcess;

// Turns a PowerPoint presentation into a folder of slide pictures, without any window:
// LibreOffice (headless, with a private profile) makes a PDF of it, pdfinfo reads the number
// and size of its pages and pdftoppm makes one PNG per page, one program run per slide.
//
// The pictures are written into a hidden working folder (named "._...") inside the data
// folder's "image" folder, which becomes "image/<presentation name>" (or the first free
// "<name> (2)", "<name> (3)", ...) only once every slide is written. A conversion that fails
// or is cancelled removes what it made. Every run of a program has a time limit and is
// stopped with the programs it started.
//
// After start() exactly one of completed(), failed() or cancelled() follows (failed() may be
// emitted by start() itself when the tools or the input are missing).
class KvPptConverter : public QObject
{
    Q_OBJECT
public:
    explicit KvPptConverter(QObject* parent = nullptr);
    // Stops a running conversion and removes its folders, without emitting anything.
    ~KvPptConverter() override;

    QString pptFilePath() const { return m_pptFilePath; }
    void setPptFilePath(const QString& path) { m_pptFilePath = path; }
    QString dataFolderPath() const { return m_dataFolderPath; }
    void setDataFolderPath(const QString& path) { m_dataFolderPath = path; }
    // The box the slide pictures are fitted into, keeping the slides' aspect ratio.
    QSize slideSize() const { return m_slideSize; }
    void setSlideSize(const QSize& size);
    // Milliseconds each program run may take before the conversion fails.
    int timeout() const { return m_timeout; }
    void setTimeout(int milliseconds) { m_timeout = milliseconds; }

    bool isRunning() const { return m_running; }
    // The number of slides, once pdfinfo has read it; else 0.
    int slideCount() const { return m_slideCount; }
    // The size of the pictures, once the slide size is known.
    QSize pictureSize() const { return m_pictureSize; }
    // While running: the private folder holding the LibreOffice profile and the PDF.
    QString workFolderPath() const;
    // After completed(): the folder of slide pictures.
    QString outputFolderPath() const { return m_outputFolderPath; }
    // After failed(): what went wrong, for the user.
    QString errorString() const { return m_errorString; }

    // The name of a slide's picture: "slide-001.png" and on, with more digits when there are
    // more than 999 slides, so that name order is slide order.
    static QString pictureFileName(int slide, int slideCount);
    // `name` in `folder`, or the first of "name (2)", "name (3)", ... that does not exist.
    static QString freeFolderPath(const QString& folder, const QString& name);
    // The largest size with the aspect ratio of `page` that fits inside `box`.
    static QSize fittedSize(const QSizeF& page, const QSize& box);

public slots:
    // Checks the tools and the input, then starts the conversion; false when it could not
    // start (failed() was emitted).
    bool start();
    // Stops the conversion and removes its folders; cancelled() follows. Does nothing when
    // no conversion runs.
    void cancel();

signals:
    // The number of slide pictures written so far, first (0, count) once the PDF is made.
    void progressChanged(int slidesDone, int slideCount);
    void completed(const QString& outFolderPath);
    void failed(const QString& message);
    void cancelled();

private:
    enum class Step { Pdf, PageInfo, Slide };

    bool refuse(const QString& message);
    void run(Step step, const QString& program, const QStringList& arguments);
    void onProcessFinished(int exitCode, QProcess::ExitStatus status);
    void onProcessError(QProcess::ProcessError error);
    void onTimeout();
    void onPdfMade();
    void onPageInfoRead();
    void onSlideMade();
    void startSlide(int slide);
    void finish();
    void fail(const QString& message);
    void stop();
    QString programName(Step step) const;
    QString slidePicturePath(int slide) const;

    QString m_pptFilePath;
    QString m_dataFolderPath;
    QSize m_slideSize{1920, 1080};
    int m_timeout = 120000;

    QString m_officeProgram;
    QString m_pdfToPngProgram;
    QString m_pdfInfoProgram;
    std::unique_ptr<QTemporaryDir> m_workFolder;
    std::unique_ptr<QTemporaryDir> m_stagingFolder;
    // The "image" folder did not exist before this conversion made it.
    bool m_imageFolderMade = false;
    QString m_outputName;
    QString m_pdfPath;
    KvGroupedProcess* m_process = nullptr;
    Step m_step = Step::Pdf;
    QTimer m_timer;
    QString m_processOutput;

    bool m_running = false;
    int m_slideCount = 0;
    int m_slide = 0;
    QSize m_pictureSize;
    QString m_outputFolderPath;
    QString m_errorString;
};

} // namespace Kova
