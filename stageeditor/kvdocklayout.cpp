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

KvDockLayout::~KvDockLayout()
{
    destroyDocks(nullptr);
}

void KvDockLayout::destroyDocks(QObject* eventFilter)
{
    for (KvDockWidget* dock :
         {m_contentPreviewDock.data(), m_libraryDock.data(), m_sequenceDock.data(),
          m_stagePropertyDock.data(), m_screenPropertyDock.data()}) {
        if (!dock)
            continue;
        if (eventFilter)
            dock->removeEventFilter(eventFilter);
        delete dock;
    }
}

void KvDockLayout::createDocks(KvStageEditor* editor)
{
    if (!m_stagePropertyDock) {
        m_stagePropertyDock = new KvDockWidget(translated("Stage Property"));
        m_stagePropertyDock->setObjectName(QStringLiteral("StagePropertyDock"));
        m_stagePropertyWidget = new KvStagePropertyWidget(m_stagePropertyDock);
        m_stagePropertyDock->setWidget(m_stagePropertyWidget);
    }
    if (!m_screenPropertyDock) {
        m_screenPropertyDock = new KvDockWidget(translated("Screen Property"));
        m_screenPropertyDock->setObjectName(QStringLiteral("ScreenPropertyDock"));
        m_screenPropertyWidget = new KvScreenPropertyWidget(m_screenPropertyDock);
        m_screenPropertyDock->setWidget(m_screenPropertyWidget);
    }
    if (!m_contentPreviewDock) {
        m_contentPreviewDock = new KvDockWidget(translated("Content Preview"));
        m_contentPreviewDock->setObjectName(QStringLiteral("ContentPreviewDock"));
        m_contentPreviewWidget = new KvContentPreviewWidget(m_contentPreviewDock);
        m_contentPreviewDock->setWidget(m_contentPreviewWidget);
    }
    if (!m_libraryDock) {
        m_libraryDock = new KvDockWidget(translated("Library"));
        m_libraryDock->setObjectName(QStringLiteral("LibraryDock"));
        m_libraryWidget = new KvLibraryWidget(editor, m_libraryDock);
        m_libraryDock->setWidget(m_libraryWidget);
    }
    if (!m_sequenceDock) {
        m_sequenceDock = new KvDockWidget(translated("Sequence"));
        m_sequenceDock->setObjectName(QStringLiteral("SequenceDock"));
        m_sequenceContainer = new KvSequenceContainer(m_sequenceDock);
        m_sequenceDock->setWidget(m_sequenceContainer);
        m_sequenceDock->installEventFilter(editor);
    }
}

void KvDockLayout::attach(QMainWindow* mainWindow, KvStageWidget* stageWidget)
{
    if (!mainWindow)
        return;
    if (stageWidget && mainWindow->centralWidget() != stageWidget)
        mainWindow->setCentralWidget(stageWidget);
    const QList<QPair<KvDockWidget*, Qt::DockWidgetArea>> docks = {
        {m_stagePropertyDock, Qt::LeftDockWidgetArea},
        {m_screenPropertyDock, Qt::LeftDockWidgetArea},
        {m_contentPreviewDock, Qt::RightDockWidgetArea},
        {m_libraryDock, Qt::RightDockWidgetArea},
        {m_sequenceDock, Qt::BottomDockWidgetArea}};
    for (const auto& entry : docks) {
        if (entry.first && entry.first->parent() != mainWindow)
            mainWindow->addDockWidget(entry.second, entry.first);
    }
}

void KvDockLayout::changeDockSize(QMainWindow* mainWindow, KvDockWidget* dockWidget, int width,
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
    if (mainWindow && !dock->isFloating() &&
        mainWindow->dockWidgetArea(dock) != Qt::NoDockWidgetArea) {
        if (width > 0)
            mainWindow->resizeDocks({dock.data()}, {width}, Qt::Horizontal);
        if (height > 0)
            mainWindow->resizeDocks({dock.data()}, {height}, Qt::Vertical);
    }
    dock->setMinimumSize(minimum);
    dock->setMaximumSize(maximum);
}

QList<KvDockWidget*> KvDockLayout::docks() const
{
    QList<KvDockWidget*> docks;
    for (KvDockWidget* dock :
         {m_stagePropertyDock.data(), m_screenPropertyDock.data(), m_contentPreviewDock.data(),
          m_libraryDock.data(), m_sequenceDock.data()}) {
        if (dock)
            docks.append(dock);
    }
    return docks;
}

