#include "kvdatafolder.h"
#include "kveditorconfig.h"
#include "kvmainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using namespace Kova;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kova-editor"));
    QApplication::setOrganizationName(QStringLiteral("kova"));
    QApplication::setApplicationVersion(QStringLiteral(KOVA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QApplication::translate("main", "Kova Stage Editor: lays out digital-signage stages."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QApplication::translate("main", "Use DIR as the data folder (library, stages, trash)."),
        QApplication::translate("main", "DIR"));
    parser.addOption(dataDirOption);
    parser.process(app);

    QTextStream err(stderr);
    QString dataDir;
    if (parser.isSet(dataDirOption)) {
        dataDir = parser.value(dataDirOption);
        const QFileInfo info(dataDir);
        if (!info.isDir()) {
            err << QApplication::translate("main", "kova-editor: the data folder \"%1\" does not "
                                                   "exist or is not a folder.")
                       .arg(QDir::toNativeSeparators(dataDir))
                << '\n';
            return 2;
        }
        dataDir = info.absoluteFilePath();
    } else {
        // The user's own data folder, made from the bundled sample on first run, so the
        // sample itself is never edited.
        dataDir = KvEditorConfig::dataDir();
        QString error;
        if (!KvDataFolder::seed(dataDir, KvDataFolder::sampleFolder(), &error)) {
            err << "kova-editor: " << error << '\n';
            return 1;
        }
    }
    KvEditorConfig::setDataDir(dataDir);

    KvMainWindow window;
    window.start();
    window.show();
    return app.exec();
}
