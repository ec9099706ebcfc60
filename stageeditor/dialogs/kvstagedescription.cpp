#include "kvstagedescription.h"

#include "kvstage.h"
#include "path.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Kova {

namespace {
const char* const EmptyColorStyle = "color:transparent;background-color:transparent;padding:3px;";
}

KvStageDescription::KvStageDescription(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(tr("Stage Description"), this);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    layout->addWidget(title);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addStretch(1);

    m_fileName = addRow(tr("File Name:"), QStringLiteral("FileNameValue"));
    m_size = addRow(tr("Size(Width x Height):"), QStringLiteral("SizeValue"));
    m_position = addRow(tr("Position(Left, Top):"), QStringLiteral("PositionValue"));
    m_backgroundColor = addRow(tr("Background Color:"), QStringLiteral("BackgroundColorValue"));
    m_backgroundImage = addRow(tr("Background Image:"), QStringLiteral("BackgroundImageValue"));
    m_screenCount = addRow(tr("Screen Count:"), QStringLiteral("ScreenCountValue"));
    m_useDesktopSize = addRow(tr("Use The Destop Size:"), QStringLiteral("UseDesktopSizeValue"));
    m_autoAdjustment = addRow(tr("Automatic Adjustmet:"), QStringLiteral("AutoAdjustmentValue"));
    // The colour swatch is as wide as its text, not as the column.
    grid->setAlignment(m_backgroundColor, Qt::AlignLeft | Qt::AlignVCenter);
    // Long names must not widen the dialog: they are cut and shown whole as tool tips.
    m_fileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_backgroundImage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    clear();
}

KvStageDescription::~KvStageDescription() = default;

QLabel* KvStageDescription::addRow(const QString& caption, const QString& objectName)
{
    auto* grid =
        static_cast<QGridLayout*>(static_cast<QVBoxLayout*>(layout())->itemAt(1)->layout());
    auto* captionLabel = new QLabel(caption, this);
    captionLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto* value = new QLabel(this);
    value->setObjectName(objectName);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    captionLabel->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    grid->addWidget(captionLabel, m_rows, 0);
    grid->addWidget(value, m_rows, 1);
    ++m_rows;
    return value;
}

QString KvStageDescription::contrastTextColor(const QColor& background)
{
    // Perceived brightness (ITU-R BT.601 weights); a transparent colour shows the light
    // dialog behind it.
    const QColor c = background.toRgb();
    if (c.alpha() < 128)
        return QStringLiteral("#000000");
    const double luma = 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue();
    return luma >= 128.0 ? QStringLiteral("#000000") : QStringLiteral("#ffffff");
}

void KvStageDescription::clear()
{
    m_fileName->clear();
    m_fileName->setToolTip(QString());
    m_size->clear();
    m_position->clear();
    m_backgroundColor->clear();
    m_backgroundColor->setStyleSheet(QString::fromLatin1(EmptyColorStyle));
    m_backgroundImage->clear();
    m_backgroundImage->setToolTip(QString());
    m_screenCount->clear();
    m_useDesktopSize->clear();
    m_autoAdjustment->clear();
}

void KvStageDescription::setStage(const KvStage& stage)
{
    m_fileName->setText(QFileInfo(stage.filePath()).fileName());
    m_fileName->setToolTip(QDir::toNativeSeparators(stage.filePath()));
    m_size->setText(QStringLiteral("%1 x %2").arg(stage.rect().width()).arg(stage.rect().height()));
    m_position->setText(QStringLiteral("%1, %2").arg(stage.rect().left()).arg(stage.rect().top()));
    const QColor color = stage.backgroundColor();
    m_backgroundColor->setText(color.name());
    m_backgroundColor->setStyleSheet(QStringLiteral("color:%1;background-color:%2;padding:3px;")
                                         .arg(contrastTextColor(color), color.name()));
    m_backgroundImage->setText(
        stage.backgroundImage().isEmpty() ? tr("None") : Path::getName(stage.backgroundImage()));
    m_backgroundImage->setToolTip(stage.backgroundImage());
    m_screenCount->setText(QString::number(stage.screenList().count()));
    m_useDesktopSize->setText(stage.options() & KvStage::UseDesktopSize ? tr("Yes") : tr("No"));
    m_autoAdjustment->setText(stage.options() & KvStage::AutoAdjustment ? tr("Yes") : tr("No"));
}

} // namespace Kova
