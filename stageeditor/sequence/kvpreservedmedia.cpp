#include "kvpreservedmedia.h"

#include "kvmedia.h"

namespace Kova {

KvPreservedMedia::KvPreservedMedia(KvMedia* media, int screenIndex, int sequenceIndex,
                                   bool selected, bool ownsMedia)
    : m_media(media)
    , m_screenIndex(screenIndex)
    , m_sequenceIndex(sequenceIndex)
    , m_selected(selected)
    , m_ownsMedia(ownsMedia)
{
}

KvPreservedMedia::KvPreservedMedia(const KvPreservedMedia& other)
    : m_media(other.m_media)
    , m_screenIndex(other.m_screenIndex)
    , m_sequenceIndex(other.m_sequenceIndex)
    , m_selected(other.m_selected)
    , m_ownsMedia(false)
{
}

KvPreservedMedia& KvPreservedMedia::operator=(const KvPreservedMedia& other)
{
    if (this == &other) {
        return *this;
    }
    if (m_media != other.m_media) {
        // The medium held so far is let go (deleted when owned); the new one is not owned.
        if (m_ownsMedia) {
            delete m_media;
        }
        m_media = other.m_media;
        m_ownsMedia = false;
    }
    m_screenIndex = other.m_screenIndex;
    m_sequenceIndex = other.m_sequenceIndex;
    m_selected = other.m_selected;
    return *this;
}

KvPreservedMedia::~KvPreservedMedia()
{
    if (m_ownsMedia) {
        delete m_media;
    }
}

} // namespace Kova
