#include "box2dmotorjoint.h"

#include <QDebug>

/*!
    \qmltype MotorJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DMotorJoint
    \brief Drives body B to an offset and angle relative to body A.

    \l correctionFactor must lie in [0, 1]; \l maxForce and \l maxTorque must not
    be negative. Other values are refused with a warning.

    \qml
    MotorJoint { bodyA: ground; bodyB: platform; linearOffset: Qt.point(0, -50); maxForce: 1000 }
    \endqml
*/
/*! \qmlproperty point MotorJoint::linearOffset
    Target position of body B in body A's pixels; its position at creation when not set. */
/*! \qmlproperty real MotorJoint::angularOffset
    Target angle of body B relative to body A in degrees; the angle at creation when not set. */
/*! \qmlproperty real MotorJoint::maxForce
    Largest force, 1 by default. */
/*! \qmlproperty real MotorJoint::maxTorque
    Largest torque, 1 by default. */
/*! \qmlproperty real MotorJoint::correctionFactor
    Share of the position error corrected per step, 0.3 by default. */

Box2DMotorJoint::Box2DMotorJoint(QObject *parent)
    : Box2DJoint(MotorJoint, parent)
{
}

void Box2DMotorJoint::setLinearOffset(const QPointF &linearOffset)
{
    if (!acceptFinite("MotorJoint", "linearOffset", linearOffset))
        return;
    m_linearOffsetSet = true;
    if (samePoint(m_linearOffset, linearOffset))
        return;
    m_linearOffset = linearOffset;
    if (auto *joint = jointAs<b2MotorJoint>())
        joint->SetLinearOffset(toMeters(linearOffset));
    emit linearOffsetChanged();
}

void Box2DMotorJoint::setAngularOffset(float angularOffset)
{
    if (!acceptFinite("MotorJoint", "angularOffset", angularOffset))
        return;
    m_angularOffsetSet = true;
    if (m_angularOffset == angularOffset)
        return;
    m_angularOffset = angularOffset;
    if (auto *joint = jointAs<b2MotorJoint>())
        joint->SetAngularOffset(toRadians(angularOffset));
    emit angularOffsetChanged();
}

void Box2DMotorJoint::setMaxForce(float maxForce)
{
    if (!acceptNonNegative("MotorJoint", "maxForce", maxForce) || m_maxForce == maxForce)
        return;
    m_maxForce = maxForce;
    if (auto *joint = jointAs<b2MotorJoint>())
        joint->SetMaxForce(toMeters(maxForce));
    emit maxForceChanged();
}

void Box2DMotorJoint::setMaxTorque(float maxTorque)
{
    if (!acceptNonNegative("MotorJoint", "maxTorque", maxTorque) || m_maxTorque == maxTorque)
        return;
    m_maxTorque = maxTorque;
    if (auto *joint = jointAs<b2MotorJoint>())
        joint->SetMaxTorque(torqueToBox2D(maxTorque));
    emit maxTorqueChanged();
}

void Box2DMotorJoint::setCorrectionFactor(float correctionFactor)
{
    if (!(qIsFinite(correctionFactor) && correctionFactor >= 0 && correctionFactor <= 1)) {
        qWarning() << "MotorJoint: Invalid correctionFactor:" << correctionFactor;
        return;
    }
    if (m_correctionFactor == correctionFactor)
        return;
    m_correctionFactor = correctionFactor;
    if (auto *joint = jointAs<b2MotorJoint>())
        joint->SetCorrectionFactor(correctionFactor);
    emit correctionFactorChanged();
}

b2Joint *Box2DMotorJoint::createJoint()
{
    b2MotorJointDef def;
    initializeJointDef(def);
    def.linearOffset = m_linearOffsetSet ? toMeters(m_linearOffset) : def.bodyA->GetLocalPoint(def.bodyB->GetPosition());
    def.angularOffset = m_angularOffsetSet ? toRadians(m_angularOffset) : def.bodyB->GetAngle() - def.bodyA->GetAngle();
    def.maxForce = toMeters(m_maxForce);
    def.maxTorque = torqueToBox2D(m_maxTorque);
    def.correctionFactor = m_correctionFactor;
    return box2DWorld()->CreateJoint(&def);
}
