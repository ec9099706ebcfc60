#include "kvtelopeditor.h"

#include "kvcolorwidget.h"
#include "kvcontentfiletext.h"
#include "kvteloppreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace Kova {

namespace {

template <typename T> T* named(T* widget, const char* objectName)
{
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

} // namespace

KvTelopEditor::KvTelopEditor(const QString& filePath, bool existingFile, QWidget* parent)
    : QDialog(parent)
    , m_filePath(filePath)
{
    setObjectName(QStringLiteral("TelopEditor"));
    setWindowTitle(tr("Edit Telop - %1").arg(QFileInfo(filePath).fileName()));
    setMinimumWidth(560);
    auto* layout = new QVBoxLayout(this);

    m_textEdit = named(new QPlainTextEdit, "TextEdit");
    m_textEdit->setPlaceholderText(tr("The text that scrolls"));
    layout->addWidget(m_textEdit, 1);

    auto* form = new QFormLayout;
    m_fontCombo = named(new QFontComboBox, "FontCombo");
    m_fontSizeSpin = named(new QSpinBox, "FontSizeSpin");
    m_fontSizeSpin->setRange(KvTelopFile::MIN_FONT_SIZE, KvTelopFile::MAX_FONT_SIZE);
    m_fontSizeSpin->setSuffix(tr(" pt"));
    m_boldCheck = named(new QCheckBox(tr("Bold")), "BoldCheck");
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(m_fontCombo, 1);
    fontRow->addWidget(m_fontSizeSpin);
    fontRow->addWidget(m_boldCheck);
    form->addRow(tr("Font:"), fontRow);

    m_colorWidget = named(new KvColorWidget, "ColorWidget");
    m_backgroundWidget = named(new KvColorWidget, "BackgroundWidget");
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(m_colorWidget);
    colourRow->addWidget(new QLabel(tr("Background:")));
    colourRow->addWidget(m_backgroundWidget);
    form->addRow(tr("Text color:"), colourRow);

    m_directionCombo = named(new QComboBox, "DirectionCombo");
    m_directionCombo->addItem(tr("Right to left"), KvTelopFile::Left);
    m_directionCombo->addItem(tr("Left to right"), KvTelopFile::Right);
    m_directionCombo->addItem(tr("Bottom to top"), KvTelopFile::Up);
    m_directionCombo->addItem(tr("Top to bottom"), KvTelopFile::Down);
    m_speedSpin = named(new QSpinBox, "SpeedSpin");
    m_speedSpin->setRange(KvTelopFile::MIN_SPEED, KvTelopFile::MAX_SPEED);
    m_speedSpin->setSuffix(tr(" px per step"));
    auto* motionRow = new QHBoxLayout;
    motionRow->addWidget(m_directionCombo, 1);
    motionRow->addWidget(new QLabel(tr("Speed:")));
    motionRow->addWidget(m_speedSpin);
    form->addRow(tr("Scrolls:"), motionRow);
    layout->addLayout(form);

    m_preview = named(new KvTelopPreview, "Preview");
    layout->addWidget(m_preview);

    m_problemLabel = named(new QLabel, "ProblemLabel");
    m_problemLabel->setStyleSheet(QStringLiteral("color: #b00020;"));
    m_problemLabel->setWordWrap(true);
    m_problemLabel->hide();
    layout->addWidget(m_problemLabel);

    m_buttons =
        named(new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel), "ButtonBox");
    connect(m_buttons, &QDialogButtonBox::accepted, this, &KvTelopEditor::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);

    QString content;
    QString error;
    if (existingFile && !KvContentFileText::read(filePath, &content, &error)) {
        // The fields stay empty and nothing can be saved: saving them would replace the file.
        showProblem(error);
        const QList<QWidget*> fields = {m_textEdit,       m_fontCombo,   m_fontSizeSpin,
                                        m_boldCheck,      m_colorWidget, m_backgroundWidget,
                                        m_directionCombo, m_speedSpin};
        for (QWidget* field : fields)
            field->setEnabled(false);
        m_buttons->button(QDialogButtonBox::Save)->setEnabled(false);
    } else {
        m_telop = KvTelopFile::fromText(content);
    }
    fillFields();

    connect(m_textEdit, &QPlainTextEdit::textChanged, this, &KvTelopEditor::updatePreview);
    // The family is taken from the combo box only when the user picks one: a family that is
    // not installed here shows as another one in the box but is saved as it was.
    connect(m_fontCombo, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        if (!m_filling)
            m_telop.fontFamily = font.family();
        updatePreview();
    });
    connect(m_fontSizeSpin, qOverload<int>(&QSpinBox::valueChanged), this,
            &KvTelopEditor::updatePreview);
    connect(m_boldCheck, &QCheckBox::toggled, this, &KvTelopEditor::updatePreview);
    connect(m_colorWidget, &KvColorWidget::colorChanged, this, &KvTelopEditor::updatePreview);
    connect(m_backgroundWidget, &KvColorWidget::colorChanged, this, &KvTelopEditor::updatePreview);
    connect(m_directionCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &KvTelopEditor::updatePreview);
    connect(m_speedSpin, qOverload<int>(&QSpinBox::valueChanged), this,
            &KvTelopEditor::updatePreview);
}

KvTelopEditor::~KvTelopEditor() = default;

int KvTelopEditor::showEditor(const QString& filePath, QWidget* parent, bool existingFile)
{
    KvTelopEditor editor(filePath, existingFile, parent);
    return editor.exec() == QDialog::Accepted ? 1 : 0;
}

void KvTelopEditor::fillFields()
{
    m_filling = true;
    m_textEdit->setPlainText(m_telop.text);
    m_fontCombo->setCurrentFont(QFont(m_telop.fontFamily));
    m_fontSizeSpin->setValue(m_telop.fontSize);
    m_boldCheck->setChecked(m_telop.bold);
    m_colorWidget->setBackColor(m_telop.color);
    m_backgroundWidget->setBackColor(m_telop.background);
    m_directionCombo->setCurrentIndex(m_directionCombo->findData(m_telop.direction));
    m_speedSpin->setValue(m_telop.speed);
    m_filling = false;
    updatePreview();
}

KvTelopFile KvTelopEditor::telop() const
{
    KvTelopFile telop = m_telop;
    telop.text = m_textEdit->toPlainText();
    telop.fontSize = m_fontSizeSpin->value();
    telop.bold = m_boldCheck->isChecked();
    telop.color = m_colorWidget->backColor();
    telop.background = m_backgroundWidget->backColor();
    telop.direction = KvTelopFile::Direction(m_directionCombo->currentData().toInt());
    telop.speed = m_speedSpin->value();
    return telop;
}

QString KvTelopEditor::problem() const
{
    return m_problemLabel->text();
}

void KvTelopEditor::updatePreview()
{
    if (!m_filling)
        m_preview->setTelop(telop());
}

void KvTelopEditor::showProblem(const QString& problem)
{
    m_problemLabel->setText(problem);
    m_problemLabel->setVisible(!problem.isEmpty());
}

void KvTelopEditor::accept()
{
    if (!m_buttons->button(QDialogButtonBox::Save)->isEnabled())
        return;
    QString error;
    if (!KvContentFileText::write(m_filePath, telop().toText().toUtf8(), &error)) {
        showProblem(error);
        return;
    }
    QDialog::accept();
}

} // namespace Kova
