#include "kvcommandlinkdialog.h"

#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace Kova {

KvCommandLinkDialog::KvCommandLinkDialog(QWidget* parent)
    : QDialog(parent)
    , m_text(new QLabel(this))
    , m_informativeText(new QLabel(this))
    , m_commands(new QVBoxLayout)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);

    QFont bold = m_text->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    m_text->setFont(bold);
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->hide();
    m_informativeText->setWordWrap(true);
    m_informativeText->setTextFormat(Qt::PlainText);
    m_informativeText->hide();

    layout->addWidget(m_text);
    layout->addWidget(m_informativeText);
    m_commands->setSpacing(2);
    layout->addLayout(m_commands);
    layout->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

void KvCommandLinkDialog::setText(const QString& text)
{
    m_text->setText(text);
    m_text->setVisible(!text.isEmpty());
}

void KvCommandLinkDialog::setInformativeText(const QString& text)
{
    m_informativeText->setText(text);
    m_informativeText->setVisible(!text.isEmpty());
}

int KvCommandLinkDialog::addCommand(const QString& text, const QString& description)
{
    if (text.isEmpty())
        return -1;
    const int index = ++m_commandCount;
    auto* button = new QCommandLinkButton(text, description, this);
    button->setObjectName(QStringLiteral("commandLink_%1").arg(index));
    if (index == 1)
        button->setDefault(true);
    connect(button, &QCommandLinkButton::clicked, this, [this, index]() { done(index); });
    m_commands->addWidget(button);
    return index;
}

int KvCommandLinkDialog::show(QWidget* parent, const QString& title, const QString& text,
                              const QString& informativeText, const QString& command1,
                              const QString& description1, const QString& command2,
                              const QString& description2, const QString& command3,
                              const QString& description3, const QString& command4,
                              const QString& description4, const QString& command5,
                              const QString& description5)
{
    QPointer<KvCommandLinkDialog> dialog = new KvCommandLinkDialog(parent);
    dialog->setWindowTitle(title);
    dialog->setText(text);
    dialog->setInformativeText(informativeText);
    const QStringList commands{command1, command2, command3, command4, command5};
    const QStringList descriptions{description1, description2, description3, description4,
                                   description5};
    // Indexes follow the argument positions even when an earlier command is left empty.
    QList<int> positions;
    for (int i = 0; i < commands.size(); ++i) {
        if (dialog->addCommand(commands.at(i), descriptions.at(i)) > 0)
            positions.append(i + 1);
    }
    const int result = dialog->exec();
    // The parent may have taken the dialog with it while it ran.
    if (dialog)
        delete dialog;
    if (result >= 1 && result <= positions.size())
        return positions.at(result - 1);
    return -1;
}

} // namespace Kova
