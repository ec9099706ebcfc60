#include "kvpointlabelwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>

#include <cmath>

namespace Kova {

KvPointLabelWidget::KvPointLabelWidget(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    m_xLabel = new QLabel(tr("X:"), this);
    m_yLabel = new QLabel(tr("Y:"), this);
    for (QLabel* label : {m_xLabel, m_yLabel}) {
        QFont font = label->font();
        font.setPixelSize(10);
        label->setFont(font);
        label->setMinimumWidth(30);
    }
    layout->addWidget(m_xLabel);
    layout->addSpacerItem(new QSpacerItem(5, 5, QSizePolicy::Fixed, QSizePolicy::Fixed));
    layout->addWidget(m_yLabel);
}

KvPointLabelWidget::~KvPointLabelWidget() = default;

void KvPointLabelWidget::setPointValue(QPoint point)
{
    setPointValue(QPointF(point));
}

void KvPointLabelWidget::setPointValue(QPointF point)
{
    m_lastPoint = point;
    double x = point.x();
    double y = point.y();
    if (m_rounding) {
        // Stage pixels are whole numbers; halves go upward (-2.5 shows -2), as qRound
        // does, without its int range limit.
        x = std::floor(x + 0.5);
        y = std::floor(y + 0.5);
    }
    m_xLabel->setText(tr("X:%1").arg(QString::number(x, 'g', 6)));
    m_yLabel->setText(tr("Y:%1").arg(QString::number(y, 'g', 6)));
}

} // namespace Kova
