#include "kvstagewriter.h"

#include "kvstage.h"

#include <QCoreApplication>

namespace Kova {

bool KvStageWriter::write(const KvStage& stage, const QString& filePath)
{
    Q_UNUSED(filePath)
    Q_UNUSED(stage)
    m_errorString = QCoreApplication::translate("Kova::KvStageWriter", "Not implemented yet.");
    return false;
}

} // namespace Kova
