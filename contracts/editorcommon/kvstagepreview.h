#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QWidget>

namespace Kova {

class KvStage;

// A small picture of a stage: its background (colour, and picture when it has one) with
// every screen drawn to scale in z-order, multimedia screens filled with their background
// colour, telop screens striped, extended screens hatched.
class KvStagePreview : public QWidget
{
    Q_OBJECT
public:
    explicit KvStagePreview(QWidget* parent = nullptr);
    ~KvStagePreview() override;

    bool hasStage() const { return m_hasStage; }
    // Size of the stage shown (invalid when none).
    QSize stageSize() const { return m_hasStage ? m_picture.stageRect.size() : QSize(); }
    int screenCount() const { return m_picture.screens.count(); }

    // The picture of `stage` fitted into `size` (aspect ratio kept, transparent margins).
    static QImage renderImage(const KvStage& stage, const QSize& size);

    QSize sizeHint() const override { return QSize(320, 180); }

public slots:
    void setStage(const KvStage& stage);
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Shape
    {
        QRectF rect;
        QColor color;
        int type = 1;
        int zIndex = 0;
        QString name;
    };
    struct Picture
    {
        QRect stageRect;
        QColor background;
        QImage backgroundImage;
        QList<Shape> screens;
    };
    static Picture pictureOf(const KvStage& stage);
    static void paintPicture(QPainter& painter, const Picture& picture, const QRectF& target,
                             bool withNames);

    bool m_hasStage = false;
    Picture m_picture;
};

} // namespace Kova
