#include "box2dwheeljoint.h"

/*!
    \qmltype WheelJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DWheelJoint
    \brief A wheel on a sprung axis of a chassis.

    \qml
    WheelJoint {
        bodyA: chassis; bodyB: wheel
        localAxisA: Qt.point(0, 1)
        enableMotor: true; motorSpeed: 360; maxMotorTorque: 5000
    }
    \endqml
*/
/*! \qmlproperty point WheelJoint::localAnchorA
    Anchor on body A in pixels; its centre of mass when not set. */
/*! \qmlproperty point WheelJoint::localAnchorB
    Anchor on body B; where anchor A lies on body B at creation when not set. */
/*! \qmlproperty point WheelJoint::localAxisA
    Suspension axis in body A; (1, 0) when not set. */
/*! \qmlproperty bool WheelJoint::enableMotor
    Whether the motor turns the wheel. */
/*! \qmlproperty real WheelJoint::maxMotorTorque
    Largest torque of the motor. */
/*! \qmlproperty real WheelJoint::motorSpeed
    Motor speed in degrees per second, clockwise positive. */
/*! \qmlproperty real WheelJoint::frequencyHz
    Suspension spring frequency, 2 by default; 0 leaves the axis free. */
/*! \qmlproperty real WheelJoint::dampingRatio
    Suspension damping ratio, 0.7 by default. */
/*! \qmlmethod real WheelJoint::getJointTranslation()
    Current translation along the axis in pixels. */
/*! \qmlmethod real WheelJoint::getJointSpeed()
    Current translation speed in pixels per second. */
/*! \qmlmethod point WheelJoint::getReactionForce(real inv_dt)
    Reaction force on body B for the inverse time step \a inv_dt (1/s). */
/*! \qmlmethod real WheelJoint::getReactionTorque(real inv_dt)
    Reaction torque on body B for the inverse time step \a inv_dt (1/s). */

Box2DWheelJoint::Box2DWheelJoint(QObject *parent)
    : Box2DJoint(WheelJoint, parent)
{
}

void Box2DWheelJoint::setLocalAnchorA(const QPointF &localAnchorA)
{
    if (!acceptFinite("WheelJoint", "localAnchorA", localAnchorA))
        return;
    m_localAnchorASet = true;
    if (samePoint(m_localAnchorA, localAnchorA))
        return;
    m_localAnchorA = localAnchorA;
    emit localAnchorAChanged();
}

void Box2DWheelJoint::setLocalAnchorB(const QPointF &localAnchorB)
{
    if (!acceptFinite("WheelJoint", "localAnchorB", localAnchorB))
        return;
    m_localAnchorBSet = true;
    if (samePoint(m_localAnchorB, localAnchorB))
        return;
    m_localAnchorB = localAnchorB;
    emit localAnchorBChanged();
}

void Box2DWheelJoint::setLocalAxisA(const QPointF &localAxisA)
{
    if (!acceptFinite("WheelJoint", "localAxisA", localAxisA))
        return;
    m_localAxisASet = true;
    if (samePoint(m_localAxisA, localAxisA))
        return;
    m_localAxisA = localAxisA;
    emit localAxisAChanged();
}

void Box2DWheelJoint::setEnableMotor(bool enableMotor)
{
    if (m_enableMotor == enableMotor)
        return;
    m_enableMotor = enableMotor;
    if (auto *joint = jointAs<b2WheelJoint>())
        joint->EnableMotor(enableMotor);
    emit enableMotorChanged();
}

void Box2DWheelJoint::setMaxMotorTorque(float maxMotorTorque)
{
    if (!acceptNonNegative("WheelJoint", "maxMotorTorque", maxMotorTorque) || m_maxMotorTorque == maxMotorTorque)
        return;
    m_maxMotorTorque = maxMotorTorque;
    if (auto *joint = jointAs<b2WheelJoint>())
        joint->SetMaxMotorTorque(torqueToBox2D(maxMotorTorque));
    emit maxMotorTorqueChanged();
}

void Box2DWheelJoint::setMotorSpeed(float motorSpeed)
{
    if (!acceptFinite("WheelJoint", "motorSpeed", motorSpeed) || m_motorSpeed == motorSpeed)
        return;
    m_motorSpeed = motorSpeed;
    if (auto *joint = jointAs<b2WheelJoint>())
        joint->SetMotorSpeed(toRadians(motorSpeed));
    emit motorSpeedChanged();
}

void Box2DWheelJoint::setFrequencyHz(float frequencyHz)
{
    if (!acceptNonNegative("WheelJoint", "frequencyHz", frequencyHz) || m_frequencyHz == frequencyHz)
        return;
    m_frequencyHz = frequencyHz;
    updateStiffness();
    emit frequencyHzChanged();
}

void Box2DWheelJoint::setDampingRatio(float dampingRatio)
{
    if (!acceptNonNegative("WheelJoint", "dampingRatio", dampingRatio) || m_dampingRatio == dampingRatio)
        return;
    m_dampingRatio = dampingRatio;
    updateStiffness();
    emit dampingRatioChanged();
}

void Box2DWheelJoint::updateStiffness()
{
    auto *joint = jointAs<b2WheelJoint>();
    if (!joint)
        return;
    float stiffness, damping;
    b2LinearStiffness(stiffness, damping, m_frequencyHz, m_dampingRatio, joint->GetBodyA(), joint->GetBodyB());
    keepFinite(stiffness, damping);
    joint->SetStiffness(stiffness);
    joint->SetDamping(damping);
}

float Box2DWheelJoint::getJointTranslation() const
{
    auto *joint = jointAs<b2WheelJoint>();
    return joint ? float(toPixels(joint->GetJointTranslation())) : 0.0f;
}

float Box2DWheelJoint::getJointSpeed() const
{
    auto *joint = jointAs<b2WheelJoint>();
    return joint ? float(toPixels(joint->GetJointLinearSpeed())) : 0.0f;
}

b2Joint *Box2DWheelJoint::createJoint()
{
    b2WheelJointDef def;
    initializeJointDef(def);
    def.localAnchorA = m_localAnchorASet ? toMeters(m_localAnchorA) : def.bodyA->GetLocalCenter();
    def.localAnchorB = m_localAnchorBSet ? toMeters(m_localAnchorB)
                                         : def.bodyB->GetLocalPoint(def.bodyA->GetWorldPoint(def.localAnchorA));
    if (m_localAxisASet) {
        b2Vec2 axis(float(m_localAxisA.x()), float(-m_localAxisA.y()));
        if (axis.Length() >= 1.1920929e-7f)
            axis.Normalize();
        def.localAxisA = axis;
    } else {
        def.localAxisA.Set(1, 0);
    }
    def.enableMotor = m_enableMotor;
    def.maxMotorTorque = torqueToBox2D(m_maxMotorTorque);
    def.motorSpeed = toRadians(m_motorSpeed);
    b2LinearStiffness(def.stiffness, def.damping, m_frequencyHz, m_dampingRatio, def.bodyA, def.bodyB);
    keepFinite(def.stiffness, def.damping);
    return box2DWorld()->CreateJoint(&def);
}
