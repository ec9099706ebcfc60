#include "screentype.h"

namespace Kova {
namespace ScreenType {

QString Convert::toString(ScreenTypes type)
{
    switch (type) {
    case Multimedia:
        return QStringLiteral("multimedia");
    case Telop:
        return QStringLiteral("telop");
    case Extended:
        return QStringLiteral("extended");
    case Unknown:
        break;
    }
    return QString();
}

ScreenTypes Convert::toType(const QString& text)
{
    if (text.compare(QLatin1String("multimedia"), Qt::CaseInsensitive) == 0)
        return Multimedia;
    if (text.compare(QLatin1String("telop"), Qt::CaseInsensitive) == 0)
        return Telop;
    if (text.compare(QLatin1String("extended"), Qt::CaseInsensitive) == 0)
        return Extended;
    return Unknown;
}

} // namespace ScreenType
} // namespace Kova
