#include "kvstagereader.h"

#include "kvscreen.h"
#include "kvstage.h"
#include "kvstageformat.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QXmlStreamReader>

#include <cmath>

namespace Kova {

namespace {

// Bigger files are not stages this suite wrote.
constexpr qint64 maxFileSize = qint64(512) * 1024 * 1024;

QString tr(const char* text)
{
    return QCoreApplication::translate("Kova::KvStageReader", text);
}

// MediaType::Convert::toType without building a string for every medium.
MediaType::MediaTypes toMediaType(const QStringRef& text)
{
    static const MediaType::MediaTypes types[] = {
        MediaType::Image, MediaType::Movie,  MediaType::Telop,   MediaType::Web,
        MediaType::Flash, MediaType::Folder, MediaType::Extended};
    static const QString names[] = {
        MediaType::Convert::toString(types[0]), MediaType::Convert::toString(types[1]),
        MediaType::Convert::toString(types[2]), MediaType::Convert::toString(types[3]),
        MediaType::Convert::toString(types[4]), MediaType::Convert::toString(types[5]),
        MediaType::Convert::toString(types[6])};
    for (int i = 0; i < 7; ++i) {
        if (text.compare(names[i], Qt::CaseInsensitive) == 0)
            return types[i];
    }
    return MediaType::Unknown;
}

class Parser
{
public:
    Parser(QIODevice* device, KvStage* stage)
        : m_xml(device)
        , m_stage(stage)
    {
    }

    bool parse();
    QString error() const { return m_error; }

private:
    bool fail(const QString& message)
    {
        if (m_error.isEmpty())
            m_error = tr("Line %1: %2").arg(m_xml.lineNumber()).arg(message);
        return false;
    }
    bool xmlFail() { return fail(m_xml.errorString()); }
    bool badValue(const QStringRef& attribute, const QStringRef& value)
    {
        return fail(
            tr("the attribute \"%1\" of <%2> has the invalid value \"%3\".")
                .arg(attribute.toString(), m_xml.name().toString(), value.left(40).toString()));
    }

    bool toInt(const QXmlStreamAttribute& a, int* out)
    {
        bool ok = false;
        const int v = a.value().toInt(&ok, 10);
        if (!ok)
            return badValue(a.name(), a.value());
        *out = v;
        return true;
    }
    bool toUInt(const QXmlStreamAttribute& a, uint* out)
    {
        bool ok = false;
        const uint v = a.value().toUInt(&ok, 10);
        if (!ok)
            return badValue(a.name(), a.value());
        *out = v;
        return true;
    }
    bool toDouble(const QXmlStreamAttribute& a, double* out)
    {
        bool ok = false;
        const double v = a.value().toDouble(&ok);
        if (!ok || !std::isfinite(v))
            return badValue(a.name(), a.value());
        *out = v;
        return true;
    }
    bool toBool(const QXmlStreamAttribute& a, bool* out)
    {
        const QStringRef v = a.value();
        if (v == QLatin1String("true") || v == QLatin1String("1"))
            *out = true;
        else if (v == QLatin1String("false") || v == QLatin1String("0"))
            *out = false;
        else
            return badValue(a.name(), v);
        return true;
    }
    bool toColor(const QXmlStreamAttribute& a, QColor* out)
    {
        const QStringRef v = a.value();
        if (v.isEmpty()) {
            *out = QColor();
            return true;
        }
        QColor color;
        color.setNamedColor(QStringView(v));
        if (!color.isValid())
            return badValue(a.name(), v);
        *out = color;
        return true;
    }
    bool toPlayer(const QXmlStreamAttribute& a, PlayerType::PlayerTypes* out)
    {
        const PlayerType::PlayerTypes type = PlayerType::Convert::toType(a.value().toString());
        if (PlayerType::Convert::toString(type).compare(a.value(), Qt::CaseInsensitive) != 0)
            return badValue(a.name(), a.value());
        *out = type;
        return true;
    }
    // Qt's font description; an empty family (a process without a GUI writes one) is kept
    // empty. Checked first so that Qt never complains about it.
    static bool toFont(const QStringRef& text, QFont* out)
    {
        if (text.isEmpty())
            return true;
        const int fields = text.count(QLatin1Char(',')) + 1;
        if ((fields > 2 && fields < 9) || fields > 17)
            return false;
        const bool noFamily = text.startsWith(QLatin1Char(','));
        const QString description = noFamily ? QLatin1Char('_') + text.toString() : text.toString();
        if (!out->fromString(description))
            return false;
        if (noFamily)
            out->setFamily(QString());
        return true;
    }
    // A declared count: must be a number within the limit; -1 when absent.
    bool toCount(const QXmlStreamAttribute& a, int limit, int* out)
    {
        int v = 0;
        if (!toInt(a, &v))
            return false;
        if (v < 0 || v > limit)
            return fail(tr("the count %1 is out of range (0 to %2).").arg(v).arg(limit));
        *out = v;
        return true;
    }

