#ifndef BOX2DPRISMATICJOINT_H
#define BOX2DPRISMATICJOINT_H

#include "physics/box2djoint.h"

// A slider: body B moves along an axis fixed in body A, without turning
// relative to it, optionally within limits and driven by a motor.
class Box2DPrismaticJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(QPointF localAnchorA READ localAnchorA WRITE setLocalAnchorA NOTIFY localAnchorAChanged)
    Q_PROPERTY(QPointF localAnchorB READ localAnchorB WRITE setLocalAnchorB NOTIFY localAnchorBChanged)
    Q_PROPERTY(QPointF localAxisA READ localAxisA WRITE setLocalAxisA NOTIFY localAxisAChanged)
    Q_PROPERTY(float referenceAngle READ referenceAngle WRITE setReferenceAngle NOTIFY referenceAngleChanged)
    Q_PROPERTY(bool enableLimit READ enableLimit WRITE setEnableLimit NOTIFY enableLimitChanged)
    Q_PROPERTY(float lowerTranslation READ lowerTranslation WRITE setLowerTranslation NOTIFY lowerTranslationChanged)
    Q_PROPERTY(float upperTranslation READ upperTranslation WRITE setUpperTranslation NOTIFY upperTranslationChanged)
    Q_PROPERTY(bool enableMotor READ enableMotor WRITE setEnableMotor NOTIFY enableMotorChanged)
    Q_PROPERTY(float maxMotorForce READ maxMotorForce WRITE setMaxMotorForce NOTIFY maxMotorForceChanged)
    Q_PROPERTY(float motorSpeed READ motorSpeed WRITE setMotorSpeed NOTIFY motorSpeedChanged)

public:
    explicit Box2DPrismaticJoint(QObject *parent = nullptr);

    QPointF localAnchorA() const { return m_localAnchorA; }
    void setLocalAnchorA(const QPointF &localAnchorA);
    QPointF localAnchorB() const { return m_localAnchorB; }
    void setLocalAnchorB(const QPointF &localAnchorB);
    QPointF localAxisA() const { return m_localAxisA; }
    void setLocalAxisA(const QPointF &localAxisA);
    float referenceAngle() const { return m_referenceAngle; }
    void setReferenceAngle(float referenceAngle);
    bool enableLimit() const { return m_enableLimit; }
    void setEnableLimit(bool enableLimit);
    float lowerTranslation() const { return m_lowerTranslation; }
    void setLowerTranslation(float lowerTranslation);
    float upperTranslation() const { return m_upperTranslation; }
    void setUpperTranslation(float upperTranslation);
    bool enableMotor() const { return m_enableMotor; }
    void setEnableMotor(bool enableMotor);
    float maxMotorForce() const { return m_maxMotorForce; }
    void setMaxMotorForce(float maxMotorForce);
    float motorSpeed() const { return m_motorSpeed; }
    void setMotorSpeed(float motorSpeed);

    Q_INVOKABLE float getJointTranslation() const;
    Q_INVOKABLE float getJointSpeed() const;

signals:
    void localAnchorAChanged();
    void localAnchorBChanged();
    void localAxisAChanged();
    void referenceAngleChanged();
    void enableLimitChanged();
    void lowerTranslationChanged();
    void upperTranslationChanged();
    void enableMotorChanged();
    void maxMotorForceChanged();
    void motorSpeedChanged();

protected:
    b2Joint *createJoint() override;

private:
    void applyLimits();

    QPointF m_localAnchorA;
    QPointF m_localAnchorB;
    QPointF m_localAxisA = QPointF(1, 0);
    float m_referenceAngle = 0;
    bool m_enableLimit = false;
    float m_lowerTranslation = 0;
    float m_upperTranslation = 0;
    bool m_enableMotor = false;
    float m_maxMotorForce = 0;
    float m_motorSpeed = 0;
    bool m_localAnchorASet = false;
    bool m_localAnchorBSet = false;
    bool m_referenceAngleSet = false;
};

#endif
