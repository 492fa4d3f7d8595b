#ifndef BOX2DFRICTIONJOINT_H
#define BOX2DFRICTIONJOINT_H

#include "physics/box2djoint.h"

// Top-down friction: resists the relative motion and turning of two bodies
// with at most maxForce and maxTorque.
class Box2DFrictionJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(QPointF localAnchorA READ localAnchorA WRITE setLocalAnchorA NOTIFY localAnchorAChanged)
    Q_PROPERTY(QPointF localAnchorB READ localAnchorB WRITE setLocalAnchorB NOTIFY localAnchorBChanged)
    Q_PROPERTY(float maxForce READ maxForce WRITE setMaxForce NOTIFY maxForceChanged)
    Q_PROPERTY(float maxTorque READ maxTorque WRITE setMaxTorque NOTIFY maxTorqueChanged)

public:
    explicit Box2DFrictionJoint(QObject *parent = nullptr);

    QPointF localAnchorA() const { return m_localAnchorA; }
    void setLocalAnchorA(const QPointF &localAnchorA);
    QPointF localAnchorB() const { return m_localAnchorB; }
    void setLocalAnchorB(const QPointF &localAnchorB);
    float maxForce() const { return m_maxForce; }
    void setMaxForce(float maxForce);
    float maxTorque() const { return m_maxTorque; }
    void setMaxTorque(float maxTorque);

    Q_INVOKABLE QPointF getReactionForce(float inv_dt) const { return reactionForce(inv_dt); }
    Q_INVOKABLE float getReactionTorque(float inv_dt) const { return float(reactionTorque(inv_dt)); }

signals:
    void localAnchorAChanged();
    void localAnchorBChanged();
    void maxForceChanged();
    void maxTorqueChanged();

protected:
    b2Joint *createJoint() override;

private:
    QPointF m_localAnchorA;
    QPointF m_localAnchorB;
    float m_maxForce = 0;
    float m_maxTorque = 0;
    bool m_localAnchorASet = false;
    bool m_localAnchorBSet = false;
};

#endif
