#pragma once

#include "mediatype.h"

#include <QCoreApplication>
#include <QFont>
#include <QString>

namespace Kova {

class KvMedia;

// The values the media property dialog edits, held as the user typed them, and the rules that
// decide whether they may be stored in a medium. Values the medium's type does not use, and
// fields left as they were read, leave the medium's own values alone.
class KvMediaPropertyValues
{
    Q_DECLARE_TR_FUNCTIONS(KvMediaPropertyValues)
public:
    enum Field { NoField, NameField, DurationField, WaitField, StepField, AddressField };

    // The key of a web medium's properties() that holds an address chosen by the user in
    // place of the one its file names.
    static const QString URL_PROPERTY;

    // Whether the dialog offers `field` for media of `type`.
    static bool offers(MediaType::MediaTypes type, Field field);
    // The address a web medium's file names: the URL= line of a .url file's
    // [InternetShortcut] section, or the file's own location for a page file. Empty when
    // the file cannot be read.
    static QString webAddressFromFile(const QString& absolutePath);
    // An absolute http or https address with a host.
    static bool isWebAddress(const QString& text);
    // The name a user knows the media type by ("Image", "Web page", ...).
    static QString typeName(MediaType::MediaTypes type);
    // Seconds as the fields show them.
    static QString secondsText(double seconds);

    void readFrom(const KvMedia& media);
    // The first field whose text cannot be stored for media of `type` (NoField when every
    // one can), with the reason in `message`.
    Field check(MediaType::MediaTypes type, QString* message) const;
    // Stores the values into `media`; only to be called when check() found nothing.
    void writeTo(KvMedia* media) const;

    // A field is needed when its value decides what plays: the playing time of a movie only
    // when it does not play to its end, of a telop only when it stands still; the wait only
    // without automatic wait; the address only when the user gives one.
    bool needs(MediaType::MediaTypes type, Field field) const;

    QString name;
    QString durationText;
    bool detectTermination = false;
    QString waitText;
    bool waitAuto = false;
    QString stepText;
    int direction = 2;
    QFont font;
    bool ownAddress = false;
    QString addressText;

private:
    QString m_readDurationText;
    QString m_readWaitText;
    QString m_readStepText;
};

} // namespace Kova
