#include "zarnotask.h"

#include "ischedulable.h"
#include "zarnoscheduler.h"

#include <QDebug>

ZarnoTask::ZarnoTask(ISchedulable *element, double stepInterval, int schedulingMethod, QObject *parent)
    : QObject(parent)
    , m_stepInterval(stepInterval)
    , m_element(element)
    , m_schedulingMethod(schedulingMethod)
{
    if (!m_element) {
        m_paused = true;
        qWarning("SchedulableTask: WARNING: No schedulable found, task will not run!");
    }
}

void ZarnoTask::advance(double dt)
{
    if (m_paused || !m_element)
        return;

    const double d = dt > MaximumFrameTime ? MaximumFrameTime : dt;

    // A non-positive interval would never drain the accumulator: such a task is
    // ticked once per frame, as with the None method.
    if (m_schedulingMethod != ZarnoScheduler::Accumulated || !(m_stepInterval > 0)) {
        m_element->tick(d);
        return;
    }

    m_accumulatedTime += d;
    while (m_accumulatedTime > m_stepInterval) {
        m_accumulatedTime -= m_stepInterval;
        m_element->tick(m_stepInterval);
        // The element may have unregistered itself (or been paused) from its tick.
        if (m_paused || !m_element)
            return;
    }
}
