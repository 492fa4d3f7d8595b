// Frame time of skeletal animation with the example character (build the
// zarno-skeleton-character target first):
//  1. the runtime alone: N skeletons walking, per frame the state update,
//     posing, world transforms and bounding box, as the item does;
//  2. N SkeletonAnimationFbo items in a window, updated every frame.
// Run the second part under an X server with OpenGL, e.g.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/bench_skeletonanimation
#include "../common/benchrow.h"
#include "app/zrapplication.h"
#include "spine/spineanimationstate.h"
#include "spine/spineatlas.h"
#include "spine/spineskeleton.h"
#include "spine/spineskeletonjson.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickView>
#include <QTimer>

#include <cfloat>
#include <cstdio>

using namespace spine;

namespace {

const QString kCharacter = QStringLiteral(ZARNO_SOURCE_DIR "/examples/skeleton/character/");

double runtimeFrameMicroseconds(const SkeletonData *data, int count)
{
    AnimationStateData stateData(data);
    stateData.setMix(QStringLiteral("walk"), QStringLiteral("idle"), 0.3f);
    std::vector<std::unique_ptr<Skeleton>> skeletons;
    std::vector<std::unique_ptr<AnimationState>> states;
    for (int i = 0; i < count; ++i) {
        skeletons.push_back(std::make_unique<Skeleton>(data));
        states.push_back(std::make_unique<AnimationState>(&stateData));
        states.back()->setAnimation(0, data->findAnimation(QStringLiteral("walk")), true);
        states.back()->update(i * 0.013f);
    }
    std::vector<float> world(64);
    const int frames = 2000;
    float sink = 0;
    QElapsedTimer timer;
    timer.start();
    for (int frame = 0; frame < frames; ++frame) {
        for (int i = 0; i < count; ++i) {
            Skeleton &skeleton = *skeletons[size_t(i)];
            states[size_t(i)]->update(1 / 60.0f);
            states[size_t(i)]->apply(skeleton);
            skeleton.updateWorldTransform();
            float maxY = -FLT_MAX;
            for (const Slot *slot : skeleton.drawOrder()) {
                const int length = worldVerticesLength(slot->attachment);
                if (length == 0)
                    continue;
                if (world.size() < size_t(length))
                    world.resize(size_t(length));
                computeWorldVertices(slot->attachment, skeleton, *slot, world.data());
                for (int v = 1; v < length; v += 2)
                    maxY = qMax(maxY, world[size_t(v)]);
            }
            sink += maxY;
        }
    }
    const double perFrame = timer.nsecsElapsed() / 1000.0 / frames;
    return sink == 0 ? -perFrame : perFrame;
}

const char *const kScene = R"(
import QtQuick 2.15
import Zarno 2.0
Item {
    width: 1024; height: 768
    Repeater {
        model: itemCount
        Item {
            x: 60 + (index * 97) % 900; y: 240 + Math.floor(index * 97 / 900) * 60
            SkeletonAnimationFbo {
                id: hero
                skeletonDataFile: characterDir + "hero.json"
                atlasFile: characterDir + "hero.atlas"
                Component.onCompleted: setAnimation(0, "walk", true)
            }
            Connections { target: frameTicker; function onTick() { hero.updateSkeletonAnimation() } }
        }
    }
}
)";

class FrameTicker : public QObject
{
    Q_OBJECT
signals:
    void tick();
};

double windowFrameMilliseconds(int count)
{
    QQuickView view;
    ZRApplication zarno;
    zarno.initialize(view.engine());
    FrameTicker ticker;
    view.rootContext()->setContextProperty(QStringLiteral("frameTicker"), &ticker);
    view.rootContext()->setContextProperty(QStringLiteral("itemCount"), count);
    view.rootContext()->setContextProperty(QStringLiteral("characterDir"), QUrl::fromLocalFile(kCharacter).toString());
    QQmlComponent component(view.engine());
    component.setData(kScene, QUrl());
    view.setContent(QUrl(), &component, component.create());
    view.show();
    int frames = 0;
    QElapsedTimer timer;
    QObject::connect(&view, &QQuickWindow::frameSwapped, &ticker, [&] {
        if (++frames == 20)
            timer.start();
        emit ticker.tick();
    });
    QEventLoop loop;
    QTimer::singleShot(4000, &loop, &QEventLoop::quit);
    QObject::connect(&view, &QQuickWindow::frameSwapped, &loop, [&] {
        if (frames >= 220)
            loop.quit();
    });
    loop.exec();
    return frames > 20 ? timer.elapsed() / double(frames - 20) : -1;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QSG_RENDER_LOOP", "basic");
    QApplication app(argc, argv);
    auto atlas = Atlas::load(kCharacter + "hero.atlas");
    if (!atlas)
        return 1;
    const auto data = SkeletonJson(atlas.get()).readSkeletonDataFile(kCharacter + "hero.json");
    if (!data)
        return 1;
    std::printf("runtime, per frame (update, pose, world transforms, bounds):\n");
    for (int count : {1, 10, 100}) {
        const double us = runtimeFrameMicroseconds(data.get(), count);
        std::printf("  %4d skeletons: %9.1f us\n", count, us);
        char measure[80];
        std::snprintf(measure, sizeof measure, "%d skeletons, runtime frame (vs 60 fps)", count);
        benchRow(measure, us / 1000, 1000.0 / 60, "ms");
    }
    std::printf("window, average frame time with N SkeletonAnimationFbo items (vsync may cap it):\n");
    for (int count : {1, 10, 40}) {
        const double ms = windowFrameMilliseconds(count);
        std::printf("  %4d items: %7.2f ms\n", count, ms);
        char measure[80];
        std::snprintf(measure, sizeof measure, "%d skeleton items, window frame (vs 60 fps)", count);
        benchRow(measure, ms, 1000.0 / 60, "ms");
    }
    return 0;
}

#include "bench_skeletonanimation.moc"
