#include "bonetransform.h"

#include "spine/ikjoint.h"

#include <QtMath>

/*!
    \qmltype BoneTransform
    \inqmlmodule Zarno
    \instantiates BoneTransform
    \brief A bone of a rig written in QML, applied to items as a transform.

    A bone sits at (\l x + \l dx, \l y + \l dy) on its \l parentBone, turned by \l angle + \l dangle
    degrees clockwise and scaled by (\l xScale + \l dxScale, \l yScale + \l dyScale). Its world
    transform is in the coordinates of the item the root bone is applied to. The d-values are what
    animations add; \l reset() clears them. With \l pointTo the bone turns towards another bone's
    origin; with \l joint an \l IKJoint turns it.

    \qml
    Item {
        BoneTransform { id: hip; x: 100; y: 200 }
        BoneTransform { id: thigh; parentBone: hip; angle: 90; length: 60 }
        Image { source: "leg.png"; transform: thigh }
        NumberAnimation { target: thigh; property: "dangle"; from: -20; to: 20; duration: 500; running: true; loops: Animation.Infinite }
    }
    \endqml
*/
/*!
    \qmlmethod BoneTransform::setAngle(real angle)
    Sets \l angle to \a angle.
*/
/*!
    \qmlmethod BoneTransform::setDangle(real dangle)
    Sets \l dangle to \a dangle.
*/
/*!
    \qmlmethod BoneTransform::setDx(real dx)
    Sets \l dx to \a dx.
*/
/*!
    \qmlmethod BoneTransform::setDxScale(real dxScale)
    Sets \l dxScale to \a dxScale.
*/
/*!
    \qmlmethod BoneTransform::setDy(real dy)
    Sets \l dy to \a dy.
*/
/*!
    \qmlmethod BoneTransform::setDyScale(real dyScale)
    Sets \l dyScale to \a dyScale.
*/
/*!
    \qmlmethod BoneTransform::setInheritRotation(bool inherit)
    Sets \l inheritRotation to \a inherit.
*/
/*!
    \qmlmethod BoneTransform::setInheritScale(bool inherit)
    Sets \l inheritScale to \a inherit.
*/
/*!
    \qmlmethod BoneTransform::setJoint(IKJoint joint)
    Sets \l joint to \a joint.
*/
/*!
    \qmlmethod BoneTransform::setLength(real length)
    Sets \l length to \a length.
*/
/*!
    \qmlmethod BoneTransform::setParentBone(BoneTransform parentBone)
    Sets \l parentBone to \a parentBone.
*/
/*!
    \qmlmethod BoneTransform::setPointTo(BoneTransform pointTo)
    Sets \l pointTo to \a pointTo.
*/
/*!
    \qmlmethod BoneTransform::setReverse(bool reverse)
    Sets \l reverse to \a reverse.
*/
/*!
    \qmlmethod BoneTransform::setX(real x)
    Sets \l x to \a x.
*/
/*!
    \qmlmethod BoneTransform::setXScale(real xScale)
    Sets \l xScale to \a xScale.
*/
/*!
    \qmlmethod BoneTransform::setY(real y)
    Sets \l y to \a y.
*/
/*!
    \qmlmethod BoneTransform::setYScale(real yScale)
    Sets \l yScale to \a yScale.
*/

/*!
    \qmlproperty real BoneTransform::length
    The bone's length along its x axis.
*/
/*!
    \qmlproperty real BoneTransform::x
    Setup position on the parent bone.
*/
/*!
    \qmlproperty real BoneTransform::y
    Setup position on the parent bone.
*/
/*!
    \qmlproperty real BoneTransform::dx
    Offset added to \l x.
*/
/*!
    \qmlproperty real BoneTransform::dy
    Offset added to \l y.
*/
/*!
    \qmlproperty real BoneTransform::xScale
    Setup scale along the bone (1).
*/
/*!
    \qmlproperty real BoneTransform::yScale
    Setup scale across the bone (1).
*/
/*!
    \qmlproperty real BoneTransform::dxScale
    Added to \l xScale.
*/
/*!
    \qmlproperty real BoneTransform::dyScale
    Added to \l yScale.
*/
/*!
    \qmlproperty real BoneTransform::angle
    Setup rotation in degrees, clockwise.
*/
/*!
    \qmlproperty real BoneTransform::dangle
    Added to \l angle.
*/
/*!
    \qmlproperty bool BoneTransform::inheritScale
    Whether the parent's scale applies (true).
*/
/*!
    \qmlproperty bool BoneTransform::inheritRotation
    Whether the parent's rotation applies (true).
*/
/*!
    \qmlproperty bool BoneTransform::reverse
    Applies the inverse of the bone's transform instead.
*/
/*!
    \qmlproperty BoneTransform BoneTransform::parentBone
    The bone this one sits on; none for a root.
*/
/*!
    \qmlproperty BoneTransform BoneTransform::pointTo
    A bone whose origin this one turns towards.
*/
/*!
    \qmlproperty IKJoint BoneTransform::joint
    The joint that may turn this bone.
*/
/*!
    \qmlsignal BoneTransform::matrixChanged(matrix4x4 matrix)
    The world transform changed to \a matrix.
*/
/*!
    \qmlsignal BoneTransform::transformChanged()
    The world transform changed.
*/
/*!
    \qmlmethod point BoneTransform::worldPosition()
    The bone's origin in rig coordinates.
*/
/*!
    \qmlmethod real BoneTransform::worldRotation()
    The bone's rotation in rig coordinates, in degrees.
*/
/*!
    \qmlmethod BoneTransform::reset()
    Sets \l dx, \l dy, \l dangle, \l dxScale and \l dyScale back to 0.
*/

