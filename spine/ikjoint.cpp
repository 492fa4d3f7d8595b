#include "ikjoint.h"

#include "spine/bonetransform.h"

#include <QtMath>

/*!
    \qmltype IKJoint
    \inqmlmodule Zarno
    \instantiates IKJoint
    \brief Turns a bone, or a bone and its child, so that the chain reaches a target bone.

    Give the bones the joint in their \c joint property. With \l second set, \l first must be
    \l second's parent bone; \l bendPositive chooses on which side the chain bends. \l mix fades
    between the bones' own angles (0) and the solved ones (1). The joint follows the target.

    \qml
    Item {
        BoneTransform { id: target; x: 300; y: 180 }
        BoneTransform { id: upper; x: 200; y: 100; length: 80; joint: arm }
        BoneTransform { id: lower; parentBone: upper; x: 80; length: 70; joint: arm }
        IKJoint { id: arm; first: upper; second: lower; target: target }
    }
    \endqml
*/
/*!
    \qmlmethod IKJoint::setBendPositive(bool bendPositive)
    Sets \l bendPositive to \a bendPositive.
*/
/*!
    \qmlmethod IKJoint::setFirst(BoneTransform first)
    Sets \l first to \a first.
*/
/*!
    \qmlmethod IKJoint::setMix(real mix)
    Sets \l mix to \a mix.
*/
/*!
    \qmlmethod IKJoint::setSecond(BoneTransform second)
    Sets \l second to \a second.
*/
/*!
    \qmlmethod IKJoint::setTarget(BoneTransform target)
    Sets \l target to \a target.
*/

/*!
    \qmlproperty BoneTransform IKJoint::first
    The bone nearest the root.
*/
/*!
    \qmlproperty BoneTransform IKJoint::second
    The child of \l first, or none for a one-bone chain.
*/
/*!
    \qmlproperty BoneTransform IKJoint::target
    The bone whose origin the chain reaches for.
*/
/*!
    \qmlproperty bool IKJoint::bendPositive
    Bends the chain clockwise (true) or the other way.
*/
/*!
    \qmlproperty real IKJoint::mix
    How much of the solution applies, 0 to 1 (1).
*/
/*!
    \qmlmethod IKJoint::setUpdateTransforms()
    Solves again and re-poses the bones.
*/

IKJoint::IKJoint(QObject *parent)
    : QObject(parent)
{
}

void IKJoint::watch(BoneTransform *bone)
{
    if (bone)
        connect(bone, &BoneTransform::matrixChanged, this, &IKJoint::setUpdateTransforms, Qt::UniqueConnection);
}

void IKJoint::setFirst(BoneTransform *first)
{
    if (m_first == first)
        return;
    m_first = first;
    emit firstChanged(first);
    setUpdateTransforms();
}

void IKJoint::setSecond(BoneTransform *second)
{
    if (m_second == second)
        return;
    m_second = second;
    emit secondChanged(second);
    setUpdateTransforms();
}

void IKJoint::setTarget(BoneTransform *target)
{
    if (m_target == target)
        return;
    if (m_target)
        disconnect(m_target, nullptr, this, nullptr);
    m_target = target;
    watch(target);
    emit targetChanged(target);
    setUpdateTransforms();
}

void IKJoint::setBendPositive(bool bendPositive)
{
    if (m_bendPositive == bendPositive)
        return;
    m_bendPositive = bendPositive;
    emit bendPositiveChanged(bendPositive);
    setUpdateTransforms();
}

void IKJoint::setMix(double mix)
{
    if (qFuzzyCompare(m_mix, mix))
        return;
    m_mix = mix;
    emit mixChanged(mix);
    setUpdateTransforms();
}

bool IKJoint::solvedAngle(const BoneTransform *bone, double ownAngle, double *angle) const
{
    if (!m_solved || !bone || (bone != m_first && bone != m_second))
        return false;
    double solved = bone == m_first ? m_firstAngle : m_secondAngle;
    // The shorter way round from the bone's own angle.
    double delta = std::fmod(solved - ownAngle, 360.0);
    if (delta > 180)
        delta -= 360;
    else if (delta < -180)
        delta += 360;
    *angle = ownAngle + delta * m_mix;
    return true;
}

void IKJoint::setUpdateTransforms()
{
    if (m_solving)
        return;
    m_solving = true;
    m_solved = false;
    if (m_first && m_target) {
        const QPointF origin = m_first->worldPosition();
        const QPointF target = m_target->worldPosition();
        const double targetAngle = std::atan2(target.y() - origin.y(), target.x() - origin.x());
        const double parentRotation = m_first->parentWorldRotation();
        const bool chain = m_second && m_second->parentBone() == m_first;
        if (!chain) {
            m_firstAngle = qRadiansToDegrees(targetAngle) - parentRotation;
        } else {
            // The triangle first origin - elbow - target, with the first bone's
            // reach to the elbow and the second bone's length as sides.
            const QPointF scale = m_first->worldScale();
            const QPointF offset((m_second->x() + m_second->dx()) * scale.x(), (m_second->y() + m_second->dy()) * scale.y());
            const double reach = std::hypot(offset.x(), offset.y());
            const double length = m_second->length() * m_second->worldScale().x();
            const double distance = std::hypot(target.x() - origin.x(), target.y() - origin.y());
            double inner = 0;
            if (reach > 0 && distance > 0)
                inner = std::acos(qBound(-1.0, (reach * reach + distance * distance - length * length) / (2 * reach * distance), 1.0));
            const double bend = m_bendPositive ? 1 : -1;
            const double elbowAngle = targetAngle - bend * inner;
            const double firstWorld = qRadiansToDegrees(elbowAngle - std::atan2(offset.y(), offset.x()));
            const QPointF elbow = origin + QPointF(std::cos(elbowAngle), std::sin(elbowAngle)) * reach;
            const double secondWorld = qRadiansToDegrees(std::atan2(target.y() - elbow.y(), target.x() - elbow.x()));
            m_firstAngle = firstWorld - parentRotation;
            m_secondAngle = m_second->inheritRotation() ? secondWorld - firstWorld : secondWorld;
        }
        m_solved = true;
    }
    if (m_first)
        m_first->recompute();
    if (m_second)
        m_second->recompute();
    m_solving = false;
}
