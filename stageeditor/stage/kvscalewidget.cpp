#include "kvscalewidget.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace Kova {

namespace {

const double MinimumRate = 0.1;
const double MaximumRate = 10.0;

QFont smallFont(QFont font)
{
    font.setPixelSize(10);
    return font;
}

} // namespace

KvScaleWidget::KvScaleWidget(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    auto* scaleLabel = new QLabel(tr("scale"), this);
    scaleLabel->setFont(smallFont(scaleLabel->font()));
    layout->addWidget(scaleLabel);

    m_comboBox = new QComboBox(this);
    m_comboBox->setFont(smallFont(m_comboBox->font()));
    m_comboBox->setEditable(true);
    m_comboBox->setInsertPolicy(QComboBox::NoInsert);
    m_comboBox->setInputMethodHints(Qt::ImhDigitsOnly);
    // A typed value is taken as typed: completing "5" to "50" would zoom to the
    // wrong rate.
    m_comboBox->setCompleter(nullptr);
    m_comboBox->lineEdit()->setAlignment(Qt::AlignRight);
    m_comboBox->addItems({QStringLiteral("25"), QStringLiteral("50"), QStringLiteral("75"),
                          QStringLiteral("100"), QStringLiteral("125"), QStringLiteral("150"),
                          QStringLiteral("175"), QStringLiteral("200"), QStringLiteral("300"),
                          QStringLiteral("400"), QStringLiteral("1000")});
    m_comboBox->setCurrentIndex(m_comboBox->findText(QStringLiteral("100")));
    layout->addWidget(m_comboBox);

    auto* percentLabel = new QLabel(tr("%"), this);
    percentLabel->setFont(smallFont(percentLabel->font()));
    layout->addWidget(percentLabel);

    connect(m_comboBox, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { onComboBoxTextChanged(m_comboBox->itemText(index)); });
    connect(m_comboBox->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { onComboBoxTextChanged(); });
}

KvScaleWidget::~KvScaleWidget()
{
    // The combo box goes after this object has stopped being a zoom box.
    disconnect(m_comboBox, nullptr, this, nullptr);
    disconnect(m_comboBox->lineEdit(), nullptr, this, nullptr);
}

int KvScaleWidget::ratePercent() const
{
    // The small allowance keeps rates such as 0.29 (29 %), which a double holds as
    // 0.28999..., from truncating to the percent below.
    return int(std::trunc(m_rate * 100.0 + 1e-9));
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
    if (m_busy) {
        return;
    }
    m_busy = true;
    if (text.isEmpty()) {
        text = m_comboBox->currentText();
    }
    bool isNumber = false;
    const int percent = text.trimmed().toInt(&isNumber, 10);
    if (isNumber) {
        setRatePercent(percent);
    } else {
        const double bounded = qBound(MinimumRate, m_rate, MaximumRate);
        if (bounded != m_rate) {
            m_rate = bounded;
            showRate();
            emit rateChanged(m_rate);
        }
    }
    // Text that did not become the zoom as typed (letters, values out of range) gives
    // way to the zoom in force.
    if (m_comboBox->currentText() != QString::number(ratePercent())) {
        showRate();
    }
    m_busy = false;
}

void KvScaleWidget::applyRate(double rate)
{
    if (std::isnan(rate)) {
        return;
    }
    rate = qBound(MinimumRate, rate, MaximumRate);
    if (rate == m_rate) {
        return;
    }
    m_rate = rate;
    showRate();
    emit rateChanged(m_rate);
}

void KvScaleWidget::showRate()
{
    const bool wasBusy = m_busy;
    m_busy = true;
    const QString text = QString::number(ratePercent());
    const int percent = ratePercent();
    for (int i = 0; i < m_comboBox->count(); ++i) {
        const QString itemText = m_comboBox->itemText(i);
        if (itemText == text) {
            m_comboBox->setCurrentIndex(i);
            m_comboBox->setEditText(text);
            break;
        }
        if (itemText.toInt() > percent) {
            m_comboBox->insertItem(i, text);
            m_comboBox->setCurrentIndex(i);
            m_comboBox->setEditText(text);
            break;
        }
    }
    m_busy = wasBusy;
}

} // namespace Kova
