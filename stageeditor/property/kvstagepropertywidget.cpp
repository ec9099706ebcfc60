#include "kvstagepropertywidget.h"

#include "kvcolorwidget.h"
#include "kveditorconfig.h"
#include "kvextension.h"
#include "kvflowlayout.h"
#include "kvlineedit.h"
#include "kvpropertyform.h"
#include "kvstage.h"
#include "mediatype.h"
#include "path.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace Kova {

namespace {

// A dropped URL (or plain path) as a local file path.
QString toLocalFile(const QString& fileUrl)
{
    const QUrl url(fileUrl);
    if (url.isLocalFile())
        return url.toLocalFile();
    if (QFileInfo(fileUrl).isAbsolute())
        return fileUrl;
    return url.toLocalFile();
}

} // namespace

KvStagePropertyWidget::KvStagePropertyWidget(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWindowTitle(tr("Stage Properties"));
    setupForm();
    for (QSpinBox* box : {m_spinBoxLeft, m_spinBoxTop, m_spinBoxWidth, m_spinBoxHeight}) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
    }

    connect(m_colorWidget, &KvColorWidget::colorChanged, this,
            &KvStagePropertyWidget::onColorPickerWidgetColorChanged);
    connect(m_lineEditBackgroundImage, &KvLineEdit::dragEntered, this,
            &KvStagePropertyWidget::onLineEditBackgroundImageDragEntered);
    connect(m_lineEditBackgroundImage, &KvLineEdit::dragLeaved, this,
            &KvStagePropertyWidget::onLineEditBackgroundImageDragLeaved);
    connect(m_lineEditBackgroundImage, &KvLineEdit::dropped, this,
            &KvStagePropertyWidget::onLineEditBackgroundImageDropped);
    connect(this, &KvStagePropertyWidget::requestShowBackgroundImageFailed, this,
            &KvStagePropertyWidget::showMessageBackgroundImageFailed, Qt::QueuedConnection);
    // The form's own widgets, each to the slot named after it and its signal.
    connect(m_checkBoxUseDesktopSize, &QCheckBox::stateChanged, this,
            &KvStagePropertyWidget::on_checkBox_UseDesktopSize_stateChanged);
    connect(m_spinBoxWidth, qOverload<int>(&QSpinBox::valueChanged), this,
            &KvStagePropertyWidget::on_spinBox_Width_valueChanged);
    connect(m_spinBoxHeight, qOverload<int>(&QSpinBox::valueChanged), this,
            &KvStagePropertyWidget::on_spinBox_Height_valueChanged);
    connect(m_spinBoxWidth, &QSpinBox::editingFinished, this,
            &KvStagePropertyWidget::on_spinBox_Width_editingFinished);
    connect(m_spinBoxHeight, &QSpinBox::editingFinished, this,
            &KvStagePropertyWidget::on_spinBox_Height_editingFinished);
    connect(m_spinBoxTop, &QSpinBox::editingFinished, this,
            &KvStagePropertyWidget::on_spinBox_Top_editingFinished);
    connect(m_spinBoxLeft, &QSpinBox::editingFinished, this,
            &KvStagePropertyWidget::on_spinBox_Left_editingFinished);
    connect(m_checkBoxAutomaticAdjustment, &QCheckBox::stateChanged, this,
            &KvStagePropertyWidget::on_checkBox_AutomaticAdjustment_stateChanged);
    connect(m_checkBoxBackgroundImage, &QCheckBox::clicked, this,
            &KvStagePropertyWidget::on_checkBox_BackgroundImage_clicked);

    onCurrentStageChanged(nullptr);
}

KvStagePropertyWidget::~KvStagePropertyWidget()
{
    // Closing the panel takes the focus from its fields, and their editingFinished must not
    // reach a panel that is already half destroyed.
    const QList<QWidget*> fields = findChildren<QWidget*>();
    for (QWidget* field : fields)
        disconnect(field, nullptr, this, nullptr);
}

