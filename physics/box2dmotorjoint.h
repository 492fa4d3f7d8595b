#ifndef BOX2DMOTORJOINT_H
#define BOX2DMOTORJOINT_H

#include "physics/box2djoint.h"

// Drives body B towards an offset and angle relative to body A, with at most
// maxForce and maxTorque.
class Box2DMotorJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(QPointF linearOffset READ linearOffset WRITE setLinearOffset NOTIFY linearOffsetChanged)
    Q_PROPERTY(float angularOffset READ angularOffset WRITE setAngularOffset NOTIFY angularOffsetChanged)
    Q_PROPERTY(float maxForce READ maxForce WRITE setMaxForce NOTIFY maxForceChanged)
    Q_PROPERTY(float maxTorque READ maxTorque WRITE setMaxTorque NOTIFY maxTorqueChanged)
    Q_PROPERTY(float correctionFactor READ correctionFactor WRITE setCorrectionFactor NOTIFY correctionFactorChanged)

public:
    explicit Box2DMotorJoint(QObject *parent = nullptr);

    QPointF linearOffset() const { return m_linearOffset; }
    void setLinearOffset(const QPointF &linearOffset);
    float angularOffset() const { return m_angularOffset; }
    void setAngularOffset(float angularOffset);
    float maxForce() const { return m_maxForce; }
    void setMaxForce(float maxForce);
    float maxTorque() const { return m_maxTorque; }
    void setMaxTorque(float maxTorque);
    float correctionFactor() const { return m_correctionFactor; }
    void setCorrectionFactor(float correctionFactor);

signals:
    void linearOffsetChanged();
    void angularOffsetChanged();
    void maxForceChanged();
    void maxTorqueChanged();
    void correctionFactorChanged();

protected:
    b2Joint *createJoint() override;

private:
    QPointF m_linearOffset;
    float m_angularOffset = 0;
    float m_maxForce = 1;
    float m_maxTorque = 1;
    float m_correctionFactor = 0.3f;
    bool m_linearOffsetSet = false;
    bool m_angularOffsetSet = false;
};

#endif
