#ifndef BONETRANSFORM_H
#define BONETRANSFORM_H

#include <QMatrix4x4>
#include <QPointF>
#include <QPointer>
#include <QQuickItem>

#include "spine/ikjoint.h"

// One bone of a rig converted to QML: placed on its parent bone, applied to
// items as a transform. Coordinates are those of the item the root bone is
// applied to (y down, angles clockwise in degrees). The d-values are offsets
// that animations add to the setup values.
class BoneTransform : public QQuickTransform
{
    Q_OBJECT
    Q_PROPERTY(double length READ length WRITE setLength NOTIFY lengthChanged)
    Q_PROPERTY(double x READ x WRITE setX NOTIFY xChanged)
    Q_PROPERTY(double y READ y WRITE setY NOTIFY yChanged)
    Q_PROPERTY(double dx READ dx WRITE setDx NOTIFY dxChanged)
    Q_PROPERTY(double dy READ dy WRITE setDy NOTIFY dyChanged)
    Q_PROPERTY(double xScale READ xScale WRITE setXScale NOTIFY xScaleChanged)
    Q_PROPERTY(double yScale READ yScale WRITE setYScale NOTIFY yScaleChanged)
    Q_PROPERTY(double dxScale READ dxScale WRITE setDxScale NOTIFY dxScaleChanged)
    Q_PROPERTY(double dyScale READ dyScale WRITE setDyScale NOTIFY dyScaleChanged)
    Q_PROPERTY(double angle READ angle WRITE setAngle NOTIFY angleChanged)
    Q_PROPERTY(double dangle READ dangle WRITE setDangle NOTIFY dangleChanged)
    Q_PROPERTY(bool inheritScale READ inheritScale WRITE setInheritScale NOTIFY inheritScaleChanged)
    Q_PROPERTY(bool inheritRotation READ inheritRotation WRITE setInheritRotation NOTIFY inheritRotationChanged)
    Q_PROPERTY(bool reverse READ reverse WRITE setReverse NOTIFY reverseChanged)
    Q_PROPERTY(BoneTransform *parentBone READ parentBone WRITE setParentBone NOTIFY parentBoneChanged)
    Q_PROPERTY(BoneTransform *pointTo READ pointTo WRITE setPointTo NOTIFY pointToChanged)
    Q_PROPERTY(IKJoint *joint READ joint WRITE setJoint NOTIFY jointChanged)
public:
    explicit BoneTransform(QObject *parent = nullptr);

    void applyTo(QMatrix4x4 *matrix) const override;

    double length() const { return m_length; }
    double x() const { return m_x; }
    double y() const { return m_y; }
    double dx() const { return m_dx; }
    double dy() const { return m_dy; }
    double xScale() const { return m_xScale; }
    double yScale() const { return m_yScale; }
    double dxScale() const { return m_dxScale; }
    double dyScale() const { return m_dyScale; }
    double angle() const { return m_angle; }
    double dangle() const { return m_dangle; }
    bool inheritScale() const { return m_inheritScale; }
    bool inheritRotation() const { return m_inheritRotation; }
    bool reverse() const { return m_reverse; }
    BoneTransform *parentBone() const { return m_parentBone; }
    BoneTransform *pointTo() const { return m_pointTo; }
    IKJoint *joint() const { return m_joint; }

    // The bone's transform from its own space to the rig's.
    QMatrix4x4 worldMatrix() const { return m_world; }
    QPointF worldScale() const { return m_worldScale; }
    // The rotation the bone would have without its joint or pointTo.
    double ownWorldRotation() const;
    double parentWorldRotation() const;

    Q_INVOKABLE QPointF worldPosition() const;
    Q_INVOKABLE double worldRotation() const { return m_worldRotation; }

    // Takes the parent's, target's and joint's current state.
    void recompute();

public slots:
    // Clears what animations added: the d-values.
    void reset();
    void setLength(double length);
    void setX(double x);
    void setY(double y);
    void setDx(double dx);
    void setDy(double dy);
    void setXScale(double xScale);
    void setYScale(double yScale);
    void setDxScale(double dxScale);
    void setDyScale(double dyScale);
    void setAngle(double angle);
    void setDangle(double dangle);
    void setInheritScale(bool inherit);
    void setInheritRotation(bool inherit);
    void setReverse(bool reverse);
    void setParentBone(BoneTransform *parentBone);
    void setPointTo(BoneTransform *pointTo);
    void setJoint(IKJoint *joint);

signals:
    void lengthChanged(double length);
    void xChanged(double x);
    void yChanged(double y);
    void dxChanged(double dx);
    void dyChanged(double dy);
    void xScaleChanged(double xScale);
    void yScaleChanged(double yScale);
    void dxScaleChanged(double dxScale);
    void dyScaleChanged(double dyScale);
    void angleChanged(double angle);
    void dangleChanged(double dangle);
    void inheritScaleChanged(bool inheritScale);
    void inheritRotationChanged(bool inheritRotation);
    void reverseChanged(bool reverse);
    void parentBoneChanged(BoneTransform *parentBone);
    void pointToChanged(BoneTransform *pointTo);
    void jointChanged(IKJoint *joint);
    void matrixChanged(const QMatrix4x4 &matrix);
    void transformChanged();

private:
    bool dependsOn(const BoneTransform *other) const;

    double m_length = 0;
    double m_x = 0, m_y = 0, m_dx = 0, m_dy = 0;
    double m_xScale = 1, m_yScale = 1, m_dxScale = 0, m_dyScale = 0;
    double m_angle = 0, m_dangle = 0;
    bool m_inheritScale = true, m_inheritRotation = true, m_reverse = false;
    QPointer<BoneTransform> m_parentBone;
    QPointer<BoneTransform> m_pointTo;
    QPointer<IKJoint> m_joint;

    QMatrix4x4 m_world;
    QPointF m_worldScale = QPointF(1, 1);
    double m_worldRotation = 0;
    bool m_recomputing = false;
};

#endif
