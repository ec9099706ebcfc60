#include "kvfileerrorexception.h"

#include <QCoreApplication>
#include <QDir>

namespace Kova {

KvFileErrorException::KvFileErrorException(int operation, const QString& filePath,
                                           const QString& reason, int errorNumber)
    : m_operation(operation)
    , m_filePath(filePath)
    , m_reason(reason)
    , m_errorNumber(errorNumber)
    , m_what(message().toUtf8())
{
}

KvFileErrorException::~KvFileErrorException() = default;

QString KvFileErrorException::message() const
{
    QString verb;
    switch (m_operation) {
    case 0:
        verb = QCoreApplication::translate("Kova::KvFileErrorException", "copy");
        break;
    case 1:
        verb = QCoreApplication::translate("Kova::KvFileErrorException", "move");
        break;
    case 2:
        verb = QCoreApplication::translate("Kova::KvFileErrorException", "delete");
        break;
    default:
        verb = QCoreApplication::translate("Kova::KvFileErrorException", "operate on");
        break;
    }
    return QCoreApplication::translate("Kova::KvFileErrorException", "Could not %1 \"%2\".\n%3")
        .arg(verb, QDir::toNativeSeparators(m_filePath), m_reason);
}

const char* KvFileErrorException::what() const noexcept
{
    return m_what.constData();
}

} // namespace Kova
