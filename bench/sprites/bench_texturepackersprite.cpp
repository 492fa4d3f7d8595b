// Frame time of many animated sprites from one sheet: the engine's
// TexturePackerSprite beside Qt Quick's AnimatedSprite showing the same image.
// Run under an X server with OpenGL, e.g.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/bench_texturepackersprite
// Arguments narrow a run for profiling: a sprite count, "engine" (no peer),
// "floors" (only the still quads the engine is held against) or "both", and
// the drawn size of a sprite in pixels (32 by default), which shows how much
// of a frame is filling pixels.
#include "../common/benchrow.h"
#include "../common/framestats.h"
#include "app/zrapplication.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int FrameCount = 8;
constexpr int FrameSize = 32;

// CPU time of every thread of the process, the rasteriser's included: on a
// busy machine it varies far less than the time between frames.
double cpuMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
double processCpuMs() { return cpuMs(CLOCK_PROCESS_CPUTIME_ID); }
// The GUI thread alone: items, scene graph and renderer, without the pixels.
double guiCpuMs() { return cpuMs(CLOCK_THREAD_CPUTIME_ID); }

// One strip of numbered, differently coloured frames, and its description.
void writeSheet(const QString &dir)
{
    QImage image(FrameCount * FrameSize, FrameSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QJsonObject frames;
    for (int i = 0; i < FrameCount; ++i) {
        painter.setBrush(QColor::fromHsv(i * 360 / FrameCount, 255, 255));
        painter.setPen(Qt::black);
        painter.drawEllipse(i * FrameSize + 1, 1, FrameSize - 2, FrameSize - 2);
        painter.drawText(QRect(i * FrameSize, 0, FrameSize, FrameSize), Qt::AlignCenter, QString::number(i));
        const QJsonObject box{{"x", i * FrameSize}, {"y", 0}, {"w", FrameSize}, {"h", FrameSize}};
        frames.insert(QStringLiteral("f%1.png").arg(i),
                      QJsonObject{{"frame", box},
                                  {"rotated", false},
                                  {"trimmed", false},
                                  {"spriteSourceSize", QJsonObject{{"x", 0}, {"y", 0}, {"w", FrameSize}, {"h", FrameSize}}},
                                  {"sourceSize", QJsonObject{{"w", FrameSize}, {"h", FrameSize}}}});
    }
    painter.end();
    image.save(dir + "/sheet.png");
    image.copy(0, 0, FrameSize, FrameSize).save(dir + "/frame0.png");
    const QJsonObject meta{{"image", "sheet.png"},
                           {"size", QJsonObject{{"w", image.width()}, {"h", image.height()}}}};
    QFile file(dir + "/sheet.json");
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(QJsonObject{{"frames", frames}, {"meta", meta}}).toJson());
}

const char *const Scene = R"(
import QtQuick 2.15
import Zarno 2.0

Item {
    width: 1280
    height: 1024
    Repeater {
        model: spriteCount
        delegate: [engineSprite, toolkitSprite, rectangle, still][element]
    }
    // Still floors need something else to ask for frames.
    Item {
        NumberAnimation on rotation { from: 0; to: 360; duration: 1000; loops: Animation.Infinite; running: element >= 2 }
    }
    Component {
        id: rectangle
        Rectangle {
            x: (index * 37) % 1248
            y: (index * 53) % 992
            width: spriteSize
            height: spriteSize
            color: "#80ff8000"
        }
    }
    Component {
        id: still
        Image {
            x: (index * 37) % 1248
            y: (index * 53) % 992
            width: spriteSize
            height: spriteSize
            source: frameImage
            smooth: false
        }
    }
    Component {
        id: engineSprite
        TexturePackerSprite {
            x: (index * 37) % 1248
            y: (index * 53) % 992
            source: sheetJson
            frameNames: ["f0.png", "f1.png", "f2.png", "f3.png", "f4.png", "f5.png", "f6.png", "f7.png"]
            width: spriteSize
            height: spriteSize
            frameRate: desynchronised ? 6 + index % 7 : 10
        }
    }
    Component {
        id: toolkitSprite
        AnimatedSprite {
            x: (index * 37) % 1248
            y: (index * 53) % 992
            width: spriteSize
            height: spriteSize
            source: sheetImage
            frameCount: 8
            frameWidth: 32
            frameHeight: 32
            frameRate: desynchronised ? 6 + index % 7 : 10
            running: true
        }
    }
}
)";

