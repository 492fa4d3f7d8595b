#ifndef ZRSTEPDRIVER_H
#define ZRSTEPDRIVER_H

#include <QAbstractAnimation>
#include <QPointer>

class ZarnoScheduler;

// An endless animation that turns every animation-timer advance into one scheduler frame.
class ZRStepDriver : public QAbstractAnimation
{
    Q_OBJECT
public:
    explicit ZRStepDriver(ZarnoScheduler *scheduler);

    int duration() const override { return 1000; }

protected:
    void updateCurrentTime(int currentTime) override;

private:
    QPointer<ZarnoScheduler> m_scheduler;
};

#endif
