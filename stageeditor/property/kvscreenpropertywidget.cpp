#include "kvscreenpropertywidget.h"

#include "kvcheckbox.h"
#include "kvcolorwidget.h"
#include "kvflowlayout.h"
#include "kvpropertyform.h"
#include "kvscreen.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMutexLocker>
#include <QPointer>
#include <QSet>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace Kova {

namespace {

KvCheckBox* createOptionBox(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* box = new KvCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setToolTip(text);
    return box;
}

// Writes a state; only a mixed state leaves the box in tri-state mode.
void setBoxState(QCheckBox* box, Qt::CheckState state)
{
    box->setCheckState(state);
    box->setTristate(state == Qt::PartiallyChecked);
}

// Unchecked when no screen has the property, checked when all have it, mixed otherwise.
Qt::CheckState unionState(int withProperty, int total)
{
    if (withProperty == 0)
        return Qt::Unchecked;
    if (withProperty == total)
        return Qt::Checked;
    return Qt::PartiallyChecked;
}

// Writes a spin box only when the value differs, so that unchanged boxes keep their
// cursor and selection.
void setSpinValue(QSpinBox* box, int value)
{
    if (box->value() != value || box->text().isEmpty())
        box->setValue(value);
}

} // namespace

KvScreenPropertyWidget::KvScreenPropertyWidget(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWindowTitle(tr("Screen Properties"));
    setupForm();
    for (QSpinBox* box : {m_spinBoxLeft, m_spinBoxTop, m_spinBoxWidth, m_spinBoxHeight}) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
    }

    connect(m_spinBoxLeft, qOverload<int>(&QSpinBox::valueChanged), this,
            &KvScreenPropertyWidget::onSpinBoxPositionValueChanged);
    connect(m_spinBoxTop, qOverload<int>(&QSpinBox::valueChanged), this,
            &KvScreenPropertyWidget::onSpinBoxPositionValueChanged);
    connect(m_spinBoxWidth, qOverload<int>(&QSpinBox::valueChanged), this,
            &KvScreenPropertyWidget::onSpinBoxSizeValueChanged);
    connect(m_spinBoxHeight, qOverload<int>(&QSpinBox::valueChanged), this,
            &KvScreenPropertyWidget::onSpinBoxSizeValueChanged);
    connect(m_spinBoxLeft, &QSpinBox::editingFinished, this,
            &KvScreenPropertyWidget::onSpinBoxPositionValueEdittingFinished);
    connect(m_spinBoxTop, &QSpinBox::editingFinished, this,
            &KvScreenPropertyWidget::onSpinBoxPositionValueEdittingFinished);
    connect(m_spinBoxWidth, &QSpinBox::editingFinished, this,
            &KvScreenPropertyWidget::onSpinBoxSizeValueEdittingFinished);
    connect(m_spinBoxHeight, &QSpinBox::editingFinished, this,
            &KvScreenPropertyWidget::onSpinBoxSizeValueEdittingFinished);
    connect(m_colorWidget, &KvColorWidget::colorChanged, this,
            &KvScreenPropertyWidget::onBackgroundColorValueChanged);
    connect(m_checkBoxLocked, &QCheckBox::stateChanged, this,
            &KvScreenPropertyWidget::onLockedValueChanged);
    connect(m_lineEditName, &QLineEdit::textChanged, this,
            &KvScreenPropertyWidget::onNameValueChanged);
    connect(m_lineEditName, &QLineEdit::editingFinished, this,
            &KvScreenPropertyWidget::onNameValueEdittingFinished);
    connect(m_checkBoxGraphicsType, &QCheckBox::stateChanged, this,
            &KvScreenPropertyWidget::onGraphicsTypeValueChanged);
    connect(m_checkBoxMoviePlayerType, &QCheckBox::stateChanged, this,
            &KvScreenPropertyWidget::onMoviePlayerTypeValueChanged);
    connect(m_checkBoxWebBrowserType, &QCheckBox::stateChanged, this,
            &KvScreenPropertyWidget::onWebBrowserTypeValueChanged);

    clearValues();
    setPropertyContentAreaEnabled(false);
}

KvScreenPropertyWidget::~KvScreenPropertyWidget()
{
    // Closing the panel takes the focus from its fields, and their editingFinished must not
    // reach a panel that is already half destroyed.
    const QList<QWidget*> fields = findChildren<QWidget*>();
    for (QWidget* field : fields)
        disconnect(field, nullptr, this, nullptr);
}

bool KvScreenPropertyWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (KvPropertyForm::isStrayWheel(watched, event))
        return true;
    return QScrollArea::eventFilter(watched, event);
}

