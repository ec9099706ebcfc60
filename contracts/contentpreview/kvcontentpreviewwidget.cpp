#include "kvcontentpreviewwidget.h"

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvtelopfile.h"
#include "kvthumbnail.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QStackedWidget>
#include <QTextCodec>
#include <QTextStream>
#include <QVBoxLayout>

namespace Kova {

namespace {
// Text files larger than this are shown cut off: a preview needs the beginning only.
const qint64 MaxTextBytes = 64 * 1024;

QString readBeginning(const QString& path, bool* ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    if (!*ok)
        return QString();
    const QByteArray bytes = file.read(MaxTextBytes);
    QTextCodec* codec = QTextCodec::codecForUtfText(bytes, QTextCodec::codecForName("UTF-8"));
    return codec->toUnicode(bytes);
}
} // namespace

KvContentPreviewWidget::KvContentPreviewWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ContentPreviewWidget"));
    setMinimumSize(64, 64);

    m_pages = new QStackedWidget(this);
    m_imageLabel = new QLabel(m_pages);
    m_imageLabel->setObjectName(QStringLiteral("ContentPreviewImage"));
    m_imageLabel->setAlignment(Qt::AlignCenter);
    m_imageLabel->setMinimumSize(1, 1);
    m_imageLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_textView = new QPlainTextEdit(m_pages);
    m_textView->setObjectName(QStringLiteral("ContentPreviewText"));
    m_textView->setReadOnly(true);
    m_textView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_messageLabel = new QLabel(m_pages);
    m_messageLabel->setObjectName(QStringLiteral("ContentPreviewMessage"));
    m_messageLabel->setAlignment(Qt::AlignCenter);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setEnabled(false);
    m_pages->addWidget(m_imageLabel);
    m_pages->addWidget(m_textView);
    m_pages->addWidget(m_messageLabel);

    m_captionLabel = new QLabel(this);
    m_captionLabel->setObjectName(QStringLiteral("ContentPreviewCaption"));
    m_captionLabel->setWordWrap(true);
    m_captionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_captionLabel->setTextFormat(Qt::PlainText);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_captionLabel);

    switchToDefaultShowing();
}

KvContentPreviewWidget::~KvContentPreviewWidget() = default;

QString KvContentPreviewWidget::caption() const
{
    return m_captionLabel->text();
}

QString KvContentPreviewWidget::previewText() const
{
    return m_showing == Text ? m_textView->toPlainText() : QString();
}

QSize KvContentPreviewWidget::imageSize() const
{
    const QPixmap pixmap = m_imageLabel->pixmap(Qt::ReturnByValue);
    return m_imagePath.isEmpty() ? QSize() : pixmap.size();
}

void KvContentPreviewWidget::showPreview(QString& path)
{
    if (path.isEmpty()) {
        switchToDefaultShowing();
        return;
    }
    const QString absolute = QDir::cleanPath(KvEditorConfig::getAbsolutePath(path));
    const QFileInfo info(absolute);
    m_path = absolute;
    if (!info.exists()) {
        showMessage(tr("The file cannot be found."));
        m_captionLabel->setText(info.fileName());
        m_showing = Information;
        return;
    }
    if (info.isDir()) {
        const int count = QDir(absolute).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).count();
        showMessage(tr("Folder"));
        m_captionLabel->setText(tr("%1\nFolder, %n item(s)", nullptr, count).arg(info.fileName()));
        m_showing = Information;
        return;
    }
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("txt")) {
        showText(absolute);
    } else if (suffix == QLatin1String("url")) {
        showAddress(absolute);
    } else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        showHtmlTitle(absolute);
    } else if (!QImageReader::imageFormat(absolute).isEmpty() && showImage(absolute)) {
        m_captionLabel->setText(info.fileName());
    } else {
        showInformation(absolute);
    }
}

void KvContentPreviewWidget::switchToDefaultShowing()
{
    m_path.clear();
    m_imagePath.clear();
    m_showing = Nothing;
    m_imageLabel->clear();
    m_textView->clear();
    m_captionLabel->clear();
    m_messageLabel->setText(tr("No preview"));
    m_pages->setCurrentWidget(m_messageLabel);
}

void KvContentPreviewWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_showing == Image || (m_showing == Information && !m_imagePath.isEmpty()))
        showImage(m_imagePath);
}

QSize KvContentPreviewWidget::imageArea() const
{
    QSize area = m_pages->contentsRect().size();
    if (area.width() < 16 || area.height() < 16)
        area = QSize(256, 256);
    return area;
}

bool KvContentPreviewWidget::showImage(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid()) {
        const QSize area = imageArea();
        if (size.width() > area.width() || size.height() > area.height())
            size.scale(area, Qt::KeepAspectRatio);
        reader.setScaledSize(size.expandedTo(QSize(1, 1)));
    }
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    m_imageLabel->setPixmap(QPixmap::fromImage(image));
    m_pages->setCurrentWidget(m_imageLabel);
    m_imagePath = path;
    m_showing = Image;
    return true;
}

void KvContentPreviewWidget::showText(const QString& path)
{
    bool ok = false;
    const QString text = readBeginning(path, &ok);
    if (!ok) {
        showInformation(path);
        return;
    }
    // A telop file may start with its style block: the preview shows the text that scrolls.
    m_textView->setPlainText(KvTelopFile::fromText(text).text);
    m_pages->setCurrentWidget(m_textView);
    m_captionLabel->setText(QFileInfo(path).fileName());
    m_showing = Text;
}

void KvContentPreviewWidget::showAddress(const QString& path)
{
    // An Internet shortcut keeps its address as "URL=" in the [InternetShortcut]
    // group; a plain file with the address on its first line works as well.
    QString address;
    {
        QSettings shortcut(path, QSettings::IniFormat);
        address = shortcut.value(QStringLiteral("InternetShortcut/URL")).toString().trimmed();
    }
    if (address.isEmpty()) {
        bool ok = false;
        const QString text = readBeginning(path, &ok);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (QString line : lines) {
            line = line.trimmed();
            if (line.startsWith(QLatin1String("URL="), Qt::CaseInsensitive))
                line = line.mid(4).trimmed();
            if (!line.isEmpty() && !line.startsWith(QLatin1Char('['))) {
                address = line;
                break;
            }
        }
    }
    if (address.isEmpty()) {
        showInformation(path);
        return;
    }
    showMessage(address);
    m_messageLabel->setEnabled(true);
    m_captionLabel->setText(QFileInfo(path).fileName());
    m_showing = Address;
}

void KvContentPreviewWidget::showHtmlTitle(const QString& path)
{
    bool ok = false;
    const QString text = readBeginning(path, &ok);
    static const QRegularExpression titleExpression(
        QStringLiteral("<title[^>]*>(.*?)</title>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QString title = ok ? titleExpression.match(text).captured(1).simplified() : QString();
    if (title.isEmpty()) {
        showInformation(path);
        return;
    }
    showMessage(title);
    m_messageLabel->setEnabled(true);
    m_captionLabel->setText(QFileInfo(path).fileName());
    m_showing = Address;
}

void KvContentPreviewWidget::showInformation(const QString& path)
{
    const QFileInfo info(path);
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    const QString size = QLocale().formattedDataSize(info.size());
    QString caption = tr("%1\n%2\n%3").arg(info.fileName(), type.comment(), size);
    const KvThumbnail::FileProperty property = KvThumbnail::getFilePropertyFromHashFile(path);
    if (property.length > 0) {
        caption +=
            QLatin1Char('\n') +
            tr("Length %1").arg(KvEditorCommon::getDurationString(property.length / 1000.0, false));
    }
    // The media tool's thumbnail stands for a file that is no picture itself (a movie's frame).
    const QString thumbnail = KvThumbnail::thumbnailFilePath(path);
    if (!info.isFile() || !QFileInfo(thumbnail).isFile() || !showImage(thumbnail))
        showMessage(tr("No preview"));
    m_captionLabel->setText(caption);
    m_showing = Information;
}

void KvContentPreviewWidget::showMessage(const QString& text)
{
    m_imagePath.clear();
    m_imageLabel->clear();
    m_textView->clear();
    m_messageLabel->setText(text);
    m_messageLabel->setEnabled(false);
    m_pages->setCurrentWidget(m_messageLabel);
}

} // namespace Kova
