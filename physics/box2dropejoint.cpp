#include "box2dropejoint.h"

#include <QDebug>

/*!
    \qmltype RopeJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DRopeJoint
    \brief Keeps two bodies at most a rope's length apart.

    The rope is slack when the bodies are closer than \l maxLength.

    \qml
    RopeJoint { bodyA: hook; bodyB: weight; maxLength: 96 }
    \endqml
*/
/*! \qmlproperty point RopeJoint::localAnchorA
    Where the rope holds body A, in its pixels; its centre of mass when not set. */
/*! \qmlproperty point RopeJoint::localAnchorB
    Where the rope holds body B; its centre of mass when not set. */
/*! \qmlproperty real RopeJoint::maxLength
    Length of the rope in pixels; changes apply to the live joint. */
/*! \qmlmethod point RopeJoint::getReactionForce(real inv_dt)
    Reaction force on body B for the inverse time step \a inv_dt (1/s), in Box2D's units with y down. */
/*! \qmlmethod real RopeJoint::getReactionTorque(real inv_dt)
    Reaction torque on body B for the inverse time step \a inv_dt (1/s). */

namespace {

void warnIfTooShort(float meters)
{
    if (meters < b2_linearSlop)
        qWarning("RopeJoint: maxLength too small");
}

} // namespace

Box2DRopeJoint::Box2DRopeJoint(QObject *parent)
    : Box2DJoint(RopeJoint, parent)
{
}

void Box2DRopeJoint::setLocalAnchorA(const QPointF &localAnchorA)
{
    if (!acceptFinite("RopeJoint", "localAnchorA", localAnchorA))
        return;
    m_localAnchorASet = true;
    if (samePoint(m_localAnchorA, localAnchorA))
        return;
    m_localAnchorA = localAnchorA;
    emit localAnchorAChanged();
}

void Box2DRopeJoint::setLocalAnchorB(const QPointF &localAnchorB)
{
    if (!acceptFinite("RopeJoint", "localAnchorB", localAnchorB))
        return;
    m_localAnchorBSet = true;
    if (samePoint(m_localAnchorB, localAnchorB))
        return;
    m_localAnchorB = localAnchorB;
    emit localAnchorBChanged();
}

void Box2DRopeJoint::setMaxLength(float maxLength)
{
    if (!acceptLength("RopeJoint", "maxLength", maxLength) || m_maxLength == maxLength)
        return;
    m_maxLength = maxLength;
    if (auto *joint = jointAs<b2DistanceJoint>()) {
        const float meters = toMeters(maxLength);
        warnIfTooShort(meters);
        // Box2D keeps the maximum at or above the minimum (its slop), never below.
        joint->SetMaxLength(meters);
        joint->SetLength(meters);
    }
    emit maxLengthChanged();
}

QPointF Box2DRopeJoint::getReactionForce(float inv_dt) const
{
    if (!joint())
        return QPointF();
    const b2Vec2 force = joint()->GetReactionForce(inv_dt);
    return QPointF(force.x, -force.y);
}

b2Joint *Box2DRopeJoint::createJoint()
{
    b2DistanceJointDef def;
    initializeJointDef(def);
    def.localAnchorA = m_localAnchorASet ? toMeters(m_localAnchorA) : def.bodyA->GetLocalCenter();
    def.localAnchorB = m_localAnchorBSet ? toMeters(m_localAnchorB) : def.bodyB->GetLocalCenter();
    const float meters = toMeters(m_maxLength);
    warnIfTooShort(meters);
    def.minLength = 0;
    def.maxLength = meters;
    def.length = meters;
    return box2DWorld()->CreateJoint(&def);
}
