#pragma once

#include <QString>

namespace Kova {

// Kinds of medium a screen can play. 4 is unused.
namespace MediaType {
enum MediaTypes {
    Unknown = 0,
    Image = 1,
    Movie = 2,
    Flash = 3,
    Web = 5,
    Telop = 6,
    Folder = 7,
    Extended = 8
};

class Convert
{
public:
    // "image", "movie", "flash", "web", "telop", "folder", "extended"; "" for Unknown.
    // The library keeps each media type in a folder of that name.
    static QString toString(MediaTypes type);
    static MediaTypes toType(const QString& text);
};
} // namespace MediaType

} // namespace Kova
