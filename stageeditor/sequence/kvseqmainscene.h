#pragma once

#include <QGraphicsScene>

namespace Kova {

class KvSeqScreenLineItem;

// The scene of one stage's timeline: every row's line item with its media items, on a gray
// background ruled every 20 pixels.
class KvSeqMainScene : public QGraphicsScene
{
    Q_OBJECT
public:
    explicit KvSeqMainScene(QObject* parent = nullptr);
    ~KvSeqMainScene() override;

    // The row line of the single selected item; kept while several items are selected,
    // null when nothing is.
    KvSeqScreenLineItem* currentLineItem() const;

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;

private slots:
    void onSelectionChanged();
    void onSelectionSettled();

private:
    void updateCurrentLineItem() const;

    mutable KvSeqScreenLineItem* m_currentLineItem = nullptr;
    // While several items are selected, the changes of one burst are looked at together.
    mutable bool m_severalSelected = false;
    mutable bool m_updatePending = false;
};

} // namespace Kova
