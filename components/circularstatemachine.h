#ifndef CIRCULARSTATEMACHINE_H
#define CIRCULARSTATEMACHINE_H

#include <QObject>

#include <functional>

// Cycles through numbered states at a fixed rate, counting finished loops.
// It is the frame clock of the sprite-sheet sprite; its owner calls
// updateTime() once per rendered frame.
class CircularStateMachine : public QObject
{
    Q_OBJECT
public:
    // Milliseconds on any steadily increasing scale; only differences are used.
    using Clock = std::function<qint64()>;

    explicit CircularStateMachine(QObject *parent = nullptr);

    // Replaces the time source (tests drive it by hand). The next update
    // measures from the moment of this call.
    void setClock(Clock clock);

    int numStates() const { return m_numStates; }
    float stateRate() const { return m_stateRate; }
    int loops() const { return m_loops; }
    bool running() const { return m_running; }
    bool paused() const { return m_paused; }
    bool reverse() const { return m_reverse; }
    int currentState() const { return m_currentState; }

    void setNumStates(int numStates);
    void setStateRate(float stateRate);
    void setLoops(int loops);
    void setRunning(bool running);
    void setPaused(bool paused);
    void setReverse(bool reverse);
    void setCurrentState(int state);

    void start();
    void stop();
    void restart();
    void pause();
    void resume();
    void stepOnce();

    void updateTime();
    void advanceBy(int n);

    int nextState() const;
    float progress() const;

signals:
    void numStatesChanged();
    void stateRateChanged();
    void loopsChanged();
    void runningChanged();
    void pausedChanged();
    void reverseChanged();
    void currentStateChanged();
    void loopFinished();

private:
    Clock m_clock;
    int m_numStates = 0;
    float m_stateRate = 0.0f;
    int m_loops = -1;
    bool m_running = true;
    bool m_paused = false;
    bool m_reverse = false;
    int m_currentState = 0;
    qint64 m_lastUpdate = 0;
    float m_accumulator = 0.0f;
    int m_startCount = 0;
};

#endif
