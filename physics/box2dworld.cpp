#include "box2dworld.h"

#include "box2dbody.h"
#include "box2dcontact.h"
#include "box2dfixture.h"
#include "box2djoint.h"
#include "box2dprofile.h"
#include "box2draycast.h"
#include "scheduling/zarnoscheduler.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMetaMethod>
#include <QQmlContext>
#include <QQmlEngine>

#include <algorithm>

/*!
    \qmltype World
    \inqmlmodule Zarno
    \instantiates Box2DWorld
    \brief A physics world, stepped by the frame scheduler.

    Bodies, fixtures and joints live in a world. QML works in pixels with y down and
    clockwise degrees; the world converts to Box2D's meters (y up, counter-clockwise
    radians) through \l pixelsPerMeter. The first World created becomes
    \c{Box2D.defaultWorld}, which bodies take when they name no world.

    After each Box2D step the world moves the bodies' target items, then emits the
    fixtures' beginContact and endContact signals, then contactChanged for every
    touching pair, then \l stepped().

    \qml
    World {
        id: world
        gravity: Qt.point(0, 10)
        Rectangle {
            id: crate; width: 32; height: 32
            Body { bodyType: Body.Dynamic; Box { width: 32; height: 32; density: 1 } }
        }
    }
    \endqml
*/

/*!
    \qmlsignal World::preSolve(Contact contact)
    Emitted inside the Box2D step for a touching \a contact before it is solved. The
    world is locked: changes of bodies and fixtures made here wait until the step ends.
*/
/*!
    \qmlsignal World::postSolve(Contact contact)
    Emitted inside the Box2D step after \a contact was solved.
*/
/*!
    \qmlsignal World::stepped()
    Emitted at the end of every step, after all item updates and contact signals.
*/

// Collects what Box2D reports during a step. Begin and end contacts wait in a
// queue until the step has returned; pre- and post-solve go out at once.
class ContactListener : public b2ContactListener
{
public:
    explicit ContactListener(Box2DWorld *world)
        : m_world(world)
    {
        QQmlEngine::setObjectOwnership(&m_contact, QQmlEngine::CppOwnership);
    }

    void BeginContact(b2Contact *contact) override
    {
        Box2DFixture *fixtureA = toBox2DFixture(contact->GetFixtureA());
        Box2DFixture *fixtureB = toBox2DFixture(contact->GetFixtureB());
        if (!fixtureA || !fixtureB)
            return;
        // A sensor's manifold has no points and Initialize would leave the normal unset.
        b2Vec2 normal(0, 0);
        const b2Manifold *manifold = contact->GetManifold();
        if (manifold->pointCount > 0) {
            b2WorldManifold worldManifold;
            worldManifold.Initialize(manifold, contact->GetFixtureA()->GetBody()->GetTransform(),
                                     contact->GetFixtureA()->GetShape()->m_radius,
                                     contact->GetFixtureB()->GetBody()->GetTransform(),
                                     contact->GetFixtureB()->GetShape()->m_radius);
            normal = worldManifold.normal;
        }
        events.push_back({Box2DWorld::ContactEvent::Begin, fixtureA, fixtureB, normal.x, normal.y});
    }

    void EndContact(b2Contact *contact) override
    {
        Box2DFixture *fixtureA = toBox2DFixture(contact->GetFixtureA());
        Box2DFixture *fixtureB = toBox2DFixture(contact->GetFixtureB());
        if (fixtureA && fixtureB)
            events.push_back({Box2DWorld::ContactEvent::End, fixtureA, fixtureB, 0, 0});
    }

    void PreSolve(b2Contact *contact, const b2Manifold *) override
    {
        if (!preSolveWatched || !toBox2DFixture(contact->GetFixtureA()) || !toBox2DFixture(contact->GetFixtureB()))
            return;
        m_contact.setContact(contact);
        emit m_world->preSolve(&m_contact);
        m_contact.setContact(nullptr);
    }

