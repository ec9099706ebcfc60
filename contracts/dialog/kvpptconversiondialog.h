#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QLabel;
class QProgressBar;
class QPropertyAnimation;
class QPushButton;

namespace Kova {

class KvPptConverter;

// Turns a PowerPoint presentation (".ppt", ".pptx") into a folder of slide pictures inside
// the data folder's "image" folder: LibreOffice, headless, makes a PDF, and Poppler's
// pdftoppm makes one PNG per page at the slide size. The dialog is not modal, shows the
// progress per slide, can be cancelled, and deletes itself when closed. When the tools are
// missing it says so and how to install them; a failed or cancelled conversion leaves
// nothing behind.
//
// The conversion starts when the dialog is first shown. Its button cancels the conversion
// and closes the dialog while the conversion runs, and reads "Close" once it is over;
// closing the dialog in any other way cancels a running conversion as well.
class KvPptConversionDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KvPptConversionDialog(QWidget* parent = nullptr);
    ~KvPptConversionDialog() override;

    void setPptFilePath(const QString& path);
    void setDataFolderPath(const QString& path);
    // The size of the slide pictures; 1920 by 1080 unless set.
    void setSlideSize(const QSize& size);

    // The conversion job the dialog shows.
    KvPptConverter* converter() const { return m_converter; }

public slots:
    // Brings the dialog forward (shows it, raises and activates it, with a short animation
    // that draws the eye).
    void showWidthAnimation();
    void done(int result) override;

signals:
    // The folder of slide pictures is complete.
    void conversionCompleted(QString outFolderPath);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void startConversion();
    void onProgressChanged(int slidesDone, int slideCount);
    void onCompleted(const QString& outFolderPath);
    void onFailed(const QString& message);
    void showEnded(const QString& status);

    KvPptConverter* m_converter = nullptr;
    QLabel* m_nameLabel = nullptr;
    QLabel* m_statusLabel = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QPushButton* m_button = nullptr;
    QPropertyAnimation* m_attention = nullptr;
    bool m_started = false;
};

} // namespace Kova
