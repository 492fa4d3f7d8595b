#ifndef BOX2DWHEELJOINT_H
#define BOX2DWHEELJOINT_H

#include "physics/box2djoint.h"

// A wheel on a suspension: body B turns freely and moves along a sprung axis
// of body A, optionally driven by a motor.
class Box2DWheelJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(QPointF localAnchorA READ localAnchorA WRITE setLocalAnchorA NOTIFY localAnchorAChanged)
    Q_PROPERTY(QPointF localAnchorB READ localAnchorB WRITE setLocalAnchorB NOTIFY localAnchorBChanged)
    Q_PROPERTY(QPointF localAxisA READ localAxisA WRITE setLocalAxisA NOTIFY localAxisAChanged)
    Q_PROPERTY(bool enableMotor READ enableMotor WRITE setEnableMotor NOTIFY enableMotorChanged)
    Q_PROPERTY(float maxMotorTorque READ maxMotorTorque WRITE setMaxMotorTorque NOTIFY maxMotorTorqueChanged)
    Q_PROPERTY(float motorSpeed READ motorSpeed WRITE setMotorSpeed NOTIFY motorSpeedChanged)
    Q_PROPERTY(float frequencyHz READ frequencyHz WRITE setFrequencyHz NOTIFY frequencyHzChanged)
    Q_PROPERTY(float dampingRatio READ dampingRatio WRITE setDampingRatio NOTIFY dampingRatioChanged)

public:
    explicit Box2DWheelJoint(QObject *parent = nullptr);

    QPointF localAnchorA() const { return m_localAnchorA; }
    void setLocalAnchorA(const QPointF &localAnchorA);
    QPointF localAnchorB() const { return m_localAnchorB; }
    void setLocalAnchorB(const QPointF &localAnchorB);
    QPointF localAxisA() const { return m_localAxisA; }
    void setLocalAxisA(const QPointF &localAxisA);
    bool enableMotor() const { return m_enableMotor; }
    void setEnableMotor(bool enableMotor);
    float maxMotorTorque() const { return m_maxMotorTorque; }
    void setMaxMotorTorque(float maxMotorTorque);
    float motorSpeed() const { return m_motorSpeed; }
    void setMotorSpeed(float motorSpeed);
    float frequencyHz() const { return m_frequencyHz; }
    void setFrequencyHz(float frequencyHz);
    float dampingRatio() const { return m_dampingRatio; }
    void setDampingRatio(float dampingRatio);

    Q_INVOKABLE float getJointTranslation() const;
    Q_INVOKABLE float getJointSpeed() const;
    Q_INVOKABLE QPointF getReactionForce(float inv_dt) const { return reactionForce(inv_dt); }
    Q_INVOKABLE float getReactionTorque(float inv_dt) const { return float(reactionTorque(inv_dt)); }

signals:
    void localAnchorAChanged();
    void localAnchorBChanged();
    void localAxisAChanged();
    void enableMotorChanged();
    void maxMotorTorqueChanged();
    void motorSpeedChanged();
    void frequencyHzChanged();
    void dampingRatioChanged();

protected:
    b2Joint *createJoint() override;
    bool hasMassDependentStiffness() const override { return true; }
    void updateStiffness() override;

private:
    QPointF m_localAnchorA;
    QPointF m_localAnchorB;
    QPointF m_localAxisA;
    bool m_enableMotor = false;
    float m_maxMotorTorque = 0;
    float m_motorSpeed = 0;
    float m_frequencyHz = 2;
    float m_dampingRatio = 0.7f;
    bool m_localAnchorASet = false;
    bool m_localAnchorBSet = false;
    bool m_localAxisASet = false;
};

#endif