    void PostSolve(b2Contact *contact, const b2ContactImpulse *) override
    {
        if (!postSolveWatched || !toBox2DFixture(contact->GetFixtureA()) || !toBox2DFixture(contact->GetFixtureB()))
            return;
        m_contact.setContact(contact);
        emit m_world->postSolve(&m_contact);
        m_contact.setContact(nullptr);
    }

    std::vector<Box2DWorld::ContactEvent> events;
    // Taken before each step: a wrapper and two emissions per contact and step
    // cost more than the rest of the engine's work when nobody listens.
    bool preSolveWatched = true;
    bool postSolveWatched = true;

private:
    Box2DWorld *m_world;
    Box2DContact m_contact;
};

namespace {

QPointer<Box2DWorld> s_defaultWorld;
Box2DWorld *s_fallbackWorld = nullptr;

void destroyFallbackWorld()
{
    delete s_fallbackWorld;
    s_fallbackWorld = nullptr;
}

// Ray casts through the broad phase, so that the caller's maximum fraction
// limits the search from the start (b2World::RayCast always starts at 1).
struct BroadPhaseRayCast
{
    float RayCastCallback(const b2RayCastInput &input, int32 proxyId)
    {
        auto *proxy = static_cast<b2FixtureProxy *>(broadPhase->GetUserData(proxyId));
        b2Fixture *fixture = proxy->fixture;
        if (!toBox2DFixture(fixture))
            return input.maxFraction;
        b2RayCastOutput output;
        if (!fixture->RayCast(&output, input, proxy->childIndex))
            return input.maxFraction;
        const float fraction = output.fraction;
        const b2Vec2 point = (1.0f - fraction) * input.p1 + fraction * input.p2;
        return callback->ReportFixture(fixture, point, output.normal, fraction);
    }

    const b2BroadPhase *broadPhase;
    b2RayCastCallback *callback;
};

bool isFinite(const QPointF &point)
{
    return qIsFinite(point.x()) && qIsFinite(point.y());
}

} // namespace

Box2DWorld::Box2DWorld(QQuickItem *parent, bool running, bool completeAtOnce)
    : QQuickItem(parent)
    , m_world(b2Vec2(0.0f, -10.0f))
    , m_running(running)
{
    m_profile = new Box2DProfile(&m_world, this);
    m_world.SetDestructionListener(this);
    if (completeAtOnce)
        componentComplete();
    else if (isFallbackWorld(defaultWorld()))
        s_defaultWorld = this;
}

Box2DWorld::~Box2DWorld()
{
    // The elements outlive their Box2D objects, which die with the Box2D world.
    for (b2Body *body = m_world.GetBodyList(); body; body = body->GetNext()) {
        for (b2Fixture *fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext()) {
            if (Box2DFixture *element = toBox2DFixture(fixture))
                element->nullifyFixtures();
        }
        if (Box2DBody *element = toBox2DBody(body))
            element->nullifyBody();
    }
    for (b2Joint *joint = m_world.GetJointList(); joint; joint = joint->GetNext()) {
        if (QObject *element = toJointElement(joint))
            static_cast<Box2DJoint *>(element)->nullifyJoint();
    }
    m_world.SetContactListener(nullptr);
    delete m_contactListener;
    m_contactListener = nullptr;
    m_world.SetDestructionListener(nullptr);

    if (this != s_fallbackWorld && s_defaultWorld == this)
        s_defaultWorld = nullptr;
    if (m_scheduler && m_scheduler->isScheduled(this))
        m_scheduler->removeSchedulable(this);
}

Box2DWorld *Box2DWorld::defaultWorld()
{
    if (!s_defaultWorld)
        s_defaultWorld = fallbackWorld();
    return s_defaultWorld;
}

void Box2DWorld::setDefaultWorld(Box2DWorld *world)
{
    s_defaultWorld = world ? world : fallbackWorld();
}

