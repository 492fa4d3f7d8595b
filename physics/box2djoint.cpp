#include "box2djoint.h"

#include "physics/box2dbody.h"
#include "physics/box2dworld.h"

#include <QDebug>
#include <QtMath>


namespace {

constexpr float kPi = 3.1415927f;

} // namespace

/*!
    \qmltype Joint
    \inqmlmodule Zarno
    \instantiates Box2DJoint
    \brief Base type of the joints that connect two bodies.

    A joint is created in Box2D once both bodies exist in the same world and the
    element is complete; until then its properties are only stored. Re-assigning
    a body re-creates the joint from the current property values. Destroying one
    of the bodies destroys the joint element too.

    \qml
    DistanceJoint {
        bodyA: anchorBody
        bodyB: ballBody
        length: 64
    }
    \endqml
*/

/*!
    \qmlproperty enumeration Joint::jointType
    The type of the joint, fixed by the element's type:

    \value Joint.UnknownJoint        no type (never a created element's)
    \value Joint.RevoluteJoint       RevoluteJoint
    \value Joint.PrismaticJoint      PrismaticJoint
    \value Joint.DistanceJoint       DistanceJoint
    \value Joint.PulleyJoint         PulleyJoint
    \value Joint.MouseJoint          MouseJoint
    \value Joint.GearJoint           GearJoint
    \value Joint.WheelJoint          WheelJoint
    \value Joint.WeldJoint           WeldJoint
    \value Joint.FrictionJoint       FrictionJoint
    \value Joint.RopeJoint           RopeJoint
    \value Joint.MotorJoint          MotorJoint
*/
/*!
    \qmlproperty bool Joint::collideConnected
    Whether the two bodies collide with each other; applied when the joint is
    (re-)created.
*/
/*!
    \qmlproperty Body Joint::bodyA
    The first body. Setting it to null destroys the Box2D joint.
*/
/*!
    \qmlproperty Body Joint::bodyB
    The second body.
*/
/*!
    \qmlsignal Joint::created()
    Emitted each time the Box2D joint is created.
*/

Box2DJoint::Box2DJoint(JointType type, QObject *parent)
    : QObject(parent)
    , m_jointType(type)
{
}

Box2DJoint::~Box2DJoint()
{
    destroyJoint();
}

void Box2DJoint::setCollideConnected(bool collideConnected)
{
    if (m_collideConnected == collideConnected)
        return;
    m_collideConnected = collideConnected;
    emit collideConnectedChanged();
}

void Box2DJoint::watchBody(Box2DBody *body, QMetaObject::Connection &connection, void (Box2DJoint::*slot)())
{
    disconnect(connection);
    if (!body || body->body())
        initializeJoint();
    else
        connection = connect(body, &Box2DBody::bodyCreated, this, slot);
}

void Box2DJoint::setBodyA(Box2DBody *bodyA)
{
    if (m_bodyA == bodyA)
        return;
    m_bodyA = bodyA;
    watchBody(bodyA, m_bodyACreatedConnection, &Box2DJoint::bodyACreated);
    emit bodyAChanged();
}

void Box2DJoint::setBodyB(Box2DBody *bodyB)
{
    if (m_bodyB == bodyB)
        return;
    m_bodyB = bodyB;
    watchBody(bodyB, m_bodyBCreatedConnection, &Box2DJoint::bodyBCreated);
    emit bodyBChanged();
}

void Box2DJoint::bodyACreated()
{
    disconnect(m_bodyACreatedConnection);
    initializeJoint();
}

void Box2DJoint::bodyBCreated()
{
    disconnect(m_bodyBCreatedConnection);
    initializeJoint();
}

void Box2DJoint::componentComplete()
{
    m_complete = true;
    if (m_initializePending)
        initializeJoint();
}

Box2DWorld *Box2DJoint::lockedWorld() const
{
    for (Box2DWorld *world : {m_world.data(),
                              m_bodyA ? m_bodyA->world() : nullptr,
                              m_bodyB ? m_bodyB->world() : nullptr}) {
        if (world && world->world().IsLocked())
            return world;
    }
    return nullptr;
}

void Box2DJoint::initializeJoint()
{
    if (!m_complete) {
        m_initializePending = true;
        return;
    }
    m_initializePending = false;

    // Box2D refuses to create or destroy joints while it steps (a pre- or
    // post-solve handler): the whole re-initialisation waits for the step's end.
    if (Box2DWorld *world = lockedWorld()) {
        if (!m_initializeDeferred) {
            m_initializeDeferred = true;
            world->whenUnlocked(this, [this]() {
                m_initializeDeferred = false;
                initializeJoint();
            });
        }
        return;
    }

    destroyJoint();

    if (!m_bodyA || !m_bodyB || !m_bodyA->body() || !m_bodyB->body())
        return;
    if (m_bodyA->world() != m_bodyB->world()) {
        qWarning("Joint: bodyA and bodyB are not from the same world");
        return;
    }
    if (m_bodyA == m_bodyB) {
        qWarning("Joint: bodyA and bodyB cannot be the same body");
        return;
    }
    if (!m_bodyA->world())
        return;

    m_world = m_bodyA->world();
    m_joint = createJoint();
    if (!m_joint) {
        m_world = nullptr;
        return;
    }
    if (hasMassDependentStiffness()) {
        m_massA = box2DBodyA()->GetMass();
        m_massB = box2DBodyB()->GetMass();
        m_massConnection = connect(m_world, &Box2DWorld::stepped, this, &Box2DJoint::checkMasses);
    }
    emit created();
}

void Box2DJoint::checkMasses()
{
    if (!m_joint)
        return;
    const float massA = box2DBodyA()->GetMass();
    const float massB = box2DBodyB()->GetMass();
    if (massA == m_massA && massB == m_massB)
        return;
    m_massA = massA;
    m_massB = massB;
    updateStiffness();
}

