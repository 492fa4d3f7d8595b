#include "box2dprismaticjoint.h"

#include <QDebug>

#include <algorithm>

/*!
    \qmltype PrismaticJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DPrismaticJoint
    \brief Lets body B slide along an axis of body A.

    \qml
    PrismaticJoint {
        bodyA: ground; bodyB: lift
        localAxisA: Qt.point(0, 1)
        enableLimit: true; lowerTranslation: -50; upperTranslation: 50
    }
    \endqml
*/
/*! \qmlproperty point PrismaticJoint::localAnchorA
    Anchor on body A in pixels; its centre of mass when not set. */
/*! \qmlproperty point PrismaticJoint::localAnchorB
    Anchor on body B; where anchor A lies on body B at creation when not set. */
/*! \qmlproperty point PrismaticJoint::localAxisA
    Direction of the slide in body A, (1, 0) by default. */
/*! \qmlproperty real PrismaticJoint::referenceAngle
    Angle of body B relative to body A kept by the joint, in degrees; the angle at creation when not set. */
/*! \qmlproperty bool PrismaticJoint::enableLimit
    Whether the translation is kept between the two limits. */
/*! \qmlproperty real PrismaticJoint::lowerTranslation
    Lower translation limit in pixels. */
/*! \qmlproperty real PrismaticJoint::upperTranslation
    Upper translation limit in pixels. */
/*! \qmlproperty bool PrismaticJoint::enableMotor
    Whether the motor drives the joint. */
/*! \qmlproperty real PrismaticJoint::maxMotorForce
    Largest force the motor applies. */
/*! \qmlproperty real PrismaticJoint::motorSpeed
    Motor speed. */
/*! \qmlmethod real PrismaticJoint::getJointTranslation()
    The current translation along the axis, in pixels. */
/*! \qmlmethod real PrismaticJoint::getJointSpeed()
    The current translation speed, in pixels per second. */

Box2DPrismaticJoint::Box2DPrismaticJoint(QObject *parent)
    : Box2DJoint(PrismaticJoint, parent)
{
}

void Box2DPrismaticJoint::setLocalAnchorA(const QPointF &localAnchorA)
{
    if (!acceptFinite("PrismaticJoint", "localAnchorA", localAnchorA))
        return;
    m_localAnchorASet = true;
    if (samePoint(m_localAnchorA, localAnchorA))
        return;
    m_localAnchorA = localAnchorA;
    emit localAnchorAChanged();
}

void Box2DPrismaticJoint::setLocalAnchorB(const QPointF &localAnchorB)
{
    if (!acceptFinite("PrismaticJoint", "localAnchorB", localAnchorB))
        return;
    m_localAnchorBSet = true;
    if (samePoint(m_localAnchorB, localAnchorB))
        return;
    m_localAnchorB = localAnchorB;
    emit localAnchorBChanged();
}

void Box2DPrismaticJoint::setLocalAxisA(const QPointF &localAxisA)
{
    // A zero axis has no direction to slide along.
    if (!acceptFinite("PrismaticJoint", "localAxisA", localAxisA))
        return;
    if (localAxisA.isNull()) {
        qWarning() << "PrismaticJoint: Invalid localAxisA:" << localAxisA;
        return;
    }
    if (samePoint(m_localAxisA, localAxisA))
        return;
    m_localAxisA = localAxisA;
    emit localAxisAChanged();
}

void Box2DPrismaticJoint::setReferenceAngle(float referenceAngle)
{
    if (!acceptFinite("PrismaticJoint", "referenceAngle", referenceAngle))
        return;
    m_referenceAngleSet = true;
    if (m_referenceAngle == referenceAngle)
        return;
    m_referenceAngle = referenceAngle;
    emit referenceAngleChanged();
}

void Box2DPrismaticJoint::setEnableLimit(bool enableLimit)
{
    if (m_enableLimit == enableLimit)
        return;
    m_enableLimit = enableLimit;
    if (auto *joint = jointAs<b2PrismaticJoint>())
        joint->EnableLimit(enableLimit);
    emit enableLimitChanged();
}

