#include "circularstatemachine.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>

namespace {

// A steady clock: the time of day jumps at midnight and whenever the system
// clock is set, and an animation must never run backwards because of that.
qint64 steadyMilliseconds()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// More steps than this in one update only come from absurd rates; without a
// bound, one frame could emit billions of loopFinished() signals.
constexpr qint64 MaxStepsPerUpdate = 100000;

} // namespace

CircularStateMachine::CircularStateMachine(QObject *parent)
    : QObject(parent)
    , m_clock(steadyMilliseconds)
{
    m_lastUpdate = m_clock();
}

void CircularStateMachine::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(steadyMilliseconds);
    m_lastUpdate = m_clock();
}

void CircularStateMachine::setNumStates(int numStates)
{
    // The current state is deliberately left alone: the owner decides what a
    // state beyond a shortened range means.
    if (numStates < 0 || numStates == m_numStates)
        return;
    m_numStates = numStates;
    emit numStatesChanged();
}

void CircularStateMachine::setStateRate(float stateRate)
{
    if (!std::isfinite(stateRate) || stateRate < 0.0f || stateRate == m_stateRate)
        return;
    m_stateRate = stateRate;
    emit stateRateChanged();
}

void CircularStateMachine::setLoops(int loops)
{
    if (loops < -1 || loops == m_loops)
        return;
    m_loops = loops;
    emit loopsChanged();
}

void CircularStateMachine::setRunning(bool running)
{
    if (running == m_running)
        return;
    m_running = running;
    emit runningChanged();
}

void CircularStateMachine::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    emit pausedChanged();
}

void CircularStateMachine::setReverse(bool reverse)
{
    if (reverse == m_reverse)
        return;
    m_reverse = reverse;
    emit reverseChanged();
}

void CircularStateMachine::setCurrentState(int state)
{
    if (!m_paused || state < 0 || state >= m_numStates || state == m_currentState)
        return;
    m_currentState = state;
    emit currentStateChanged();
}

void CircularStateMachine::start()
{
    ++m_startCount;
    if (m_currentState != 0) {
        m_currentState = 0;
        emit currentStateChanged();
    }
    m_lastUpdate = m_clock();
    m_accumulator = 0.0f;
    setRunning(true);
}

void CircularStateMachine::stop()
{
    setRunning(false);
}

void CircularStateMachine::restart()
{
    setRunning(false);
    start();
}

void CircularStateMachine::pause()
{
    setPaused(true);
}

void CircularStateMachine::resume()
{
    setPaused(false);
}

void CircularStateMachine::stepOnce()
{
    if (m_paused && m_running)
        advanceBy(1);
}

void CircularStateMachine::updateTime()
{
    const qint64 now = m_clock();
    // A clock that went back yields no time at all rather than a negative step.
    const qint64 elapsed = std::max<qint64>(0, now - m_lastUpdate);
    m_lastUpdate = now;

    // Time is dropped while stopped or paused so that resuming does not jump.
    if (m_stateRate == 0.0f || !m_running || m_paused)
        return;

    float t = float(elapsed) / 1000.0f;
    if (t > 5.0f)
        t = 1.0f; // a long stall (debugger, suspended process) counts as one second

    const float a = m_accumulator + t;
    const float interval = 1.0f / m_stateRate;
    const qint64 n = std::min<qint64>(qint64(std::floor(a / interval)), MaxStepsPerUpdate);
    m_accumulator = std::max(0.0f, a - float(n) * interval);
    if (n > 0)
        advanceBy(int(n));
}

void CircularStateMachine::advanceBy(int n)
{
    if (m_numStates == 0) {
        emit loopFinished();
        return;
    }

    const qint64 states = m_numStates;
    const qint64 current = m_currentState;
    const qint64 delta = m_reverse ? -qint64(n) : qint64(n);
    const qint64 a = current + delta;

    // A loop finishes each time playing arrives at state 0 again, in either
    // direction: forwards on the step from the last state to 0, backwards on
    // the step from 1 to 0. Reverse playback started on state 0 therefore
    // shows 0, last, ..., 1 and ends its loop back on 0, just as forward
    // playback shows 0, 1, ..., last and ends on 0. A backward step from 0 to
    // the last state is not a finished loop.
    qint64 wraps = 0;
    if (delta > 0)
        wraps = floorDiv(a, states) - floorDiv(current, states);
    else if (delta < 0)
        wraps = floorDiv(current - 1, states) - floorDiv(a - 1, states);

    qint64 next = ((a % states) + states) % states;
    qint64 finishedLoops = wraps;

    if (wraps > 0 && m_loops != -1) {
        qint64 remaining = qint64(m_loops) - wraps;
        if (remaining < 1) {
            // The last loop ended inside this advance: the animation stops
            // exactly at that loop's end, on state 0, instead of on whatever
            // state a large step overshot to, and only the loops that were
            // still to play are reported.
            finishedLoops = std::min<qint64>(wraps, std::max(m_loops, 1));
            next = 0;
            remaining = 0;
            setRunning(false);
        }
        if (remaining != m_loops) {
            m_loops = int(remaining);
            emit loopsChanged();
        }
    }

    const int startCount = m_startCount;
    for (qint64 i = 0; i < finishedLoops; ++i)
        emit loopFinished();
    // A listener that restarted the machine has chosen the state already.
    if (startCount != m_startCount)
        return;

    if (next != m_currentState) {
        m_currentState = int(next);
        emit currentStateChanged();
    }
}

int CircularStateMachine::nextState() const
{
    if (m_numStates == 0)
        return m_currentState;
    const int step = m_reverse ? -1 : 1;
    return (m_numStates + (m_currentState + step) % m_numStates) % m_numStates;
}

float CircularStateMachine::progress() const
{
    if (m_stateRate == 0.0f)
        return 0.0f;
    const float p = m_accumulator / (1.0f / m_stateRate);
    return std::clamp(p, 0.0f, 1.0f);
}
