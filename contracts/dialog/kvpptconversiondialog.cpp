#include "kvpptconversiondialog.h"

#include "kvpptconverter.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace Kova {

KvPptConversionDialog::KvPptConversionDialog(QWidget* parent)
    : QDialog(parent)
    , m_converter(new KvPptConverter(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setObjectName(QStringLiteral("PptConversionDialog"));
    setWindowTitle(tr("Convert Presentation"));
    setMinimumWidth(420);

    auto* layout = new QVBoxLayout(this);
    m_nameLabel = new QLabel(this);
    m_nameLabel->setObjectName(QStringLiteral("NameLabel"));
    QFont bold = m_nameLabel->font();
    bold.setBold(true);
    m_nameLabel->setFont(bold);
    layout->addWidget(m_nameLabel);

    m_statusLabel = new QLabel(tr("Waiting to start."), this);
    m_statusLabel->setObjectName(QStringLiteral("StatusLabel"));
    m_statusLabel->setWordWrap(true);
    m_statusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_statusLabel);

    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar"));
    m_progressBar->setRange(0, 1);
    m_progressBar->setValue(0);
    layout->addWidget(m_progressBar);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_button = new QPushButton(tr("Cancel"), this);
    m_button->setObjectName(QStringLiteral("CancelButton"));
    m_button->setAutoDefault(false);
    buttons->addWidget(m_button);
    layout->addLayout(buttons);

    connect(m_button, &QPushButton::clicked, this, &QWidget::close);
    connect(m_converter, &KvPptConverter::progressChanged, this,
            &KvPptConversionDialog::onProgressChanged);
    connect(m_converter, &KvPptConverter::completed, this, &KvPptConversionDialog::onCompleted);
    connect(m_converter, &KvPptConverter::failed, this, &KvPptConversionDialog::onFailed);
}

KvPptConversionDialog::~KvPptConversionDialog() = default;

void KvPptConversionDialog::setPptFilePath(const QString& path)
{
    m_converter->setPptFilePath(path);
    m_nameLabel->setText(QFileInfo(path).fileName());
}

void KvPptConversionDialog::setDataFolderPath(const QString& path)
{
    m_converter->setDataFolderPath(path);
}

void KvPptConversionDialog::setSlideSize(const QSize& size)
{
    m_converter->setSlideSize(size);
}

void KvPptConversionDialog::showWidthAnimation()
{
    show();
    raise();
    activateWindow();
    // The window shakes sideways a few times and comes back to where it was; a call while
    // it shakes starts the shake over from that place.
    if (!m_attention) {
        m_attention = new QPropertyAnimation(this, QByteArrayLiteral("pos"), this);
        m_attention->setDuration(360);
    }
    if (m_attention->state() == QAbstractAnimation::Running) {
        m_attention->stop();
        move(m_attention->startValue().toPoint());
    }
    const QPoint home = pos();
    const QPoint nudge(12, 0);
    m_attention->setStartValue(home);
    m_attention->setKeyValueAt(0.2, home + nudge);
    m_attention->setKeyValueAt(0.4, home - nudge);
    m_attention->setKeyValueAt(0.6, home + nudge);
    m_attention->setKeyValueAt(0.8, home - nudge);
    m_attention->setEndValue(home);
    m_attention->start();
}

void KvPptConversionDialog::done(int result)
{
    m_converter->cancel();
    QDialog::done(result);
    // Escape ends the dialog without a close event; the dialog is gone in either case.
    deleteLater();
}

void KvPptConversionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    // Started from the event loop, so that the dialog is drawn before any message.
    QTimer::singleShot(0, this, &KvPptConversionDialog::startConversion);
}

void KvPptConversionDialog::startConversion()
{
    m_progressBar->setRange(0, 0);
    m_statusLabel->setText(tr("Making a PDF of the presentation with LibreOffice..."));
    m_converter->start();
}

void KvPptConversionDialog::onProgressChanged(int slidesDone, int slideCount)
{
    m_progressBar->setRange(0, slideCount);
    m_progressBar->setValue(slidesDone);
    if (slidesDone < slideCount)
        m_statusLabel->setText(tr("Slide %1 of %2").arg(slidesDone + 1).arg(slideCount));
}

void KvPptConversionDialog::onCompleted(const QString& outFolderPath)
{
    const QString folder = QStringLiteral("image/") + QFileInfo(outFolderPath).fileName();
    const int count = m_converter->slideCount();
    showEnded(count == 1
                  ? tr("1 slide converted into the folder \"%1\".").arg(folder)
                  : tr("%1 slides converted into the folder \"%2\".").arg(count).arg(folder));
    emit conversionCompleted(outFolderPath);
}

void KvPptConversionDialog::onFailed(const QString& message)
{
    m_progressBar->setRange(0, 1);
    m_progressBar->setValue(0);
    showEnded(message);
}

void KvPptConversionDialog::showEnded(const QString& status)
{
    m_statusLabel->setText(status);
    m_button->setText(tr("Close"));
    m_button->setObjectName(QStringLiteral("CloseButton"));
}

} // namespace Kova
