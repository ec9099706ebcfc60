#pragma once

#include <QGraphicsScene>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QPointer>
#include <QRectF>

class QGraphicsItem;
class QGraphicsSceneMouseEvent;
class QPainter;

namespace Kova {

class KvScreen;
class KvScreenItem;
class KvScreenSelectedHandle;

// The scene of a stage tab. Besides holding the stage item, the screen items and the
// selection handle, it keeps track of the selected items and of their bounding rectangle
// (which the handle follows), of the zoom rate the items draw for, and of the green
// highlight shown over a screen while files are dragged onto it.
class KvStageScene : public QGraphicsScene
{
    Q_OBJECT
public:
    // Drop highlight states.
    enum DropHighlightState {
        DropHighlightNeverShown = 0,
        DropHighlightShown = 1,
        DropHighlightHidden = 2
    };

    // Holds a selection batch open for its lifetime.
    class SelectionBatch
    {
    public:
        explicit SelectionBatch(KvStageScene* scene);
        ~SelectionBatch();
        SelectionBatch(const SelectionBatch&) = delete;
        SelectionBatch& operator=(const SelectionBatch&) = delete;

    private:
        QPointer<KvStageScene> m_scene;
    };

    explicit KvStageScene(QObject* parent = nullptr);
    ~KvStageScene() override;

    // The zoom rate of the view; items multiply on-screen sizes by scaleFactor() = 1 / rate.
    double scaleRate() const { return m_scaleRate; }
    void setScaleRate(double rate);
    double scaleFactor() const;

    KvScreenSelectedHandle* handle() const { return m_handle; }
    void setHandle(KvScreenSelectedHandle* handle);

    // True when a selected screen is locked.
    bool hasLockedScreenInSelection() const;
    // The item showing a screen, or null.
    KvScreenItem* screenItemOf(const KvScreen* screen) const;
    // Every screen item of the scene (in no particular order).
    QList<KvScreenItem*> screenItems() const;
    // The selected screen items, as the selection map knows them.
    QList<KvScreenItem*> selectedScreenItems() const;
    // Drops an item from the selection map and from the screen lookup (before it is removed).
    void forgetItem(QGraphicsItem* item);
    // Lets screenItemOf find an item quickly; items added to the scene are found either way.
    void registerScreenItem(KvScreenItem* item);

    // The selected items' bounding rectangle from their last known positions; null when
    // nothing is selected.
    QRectF selectionBoundingRect() const;
    // The last known positions of the selected items.
    const QMap<QGraphicsItem*, QPointF>& selectionMap() const { return m_selectionMap; }

    // Every selected screen item saves its start rectangle.
    void saveStartRects();
    // Each selected item whose screen is in the map takes that rectangle as start rectangle.
    void setStartRects(const QMap<KvScreen*, QRectF>& rects);
    // Scales the selected screen items from their start rectangles, laid out in `from`,
    // into `to`.
    void resizeSelectedItems(const QRectF& from, const QRectF& to);

    // Re-reads the positions of the selected items without announcing anything (after
    // moves made with position tracking off).
    void refreshStoredPositions();

    // Between begin and end, selection and position reports only update the bookkeeping;
    // the count and the bounding rectangle are announced once at the end (a drag moves
    // many items per mouse move, a rubber band selects many items at once). Nestable.
    void beginSelectionBatch();
    void endSelectionBatch();

    void showDropHighlight(const QRectF& rect);
    void hideDropHighlight();
    int dropHighlightState() const { return m_dropHighlightState; }
    QRectF dropHighlightRect() const { return m_dropHighlightRect; }

signals:
    void selectedItemsBoundingRectChanged(QRectF rect);
    void selectedItemsCountChanged(bool hasItem);

public slots:
    void onSceneRectChanged(QRectF rect);
    void onItemPositionChanged(QGraphicsItem* item, QPointF pos);
    void onItemSelectionChanged(QGraphicsItem* item, bool isSelected);

protected:
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;

private:
    void emitBoundingRect();
    QRectF highlightArea(const QRectF& rect) const;

    KvScreenSelectedHandle* m_handle = nullptr;
    QMap<QGraphicsItem*, QPointF> m_selectionMap;
    double m_scaleRate = 1.0;
    int m_dropHighlightState = DropHighlightNeverShown;
    QRectF m_dropHighlightRect;
    QHash<const KvScreen*, KvScreenItem*> m_screenItems;
    int m_batchDepth = 0;
    bool m_countPending = false;
    bool m_rectPending = false;
    bool m_destroying = false;
};

} // namespace Kova
