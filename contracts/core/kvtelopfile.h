#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPair>
#include <QString>

namespace Kova {

// The content of a telop file: the text that scrolls and the style it scrolls with. The text
// is the file's body; the style is a block of "key=value" lines at the top that a plain text
// file simply lacks (docs/telop-format.md).
class KvTelopFile
{
public:
    enum Direction { Left, Right, Up, Down };

    static const QString DEFAULT_FONT_FAMILY;
    static constexpr int DEFAULT_FONT_SIZE = 24;
    static constexpr int MIN_FONT_SIZE = 1;
    static constexpr int MAX_FONT_SIZE = 500;
    static constexpr int DEFAULT_SPEED = 2;
    static constexpr int MIN_SPEED = 1;
    static constexpr int MAX_SPEED = 100;

    // The telop a file's text holds: a style block at the top when the first line opens
    // one, otherwise the whole text with the default style.
    static KvTelopFile fromText(const QString& content);
    // The file's text: the style block, an empty line, the text and a final line end.
    QString toText() const;

    QFont font() const;

    QString text;
    QString fontFamily = DEFAULT_FONT_FAMILY;
    int fontSize = DEFAULT_FONT_SIZE;
    bool bold = false;
    QColor color = Qt::white;
    QColor background = Qt::black;
    Direction direction = Left;
    int speed = DEFAULT_SPEED;
    // Style keys this version does not use, kept in order so that saving does not lose them.
    QList<QPair<QString, QString>> otherKeys;
};

} // namespace Kova
