// Cost of stepping a world through the engine against stepping Box2D directly,
// same scene, same process: a pyramid of 1,000 boxes (32 px, 1 m) on a static
// ground, stepped 600 times at 1/60 s.
//
//   raw    - b2World::Step on bodies and fixtures made with Box2D's own calls
//   world  - Box2DWorld::step on Body, Box and a target item per box: items moved
//            into the bodies before the step, bodies synchronised to their items,
//            contact events queued and delivered, contactChanged for every touch
//
// Each figure is the best of three rounds, in milliseconds of this thread's CPU
// time per step (the machine may be shared: time spent waiting for a core is not
// the engine's); the ratio world / raw is the engine's overhead (goal: at most 1.25).
#include "../common/benchrow.h"
#include "physics/box2dbody.h"
#include "physics/box2dbox.h"
#include "physics/box2dworld.h"

#include <box2d/box2d.h>

#include <QGuiApplication>
#include <QQuickItem>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int Boxes = 1000;
constexpr int Steps = 600;
constexpr int BaseRow = 45;   // 1,035 places: the apex stays empty
constexpr float TimeStep = 1.0f / 60.0f;

double threadMilliseconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Box centres in meters, the bottom row first, on a ground whose top is at y = 0.
std::vector<b2Vec2> pyramid()
{
    std::vector<b2Vec2> centres;
    for (int row = 0; row < BaseRow && int(centres.size()) < Boxes; ++row) {
        const int count = BaseRow - row;
        for (int i = 0; i < count && int(centres.size()) < Boxes; ++i)
            centres.emplace_back(-count * 0.5f + 0.5f + i * 1.0f, 0.5f + row * 1.0f);
    }
    return centres;
}

double runRaw(const std::vector<b2Vec2> &centres, float *checksum)
{
    b2World world(b2Vec2(0, -10));
    b2BodyDef groundDef;
    b2Body *ground = world.CreateBody(&groundDef);
    b2PolygonShape groundShape;
    groundShape.SetAsBox(40, 0.5f, b2Vec2(0, -0.5f), 0);
    ground->CreateFixture(&groundShape, 0);

    b2PolygonShape shape;
    shape.SetAsBox(0.5f, 0.5f, b2Vec2(0.5f, -0.5f), 0);   // body origin at the top-left corner, as the engine's
    for (const b2Vec2 &centre : centres) {
        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.position.Set(centre.x - 0.5f, centre.y + 0.5f);
        b2FixtureDef fixtureDef;
        fixtureDef.shape = &shape;
        fixtureDef.density = 1;
        fixtureDef.friction = 0.2f;
        world.CreateBody(&def)->CreateFixture(&fixtureDef);
    }

    const double start = threadMilliseconds();
    for (int i = 0; i < Steps; ++i)
        world.Step(TimeStep, 8, 3);
    const double ms = threadMilliseconds() - start;
    *checksum = 0;
    for (b2Body *body = world.GetBodyList(); body; body = body->GetNext())
        *checksum += body->GetPosition().y;
    return ms;
}

double runWorld(const std::vector<b2Vec2> &centres, float *checksum)
{
    constexpr float Scale = 32;
    Box2DWorld world(nullptr, false, true);
    QQuickItem scene;

    auto makeBody = [&](qreal x, qreal y, qreal width, qreal height, Box2DBody::BodyType type) {
        auto *item = new QQuickItem(&scene);
        item->setPosition(QPointF(x, y));
        item->setSize(QSizeF(width, height));
        auto *body = new Box2DBody(item);
        body->setWorld(&world);
        body->setBodyType(type);
        auto *box = new Box2DBox(body);
        box->setWidth(width);
        box->setHeight(height);
        box->setDensity(type == Box2DBody::Dynamic ? 1.0f / (Scale * Scale) : 0);
        body->addFixture(box);
        body->classBegin();
        body->componentComplete();
        return body;
    };
    makeBody(-40 * Scale, 0, 80 * Scale, Scale, Box2DBody::Static);
    std::vector<Box2DBody *> bodies;
    for (const b2Vec2 &centre : centres)
        bodies.push_back(makeBody((centre.x - 0.5f) * Scale, -(centre.y + 0.5f) * Scale, Scale, Scale, Box2DBody::Dynamic));

    const double start = threadMilliseconds();
    for (int i = 0; i < Steps; ++i)
        world.step(TimeStep);
    const double ms = threadMilliseconds() - start;
    *checksum = 0;
    for (b2Body *body = world.world().GetBodyList(); body; body = body->GetNext())
        *checksum += body->GetPosition().y;
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::vector<b2Vec2> centres = pyramid();

    double raw = 1e300;
    double engine = 1e300;
    float rawChecksum = 0;
    float engineChecksum = 0;
    for (int round = 0; round < 3; ++round) {
        raw = qMin(raw, runRaw(centres, &rawChecksum));
        engine = qMin(engine, runWorld(centres, &engineChecksum));
    }
    printf("pyramid of %d boxes, %d steps of 1/60 s, best of 3 rounds, thread CPU time\n", int(centres.size()), Steps);
    printf("raw Box2D      %8.3f ms per step\n", raw / Steps);
    printf("World + items  %8.3f ms per step\n", engine / Steps);
    printf("ratio          %8.3f (goal <= 1.25)\n", engine / raw);
    benchRow("1,000-box pyramid, step (vs raw Box2D)", engine / Steps, raw / Steps, "ms");
    printf("sum of heights raw %.3f, world %.3f (m; the same scene ends the same way)\n", rawChecksum, engineChecksum);
    return 0;
}
