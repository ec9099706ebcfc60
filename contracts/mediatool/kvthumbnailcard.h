#pragma once

#include <QImage>
#include <QString>

namespace Kova {

// Thumbnails drawn for files that have no picture of their own: telop text, web pages,
// Flash and other files. All are 16:9 cards whose width is the thumbnail size.
class KvThumbnailCard
{
public:
    // The first line of a telop's text, white on a dark strip across a grey card.
    static QImage telop(const QString& firstLine, int width);
    // A blue globe with "www" and, under it, the page's host or title.
    static QImage web(const QString& caption, int width);
    // A plain card with a label such as "Flash" or a file's extension.
    static QImage label(const QString& text, int width);
};

} // namespace Kova
