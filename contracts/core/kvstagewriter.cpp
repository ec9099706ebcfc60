#include "kvstagewriter.h"

#include "kvscreen.h"
#include "kvstage.h"
#include "kvstageformat.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QLocale>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace Kova {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Kova::KvStageWriter", text);
}

QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString colorText(const QColor& color)
{
    return color.isValid() ? color.name(QColor::HexArgb) : QString();
}

// XML 1.0 cannot carry control characters other than tab, line feed and carriage return,
// nor unpaired surrogates or U+FFFE/U+FFFF.
bool isXmlText(const QString& text)
{
    const int size = text.size();
    const QChar* data = text.constData();
    for (int i = 0; i < size; ++i) {
        const ushort c = data[i].unicode();
        if (c >= 0x20 && c < 0xD800)
            continue;
        if (c < 0x20) {
            if (c == 0x9 || c == 0xA || c == 0xD)
                continue;
            return false;
        }
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < size && QChar::isLowSurrogate(data[i + 1].unicode())) {
                ++i;
                continue;
            }
            return false;
        }
        if (QChar::isLowSurrogate(c) || c == 0xFFFE || c == 0xFFFF)
            return false;
    }
    return true;
}

class Writer
{
public:
    explicit Writer(QIODevice* device)
        : m_xml(device)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(1);
    }

    // Empty on success, else why the stage cannot be written.
    QString write(const KvStage& stage)
    {
        m_xml.writeStartDocument();
        m_xml.writeStartElement(KvStageFormat::rootElement());
        m_xml.writeAttribute(QStringLiteral("version"), QString::number(KvStageFormat::version));
        text(QStringLiteral("name"), stage.name());
        text(QStringLiteral("description"), stage.description());
        const QRect rect = stage.rect();
        m_xml.writeAttribute(QStringLiteral("x"), QString::number(rect.x()));
        m_xml.writeAttribute(QStringLiteral("y"), QString::number(rect.y()));
        m_xml.writeAttribute(QStringLiteral("width"), QString::number(rect.width()));
        m_xml.writeAttribute(QStringLiteral("height"), QString::number(rect.height()));
        m_xml.writeAttribute(QStringLiteral("backgroundColor"), colorText(stage.backgroundColor()));
        text(QStringLiteral("backgroundImage"), stage.backgroundImage());
        m_xml.writeAttribute(QStringLiteral("options"), QString::number(stage.options()));
        m_xml.writeAttribute(QStringLiteral("screenCount"),
                             QString::number(stage.screenList().size()));
        for (const KvScreen* screen : stage.screenList()) {
            if (!m_error.isEmpty())
                return m_error;
            writeScreen(*screen);
        }
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
        return m_error;
    }

    bool hasError() const { return m_xml.hasError(); }

