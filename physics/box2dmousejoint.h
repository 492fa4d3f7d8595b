#ifndef BOX2DMOUSEJOINT_H
#define BOX2DMOUSEJOINT_H

#include "physics/box2djoint.h"

// Pulls a point of body B towards a target in the world, as a soft spring
// limited to maxForce; made for dragging bodies with the mouse or a finger.
class Box2DMouseJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(QPointF target READ target WRITE setTarget NOTIFY targetChanged)
    Q_PROPERTY(float maxForce READ maxForce WRITE setMaxForce NOTIFY maxForceChanged)
    Q_PROPERTY(float frequencyHz READ frequencyHz WRITE setFrequencyHz NOTIFY frequencyHzChanged)
    Q_PROPERTY(float dampingRatio READ dampingRatio WRITE setDampingRatio NOTIFY dampingRatioChanged)

public:
    explicit Box2DMouseJoint(QObject *parent = nullptr);
    ~Box2DMouseJoint() override;

    QPointF target() const { return m_target; }
    void setTarget(const QPointF &target);
    float maxForce() const { return m_maxForce; }
    void setMaxForce(float maxForce);
    float frequencyHz() const { return m_frequencyHz; }
    void setFrequencyHz(float frequencyHz);
    float dampingRatio() const { return m_dampingRatio; }
    void setDampingRatio(float dampingRatio);

    Q_INVOKABLE QPointF getReactionForce(float inv_dt) const { return reactionForce(inv_dt); }
    Q_INVOKABLE float getReactionTorque(float inv_dt) const { return float(reactionTorque(inv_dt)); }

signals:
    void targetChanged();
    void maxForceChanged();
    void frequencyHzChanged();
    void dampingRatioChanged();

protected:
    b2Joint *createJoint() override;
    bool hasMassDependentStiffness() const override { return true; }
    void updateStiffness() override;

private slots:
    void jointBodyBChanged();

private:
    void stiffness(const b2Body *body, float &stiffness, float &damping) const;

    QPointF m_target;
    float m_maxForce = 0;
    float m_frequencyHz = 5;
    float m_dampingRatio = 0.7f;
    QPointer<Box2DBody> m_groundBody;
};

#endif
