#include "box2ddistancejoint.h"

#include <cfloat>

/*!
    \qmltype DistanceJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DDistanceJoint
    \brief Keeps two points of two bodies at a distance.

    With \l frequencyHz 0 the distance is rigid; with a positive frequency the
    joint is a spring with that frequency and \l dampingRatio. Anchors and the
    length not given are taken from the bodies' placement when the joint is
    created: the centres of mass and their distance.

    \qml
    DistanceJoint { bodyA: left; bodyB: right; length: 64 }
    \endqml
*/
/*!
    \qmlproperty point DistanceJoint::localAnchorA
    Anchor on body A, in body A's pixels; its centre of mass when not set.
*/
/*!
    \qmlproperty point DistanceJoint::localAnchorB
    Anchor on body B, in body B's pixels; its centre of mass when not set.
*/
/*!
    \qmlproperty real DistanceJoint::length
    Distance between the anchors in pixels; the distance at creation when not set.
    Changes apply to the live joint.
*/
/*!
    \qmlproperty real DistanceJoint::frequencyHz
    Spring frequency; 0 makes the distance rigid.
*/
/*!
    \qmlproperty real DistanceJoint::dampingRatio
    Spring damping ratio (0 none, 1 critical).
*/
/*!
    \qmlmethod point DistanceJoint::getReactionForce(real inv_dt)
    The force the joint applies on body B, in pixel units, for the inverse time step \a inv_dt (1/s).
*/
/*!
    \qmlmethod real DistanceJoint::getReactionTorque(real inv_dt)
    The torque the joint applies on body B for the inverse time step \a inv_dt (1/s).
*/

namespace {

// Box2D 2.4 has no frequency on the distance joint: a spring is a stiffness and
// a damping between limits 0 and unbounded; a rigid joint has min = max = length.
// The order of the limit writes never lets the minimum pass the maximum.
void applyLimits(b2DistanceJoint *joint, float length, bool spring)
{
    if (spring) {
        joint->SetMaxLength(FLT_MAX);
        joint->SetMinLength(0);
    } else if (length >= joint->GetMaxLength()) {
        joint->SetMaxLength(length);
        joint->SetMinLength(length);
    } else {
        joint->SetMinLength(length);
        joint->SetMaxLength(length);
    }
    joint->SetLength(length);
}

} // namespace

Box2DDistanceJoint::Box2DDistanceJoint(QObject *parent)
    : Box2DJoint(DistanceJoint, parent)
{
}

void Box2DDistanceJoint::setLocalAnchorA(const QPointF &localAnchorA)
{
    if (!acceptFinite("DistanceJoint", "localAnchorA", localAnchorA))
        return;
    m_localAnchorASet = true;
    if (samePoint(m_localAnchorA, localAnchorA))
        return;
    m_localAnchorA = localAnchorA;
    emit localAnchorAChanged();
}

void Box2DDistanceJoint::setLocalAnchorB(const QPointF &localAnchorB)
{
    if (!acceptFinite("DistanceJoint", "localAnchorB", localAnchorB))
        return;
    m_localAnchorBSet = true;
    if (samePoint(m_localAnchorB, localAnchorB))
        return;
    m_localAnchorB = localAnchorB;
    emit localAnchorBChanged();
}

void Box2DDistanceJoint::setLength(float length)
{
    if (!acceptLength("DistanceJoint", "length", length))
        return;
    m_lengthSet = true;
    if (m_length == length)
        return;
    m_length = length;
    if (auto *joint = jointAs<b2DistanceJoint>()) {
        m_box2DLength = toMeters(length);
        applyLimits(joint, m_box2DLength, m_frequencyHz > 0);
    }
    emit lengthChanged();
}

void Box2DDistanceJoint::setFrequencyHz(float frequencyHz)
{
    if (!acceptNonNegative("DistanceJoint", "frequencyHz", frequencyHz) || m_frequencyHz == frequencyHz)
        return;
    m_frequencyHz = frequencyHz;
    if (auto *joint = jointAs<b2DistanceJoint>()) {
        updateStiffness();
        applyLimits(joint, m_box2DLength, frequencyHz > 0);
    }
    emit frequencyHzChanged();
}

void Box2DDistanceJoint::setDampingRatio(float dampingRatio)
{
    if (!acceptNonNegative("DistanceJoint", "dampingRatio", dampingRatio) || m_dampingRatio == dampingRatio)
        return;
    m_dampingRatio = dampingRatio;
    updateStiffness();
    emit dampingRatioChanged();
}

void Box2DDistanceJoint::updateStiffness()
{
    auto *joint = jointAs<b2DistanceJoint>();
    if (!joint)
        return;
    float stiffness = 0;
    float damping = 0;
    if (m_frequencyHz > 0) {
        b2LinearStiffness(stiffness, damping, m_frequencyHz, m_dampingRatio, joint->GetBodyA(), joint->GetBodyB());
        keepFinite(stiffness, damping);
    }
    joint->SetStiffness(stiffness);
    joint->SetDamping(damping);
}

b2Joint *Box2DDistanceJoint::createJoint()
{
    b2DistanceJointDef def;
    initializeJointDef(def);
    def.localAnchorA = m_localAnchorASet ? toMeters(m_localAnchorA) : def.bodyA->GetLocalCenter();
    def.localAnchorB = m_localAnchorBSet ? toMeters(m_localAnchorB) : def.bodyB->GetLocalCenter();
    if (m_lengthSet) {
        def.length = toMeters(m_length);
    } else {
        const b2Vec2 worldA = def.bodyA->GetWorldPoint(def.localAnchorA);
        const b2Vec2 worldB = def.bodyB->GetWorldPoint(def.localAnchorB);
        def.length = (worldB - worldA).Length();
    }
    m_box2DLength = def.length;
    if (m_frequencyHz > 0) {
        b2LinearStiffness(def.stiffness, def.damping, m_frequencyHz, m_dampingRatio, def.bodyA, def.bodyB);
        keepFinite(def.stiffness, def.damping);
        def.minLength = 0;
        def.maxLength = FLT_MAX;
    } else {
        def.minLength = def.length;
        def.maxLength = def.length;
    }
    return box2DWorld()->CreateJoint(&def);
}
