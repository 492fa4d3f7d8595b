#include "zrstepdriver.h"

#include "zarnoscheduler.h"

ZRStepDriver::ZRStepDriver(ZarnoScheduler *scheduler)
    : QAbstractAnimation(scheduler)
    , m_scheduler(scheduler)
{
    setLoopCount(-1);
}

void ZRStepDriver::updateCurrentTime(int currentTime)
{
    if (currentTime == 0)
        return;
    if (m_scheduler)
        m_scheduler->advance(currentTime * 0.001);
    // Rewinding makes the next advance deliver the time since this one; the
    // nested call with 0 returns above.
    setCurrentTime(0);
}
