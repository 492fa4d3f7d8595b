#include "box2dweldjoint.h"

/*!
    \qmltype WeldJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DWeldJoint
    \brief Glues two bodies together.

    With \l frequencyHz 0 the weld is rigid; a positive frequency lets the
    bodies bend against each other like an angular spring.

    \qml
    WeldJoint { bodyA: plank1; bodyB: plank2; localAnchorA: Qt.point(40, 5); frequencyHz: 4 }
    \endqml
*/
/*! \qmlproperty real WeldJoint::referenceAngle
    Angle of body B relative to body A kept by the weld, in degrees; the angle at creation when not set. */
/*! \qmlproperty real WeldJoint::frequencyHz
    Angular spring frequency; 0 makes the weld rigid. */
/*! \qmlproperty real WeldJoint::dampingRatio
    Angular spring damping ratio. */
/*! \qmlproperty point WeldJoint::localAnchorA
    Weld point on body A in pixels; its centre of mass when not set. */
/*! \qmlproperty point WeldJoint::localAnchorB
    Weld point on body B; where anchor A lies on body B at creation when not set. */

Box2DWeldJoint::Box2DWeldJoint(QObject *parent)
    : Box2DJoint(WeldJoint, parent)
{
}

void Box2DWeldJoint::setReferenceAngle(float referenceAngle)
{
    if (!acceptFinite("WeldJoint", "referenceAngle", referenceAngle))
        return;
    m_referenceAngleSet = true;
    if (m_referenceAngle == referenceAngle)
        return;
    m_referenceAngle = referenceAngle;
    emit referenceAngleChanged();
}

void Box2DWeldJoint::setFrequencyHz(float frequencyHz)
{
    if (!acceptNonNegative("WeldJoint", "frequencyHz", frequencyHz) || m_frequencyHz == frequencyHz)
        return;
    m_frequencyHz = frequencyHz;
    updateStiffness();
    emit frequencyHzChanged();
}

void Box2DWeldJoint::setDampingRatio(float dampingRatio)
{
    if (!acceptNonNegative("WeldJoint", "dampingRatio", dampingRatio) || m_dampingRatio == dampingRatio)
        return;
    m_dampingRatio = dampingRatio;
    updateStiffness();
    emit dampingRatioChanged();
}

void Box2DWeldJoint::setLocalAnchorA(const QPointF &localAnchorA)
{
    if (!acceptFinite("WeldJoint", "localAnchorA", localAnchorA))
        return;
    m_localAnchorASet = true;
    if (samePoint(m_localAnchorA, localAnchorA))
        return;
    m_localAnchorA = localAnchorA;
    emit localAnchorAChanged();
}

void Box2DWeldJoint::setLocalAnchorB(const QPointF &localAnchorB)
{
    if (!acceptFinite("WeldJoint", "localAnchorB", localAnchorB))
        return;
    m_localAnchorBSet = true;
    if (samePoint(m_localAnchorB, localAnchorB))
        return;
    m_localAnchorB = localAnchorB;
    emit localAnchorBChanged();
}

void Box2DWeldJoint::updateStiffness()
{
    auto *joint = jointAs<b2WeldJoint>();
    if (!joint)
        return;
    float stiffness = 0;
    float damping = 0;
    if (m_frequencyHz > 0) {
        b2AngularStiffness(stiffness, damping, m_frequencyHz, m_dampingRatio, joint->GetBodyA(), joint->GetBodyB());
        keepFinite(stiffness, damping);
    }
    joint->SetStiffness(stiffness);
    joint->SetDamping(damping);
}

b2Joint *Box2DWeldJoint::createJoint()
{
    b2WeldJointDef def;
    initializeJointDef(def);
    def.localAnchorA = m_localAnchorASet ? toMeters(m_localAnchorA) : def.bodyA->GetLocalCenter();
    def.localAnchorB = m_localAnchorBSet ? toMeters(m_localAnchorB)
                                         : def.bodyB->GetLocalPoint(def.bodyA->GetWorldPoint(def.localAnchorA));
    def.referenceAngle = m_referenceAngleSet ? toRadians(m_referenceAngle)
                                             : def.bodyB->GetAngle() - def.bodyA->GetAngle();
    if (m_frequencyHz > 0) {
        b2AngularStiffness(def.stiffness, def.damping, m_frequencyHz, m_dampingRatio, def.bodyA, def.bodyB);
        keepFinite(def.stiffness, def.damping);
    }
    return box2DWorld()->CreateJoint(&def);
}
