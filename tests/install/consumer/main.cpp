// Creates the stage editor on a main window, the way a host application does, and checks
// that its menus, pictures and docks came with the installed package. The package's headers
// are reached through their folder only, so names such as path.h stay off the include path.

#include <kova/kveditorconfig.h>
#include <kova/kvstageeditor.h>

#if __has_include("path.h") || __has_include(<kvstageeditor.h>)
#error "the installed package puts its header folder itself on the include path"
#endif

#include <QApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
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
    if (help.objectName() != QStringLiteral("Menu_Help"))
        return 1;
    return 0;
}
