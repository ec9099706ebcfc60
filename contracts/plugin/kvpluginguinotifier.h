#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QVariant>

namespace Kova {

// The signals of a plug-in's GUI interface (KvPluginGuiInterface::notifier()). A plug-in
// owns one and emits them; a host connects to them once per GUI interface.
class KvPluginGuiNotifier : public QObject
{
    Q_OBJECT
public:
    explicit KvPluginGuiNotifier(QObject* parent = nullptr);
    ~KvPluginGuiNotifier() override;

signals:
    // The plug-in changed the state of screen `screenId` (it holds the new state already,
    // KvPluginExtScreenInterface::state()); `seqIndexList` names the contents whose
    // pictures changed with it (empty: none).
    void screenValuesUpdated(int screenId, QList<int> seqIndexList);
    // The plug-in asks to add contents to screen `screenId`: each key is the sequence index
    // of a new content, each value its description (a QVariantMap that KvMedia::updateProperty
    // takes: "name", "playingDuration", ... and the plug-in's own keys). A host adds them in
    // ascending key order as one undoable step.
    void requestAddContents(int screenId, QMap<int, QVariant> contents);
};

} // namespace Kova
