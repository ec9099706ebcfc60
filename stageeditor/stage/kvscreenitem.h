#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QGraphicsItem>
#include <QRectF>
#include <QString>

#include "kvmediadroptarget.h"

class QGraphicsScene;
class QPixmap;

namespace Kova {

class KvScreen;

// One screen of a stage tab: its background, name label, lock picture and selection
// frame. The item shows the screen; it writes the screen's rectangle back only when
// asked (commitPos, commitRect). While selected and tracking its position, a move is
// refused when any selected screen of the scene is locked, and accepted moves are
// reported to the scene (onItemPositionChanged); selection changes are reported too
// (onItemSelectionChanged).
class KvScreenItem : public QGraphicsItem, public KvMediaDropTarget
{
    Q_DECLARE_TR_FUNCTIONS(Kova::KvScreenItem)

public:
    enum { Type = UserType + 0x4b31 };

    // The label's layout for one paint.
    struct LabelLayout
    {
        bool visible = false;
        QString text; // the name, or "No Name"
        QFont font;
        QRectF labelRect; // filled half-transparent black
        QRectF textRect;  // the text, centred and word-wrapped
    };

    explicit KvScreenItem(KvScreen* screen, QGraphicsItem* parent = nullptr);
    ~KvScreenItem() override;
    KvScreenItem(const KvScreenItem&) = delete;
    KvScreenItem& operator=(const KvScreenItem&) = delete;

    int type() const override { return Type; }

    // Takes position, size, z value, colour, name and lock state from the screen.
    void setScreen(KvScreen* screen);
    KvScreen* screen() const { return m_screen; }
    // Files dropped on the item become media of its screen.
    KvScreen* dropTargetScreen() const override { return m_screen; }

    // The label text only (the screen is not touched).
    void setName(const QString& name);
    QString name() const { return m_name; }
    QColor backgroundColor() const { return m_backColor; }
    QColor frameColor() const { return m_frameColor; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    // The screen's lock state (the state taken by setScreen when there is no screen).
    bool isLocked() const;

    // Each sets the selected state first, then copies one property from the screen.
    void refreshBackColor(bool select);
    void refreshName(bool select);
    void refreshPos(bool select);
    void refreshRect(bool select);

    // While off, position changes are neither checked against locks nor reported.
    void setTrackPosition(bool track);
    bool isTrackPosition() const { return m_trackPosition; }

    void saveStartRect();
    QRectF startRect() const { return m_startRect; }
    void setStartRect(const QRectF& rect);

    void setGeometry(double x, double y, double width, double height);
    bool isMovedFromScreen() const;
    // Writes the position into the screen's rectangle; returns the old top-left.
    QPointF commitPos();
    // Writes position and size into the screen's rectangle; returns the old rectangle.
    QRectF commitRect();

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

    // This item's scale factor: that of its scene.
    double scaleFactor() const;
    // 1 / the zoom rate of the scene's view (1.0 without a scene or before any zoom).
    // Scene lengths multiplied by it keep their size on screen.
    static double scaleFactorOf(const QGraphicsScene* scene);
    // True when a selected screen item of the scene is locked.
    static bool hasLockedScreenInSelection(const QGraphicsScene* scene);
    // Side of the lock picture, in scene units, for a scale factor.
    static int lockPictureSide(double scaleFactor);
    // Where the name label goes for a scale factor (visible false: no label fits).
    LabelLayout labelLayout(double scaleFactor) const;
    // The cached lock picture (null until painted while locked, or without the picture).
    const QPixmap* lockPicture() const { return m_lockPicture; }

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    void syncLockedFlag();

    QColor m_backColor = Qt::black;
    QString m_name;
    QColor m_frameColor = Qt::cyan;
    double m_width = 100.0;
    double m_height = 100.0;
    QRectF m_startRect;
    bool m_trackPosition = true;
    KvScreen* m_screen = nullptr;
    bool m_locked = false;
    QPixmap* m_lockPicture = nullptr;
    double m_lockPictureScale = 1.0;
};

} // namespace Kova
