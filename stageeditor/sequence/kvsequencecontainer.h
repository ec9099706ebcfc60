#pragma once

#include "kveditorcommon.h"
#include "kvmedia.h"
#include "kvmovedindex.h"
#include "kvpreservedevent.h"
#include "kvseqmediaitem.h"
#include "kvsequencewidget.h"
#include "kvstage.h"
#include "kvthumbnail.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QPoint>
#include <QStackedWidget>
#include <QStringList>

class QAction;
class QGraphicsScene;

namespace Kova {

class KvPreservedMedia;
class KvScreen;
class KvSeqScreen;
class KvPluginGuiInterface;

// The sequence dock's content: one timeline (KvSequenceWidget) per open stage, the current
// stage's on top. The editor talks to the current timeline through it, and it re-emits every
// timeline signal under the same name.
class KvSequenceContainer : public QStackedWidget
{
    Q_OBJECT
public:
    explicit KvSequenceContainer(QWidget* parent = nullptr);
    ~KvSequenceContainer() override;

    // Actions handed to every timeline: the view-menu actions (moves, property copy,
    // duration and view switches) and the raise-event actions (z-order and events).
    void setViewMenuActions(const QList<QAction*>& actions);
    QList<QAction*> viewMenuActions() const { return m_viewMenuActions; }
    void setRaiseEventActions(const QList<QAction*>& actions);
    QList<QAction*> raiseEventActions() const { return m_raiseEventActions; }

    KvStage* currentStage() const;
    KvSequenceWidget* currentSequenceWidget() const;
    KvSequenceWidget* sequenceWidget(const KvStage* stage) const;

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
    // Copies the selected media to the clipboard; with a cut list, also fills it with
    // the media to take away.
    void copyMedia(QList<KvPreservedMedia*>* cutList = nullptr);
    QList<KvPreservedMedia*> pasteMedia();
    bool canPasteMedia() const;
    bool canCopyMedia() const;
    bool hasSelectedMedia() const;

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
    void stageAdded(int index);
    void requestArrangeMenuOpenningCheckOnStage();
    void graphicsScenePurged(QList<QGraphicsScene*> sceneList);

public slots:
    int addStage(KvStage* stage);
    void removeStage(KvStage* stage);
    void setCurrentStage(KvStage* stage);
    void onStageAdded(int index);
    void takeGraphicsScene(const KvStage* stage, QGraphicsScene** scene);
    void takeAllGraphicsScenesAsList(QList<QGraphicsScene*>* sceneList);
    void onUndoKeyPressed();
    void copyMediaPropertyToOthers(const KvMedia* source, int destScreenId, QList<int> destIndices);

    // Applied to the current timeline.
    void onMainViewSizeChanged(QSize size);
    void onScreenSelectionChanged(QList<KvScreen*> screens);
    void setViewMode(KvEditorCommon::SequenceViewModes mode);
    // A file's thumbnail and property arrived: the timeline items of that file take them.
    void onFilePropertyUpdated(Kova::KvThumbnail::FileProperty property);
    void showMediaItemProperty(Kova::KvSeqMediaItem* item);
    void showCopyMediaItemProperty(Kova::KvSeqMediaItem* item);
    void restoreZValueSeqScreenLineItems(Kova::KvSeqScreenLineItem* exceptItem = nullptr);
    void clearSequenceMediaItemSelection();
    void clearLastHoveredItem();
    void moveSeqMediaItemToPreservedPos(Kova::KvSeqScreen* exceptScreen = nullptr);
    void correctScrollPosition();
    void correctSceneRect();
    void showMediaDuration(bool show);
    // Refreshes the durations of the rows of `screens`.
    void updateDuration(QList<KvScreen*>& screens);
    // Repaints the label column of the current timeline.
    void updateLabelAreaBackground(bool updateWidget = true);
    void changeViewToNormalView();
    void changeViewToTimeView();
    void showRaiseEventMenu();
    void showListenEventMenu();
    void checkMediaDisabledUris();
    void copyMediaPropertyExceptUri(const KvMedia* source, int dstScreenId,
                                    QList<int> dstMediaIndex, QMap<int, KvMedia*>* preservedMedia);
    void restoreMediaPropertyExceptUri(int screenId, QMap<int, KvMedia*>* sourceMediaList);

private slots:
    void r_changeScreenSelection(QList<KvScreen*> list);
    void r_sequenceLabelContextMenuRequested(QPoint pos);
    void r_sequenceMainViewContextMenuRequested(QPoint pos);
    void r_viewModeChanged(KvEditorCommon::SequenceViewModes mode);
    void r_requestUpdateFileProperty(QStringList& fileList);
    void r_updateMediaPropertiesRequested(KvSeqMediaItem* item, KvMedia media);
    void r_requestAddMedia(QList<KvPreservedMedia*>& mediaList);
    void r_mousePressed();
    void r_seqScreenActivated();
    void r_deleteKeyPressed();
    void r_requestArrangeMenuOpenningCheckOnSequence();
    void r_requestMoveSelectedMedia(int toScreenIndex, int toSequenceIndex, int basisScrIndex,
                                    int basisSeqIndex, bool* result);
    void r_updateLineItemWidth(double newWidth);
    void r_leftKeyPressedAtSeqMainView();
    void r_rightKeyPressedAtSeqMainView();
    void r_screenEventChanged(QList<KvPreservedEvent> preservedEvents);
    void r_requestEditEvent(KvScreen* sourceScreen, KvScreen* receiverScreen);
    void r_requestUsePluginGui(KvPluginGuiInterface* gui);
    void onGraphicsScenePurged(QGraphicsScene* scene);

private:
    void connectWidget(KvSequenceWidget* widget);
    // "Action_Show_Duration" checked as the widget shows durations; each view switch enabled
    // only outside its own mode.
    void updateViewActions(const KvSequenceWidget* widget);
    QAction* viewAction(const QString& name) const;

    QList<QAction*> m_viewMenuActions;
    QList<QAction*> m_raiseEventActions;
};

} // namespace Kova
