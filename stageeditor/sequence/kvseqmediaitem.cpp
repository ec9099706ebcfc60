#include "kvseqmediaitem.h"

#include "kveditorcommon.h"
#include "kveditorconfig.h"
#include "kvextension.h"
#include "kvfilesystemitem.h"
#include "kvmedia.h"
#include "kvpluginextscreeninterface.h"
#include "kvscreen.h"
#include "kvseqscreen.h"
#include "kvsvgreader.h"
#include "kvtelopduration.h"
#include "mediatype.h"
#include "path.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPen>
#include <QPixmapCache>
#include <QPropertyAnimation>
#include <QTimer>
#include <QtGlobal>

namespace Kova {

namespace {

// Side of the event marks drawn at the bottom right of a block.
constexpr int EVENT_IMAGE_SIDE = 16;
// Side of the thumbnail drawn at the left of a block.
constexpr int THUMBNAIL_SIDE = 24;
// Duration of an item in the time view when it is not known.
constexpr double UNKNOWN_TIME_VIEW_SECONDS = 10.0;
// Movie length when the player detects the end but the file's length is not known.
constexpr double DEFAULT_MOVIE_SECONDS = 10.0;
// Pictures are compared for blankness at this size.
constexpr int BLANK_COMPARE_SIDE = 32;
// Milliseconds an item takes to slide back to its place.
constexpr int MOVE_BACK_MILLISECONDS = 300;

// The data-folder-relative or absolute URI of a medium as an absolute path with '/'.
QString absoluteMediaPath(const QString& uri)
{
    const QString path = QDir::fromNativeSeparators(uri);
    if (QDir::isRelativePath(path)) {
        return Path::combine(KvEditorConfig::dataDir(), path);
    }
    return path;
}

QByteArray blankDigest(const QPixmap& pixmap)
{
    const QImage image = pixmap
                             .scaled(BLANK_COMPARE_SIDE, BLANK_COMPARE_SIDE, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation)
                             .toImage();
    const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()),
                           int(image.sizeInBytes()));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

const QList<QByteArray>& blankDigests()
{
    static const QList<QByteArray> digests = [] {
        QList<QByteArray> list;
        const char* const paths[] = {":/images/exclusion/transparent.png",
                                     ":/images/exclusion/standardblank.png",
                                     ":/images/exclusion/smallblank.png"};
        for (const char* path : paths) {
            list.append(blankDigest(QPixmap(QString::fromLatin1(path))));
        }
        return list;
    }();
    return digests;
}

// What a timeline block shows of a file: the media tool's recorded property and the picture.
// A timeline being built asks for the same few files thousands of times in one event loop
// turn: each file is looked up once a turn. Within a turn a file changes only through the
// media tool, whose report (forgetLookedUpFile) drops the file's lookup.
struct KnownFile
{
    KvThumbnail::FileProperty property;
    QPixmap thumbnail;
};

QHash<QString, KnownFile>& knownThisTurn()
{
    static QHash<QString, KnownFile> known;
    return known;
}

KnownFile knownFile(const QString& absolutePath)
{
    static bool forgetQueued = false;
    QHash<QString, KnownFile>& known = knownThisTurn();
    const auto found = known.constFind(absolutePath);
    if (found != known.constEnd())
        return *found;
    KnownFile file;
    file.property = KvThumbnail::getFilePropertyFromHashFile(absolutePath);
    file.thumbnail = KvSeqMediaItem::timelineThumbnail(file.property, false);
    known.insert(absolutePath, file);
    if (!forgetQueued && QCoreApplication::instance()) {
        forgetQueued = true;
        QTimer::singleShot(0, QCoreApplication::instance(), [] {
            knownThisTurn().clear();
            forgetQueued = false;
        });
    }
    return file;
}

// An event mark rendered once and shared by every item (a timeline holds thousands).
QPixmap sharedSvgPixmap(const QString& path)
{
    const QString key = QStringLiteral("kvseqmark:") + path;
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = KvSvgReader::getPixmap(path, QSize(EVENT_IMAGE_SIDE, EVENT_IMAGE_SIDE));
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

bool isDisplayed(const QPixmap* pixmap)
{
    return pixmap && !pixmap->isNull();
}

} // namespace

KvSeqMediaItem::KvSeqMediaItem(KvSeqScreen* seqScreen, QGraphicsItem* parent)
    : QGraphicsObject(parent)
    , m_seqScreen(seqScreen)
{
    setFlags(ItemIsSelectable | ItemSendsGeometryChanges);
    m_preservedZValue = zValue();
    m_preservedPosition = pos();
    m_raiseEventImage = sharedSvgPixmap(QStringLiteral(":/images/event_raise_orange.svg"));
    m_listenEventImage = sharedSvgPixmap(QStringLiteral(":/images/event_listen_green.svg"));
}

KvSeqMediaItem::~KvSeqMediaItem() = default;

KvSeqMediaItem* KvSeqMediaItem::getInstance()
{
    // Made once, on first use, and kept for the whole process.
    static KvSeqMediaItem* const instance = new KvSeqMediaItem(nullptr);
    return instance;
}

QRectF KvSeqMediaItem::boundingRect() const
{
    return QRectF(0.0, 0.0, m_width - 1.0, m_height);
}

void KvSeqMediaItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                           QWidget* widget)
{
    Q_UNUSED(option)
    Q_UNUSED(widget)
    const QRectF rect = boundingRect().translated(1.0, 0.0);

    if (m_uriDisabled) {
        if (m_disabledImage.isNull()) {
            const int side = qMax(EVENT_IMAGE_SIDE, int(rect.height()));
            m_disabledImage = QPixmap::fromImage(
                KvSvgReader::getImage(QStringLiteral(":/images/forbidden_red.svg"), side, side));
        }
    } else if (!m_disabledImage.isNull()) {
        m_disabledImage = QPixmap();
    }

    if (m_media && m_media->mediaType() == MediaType::Folder && m_thumbnail.isNull()) {
        m_thumbnail = KvSvgReader::getPixmap(QStringLiteral(":/images/folder_blue.svg"),
                                             QSize(THUMBNAIL_SIDE, THUMBNAIL_SIDE));
    }

    QString text;
    QString destination;
    if (m_media) {
        text = m_media->name().isEmpty() ? m_media->uri() : m_media->name();
        destination = m_media->destination();
    }
    const bool showDuration = m_seqScreen && m_seqScreen->showDuration();

    const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::Antialiasing, true);
    drawItem(painter, rect, backgroundColor(), text, foregroundColor(), &m_thumbnail,
             QColor(Qt::transparent), m_mouseHovered, isSelected(),
             showDuration ? &m_durationImage : nullptr, false, false,
             m_uriDisabled ? &m_disabledImage : nullptr, destination);

    // Separators at both ends; the neighbour's left line falls on this item's right one.
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(Qt::black));
    painter->drawLine(QPointF(0.0, 0.0), QPointF(0.0, rect.bottom()));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->setRenderHint(QPainter::Antialiasing, antialiased);
}

