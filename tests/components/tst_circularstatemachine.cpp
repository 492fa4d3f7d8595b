#include "components/circularstatemachine.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
// A hand-driven clock: tests move time explicitly, nothing sleeps.
struct ManualClock
{
    qint64 now = 1000;
    CircularStateMachine::Clock function()
    {
        return [this] { return now; };
    }
};

struct Machine
{
    ManualClock clock;
    CircularStateMachine machine;
    explicit Machine(int states, float rate, int loops = -1)
    {
        machine.setClock(clock.function());
        machine.setNumStates(states);
        machine.setStateRate(rate);
        machine.setLoops(loops);
    }
    void elapse(qint64 ms)
    {
        clock.now += ms;
        machine.updateTime();
    }
};
}

class tst_CircularStateMachine : public QObject
{
    Q_OBJECT
private slots:
    void singleLoopStopsOnFirstState();
    void longStallCountsAsOneSecond();
    void overshootingLastLoopRestsOnFirstState();
    void zeroRateNeverAdvances();
    void progressWithinState();
    void currentStateOnlyWhilePaused();
    void noStatesReportsEveryAdvanceAsLoop();
    void clockGoingBackNeverStepsBackwards();
    void pausedOrStoppedTimeIsDropped();
    void stepOnceNeedsPausedAndRunning();
    void reversePlaybackCountsArrivalsAtFirstState();
    void nextStateWrapsInPlayingDirection();
    void settersRejectInvalidAndRepeatedValues();
    void startAndRestartSignals();
    void listenerRestartingOnLoopEndKeepsItsState();
};

void tst_CircularStateMachine::singleLoopStopsOnFirstState()
{
    Machine m(3, 10.0f, 1);
    QSignalSpy finished(&m.machine, &CircularStateMachine::loopFinished);
    QSignalSpy running(&m.machine, &CircularStateMachine::runningChanged);
    QVector<int> states;
    connect(&m.machine, &CircularStateMachine::currentStateChanged, this,
            [&] { states.append(m.machine.currentState()); });

    for (int i = 0; i < 3; ++i)
        m.elapse(100);

    QCOMPARE(states, (QVector<int>{1, 2, 0}));
    QCOMPARE(m.machine.loops(), 0);
    QCOMPARE(m.machine.running(), false);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(running.count(), 1);

    m.elapse(1000);
    QCOMPARE(m.machine.currentState(), 0);
    QCOMPARE(finished.count(), 1);
}

void tst_CircularStateMachine::longStallCountsAsOneSecond()
{
    Machine m(20, 10.0f);
    QSignalSpy finished(&m.machine, &CircularStateMachine::loopFinished);
    m.elapse(7000);
    QCOMPARE(m.machine.currentState(), 10);
    QCOMPARE(finished.count(), 0);

    // Exactly five seconds is not a stall.
    Machine n(100, 10.0f);
    n.elapse(5000);
    QCOMPARE(n.machine.currentState(), 50);
}

void tst_CircularStateMachine::overshootingLastLoopRestsOnFirstState()
{
    // 3 states at rate 10, one second at once: 10 steps are three loops and a
    // bit, but only two loops remained.
    Machine m(3, 10.0f, 2);
    QSignalSpy finished(&m.machine, &CircularStateMachine::loopFinished);
    QSignalSpy loops(&m.machine, &CircularStateMachine::loopsChanged);
    m.elapse(1000);
    QCOMPARE(m.machine.currentState(), 0);
    QCOMPARE(m.machine.running(), false);
    QCOMPARE(m.machine.loops(), 0);
    QCOMPARE(finished.count(), 2);
    QCOMPARE(loops.count(), 1);

    // Endless playback keeps every wrap and the overshoot.
    Machine endless(3, 10.0f);
    QSignalSpy endlessFinished(&endless.machine, &CircularStateMachine::loopFinished);
    endless.elapse(1000);
    QCOMPARE(endless.machine.currentState(), 1);
    QCOMPARE(endlessFinished.count(), 3);
    QCOMPARE(endless.machine.loops(), -1);
    QVERIFY(endless.machine.running());

    // Two loops left and one finishes: one remains, still running.
    Machine two(3, 10.0f, 2);
    two.elapse(300);
    QCOMPARE(two.machine.loops(), 1);
    QVERIFY(two.machine.running());
}

