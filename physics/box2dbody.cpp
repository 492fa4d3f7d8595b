#include "box2dbody.h"

#include "box2dfixture.h"
#include "box2dworld.h"

#include <QDebug>
#include <QtMath>

/*!
    \qmltype Body
    \inqmlmodule Zarno
    \instantiates Box2DBody
    \brief A rigid body that moves its target item.

    The body's origin is the target item's top-left corner; its fixtures (declared
    inside it) give it shape and mass. After every step of its world the body moves
    and turns the target; moving the target from outside moves the body before the
    next step. Without a \l target the body drives its parent item.

    \qml
    Rectangle {
        width: 32; height: 32; x: 100
        Body {
            bodyType: Body.Dynamic
            Box { width: 32; height: 32; density: 1; friction: 0.4 }
        }
    }
    \endqml
*/

/*!
    \qmlsignal Body::bodyCreated()
    The Box2D body and its fixtures exist.
*/
/*!
    \qmlsignal Body::bodyDestroyed()
    The Box2D body is about to go (the body, or its world, is being destroyed, or
    the body moves to another world); joints on it let go of it here.
*/
/*!
    \qmlsignal Body::positionChanged()
    The body moved its target after a step.
*/

namespace {

bool isFinite(const QPointF &point)
{
    return qIsFinite(point.x()) && qIsFinite(point.y());
}

// Where the item's top-left corner is drawn, relative to its position, once
// rotation about a transform origin other than the corner has moved it.
QPointF cornerOffset(const QQuickItem *item, qreal cosine, qreal sine)
{
    if (item->transformOrigin() == QQuickItem::TopLeft)
        return QPointF();
    const QPointF origin = item->transformOriginPoint();
    return origin - QPointF(origin.x() * cosine - origin.y() * sine, origin.x() * sine + origin.y() * cosine);
}

QPointF cornerOffset(const QQuickItem *item, qreal rotation)
{
    if (item->transformOrigin() == QQuickItem::TopLeft)
        return QPointF();
    const qreal angle = qDegreesToRadians(rotation);
    return cornerOffset(item, qCos(angle), qSin(angle));
}

bool sameVector(const QPointF &a, const QPointF &b)
{
    return qAbs(a.x() - b.x()) <= 1e-12 && qAbs(a.y() - b.y()) <= 1e-12;
}

} // namespace

Box2DBody::Box2DBody(QObject *parent)
    : QObject(parent)
{
    m_bodyDef.userData.pointer = reinterpret_cast<uintptr_t>(this);
    setWorld(Box2DWorld::defaultWorld());
}

Box2DBody::~Box2DBody()
{
    if (m_world)
        m_world->forgetBody(this);
    destroyBody();
}

float Box2DBody::pixelsPerMeter() const
{
    return m_world ? m_world->pixelsPerMeter() : 32.0f;
}

void Box2DBody::componentComplete()
{
    // A World declared after the body in the same document is found this way.
    if (Box2DWorld::isFallbackWorld(m_world))
        setWorld(Box2DWorld::defaultWorld());
    m_completed = true;
    if (m_creationPending)
        createBody();
}

/*!
    \qmlproperty World Body::world
    The world the body lives in; \c{Box2D.defaultWorld} when not set. Changing it
    moves the body into the new world.
*/
void Box2DBody::setWorld(Box2DWorld *world)
{
    if (world == m_world)
        return;
    if (m_world) {
        disconnect(m_world, &Box2DWorld::pixelsPerMeterChanged, this, &Box2DBody::onWorldPixelsPerMeterChanged);
        m_world->forgetBody(this);
        destroyBody();
    }
    m_world = world;
    if (m_world)
        connect(m_world, &Box2DWorld::pixelsPerMeterChanged, this, &Box2DBody::onWorldPixelsPerMeterChanged);
    createBody();
    emit worldChanged();
}

