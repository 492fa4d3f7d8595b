#ifndef BOX2DDISTANCEJOINT_H
#define BOX2DDISTANCEJOINT_H

#include "physics/box2djoint.h"

// Keeps two anchor points at a distance: rigidly with frequencyHz 0, as a
// spring otherwise.
class Box2DDistanceJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(QPointF localAnchorA READ localAnchorA WRITE setLocalAnchorA NOTIFY localAnchorAChanged)
    Q_PROPERTY(QPointF localAnchorB READ localAnchorB WRITE setLocalAnchorB NOTIFY localAnchorBChanged)
    Q_PROPERTY(float length READ length WRITE setLength NOTIFY lengthChanged)
    Q_PROPERTY(float frequencyHz READ frequencyHz WRITE setFrequencyHz NOTIFY frequencyHzChanged)
    Q_PROPERTY(float dampingRatio READ dampingRatio WRITE setDampingRatio NOTIFY dampingRatioChanged)

public:
    explicit Box2DDistanceJoint(QObject *parent = nullptr);

    QPointF localAnchorA() const { return m_localAnchorA; }
    void setLocalAnchorA(const QPointF &localAnchorA);
    QPointF localAnchorB() const { return m_localAnchorB; }
    void setLocalAnchorB(const QPointF &localAnchorB);
    float length() const { return m_length; }
    void setLength(float length);
    float frequencyHz() const { return m_frequencyHz; }
    void setFrequencyHz(float frequencyHz);
    float dampingRatio() const { return m_dampingRatio; }
    void setDampingRatio(float dampingRatio);

    Q_INVOKABLE QPointF getReactionForce(float inv_dt) const { return reactionForce(inv_dt); }
    Q_INVOKABLE float getReactionTorque(float inv_dt) const { return float(reactionTorque(inv_dt)); }

signals:
    void localAnchorAChanged();
    void localAnchorBChanged();
    void lengthChanged();
    void frequencyHzChanged();
    void dampingRatioChanged();

protected:
    b2Joint *createJoint() override;
    bool hasMassDependentStiffness() const override { return true; }
    void updateStiffness() override;

private:
    QPointF m_localAnchorA;
    QPointF m_localAnchorB;
    float m_length = 1;
    float m_frequencyHz = 0;
    float m_dampingRatio = 0;
    bool m_localAnchorASet = false;
    bool m_localAnchorBSet = false;
    bool m_lengthSet = false;
    // The rest length in meters the joint was created or last updated with.
    float m_box2DLength = 0;
};

#endif