private:
    void text(const QString& attribute, const QString& value)
    {
        if (!isXmlText(value) && m_error.isEmpty())
            m_error = tr("The text \"%1\" holds characters a stage file cannot store.")
                          .arg(value.left(40));
        m_xml.writeAttribute(attribute, value);
    }

    void writeScreen(const KvScreen& screen)
    {
        m_xml.writeStartElement(QStringLiteral("screen"));
        m_xml.writeAttribute(QStringLiteral("id"), QString::number(screen.id()));
        text(QStringLiteral("name"), screen.name());
        m_xml.writeAttribute(QStringLiteral("type"), ScreenType::Convert::toString(screen.type()));
        const QRectF rect = screen.rect();
        m_xml.writeAttribute(QStringLiteral("x"), number(rect.x()));
        m_xml.writeAttribute(QStringLiteral("y"), number(rect.y()));
        m_xml.writeAttribute(QStringLiteral("width"), number(rect.width()));
        m_xml.writeAttribute(QStringLiteral("height"), number(rect.height()));
        m_xml.writeAttribute(QStringLiteral("zIndex"), QString::number(screen.zIndex()));
        m_xml.writeAttribute(QStringLiteral("backgroundColor"), colorText(screen.backgoundColor()));
        m_xml.writeAttribute(QStringLiteral("locked"), boolText(screen.lockScreen()));
        m_xml.writeAttribute(QStringLiteral("graphics"),
                             GraphicsType::Convert::toString(screen.graphicsType()));
        m_xml.writeAttribute(QStringLiteral("flashPlayer"),
                             PlayerType::Convert::toString(screen.flashPlayerType()));
        m_xml.writeAttribute(QStringLiteral("moviePlayer"),
                             PlayerType::Convert::toString(screen.moviePlayerType()));
        m_xml.writeAttribute(QStringLiteral("webBrowser"),
                             PlayerType::Convert::toString(screen.webBrowserType()));
        m_xml.writeAttribute(QStringLiteral("finishedAction"),
                             KvEventAction::toString(screen.mediaFinishedAction()));
        text(QStringLiteral("piid"), screen.piid());
        m_xml.writeAttribute(QStringLiteral("mediaCount"), QString::number(screen.mediaCount()));
        for (const KvMedia* media : screen.mediaList())
            writeMedia(*media);
        writeEvents(QStringLiteral("raiseEvent"), screen.raiseEventList());
        writeEvents(QStringLiteral("waitEvent"), screen.waitEventList());
        writeEvents(QStringLiteral("ignoreRaiseEvent"), screen.ignoreRaiseEventList());
        writeEvents(QStringLiteral("ignoreWaitEvent"), screen.ignoreWaitEventList());
        const QVariantMap pluginProperties = screen.pluginProperties();
        if (!pluginProperties.isEmpty()) {
            m_xml.writeStartElement(QStringLiteral("pluginProperties"));
            writeMap(pluginProperties, 0);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }

    void writeMedia(const KvMedia& media)
    {
        m_xml.writeStartElement(QStringLiteral("media"));
        text(QStringLiteral("uri"), media.uri());
        m_xml.writeAttribute(QStringLiteral("type"),
                             MediaType::Convert::toString(media.mediaType()));
        text(QStringLiteral("name"), media.name());
        text(QStringLiteral("destination"), media.destination());
        m_xml.writeAttribute(QStringLiteral("duration"), number(media.playingDuration()));
        m_xml.writeAttribute(QStringLiteral("wait"), QString::number(media.wait()));
        m_xml.writeAttribute(QStringLiteral("waitAuto"), boolText(media.waitAuto()));
        m_xml.writeAttribute(QStringLiteral("step"), QString::number(media.step()));
        m_xml.writeAttribute(QStringLiteral("detectTermination"),
                             boolText(media.detectTermination()));
        m_xml.writeAttribute(QStringLiteral("direction"),
                             QString::number(media.playingDirection()));
        const QFont font = media.font();
        if (font != m_lastFont || m_lastFontText.isNull()) {
            m_lastFont = font;
            m_lastFontText = font.toString();
        }
        text(QStringLiteral("font"), m_lastFontText);
        writeMap(media.properties(), 0);
        m_xml.writeEndElement();
    }

    void writeEvents(const QString& element, const QList<KvEvent>& events)
    {
        for (const KvEvent& event : events) {
            m_xml.writeStartElement(element);
            m_xml.writeAttribute(QStringLiteral("type"), QString::number(event.type()));
            m_xml.writeAttribute(QStringLiteral("screenId"), QString::number(event.screenId()));
            m_xml.writeAttribute(QStringLiteral("direction"), event.direction() == KvEvent::Wait
                                                                  ? QStringLiteral("wait")
                                                                  : QStringLiteral("raise"));
            m_xml.writeAttribute(QStringLiteral("localOnly"), boolText(event.localOnly()));
            for (const QString& action : event.actions()) {
                m_xml.writeStartElement(QStringLiteral("action"));
                text(QStringLiteral("value"), action);
                m_xml.writeEndElement();
            }
            m_xml.writeEndElement();
        }
    }

    void writeMap(const QVariantMap& map, int depth)
    {
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            writeProperty(&it.key(), it.value(), depth);
    }

    // One value; named inside maps, unnamed inside lists.
    void writeProperty(const QString* name, const QVariant& value, int depth)
    {
        if (depth >= KvStageFormat::maxPropertyDepth) {
            if (m_error.isEmpty())
                m_error = tr("The plug-in properties are nested too deeply.");
            return;
        }
        m_xml.writeStartElement(QStringLiteral("property"));
        if (name)
            text(QStringLiteral("name"), *name);
        const QString type = KvStageFormat::propertyTypeName(value);
        m_xml.writeAttribute(QStringLiteral("type"), type);
        switch (value.userType()) {
        case QMetaType::UnknownType:
            break;
        case QMetaType::Bool:
            m_xml.writeAttribute(QStringLiteral("value"), boolText(value.toBool()));
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            m_xml.writeAttribute(QStringLiteral("value"), value.toString());
            break;
        case QMetaType::Double:
            m_xml.writeAttribute(QStringLiteral("value"), number(value.toDouble()));
            break;
        case QMetaType::QString:
            text(QStringLiteral("value"), value.toString());
            break;
        case QMetaType::QStringList:
            for (const QString& item : value.toStringList()) {
                m_xml.writeStartElement(QStringLiteral("item"));
                text(QStringLiteral("value"), item);
                m_xml.writeEndElement();
            }
            break;
        case QMetaType::QVariantList:
            for (const QVariant& item : value.toList())
                writeProperty(nullptr, item, depth + 1);
            break;
        case QMetaType::QVariantMap: {
            const QVariantMap map = value.toMap();
            for (auto it = map.cbegin(); it != map.cend(); ++it)
                writeProperty(&it.key(), it.value(), depth + 1);
            break;
        }
        default: {
            // Anything else travels as Qt's own serialisation of the value.
            QByteArray bytes;
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream.setVersion(QDataStream::Qt_5_15);
            stream << value;
            if (stream.status() != QDataStream::Ok && m_error.isEmpty())
                m_error = tr("A plug-in property of type %1 cannot be stored.")
                              .arg(QString::fromLatin1(value.typeName()));
            m_xml.writeAttribute(QStringLiteral("value"), QString::fromLatin1(bytes.toBase64()));
            break;
        }
        }
        m_xml.writeEndElement();
    }

    QXmlStreamWriter m_xml;
    QString m_error;
    QFont m_lastFont;
    QString m_lastFontText;
};

} // namespace

