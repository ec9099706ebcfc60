#include "kvmediapropertyvalues.h"

#include "kvmedia.h"
#include "kvstageformat.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>
#include <QUrl>

namespace Kova {

const QString KvMediaPropertyValues::URL_PROPERTY = QStringLiteral("url");

namespace {

bool toSeconds(const QString& text, double* seconds)
{
    bool ok = false;
    *seconds = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        *seconds = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok;
}

bool toWhole(const QString& text, int* value)
{
    bool ok = false;
    *value = QLocale().toInt(text.trimmed(), &ok);
    if (!ok)
        *value = QLocale::c().toInt(text.trimmed(), &ok);
    return ok;
}

} // namespace

bool KvMediaPropertyValues::offers(MediaType::MediaTypes type, Field field)
{
    switch (field) {
    case NameField:
        return true;
    case DurationField:
        return type != MediaType::Extended && type != MediaType::Unknown;
    case WaitField:
    case StepField:
        return type == MediaType::Telop;
    case AddressField:
        return type == MediaType::Web;
    case NoField:
        break;
    }
    return false;
}

QString KvMediaPropertyValues::webAddressFromFile(const QString& absolutePath)
{
    const QFileInfo info(absolutePath);
    if (!info.isFile())
        return QString();
    if (info.suffix().compare(QLatin1String("url"), Qt::CaseInsensitive) != 0)
        return QUrl::fromLocalFile(info.absoluteFilePath()).toString();
    QFile file(absolutePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream in(&file);
    bool inShortcut = false;
    QString line;
    while (in.readLineInto(&line)) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inShortcut =
                line.compare(QLatin1String("[InternetShortcut]"), Qt::CaseInsensitive) == 0;
        else if (inShortcut && line.startsWith(QLatin1String("URL="), Qt::CaseInsensitive))
            return line.mid(4).trimmed();
    }
    return QString();
}

bool KvMediaPropertyValues::isWebAddress(const QString& text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

QString KvMediaPropertyValues::typeName(MediaType::MediaTypes type)
{
    switch (type) {
    case MediaType::Image:
        return tr("Image");
    case MediaType::Movie:
        return tr("Movie");
    case MediaType::Flash:
        return tr("Flash");
    case MediaType::Web:
        return tr("Web page");
    case MediaType::Telop:
        return tr("Telop");
    case MediaType::Folder:
        return tr("Folder");
    case MediaType::Extended:
        return tr("Plug-in content");
    case MediaType::Unknown:
        break;
    }
    return tr("Unknown");
}

QString KvMediaPropertyValues::secondsText(double seconds)
{
    return QLocale().toString(seconds, 'g', 12);
}

void KvMediaPropertyValues::readFrom(const KvMedia& media)
{
    name = media.name();
    durationText = m_readDurationText = secondsText(media.playingDuration());
    detectTermination = media.detectTermination();
    waitText = m_readWaitText = QLocale().toString(media.wait());
    waitAuto = media.waitAuto();
    stepText = m_readStepText = QLocale().toString(media.step());
    direction = media.playingDirection();
    font = media.font();
    addressText = media.properties().value(URL_PROPERTY).toString();
    ownAddress = media.properties().contains(URL_PROPERTY);
}

bool KvMediaPropertyValues::needs(MediaType::MediaTypes type, Field field) const
{
    if (!offers(type, field))
        return false;
    switch (field) {
    case DurationField:
        if (type == MediaType::Movie)
            return !detectTermination;
        if (type == MediaType::Telop)
            return direction == 1;
        return true;
    case WaitField:
        return !waitAuto;
    case AddressField:
        return ownAddress;
    default:
        return true;
    }
}

KvMediaPropertyValues::Field KvMediaPropertyValues::check(MediaType::MediaTypes type,
                                                          QString* message) const
{
    if (needs(type, DurationField)) {
        double seconds = 0;
        if (durationText.trimmed().isEmpty()) {
            *message = tr("Enter the playing time in seconds.");
            return DurationField;
        }
        if (!toSeconds(durationText, &seconds) || !(seconds > 0) ||
            seconds > KvStageFormat::maxDuration) {
            *message = tr("The playing time must be a number of seconds greater than 0 and "
                          "at most %1.")
                           .arg(QLocale().toString(KvStageFormat::maxDuration, 'f', 0));
            return DurationField;
        }
    }
    if (needs(type, StepField)) {
        int step = 0;
        if (!toWhole(stepText, &step) || step < 1 || step > KvStageFormat::maxMediaValue) {
            *message = tr("The scroll step must be a whole number of pixels, at least 1.");
            return StepField;
        }
    }
    if (needs(type, WaitField)) {
        int wait = 0;
        if (!toWhole(waitText, &wait) || wait < 1 || wait > KvStageFormat::maxMediaValue) {
            *message = tr("The wait must be a whole number of milliseconds, at least 1, "
                          "unless the wait is automatic.");
            return WaitField;
        }
    }
    if (needs(type, AddressField) && !isWebAddress(addressText)) {
        *message = tr("\"%1\" is not a web address. Enter an address beginning with "
                      "http:// or https://.")
                       .arg(addressText.trimmed());
        return AddressField;
    }
    message->clear();
    return NoField;
}

void KvMediaPropertyValues::writeTo(KvMedia* media) const
{
    const MediaType::MediaTypes type = media->mediaType();
    media->setName(name);
    double seconds = 0;
    if (needs(type, DurationField) && durationText.trimmed() != m_readDurationText &&
        toSeconds(durationText, &seconds))
        media->setPlayingDuration(seconds);
    if (type == MediaType::Movie)
        media->setDetectTermination(detectTermination);
    if (type == MediaType::Telop) {
        int value = 0;
        if (stepText.trimmed() != m_readStepText && toWhole(stepText, &value))
            media->setStep(value);
        media->setWaitAuto(waitAuto);
        if (!waitAuto && waitText.trimmed() != m_readWaitText && toWhole(waitText, &value))
            media->setWait(value);
        media->setPlayingDirection(direction);
        media->setFont(font);
    }
    if (type == MediaType::Web) {
        QVariantMap properties = media->properties();
        if (ownAddress)
            properties.insert(URL_PROPERTY, addressText.trimmed());
        else
            properties.remove(URL_PROPERTY);
        media->setProperties(properties);
    }
}

} // namespace Kova
