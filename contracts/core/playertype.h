#pragma once

#include <QString>

namespace Kova {

// Which player a screen uses for movies, Flash and web pages: 1 the platform's
// player (Windows Media Player, Trident), 2 the built-in one.
namespace PlayerType {
enum PlayerTypes { Default = 0, Platform = 1, BuiltIn = 2 };

class Convert
{
public:
    static QString toString(PlayerTypes type);
    static PlayerTypes toType(const QString& text);
};
} // namespace PlayerType

} // namespace Kova
