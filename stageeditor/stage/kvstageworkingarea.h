#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QPair>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <utility>

class QGraphicsScene;
class QUndoCommand;
class QUndoStack;

namespace Kova {

class KvMedia;
class KvPointLabelWidget;
class KvPreservedMedia;
class KvRulerWidget;
class KvScaleWidget;
class KvScreen;
class KvScreenItem;
class KvScreenSelectedHandle;
class KvStage;
class KvStageItem;
class KvStageScene;
class KvStageView;

// One stage tab: the stage view between two rulers, above a status bar with the zoom box
// and the pointer label. It owns the tab's scene, stage item, selection handle and undo
// stack, relays what happens on the canvas as its own signals, and carries out the stage
// widget's screen operations on its stage. Nothing here writes a screen while the user
// drags it: moves and resizes are committed by undo commands when the gesture ends, through
// selectedScreenMoved() and selectedScreenResized().
class KvStageWorkingArea : public QWidget
{
    Q_OBJECT
public:
    // Reads the undo-only media of a command (media that undoing it would bring back, such
    // as those of a media removal), for the file use test. Null entries are ignored.
    using UndoMediaReader = std::function<QList<KvMedia*>(const QUndoCommand* command)>;

    // Looks up the plug-in of a new extended screen: fills the plug-in's screen name and
    // its instance; false when the plug-in is missing or offers no extended screen.
    using ExtendedScreenPluginResolver =
        std::function<bool(const QString& pluginId, QString* screenName, QObject** plugin)>;

    // The tab takes the stage over: unless it has a QObject parent, the stage is deleted
    // (later) with the tab. Without a stage the tab shows a default one (512 x 288, dark
    // blue). dataFolder is where relative media and background paths start.
    explicit KvStageWorkingArea(KvStage* stage, QString dataFolder, QWidget* parent = nullptr);
    ~KvStageWorkingArea() override;

    KvStage* stage() const { return m_stage; }
    QUndoStack* undoStack() const { return m_undoStack; }
    KvStageView* view() const { return m_view; }
    // Null once the scene was taken away (takeScene).
    KvStageScene* scene() const { return m_scene; }
    KvStageItem* stageItem() const { return m_stageItem; }
    KvScreenSelectedHandle* selectedHandle() const { return m_handle; }
    KvScaleWidget* scaleWidget() const { return m_scaleWidget; }
    KvRulerWidget* horizontalRuler() const { return m_horizontalRuler; }
    KvRulerWidget* verticalRuler() const { return m_verticalRuler; }
    KvPointLabelWidget* pointLabel() const { return m_pointLabel; }
    QString dataFolder() const { return m_dataFolder; }
    // The copy of the stage as last saved (null when the tab was opened without a stage).
    KvStage* initialStage() const { return m_initialStage; }
    // Where the mouse was last pressed on the canvas, in scene coordinates.
    QPointF lastPressedScenePos() const { return m_lastPressedScenePos; }
    void setLastPressedScenePos(const QPointF& pos) { m_lastPressedScenePos = pos; }

    // Screens
    // Makes a screen of the given type (1 multimedia, 2 telop, 3 extended) with the
    // defaults of a new screen, adds it to the stage selected, and returns it; null on
    // failure. An empty rectangle centres a screen of the default size on the stage.
    KvScreen* createScreen(int type, const QRectF& rect = QRectF(),
                           const QString& pluginId = QString());
    // Puts screens that are not in the stage yet into its list (by z-index) and gives each
    // a selected item.
    void addScreenItems(const QList<KvScreen*>& screens);
    // Takes a screen out of the stage's list and deletes its item (not the screen).
    void removeScreenItem(KvScreen* screen);
    void clearScreenSelection();
    void selectScreenItem(const QList<KvScreen*>& screens, bool deselectOthers = true,
                          bool repaint = true);
    // The screens of the selected items, in the stage's (z-index) order.
    QList<KvScreen*> selectedScreens() const;
    QList<KvScreen*> screens() const;
    bool hasSelectedItem() const;
    bool hasLockedScreenItemInSelection() const;
    // The union of the selected screens' stored rectangles (null when nothing is
    // selected); rects, when given, receives each selected screen's stored rectangle.
    QRectF selectionRect(QMap<KvScreen*, QRectF>* rects = nullptr) const;

    // Commit helpers: write the dragged positions / sizes of the selected items into their
    // screens; return the previous top-lefts / rectangles of the screens that changed.
    QMap<KvScreen*, QPointF> selectedScreenMoved();
    QMap<KvScreen*, QRectF> selectedScreenResized();

    // Label text of the single selected item (nothing when not exactly one is selected).
    void setSelectedItemName(const QString& name);
    // Refresh the items of the given screens from the model and select exactly them.
    void updateScreenItemBackColor(const QList<KvScreen*>& screens);
    void updateScreenItemName(KvScreen* screen);
    void updateScreenItemPos(const QList<KvScreen*>& screens);
    void updateScreenItemRect(const QList<KvScreen*>& screens);
    // Items of the screens in the map take their screens' z-indexes; with select, the
    // items flagged true are selected and every other item is deselected.
    void updateScreenItemZIndex(const QMap<KvScreen*, bool>& selection, bool select = true);
    // Resynchronises the selection bookkeeping and the handle with the items.
    void updateSelectedHandle();

