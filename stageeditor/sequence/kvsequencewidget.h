#pragma once

#include "kveditorcommon.h"
#include "kvmedia.h"
#include "kvmovedindex.h"
#include "kvpreservedevent.h"
#include "kvseqmediaitem.h"
#include "kvseqscreen.h"
#include "kvthumbnail.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>

class QAction;
class QGraphicsScene;
class QMenu;
class QMouseEvent;

namespace Kova {

class KvMediaPropertyDialog;
class KvPluginGuiInterface;
class KvPreservedMedia;
class KvRulerWidget;
class KvScreen;
class KvSeqLabelAreaWidget;
class KvSeqMainScene;
class KvSeqMainView;
class KvSeqScreenLineItem;
class KvStage;

// The timeline of one stage: a time ruler above, the row labels at the left and the main view
// with one row per screen, front-most screen on top. It keeps the rows in step with the
// stage's screens and the canvas selection, carries media selection, moves, copies and pastes,
// opens the media property dialogs and the event menus, and turns each user intention into a
// signal for the editor.
class KvSequenceWidget : public QWidget
{
    Q_OBJECT
public:
    explicit KvSequenceWidget(QWidget* parent = nullptr);
    ~KvSequenceWidget() override;

    void setStage(KvStage* stage) { m_stage = stage; }
    KvStage* stage() const { return m_stage; }
    void setViewActions(const QList<QAction*>& actions) { m_viewActions = actions; }
    QList<QAction*> viewActions() const { return m_viewActions; }
    void setRaiseEventActions(const QList<QAction*>& actions) { m_raiseEventActions = actions; }
    QList<QAction*> raiseEventActions() const { return m_raiseEventActions; }

    KvSeqMainScene* scene() const { return m_scene; }
    KvSeqMainView* view() const { return m_view; }
    KvSeqLabelAreaWidget* labelArea() const { return m_labelArea; }
    KvRulerWidget* ruler() const { return m_ruler; }
    const QList<KvSeqScreen*>& rows() const { return m_rows; }
    KvEditorCommon::SequenceViewModes viewMode() const { return m_viewMode; }
    bool showDuration() const { return m_showDuration; }
    double lineWidth() const { return m_lineWidth; }
    void recalculateLineWidth();
    QStringList disabledUris() const { return m_disabledUris; }
    const QList<KvMedia*>& clipboardMedia() const { return m_clipboardMedia; }

    // Detaches the scene (no parent, no view, no connections with this widget) and hands it
    // over; null when it is gone already.
    QGraphicsScene* takeGraphicsScene();

    void addScreenToSequence(QList<KvScreen*>& screens, bool selected, bool clearSelectionFirst);
    void removeScreensFromSequence(QList<KvScreen*>& screens,
                                   QMap<KvScreen*, QList<int>>* preservedSelection);
    void addMedia(QList<KvPreservedMedia*>& mediaList);
    void removeMedia(QList<QPair<int, int>>& indices, bool deleteMedia);
    void moveMedia(QList<KvMovedIndex>& entries);
    void updateMediaProperties(const KvMedia& media, int screenIndex, int sequenceIndex);
    void updateSequenceMediaItemSelection(const QMap<KvScreen*, QList<int>>& selection);
    QList<KvSeqMediaItem*> selectedMediaItems() const;
    QList<QPair<int, int>> selectedMediaIndices() const;
    void collectSelectedMedia(QList<KvPreservedMedia*>& list, bool copyMedia);
    int indexOfMediaItem(KvSeqMediaItem* item, int* screenIndex) const;
    KvSeqScreen* rowAt(int screenIndex) const;
    void copyMedia(QList<KvPreservedMedia*>* cutList = nullptr);
    QList<KvPreservedMedia*> pasteMedia();
    bool canPasteMedia() const;
    bool canCopyMedia() const;
    bool hasSelectedMedia() const;

