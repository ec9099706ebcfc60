#pragma once

#include <QString>
#include <QStringList>

namespace Kova {

// The command line of KvStageScreen.exe. Options take one value each; booleans are exactly
// "true" or "false". See docs/player.md for what each option does.
class KvPlayerOptions
{
public:
    enum Mode { Play, Check, Help };

    // Reads the arguments that follow the program name. False on an unknown option, a
    // missing or malformed value, an option given twice or no stage to play; errorString()
    // then tells which.
    bool parse(const QStringList& arguments);
    QString errorString() const { return m_errorString; }
    // The text --help prints and faulty command lines get.
    static QString usage();

    Mode mode() const { return m_mode; }
    // -s: the stage to play; --check: the stage to check.
    QString stageFile() const { return m_stageFile; }
    bool stayOnTop() const { return m_stayOnTop; }
    QString unitId() const { return m_unitId; }
    bool hidePointer() const { return m_hidePointer; }
    bool suppressScreenSaver() const { return m_suppressScreenSaver; }
    bool audio() const { return m_audio; }
    bool preview() const { return m_preview; }
    bool platformPlayer() const { return m_platformPlayer; }
    // -d, empty when not given.
    QString dataDirOption() const { return m_dataDir; }
    // --snapshot: the PNG file the first frame is written to before the program ends; empty
    // when not given.
    QString snapshotFile() const { return m_snapshotFile; }

    // The data folder the stage's relative paths start from: -d when given; else the parent
    // of the stage's folder when that folder is named "stage" (the data folder's stage
    // folder); else the folder KOVA_DATA_DIR names; else the stage file's own folder.
    QString dataDir() const;

private:
    Mode m_mode = Play;
    QString m_stageFile;
    bool m_stayOnTop = false;
    QString m_unitId;
    bool m_hidePointer = false;
    bool m_suppressScreenSaver = false;
    bool m_audio = true;
    bool m_preview = false;
    bool m_platformPlayer = false;
    QString m_dataDir;
    QString m_snapshotFile;
    QString m_errorString;
};

} // namespace Kova
