#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace Kova {

// Reading and writing the small UTF-8 text files that the content editors edit (telop texts,
// web shortcuts). Failures come back as a sentence for the user; a file that cannot be read
// is never written over by these functions.
class KvContentFileText
{
    Q_DECLARE_TR_FUNCTIONS(KvContentFileText)
public:
    // Larger files are not content files the editors are meant for: they are refused.
    static constexpr qint64 MAX_SIZE = 1024 * 1024;

    // The file's text without a leading byte-order mark. False, with `error` set, when the
    // file cannot be opened, is larger than MAX_SIZE or is not valid UTF-8.
    static bool read(const QString& path, QString* text, QString* error);
    // Writes `data` through a temporary file renamed over `path`, so that a failed write
    // leaves the old file whole; the folder is made when missing.
    static bool write(const QString& path, const QByteArray& data, QString* error);
    // The lines of `text`, split at LF, CR LF or CR; a final line end adds no empty line.
    static QStringList lines(const QString& text);
};

} // namespace Kova
