#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <exception>

namespace Kova {

// A failed file operation: which operation, on which file, and why. The file manipulator
// hands it over by its errorOccured() signal; it is a value that can be copied and queued.
class KvFileErrorException : public std::exception
{
public:
    KvFileErrorException() = default;
    // operation: the manipulator's operation (0 copy, 1 move, 2 remove); errorNumber: the
    // system's error number when there is one, else 0.
    KvFileErrorException(int operation, const QString& filePath, const QString& reason,
                         int errorNumber = 0);
    KvFileErrorException(const KvFileErrorException& other) = default;
    KvFileErrorException& operator=(const KvFileErrorException& other) = default;
    ~KvFileErrorException() override;

    int operation() const { return m_operation; }
    QString filePath() const { return m_filePath; }
    QString reason() const { return m_reason; }
    int errorNumber() const { return m_errorNumber; }
    // The text shown to the user: the file and the reason.
    QString message() const;

    const char* what() const noexcept override;

private:
    int m_operation = -1;
    QString m_filePath;
    QString m_reason;
    int m_errorNumber = 0;
    QByteArray m_what;
};

} // namespace Kova

Q_DECLARE_METATYPE(Kova::KvFileErrorException)
