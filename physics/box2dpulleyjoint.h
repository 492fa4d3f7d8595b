#ifndef BOX2DPULLEYJOINT_H
#define BOX2DPULLEYJOINT_H

#include "physics/box2djoint.h"

// Two bodies hanging from two fixed ground points by one rope: length A plus
// ratio times length B stays constant.
class Box2DPulleyJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(QPointF groundAnchorA READ groundAnchorA WRITE setGroundAnchorA NOTIFY groundAnchorAChanged)
    Q_PROPERTY(QPointF groundAnchorB READ groundAnchorB WRITE setGroundAnchorB NOTIFY groundAnchorBChanged)
    Q_PROPERTY(QPointF localAnchorA READ localAnchorA WRITE setLocalAnchorA NOTIFY localAnchorAChanged)
    Q_PROPERTY(QPointF localAnchorB READ localAnchorB WRITE setLocalAnchorB NOTIFY localAnchorBChanged)
    Q_PROPERTY(float lengthA READ lengthA WRITE setLengthA NOTIFY lengthAChanged)
    Q_PROPERTY(float lengthB READ lengthB WRITE setLengthB NOTIFY lengthBChanged)
    Q_PROPERTY(float ratio READ ratio WRITE setRatio NOTIFY ratioChanged)

public:
    explicit Box2DPulleyJoint(QObject *parent = nullptr);

    QPointF groundAnchorA() const { return m_groundAnchorA; }
    void setGroundAnchorA(const QPointF &groundAnchorA);
    QPointF groundAnchorB() const { return m_groundAnchorB; }
    void setGroundAnchorB(const QPointF &groundAnchorB);
    QPointF localAnchorA() const { return m_localAnchorA; }
    void setLocalAnchorA(const QPointF &localAnchorA);
    QPointF localAnchorB() const { return m_localAnchorB; }
    void setLocalAnchorB(const QPointF &localAnchorB);
    float lengthA() const { return m_lengthA; }
    void setLengthA(float lengthA);
    float lengthB() const { return m_lengthB; }
    void setLengthB(float lengthB);
    float ratio() const { return m_ratio; }
    void setRatio(float ratio);

    Q_INVOKABLE float getCurrentLengthA() const;
    Q_INVOKABLE float getCurrentLengthB() const;
    Q_INVOKABLE QPointF getReactionForce(float inv_dt) const { return reactionForce(inv_dt); }
    Q_INVOKABLE float getReactionTorque(float inv_dt) const { return float(reactionTorque(inv_dt)); }

signals:
    void groundAnchorAChanged();
    void groundAnchorBChanged();
    void localAnchorAChanged();
    void localAnchorBChanged();
    void lengthAChanged();
    void lengthBChanged();
    void ratioChanged();

protected:
    b2Joint *createJoint() override;

private:
    QPointF m_groundAnchorA;
    QPointF m_groundAnchorB;
    QPointF m_localAnchorA;
    QPointF m_localAnchorB;
    float m_lengthA = 0;
    float m_lengthB = 0;
    float m_ratio = 1;
    bool m_localAnchorASet = false;
    bool m_localAnchorBSet = false;
    bool m_lengthASet = false;
    bool m_lengthBSet = false;
};

#endif
