#include "kvpointlabelwidget.h"

#include <QLabel>

namespace Kova {

KvPointLabelWidget::KvPointLabelWidget(QWidget* parent)
    : QWidget(parent)
{
    m_xLabel = new QLabel(QStringLiteral("X:"), this);
    m_yLabel = new QLabel(QStringLiteral("Y:"), this);
}

KvPointLabelWidget::~KvPointLabelWidget() = default;

void KvPointLabelWidget::setPointValue(QPoint point)
{
    setPointValue(QPointF(point));
}

void KvPointLabelWidget::setPointValue(QPointF point)
{
    m_lastPoint = point;
}

} // namespace Kova