Box2DWorld *Box2DWorld::fallbackWorld()
{
    if (!s_fallbackWorld) {
        s_fallbackWorld = new Box2DWorld(nullptr, false, true);
        QQmlEngine::setObjectOwnership(s_fallbackWorld, QQmlEngine::CppOwnership);
        if (QCoreApplication::instance())
            qAddPostRoutine(destroyFallbackWorld);
    }
    return s_fallbackWorld;
}

bool Box2DWorld::isFallbackWorld(const Box2DWorld *world)
{
    return world && world == s_fallbackWorld;
}

void Box2DWorld::componentComplete()
{
    QQuickItem::componentComplete();
    m_completed = true;
    applyContactListener();

    if (QQmlContext *context = qmlContext(this)) {
        QQmlEngine *engine = context->engine();
        QObject *object = engine ? engine->rootContext()->contextProperty(QStringLiteral("zarnoScheduler")).value<QObject *>()
                                 : nullptr;
        m_scheduler = qobject_cast<ZarnoScheduler *>(object);
        if (!m_scheduler)
            qWarning("Box2DWorld: WARNING: Zarno Scheduler was not found in Context Property!");
    }
    if (m_running && m_scheduler)
        m_scheduler->addSchedulable(this, m_timeStep);
}

void Box2DWorld::tick(double seconds)
{
    step(float(seconds));
}

void Box2DWorld::applyContactListener()
{
    // The listener is in use while Box2D steps: swap it only once the step is over.
    if (isLocked()) {
        whenUnlocked(this, [this] { applyContactListener(); });
        return;
    }
    if (m_enableContactEvents && !m_contactListener) {
        m_contactListener = new ContactListener(this);
        m_world.SetContactListener(m_contactListener);
    } else if (!m_enableContactEvents && m_contactListener) {
        m_world.SetContactListener(nullptr);
        delete m_contactListener;
        m_contactListener = nullptr;
    }
}

/*!
    \qmlproperty bool World::running
    Whether the scheduler steps the world (true by default).
*/
void Box2DWorld::setRunning(bool running)
{
    if (running == m_running)
        return;
    m_running = running;
    emit runningChanged();
    if (!m_scheduler)
        return;
    if (!running)
        m_scheduler->setPaused(this, true);
    else if (m_scheduler->isScheduled(this))
        m_scheduler->setPaused(this, false);
    else
        m_scheduler->addSchedulable(this, m_timeStep);
}

/*!
    \qmlproperty real World::timeStep
    The step interval in seconds (1/60 by default) with which the world is
    registered in the scheduler. Values that are not greater than 0 are refused.
*/
void Box2DWorld::setTimeStep(float timeStep)
{
    if (timeStep == m_timeStep)
        return;
    // A zero interval would make the accumulating scheduler loop for ever.
    if (!(timeStep > 0.0f) || !qIsFinite(timeStep)) {
        qWarning("World: timeStep must be > 0.0f");
        return;
    }
    m_timeStep = timeStep;
    emit timeStepChanged();
    if (m_scheduler)
        m_scheduler->setStepInterval(this, m_timeStep);
}

/*!
    \qmlproperty int World::velocityIterations
    Velocity iterations of each Box2D step (8 by default).
*/
void Box2DWorld::setVelocityIterations(int iterations)
{
    if (iterations == m_velocityIterations)
        return;
    m_velocityIterations = iterations;
    emit velocityIterationsChanged();
}

/*!
    \qmlproperty int World::positionIterations
    Position iterations of each Box2D step (3 by default).
*/
void Box2DWorld::setPositionIterations(int iterations)
{
    if (iterations == m_positionIterations)
        return;
    m_positionIterations = iterations;
    emit positionIterationsChanged();
}

/*!
    \qmlproperty point World::gravity
    Gravity in meters per second squared, y down ((0, 10) by default). It is not
    scaled by pixelsPerMeter.
*/
QPointF Box2DWorld::gravity() const
{
    const b2Vec2 gravity = m_world.GetGravity();
    return QPointF(gravity.x, -gravity.y);
}

