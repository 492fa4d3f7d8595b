#include "app/zrapplication.h"
#include "components/movementanimation.h"
#include "scheduling/zarnoscheduler.h"
#include "scheduling/zarnotask.h"
#include "scheduling/zrstepdriver.h"

#include "support/warningcollector.h"

#include <QtTest>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <memory>

namespace {

// How a test hands time to the element: straight into tick(), through one
// scheduler frame, or through the step driver with whole milliseconds.
enum Drive { DirectTick, SchedulerFrame, StepDriverFrame };

const QByteArray header = "import QtQuick 2.0\nimport Zarno 2.0\n";

}

Q_DECLARE_METATYPE(Drive)

class tst_MovementAnimation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void scrollingRowStopsAtMinimumAndIsReReadEveryStep_data();
    void scrollingRowStopsAtMinimumAndIsReReadEveryStep();
    void bouncesBetweenBoundsWithReversingHandler();
    void wrapsOntoTheOppositeBoundOnlyWhenItIsSet();
    void accelerationIsCappedByVelocityBounds();
    void maxPropertyValueDifferenceBoundsEveryStep();
    void pointPropertiesMoveComponentsIndependently();
    void runningBeforeCompletionAndStartStop();
    void schedulingMethodDecidesStepLength();
    void completionWarnings();
    void nonItemTargetsAndSlowPath();
    void unmovablePropertiesAreRefused();
    void nonFiniteInputNeverReachesTheTarget();
    void targetLossAndDestruction();
    void settersNotifyOnlyOnChange();

private:
    QObject *create(const QByteArray &body);
    void step(Drive drive, MovementAnimation *anim, int ms);
    MovementAnimation *anim(QObject *root) { return root->findChild<MovementAnimation *>(QStringLiteral("anim")); }
    QQuickItem *box(QObject *root) { return root->findChild<QQuickItem *>(QStringLiteral("box")); }

    QQmlEngine m_engine;
    ZRApplication m_app;
    ZarnoScheduler *m_scheduler = nullptr;
    std::unique_ptr<QObject> m_root;
};

void tst_MovementAnimation::initTestCase()
{
    m_app.initialize(&m_engine);
    m_scheduler = m_app.scheduler();
    QVERIFY(m_scheduler);
    // The driver is not started here: every frame in these tests is explicit.
    QCOMPARE(m_app.stepDriver()->state(), QAbstractAnimation::Stopped);
}

void tst_MovementAnimation::cleanup()
{
    m_root.reset();
    m_scheduler->setSchedulingMethod(ZarnoScheduler::None);
    QCOMPARE(m_scheduler->count(), 0);
}

QObject *tst_MovementAnimation::create(const QByteArray &body)
{
    QQmlComponent component(&m_engine);
    component.setData(header + body, QUrl(QStringLiteral("file:///movement.qml")));
    m_root.reset(component.create());
    if (!m_root)
        qWarning() << component.errorString();
    return m_root.get();
}

void tst_MovementAnimation::step(Drive drive, MovementAnimation *anim, int ms)
{
    switch (drive) {
    case DirectTick:
        anim->tick(ms * 0.001);
        break;
    case SchedulerFrame:
        m_scheduler->advance(ms * 0.001);
        break;
    case StepDriverFrame:
        m_app.stepDriver()->setCurrentTime(ms);
        break;
    }
}

void tst_MovementAnimation::scrollingRowStopsAtMinimumAndIsReReadEveryStep_data()
{
    QTest::addColumn<Drive>("drive");
    QTest::newRow("tick") << DirectTick;
    QTest::newRow("scheduler") << SchedulerFrame;
    QTest::newRow("step driver") << StepDriverFrame;
}

