#include "kvseqmainscene.h"

#include "kvseqscreenlineitem.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace Kova {

namespace {

constexpr int GRID_STEP = 20;

} // namespace

KvSeqMainScene::KvSeqMainScene(QObject* parent)
    : QGraphicsScene(parent)
{
    setBackgroundBrush(Qt::gray);
    // Rows are laid out again as a whole (an insert at the front moves every item behind it),
    // which a spatial index would have to follow item by item; the view finds items by row
    // and x instead.
    setItemIndexMethod(QGraphicsScene::NoIndex);
    connect(this, &QGraphicsScene::selectionChanged, this, &KvSeqMainScene::onSelectionChanged);
}

KvSeqMainScene::~KvSeqMainScene()
{
    // The base destructor removes the items and may report a selection change; this part of
    // the object is gone by then.
    disconnect(this, &QGraphicsScene::selectionChanged, this, &KvSeqMainScene::onSelectionChanged);
}

void KvSeqMainScene::drawBackground(QPainter* painter, const QRectF& rect)
{
    QGraphicsScene::drawBackground(painter, rect);

    const int left = static_cast<int>(std::floor(rect.left()));
    const int right = static_cast<int>(std::ceil(rect.right()));
    const int top = static_cast<int>(std::floor(rect.top()));
    const int bottom = static_cast<int>(std::ceil(rect.bottom()));
    // The first multiple of the step at or right of the left edge (also for negative x).
    const int first =
        static_cast<int>(std::ceil(static_cast<double>(left) / GRID_STEP)) * GRID_STEP;

    painter->save();
    painter->setPen(QPen(Qt::darkGray, 0));
    for (int x = first; x <= right; x += GRID_STEP)
        painter->drawLine(x, top, x, bottom);
    painter->restore();
}

KvSeqScreenLineItem* KvSeqMainScene::currentLineItem() const
{
    if (m_updatePending)
        updateCurrentLineItem();
    return m_currentLineItem;
}

void KvSeqMainScene::onSelectionChanged()
{
    // Listing the selection costs as much as the selection is long, and a row selects its
    // media one by one (thousands when a long row is made). With one item selected or none,
    // every change is looked at at once; with several, the changes of one burst are looked at
    // together on the next turn of the event loop, or sooner when the line item is asked for.
    if (!m_severalSelected) {
        updateCurrentLineItem();
    } else if (!m_updatePending) {
        m_updatePending = true;
        QMetaObject::invokeMethod(this, &KvSeqMainScene::onSelectionSettled, Qt::QueuedConnection);
    }
}

void KvSeqMainScene::onSelectionSettled()
{
    if (m_updatePending)
        updateCurrentLineItem();
}

void KvSeqMainScene::updateCurrentLineItem() const
{
    m_updatePending = false;
    const QList<QGraphicsItem*> selected = selectedItems();
    m_severalSelected = selected.count() > 1;
    if (selected.isEmpty()) {
        m_currentLineItem = nullptr;
    } else if (selected.count() == 1) {
        QGraphicsItem* parent = selected.first()->parentItem();
        m_currentLineItem = parent ? qgraphicsitem_cast<KvSeqScreenLineItem*>(parent) : nullptr;
    }
}

} // namespace Kova
