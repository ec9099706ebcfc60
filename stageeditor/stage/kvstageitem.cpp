#include "kvstageitem.h"

#include "kvstage.h"
#include "path.h"

#include <QBrush>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>

namespace Kova {

KvStageItem::KvStageItem(KvStage* stage, const QString& dataFolder, QGraphicsItem* parent)
    : QGraphicsRectItem(parent)
    , m_stage(stage)
    , m_dataFolder(dataFolder)
{
    setPos(0, 0);
    setZValue(0);
    refresh();
}

KvStageItem::~KvStageItem()
{
    delete m_picture;
}

void KvStageItem::refresh()
{
    if (m_stage) {
        const QRect stageRect = m_stage->rect();
        setRect(0, 0, stageRect.width(), stageRect.height());
        setBrush(QBrush(m_stage->backgroundColor(), Qt::SolidPattern));
        loadBackgroundImage();
    }
    update();
}

void KvStageItem::loadBackgroundImage()
{
    if (!m_stage) {
        return;
    }
    const QString path = m_stage->backgroundImage();
    if (path.isEmpty()) {
        delete m_picture;
        m_picture = nullptr;
        update();
        return;
    }
    // Without a data folder a relative path cannot be resolved; the picture on the
    // canvas stays as it is, as it does for a file that is missing or unreadable.
    if (m_dataFolder.isEmpty()) {
        return;
    }
    QString file;
    if (path.startsWith(m_dataFolder, Qt::CaseInsensitive)) {
        file = path;
    } else if (QFileInfo::exists(path)) {
        file = path;
    } else {
        file = Path::combine(m_dataFolder, path);
    }
    if (!QFileInfo(file).isFile()) {
        return;
    }
    QPixmap loaded;
    if (!loaded.load(file)) {
        return;
    }
    if (loaded.width() > 0 || loaded.height() > 0) {
        delete m_picture;
        m_picture = new QPixmap(loaded);
        update();
    }
}

void KvStageItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    QGraphicsRectItem::paint(painter, option, widget);
    if (!m_picture || m_picture->isNull()) {
        return;
    }
    const QRectF area = rect();
    const QRect target(0, 0, int(area.width()), int(area.height()));
    // Stretched over the stage without regard to its aspect ratio, and quickly: the
    // canvas shows the layout, not the picture's detail.
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawPixmap(target, *m_picture);
    painter->restore();
}

} // namespace Kova
