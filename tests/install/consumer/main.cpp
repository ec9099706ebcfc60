// Creates the stage editor on a main window, the way a host application does, and checks
// that its menus, pictures and docks came with the installed package, and that the shipped
// plug-ins (and the one KOVA_EXAMPLE_PLUGIN_ID names, found through KOVA_PLUGIN_PATH) load. The
// package's headers are reached through their folder only, so names such as path.h stay off the
// include path.

#include <kova/kveditorconfig.h>
#include <kova/kvpluginextscreeninterface.h>
#include <kova/kvpluginloader.h>
#include <kova/kvseqmediaitem.h>
#include <kova/kvstageeditor.h>
#include <kova/kvthumbnail.h>

#if __has_include("path.h") || __has_include(<kvstageeditor.h>)
#error "the installed package puts its header folder itself on the include path"
#endif

#include <QApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream err(stderr);

    if (Kova::KvEditorConfig::dataDir().isEmpty()) {
        err << "no data folder\n";
        return 1;
    }
    QMainWindow window;
    window.resize(1200, 800);
    auto* editor = new Kova::KvStageEditor(&window);

    QMenu help(QStringLiteral("&Help"));
    help.setObjectName(QStringLiteral("Menu_Help"));
    editor->setHelpMenu(&help);
    const QList<QMenu*> menus = editor->menu();
    if (menus.count() != 7 || menus.last() != &help) {
        err << "unexpected menus: " << menus.count() << '\n';
        return 1;
    }
    if (QIcon(QStringLiteral(":/images/undo.png")).isNull()) {
        err << "the editor's pictures are missing\n";
        return 1;
    }
    if (!editor->stageWidget() || !editor->sequenceDock() || !editor->libraryDock()) {
        err << "the editor's widgets are missing\n";
        return 1;
    }
    delete editor;

    // The timeline's media block is part of the package, with its file property record.
    Kova::KvSeqMediaItem item(nullptr);
    Kova::KvThumbnail::FileProperty property;
    property.length = 3000;
    item.setFileProperty(property);
    if (item.boundingRect().width() != Kova::KvSeqMediaItem::FIXED_VIEW_WIDTH - 1 ||
        Kova::KvSeqMediaItem::SECOND_PAR_PIXEL != 4) {
        err << "unexpected media item geometry\n";
        return 1;
    }
    if (help.objectName() != QStringLiteral("Menu_Help"))
        return 1;

    Kova::KvPluginLoader::loadPlugin(QString(), QString(), QString());
    QStringList pluginIds{QStringLiteral("org.kova.clock"), QStringLiteral("org.kova.ticker")};
    if (qEnvironmentVariableIsSet("KOVA_EXAMPLE_PLUGIN_ID"))
        pluginIds.append(qEnvironmentVariable("KOVA_EXAMPLE_PLUGIN_ID"));
    for (const QString& id : pluginIds) {
        Kova::KvPluginExtScreenInterface* plugin =
            Kova::KvPluginLoader::pluginInfo(id).extScreenInterface();
        if (!plugin) {
            err << "the plug-in " << id << " did not load from "
                << Kova::KvPluginLoader::searchPaths().join(':') << '\n';
            return 1;
        }
        QImage image(64, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        plugin->paint(&painter, image.rect(), plugin->defaultState(), QVariant(), 0);
        painter.end();
        if (image.pixelColor(0, 0).alpha() == 0) {
            err << "the plug-in " << id << " drew nothing\n";
            return 1;
        }
    }
    return 0;
}
