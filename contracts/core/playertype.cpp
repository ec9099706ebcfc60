#include "playertype.h"

namespace Kova {
namespace PlayerType {

QString Convert::toString(PlayerTypes type)
{
    switch (type) {
    case Platform:
        return QStringLiteral("platform");
    case BuiltIn:
        return QStringLiteral("builtin");
    case Default:
        break;
    }
    return QStringLiteral("default");
}

PlayerTypes Convert::toType(const QString& text)
{
    if (text.compare(QLatin1String("platform"), Qt::CaseInsensitive) == 0)
        return Platform;
    if (text.compare(QLatin1String("builtin"), Qt::CaseInsensitive) == 0)
        return BuiltIn;
    return Default;
}

} // namespace PlayerType
} // namespace Kova
