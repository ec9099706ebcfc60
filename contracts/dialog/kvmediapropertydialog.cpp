#include "kvmediapropertydialog.h"

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvextension.h"
#include "kvmedia.h"
#include "kvscreen.h"
#include "kvthumbnail.h"
#include "path.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QRadioButton>
#include <QSet>
#include <QSpinBox>
#include <QVBoxLayout>

namespace Kova {

namespace {

const QSize THUMBNAIL_AREA(160, 120);

// Widgets side by side in a row of a form, without margins of their own.
QWidget* rowOf(std::initializer_list<QWidget*> widgets, const char* objectName)
{
    auto* row = new QWidget;
    row->setObjectName(QLatin1String(objectName));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch(1);
    return row;
}

template <typename T> T* named(T* widget, const char* objectName)
{
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

QLabel* factLabel(const char* objectName)
{
    auto* label = named(new QLabel, objectName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString mediaTitle(const KvMedia* media)
{
    if (!media)
        return QString();
    return media->name().isEmpty() ? Path::getName(media->uri(), true) : media->name();
}

} // namespace

KvMediaPropertyDialog::KvMediaPropertyDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MediaPropertyDialog"));
    setWindowTitle(tr("Content Properties"));
    setMinimumWidth(560);
    auto* layout = new QVBoxLayout(this);

    auto* facts = new QGroupBox(tr("File"), this);
    auto* factsLayout = new QHBoxLayout(facts);
    m_thumbnailLabel = named(new QLabel, "ThumbnailLabel");
    m_thumbnailLabel->setFixedSize(THUMBNAIL_AREA);
    m_thumbnailLabel->setAlignment(Qt::AlignCenter);
    m_thumbnailLabel->setFrameShape(QFrame::StyledPanel);
    factsLayout->addWidget(m_thumbnailLabel, 0, Qt::AlignTop);
    m_factsForm = new QFormLayout;
    factsLayout->addLayout(m_factsForm, 1);
    buildFacts(m_factsForm);
    m_factsRows = rowsOf(m_factsForm);
    layout->addWidget(facts);

    auto* settings = new QGroupBox(tr("Settings"), this);
    m_settingsForm = new QFormLayout(settings);
    buildSettings(m_settingsForm);
    m_settingsRows = rowsOf(m_settingsForm);
    layout->addWidget(settings);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("ButtonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &KvMediaPropertyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

KvMediaPropertyDialog::~KvMediaPropertyDialog() = default;

void KvMediaPropertyDialog::buildFacts(QFormLayout* form)
{
    m_typeLabel = factLabel("TypeLabel");
    m_fileLabel = factLabel("FileLabel");
    m_sizeLabel = factLabel("SizeLabel");
    m_dimensionsLabel = factLabel("DimensionsLabel");
    m_lengthLabel = factLabel("LengthLabel");
    m_positionLabel = factLabel("PositionLabel");
    m_previousLabel = factLabel("PreviousLabel");
    m_nextLabel = factLabel("NextLabel");
    form->addRow(tr("Type:"), m_typeLabel);
    form->addRow(tr("File:"), m_fileLabel);
    form->addRow(tr("Size:"), m_sizeLabel);
    form->addRow(tr("Dimensions:"), m_dimensionsLabel);
    form->addRow(tr("Length:"), m_lengthLabel);
    form->addRow(tr("Position:"), m_positionLabel);
    form->addRow(tr("Previous:"), m_previousLabel);
    form->addRow(tr("Next:"), m_nextLabel);
}

void KvMediaPropertyDialog::buildSettings(QFormLayout* form)
{
    m_nameEdit = named(new QLineEdit, "NameEdit");
    form->addRow(tr("Name:"), m_nameEdit);

    m_directionCombo = named(new QComboBox, "DirectionCombo");
    m_directionCombo->addItem(tr("None (the text stands still)"), 1);
    m_directionCombo->addItem(tr("Right to left"), 2);
    m_directionCombo->addItem(tr("Bottom to top"), 3);
    m_directionCombo->addItem(tr("Left to right"), 4);
    m_directionCombo->addItem(tr("Top to bottom"), 5);
    form->addRow(tr("Scroll direction:"), m_directionCombo);

    m_untilEndRadio = named(new QRadioButton(tr("Until the movie ends")), "UntilEndRadio");
    m_forTimeRadio = named(new QRadioButton(tr("For")), "ForTimeRadio");
    auto* group = new QButtonGroup(this);
    group->addButton(m_untilEndRadio);
    group->addButton(m_forTimeRadio);
    m_durationEdit = named(new QLineEdit, "DurationEdit");
    m_durationEdit->setMaximumWidth(100);
    m_durationUnit = new QLabel(tr("seconds"));
    m_folderTotal = named(new QLabel, "FolderTotalLabel");
    m_durationRow =
        rowOf({m_untilEndRadio, m_forTimeRadio, m_durationEdit, m_durationUnit, m_folderTotal},
              "DurationRow");
    form->addRow(tr("Playing time:"), m_durationRow);

    m_stepEdit = named(new QLineEdit, "StepEdit");
    m_stepEdit->setMaximumWidth(100);
    form->addRow(tr("Scroll step:"), rowOf({m_stepEdit, new QLabel(tr("pixels"))}, "StepRow"));

    m_waitEdit = named(new QLineEdit, "WaitEdit");
    m_waitEdit->setMaximumWidth(100);
    m_waitAutoCheck = named(new QCheckBox(tr("Automatic")), "WaitAutoCheck");
    m_waitRow = rowOf({m_waitEdit, new QLabel(tr("ms per step")), m_waitAutoCheck}, "WaitRow");
    form->addRow(tr("Wait:"), m_waitRow);

    m_waitAutoCheck->setToolTip(tr("Moves the text once per refresh of the display, about 60 "
                                   "times a second."));
    m_fontCombo = named(new QFontComboBox, "FontCombo");
    m_fontCombo->setMinimumWidth(180);
    m_fontSizeSpin = named(new QSpinBox, "FontSizeSpin");
    m_fontSizeSpin->setRange(1, 999);
    m_fontSizeSpin->setSuffix(tr(" pt"));
    m_boldCheck = named(new QCheckBox(tr("Bold")), "BoldCheck");
    m_italicCheck = named(new QCheckBox(tr("Italic")), "ItalicCheck");
    m_fontRow = rowOf({m_fontCombo, m_fontSizeSpin, m_boldCheck, m_italicCheck}, "FontRow");
    form->addRow(tr("Font:"), m_fontRow);

    m_fileAddressLabel = factLabel("FileAddressLabel");
    form->addRow(tr("Address in the file:"), m_fileAddressLabel);
    m_ownAddressCheck = named(new QCheckBox(tr("Open this address instead:")), "OwnAddressCheck");
    m_addressEdit = named(new QLineEdit, "AddressEdit");
    m_addressEdit->setPlaceholderText(QStringLiteral("https://"));
    m_addressHint = named(new QLabel, "AddressHint");
    m_addressHint->setStyleSheet(QStringLiteral("color: #b00020;"));
    m_addressRow = new QWidget;
    m_addressRow->setObjectName(QStringLiteral("AddressRow"));
    auto* addressLayout = new QGridLayout(m_addressRow);
    addressLayout->setContentsMargins(0, 0, 0, 0);
    addressLayout->addWidget(m_ownAddressCheck, 0, 0);
    addressLayout->addWidget(m_addressEdit, 0, 1);
    addressLayout->addWidget(m_addressHint, 1, 1);
    form->addRow(tr("Address:"), m_addressRow);

    m_pluginNote = named(new QLabel(tr("The other settings of this content are made by the "
                                       "plug-in that plays it.")),
                         "PluginNote");
    m_pluginNote->setWordWrap(true);
    form->addRow(m_pluginNote);

    connect(m_untilEndRadio, &QRadioButton::toggled, this,
            &KvMediaPropertyDialog::updateEnabledFields);
    connect(m_waitAutoCheck, &QCheckBox::toggled, this,
            &KvMediaPropertyDialog::updateEnabledFields);
    connect(m_directionCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &KvMediaPropertyDialog::updateEnabledFields);
    connect(m_ownAddressCheck, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked && !m_filling && m_addressEdit->text().trimmed().isEmpty()) {
            m_addressEdit->setText(m_fileAddress);
            m_addressEdit->selectAll();
        }
        updateEnabledFields();
        if (checked && !m_filling)
            m_addressEdit->setFocus();
    });
    connect(m_addressEdit, &QLineEdit::textChanged, this,
            &KvMediaPropertyDialog::updateAddressHint);
    connect(m_durationEdit, &QLineEdit::textChanged, this,
            &KvMediaPropertyDialog::updateFolderTotal);

    // Each font choice changes only its own part of the medium's font, so a font the
    // widgets cannot show exactly (a size of 21.5 points, an underline) is kept.
    connect(m_fontCombo, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        if (!m_filling)
            m_font.setFamily(font.family());
    });
    connect(m_fontSizeSpin, qOverload<int>(&QSpinBox::valueChanged), this, [this](int size) {
        if (!m_filling)
            m_font.setPointSize(size);
    });
    connect(m_boldCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_filling)
            m_font.setBold(on);
    });
    connect(m_italicCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_filling)
            m_font.setItalic(on);
    });
}

