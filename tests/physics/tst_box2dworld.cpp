// Destruction paths QML cannot reach at the right moment (its destroy() waits for
// the event loop): elements deleted while Box2D steps, inside a delivery of
// contact events, and worlds that die before their bodies.
#include "physics/box2dbody.h"
#include "physics/box2dbox.h"
#include "physics/box2dplugin.h"
#include "physics/box2dworld.h"
#include "scheduling/zarnoscheduler.h"
#include "scheduling/zarnotask.h"

#include "support/warningcollector.h"

#include <QtTest>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <memory>

namespace {

struct Scene
{
    std::unique_ptr<Box2DWorld> world{new Box2DWorld(nullptr, false, true)};
    QQuickItem root;

    // A body driving a new item, with one box filling it.
    Box2DBody *add(QPointF position, QSizeF size, Box2DBody::BodyType type)
    {
        auto *item = new QQuickItem(&root);
        item->setPosition(position);
        item->setSize(size);
        auto *body = new Box2DBody(item);
        body->setWorld(world.get());
        body->setBodyType(type);
        auto *box = new Box2DBox(body);
        box->setWidth(size.width());
        box->setHeight(size.height());
        box->setDensity(1);
        body->addFixture(box);
        body->classBegin();
        body->componentComplete();
        return body;
    }

    void steps(int count)
    {
        for (int i = 0; i < count; ++i)
            world->step(1.0f / 60.0f);
    }
};

Box2DFixture *fixtureOf(Box2DBody *body)
{
    return body->fixtureList().value(0);
}

} // namespace

class tst_Box2DWorld : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Box2DPlugin().registerTypes("Zarno"); }
    void deletedWhileTheWorldIsLocked_data();
    void deletedWhileTheWorldIsLocked();
    void fixtureDeletedByTheFirstHandlerOfAPair();
    void worldDiesBeforeItsBodies();
    void steppedByTheScheduler_data();
    void steppedByTheScheduler();
};

void tst_Box2DWorld::deletedWhileTheWorldIsLocked_data()
{
    QTest::addColumn<bool>("wholeBody");
    QTest::newRow("body") << true;
    QTest::newRow("fixture") << false;
}

void tst_Box2DWorld::deletedWhileTheWorldIsLocked()
{
    QFETCH(bool, wholeBody);
    Scene scene;
    Box2DBody *ground = scene.add(QPointF(0, 100), QSizeF(200, 20), Box2DBody::Static);
    Box2DBody *falling = scene.add(QPointF(50, 60), QSizeF(32, 32), Box2DBody::Dynamic);
    QPointer<QObject> doomed = wholeBody ? static_cast<QObject *>(falling->target()) : fixtureOf(falling);
    int ended = 0;
    connect(fixtureOf(ground), &Box2DFixture::endContact, [&] { ++ended; });

    bool locked = false;
    int nested = 0;
    connect(scene.world.get(), &Box2DWorld::preSolve, [&] {
        locked = scene.world->isLocked();
        if (doomed) {
            WarningCollector collector;
            scene.world->step(1.0f / 60.0f);
            nested = collector.warnings.count(QStringLiteral("World: step() refused, the world is stepping"));
            delete doomed;
        }
    });
    scene.steps(60);
    QVERIFY(locked);
    QCOMPARE(nested, 1);
    QVERIFY(!doomed);
    QCOMPARE(ended, 0);   // the ground never hears of a fixture that is gone
    QCOMPARE(scene.world->world().GetBodyCount(), wholeBody ? 1 : 2);
    if (!wholeBody) {
        QCOMPARE(falling->body()->GetFixtureList(), nullptr);
        QCOMPARE(falling->body()->GetContactList(), nullptr);
    }
}

