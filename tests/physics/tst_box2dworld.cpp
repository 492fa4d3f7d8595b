// Destruction paths QML cannot reach at the right moment (its destroy() waits for
// the event loop): elements deleted while Box2D steps, inside a delivery of
// contact events, and worlds that die before their bodies.
#include "physics/box2dbody.h"
#include "physics/box2dbox.h"
#include "physics/box2dworld.h"

#include "support/warningcollector.h"

#include <QtTest>
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
    void deletedWhileTheWorldIsLocked_data();
    void deletedWhileTheWorldIsLocked();
    void fixtureDeletedByTheFirstHandlerOfAPair();
    void worldDiesBeforeItsBodies();
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

QTEST_MAIN(tst_Box2DWorld)
#include "tst_box2dworld.moc"
