#include "kvsequencecontainer.h"

#include "kvpreservedmedia.h"
#include "kvscreen.h"
#include "kvseqscreen.h"
#include "kvseqscreenlineitem.h"

#include <QAction>
#include <QGraphicsScene>
#include <QMetaMethod>
#include <QTimer>

namespace Kova {

namespace {

constexpr int MISSING_FILES_CHECK_DELAY_MS = 100;

} // namespace

KvSequenceContainer::KvSequenceContainer(QWidget* parent)
    : QStackedWidget(parent)
{
    setObjectName(QStringLiteral("SequenceContainer"));
    connect(this, &KvSequenceContainer::stageAdded, this, &KvSequenceContainer::onStageAdded,
            Qt::QueuedConnection);
}

KvSequenceContainer::~KvSequenceContainer()
{
    // The timelines go first, while the container can still relay their scenes.
    while (count() > 0) {
        QWidget* page = widget(0);
        removeWidget(page);
        delete page;
    }
}

void KvSequenceContainer::setViewMenuActions(const QList<QAction*>& actions)
{
    m_viewMenuActions = actions;
    for (int i = 0; i < count(); ++i) {
        if (auto* sequence = qobject_cast<KvSequenceWidget*>(widget(i)))
            sequence->setViewActions(actions);
    }
    updateViewActions(currentSequenceWidget());
}

void KvSequenceContainer::setRaiseEventActions(const QList<QAction*>& actions)
{
    m_raiseEventActions = actions;
    for (int i = 0; i < count(); ++i) {
        if (auto* sequence = qobject_cast<KvSequenceWidget*>(widget(i)))
            sequence->setRaiseEventActions(actions);
    }
}

KvSequenceWidget* KvSequenceContainer::currentSequenceWidget() const
{
    return dynamic_cast<KvSequenceWidget*>(currentWidget());
}

KvSequenceWidget* KvSequenceContainer::sequenceWidget(const KvStage* stage) const
{
    if (!stage)
        return nullptr;
    for (int i = 0; i < count(); ++i) {
        auto* sequence = qobject_cast<KvSequenceWidget*>(widget(i));
        if (sequence && sequence->stage() == stage)
            return sequence;
    }
    return nullptr;
}

KvStage* KvSequenceContainer::currentStage() const
{
    const KvSequenceWidget* sequence = currentSequenceWidget();
    return sequence ? sequence->stage() : nullptr;
}

QAction* KvSequenceContainer::viewAction(const QString& name) const
{
    for (QAction* action : m_viewMenuActions) {
        if (action && action->objectName() == name)
            return action;
    }
    return nullptr;
}

void KvSequenceContainer::updateViewActions(const KvSequenceWidget* widget)
{
    if (!widget)
        return;
    if (QAction* action = viewAction(QStringLiteral("Action_Show_Duration")))
        action->setChecked(widget->showDuration());
    if (QAction* action = viewAction(QStringLiteral("Action_Normal_View")))
        action->setEnabled(widget->viewMode() != KvEditorCommon::NormalView);
    if (QAction* action = viewAction(QStringLiteral("Action_Time_View")))
        action->setEnabled(widget->viewMode() != KvEditorCommon::TimeView);
}

// ---- Stages -------------------------------------------------------------------------------

int KvSequenceContainer::addStage(KvStage* stage)
{
    if (!stage)
        return -1;
    if (KvSequenceWidget* existing = sequenceWidget(stage))
        return indexOf(existing);
    auto* sequence = new KvSequenceWidget;
    sequence->setStage(stage);
    sequence->setViewActions(m_viewMenuActions);
    sequence->setRaiseEventActions(m_raiseEventActions);
    connectWidget(sequence);
    // The rows of the screens the stage has already.
    QList<KvScreen*> screens = stage->screenList();
    sequence->addScreenToSequence(screens, false, false);
    const int index = addWidget(sequence);
    updateViewActions(sequence);
    QTimer::singleShot(MISSING_FILES_CHECK_DELAY_MS, sequence,
                       &KvSequenceWidget::checkMediaDisabledUris);
    emit stageAdded(index);
    return index;
}

void KvSequenceContainer::connectWidget(KvSequenceWidget* widget)
{
    using W = KvSequenceWidget;
    using C = KvSequenceContainer;
    connect(widget, &W::changeScreenSelection, this, &C::r_changeScreenSelection);
    connect(widget, &W::sequenceLabelContextMenuRequested, this,
            &C::r_sequenceLabelContextMenuRequested);
    connect(widget, &W::sequenceMainViewContextMenuRequested, this,
            &C::r_sequenceMainViewContextMenuRequested);
    connect(widget, &W::viewModeChanged, this, &C::r_viewModeChanged);
    connect(widget, &W::requestUpdateFileProperty, this, &C::r_requestUpdateFileProperty);
    connect(widget, &W::updateMediaPropertiesRequested, this, &C::r_updateMediaPropertiesRequested);
    connect(widget, &W::requestAddMedia, this, &C::r_requestAddMedia);
    connect(widget, &W::mousePressed, this, &C::r_mousePressed);
    connect(widget, &W::seqScreenActivated, this, &C::r_seqScreenActivated);
    connect(widget, &W::deleteKeyPressed, this, &C::r_deleteKeyPressed);
    connect(widget, &W::undoKeyPressed, this, &C::onUndoKeyPressed);
    connect(widget, &W::requestArrangeMenuOpenningCheckOnSequence, this,
            &C::r_requestArrangeMenuOpenningCheckOnSequence);
    connect(widget, &W::requestMoveSelectedMedia, this, &C::r_requestMoveSelectedMedia);
    connect(widget, &W::updateLineItemWidth, this, &C::r_updateLineItemWidth);
    connect(widget, &W::leftKeyPressedAtSeqMainView, this, &C::r_leftKeyPressedAtSeqMainView);
    connect(widget, &W::rightKeyPressedAtSeqMainView, this, &C::r_rightKeyPressedAtSeqMainView);
    connect(widget, &W::screenEventChanged, this, &C::r_screenEventChanged);
    connect(widget, &W::requestCopyMediaPropertyToOthers, this, &C::copyMediaPropertyToOthers);
    connect(widget, &W::graphicsScenePurged, this, &C::onGraphicsScenePurged);
    connect(widget, &W::requestEditEvent, this, &C::r_requestEditEvent);
    connect(widget, &W::requestUsePluginGui, this, &C::r_requestUsePluginGui);
}

void KvSequenceContainer::removeStage(KvStage* stage)
{
    KvSequenceWidget* sequence = sequenceWidget(stage);
    if (!sequence)
        return;
    removeWidget(sequence);
    sequence->deleteLater();
}

void KvSequenceContainer::setCurrentStage(KvStage* stage)
{
    KvSequenceWidget* sequence = sequenceWidget(stage);
    if (!sequence)
        return;
    setCurrentWidget(sequence);
    emit requestArrangeMenuOpenningCheckOnSequence();
    emit requestArrangeMenuOpenningCheckOnStage();
    updateViewActions(sequence);
}

void KvSequenceContainer::onStageAdded(int index)
{
    if (auto* sequence = qobject_cast<KvSequenceWidget*>(widget(index)))
        sequence->recalculateLineWidth();
}

void KvSequenceContainer::takeGraphicsScene(const KvStage* stage, QGraphicsScene** scene)
{
    KvSequenceWidget* sequence = sequenceWidget(stage);
    QGraphicsScene* taken = sequence ? sequence->takeGraphicsScene() : nullptr;
    if (scene)
        *scene = taken;
    else
        delete taken;
}

void KvSequenceContainer::takeAllGraphicsScenesAsList(QList<QGraphicsScene*>* sceneList)
{
    for (int i = 0; i < count(); ++i) {
        auto* sequence = qobject_cast<KvSequenceWidget*>(widget(i));
        QGraphicsScene* taken = sequence ? sequence->takeGraphicsScene() : nullptr;
        if (!taken)
            continue;
        if (sceneList)
            sceneList->append(taken);
        else
            delete taken;
    }
}

void KvSequenceContainer::onGraphicsScenePurged(QGraphicsScene* scene)
{
    static const QMetaMethod purged = QMetaMethod::fromSignal(
        qOverload<QGraphicsScene*>(&KvSequenceContainer::graphicsScenePurged));
    if (isSignalConnected(purged))
        emit graphicsScenePurged(scene);
    else
        delete scene; // nobody takes it over
}

void KvSequenceContainer::onUndoKeyPressed()
{
    emit undoKeyPressed();
}

void KvSequenceContainer::copyMediaPropertyToOthers(const KvMedia* source, int destScreenId,
                                                    QList<int> destIndices)
{
    emit requestCopyMediaPropertyToOthers(source, destScreenId, destIndices);
}

// ---- Operations on the current timeline ----------------------------------------------------

void KvSequenceContainer::addScreenToSequence(QList<KvScreen*>& screens, bool selected,
                                              bool clearSelectionFirst)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->addScreenToSequence(screens, selected, clearSelectionFirst);
}