void KvDockLayout::store(QMainWindow* mainWindow, const QString& name)
{
    if (!mainWindow)
        return;
    for (KvDockWidget* dock : docks())
        KvEditorCommon::storeDockWidgetGeometry(dock, mainWindow);
    KvEditorCommon::storeTabifiedSettings(name, mainWindow);
}

void KvDockLayout::restore(QMainWindow* mainWindow, const QString& name)
{
    if (!mainWindow)
        return;
    QList<QDockWidget*> restored;
    for (KvDockWidget* dock : docks()) {
        KvEditorCommon::restoreDockWidgetGeometry(dock, mainWindow);
        restored.append(dock);
    }
    KvEditorCommon::reorderDockWidgets(restored, mainWindow);
    KvEditorCommon::restoreTabifiedSettings(name, mainWindow);
}

void KvDockLayout::deleteDock(QMainWindow* mainWindow, QObject* eventFilter,
                              QPointer<KvDockWidget>& dock, QWidget* inner)
{
    if (inner)
        inner->disconnect();
    if (!dock)
        return;
    dock->disconnect();
    dock->removeEventFilter(eventFilter);
    if (mainWindow)
        mainWindow->removeDockWidget(dock);
    dock->setParent(nullptr);
    dock->deleteLater();
    dock = nullptr;
}

void KvDockLayout::deleteDocks(QMainWindow* mainWindow, QObject* eventFilter)
{
    deleteDock(mainWindow, eventFilter, m_contentPreviewDock, m_contentPreviewWidget);
    m_contentPreviewWidget = nullptr;
    deleteDock(mainWindow, eventFilter, m_libraryDock, m_libraryWidget);
    m_libraryWidget = nullptr;
    deleteDock(mainWindow, eventFilter, m_sequenceDock, m_sequenceContainer);
    m_sequenceContainer = nullptr;
    deleteDock(mainWindow, eventFilter, m_stagePropertyDock, m_stagePropertyWidget);
    m_stagePropertyWidget = nullptr;
    deleteDock(mainWindow, eventFilter, m_screenPropertyDock, m_screenPropertyWidget);
    m_screenPropertyWidget = nullptr;
}

void KvDockLayout::toDefaultPosition(QMainWindow* mainWindow, KvStageWidget* stageWidget)
{
    const QList<KvDockWidget*> docks = {m_sequenceDock, m_libraryDock, m_contentPreviewDock,
                                        m_screenPropertyDock, m_stagePropertyDock};
    for (KvDockWidget* dock : docks) {
        if (!dock)
            continue;
        if (mainWindow)
            mainWindow->removeDockWidget(dock);
        dock->setParent(nullptr);
        dock->setFloating(false);
    }
    attach(mainWindow, stageWidget);
    // Shown once they are back inside the main window, so no dock flashes up as a window.
    for (KvDockWidget* dock : docks) {
        if (dock)
            dock->show();
    }
}

void KvDockLayout::applyDefaultSizes(QMainWindow* mainWindow)
{
    const KvStageEditor::DockSizes sizes =
        KvStageEditor::defaultDockSizes(mainWindow->geometry().height());
    changeDockSize(mainWindow, m_stagePropertyDock, 272, sizes.stageProperty);
    changeDockSize(mainWindow, m_screenPropertyDock, 272, sizes.screenProperty);
    changeDockSize(mainWindow, m_contentPreviewDock, 256, sizes.contentPreview);
    changeDockSize(mainWindow, m_libraryDock, 256, sizes.library);
    changeDockSize(mainWindow, m_sequenceDock, 512, sizes.sequence);
}

KvStagePropertyWidget* KvDockLayout::stagePropertyWidget() const
{
    return m_stagePropertyWidget;
}

KvScreenPropertyWidget* KvDockLayout::screenPropertyWidget() const
{
    return m_screenPropertyWidget;
}

KvContentPreviewWidget* KvDockLayout::contentPreviewWidget() const
{
    return m_contentPreviewWidget;
}

KvLibraryWidget* KvDockLayout::libraryWidget() const
{
    return m_libraryWidget;
}

KvSequenceContainer* KvDockLayout::sequenceContainer() const
{
    return m_sequenceContainer;
}

KvDockWidget* KvDockLayout::stagePropertyDock() const
{
    return m_stagePropertyDock;
}

KvDockWidget* KvDockLayout::screenPropertyDock() const
{
    return m_screenPropertyDock;
}

KvDockWidget* KvDockLayout::contentPreviewDock() const
{
    return m_contentPreviewDock;
}

KvDockWidget* KvDockLayout::libraryDock() const
{
    return m_libraryDock;
}

KvDockWidget* KvDockLayout::sequenceDock() const
{
    return m_sequenceDock;
}

} // namespace Kova