struct Result
{
    double setupMs = 0;
    int frames = 0;
    double meanMs = 0;
    double medianMs = 0;
    double cpuMs = 0; // per frame
    double guiMs = 0; // per frame
};

// What is drawn: the engine's sprites, the toolkit's, or a floor of as many
// quads of the same size: translucent rectangles, or still images of one frame.
enum Element { EngineSprite, ToolkitSprite, Rectangles, StillImages };
const char *const ElementNames[] = {"TexturePackerSprite", "AnimatedSprite (Qt)", "Rectangle (floor)", "Image (floor)"};

Result measure(const QString &dir, int count, Element element, bool desynchronised, int spriteSize)
{
    Result result;
    QElapsedTimer setup;
    setup.start();

    QQuickView view;
    ZRApplication zarno;
    zarno.initialize(view.engine());
    QQmlContext *context = view.rootContext();
    context->setContextProperty("spriteCount", count);
    context->setContextProperty("spriteSize", spriteSize);
    context->setContextProperty("element", int(element));
    context->setContextProperty("desynchronised", desynchronised);
    context->setContextProperty("sheetJson", QUrl::fromLocalFile(dir + "/sheet.json"));
    context->setContextProperty("sheetImage", QUrl::fromLocalFile(dir + "/sheet.png"));
    context->setContextProperty("frameImage", QUrl::fromLocalFile(dir + "/frame0.png"));
    QFile file(dir + "/Scene.qml");
    file.open(QIODevice::WriteOnly);
    file.write(Scene);
    file.close();
    view.setSource(QUrl::fromLocalFile(dir + "/Scene.qml"));
    if (view.status() != QQuickView::Ready) {
        qWarning() << view.errors();
        return result;
    }
    view.resize(1280, 1024);

    QVector<qint64> swaps;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&view, &QQuickWindow::frameSwapped, &view, [&] { swaps.append(clock.nsecsElapsed()); });
    view.show();

    // Warm up for a second (node building, texture upload), then measure for
    // three seconds or at least 8 frames, at most 8 seconds.
    QEventLoop loop;
    QTimer poll;
    qint64 measureFrom = -1;
    int firstFrame = 0;
    double cpuFrom = 0;
    double guiFrom = 0;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (measureFrom < 0) {
            if (now > 1'000'000'000LL && swaps.size() > 2) {
                measureFrom = now;
                firstFrame = swaps.size();
                cpuFrom = processCpuMs();
                guiFrom = guiCpuMs();
            }
            return;
        }
        const int measured = swaps.size() - firstFrame;
        if ((now - measureFrom > 3'000'000'000LL && measured >= 8) || now - measureFrom > 8'000'000'000LL) {
            result.cpuMs = measured > 0 ? (processCpuMs() - cpuFrom) / measured : 0;
            result.guiMs = measured > 0 ? (guiCpuMs() - guiFrom) / measured : 0;
            loop.quit();
        }
    });
    result.setupMs = setup.elapsed();
    poll.start(50);
    loop.exec();

    const FrameStats stats = frameStats(swaps, firstFrame);
    result.frames = stats.frames;
    result.meanMs = stats.meanMs;
    result.medianMs = stats.medianMs;
    return result;
}