void KvSequenceContainer::removeScreensFromSequence(QList<KvScreen*>& screens,
                                                    QMap<KvScreen*, QList<int>>* preservedSelection)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->removeScreensFromSequence(screens, preservedSelection);
}

void KvSequenceContainer::addMedia(QList<KvPreservedMedia*>& mediaList)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->addMedia(mediaList);
}

void KvSequenceContainer::removeMedia(QList<QPair<int, int>>& indices, bool deleteMedia)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->removeMedia(indices, deleteMedia);
}

void KvSequenceContainer::moveMedia(QList<KvMovedIndex>& entries)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->moveMedia(entries);
}

void KvSequenceContainer::updateMediaProperties(const KvMedia& media, int screenIndex,
                                                int sequenceIndex)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->updateMediaProperties(media, screenIndex, sequenceIndex);
}

void KvSequenceContainer::updateSequenceMediaItemSelection(
    const QMap<KvScreen*, QList<int>>& selection)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->updateSequenceMediaItemSelection(selection);
}

QList<KvSeqMediaItem*> KvSequenceContainer::selectedMediaItems() const
{
    const KvSequenceWidget* sequence = currentSequenceWidget();
    return sequence ? sequence->selectedMediaItems() : QList<KvSeqMediaItem*>();
}

QList<QPair<int, int>> KvSequenceContainer::selectedMediaIndices() const
{
    const KvSequenceWidget* sequence = currentSequenceWidget();
    return sequence ? sequence->selectedMediaIndices() : QList<QPair<int, int>>();
}