void KvScreenPropertyWidget::setupForm()
{
    m_contents = new QWidget;
    m_contents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    m_contents->setWindowTitle(tr("Screen Properties"));

    // Type, id and name.
    m_typeAndName = new QWidget(m_contents);
    m_typeAndName->setObjectName(QStringLiteral("widget_TypeAndName"));
    auto* typeLayout = new QVBoxLayout(m_typeAndName);
    typeLayout->setContentsMargins(0, 0, 0, 0);
    m_labelScreenType = KvPropertyForm::createLabel(
        QStringLiteral("label_ScreenType"), tr("Screen Type: %1").arg(QString()), m_typeAndName);
    m_labelScreenType->setStyleSheet(QStringLiteral("padding: 3px;\nbackground-color: rgb(59, "
                                                    "59, 59);\ncolor: white;\nfont-weight: "
                                                    "bold;\n"));
    m_labelScreenType->setMinimumWidth(200);
    m_labelScreenId = KvPropertyForm::createLabel(QStringLiteral("label_ScreenId"),
                                                  tr("ID: %1").arg(QString()), m_typeAndName);
    auto* nameLayout = new QHBoxLayout;
    m_labelName =
        KvPropertyForm::createLabel(QStringLiteral("label_Name"), tr("Name"), m_typeAndName);
    m_lineEditName = new QLineEdit(m_typeAndName);
    m_lineEditName->setObjectName(QStringLiteral("lineEdit_Name"));
    nameLayout->addWidget(m_labelName);
    nameLayout->addWidget(m_lineEditName, 1);
    typeLayout->addWidget(m_labelScreenType);
    typeLayout->addWidget(m_labelScreenId);
    typeLayout->addLayout(nameLayout);

    // Background colour and lock.
    m_bkColorAndLocked = new QWidget(m_contents);
    m_bkColorAndLocked->setObjectName(QStringLiteral("widget_BkColorAndLocked"));
    auto* colorLayout = new QGridLayout(m_bkColorAndLocked);
    colorLayout->setContentsMargins(0, 0, 0, 0);
    m_labelBackgroundColor = KvPropertyForm::createLabel(
        QStringLiteral("label_BackgroundColor"), tr("Background Color"), m_bkColorAndLocked);
    m_colorWidget = new KvColorWidget(m_bkColorAndLocked);
    m_colorWidget->setObjectName(QStringLiteral("widget_BackgroundColor"));
    m_colorWidget->setMinimumSize(48, 20);
    m_checkBoxLocked = new KvCheckBox(tr("Locked"), m_bkColorAndLocked);
    m_checkBoxLocked->setObjectName(QStringLiteral("checkBox_Locked"));
    colorLayout->addWidget(m_labelBackgroundColor, 0, 0);
    colorLayout->addWidget(m_colorWidget, 0, 1);
    colorLayout->addWidget(m_checkBoxLocked, 1, 0, 1, 2);

    // Position and size.
    m_groupBoxPosition =
        KvPropertyForm::createPositionGroup(m_contents, &m_spinBoxLeft, &m_spinBoxTop);
    m_groupBoxSize = KvPropertyForm::createSizeGroup(m_contents, &m_spinBoxWidth, &m_spinBoxHeight);

    // Player and renderer options.
    m_groupBoxOption = new QGroupBox(tr("Option"), m_contents);
    m_groupBoxOption->setObjectName(QStringLiteral("groupBox_Option"));
    auto* optionLayout = new QVBoxLayout(m_groupBoxOption);
    m_checkBoxGraphicsType =
        createOptionBox(QStringLiteral("checkBox_GraphicsType"), tr("DirectX"), m_groupBoxOption);
    m_checkBoxWebBrowserType = createOptionBox(QStringLiteral("checkBox_WebBrowserType"),
                                               tr("Trident (Internet Explorer)"), m_groupBoxOption);
    m_checkBoxMoviePlayerType = createOptionBox(QStringLiteral("checkBox_MoviePlayerType"),
                                                tr("Windows Media Player"), m_groupBoxOption);
    optionLayout->addWidget(m_checkBoxGraphicsType);
    optionLayout->addWidget(m_checkBoxWebBrowserType);
    optionLayout->addWidget(m_checkBoxMoviePlayerType);

    // Every part of the form goes into the flow layout, so it wraps in a narrow dock.
    m_flowLayout = new KvFlowLayout(m_contents);
    m_flowLayout->setObjectName(QStringLiteral("flowLayout"));
    m_flowLayout->addWidget(m_typeAndName);
    m_flowLayout->addWidget(m_bkColorAndLocked);
    m_flowLayout->addWidget(m_groupBoxPosition);
    m_flowLayout->addWidget(m_groupBoxSize);
    m_flowLayout->addWidget(m_groupBoxOption);

    setWidget(m_contents);
}

