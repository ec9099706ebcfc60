#pragma once

#include <QLayout>
#include <QList>
#include <QStyle>

class QLayoutItem;

namespace Kova {

// Places its items left to right and starts a new line when the next item would pass
// the right edge. It reports height for width, so a scroll area that holds it wraps
// its contents when it gets narrow. A spacing of -1 takes the style's default.
class KvFlowLayout : public QLayout
{
    Q_OBJECT
public:
    // The margin is applied to all four sides (-1: the style's default).
    explicit KvFlowLayout(QWidget* parent = nullptr, int margin = -1, int hSpacing = -1,
                          int vSpacing = -1);
    ~KvFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int horizontalSpacing() const;
    int verticalSpacing() const;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    int doLayout(const QRect& rect, bool testOnly) const;
    int smartSpacing(QStyle::PixelMetric pm) const;
    int itemSpacing(QLayoutItem* item, Qt::Orientation orientation) const;

    QList<QLayoutItem*> m_items;
    int m_hSpace;
    int m_vSpace;
};

// The name the property panels know the layout by.
typedef KvFlowLayout FlowLayout;

} // namespace Kova
