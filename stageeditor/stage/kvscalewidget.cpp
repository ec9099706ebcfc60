#include "kvscalewidget.h"

#include <QComboBox>

namespace Kova {

KvScaleWidget::KvScaleWidget(QWidget* parent)
    : QWidget(parent)
{
    m_comboBox = new QComboBox(this);
}

KvScaleWidget::~KvScaleWidget() = default;

int KvScaleWidget::ratePercent() const
{
    return int(m_rate * 100.0);
}

void KvScaleWidget::setRatePercent(int percent)
{
    applyRate(percent / 100.0);
}

void KvScaleWidget::setRate(double rate)
{
    applyRate(rate);
}

void KvScaleWidget::onComboBoxTextChanged(QString text)
{
    Q_UNUSED(text);
}

void KvScaleWidget::applyRate(double rate)
{
    m_rate = rate;
}

void KvScaleWidget::showRate()
{
}

} // namespace Kova