bool KvStagePropertyWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (KvPropertyForm::isStrayWheel(watched, event))
        return true;
    return QScrollArea::eventFilter(watched, event);
}

void KvStagePropertyWidget::setupForm()
{
    m_contents = new QWidget;
    m_contents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    m_contents->setWindowTitle(tr("Stage Properties"));

    // Name.
    m_labelName = KvPropertyForm::createLabel(QStringLiteral("label_Name"),
                                              tr("Stage Name: %1").arg(QString()), m_contents);
    m_labelName->setStyleSheet(
        QStringLiteral("background-color: rgb(58, 26, 106);\ncolor: white;\nfont-weight: bold;"));
    m_labelName->setMinimumWidth(200);
    m_labelName->setContentsMargins(3, 3, 3, 3);

    // Background colour.
    auto* colorArea = new QWidget(m_contents);
    colorArea->setObjectName(QStringLiteral("widget_BackgroundColorArea"));
    auto* colorLayout = new QHBoxLayout(colorArea);
    colorLayout->setContentsMargins(0, 0, 0, 0);
    m_labelBackgroundColor = KvPropertyForm::createLabel(QStringLiteral("label_BackgroundColor"),
                                                         tr("Background Color"), colorArea);
    m_colorWidget = new KvColorWidget(colorArea);
    m_colorWidget->setObjectName(QStringLiteral("widget_BackgroundColor"));
    m_colorWidget->setMinimumSize(48, 20);
    colorLayout->addWidget(m_labelBackgroundColor);
    colorLayout->addWidget(m_colorWidget);

    // Background image.
    auto* imageArea = new QWidget(m_contents);
    imageArea->setObjectName(QStringLiteral("widget_BackgroundImageArea"));
    auto* imageLayout = new QVBoxLayout(imageArea);
    imageLayout->setContentsMargins(0, 0, 0, 0);
    auto* imageCaption = new QHBoxLayout;
    m_checkBoxBackgroundImage = new QCheckBox(tr("Use Background Image"), imageArea);
    m_checkBoxBackgroundImage->setObjectName(QStringLiteral("checkBox_BackgroundImage"));
    m_labelBkImageNone = new QLabel(imageArea);
    m_labelBkImageNone->setObjectName(QStringLiteral("label_BkImageNone"));
    m_labelBkImageNone->setPixmap(
        QIcon(QStringLiteral(":/images/forbidden_red.svg")).pixmap(QSize(16, 16)));
    m_labelBkImageNone->setFixedSize(16, 16);
    m_labelBkImageNone->setVisible(false);
    imageCaption->addWidget(m_checkBoxBackgroundImage);
    imageCaption->addWidget(m_labelBkImageNone);
    imageCaption->addStretch();
    m_outerLineEdit = new QFrame(imageArea);
    m_outerLineEdit->setObjectName(QStringLiteral("widget_outer_lineEdit_BackgroundImage"));
    auto* outerLayout = new QHBoxLayout(m_outerLineEdit);
    outerLayout->setContentsMargins(2, 2, 2, 2);
    m_lineEditBackgroundImage = new KvLineEdit(m_outerLineEdit);
    m_lineEditBackgroundImage->setObjectName(QStringLiteral("lineEdit_BackgroundImage"));
    m_lineEditBackgroundImage->setReadOnly(true);
    m_lineEditBackgroundImage->setMinimumWidth(180);
    outerLayout->addWidget(m_lineEditBackgroundImage);
    imageLayout->addLayout(imageCaption);
    imageLayout->addWidget(m_outerLineEdit);

    // Position and size.
    m_groupBoxPosition =
        KvPropertyForm::createPositionGroup(m_contents, &m_spinBoxLeft, &m_spinBoxTop);
    m_groupBoxSize = KvPropertyForm::createSizeGroup(m_contents, &m_spinBoxWidth, &m_spinBoxHeight);

    // Resize options.
    m_groupBoxResizeOption = new QGroupBox(tr("Resize Option"), m_contents);
    m_groupBoxResizeOption->setObjectName(QStringLiteral("groupBox_ResizeOption"));
    auto* optionLayout = new QVBoxLayout(m_groupBoxResizeOption);
    m_checkBoxUseDesktopSize = new QCheckBox(tr("Use the desktop size"), m_groupBoxResizeOption);
    m_checkBoxUseDesktopSize->setObjectName(QStringLiteral("checkBox_UseDesktopSize"));
    m_labelUseDesktopSize = KvPropertyForm::createLabel(
        QStringLiteral("label_CheckBoxUseDesktopSize"),
        tr("Desktop size of the viewer will be used at run time."), m_groupBoxResizeOption);
    m_labelUseDesktopSize->setStyleSheet(QStringLiteral("margin-left:17px;"));
    m_labelUseDesktopSize->setWordWrap(true);
    m_checkBoxAutomaticAdjustment =
        new QCheckBox(tr("Automatic adjustment"), m_groupBoxResizeOption);
    m_checkBoxAutomaticAdjustment->setObjectName(QStringLiteral("checkBox_AutomaticAdjustment"));
    m_labelAutomaticAdjustment = KvPropertyForm::createLabel(
        QStringLiteral("label_CheckBoxAutomaticAdjustment"),
        tr("Location and size of the screen will be adjusted automatically."),
        m_groupBoxResizeOption);
    m_labelAutomaticAdjustment->setStyleSheet(QStringLiteral("margin-left:17px;"));
    m_labelAutomaticAdjustment->setWordWrap(true);
    optionLayout->addWidget(m_checkBoxUseDesktopSize);
    optionLayout->addWidget(m_labelUseDesktopSize);
    optionLayout->addWidget(m_checkBoxAutomaticAdjustment);
    optionLayout->addWidget(m_labelAutomaticAdjustment);
    m_groupBoxResizeOption->setMinimumWidth(200);

    // Every part of the form goes into the flow layout, so it wraps in a narrow dock.
    m_flowLayout = new KvFlowLayout(m_contents);
    m_flowLayout->setObjectName(QStringLiteral("flowLayout"));
    m_flowLayout->addWidget(m_labelName);
    m_flowLayout->addWidget(colorArea);
    m_flowLayout->addWidget(imageArea);
    m_flowLayout->addWidget(m_groupBoxPosition);
    m_flowLayout->addWidget(m_groupBoxSize);
    m_flowLayout->addWidget(m_groupBoxResizeOption);

    setWidget(m_contents);
    updateAutomaticAdjustmentEnabled();
}

