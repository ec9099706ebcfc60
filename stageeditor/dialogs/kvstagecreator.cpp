#include "kvstagecreator.h"

#include "kvcolorwidget.h"
#include "kvscreen.h"
#include "kvstage.h"
#include "kvstagelistwidgetitem.h"
#include "kvstagetemplate.h"
#include "path.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace Kova {

namespace {
const int InputRowHeight = 24;
const int MaxStageSide = 16777215;
} // namespace

KvStageCreator::KvStageCreator(QWidget* parent)
    : QDialog(parent)
{
    setupUi();
    connect(this, &QDialog::accepted, this, &KvStageCreator::onAccepted);
    connect(this, &QDialog::rejected, this, &KvStageCreator::onRejected);
    // Queued: the caller sets the stage folder and the names in use before the list and the
    // proposed name are made.
    connect(this, &KvStageCreator::requestCreateTemplateList, this,
            &KvStageCreator::createTemplateList, Qt::QueuedConnection);
    connect(m_listWidget, &QListWidget::itemSelectionChanged, this,
            &KvStageCreator::onListWidgetItemSelectionChanged);
    connect(m_listWidget, &QListWidget::itemDoubleClicked, this,
            &KvStageCreator::onListWidgetItemDoubleClicied);
    emit requestCreateTemplateList();
}

KvStageCreator::~KvStageCreator() = default;

