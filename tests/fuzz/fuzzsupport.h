#ifndef FUZZSUPPORT_H
#define FUZZSUPPORT_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

// What every harness needs once per process: an application object (offscreen, no
// X server needed) and silence. Bad input warns on nearly every run; printing those
// warnings would be most of the time spent, and a fatal message still aborts.
inline void zarnoFuzzSetUp()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
            std::abort();
        }
    });
    static int argc = 1;
    static char name[] = "zarno-fuzz";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

// A scratch folder for loaders that only read files; removed at exit.
inline QString zarnoFuzzScratch()
{
    static const QString path = [] {
        const QString dir = QDir::temp().filePath(QStringLiteral("zarno-fuzz-%1").arg(QCoreApplication::applicationPid()));
        QDir().mkpath(dir);
        std::atexit([] { QDir(QDir::temp().filePath(QStringLiteral("zarno-fuzz-%1").arg(QCoreApplication::applicationPid()))).removeRecursively(); });
        return dir;
    }();
    return path;
}

inline QString zarnoFuzzWrite(const QString &name, const uint8_t *data, size_t size)
{
    const QString path = QDir(zarnoFuzzScratch()).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

#endif
