#include "kvevent.h"

namespace Kova {

KvEvent::KvEvent(int type, int screenId, Direction direction, const QStringList& actions,
                 bool localOnly, KvScreen* parent)
    : m_type(type)
    , m_screenId(screenId)
    , m_actions(actions)
    , m_direction(direction)
    , m_localOnly(localOnly)
    , m_parent(parent)
{
}

bool KvEvent::isMatch(const KvEvent& other) const
{
    return m_type == other.m_type && m_screenId == other.m_screenId &&
           m_direction == other.m_direction && m_localOnly == other.m_localOnly &&
           m_actions == other.m_actions;
}

} // namespace Kova
