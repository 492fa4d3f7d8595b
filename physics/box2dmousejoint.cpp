#include "box2dmousejoint.h"

#include "physics/box2dbody.h"

#include <QDebug>

/*!
    \qmltype MouseJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DMouseJoint
    \brief Drags body B towards a target point.

    Given only \l {Joint::bodyB}{bodyB}, the joint makes its own static ground
    body as body A. Move \l target to drag the body; \l maxForce limits the pull.

    \qml
    MouseJoint {
        bodyB: crate
        target: Qt.point(mouseArea.mouseX, mouseArea.mouseY)
        maxForce: 1000 * crate.getMass()
    }
    \endqml
*/
/*! \qmlproperty point MouseJoint::target
    The point in the world, in pixels, that body B is pulled towards. */
/*! \qmlproperty real MouseJoint::maxForce
    Largest force of the pull; 0 pulls nothing. */
/*! \qmlproperty real MouseJoint::frequencyHz
    Frequency of the spring that pulls the body, 5 by default. */
/*! \qmlproperty real MouseJoint::dampingRatio
    Damping ratio of that spring, 0.7 by default. */
/*! \qmlmethod point MouseJoint::getReactionForce(real inv_dt)
    Reaction force on body B for the inverse time step \a inv_dt (1/s). */
/*! \qmlmethod real MouseJoint::getReactionTorque(real inv_dt)
    Reaction torque on body B for the inverse time step \a inv_dt (1/s). */

Box2DMouseJoint::Box2DMouseJoint(QObject *parent)
    : Box2DJoint(MouseJoint, parent)
{
    connect(this, &Box2DJoint::bodyBChanged, this, &Box2DMouseJoint::jointBodyBChanged);
}

Box2DMouseJoint::~Box2DMouseJoint()
{
    // The ground body may be destroyed only once Box2D is done with the joint:
    // when Box2D destroys this element because body B goes, the joint still
    // hangs on the ground body until that destruction returns.
    destroyJoint();
    if (m_groundBody) {
        m_groundBody->setParent(nullptr);
        m_groundBody->deleteLater();
    }
}

void Box2DMouseJoint::jointBodyBChanged()
{
    if (bodyA() || !bodyB())
        return;
    auto *ground = new Box2DBody(this);
    ground->setWorld(bodyB()->world());
    ground->componentComplete();
    m_groundBody = ground;
    setBodyA(ground);
}

void Box2DMouseJoint::setTarget(const QPointF &target)
{
    if (!acceptFinite("MouseJoint", "target", target) || samePoint(m_target, target))
        return;
    m_target = target;
    if (auto *joint = jointAs<b2MouseJoint>())
        joint->SetTarget(toMeters(target));
    emit targetChanged();
}

void Box2DMouseJoint::setMaxForce(float maxForce)
{
    if (!acceptNonNegative("MouseJoint", "maxForce", maxForce) || m_maxForce == maxForce)
        return;
    m_maxForce = maxForce;
    if (auto *joint = jointAs<b2MouseJoint>())
        joint->SetMaxForce(toMeters(maxForce));
    emit maxForceChanged();
}

void Box2DMouseJoint::setFrequencyHz(float frequencyHz)
{
    if (!acceptNonNegative("MouseJoint", "frequencyHz", frequencyHz) || m_frequencyHz == frequencyHz)
        return;
    m_frequencyHz = frequencyHz;
    updateStiffness();
    emit frequencyHzChanged();
}

void Box2DMouseJoint::setDampingRatio(float dampingRatio)
{
    if (!acceptNonNegative("MouseJoint", "dampingRatio", dampingRatio) || m_dampingRatio == dampingRatio)
        return;
    m_dampingRatio = dampingRatio;
    updateStiffness();
    emit dampingRatioChanged();
}

// Box2D 2.4 takes a stiffness and a damping: k = m·ω², d = 2·m·ζ·ω with the
// mass of the dragged body.
void Box2DMouseJoint::stiffness(const b2Body *body, float &stiffness, float &damping) const
{
    const float mass = body->GetMass();
    const float omega = 2.0f * b2_pi * m_frequencyHz;
    stiffness = mass * omega * omega;
    damping = 2.0f * mass * m_dampingRatio * omega;
    keepFinite(stiffness, damping);
}

void Box2DMouseJoint::updateStiffness()
{
    auto *joint = jointAs<b2MouseJoint>();
    if (!joint)
        return;
    float k, d;
    stiffness(joint->GetBodyB(), k, d);
    joint->SetStiffness(k);
    joint->SetDamping(d);
}

b2Joint *Box2DMouseJoint::createJoint()
{
    b2MouseJointDef def;
    initializeJointDef(def);
    def.target = toMeters(m_target);
    def.maxForce = toMeters(m_maxForce);
    stiffness(def.bodyB, def.stiffness, def.damping);
    return box2DWorld()->CreateJoint(&def);
}