void Box2DBody::createBody()
{
    if (!m_world)
        return;
    if (!m_completed) {
        m_creationPending = true;
        return;
    }
    if (m_world->isLocked()) {
        m_creationPending = true;
        m_world->whenUnlocked(this, [this] { if (m_creationPending) createBody(); });
        return;
    }
    if (m_body)
        return;
    if (!m_target) {
        // Watched like a target that was set: moving the parent moves the body.
        if (auto *item = qobject_cast<QQuickItem *>(parent())) {
            m_target = item;
            watchTarget();
            emit targetChanged();
        }
    }
    if (m_target)
        applyTargetTransform(true);
    m_body = m_world->world().CreateBody(&m_bodyDef);
    m_creationPending = false;
    m_transformDirty = false;
    m_reportedLinearVelocity = m_body->GetLinearVelocity();
    m_reportedAngularVelocity = m_body->GetAngularVelocity();
    m_reportedAwake = m_body->IsAwake();
    const QVector<Box2DFixture *> fixtures = m_fixtures;
    for (Box2DFixture *fixture : fixtures)
        fixture->createFixture(this);
    emit bodyCreated();
}

void Box2DBody::destroyBody()
{
    if (!m_body)
        return;
    emit bodyDestroyed();
    if (!m_body)
        return;
    for (Box2DFixture *fixture : qAsConst(m_fixtures)) {
        fixture->nullifyFixtures();
        if (m_world)
            m_world->forgetFixture(fixture);
    }
    b2Body *body = m_body;
    m_body = nullptr;
    if (m_world)
        m_world->destroyBody(body);
}

void Box2DBody::nullifyBody()
{
    m_body = nullptr;
}

/*!
    \qmlproperty Item Body::target
    The item the body moves. Defaults to the body's parent item.
*/
void Box2DBody::setTarget(QQuickItem *target)
{
    if (target == m_target)
        return;
    for (const QMetaObject::Connection &connection : qAsConst(m_targetConnections))
        disconnect(connection);
    m_targetConnections.clear();
    m_target = target;
    m_transformDirty = target != nullptr;
    watchTarget();
    emit targetChanged();
}

void Box2DBody::watchTarget()
{
    if (!m_target)
        return;
    m_targetConnections << connect(m_target, &QQuickItem::xChanged, this, &Box2DBody::markTransformDirty, Qt::DirectConnection)
                        << connect(m_target, &QQuickItem::yChanged, this, &Box2DBody::markTransformDirty, Qt::DirectConnection)
                        << connect(m_target, &QQuickItem::rotationChanged, this, &Box2DBody::markTransformDirty, Qt::DirectConnection)
                        << connect(m_target, &QObject::destroyed, this, &Box2DBody::targetChanged);
}

void Box2DBody::markTransformDirty()
{
    if (m_synchronizing || !m_target)
        return;
    const float scale = pixelsPerMeter();
    const qreal rotation = m_target->rotation();
    const QPointF corner = m_target->position() + cornerOffset(m_target, rotation);
    if (!qFuzzyCompare(float(corner.x()), m_bodyDef.position.x * scale)
        || !qFuzzyCompare(float(corner.y()), -m_bodyDef.position.y * scale)
        || !qFuzzyCompare(rotation, toQmlAngle(m_bodyDef.angle))) {
        m_transformDirty = true;
    }
}

// Reads the target's placement into the definition; refuses what Box2D cannot hold.
bool Box2DBody::applyTargetTransform(bool withCorner)
{
    const qreal rotation = m_target->rotation();
    QPointF corner = m_target->position();
    if (withCorner)
        corner += cornerOffset(m_target, rotation);
    const float scale = pixelsPerMeter();
    const b2Vec2 position(float(corner.x() / scale), float(-corner.y() / scale));
    const float angle = toBox2DAngle(rotation);
    if (!position.IsValid() || !qIsFinite(angle)) {
        qWarning() << "Body: the target's position or rotation is not finite, the body stays where it is:" << corner << rotation;
        return false;
    }
    m_bodyDef.position = position;
    m_bodyDef.angle = angle;
    return true;
}

