#include "kvmediapropertycopierwidget.h"

#include "kvmedia.h"
#include "kvmediapropertyvalues.h"
#include "kvscreen.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Kova {

KvMediaPropertyCopierWidget::KvMediaPropertyCopierWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MediaPropertyCopierWidget"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_sourceLabel = new QLabel(this);
    m_sourceLabel->setObjectName(QStringLiteral("SourceLabel"));
    m_sourceLabel->setWordWrap(true);
    layout->addWidget(m_sourceLabel);

    m_propertyTree = new QTreeWidget(this);
    m_propertyTree->setObjectName(QStringLiteral("PropertyTree"));
    m_propertyTree->setHeaderLabels({tr("Property copied"), tr("Value")});
    m_propertyTree->setRootIsDecorated(false);
    m_propertyTree->setSelectionMode(QAbstractItemView::NoSelection);
    m_propertyTree->setFocusPolicy(Qt::NoFocus);
    m_propertyTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    layout->addWidget(m_propertyTree, 1);

    auto* form = new QFormLayout;
    m_screenCombo = new QComboBox(this);
    m_screenCombo->setObjectName(QStringLiteral("ScreenCombo"));
    form->addRow(tr("Copy to the screen:"), m_screenCombo);
    layout->addLayout(form);

    m_mediaList = new QListWidget(this);
    m_mediaList->setObjectName(QStringLiteral("MediaList"));
    layout->addWidget(m_mediaList, 1);

    auto* buttons = new QHBoxLayout;
    m_allButton = new QPushButton(tr("Check All"), this);
    m_allButton->setObjectName(QStringLiteral("CheckAllButton"));
    m_noneButton = new QPushButton(tr("Check None"), this);
    m_noneButton->setObjectName(QStringLiteral("CheckNoneButton"));
    buttons->addWidget(m_allButton);
    buttons->addWidget(m_noneButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(m_screenCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &KvMediaPropertyCopierWidget::onScreenChosen);
    connect(m_mediaList, &QListWidget::itemChanged, this,
            &KvMediaPropertyCopierWidget::onItemChanged);
    connect(m_allButton, &QPushButton::clicked, this, [this]() { checkAll(true); });
    connect(m_noneButton, &QPushButton::clicked, this, [this]() { checkAll(false); });
    setScreens({});
}

KvMediaPropertyCopierWidget::~KvMediaPropertyCopierWidget() = default;

void KvMediaPropertyCopierWidget::setMedia(const KvMedia* media)
{
    m_media = media;
    m_sourceLabel->setText(
        media ? tr("Copies every property of \"%1\" but its file to the media checked below.")
                    .arg(media->name().isEmpty() ? QDir::toNativeSeparators(media->uri())
                                                 : media->name())
              : tr("No content to copy from."));
    fillProperties();
    onScreenChosen();
}

void KvMediaPropertyCopierWidget::fillProperties()
{
    m_propertyTree->clear();
    if (!m_media)
        return;
    const QLocale locale;
    const QString yes = tr("yes");
    const QString no = tr("no");
    const QString directions[] = {tr("none"), tr("right to left"), tr("bottom to top"),
                                  tr("left to right"), tr("top to bottom")};
    const int direction = m_media->playingDirection();
    const QList<QPair<QString, QString>> rows = {
        {tr("Name"), m_media->name()},
        {tr("Type"), KvMediaPropertyValues::typeName(m_media->mediaType())},
        {tr("Playing time"),
         tr("%1 seconds").arg(KvMediaPropertyValues::secondsText(m_media->playingDuration()))},
        {tr("Until the content ends"), m_media->detectTermination() ? yes : no},
        {tr("Scroll direction"),
         direction >= 1 && direction <= 5 ? directions[direction - 1] : locale.toString(direction)},
        {tr("Scroll step"), tr("%1 pixels").arg(locale.toString(m_media->step()))},
        {tr("Wait"),
         m_media->waitAuto() ? tr("automatic") : tr("%1 ms").arg(locale.toString(m_media->wait()))},
        {tr("Font"), m_media->font().family() + QStringLiteral(", ") +
                         locale.toString(m_media->font().pointSizeF())},
        {tr("Destination"), m_media->destination()},
        {tr("Other settings"),
         QStringList(m_media->properties().keys()).join(QStringLiteral(", "))},
    };
    for (const auto& row : rows)
        m_propertyTree->addTopLevelItem(new QTreeWidgetItem({row.first, row.second}));
}