void KvSeqMediaItem::setWidth(double width)
{
    prepareGeometryChange();
    m_width = width;
}

void KvSeqMediaItem::setHeight(double height)
{
    prepareGeometryChange();
    m_height = height;
}

void KvSeqMediaItem::setSize(const QSizeF& size)
{
    prepareGeometryChange();
    m_width = size.width();
    m_height = size.height();
}

QRectF KvSeqMediaItem::originalRect() const
{
    return QRectF(m_preservedPosition, size());
}

void KvSeqMediaItem::setMedia(KvMedia* media)
{
    if (media == m_media) {
        return;
    }
    m_media = media;
    if (!m_media) {
        return;
    }
    const QString uri = m_media->uri();
    m_uriDisabled = !QFileInfo::exists(absoluteMediaPath(uri));
    if (m_uriDisabled) {
        emit mediaUriDisabled(uri);
    }
    setToolTip(uri.isEmpty() ? m_media->name() : uri);
    updatePluginPicture();
}

void KvSeqMediaItem::updatePluginPicture()
{
    if (!m_media || m_media->mediaType() != MediaType::Extended)
        return;
    const KvScreen* screen =
        m_seqScreen && m_seqScreen->screen() ? m_seqScreen->screen() : m_media->parent();
    // One plug-in object draws for every screen: it is handed this screen's state first.
    const auto plugin = KvEditorCommon::applyPluginState(screen);
    if (!plugin)
        return;
    const QImage picture =
        plugin->contentPicture(m_media->properties(), QSize(THUMBNAIL_SIDE, THUMBNAIL_SIDE));
    if (picture.isNull())
        return;
    m_thumbnail = QPixmap::fromImage(picture);
    update();
}