// Begin events go to fixture A, then to fixture B: a handler on A that deletes B
// must keep the world from emitting on B.
void tst_Box2DWorld::fixtureDeletedByTheFirstHandlerOfAPair()
{
    Scene scene;
    Box2DBody *ground = scene.add(QPointF(0, 100), QSizeF(200, 20), Box2DBody::Static);
    Box2DBody *left = scene.add(QPointF(20, 60), QSizeF(32, 32), Box2DBody::Dynamic);
    Box2DBody *right = scene.add(QPointF(120, 60), QSizeF(32, 32), Box2DBody::Dynamic);
    QPointer<Box2DFixture> leftBox = fixtureOf(left);
    QPointer<Box2DFixture> rightBox = fixtureOf(right);
    QStringList heard;
    for (Box2DFixture *fixture : {leftBox.data(), rightBox.data()}) {
        const QString name = fixture == leftBox ? QStringLiteral("left") : QStringLiteral("right");
        connect(fixture, &Box2DFixture::beginContact, [&heard, name] { heard << name; });
    }
    connect(fixtureOf(ground), &Box2DFixture::beginContact, [&](Box2DFixture *other) {
        heard << QStringLiteral("ground");
        delete (other == leftBox ? rightBox : leftBox).data();
        delete other;
    });
    scene.steps(60);
    // The ground is fixture A of both pairs (created first): it hears one begin,
    // deletes both boxes, and nobody else is called.
    QCOMPARE(heard, QStringList{QStringLiteral("ground")});
    QVERIFY(!leftBox && !rightBox);
    scene.steps(5);
}

void tst_Box2DWorld::worldDiesBeforeItsBodies()
{
    Scene scene;
    Box2DBody *body = scene.add(QPointF(0, 0), QSizeF(32, 32), Box2DBody::Dynamic);
    auto *box = static_cast<Box2DBox *>(fixtureOf(body));
    QVERIFY(body->body());
    scene.world.reset();
    QCOMPARE(body->body(), nullptr);
    QCOMPARE(box->fixture(), nullptr);
    QCOMPARE(body->world(), nullptr);
    // Everything still answers, without a Box2D world behind it.
    QCOMPARE(body->getMass(), 0.0f);
    QCOMPARE(body->toWorldPoint(QPointF(1, 1)), QPointF());
    body->setBodyType(Box2DBody::Static);
    body->setLinearVelocity(QPointF(5, 5));
    body->applyForceToCenter(QPointF(1, 1));
    body->resetMassData();
    box->setWidth(64);
    box->setDensity(2);
    QCOMPARE(body->fixtureList().size(), 1);
}

void tst_Box2DWorld::steppedByTheScheduler_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<double>("frame");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("seconds");
    QTest::newRow("one step per frame") << int(ZarnoScheduler::None) << 0.016 << 1 << 0.016;
    QTest::newRow("long frame cut to 0.1 s") << int(ZarnoScheduler::None) << 0.25 << 1 << 0.1;
    QTest::newRow("fixed steps of timeStep") << int(ZarnoScheduler::Accumulated) << 0.04 << 2 << 2.0 / 60;
}

// The world registers with its timeStep; the scheduler decides how it is cut.
void tst_Box2DWorld::steppedByTheScheduler()
{
    QFETCH(int, method);
    QFETCH(double, frame);
    QFETCH(int, steps);
    QFETCH(double, seconds);
    QQmlEngine engine;
    ZarnoScheduler scheduler;
    scheduler.setSchedulingMethod(method);
    engine.rootContext()->setContextProperty(QStringLiteral("zarnoScheduler"), &scheduler);
    QQmlComponent component(&engine);
    component.setData("import QtQuick 2.0\nimport Zarno 2.0\n"
                      "World { property alias body: body; property int steps: 0; onStepped: ++steps\n"
                      "  Item { Body { id: body; bodyType: Body.Dynamic } } }",
                      QUrl());
    std::unique_ptr<QObject> world(component.create());
    QVERIFY2(world, qPrintable(component.errorString()));
    auto *body = world->property("body").value<Box2DBody *>();

    scheduler.advance(frame);
    QCOMPARE(world->property("steps").toInt(), steps);
    // A body without fixtures has no mass in Box2D 2.4 and does not fall: its
    // velocity stays, its position tells the time stepped.
    body->setLinearVelocity(QPointF(32, 0));
    world->setProperty("steps", 0);
    const qreal before = body->target()->x();
    scheduler.advance(frame);
    QVERIFY2(qAbs(body->target()->x() - before - 32 * seconds) < 1e-4, qPrintable(QString::number(body->target()->x() - before)));

    auto *schedulable = qobject_cast<Box2DWorld *>(world.get());
    world->setProperty("running", false);
    scheduler.advance(frame);
    world->setProperty("running", true);
    QCOMPARE(scheduler.count(), 1);
    QVERIFY(!scheduler.task(schedulable)->paused());
    QCOMPARE(world->property("steps").toInt(), steps);
}

QTEST_MAIN(tst_Box2DWorld)
#include "tst_box2dworld.moc"