void KvStagePropertyWidget::onCurrentStageChanged(KvStage* stage)
{
    m_stage = stage;
    updateValues();
}

void KvStagePropertyWidget::setPropertyContentAreaEnabled(bool enabled)
{
    m_contents->setEnabled(enabled);
}

void KvStagePropertyWidget::updateValues()
{
    if (!m_stage) {
        clearValues();
        setPropertyContentAreaEnabled(false);
        return;
    }
    if (m_updating)
        return;
    m_updating = true;

    QString name = m_stage->name();
    if (name.isEmpty())
        name = QFileInfo(m_stage->filePath()).fileName();
    m_labelName->setText(tr("Stage Name: %1").arg(name));
    {
        // A colour written by the panel is not a user's pick.
        const QSignalBlocker blocker(m_colorWidget);
        m_colorWidget->setBackColor(m_stage->backgroundColor());
    }
    const QRect rect = m_stage->rect();
    m_spinBoxWidth->setValue(rect.width());
    m_spinBoxHeight->setValue(rect.height());
    m_spinBoxLeft->setValue(rect.left());
    m_spinBoxTop->setValue(rect.top());
    const uint options = m_stage->options();
    m_checkBoxUseDesktopSize->setChecked(options & KvStage::UseDesktopSize);
    m_checkBoxAutomaticAdjustment->setChecked(options & KvStage::AutoAdjustment);
    updateAutomaticAdjustmentEnabled();
    showBackgroundImage(m_stage->backgroundImage());

    m_updating = false;
    setPropertyContentAreaEnabled(true);
}