KvScreen* KvSeqMediaItem::dropTargetScreen() const
{
    return m_seqScreen ? m_seqScreen->screen() : nullptr;
}

QString KvSeqMediaItem::durationString() const
{
    return KvEditorCommon::getDurationString(m_duration, false);
}

void KvSeqMediaItem::setFileProperty(const KvThumbnail::FileProperty& property)
{
    m_fileProperty = property;
    updateDuration();
    updateDurationImage();
}

QPixmap KvSeqMediaItem::thumbnailImage() const
{
    return m_thumbnail;
}

void KvSeqMediaItem::setThumbnailImage(QPixmap& image)
{
    m_thumbnail = image;
    update();
}

QPixmap KvSeqMediaItem::raiseEventImage() const
{
    return m_raiseEventImage;
}

void KvSeqMediaItem::setRaiseEventImage(const QPixmap& image)
{
    m_raiseEventImage = image;
}

QPixmap KvSeqMediaItem::listenEventImage() const
{
    return m_listenEventImage;
}

void KvSeqMediaItem::setListenEventImage(const QPixmap& image)
{
    m_listenEventImage = image;
}

QPixmap KvSeqMediaItem::getGotoImage()
{
    if (m_gotoImage.isNull()) {
        m_gotoImage = QPixmap(QStringLiteral(":/images/goto_yellow.svg"));
    }
    return m_gotoImage;
}

QColor KvSeqMediaItem::backgroundColor() const
{
    if (!m_media) {
        return QColor(Qt::white);
    }
    switch (m_media->mediaType()) {
    case MediaType::Image:
        return QColor(144, 238, 144);
    case MediaType::Movie:
        return QColor(176, 196, 222);
    case MediaType::Flash:
        return QColor(255, 218, 185);
    case MediaType::Web:
        return QColor(65, 105, 225);
    case MediaType::Telop:
        return QColor(119, 136, 153);
    case MediaType::Folder:
        return QColor(255, 228, 90);
    case MediaType::Extended:
        return QColor(85, 85, 127);
    default:
        return QColor(Qt::white);
    }
}

QColor KvSeqMediaItem::foregroundColor() const
{
    return backgroundColor().value() < 199 ? QColor(Qt::white) : QColor(Qt::black);
}

int KvSeqMediaItem::sequenceIndex() const
{
    return m_seqScreen ? m_seqScreen->items().indexOf(const_cast<KvSeqMediaItem*>(this)) : -1;
}

int KvSeqMediaItem::sequenceNumber() const
{
    return m_seqScreen ? sequenceIndex() + 1 : 0;
}

void KvSeqMediaItem::updateAllFromMedia()
{
    if (!m_media || !m_seqScreen) {
        return;
    }
    const KnownFile file = knownFile(KvEditorConfig::getAbsolutePath(m_media->uri()));
    // An extended medium's picture is its plug-in's (updatePluginPicture).
    if (!file.thumbnail.isNull() && m_media->mediaType() != MediaType::Extended) {
        m_thumbnail = file.thumbnail;
    }

    setFileProperty(file.property);

    m_viewMode = m_seqScreen->viewMode();
    const double height =
        parentItem() ? parentItem()->boundingRect().height() : double(DEFAULT_HEIGHT);
    double width = FIXED_VIEW_WIDTH;
    if (m_viewMode == KvEditorCommon::TimeView) {
        width = m_duration > 0.0 ? m_duration * SECOND_PAR_PIXEL
                                 : UNKNOWN_TIME_VIEW_SECONDS * SECOND_PAR_PIXEL;
    }
    setSize(QSizeF(width, height));
    update();
}

void KvSeqMediaItem::updateMediaProperties(const KvMedia& media)
{
    if (!m_media) {
        return;
    }
    m_media->copyFrom(media);
    updateDuration();
    updateDurationImage();
}

