#include "kvstagereader.h"

#include "kvstage.h"

#include <QCoreApplication>

namespace Kova {

bool KvStageReader::read(const QString& filePath, KvStage* stage)
{
    Q_UNUSED(filePath)
    Q_UNUSED(stage)
    m_errorString = QCoreApplication::translate("Kova::KvStageReader", "Not implemented yet.");
    return false;
}

} // namespace Kova