void tst_MovementAnimation::scrollingRowStopsAtMinimumAndIsReReadEveryStep()
{
    QFETCH(Drive, drive);
    QObject *root = create("Item { Item { id: row; objectName: 'box' }\n"
                           "MovementAnimation { objectName: 'anim'; target: row; property: 'x';"
                           " velocity: -1000; minPropertyValue: -1500; running: true } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QQuickItem *row = box(root);
    QVERIFY(m_scheduler->isScheduled(a));
    QSignalSpy limit(a, &MovementAnimation::limitReached);

    for (int i = 1; i <= 15; ++i) {
        step(drive, a, 100);
        QCOMPARE(row->x(), -100.0 * i);
    }
    // -1500 sits exactly on the bound: neither changed nor reported.
    QCOMPARE(limit.count(), 0);

    step(drive, a, 100);
    QCOMPARE(row->x(), -1500.0);
    QCOMPARE(limit.count(), 1);
    // Still pushing against the bound: reported on every step.
    step(drive, a, 100);
    QCOMPARE(row->x(), -1500.0);
    QCOMPARE(limit.count(), 2);

    // The handler sees the bounded value and moves the row back; the next step
    // starts from where the handler put it.
    double seenByHandler = 0;
    connect(a, &MovementAnimation::limitReached, row, [&] {
        seenByHandler = row->x();
        row->setX(0);
    });
    step(drive, a, 100);
    QCOMPARE(seenByHandler, -1500.0);
    QCOMPARE(row->x(), 0.0);
    step(drive, a, 100);
    QCOMPARE(row->x(), -100.0);
    QCOMPARE(limit.count(), 3);
}

void tst_MovementAnimation::bouncesBetweenBoundsWithReversingHandler()
{
    QObject *root = create("Item { Item { id: b; objectName: 'box'; y: 500 }\n"
                           "MovementAnimation { objectName: 'anim'; target: b; property: 'y'; velocity: -250;"
                           " minPropertyValue: 390; maxPropertyValue: 890; running: true;"
                           " onLimitReached: velocity = -velocity } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QQuickItem *b = box(root);
    QSignalSpy limit(a, &MovementAnimation::limitReached);
    ZRStepDriver *driver = m_app.stepDriver();

    for (int i = 0; i < 4; ++i)
        driver->setCurrentTime(100);
    QCOMPARE(b->y(), 400.0);
    driver->setCurrentTime(100);
    QCOMPARE(b->y(), 390.0);
    QCOMPARE(limit.count(), 1);
    QCOMPARE(a->velocity().toDouble(), 250.0);

    // 390 + 20 x 25 lands exactly on 890, which is not a limit.
    for (int i = 0; i < 20; ++i)
        driver->setCurrentTime(100);
    QCOMPARE(b->y(), 890.0);
    QCOMPARE(limit.count(), 1);
    driver->setCurrentTime(100);
    QCOMPARE(b->y(), 890.0);
    QCOMPARE(limit.count(), 2);
    QCOMPARE(a->velocity().toDouble(), -250.0);
    driver->setCurrentTime(100);
    QCOMPARE(b->y(), 865.0);
}

void tst_MovementAnimation::wrapsOntoTheOppositeBoundOnlyWhenItIsSet()
{
    QObject *root = create("Item { Item { id: b; objectName: 'box'; x: -1450 }\n"
                           "MovementAnimation { objectName: 'anim'; target: b; property: 'x'; velocity: -1000;"
                           " minPropertyValue: -1500; maxPropertyValue: 0; wrapping: true; running: true } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QQuickItem *b = box(root);
    QSignalSpy limit(a, &MovementAnimation::limitReached);

    // -1550 becomes the maximum itself, not the maximum minus the overshoot.
    a->tick(0.1);
    QCOMPARE(b->x(), 0.0);
    QCOMPARE(limit.count(), 1);
    a->tick(0.1);
    QCOMPARE(b->x(), -100.0);

    // Upwards it wraps onto the minimum.
    a->setVelocity(1000);
    b->setX(-50);
    a->tick(0.1);
    QCOMPARE(b->x(), -1500.0);
    QCOMPARE(limit.count(), 2);

    // Without a maximum there is nothing to wrap to: clamped.
    a->setMaxPropertyValue(QVariant());
    a->setVelocity(-1000);
    b->setX(-1450);
    a->tick(0.1);
    QCOMPARE(b->x(), -1500.0);
    QCOMPARE(limit.count(), 3);
}

void tst_MovementAnimation::accelerationIsCappedByVelocityBounds()
{
    QObject *root = create("Item { Item { id: b; objectName: 'box' }\n"
                           "MovementAnimation { objectName: 'anim'; target: b; property: 'x'; velocity: 0;"
                           " acceleration: 100; maxVelocity: 300; running: true } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QQuickItem *b = box(root);
    QSignalSpy velocityChanged(a, &MovementAnimation::velocityChanged);

    double expectedX = 0;
    for (int i = 1; i <= 30; ++i) {
        m_scheduler->advance(0.1);
        QCOMPARE(a->velocity().toDouble(), 10.0 * i);
        expectedX += i; // 10 * i units per second for 0.1 s
    }
    QCOMPARE(velocityChanged.count(), 30);
    QCOMPARE(b->x(), expectedX);

    for (int i = 0; i < 5; ++i)
        m_scheduler->advance(0.1);
    QCOMPARE(a->velocity().toDouble(), 300.0);
    QCOMPARE(velocityChanged.count(), 30);
    QCOMPARE(b->x(), expectedX + 5 * 30);

    // The minimum bounds a deceleration the same way.
    a->setAcceleration(-1000);
    a->setMinVelocity(-50);
    for (int i = 0; i < 10; ++i)
        m_scheduler->advance(0.1);
    QCOMPARE(a->velocity().toDouble(), -50.0);

    // A tiny steady acceleration on a large velocity still accumulates.
    a->setMinVelocity(QVariant());
    a->setMaxVelocity(QVariant());
    a->setVelocity(1.0e6);
    a->setAcceleration(1.0e-4);
    for (int i = 0; i < 10; ++i)
        a->tick(0.01);
    QVERIFY(a->velocity().toDouble() > 1.0e6);
}

void tst_MovementAnimation::maxPropertyValueDifferenceBoundsEveryStep()
{
    QObject *root = create("Item { Item { id: b; objectName: 'box' }\n"
                           "MovementAnimation { objectName: 'anim'; target: b; property: 'rotation'; velocity: 1000;"
                           " maxPropertyValueDifference: 5; running: true } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QQuickItem *b = box(root);

    m_app.stepDriver()->setCurrentTime(100);
    m_app.stepDriver()->setCurrentTime(100);
    QCOMPARE(b->rotation(), 10.0);
    a->setVelocity(-1000);
    a->tick(0.1);
    QCOMPARE(b->rotation(), 5.0);
    // Small changes pass unchanged; a zero velocity moves nothing.
    a->setVelocity(20);
    a->tick(0.1);
    QCOMPARE(b->rotation(), 7.0);
    a->setVelocity(0);
    a->tick(0.1);
    QCOMPARE(b->rotation(), 7.0);
    // A negative limit is a magnitude: it must not turn the movement around.
    a->setVelocity(1000);
    a->setMaxPropertyValueDifference(-5);
    a->tick(0.1);
    QCOMPARE(b->rotation(), 12.0);
}

void tst_MovementAnimation::pointPropertiesMoveComponentsIndependently()
{
    QObject *root = create("Item { id: r; property point spot: Qt.point(10, 10)\n"
                           "Item { id: b; objectName: 'box'; x: 100; y: 100 }\n"
                           "MovementAnimation { objectName: 'anim'; target: b; property: 'pos';"
                           " velocity: Qt.point(10, -20); running: true }\n"
                           "MovementAnimation { objectName: 'spotAnim'; target: r; property: 'spot';"
                           " velocity: Qt.point(100, 100); minPropertyValue: Qt.point(0, 0);"
                           " maxPropertyValue: Qt.point(50, 30); running: true } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QQuickItem *b = box(root);
    QVERIFY(a->isPointMode());

    a->tick(0.1);
    QCOMPARE(b->position(), QPointF(101, 98));
    // pos is read back from the item every step.
    b->setX(0);
    m_app.stepDriver()->setCurrentTime(100);
    QCOMPARE(b->position(), QPointF(1, 96));

    // A number on a point property has no x and y: it acts as (0, 0).
    a->setVelocity(10);
    a->tick(0.1);
    QCOMPARE(b->position(), QPointF(1, 96));

    auto *spotAnim = root->findChild<MovementAnimation *>(QStringLiteral("spotAnim"));
    QSignalSpy limit(spotAnim, &MovementAnimation::limitReached);
    // The driver's frame above moved it once.
    QCOMPARE(root->property("spot").toPointF(), QPointF(20, 20));
    spotAnim->tick(0.1);
    QCOMPARE(root->property("spot").toPointF(), QPointF(30, 30));
    QCOMPARE(limit.count(), 0);
    // Only y passes its maximum; x goes on moving.
    spotAnim->tick(0.1);
    QCOMPARE(root->property("spot").toPointF(), QPointF(40, 30));
    QCOMPARE(limit.count(), 1);

    // A point property other than pos is not read back while running...
    root->setProperty("spot", QPointF(0, 0));
    spotAnim->tick(0.1);
    QCOMPARE(root->property("spot").toPointF(), QPointF(50, 30));
    // ...but is read again when the element starts.
    spotAnim->stop();
    root->setProperty("spot", QPointF(0, 0));
    spotAnim->start();
    spotAnim->setVelocity(QPointF(-100, 100));
    spotAnim->setWrapping(true);
    spotAnim->tick(0.1);
    // x wraps below the minimum to the maximum, y moves on.
    QCOMPARE(root->property("spot").toPointF(), QPointF(50, 10));
}

void tst_MovementAnimation::runningBeforeCompletionAndStartStop()
{
    QQmlComponent component(&m_engine);
    component.setData(header + "Item { Item { id: b; objectName: 'box' }\n"
                               "MovementAnimation { objectName: 'anim'; target: b; property: 'x'; velocity: 100 } }",
                      QUrl(QStringLiteral("file:///movement.qml")));
    m_root.reset(component.beginCreate(m_engine.rootContext()));
    QVERIFY(m_root);
    MovementAnimation *a = anim(m_root.get());
    QSignalSpy started(a, &MovementAnimation::started);
    QSignalSpy stopped(a, &MovementAnimation::stopped);
    QSignalSpy runningChanged(a, &MovementAnimation::runningChanged);

    a->setRunning(true);
    QCOMPARE(runningChanged.count(), 1);
    QCOMPARE(runningChanged.at(0).at(0).toBool(), true);
    QVERIFY(!m_scheduler->isScheduled(a));
    component.completeCreate();
    QVERIFY(m_scheduler->isScheduled(a));
    QCOMPARE(started.count(), 0);
    QCOMPARE(m_scheduler->task(a)->stepInterval(), 1.0 / 60);

    // Already running: start() changes nothing.
    a->start();
    QCOMPARE(started.count(), 0);
    QCOMPARE(runningChanged.count(), 1);

    a->stop();
    QVERIFY(!m_scheduler->isScheduled(a));
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(runningChanged.count(), 2);
    QCOMPARE(runningChanged.at(1).at(0).toBool(), false);

    a->start();
    QVERIFY(m_scheduler->isScheduled(a));
    QCOMPARE(started.count(), 1);
    QCOMPARE(runningChanged.count(), 3);
    m_scheduler->advance(0.1);
    QCOMPARE(box(m_root.get())->x(), 10.0);
}

void tst_MovementAnimation::schedulingMethodDecidesStepLength()
{
    QObject *root = create("Item { Item { id: b; objectName: 'box' }\n"
                           "MovementAnimation { objectName: 'anim'; target: b; property: 'x'; velocity: 1000;"
                           " updateInterval: 10; running: true } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QQuickItem *b = box(root);
    ZRStepDriver *driver = m_app.stepDriver();
    QSignalSpy xChanged(b, &QQuickItem::xChanged);

    // None: one step per frame with the frame time, whatever updateInterval says.
    driver->setCurrentTime(16);
    driver->setCurrentTime(17);
    QCOMPARE(xChanged.count(), 2);
    QCOMPARE(b->x(), 33.0);
    // A stall is clamped to 0.1 s.
    driver->setCurrentTime(1250);
    QCOMPARE(b->x(), 133.0);

    // Accumulated: slices of 1 / updateInterval seconds.
    m_scheduler->setSchedulingMethod(ZarnoScheduler::Accumulated);
    xChanged.clear();
    for (int i = 0; i < 6; ++i)
        driver->setCurrentTime(16);
    QCOMPARE(xChanged.count(), 0);
    driver->setCurrentTime(16); // 0.112 s accumulated
    QCOMPARE(xChanged.count(), 1);
    QCOMPARE(b->x(), 233.0);

    // A new rate re-times the live registration.
    a->setUpdateInterval(50);
    QCOMPARE(m_scheduler->task(a)->stepInterval(), 0.02);
    driver->setCurrentTime(50); // 0.012 left over + 0.05
    QCOMPARE(xChanged.count(), 4);
    QCOMPARE(b->x(), 293.0);
}

void tst_MovementAnimation::completionWarnings()
{
    // Nothing to move: never registers, also not when started later.
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: no property or target defined, nothing to do");
    QObject *root = create("Item { Item { id: b; objectName: 'box' }\n"
                           "MovementAnimation { objectName: 'anim'; target: b; running: true } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QVERIFY(!m_scheduler->isScheduled(a));
    a->stop();
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: no property or target defined, nothing to do");
    a->start();
    QVERIFY(!m_scheduler->isScheduled(a));
    a->tick(0.1);
    QCOMPARE(box(root)->x(), 0.0);
    // Given a property afterwards, starting sets it up.
    a->stop();
    a->setProperty(QStringLiteral("x"));
    a->setVelocity(10);
    a->start();
    QVERIFY(m_scheduler->isScheduled(a));
    m_scheduler->advance(0.1);
    QCOMPARE(box(root)->x(), 1.0);
    m_root.reset();

    // No QML context at all.
    {
        QQuickItem target;
        MovementAnimation orphan;
        orphan.setTarget(&target);
        orphan.setProperty(QStringLiteral("x"));
        orphan.setRunning(true);
        orphan.classBegin();
        QTest::ignoreMessage(QtWarningMsg, "MovementAnimation: WARNING: Context was not found in Context Property!");
        QTest::ignoreMessage(QtWarningMsg, "WARNING: No scheduler found! MovementAnimation will not work correctly!");
        orphan.componentComplete();
        // Still steppable by hand.
        orphan.setVelocity(10);
        orphan.tick(0.5);
        QCOMPARE(target.x(), 5.0);
    }

    // An engine that was not prepared by the application object.
    {
        QQmlEngine bare;
        QQmlComponent component(&bare);
        component.setData(header + "Item { Item { id: b }\n"
                                   "MovementAnimation { target: b; property: 'x'; running: true } }",
                          QUrl(QStringLiteral("file:///bare.qml")));
        QTest::ignoreMessage(QtWarningMsg, "MovementAnimation: WARNING: Zarno Scheduler was not found in Context Property!");
        QTest::ignoreMessage(QtWarningMsg, "WARNING: No scheduler found! MovementAnimation will not work correctly!");
        std::unique_ptr<QObject> bareRoot(component.create());
        QVERIFY2(bareRoot, qPrintable(component.errorString()));
    }
}

void tst_MovementAnimation::nonItemTargetsAndSlowPath()
{
    QObject *root = create("Item { property real level: 1\n"
                           "property QtObject plain: QtObject { property real x: 0; property point pos: Qt.point(1, 1) }\n"
                           "Item { id: b; objectName: 'box' }\n"
                           "MovementAnimation { objectName: 'anim'; target: parent; property: 'level'; velocity: 10; running: true }\n"
                           "MovementAnimation { objectName: 'plainX'; target: plain; property: 'x'; velocity: 10; running: true }\n"
                           "MovementAnimation { objectName: 'plainPos'; target: plain; property: 'pos'; velocity: Qt.point(10, 10); running: true }\n"
                           "MovementAnimation { objectName: 'fast'; target: b; property: 'rotation'; velocity: 10; running: true } }");
    QVERIFY(root);
    auto *plain = root->property("plain").value<QObject *>();
    QVERIFY(plain);

    const char *slow = "WARNING: MovementAnimation: reading this property value is slow!";
    // level and the plain object's x: one warning each, on every step.
    for (int i = 0; i < 4; ++i)
        QTest::ignoreMessage(QtWarningMsg, slow);
    m_scheduler->advance(0.1);
    m_scheduler->advance(0.1);
    QCOMPARE(root->property("level").toDouble(), 3.0);
    // The fast-path name on a non-item falls back to the property by name.
    QCOMPARE(plain->property("x").toDouble(), 2.0);
    QCOMPARE(plain->property("pos").toPointF(), QPointF(3, 3));
    QCOMPARE(box(root)->rotation(), 2.0);

    // The fast paths and point properties stay silent.
    anim(root)->stop();
    root->findChild<MovementAnimation *>(QStringLiteral("plainX"))->stop();
    WarningCollector warnings;
    m_scheduler->advance(0.1);
    QCOMPARE(warnings.warnings, QStringList());
    QCOMPARE(box(root)->rotation(), 3.0);
}

void tst_MovementAnimation::unmovablePropertiesAreRefused()
{
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: the target has no writable property \"nosuch\", nothing to do");
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: the target has no writable property \"childrenRect\", nothing to do");
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: property \"color\" of the target is neither a number nor a point, nothing to do");
    QObject *root = create("Item { Rectangle { id: b; objectName: 'box' }\n"
                           "MovementAnimation { target: b; property: 'nosuch'; velocity: 1; running: true }\n"
                           "MovementAnimation { target: b; property: 'childrenRect'; velocity: 1; running: true }\n"
                           "MovementAnimation { target: b; property: 'color'; velocity: 1; running: true } }");
    QVERIFY(root);
    QCOMPARE(m_scheduler->count(), 0);
    QVERIFY(box(root)->dynamicPropertyNames().isEmpty());
}

void tst_MovementAnimation::nonFiniteInputNeverReachesTheTarget()
{
    QObject *root = create("Item { Item { id: b; objectName: 'box' }\n"
                           "MovementAnimation { objectName: 'anim'; target: b; property: 'x'; velocity: 10;"
                           " minPropertyValue: -100; running: true } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QQuickItem *b = box(root);
    QSignalSpy velocityChanged(a, &MovementAnimation::velocityChanged);
    QSignalSpy minChanged(a, &MovementAnimation::minPropertyValueChanged);
    QSignalSpy intervalChanged(a, &MovementAnimation::updateIntervalChanged);

    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: velocity is not a finite value, keeping the previous one!");
    a->setVelocity(qQNaN());
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: velocity is not a finite value, keeping the previous one!");
    a->setVelocity(QPointF(qInf(), 0));
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: minPropertyValue is not a finite value, keeping the previous one!");
    a->setMinPropertyValue(-qInf());
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: acceleration is not a finite value, keeping the previous one!");
    a->setAcceleration(QStringLiteral("inf"));
    QCOMPARE(a->velocity().toDouble(), 10.0);
    QCOMPARE(a->minPropertyValue().toDouble(), -100.0);
    QVERIFY(!a->acceleration().isValid());
    QCOMPARE(velocityChanged.count(), 0);
    QCOMPARE(minChanged.count(), 0);

    // A rate of zero would mean an endless interval: kept at its old value.
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: updateInterval 0 is not positive, keeping 60!");
    a->setUpdateInterval(0);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: updateInterval -5 is not positive, keeping 60!");
    a->setUpdateInterval(-5);
    QCOMPARE(a->updateInterval(), 60);
    QCOMPARE(intervalChanged.count(), 0);
    QCOMPARE(m_scheduler->task(a)->stepInterval(), 1.0 / 60);

    // Bad step lengths are ignored, also when they come through the scheduler.
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: ignoring a step of nan seconds!");
    a->tick(qQNaN());
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: ignoring a step of -0.1 seconds!");
    a->tick(-0.1);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: ignoring a step of nan seconds!");
    m_scheduler->advance(qQNaN());
    QCOMPARE(b->x(), 0.0);

    // Overflowing velocity or value: the step is dropped as a whole.
    const char *noFinite = "WARNING: MovementAnimation: the step gives no finite value, the property keeps its value!";
    a->setVelocity(1.7e308);
    a->setAcceleration(1.0e308);
    velocityChanged.clear();
    QTest::ignoreMessage(QtWarningMsg, noFinite);
    a->tick(1.0);
    QCOMPARE(a->velocity().toDouble(), 1.7e308);
    QCOMPARE(velocityChanged.count(), 0);
    QCOMPARE(b->x(), 0.0);

    a->setAcceleration(QVariant());
    b->setX(1.7e308);
    QTest::ignoreMessage(QtWarningMsg, noFinite);
    a->tick(1.0);
    QCOMPARE(b->x(), 1.7e308);
    QVERIFY(qIsFinite(b->x()));
}

void tst_MovementAnimation::targetLossAndDestruction()
{
    QObject *root = create("Item { Item { id: b; objectName: 'box' }\n"
                           "MovementAnimation { objectName: 'anim'; target: b; property: 'x'; velocity: 10; running: true }\n"
                           "MovementAnimation { objectName: 'other'; target: b; property: 'y'; velocity: 10; running: true } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QSignalSpy stopped(a, &MovementAnimation::stopped);
    QCOMPARE(m_scheduler->count(), 2);
    // The scheduler and tools find the interface through the meta-object.
    QVERIFY(a->qt_metacast("ISchedulable"));

    delete box(root);
    QCOMPARE(a->target(), nullptr);
    // Both elements lose their target in the same frame; each stops itself.
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: the target is gone, stopping");
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: the target is gone, stopping");
    m_scheduler->advance(0.1);
    QVERIFY(!a->running());
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(m_scheduler->count(), 0);

    // Starting without a target does not read from it.
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: no property or target defined, nothing to do");
    a->start();
    QCOMPARE(m_scheduler->count(), 0);
    a->stop();

    // A running element unregisters itself when destroyed.
    auto *item = new QQuickItem(qobject_cast<QQuickItem *>(root));
    a->setTarget(item);
    a->start();
    QVERIFY(m_scheduler->isScheduled(a));
    delete a;
    QCOMPARE(m_scheduler->count(), 0);
}

void tst_MovementAnimation::settersNotifyOnlyOnChange()
{
    QTest::ignoreMessage(QtWarningMsg, "WARNING: MovementAnimation: no property or target defined, nothing to do");
    QObject *root = create("Item { Item { id: b; objectName: 'box' }\n"
                           "MovementAnimation { objectName: 'anim' } }");
    QVERIFY(root);
    MovementAnimation *a = anim(root);
    QSignalSpy velocityChanged(a, &MovementAnimation::velocityChanged);
    QSignalSpy targetChanged(a, &MovementAnimation::targetChanged);
    QSignalSpy propertyChanged(a, &MovementAnimation::propertyChanged);

    a->setVelocity(1);
    a->setVelocity(1.0); // equal across numeric types
    a->setVelocity(QVariant());
    QCOMPARE(velocityChanged.count(), 2);
    a->setTarget(box(root));
    a->setTarget(box(root));
    a->setProperty(QStringLiteral("x"));
    a->setProperty(QStringLiteral("x"));
    QCOMPARE(targetChanged.count(), 1);
    QCOMPARE(propertyChanged.count(), 1);
    // QObject's own property API is still reachable.
    QCOMPARE(static_cast<QObject *>(a)->property("property").toString(), QStringLiteral("x"));
}

QTEST_MAIN(tst_MovementAnimation)
#include "tst_movementanimation.moc"