void tst_CircularStateMachine::zeroRateNeverAdvances()
{
    Machine m(4, 0.0f);
    QSignalSpy states(&m.machine, &CircularStateMachine::currentStateChanged);
    m.elapse(3000);
    m.elapse(60000);
    QCOMPARE(states.count(), 0);
    QCOMPARE(m.machine.progress(), 0.0f);
}

void tst_CircularStateMachine::progressWithinState()
{
    Machine m(8, 4.0f);
    QCOMPARE(m.machine.progress(), 0.0f);
    const float expected[] = {0.4f, 0.8f, 0.2f, 0.6f};
    const int state[] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
        m.elapse(100);
        QVERIFY2(qAbs(m.machine.progress() - expected[i]) < 1e-4f, qPrintable(QString::number(m.machine.progress())));
        QCOMPARE(m.machine.currentState(), state[i]);
    }
}

void tst_CircularStateMachine::currentStateOnlyWhilePaused()
{
    Machine m(3, 1.0f);
    QSignalSpy states(&m.machine, &CircularStateMachine::currentStateChanged);
    m.machine.setCurrentState(2);
    QCOMPARE(m.machine.currentState(), 0);

    m.machine.pause();
    m.machine.setCurrentState(2);
    QCOMPARE(m.machine.currentState(), 2);
    m.machine.setCurrentState(2);
    m.machine.setCurrentState(3);
    m.machine.setCurrentState(-1);
    QCOMPARE(m.machine.currentState(), 2);
    m.machine.setCurrentState(0);
    QCOMPARE(m.machine.currentState(), 0);
    QCOMPARE(states.count(), 2);
}

void tst_CircularStateMachine::noStatesReportsEveryAdvanceAsLoop()
{
    Machine m(0, 10.0f, 1);
    QSignalSpy finished(&m.machine, &CircularStateMachine::loopFinished);
    m.machine.advanceBy(1);
    m.machine.advanceBy(5);
    QCOMPARE(finished.count(), 2);
    QCOMPARE(m.machine.currentState(), 0);
    QCOMPARE(m.machine.nextState(), 0);
    m.elapse(300);
    QCOMPARE(finished.count(), 3);
}

void tst_CircularStateMachine::clockGoingBackNeverStepsBackwards()
{
    Machine m(10, 10.0f);
    m.elapse(350);
    QCOMPARE(m.machine.currentState(), 3);
    QSignalSpy states(&m.machine, &CircularStateMachine::currentStateChanged);
    m.elapse(-86400000 + 100); // e.g. a time-of-day source passing midnight
    QCOMPARE(states.count(), 0);
    QCOMPARE(m.machine.currentState(), 3);
    // Time counts again from the new reading.
    m.elapse(200);
    QCOMPARE(m.machine.currentState(), 5);
}

void tst_CircularStateMachine::pausedOrStoppedTimeIsDropped()
{
    Machine m(10, 10.0f);
    m.elapse(150);
    QCOMPARE(m.machine.currentState(), 1);
    m.machine.pause();
    m.elapse(2000);
    m.machine.resume();
    m.elapse(40);
    QCOMPARE(m.machine.currentState(), 1); // 50 ms carried + 40 ms: no step yet
    m.elapse(20);
    QCOMPARE(m.machine.currentState(), 2);

    m.machine.stop();
    m.elapse(3000);
    m.machine.setRunning(true);
    m.elapse(0);
    QCOMPARE(m.machine.currentState(), 2);
}

void tst_CircularStateMachine::stepOnceNeedsPausedAndRunning()
{
    Machine m(3, 1.0f);
    m.machine.stepOnce();
    QCOMPARE(m.machine.currentState(), 0);
    m.machine.pause();
    m.machine.stepOnce();
    QCOMPARE(m.machine.currentState(), 1);
    m.machine.stop();
    m.machine.stepOnce();
    QCOMPARE(m.machine.currentState(), 1);
}