void KvMediaPropertyDialog::setMediaInformations(KvScreen* screen, KvMedia* media,
                                                 KvMedia* nextMedia, KvMedia* previousMedia,
                                                 int index)
{
    m_screen = screen;
    m_media = media;
    m_next = nextMedia;
    m_previous = previousMedia;
    m_index = index;
}

QList<KvMediaPropertyDialog::FormRow> KvMediaPropertyDialog::rowsOf(QFormLayout* form)
{
    QList<FormRow> rows;
    for (int i = 0; i < form->rowCount(); ++i) {
        FormRow row;
        if (QLayoutItem* label = form->itemAt(i, QFormLayout::LabelRole))
            row.label = label->widget();
        QLayoutItem* field = form->itemAt(i, QFormLayout::FieldRole);
        if (!field)
            field = form->itemAt(i, QFormLayout::SpanningRole);
        row.field = field ? field->widget() : nullptr;
        rows.append(row);
    }
    return rows;
}

// A form keeps the spacing of hidden rows; rows a medium does not use are taken out instead.
void KvMediaPropertyDialog::layOutRows(QFormLayout* form, const QList<FormRow>& rows,
                                       const QSet<QWidget*>& hidden)
{
    while (form->rowCount() > 0) {
        // The taken layout items are ours; their widgets stay children of the form's widget.
        const QFormLayout::TakeRowResult taken = form->takeRow(0);
        delete taken.labelItem;
        delete taken.fieldItem;
    }
    for (const FormRow& row : rows) {
        const bool shown = !hidden.contains(row.field);
        if (row.label) {
            row.label->setVisible(shown);
            if (shown)
                form->addRow(row.label, row.field);
        } else if (shown) {
            form->addRow(row.field);
        }
        row.field->setVisible(shown);
    }
}

