#include "kvstageitem.h"

#include "kvstage.h"

#include <QPixmap>

namespace Kova {

KvStageItem::KvStageItem(KvStage* stage, const QString& dataFolder, QGraphicsItem* parent)
    : QGraphicsRectItem(parent)
    , m_stage(stage)
    , m_dataFolder(dataFolder)
{
}

KvStageItem::~KvStageItem()
{
    delete m_picture;
}

void KvStageItem::refresh()
{
}

void KvStageItem::loadBackgroundImage()
{
}

void KvStageItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    QGraphicsRectItem::paint(painter, option, widget);
}

} // namespace Kova