void KvSeqMediaItem::updateDuration()
{
    if (!m_media) {
        return;
    }
    const double oldDuration = m_duration;
    switch (m_media->mediaType()) {
    case MediaType::Image:
    case MediaType::Flash:
    case MediaType::Web: {
        const double playing = m_media->playingDuration();
        m_duration = (m_media->detectTermination() || playing == 0.0) ? -1.0 : playing;
        break;
    }
    case MediaType::Movie:
        m_duration = getMovieDuration();
        break;
    case MediaType::Telop:
        m_duration = getTelopDuration();
        break;
    case MediaType::Folder:
        m_duration = getFolderDuration();
        break;
    default:
        // Durations of other media (plug-in media among them) are set from outside.
        break;
    }
    if (m_duration != oldDuration) {
        emit durationChanged();
    }
    updateToolTip();
}

void KvSeqMediaItem::updateDurationImage()
{
    // The pictures of a few durations serve every item of a timeline.
    const QString text = durationString();
    const QString key = QStringLiteral("kvseqduration:") + text;
    if (!QPixmapCache::find(key, &m_durationImage)) {
        m_durationImage = QPixmap::fromImage(KvEditorCommon::getDurationImage(text));
        QPixmapCache::insert(key, m_durationImage);
    }
}

void KvSeqMediaItem::updateWidth()
{
    if (m_viewMode == KvEditorCommon::TimeView) {
        const double seconds = m_duration > 0.0 ? m_duration : UNKNOWN_TIME_VIEW_SECONDS;
        setWidth(seconds * SECOND_PAR_PIXEL);
    } else {
        setWidth(FIXED_VIEW_WIDTH);
    }
}

void KvSeqMediaItem::updatePos()
{
    // The laid-out place wins over a slide still running from a drag.
    if (m_posAnimation) {
        m_posAnimation->stop();
        m_animating = false;
        setOpacity(1.0);
    }
    if (m_backwardItem) {
        setPos(m_backwardItem->x() + m_backwardItem->width(), m_backwardItem->y());
    } else {
        setPos(0.0, 0.0);
    }
    m_preservedPosition = pos();
}

void KvSeqMediaItem::preserveCurrentPosition()
{
    m_preservedPosition = pos();
}

void KvSeqMediaItem::restorePosition()
{
    setPos(m_preservedPosition);
}

void KvSeqMediaItem::moveBackPositionWithAnimation()
{
    const QPointF current = pos();
    if (qAbs(current.x() - m_preservedPosition.x()) <= 1e-12 &&
        qAbs(current.y() - m_preservedPosition.y()) <= 1e-12) {
        return;
    }
    startPosAnimation(current, m_preservedPosition, MOVE_BACK_MILLISECONDS);
}

void KvSeqMediaItem::startPosAnimation(const QPointF& from, const QPointF& to, int duration)
{
    if (m_posAnimation) {
        m_posAnimation->stop();
    }
    auto* animation = new QPropertyAnimation(this, "pos", this);
    m_posAnimation = animation;
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(duration);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation, &QPropertyAnimation::finished, this, &KvSeqMediaItem::animationFinished);
    m_animating = true;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

bool KvSeqMediaItem::isBlankThumbnail(const QPixmap& pixmap)
{
    if (pixmap.isNull()) {
        return false;
    }
    const QByteArray digest = blankDigest(pixmap);
    for (const QByteArray& blank : blankDigests()) {
        if (blank == digest) {
            return true;
        }
    }
    return false;
}

