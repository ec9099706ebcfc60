#pragma once

#include <QString>

namespace Kova {

class KvStage;

// Reads a stage file (the format is described in docs/stage-format.md) into a stage
// that the caller then takes the content from. Every value is checked; a file that is
// malformed, truncated, foreign or out of range is refused with a message.
class KvStageReader
{
public:
    // Fills an empty stage; false with errorString() on any fault (the stage may then
    // hold part of the file and must be thrown away).
    bool read(const QString& filePath, KvStage* stage);
    QString errorString() const { return m_errorString; }

private:
    QString m_errorString;
};

} // namespace Kova
