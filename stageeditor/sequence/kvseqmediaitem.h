#pragma once

#include "kveditorcommon.h"
#include "kvmediadroptarget.h"
#include "kvthumbnail.h"

#include <QColor>
#include <QGraphicsObject>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QSizeF>

class QPropertyAnimation;

namespace Kova {

class KvMedia;
class KvSeqScreen;

// One medium of one screen in the timeline: a block in its row (KvSeqScreen), left to right
// in sequence order. It works out the medium's playing time, keeps the thumbnail and file
// property, paints itself, animates back to its place after an aborted drag and refuses a
// selection that would span two rows.
class KvSeqMediaItem : public QGraphicsObject, public KvMediaDropTarget
{
    Q_OBJECT
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)
public:
    // Height of a block when its row gives none.
    static constexpr int DEFAULT_HEIGHT = 24;
    // Width of every block in the normal view.
    static constexpr int FIXED_VIEW_WIDTH = 140;
    // Pixels per second of playing time in the time view.
    static constexpr int SECOND_PAR_PIXEL = 4;

    enum { Type = UserType + 301 };
    int type() const override { return Type; }

    explicit KvSeqMediaItem(KvSeqScreen* seqScreen, QGraphicsItem* parent = nullptr);
    ~KvSeqMediaItem() override;

    // One item, never shown, holding the raise, listen and goto pictures drawItem uses.
    static KvSeqMediaItem* getInstance();

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

    double width() const { return m_width; }
    void setWidth(double width);
    double height() const { return m_height; }
    void setHeight(double height);
    QSizeF size() const { return QSizeF(m_width, m_height); }
    void setSize(const QSizeF& size);
    // The preserved position with the current size.
    QRectF originalRect() const;

    KvMedia* media() const { return m_media; }
    void setMedia(KvMedia* media);
    // An extended medium (type 8) of a screen with a plug-in takes the plug-in's picture of
    // it as its thumbnail; other media are left alone.
    void updatePluginPicture();
    KvSeqScreen* seqScreen() const { return m_seqScreen; }
    void setSeqScreen(KvSeqScreen* seqScreen) { m_seqScreen = seqScreen; }
    KvScreen* dropTargetScreen() const override;

    // Seconds; -1.0 when unknown.
    double duration() const { return m_duration; }
    void setDuration(double duration) { m_duration = duration; }
    QString durationString() const;

    KvThumbnail::FileProperty fileProperty() const { return m_fileProperty; }
    // Stores the property, then updates the duration and its picture.
    void setFileProperty(const KvThumbnail::FileProperty& property);
    // A copy of the thumbnail, or a null pixmap.
    QPixmap thumbnailImage() const;
    void setThumbnailImage(QPixmap& image);

    bool isMouseHovered() const { return m_mouseHovered; }
    void setMouseHovered(bool hovered) { m_mouseHovered = hovered; }
    bool dropped() const { return m_dropped; }
    void setDropped(bool dropped) { m_dropped = dropped; }
    bool selectedValidation() const { return m_selectedValidation; }
    void setSelectedValidation(bool validation) { m_selectedValidation = validation; }
    bool uriDisabled() const { return m_uriDisabled; }
    void setUriDisabled(bool disabled) { m_uriDisabled = disabled; }
    KvEditorCommon::SequenceViewModes viewMode() const { return m_viewMode; }
    void setViewMode(KvEditorCommon::SequenceViewModes mode) { m_viewMode = mode; }
    QPointF preservedPosition() const { return m_preservedPosition; }
    void setPreservedPosition(const QPointF& position) { m_preservedPosition = position; }
    QPixmap raiseEventImage() const;
    void setRaiseEventImage(const QPixmap& image);
    QPixmap listenEventImage() const;
    void setListenEventImage(const QPixmap& image);
    // ":/images/goto_yellow.svg", loaded on first use.
    QPixmap getGotoImage();

    bool animating() const { return m_animating; }

    QColor backgroundColor() const;
    QColor foregroundColor() const;