void KvSeqMediaItem::drawItem(QPainter* painter, const QRectF& rect, const QColor& backColor,
                              const QString& text, const QColor& foreColor,
                              const QPixmap* thumbnail, const QColor& markColor, bool hovered,
                              bool selected, const QPixmap* durationImage, bool raiseEvent,
                              bool listenEvent, const QPixmap* disabledImage,
                              const QString& destination)
{
    if (!painter) {
        return;
    }
    const QPen oldPen = painter->pen();
    const QBrush oldBrush = painter->brush();

    painter->setClipRect(rect.adjusted(-1.0, -1.0, 1.0, 1.0), Qt::ReplaceClip);
    painter->fillRect(rect, backColor);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);

    const bool hasThumbnail = isDisplayed(thumbnail);
    if (hasThumbnail) {
        painter->drawPixmap(QPointF(5.0, rect.center().y() - thumbnail->height() / 2.0),
                            *thumbnail);
    }

    if (markColor.isValid() && markColor.alpha() > 0) {
        painter->setPen(QPen(markColor, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        const int x = int(rect.left() + 3.0);
        painter->drawLine(QPoint(x, int(rect.top() + 4.0)), QPoint(x, int(rect.bottom() - 4.0)));
    }

    if (listenEvent || raiseEvent) {
        KvSeqMediaItem* instance = getInstance();
        if (listenEvent) {
            const QPixmap listen = instance->listenEventImage();
            painter->drawPixmap(
                QPointF(rect.right() - listen.width(), rect.bottom() - listen.height()), listen);
        }
        if (raiseEvent) {
            const QPixmap raise = instance->raiseEventImage();
            painter->drawPixmap(
                QPointF(rect.right() - 2.0 * raise.width(), rect.bottom() - raise.height()), raise);
        }
    }

    if (hovered || selected) {
        QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
        gradient.setColorAt(0.0, QColor(128, 128, 255, 0));
        gradient.setColorAt(1.0, QColor(128, 128, 255, selected ? 128 : 64));
        painter->fillRect(rect, gradient);
    }

    if (!text.isEmpty()) {
        const double left = (hasThumbnail ? thumbnail->width() : 0) + 6.0;
        const QRectF textRect =
            QRectF(left, rect.top(), rect.width() - left, rect.height()).adjusted(3, 3, -3, -3);
        painter->setPen(foreColor);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                          Path::getName(text, true));
    }

    if (isDisplayed(durationImage)) {
        painter->drawPixmap(QPointF(rect.right() - durationImage->width() - 1.0, rect.top() + 1.0),
                            *durationImage);
    }

    if (isDisplayed(disabledImage)) {
        painter->drawPixmap(QPoint(int((rect.width() - disabledImage->width()) * 0.5),
                                   int((rect.height() - disabledImage->height()) * 0.5)),
                            *disabledImage);
    }

    if (!destination.isEmpty()) {
        painter->save();
        QFont font = painter->font();
        font.setPointSizeF(9.0);
        painter->setFont(font);
        const QRect textBounds = QFontMetrics(font).boundingRect(destination);
        const QPixmap gotoImage = getInstance()->getGotoImage().scaledToHeight(
            textBounds.height(), Qt::SmoothTransformation);
        QRectF label(textBounds);
        label.setWidth(label.width() + gotoImage.width());
        label.moveLeft(2.0);
        label.moveBottom(rect.bottom() - 2.0);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0, 0, 0, 128));
        painter->drawRoundedRect(label, 3.0, 3.0);
        painter->drawPixmap(label.topLeft(), gotoImage);
        painter->setPen(QColor(Qt::yellow));
        painter->drawText(label.adjusted(gotoImage.width(), 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, destination);
        painter->restore();
    }

    if (selected) {
        painter->setPen(QPen(Qt::cyan, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.adjusted(1.0, 1.0, -1.0, -1.0));
    }

    painter->setPen(oldPen);
    painter->setBrush(oldBrush);
}

void KvSeqMediaItem::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    m_preservedZValue = zValue();
    if (event->button() == Qt::RightButton) {
        // Selected without touching the rest of the selection, for the context menu.
        setSelected(true);
        event->accept();
        return;
    }
    QGraphicsObject::mousePressEvent(event);
}

void KvSeqMediaItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsObject::mouseReleaseEvent(event);
}

void KvSeqMediaItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsObject::mouseDoubleClickEvent(event);
    emit mouseDoubleClicked(this);
}

QVariant KvSeqMediaItem::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemPositionChange && scene()) {
        QPointF position = value.toPointF();
        const double minY = parentItem() ? -parentItem()->y() : 0.0;
        position.setX(qMax(0.0, position.x()));
        position.setY(qMax(minY, position.y()));
        return position;
    }
    if (change == ItemSelectedChange && scene() && m_selectedValidation && value.toBool()) {
        // Media are selected within one row at a time.
        const QList<QGraphicsItem*> selected = scene()->selectedItems();
        for (QGraphicsItem* item : selected) {
            auto* other = qgraphicsitem_cast<KvSeqMediaItem*>(item);
            if (other && other != this && other->seqScreen() != m_seqScreen) {
                return QVariant(false);
            }
        }
    }
    return QGraphicsObject::itemChange(change, value);
}

