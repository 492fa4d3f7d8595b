#include "box2drevolutejoint.h"

#include <algorithm>

/*!
    \qmltype RevoluteJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DRevoluteJoint
    \brief A hinge between two bodies, with optional angle limits and motor.

    Angles are clockwise degrees, as an item's rotation. The limits keep that
    meaning: \l lowerAngle is the most counter-clockwise angle of body B relative
    to body A, \l upperAngle the most clockwise one.

    \qml
    RevoluteJoint {
        bodyA: ground; bodyB: arm
        localAnchorA: Qt.point(100, 20)
        enableLimit: true; lowerAngle: -10; upperAngle: 30
    }
    \endqml
*/
/*! \qmlproperty point RevoluteJoint::localAnchorA
    Hinge point on body A, in body A's pixels; its centre of mass when not set. */
/*! \qmlproperty point RevoluteJoint::localAnchorB
    Hinge point on body B; where anchor A lies on body B at creation when not set. */
/*! \qmlproperty real RevoluteJoint::referenceAngle
    Angle of body B relative to body A that counts as 0, in degrees; the angle at creation when not set. */
/*! \qmlproperty bool RevoluteJoint::enableLimit
    Whether the angle is kept between \l lowerAngle and \l upperAngle. */
/*! \qmlproperty real RevoluteJoint::lowerAngle
    Lower angle limit in degrees. */
/*! \qmlproperty real RevoluteJoint::upperAngle
    Upper angle limit in degrees. */
/*! \qmlproperty bool RevoluteJoint::enableMotor
    Whether the motor drives the joint. */
/*! \qmlproperty real RevoluteJoint::motorSpeed
    Motor speed in degrees per second, clockwise positive. */
/*! \qmlproperty real RevoluteJoint::maxMotorTorque
    Largest torque the motor applies. */
/*! \qmlmethod real RevoluteJoint::getJointAngle()
    The current joint angle in degrees. */
/*! \qmlmethod real RevoluteJoint::getJointSpeed()
    The current joint speed in radians per second, counter-clockwise positive. */

Box2DRevoluteJoint::Box2DRevoluteJoint(QObject *parent)
    : Box2DJoint(RevoluteJoint, parent)
{
}

void Box2DRevoluteJoint::setLocalAnchorA(const QPointF &localAnchorA)
{
    if (!acceptFinite("RevoluteJoint", "localAnchorA", localAnchorA))
        return;
    m_localAnchorASet = true;
    if (samePoint(m_localAnchorA, localAnchorA))
        return;
    m_localAnchorA = localAnchorA;
    emit localAnchorAChanged();
}

void Box2DRevoluteJoint::setLocalAnchorB(const QPointF &localAnchorB)
{
    if (!acceptFinite("RevoluteJoint", "localAnchorB", localAnchorB))
        return;
    m_localAnchorBSet = true;
    if (samePoint(m_localAnchorB, localAnchorB))
        return;
    m_localAnchorB = localAnchorB;
    emit localAnchorBChanged();
}

void Box2DRevoluteJoint::setReferenceAngle(float referenceAngle)
{
    if (!acceptFinite("RevoluteJoint", "referenceAngle", referenceAngle))
        return;
    m_referenceAngleSet = true;
    if (m_referenceAngle == referenceAngle)
        return;
    m_referenceAngle = referenceAngle;
    emit referenceAngleChanged();
}

void Box2DRevoluteJoint::setEnableLimit(bool enableLimit)
{
    if (m_enableLimit == enableLimit)
        return;
    m_enableLimit = enableLimit;
    if (auto *joint = jointAs<b2RevoluteJoint>())
        joint->EnableLimit(enableLimit);
    emit enableLimitChanged();
}

// Clockwise degrees turn into counter-clockwise radians, so Box2D's lower limit
// comes from the upper angle. Both limits go over together, smaller first, so
// that no write order (nor a QML range given upside down) can invert them.
void Box2DRevoluteJoint::box2DLimits(float &lower, float &upper) const
{
    const float a = toRadians(m_upperAngle);
    const float b = toRadians(m_lowerAngle);
    lower = std::min(a, b);
    upper = std::max(a, b);
}

