#include "soundsystemwarmup.h"

#include <QLibrary>

namespace {
// gboolean gst_init_check(int *argc, char ***argv, GError **error)
using InitCheck = int (*)(int *, char ***, void **);
} // namespace

SoundSystemWarmUp::SoundSystemWarmUp()
{
    if (qEnvironmentVariableIsSet("ZARNO_NO_SOUND_WARMUP"))
        return;
    m_thread = QThread::create([this] {
        QLibrary library(QStringLiteral("gstreamer-1.0"), 0);
        // Stays loaded: the multimedia backend links the same library.
        library.setLoadHints(QLibrary::PreventUnloadHint);
        const auto init = reinterpret_cast<InitCheck>(library.resolve("gst_init_check"));
        // A failure is left for the backend to report when it tries the same.
        m_initialised = init && init(nullptr, nullptr, nullptr);
    });
    m_thread->setObjectName(QStringLiteral("sound system warm-up"));
    m_thread->start();
}

SoundSystemWarmUp::~SoundSystemWarmUp()
{
    waitForFinished();
    delete m_thread;
}

void SoundSystemWarmUp::waitForFinished()
{
    if (m_thread)
        m_thread->wait();
}