void KvSequenceContainer::collectSelectedMedia(QList<KvPreservedMedia*>& list, bool copyMedia)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->collectSelectedMedia(list, copyMedia);
}

int KvSequenceContainer::indexOfMediaItem(KvSeqMediaItem* item, int* screenIndex) const
{
    if (const KvSequenceWidget* sequence = currentSequenceWidget())
        return sequence->indexOfMediaItem(item, screenIndex);
    if (screenIndex)
        *screenIndex = -1;
    return -1;
}

KvSeqScreen* KvSequenceContainer::rowAt(int screenIndex) const
{
    const KvSequenceWidget* sequence = currentSequenceWidget();
    return sequence ? sequence->rowAt(screenIndex) : nullptr;
}

void KvSequenceContainer::copyMedia(QList<KvPreservedMedia*>* cutList)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->copyMedia(cutList);
}

QList<KvPreservedMedia*> KvSequenceContainer::pasteMedia()
{
    KvSequenceWidget* sequence = currentSequenceWidget();
    return sequence ? sequence->pasteMedia() : QList<KvPreservedMedia*>();
}

bool KvSequenceContainer::canPasteMedia() const
{
    const KvSequenceWidget* sequence = currentSequenceWidget();
    return sequence && sequence->canPasteMedia();
}

bool KvSequenceContainer::canCopyMedia() const
{
    const KvSequenceWidget* sequence = currentSequenceWidget();
    return sequence && sequence->canCopyMedia();
}

bool KvSequenceContainer::hasSelectedMedia() const
{
    const KvSequenceWidget* sequence = currentSequenceWidget();
    return sequence && sequence->hasSelectedMedia();
}

void KvSequenceContainer::onMainViewSizeChanged(QSize size)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->onMainViewSizeChanged(size);
}

void KvSequenceContainer::onScreenSelectionChanged(QList<KvScreen*> screens)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->onScreenSelectionChanged(screens);
}

void KvSequenceContainer::setViewMode(KvEditorCommon::SequenceViewModes mode)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->setViewMode(mode);
}

void KvSequenceContainer::onFilePropertyUpdated(KvThumbnail::FileProperty property)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->onFilePropertyUpdated(property);
}

void KvSequenceContainer::showMediaItemProperty(KvSeqMediaItem* item)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->showMediaItemProperty(item);
}

void KvSequenceContainer::showCopyMediaItemProperty(KvSeqMediaItem* item)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->showCopyMediaItemProperty(item);
}

void KvSequenceContainer::restoreZValueSeqScreenLineItems(KvSeqScreenLineItem* exceptItem)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->restoreZValueSeqScreenLineItems(exceptItem);
}

void KvSequenceContainer::clearSequenceMediaItemSelection()
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->clearSequenceMediaItemSelection();
}

void KvSequenceContainer::clearLastHoveredItem()
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->clearLastHoveredItem();
}

void KvSequenceContainer::moveSeqMediaItemToPreservedPos(KvSeqScreen* exceptScreen)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->moveSeqMediaItemToPreservedPos(exceptScreen);
}

void KvSequenceContainer::correctScrollPosition()
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->correctScrollPosition();
}

void KvSequenceContainer::correctSceneRect()
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->correctSceneRect();
}

