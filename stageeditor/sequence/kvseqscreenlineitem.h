#pragma once

#include "kvmediadroptarget.h"

#include <QGraphicsObject>

namespace Kova {

class KvSeqScreen;

// The background strip of one timeline row; the row's media items are its children.
class KvSeqScreenLineItem : public QGraphicsObject, public KvMediaDropTarget
{
    Q_OBJECT
public:
    enum { Type = UserType + 302 };
    int type() const override { return Type; }

    KvSeqScreenLineItem(const QSizeF& size, KvSeqScreen* seqScreen,
                        QGraphicsItem* parent = nullptr);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

    double width() const { return m_width; }
    double height() const { return m_height; }
    // The larger of `width` and the scene's widest view, plus 50; the scene rectangle
    // widens (or narrows) to it.
    void setWidth(double width);
    void setSize(const QSizeF& size);
    KvSeqScreen* seqScreen() const { return m_seqScreen; }
    void setSeqScreen(KvSeqScreen* seqScreen) { m_seqScreen = seqScreen; }
    KvScreen* dropTargetScreen() const override;
    double preservedZValue() const { return m_preservedZValue; }

signals:
    void broughtToFront(Kova::KvSeqScreenLineItem* item);

public slots:
    void restoreZValue();
    void preserveZValue();
    void bringToFront();

private:
    double m_width = 0.0;
    double m_height = 0.0;
    KvSeqScreen* m_seqScreen = nullptr;
    double m_preservedZValue = 0.0;
};

} // namespace Kova
