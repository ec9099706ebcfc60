#pragma once

#include <QString>

namespace Kova {

class KvStage;

// Writes a stage file (the format is described in docs/stage-format.md) atomically:
// the new content goes to a temporary file that replaces the target only when every
// byte was written.
class KvStageWriter
{
public:
    bool write(const KvStage& stage, const QString& filePath);
    QString errorString() const { return m_errorString; }

private:
    QString m_errorString;
};

} // namespace Kova