    bool parseStageAttributes();
    bool parseScreen();
    bool parseMedia(KvScreen* screen);
    bool parseEvent(QList<KvEvent>* list, KvScreen* screen);
    // Reads the <property> children of the current element into map (named) or list
    // (unnamed), up to the current element's end.
    bool parseProperties(QVariantMap* map, QVariantList* list, int depth);
    bool parseProperty(QString* name, QVariant* value, int depth);
    // Skips to the end of the current element, reporting XML errors.
    bool skip()
    {
        m_xml.skipCurrentElement();
        return !m_xml.hasError() || xmlFail();
    }

    QXmlStreamReader m_xml;
    KvStage* m_stage;
    QString m_error;
    int m_mediaTotal = 0;
    QString m_lastFontText;
    QFont m_lastFont;
};

bool Parser::parse()
{
    // Prolog: only the XML declaration, comments and processing instructions before the
    // root; a document type definition is refused (no entity tricks).
    while (!m_xml.atEnd()) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token == QXmlStreamReader::DTD)
            return fail(tr("stage files carry no document type definition."));
        if (token == QXmlStreamReader::StartElement)
            break;
    }
    if (m_xml.hasError())
        return xmlFail();
    if (m_xml.tokenType() != QXmlStreamReader::StartElement)
        return fail(tr("the file holds no stage."));
    if (m_xml.name() != KvStageFormat::rootElement())
        return fail(tr("the file is not a stage file (its root element is <%1>).")
                        .arg(m_xml.name().left(40).toString()));
    if (!parseStageAttributes())
        return false;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("screen")) {
            if (!parseScreen())
                return false;
        } else if (!skip()) {
            return false;
        }
    }
    if (m_xml.hasError())
        return xmlFail();
    // Nothing but comments may follow the root element.
    while (!m_xml.atEnd())
        m_xml.readNext();
    if (m_xml.hasError())
        return xmlFail();
    return true;
}

bool Parser::parseStageAttributes()
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    const QStringRef versionText = attributes.value(QLatin1String("version"));
    if (versionText.isNull())
        return fail(tr("the stage has no version."));
    bool ok = false;
    const int version = versionText.toInt(&ok);
    if (!ok || version < 1)
        return badValue(QStringRef(), versionText);
    if (version > KvStageFormat::version)
        return fail(tr("the stage was written by a newer version (format %1).").arg(version));

    QRect rect = m_stage->rect();
    int count = -1;
    for (const QXmlStreamAttribute& a : attributes) {
        const QStringRef n = a.name();
        int v = 0;
        if (n == QLatin1String("name")) {
            m_stage->setName(a.value().toString());
        } else if (n == QLatin1String("description")) {
            m_stage->setDescription(a.value().toString());
        } else if (n == QLatin1String("x")) {
            if (!toInt(a, &v))
                return false;
            rect.moveLeft(v);
        } else if (n == QLatin1String("y")) {
            if (!toInt(a, &v))
                return false;
            rect.moveTop(v);
        } else if (n == QLatin1String("width")) {
            if (!toInt(a, &v) || (v < 0 && !badValue(n, a.value())))
                return false;
            rect.setWidth(v);
        } else if (n == QLatin1String("height")) {
            if (!toInt(a, &v) || (v < 0 && !badValue(n, a.value())))
                return false;
            rect.setHeight(v);
        } else if (n == QLatin1String("backgroundColor")) {
            QColor color;
            if (!toColor(a, &color))
                return false;
            m_stage->setBackgroundColor(color);
        } else if (n == QLatin1String("backgroundImage")) {
            m_stage->setBackgroundImage(a.value().toString());
        } else if (n == QLatin1String("options")) {
            uint options = 0;
            if (!toUInt(a, &options))
                return false;
            m_stage->setOptions(options);
        } else if (n == QLatin1String("screenCount")) {
            if (!toCount(a, KvStageFormat::maxScreens, &count))
                return false;
        }
    }
    m_stage->setRect(rect);
    if (count >= 0)
        m_stage->screenList().reserve(count);
    return true;
}

