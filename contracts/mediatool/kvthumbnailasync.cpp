#include "kvthumbnailasync.h"
#include "kvthumbnailwork.h"

namespace Kova {

KvThumbnailAsync::KvThumbnailAsync(const QString& filePath, bool autoDelete, QObject* parent)
    : QObject(parent)
    , m_filePath(filePath)
    , m_autoDelete(autoDelete)
{
    qRegisterMetaType<Kova::KvThumbnail::FileProperty>();
}

KvThumbnailAsync::~KvThumbnailAsync()
{
    if (m_started && !m_delivered) {
        KvThumbnailWork::withdraw(this, m_filePath);
    }
}

int KvThumbnailAsync::startedWorkCount()
{
    return KvThumbnailWork::startedCount();
}

void KvThumbnailAsync::start()
{
    if (m_started) {
        return;
    }
    m_started = true;
    KvThumbnailWork::request(this, m_filePath);
}

void KvThumbnailAsync::deliver(const KvThumbnail::FileProperty& property)
{
    if (m_delivered) {
        return;
    }
    m_delivered = true;
    emit finished(property);
    if (m_autoDelete) {
        deleteLater();
    }
}

} // namespace Kova
