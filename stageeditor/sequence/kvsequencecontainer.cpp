#include "kvsequencecontainer.h"

namespace Kova {

KvSequenceContainer::KvSequenceContainer(QWidget* parent)
    : QStackedWidget(parent)
{
    setObjectName(QStringLiteral("SequenceContainer"));
}

KvSequenceContainer::~KvSequenceContainer() = default;

void KvSequenceContainer::setViewMenuActions(const QList<QAction*>& actions)
{
    m_viewMenuActions = actions;
}

void KvSequenceContainer::setRaiseEventActions(const QList<QAction*>& actions)
{
    m_raiseEventActions = actions;
}

void KvSequenceContainer::addScreenToSequence(QList<KvScreen*>&, bool, bool)
{
}

void KvSequenceContainer::removeScreensFromSequence(QList<KvScreen*>&,
                                                    QMap<KvScreen*, QList<int>>* preservedSelection)
{
    if (preservedSelection)
        preservedSelection->clear();
}

void KvSequenceContainer::addMedia(QList<KvPreservedMedia*>&)
{
}

void KvSequenceContainer::removeMedia(QList<QPair<int, int>>&, bool)
{
}

void KvSequenceContainer::updateMediaProperties(const KvMedia&, int, int)
{
}

void KvSequenceContainer::updateSequenceMediaItemSelection(const QMap<KvScreen*, QList<int>>&)
{
}

QList<KvSeqMediaItem*> KvSequenceContainer::selectedMediaItems() const
{
    return {};
}

QList<QPair<int, int>> KvSequenceContainer::selectedMediaIndices() const
{
    return {};
}

void KvSequenceContainer::collectSelectedMedia(QList<KvPreservedMedia*>&, bool)
{
}

int KvSequenceContainer::indexOfMediaItem(KvSeqMediaItem*, int* screenIndex) const
{
    if (screenIndex)
        *screenIndex = -1;
    return -1;
}

KvSeqScreen* KvSequenceContainer::rowAt(int) const
{
    return nullptr;
}

void KvSequenceContainer::copyMedia(QList<KvPreservedMedia*>*)
{
}

QList<KvPreservedMedia*> KvSequenceContainer::pasteMedia()
{
    return {};
}

bool KvSequenceContainer::canPasteMedia() const
{
    return false;
}

bool KvSequenceContainer::canCopyMedia() const
{
    return false;
}

bool KvSequenceContainer::hasSelectedMedia() const
{
    return false;
}

int KvSequenceContainer::addStage(KvStage* stage)
{
    if (!stage)
        return -1;
    m_currentStage = stage;
    return -1;
}

void KvSequenceContainer::removeStage(KvStage* stage)
{
    if (stage && stage == m_currentStage)
        m_currentStage = nullptr;
}

void KvSequenceContainer::setCurrentStage(KvStage* stage)
{
    m_currentStage = stage;
    emit requestArrangeMenuOpenningCheckOnSequence();
    emit requestArrangeMenuOpenningCheckOnStage();
}

void KvSequenceContainer::onStageAdded(int)
{
}

void KvSequenceContainer::takeGraphicsScene(const KvStage*, QGraphicsScene** scene)
{
    if (scene)
        *scene = nullptr;
}

void KvSequenceContainer::takeAllGraphicsScenesAsList(QList<QGraphicsScene*>*)
{
}

void KvSequenceContainer::onScreenSelectionChanged(QList<KvScreen*>)
{
}

void KvSequenceContainer::clearSequenceMediaItemSelection()
{
}

void KvSequenceContainer::clearLastHoveredItem()
{
}

void KvSequenceContainer::updateDuration(QList<KvScreen*>&)
{
}

void KvSequenceContainer::updateLabelAreaBackground(bool)
{
}

void KvSequenceContainer::showMediaDuration(bool)
{
}

void KvSequenceContainer::changeViewToNormalView()
{
}

void KvSequenceContainer::changeViewToTimeView()
{
}

void KvSequenceContainer::showRaiseEventMenu()
{
}

void KvSequenceContainer::showListenEventMenu()
{
}

void KvSequenceContainer::checkMediaDisabledUris()
{
}

void KvSequenceContainer::onFilePropertyUpdated(KvThumbnail::FileProperty)
{
}

} // namespace Kova