bool Parser::parseScreen()
{
    if (m_stage->screenList().size() >= KvStageFormat::maxScreens)
        return fail(tr("the stage has more than %1 screens.").arg(KvStageFormat::maxScreens));
    auto* screen = new KvScreen(ScreenType::Multimedia, 0);
    screen->setStage(m_stage);
    m_stage->screenList().append(screen);

    bool hasId = false;
    bool hasType = false;
    int count = -1;
    QRectF rect;
    const QXmlStreamAttributes attributes = m_xml.attributes();
    for (const QXmlStreamAttribute& a : attributes) {
        const QStringRef n = a.name();
        int i = 0;
        double d = 0.0;
        bool b = false;
        if (n == QLatin1String("id")) {
            if (!toInt(a, &i))
                return false;
            if (i <= 0)
                return fail(tr("the screen id %1 is not a positive number.").arg(i));
            screen->setId(i);
            hasId = true;
        } else if (n == QLatin1String("name")) {
            screen->setName(a.value().toString());
        } else if (n == QLatin1String("type")) {
            const ScreenType::ScreenTypes type = ScreenType::Convert::toType(a.value().toString());
            if (type == ScreenType::Unknown)
                return badValue(n, a.value());
            screen->setType(type);
            hasType = true;
        } else if (n == QLatin1String("x")) {
            if (!toDouble(a, &d))
                return false;
            rect.moveLeft(d);
        } else if (n == QLatin1String("y")) {
            if (!toDouble(a, &d))
                return false;
            rect.moveTop(d);
        } else if (n == QLatin1String("width")) {
            if (!toDouble(a, &d))
                return false;
            rect.setWidth(d);
        } else if (n == QLatin1String("height")) {
            if (!toDouble(a, &d))
                return false;
            rect.setHeight(d);
        } else if (n == QLatin1String("zIndex")) {
            if (!toInt(a, &i))
                return false;
            screen->setZIndex(i);
        } else if (n == QLatin1String("backgroundColor")) {
            QColor color;
            if (!toColor(a, &color))
                return false;
            screen->setBackgoundColor(color);
        } else if (n == QLatin1String("locked")) {
            if (!toBool(a, &b))
                return false;
            screen->setLockScreen(b);
        } else if (n == QLatin1String("graphics")) {
            const GraphicsType::GraphicsTypes type =
                GraphicsType::Convert::toType(a.value().toString());
            if (GraphicsType::Convert::toString(type).compare(a.value(), Qt::CaseInsensitive))
                return badValue(n, a.value());
            screen->setGraphicsType(type);
        } else if (n == QLatin1String("flashPlayer")) {
            PlayerType::PlayerTypes type = PlayerType::Default;
            if (!toPlayer(a, &type))
                return false;
            screen->setFlashPlayerType(type);
        } else if (n == QLatin1String("moviePlayer")) {
            PlayerType::PlayerTypes type = PlayerType::Default;
            if (!toPlayer(a, &type))
                return false;
            screen->setMoviePlayerType(type);
        } else if (n == QLatin1String("webBrowser")) {
            PlayerType::PlayerTypes type = PlayerType::Default;
            if (!toPlayer(a, &type))
                return false;
            screen->setWebBrowserType(type);
        } else if (n == QLatin1String("finishedAction")) {
            const KvEventAction::Actions action = KvEventAction::toAction(a.value().toString());
            if (KvEventAction::toString(action).compare(a.value(), Qt::CaseInsensitive))
                return badValue(n, a.value());
            screen->setMediaFinishedAction(action);
        } else if (n == QLatin1String("piid")) {
            screen->setPiid(a.value().toString());
        } else if (n == QLatin1String("mediaCount")) {
            if (!toCount(a, KvStageFormat::maxMediaPerScreen, &count))
                return false;
        }
    }
    if (!hasId)
        return fail(tr("a screen has no id."));
    if (!hasType)
        return fail(tr("screen %1 has no type.").arg(screen->id()));
    screen->setRect(rect);
    if (count >= 0)
        screen->mediaList().reserve(count);

    while (m_xml.readNextStartElement()) {
        const QStringRef n = m_xml.name();
        bool ok = true;
        if (n == QLatin1String("media"))
            ok = parseMedia(screen);
        else if (n == QLatin1String("raiseEvent"))
            ok = parseEvent(&screen->raiseEventList(), screen);
        else if (n == QLatin1String("waitEvent"))
            ok = parseEvent(&screen->waitEventList(), screen);
        else if (n == QLatin1String("ignoreRaiseEvent"))
            ok = parseEvent(&screen->ignoreRaiseEventList(), screen);
        else if (n == QLatin1String("ignoreWaitEvent"))
            ok = parseEvent(&screen->ignoreWaitEventList(), screen);
        else if (n == QLatin1String("pluginProperties")) {
            QVariantMap properties;
            ok = parseProperties(&properties, nullptr, 0);
            screen->setPluginProperties(properties);
        } else
            ok = skip();
        if (!ok)
            return false;
    }
    if (m_xml.hasError())
        return xmlFail();
    if (count >= 0 && count != screen->mediaCount())
        return fail(tr("screen %1 declares %2 media but holds %3.")
                        .arg(screen->id())
                        .arg(count)
                        .arg(screen->mediaCount()));
    return true;
}

