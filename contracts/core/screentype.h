#pragma once

#include <QString>

namespace Kova {

// Kinds of screen a stage can hold.
namespace ScreenType {
enum ScreenTypes { Unknown = 0, Multimedia = 1, Telop = 2, Extended = 3 };

class Convert
{
public:
    static QString toString(ScreenTypes type);
    static ScreenTypes toType(const QString& text);
};
} // namespace ScreenType

} // namespace Kova
