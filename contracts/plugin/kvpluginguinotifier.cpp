#include "kvpluginguinotifier.h"

namespace Kova {

KvPluginGuiNotifier::KvPluginGuiNotifier(QObject* parent)
    : QObject(parent)
{
    // Queued connections and signal spies need the argument types by name.
    qRegisterMetaType<QList<int>>("QList<int>");
    qRegisterMetaType<QMap<int, QVariant>>("QMap<int,QVariant>");
}

KvPluginGuiNotifier::~KvPluginGuiNotifier() = default;

} // namespace Kova
