#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QStackedWidget;

namespace Kova {

// A small preview of one library file: a picture scaled to fit, the text of a telop
// file, the address of a URL file or the title of a web page, and for anything else
// the file's name, type and size, over the media tool's thumbnail of it when there is one
// (a movie's frame, with the movie's length).
class KvContentPreviewWidget : public QWidget
{
    Q_OBJECT
public:
    enum Showing { Nothing, Image, Text, Address, Information };
    Q_ENUM(Showing)

    explicit KvContentPreviewWidget(QWidget* parent = nullptr);
    ~KvContentPreviewWidget() override;

    Showing showing() const { return m_showing; }
    // The file shown, absolute; empty in the neutral state.
    QString currentPath() const { return m_path; }
    // The words shown under the preview (name, type, size, address or title).
    QString caption() const;
    // The text of a telop file being shown, empty otherwise.
    QString previewText() const;
    // Size of the picture being shown, the file's or its thumbnail (null without a picture).
    QSize imageSize() const;

public slots:
    void showPreview(QString& path);
    void switchToDefaultShowing();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool showImage(const QString& path);
    void showText(const QString& path);
    void showAddress(const QString& path);
    void showHtmlTitle(const QString& path);
    void showInformation(const QString& path);
    void showMessage(const QString& text);
    QSize imageArea() const;

    QStackedWidget* m_pages;
    QLabel* m_imageLabel;
    QPlainTextEdit* m_textView;
    QLabel* m_messageLabel;
    QLabel* m_captionLabel;
    QString m_path;
    QString m_imagePath; // the picture shown: the file itself or its thumbnail
    Showing m_showing = Nothing;
};

} // namespace Kova