// Both limits go over together, smaller first: Box2D aborts on an inverted pair.
void Box2DPrismaticJoint::applyLimits()
{
    auto *joint = jointAs<b2PrismaticJoint>();
    if (!joint)
        return;
    const float a = toMeters(m_lowerTranslation);
    const float b = toMeters(m_upperTranslation);
    joint->SetLimits(std::min(a, b), std::max(a, b));
}

void Box2DPrismaticJoint::setLowerTranslation(float lowerTranslation)
{
    if (!acceptLength("PrismaticJoint", "lowerTranslation", lowerTranslation) || m_lowerTranslation == lowerTranslation)
        return;
    m_lowerTranslation = lowerTranslation;
    applyLimits();
    emit lowerTranslationChanged();
}

void Box2DPrismaticJoint::setUpperTranslation(float upperTranslation)
{
    if (!acceptLength("PrismaticJoint", "upperTranslation", upperTranslation) || m_upperTranslation == upperTranslation)
        return;
    m_upperTranslation = upperTranslation;
    applyLimits();
    emit upperTranslationChanged();
}

void Box2DPrismaticJoint::setEnableMotor(bool enableMotor)
{
    if (m_enableMotor == enableMotor)
        return;
    m_enableMotor = enableMotor;
    if (auto *joint = jointAs<b2PrismaticJoint>())
        joint->EnableMotor(enableMotor);
    emit enableMotorChanged();
}

void Box2DPrismaticJoint::setMaxMotorForce(float maxMotorForce)
{
    if (!acceptNonNegative("PrismaticJoint", "maxMotorForce", maxMotorForce) || m_maxMotorForce == maxMotorForce)
        return;
    m_maxMotorForce = maxMotorForce;
    if (auto *joint = jointAs<b2PrismaticJoint>())
        joint->SetMaxMotorForce(toMeters(maxMotorForce));
    emit maxMotorForceChanged();
}

void Box2DPrismaticJoint::setMotorSpeed(float motorSpeed)
{
    if (!acceptFinite("PrismaticJoint", "motorSpeed", motorSpeed) || m_motorSpeed == motorSpeed)
        return;
    m_motorSpeed = motorSpeed;
    if (auto *joint = jointAs<b2PrismaticJoint>())
        joint->SetMotorSpeed(toRadians(motorSpeed));
    emit motorSpeedChanged();
}

float Box2DPrismaticJoint::getJointTranslation() const
{
    auto *joint = jointAs<b2PrismaticJoint>();
    return joint ? float(toPixels(joint->GetJointTranslation())) : 0.0f;
}

float Box2DPrismaticJoint::getJointSpeed() const
{
    auto *joint = jointAs<b2PrismaticJoint>();
    return joint ? float(toPixels(joint->GetJointSpeed())) : 0.0f;
}

b2Joint *Box2DPrismaticJoint::createJoint()
{
    b2PrismaticJointDef def;
    initializeJointDef(def);
    def.localAnchorA = m_localAnchorASet ? toMeters(m_localAnchorA) : def.bodyA->GetLocalCenter();
    def.localAnchorB = m_localAnchorBSet ? toMeters(m_localAnchorB)
                                         : def.bodyB->GetLocalPoint(def.bodyA->GetWorldPoint(def.localAnchorA));
    // A direction, not a length: only the y axis flips.
    def.localAxisA = b2Vec2(float(m_localAxisA.x()), float(-m_localAxisA.y()));
    def.referenceAngle = m_referenceAngleSet ? toRadians(m_referenceAngle)
                                             : def.bodyB->GetAngle() - def.bodyA->GetAngle();
    def.enableLimit = m_enableLimit;
    const float a = toMeters(m_lowerTranslation);
    const float b = toMeters(m_upperTranslation);
    def.lowerTranslation = std::min(a, b);
    def.upperTranslation = std::max(a, b);
    def.enableMotor = m_enableMotor;
    def.maxMotorForce = toMeters(m_maxMotorForce);
    def.motorSpeed = toRadians(m_motorSpeed);
    return box2DWorld()->CreateJoint(&def);
}