void Box2DBody::updateBodyTransform()
{
    m_transformDirty = false;
    if (!m_target || !applyTargetTransform(true) || !m_body)
        return;
    m_body->SetTransform(m_bodyDef.position, m_bodyDef.angle);
}

void Box2DBody::synchronizeTarget()
{
    if (!m_body || !m_target)
        return;
    const float scale = pixelsPerMeter();
    if (m_collisionTestingOnlyMode) {
        if (applyTargetTransform(false))
            m_body->SetTransform(m_bodyDef.position, m_bodyDef.angle);
        return;
    }
    const bool dynamic = m_body->GetType() == b2_dynamicBody;
    if (m_force.x() != 0 || m_force.y() != 0) {
        if (dynamic) {
            const QPointF worldForce = toWorldVector(m_force);
            m_body->ApplyForceToCenter(b2Vec2(float(worldForce.x() / scale), float(-worldForce.y() / scale)), true);
        }
    }
    if (m_torque != 0 && dynamic)
        m_body->ApplyTorque(float(-m_torque / (scale * scale)), true);

    // Writes to the item are the body's own: they must not mark it dirty.
    QQuickItem *target = m_target.data();
    bool moved = false;
    qreal writtenRotation = target->rotation();
    QPointF writtenPosition = target->position();
    m_synchronizing = true;
    const float angle = m_body->GetAngle();
    if (!qFuzzyCompare(angle, m_bodyDef.angle)) {
        m_bodyDef.angle = angle;
        writtenRotation = toQmlAngle(angle);
        target->setRotation(writtenRotation);
    }
    const b2Vec2 &position = m_body->GetPosition();
    if (m_target && (!qFuzzyCompare(position.x, m_bodyDef.position.x) || !qFuzzyCompare(position.y, m_bodyDef.position.y))) {
        m_bodyDef.position = position;
        // The corner for the body's rotation: the item's may be one it cannot take.
        // Box2D keeps that rotation's cosine and sine (counter-clockwise).
        const b2Rot &turn = m_body->GetTransform().q;
        const QPointF corner = cornerOffset(target, turn.c, -turn.s);
        writtenPosition = QPointF(position.x * scale - corner.x(), -position.y * scale - corner.y());
        target->setPosition(writtenPosition);
        moved = true;
    }
    m_synchronizing = false;
    // A handler of the item's own signals may have moved it again, or deleted it.
    if (m_target && (target->position() != writtenPosition || target->rotation() != writtenRotation))
        m_transformDirty = true;
    if (moved)
        emit positionChanged();

    if (!m_body)
        return;
    const b2Vec2 linearVelocity = m_body->GetLinearVelocity();
    if (!qFuzzyCompare(linearVelocity.x, m_reportedLinearVelocity.x)
        || !qFuzzyCompare(linearVelocity.y, m_reportedLinearVelocity.y)) {
        m_reportedLinearVelocity = linearVelocity;
        emit linearVelocityChanged();
    }
    if (!m_body)
        return;
    const float angularVelocity = m_body->GetAngularVelocity();
    if (angularVelocity != m_reportedAngularVelocity) {
        m_reportedAngularVelocity = angularVelocity;
        emit angularVelocityChanged();
    }
    // Box2D puts bodies to sleep and wakes them during the step.
    if (m_body && m_body->IsAwake() != m_reportedAwake) {
        m_reportedAwake = !m_reportedAwake;
        emit awakeChanged();
    }
}

void Box2DBody::onWorldPixelsPerMeterChanged()
{
    if (!m_body)
        return;
    m_world->whenUnlocked(this, [this] {
        if (!m_body)
            return;
        for (Box2DFixture *fixture : qAsConst(m_fixtures))
            fixture->recreateFixture();
        if (m_target)
            updateBodyTransform();
    });
}