    // The event menus of the current screen (the first selected row), made afresh on each call
    // and owned by the widget until the next call; null without a current screen.
    QMenu* buildRaiseEventMenu();
    QMenu* buildListenEventMenu();

signals:
    void changeScreenSelection(QList<KvScreen*> list);
    void sequenceLabelContextMenuRequested(QPoint pos);
    void sequenceMainViewContextMenuRequested(QPoint pos);
    void viewModeChanged(KvEditorCommon::SequenceViewModes mode);
    void requestUpdateFileProperty(QStringList& fileList);
    void updateMediaPropertiesRequested(KvSeqMediaItem* item, KvMedia media);
    void requestAddMedia(QList<KvPreservedMedia*>& mediaList);
    void mousePressed();
    void seqScreenActivated();
    void deleteKeyPressed();
    void undoKeyPressed();
    void requestArrangeMenuOpenningCheckOnSequence();
    void requestMoveSelectedMedia(int toScreenIndex, int toSequenceIndex, int basisScrIndex = -1,
                                  int basisSeqIndex = -1, bool* result = nullptr);
    void updateLineItemWidth(double newWidth);
    void leftKeyPressedAtSeqMainView();
    void rightKeyPressedAtSeqMainView();
    void screenEventChanged(QList<KvPreservedEvent> preservedEvents);
    void requestCopyMediaPropertyToOthers(const KvMedia* source, int destScreenId,
                                          QList<int> destIndices);
    void graphicsScenePurged(QGraphicsScene* scene);
    void requestEditEvent(KvScreen* sourceScreen = nullptr, KvScreen* receiverScreen = nullptr);
    void requestUsePluginGui(KvPluginGuiInterface* gui);

public slots:
    void onMainViewSizeChanged(QSize size);
    void onScreenSelectionChanged(QList<KvScreen*> screens);
    void setViewMode(KvEditorCommon::SequenceViewModes mode);
    void onFilePropertyUpdated(Kova::KvThumbnail::FileProperty property);
    void onRequestUpdateFileProperty(QStringList& fileList);
    void showMediaItemProperty(Kova::KvSeqMediaItem* item);
    void showCopyMediaItemProperty(Kova::KvSeqMediaItem* item);
    void onRequestAddMedia(QList<KvPreservedMedia*>& mediaList, Kova::KvSeqScreen* seqScreen);
    void onSeqScreenActivated();
    void onDeleteKeyPressed();
    void restoreZValueSeqScreenLineItems(Kova::KvSeqScreenLineItem* exceptItem = nullptr);
    void clearSequenceMediaItemSelection();
    void clearLastHoveredItem();
    void seqScreenExists(const Kova::KvSeqScreen* seqScreen, bool* exists);
    void moveSeqMediaItemToPreservedPos(Kova::KvSeqScreen* exceptScreen = nullptr);
    void correctScrollPosition();
    void correctSceneRect();
    void showMediaDuration(bool visible);
    void updateDuration(QList<KvScreen*>& screens);
    void updateDuration(QList<KvSeqScreen*>& rows);
    void onSeqScreenDurationChanged();
    void onSceneSelectionChanged();
    void changeViewToNormalView();
    void changeViewToTimeView();
    void showRaiseEventMenu();
    void showListenEventMenu();
    void raiseEventStartedActionTriggered(bool checked);
    void raiseEventFinishedActionTriggered(bool checked);
    void editRaiseEventActionTriggered();
    void editListenEventActionTriggered();
    void changeSelectedScreenRaiseEventByMenuChecked();
    void listenEventActionTriggered(QString objectName, bool checked);
    void changeSelectedScreenListenEventByMenuChecked(int raiseScreenId, bool checked);
    void updateLabelAreaBackground(bool updateWidget = true);
    void checkMediaDisabledUris();
    void copyMediaPropertyExceptUri(const KvMedia* source, int dstScreenId,
                                    QList<int> dstMediaIndex, QMap<int, KvMedia*>* preservedMedia);
    void restoreMediaPropertyExceptUri(int screenId, QMap<int, KvMedia*>* sourceMediaList);

private slots:
    void onLabelWidgetMousePressed(QMouseEvent* event);
    void onLabelWidgetMouseMoved(QMouseEvent* event);
    void onLabelWidgetLeaved();
    void onLabelWidgetContextMenuReqested(QPoint pos);
    void onMainViewContextMenuRequested(QPoint pos);
    void onMediaItemAdded(Kova::KvSeqMediaItem* item);
    void onMousePressed();
    void onMainViewMouseReleased();
    void onSeqMediaItemDropped(QPoint pos, Kova::KvSeqMediaItem* pressedItem,
                               bool* result = nullptr);
    void addMediaTest();
    void onSceneRectChanged(QRectF rect);
    void onMediaItemsWidthChanged(double oldWidth, double newWidth);
    void onLeftKeyPressedAtSeqMainView();
    void onRightKeyPressedAtSeqMainView();
    void onEnterKeyPressedAtSeqMainView();
    void onUndoKeyPressedAtSeqMainView();
    void onMediaUriDisabled(QString uri);

private:
    void arrangeRows(const QList<KvScreen*>& selectedScreens = {});
    void sortRows();
    KvSeqScreen* rowAtLabelY(int y) const;
    KvSeqScreen* rowAtViewPos(const QPoint& viewPos) const;
    KvSeqScreen* rowOfScreen(const KvScreen* screen) const;
    KvScreen* currentScreen() const;
    KvScreen* screenById(int id) const;
    // The view's last mouse release in scene coordinates.
    QPointF lastReleaseScenePos() const;
    void updateRowDuration(KvSeqScreen* row);
    void detachScene();
    static bool fileMissing(const KvSeqMediaItem* item);
    void showNotFound(const KvSeqMediaItem* item);
    void emitScreenEventChanges(const QList<KvPreservedEvent>& records);

    KvSeqMainScene* m_scene = nullptr;
    KvSeqMainView* m_view = nullptr;
    KvSeqLabelAreaWidget* m_labelArea = nullptr;
    KvRulerWidget* m_ruler = nullptr;
    QList<KvSeqScreen*> m_rows;
    KvSeqScreen* m_hoveredRow = nullptr;
    KvEditorCommon::SequenceViewModes m_viewMode = KvEditorCommon::NormalView;
    bool m_showDuration = false;
    QList<QAction*> m_viewActions;
    QList<QAction*> m_raiseEventActions;
    KvMediaPropertyDialog* m_mediaPropertyDialog = nullptr;
    QList<KvMedia*> m_clipboardMedia;
    QPointer<KvSeqMediaItem> m_lastAddedItem;
    double m_lineWidth = 0.0;
    KvStage* m_stage = nullptr;
    QStringList m_disabledUris;
    QStringList m_reportedUris;
    QRect m_copierDialogGeometry;
    QPointer<QMenu> m_eventMenu;
    QPointer<QAction> m_raiseStartAction;
    QPointer<QAction> m_raiseEndAction;
    bool m_ignoreSceneSelection = false;
    // Rows are being added: their durations are labelled once, when all are in.
    bool m_addingRows = false;
};

} // namespace Kova

// The plug-in GUI travels through the timeline's signals as a pointer only; connecting to those
// signals must not need its definition.
Q_DECLARE_OPAQUE_POINTER(Kova::KvPluginGuiInterface*)
