#include "kvplayeroptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace Kova {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Kova::KvPlayerOptions", text);
}

} // namespace

bool KvPlayerOptions::parse(const QStringList& arguments)
{
    *this = KvPlayerOptions();
    QSet<QString> seen;
    bool play = false;
    for (int i = 0; i < arguments.count(); ++i) {
        const QString option = arguments.at(i);
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            if (arguments.count() != 1) {
                m_errorString = tr("%1 takes no other option").arg(option);
                return false;
            }
            m_mode = Help;
            return true;
        }
        static const QStringList textOptions{QStringLiteral("-s"), QStringLiteral("-u"),
                                             QStringLiteral("-d"), QStringLiteral("--check"),
                                             QStringLiteral("--snapshot")};
        static const QStringList boolOptions{QStringLiteral("-t"),  QStringLiteral("-ai"),
                                             QStringLiteral("-ss"), QStringLiteral("-a"),
                                             QStringLiteral("-pv"), QStringLiteral("-pp")};
        const bool isText = textOptions.contains(option);
        if (!isText && !boolOptions.contains(option)) {
            m_errorString = tr("unknown option \"%1\"").arg(option);
            return false;
        }
        if (seen.contains(option)) {
            m_errorString = tr("%1 is given twice").arg(option);
            return false;
        }
        seen.insert(option);
        if (i + 1 >= arguments.count()) {
            m_errorString = tr("%1 needs a value").arg(option);
            return false;
        }
        const QString value = arguments.at(++i);
        if (isText) {
            if (value.isEmpty()) {
                m_errorString = tr("%1 needs a value").arg(option);
                return false;
            }
            if (option == QLatin1String("-s")) {
                m_stageFile = value;
                play = true;
            } else if (option == QLatin1String("--check")) {
                m_stageFile = value;
                m_mode = Check;
            } else if (option == QLatin1String("-u")) {
                m_unitId = value;
            } else if (option == QLatin1String("--snapshot")) {
                m_snapshotFile = value;
            } else {
                m_dataDir = value;
            }
            continue;
        }
        if (value != QLatin1String("true") && value != QLatin1String("false")) {
            m_errorString = tr("%1 takes true or false, not \"%2\"").arg(option, value);
            return false;
        }
        const bool on = value == QLatin1String("true");
        if (option == QLatin1String("-t")) {
            m_stayOnTop = on;
        } else if (option == QLatin1String("-ai")) {
            m_hidePointer = on;
        } else if (option == QLatin1String("-ss")) {
            m_suppressScreenSaver = on;
        } else if (option == QLatin1String("-a")) {
            m_audio = on;
        } else if (option == QLatin1String("-pv")) {
            m_preview = on;
        } else {
            m_platformPlayer = on;
        }
    }
    if (play && m_mode == Check) {
        m_errorString = tr("-s and --check cannot be given together");
        return false;
    }
    if (!m_snapshotFile.isEmpty() && !play) {
        m_errorString = tr("--snapshot needs a stage to play (-s <stage file>)");
        return false;
    }
    if (m_stageFile.isEmpty()) {
        m_errorString = tr("no stage given (-s <stage file>)");
        return false;
    }
    return true;
}

QString KvPlayerOptions::usage()
{
    return tr("Usage: KvStageScreen.exe -s <stage file> [options]\n"
              "       KvStageScreen.exe --check <stage file> [-d <data folder>]\n"
              "       KvStageScreen.exe --help\n"
              "\n"
              "Plays a stage, or checks it for problems (exit code 0 clean, 3 problems found,\n"
              "1 unreadable stage, 2 faulty command line).\n"
              "\n"
              "  -s <file>       the stage to play\n"
              "  -d <folder>     the data folder media paths are relative to\n"
              "  -t true|false   keep the window above other windows\n"
              "  -u <id>         the unit id shown in log lines\n"
              "  -ai true|false  hide the mouse pointer over the window\n"
              "  -ss true|false  suppress the screen saver (accepted; not applied here)\n"
              "  -a true|false   play the sound of movies\n"
              "  -pv true|false  preview: a window instead of full screen; Esc closes it\n"
              "  -pp true|false  use the platform's media players (accepted; this player\n"
              "                  always plays with its own)\n"
              "  --check <file>  list the stage's problems and exit\n"
              "  --snapshot <png>  write the first frame of the stage to a PNG file and exit\n");
}

QString KvPlayerOptions::dataDir() const
{
    if (!m_dataDir.isEmpty()) {
        return QDir(m_dataDir).absolutePath();
    }
    const QDir stageFolder = QFileInfo(m_stageFile).absoluteDir();
    if (stageFolder.dirName().compare(QLatin1String("stage"), Qt::CaseInsensitive) == 0) {
        return QFileInfo(stageFolder.absolutePath()).absolutePath();
    }
    const QString fromEnvironment = qEnvironmentVariable("KOVA_DATA_DIR");
    if (!fromEnvironment.isEmpty()) {
        return QDir(fromEnvironment).absolutePath();
    }
    return stageFolder.absolutePath();
}

} // namespace Kova
