#include "kvstagelistwidgetitem.h"

#include "kvstage.h"
#include "kvstagepreview.h"

#include <QFileInfo>
#include <QIcon>
#include <QPixmap>

namespace Kova {

namespace {
const QSize IconSize(96, 54);
}

KvStageListWidgetItem::KvStageListWidgetItem(KvStage* stage, QListWidget* parent)
    : QListWidgetItem(parent, Type)
    , m_stage(stage)
{
    setText(displayName(stage));
    if (stage) {
        setIcon(QIcon(QPixmap::fromImage(KvStagePreview::renderImage(*stage, IconSize))));
        setToolTip(
            QStringLiteral("%1 x %2").arg(stage->rect().width()).arg(stage->rect().height()));
    }
}

KvStageListWidgetItem::~KvStageListWidgetItem()
{
    delete m_stage;
}

KvStage* KvStageListWidgetItem::takeStage()
{
    KvStage* stage = m_stage;
    m_stage = nullptr;
    return stage;
}

QString KvStageListWidgetItem::displayName(const KvStage* stage)
{
    if (!stage)
        return QString();
    if (!stage->name().trimmed().isEmpty())
        return stage->name().trimmed();
    return QFileInfo(stage->filePath()).completeBaseName();
}

} // namespace Kova