bool KvScreenPropertyWidget::isUpdating()
{
    QMutexLocker locker(&m_updatingMutex);
    return m_updating;
}

void KvScreenPropertyWidget::setUpdating(bool updating)
{
    QMutexLocker locker(&m_updatingMutex);
    m_updating = updating;
}

void KvScreenPropertyWidget::setPropertyContentAreaEnabled(bool enabled)
{
    m_contents->setEnabled(enabled);
}

void KvScreenPropertyWidget::onScreenSelectionChanged(QList<KvScreen*> screens)
{
    screens.removeAll(nullptr);
    m_screens = screens;
    updateValues();
}

void KvScreenPropertyWidget::updateValues()
{
    m_screens.removeAll(nullptr);
    if (m_screens.isEmpty()) {
        clearValues();
        setPropertyContentAreaEnabled(false);
    } else if (m_screens.count() == 1) {
        updateOneScreen(m_screens.first());
    } else {
        updateScreens(m_screens);
    }
}

void KvScreenPropertyWidget::clearValues()
{
    const bool wasUpdating = isUpdating();
    setUpdating(true);
    m_labelScreenType->setText(tr("Screen Type: %1").arg(QString()));
    m_labelScreenId->setText(tr("ID: %1").arg(QString()));
    m_lineEditName->setText(QString());
    {
        // A colour written by the panel is not a user's pick.
        const QSignalBlocker blocker(m_colorWidget);
        m_colorWidget->setBackColor(Qt::gray);
    }
    m_spinBoxLeft->setValue(0);
    m_spinBoxTop->setValue(0);
    m_spinBoxWidth->setValue(0);
    m_spinBoxHeight->setValue(0);
    setBoxState(m_checkBoxLocked, Qt::Unchecked);
    setBoxState(m_checkBoxGraphicsType, Qt::Unchecked);
    setBoxState(m_checkBoxMoviePlayerType, Qt::Unchecked);
    setBoxState(m_checkBoxWebBrowserType, Qt::Unchecked);
    setUpdating(wasUpdating);
}

void KvScreenPropertyWidget::updateOneScreen(KvScreen* screen)
{
    clearValues();
    const bool wasUpdating = isUpdating();
    setUpdating(true);

    const int id = screen->id();
    m_labelScreenId->setText(tr("ID: %1").arg(id < -1 ? QString() : QString::number(id)));
    m_labelScreenType->setText(
        tr("Screen Type: %1").arg(ScreenType::Convert::toString(screen->type())));
    m_lineEditName->setText(screen->name());
    {
        const QSignalBlocker blocker(m_colorWidget);
        m_colorWidget->setBackColor(screen->backgoundColor());
    }
    const QRectF rect = screen->rect();
    m_spinBoxLeft->setValue(qRound(rect.left()));
    m_spinBoxTop->setValue(qRound(rect.top()));
    m_spinBoxWidth->setValue(qRound(rect.width()));
    m_spinBoxHeight->setValue(qRound(rect.height()));
    setBoxState(m_checkBoxLocked, screen->lockScreen() ? Qt::Checked : Qt::Unchecked);
    setBoxState(m_checkBoxGraphicsType,
                screen->graphicsType() == GraphicsType::DirectX ? Qt::Checked : Qt::Unchecked);
    setBoxState(m_checkBoxMoviePlayerType,
                screen->moviePlayerType() == PlayerType::Platform ? Qt::Checked : Qt::Unchecked);
    setBoxState(m_checkBoxWebBrowserType,
                screen->webBrowserType() == PlayerType::Platform ? Qt::Checked : Qt::Unchecked);

    setUpdating(wasUpdating);
    applyEnableState(screen->type());
}

