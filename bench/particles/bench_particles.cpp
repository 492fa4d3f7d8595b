// Frame time with many live particles: the engine's ParticleZarno beside Qt
// Quick Particles' ImageParticle fed by the same system, emitter and gravity.
// Both colour, fade and spin their particles. Run under an X server with OpenGL, e.g.
//   scripts/with-test-env.sh build/bin/bench_particles
#include "../common/benchrow.h"
#include "../common/framestats.h"
#include "app/zrapplication.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr double Lifespan = 2.0;

const char *const Scene = R"(
import QtQuick 2.15
import QtQuick.Particles 2.15
import Zarno 2.0

Item {
    width: 800
    height: 600
    Loader { sourceComponent: useEngine ? engineParticles : toolkitParticles }

    Component {
        id: engineParticles
        ParticleZarno {
            x: 400; y: 300
            textureFileName: texture
            maxParticles: particleCount
            particleLifespan: lifespan
            speed: 120; speedVariance: 40; angleVariance: 180
            gravity: Qt.point(0, -40)
            startParticleSize: 8; finishParticleSize: 4
            startColor: "#ffc040"; startColorVariance: "#20202000"; finishColor: "#00c02000"
            rotationEnd: 180
            autoStart: true
        }
    }

    Component {
        id: toolkitParticles
        Item {
            x: 400; y: 300
            ParticleSystem { id: system }
            Emitter {
                system: system
                emitRate: particleCount / lifespan
                maximumEmitted: particleCount
                lifeSpan: lifespan * 1000
                lifeSpanVariation: 77
                size: 8; endSize: 4
                velocityFromMovement: 1
                velocity: AngleDirection { magnitude: 120; magnitudeVariation: 40; angleVariation: 180 }
            }
            Gravity { system: system; magnitude: 40; angle: 90 }
            ImageParticle {
                system: system
                source: texture
                color: "#ffc040"; redVariation: 0.12; greenVariation: 0.12
                entryEffect: ImageParticle.Fade
                rotationVelocity: 90
            }
        }
    }
}
)";

struct Result
{
    int frames = 0;
    double meanMs = 0;
    double medianMs = 0;
};

Result measure(const QString &dir, int count, bool engine)
{
    Result result;
    QQuickView view;
    ZRApplication zarno;
    zarno.initialize(view.engine());
    QQmlContext *context = view.rootContext();
    context->setContextProperty("particleCount", count);
    context->setContextProperty("lifespan", Lifespan);
    context->setContextProperty("useEngine", engine);
    context->setContextProperty("texture", QUrl::fromLocalFile(dir + "/white.png"));
    view.setSource(QUrl::fromLocalFile(dir + "/Scene.qml"));
    if (view.status() != QQuickView::Ready) {
        qWarning() << view.errors();
        return result;
    }
    view.resize(800, 600);

    QVector<qint64> swaps;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&view, &QQuickWindow::frameSwapped, &view, [&] { swaps.append(clock.nsecsElapsed()); });
    view.show();

    // Warm up past one lifespan so that the full count is alive, then measure
    // for three seconds or at least 8 frames, at most 10 seconds.
    QEventLoop loop;
    QTimer poll;
    qint64 measureFrom = -1;
    int firstFrame = 0;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (measureFrom < 0) {
            if (now > qint64((Lifespan + 0.5) * 1e9) && swaps.size() > 2) {
                measureFrom = now;
                firstFrame = swaps.size();
            }
            return;
        }
        const int measured = swaps.size() - firstFrame;
        if ((now - measureFrom > 3'000'000'000LL && measured >= 8) || now - measureFrom > 10'000'000'000LL)
            loop.quit();
    });
    poll.start(50);
    loop.exec();

    const FrameStats stats = frameStats(swaps, firstFrame);
    result.frames = stats.frames;
    result.meanMs = stats.meanMs;
    result.medianMs = stats.medianMs;
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QSG_RENDER_LOOP", "basic");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QImage white(16, 16, QImage::Format_ARGB32);
    white.fill(Qt::white);
    white.save(dir.filePath("white.png"));
    QFile file(dir.filePath("Scene.qml"));
    file.open(QIODevice::WriteOnly);
    file.write(Scene);
    file.close();

    std::printf("%-10s %-24s %7s %10s %10s %7s\n", "particles", "element", "frames", "mean ms", "median ms", "fps");
    for (int count : {1000, 10000}) {
        Result results[2];
        for (int engine = 1; engine >= 0; --engine) {
            const Result r = measure(dir.path(), count, engine == 1);
            results[engine] = r;
            std::printf("%-10d %-24s %7d %10.2f %10.2f %7.1f\n", count,
                        engine ? "ParticleZarno" : "ImageParticle (Qt)", r.frames, r.meanMs, r.medianMs,
                        r.meanMs > 0 ? 1000.0 / r.meanMs : 0.0);
            std::fflush(stdout);
        }
        if (results[0].meanMs > 0)
            std::printf("%-10d ratio ParticleZarno / ImageParticle: %.2f (mean), %.2f (median)\n", count,
                        results[1].meanMs / results[0].meanMs, results[1].medianMs / results[0].medianMs);
        char measure[80];
        std::snprintf(measure, sizeof measure, "%d particles, frame (vs ImageParticle)", count);
        benchRow(measure, results[1].meanMs, results[0].meanMs, "ms");
    }
    return 0;
}