    // Unsaved state against the copy made at opening or at the last save.
    bool isStageChanged() const;
    void resetInitialStage();
    // Detaches the scene from the view and from this tab and hands it over (null when it
    // was taken already). The caller owns it.
    QGraphicsScene* takeScene();

    // Stage setters; each returns the previous value.
    QColor setStageBackgroundColor(const QColor& color);
    QString setStageBackgroundImage(const QString& path, bool* unchanged);
    unsigned int setStageOptions(unsigned int options);
    QPointF setStagePos(const QPointF& pos);
    QSizeF setStageSize(const QSizeF& size);
    // Only the drawn size of the stage item.
    void setStageItemSize(const QSizeF& size);

    // True when a medium of this tab's stage, or a medium that an undo on this tab would
    // bring back, uses one of the paths (a file, or anything inside a folder). found
    // receives the matching path and the stage's file path.
    bool isFileUsingInOpenedStage(const QStringList& paths, QPair<QString, QString>* found,
                                  Qt::CaseSensitivity caseSensitivity) const;
    // The reader of undo-only media, given by the tab's owner; without one only the
    // stage's own media count as used.
    void setUndoMediaReader(UndoMediaReader reader) { m_undoMediaReader = std::move(reader); }
    // The plug-in lookup for extended screens, given by the tab's owner; without one,
    // extended screens cannot be created.
    void setExtendedScreenPluginResolver(ExtendedScreenPluginResolver resolver)
    {
        m_extendedScreenPluginResolver = std::move(resolver);
    }

    // Whether files dragged onto a screen are taken as new media (requestAddMedia). Off by
    // default: such a drag is refused, nothing is highlighted and nothing is made.
    void setMediaDropEnabled(bool enabled);
    bool isMediaDropEnabled() const;

signals:
    void deleteKeyPressed();
    void screenMoved();
    void screenResized();
    void contextMenuRequired(QPoint pos);
    void screenSelectionChanged(KvStageWorkingArea* area);
    void selectedHandleRectChanged(QRectF rect);
    void mousePressed();
    void requestAddMedia(QList<KvPreservedMedia*>& mediaList, KvScreen* screen);
    void requestTabLabelNameToUnsavedState(QWidget* widget);
    void graphicsScenePurged(QGraphicsScene* scene);

public slots:
    void onDeleteKeyPressed();
    void onMouseReleased(QPointF pos = QPointF());
    void onScreenMoved();
    void onScreenResized();
    void onContextMenuRequired(QPoint pos);
    void onItemSelectionChanged();
    void onSelectedHandleRectChanged(QRectF rect);
    void onMainViewScaleRateChanged(double rate = 1.0);
    void changeSelectedItemsPos(QPointF pos);
    void commitSelectedItemsPos();
    void changeSelectedItemsSize(QSizeF size);
    void commitSelectedItemsSize();
    void onMousePressedOnMainViewScrollBar();
    void onSelectedItemsCountChanged(bool hasItem);
    void onRequestAddMedia(QList<KvPreservedMedia*>& mediaList, KvScreen* screen);
    int zoomRateAsPercent() const;
    double zoomRate() const;
    void setZoomRate(int percent);
    void setZoomRate(double rate);

private slots:
    void onStagePropertyChanged(bool clean = true);
    void onStagePropertyChanged(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Refreshes the screens' items (clearing the selection first, as each refresh selects its
    // item); after moves and resizes the scene's stored positions follow.
    void refreshScreenItems(const QList<KvScreen*>& screens, void (KvScreenItem::*refresh)(bool),
                            bool positionsChanged);
    void buildLayout();
    void connectScene();
    void disconnectScene();
    KvScreenItem* newScreenItem(KvScreen* screen);
    QList<KvScreenItem*> selectedScreenItems() const;
    QString absolutePathOf(const QString& path) const;
    static bool matchesPath(const QString& mediaPath, const QString& givenPath, bool givenIsFolder,
                            Qt::CaseSensitivity caseSensitivity);

    QUndoStack* m_undoStack = nullptr;
    KvStageView* m_view = nullptr;
    KvStageScene* m_scene = nullptr;
    KvStageItem* m_stageItem = nullptr;
    KvScreenSelectedHandle* m_handle = nullptr;
    KvScaleWidget* m_scaleWidget = nullptr;
    KvStage* m_stage = nullptr;
    KvStage* m_initialStage = nullptr;
    QPointF m_lastPressedScenePos;
    QString m_dataFolder;

    KvRulerWidget* m_horizontalRuler = nullptr;
    KvRulerWidget* m_verticalRuler = nullptr;
    KvPointLabelWidget* m_pointLabel = nullptr;

    UndoMediaReader m_undoMediaReader;
    ExtendedScreenPluginResolver m_extendedScreenPluginResolver;
};

} // namespace Kova