void KvScreenPropertyWidget::updateScreens(const QList<KvScreen*>& screens)
{
    clearValues();
    const bool wasUpdating = isUpdating();
    setUpdating(true);

    QSet<int> types;
    QRectF united;
    int locked = 0;
    int directX = 0;
    int platformMovie = 0;
    int platformWeb = 0;
    for (KvScreen* screen : screens) {
        types.insert(screen->type());
        united = united.isNull() ? screen->rect() : united.united(screen->rect());
        if (screen->lockScreen())
            ++locked;
        if (screen->graphicsType() == GraphicsType::DirectX)
            ++directX;
        if (screen->moviePlayerType() == PlayerType::Platform)
            ++platformMovie;
        if (screen->webBrowserType() == PlayerType::Platform)
            ++platformWeb;
    }
    const int total = screens.count();
    m_spinBoxLeft->setValue(qRound(united.left()));
    m_spinBoxTop->setValue(qRound(united.top()));
    m_spinBoxWidth->setValue(qRound(united.width()));
    m_spinBoxHeight->setValue(qRound(united.height()));
    setBoxState(m_checkBoxLocked, unionState(locked, total));
    setBoxState(m_checkBoxGraphicsType, unionState(directX, total));
    setBoxState(m_checkBoxMoviePlayerType, unionState(platformMovie, total));
    setBoxState(m_checkBoxWebBrowserType, unionState(platformWeb, total));

    setUpdating(wasUpdating);
    applyEnableState(types.count() == 1 ? *types.cbegin() : 0);
    // Id and name belong to one screen only.
    m_typeAndName->setEnabled(false);
}

void KvScreenPropertyWidget::applyEnableState(int screenType)
{
    setPropertyContentAreaEnabled(true);
    m_typeAndName->setEnabled(true);
    m_bkColorAndLocked->setEnabled(true);
    m_groupBoxPosition->setEnabled(true);
    m_groupBoxSize->setEnabled(true);
    m_groupBoxOption->setEnabled(true);
    if (m_checkBoxLocked->checkState() != Qt::Unchecked) {
        m_groupBoxPosition->setEnabled(false);
        m_groupBoxSize->setEnabled(false);
    }
    m_checkBoxGraphicsType->setEnabled(false);
    m_checkBoxMoviePlayerType->setEnabled(false);
    m_checkBoxWebBrowserType->setEnabled(false);
    if (screenType == ScreenType::Multimedia) {
        m_checkBoxMoviePlayerType->setEnabled(true);
        m_checkBoxWebBrowserType->setEnabled(true);
    } else if (screenType == ScreenType::Telop) {
        m_checkBoxGraphicsType->setEnabled(true);
    }
}

void KvScreenPropertyWidget::onNameValueChanged(QString name)
{
    if (isUpdating() || m_screens.isEmpty())
        return;
    emit nameValueChanged(name);
}

void KvScreenPropertyWidget::onNameValueEdittingFinished()
{
    // Whatever the receiver opens (a message box taking the focus) may end the editing
    // again; that second report is dropped.
    if (m_nameFinishing || isUpdating() || m_screens.isEmpty())
        return;
    m_nameFinishing = true;
    const QPointer<KvScreenPropertyWidget> self(this);
    emit nameValueChangingFinished(m_lineEditName->text());
    if (self)
        m_nameFinishing = false;
}

void KvScreenPropertyWidget::onBackgroundColorValueChanged(QColor newColor, QColor oldColor)
{
    Q_UNUSED(oldColor)
    if (isUpdating() || m_screens.isEmpty())
        return;
    emit backgroundColorValueChanged(newColor);
}

void KvScreenPropertyWidget::onBackgroundImageValueChanged(QString imageName)
{
    if (isUpdating() || m_screens.isEmpty())
        return;
    emit backgroundImageValueChanged(imageName);
}

void KvScreenPropertyWidget::onLockedValueChanged(int state)
{
    if (isUpdating() || m_screens.isEmpty() || state == Qt::PartiallyChecked)
        return;
    const QPointer<KvScreenPropertyWidget> self(this);
    emit lockedValueChanged(state != Qt::Unchecked);
    if (!self)
        return;
    // A locked selection is not moved or resized from here.
    m_groupBoxPosition->setEnabled(m_checkBoxLocked->checkState() == Qt::Unchecked);
    m_groupBoxSize->setEnabled(m_checkBoxLocked->checkState() == Qt::Unchecked);
}

void KvScreenPropertyWidget::onPositionAndSizeValueChanged(QRectF rect)
{
    if (!m_rectMutex.tryLock())
        return;
    if (isUpdating()) {
        m_rectMutex.unlock();
        return;
    }
    setUpdating(true);
    setSpinValue(m_spinBoxLeft, qRound(rect.left()));
    setSpinValue(m_spinBoxTop, qRound(rect.top()));
    setSpinValue(m_spinBoxWidth, qRound(rect.width()));
    setSpinValue(m_spinBoxHeight, qRound(rect.height()));
    setUpdating(false);
    m_rectMutex.unlock();
}

void KvScreenPropertyWidget::onGraphicsTypeValueChanged(int state)
{
    if (isUpdating() || m_screens.isEmpty() || state == Qt::PartiallyChecked)
        return;
    emit graphicsTypeValueChanged(state == Qt::Checked ? GraphicsType::DirectX
                                                       : GraphicsType::Default);
}

