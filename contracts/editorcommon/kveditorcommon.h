#pragma once

#include <QImage>
#include <QList>
#include <QMap>
#include <QString>

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
    // ignored): `name` when free, else name followed by " (2)", " (3)", ...
    static QString checkName(const QString& name, int id, const QMap<int, QString>& namesInUse);

    // "h:mm:ss" (hours omitted when zero unless alwaysShowHours).
    static QString getDurationString(double seconds, bool alwaysShowHours);
    // A small picture of the text for the sequence labels.
    static QImage getDurationImage(const QString& text);

    // Null without a plug-in.
    static KvPluginGuiInterface* getPluginGuiInterface(const KvScreen* screen);
    static KvPluginExtScreenInterface* getPluginExtScreenInterface(const KvScreen* screen);

    // True when the platform can watch `path` for changes.
    static bool tryInstallFileWatcher(const QString& path);
    // Opens the folder in the desktop's file manager; false when it cannot.
    static bool openFolderWithShell(const QString& path, QWidget* parent);

    // Dock layout store, kept in the user's settings (KvEditorUserConfig).
    static void storeDockWidgetGeometry(QDockWidget* dock, QMainWindow* mainWindow);
    static void restoreDockWidgetGeometry(QDockWidget* dock, QMainWindow* mainWindow);
    static void storeTabifiedSettings(const QString& name, QMainWindow* mainWindow);
    static void restoreTabifiedSettings(const QString& name, QMainWindow* mainWindow);
    static void reorderDockWidgets(const QList<QDockWidget*>& docks, QMainWindow* mainWindow);
};

} // namespace Kova