bool Parser::parseMedia(KvScreen* screen)
{
    if (screen->mediaCount() >= KvStageFormat::maxMediaPerScreen)
        return fail(tr("screen %1 has more than %2 media.")
                        .arg(screen->id())
                        .arg(KvStageFormat::maxMediaPerScreen));
    if (++m_mediaTotal > KvStageFormat::maxMediaPerStage)
        return fail(tr("the stage has more than %1 media.").arg(KvStageFormat::maxMediaPerStage));
    auto* media = new KvMedia(QString(), MediaType::Unknown, screen);
    screen->mediaList().append(media);

    const QXmlStreamAttributes attributes = m_xml.attributes();
    for (const QXmlStreamAttribute& a : attributes) {
        const QStringRef n = a.name();
        int i = 0;
        double d = 0.0;
        bool b = false;
        // Dispatch on the length first: this runs for every medium of the stage.
        switch (n.size()) {
        case 3:
            if (n == QLatin1String("uri"))
                media->setUri(a.value().toString());
            break;
        case 4:
            if (n == QLatin1String("type")) {
                const QStringRef v = a.value();
                const MediaType::MediaTypes type = toMediaType(v);
                if (type == MediaType::Unknown && !v.isEmpty())
                    return badValue(n, v);
                media->setMediaType(type);
            } else if (n == QLatin1String("name")) {
                media->setName(a.value().toString());
            } else if (n == QLatin1String("wait")) {
                if (!toInt(a, &i))
                    return false;
                media->setWait(i);
            } else if (n == QLatin1String("step")) {
                if (!toInt(a, &i))
                    return false;
                media->setStep(i);
            } else if (n == QLatin1String("font")) {
                const QStringRef v = a.value();
                if (v != m_lastFontText) {
                    QFont font;
                    if (!toFont(v, &font))
                        return badValue(n, v);
                    m_lastFontText = v.toString();
                    m_lastFont = font;
                }
                media->setFont(m_lastFont);
            }
            break;
        case 8:
            if (n == QLatin1String("duration")) {
                if (!toDouble(a, &d))
                    return false;
                media->setPlayingDuration(d);
            } else if (n == QLatin1String("waitAuto")) {
                if (!toBool(a, &b))
                    return false;
                media->setWaitAuto(b);
            }
            break;
        case 9:
            if (n == QLatin1String("direction")) {
                if (!toInt(a, &i))
                    return false;
                media->setPlayingDirection(i);
            }
            break;
        case 11:
            if (n == QLatin1String("destination"))
                media->setDestination(a.value().toString());
            break;
        case 17:
            if (n == QLatin1String("detectTermination")) {
                if (!toBool(a, &b))
                    return false;
                media->setDetectTermination(b);
            }
            break;
        default:
            break;
        }
    }

    // Most media have no children: avoid building a map for them.
    QVariantMap properties;
    if (!parseProperties(&properties, nullptr, 0))
        return false;
    if (!properties.isEmpty())
        media->setProperties(properties);
    return true;
}

bool Parser::parseEvent(QList<KvEvent>* list, KvScreen* screen)
{
    if (list->size() >= KvStageFormat::maxEventsPerList)
        return fail(tr("screen %1 has too many events.").arg(screen->id()));
    KvEvent event;
    event.setParent(screen);
    const QXmlStreamAttributes attributes = m_xml.attributes();
    for (const QXmlStreamAttribute& a : attributes) {
        const QStringRef n = a.name();
        int i = 0;
        bool b = false;
        if (n == QLatin1String("type")) {
            if (!toInt(a, &i))
                return false;
            if (i < 0)
                return badValue(n, a.value());
            event.setType(i);
        } else if (n == QLatin1String("screenId")) {
            if (!toInt(a, &i))
                return false;
            if (i < 0)
                return badValue(n, a.value());
            event.setScreenId(i);
        } else if (n == QLatin1String("direction")) {
            if (a.value() == QLatin1String("raise"))
                event.setDirection(KvEvent::Raise);
            else if (a.value() == QLatin1String("wait"))
                event.setDirection(KvEvent::Wait);
            else
                return badValue(n, a.value());
        } else if (n == QLatin1String("localOnly")) {
            if (!toBool(a, &b))
                return false;
            event.setLocalOnly(b);
        }
    }
    QStringList actions;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("action")) {
            if (actions.size() >= KvStageFormat::maxActionsPerEvent)
                return fail(tr("an event has too many actions."));
            actions.append(m_xml.attributes().value(QLatin1String("value")).toString());
        }
        if (!skip())
            return false;
    }
    if (m_xml.hasError())
        return xmlFail();
    event.setActions(actions);
    list->append(event);
    return true;
}

