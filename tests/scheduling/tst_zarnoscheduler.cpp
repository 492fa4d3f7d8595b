#include "scheduling/ischedulable.h"
#include "scheduling/zarnoscheduler.h"
#include "scheduling/zarnotask.h"
#include "scheduling/zrstepdriver.h"

#include "support/warningcollector.h"

#include <QtTest>
#include <functional>

namespace {
struct Probe : ISchedulable
{
    QVector<double> ticks;
    std::function<void()> onTick;
    void tick(double seconds) override
    {
        ticks.append(seconds);
        if (onTick)
            onTick();
    }
};
}

class tst_ZarnoScheduler : public QObject
{
    Q_OBJECT
private slots:
    void noneDeliversOnceWithClampedFrameTime();
    void accumulatedStepsFixedIntervals();
    void registrationWarnings();
    void silentWhenNothingRegistered();
    void schedulingMethodNotifiesOnChangeOnly();
    void pauseKeepsAccumulator();
    void registrationDuringPassWaitsForNextFrame();
    void removalDuringPassIsNeverTicked();
    void ticksInRegistrationOrderAcrossRemovals_data();
    void ticksInRegistrationOrderAcrossRemovals();
    void nonPositiveIntervalNeverHangs();
    void stepDriverDeliversWholeMilliseconds();
    void stepDriverPauseDeliversTimeSinceResume();
};

void tst_ZarnoScheduler::noneDeliversOnceWithClampedFrameTime()
{
    ZarnoScheduler scheduler;
    QCOMPARE(scheduler.schedulingMethod(), int(ZarnoScheduler::None));
    Probe a;
    scheduler.addSchedulable(&a, 0.001);
    scheduler.advance(0.016);
    scheduler.advance(0.25);
    QCOMPARE(a.ticks, (QVector<double>{0.016, 0.1}));
    QCOMPARE(scheduler.task(&a)->accumulatedTime(), 0.0);
}

void tst_ZarnoScheduler::accumulatedStepsFixedIntervals()
{
    ZarnoScheduler scheduler;
    scheduler.setSchedulingMethod(ZarnoScheduler::Accumulated);
    Probe a;
    scheduler.addSchedulable(&a, 0.03125);
    scheduler.advance(0.0625);
    QCOMPARE(a.ticks.size(), 1);
    QCOMPARE(scheduler.task(&a)->accumulatedTime(), 0.03125);
    scheduler.advance(0.0625);
    QCOMPARE(a.ticks, (QVector<double>{0.03125, 0.03125, 0.03125}));

    // A long frame adds at most 0.1 s.
    Probe b;
    scheduler.addSchedulable(&b, 1.0);
    scheduler.advance(0.25);
    QVERIFY(b.ticks.isEmpty());
    QCOMPARE(scheduler.task(&b)->accumulatedTime(), 0.1);
}

void tst_ZarnoScheduler::registrationWarnings()
{
    ZarnoScheduler scheduler;
    Probe a, stranger;
    QTest::ignoreMessage(QtWarningMsg, "WARNING: No schedulable element found! Schedulable element not added!");
    scheduler.addSchedulable(nullptr, 0.1);
    scheduler.addSchedulable(&a, 0.5);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: Schedulable element already sheduling! Schedulable element not added!");
    scheduler.addSchedulable(&a, 0.25);
    QCOMPARE(scheduler.task(&a)->stepInterval(), 0.5);

    QTest::ignoreMessage(QtWarningMsg, "WARNING: No shedulable element found! Schedulable element not removed!");
    scheduler.removeSchedulable(nullptr);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: Schedulable element not found! Schedulable element not removed!");
    scheduler.removeSchedulable(&stranger);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: No shedulable element found! UpdateRate of Schedulable element not removed!");
    scheduler.setStepInterval(&stranger, 0.1);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: No shedulable element found! Pause state of Schedulable element not changed!");
    scheduler.setPaused(nullptr, true);

    QTest::ignoreMessage(QtWarningMsg, "SchedulableTask: WARNING: No schedulable found, task will not run!");
    ZarnoTask orphan(nullptr, 0.1, ZarnoScheduler::None);
    QVERIFY(orphan.paused());
    orphan.advance(0.05); // must not touch anything

    QVERIFY(scheduler.isScheduled(&a));
    scheduler.removeSchedulable(&a);
    QVERIFY(!scheduler.isScheduled(&a));
}

void tst_ZarnoScheduler::silentWhenNothingRegistered()
{
    ZarnoScheduler scheduler;
    Probe a;
    WarningCollector log;
    scheduler.removeSchedulable(&a);
    scheduler.removeSchedulable(nullptr);
    scheduler.setStepInterval(&a, 0.2);
    scheduler.setPaused(&a, true);
    scheduler.advance(0.016);
    QVERIFY(!scheduler.isScheduled(&a));
    QCOMPARE(log.warnings, QStringList());
}

