#include "kveditorwiring.h"

#include "kvcontentpreviewwidget.h"
#include "kvlibrarywidget.h"
#include "kvscreen.h"
#include "kvscreenpropertywidget.h"
#include "kvsequencecontainer.h"
#include "kvstageeditor.h"
#include "kvstagepropertywidget.h"
#include "kvstagewidget.h"

#include <QGraphicsScene>

namespace Kova {

void KvEditorWiring::connectStageWidget(KvStageEditor& editor)
{
    KvStageWidget* sw = editor.stageWidget();
    QObject::connect(sw, &KvStageWidget::requestAddMedia, &editor, &KvStageEditor::action_addMedia);
    QObject::connect(sw, &KvStageWidget::closeButtonTriggerd, &editor,
                     &KvStageEditor::action_closeStageEditor, Qt::QueuedConnection);
    QObject::connect(&editor, &KvStageEditor::requestSetCurrentStageTab, sw,
                     &KvStageWidget::setCurrentStageTab, Qt::QueuedConnection);
}

void KvEditorWiring::connectPanels(KvStageEditor& editor)
{
    KvStageWidget* sw = editor.stageWidget();
    KvScreenPropertyWidget* screenProperty = editor.screenPropertyWidget();
    KvStagePropertyWidget* stageProperty = editor.stagePropertyWidget();
    KvSequenceContainer* sequence = editor.sequenceContainer();
    KvLibraryWidget* library = editor.libraryWidget();
    KvContentPreviewWidget* preview = editor.contentPreviewWidget();
    if (!sw || !screenProperty || !stageProperty || !sequence || !library || !preview)
        return;

    // Stage widget to the panels.
    QObject::connect(sw, &KvStageWidget::screenSelectionChanged, screenProperty,
                     &KvScreenPropertyWidget::onScreenSelectionChanged);
    QObject::connect(sw, &KvStageWidget::screenSelectionChanged, sequence,
                     &KvSequenceContainer::onScreenSelectionChanged);
    QObject::connect(sw, &KvStageWidget::selectedRectChanged, screenProperty,
                     &KvScreenPropertyWidget::onPositionAndSizeValueChanged);
    QObject::connect(sw, qOverload<KvStage*>(&KvStageWidget::currentStageTabChanged), stageProperty,
                     &KvStagePropertyWidget::onCurrentStageChanged);
    QObject::connect(sw, qOverload<KvStage*>(&KvStageWidget::currentStageTabChanged), sequence,
                     &KvSequenceContainer::setCurrentStage);
    QObject::connect(sw, &KvStageWidget::stageTabClosed, sequence,
                     &KvSequenceContainer::removeStage);
    QObject::connect(sw, &KvStageWidget::takeGraphicsSceneFromSequenceWidget, sequence,
                     &KvSequenceContainer::takeGraphicsScene);

    // Screen property panel.
    QObject::connect(screenProperty, &KvScreenPropertyWidget::positionValueChanged, sw,
                     &KvStageWidget::changeSelectedItemsPos);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::sizeValueChanged, sw,
                     &KvStageWidget::changeSelectedItemsSize);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::positionValueChangingCommitted, sw,
                     &KvStageWidget::action_selectedScreenMoved);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::sizeValueChangingCommitted, sw,
                     &KvStageWidget::action_selectedScreenResized);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::backgroundColorValueChanged, &editor,
                     &KvStageEditor::action_changeSelectedScreenBackColor);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::lockedValueChanged, &editor,
                     &KvStageEditor::action_changeSelectedScreenLocked);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::graphicsTypeValueChanged, &editor,
                     &KvStageEditor::action_changeSelectedScreenGraphicsType);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::moviePlayerTypeValueChanged, &editor,
                     &KvStageEditor::action_changeSelectedScreenMoviePlayerType);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::flashPlayerTypeValueChanged, &editor,
                     &KvStageEditor::action_changeSelectedScreenFlashPlayerType);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::webBrowserTypeValueChanged, &editor,
                     &KvStageEditor::action_changeSelectedScreenWebBrowserType);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::nameValueChanged, sw,
                     &KvStageWidget::setSelectedItemName);
    QObject::connect(screenProperty, &KvScreenPropertyWidget::nameValueChangingFinished, &editor,
                     &KvStageEditor::action_changeSelectedScreenName);

    // Stage property panel.
    QObject::connect(stageProperty, &KvStagePropertyWidget::stageBackColorPicked, &editor,
                     &KvStageEditor::action_changeStageBackColor);
    QObject::connect(stageProperty, &KvStagePropertyWidget::stageSizeValueChangingCommitted,
                     &editor, &KvStageEditor::action_changeStageSize);
    QObject::connect(stageProperty, &KvStagePropertyWidget::stageBackImageValueChanged, &editor,
                     &KvStageEditor::action_changeStageImage);
    QObject::connect(stageProperty, &KvStagePropertyWidget::stagePosValueChangingCommitted, &editor,
                     &KvStageEditor::action_changeStagePos);
    QObject::connect(stageProperty, &KvStagePropertyWidget::stageOptionValueChanged, &editor,
                     &KvStageEditor::action_changeStageOptions);
    QObject::connect(stageProperty, &KvStagePropertyWidget::stageSizeValueChanged, sw,
                     &KvStageWidget::setStageItemSize);
    QObject::connect(stageProperty, &KvStagePropertyWidget::openStageBackImagePicker, &editor,
                     &KvStageEditor::showStageBackImagePicker);

    // Sequence container.
    QObject::connect(sequence, &KvSequenceContainer::changeScreenSelection, &editor,
                     &KvStageEditor::changeScreenSelection);
    QObject::connect(sequence, &KvSequenceContainer::sequenceLabelContextMenuRequested, &editor,
                     &KvStageEditor::showSequenceLabelContextMenu);
    QObject::connect(sequence, &KvSequenceContainer::sequenceMainViewContextMenuRequested, &editor,
                     &KvStageEditor::showSequenceMainViewContextMenu);
    // Files that joined the timeline get thumbnails unless they have one already.
    QObject::connect(sequence, &KvSequenceContainer::requestUpdateFileProperty, &editor,
                     [&editor](QStringList& files) { editor.createThumbnail(files, false); });
    QObject::connect(sequence, &KvSequenceContainer::updateMediaPropertiesRequested, &editor,
                     &KvStageEditor::action_updateMediaProperties);
    QObject::connect(sequence, &KvSequenceContainer::requestAddMedia, &editor,
                     &KvStageEditor::action_addMedia);
    QObject::connect(sequence, &KvSequenceContainer::deleteKeyPressed, &editor,
                     &KvStageEditor::action_remove);
    QObject::connect(sequence, &KvSequenceContainer::undoKeyPressed, &editor,
                     &KvStageEditor::action_undo);
    QObject::connect(sequence, &KvSequenceContainer::requestArrangeMenuOpenningCheckOnSequence,
                     &editor, &KvStageEditor::arrangeMenuOpenningCheckOnSequence);
    QObject::connect(sequence, &KvSequenceContainer::requestArrangeMenuOpenningCheckOnStage,
                     &editor, &KvStageEditor::arrangeMenuOpenningCheckOnStage);
    QObject::connect(sequence, &KvSequenceContainer::requestMoveSelectedMedia, &editor,
                     &KvStageEditor::action_moveSelectedMedia);
    QObject::connect(sequence, &KvSequenceContainer::leftKeyPressedAtSeqMainView, &editor,
                     &KvStageEditor::action_moveSelectedMediaToPrevious);
    QObject::connect(sequence, &KvSequenceContainer::rightKeyPressedAtSeqMainView, &editor,
                     &KvStageEditor::action_moveSelectedMediaToNext);
    QObject::connect(sequence, &KvSequenceContainer::screenEventChanged, &editor,
                     &KvStageEditor::onScreenEventChanged);
    QObject::connect(sequence, &KvSequenceContainer::requestCopyMediaPropertyToOthers, &editor,
                     &KvStageEditor::action_copyMediaPropertyToOthers);
    QObject::connect(sequence, &KvSequenceContainer::requestEditEvent, &editor,
                     &KvStageEditor::action_editEvent);

    // Library panel.
    QObject::connect(library, &KvLibraryWidget::itemSingleSelected, preview,
                     &KvContentPreviewWidget::showPreview);
    QObject::connect(library, &KvLibraryWidget::itemNotSingleSelected, preview,
                     &KvContentPreviewWidget::switchToDefaultShowing);
    QObject::connect(library, &KvLibraryWidget::contentDragStarted, preview,
                     &KvContentPreviewWidget::switchToDefaultShowing);
    QObject::connect(library, &KvLibraryWidget::inquireUsingFile, &editor,
                     &KvStageEditor::checkUsingFileForRenaming);
    QObject::connect(library, &KvLibraryWidget::fileRenamed, &editor,
                     &KvStageEditor::action_renameFile);
    // The library panel connects its model's drops to the editor's library slots itself: it
    // rebuilds its model on a refresh.
}

} // namespace Kova
