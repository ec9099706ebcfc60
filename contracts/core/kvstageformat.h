#pragma once

#include <QString>
#include <QVariant>

namespace Kova {

class KvStage;

// What the stage file reader and writer share: names, the format version and the limits
// a stage must keep to be written and read (see docs/stage-format.md).
class KvStageFormat
{
public:
    static constexpr int version = 1;

    static constexpr int maxScreens = 10000;
    static constexpr int maxMediaPerScreen = 100000;
    static constexpr int maxMediaPerStage = 1000000;
    static constexpr int maxEventsPerList = 10000;
    static constexpr int maxActionsPerEvent = 1000;
    static constexpr int maxPropertyDepth = 32;
    static constexpr int maxPropertiesPerMap = 100000;

    // The editor's property panels allow stage sizes 0 … 16777215 and positions within
    // ±16777215; a file must hold whatever the editor lets the user set.
    static constexpr int maxStageSize = 16777215;
    static constexpr int maxStagePosition = 16777215;
    static constexpr double maxScreenCoordinate = 2.0 * 16777215;
    static constexpr double maxDuration = 10000000.0;
    static constexpr int maxMediaValue = 100000000;
    static constexpr uint knownOptions = 0x3;

    static QString rootElement() { return QStringLiteral("kovaStage"); }

    // The textual type of a plug-in property value ("bool", "int", "string", "map", ...).
    static QString propertyTypeName(const QVariant& value);
    // Empty when the stage keeps to every rule, else a message naming the first fault:
    // screen ids positive and unique, sizes and values in range, no more than the limits.
    static QString checkStage(const KvStage& stage);
};

} // namespace Kova
