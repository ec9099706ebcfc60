#include "kvmenuaction.h"

namespace Kova {

KvMenuAction::KvMenuAction(QObject* parent)
    : QAction(parent)
{
    connectTrigger();
}

KvMenuAction::KvMenuAction(const QString& text, QObject* parent)
    : QAction(text, parent)
{
    connectTrigger();
}

KvMenuAction::KvMenuAction(const QString& text, const QString& objectName, QObject* parent)
    : QAction(text, parent)
{
    setObjectName(objectName);
    connectTrigger();
}

KvMenuAction::KvMenuAction(const QIcon& icon, const QString& text, const QString& objectName,
                           QObject* parent)
    : QAction(icon, text, parent)
{
    setObjectName(objectName);
    connectTrigger();
}

void KvMenuAction::connectTrigger()
{
    connect(this, &QAction::triggered, this, &KvMenuAction::onTriggered);
}

void KvMenuAction::onTriggered(bool checked)
{
    emit triggered(objectName(), checked);
}

} // namespace Kova