void tst_ZarnoScheduler::schedulingMethodNotifiesOnChangeOnly()
{
    ZarnoScheduler scheduler;
    Probe a;
    scheduler.addSchedulable(&a, 0.05);
    QSignalSpy spy(&scheduler, &ZarnoScheduler::schedulingMethodChanged);
    scheduler.setSchedulingMethod(ZarnoScheduler::None);
    QCOMPARE(spy.count(), 0);
    scheduler.setSchedulingMethod(ZarnoScheduler::Accumulated);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(scheduler.task(&a)->schedulingMethod(), int(ZarnoScheduler::Accumulated));
}

void tst_ZarnoScheduler::pauseKeepsAccumulator()
{
    ZarnoScheduler scheduler;
    scheduler.setSchedulingMethod(ZarnoScheduler::Accumulated);
    Probe a;
    scheduler.addSchedulable(&a, 0.05);
    scheduler.advance(0.03);
    scheduler.setPaused(&a, true);
    scheduler.advance(0.1);
    scheduler.advance(0.1);
    QVERIFY(a.ticks.isEmpty());
    QCOMPARE(scheduler.task(&a)->accumulatedTime(), 0.03);
    scheduler.setPaused(&a, false);
    scheduler.advance(0.03);
    QCOMPARE(a.ticks.size(), 1);
    QVERIFY(qFuzzyCompare(scheduler.task(&a)->accumulatedTime(), 0.01));
}

void tst_ZarnoScheduler::registrationDuringPassWaitsForNextFrame()
{
    ZarnoScheduler scheduler;
    Probe a, late;
    a.onTick = [&] {
        if (!scheduler.isScheduled(&late))
            scheduler.addSchedulable(&late, 0.01);
    };
    scheduler.addSchedulable(&a, 0.01);
    scheduler.advance(0.02);
    QVERIFY(late.ticks.isEmpty());
    scheduler.advance(0.02);
    QCOMPARE(late.ticks, QVector<double>{0.02});
}

void tst_ZarnoScheduler::removalDuringPassIsNeverTicked()
{
    // Each element removes (and "destroys") the other; whichever comes first in
    // the address order, the other must not be ticked in the same pass.
    ZarnoScheduler scheduler;
    scheduler.setSchedulingMethod(ZarnoScheduler::Accumulated);
    auto *a = new Probe;
    auto *b = new Probe;
    int alive = 2;
    a->onTick = [&] {
        if (scheduler.isScheduled(b)) {
            scheduler.removeSchedulable(b);
            --alive;
        }
    };
    b->onTick = [&] {
        if (scheduler.isScheduled(a)) {
            scheduler.removeSchedulable(a);
            --alive;
        }
    };
    scheduler.addSchedulable(a, 0.01);
    scheduler.addSchedulable(b, 0.01);
    scheduler.advance(0.05);
    QCOMPARE(alive, 1);
    QVERIFY(a->ticks.isEmpty() != b->ticks.isEmpty());

    // An element that removes itself mid-accumulation stops at once.
    Probe self;
    self.onTick = [&] { scheduler.removeSchedulable(&self); };
    scheduler.addSchedulable(&self, 0.01);
    scheduler.advance(0.05);
    QCOMPARE(self.ticks.size(), 1);
    delete a;
    delete b;
}

void tst_ZarnoScheduler::ticksInRegistrationOrderAcrossRemovals_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QVector<int>>("removed"); // registration numbers
    QTest::addColumn<bool>("duringPass");      // removed by the first element's tick
    const int none = ZarnoScheduler::None, accumulated = ZarnoScheduler::Accumulated;
    QVector<int> most, everyOther;
    for (int i = 0; i < 100; ++i) {
        if (i % 10)
            most << i;
        if (i % 2 == 0)
            everyOther << i;
    }
    QTest::newRow("nothing removed") << none << QVector<int>{} << false;
    QTest::newRow("ends removed") << none << QVector<int>{0, 99} << false;
    QTest::newRow("every other removed") << accumulated << everyOther << false;
    QTest::newRow("most removed in a pass") << none << most << true;
    QTest::newRow("most removed in a pass, accumulated") << accumulated << most << true;
}