void KvStageCreator::setupUi()
{
    setWindowTitle(tr("Create New Stage"));
    resize(640, 512);

    auto* layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(tr("You can choose from the following template."), this));
    m_listWidget = new QListWidget(this);
    m_listWidget->setObjectName(QStringLiteral("TemplateListWidget"));
    m_listWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listWidget->setViewMode(QListView::IconMode);
    m_listWidget->setIconSize(QSize(96, 54));
    m_listWidget->setResizeMode(QListView::Adjust);
    m_listWidget->setMovement(QListView::Static);
    m_listWidget->setWordWrap(true);
    m_listWidget->setSpacing(6);
    layout->addWidget(m_listWidget, 3);

    layout->addWidget(new QLabel(tr("Description of the selected template"), this));
    m_descriptionView = new QTextBrowser(this);
    m_descriptionView->setObjectName(QStringLiteral("DescriptionView"));
    m_descriptionView->setStyleSheet(QStringLiteral("background-color: #e6e6fa;"));
    m_descriptionView->setOpenLinks(false);
    layout->addWidget(m_descriptionView, 2);

    auto* counts = new QHBoxLayout;
    counts->addWidget(new QLabel(tr("Multi Media Screen:"), this));
    m_multimediaCountLabel = new QLabel(this);
    m_multimediaCountLabel->setObjectName(QStringLiteral("MultimediaScreenCountLabel"));
    counts->addWidget(m_multimediaCountLabel);
    counts->addSpacing(24);
    counts->addWidget(new QLabel(tr("Telop Screen:"), this));
    m_telopCountLabel = new QLabel(this);
    m_telopCountLabel->setObjectName(QStringLiteral("TelopScreenCountLabel"));
    counts->addWidget(m_telopCountLabel);
    counts->addStretch(1);
    layout->addLayout(counts);

    auto* form = new QGridLayout;
    int row = 0;
    form->addWidget(new QLabel(tr("Name:"), this), row, 0);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("NameLineEdit"));
    m_nameEdit->setMinimumHeight(InputRowHeight);
    form->addWidget(m_nameEdit, row, 1);
    ++row;

    form->addWidget(new QLabel(tr("Size:"), this), row, 0);
    auto* size = new QHBoxLayout;
    size->addWidget(new QLabel(tr("Width"), this));
    m_widthSpinBox = new QSpinBox(this);
    m_widthSpinBox->setObjectName(QStringLiteral("WidthSpinBox"));
    m_widthSpinBox->setRange(2, MaxStageSide);
    m_widthSpinBox->setValue(1920);
    m_widthSpinBox->setMinimumHeight(InputRowHeight);
    size->addWidget(m_widthSpinBox);
    size->addWidget(new QLabel(tr(", "), this));
    size->addWidget(new QLabel(tr("Height"), this));
    m_heightSpinBox = new QSpinBox(this);
    m_heightSpinBox->setObjectName(QStringLiteral("HeightSpinBox"));
    m_heightSpinBox->setRange(2, MaxStageSide);
    m_heightSpinBox->setValue(1080);
    m_heightSpinBox->setMinimumHeight(InputRowHeight);
    size->addWidget(m_heightSpinBox);
    size->addStretch(1);
    form->addLayout(size, row, 1);
    ++row;

    form->addWidget(new QLabel(tr("Background Color:"), this), row, 0);
    m_colorWidget = new KvColorWidget(this);
    m_colorWidget->setObjectName(QStringLiteral("BackgroundColorWidget"));
    m_colorWidget->setMaximumWidth(128);
    m_colorWidget->setMinimumHeight(InputRowHeight);
    m_colorWidget->setBackColor(Qt::black);
    form->addWidget(m_colorWidget, row, 1, Qt::AlignLeft);
    form->setColumnStretch(1, 1);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("ButtonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &KvStageCreator::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void KvStageCreator::addUsingFileName(const QString& fileName)
{
    if (!fileName.isEmpty() && !m_usingFileNames.contains(fileName, Qt::CaseSensitive))
        m_usingFileNames.append(fileName);
}

void KvStageCreator::addUsingFileNameList(const QStringList& fileNames)
{
    for (const QString& name : fileNames)
        addUsingFileName(name);
}

QString KvStageCreator::proposeName(const QString& stageDir, const QStringList& namesInUse)
{
    // Base names compared without regard to case: the stage folder may be shared with a
    // system that does not tell them apart.
    QSet<QString> taken;
    if (!stageDir.isEmpty()) {
        const QFileInfoList files = QDir(stageDir).entryInfoList(
            {QStringLiteral("*.kstg"), QStringLiteral("*.xml")}, QDir::Files | QDir::Hidden);
        for (const QFileInfo& info : files)
            taken.insert(info.completeBaseName().toCaseFolded());
    }
    for (const QString& name : namesInUse)
        taken.insert(QFileInfo(name).completeBaseName().toCaseFolded());

    const QString base = tr("NewStage");
    const QString suffix = QStringLiteral(".xml");
    QString candidate = base + suffix;
    for (int counter = 1; taken.contains(QFileInfo(candidate).completeBaseName().toCaseFolded());
         ++counter)
        candidate = QStringLiteral("%1-%2%3").arg(base).arg(counter).arg(suffix);
    return candidate;
}

QString KvStageCreator::screenCountText(int count)
{
    return QStringLiteral("%1 %2").arg(count).arg(count < 2 ? tr("screen") : tr("screens"));
}

void KvStageCreator::createTemplateList()
{
    auto* lister = new KvStageTemplate(this);
    m_templateLister = lister;
    connect(lister, &KvStageTemplate::itemCreated, this,
            &KvStageCreator::addstageListItemToListWidget, Qt::QueuedConnection);
    // Queued too, so that the lister goes only after the items it reported before have arrived
    // (it deletes the items still held when it goes).
    connect(lister, &KvStageTemplate::creatingItemListFinished, lister, &QObject::deleteLater,
            Qt::QueuedConnection);
    lister->start();
    m_nameEdit->setText(proposeName(m_stageDir, m_usingFileNames));
}

void KvStageCreator::addstageListItemToListWidget(KvStageListWidgetItem* item)
{
    // The item arrives queued: taken from the lister that still holds it, or left alone when
    // the lister is gone (it deleted the item then).
    if (!m_templateLister || !m_templateLister->takeItem(item))
        return;
    m_listWidget->addItem(item);
}

KvStageListWidgetItem* KvStageCreator::selectedItem() const
{
    const QList<QListWidgetItem*> selected = m_listWidget->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    auto* item = selected.first();
    if (item->type() != KvStageListWidgetItem::Type)
        return nullptr;
    return static_cast<KvStageListWidgetItem*>(item);
}

void KvStageCreator::onListWidgetItemSelectionChanged()
{
    KvStageListWidgetItem* item = selectedItem();
    if (!item || !item->stage()) {
        m_descriptionView->clear();
        m_multimediaCountLabel->clear();
        m_telopCountLabel->clear();
        return;
    }
    const KvStage* stage = item->stage();
    m_descriptionView->setHtml(stage->description());
    m_widthSpinBox->setValue(stage->rect().width());
    m_heightSpinBox->setValue(stage->rect().height());
    int multimedia = 0;
    int telop = 0;
    for (const KvScreen* screen : stage->screenList()) {
        if (!screen)
            continue;
        if (screen->type() == ScreenType::Multimedia)
            ++multimedia;
        else if (screen->type() == ScreenType::Telop)
            ++telop;
    }
    m_multimediaCountLabel->setText(screenCountText(multimedia));
    m_telopCountLabel->setText(screenCountText(telop));
}

void KvStageCreator::onListWidgetItemDoubleClicied(QListWidgetItem* item)
{
    if (!item)
        return;
    m_listWidget->setCurrentItem(item);
    item->setSelected(true);
    accept();
}

KvStage* KvStageCreator::createStage(const KvStage& templateStage) const
{
    auto* stage = new KvStage(templateStage);
    stage->setBackgroundColor(m_colorWidget->backColor());
    stage->setRect(QRect(0, 0, m_widthSpinBox->value(), m_heightSpinBox->value()));

    stage->setFilePath(Path::combine(m_stageDir, newFileName()));
    stage->setName(QString());

    int gray = 0;
    const QList<KvScreen*>& screens = stage->screenList();
    for (int i = 0; i < screens.count(); ++i) {
        KvScreen* screen = screens.at(i);
        if (!screen)
            continue;
        screen->setGraphicsType(GraphicsType::Default);
        const PlayerType::PlayerTypes player =
            screen->type() == ScreenType::Multimedia ? PlayerType::Platform : PlayerType::BuiltIn;
        screen->setMoviePlayerType(player);
        screen->setFlashPlayerType(player);
        screen->setWebBrowserType(player);
        screen->setZIndex(i);
        if (screen->id() < 1)
            screen->setId(screen->zIndex());
        screen->setBackgoundColor(QColor(gray, gray, gray, 255));
        gray += 20;
        if (gray >= 256)
            gray = 0;
    }
    return stage;
}

QString KvStageCreator::newFileName() const
{
    QString name = m_nameEdit->text().trimmed();
    if (name.isEmpty())
        name = proposeName(m_stageDir, m_usingFileNames);
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.compare(QLatin1String("xml"), Qt::CaseInsensitive) != 0 &&
        suffix.compare(QLatin1String("kstg"), Qt::CaseInsensitive) != 0)
        name += QStringLiteral(".xml");
    return name;
}

void KvStageCreator::accept()
{
    if (!m_decided && selectedItem()) {
        const QString name = newFileName();
        const bool inUse = m_usingFileNames.contains(name, Qt::CaseInsensitive);
        if (inUse || QFileInfo::exists(Path::combine(m_stageDir, name))) {
            QMessageBox::warning(
                this, tr("Warnning"),
                tr("The stage name \"%1\" has been existing.\nReinput another name.").arg(name),
                QMessageBox::Ok);
            m_nameEdit->setFocus();
            m_nameEdit->selectAll();
            return;
        }
    }
    QDialog::accept();
}

void KvStageCreator::onAccepted()
{
    if (m_decided)
        return;
    m_decided = true;
    KvStageListWidgetItem* item = selectedItem();
    KvStage* stage = item && item->stage() ? createStage(*item->stage()) : nullptr;
    emit stageCreated(stage);
    close();
    deleteLater();
}

void KvStageCreator::onRejected()
{
    if (m_decided)
        return;
    m_decided = true;
    close();
    deleteLater();
}

} // namespace Kova
