#ifndef ZARNOSCHEDULER_H
#define ZARNOSCHEDULER_H

#include <QHash>
#include <QObject>
#include <vector>

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
    const ZarnoTask *task(ISchedulable *element) const;
    int count() const { return m_index.size(); }

signals:
    void schedulingMethodChanged();

private:
    // What a pass reads, in registration order: one pointer per registration,
    // the element to tick or null for a paused one, so a frame walks one array
    // as a plain loop would. m_tasks runs alongside (the task of each place; a
    // null task marks the tombstone of a removed registration until the next
    // pass that starts outside any other pass closes the gaps).
    void dropTask(ZarnoTask *task);
    ZarnoTask *liveTask(ISchedulable *element, const char *missingWarning) const;
    void compact();

    std::vector<ISchedulable *> m_ticked;
    std::vector<ZarnoTask *> m_tasks;
    QHash<ISchedulable *, int> m_index; // element -> its place in both
    int m_tombstones = 0;
    int m_schedulingMethod = None;
    bool m_inPass = false;
};

#endif
