#include "graphicstype.h"

namespace Kova {
namespace GraphicsType {

QString Convert::toString(GraphicsTypes type)
{
    switch (type) {
    case DirectX:
        return QStringLiteral("directx");
    case Default:
        break;
    }
    return QStringLiteral("default");
}

GraphicsTypes Convert::toType(const QString& text)
{
    if (text.compare(QLatin1String("directx"), Qt::CaseInsensitive) == 0)
        return DirectX;
    return Default;
}

} // namespace GraphicsType
} // namespace Kova
