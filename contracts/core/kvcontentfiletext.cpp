#include "kvcontentfiletext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextCodec>

namespace Kova {

bool KvContentFileText::read(const QString& path, QString* text, QString* error)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("The file \"%1\" cannot be read: %2").arg(name, file.errorString());
        return false;
    }
    if (file.size() > MAX_SIZE) {
        *error = tr("The file \"%1\" is too large to edit here (more than %2 KB).")
                     .arg(name)
                     .arg(MAX_SIZE / 1024);
        return false;
    }
    // A file that grows while it is read is cut at one byte past the limit and refused.
    QByteArray data = file.read(MAX_SIZE + 1);
    if (data.size() > MAX_SIZE || file.error() != QFileDevice::NoError) {
        *error = tr("The file \"%1\" cannot be read: %2").arg(name, file.errorString());
        return false;
    }
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QTextCodec::ConverterState state;
    const QString decoded =
        QTextCodec::codecForName("UTF-8")->toUnicode(data.constData(), data.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0) {
        *error = tr("The file \"%1\" is not UTF-8 text, so it cannot be edited here. "
                    "It was left as it is.")
                     .arg(name);
        return false;
    }
    *text = decoded;
    return true;
}

bool KvContentFileText::write(const QString& path, const QByteArray& data, QString* error)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        *error = tr("The folder \"%1\" cannot be made.").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *error = tr("The file \"%1\" cannot be saved: %2").arg(info.fileName(), file.errorString());
        return false;
    }
    return true;
}

QStringList KvContentFileText::lines(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList result = text.split(lineEnd);
    if (result.last().isEmpty())
        result.removeLast();
    return result;
}

} // namespace Kova
