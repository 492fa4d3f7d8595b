#ifndef BOX2DREVOLUTEJOINT_H
#define BOX2DREVOLUTEJOINT_H

#include "physics/box2djoint.h"

// A hinge: body B turns about an anchor shared with body A, optionally within
// angle limits and driven by a motor.
class Box2DRevoluteJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(QPointF localAnchorA READ localAnchorA WRITE setLocalAnchorA NOTIFY localAnchorAChanged)
    Q_PROPERTY(QPointF localAnchorB READ localAnchorB WRITE setLocalAnchorB NOTIFY localAnchorBChanged)
    Q_PROPERTY(float referenceAngle READ referenceAngle WRITE setReferenceAngle NOTIFY referenceAngleChanged)
    Q_PROPERTY(bool enableLimit READ enableLimit WRITE setEnableLimit NOTIFY enableLimitChanged)
    Q_PROPERTY(float lowerAngle READ lowerAngle WRITE setLowerAngle NOTIFY lowerAngleChanged)
    Q_PROPERTY(float upperAngle READ upperAngle WRITE setUpperAngle NOTIFY upperAngleChanged)
    Q_PROPERTY(bool enableMotor READ enableMotor WRITE setEnableMotor NOTIFY enableMotorChanged)
    Q_PROPERTY(float motorSpeed READ motorSpeed WRITE setMotorSpeed NOTIFY motorSpeedChanged)
    Q_PROPERTY(float maxMotorTorque READ maxMotorTorque WRITE setMaxMotorTorque NOTIFY maxMotorTorqueChanged)

public:
    explicit Box2DRevoluteJoint(QObject *parent = nullptr);

    QPointF localAnchorA() const { return m_localAnchorA; }
    void setLocalAnchorA(const QPointF &localAnchorA);
    QPointF localAnchorB() const { return m_localAnchorB; }
    void setLocalAnchorB(const QPointF &localAnchorB);
    float referenceAngle() const { return m_referenceAngle; }
    void setReferenceAngle(float referenceAngle);
    bool enableLimit() const { return m_enableLimit; }
    void setEnableLimit(bool enableLimit);
    float lowerAngle() const { return m_lowerAngle; }
    void setLowerAngle(float lowerAngle);
    float upperAngle() const { return m_upperAngle; }
    void setUpperAngle(float upperAngle);
    bool enableMotor() const { return m_enableMotor; }
    void setEnableMotor(bool enableMotor);
    float motorSpeed() const { return m_motorSpeed; }
    void setMotorSpeed(float motorSpeed);
    float maxMotorTorque() const { return m_maxMotorTorque; }
    void setMaxMotorTorque(float maxMotorTorque);

    Q_INVOKABLE float getJointAngle() const;
    Q_INVOKABLE float getJointSpeed() const;

signals:
    void localAnchorAChanged();
    void localAnchorBChanged();
    void referenceAngleChanged();
    void enableLimitChanged();
    void lowerAngleChanged();
    void upperAngleChanged();
    void enableMotorChanged();
    void motorSpeedChanged();
    void maxMotorTorqueChanged();

protected:
    b2Joint *createJoint() override;

private:
    void box2DLimits(float &lower, float &upper) const;

    QPointF m_localAnchorA;
    QPointF m_localAnchorB;
    float m_referenceAngle = 0;
    bool m_enableLimit = false;
    float m_lowerAngle = 0;
    float m_upperAngle = 0;
    bool m_enableMotor = false;
    float m_motorSpeed = 0;
    float m_maxMotorTorque = 0;
    bool m_localAnchorASet = false;
    bool m_localAnchorBSet = false;
    bool m_referenceAngleSet = false;
};

#endif
