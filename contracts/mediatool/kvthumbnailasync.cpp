#include "kvthumbnailasync.h"

namespace Kova {

KvThumbnailAsync::KvThumbnailAsync(const QString& filePath, bool autoDelete, QObject* parent)
    : QObject(parent)
    , m_filePath(filePath)
    , m_autoDelete(autoDelete)
{
}

KvThumbnailAsync::~KvThumbnailAsync() = default;

void KvThumbnailAsync::start()
{
    if (m_started) {
        return;
    }
    m_started = true;
    emit finished(KvThumbnail::getFilePropertyFromHashFile(m_filePath));
    if (m_autoDelete) {
        deleteLater();
    }
}

} // namespace Kova