void printResult(int count, bool desynchronised, Element element, const Result &r)
{
    std::printf("%-8d %-8s %-22s %9.0f %7d %10.2f %10.2f %7.1f %10.2f %10.2f\n", count,
                element >= Rectangles ? "still" : desynchronised ? "mixed" : "in step", ElementNames[element],
                r.setupMs, r.frames, r.meanMs, r.medianMs, r.meanMs > 0 ? 1000.0 / r.meanMs : 0.0, r.cpuMs, r.guiMs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QSG_RENDER_LOOP", "basic");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    writeSheet(dir.path());

    // "in step": every sprite at the same frame rate, so all show the same
    // frame; "mixed": rates 6 to 12 fps, so neighbours show different frames.
    std::printf("%-8s %-8s %-22s %9s %7s %10s %10s %7s %10s %10s\n", "sprites", "timing", "element", "setup ms",
                "frames", "mean ms", "median ms", "fps", "cpu ms", "gui cpu ms");
    QVector<int> counts{1000, 10000};
    if (argc > 1)
        counts = {std::max(1, QByteArray(argv[1]).toInt())};
    const int lastEngine = argc > 2 && QByteArray(argv[2]) == "engine" ? 1 : 0;
    const int spriteSize = argc > 3 ? std::max(1, QByteArray(argv[3]).toInt()) : FrameSize;
    if (argc > 2 && QByteArray(argv[2]) == "floors") {
        for (Element floor : {Rectangles, StillImages})
            printResult(counts.first(), false, floor, measure(dir.path(), counts.first(), floor, false, spriteSize));
        return 0;
    }
    for (int count : counts) {
        for (bool desynchronised : {false, true}) {
            Result results[2];
            for (int engine = 1; engine >= lastEngine; --engine) {
                const Element element = engine ? EngineSprite : ToolkitSprite;
                results[engine] = measure(dir.path(), count, element, desynchronised, spriteSize);
                printResult(count, desynchronised, element, results[engine]);
            }
            if (lastEngine == 1)
                continue; // no peer, no rows
            if (results[0].meanMs > 0)
                std::printf("%-8d %-8s ratio of mean frame times, TexturePackerSprite / AnimatedSprite: %.2f\n", count,
                            desynchronised ? "mixed" : "in step", results[1].meanMs / results[0].meanMs);
            char label[80];
            std::snprintf(label, sizeof label, "%d sprites %s, frame (vs AnimatedSprite)", count,
                          desynchronised ? "mixed" : "in step");
            benchRow(label, results[1].meanMs, results[0].meanMs, "ms");
            std::snprintf(label, sizeof label, "%d sprites %s, CPU per frame (vs AnimatedSprite)", count,
                          desynchronised ? "mixed" : "in step");
            benchRow(label, results[1].cpuMs, results[0].cpuMs, "ms");
            std::snprintf(label, sizeof label, "%d sprites %s, GUI thread CPU per frame (vs AnimatedSprite)",
                          count, desynchronised ? "mixed" : "in step");
            benchRow(label, results[1].guiMs, results[0].guiMs, "ms");
            if (count == 10000) {
                std::snprintf(label, sizeof label, "%d sprites %s, frame (vs 60 fps)", count,
                              desynchronised ? "mixed" : "in step");
                benchRow(label, results[1].meanMs, 1000.0 / 60, "ms");
                // How far the engine is from the cheapest quads of the same
                // size and place the toolkit draws; the floors do not animate,
                // so they are measured once.
                for (Element floor : {Rectangles, StillImages}) {
                    if (desynchronised)
                        break;
                    const Result f = measure(dir.path(), count, floor, false, spriteSize);
                    printResult(count, false, floor, f);
                    const char *what = floor == Rectangles ? "translucent Rectangles" : "still Images";
                    std::snprintf(label, sizeof label, "%d sprites in step, frame (vs %d %s)", count, count, what);
                    benchRow(label, results[1].meanMs, f.meanMs, "ms");
                    std::snprintf(label, sizeof label, "%d sprites in step, CPU per frame (vs %d %s)", count,
                                  count, what);
                    benchRow(label, results[1].cpuMs, f.cpuMs, "ms");
                }
            }
        }
    }
    return 0;
}
