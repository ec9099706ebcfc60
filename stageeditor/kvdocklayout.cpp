#include "kvdocklayout.h"

#include "kvcontentpreviewwidget.h"
#include "kvdockwidget.h"
#include "kveditorcommon.h"
#include "kvlibrarywidget.h"
#include "kvscreenpropertywidget.h"
#include "kvsequencecontainer.h"
#include "kvstageeditor.h"
#include "kvstagepropertywidget.h"
#include "kvstagewidget.h"

#include <QCoreApplication>
#include <QMainWindow>

namespace Kova {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("Kova::KvStageEditor", text);
}

} // namespace

void KvDockLayout::createDocks(KvStageEditor& editor)
{
    if (!editor.m_stagePropertyDock) {
        editor.m_stagePropertyDock = new KvDockWidget(translated("Stage Property"));
        editor.m_stagePropertyDock->setObjectName(QStringLiteral("StagePropertyDock"));
        editor.m_stagePropertyWidget = new KvStagePropertyWidget(editor.m_stagePropertyDock);
        editor.m_stagePropertyDock->setWidget(editor.m_stagePropertyWidget);
    }
    if (!editor.m_screenPropertyDock) {
        editor.m_screenPropertyDock = new KvDockWidget(translated("Screen Property"));
        editor.m_screenPropertyDock->setObjectName(QStringLiteral("ScreenPropertyDock"));
        editor.m_screenPropertyWidget = new KvScreenPropertyWidget(editor.m_screenPropertyDock);
        editor.m_screenPropertyDock->setWidget(editor.m_screenPropertyWidget);
    }
    if (!editor.m_contentPreviewDock) {
        editor.m_contentPreviewDock = new KvDockWidget(translated("Content Preview"));
        editor.m_contentPreviewDock->setObjectName(QStringLiteral("ContentPreviewDock"));
        editor.m_contentPreviewWidget = new KvContentPreviewWidget(editor.m_contentPreviewDock);
        editor.m_contentPreviewDock->setWidget(editor.m_contentPreviewWidget);
    }
    if (!editor.m_libraryDock) {
        editor.m_libraryDock = new KvDockWidget(translated("Library"));
        editor.m_libraryDock->setObjectName(QStringLiteral("LibraryDock"));
        editor.m_libraryWidget = new KvLibraryWidget(&editor, editor.m_libraryDock);
        editor.m_libraryDock->setWidget(editor.m_libraryWidget);
        QObject::connect(editor.m_libraryDock, &KvDockWidget::dockFloatingChanged, &editor,
                         &KvStageEditor::dockWidgetFloatingChanged, Qt::QueuedConnection);
    }
    if (!editor.m_sequenceDock) {
        editor.m_sequenceDock = new KvDockWidget(translated("Sequence"));
        editor.m_sequenceDock->setObjectName(QStringLiteral("SequenceDock"));
        editor.m_sequenceContainer = new KvSequenceContainer(editor.m_sequenceDock);
        editor.m_sequenceDock->setWidget(editor.m_sequenceContainer);
        editor.m_sequenceDock->installEventFilter(&editor);
        QObject::connect(editor.m_sequenceDock, &KvDockWidget::dockFloatingChanged, &editor,
                         &KvStageEditor::dockWidgetFloatingChanged, Qt::QueuedConnection);
    }
}

void KvDockLayout::attach(KvStageEditor& editor)
{
    if (!editor.m_mainWindow)
        return;
    if (editor.m_stageWidget && editor.m_mainWindow->centralWidget() != editor.m_stageWidget)
        editor.m_mainWindow->setCentralWidget(editor.m_stageWidget);
    const QList<QPair<KvDockWidget*, Qt::DockWidgetArea>> docks = {
        {editor.m_stagePropertyDock, Qt::LeftDockWidgetArea},
        {editor.m_screenPropertyDock, Qt::LeftDockWidgetArea},
        {editor.m_contentPreviewDock, Qt::RightDockWidgetArea},
        {editor.m_libraryDock, Qt::RightDockWidgetArea},
        {editor.m_sequenceDock, Qt::BottomDockWidgetArea}};
    for (const auto& entry : docks) {
        if (entry.first && entry.first->parent() != editor.m_mainWindow)
            editor.m_mainWindow->addDockWidget(entry.second, entry.first);
    }
}

void KvDockLayout::changeDockSize(KvStageEditor& editor, KvDockWidget* dockWidget, int width,
                                  int height)
{
    QPointer<KvDockWidget> dock(dockWidget);
    if (!dock)
        return;
    const QSize minimum = dock->minimumSize();
    const QSize maximum = dock->maximumSize();
    if (width > 0) {
        if (dock->width() >= width)
            dock->setMaximumWidth(width);
        else
            dock->setMinimumWidth(width);
    }
    if (height > 0) {
        if (dock->height() >= height)
            dock->setMaximumHeight(height);
        else
            dock->setMinimumHeight(height);
    }
    // Let the main window lay the dock out at the forced size before it is released.
    QCoreApplication::processEvents();
    if (!dock)
        return;
    // The main window keeps the sizes of its dock areas on its own: tell it the forced
    // size too, or it returns to the old one as soon as the limits are released.
    if (editor.m_mainWindow && !dock->isFloating() &&
        editor.m_mainWindow->dockWidgetArea(dock) != Qt::NoDockWidgetArea) {
        if (width > 0)
            editor.m_mainWindow->resizeDocks({dock.data()}, {width}, Qt::Horizontal);
        if (height > 0)
            editor.m_mainWindow->resizeDocks({dock.data()}, {height}, Qt::Vertical);
    }
    dock->setMinimumSize(minimum);
    dock->setMaximumSize(maximum);
}