void Box2DWorld::setGravity(const QPointF &gravity)
{
    if (!isFinite(gravity)) {
        qWarning() << "World: Invalid gravity:" << gravity;
        return;
    }
    const b2Vec2 converted(float(gravity.x()), float(-gravity.y()));
    if (converted == m_world.GetGravity())
        return;
    m_world.SetGravity(converted);
    emit gravityChanged();
}

/*!
    \qmlproperty bool World::autoClearForces
    Whether forces are cleared after each step (true by default).
*/
void Box2DWorld::setAutoClearForces(bool autoClearForces)
{
    if (autoClearForces == m_world.GetAutoClearForces())
        return;
    m_world.SetAutoClearForces(autoClearForces);
    emit autoClearForcesChanged();
}

/*!
    \qmlproperty real World::pixelsPerMeter
    How many pixels make one meter (32 by default). Bodies rebuild their fixtures and
    re-place themselves when it changes; values not greater than 0 are refused.
*/
void Box2DWorld::setPixelsPerMeter(float pixelsPerMeter)
{
    if (!(pixelsPerMeter > 0.0f) || !qIsFinite(pixelsPerMeter)) {
        qWarning("World: pixelsPerMeter must be > 0.0f");
        return;
    }
    if (pixelsPerMeter == m_pixelsPerMeter)
        return;
    m_pixelsPerMeter = pixelsPerMeter;
    emit pixelsPerMeterChanged();
}

/*!
    \qmlproperty bool World::enableContactEvents
    Whether fixtures get beginContact and endContact and the world preSolve and
    postSolve (true by default).
*/
void Box2DWorld::setEnableContactEvents(bool enable)
{
    if (enable == m_enableContactEvents)
        return;
    m_enableContactEvents = enable;
    if (m_completed)
        applyContactListener();
    emit enableContactEventsChanged();
}

/*!
    \qmlproperty Profile World::profile
    Timings of the last step.
*/

void Box2DWorld::whenUnlocked(QObject *owner, std::function<void()> action)
{
    if (!isLocked()) {
        action();
        return;
    }
    m_deferred.push_back({owner, std::move(action)});
}

void Box2DWorld::runDeferred()
{
    // Fixtures before bodies: a doomed fixture may belong to a doomed body.
    for (b2Fixture *fixture : m_doomedFixtures)
        fixture->GetBody()->DestroyFixture(fixture);
    m_doomedFixtures.clear();
    for (b2Body *body : m_doomedBodies)
        m_world.DestroyBody(body);
    m_doomedBodies.clear();
    // An action may queue no further ones: the world is unlocked now.
    std::vector<Deferred> deferred;
    deferred.swap(m_deferred);
    for (Deferred &entry : deferred) {
        if (entry.owner)
            entry.action();
    }
}

