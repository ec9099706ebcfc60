#include "kvclocksettingsdialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeZone>
#include <QVBoxLayout>

namespace Kova {

KvClockSettingsDialog::KvClockSettingsDialog(const KvClockState& state, QWidget* parent)
    : QDialog(parent)
    , m_textColor(state.textColor)
    , m_backgroundColor(state.backgroundColor)
    , m_font(state.font)
{
    setWindowTitle(tr("Clock Settings"));

    m_formatEdit = new QLineEdit(state.format, this);
    m_formatEdit->setObjectName(QStringLiteral("FormatEdit"));
    m_formatEdit->setToolTip(tr("yyyy year, MM month, dd day, ddd weekday, HH hour, mm minute, "
                                "ss second, AP AM/PM"));

    m_timeZoneBox = new QComboBox(this);
    m_timeZoneBox->setObjectName(QStringLiteral("TimeZoneBox"));
    m_timeZoneBox->addItem(tr("Local time of the player"), QString());
    const QList<QByteArray> zones = QTimeZone::availableTimeZoneIds();
    for (const QByteArray& zone : zones)
        m_timeZoneBox->addItem(QString::fromUtf8(zone), QString::fromUtf8(zone));
    m_timeZoneBox->setCurrentIndex(qMax(0, m_timeZoneBox->findData(state.timeZone)));

    m_fontBox = new QFontComboBox(this);
    m_fontBox->setObjectName(QStringLiteral("FontBox"));
    m_fontBox->setCurrentFont(state.font);
    m_sizeBox = new QSpinBox(this);
    m_sizeBox->setObjectName(QStringLiteral("FontSizeBox"));
    m_sizeBox->setRange(4, 1000);
    m_sizeBox->setValue(qMax(4, state.font.pointSize()));

    m_textColorButton = new QPushButton(this);
    m_textColorButton->setObjectName(QStringLiteral("TextColorButton"));
    m_backgroundColorButton = new QPushButton(this);
    m_backgroundColorButton->setObjectName(QStringLiteral("BackgroundColorButton"));
    showColor(m_textColorButton, m_textColor);
    showColor(m_backgroundColorButton, m_backgroundColor);

    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("SampleLabel"));
    m_sample->setAutoFillBackground(true);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(60);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(tr("&Format:"), m_formatEdit);
    form->addRow(tr("&Time zone:"), m_timeZoneBox);
    form->addRow(tr("F&ont:"), m_fontBox);
    form->addRow(tr("&Size:"), m_sizeBox);
    form->addRow(tr("Te&xt colour:"), m_textColorButton);
    form->addRow(tr("&Background colour:"), m_backgroundColorButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_sample);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_formatEdit, &QLineEdit::textChanged, this, &KvClockSettingsDialog::updateSample);
    connect(m_timeZoneBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &KvClockSettingsDialog::updateSample);
    // The font changes only in what the user changes: the box shows the family that the
    // font resolves to, which may be another name for the same choice.
    connect(m_fontBox, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        m_font.setFamily(font.family());
        updateSample();
    });
    connect(m_sizeBox, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int size) {
        m_font.setPointSize(size);
        updateSample();
    });
    connect(m_textColorButton, &QPushButton::clicked, this,
            [this]() { chooseColor(&m_textColor, m_textColorButton); });
    connect(m_backgroundColorButton, &QPushButton::clicked, this,
            [this]() { chooseColor(&m_backgroundColor, m_backgroundColorButton); });
    updateSample();
}

KvClockSettingsDialog::~KvClockSettingsDialog() = default;

KvClockState KvClockSettingsDialog::state() const
{
    KvClockState state;
    state.format = m_formatEdit->text();
    state.timeZone = m_timeZoneBox->currentData().toString();
    state.font = m_font;
    state.textColor = m_textColor;
    state.backgroundColor = m_backgroundColor;
    return state;
}

void KvClockSettingsDialog::chooseColor(QColor* color, QPushButton* button)
{
    const QColor chosen =
        QColorDialog::getColor(*color, this, tr("Select Colour"), QColorDialog::ShowAlphaChannel);
    if (!chosen.isValid())
        return;
    *color = chosen;
    showColor(button, chosen);
    updateSample();
}

void KvClockSettingsDialog::showColor(QPushButton* button, const QColor& color)
{
    QPixmap swatch(32, 16);
    swatch.fill(color);
    button->setIcon(QIcon(swatch));
    button->setText(color.name(QColor::HexArgb));
}

void KvClockSettingsDialog::updateSample()
{
    const KvClockState edited = state();
    QFont font = edited.font;
    font.setPointSize(qMin(font.pointSize(), 24));
    m_sample->setFont(font);
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::Window, edited.backgroundColor);
    palette.setColor(QPalette::WindowText, edited.textColor);
    m_sample->setPalette(palette);
    m_sample->setText(edited.text(QDateTime::currentDateTimeUtc()));
}

} // namespace Kova