QList<KvDockWidget*> KvDockLayout::docks(const KvStageEditor& editor)
{
    QList<KvDockWidget*> docks;
    for (KvDockWidget* dock :
         {editor.m_stagePropertyDock.data(), editor.m_screenPropertyDock.data(),
          editor.m_contentPreviewDock.data(), editor.m_libraryDock.data(),
          editor.m_sequenceDock.data()}) {
        if (dock)
            docks.append(dock);
    }
    return docks;
}

void KvDockLayout::store(KvStageEditor& editor)
{
    if (!editor.m_mainWindow)
        return;
    for (KvDockWidget* dock : docks(editor))
        KvEditorCommon::storeDockWidgetGeometry(dock, editor.m_mainWindow);
    KvEditorCommon::storeTabifiedSettings(editor.objectName(), editor.m_mainWindow);
}

void KvDockLayout::restore(KvStageEditor& editor)
{
    if (!editor.m_mainWindow)
        return;
    QList<QDockWidget*> restored;
    for (KvDockWidget* dock : docks(editor)) {
        KvEditorCommon::restoreDockWidgetGeometry(dock, editor.m_mainWindow);
        restored.append(dock);
    }
    KvEditorCommon::reorderDockWidgets(restored, editor.m_mainWindow);
    KvEditorCommon::restoreTabifiedSettings(QStringLiteral("StageEditor"), editor.m_mainWindow);
}

void KvDockLayout::deleteDock(KvStageEditor& editor, QPointer<KvDockWidget>& dock, QWidget* inner)
{
    if (inner)
        inner->disconnect();
    if (!dock)
        return;
    dock->disconnect();
    dock->removeEventFilter(&editor);
    if (editor.m_mainWindow)
        editor.m_mainWindow->removeDockWidget(dock);
    dock->setParent(nullptr);
    dock->deleteLater();
    dock = nullptr;
}

void KvDockLayout::deleteWidgets(KvStageEditor& editor)
{
    deleteDock(editor, editor.m_contentPreviewDock, editor.m_contentPreviewWidget);
    editor.m_contentPreviewWidget = nullptr;
    deleteDock(editor, editor.m_libraryDock, editor.m_libraryWidget);
    editor.m_libraryWidget = nullptr;
    deleteDock(editor, editor.m_sequenceDock, editor.m_sequenceContainer);
    editor.m_sequenceContainer = nullptr;
    deleteDock(editor, editor.m_stagePropertyDock, editor.m_stagePropertyWidget);
    editor.m_stagePropertyWidget = nullptr;
    deleteDock(editor, editor.m_screenPropertyDock, editor.m_screenPropertyWidget);
    editor.m_screenPropertyWidget = nullptr;

    if (editor.m_stageWidget) {
        KvStageWidget* stageWidget = editor.m_stageWidget;
        stageWidget->disconnect();
        stageWidget->removeEventFilter(&editor);
        if (editor.m_mainWindow && editor.m_mainWindow->centralWidget() == stageWidget)
            editor.m_mainWindow->takeCentralWidget();
        stageWidget->setParent(nullptr);
        stageWidget->deleteLater();
        editor.m_stageWidget = nullptr;
    }
}

void KvDockLayout::toDefaultPosition(KvStageEditor& editor)
{
    const QList<KvDockWidget*> docks = {editor.m_sequenceDock, editor.m_libraryDock,
                                        editor.m_contentPreviewDock, editor.m_screenPropertyDock,
                                        editor.m_stagePropertyDock};
    for (KvDockWidget* dock : docks) {
        if (!dock)
            continue;
        if (editor.m_mainWindow)
            editor.m_mainWindow->removeDockWidget(dock);
        dock->setParent(nullptr);
        dock->setFloating(false);
    }
    attach(editor);
    // Shown once they are back inside the main window, so no dock flashes up as a window.
    for (KvDockWidget* dock : docks) {
        if (dock)
            dock->show();
    }
}

void KvDockLayout::applyDefaultSizes(KvStageEditor& editor)
{
    const KvStageEditor::DockSizes sizes =
        KvStageEditor::defaultDockSizes(editor.m_mainWindow->geometry().height());
    changeDockSize(editor, editor.m_stagePropertyDock, 272, sizes.stageProperty);
    changeDockSize(editor, editor.m_screenPropertyDock, 272, sizes.screenProperty);
    changeDockSize(editor, editor.m_contentPreviewDock, 256, sizes.contentPreview);
    changeDockSize(editor, editor.m_libraryDock, 256, sizes.library);
    changeDockSize(editor, editor.m_sequenceDock, 512, sizes.sequence);
}

} // namespace Kova