void Box2DWorld::destroyBody(b2Body *body)
{
    if (!body)
        return;
    if (!isLocked()) {
        m_world.DestroyBody(body);
        return;
    }
    // Until Box2D lets go of it, the body must not name elements that are gone.
    body->GetUserData().pointer = 0;
    for (b2Fixture *fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        fixture->GetUserData().pointer = 0;
    m_doomedFixtures.erase(std::remove_if(m_doomedFixtures.begin(), m_doomedFixtures.end(),
                                          [body](b2Fixture *fixture) { return fixture->GetBody() == body; }),
                           m_doomedFixtures.end());
    m_doomedBodies.push_back(body);
}

void Box2DWorld::destroyFixture(b2Fixture *fixture)
{
    if (!fixture)
        return;
    if (!isLocked()) {
        fixture->GetBody()->DestroyFixture(fixture);
        return;
    }
    fixture->GetUserData().pointer = 0;
    m_doomedFixtures.push_back(fixture);
}

void Box2DWorld::forgetFixture(Box2DFixture *fixture)
{
    if (m_contactListener) {
        auto &events = m_contactListener->events;
        for (auto it = events.end(); it != events.begin();) {
            --it;
            if (it->fixtureA == fixture || it->fixtureB == fixture)
                it = events.erase(it);
        }
    }
    for (ContactEvent &event : m_delivering) {
        if (event.fixtureA == fixture || event.fixtureB == fixture)
            event.fixtureA = event.fixtureB = nullptr;
    }
    for (TouchingPair &pair : m_touching) {
        if (pair.fixtureA == fixture || pair.fixtureB == fixture)
            pair.fixtureA = pair.fixtureB = nullptr;
    }
}

void Box2DWorld::forgetBody(Box2DBody *body)
{
    std::replace(m_synchronizing.begin(), m_synchronizing.end(), body, static_cast<Box2DBody *>(nullptr));
}

void Box2DWorld::SayGoodbye(b2Joint *joint)
{
    if (QObject *element = toJointElement(joint)) {
        joint->GetUserData().pointer = 0;
        static_cast<Box2DJoint *>(element)->nullifyJoint();
        delete element;
    }
}

void Box2DWorld::SayGoodbye(b2Fixture *fixture)
{
    if (Box2DFixture *element = toBox2DFixture(fixture)) {
        element->forgetFixture(fixture);
        forgetFixture(element);
    }
}

/*!
    \qmlmethod World::step(real timeStep)
    Advances the world by \a timeStep seconds. The scheduler calls it while
    \l running; tests and editors may call it on a world that does not run.
*/
void Box2DWorld::step(float timeStep)
{
    if (m_stepping) {
        qWarning("World: step() refused, the world is stepping");
        return;
    }
    if (!qIsFinite(timeStep) || timeStep < 0) {
        qWarning() << "World: Invalid timeStep:" << timeStep;
        return;
    }
    m_stepping = true;

    // Items moved from outside take their bodies along before the step.
    for (b2Body *body = m_world.GetBodyList(); body; body = body->GetNext()) {
        Box2DBody *element = toBox2DBody(body);
        if (element && element->transformDirty() && element->isActive())
            element->updateBodyTransform();
    }

    if (m_contactListener) {
        static const QMetaMethod preSolveSignal = QMetaMethod::fromSignal(&Box2DWorld::preSolve);
        static const QMetaMethod postSolveSignal = QMetaMethod::fromSignal(&Box2DWorld::postSolve);
        m_contactListener->preSolveWatched = isSignalConnected(preSolveSignal);
        m_contactListener->postSolveWatched = isSignalConnected(postSolveSignal);
    }
    m_world.Step(timeStep, m_velocityIterations, m_positionIterations);
    runDeferred();

    b2Timer timer;
    synchronizeBodies();
    m_profile->setSynchronize(timer.GetMilliseconds());
    timer.Reset();

    if (m_enableContactEvents && m_contactListener)
        deliverContactEvents();
    m_profile->setEmitSignals(timer.GetMilliseconds());

    emitContactChanged();
    m_stepping = false;
    emit stepped();
}

void Box2DWorld::synchronizeBodies()
{
    // Item handlers run while the items move: they may destroy bodies still to come.
    m_synchronizing.clear();
    for (b2Body *body = m_world.GetBodyList(); body; body = body->GetNext()) {
        Box2DBody *element = toBox2DBody(body);
        if (element && element->isActive() && element->bodyType() != Box2DBody::Static && element->target()
            && element->needsSynchronizing()) {
            m_synchronizing.push_back(element);
        }
    }
    for (size_t i = 0; i < m_synchronizing.size(); ++i) {
        if (Box2DBody *element = m_synchronizing[i])
            element->synchronizeTarget();
    }
    m_synchronizing.clear();
}

void Box2DWorld::deliverContactEvents()
{
    // Handlers may change bodies and fixtures. Events they cause wait in the
    // listener for the next delivery, so that no begin loses its end.
    m_delivering.swap(m_contactListener->events);
    for (size_t i = 0; i < m_delivering.size(); ++i) {
        const ContactEvent event = m_delivering[i];
        if (!event.fixtureA || !event.fixtureB)
            continue;
        if (event.type == ContactEvent::Begin) {
            emit event.fixtureA->beginContact(event.fixtureB, QPointF(event.normalX, -event.normalY));
            // The first handler may have destroyed the second fixture.
            if (m_delivering[i].fixtureB)
                emit event.fixtureB->beginContact(event.fixtureA, QPointF(-event.normalX, event.normalY));
        } else {
            emit event.fixtureA->endContact(event.fixtureB);
            if (m_delivering[i].fixtureB)
                emit event.fixtureB->endContact(event.fixtureA);
        }
    }
    m_delivering.clear();
}

void Box2DWorld::emitContactChanged()
{
    m_touching.clear();
    if (Box2DFixture::contactChangedWatchers() == 0)
        return;
    for (b2Contact *contact = m_world.GetContactList(); contact; contact = contact->GetNext()) {
        if (!contact->IsTouching())
            continue;
        Box2DFixture *fixtureA = toBox2DFixture(contact->GetFixtureA());
        Box2DFixture *fixtureB = toBox2DFixture(contact->GetFixtureB());
        if (fixtureA && fixtureB && (fixtureA->contactChangedWatched() || fixtureB->contactChangedWatched()))
            m_touching.push_back({fixtureA, fixtureB});
    }
    for (size_t i = 0; i < m_touching.size(); ++i) {
        const TouchingPair pair = m_touching[i];
        if (!pair.fixtureA)
            continue;
        emit pair.fixtureA->contactChanged(pair.fixtureB);
        if (m_touching[i].fixtureB)
            emit pair.fixtureB->contactChanged(pair.fixtureA);
    }
    m_touching.clear();
}

/*!
    \qmlmethod World::clearForces()
    Clears the forces of every body (needed only when autoClearForces is false).
*/
void Box2DWorld::clearForces()
{
    m_world.ClearForces();
}

/*!
    \qmlmethod World::rayCast(RayCast rayCast, point point1, point point2)
    Casts a ray from \a point1 to \a point2 and reports each fixture hit, up to the
    ray cast's maxFraction, to \a rayCast. A ray of zero length hits nothing.
*/
void Box2DWorld::rayCast(Box2DRayCast *rayCast, const QPointF &point1, const QPointF &point2)
{
    if (!rayCast)
        return;
    if (!isFinite(point1) || !isFinite(point2)) {
        qWarning() << "World: Invalid rayCast points:" << point1 << point2;
        return;
    }
    b2RayCastInput input;
    input.p1 = toMeters(point1);
    input.p2 = toMeters(point2);
    // The ray cast's maxFraction limits the search from the start; 0 means "stop
    // at the first hit", which a search limited to nothing would never find.
    input.maxFraction = rayCast->maxFraction() > 0 ? rayCast->maxFraction() : 1.0f;
    if ((input.p2 - input.p1).LengthSquared() <= 0.0f)
        return;
    BroadPhaseRayCast wrapper{&m_world.GetContactManager().m_broadPhase, rayCast};
    m_world.GetContactManager().m_broadPhase.RayCast(&wrapper, input);
}

/*!
    \qmlmethod Body World::bodyAt(point point)
    The most recently created active body with a fixture that contains \a point,
    or null. Chains and edges contain no point.
*/
Box2DBody *Box2DWorld::bodyAt(const QPointF &point)
{
    if (!isFinite(point))
        return nullptr;
    const b2Vec2 position = toMeters(point);
    for (b2Body *body = m_world.GetBodyList(); body; body = body->GetNext()) {
        if (!body->IsEnabled())
            continue;
        Box2DBody *element = toBox2DBody(body);
        if (!element)
            continue;
        for (b2Fixture *fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext()) {
            if (fixture->TestPoint(position))
                return element;
        }
    }
    return nullptr;
}
