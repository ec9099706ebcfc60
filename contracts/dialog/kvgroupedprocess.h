#pragma once

#include <QProcess>

namespace Kova {

// A process that leads a process group of its own, so that stopping it stops the programs it
// started as well: LibreOffice's launcher, for one, runs the office in a child process that
// a plain kill of the launcher would leave running.
class KvGroupedProcess : public QProcess
{
    Q_OBJECT
public:
    explicit KvGroupedProcess(QObject* parent = nullptr);
    // Stops the group when it still runs.
    ~KvGroupedProcess() override;

    // Kills every process of the group and waits until the started program has ended. Does
    // nothing when the program is not running.
    void killGroup();

protected:
    void setupChildProcess() override;
};

} // namespace Kova
