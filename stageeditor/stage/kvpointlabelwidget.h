#pragma once

#include <QPoint>
#include <QPointF>
#include <QWidget>

class QLabel;

namespace Kova {

// The pointer position in stage coordinates, shown at the right of a stage tab's
// status bar as "X:.." and "Y:..", rounded to whole stage pixels.
class KvPointLabelWidget : public QWidget
{
    Q_OBJECT
public:
    explicit KvPointLabelWidget(QWidget* parent = nullptr);
    ~KvPointLabelWidget() override;

    // The last point given, unrounded.
    QPointF pointValue() const { return m_lastPoint; }
    QLabel* xLabel() const { return m_xLabel; }
    QLabel* yLabel() const { return m_yLabel; }

public slots:
    void setPointValue(QPoint point);
    void setPointValue(QPointF point);

private:
    QPointF m_lastPoint;
    QLabel* m_xLabel = nullptr;
    QLabel* m_yLabel = nullptr;
    bool m_rounding = true;
};

} // namespace Kova
