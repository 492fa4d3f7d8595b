#ifndef ZARNOSCHEDULER_H
#define ZARNOSCHEDULER_H

#include <QMap>
#include <QObject>

class ISchedulable;
class ZarnoTask;

// Steps every registered ISchedulable once per frame with the frame time.
class ZarnoScheduler : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int schedulingMethod READ schedulingMethod WRITE setSchedulingMethod NOTIFY schedulingMethodChanged)
public:
    enum SchedulingMethod { Accumulated = 0, None = 1 };
    Q_ENUM(SchedulingMethod)

    explicit ZarnoScheduler(QObject *parent = nullptr);
    ~ZarnoScheduler() override;

    void addSchedulable(ISchedulable *element, double stepInterval);
    void removeSchedulable(ISchedulable *element);
    bool isScheduled(ISchedulable *element) const;
    void setStepInterval(ISchedulable *element, double seconds);
    void setPaused(ISchedulable *element, bool paused);

    // One frame: called by the step driver with the elapsed seconds.
    void advance(double dt);

    int schedulingMethod() const { return m_schedulingMethod; }
    void setSchedulingMethod(int method);

    // The live task of an element, or null; for inspection by tools and tests.
    const ZarnoTask *task(ISchedulable *element) const { return m_tasks.value(element); }
    int count() const { return m_tasks.size(); }

signals:
    void schedulingMethodChanged();

private:
    void dropTask(ZarnoTask *task);
    ZarnoTask *liveTask(ISchedulable *element, const char *missingWarning) const;

    QMap<ISchedulable *, ZarnoTask *> m_tasks;
    int m_schedulingMethod = None;
    bool m_inPass = false;
};

#endif