/*!
    \qmlproperty real Body::linearDamping
    Slows the linear velocity (0 by default). Negative values are refused.
*/
void Box2DBody::setLinearDamping(float linearDamping)
{
    if (linearDamping == m_bodyDef.linearDamping)
        return;
    if (!qIsFinite(linearDamping) || linearDamping < 0) {
        qWarning() << "Body: Invalid linearDamping:" << linearDamping;
        return;
    }
    m_bodyDef.linearDamping = linearDamping;
    if (m_body)
        m_body->SetLinearDamping(linearDamping);
    emit linearDampingChanged();
}

/*!
    \qmlproperty real Body::angularDamping
    Slows the rotation (0 by default). Negative values are refused.
*/
void Box2DBody::setAngularDamping(float angularDamping)
{
    if (angularDamping == m_bodyDef.angularDamping)
        return;
    if (!qIsFinite(angularDamping) || angularDamping < 0) {
        qWarning() << "Body: Invalid angularDamping:" << angularDamping;
        return;
    }
    m_bodyDef.angularDamping = angularDamping;
    if (m_body)
        m_body->SetAngularDamping(angularDamping);
    emit angularDampingChanged();
}

/*!
    \qmlproperty enumeration Body::bodyType
    How the body moves:
    \value Body.Static     never moves (the default)
    \value Body.Kinematic  moves by its velocity only
    \value Body.Dynamic    moved by gravity, forces and contacts
*/
void Box2DBody::setBodyType(BodyType bodyType)
{
    if (bodyType == this->bodyType())
        return;
    if (bodyType != Static && bodyType != Kinematic && bodyType != Dynamic) {
        qWarning() << "Body: Invalid bodyType:" << int(bodyType);
        return;
    }
    m_bodyDef.type = static_cast<b2BodyType>(bodyType);
    if (m_body) {
        m_world->whenUnlocked(this, [this] {
            if (m_body)
                m_body->SetType(m_bodyDef.type);
        });
    }
    emit bodyTypeChanged();
}

/*!
    \qmlproperty bool Body::bullet
    Continuous collision against dynamic bodies too, for fast small bodies.
*/
void Box2DBody::setBullet(bool bullet)
{
    if (bullet == m_bodyDef.bullet)
        return;
    m_bodyDef.bullet = bullet;
    if (m_body)
        m_body->SetBullet(bullet);
    emit bulletChanged();
}

/*!
    \qmlproperty bool Body::sleepingAllowed
    Whether the body may fall asleep when it rests (true by default).
*/
void Box2DBody::setSleepingAllowed(bool allowed)
{
    if (allowed == m_bodyDef.allowSleep)
        return;
    m_bodyDef.allowSleep = allowed;
    if (m_body)
        m_body->SetSleepingAllowed(allowed);
    emit sleepingAllowedChanged();
}

/*!
    \qmlproperty bool Body::fixedRotation
    Whether the body never turns.
*/
void Box2DBody::setFixedRotation(bool fixedRotation)
{
    if (fixedRotation == m_bodyDef.fixedRotation)
        return;
    m_bodyDef.fixedRotation = fixedRotation;
    if (m_body) {
        m_world->whenUnlocked(this, [this] {
            if (m_body)
                m_body->SetFixedRotation(m_bodyDef.fixedRotation);
        });
    }
    emit fixedRotationChanged();
}

/*!
    \qmlproperty bool Body::active
    An inactive body takes part in nothing: no collision, no step, no queries.
*/
void Box2DBody::setActive(bool active)
{
    if (active == m_bodyDef.enabled)
        return;
    m_bodyDef.enabled = active;
    if (m_body) {
        m_world->whenUnlocked(this, [this] {
            if (m_body)
                m_body->SetEnabled(m_bodyDef.enabled);
        });
    }
    emit activeChanged();
}

/*!
    \qmlproperty bool Body::awake
    Whether the body is awake; a sleeping body costs nothing until touched. Changes
    made by the world are reported after the step in which the body fell asleep or woke.
*/
bool Box2DBody::isAwake() const
{
    return m_body ? m_body->IsAwake() : m_bodyDef.awake;
}