void Box2DJoint::destroyJoint()
{
    disconnect(m_massConnection);
    m_massConnection = {};
    if (!m_joint)
        return;

    // A gear joint keeps pointers into the joints it couples: it must go first.
    const auto dependents = m_dependents;
    for (const QPointer<Box2DJoint> &dependent : dependents) {
        if (dependent)
            dependent->destroyJoint();
    }

    b2Joint *joint = m_joint;
    QPointer<Box2DWorld> world = m_world;
    m_joint = nullptr;
    m_world = nullptr;
    if (!world)
        return;

    b2World &box2DWorld = world->world();
    if (!box2DWorld.IsLocked()) {
        box2DWorld.DestroyJoint(joint);
        return;
    }

    // Only a destruction from inside a pre- or post-solve handler gets here. The
    // joint no longer names this element and is destroyed once the step is over,
    // unless Box2D has destroyed it with one of its bodies in the meantime.
    joint->GetUserData().pointer = 0;
    world->whenUnlocked(world, [world, joint]() {
        b2World &box2DWorld = world->world();
        for (b2Joint *j = box2DWorld.GetJointList(); j; j = j->GetNext()) {
            if (j == joint && j->GetUserData().pointer == 0) {
                box2DWorld.DestroyJoint(joint);
                break;
            }
        }
    });
}

void Box2DJoint::nullifyJoint()
{
    disconnect(m_massConnection);
    m_massConnection = {};
    m_joint = nullptr;
    m_world = nullptr;
}

void Box2DJoint::addDependentJoint(Box2DJoint *joint)
{
    if (joint && !m_dependents.contains(joint))
        m_dependents.append(joint);
}

void Box2DJoint::removeDependentJoint(Box2DJoint *joint)
{
    m_dependents.removeAll(joint);
    m_dependents.removeAll(nullptr);
}

void Box2DJoint::initializeJointDef(b2JointDef &def)
{
    def.userData.pointer = reinterpret_cast<uintptr_t>(this);
    def.bodyA = box2DBodyA();
    def.bodyB = box2DBodyB();
    def.collideConnected = m_collideConnected;
}

b2World *Box2DJoint::box2DWorld() const
{
    return m_world ? &m_world->world() : nullptr;
}

b2Body *Box2DJoint::box2DBodyA() const
{
    return m_bodyA ? m_bodyA->body() : nullptr;
}

b2Body *Box2DJoint::box2DBodyB() const
{
    return m_bodyB ? m_bodyB->body() : nullptr;
}

float Box2DJoint::pixelsPerMeter() const
{
    Box2DWorld *world = m_world;
    if (!world && m_bodyA)
        world = m_bodyA->world();
    if (!world && m_bodyB)
        world = m_bodyB->world();
    return world ? world->pixelsPerMeter() : 32.0f;
}

b2Vec2 Box2DJoint::toMeters(const QPointF &point) const
{
    return b2Vec2(toMeters(point.x()), toMeters(-point.y()));
}

QPointF Box2DJoint::toPixels(const b2Vec2 &vector) const
{
    return QPointF(toPixels(vector.x), -toPixels(vector.y));
}

float Box2DJoint::toRadians(double degrees)
{
    return float(-degrees * kPi / 180.0f);
}

double Box2DJoint::toDegrees(float radians)
{
    return -double(radians) * 180.0 / double(kPi);
}

float Box2DJoint::torqueToBox2D(double torque) const
{
    const double ppm = pixelsPerMeter();
    return float(torque / (ppm * ppm));
}

void Box2DJoint::keepFinite(float &stiffness, float &damping)
{
    // Far below the float limit, so that Box2D's own products stay finite too.
    constexpr float limit = 1e30f;
    if (!(stiffness <= limit))
        stiffness = limit;
    if (!(damping <= limit))
        damping = limit;
}

QPointF Box2DJoint::reactionForce(float invDt) const
{
    if (!m_joint)
        return QPointF();
    return toPixels(m_joint->GetReactionForce(invDt));
}

double Box2DJoint::reactionTorque(float invDt) const
{
    if (!m_joint)
        return 0;
    const double ppm = pixelsPerMeter();
    return -double(m_joint->GetReactionTorque(invDt)) * ppm * ppm;
}

bool Box2DJoint::acceptFinite(const char *type, const char *property, double value) const
{
    if (qIsFinite(value))
        return true;
    qWarning().noquote().nospace() << type << ": Invalid " << property << ": " << value;
    return false;
}

bool Box2DJoint::acceptFinite(const char *type, const char *property, const QPointF &value) const
{
    if (qIsFinite(value.x()) && qIsFinite(value.y()) && qAbs(value.x()) <= kMaxCoordinate && qAbs(value.y()) <= kMaxCoordinate)
        return true;
    qWarning().noquote().nospace() << type << ": Invalid " << property << ": " << value;
    return false;
}

bool Box2DJoint::acceptLength(const char *type, const char *property, double value) const
{
    if (qIsFinite(value) && qAbs(value) <= kMaxCoordinate)
        return true;
    qWarning().noquote().nospace() << type << ": Invalid " << property << ": " << value;
    return false;
}

bool Box2DJoint::acceptNonNegative(const char *type, const char *property, double value) const
{
    if (qIsFinite(value) && value >= 0)
        return true;
    qWarning().noquote().nospace() << type << ": Invalid " << property << ": " << value;
    return false;
}

bool Box2DJoint::samePoint(const QPointF &a, const QPointF &b)
{
    return qAbs(a.x() - b.x()) <= 1e-12 && qAbs(a.y() - b.y()) <= 1e-12;
}
