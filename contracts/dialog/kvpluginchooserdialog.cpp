#include "kvpluginchooserdialog.h"

#include "kvplugincommoninterface.h"
#include "kvpluginextscreeninterface.h"
#include "kvpluginloader.h"
#include "kvstage.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Kova {

namespace {
constexpr int IdRole = Qt::UserRole + 1;
} // namespace

KvPluginChooserDialog::KvPluginChooserDialog(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Select Plug-in"));
    resize(480, 360);

    m_caption = new QLabel(this);
    m_caption->setWordWrap(true);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("PluginList"));
    m_list->setIconSize(QSize(32, 32));
    m_list->setWordWrap(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_emptyLabel = new QLabel(tr("No extended screen plug-in is installed."), this);
    m_emptyLabel->setObjectName(QStringLiteral("EmptyLabel"));
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_emptyLabel, 1);
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &KvPluginChooserDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &KvPluginChooserDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &KvPluginChooserDialog::onItemActivated);
    connect(m_list, &QListWidget::currentItemChanged, this, &KvPluginChooserDialog::updateOkButton);

    fillList();
    updateCaption();
    updateOkButton();
}

KvPluginChooserDialog::~KvPluginChooserDialog() = default;

void KvPluginChooserDialog::setStage(KvStage* stage)
{
    m_stage = stage;
    updateCaption();
}

QString KvPluginChooserDialog::currentPluginId() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(IdRole).toString() : QString();
}

void KvPluginChooserDialog::accept()
{
    const QString id = currentPluginId();
    if (id.isEmpty())
        return;
    emit pluginSelected(id);
    QDialog::accept();
}

void KvPluginChooserDialog::fillList()
{
    const QMap<QString, KvPluginBasicInfo> groups = KvPluginLoader::pluginGroups();
    for (const KvPluginBasicInfo& group : groups) {
        const QMap<QString, KvPluginInfo> plugins = group.plugins();
        for (const KvPluginInfo& info : plugins) {
            const QSharedPointer<KvPluginCommonInterface> instance = info.pluginInstance();
            if (!instance || !info.extScreenInterface())
                continue;
            QString text = info.name();
            if (!info.description().isEmpty())
                text += QLatin1Char('\n') + info.description();
            auto* item = new QListWidgetItem(instance->icon(), text, m_list);
            item->setData(IdRole, info.id());
            item->setToolTip(info.id());
        }
    }
    m_list->sortItems();
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_list->setVisible(m_list->count() > 0);
    m_emptyLabel->setVisible(m_list->count() == 0);
}

void KvPluginChooserDialog::updateCaption()
{
    if (m_stage && !m_stage->name().isEmpty())
        m_caption->setText(
            tr("Select the plug-in of the new extended screen on \"%1\".").arg(m_stage->name()));
    else
        m_caption->setText(tr("Select the plug-in of the new extended screen."));
}

void KvPluginChooserDialog::updateOkButton()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!currentPluginId().isEmpty());
}

void KvPluginChooserDialog::onItemActivated(QListWidgetItem* item)
{
    if (!item)
        return;
    m_list->setCurrentItem(item);
    accept();
}

} // namespace Kova