void Box2DBody::setAwake(bool awake)
{
    if (awake == isAwake() && awake == m_bodyDef.awake)
        return;
    m_bodyDef.awake = awake;
    if (m_body) {
        m_world->whenUnlocked(this, [this] {
            if (m_body) {
                m_body->SetAwake(m_bodyDef.awake);
                m_reportedAwake = m_body->IsAwake();
            }
        });
    }
    emit awakeChanged();
}

/*!
    \qmlproperty point Body::linearVelocity
    Velocity in pixels per second, y down.
*/
QPointF Box2DBody::linearVelocity() const
{
    const b2Vec2 velocity = m_body ? m_body->GetLinearVelocity() : m_bodyDef.linearVelocity;
    const float scale = pixelsPerMeter();
    return QPointF(velocity.x * scale, -velocity.y * scale);
}

void Box2DBody::setLinearVelocity(const QPointF &velocity)
{
    if (!isFinite(velocity)) {
        qWarning() << "Body: Invalid linearVelocity:" << velocity;
        return;
    }
    if (sameVector(velocity, linearVelocity()))
        return;
    const float scale = pixelsPerMeter();
    m_bodyDef.linearVelocity = b2Vec2(float(velocity.x() / scale), float(-velocity.y() / scale));
    if (m_body && m_body->GetType() != b2_staticBody)
        m_body->SetLinearVelocity(m_bodyDef.linearVelocity);
    emit linearVelocityChanged();
}

/*!
    \qmlproperty real Body::angularVelocity
    Rotation speed in degrees per second, clockwise.
*/
float Box2DBody::angularVelocity() const
{
    return float(toQmlAngle(m_body ? m_body->GetAngularVelocity() : m_bodyDef.angularVelocity));
}

void Box2DBody::setAngularVelocity(float velocity)
{
    if (!qIsFinite(velocity)) {
        qWarning() << "Body: Invalid angularVelocity:" << velocity;
        return;
    }
    if (velocity == angularVelocity())
        return;
    m_bodyDef.angularVelocity = toBox2DAngle(velocity);
    if (m_body && m_body->GetType() != b2_staticBody)
        m_body->SetAngularVelocity(m_bodyDef.angularVelocity);
    emit angularVelocityChanged();
}

/*!
    \qmlproperty list<Fixture> Body::fixtures
    The body's shapes; fixtures declared inside a Body go here.
*/
QQmlListProperty<Box2DFixture> Box2DBody::fixtures()
{
    return QQmlListProperty<Box2DFixture>(this, nullptr, &Box2DBody::appendFixture, &Box2DBody::fixtureCount,
                                          &Box2DBody::fixtureAt, nullptr);
}

void Box2DBody::appendFixture(QQmlListProperty<Box2DFixture> *list, Box2DFixture *fixture)
{
    static_cast<Box2DBody *>(list->object)->addFixture(fixture);
}

int Box2DBody::fixtureCount(QQmlListProperty<Box2DFixture> *list)
{
    return static_cast<Box2DBody *>(list->object)->m_fixtures.size();
}

Box2DFixture *Box2DBody::fixtureAt(QQmlListProperty<Box2DFixture> *list, int index)
{
    return static_cast<Box2DBody *>(list->object)->m_fixtures.value(index);
}

/*!
    \qmlmethod Body::addFixture(Fixture fixture)
    Adds \a fixture, made at run time; it is created at once when the body exists.
*/
void Box2DBody::addFixture(Box2DFixture *fixture)
{
    if (!fixture || m_fixtures.contains(fixture))
        return;
    m_fixtures.append(fixture);
    connect(fixture, &QObject::destroyed, this, [this, fixture] {
        m_fixtures.removeAll(fixture);
        emit fixturesChanged();
    });
    if (m_body)
        fixture->createFixture(this);
    emit fixturesChanged();
}

