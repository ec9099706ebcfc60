#include "kvinputnamedialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Kova {

namespace {

// The longest file name, in bytes, that the usual file systems store.
constexpr int MAX_NAME_BYTES = 255;

const QString FORBIDDEN = QStringLiteral("/\\:*?\"<>|");

} // namespace

KvInputNameDialog::KvInputNameDialog(int inputType, const QString& folderPath, QWidget* parent)
    : QDialog(parent)
    , m_inputType(inputType)
    , m_folderPath(folderPath)
{
    setObjectName(QStringLiteral("InputNameDialog"));
    setWindowTitle(inputType == Url ? tr("New Url") : tr("New Telop"));
    setMinimumWidth(380);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("File name:")));
    m_nameEdit = new QLineEdit;
    m_nameEdit->setObjectName(QStringLiteral("NameEdit"));
    layout->addWidget(m_nameEdit);
    auto* hint = new QLabel(tr("\"%1\" is added when the name does not end with it.")
                                .arg(QLatin1Char('.') + extension()));
    hint->setObjectName(QStringLiteral("ExtensionHint"));
    layout->addWidget(hint);
    m_problemLabel = new QLabel;
    m_problemLabel->setObjectName(QStringLiteral("ProblemLabel"));
    m_problemLabel->setStyleSheet(QStringLiteral("color: #b00020;"));
    m_problemLabel->setWordWrap(true);
    // Room for a reason of two lines from the start, so that a longer reason is not cut off
    // and the dialog does not jump while the user types.
    m_problemLabel->setMinimumHeight(2 * m_problemLabel->fontMetrics().lineSpacing());
    m_problemLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_problemLabel);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_buttons->setObjectName(QStringLiteral("ButtonBox"));
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &KvInputNameDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_nameEdit, &QLineEdit::textChanged, this, &KvInputNameDialog::updateProblem);
    readFolder();
    updateProblem();
}

KvInputNameDialog::~KvInputNameDialog() = default;

QString KvInputNameDialog::showDialog(int inputType, const QString& folderPath, QWidget* parent)
{
    KvInputNameDialog dialog(inputType, folderPath, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.fileName() : QString();
}

QString KvInputNameDialog::extension() const
{
    return m_inputType == Url ? QStringLiteral("url") : QStringLiteral("txt");
}

QString KvInputNameDialog::fileName() const
{
    const QString name = m_nameEdit->text();
    const QString suffix = QLatin1Char('.') + extension();
    return name.endsWith(suffix, Qt::CaseInsensitive) ? name : name + suffix;
}

// Names are refused as typed, never quietly changed: blanks at either end and a final dot
// are refused like the characters that no file system of the suite's players accepts.
QString KvInputNameDialog::problem() const
{
    const QString typed = m_nameEdit->text();
    const QString name = fileName();
    const QString base = name.left(name.size() - extension().size() - 1);
    if (base.trimmed().isEmpty())
        return tr("Enter a name.");
    for (const QChar c : typed) {
        if (FORBIDDEN.contains(c) || c.category() == QChar::Other_Control) {
            return tr("A name cannot contain control characters or any of %1")
                .arg(QStringLiteral("/ \\ : * ? \" < > |"));
        }
    }
    if (typed.at(0).isSpace() || base.at(base.size() - 1).isSpace())
        return tr("A name cannot begin or end with a blank.");
    if (base.endsWith(QLatin1Char('.')))
        return tr("A name cannot end with a dot.");
    if (name.toUtf8().size() > MAX_NAME_BYTES)
        return tr("The name is too long.");
    if (m_takenNames.contains(name.toLower()))
        return tr("A file named \"%1\" already exists in this folder.").arg(name);
    return QString();
}

void KvInputNameDialog::readFolder()
{
    m_takenNames.clear();
    const QStringList names =
        QDir(m_folderPath)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : names)
        m_takenNames.insert(entry.toLower());
}

void KvInputNameDialog::updateProblem()
{
    const QString reason = problem();
    m_problemLabel->setText(reason);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(reason.isEmpty());
}

// The folder is read again: a file of that name may have been made while the dialog was open.
void KvInputNameDialog::accept()
{
    readFolder();
    updateProblem();
    if (problem().isEmpty())
        QDialog::accept();
}

} // namespace Kova
