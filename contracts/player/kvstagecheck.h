#pragma once

#include <QString>
#include <QStringList>

namespace Kova {

class KvStage;

// Lists what keeps a stage from playing as made: missing media files and folders, folders
// without a playable file, media of unknown type, screens without media, raised events no
// screen listens to, listened events no screen raises, screens reaching outside the stage.
// Each problem is listed once; a file several media use is one problem naming all of them.
class KvStageCheck
{
public:
    // dataDir: the folder relative media paths start from.
    static QStringList problems(const KvStage& stage, const QString& dataDir);
};

} // namespace Kova
