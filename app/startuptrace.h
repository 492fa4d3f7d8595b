#ifndef STARTUPTRACE_H
#define STARTUPTRACE_H

#include <QObject>
#include <QPointer>
#include <QString>

class QQmlApplicationEngine;
class QQuickItem;
class QQuickWindow;

// Prints, on standard error, when start-up reaches each stage, counted from the
// moment the process was created: the engine ready, the main document created,
// every frame presented, and the first frame presented once the item named by
// ZARNO_STARTUP_TRACE (the splash) no longer shows; beside each, the CPU time of the
// process and of the GUI thread (stages are reported from it). Off unless that
// variable is set.
class StartupTrace : public QObject
{
    Q_OBJECT
public:
    // Attaches a trace to the engine when ZARNO_STARTUP_TRACE is set.
    static void attachIfRequested(QQmlApplicationEngine *engine);

    StartupTrace(QQmlApplicationEngine *engine, const QString &coverName);

    // Milliseconds since the process was created (10 ms resolution of the kernel's start time).
    static double millisecondsSinceProcessStart();
    static void print(const char *stage);

private:
    void watchWindow(QObject *root);
    void frameSwapped();
    bool coverHidden() const;

    QString m_coverName;
    QPointer<QQuickWindow> m_window;
    QPointer<QQuickItem> m_cover;
    int m_frames = 0;
    bool m_done = false;
};

#endif
