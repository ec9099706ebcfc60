#pragma once

#include <QString>

namespace Kova {

// How a screen renders: 0 the default renderer, 2 DirectX.
namespace GraphicsType {
enum GraphicsTypes { Default = 0, DirectX = 2 };

class Convert
{
public:
    static QString toString(GraphicsTypes type);
    static GraphicsTypes toType(const QString& text);
};
} // namespace GraphicsType

} // namespace Kova