void KvMediaPropertyDialog::setPropertyToWidgetFromMediaInformation()
{
    if (!m_media)
        return;
    m_filling = true;
    const MediaType::MediaTypes type = m_media->mediaType();
    m_values = KvMediaPropertyValues();
    m_values.readFrom(*m_media);
    m_font = m_values.font;
    setWindowTitle(tr("Properties of \"%1\"").arg(mediaTitle(m_media)));

    using Values = KvMediaPropertyValues;
    const bool telop = Values::offers(type, Values::StepField);
    const bool web = Values::offers(type, Values::AddressField);
    QSet<QWidget*> hidden;
    if (!Values::offers(type, Values::DurationField))
        hidden << m_durationRow;
    if (!telop)
        hidden << m_directionCombo << m_stepEdit->parentWidget() << m_waitRow << m_fontRow;
    if (!web)
        hidden << m_fileAddressLabel << m_addressRow;
    if (type != MediaType::Extended)
        hidden << m_pluginNote;
    layOutRows(m_settingsForm, m_settingsRows, hidden);
    m_untilEndRadio->setVisible(type == MediaType::Movie);
    m_forTimeRadio->setVisible(type == MediaType::Movie);
    m_folderTotal->setVisible(type == MediaType::Folder);
    if (auto* label = qobject_cast<QLabel*>(m_settingsForm->labelForField(m_durationRow)))
        label->setText(type == MediaType::Folder ? tr("Each file plays:") : tr("Playing time:"));

    m_nameEdit->setText(m_values.name);
    m_durationEdit->setText(m_values.durationText);
    (m_values.detectTermination ? m_untilEndRadio : m_forTimeRadio)->setChecked(true);
    const int direction = m_directionCombo->findData(m_values.direction);
    m_directionCombo->setCurrentIndex(direction);
    m_stepEdit->setText(m_values.stepText);
    m_waitEdit->setText(m_values.waitText);
    m_waitAutoCheck->setChecked(m_values.waitAuto);
    m_fontCombo->setCurrentFont(m_font);
    m_fontSizeSpin->setValue(m_font.pointSize() > 0 ? m_font.pointSize()
                                                    : QFontInfo(m_font).pointSize());
    m_boldCheck->setChecked(m_font.bold());
    m_italicCheck->setChecked(m_font.italic());
    m_ownAddressCheck->setChecked(m_values.ownAddress);
    m_addressEdit->setText(m_values.addressText);

    fillFacts();
    m_filling = false;
    updateEnabledFields();
    updateAddressHint();
    updateFolderTotal();
    m_nameEdit->setFocus();
    m_nameEdit->selectAll();
}

