#pragma once

#include <QImage>
#include <QList>
#include <QMap>
#include <QSharedPointer>
#include <QString>
#include <QVariant>

class QDockWidget;
class QMainWindow;
class QWidget;

namespace Kova {

class KvScreen;
class KvPluginGuiInterface;
class KvPluginExtScreenInterface;

// Constants and helpers shared by the suite's editors.
class KvEditorCommon
{
public:
    static const QString MIME_TYPE_SCREEN_OBJECT;
    static const QString MIME_TYPE_SCREEN_TYPE;
    static const QString MIME_TYPE_MEDIA_OBJECT;
    static const QString MIME_TYPE_URI;
    static const QString MIME_TYPE_FILE_OPERATION;
    static const QString FILE_OPERATION_COPY;
    static const QString FILE_OPERATION_CUT;

    enum Align {
        AlignLeft = 1,
        AlignHCenter = 2,
        AlignRight = 4,
        AlignTop = 8,
        AlignVCenter = 16,
        AlignBottom = 32
    };
    enum SequenceViewModes { NormalView = 0, TimeView = 1 };

    // Sort in place (stable); the result is at least the largest screen id in the list
    // (0 for an empty list).
    static int sortScreenByZIndexAscending(QList<KvScreen*>& screens);
    static int sortScreenByZIndexDescending(QList<KvScreen*>& screens);

    // A name not among namesInUse (values of the map; the entry of `id` itself is
    // ignored): `name` when free, else its stem (without a " (n)" suffix) followed by
    // " (2)", " (3)", ...
    static QString checkName(const QString& name, int id, const QMap<int, QString>& namesInUse);
    // The same with a map from name to id; the chosen name is entered into the map for
    // `id`, so that names chosen one after another do not clash. A null map: `name`.
    static QString checkName(const QString& name, int id, QMap<QString, int>* namesInUse);

    // "m:ss" below one hour, "h:mm:ss" from one hour on; "--:--" for an unknown
    // (negative) duration. With `plus` a "+" follows: the total is a lower bound
    // because some part of it is unknown.
    static QString getDurationString(double seconds, bool plus);
    // A small picture of the text (light text on a dark rounded plate) for the sequence
    // items and labels; a null image for an empty text.
    static QImage getDurationImage(const QString& text);

    // The extended-screen interface of the screen's plug-in object (KvScreen::plugin()),
    // sharing the object with the plug-in loader that made it; null for a screen without a
    // plug-in, with a plug-in the loader does not hold, or one that offers no extended screen.
    static QSharedPointer<KvPluginExtScreenInterface>
    getPluginExtScreenInterface(const KvScreen* screen);
    // The GUI interface of the screen's plug-in, or null. It answers for the screen whose
    // state was applied last (applyPluginState).
    static KvPluginGuiInterface* getPluginGuiInterface(const KvScreen* screen);
    // Hands the screen's state (KvScreen::toPluginScreen()) to its plug-in, so that the
    // plug-in's GUI interface, actions and pictures act on this screen; returns the
    // interface, null when the screen has none.
    static QSharedPointer<KvPluginExtScreenInterface> applyPluginState(const KvScreen* screen);
    // The screen takes its plug-in's current state (KvScreen::updatePropertyFromPlugin);
    // false without a plug-in.
    static bool updateScreenFromPlugin(KvScreen* screen);
    // The state of a new screen of the screen's plug-in; invalid without one.
    static QVariant defaultPluginState(const KvScreen* screen);

    // True when the platform can watch `path` (an existing file or folder) for changes.
    static bool tryInstallFileWatcher(const QString& path);
    // Opens the folder (the folder of a file) in the desktop's file manager; false when
    // the path does not exist or the desktop cannot open it.
    static bool openFolderWithShell(const QString& path, QWidget* parent);

    // Dock layout store, kept in the user's settings (KvEditorUserConfig). Each dock's
    // area, floating flag, visibility and geometry are kept in a group named after the
    // dock's object name; the tab groups of a main window in the group `name`. Missing
    // or unusable stored values leave the dock as it is. Docks without an object name
    // are neither stored nor restored.
    static void storeDockWidgetGeometry(QDockWidget* dock, QMainWindow* mainWindow);
    static void restoreDockWidgetGeometry(QDockWidget* dock, QMainWindow* mainWindow);
    static void storeTabifiedSettings(const QString& name, QMainWindow* mainWindow);
    static void restoreTabifiedSettings(const QString& name, QMainWindow* mainWindow);
    static void reorderDockWidgets(const QList<QDockWidget*>& docks, QMainWindow* mainWindow);
};

} // namespace Kova