BoneTransform::BoneTransform(QObject *parent)
    : QQuickTransform(parent)
{
}

void BoneTransform::applyTo(QMatrix4x4 *matrix) const
{
    *matrix *= m_reverse ? m_world.inverted() : m_world;
}

QPointF BoneTransform::worldPosition() const
{
    return m_world.map(QPointF(0, 0));
}

double BoneTransform::parentWorldRotation() const
{
    return m_parentBone && m_inheritRotation ? m_parentBone->worldRotation() : 0.0;
}

double BoneTransform::ownWorldRotation() const
{
    return parentWorldRotation() + m_angle + m_dangle;
}

bool BoneTransform::dependsOn(const BoneTransform *other) const
{
    for (const BoneTransform *bone = this; bone; bone = bone->m_parentBone) {
        if (bone == other)
            return true;
    }
    return false;
}

void BoneTransform::recompute()
{
    if (m_recomputing)
        return;
    m_recomputing = true;
    const QPointF local(m_x + m_dx, m_y + m_dy);
    const QPointF position = m_parentBone ? m_parentBone->worldMatrix().map(local) : local;
    double angle = m_angle + m_dangle;
    if (m_pointTo && m_pointTo != this) {
        const QPointF to = m_pointTo->worldPosition() - position;
        if (!to.isNull())
            angle = qRadiansToDegrees(std::atan2(to.y(), to.x())) - parentWorldRotation();
    }
    if (m_joint)
        m_joint->solvedAngle(this, angle, &angle);
    m_worldRotation = parentWorldRotation() + angle;
    const QPointF parentScale = m_parentBone && m_inheritScale ? m_parentBone->worldScale() : QPointF(1, 1);
    m_worldScale = QPointF(parentScale.x() * (m_xScale + m_dxScale), parentScale.y() * (m_yScale + m_dyScale));
    m_world.setToIdentity();
    m_world.translate(float(position.x()), float(position.y()));
    m_world.rotate(float(m_worldRotation), 0, 0, 1);
    m_world.scale(float(m_worldScale.x()), float(m_worldScale.y()));
    m_recomputing = false;
    emit matrixChanged(m_world);
    emit transformChanged();
    update();
}

void BoneTransform::reset()
{
    setDx(0);
    setDy(0);
    setDangle(0);
    setDxScale(0);
    setDyScale(0);
}

#define BONE_SETTER(Name, member, type, signal)                                                                 \
    void BoneTransform::Name(type value)                                                                        \
    {                                                                                                          \
        if (member == value)                                                                                   \
            return;                                                                                            \
        member = value;                                                                                        \
        emit signal(value);                                                                                    \
        recompute();                                                                                           \
    }

BONE_SETTER(setLength, m_length, double, lengthChanged)
BONE_SETTER(setX, m_x, double, xChanged)
BONE_SETTER(setY, m_y, double, yChanged)
BONE_SETTER(setDx, m_dx, double, dxChanged)
BONE_SETTER(setDy, m_dy, double, dyChanged)
BONE_SETTER(setXScale, m_xScale, double, xScaleChanged)
BONE_SETTER(setYScale, m_yScale, double, yScaleChanged)
BONE_SETTER(setDxScale, m_dxScale, double, dxScaleChanged)
BONE_SETTER(setDyScale, m_dyScale, double, dyScaleChanged)
BONE_SETTER(setAngle, m_angle, double, angleChanged)
BONE_SETTER(setDangle, m_dangle, double, dangleChanged)
BONE_SETTER(setInheritScale, m_inheritScale, bool, inheritScaleChanged)
BONE_SETTER(setInheritRotation, m_inheritRotation, bool, inheritRotationChanged)
BONE_SETTER(setReverse, m_reverse, bool, reverseChanged)

void BoneTransform::setParentBone(BoneTransform *parentBone)
{
    if (m_parentBone == parentBone)
        return;
    if (parentBone && parentBone->dependsOn(this)) {
        qWarning("BoneTransform WARNING: a bone cannot sit on itself or on one of its children");
        return;
    }
    if (m_parentBone)
        disconnect(m_parentBone, &BoneTransform::matrixChanged, this, &BoneTransform::recompute);
    m_parentBone = parentBone;
    if (parentBone)
        connect(parentBone, &BoneTransform::matrixChanged, this, &BoneTransform::recompute);
    emit parentBoneChanged(parentBone);
    recompute();
}

void BoneTransform::setPointTo(BoneTransform *pointTo)
{
    if (m_pointTo == pointTo)
        return;
    if (m_pointTo)
        disconnect(m_pointTo, &BoneTransform::matrixChanged, this, &BoneTransform::recompute);
    m_pointTo = pointTo;
    if (pointTo && pointTo != this)
        connect(pointTo, &BoneTransform::matrixChanged, this, &BoneTransform::recompute);
    emit pointToChanged(pointTo);
    recompute();
}

void BoneTransform::setJoint(IKJoint *joint)
{
    if (m_joint == joint)
        return;
    m_joint = joint;
    emit jointChanged(joint);
    if (joint)
        joint->setUpdateTransforms();
    recompute();
}
