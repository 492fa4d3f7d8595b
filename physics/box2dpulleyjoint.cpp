#include "box2dpulleyjoint.h"

#include <QDebug>

/*!
    \qmltype PulleyJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DPulleyJoint
    \brief Hangs two bodies from two ground points on one rope.

    The rope's length A plus \l ratio times length B stays constant. The bodies
    collide with each other by default.

    \qml
    PulleyJoint {
        bodyA: left; bodyB: right
        groundAnchorA: Qt.point(100, 20); groundAnchorB: Qt.point(300, 20)
    }
    \endqml
*/
/*! \qmlproperty point PulleyJoint::groundAnchorA
    Fixed point in the world, in pixels, from which body A hangs. */
/*! \qmlproperty point PulleyJoint::groundAnchorB
    Fixed point in the world from which body B hangs. */
/*! \qmlproperty point PulleyJoint::localAnchorA
    Where the rope holds body A, in its pixels; its centre of mass when not set. */
/*! \qmlproperty point PulleyJoint::localAnchorB
    Where the rope holds body B; its centre of mass when not set. */
/*! \qmlproperty real PulleyJoint::lengthA
    Rope length on side A in pixels; the distance at creation when not set. */
/*! \qmlproperty real PulleyJoint::lengthB
    Rope length on side B in pixels; the distance at creation when not set. */
/*! \qmlproperty real PulleyJoint::ratio
    Block and tackle ratio; must be greater than 0. */
/*! \qmlmethod real PulleyJoint::getCurrentLengthA()
    Current length of side A in pixels (the stored length without a joint). */
/*! \qmlmethod real PulleyJoint::getCurrentLengthB()
    Current length of side B in pixels. */
/*! \qmlmethod point PulleyJoint::getReactionForce(real inv_dt)
    Reaction force on body B for the inverse time step \a inv_dt (1/s). */
/*! \qmlmethod real PulleyJoint::getReactionTorque(real inv_dt)
    Reaction torque on body B for the inverse time step \a inv_dt (1/s). */

Box2DPulleyJoint::Box2DPulleyJoint(QObject *parent)
    : Box2DJoint(PulleyJoint, parent)
{
    setCollideConnected(true);
}

void Box2DPulleyJoint::setGroundAnchorA(const QPointF &groundAnchorA)
{
    if (!acceptFinite("PulleyJoint", "groundAnchorA", groundAnchorA) || samePoint(m_groundAnchorA, groundAnchorA))
        return;
    m_groundAnchorA = groundAnchorA;
    emit groundAnchorAChanged();
}

void Box2DPulleyJoint::setGroundAnchorB(const QPointF &groundAnchorB)
{
    if (!acceptFinite("PulleyJoint", "groundAnchorB", groundAnchorB) || samePoint(m_groundAnchorB, groundAnchorB))
        return;
    m_groundAnchorB = groundAnchorB;
    emit groundAnchorBChanged();
}

void Box2DPulleyJoint::setLocalAnchorA(const QPointF &localAnchorA)
{
    if (!acceptFinite("PulleyJoint", "localAnchorA", localAnchorA))
        return;
    m_localAnchorASet = true;
    if (samePoint(m_localAnchorA, localAnchorA))
        return;
    m_localAnchorA = localAnchorA;
    emit localAnchorAChanged();
}

void Box2DPulleyJoint::setLocalAnchorB(const QPointF &localAnchorB)
{
    if (!acceptFinite("PulleyJoint", "localAnchorB", localAnchorB))
        return;
    m_localAnchorBSet = true;
    if (samePoint(m_localAnchorB, localAnchorB))
        return;
    m_localAnchorB = localAnchorB;
    emit localAnchorBChanged();
}

void Box2DPulleyJoint::setLengthA(float lengthA)
{
    if (!acceptLength("PulleyJoint", "lengthA", lengthA))
        return;
    m_lengthASet = true;
    if (m_lengthA == lengthA)
        return;
    m_lengthA = lengthA;
    emit lengthAChanged();
}

void Box2DPulleyJoint::setLengthB(float lengthB)
{
    if (!acceptLength("PulleyJoint", "lengthB", lengthB))
        return;
    m_lengthBSet = true;
    if (m_lengthB == lengthB)
        return;
    m_lengthB = lengthB;
    emit lengthBChanged();
}

void Box2DPulleyJoint::setRatio(float ratio)
{
    // Box2D aborts on a ratio of 0 and divides by it; negative ratios break the rope.
    if (!(qIsFinite(ratio) && ratio > 0)) {
        qWarning() << "PulleyJoint: Invalid ratio:" << ratio;
        return;
    }
    if (m_ratio == ratio)
        return;
    m_ratio = ratio;
    emit ratioChanged();
}

float Box2DPulleyJoint::getCurrentLengthA() const
{
    auto *joint = jointAs<b2PulleyJoint>();
    return joint ? float(toPixels(joint->GetCurrentLengthA())) : m_lengthA;
}

float Box2DPulleyJoint::getCurrentLengthB() const
{
    auto *joint = jointAs<b2PulleyJoint>();
    return joint ? float(toPixels(joint->GetCurrentLengthB())) : m_lengthB;
}

b2Joint *Box2DPulleyJoint::createJoint()
{
    b2PulleyJointDef def;
    initializeJointDef(def);
    def.groundAnchorA = toMeters(m_groundAnchorA);
    def.groundAnchorB = toMeters(m_groundAnchorB);
    def.localAnchorA = m_localAnchorASet ? toMeters(m_localAnchorA) : def.bodyA->GetLocalCenter();
    def.localAnchorB = m_localAnchorBSet ? toMeters(m_localAnchorB) : def.bodyB->GetLocalCenter();
    def.lengthA = m_lengthASet ? toMeters(m_lengthA)
                               : (def.bodyA->GetWorldPoint(def.localAnchorA) - def.groundAnchorA).Length();
    def.lengthB = m_lengthBSet ? toMeters(m_lengthB)
                               : (def.bodyB->GetWorldPoint(def.localAnchorB) - def.groundAnchorB).Length();
    if (qAbs(def.lengthA) <= 0.00001f || qAbs(def.lengthB) <= 0.00001f) {
        qWarning("PulleyJoint: the joint length cannot be zero");
        return nullptr;
    }
    def.ratio = m_ratio;
    return box2DWorld()->CreateJoint(&def);
}