void KvStagePropertyWidget::clearValues()
{
    const bool wasUpdating = m_updating;
    m_updating = true;
    m_labelName->setText(tr("Stage Name: %1").arg(QString()));
    {
        const QSignalBlocker blocker(m_colorWidget);
        m_colorWidget->setBackColor(Qt::gray);
    }
    m_spinBoxWidth->clear();
    m_spinBoxHeight->clear();
    m_spinBoxLeft->clear();
    m_spinBoxTop->clear();
    m_checkBoxUseDesktopSize->setChecked(false);
    m_checkBoxAutomaticAdjustment->setChecked(false);
    updateAutomaticAdjustmentEnabled();
    showBackgroundImage(QString());
    m_updating = wasUpdating;
}

void KvStagePropertyWidget::showBackgroundImage(const QString& name)
{
    m_checkBoxBackgroundImage->setChecked(!name.isEmpty());
    m_lineEditBackgroundImage->setText(QDir::toNativeSeparators(name));

    bool found = true;
    if (!name.isEmpty()) {
        QString path = name;
        if (QFileInfo(name).isRelative())
            path = QDir(KvEditorConfig::dataDir()).filePath(name);
        found = QFileInfo(path).isFile();
    }

    QFont font = m_lineEditBackgroundImage->font();
    font.setWeight(found ? 50 : 75);
    font.setStrikeOut(!found);
    m_lineEditBackgroundImage->setFont(font);
    m_lineEditBackgroundImage->setToolTip(found ? name : tr("Background Image can not be found."));
    m_labelBkImageNone->setVisible(!found);

    if (found) {
        if (m_reportedStage == m_stage)
            m_reportedImage.clear();
        return;
    }
    // One box per missing file of a stage, however often the panel refreshes.
    if (m_reportedStage == m_stage && m_reportedImage == name)
        return;
    m_reportedStage = m_stage;
    m_reportedImage = name;
    emit requestShowBackgroundImageFailed(name);
}

void KvStagePropertyWidget::updateAutomaticAdjustmentEnabled()
{
    const bool enabled = m_checkBoxUseDesktopSize->checkState() != Qt::Unchecked;
    m_checkBoxAutomaticAdjustment->setEnabled(enabled);
    m_labelAutomaticAdjustment->setEnabled(enabled);
}

uint KvStagePropertyWidget::currentOptions() const
{
    uint options = 0;
    if (m_checkBoxUseDesktopSize->checkState() != Qt::Unchecked)
        options |= KvStage::UseDesktopSize;
    if (m_checkBoxAutomaticAdjustment->checkState() != Qt::Unchecked)
        options |= KvStage::AutoAdjustment;
    return options;
}

QSizeF KvStagePropertyWidget::currentSize() const
{
    return QSizeF(m_spinBoxWidth->value(), m_spinBoxHeight->value());
}

void KvStagePropertyWidget::setDropHighlight(bool on)
{
    m_outerLineEdit->setAutoFillBackground(true);
    QPalette palette = m_outerLineEdit->palette();
    palette.setColor(QPalette::Window, on ? QColor(Qt::cyan) : QColor(Qt::transparent));
    m_outerLineEdit->setPalette(palette);
}

void KvStagePropertyWidget::on_checkBox_UseDesktopSize_stateChanged(int state)
{
    // The automatic adjustment only makes sense with the desktop size; this follows the
    // box even while the panel writes its values.
    const bool enabled = state != Qt::Unchecked;
    m_checkBoxAutomaticAdjustment->setEnabled(enabled);
    m_labelAutomaticAdjustment->setEnabled(enabled);
    if (!enabled && m_checkBoxAutomaticAdjustment->checkState() != Qt::Unchecked) {
        // Unchecked silently: the options go out once, below.
        const QSignalBlocker blocker(m_checkBoxAutomaticAdjustment);
        m_checkBoxAutomaticAdjustment->setChecked(false);
    }
    if (m_updating || !m_stage)
        return;
    emit stageOptionValueChanged(currentOptions());
}

