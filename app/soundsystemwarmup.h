#ifndef SOUNDSYSTEMWARMUP_H
#define SOUNDSYSTEMWARMUP_H

#include <QThread>

// Starts the sound system's own initialisation on a worker thread as the game
// starts, so that it runs beside the splash instead of inside the creation of
// the first music or sound element. On a machine where the player has never run
// a game, that initialisation discovers every decoder plugin installed, which
// blocks the GUI thread for a quarter of a second or more.
//
// The multimedia backend initialises the same library again when it is first
// used; the library does that once per process and makes a second caller wait
// for the first, so the warm-up changes when the work is done, never what it
// does. Without the library (another multimedia backend) it does nothing.
class SoundSystemWarmUp
{
public:
    SoundSystemWarmUp();
    // Waits for the worker: the process must not unload libraries under it.
    ~SoundSystemWarmUp();

    SoundSystemWarmUp(const SoundSystemWarmUp &) = delete;
    SoundSystemWarmUp &operator=(const SoundSystemWarmUp &) = delete;

    // Whether the library was found and initialised; valid once finished.
    bool initialised() const { return m_initialised; }
    void waitForFinished();

private:
    QThread *m_thread = nullptr;
    bool m_initialised = false;
};

#endif // SOUNDSYSTEMWARMUP_H
