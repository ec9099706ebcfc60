#include "kvplayschedule.h"

#include "kvplayclock.h"

#include <kvstage.h>

namespace Kova {

struct KvPlaySchedule::ScreenState
{
    KvPlayItem item;
};

KvPlaySchedule::KvPlaySchedule(const KvStage& stage, const QString& dataDir,
                               const KvPlayClock& clock, QObject* parent)
    : QObject(parent)
    , m_stage(stage)
    , m_dataDir(dataDir)
    , m_clock(clock)
{
}

KvPlaySchedule::~KvPlaySchedule()
{
    qDeleteAll(m_screens);
}

QList<int> KvPlaySchedule::screenIds() const
{
    return m_screenIds;
}

KvPlayItem KvPlaySchedule::current(int screenId) const
{
    const ScreenState* state = m_screens.value(screenId);
    return state ? state->item : KvPlayItem();
}

void KvPlaySchedule::start()
{
}

void KvPlaySchedule::update()
{
}

qint64 KvPlaySchedule::nextChangeMs() const
{
    return -1;
}

void KvPlaySchedule::mediumEnded(int screenId)
{
    Q_UNUSED(screenId)
}

void KvPlaySchedule::mediumFailed(int screenId)
{
    Q_UNUSED(screenId)
}

} // namespace Kova
