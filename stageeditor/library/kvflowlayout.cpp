#include "kvflowlayout.h"

#include <QWidget>

namespace Kova {

KvFlowLayout::KvFlowLayout(QWidget* parent, int margin, int hSpacing, int vSpacing)
    : QLayout(parent)
    , m_hSpace(hSpacing)
    , m_vSpace(vSpacing)
{
    setContentsMargins(margin, margin, margin, margin);
}

KvFlowLayout::~KvFlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void KvFlowLayout::addItem(QLayoutItem* item)
{
    if (item)
        m_items.append(item);
}

int KvFlowLayout::horizontalSpacing() const
{
    return m_hSpace >= 0 ? m_hSpace : smartSpacing(QStyle::PM_LayoutHorizontalSpacing);
}

int KvFlowLayout::verticalSpacing() const
{
    return m_vSpace >= 0 ? m_vSpace : smartSpacing(QStyle::PM_LayoutVerticalSpacing);
}

Qt::Orientations KvFlowLayout::expandingDirections() const
{
    return {};
}

bool KvFlowLayout::hasHeightForWidth() const
{
    return true;
}

int KvFlowLayout::heightForWidth(int width) const
{
    return doLayout(QRect(0, 0, width, 0), true);
}

int KvFlowLayout::count() const
{
    return m_items.size();
}

QLayoutItem* KvFlowLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem* KvFlowLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    QLayoutItem* item = m_items.takeAt(index);
    invalidate();
    return item;
}

QSize KvFlowLayout::minimumSize() const
{
    // As narrow as the widest item: everything else wraps.
    QSize size;
    for (QLayoutItem* item : m_items) {
        if (!item->isEmpty())
            size = size.expandedTo(item->minimumSize());
    }
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize KvFlowLayout::sizeHint() const
{
    // All items on one line.
    int width = 0;
    int height = 0;
    bool first = true;
    for (QLayoutItem* item : m_items) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        width += hint.width() + (first ? 0 : itemSpacing(item, Qt::Horizontal));
        height = qMax(height, hint.height());
        first = false;
    }
    const QMargins m = contentsMargins();
    return QSize(width + m.left() + m.right(), height + m.top() + m.bottom())
        .expandedTo(minimumSize());
}

void KvFlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    doLayout(rect, false);
}

int KvFlowLayout::doLayout(const QRect& rect, bool testOnly) const
{
    const QMargins m = contentsMargins();
    const QRect area = rect.adjusted(m.left(), m.top(), -m.right(), -m.bottom());
    int x = area.x();
    int y = area.y();
    int lineHeight = 0;

    for (QLayoutItem* item : m_items) {
        if (item->isEmpty())
            continue;
        QSize hint = item->sizeHint();
        // An item wider than a whole line is narrowed to the line, down to its minimum.
        if (hint.width() > area.width()) {
            hint.setWidth(qMax(item->minimumSize().width(), area.width()));
            if (item->hasHeightForWidth())
                hint.setHeight(qMax(hint.height(), item->heightForWidth(hint.width())));
        }
        const int spaceX = itemSpacing(item, Qt::Horizontal);
        const int spaceY = itemSpacing(item, Qt::Vertical);
        int nextX = x + hint.width() + spaceX;
        // Start a new line when the item would pass the right edge (never for the
        // first item of a line).
        if (nextX - spaceX > area.right() + 1 && lineHeight > 0) {
            x = area.x();
            y = y + lineHeight + spaceY;
            nextX = x + hint.width() + spaceX;
            lineHeight = 0;
        }
        if (!testOnly)
            item->setGeometry(QRect(QPoint(x, y), hint));
        x = nextX;
        lineHeight = qMax(lineHeight, hint.height());
    }
    return y + lineHeight - rect.y() + m.bottom();
}

int KvFlowLayout::itemSpacing(QLayoutItem* item, Qt::Orientation orientation) const
{
    const int spacing = orientation == Qt::Horizontal ? horizontalSpacing() : verticalSpacing();
    if (spacing >= 0)
        return spacing;
    // No spacing from the layout or the style's metric: ask the style for the space
    // between two controls.
    QWidget* widget = item->widget();
    if (!widget)
        return 0;
    return qMax(0, widget->style()->layoutSpacing(QSizePolicy::GroupBox, QSizePolicy::GroupBox,
                                                  orientation));
}

int KvFlowLayout::smartSpacing(QStyle::PixelMetric pm) const
{
    QObject* parentObject = parent();
    if (!parentObject)
        return -1;
    if (parentObject->isWidgetType()) {
        auto* parentWidget = static_cast<QWidget*>(parentObject);
        return parentWidget->style()->pixelMetric(pm, nullptr, parentWidget);
    }
    return static_cast<QLayout*>(parentObject)->spacing();
}

} // namespace Kova