void KvSequenceContainer::showMediaDuration(bool show)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget()) {
        sequence->showMediaDuration(show);
        updateViewActions(sequence);
    }
}

void KvSequenceContainer::updateDuration(QList<KvScreen*>& screens)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->updateDuration(screens);
}

void KvSequenceContainer::updateLabelAreaBackground(bool updateWidget)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->updateLabelAreaBackground(updateWidget);
}

void KvSequenceContainer::changeViewToNormalView()
{
    if (KvSequenceWidget* sequence = currentSequenceWidget()) {
        sequence->changeViewToNormalView();
        updateViewActions(sequence);
    }
}

void KvSequenceContainer::changeViewToTimeView()
{
    if (KvSequenceWidget* sequence = currentSequenceWidget()) {
        sequence->changeViewToTimeView();
        updateViewActions(sequence);
    }
}

void KvSequenceContainer::showRaiseEventMenu()
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->showRaiseEventMenu();
}

void KvSequenceContainer::showListenEventMenu()
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->showListenEventMenu();
}

void KvSequenceContainer::checkMediaDisabledUris()
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->checkMediaDisabledUris();
}

void KvSequenceContainer::copyMediaPropertyExceptUri(const KvMedia* source, int dstScreenId,
                                                     QList<int> dstMediaIndex,
                                                     QMap<int, KvMedia*>* preservedMedia)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->copyMediaPropertyExceptUri(source, dstScreenId, dstMediaIndex, preservedMedia);
}

void KvSequenceContainer::restoreMediaPropertyExceptUri(int screenId,
                                                        QMap<int, KvMedia*>* sourceMediaList)
{
    if (KvSequenceWidget* sequence = currentSequenceWidget())
        sequence->restoreMediaPropertyExceptUri(screenId, sourceMediaList);
}

// ---- Relays -------------------------------------------------------------------------------

void KvSequenceContainer::r_changeScreenSelection(QList<KvScreen*> list)
{
    emit changeScreenSelection(list);
}

void KvSequenceContainer::r_sequenceLabelContextMenuRequested(QPoint pos)
{
    emit sequenceLabelContextMenuRequested(pos);
}

void KvSequenceContainer::r_sequenceMainViewContextMenuRequested(QPoint pos)
{
    emit sequenceMainViewContextMenuRequested(pos);
}

void KvSequenceContainer::r_viewModeChanged(KvEditorCommon::SequenceViewModes mode)
{
    emit viewModeChanged(mode);
}

void KvSequenceContainer::r_requestUpdateFileProperty(QStringList& fileList)
{
    emit requestUpdateFileProperty(fileList);
}

void KvSequenceContainer::r_updateMediaPropertiesRequested(KvSeqMediaItem* item, KvMedia media)
{
    emit updateMediaPropertiesRequested(item, media);
}

void KvSequenceContainer::r_requestAddMedia(QList<KvPreservedMedia*>& mediaList)
{
    emit requestAddMedia(mediaList);
}

void KvSequenceContainer::r_mousePressed()
{
    emit mousePressed();
}

void KvSequenceContainer::r_seqScreenActivated()
{
    emit seqScreenActivated();
}

void KvSequenceContainer::r_deleteKeyPressed()
{
    emit deleteKeyPressed();
}

void KvSequenceContainer::r_requestArrangeMenuOpenningCheckOnSequence()
{
    emit requestArrangeMenuOpenningCheckOnSequence();
}

void KvSequenceContainer::r_requestMoveSelectedMedia(int toScreenIndex, int toSequenceIndex,
                                                     int basisScrIndex, int basisSeqIndex,
                                                     bool* result)
{
    emit requestMoveSelectedMedia(toScreenIndex, toSequenceIndex, basisScrIndex, basisSeqIndex,
                                  result);
}

void KvSequenceContainer::r_updateLineItemWidth(double newWidth)
{
    emit updateLineItemWidth(newWidth);
}

void KvSequenceContainer::r_leftKeyPressedAtSeqMainView()
{
    emit leftKeyPressedAtSeqMainView();
}

void KvSequenceContainer::r_rightKeyPressedAtSeqMainView()
{
    emit rightKeyPressedAtSeqMainView();
}

void KvSequenceContainer::r_screenEventChanged(QList<KvPreservedEvent> preservedEvents)
{
    emit screenEventChanged(preservedEvents);
}

void KvSequenceContainer::r_requestEditEvent(KvScreen* sourceScreen, KvScreen* receiverScreen)
{
    emit requestEditEvent(sourceScreen, receiverScreen);
}

void KvSequenceContainer::r_requestUsePluginGui(KvPluginGuiInterface* gui)
{
    emit requestUsePluginGui(gui);
}

} // namespace Kova