void tst_CircularStateMachine::reversePlaybackCountsArrivalsAtFirstState()
{
    Machine m(3, 10.0f, 1);
    m.machine.setReverse(true);
    QSignalSpy finished(&m.machine, &CircularStateMachine::loopFinished);
    QVector<int> states;
    connect(&m.machine, &CircularStateMachine::currentStateChanged, this,
            [&] { states.append(m.machine.currentState()); });
    m.elapse(100); // 0 -> 2: leaving state 0 backwards ends no loop
    QCOMPARE(finished.count(), 0);
    m.elapse(100);
    m.elapse(100);
    QCOMPARE(states, (QVector<int>{2, 1, 0}));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(m.machine.running(), false);
    QCOMPARE(m.machine.loops(), 0);

    // Endless reverse: one loop per arrival at 0, also within a large jump.
    Machine e(4, 10.0f);
    e.machine.setReverse(true);
    e.machine.pause();
    e.machine.setCurrentState(2);
    e.machine.resume();
    QSignalSpy endless(&e.machine, &CircularStateMachine::loopFinished);
    e.machine.advanceBy(2); // 2 -> 0
    QCOMPARE(endless.count(), 1);
    e.machine.advanceBy(9); // 0 -> 3 -> ... passes 0 twice (after 4 and 8 steps), rests on 3
    QCOMPARE(endless.count(), 3);
    QCOMPARE(e.machine.currentState(), 3);
}

void tst_CircularStateMachine::nextStateWrapsInPlayingDirection()
{
    Machine m(3, 1.0f);
    QCOMPARE(m.machine.nextState(), 1);
    m.machine.setReverse(true);
    QCOMPARE(m.machine.nextState(), 2);
    m.machine.pause();
    m.machine.setCurrentState(2);
    m.machine.setReverse(false);
    QCOMPARE(m.machine.nextState(), 0);
}

void tst_CircularStateMachine::settersRejectInvalidAndRepeatedValues()
{
    CircularStateMachine machine;
    QSignalSpy states(&machine, &CircularStateMachine::numStatesChanged);
    QSignalSpy rate(&machine, &CircularStateMachine::stateRateChanged);
    QSignalSpy loops(&machine, &CircularStateMachine::loopsChanged);
    QSignalSpy reverse(&machine, &CircularStateMachine::reverseChanged);

    machine.setNumStates(-1);
    machine.setNumStates(4);
    machine.setNumStates(4);
    machine.setStateRate(-2.0f);
    machine.setStateRate(std::numeric_limits<float>::quiet_NaN());
    machine.setStateRate(std::numeric_limits<float>::infinity());
    machine.setStateRate(12.0f);
    machine.setStateRate(12.0f);
    machine.setLoops(-2);
    machine.setLoops(3);
    machine.setLoops(3);
    machine.setReverse(true);
    machine.setReverse(true);

    QCOMPARE(states.count(), 1);
    QCOMPARE(rate.count(), 1);
    QCOMPARE(loops.count(), 1);
    QCOMPARE(reverse.count(), 1);
    QCOMPARE(machine.numStates(), 4);
    QCOMPARE(machine.stateRate(), 12.0f);
    QCOMPARE(machine.loops(), 3);

    // Shrinking the range leaves the state alone; stepping wraps it back in.
    machine.pause();
    machine.setReverse(false);
    machine.setCurrentState(3);
    machine.setNumStates(2);
    QCOMPARE(machine.currentState(), 3);
    machine.advanceBy(1);
    QCOMPARE(machine.currentState(), 0);
}

void tst_CircularStateMachine::startAndRestartSignals()
{
    Machine m(5, 10.0f);
    m.elapse(250);
    QCOMPARE(m.machine.currentState(), 2);
    QSignalSpy running(&m.machine, &CircularStateMachine::runningChanged);
    QSignalSpy states(&m.machine, &CircularStateMachine::currentStateChanged);

    m.machine.restart(); // running: off and on again
    QCOMPARE(running.count(), 2);
    QCOMPARE(states.count(), 1);
    QCOMPARE(m.machine.currentState(), 0);
    QCOMPARE(m.machine.progress(), 0.0f); // the carried 50 ms are gone

    m.machine.start(); // already running on state 0: nothing to report
    QCOMPARE(running.count(), 2);
    QCOMPARE(states.count(), 1);

    m.machine.stop();
    m.machine.restart();
    QCOMPARE(running.count(), 4);
    QVERIFY(m.machine.running());
}

void tst_CircularStateMachine::listenerRestartingOnLoopEndKeepsItsState()
{
    Machine m(3, 10.0f);
    connect(&m.machine, &CircularStateMachine::loopFinished, this, [&] { m.machine.restart(); });
    m.elapse(450); // 4 steps: the wrap restarts, the overshoot is not applied afterwards
    QCOMPARE(m.machine.currentState(), 0);
    QVERIFY(m.machine.running());
}

QTEST_GUILESS_MAIN(tst_CircularStateMachine)
#include "tst_circularstatemachine.moc"