/*!
    \qmlproperty real Body::gravityScale
    How much the world's gravity pulls this body (1 by default).
*/
void Box2DBody::setGravityScale(float gravityScale)
{
    if (gravityScale == m_bodyDef.gravityScale)
        return;
    if (!qIsFinite(gravityScale)) {
        qWarning() << "Body: Invalid gravityScale:" << gravityScale;
        return;
    }
    m_bodyDef.gravityScale = gravityScale;
    if (m_body)
        m_body->SetGravityScale(gravityScale);
    emit gravityScaleChanged();
}

/*!
    \qmlproperty point Body::force
    A force in the body's own frame, applied anew after every step.
*/
void Box2DBody::setForce(const QPointF &force)
{
    if (!isFinite(force)) {
        qWarning() << "Body: Invalid force:" << force;
        return;
    }
    if (sameVector(force, m_force))
        return;
    m_force = force;
    emit forceChanged();
}

/*!
    \qmlproperty real Body::torque
    A torque applied anew after every step, clockwise positive.
*/
void Box2DBody::setTorque(float torque)
{
    if (!qIsFinite(torque)) {
        qWarning() << "Body: Invalid torque:" << torque;
        return;
    }
    if (double(torque) == m_torque)
        return;
    m_torque = torque;
    emit torqueChanged();
}

/*!
    \qmlproperty bool Body::collisionTestingOnlyMode
    The body follows its target instead of moving it: for items moved by other
    means that must still collide.
*/
void Box2DBody::setCollisionTestingOnlyMode(bool enabled)
{
    if (enabled == m_collisionTestingOnlyMode)
        return;
    m_collisionTestingOnlyMode = enabled;
    emit collisionTestingOnlyModeChanged();
}

/*!
    \qmlmethod Body::applyForce(point force, point point)
    Pushes a dynamic body with \a force at the world point \a point until the next step.
*/
void Box2DBody::applyForce(const QPointF &force, const QPointF &point)
{
    if (!isFinite(force) || !isFinite(point)) {
        qWarning() << "Body: Invalid applyForce arguments:" << force << point;
        return;
    }
    if (m_body && m_world)
        m_body->ApplyForce(m_world->toMeters(force), m_world->toMeters(point), true);
}

/*!
    \qmlmethod Body::applyForceToCenter(point force)
    Pushes a dynamic body with \a force at its centre of mass until the next step.
*/
void Box2DBody::applyForceToCenter(const QPointF &force)
{
    if (!isFinite(force)) {
        qWarning() << "Body: Invalid applyForceToCenter argument:" << force;
        return;
    }
    if (m_body && m_world)
        m_body->ApplyForceToCenter(m_world->toMeters(force), true);
}

/*!
    \qmlmethod Body::applyTorque(real torque)
    Turns a dynamic body with \a torque, clockwise positive, until the next step.
*/
void Box2DBody::applyTorque(qreal torque)
{
    if (!qIsFinite(torque)) {
        qWarning() << "Body: Invalid applyTorque argument:" << torque;
        return;
    }
    if (m_body) {
        const float scale = pixelsPerMeter();
        m_body->ApplyTorque(float(-torque / (scale * scale)), true);
    }
}

/*!
    \qmlmethod Body::applyLinearImpulse(point impulse, point point)
    Changes a dynamic body's velocity at once, as a blow of \a impulse at the world point \a point.
*/
void Box2DBody::applyLinearImpulse(const QPointF &impulse, const QPointF &point)
{
    if (!isFinite(impulse) || !isFinite(point)) {
        qWarning() << "Body: Invalid applyLinearImpulse arguments:" << impulse << point;
        return;
    }
    if (m_body && m_world)
        m_body->ApplyLinearImpulse(m_world->toMeters(impulse), m_world->toMeters(point), true);
}

