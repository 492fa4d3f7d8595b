#include "zarnoscheduler.h"

#include "ischedulable.h"
#include "zarnotask.h"

#include <QDebug>

/*!
    \qmltype ZarnoScheduler
    \inqmlmodule Zarno
    \instantiates ZarnoScheduler
    \brief The frame scheduler that steps MovementAnimation and the physics worlds.

    One instance exists, the context object \c zarnoScheduler; QML cannot
    create another. Once per frame the step driver hands it the frame time,
    and it steps every running MovementAnimation and physics World with it, at
    most 0.1 s at a time. Pausing the game (System::pauseGameForObject())
    pauses the step driver and so all of them.

    \qml
    GameWindow {
        // fixed slices of 1/updateInterval s instead of one step per frame
        Component.onCompleted: zarnoScheduler.schedulingMethod = ZarnoScheduler.Accumulated
    }
    \endqml
*/

/*!
    \qmlproperty enumeration ZarnoScheduler::schedulingMethod
    How the frame time reaches each element:
    \value ZarnoScheduler.None one step per frame with the frame time, at most
           0.1 s (the default)
    \value ZarnoScheduler.Accumulated the time is gathered per element and
           handed out in steps of the element's own interval (1/updateInterval
           of a MovementAnimation, the time step of a World); what is left
           waits for the next frame
*/

ZarnoScheduler::ZarnoScheduler(QObject *parent)
    : QObject(parent)
{
}

ZarnoScheduler::~ZarnoScheduler()
{
    // Tasks are children and go with the scheduler; the elements are not ours.
    m_tasks.clear();
}

static void warnIfNotPositive(double seconds)
{
    if (!(seconds > 0))
        qWarning("WARNING: Step interval %g is not positive! The element is ticked once per frame.", seconds);
}

void ZarnoScheduler::addSchedulable(ISchedulable *element, double stepInterval)
{
    if (!element) {
        qWarning("WARNING: No schedulable element found! Schedulable element not added!");
        return;
    }
    if (m_tasks.contains(element)) {
        qWarning("WARNING: Schedulable element already sheduling! Schedulable element not added!");
        return;
    }
    if (m_schedulingMethod == Accumulated)
        warnIfNotPositive(stepInterval);
    m_tasks.insert(element, new ZarnoTask(element, stepInterval, m_schedulingMethod, this));
}

void ZarnoScheduler::dropTask(ZarnoTask *task)
{
    // A pass may still hold this task in its snapshot: detached, it never calls its
    // element again, and it is freed once control returns to the event loop.
    task->detach();
    if (m_inPass)
        task->deleteLater();
    else
        delete task;
}

void ZarnoScheduler::removeSchedulable(ISchedulable *element)
{
    if (m_tasks.isEmpty())
        return;
    if (!element) {
        qWarning("WARNING: No shedulable element found! Schedulable element not removed!");
        return;
    }
    auto it = m_tasks.find(element);
    if (it == m_tasks.end()) {
        qWarning("WARNING: Schedulable element not found! Schedulable element not removed!");
        return;
    }
    ZarnoTask *task = it.value();
    m_tasks.erase(it);
    dropTask(task);
}

bool ZarnoScheduler::isScheduled(ISchedulable *element) const
{
    return !m_tasks.isEmpty() && m_tasks.contains(element);
}

ZarnoTask *ZarnoScheduler::liveTask(ISchedulable *element, const char *missingWarning) const
{
    // Nothing registered at all is a normal state (start-up, shutdown): stay silent.
    if (m_tasks.isEmpty())
        return nullptr;
    ZarnoTask *task = element ? m_tasks.value(element) : nullptr;
    if (!task)
        qWarning("%s", missingWarning);
    return task;
}

void ZarnoScheduler::setStepInterval(ISchedulable *element, double seconds)
{
    ZarnoTask *task = liveTask(element, "WARNING: No shedulable element found! UpdateRate of Schedulable element not removed!");
    if (!task)
        return;
    if (task->schedulingMethod() == Accumulated)
        warnIfNotPositive(seconds);
    task->setStepInterval(seconds);
}

void ZarnoScheduler::setPaused(ISchedulable *element, bool paused)
{
    if (ZarnoTask *task = liveTask(element, "WARNING: No shedulable element found! Pause state of Schedulable element not changed!"))
        task->setPaused(paused);
}

void ZarnoScheduler::advance(double dt)
{
    if (m_tasks.isEmpty())
        return;

    // A shared copy: no allocation unless a tick changes the registrations.
    const QMap<ISchedulable *, ZarnoTask *> snapshot = m_tasks;
    const bool outerPass = !m_inPass;
    m_inPass = true;
    for (auto it = snapshot.cbegin(), end = snapshot.cend(); it != end; ++it) {
        // A registration removed earlier in this pass has a detached task (kept
        // alive until the pass is over) that ignores the call: its element may be gone.
        ZarnoTask *task = it.value();
        if (!task->paused())
            task->advance(dt);
    }
    if (outerPass)
        m_inPass = false;
}

void ZarnoScheduler::setSchedulingMethod(int method)
{
    if (method == m_schedulingMethod)
        return;
    m_schedulingMethod = method;
    emit schedulingMethodChanged();
    for (ZarnoTask *task : qAsConst(m_tasks))
        task->setSchedulingMethod(method);
}