void KvStagePropertyWidget::onColorPickerWidgetColorChanged(QColor color)
{
    if (!m_stage)
        return;
    emit stageBackColorPicked(color);
}

void KvStagePropertyWidget::on_spinBox_Width_valueChanged(int)
{
    if (m_updating || !m_stage)
        return;
    emit stageSizeValueChanged(currentSize());
}

void KvStagePropertyWidget::on_spinBox_Height_valueChanged(int)
{
    if (m_updating || !m_stage)
        return;
    emit stageSizeValueChanged(currentSize());
}

void KvStagePropertyWidget::on_spinBox_Width_editingFinished()
{
    if (m_updating || !m_stage)
        return;
    emit stageSizeValueChangingCommitted(currentSize());
}

void KvStagePropertyWidget::on_spinBox_Height_editingFinished()
{
    if (m_updating || !m_stage)
        return;
    emit stageSizeValueChangingCommitted(currentSize());
}

void KvStagePropertyWidget::on_spinBox_Top_editingFinished()
{
    if (m_updating || !m_stage)
        return;
    emit stagePosValueChangingCommitted(QPointF(m_spinBoxLeft->value(), m_spinBoxTop->value()));
}

void KvStagePropertyWidget::on_spinBox_Left_editingFinished()
{
    if (m_updating || !m_stage)
        return;
    emit stagePosValueChangingCommitted(QPointF(m_spinBoxLeft->value(), m_spinBoxTop->value()));
}

void KvStagePropertyWidget::on_checkBox_AutomaticAdjustment_stateChanged(int)
{
    if (m_updating || !m_stage)
        return;
    emit stageOptionValueChanged(currentOptions());
}

void KvStagePropertyWidget::on_checkBox_BackgroundImage_clicked(bool checked)
{
    if (m_updating || !m_stage)
        return;
    const QPointer<KvStagePropertyWidget> self(this);
    if (checked)
        emit openStageBackImagePicker();
    else
        emit stageBackImageValueChanged(QString());
    // The box shows what the stage has, also when the picker was cancelled.
    if (self && m_stage)
        updateValues();
}

void KvStagePropertyWidget::onLineEditBackgroundImageDragEntered()
{
    setDropHighlight(true);
}

void KvStagePropertyWidget::onLineEditBackgroundImageDragLeaved()
{
    setDropHighlight(false);
}

void KvStagePropertyWidget::onLineEditBackgroundImageDropped(QString fileUrl)
{
    setDropHighlight(false);
    if (!m_stage)
        return;
    const QString localFile = toLocalFile(fileUrl);
    const QString extension = Path::getExtension(localFile);
    const QStringList imageExtensions = KvExtension::getExtensions(MediaType::Image);
    if (!localFile.isEmpty() && !extension.isEmpty() &&
        imageExtensions.contains(extension, Qt::CaseInsensitive)) {
        const QPointer<KvStagePropertyWidget> self(this);
        emit stageBackImageValueChanged(localFile);
        // The field and its check box show what the stage took (the path as stored).
        if (self && m_stage)
            updateValues();
        return;
    }
    QMessageBox::critical(window(), tr("File type is invalid."),
                          tr("This file can not be used as a background image."));
}

void KvStagePropertyWidget::showMessageBackgroundImageFailed(QString fileName)
{
    // Several reports queued behind one another give one box.
    if (m_showingBox)
        return;
    m_showingBox = true;
    const QPointer<KvStagePropertyWidget> self(this);
    QMessageBox::critical(window(), tr("No Background File"),
                          tr("The background image file of the stage is not found.\nPlease "
                             "check the library.\n\nFile: %1")
                              .arg(QDir::toNativeSeparators(fileName)));
    if (self)
        m_showingBox = false;
}

} // namespace Kova
