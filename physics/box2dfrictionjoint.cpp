#include "box2dfrictionjoint.h"

/*!
    \qmltype FrictionJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DFrictionJoint
    \brief Slows the relative motion of two bodies, as friction seen from above.

    Negative or non-finite \l maxForce and \l maxTorque values are refused with
    a warning.

    \qml
    FrictionJoint { bodyA: floor; bodyB: puck; maxForce: 50; maxTorque: 10 }
    \endqml
*/
/*! \qmlproperty point FrictionJoint::localAnchorA
    Anchor on body A in pixels; its centre of mass when not set. */
/*! \qmlproperty point FrictionJoint::localAnchorB
    Anchor on body B; where anchor A lies on body B at creation when not set. */
/*! \qmlproperty real FrictionJoint::maxForce
    Largest friction force. */
/*! \qmlproperty real FrictionJoint::maxTorque
    Largest friction torque. */
/*! \qmlmethod point FrictionJoint::getReactionForce(real inv_dt)
    Reaction force on body B for the inverse time step \a inv_dt (1/s). */
/*! \qmlmethod real FrictionJoint::getReactionTorque(real inv_dt)
    Reaction torque on body B for the inverse time step \a inv_dt (1/s). */

Box2DFrictionJoint::Box2DFrictionJoint(QObject *parent)
    : Box2DJoint(FrictionJoint, parent)
{
}

void Box2DFrictionJoint::setLocalAnchorA(const QPointF &localAnchorA)
{
    if (!acceptFinite("FrictionJoint", "localAnchorA", localAnchorA))
        return;
    m_localAnchorASet = true;
    if (samePoint(m_localAnchorA, localAnchorA))
        return;
    m_localAnchorA = localAnchorA;
    emit localAnchorAChanged();
}

void Box2DFrictionJoint::setLocalAnchorB(const QPointF &localAnchorB)
{
    if (!acceptFinite("FrictionJoint", "localAnchorB", localAnchorB))
        return;
    m_localAnchorBSet = true;
    if (samePoint(m_localAnchorB, localAnchorB))
        return;
    m_localAnchorB = localAnchorB;
    emit localAnchorBChanged();
}

void Box2DFrictionJoint::setMaxForce(float maxForce)
{
    if (!acceptNonNegative("FrictionJoint", "maxForce", maxForce) || m_maxForce == maxForce)
        return;
    m_maxForce = maxForce;
    if (auto *joint = jointAs<b2FrictionJoint>())
        joint->SetMaxForce(toMeters(maxForce));
    emit maxForceChanged();
}

void Box2DFrictionJoint::setMaxTorque(float maxTorque)
{
    if (!acceptNonNegative("FrictionJoint", "maxTorque", maxTorque) || m_maxTorque == maxTorque)
        return;
    m_maxTorque = maxTorque;
    if (auto *joint = jointAs<b2FrictionJoint>())
        joint->SetMaxTorque(torqueToBox2D(maxTorque));
    emit maxTorqueChanged();
}

b2Joint *Box2DFrictionJoint::createJoint()
{
    b2FrictionJointDef def;
    initializeJointDef(def);
    def.localAnchorA = m_localAnchorASet ? toMeters(m_localAnchorA) : def.bodyA->GetLocalCenter();
    def.localAnchorB = m_localAnchorBSet ? toMeters(m_localAnchorB)
                                         : def.bodyB->GetLocalPoint(def.bodyA->GetWorldPoint(def.localAnchorA));
    def.maxForce = toMeters(m_maxForce);
    def.maxTorque = torqueToBox2D(m_maxTorque);
    return box2DWorld()->CreateJoint(&def);
}