    // Index in the row's item list; -1 without a row or when not listed.
    int sequenceIndex() const;
    // sequenceIndex() + 1; 0 without a row.
    int sequenceNumber() const;

    KvSeqMediaItem* forwardMediaItem() const { return m_forwardItem; }
    void setForwardMediaItem(KvSeqMediaItem* item) { m_forwardItem = item; }
    KvSeqMediaItem* backwordMediaItem() const { return m_backwardItem; }
    void setBackwardMediaItem(KvSeqMediaItem* item) { m_backwardItem = item; }

    // Reads the file property from the media tool's record, loads the thumbnail, updates the
    // duration and the size.
    void updateAllFromMedia();
    // Takes every property of `media` (not its parent), then updates the duration.
    void updateMediaProperties(const KvMedia& media);
    void updateDuration();
    void updateDurationImage();
    void updateWidth();
    // Right of the backward item (or at the origin), also kept as the preserved position.
    void updatePos();

    void preserveCurrentPosition();
    void restorePosition();
    void moveBackPositionWithAnimation();
    void startPosAnimation(const QPointF& from, const QPointF& to, int duration);

    // True when the picture shows one of the stock blank thumbnails.
    static bool isBlankThumbnail(const QPixmap& pixmap);
    // The 24 x 24 picture a block shows for a file property: its thumbnail, or the file's icon
    // when the thumbnail is a stock blank one (or, with iconWhenMissing, when there is none);
    // null when there is nothing to show.
    static QPixmap timelineThumbnail(const KvThumbnail::FileProperty& property,
                                     bool iconWhenMissing);
    // Blocks made in one event loop turn share one lookup of each file's property and picture;
    // the media tool's new report of a file drops that lookup.
    static void forgetLookedUpFile(const QString& absolutePath);

    // Paints a block; the label column of the timeline paints with it too.
    static void drawItem(QPainter* painter, const QRectF& rect, const QColor& backColor,
                         const QString& text, const QColor& foreColor, const QPixmap* thumbnail,
                         const QColor& markColor, bool hovered, bool selected,
                         const QPixmap* durationImage, bool raiseEvent, bool listenEvent,
                         const QPixmap* disabledImage, const QString& destination);

signals:
    void mouseDoubleClicked(Kova::KvSeqMediaItem* item);
    void durationChanged();
    void mediaUriDisabled(QString uri);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private slots:
    void animationFinished();

private:
    double getMovieDuration() const;
    double getTelopDuration() const;
    double getFolderDuration() const;
    void updateToolTip();

    double m_width = FIXED_VIEW_WIDTH;
    double m_height = DEFAULT_HEIGHT;
    KvSeqScreen* m_seqScreen = nullptr;
    KvMedia* m_media = nullptr;
    double m_duration = -1.0;
    bool m_animating = false;
    KvSeqMediaItem* m_forwardItem = nullptr;
    KvSeqMediaItem* m_backwardItem = nullptr;
    bool m_mouseHovered = false;
    QPixmap m_thumbnail;
    KvThumbnail::FileProperty m_fileProperty;
    QPointF m_preservedPosition;
    double m_preservedZValue = 0.0;
    bool m_dropped = false;
    bool m_selectedValidation = true;
    QPixmap m_durationImage;
    QPixmap m_raiseEventImage;
    QPixmap m_listenEventImage;
    QPixmap m_disabledImage;
    QPixmap m_gotoImage;
    bool m_uriDisabled = false;
    // The running position animation; a new one or a layout replaces it.
    QPointer<QPropertyAnimation> m_posAnimation;
    // What the tooltip was last made from.
    bool m_toolTipMade = false;
    double m_toolTipDuration = 0.0;
    QString m_toolTipSource;
    // The pictures above are null while absent.
    KvEditorCommon::SequenceViewModes m_viewMode = KvEditorCommon::NormalView;
};

} // namespace Kova

// Items travel through queued signals and QVariant (selection lists, signal spies).
Q_DECLARE_METATYPE(Kova::KvSeqMediaItem*)
