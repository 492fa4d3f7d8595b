#ifndef BOX2DWELDJOINT_H
#define BOX2DWELDJOINT_H

#include "physics/box2djoint.h"

// Glues two bodies together, rigidly or (with a frequency) as an angular spring.
class Box2DWeldJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(float referenceAngle READ referenceAngle WRITE setReferenceAngle NOTIFY referenceAngleChanged)
    Q_PROPERTY(float frequencyHz READ frequencyHz WRITE setFrequencyHz NOTIFY frequencyHzChanged)
    Q_PROPERTY(float dampingRatio READ dampingRatio WRITE setDampingRatio NOTIFY dampingRatioChanged)
    Q_PROPERTY(QPointF localAnchorA READ localAnchorA WRITE setLocalAnchorA NOTIFY localAnchorAChanged)
    Q_PROPERTY(QPointF localAnchorB READ localAnchorB WRITE setLocalAnchorB NOTIFY localAnchorBChanged)

public:
    explicit Box2DWeldJoint(QObject *parent = nullptr);

    float referenceAngle() const { return m_referenceAngle; }
    void setReferenceAngle(float referenceAngle);
    float frequencyHz() const { return m_frequencyHz; }
    void setFrequencyHz(float frequencyHz);
    float dampingRatio() const { return m_dampingRatio; }
    void setDampingRatio(float dampingRatio);
    QPointF localAnchorA() const { return m_localAnchorA; }
    void setLocalAnchorA(const QPointF &localAnchorA);
    QPointF localAnchorB() const { return m_localAnchorB; }
    void setLocalAnchorB(const QPointF &localAnchorB);

signals:
    void referenceAngleChanged();
    void frequencyHzChanged();
    void dampingRatioChanged();
    void localAnchorAChanged();
    void localAnchorBChanged();

protected:
    b2Joint *createJoint() override;
    bool hasMassDependentStiffness() const override { return true; }
    void updateStiffness() override;

private:
    float m_referenceAngle = 0;
    float m_frequencyHz = 0;
    float m_dampingRatio = 0;
    QPointF m_localAnchorA;
    QPointF m_localAnchorB;
    bool m_referenceAngleSet = false;
    bool m_localAnchorASet = false;
    bool m_localAnchorBSet = false;
};

#endif