void KvScreenPropertyWidget::onMoviePlayerTypeValueChanged(int state)
{
    if (isUpdating() || m_screens.isEmpty() || state == Qt::PartiallyChecked)
        return;
    emit moviePlayerTypeValueChanged(state == Qt::Checked ? PlayerType::Platform
                                                          : PlayerType::BuiltIn);
}

void KvScreenPropertyWidget::onFlashPlayerTypeValueChanged(int state)
{
    if (isUpdating() || m_screens.isEmpty() || state == Qt::PartiallyChecked)
        return;
    emit flashPlayerTypeValueChanged(state == Qt::Checked ? PlayerType::Platform
                                                          : PlayerType::BuiltIn);
}

void KvScreenPropertyWidget::onWebBrowserTypeValueChanged(int state)
{
    if (isUpdating() || m_screens.isEmpty() || state == Qt::PartiallyChecked)
        return;
    emit webBrowserTypeValueChanged(state == Qt::Checked ? PlayerType::Platform
                                                         : PlayerType::BuiltIn);
}

void KvScreenPropertyWidget::onSpinBoxPositionValueChanged(int)
{
    if (isUpdating() || m_screens.isEmpty())
        return;
    // The canvas reports the move back through onPositionAndSizeValueChanged; the flag
    // keeps that echo out of the boxes being typed in.
    setUpdating(true);
    m_positionEdited = true;
    const QPointer<KvScreenPropertyWidget> self(this);
    emit positionValueChanged(QPointF(m_spinBoxLeft->value(), m_spinBoxTop->value()));
    if (self)
        setUpdating(false);
}

void KvScreenPropertyWidget::onSpinBoxSizeValueChanged(int)
{
    if (isUpdating() || m_screens.isEmpty())
        return;
    setUpdating(true);
    m_sizeEdited = true;
    const QPointer<KvScreenPropertyWidget> self(this);
    emit sizeValueChanged(QSizeF(m_spinBoxWidth->value(), m_spinBoxHeight->value()));
    if (self)
        setUpdating(false);
}

void KvScreenPropertyWidget::onSpinBoxPositionValueEdittingFinished()
{
    if (isUpdating() || m_screens.isEmpty() || !m_positionEdited)
        return;
    m_positionEdited = false;
    emit positionValueChangingCommitted();
}

void KvScreenPropertyWidget::onSpinBoxSizeValueEdittingFinished()
{
    if (isUpdating() || m_screens.isEmpty() || !m_sizeEdited)
        return;
    m_sizeEdited = false;
    emit sizeValueChangingCommitted();
}

void KvScreenPropertyWidget::updateGraphicsTypeValue(
    QMap<KvScreen*, GraphicsType::GraphicsTypes>& map)
{
    QSet<int> values;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        values.insert(it.value());
    if (values.isEmpty())
        return;
    const bool wasUpdating = isUpdating();
    setUpdating(true);
    if (values.count() == 1)
        setBoxState(m_checkBoxGraphicsType,
                    *values.cbegin() == GraphicsType::DirectX ? Qt::Checked : Qt::Unchecked);
    else
        setBoxState(m_checkBoxGraphicsType, Qt::PartiallyChecked);
    setUpdating(wasUpdating);
}

void KvScreenPropertyWidget::updateOptionCheckBoxPlayerType(
    QCheckBox* box, QMap<KvScreen*, PlayerType::PlayerTypes>& map)
{
    if (!box)
        return;
    QSet<int> values;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        values.insert(it.value());
    if (values.isEmpty())
        return;
    const bool wasUpdating = isUpdating();
    setUpdating(true);
    if (values.count() == 1)
        setBoxState(box, *values.cbegin() == PlayerType::Platform ? Qt::Checked : Qt::Unchecked);
    else
        setBoxState(box, Qt::PartiallyChecked);
    setUpdating(wasUpdating);
}

void KvScreenPropertyWidget::updateMoviePlayerTypeValue(
    QMap<KvScreen*, PlayerType::PlayerTypes>& map)
{
    updateOptionCheckBoxPlayerType(m_checkBoxMoviePlayerType, map);
}

void KvScreenPropertyWidget::updateFlashPlayerTypeValue(
    QMap<KvScreen*, PlayerType::PlayerTypes>& map)
{
    // The form has no Flash player box: there is nothing to show.
    updateOptionCheckBoxPlayerType(nullptr, map);
}

void KvScreenPropertyWidget::updateWebBrowserTypeValue(
    QMap<KvScreen*, PlayerType::PlayerTypes>& map)
{
    updateOptionCheckBoxPlayerType(m_checkBoxWebBrowserType, map);
}

} // namespace Kova
