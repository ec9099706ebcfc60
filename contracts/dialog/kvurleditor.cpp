#include "kvurleditor.h"

#include "kvcontentfiletext.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <QVBoxLayout>

namespace Kova {

KvUrlEditor::KvUrlEditor(const QString& filePath, bool existingFile, QWidget* parent)
    : QDialog(parent)
    , m_filePath(filePath)
{
    setObjectName(QStringLiteral("UrlEditor"));
    const QFileInfo info(filePath);
    setWindowTitle(tr("Edit Url - %1").arg(info.fileName()));
    setMinimumWidth(480);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Address of the web page:")));
    m_addressEdit = new QLineEdit;
    m_addressEdit->setObjectName(QStringLiteral("AddressEdit"));
    m_addressEdit->setPlaceholderText(QStringLiteral("https://"));
    layout->addWidget(m_addressEdit);
    m_messageLabel = new QLabel;
    m_messageLabel->setObjectName(QStringLiteral("MessageLabel"));
    m_messageLabel->setWordWrap(true);
    // Room for two lines of message is kept, so that a message does not resize the dialog.
    m_messageLabel->setMinimumHeight(2 * m_messageLabel->fontMetrics().lineSpacing());
    m_messageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_messageLabel);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    m_buttons->setObjectName(QStringLiteral("ButtonBox"));
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &KvUrlEditor::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_addressEdit, &QLineEdit::textEdited, this, [this]() { showMessage(QString()); });

    const QString suffix = info.suffix().toLower();
    if (existingFile && (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))) {
        // A page file has no address to edit: its address is the file itself.
        m_addressEdit->setText(QUrl::fromLocalFile(info.absoluteFilePath()).toString());
        disableEditing(tr("This web page is a file of its own, so its address cannot be "
                          "changed here. Edit the page in a web page editor."));
        return;
    }
    QString content;
    QString error;
    if (existingFile && !KvContentFileText::read(filePath, &content, &error)) {
        disableEditing(error);
        return;
    }
    m_shortcut = KvInternetShortcut::fromText(content);
    m_addressEdit->setText(m_shortcut.url());
}

KvUrlEditor::~KvUrlEditor() = default;

int KvUrlEditor::showEditor(const QString& filePath, QWidget* parent, bool existingFile)
{
    KvUrlEditor editor(filePath, existingFile, parent);
    return editor.exec() == QDialog::Accepted ? 1 : 0;
}

QString KvUrlEditor::addressProblem(const QString& address)
{
    if (address.trimmed().isEmpty())
        return tr("Enter the address of the web page.");
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return tr("This is not a valid web address. Blanks and some other characters must be "
                  "written as %-codes.");
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return tr("Only addresses beginning with http:// or https:// can be saved.");
    if (url.host().isEmpty())
        return tr("The address has no host name, such as example.com.");
    return QString();
}

QString KvUrlEditor::completedAddress(const QString& address)
{
    static const QRegularExpression schemePrefix(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    const QString typed = address.trimmed();
    if (typed.isEmpty() || schemePrefix.match(typed).hasMatch())
        return QString();
    const QString completed = QStringLiteral("https://") + typed;
    if (!addressProblem(completed).isEmpty() || !QUrl(completed).host().contains(QLatin1Char('.')))
        return QString();
    return completed;
}

void KvUrlEditor::accept()
{
    if (!m_buttons->button(QDialogButtonBox::Save)->isEnabled())
        return;
    const QString address = m_addressEdit->text().trimmed();
    const QString problem = addressProblem(address);
    if (!problem.isEmpty()) {
        // An address typed without "https://" is completed in the field for the user to see
        // before it is saved, never completed silently.
        const QString completed = completedAddress(address);
        if (completed.isEmpty()) {
            showMessage(problem);
        } else {
            m_addressEdit->setText(completed);
            showMessage(
                tr("The address was completed to %1. Save again to save it.").arg(completed),
                false);
        }
        return;
    }
    KvInternetShortcut shortcut = m_shortcut;
    shortcut.setUrl(address);
    QString error;
    if (!KvContentFileText::write(m_filePath, shortcut.toText().toUtf8(), &error)) {
        showMessage(error);
        return;
    }
    m_shortcut = shortcut;
    QDialog::accept();
}

void KvUrlEditor::showMessage(const QString& message, bool refusal)
{
    m_messageLabel->setText(message);
    m_messageLabel->setStyleSheet(refusal ? QStringLiteral("color: #b00020;") : QString());
}

void KvUrlEditor::disableEditing(const QString& reason)
{
    m_addressEdit->setReadOnly(true);
    m_buttons->button(QDialogButtonBox::Save)->setEnabled(false);
    showMessage(reason);
}

} // namespace Kova
