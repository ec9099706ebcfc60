#pragma once
// Test helper: deleting an editor and its main window when a test ends.

#include "kvstageeditor.h"
#include "kvstagewidget.h"
#include "kvstageworkingarea.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>

#include <memory>

namespace Kova::Test {

// Tabs left open are taken as saved, so nothing asks on the way out; what the editor deletes
// later is gone when this returns.
inline void discardEditor(std::unique_ptr<KvStageEditor>& editor,
                          std::unique_ptr<QMainWindow>& window)
{
    if (editor && editor->stageWidget()) {
        for (KvStageWorkingArea* area : editor->stageWidget()->stageWorkingAreaList())
            area->resetInitialStage();
    }
    editor.reset();
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace Kova::Test