bool KvStageWriter::write(const KvStage& stage, const QString& filePath)
{
    m_errorString.clear();
    if (filePath.isEmpty()) {
        m_errorString = tr("The stage has no file name.");
        return false;
    }
    const QString problem = KvStageFormat::checkStage(stage);
    if (!problem.isEmpty()) {
        m_errorString = problem;
        return false;
    }

    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        m_errorString = tr("Cannot write the file \"%1\": %2").arg(filePath, file.errorString());
        return false;
    }

    Writer writer(&file);
    const QString error = writer.write(stage);
    // A full disk can go unnoticed until the buffer is flushed, and a failed buffered write
    // may not stop commit(): check every stage of the way and keep the old file otherwise.
    QString failure = error;
    bool deviceFailed = false;
    if (failure.isEmpty()) {
        deviceFailed = writer.hasError() || file.error() != QFileDevice::NoError || !file.flush() ||
                       file.error() != QFileDevice::NoError;
    }
    if (!failure.isEmpty() || deviceFailed) {
        file.cancelWriting();
        file.commit();
        if (deviceFailed)
            failure = tr("the data could not be written completely; the disk may be full or "
                         "the file too large (%1). The previous file was kept.")
                          .arg(file.errorString());
        m_errorString = tr("Cannot write the file \"%1\": %2").arg(filePath, failure);
        return false;
    }
    if (!file.commit()) {
        m_errorString = tr("Cannot write the file \"%1\": %2").arg(filePath, file.errorString());
        return false;
    }
    return true;
}

} // namespace Kova