void KvSeqMediaItem::animationFinished()
{
    m_animating = false;
    setZValue(m_preservedZValue);
    setOpacity(1.0);
}

double KvSeqMediaItem::getMovieDuration() const
{
    if (!m_media->detectTermination()) {
        const double playing = m_media->playingDuration();
        return playing > 0.0 ? playing : -1.0;
    }
    const double seconds = m_fileProperty.length / 1000.0;
    return seconds > 0.0 ? seconds : DEFAULT_MOVIE_SECONDS;
}

double KvSeqMediaItem::getTelopDuration() const
{
    if (!m_media || m_media->mediaType() != MediaType::Telop) {
        return -1.0;
    }
    if (m_media->playingDirection() == 1) {
        return m_media->playingDuration();
    }
    const KvScreen* screen = m_seqScreen ? m_seqScreen->screen() : nullptr;
    if (!screen) {
        return -1.0;
    }
    return KvTelopDuration::seconds(*m_media, screen->rect(),
                                    Path::combine(KvEditorConfig::dataDir(), m_media->uri()));
}

double KvSeqMediaItem::getFolderDuration() const
{
    const QFileInfo folder(absoluteMediaPath(m_media->uri()));
    if (!folder.isDir()) {
        return 0.0;
    }
    double seconds = 0.0;
    const QFileInfoList entries =
        QDir(folder.absoluteFilePath())
            .entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        const MediaType::MediaTypes type = KvExtension::getMediaType(entry.suffix());
        if (type != MediaType::Unknown && type != MediaType::Telop) {
            seconds += m_media->playingDuration();
        }
    }
    return seconds;
}

void KvSeqMediaItem::updateToolTip()
{
    // A row updates every item's duration after each change in it; most tooltips stay as
    // they were.
    const QString uri = m_media->uri();
    const QString& source = uri.isEmpty() ? m_media->name() : uri;
    if (m_toolTipMade && m_toolTipDuration == m_duration && m_toolTipSource == source) {
        return;
    }
    m_toolTipMade = true;
    m_toolTipDuration = m_duration;
    m_toolTipSource = source;
    setToolTip(QStringLiteral("%1\n[%2]")
                   .arg(source, KvEditorCommon::getDurationString(m_duration, false)));
}

void KvSeqMediaItem::forgetLookedUpFile(const QString& absolutePath)
{
    knownThisTurn().remove(absolutePath);
}

QPixmap KvSeqMediaItem::timelineThumbnail(const KvThumbnail::FileProperty& property,
                                          bool iconWhenMissing)
{
    // Many media of a stage often show the same few files: the picture made for one is kept
    // while the file and its thumbnail stay as they were.
    QString key;
    if (!property.stamp.isEmpty()) {
        key = QStringLiteral("kvseq:%1|%2|%3|%4")
                  .arg(property.thumbnailPath, property.stamp,
                       KvThumbnail::fileStamp(property.thumbnailPath))
                  .arg(iconWhenMissing ? 1 : 0);
        QPixmap cached;
        if (QPixmapCache::find(key, &cached)) {
            return cached;
        }
    }
    const QPixmap picture = QPixmap::fromImage(KvThumbnail::loadThumbnail(property.thumbnailPath));
    QPixmap thumbnail;
    if (isBlankThumbnail(picture) || (picture.isNull() && iconWhenMissing)) {
        thumbnail =
            KvFileSystemItem::getIcon(property.filePath).pixmap(THUMBNAIL_SIDE, THUMBNAIL_SIDE);
    } else if (!picture.isNull()) {
        thumbnail = picture.scaled(THUMBNAIL_SIDE, THUMBNAIL_SIDE, Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);
    }
    if (!key.isEmpty() && !thumbnail.isNull()) {
        QPixmapCache::insert(key, thumbnail);
    }
    return thumbnail;
}

} // namespace Kova