/*!
    \qmlmethod Body::applyAngularImpulse(real impulse)
    Changes a dynamic body's rotation speed at once by \a impulse (clockwise positive).
*/
void Box2DBody::applyAngularImpulse(qreal impulse)
{
    if (!qIsFinite(impulse)) {
        qWarning() << "Body: Invalid applyAngularImpulse argument:" << impulse;
        return;
    }
    if (m_body) {
        const float scale = pixelsPerMeter();
        m_body->ApplyAngularImpulse(float(-impulse / (scale * scale)), true);
    }
}

/*!
    \qmlmethod point Body::getWorldCenter()
    The centre of mass in world pixels.
*/
QPointF Box2DBody::getWorldCenter() const
{
    return m_body && m_world ? m_world->toPixels(m_body->GetWorldCenter()) : QPointF();
}

/*!
    \qmlmethod point Body::getLocalCenter()
    The centre of mass relative to the body origin, in pixels.
*/
QPointF Box2DBody::getLocalCenter() const
{
    return m_body && m_world ? m_world->toPixels(m_body->GetLocalCenter()) : QPointF();
}

/*!
    \qmlmethod real Body::getMass()
    The mass (density times area in square pixels).
*/
float Box2DBody::getMass() const
{
    return m_body ? m_body->GetMass() : 0.0f;
}

/*!
    \qmlmethod Body::resetMassData()
    Recomputes the mass from the fixtures, after their density changed.
*/
void Box2DBody::resetMassData()
{
    if (!m_body)
        return;
    m_world->whenUnlocked(this, [this] {
        if (m_body)
            m_body->ResetMassData();
    });
}

/*!
    \qmlmethod real Body::getInertia()
    The rotational inertia about the body origin, in Box2D units.
*/
float Box2DBody::getInertia() const
{
    return m_body ? m_body->GetInertia() : 0.0f;
}

/*!
    \qmlmethod point Body::toWorldPoint(point localPoint)
    \a localPoint, given relative to the body origin in the body's turned frame, in world pixels.
*/
QPointF Box2DBody::toWorldPoint(const QPointF &localPoint) const
{
    return m_body && m_world ? m_world->toPixels(m_body->GetWorldPoint(m_world->toMeters(localPoint))) : QPointF();
}

/*!
    \qmlmethod point Body::toWorldVector(point localVector)
    \a localVector of the body's frame in world pixels.
*/
QPointF Box2DBody::toWorldVector(const QPointF &localVector) const
{
    return m_body && m_world ? m_world->toPixels(m_body->GetWorldVector(m_world->toMeters(localVector))) : QPointF();
}

/*!
    \qmlmethod point Body::toLocalPoint(point worldPoint)
    \a worldPoint relative to the body origin, in the body's frame.
*/
QPointF Box2DBody::toLocalPoint(const QPointF &worldPoint) const
{
    return m_body && m_world ? m_world->toPixels(m_body->GetLocalPoint(m_world->toMeters(worldPoint))) : QPointF();
}

/*!
    \qmlmethod point Body::toLocalVector(point worldVector)
    \a worldVector in the body's frame.
*/
QPointF Box2DBody::toLocalVector(const QPointF &worldVector) const
{
    return m_body && m_world ? m_world->toPixels(m_body->GetLocalVector(m_world->toMeters(worldVector))) : QPointF();
}

/*!
    \qmlmethod point Body::getLinearVelocityFromWorldPoint(point point)
    The velocity, in pixels per second, of the body's point at the world point \a point.
*/
QPointF Box2DBody::getLinearVelocityFromWorldPoint(const QPointF &point) const
{
    return m_body && m_world ? m_world->toPixels(m_body->GetLinearVelocityFromWorldPoint(m_world->toMeters(point))) : QPointF();
}

/*!
    \qmlmethod point Body::getLinearVelocityFromLocalPoint(point point)
    The velocity, in pixels per second, of the body's point \a point given in its frame.
*/
QPointF Box2DBody::getLinearVelocityFromLocalPoint(const QPointF &point) const
{
    return m_body && m_world ? m_world->toPixels(m_body->GetLinearVelocityFromLocalPoint(m_world->toMeters(point))) : QPointF();
}
