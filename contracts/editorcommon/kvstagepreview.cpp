#include "kvstagepreview.h"

#include "kveditorconfig.h"
#include "kvscreen.h"
#include "kvstage.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace Kova {

namespace {
const int Margin = 6;
// Background pictures are read at most this large: the preview is small.
const int MaxBackgroundSide = 640;
} // namespace

KvStagePreview::KvStagePreview(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

KvStagePreview::~KvStagePreview() = default;

KvStagePreview::Picture KvStagePreview::pictureOf(const KvStage& stage)
{
    Picture picture;
    picture.stageRect = stage.rect();
    picture.background = stage.backgroundColor();
    if (!stage.backgroundImage().isEmpty()) {
        const QString path = KvEditorConfig::getAbsolutePath(stage.backgroundImage());
        if (QFileInfo(path).isFile()) {
            QImageReader reader(path);
            const QSize size = reader.size();
            if (size.isValid() &&
                (size.width() > MaxBackgroundSide || size.height() > MaxBackgroundSide))
                reader.setScaledSize(
                    size.scaled(MaxBackgroundSide, MaxBackgroundSide, Qt::KeepAspectRatio));
            picture.backgroundImage = reader.read();
        }
    }
    QList<KvScreen*> screens = stage.screenList();
    std::stable_sort(screens.begin(), screens.end(), [](const KvScreen* a, const KvScreen* b) {
        return a->zIndex() < b->zIndex();
    });
    for (const KvScreen* screen : qAsConst(screens)) {
        if (!screen)
            continue;
        Shape shape;
        shape.rect = screen->rect();
        shape.color = screen->backgoundColor();
        shape.type = int(screen->type());
        shape.zIndex = screen->zIndex();
        shape.name = screen->name();
        picture.screens.append(shape);
    }
    return picture;
}

void KvStagePreview::paintPicture(QPainter& painter, const Picture& picture, const QRectF& target,
                                  bool withNames)
{
    const QSizeF stageSize = picture.stageRect.size();
    if (stageSize.width() <= 0 || stageSize.height() <= 0 || target.width() <= 0 ||
        target.height() <= 0)
        return;
    const QSizeF fitted = stageSize.scaled(target.size(), Qt::KeepAspectRatio);
    const QRectF area(target.x() + (target.width() - fitted.width()) / 2,
                      target.y() + (target.height() - fitted.height()) / 2, fitted.width(),
                      fitted.height());
    const qreal scale = fitted.width() / stageSize.width();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.fillRect(area, picture.background.isValid() ? picture.background : QColor(Qt::black));
    if (!picture.backgroundImage.isNull())
        painter.drawImage(area, picture.backgroundImage);
    painter.setClipRect(area);

    QFont font = painter.font();
    font.setPixelSize(std::max(8, std::min(12, int(area.height() / 14))));
    painter.setFont(font);

    for (const Shape& shape : picture.screens) {
        // Screen rectangles are in stage coordinates, relative to the stage's top-left.
        const QRectF r(area.x() + shape.rect.x() * scale, area.y() + shape.rect.y() * scale,
                       shape.rect.width() * scale, shape.rect.height() * scale);
        QColor fill = shape.color.isValid() ? shape.color : QColor(Qt::gray);
        fill.setAlpha(255);
        painter.fillRect(r, fill);
        const QColor ink =
            fill.lightness() > 128 ? QColor(0, 0, 0, 150) : QColor(255, 255, 255, 150);
        if (shape.type == 2) {
            painter.fillRect(r, QBrush(ink, Qt::HorPattern));
        } else if (shape.type == 3) {
            painter.fillRect(r, QBrush(ink, Qt::BDiagPattern));
        }
        painter.setPen(QPen(ink, 1));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        if (withNames && !shape.name.isEmpty() && r.width() > 24 && r.height() > 12) {
            painter.setPen(ink);
            painter.drawText(
                r.adjusted(3, 1, -3, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                painter.fontMetrics().elidedText(shape.name, Qt::ElideRight, int(r.width()) - 6));
        }
    }
    painter.setClipping(false);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

QImage KvStagePreview::renderImage(const KvStage& stage, const QSize& size)
{
    if (!size.isValid() || size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintPicture(painter, pictureOf(stage), QRectF(QPointF(0, 0), QSizeF(size)), false);
    return image;
}

void KvStagePreview::setStage(const KvStage& stage)
{
    m_picture = pictureOf(stage);
    m_hasStage = true;
    update();
}

void KvStagePreview::clear()
{
    m_picture = Picture();
    m_hasStage = false;
    update();
}

void KvStagePreview::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    if (!m_hasStage)
        return;
    QPainter painter(this);
    paintPicture(painter, m_picture, QRectF(rect()).adjusted(Margin, Margin, -Margin, -Margin),
                 true);
}

} // namespace Kova