void tst_ZarnoScheduler::ticksInRegistrationOrderAcrossRemovals()
{
    QFETCH(int, method);
    QFETCH(QVector<int>, removed);
    QFETCH(bool, duringPass);
    ZarnoScheduler scheduler;
    scheduler.setSchedulingMethod(method);
    // Registered from the highest address down, so no address order can pass.
    std::vector<Probe> probes(100);
    // Accumulated steps of 1/64 s in frames of 1/32 s tick an element twice in
    // a row: noted once.
    QVector<int> order;
    auto note = [&order](int r) {
        if (order.isEmpty() || order.last() != r)
            order << r;
    };
    for (int r = 0; r < 100; ++r) {
        probes[size_t(99 - r)].onTick = [note, r] { note(r); };
        scheduler.addSchedulable(&probes[size_t(99 - r)], 1.0 / 64);
    }
    auto removeAll = [&] {
        for (int r : removed)
            scheduler.removeSchedulable(&probes[size_t(99 - r)]);
    };
    if (duringPass)
        probes[99].onTick = [&] {
            note(0);
            if (scheduler.isScheduled(&probes[0]))
                removeAll();
        };
    else
        removeAll();

    QVector<int> kept;
    for (int r = 0; r < 100; ++r) {
        if (!removed.contains(r))
            kept << r;
    }
    for (int frame = 0; frame < 3; ++frame) { // the second and third after the gaps are closed
        order.clear();
        scheduler.advance(1.0 / 32);
        QCOMPARE(order, kept);
    }
    QCOMPARE(scheduler.count(), kept.size());
    for (int r = 0; r < 100; ++r) {
        const ZarnoTask *task = scheduler.task(&probes[size_t(99 - r)]);
        QCOMPARE(task ? task->element() : nullptr, removed.contains(r) ? nullptr : &probes[size_t(99 - r)]);
    }
    // Back again, a removed element comes last.
    if (!removed.isEmpty()) {
        scheduler.addSchedulable(&probes[size_t(99 - removed.first())], 1.0 / 64);
        order.clear();
        scheduler.advance(1.0 / 32);
        QCOMPARE(order, kept + QVector<int>{removed.first()});
    }
}

void tst_ZarnoScheduler::nonPositiveIntervalNeverHangs()
{
    ZarnoScheduler scheduler;
    scheduler.setSchedulingMethod(ZarnoScheduler::Accumulated);
    Probe a;
    QTest::ignoreMessage(QtWarningMsg, "WARNING: Step interval 0 is not positive! The element is ticked once per frame.");
    scheduler.addSchedulable(&a, 0);
    scheduler.advance(0.02);
    QCOMPARE(a.ticks, QVector<double>{0.02});
    QTest::ignoreMessage(QtWarningMsg, "WARNING: Step interval -1 is not positive! The element is ticked once per frame.");
    scheduler.setStepInterval(&a, -1);
    scheduler.advance(0.3);
    QCOMPARE(a.ticks, (QVector<double>{0.02, 0.1}));
}

void tst_ZarnoScheduler::stepDriverDeliversWholeMilliseconds()
{
    ZarnoScheduler scheduler;
    Probe a;
    scheduler.addSchedulable(&a, 0.01);
    ZRStepDriver driver(&scheduler);
    QCOMPARE(driver.loopCount(), -1);
    QCOMPARE(driver.duration(), 1000);
    driver.setCurrentTime(0);
    QVERIFY(a.ticks.isEmpty());
    driver.setCurrentTime(16);
    driver.setCurrentTime(17);
    QCOMPARE(a.ticks, (QVector<double>{0.016, 0.017}));
    QCOMPARE(driver.currentTime(), 0);
    // Time within a loop: a 1250 ms stall is 250 ms, clamped to 0.1 s per element,
    // and a whole second is nothing at all.
    driver.setCurrentTime(1250);
    QCOMPARE(a.ticks.last(), 0.1);
    const int before = a.ticks.size();
    driver.setCurrentTime(1000);
    QCOMPARE(a.ticks.size(), before);
}

void tst_ZarnoScheduler::stepDriverPauseDeliversTimeSinceResume()
{
    ZarnoScheduler scheduler;
    Probe a;
    scheduler.addSchedulable(&a, 0.01);
    ZRStepDriver driver(&scheduler);
    driver.start();
    QTRY_VERIFY(!a.ticks.isEmpty());
    driver.pause();
    const int before = a.ticks.size();
    QTest::qWait(300);
    QCOMPARE(a.ticks.size(), before);
    driver.resume();
    QTRY_VERIFY(a.ticks.size() > before);
    // The first delivery after resume is a frame, not the 300 ms of the pause.
    QVERIFY2(a.ticks.at(before) < 0.09, qPrintable(QString::number(a.ticks.at(before))));
}

QTEST_GUILESS_MAIN(tst_ZarnoScheduler)
#include "tst_zarnoscheduler.moc"