void Box2DRevoluteJoint::setLowerAngle(float lowerAngle)
{
    if (!acceptFinite("RevoluteJoint", "lowerAngle", lowerAngle) || m_lowerAngle == lowerAngle)
        return;
    m_lowerAngle = lowerAngle;
    if (auto *joint = jointAs<b2RevoluteJoint>()) {
        float lower, upper;
        box2DLimits(lower, upper);
        joint->SetLimits(lower, upper);
    }
    emit lowerAngleChanged();
}

void Box2DRevoluteJoint::setUpperAngle(float upperAngle)
{
    if (!acceptFinite("RevoluteJoint", "upperAngle", upperAngle) || m_upperAngle == upperAngle)
        return;
    m_upperAngle = upperAngle;
    if (auto *joint = jointAs<b2RevoluteJoint>()) {
        float lower, upper;
        box2DLimits(lower, upper);
        joint->SetLimits(lower, upper);
    }
    emit upperAngleChanged();
}

void Box2DRevoluteJoint::setEnableMotor(bool enableMotor)
{
    if (m_enableMotor == enableMotor)
        return;
    m_enableMotor = enableMotor;
    if (auto *joint = jointAs<b2RevoluteJoint>())
        joint->EnableMotor(enableMotor);
    emit enableMotorChanged();
}

void Box2DRevoluteJoint::setMotorSpeed(float motorSpeed)
{
    if (!acceptFinite("RevoluteJoint", "motorSpeed", motorSpeed) || m_motorSpeed == motorSpeed)
        return;
    m_motorSpeed = motorSpeed;
    if (auto *joint = jointAs<b2RevoluteJoint>())
        joint->SetMotorSpeed(toRadians(motorSpeed));
    emit motorSpeedChanged();
}

void Box2DRevoluteJoint::setMaxMotorTorque(float maxMotorTorque)
{
    if (!acceptNonNegative("RevoluteJoint", "maxMotorTorque", maxMotorTorque) || m_maxMotorTorque == maxMotorTorque)
        return;
    m_maxMotorTorque = maxMotorTorque;
    if (auto *joint = jointAs<b2RevoluteJoint>())
        joint->SetMaxMotorTorque(torqueToBox2D(maxMotorTorque));
    emit maxMotorTorqueChanged();
}

float Box2DRevoluteJoint::getJointAngle() const
{
    auto *joint = jointAs<b2RevoluteJoint>();
    return joint ? float(toDegrees(joint->GetJointAngle())) : 0.0f;
}

float Box2DRevoluteJoint::getJointSpeed() const
{
    auto *joint = jointAs<b2RevoluteJoint>();
    return joint ? joint->GetJointSpeed() : 0.0f;
}

b2Joint *Box2DRevoluteJoint::createJoint()
{
    b2RevoluteJointDef def;
    initializeJointDef(def);
    def.localAnchorA = m_localAnchorASet ? toMeters(m_localAnchorA) : def.bodyA->GetLocalCenter();
    def.localAnchorB = m_localAnchorBSet ? toMeters(m_localAnchorB)
                                         : def.bodyB->GetLocalPoint(def.bodyA->GetWorldPoint(def.localAnchorA));
    def.referenceAngle = m_referenceAngleSet ? toRadians(m_referenceAngle)
                                             : def.bodyB->GetAngle() - def.bodyA->GetAngle();
    def.enableLimit = m_enableLimit;
    box2DLimits(def.lowerAngle, def.upperAngle);
    def.enableMotor = m_enableMotor;
    def.motorSpeed = toRadians(m_motorSpeed);
    def.maxMotorTorque = torqueToBox2D(m_maxMotorTorque);
    return box2DWorld()->CreateJoint(&def);
}