void KvMediaPropertyDialog::fillFacts()
{
    const MediaType::MediaTypes type = m_media->mediaType();
    const QString path = KvEditorConfig::getAbsolutePath(m_media->uri());
    const QFileInfo info(path);
    const KvThumbnail::FileProperty property = KvThumbnail::getFilePropertyFromHashFile(path);
    const QString unknown = tr("unknown");

    m_typeLabel->setText(KvMediaPropertyValues::typeName(type));
    m_fileLabel->setText(QDir::toNativeSeparators(m_media->uri()));
    if (type == MediaType::Folder)
        m_sizeLabel->setText(info.isDir() ? filesText(folderFileCount())
                                          : tr("the folder does not exist"));
    else if (info.isFile())
        m_sizeLabel->setText(QLocale().formattedDataSize(info.size()));
    else
        m_sizeLabel->setText(tr("the file does not exist"));

    QString dimensions = property.dimensions;
    if (dimensions.isEmpty() && type == MediaType::Image) {
        const QSize size = QImageReader(path).size();
        if (size.isValid())
            dimensions = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    }
    dimensions.replace(QLatin1Char('x'), QStringLiteral(" \u00d7 "));
    m_dimensionsLabel->setText(dimensions.isEmpty() ? unknown : dimensions);
    const bool pictured =
        type == MediaType::Image || type == MediaType::Movie || type == MediaType::Flash;
    m_lengthLabel->setText(
        property.length > 0
            ? tr("%1 (%2 seconds)")
                  .arg(KvEditorCommon::getDurationString(property.length / 1000.0, false),
                       KvMediaPropertyValues::secondsText(property.length / 1000.0))
            : unknown);
    QSet<QWidget*> hidden;
    if (!pictured)
        hidden << m_dimensionsLabel;
    if (type != MediaType::Movie)
        hidden << m_lengthLabel;
    layOutRows(m_factsForm, m_factsRows, hidden);

    const QImage thumbnail = KvThumbnail::loadThumbnail(property.thumbnailPath);
    if (thumbnail.isNull()) {
        m_thumbnailLabel->setPixmap(QPixmap());
        m_thumbnailLabel->setText(tr("No picture"));
    } else {
        m_thumbnailLabel->setPixmap(QPixmap::fromImage(thumbnail.scaled(
            THUMBNAIL_AREA - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }

    const int count = m_screen ? m_screen->mediaCount() : 0;
    if (m_index >= 0 && m_index < count) {
        m_positionLabel->setText(
            tr("%1 of %2 on the screen \"%3\"").arg(m_index + 1).arg(count).arg(m_screen->name()));
    } else {
        m_positionLabel->setText(unknown);
    }
    m_previousLabel->setText(m_previous ? mediaTitle(m_previous) : tr("(none: this plays first)"));
    m_nextLabel->setText(m_next ? mediaTitle(m_next) : tr("(none: this plays last)"));

    m_fileAddress =
        type == MediaType::Web ? KvMediaPropertyValues::webAddressFromFile(path) : QString();
    m_fileAddressLabel->setText(m_fileAddress.isEmpty() ? tr("(the file cannot be read)")
                                                        : m_fileAddress);
}

QString KvMediaPropertyDialog::filesText(int count)
{
    return count == 1 ? tr("1 file to play") : tr("%1 files to play").arg(count);
}

int KvMediaPropertyDialog::folderFileCount() const
{
    if (!m_media)
        return 0;
    const QDir folder(KvEditorConfig::getAbsolutePath(m_media->uri()));
    int count = 0;
    for (const QString& name : folder.entryList(QDir::Files | QDir::NoDotAndDotDot)) {
        const MediaType::MediaTypes type = KvExtension::getMediaType(Path::getExtension(name));
        if (type != MediaType::Unknown && type != MediaType::Telop)
            ++count;
    }
    return count;
}

void KvMediaPropertyDialog::updateEnabledFields()
{
    if (!m_media)
        return;
    const KvMediaPropertyValues values = valuesFromFields();
    const MediaType::MediaTypes type = m_media->mediaType();
    const bool timed = values.needs(type, KvMediaPropertyValues::DurationField);
    m_durationEdit->setEnabled(timed);
    m_durationUnit->setEnabled(timed);
    m_durationRow->setToolTip(type == MediaType::Telop && !timed
                                  ? tr("A scrolling telop plays until its text has passed.")
                                  : QString());
    m_waitEdit->setEnabled(values.needs(type, KvMediaPropertyValues::WaitField));
    m_addressEdit->setEnabled(values.ownAddress);
    updateAddressHint();
}

void KvMediaPropertyDialog::updateAddressHint()
{
    const bool wrong = m_ownAddressCheck->isChecked() &&
                       !KvMediaPropertyValues::isWebAddress(m_addressEdit->text());
    m_addressHint->setText(wrong ? tr("Not a web address: it must begin with http:// or https://.")
                                 : QString());
    m_addressHint->setVisible(wrong);
}

void KvMediaPropertyDialog::updateFolderTotal()
{
    if (!m_media || m_media->mediaType() != MediaType::Folder)
        return;
    const int count = folderFileCount();
    bool ok = false;
    const double seconds = QLocale().toDouble(m_durationEdit->text().trimmed(), &ok);
    m_folderTotal->setText(
        tr("%1: %2 in all")
            .arg(filesText(count), KvEditorCommon::getDurationString(
                                       ok && seconds > 0 ? seconds * count : -1, false)));
}

KvMediaPropertyValues KvMediaPropertyDialog::valuesFromFields() const
{
    KvMediaPropertyValues values = m_values;
    values.name = m_nameEdit->text();
    values.durationText = m_durationEdit->text();
    values.detectTermination = m_untilEndRadio->isChecked();
    if (m_directionCombo->currentIndex() >= 0)
        values.direction = m_directionCombo->currentData().toInt();
    values.stepText = m_stepEdit->text();
    values.waitText = m_waitEdit->text();
    values.waitAuto = m_waitAutoCheck->isChecked();
    values.font = m_font;
    values.ownAddress = m_ownAddressCheck->isChecked();
    values.addressText = m_addressEdit->text();
    return values;
}

QWidget* KvMediaPropertyDialog::fieldWidget(KvMediaPropertyValues::Field field) const
{
    switch (field) {
    case KvMediaPropertyValues::NameField:
        return m_nameEdit;
    case KvMediaPropertyValues::DurationField:
        return m_durationEdit;
    case KvMediaPropertyValues::WaitField:
        return m_waitEdit;
    case KvMediaPropertyValues::StepField:
        return m_stepEdit;
    case KvMediaPropertyValues::AddressField:
        return m_addressEdit;
    case KvMediaPropertyValues::NoField:
        break;
    }
    return nullptr;
}

void KvMediaPropertyDialog::accept()
{
    if (!m_media) {
        QDialog::reject();
        return;
    }
    const KvMediaPropertyValues values = valuesFromFields();
    QString message;
    const KvMediaPropertyValues::Field wrong = values.check(m_media->mediaType(), &message);
    if (wrong != KvMediaPropertyValues::NoField) {
        QMessageBox::information(this, tr("Information"), message);
        if (auto* edit = qobject_cast<QLineEdit*>(fieldWidget(wrong))) {
            edit->setFocus();
            edit->selectAll();
        }
        return;
    }
    values.writeTo(m_media);
    QDialog::accept();
}

} // namespace Kova