bool Parser::parseProperties(QVariantMap* map, QVariantList* list, int depth)
{
    int count = 0;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != QLatin1String("property")) {
            if (!skip())
                return false;
            continue;
        }
        if (++count > KvStageFormat::maxPropertiesPerMap)
            return fail(tr("too many properties."));
        QString name;
        QVariant value;
        if (!parseProperty(&name, &value, depth))
            return false;
        if (map)
            map->insert(name, value);
        else
            list->append(value);
    }
    return !m_xml.hasError() || xmlFail();
}

bool Parser::parseProperty(QString* name, QVariant* value, int depth)
{
    if (depth >= KvStageFormat::maxPropertyDepth)
        return fail(tr("properties are nested too deeply."));
    const QXmlStreamAttributes attributes = m_xml.attributes();
    *name = attributes.value(QLatin1String("name")).toString();
    const QStringRef type = attributes.value(QLatin1String("type"));
    const QStringRef text = attributes.value(QLatin1String("value"));
    bool ok = true;
    if (type == QLatin1String("null")) {
        *value = QVariant();
    } else if (type == QLatin1String("bool")) {
        ok = text == QLatin1String("true") || text == QLatin1String("false");
        *value = QVariant(text == QLatin1String("true"));
    } else if (type == QLatin1String("int")) {
        *value = QVariant(text.toInt(&ok));
    } else if (type == QLatin1String("uint")) {
        *value = QVariant(text.toUInt(&ok));
    } else if (type == QLatin1String("longlong")) {
        *value = QVariant(text.toLongLong(&ok));
    } else if (type == QLatin1String("ulonglong")) {
        *value = QVariant(text.toULongLong(&ok));
    } else if (type == QLatin1String("double")) {
        *value = QVariant(text.toDouble(&ok));
    } else if (type == QLatin1String("string")) {
        *value = QVariant(text.toString());
    } else if (type == QLatin1String("stringlist")) {
        QStringList items;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("item")) {
                if (items.size() >= KvStageFormat::maxPropertiesPerMap)
                    return fail(tr("too many properties."));
                items.append(m_xml.attributes().value(QLatin1String("value")).toString());
            }
            if (!skip())
                return false;
        }
        if (m_xml.hasError())
            return xmlFail();
        *value = QVariant(items);
        return true;
    } else if (type == QLatin1String("list")) {
        QVariantList items;
        if (!parseProperties(nullptr, &items, depth + 1))
            return false;
        *value = QVariant(items);
        return true;
    } else if (type == QLatin1String("map")) {
        QVariantMap items;
        if (!parseProperties(&items, nullptr, depth + 1))
            return false;
        *value = QVariant(items);
        return true;
    } else if (type == QLatin1String("data")) {
        const QByteArray bytes = QByteArray::fromBase64(text.toLatin1());
        QDataStream stream(bytes);
        stream.setVersion(QDataStream::Qt_5_15);
        stream >> *value;
        ok = stream.status() == QDataStream::Ok;
    } else {
        return badValue(QStringRef(), type);
    }
    if (!ok)
        return badValue(QStringRef(), text);
    return skip();
}

} // namespace

bool KvStageReader::read(const QString& filePath, KvStage* stage)
{
    m_errorString.clear();
    if (!stage)
        return false;
    QFile file(filePath);
    if (filePath.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        m_errorString =
            tr("Cannot open the stage file \"%1\": %2")
                .arg(filePath, filePath.isEmpty() ? tr("no file name") : file.errorString());
        return false;
    }
    if (file.size() > maxFileSize) {
        m_errorString = tr("The file \"%1\" is too large for a stage.").arg(filePath);
        return false;
    }
    Parser parser(&file, stage);
    if (!parser.parse()) {
        m_errorString =
            tr("The stage file \"%1\" cannot be read. %2").arg(filePath, parser.error());
        return false;
    }
    const QString problem = KvStageFormat::checkStage(*stage);
    if (!problem.isEmpty()) {
        m_errorString = tr("The stage file \"%1\" cannot be read. %2").arg(filePath, problem);
        return false;
    }
    return true;
}

} // namespace Kova
