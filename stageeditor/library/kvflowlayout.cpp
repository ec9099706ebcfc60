#include "kvflowlayout.h"

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
    m_items.append(item);
}
int KvFlowLayout::horizontalSpacing() const
{
    return m_hSpace;
}
int KvFlowLayout::verticalSpacing() const
{
    return m_vSpace;
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
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}
QSize KvFlowLayout::minimumSize() const
{
    return QSize();
}
QSize KvFlowLayout::sizeHint() const
{
    return minimumSize();
}
void KvFlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
}
int KvFlowLayout::doLayout(const QRect&, bool) const
{
    return 0;
}
int KvFlowLayout::smartSpacing(QStyle::PixelMetric) const
{
    return 0;
}

} // namespace Kova
