#include "startuptrace.h"

#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>

#include <cstdio>
#include <ctime>
#include <unistd.h>

double StartupTrace::millisecondsSinceProcessStart()
{
    // The kernel stamps the process at its creation, before the dynamic linker
    // runs, in clock ticks since boot: the clock that CLOCK_BOOTTIME reads.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The command name may hold spaces and parentheses; fields restart after the last ")".
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // starttime is field 22 of the line, the 20th after the command name.
    if (fields.size() < 20)
        return -1;
    const double startedSeconds = fields.at(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (double(now.tv_sec) + double(now.tv_nsec) * 1e-9 - startedSeconds) * 1000.0;
}

void StartupTrace::print(const char *stage)
{
    // CPU time beside wall time: on a busy machine the wall clock says more about the neighbours.
    // The GUI thread's share is what stands between launch and title; the rest is
    // decoding and rasterising beside it.
    timespec cpu {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    timespec gui {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &gui);
    std::fprintf(stderr, "zarno-startup: %7.1f ms (cpu %7.1f ms, gui thread %7.1f ms) %s\n",
                 millisecondsSinceProcessStart(), double(cpu.tv_sec) * 1000.0 + double(cpu.tv_nsec) * 1e-6,
                 double(gui.tv_sec) * 1000.0 + double(gui.tv_nsec) * 1e-6, stage);
    std::fflush(stderr);
}

void StartupTrace::attachIfRequested(QQmlApplicationEngine *engine)
{
    if (!engine || !qEnvironmentVariableIsSet("ZARNO_STARTUP_TRACE"))
        return;
    new StartupTrace(engine, qEnvironmentVariable("ZARNO_STARTUP_TRACE"));
}

StartupTrace::StartupTrace(QQmlApplicationEngine *engine, const QString &coverName)
    : QObject(engine)
    , m_coverName(coverName)
{
    print("engine ready");
    connect(engine, &QQmlApplicationEngine::objectCreated, this, [this](QObject *root) {
        print(root ? "main document created" : "main document failed");
        if (!m_window)
            watchWindow(root);
    });
}

void StartupTrace::watchWindow(QObject *root)
{
    m_window = qobject_cast<QQuickWindow *>(root);
    if (!m_window)
        return;
    if (!m_coverName.isEmpty())
        m_cover = m_window->findChild<QQuickItem *>(m_coverName);
    connect(m_window, &QQuickWindow::frameSwapped, this, &StartupTrace::frameSwapped);
}

bool StartupTrace::coverHidden() const
{
    // A removed cover shows nothing either.
    return !m_cover || !m_cover->isVisible() || m_cover->opacity() <= 0;
}

void StartupTrace::frameSwapped()
{
    // Frames already queued (under a threaded render loop) may still arrive.
    if (m_done)
        return;
    ++m_frames;
    // The basic render loop presents a frame right after drawing it on this
    // thread, so what the items hold now is what the frame shows.
    if (m_frames == 1)
        print("first frame");
    else
        print(qPrintable(QStringLiteral("frame %1").arg(m_frames)));
    if (!m_coverName.isEmpty() && coverHidden()) {
        print(qPrintable(QStringLiteral("first frame without %1").arg(m_coverName)));
        m_done = true;
        disconnect(m_window, nullptr, this, nullptr);
    }
}
