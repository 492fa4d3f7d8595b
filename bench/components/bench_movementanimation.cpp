// Frame cost of many moving items: MovementAnimation stepped by the scheduler
// against the toolkit's NumberAnimation stepped by its animation timer, same
// items, same process, same controllable clock.
//
// Three figures per item count N, all in nanoseconds per item per frame:
//   scheduler  - ZarnoScheduler::advance(0.016) called directly (the frame pass alone)
//   driver     - the same elements, reached as in the game: animation driver ->
//                unified timer -> ZRStepDriver -> scheduler
//   toolkit    - NumberAnimation on x, advanced by the same animation driver
// Each figure is the best of three rounds of 1,000,000 item-frames.
#include "../common/benchrow.h"
#include "app/zrapplication.h"
#include "components/movementanimation.h"
#include "scheduling/zarnoscheduler.h"
#include "scheduling/zrstepdriver.h"

#include <QAnimationDriver>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <cstdio>
#include <memory>

namespace {

// An animation driver whose clock only moves when the benchmark says so.
class ManualDriver : public QAnimationDriver
{
public:
    qint64 elapsed() const override { return m_time; }
    void frame(int ms)
    {
        m_time += ms;
        advance();
    }

private:
    qint64 m_time = 0;
};

constexpr int FrameMs = 16;

std::unique_ptr<QObject> createRows(QQmlEngine &engine, const QByteArray &delegate, int count)
{
    QQmlComponent component(&engine);
    component.setData("import QtQuick 2.0\nimport Zarno 2.0\n"
                      "Item { property alias rows: repeater; Repeater { id: repeater; model: "
                          + QByteArray::number(count) + "; delegate: " + delegate + " } }",
                      QUrl(QStringLiteral("file:///bench.qml")));
    std::unique_ptr<QObject> root(component.create());
    if (!root)
        fprintf(stderr, "%s\n", qPrintable(component.errorString()));
    return root;
}

double firstX(QObject *root)
{
    auto *repeater = root->property("rows").value<QObject *>();
    QQuickItem *item = nullptr;
    QMetaObject::invokeMethod(repeater, "itemAt", Q_RETURN_ARG(QQuickItem *, item), Q_ARG(int, 0));
    return item ? item->x() : -1;
}

// Lets the queued starts of the unified timer and the QML animation timer run.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Best of a few rounds: the machine is shared, and the least disturbed round
// is the closest to the cost of the code itself.
template<typename Frame>
double nsPerItemFrame(int items, int frames, Frame frame)
{
    for (int i = 0; i < frames / 10 + 1; ++i)
        frame();
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < frames; ++i)
            frame();
        const double ns = double(timer.nsecsElapsed()) / (double(items) * frames);
        best = round == 0 ? ns : qMin(best, ns);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    auto *driver = new ManualDriver;
    driver->install();

    QQmlEngine engine;
    ZRApplication zarno;
    zarno.initialize(&engine);
    ZarnoScheduler *scheduler = zarno.scheduler();
    ZRStepDriver *stepDriver = zarno.stepDriver();

    const QByteArray movementDelegate =
        "Item { MovementAnimation { target: parent; property: 'x'; velocity: 100;"
        " minPropertyValue: -1e9; maxPropertyValue: 1e9; running: true } }";
    const QByteArray numberDelegate =
        "Item { NumberAnimation on x { from: 0; to: 1e9; duration: 1e9; loops: Animation.Infinite } }";

    printf("%8s %8s %14s %14s %14s %10s\n", "items", "frames", "scheduler", "driver", "toolkit", "toolkit/");
    printf("%8s %8s %14s %14s %14s %10s\n", "", "", "ns/item/frame", "ns/item/frame", "ns/item/frame", "driver");

    for (int items : {100, 1000, 10000}) {
        const int frames = 1000000 / items;

        std::unique_ptr<QObject> moving = createRows(engine, movementDelegate, items);
        if (!moving || scheduler->count() != items) {
            fprintf(stderr, "could not create %d moving items\n", items);
            return 1;
        }
        const double direct = nsPerItemFrame(items, frames, [&] { scheduler->advance(FrameMs * 0.001); });

        stepDriver->start();
        settle();
        const double beforeDriver = firstX(moving.get());
        const double viaDriver = nsPerItemFrame(items, frames, [&] { driver->frame(FrameMs); });
        const bool driverMoved = firstX(moving.get()) > beforeDriver;
        stepDriver->stop();
        moving.reset();
        settle();

        std::unique_ptr<QObject> animated = createRows(engine, numberDelegate, items);
        if (!animated) {
            fprintf(stderr, "could not create %d animated items\n", items);
            return 1;
        }
        settle();
        driver->frame(FrameMs);
        const double beforeToolkit = firstX(animated.get());
        const double toolkit = nsPerItemFrame(items, frames, [&] { driver->frame(FrameMs); });
        const bool toolkitMoved = firstX(animated.get()) > beforeToolkit;
        animated.reset();
        settle();

        if (!driverMoved || !toolkitMoved) {
            fprintf(stderr, "items did not move (movement %d, toolkit %d): figures are void\n", driverMoved, toolkitMoved);
            return 1;
        }
        printf("%8d %8d %14.1f %14.1f %14.1f %10.2f\n", items, frames, direct, viaDriver, toolkit, toolkit / viaDriver);
        fflush(stdout);
        char measure[80];
        snprintf(measure, sizeof measure, "%d moving items, frame (vs NumberAnimation)", items);
        benchRow(measure, viaDriver, toolkit, "ns/item");
    }

    driver->uninstall();
    delete driver;
    return 0;
}
