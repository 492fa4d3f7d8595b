#ifndef ZARNOTASK_H
#define ZARNOTASK_H

#include <QObject>

class ISchedulable;

// One scheduler registration: how one element receives its frame time.
class ZarnoTask : public QObject
{
    Q_OBJECT
public:
    ZarnoTask(ISchedulable *element, double stepInterval, int schedulingMethod, QObject *parent = nullptr);

    void advance(double dt);

    ISchedulable *element() const { return m_element; }
    double accumulatedTime() const { return m_accumulatedTime; }
    double stepInterval() const { return m_stepInterval; }
    void setStepInterval(double seconds) { m_stepInterval = seconds; }
    bool paused() const { return m_paused; }
    void setPaused(bool paused) { m_paused = paused; }
    // Called when the registration ends: the task never touches its element again.
    void detach() { m_element = nullptr; m_paused = true; }
    int schedulingMethod() const { return m_schedulingMethod; }
    void setSchedulingMethod(int method) { m_schedulingMethod = method; }

    // Longest time handed to an element in one frame, in seconds.
    static constexpr double MaximumFrameTime = 0.1;

private:
    double m_accumulatedTime = 0;
    double m_stepInterval = 0;
    bool m_paused = false;
    ISchedulable *m_element = nullptr;
    int m_schedulingMethod = 1;
};

#endif
