#include "kvmediarecords.h"

#include "kvmedia.h"
#include "kvpreservedmedia.h"
#include "kvscreen.h"

namespace Kova {
namespace Commands {

KvMediaRecords::KvMediaRecords(const QList<KvPreservedMedia*>& records)
    : m_records(records)
{
    m_records.removeAll(nullptr);
    settleOwnership();
}

KvMediaRecords::~KvMediaRecords()
{
    qDeleteAll(m_records);
}

void KvMediaRecords::settleOwnership()
{
    for (KvPreservedMedia* record : qAsConst(m_records)) {
        KvMedia* media = record->media();
        const KvScreen* screen = media ? media->parent() : nullptr;
        const bool inScreen = screen && screen->mediaList().contains(media);
        record->setOwnsMedia(media && !inScreen);
    }
}

} // namespace Commands
} // namespace Kova
