#include "kvmediapropertycopierdialog.h"

#include "kvmediapropertycopierwidget.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace Kova {

KvMediaPropertyCopierDialog::KvMediaPropertyCopierDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MediaPropertyCopierDialog"));
    setWindowTitle(tr("Copy Content Properties"));
    auto* layout = new QVBoxLayout(this);
    m_widget = new KvMediaPropertyCopierWidget(this);
    layout->addWidget(m_widget);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    m_okButton->setText(tr("Copy"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_widget, &KvMediaPropertyCopierWidget::selectionChanged, this,
            &KvMediaPropertyCopierDialog::updateOkButton);
    updateOkButton();
    resize(560, 520);
}

KvMediaPropertyCopierDialog::~KvMediaPropertyCopierDialog() = default;

void KvMediaPropertyCopierDialog::updateOkButton()
{
    m_okButton->setEnabled(m_widget->isComplete());
}

} // namespace Kova
