#pragma once

#include <QAction>
#include <QList>
#include <QRect>
#include <QtPlugin>

namespace Kova {

class KvPluginGuiNotifier;

// The editing side of an extended-screen plug-in (KvPluginExtScreenInterface::guiInterface()).
// It answers for the screen of the state applied last. The actions belong to the plug-in: a
// host shows them in its menus while they are open and never deletes them. When an action
// changed the screen, the plug-in reports it through notifier() and the host turns the
// report into an undoable edit.
class KvPluginGuiInterface
{
public:
    virtual ~KvPluginGuiInterface();

    // Whether the screen may be copied (and pasted as a new screen of the same state).
    virtual bool canCopyScreen() const = 0;
    // Whether screenActions() has anything to show.
    virtual bool hasScreenActions() const = 0;
    // Actions a host adds to its Screen menu and screen context menu.
    virtual QList<QAction*> screenActions() = 0;
    // Whether the screen's contents may be copied (and their properties copied to others).
    virtual bool canCopyContents() const = 0;
    // Whether showContentProperty() shows anything.
    virtual bool canShowContentProperty() const = 0;
    // Whether sequenceActions() has anything to show.
    virtual bool hasSequenceActions() const = 0;
    // Actions a host adds to its Sequence menu and timeline context menu.
    virtual QList<QAction*> sequenceActions() = 0;
    // The object that emits screenValuesUpdated(int,QList<int>) and
    // requestAddContents(int,QMap<int,QVariant>); owned by the plug-in, never null.
    virtual KvPluginGuiNotifier* notifier() = 0;
    // Shows the properties of the content at `sequenceIndex` of the screen, near
    // `globalRect` (the content's block on the screen, in global coordinates).
    virtual void showContentProperty(int sequenceIndex, const QRect& globalRect) = 0;
};

} // namespace Kova

#define KvPluginGuiInterface_iid "org.kova.KvPluginGuiInterface/1.0"
Q_DECLARE_INTERFACE(Kova::KvPluginGuiInterface, KvPluginGuiInterface_iid)
