#include "kvcheckbox.h"

namespace Kova {

KvCheckBox::KvCheckBox(QWidget* parent)
    : QCheckBox(parent)
{
    connect(this, &QCheckBox::clicked, this, &KvCheckBox::onClicked);
}

KvCheckBox::KvCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
    connect(this, &QCheckBox::clicked, this, &KvCheckBox::onClicked);
}

void KvCheckBox::onClicked()
{
    // The click has already moved the state on (a mixed box becomes checked); from
    // here on the box only toggles between checked and unchecked.
    if (m_resetTristate)
        setTristate(false);
}

} // namespace Kova
