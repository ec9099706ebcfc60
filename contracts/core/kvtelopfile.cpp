#include "kvtelopfile.h"

#include "kvcontentfiletext.h"

namespace Kova {

const QString KvTelopFile::DEFAULT_FONT_FAMILY = QStringLiteral("Sans Serif");

namespace {

const QString MAGIC = QStringLiteral("#kova-telop");
const QString VERSION_LINE = QStringLiteral("#kova-telop 1");

const char* const DIRECTION_NAMES[] = {"left", "right", "up", "down"};

// A number in [low, high], or `fallback` for anything else.
int boundedNumber(const QString& value, int low, int high, int fallback)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number >= low && number <= high ? number : fallback;
}

QColor colourOr(const QString& value, const QColor& fallback)
{
    const QColor colour(value);
    return value.startsWith(QLatin1Char('#')) && colour.isValid() ? colour : fallback;
}

} // namespace

KvTelopFile KvTelopFile::fromText(const QString& content)
{
    KvTelopFile telop;
    const QStringList lines = KvContentFileText::lines(content);
    const bool styled = !lines.isEmpty() && (lines.first().trimmed() == MAGIC ||
                                             lines.first().startsWith(MAGIC + QLatin1Char(' ')));
    if (!styled) {
        telop.text = lines.join(QLatin1Char('\n'));
        return telop;
    }
    int index = 1;
    for (; index < lines.size() && !lines.at(index).trimmed().isEmpty(); ++index) {
        const QString& line = lines.at(index);
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("font-family")) {
            if (!value.isEmpty())
                telop.fontFamily = value;
        } else if (key == QLatin1String("font-size")) {
            telop.fontSize = boundedNumber(value, MIN_FONT_SIZE, MAX_FONT_SIZE, DEFAULT_FONT_SIZE);
        } else if (key == QLatin1String("bold")) {
            telop.bold = value == QLatin1String("true");
        } else if (key == QLatin1String("color")) {
            telop.color = colourOr(value, telop.color);
        } else if (key == QLatin1String("background")) {
            telop.background = colourOr(value, telop.background);
        } else if (key == QLatin1String("direction")) {
            for (int d = Left; d <= Down; ++d) {
                if (value == QLatin1String(DIRECTION_NAMES[d]))
                    telop.direction = Direction(d);
            }
        } else if (key == QLatin1String("speed")) {
            telop.speed = boundedNumber(value, MIN_SPEED, MAX_SPEED, DEFAULT_SPEED);
        } else {
            telop.otherKeys.append({key, value});
        }
    }
    telop.text = lines.mid(index + 1).join(QLatin1Char('\n'));
    return telop;
}

QString KvTelopFile::toText() const
{
    QString out = VERSION_LINE + QLatin1Char('\n');
    const auto add = [&out](const QString& key, const QString& value) {
        out += key + QLatin1Char('=') + value + QLatin1Char('\n');
    };
    add(QStringLiteral("font-family"), fontFamily);
    add(QStringLiteral("font-size"), QString::number(fontSize));
    add(QStringLiteral("bold"), bold ? QStringLiteral("true") : QStringLiteral("false"));
    add(QStringLiteral("color"), color.name());
    add(QStringLiteral("background"), background.name());
    add(QStringLiteral("direction"), QLatin1String(DIRECTION_NAMES[direction]));
    add(QStringLiteral("speed"), QString::number(speed));
    for (const auto& other : otherKeys)
        add(other.first, other.second);
    out += QLatin1Char('\n');
    if (!text.isEmpty())
        out += text + QLatin1Char('\n');
    return out;
}

QFont KvTelopFile::font() const
{
    QFont result(fontFamily);
    result.setPointSize(fontSize);
    result.setBold(bold);
    return result;
}

} // namespace Kova
