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
    m_ticked.clear();
    m_tasks.clear();
    m_index.clear();
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
    if (m_index.contains(element)) {
        qWarning("WARNING: Schedulable element already sheduling! Schedulable element not added!");
        return;
    }
    if (m_schedulingMethod == Accumulated)
        warnIfNotPositive(stepInterval);
    m_index.insert(element, int(m_tasks.size()));
    m_tasks.push_back(new ZarnoTask(element, stepInterval, m_schedulingMethod, this));
    m_ticked.push_back(element);
}

void ZarnoScheduler::dropTask(ZarnoTask *task)
{
    // A pass may be inside this task's advance (the element unregistering from its
    // own tick): detached, it never calls its element again, and it is freed once
    // control returns to the event loop.
    task->detach();
    if (m_inPass)
        task->deleteLater();
    else
        delete task;
}

void ZarnoScheduler::removeSchedulable(ISchedulable *element)
{
    if (m_index.isEmpty())
        return;
    if (!element) {
        qWarning("WARNING: No shedulable element found! Schedulable element not removed!");
        return;
    }
    auto it = m_index.find(element);
    if (it == m_index.end()) {
        qWarning("WARNING: Schedulable element not found! Schedulable element not removed!");
        return;
    }
    const size_t i = size_t(it.value());
    m_index.erase(it);
    ZarnoTask *task = m_tasks[i];
    m_tasks[i] = nullptr;
    m_ticked[i] = nullptr;
    ++m_tombstones;
    dropTask(task);
    // Registrations that come and go without frames in between must not pile up.
    if (!m_inPass && m_tombstones > 64 && size_t(m_tombstones) * 2 > m_tasks.size())
        compact();
}

bool ZarnoScheduler::isScheduled(ISchedulable *element) const
{
    return !m_index.isEmpty() && m_index.contains(element);
}

const ZarnoTask *ZarnoScheduler::task(ISchedulable *element) const
{
    const int i = m_index.value(element, -1);
    return i < 0 ? nullptr : m_tasks[size_t(i)];
}

ZarnoTask *ZarnoScheduler::liveTask(ISchedulable *element, const char *missingWarning) const
{
    // Nothing registered at all is a normal state (start-up, shutdown): stay silent.
    if (m_index.isEmpty())
        return nullptr;
    ZarnoTask *task = element ? const_cast<ZarnoTask *>(this->task(element)) : nullptr;
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
    if (ZarnoTask *task = liveTask(element, "WARNING: No shedulable element found! Pause state of Schedulable element not changed!")) {
        task->setPaused(paused);
        m_ticked[size_t(m_index.value(element))] = paused ? nullptr : element;
    }
}

void ZarnoScheduler::compact()
{
    // In place and in order: the index values are rewritten, no node is allocated.
    size_t kept = 0;
    for (size_t i = 0, n = m_tasks.size(); i < n; ++i) {
        ZarnoTask *task = m_tasks[i];
        if (!task)
            continue;
        if (kept != i) {
            m_tasks[kept] = task;
            m_ticked[kept] = m_ticked[i];
            m_index[task->element()] = int(kept);
        }
        ++kept;
    }
    m_tasks.resize(kept);
    m_ticked.resize(kept);
    m_tombstones = 0;
}

void ZarnoScheduler::advance(double dt)
{
    const bool outerPass = !m_inPass;
    if (outerPass && m_tombstones > 0)
        compact();
    if (m_index.isEmpty())
        return;

    m_inPass = true;
    // Registrations added by a tick land beyond this end and wait for the next
    // frame; places are read by index because such an addition may move them.
    const size_t end = m_tasks.size();
    const double d = dt > ZarnoTask::MaximumFrameTime ? ZarnoTask::MaximumFrameTime : dt;
    for (size_t i = 0; i < end; ++i) {
        // Null when paused or removed, even earlier in this pass: such an
        // element is not called, it may be gone.
        ISchedulable *element = m_ticked[i];
        if (!element)
            continue;
        // Every task carries the scheduler's method, so with None its step
        // reduces to one clamped call, made here without visiting the task.
        if (m_schedulingMethod != Accumulated)
            element->tick(d);
        else
            m_tasks[i]->advance(dt);
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
    for (ZarnoTask *task : m_tasks) {
        if (task)
            task->setSchedulingMethod(method);
    }
}
