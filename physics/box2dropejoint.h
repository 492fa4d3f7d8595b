#ifndef BOX2DROPEJOINT_H
#define BOX2DROPEJOINT_H

#include "physics/box2djoint.h"

// Keeps two anchors at most maxLength apart, slack below it. Box2D 2.4 has no
// rope joint: this is a distance joint limited to [0, maxLength].
class Box2DRopeJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(QPointF localAnchorA READ localAnchorA WRITE setLocalAnchorA NOTIFY localAnchorAChanged)
    Q_PROPERTY(QPointF localAnchorB READ localAnchorB WRITE setLocalAnchorB NOTIFY localAnchorBChanged)
    Q_PROPERTY(float maxLength READ maxLength WRITE setMaxLength NOTIFY maxLengthChanged)

public:
    explicit Box2DRopeJoint(QObject *parent = nullptr);

    QPointF localAnchorA() const { return m_localAnchorA; }
    void setLocalAnchorA(const QPointF &localAnchorA);
    QPointF localAnchorB() const { return m_localAnchorB; }
    void setLocalAnchorB(const QPointF &localAnchorB);
    float maxLength() const { return m_maxLength; }
    void setMaxLength(float maxLength);

    Q_INVOKABLE QPointF getReactionForce(float inv_dt) const;
    Q_INVOKABLE float getReactionTorque(float inv_dt) const { return float(reactionTorque(inv_dt)); }

signals:
    void localAnchorAChanged();
    void localAnchorBChanged();
    void maxLengthChanged();

protected:
    b2Joint *createJoint() override;

private:
    QPointF m_localAnchorA;
    QPointF m_localAnchorB;
    float m_maxLength = 0;
    bool m_localAnchorASet = false;
    bool m_localAnchorBSet = false;
};

#endif
