#pragma once

#include "kveditorcommon.h"
#include "kvmedia.h"
#include "kvpreservedevent.h"
#include "kvseqmediaitem.h"
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
class KvSeqMediaItem;
class KvSeqScreen;
class KvPluginGuiInterface;

// The sequence dock's content: the stacked place for the timelines of the open stages.
// It holds no timeline pages, so every query answers "nothing" and every command does
// nothing; it keeps the shared actions it is handed and offers the signals the editor
// listens to.
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

    KvStage* currentStage() const { return m_currentStage; }

    void addScreenToSequence(QList<KvScreen*>& screens, bool selected, bool clearSelectionFirst);
    void removeScreensFromSequence(QList<KvScreen*>& screens,
                                   QMap<KvScreen*, QList<int>>* preservedSelection);
    void addMedia(QList<KvPreservedMedia*>& mediaList);
    void removeMedia(QList<QPair<int, int>>& indices, bool deleteMedia);
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
    void onScreenSelectionChanged(QList<KvScreen*> screens);
    void clearSequenceMediaItemSelection();
    void clearLastHoveredItem();
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
    // A file's thumbnail and property arrived: the timeline items of that file take them.
    void onFilePropertyUpdated(Kova::KvThumbnail::FileProperty property);

private:
    QList<QAction*> m_viewMenuActions;
    QList<QAction*> m_raiseEventActions;
    KvStage* m_currentStage = nullptr;
};

} // namespace Kova

// The plug-in GUI travels through the container's signals as a pointer only; connecting to
// those signals must not need its definition. The media item is complete (included above):
// it is a QObject, and its pointer type is registered as one.
Q_DECLARE_OPAQUE_POINTER(Kova::KvPluginGuiInterface*)
