#include "kvlibrarywidget.h"

#include <QMenu>
#include <QVBoxLayout>

namespace Kova {

KvLibraryWidget::KvLibraryWidget(KvStageEditor* editor, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("LibraryWidget"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);
}

KvLibraryWidget::~KvLibraryWidget() = default;

void KvLibraryWidget::addLibraryActionsToMenu(QMenu* menu)
{
    if (!menu)
        return;
    connect(menu, &QMenu::aboutToShow, this, &KvLibraryWidget::onMenuToShow, Qt::UniqueConnection);
}

void KvLibraryWidget::saveSettings()
{
}

void KvLibraryWidget::adjustWidgetSize()
{
}

void KvLibraryWidget::onMenuToShow()
{
}

void KvLibraryWidget::onContentDragStarted()
{
    emit contentDragStarted();
}

void KvLibraryWidget::onInquireUsingFile(QString path, bool* ok, bool* notReady)
{
    emit inquireUsingFile(path, ok, notReady);
}

} // namespace Kova