void KvMediaPropertyCopierWidget::setScreens(const QList<KvScreen*>& screens)
{
    m_screens = screens;
    {
        const QSignalBlocker blocker(m_screenCombo);
        m_screenCombo->clear();
        m_screenCombo->addItem(tr("(choose a screen)"), -1);
        for (const KvScreen* screen : screens) {
            m_screenCombo->addItem(
                screen->mediaCount() == 1
                    ? tr("%1 (1 content)").arg(screen->name())
                    : tr("%1 (%2 contents)").arg(screen->name()).arg(screen->mediaCount()),
                screen->id());
        }
        m_screenCombo->setCurrentIndex(0);
    }
    onScreenChosen();
}

KvScreen* KvMediaPropertyCopierWidget::chosenScreen() const
{
    const int id = m_screenCombo->currentData().toInt();
    for (KvScreen* screen : m_screens) {
        if (id >= 0 && screen->id() == id)
            return screen;
    }
    return nullptr;
}

bool KvMediaPropertyCopierWidget::selectScreen(int screenId)
{
    const int index = m_screenCombo->findData(screenId);
    if (index < 0)
        return false;
    m_screenCombo->setCurrentIndex(index);
    return true;
}

void KvMediaPropertyCopierWidget::onScreenChosen()
{
    {
        const QSignalBlocker blocker(m_mediaList);
        m_mediaList->clear();
        if (const KvScreen* screen = chosenScreen()) {
            const QList<KvMedia*>& media = screen->mediaList();
            for (int i = 0; i < media.count(); ++i) {
                const KvMedia* target = media.at(i);
                const QString file = QDir::toNativeSeparators(target->uri());
                QString text = target->name().isEmpty()
                                   ? tr("%1. %2").arg(i + 1).arg(file)
                                   : tr("%1. %2 (%3)").arg(i + 1).arg(target->name(), file);
                auto* item = new QListWidgetItem(m_mediaList);
                item->setData(Qt::UserRole, i);
                if (target == m_media) {
                    text += tr(" \u2014 copied from");
                    item->setFlags(Qt::NoItemFlags);
                } else {
                    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
                    item->setCheckState(Qt::Unchecked);
                }
                item->setText(text);
            }
        }
    }
    const bool any = m_mediaList->count() > 0;
    m_allButton->setEnabled(any);
    m_noneButton->setEnabled(any);
    emit selectionChanged();
}

void KvMediaPropertyCopierWidget::onItemChanged(QListWidgetItem* item)
{
    Q_UNUSED(item)
    emit selectionChanged();
}

void KvMediaPropertyCopierWidget::checkAll(bool checked)
{
    {
        const QSignalBlocker blocker(m_mediaList);
        for (int i = 0; i < m_mediaList->count(); ++i) {
            QListWidgetItem* item = m_mediaList->item(i);
            if (item->flags() & Qt::ItemIsUserCheckable)
                item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        }
    }
    emit selectionChanged();
}

int KvMediaPropertyCopierWidget::selectedScreenId() const
{
    const KvScreen* screen = chosenScreen();
    return screen ? screen->id() : -1;
}

QList<int> KvMediaPropertyCopierWidget::selectedMediaIndices() const
{
    QList<int> indices;
    for (int i = 0; i < m_mediaList->count(); ++i) {
        const QListWidgetItem* item = m_mediaList->item(i);
        if ((item->flags() & Qt::ItemIsUserCheckable) && item->checkState() == Qt::Checked)
            indices.append(item->data(Qt::UserRole).toInt());
    }
    return indices;
}

bool KvMediaPropertyCopierWidget::isComplete() const
{
    return m_media && selectedScreenId() >= 0 && !selectedMediaIndices().isEmpty();
}

} // namespace Kova
